#pragma once

#include "plan/plan.h"
#include "plan/vocabulary.h"
#include "radio/memoryimage.h"
#include "status.h"

#include <QString>

#include <array>
#include <cstdint>

// The radio's memory image: the one place that knows its field encodings. Fields are read and
// written as bytes at the offsets memoryimage.h names.
namespace zev::codec {

using FrequencyBytes = std::array<std::uint8_t, field::FrequencySize>;
using ToneCode = std::array<std::uint8_t, field::ToneSize>; // in address order

// The frequency at offset in a channel's first half. Digits are shown as they stand; all four
// bytes 0xFF give the empty text.
QString decodeFrequency(const Block& block, int offset, QChar separator);
// BCD, least significant byte first; empty gives FF FF FF FF. A character that is not a digit
// (or missing) is taken as its hex value (or 0): the write checks refuse such cells first.
FrequencyBytes encodeFrequency(const QString& cell);

QString decodeTone(const ToneCode& code, const Words& words);
// The off word of either language, or an empty cell, is no tone (FF FF).
ToneCode encodeTone(const QString& cell, const Words& words);

struct FlagCells {
    QString power;
    QString scanAdd;
    QString busyLock;
};
// Only the low nibble of the channel flag byte counts.
FlagCells decodeChannelFlags(std::uint8_t byte, const Words& words);
// The active words and the recognised words of either language count by meaning.
// All three empty gives 0xFF.
std::uint8_t encodeChannelFlags(const QString& power, const QString& scanAdd,
                                const QString& busyLock, const Words& words);

struct ChannelBlocks {
    Block first;
    Block second;
    bool operator==(const ChannelBlocks&) const = default;
};
// One channel from its two halves; an empty RX frequency gives an empty row.
ChannelRow decodeChannel(const Block& firstHalf, const Block& secondHalf, const Words& words,
                         QChar separator);
ChannelBlocks encodeChannel(const ChannelRow& cells, const Words& words);

// Options block. A squelch, time-out or voice digit that is not decimal fails the decode.
Result<OptionIndices> decodeOptions(const Block& block);
Block encodeOptions(const OptionIndices& indices);

// Band block <-> band string "ddd-dddMHz".
QString decodeBand(const Block& block);
Block encodeBand(const QString& band);

// The plan as a whole image: its 16 channels, its options and its band written over image;
// every other block keeps its bytes. Words of the given language are looked at first.
void encodePlan(const Plan& plan, const Words& words, MemoryImage& image);
ChannelRow decodeChannel(const MemoryImage& image, int channel, const Words& words,
                         QChar separator);

// Checks the write procedure makes before it puts the radio into programming mode (the channel
// cells are checked with the rest of the plan, see writecheck.h). The encoders above assume
// values that pass them. Every option without a selection is named, one per line.
Status checkOptions(const OptionIndices& indices);
Status checkOption(Option option, int index);
Status checkBand(const QString& band);

} // namespace zev::codec
