#include "radio/codec.h"

#include "plan/band.h"
#include "radio/hex.h"

#include <QCoreApplication>

#include <algorithm>

namespace zev::codec {

namespace {

// Characters `from` to `to` of text, counted from 1; positions outside the text give nothing, so
// a short reply never reads past its end.
QString characters(const QString& text, int from, int to) {
    const qsizetype first = qMax(from, 1);
    const qsizetype last = qMin<qsizetype>(to, text.size());
    return first <= last ? text.mid(first - 1, last - first + 1) : QString();
}

QString character(const QString& text, int position) {
    return characters(text, position, position);
}

QChar hexDigit(int value) {
    return QLatin1Char("0123456789ABCDEF"[value & 0x0F]);
}

bool isDecimal(QChar digit) {
    return digit >= QLatin1Char('0') && digit <= QLatin1Char('9');
}

// Tone and flag bytes as the radio stores them.
const QString NoTone = QStringLiteral("FFFF");
const QString NoFrequency = QStringLiteral("FFFFFFFF");
const QString EmptyFlags = QStringLiteral("FF");
const QString FlagPadding = QStringLiteral("FFFFFF");
const QString BandPadding = QStringLiteral("FFFFFFFF");

// Channel flag nibble: bit 2 is always set on writing and carries nothing on reading.
constexpr int HighPowerBit = 0x8;
constexpr int ChannelFlagFixedBit = 0x4;
constexpr int FlagAOnBit = 0x2;
constexpr int FlagBOffBit = 0x1;

// Option flag nibble: bit 3 is always set on writing and carries nothing on reading.
constexpr int OptionFlagFixedBit = 0x8;
constexpr int BatterySaveBit = 0x4;
constexpr int KeyBeepBit = 0x2;
constexpr int AlarmKeyBit = 0x1;

bool isOff(const QString& text, const Words& words) {
    return text == words.off || recogniseWord(text) == WordMeaning::Off;
}
bool isOn(const QString& text, const Words& words) {
    return text == words.on || recogniseWord(text) == WordMeaning::On;
}
bool isHigh(const QString& text, const Words& words) {
    return text == words.high || recogniseWord(text) == WordMeaning::High;
}

// Blanks and control characters around a tone cell do not count.
QString trimmedCell(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= 0x20)
        ++first;
    while (last > first && text.at(last - 1).unicode() <= 0x20)
        --last;
    return text.mid(first, last - first);
}

int optionItemCount(Option option) {
    return optionItems(option, Words{}, OptionTexts{}).size();
}

bool isListed(Option option, int index) {
    return index >= 0 && index < optionItemCount(option);
}

QString optionName(Option option) {
    switch (option) {
    case Option::Squelch:
        return QCoreApplication::translate("zev::Codec", "squelch level");
    case Option::BatterySave:
        return QCoreApplication::translate("zev::Codec", "battery save");
    case Option::TimeOutTimer:
        return QCoreApplication::translate("zev::Codec", "time-out timer");
    case Option::VoicePrompt:
        return QCoreApplication::translate("zev::Codec", "voice prompt");
    case Option::KeyBeep:
        return QCoreApplication::translate("zev::Codec", "key beep");
    case Option::AlarmKey:
        return QCoreApplication::translate("zev::Codec", "alarm key");
    case Option::Scan:
        return QCoreApplication::translate("zev::Codec", "scan");
    }
    return {};
}

// The options reply holds each of these indices as one decimal digit in a byte's low nibble.
struct OptionDigit {
    Option option;
    int dataByte;
};
constexpr OptionDigit optionDigits[] = {
    {Option::Squelch, 1}, {Option::TimeOutTimer, 3}, {Option::VoicePrompt, 5}};

constexpr int OptionFlagByte = 0;
constexpr int ScanByte = 6;

// Hex text position (from 1) of a data byte's high digit in a read reply.
int replyPosition(int dataByte) {
    return 9 + 2 * dataByte;
}

// The low digit of a data byte; the caller has checked the reply's length.
QChar lowDigit(const QString& reply, int dataByte) {
    return reply.at(replyPosition(dataByte));
}

} // namespace

int channelAddress(int channel, bool secondHalf) {
    return 16 * channel + (secondHalf ? 8 : 0);
}

QString decodeFrequency(const QString& reply, int position, QChar separator) {
    const int p = position;
    const QString text = characters(reply, p, p + 1) + character(reply, p - 2) + separator +
                         character(reply, p - 1) + characters(reply, p - 4, p - 3) +
                         characters(reply, p - 6, p - 5);
    if (text == QStringLiteral("FFF") + separator + QStringLiteral("FFFFF"))
        return {};
    return text;
}

