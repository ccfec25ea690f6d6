#include "chanfile/channelcsv.h"

#include "plan/frequency.h"
#include "plan/tone.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace zev::csv {

namespace {

// The exchange layout's columns, in their order; BusyLock is this radio's own, last.
enum Field {
    Location,
    Name,
    Frequency,
    Duplex,
    Offset,
    Tone,
    RToneFreq,
    CToneFreq,
    DtcsCode,
    DtcsPolarity,
    RxDtcsCode,
    CrossMode,
    Mode,
    TStep,
    Skip,
    Power,
    Comment,
    UrCall,
    Rpt1Call,
    Rpt2Call,
    DvCode,
    BusyLock,
    FieldCount
};
const char* const fieldNames[FieldCount] = {
    "Location",  "Name",      "Frequency", "Duplex",       "Offset",     "Tone",
    "rToneFreq", "cToneFreq", "DtcsCode",  "DtcsPolarity", "RxDtcsCode", "CrossMode",
    "Mode",      "TStep",     "Skip",      "Power",        "Comment",    "URCALL",
    "RPT1CALL",  "RPT2CALL",  "DVCODE",    "BusyLock"};

const QString DefaultCtcss = QStringLiteral("88.5");
const QString DefaultDcs = QStringLiteral("023");

// ---- tones --------------------------------------------------------------------------------

enum class ToneKind { None, Ctcss, Dcs };

struct PlanTone {
    ToneKind kind = ToneKind::None;
    QString value;        // CTCSS "88.5" or DCS "023"
    QChar polarity = 'N'; // the exchange layout's N or R
};

PlanTone planTone(const QString& cell) {
    if (const std::optional<zev::Tone> tone = parseTone(cell)) {
        switch (tone->kind) {
        case zev::Tone::Kind::Off:
            return {};
        case zev::Tone::Kind::Ctcss:
            return {ToneKind::Ctcss, tone->value, QLatin1Char('N')};
        case zev::Tone::Kind::DcsNormal:
            return {ToneKind::Dcs, tone->value, QLatin1Char('N')};
        case zev::Tone::Kind::DcsInverted:
            return {ToneKind::Dcs, tone->value, QLatin1Char('R')};
        }
    }
    // A cell that is no tone goes out as it stands, for the user to see in the list.
    const QString text = cell.trimmed();
    if (text.isEmpty())
        return {};
    if (text.size() == 5 && text.startsWith(QLatin1Char('D')))
        return {ToneKind::Dcs, text.mid(1, 3),
                text.endsWith(QLatin1Char('I')) ? QLatin1Char('R') : QLatin1Char('N')};
    return {ToneKind::Ctcss, text, QLatin1Char('N')};
}

struct ToneColumns {
    QString tone, rTone = DefaultCtcss, cTone = DefaultCtcss, dtcs = DefaultDcs,
                  polarity = QStringLiteral("NN"), rxDtcs = DefaultDcs,
                  crossMode = QStringLiteral("Tone->Tone");
};

QString crossSide(ToneKind kind) {
    return kind == ToneKind::Ctcss ? QStringLiteral("Tone")
           : kind == ToneKind::Dcs ? QStringLiteral("DTCS")
                                   : QString();
}

ToneColumns toneColumns(const PlanTone& tx, const PlanTone& rx) {
    ToneColumns columns;
    columns.polarity = QString(tx.polarity) + rx.polarity;
    if (tx.kind == ToneKind::None && rx.kind == ToneKind::None)
        return columns;
    if (tx.kind == ToneKind::Ctcss && rx.kind == ToneKind::None) {
        columns.tone = QStringLiteral("Tone");
        columns.rTone = tx.value;
        return columns;
    }
    if (tx.kind == ToneKind::Ctcss && rx.kind == ToneKind::Ctcss && tx.value == rx.value) {
        columns.tone = QStringLiteral("TSQL");
        columns.cTone = tx.value;
        return columns;
    }
    if (tx.kind == ToneKind::Dcs && rx.kind == ToneKind::Dcs && tx.value == rx.value) {
        columns.tone = QStringLiteral("DTCS");
        columns.dtcs = tx.value;
        return columns;
    }
    columns.tone = QStringLiteral("Cross");
    columns.crossMode = crossSide(tx.kind) + QStringLiteral("->") + crossSide(rx.kind);
    if (tx.kind == ToneKind::Ctcss)
        columns.rTone = tx.value;
    if (tx.kind == ToneKind::Dcs)
        columns.dtcs = tx.value;
    if (rx.kind == ToneKind::Ctcss)
        columns.cTone = rx.value;
    if (rx.kind == ToneKind::Dcs)
        columns.rxDtcs = rx.value;
    return columns;
}

// ---- writing ------------------------------------------------------------------------------

bool isEmptyChannel(const ChannelRow& cells) {
    return cells[Plan::RxFrequency - 1].trimmed().isEmpty();
}

QString quoted(const QString& field) {
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) &&
        !field.contains(QLatin1Char('\n')) && !field.contains(QLatin1Char('\r')))
        return field;
    QString text = field;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// What a spreadsheet takes for the start of a formula, or strips before looking for one.
