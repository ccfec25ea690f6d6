// A memory image decoded into a plan, encoded back into the image and decoded again gives the
// same plan: what a read brings in, a write puts back unchanged.

#include "fuzzcheck.h"
#include "plan/plan.h"
#include "plan/vocabulary.h"
#include "radio/codec.h"
#include "radio/frames.h"
#include "radio/memoryimage.h"
#include "radio/powerlevels.h"

#include <array>
#include <optional>

using namespace zev;

namespace {

struct DecodedImage {
    QString band;
    std::array<ChannelRow, Plan::ChannelCount> channels;
    std::optional<OptionIndices> options; // nullopt when the read refuses the block
    std::optional<PowerLevels> power;
    bool operator==(const DecodedImage&) const = default;
};

// What a read makes of the image, block by block as the procedures decode it.
DecodedImage decode(const MemoryImage& image, const Words& words, QChar separator) {
    DecodedImage decoded;
    decoded.band = codec::decodeBand(image.block(MemoryImage::BandAddress));
    for (int channel = 1; channel <= Plan::ChannelCount; ++channel)
        decoded.channels[channel - 1] = codec::decodeChannel(image, channel, words, separator);
    if (const Result<OptionIndices> options =
            codec::decodeOptions(image.block(MemoryImage::OptionsAddress));
        options.ok())
        decoded.options = options.value();
    // The power block as the radio's reply brings it.
    const QByteArray reply = frames::header(frames::WriteCommand, MemoryImage::PowerAddress) +
                             toBytes(image.block(MemoryImage::PowerAddress));
    if (const Result<PowerLevels> power = power::decodeReply(reply); power.ok())
        decoded.power = power.value();
    return decoded;
}

// What a write sends for the decoded plan, over the image it came from. Options a write would
// refuse (an index without a selection) keep their block, as a refused write does.
MemoryImage encode(MemoryImage image, const DecodedImage& decoded, const Words& words) {
    image.setBlock(MemoryImage::BandAddress, codec::encodeBand(decoded.band));
    for (int channel = 1; channel <= Plan::ChannelCount; ++channel) {
        const codec::ChannelBlocks blocks =
            codec::encodeChannel(decoded.channels[channel - 1], words);
        image.setBlock(MemoryImage::channelAddress(channel, false), blocks.first);
        image.setBlock(MemoryImage::channelAddress(channel, true), blocks.second);
    }
    if (decoded.options && codec::checkOptions(*decoded.options).ok())
        image.setBlock(MemoryImage::OptionsAddress, codec::encodeOptions(*decoded.options));
    if (decoded.power)
        image.setBlock(MemoryImage::PowerAddress, power::encodeBlock(*decoded.power));
    return image;
}

QString describe(const DecodedImage& decoded) {
    QString text = QStringLiteral("band %1\n").arg(decoded.band);
    for (const ChannelRow& row : decoded.channels)
        text += QStringList(row.begin(), row.end()).join(QStringLiteral(" | ")) + QLatin1Char('\n');
    if (decoded.options)
        for (int index : *decoded.options)
            text += QString::number(index) + QLatin1Char(' ');
    if (decoded.power)
        text += QStringLiteral("\npower %1 %2 %3")
                    .arg(decoded.power->high)
                    .arg(decoded.power->low)
                    .arg(decoded.power->lowVoltage);
    return text;
}

} // namespace

ZEV_FUZZ_TARGET(memoryimage) {
    const MemoryImage image(fuzz::inputBytes(data, size));

    for (const Words& words : {englishWords(), chineseWords()}) {
        for (const QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
            const DecodedImage first = decode(image, words, separator);
            const MemoryImage written = encode(image, first, words);
            const DecodedImage second = decode(written, words, separator);
            FUZZ_CHECK(second == first, QStringLiteral("read:\n%1\nread after the write:\n%2")
                                            .arg(describe(first), describe(second)));
            FUZZ_CHECK(encode(written, second, words) == written,
                       QString::fromLatin1(written.bytes().toHex()));
        }
    }
    return 0;
}
