#include "radio/powerlevels.h"

#include "radio/codec.h"

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

QString byteHex(int value) {
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
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

QString encodeBlock(const PowerLevels& levels) {
    return byteHex(levels.high) + byteHex(levels.low) + QLatin1Char('F') +
           QString::number(levels.lowVoltage) + QStringLiteral("FFFFFFFFFF");
}

Result<PowerLevels> decodeReply(const QString& reply) {
    constexpr int ReplyDigits = 2 * codec::ReplySize;
    if (reply.size() != ReplyDigits)
        return Status::failure(
            QCoreApplication::translate("zev::Power",
                                        "The radio's power calibration reply has %1 bytes, not "
                                        "%2: nothing was read.")
                .arg(reply.size() / 2)
                .arg(codec::ReplySize));
    bool hex = false;
    const int high = reply.mid(8, 2).toInt(&hex, 16);
    const int low = hex ? reply.mid(10, 2).toInt(&hex, 16) : 0;
    const QChar voltage = reply.at(13);
    const int lowVoltage = voltage.digitValue();
    if (!hex || lowVoltage < 0 || lowVoltage >= LowVoltageLevels)
        return Status::failure(
            QCoreApplication::translate("zev::Power",
                                        "The radio's power calibration block is erased or "
                                        "invalid (%1): its low-voltage level is not 0, 1 or 2.")
                .arg(reply.mid(8, 16)));
    return PowerLevels{high, low, lowVoltage};
}

} // namespace zev::power
