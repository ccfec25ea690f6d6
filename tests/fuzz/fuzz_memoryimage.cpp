// A memory image decoded into a plan, encoded back into the image and decoded again gives the
// same plan: what a read brings in, a write puts back unchanged.

#include "fuzzcheck.h"
#include "plan/channelplan.h"
#include "plan/vocabulary.h"
#include "radio/codec.h"
#include "radio/hex.h"
#include "radio/powerlevels.h"

#include <array>
#include <optional>

using namespace zev;

namespace {

struct DecodedImage {
    QString band;
    std::array<ChannelRow, ChannelPlan::ChannelCount> channels;
    std::optional<OptionIndices> options; // nullopt when the read refuses the block
    std::optional<PowerLevels> power;
    bool operator==(const DecodedImage&) const = default;
};

// The read reply for the block at address, as the radio sends it.
QString reply(const QByteArray& image, int address) {
    QByteArray bytes;
    bytes += 'W';
    bytes += char(address >> 8);
    bytes += char(address & 0xFF);
    bytes += char(codec::BlockSize);
    return bytesToHex(bytes + image.mid(address, codec::BlockSize));
}

DecodedImage decode(const QByteArray& image, const Words& words, QChar separator) {
    DecodedImage decoded;
    decoded.band = codec::decodeBand(reply(image, codec::BandAddress));
    for (int channel = 1; channel <= ChannelPlan::ChannelCount; ++channel)
        decoded.channels[channel - 1] = codec::decodeChannel(
            reply(image, codec::channelAddress(channel, false)),
            reply(image, codec::channelAddress(channel, true)), words, separator);
    if (const Result<OptionIndices> options =
            codec::decodeOptions(reply(image, codec::OptionsAddress));
        options.ok())
        decoded.options = options.value();
    if (const Result<PowerLevels> power = power::decodeReply(reply(image, codec::PowerAddress));
        power.ok())
        decoded.power = power.value();
    return decoded;
}

void store(QByteArray& image, int address, const QString& block) {
    FUZZ_CHECK(block.size() == 2 * codec::BlockSize && isHexText(block),
               QStringLiteral("block %1 at %2").arg(block).arg(address, 4, 16, QLatin1Char('0')));
    image.replace(address, codec::BlockSize, hexToBytes(block));
}

// What a write sends for the decoded plan, over the image it came from. Options a write would
// refuse (an index without a selection) keep their block, as a refused write does.
QByteArray encode(QByteArray image, const DecodedImage& decoded, const Words& words) {
    store(image, codec::BandAddress, codec::encodeBand(decoded.band));
    for (int channel = 1; channel <= ChannelPlan::ChannelCount; ++channel) {
        const auto [first, second] = codec::encodeChannel(decoded.channels[channel - 1], words);
        store(image, codec::channelAddress(channel, false), first);
        store(image, codec::channelAddress(channel, true), second);
    }
    if (decoded.options && codec::checkOptions(*decoded.options).ok())
        store(image, codec::OptionsAddress, codec::encodeOptions(*decoded.options));
    if (decoded.power)
        store(image, codec::PowerAddress, power::encodeBlock(*decoded.power));
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
    QByteArray image = fuzz::inputBytes(data, size).left(codec::ImageSize);
    image.append(QByteArray(codec::ImageSize - image.size(), char(0xFF)));

    for (const Words& words : {englishWords(), chineseWords()}) {
        for (const QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
            const DecodedImage first = decode(image, words, separator);
            const QByteArray written = encode(image, first, words);
            const DecodedImage second = decode(written, words, separator);
            FUZZ_CHECK(second == first, QStringLiteral("read:\n%1\nread after the write:\n%2")
                                            .arg(describe(first), describe(second)));
            FUZZ_CHECK(encode(written, second, words) == written,
                       QString::fromLatin1(written.toHex()));
        }
    }
    return 0;
}
