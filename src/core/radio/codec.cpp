#include "radio/codec.h"

#include "plan/band.h"
#include "plan/tone.h"
#include "radio/hex.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdint>

namespace zev::codec {

static_assert(MemoryImage::Channels == Plan::ChannelCount);

namespace {

QString byteHex(std::uint8_t byte) {
    return QString(hexDigit(byte >> 4)) + hexDigit(byte);
}

// The nibble a character of a cell stands for; anything not a hex digit, or missing, is 0.
std::uint8_t nibble(const QString& text, qsizetype index) {
    return index < text.size() ? static_cast<std::uint8_t>(qMax(0, hexDigitValue(text.at(index))))
                               : 0;
}

// Two characters of a cell as one byte, the first as the high nibble.
std::uint8_t packed(const QString& text, qsizetype high, qsizetype low) {
    return static_cast<std::uint8_t>(nibble(text, high) << 4 | nibble(text, low));
}

// Tone and flag bytes as the radio stores them.
constexpr std::uint8_t NoTone = 0xFF;
constexpr std::uint8_t EmptyFlags = 0xFF;
constexpr std::uint8_t WrittenHighNibble = 0xF0; // of the channel and option flag bytes
constexpr std::uint8_t ScanOn = 0xFE;
constexpr std::uint8_t ScanOff = 0xFF;

// Tone kinds: the top nibble of the code.
constexpr int CtcssBelow100 = 0x0;
constexpr int DcsNormal = 0x8;
constexpr int DcsInverted = 0xC;
constexpr int NoToneKind = 0xF;

// Channel flag nibble: bit 2 is always set on writing and carries nothing on reading.
constexpr int HighPowerBit = 0x8;
constexpr int ChannelFlagFixedBit = 0x4;
constexpr int ScanAddOnBit = 0x2;
constexpr int BusyLockOffBit = 0x1;

// Option flag nibble: bit 3 is always set on writing and carries nothing on reading.
constexpr int OptionFlagFixedBit = 0x8;
constexpr int BatterySaveBit = 0x4;
constexpr int KeyBeepBit = 0x2;
constexpr int AlarmKeyBit = 0x1;

bool isOff(const QString& text, const Words& words) {
    return recogniseWord(text, words) == WordMeaning::Off;
}
bool isOn(const QString& text, const Words& words) {
    return recogniseWord(text, words) == WordMeaning::On;
}
bool isHigh(const QString& text, const Words& words) {
    return recogniseWord(text, words) == WordMeaning::High;
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

// The options block holds each of these indices as one decimal digit in a byte's low nibble.
struct OptionDigit {
    Option option;
    int offset;
};
constexpr OptionDigit optionDigits[] = {{Option::Squelch, field::Squelch},
                                        {Option::TimeOutTimer, field::TimeOutTimer},
                                        {Option::VoicePrompt, field::VoicePrompt}};

} // namespace

QString decodeFrequency(const Block& block, int offset, QChar separator) {
    const auto byte = [&block, offset](int index) { return block[offset + index]; };
    if (byte(0) == 0xFF && byte(1) == 0xFF && byte(2) == 0xFF && byte(3) == 0xFF)
        return {};
    // Digits d1 d2 d3 . d4 d5 d6 d7 d8 stand as d7d8 d5d6 d3d4 d1d2.
    return byteHex(byte(3)) + hexDigit(byte(2) >> 4) + separator + hexDigit(byte(2)) +
           byteHex(byte(1)) + byteHex(byte(0));
}

FrequencyBytes encodeFrequency(const QString& cell) {
    // The fourth character is the separator, whichever the locale wrote.
    const QString digits = cell.left(3) + cell.mid(4, 9);
    if (digits.isEmpty())
        return {0xFF, 0xFF, 0xFF, 0xFF};
    return {packed(digits, 6, 7), packed(digits, 4, 5), packed(digits, 2, 3), packed(digits, 0, 1)};
}

QString decodeTone(const ToneCode& code, const Words& words) {
    // The code's digits h1 h2 h3 h4, top nibble first: the bytes stand low byte first.
    const QChar h[] = {hexDigit(code[1] >> 4), hexDigit(code[1]), hexDigit(code[0] >> 4),
                       hexDigit(code[0])};
    switch (code[1] >> 4) {
    case CtcssBelow100:
        return QString(h[1]) + h[2] + QLatin1Char('.') + h[3];
    case DcsNormal:
        return QLatin1Char('D') + QString(h[1]) + h[2] + h[3] + QLatin1Char('N');
    case DcsInverted:
        return QLatin1Char('D') + QString(h[1]) + h[2] + h[3] + QLatin1Char('I');
    case NoToneKind:
        return words.off;
    default:
        // 1, 2 and any kind the radio does not define: the digits as they stand, in the form
        // that encodes back to the same two bytes, so a read-modify-write keeps them.
        return QString(h[0]) + h[1] + h[2] + QLatin1Char('.') + h[3];
    }
}

ToneCode encodeTone(const QString& cell, const Words& words) {
    if (const std::optional<Tone> tone = parseTone(cell, words)) {
        const QString& value = tone->value;
        switch (tone->kind) {
        case Tone::Kind::Off:
            return {NoTone, NoTone};
        case Tone::Kind::DcsNormal:
        case Tone::Kind::DcsInverted: {
            const int kind = tone->kind == Tone::Kind::DcsNormal ? DcsNormal : DcsInverted;
            return {packed(value, 1, 2), static_cast<std::uint8_t>(kind << 4 | nibble(value, 0))};
        }
        case Tone::Kind::Ctcss:
            if (value.size() == 5) // ddd.d
                return {packed(value, 2, 4), packed(value, 0, 1)};
            return {packed(value, 1, 3), nibble(value, 0)}; // dd.d
        }
    }
    // No tone the radio defines, such as a kind a read gave as digits ("345.6", "A23.4"): its
    // characters go back as the nibbles they stand for, so a read-modify-write keeps the bytes.
    const QString tone = trimmedCell(cell);
    if (tone.isEmpty() || isOff(tone, words))
        return {NoTone, NoTone};
    const QChar last = tone.back();
    // DcccI / DcccN: the three octal digits after the kind nibble.
    if (last == QLatin1Char('I'))
        return {packed(tone, 2, 3), static_cast<std::uint8_t>(DcsInverted << 4 | nibble(tone, 1))};
    if (last == QLatin1Char('N'))
        return {packed(tone, 2, 3), static_cast<std::uint8_t>(DcsNormal << 4 | nibble(tone, 1))};
    if (tone.size() == 5) // ddd.d
        return {packed(tone, 2, 4), packed(tone, 0, 1)};
    return {packed(tone, 1, 3), nibble(tone, 0)}; // dd.d
}

FlagCells decodeChannelFlags(std::uint8_t byte, const Words& words) {
    // Nibbles outside 4-7 and C-F read by the same bits; bit 2 is not looked at.
    return {(byte & HighPowerBit) ? words.high : words.low,
            (byte & ScanAddOnBit) ? words.on : words.off,
            (byte & BusyLockOffBit) ? words.off : words.on};
}

std::uint8_t encodeChannelFlags(const QString& power, const QString& scanAdd,
                                const QString& busyLock, const Words& words) {
    if (power.isEmpty() && scanAdd.isEmpty() && busyLock.isEmpty())
        return EmptyFlags;
    std::uint8_t byte = WrittenHighNibble | ChannelFlagFixedBit;
    if (isHigh(power, words))
        byte |= HighPowerBit;
    if (isOn(scanAdd, words))
        byte |= ScanAddOnBit;
    if (isOff(busyLock, words))
        byte |= BusyLockOffBit;
    return byte;
}

namespace {

ToneCode toneAt(const Block& block, int offset) {
    return {block[offset], block[offset + 1]};
}

template <std::size_t N>
void put(Block& block, int offset, const std::array<std::uint8_t, N>& bytes) {
    std::copy(bytes.begin(), bytes.end(), block.begin() + offset);
}

Block erasedBlock() {
    Block block;
    block.fill(MemoryImage::Erased);
    return block;
}

} // namespace

ChannelRow decodeChannel(const Block& firstHalf, const Block& secondHalf, const Words& words,
                         QChar separator) {
    ChannelRow row;
    const QString rx = decodeFrequency(firstHalf, field::RxFrequency, separator);
    if (rx.isEmpty())
        return row;
    row[Plan::RxFrequency - 1] = rx;
    row[Plan::TxFrequency - 1] = decodeFrequency(firstHalf, field::TxFrequency, separator);
    row[Plan::RxTone - 1] = decodeTone(toneAt(secondHalf, field::RxTone), words);
    row[Plan::TxTone - 1] = decodeTone(toneAt(secondHalf, field::TxTone), words);
    const FlagCells flags = decodeChannelFlags(secondHalf[field::ChannelFlags], words);
    row[Plan::Power - 1] = flags.power;
    row[Plan::ScanAdd - 1] = flags.scanAdd;
    row[Plan::BusyLock - 1] = flags.busyLock;
    return row;
}

ChannelBlocks encodeChannel(const ChannelRow& cells, const Words& words) {
    const auto cell = [&cells](Plan::Column column) { return cells[column - 1]; };
    ChannelBlocks blocks{erasedBlock(), erasedBlock()};
    put(blocks.first, field::RxFrequency, encodeFrequency(cell(Plan::RxFrequency)));
    put(blocks.first, field::TxFrequency, encodeFrequency(cell(Plan::TxFrequency)));
    put(blocks.second, field::RxTone, encodeTone(cell(Plan::RxTone), words));
    put(blocks.second, field::TxTone, encodeTone(cell(Plan::TxTone), words));
    blocks.second[field::ChannelFlags] =
        encodeChannelFlags(cell(Plan::Power), cell(Plan::ScanAdd), cell(Plan::BusyLock), words);
    return blocks;
}

Result<OptionIndices> decodeOptions(const Block& block) {
    OptionIndices indices{};
    for (const OptionDigit& digit : optionDigits) {
        const int value = block[digit.offset] & 0x0F;
        if (value > 9)
            return Status::failure(
                QStringLiteral("Options byte %1 (%2) holds %3: its low digit is not decimal.")
                    .arg(digit.offset)
                    .arg(optionNameInSentence(digit.option), byteHex(block[digit.offset])));
        indices[optionSlot(digit.option)] = value;
    }
    indices[optionSlot(Option::Scan)] = block[field::Scan] == ScanOff ? 1 : 0;
    // A flag nibble below 8 reads by the same bits; bit 3 is not looked at.
    const std::uint8_t flags = block[field::OptionFlags];
    indices[optionSlot(Option::BatterySave)] = (flags & BatterySaveBit) ? 1 : 0;
    indices[optionSlot(Option::KeyBeep)] = (flags & KeyBeepBit) ? 1 : 0;
    indices[optionSlot(Option::AlarmKey)] = (flags & AlarmKeyBit) ? 1 : 0;
    return indices;
}

Block encodeOptions(const OptionIndices& indices) {
    // An index outside its list (a selector without a selection) is written as the start-up
    // value so the block keeps its form; checkOptions reports it before a write begins.
    const auto index = [&indices](Option option) {
        const int value = indices[optionSlot(option)];
        return isListed(option, value) ? value : startupOptionIndices[optionSlot(option)];
    };
    Block block = erasedBlock();
    std::uint8_t flags = WrittenHighNibble | OptionFlagFixedBit;
    if (index(Option::BatterySave) == 1)
        flags |= BatterySaveBit;
    if (index(Option::KeyBeep) == 1)
        flags |= KeyBeepBit;
    if (index(Option::AlarmKey) == 1)
        flags |= AlarmKeyBit;
    block[field::OptionFlags] = flags;
    for (const OptionDigit& digit : optionDigits)
        block[digit.offset] = static_cast<std::uint8_t>(index(digit.option));
    block[field::Scan] = index(Option::Scan) == 1 ? ScanOff : ScanOn;
    return block;
}

QString decodeBand(const Block& block) {
    // An edge's four BCD digits stand low byte first; its 100 kHz digit is not shown.
    const auto edge = [&block](int offset) {
        return byteHex(block[offset + 1]) + hexDigit(block[offset] >> 4);
    };
    return edge(field::LowerBandEdge) + QLatin1Char('-') + edge(field::UpperBandEdge) +
           QStringLiteral("MHz");
}

Block encodeBand(const QString& band) {
    Block block = erasedBlock();
    const auto edge = [&block, &band](int offset, qsizetype first) {
        block[offset] = static_cast<std::uint8_t>(nibble(band, first + 2) << 4);
        block[offset + 1] = packed(band, first, first + 1);
    };
    edge(field::LowerBandEdge, 0);
    edge(field::UpperBandEdge, 4);
    return block;
}

void encodePlan(const Plan& plan, const Words& words, MemoryImage& image) {
    for (int channel = 1; channel <= Plan::ChannelCount; ++channel) {
        const ChannelBlocks blocks = encodeChannel(plan.channel(channel), words);
        image.setBlock(MemoryImage::channelAddress(channel, false), blocks.first);
        image.setBlock(MemoryImage::channelAddress(channel, true), blocks.second);
    }
    image.setBlock(MemoryImage::OptionsAddress, encodeOptions(plan.options));
    image.setBlock(MemoryImage::BandAddress, encodeBand(plan.band));
}

ChannelRow decodeChannel(const MemoryImage& image, int channel, const Words& words,
                         QChar separator) {
    return decodeChannel(image.block(MemoryImage::channelAddress(channel, false)),
                         image.block(MemoryImage::channelAddress(channel, true)), words, separator);
}

Status checkOptions(const OptionIndices& indices) {
    QStringList problems;
    for (const Option option : allOptions) {
        if (const Status checked = checkOption(option, indices[optionSlot(option)]); !checked)
            problems << checked.message();
    }
    return problems.isEmpty() ? Status::success()
                              : Status::failure(problems.join(QLatin1Char('\n')));
}

Status checkOption(Option option, int index) {
    if (isListed(option, index))
        return Status::success();
    return Status::failure(
        QCoreApplication::translate("zev::Codec", "The %1 option has no selection.")
            .arg(optionNameInSentence(option)));
}

Status checkBand(const QString& band) {
    if (!parseBand(band))
        return Status::failure(QCoreApplication::translate(
                                   "zev::Codec", "The band \"%1\" is not of the form ddd-dddMHz.")
                                   .arg(band));
    return Status::success();
}

} // namespace zev::codec