QString encodeFrequency(const QString& cell) {
    // The fourth character is the separator, whichever the locale wrote.
    const QString digits = cell.left(3) + cell.mid(4, 9);
    if (digits.isEmpty())
        return NoFrequency;
    return characters(digits, 7, 8) + characters(digits, 5, 6) + characters(digits, 3, 4) +
           characters(digits, 1, 2);
}

QString decodeTone(const QString& code, const Words& words) {
    const QString value = characters(code, 3, 4) + characters(code, 1, 2);
    const QChar kind = value.isEmpty() ? QChar() : value.at(0);
    if (kind == QLatin1Char('0'))
        return characters(value, 2, 3) + QLatin1Char('.') + character(value, 4);
    if (kind == QLatin1Char('8'))
        return QLatin1Char('D') + characters(value, 2, 4) + QLatin1Char('N');
    if (kind == QLatin1Char('C'))
        return QLatin1Char('D') + characters(value, 2, 4) + QLatin1Char('I');
    if (kind == QLatin1Char('F'))
        return words.off;
    // "1", "2" and any kind the radio does not define: the digits as they stand, in the form
    // that encodes back to the same two bytes, so a read-modify-write keeps them.
    return characters(value, 1, 3) + QLatin1Char('.') + character(value, 4);
}

QString encodeTone(const QString& cell, const Words& words) {
    const QString tone = trimmedCell(cell);
    if (tone.isEmpty() || isOff(tone, words))
        return NoTone;
    const QChar last = tone.back();
    if (last == QLatin1Char('I'))
        return characters(tone, 3, 4) + QLatin1Char('C') + character(tone, 2);
    if (last == QLatin1Char('N'))
        return characters(tone, 3, 4) + QLatin1Char('8') + character(tone, 2);
    if (tone.size() == 5)
        return character(tone, 3) + character(tone, 5) + characters(tone, 1, 2);
    return character(tone, 2) + character(tone, 4) + QLatin1Char('0') + character(tone, 1);
}

FlagCells decodeChannelFlags(QChar digit, const Words& words) {
    const int nibble = hexDigitValue(digit);
    if (nibble < 0)
        return {};
    // Nibbles outside 4-7 and C-F read by the same bits; bit 2 is not looked at.
    return {(nibble & HighPowerBit) ? words.high : words.low,
            (nibble & FlagAOnBit) ? words.on : words.off,
            (nibble & FlagBOffBit) ? words.off : words.on};
}

QString encodeChannelFlags(const QString& power, const QString& flagA, const QString& flagB,
                           const Words& words) {
    if (power.isEmpty() && flagA.isEmpty() && flagB.isEmpty())
        return EmptyFlags;
    int nibble = ChannelFlagFixedBit;
    if (isHigh(power, words))
        nibble |= HighPowerBit;
    if (isOn(flagA, words))
        nibble |= FlagAOnBit;
    if (isOff(flagB, words))
        nibble |= FlagBOffBit;
    return QStringLiteral("F") + hexDigit(nibble);
}

ChannelRow decodeChannel(const QString& firstHalfReply, const QString& secondHalfReply,
                         const Words& words, QChar separator) {
    constexpr int RxPosition = 15;
    constexpr int TxPosition = 23;
    ChannelRow row;
    const QString rx = decodeFrequency(firstHalfReply, RxPosition, separator);
    if (rx.isEmpty())
        return row;
    row[ChannelPlan::RxFrequency - 1] = rx;
    row[ChannelPlan::TxFrequency - 1] = decodeFrequency(firstHalfReply, TxPosition, separator);
    row[ChannelPlan::RxTone - 1] = decodeTone(characters(secondHalfReply, 9, 12), words);
    row[ChannelPlan::TxTone - 1] = decodeTone(characters(secondHalfReply, 13, 16), words);
    const QString flagDigit = character(secondHalfReply, 18);
    const FlagCells flags =
        decodeChannelFlags(flagDigit.isEmpty() ? QChar() : flagDigit.at(0), words);
    row[ChannelPlan::Power - 1] = flags.power;
    row[ChannelPlan::FlagA - 1] = flags.flagA;
    row[ChannelPlan::FlagB - 1] = flags.flagB;
    return row;
}