bool startsFormula(QStringView field) {
    static const QString leads = QStringLiteral("=+-@\t\r");
    return !field.isEmpty() && leads.contains(field.front());
}

// The ' that keeps a spreadsheet from running a cell; it shows the cell as written.
constexpr QChar FormulaGuard = QLatin1Char('\'');

QString guarded(const QString& field) {
    return startsFormula(field) ? FormulaGuard + field : field;
}

// A field as the export wrote it: without the ' it put before a formula's first character.
QStringView unguarded(QStringView field) {
    return field.size() >= 2 && field.front() == FormulaGuard && startsFormula(field.mid(1))
               ? field.mid(1)
               : field;
}

QString onOff(const QString& cell, WordMeaning fallback) {
    const WordMeaning meaning = recogniseWord(cell.trimmed());
    return (meaning == WordMeaning::None ? fallback : meaning) == WordMeaning::On
               ? QStringLiteral("ON")
               : QStringLiteral("OFF");
}

QStringList exportRow(int channel, const ChannelRow& cells) {
    const auto cell = [&cells](Plan::Column column) { return cells[column - 1]; };
    QStringList fields(FieldCount);
    fields[Location] = QString::number(channel);
    fields[Mode] = QStringLiteral("FM");

    const QString rxText = cell(Plan::RxFrequency);
    const QString txText = cell(Plan::TxFrequency);
    const std::optional<qint64> rx = frequencyHz(rxText);
    const std::optional<qint64> tx = frequencyHz(txText);
    fields[Frequency] = rx ? formatMhz(*rx) : rxText.trimmed();
    fields[Offset] = formatMhz(0);
    if (txText.trimmed().isEmpty()) {
        fields[Duplex] = QStringLiteral("off");
    } else if (rx && tx && *tx != *rx) {
        fields[Duplex] = *tx > *rx ? QStringLiteral("+") : QStringLiteral("-");
        fields[Offset] = formatMhz(*tx > *rx ? *tx - *rx : *rx - *tx);
    } else if (!rx || !tx) {
        fields[Duplex] = QStringLiteral("split");
        fields[Offset] = tx ? formatMhz(*tx) : txText.trimmed();
    }
    fields[TStep] = rx && *rx % 5000 != 0 ? QStringLiteral("6.25") : QStringLiteral("5.00");

    const ToneColumns tones =
        toneColumns(planTone(cell(Plan::TxTone)), planTone(cell(Plan::RxTone)));
    fields[Tone] = tones.tone;
    fields[RToneFreq] = tones.rTone;
    fields[CToneFreq] = tones.cTone;
    fields[DtcsCode] = tones.dtcs;
    fields[DtcsPolarity] = tones.polarity;
    fields[RxDtcsCode] = tones.rxDtcs;
    fields[CrossMode] = tones.crossMode;

    fields[Skip] = onOff(cell(Plan::ScanAdd), WordMeaning::On) == QStringLiteral("ON")
                       ? QString()
                       : QStringLiteral("S");
    fields[Power] = recogniseWord(cell(Plan::Power).trimmed()) == WordMeaning::Low
                        ? QStringLiteral("Low")
                        : QStringLiteral("High");
    fields[BusyLock] = onOff(cell(Plan::BusyLock), WordMeaning::Off);
    return fields;
}

