#pragma once

#include "plan/channelplan.h"
#include "plan/vocabulary.h"
#include "status.h"

#include <QString>

#include <utility>

// The radio's memory image: the one place that knows its addresses and field encodings.
// Everything works on hex text; a read reply's data byte k stands at characters 9 + 2k and
// 10 + 2k (counted from 1) after four unexamined bytes.
namespace zev::codec {

constexpr int BlockSize = 8;
constexpr int ReplySize = 12; // four unexamined bytes, then the block
constexpr int OptionsAddress = 0x03C0;
constexpr int PowerAddress = 0x03C8;
constexpr int BandAddress = 0x03E0;
constexpr int ImageSize = 1024;

// Address of a channel half: 16 x channel, plus 8 for the second half.
int channelAddress(int channel, bool secondHalf);

// Frequency field of a reply; position 15 is the RX frequency, 23 the TX frequency.
// Digits are copied as they stand; all eight F digits give the empty text.
QString decodeFrequency(const QString& reply, int position, QChar separator);
// Eight hex digits for a frequency cell, least significant byte first; empty gives FFFFFFFF.
QString encodeFrequency(const QString& cell);

// Tone code: four hex digits in address order.
QString decodeTone(const QString& code, const Words& words);
// The off word of either language, or an empty cell, is no tone (FFFF).
QString encodeTone(const QString& cell, const Words& words);

struct FlagCells {
    QString power;
    QString flagA;
    QString flagB;
};
// Low nibble of the channel flag byte as one hex digit.
FlagCells decodeChannelFlags(QChar digit, const Words& words);
// The active words and the recognised words of either language count by meaning.
// All three empty gives FF.
QString encodeChannelFlags(const QString& power, const QString& flagA, const QString& flagB,
                           const Words& words);

// One channel from the replies to its two halves; an empty RX frequency gives an empty row.
ChannelRow decodeChannel(const QString& firstHalfReply, const QString& secondHalfReply,
                         const Words& words, QChar separator);
// The two halves, sixteen hex digits each.
std::pair<QString, QString> encodeChannel(const ChannelRow& cells, const Words& words);

// Options block. A squelch, time-out or voice digit that is not decimal fails the decode.
Result<OptionIndices> decodeOptions(const QString& reply);
QString encodeOptions(const OptionIndices& indices);

// Band block <-> band string "ddd-dddMHz".
QString decodeBand(const QString& reply);
QString encodeBand(const QString& band);

// Checks the write procedure makes before it puts the radio into programming mode (the channel
// cells are checked with the rest of the plan, see writecheck.h). The encoders above assume
// values that pass them. Every option without a selection is named, one per line.
Status checkOptions(const OptionIndices& indices);
Status checkBand(const QString& band);

} // namespace zev::codec