std::pair<QString, QString> encodeChannel(const ChannelRow& cells, const Words& words) {
    const auto cell = [&cells](ChannelPlan::Column column) { return cells[column - 1]; };
    return {encodeFrequency(cell(ChannelPlan::RxFrequency)) +
                encodeFrequency(cell(ChannelPlan::TxFrequency)),
            encodeTone(cell(ChannelPlan::RxTone), words) +
                encodeTone(cell(ChannelPlan::TxTone), words) +
                encodeChannelFlags(cell(ChannelPlan::Power), cell(ChannelPlan::FlagA),
                                   cell(ChannelPlan::FlagB), words) +
                FlagPadding};
}

Result<OptionIndices> decodeOptions(const QString& reply) {
    if (!isHexText(reply))
        return Status::failure(
            QStringLiteral("The options block reply \"%1\" is not hex text.").arg(reply));
    if (reply.size() < 2 * ReplySize)
        return Status::failure(
            QStringLiteral("The options block reply holds %1 bytes; a read reply holds %2.")
                .arg(reply.size() / 2)
                .arg(ReplySize));
    OptionIndices indices{};
    for (const OptionDigit& field : optionDigits) {
        const QChar digit = lowDigit(reply, field.dataByte);
        if (!isDecimal(digit)) {
            const int position = replyPosition(field.dataByte);
            return Status::failure(
                QStringLiteral("Options byte %1 (%2) holds %3: its low digit is not decimal.")
                    .arg(field.dataByte)
                    .arg(optionName(field.option), characters(reply, position, position + 1)));
        }
        indices[optionSlot(field.option)] = digit.digitValue();
    }
    const int scanPosition = replyPosition(ScanByte);
    indices[optionSlot(Option::Scan)] =
        characters(reply, scanPosition, scanPosition + 1) == QStringLiteral("FF") ? 1 : 0;
    // A flag nibble below 8 reads by the same bits; bit 3 is not looked at.
    const int flags = hexDigitValue(lowDigit(reply, OptionFlagByte));
    indices[optionSlot(Option::BatterySave)] = (flags & BatterySaveBit) ? 1 : 0;
    indices[optionSlot(Option::KeyBeep)] = (flags & KeyBeepBit) ? 1 : 0;
    indices[optionSlot(Option::AlarmKey)] = (flags & AlarmKeyBit) ? 1 : 0;
    return indices;
}

QString encodeOptions(const OptionIndices& indices) {
    // An index outside its list (a selector without a selection) is written as the start-up
    // value so the block keeps its form; checkOptions reports it before a write begins.
    const auto index = [&indices](Option option) {
        const int value = indices[optionSlot(option)];
        return isListed(option, value) ? value : startupOptionIndices[optionSlot(option)];
    };
    int flags = OptionFlagFixedBit;
    if (index(Option::BatterySave) == 1)
        flags |= BatterySaveBit;
    if (index(Option::KeyBeep) == 1)
        flags |= KeyBeepBit;
    if (index(Option::AlarmKey) == 1)
        flags |= AlarmKeyBit;
    return QStringLiteral("F") + hexDigit(flags) + QLatin1Char('0') +
           QString::number(index(Option::Squelch)) + QStringLiteral("FF0") +
           QString::number(index(Option::TimeOutTimer)) + QStringLiteral("FF0") +
           QString::number(index(Option::VoicePrompt)) +
           (index(Option::Scan) == 1 ? QStringLiteral("FFFF") : QStringLiteral("FEFF"));
}

QString decodeBand(const QString& reply) {
    return characters(reply, 11, 12) + character(reply, 9) + QLatin1Char('-') +
           characters(reply, 15, 16) + character(reply, 13) + QStringLiteral("MHz");
}

QString encodeBand(const QString& band) {
    return character(band, 3) + QLatin1Char('0') + characters(band, 1, 2) + character(band, 7) +
           QLatin1Char('0') + characters(band, 5, 6) + BandPadding;
}

Status checkOptions(const OptionIndices& indices) {
    QStringList problems;
    for (const Option option : allOptions) {
        if (!isListed(option, indices[optionSlot(option)]))
            problems << QCoreApplication::translate("zev::Codec", "The %1 option has no selection.")
                            .arg(optionName(option));
    }
    return problems.isEmpty() ? Status::success()
                              : Status::failure(problems.join(QLatin1Char('\n')));
}

Status checkBand(const QString& band) {
    if (!parseBand(band))
        return Status::failure(QCoreApplication::translate(
                                   "zev::Codec", "The band \"%1\" is not of the form ddd-dddMHz.")
                                   .arg(band));
    return Status::success();
}

} // namespace zev::codec
