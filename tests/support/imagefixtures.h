#pragma once

#include "plan/plan.h"
#include "plan/vocabulary.h"
#include "radio/hex.h"

#include <QByteArray>
#include <QString>

// Memory images and plans the radio procedure suites build their cases from.
namespace testsupport {

// One block of a memory image, given as the wire's hex text.
inline void putBlock(QByteArray& image, int address, const QString& hex) {
    const QByteArray block = zev::hexToBytes(hex);
    image.replace(address, block.size(), block);
}

// A plan row unlike any the radio holds: every row filled, so kept and cleared rows show.
inline zev::ChannelRow previousRow(int row) {
    const zev::Words words = zev::chineseWords();
    return {QStringLiteral("150.%1000").arg(row, 2, 10, QLatin1Char('0')),
            QStringLiteral("88.5"),
            QStringLiteral("150.00000"),
            words.off,
            words.low,
            words.off,
            words.on};
}

} // namespace testsupport
