#include "plan/rowedit.h"

#include "plan/frequency.h"
#include "plan/tone.h"

#include <QCoreApplication>

namespace zev {

namespace {

QString megahertzText(qint64 hertz) {
    return QStringLiteral("%1.%2")
        .arg(hertz / HertzPerMHz)
        .arg(hertz % HertzPerMHz, 6, 10, QLatin1Char('0'));
}

QString channelLabel(int channel) {
    return QCoreApplication::translate("zev::RowEdit", "Channel %1")
        .arg(channel, 2, 10, QLatin1Char('0'));
}

// As a message quotes it: no trailing zeros ("554.99").
QString shortMegahertz(qint64 hertz) {
    QString text = (hertz < 0 ? QStringLiteral("-") : QString()) + megahertzText(qAbs(hertz));
    while (text.endsWith(QLatin1Char('0')) && !text.endsWith(QLatin1String(".0")))
        text.chop(1);
    return text;
}

Result<QString> frequencyCell(qint64 hertz, int channel, QChar separator) {
    const bool held = hertz >= qint64(LowestFrequencyMhz) * HertzPerMHz &&
                      hertz <= qint64(HighestFrequencyMhz) * HertzPerMHz;
    const Result<QString> cell =
        held ? normaliseFrequency(megahertzText(hertz), separator)
             : Result<QString>(Status::failure(frequencyOutsideRange(shortMegahertz(hertz))));
    if (!cell)
        return Status::failure(channelLabel(channel) + QStringLiteral(": ") + cell.message());
    return cell;
}

} // namespace

Plan withRowSettings(Plan plan, const QList<int>& channels, const RowSettings& settings,
                     const Words& words) {
    for (const int channel : channels) {
        if (channel < 1 || channel > Plan::ChannelCount || !plan.isUsed(channel))
            continue;
        ChannelRow cells = plan.channel(channel);
        if (settings.rxTone)
            cells[Plan::RxTone - 1] = *settings.rxTone;
        if (settings.txTone)
            cells[Plan::TxTone - 1] = *settings.txTone;
        if (settings.highPower)
            cells[Plan::Power - 1] = *settings.highPower ? words.high : words.low;
        if (settings.scanAdd)
            cells[Plan::ScanAdd - 1] = *settings.scanAdd ? words.on : words.off;
        if (settings.busyLock)
            cells[Plan::BusyLock - 1] = *settings.busyLock ? words.on : words.off;
        plan.setChannel(channel, cells);
    }
    return plan;
}

Result<QString> toneCell(const QString& typed, const Words& words) {
    const QString text = typed.trimmed();
    if (text.compare(QLatin1String("off"), Qt::CaseInsensitive) == 0)
        return words.off;
    if (const std::optional<Tone> tone =
            parseTone(QString(text).replace(',', '.').toUpper(), words)) {
        if (tone->kind == Tone::Kind::Off)
            return words.off;
        const QString cell =
            tone->kind == Tone::Kind::Ctcss
                ? tone->value
                : QLatin1Char('D') + tone->value +
                      (tone->kind == Tone::Kind::DcsInverted ? QLatin1Char('I') : QLatin1Char('N'));
        if (builtinTones().contains(cell))
            return cell;
    } else if (recogniseWord(text, words) == WordMeaning::Off) {
        return words.off;
    }
    return Status::failure(
        QCoreApplication::translate("zev::RowEdit",
                                    "'%1' is not a tone of the list: a CTCSS tone such as 88.5, "
                                    "a DCS code such as D023N, or OFF")
            .arg(text));
}

Result<Plan> withFilledFrequencies(Plan plan, const QList<int>& channels, const FrequencyFill& fill,
                                   const Words& words, QChar separator) {
    qint64 hertz = fill.startHz;
    for (const int channel : channels) {
        if (channel < 1 || channel > Plan::ChannelCount)
            continue;
        const Result<QString> rx = frequencyCell(hertz, channel, separator);
        if (!rx)
            return Status::failure(rx.message());
        const Result<QString> tx = frequencyCell(hertz + fill.offsetHz, channel, separator);
        if (!tx)
            return Status::failure(tx.message());
        ChannelRow cells =
            plan.isUsed(channel) ? plan.channel(channel) : newChannel(rx.value(), words);
        cells[Plan::RxFrequency - 1] = rx.value();
        cells[Plan::TxFrequency - 1] = tx.value();
        plan.setChannel(channel, cells);
        hertz += fill.stepHz;
    }
    return plan;
}

std::optional<qint64> typedHertz(const QString& text, qint64 unit, bool signedValue) {
    QString digits = text.trimmed();
    qint64 sign = 1;
    if (signedValue &&
        (digits.startsWith(QLatin1Char('+')) || digits.startsWith(QLatin1Char('-')))) {
        sign = digits.startsWith(QLatin1Char('-')) ? -1 : 1;
        digits.remove(0, 1);
    }
    // frequencyHz reads MHz: a number of another unit is read as MHz and scaled.
    const std::optional<qint64> scaled = frequencyHz(digits);
    if (!scaled)
        return std::nullopt;
    return sign * (*scaled * unit / HertzPerMHz);
}

Result<QList<int>> parseChannelList(const QString& text) {
    QList<int> channels;
    const auto refused = [](const QString& part) {
        return Status::failure(
            QCoreApplication::translate("zev::RowEdit",
                                        "'%1' is not a channel from 1 to 16 or a range such as 1-4")
                .arg(part));
    };
    const auto number = [](const QString& digits) {
        bool ok = false;
        const int value = digits.trimmed().toInt(&ok);
        return ok && value >= 1 && value <= Plan::ChannelCount ? value : 0;
    };
    for (const QString& part : text.split(QLatin1Char(','))) {
        const QStringList ends = part.split(QLatin1Char('-'));
        const int first = number(ends.first());
        const int last = ends.size() == 2 ? number(ends.last()) : first;
        if (ends.size() > 2 || first == 0 || last == 0 || last < first)
            return refused(part.trimmed());
        for (int channel = first; channel <= last; ++channel)
            if (!channels.contains(channel))
                channels.append(channel);
    }
    return channels;
}

} // namespace zev
