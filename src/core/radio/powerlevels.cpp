#include "radio/powerlevels.h"

#include "radio/frames.h"
#include "radio/hex.h"

#include <QCoreApplication>

namespace zev::power {

namespace {

Result<int> levelFromField(const QString& text, const QString& name) {
    if (text.trimmed().isEmpty())
        return Status::failure(QCoreApplication::translate("zev::Power", "Enter the %1 (0 to %2).")
                                   .arg(name)
                                   .arg(MaximumLevel));
    bool number = false;
    const int value = text.trimmed().toInt(&number, 10);
    if (!number || value < 0)
        return Status::failure(
            QCoreApplication::translate("zev::Power", "The %1 '%2' is not a number from 0 to %3.")
                .arg(name, text)
                .arg(MaximumLevel));
    if (value > MaximumLevel)
        return Status::failure(QCoreApplication::translate("zev::Power", "The %1 %2 is above %3.")
                                   .arg(name)
                                   .arg(value)
                                   .arg(MaximumLevel));
    return value;
}

} // namespace

Result<PowerLevels> levelsFromFields(const QString& high, const QString& low, int lowVoltageIndex) {
    const Result<int> highLevel =
        levelFromField(high, QCoreApplication::translate("zev::Power", "high-power level"));
    if (!highLevel)
        return Status::failure(highLevel.message());
    const Result<int> lowLevel =
        levelFromField(low, QCoreApplication::translate("zev::Power", "low-power level"));
    if (!lowLevel)
        return Status::failure(lowLevel.message());
    if (lowVoltageIndex < 0 || lowVoltageIndex >= LowVoltageLevels)
        return Status::failure(
            QCoreApplication::translate("zev::Power", "Choose a low-voltage level (0, 1 or 2)."));
    return PowerLevels{highLevel.value(), lowLevel.value(), lowVoltageIndex};
}

Block encodeBlock(const PowerLevels& levels) {
    Block block;
    block.fill(MemoryImage::Erased);
    block[field::HighPower] = static_cast<std::uint8_t>(levels.high);
    block[field::LowPower] = static_cast<std::uint8_t>(levels.low);
    block[field::LowVoltage] = static_cast<std::uint8_t>(0xF0 | levels.lowVoltage);
    return block;
}

Result<PowerLevels> decodeReply(const QByteArray& reply) {
    if (reply.size() != frames::ReadReplySize)
        return Status::failure(
            QCoreApplication::translate("zev::Power",
                                        "The radio's power calibration reply has %1 bytes, not "
                                        "%2: nothing was read.")
                .arg(reply.size())
                .arg(frames::ReadReplySize));
    const Block block = frames::replyBlock(reply);
    const int lowVoltage = block[field::LowVoltage] & 0x0F;
    if (lowVoltage >= LowVoltageLevels)
        return Status::failure(
            QCoreApplication::translate("zev::Power",
                                        "The radio's power calibration block is erased or "
                                        "invalid (%1): its low-voltage level is not 0, 1 or 2.")
                .arg(bytesToHex(toBytes(block))));
    return PowerLevels{block[field::HighPower], block[field::LowPower], lowVoltage};
}

} // namespace zev::power
