#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>

namespace zev {

// The unit the radio moves: one read or write frame carries one block.
using Block = std::array<std::uint8_t, 8>;

// Byte offsets of the fields within their blocks.
namespace field {
// First half of a channel: the frequencies, four BCD bytes each.
constexpr int RxFrequency = 0;
constexpr int TxFrequency = 4;
constexpr int FrequencySize = 4;
// Second half of a channel: the tone codes, two bytes each, and the flag byte.
constexpr int RxTone = 0;
constexpr int TxTone = 2;
constexpr int ToneSize = 2;
constexpr int ChannelFlags = 4;
// Options block.
constexpr int OptionFlags = 0;
constexpr int Squelch = 1;
constexpr int TimeOutTimer = 3;
constexpr int VoicePrompt = 5;
constexpr int Scan = 6;
// Band block: the edges in units of 100 kHz, two BCD bytes each.
constexpr int LowerBandEdge = 0;
constexpr int UpperBandEdge = 2;
constexpr int BandEdgeSize = 2;
// Power calibration block.
constexpr int HighPower = 0;
constexpr int LowPower = 1;
constexpr int LowVoltage = 2;
} // namespace field

// The radio's memory as this program knows it: 1 KiB addressed in blocks. Only the channel
// halves, the options, the power calibration and the band blocks mean anything to it.
class MemoryImage {
public:
    static constexpr int Size = 1024;
    static constexpr int Channels = 16;
    static constexpr int BlockSize = static_cast<int>(Block().size());
    static constexpr int OptionsAddress = 0x03C0;
    static constexpr int PowerAddress = 0x03C8;
    static constexpr int BandAddress = 0x03E0;
    static constexpr std::uint8_t Erased = 0xFF;

    // 16 x channel, plus 8 for the second half.
    static constexpr int channelAddress(int channel, bool secondHalf) {
        return 16 * channel + (secondHalf ? BlockSize : 0);
    }
    // The channel whose given half lies at address, or 0.
    static constexpr int channelAt(int address, bool secondHalf) {
        const int channel = address / 16;
        return channel >= 1 && channel <= Channels && channelAddress(channel, secondHalf) == address
                   ? channel
                   : 0;
    }
    static constexpr bool holdsBlock(int address) {
        return address >= 0 && address + BlockSize <= Size;
    }

    MemoryImage(); // erased memory: every byte 0xFF
    // Missing bytes read as erased; bytes past the image are dropped.
    explicit MemoryImage(const QByteArray& bytes);

    // A block outside the image reads as erased and is not stored.
    Block block(int address) const;
    void setBlock(int address, const Block& block);
    const QByteArray& bytes() const { return m_bytes; }

    bool operator==(const MemoryImage&) const = default;

private:
    QByteArray m_bytes;
};

// The first eight bytes as a block; missing bytes read as erased.
Block toBlock(const QByteArray& bytes);
QByteArray toBytes(const Block& block);

} // namespace zev
