#include "frames.h"

#include "files.h"
#include "sim/virtuallink.h"

#include <QRegularExpression>

namespace testsupport {

QString addressHex(int address) {
    return QStringLiteral("%1").arg(address, 4, 16, QLatin1Char('0')).toUpper();
}

QStringList sentFrames(const zev::VirtualLink& link) {
    QStringList sent;
    for (const QString& line : link.trafficHex())
        if (line.startsWith(QLatin1Char('>')))
            sent.append(line.mid(1));
    return sent;
}

QStringList heardFrames(const QString& tracePath, Skipped skipped) {
    static const QRegularExpression frame(QStringLiteral("^[0-9.]+ > ([0-9A-F]+)( skipped)?$"));
    QStringList frames;
    for (const QByteArray& line : readFile(tracePath).split('\n'))
        if (const auto match = frame.match(QString::fromLatin1(line));
            match.hasMatch() && (skipped == Skipped::Included || match.captured(2).isEmpty()))
            frames.append(match.captured(1));
    return frames;
}

} // namespace testsupport