// ---- reading ------------------------------------------------------------------------------

struct Record {
    int row = 0;
    QStringList fields;
};

// Records of the text with the given separator; quotes may hold separators, quotes ("") and
// line ends. A record's row is the line it starts on. A quote that never closes would take every
// later row into one field, so the list is refused there.
Result<QList<Record>> records(const QString& text, QChar separator) {
    QList<Record> list;
    Record record{1, {}};
    QString field;
    bool inQuotes = false;
    bool fieldStarted = false;
    int line = 1;
    int quoteLine = 0;
    const auto endRecord = [&] {
        record.fields << field;
        list << record;
        record = Record{line, {}};
        field.clear();
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (inQuotes) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char('"') && !fieldStarted) {
            inQuotes = true;
            fieldStarted = true;
            quoteLine = line;
        } else if (c == separator) {
            record.fields << field;
            field.clear();
            fieldStarted = false;
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == '\n') {
            continue;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            ++line;
            endRecord();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (inQuotes)
        return Status::failure(
            QCoreApplication::translate("zev::ChannelCsv",
                                        "The quote that opens in row %1 of the channel list "
                                        "never closes; nothing was taken.")
                .arg(quoteLine));
    if (fieldStarted || !field.isEmpty() || !record.fields.isEmpty())
        endRecord();
    return list;
}

// The separator is the one that makes the header name a Frequency column; a tab is what a
// spreadsheet puts on the clipboard for copied cells.
std::optional<QChar> headerSeparator(const QString& text) {
    const QString firstLine = text.section(QLatin1Char('\n'), 0, 0);
    for (const QChar separator : {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')}) {
        for (const QString& name : firstLine.split(separator))
            if (name.trimmed()
                    .remove(QLatin1Char('"'))
                    .compare(QStringLiteral("Frequency"), Qt::CaseInsensitive) == 0)
                return separator;
    }
    return std::nullopt;
}

class RowReader {
public:
    RowReader(const Record& record, const std::array<int, FieldCount>& columns)
        : m_record(record), m_columns(columns) {}
    QString operator[](Field field) const {
        const int column = m_columns[field];
        return column >= 0 && column < m_record.fields.size()
                   ? unguarded(m_record.fields.at(column)).trimmed().toString()
                   : QString();
    }
    bool has(Field field) const { return m_columns[field] >= 0; }
    bool isBlank() const { return holdsOnly(FieldCount); }
    // Whether every other field is blank (all of them for FieldCount).
    bool holdsOnly(Field field) const {
        for (qsizetype column = 0; column < m_record.fields.size(); ++column)
            if ((field == FieldCount || column != m_columns[field]) &&
                !m_record.fields.at(column).trimmed().isEmpty())
                return false;
        return true;
    }

private:
    const Record& m_record;
    const std::array<int, FieldCount>& m_columns;
};

double toneValue(const QString& text, bool* ok) {
    return QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(ok);
}

// The listed tone the text rounds to, which may be another number (88.55 gives 88.5).
std::optional<QString> ctcssTone(const QString& text) {
    bool ok = false;
    const double value = toneValue(text, &ok);
    if (!ok)
        return std::nullopt;
    const QString tone = QString::number(value, 'f', 1);
    return ctcssTones().contains(tone) ? std::optional<QString>(tone) : std::nullopt;
}

std::optional<QString> dcsCode(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0)
        return std::nullopt;
    const QString code = QStringLiteral("%1").arg(value, 3, 10, QLatin1Char('0'));
    return dcsCodes().contains(code) ? std::optional<QString>(code) : std::nullopt;
}

struct TonePair {
    QString tx;
    QString rx;
};

class ToneReader {
public:
    ToneReader(const RowReader& row, const Words& words, QStringList& notes)
        : m_row(row), m_words(words), m_notes(notes) {}

    std::optional<TonePair> read() {
        const QString mode = m_row[Tone];
        if (mode.isEmpty())
            return TonePair{m_words.off, m_words.off};
        if (mode.compare(QStringLiteral("Tone"), Qt::CaseInsensitive) == 0)
            return pair(ctcss(RToneFreq), m_words.off);
        if (mode.compare(QStringLiteral("TSQL"), Qt::CaseInsensitive) == 0) {
            const QString tone = ctcss(CToneFreq);
            return pair(tone, tone);
        }
        if (mode.compare(QStringLiteral("DTCS"), Qt::CaseInsensitive) == 0)
            return pair(dcs(DtcsCode, 0), dcs(DtcsCode, 1));
        if (mode.compare(QStringLiteral("Cross"), Qt::CaseInsensitive) == 0)
            return cross();
        m_problem = QCoreApplication::translate(
                        "zev::ChannelCsv", "the tone mode \"%1\" is not Tone, TSQL, DTCS or Cross")
                        .arg(mode);
        return std::nullopt;
    }
    QString problem() const { return m_problem; }

private:
    std::optional<TonePair> pair(const QString& tx, const QString& rx) const {
        if (!m_problem.isEmpty())
            return std::nullopt;
        return TonePair{tx, rx};
    }

    QString ctcss(Field field) {
        const QString text = m_row[field].isEmpty() ? DefaultCtcss : m_row[field];
        if (const std::optional<QString> tone = ctcssTone(text)) {
            if (toneValue(text, nullptr) != toneValue(*tone, nullptr))
                m_notes << QCoreApplication::translate(
                               "zev::ChannelCsv",
                               "the tone %1 (%2) is not in the tone list; taken as %3")
                               .arg(text, fieldNames[field], *tone);
            return *tone;
        }
        fail(QCoreApplication::translate("zev::ChannelCsv",
                                         "the tone %1 (%2) is not in the tone list")
                 .arg(text, fieldNames[field]));
        return {};
    }

    // side 0 is TX, 1 is RX: the polarity column holds TX then RX.
    QString dcs(Field field, int side) {
        const QString text = m_row[field].isEmpty() ? DefaultDcs : m_row[field];
        const std::optional<QString> code = dcsCode(text);
        if (!code) {
            fail(QCoreApplication::translate("zev::ChannelCsv",
                                             "the DCS code %1 (%2) is not in the tone list")
                     .arg(text, fieldNames[field]));
            return {};
        }
        const QString polarities =
            m_row[DtcsPolarity].isEmpty() ? QStringLiteral("NN") : m_row[DtcsPolarity].toUpper();
        const QChar polarity = polarities.size() == 2 ? polarities.at(side) : QChar();
        if (polarity != QLatin1Char('N') && polarity != QLatin1Char('R')) {
            fail(QCoreApplication::translate("zev::ChannelCsv",
                                             "the DCS polarity \"%1\" is not two of N and R")
                     .arg(m_row[DtcsPolarity]));
            return {};
        }
        return QLatin1Char('D') + *code + QLatin1Char(polarity == QLatin1Char('R') ? 'I' : 'N');
    }

    std::optional<TonePair> cross() {
        const QString mode = m_row[CrossMode];
        const qsizetype arrow = mode.indexOf(QStringLiteral("->"));
        const QString txSide = arrow < 0 ? QString() : mode.left(arrow).trimmed();
        const QString rxSide = arrow < 0 ? QString() : mode.mid(arrow + 2).trimmed();
        const auto known = [](const QString& side) {
            return side.isEmpty() || side == QStringLiteral("Tone") ||
                   side == QStringLiteral("DTCS");
        };
        if (arrow < 0 || !known(txSide) || !known(rxSide) ||
            (txSide.isEmpty() && rxSide.isEmpty())) {
            m_problem =
                QCoreApplication::translate("zev::ChannelCsv",
                                            "the cross mode \"%1\" is not one the radio can hold")
                    .arg(mode);
            return std::nullopt;
        }
        const QString tx = txSide.isEmpty()                   ? m_words.off
                           : txSide == QStringLiteral("Tone") ? ctcss(RToneFreq)
                                                              : dcs(DtcsCode, 0);
        const QString rx = rxSide.isEmpty()                   ? m_words.off
                           : rxSide == QStringLiteral("Tone") ? ctcss(CToneFreq)
                                                              : dcs(RxDtcsCode, 1);
        return pair(tx, rx);
    }

    void fail(const QString& problem) {
        if (m_problem.isEmpty())
            m_problem = problem;
    }

    const RowReader& m_row;
    const Words& m_words;
    QStringList& m_notes;
    QString m_problem;
};

// A frequency of the row as the plan holds it, with a note when it had to move to a channel. The
// same rule as a typed frequency: one the radio cannot hold is refused in the same words.
std::optional<ListedFrequency> planFrequency(qint64 hertz, QChar separator, QString& problem) {
    Result<ListedFrequency> frequency = listedFrequency(hertz, separator);
    if (!frequency) {
        problem = frequency.message();
        return std::nullopt;
    }
    return frequency.value();
}

bool isOneOf(const QString& text, std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (text.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The row's seven cells, or the reason the radio cannot hold it. Notes are added to notes.
std::optional<ChannelRow> channelFromRow(const RowReader& row, const ImportOptions& options,
                                         QString& problem, QStringList& notes) {
    const Words& words = options.words;
    const std::optional<qint64> rx = frequencyHz(row[Frequency]);
    if (!rx) {
        problem = QCoreApplication::translate("zev::ChannelCsv",
                                              "the frequency \"%1\" is not a number of MHz")
                      .arg(row[Frequency]);
        return std::nullopt;
    }
    const QString duplex = row[Duplex];
    qint64 tx = *rx;
    const bool transmits = !isOneOf(duplex, {"off"});
    if (!duplex.isEmpty() && transmits) {
        const std::optional<qint64> offset =
            frequencyHz(row[Offset].isEmpty() ? QStringLiteral("0") : row[Offset]);
        if (!offset) {
            problem = QCoreApplication::translate("zev::ChannelCsv",
                                                  "the offset \"%1\" is not a number of MHz")
                          .arg(row[Offset]);
            return std::nullopt;
        }
        if (duplex == QStringLiteral("+"))
            tx = *rx + *offset;
        else if (duplex == QStringLiteral("-"))
            tx = *rx - *offset;
        else if (isOneOf(duplex, {"split"}))
            tx = *offset;
        else {
            problem = QCoreApplication::translate(
                          "zev::ChannelCsv", "the duplex \"%1\" is not empty, +, -, split or off")
                          .arg(duplex);
            return std::nullopt;
        }
    }

    ChannelRow cells;
    const std::optional<ListedFrequency> rxCell = planFrequency(*rx, options.separator, problem);
    if (!rxCell)
        return std::nullopt;
    cells[Plan::RxFrequency - 1] = rxCell->cell;
    if (!rxCell->note.isEmpty())
        notes << rxCell->note;
    if (transmits) {
        const std::optional<ListedFrequency> txCell = planFrequency(tx, options.separator, problem);
        if (!txCell)
            return std::nullopt;
        cells[Plan::TxFrequency - 1] = txCell->cell;
        if (!txCell->note.isEmpty() && txCell->note != rxCell->note)
            notes << txCell->note;
    }

    ToneReader toneReader(row, words, notes);
    const std::optional<TonePair> tones = toneReader.read();
    if (!tones) {
        problem = toneReader.problem();
        return std::nullopt;
    }
    cells[Plan::TxTone - 1] = tones->tx;
    cells[Plan::RxTone - 1] = tones->rx;

    const QString power = row[Power];
    if (power.isEmpty() || isOneOf(power, {"High"}) || recogniseWord(power) == WordMeaning::High)
        cells[Plan::Power - 1] = words.high;
    else if (isOneOf(power, {"Low"}) || recogniseWord(power) == WordMeaning::Low)
        cells[Plan::Power - 1] = words.low;
    else {
        problem = QCoreApplication::translate("zev::ChannelCsv",
                                              "the power \"%1\" is neither High nor Low")
                      .arg(power);
        return std::nullopt;
    }

    const QString skip = row[Skip];
    if (skip.isEmpty() || isOneOf(skip, {"P"}))
        cells[Plan::ScanAdd - 1] = words.on;
    else if (isOneOf(skip, {"S"}))
        cells[Plan::ScanAdd - 1] = words.off;
    else {
        problem =
            QCoreApplication::translate("zev::ChannelCsv", "the skip \"%1\" is neither empty nor S")
                .arg(skip);
        return std::nullopt;
    }

    const QString busyLock = row[BusyLock];
    const WordMeaning lock = recogniseWord(busyLock.toUpper());
    if (busyLock.isEmpty() || lock == WordMeaning::Off)
        cells[Plan::BusyLock - 1] = words.off;
    else if (lock == WordMeaning::On)
        cells[Plan::BusyLock - 1] = words.on;
    else {
        problem = QCoreApplication::translate("zev::ChannelCsv",
                                              "the busy lock \"%1\" is neither ON nor OFF")
                      .arg(busyLock);
        return std::nullopt;
    }
    return cells;
}

} // namespace

QByteArray exportChannels(const Channels& channels, const ChannelNames& names) {
    QList<int> used;
    for (int channel = 1; channel <= Plan::ChannelCount; ++channel)
        if (!isEmptyChannel(channels[channel - 1]))
            used << channel;
    return exportChannelRows(channels, used, names);
}

QByteArray exportChannelRows(const Channels& channels, const QList<int>& listed,
                             const ChannelNames& names) {
    QStringList header;
    for (const char* name : fieldNames)
        header << QLatin1String(name);
    QString text = header.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    for (int channel : listed) {
        if (channel < 1 || channel > Plan::ChannelCount)
            continue;
        const ChannelRow& cells = channels[channel - 1];
        QStringList fields(FieldCount);
        if (isEmptyChannel(cells))
            fields[Location] = QString::number(channel);
        else
            fields = exportRow(channel, cells);
        fields[Name] = names.names[channel - 1];
        fields[Comment] = names.comments[channel - 1];
        for (int field = 0; field < FieldCount; ++field) {
            // These two hold the layout's own words only, some of them starting with a sign.
            if (field != Duplex && field != CrossMode)
                fields[field] = guarded(fields[field]);
            fields[field] = quoted(fields[field]);
        }
        text += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

Result<Imported> importChannels(const QByteArray& bytes, const ImportOptions& options) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return Status::failure(
            QCoreApplication::translate("zev::ChannelCsv", "The channel list is not UTF-8 text."));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const std::optional<QChar> separator = headerSeparator(text);
    if (!separator)
        return Status::failure(QCoreApplication::translate(
            "zev::ChannelCsv",
            "The channel list has no header row with a Frequency column in its first line."));

    const Result<QList<Record>> read = records(text, *separator);
    if (!read)
        return Status::failure(read.message());
    const QList<Record>& list = read.value();
    std::array<int, FieldCount> columns;
    columns.fill(-1);
    const QStringList& header = list.first().fields;
    for (int column = 0; column < header.size(); ++column)
        for (int field = 0; field < FieldCount; ++field)
            if (columns[field] < 0 &&
                header.at(column).trimmed().compare(QLatin1String(fieldNames[field]),
                                                    Qt::CaseInsensitive) == 0)
                columns[field] = column;

    Imported imported;
    QHash<int, int> rowOfChannel;
    int nextChannel = 1;
    for (qsizetype index = 1; index < list.size(); ++index) {
        const Record& record = list.at(index);
        const RowReader row(record, columns);
        if (row.isBlank())
            continue;
        const auto reject = [&](const QString& reason) {
            imported.problems.append({record.row, reason});
        };
        if (row[Frequency].isEmpty()) {
            if (options.renumber && options.keepEmptyRows) {
                // Past the last channel an empty row has nothing to lose.
                if (nextChannel <= Plan::ChannelCount) {
                    imported.channels[nextChannel - 1] = ChannelRow{};
                    imported.rows[nextChannel - 1] = record.row;
                }
                ++nextChannel;
            } else if (options.renumber || !row.holdsOnly(Location)) {
                reject(QCoreApplication::translate("zev::ChannelCsv", "the row has no frequency"));
            }
            continue;
        }

        int channel = 0;
        if (options.renumber) {
            channel = nextChannel;
        } else {
            bool ok = false;
            channel = row[Location].toInt(&ok);
            if (!ok || channel < 1 || channel > Plan::ChannelCount) {
                reject(QCoreApplication::translate(
                           "zev::ChannelCsv", "the location \"%1\" is not a channel from 1 to 16")
                           .arg(row[Location]));
                continue;
            }
            if (rowOfChannel.contains(channel)) {
                reject(QCoreApplication::translate("zev::ChannelCsv",
                                                   "channel %1 is already given in row %2")
                           .arg(channel)
                           .arg(rowOfChannel.value(channel)));
                continue;
            }
        }

        QString problem;
        QStringList notes;
        const std::optional<ChannelRow> cells = channelFromRow(row, options, problem, notes);
        if (!cells) {
            reject(problem);
            continue;
        }
        if (channel > Plan::ChannelCount) {
            reject(QCoreApplication::translate(
                "zev::ChannelCsv", "the radio holds 16 channels; this row is one too many"));
            continue;
        }
        for (const QString& note : notes)
            imported.notes.append({record.row, note});
        imported.channels[channel - 1] = *cells;
        imported.rows[channel - 1] = record.row;
        rowOfChannel.insert(channel, record.row);
        ++nextChannel;
    }
    return imported;
}

Plan withImportedChannels(Plan plan, const Imported& list) {
    plan.channels = {};
    return withPastedChannels(std::move(plan), list);
}

Plan withPastedChannels(Plan plan, const Imported& rows) {
    for (int row = 1; row <= Plan::ChannelCount; ++row)
        if (const std::optional<ChannelRow>& channel = rows.channels[size_t(row - 1)])
            plan.setChannel(row, *channel);
    return plan;
}

bool givesChannels(const Imported& list) {
    return std::any_of(list.channels.begin(), list.channels.end(),
                       [](const auto& channel) { return channel.has_value(); });
}

QString describe(const QList<RowNote>& notes) {
    QStringList lines;
    for (const RowNote& note : notes)
        lines << QCoreApplication::translate("zev::ChannelCsv", "row %1: %2")
                     .arg(note.row)
                     .arg(note.text);
    return lines.join(QLatin1Char('\n'));
}

QString listField(const QString& text) {
    return quoted(guarded(text));
}

QString fieldText(QStringView field) {
    return unguarded(field).toString();
}

std::optional<QStringList> splitListLine(const QString& line) {
    const Result<QList<Record>> read = records(line, QLatin1Char(','));
    if (!read || read->size() != 1)
        return std::nullopt;
    return read->first().fields;
}

} // namespace zev::csv
