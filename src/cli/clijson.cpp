#include "clijson.h"

#include "chanfile/plancompare.h"
#include "clisupport.h"
#include "jobs/radiofleet.h"
#include "jobs/writelog.h"
#include "plan/band.h"
#include "plan/frequency.h"
#include "plan/plan.h"
#include "plan/tone.h"
#include "plan/wording.h"

#include <QJsonDocument>

#include <algorithm>
#include <cstdio>

namespace zev::cli::json {

namespace {

const char* const optionKeys[OptionCount] = {
    "squelch", "batterySave", "timeOutTimer", "voicePrompt", "keyBeep", "alarmKey", "scan"};
const char* const columnKeys[] = {"",       "rxFrequency", "rxTone",  "txFrequency",
                                  "txTone", "power",       "scanAdd", "busyLock"};

QJsonValue text(const QString& value) {
    return value.isEmpty() ? QJsonValue() : QJsonValue(value);
}

QJsonValue hertz(const QString& cell) {
    const std::optional<qint64> value = frequencyHz(cell);
    return value ? QJsonValue(double(*value)) : QJsonValue();
}

// null for off; {type: ctcss, hz} or {type: dcs, code, polarity}; {type: invalid, text} for a
// cell that is no tone.
QJsonValue tone(const QString& cell, const Words& words) {
    const std::optional<Tone> parsed = parseTone(cell, words);
    if (!parsed)
        return QJsonObject{{"type", "invalid"}, {"text", cell}};
    switch (parsed->kind) {
    case Tone::Kind::Off:
        return QJsonValue();
    case Tone::Kind::Ctcss:
        return QJsonObject{{"type", "ctcss"}, {"hz", parsed->value.toDouble()}};
    case Tone::Kind::DcsNormal:
    case Tone::Kind::DcsInverted:
        return QJsonObject{
            {"type", "dcs"},
            {"code", parsed->value},
            {"polarity", parsed->kind == Tone::Kind::DcsNormal ? "normal" : "inverted"}};
    }
    return QJsonValue();
}

QJsonValue word(const QString& cell, const Words& words) {
    switch (recogniseWord(cell, words)) {
    case WordMeaning::High:
        return "high";
    case WordMeaning::Low:
        return "low";
    case WordMeaning::On:
        return true;
    case WordMeaning::Off:
        return false;
    case WordMeaning::None:
        break;
    }
    return QJsonValue();
}

} // namespace

QJsonObject plan(const Plan& plan, const Wording& wording) {
    QJsonObject document;
    document["band"] = plan.band;
    const std::optional<BandEdges> edges = parseBand(plan.band);
    document["bandLowHz"] = edges ? QJsonValue(double(edges->lowMhz) * HertzPerMHz) : QJsonValue();
    document["bandHighHz"] =
        edges ? QJsonValue(double(edges->highMhz) * HertzPerMHz) : QJsonValue();
    QJsonArray options;
    for (const Option option : allOptions) {
        const int index = plan.optionIndex(option);
        options.append(QJsonObject{{"key", optionKeys[optionSlot(option)]},
                                   {"name", optionName(option)},
                                   {"index", index < 0 ? QJsonValue() : QJsonValue(index)},
                                   {"text", text(wording.optionText(option, index))}});
    }
    document["options"] = options;
    QJsonArray channels;
    for (int row = 1; row <= Plan::ChannelCount; ++row) {
        const ChannelRow& cells = plan.channel(row);
        const auto cell = [&cells](int column) { return cells[size_t(column - 1)]; };
        const bool used = plan.isUsed(row);
        QJsonObject channel{{"channel", row}, {"used", used}};
        const Words& words = wording.words;
        channel["rxFrequencyHz"] = used ? hertz(cell(Plan::RxFrequency)) : QJsonValue();
        channel["rxTone"] = used ? tone(cell(Plan::RxTone), words) : QJsonValue();
        channel["txFrequencyHz"] = used ? hertz(cell(Plan::TxFrequency)) : QJsonValue();
        channel["txTone"] = used ? tone(cell(Plan::TxTone), words) : QJsonValue();
        channel["power"] = used ? word(cell(Plan::Power), words) : QJsonValue();
        channel["scanAdd"] = used ? word(cell(Plan::ScanAdd), words) : QJsonValue();
        channel["busyLock"] = used ? word(cell(Plan::BusyLock), words) : QJsonValue();
        channel["cells"] = strings(QStringList(cells.begin(), cells.end()));
        channels.append(channel);
    }
    document["channels"] = channels;
    return document;
}

QJsonArray differences(const QList<PlanDifference>& differences) {
    QJsonArray list;
    for (const PlanDifference& difference : differences) {
        QJsonObject entry{{"channel", QJsonValue()},
                          {"column", QJsonValue()},
                          {"option", QJsonValue()},
                          {"beforeHz", QJsonValue()},
                          {"afterHz", QJsonValue()}};
        switch (difference.kind) {
        case PlanDifference::Kind::Cell:
            entry["kind"] = "cell";
            entry["channel"] = difference.channel;
            entry["column"] = columnKeys[difference.column];
            entry["name"] = columnName(difference.column);
            entry["before"] = difference.before;
            entry["after"] = difference.after;
            if (difference.column == Plan::RxFrequency || difference.column == Plan::TxFrequency) {
                entry["beforeHz"] = hertz(difference.before);
                entry["afterHz"] = hertz(difference.after);
            }
            break;
        case PlanDifference::Kind::Option: {
            entry["kind"] = "option";
            entry["option"] = optionKeys[optionSlot(difference.option)];
            entry["name"] = optionName(difference.option);
            bool number = false;
            const int before = difference.before.toInt(&number);
            entry["before"] = number ? QJsonValue(before) : QJsonValue();
            const int after = difference.after.toInt(&number);
            entry["after"] = number ? QJsonValue(after) : QJsonValue();
            break;
        }
        case PlanDifference::Kind::Band:
            entry["kind"] = "band";
            entry["name"] = QJsonValue();
            entry["before"] = difference.before;
            entry["after"] = difference.after;
            break;
        }
        list.append(entry);
    }
    return list;
}

QJsonObject writeRecord(const WriteRecord& record) {
    return QJsonObject{{"time", writelog::timeText(record.time)},
                       {"port", record.port},
                       {"device", text(record.device)},
                       {"plan", text(record.planFile)},
                       {"sha256", text(record.planSha256)},
                       {"band", text(record.band)},
                       {"result", writelog::outcomeWord(record.outcome)},
                       {"backup", text(record.backupPath)},
                       {"reason", text(record.reason)}};
}

QJsonArray radios(const std::vector<FleetRadio>& radios, const QString& fileKey) {
    QJsonArray list;
    for (const FleetRadio& radio : radios) {
        const bool ok = radio.failure.isEmpty();
        list.append(QJsonObject{{"port", radio.name},
                                {"device", text(radio.device)},
                                {"result", ok ? "ok" : "failed"},
                                {"seconds", double(radio.elapsedMs) / 1000.0},
                                {fileKey, text(radio.file)},
                                {"reason", text(radio.failure)}});
    }
    return list;
}

QJsonObject results(const QString& command, const std::vector<FleetRadio>& radios,
                    const QString& fileKey) {
    const bool succeeded = std::all_of(radios.begin(), radios.end(), [](const FleetRadio& radio) {
        return radio.failure.isEmpty();
    });
    return QJsonObject{
        {"command", command}, {"succeeded", succeeded}, {"radios", json::radios(radios, fileKey)}};
}

QJsonArray strings(const QStringList& texts) {
    return QJsonArray::fromStringList(texts);
}

void print(const QJsonObject& document) {
    printText(QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented)), stdout);
}

} // namespace zev::cli::json
