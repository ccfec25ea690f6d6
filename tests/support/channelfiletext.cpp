#include "channelfiletext.h"

#include "gbk.h"

namespace testsupport {

QStringList channelFileLines(const ChannelFileHead& head, const QStringList& channels) {
    QStringList lines{"RH-4800 MEMORY CHANNEL",
                      "",
                      "",
                      "BAND " + head.band,
                      "Squelch 2 2",
                      "BatSave 1 ON",
                      "TxT.O.T " + head.timeOutTimer,
                      "SCAN 1 OFF",
                      "TONE 1 ON",
                      "BAO 1 ON",
                      "VOICE " + head.voice,
                      "",
                      ""};
    for (int row = 1; row <= 16; ++row) {
        const QString start = QStringLiteral("CH%1 |").arg(row, 2, 10, QLatin1Char('0'));
        QString line = start + QStringLiteral("  |  |  |  |  |  |  | ");
        for (const QString& given : channels)
            if (given.startsWith(start))
                line = given;
        lines << line;
    }
    return lines;
}

QByteArray channelFileBytes(const QStringList& lines) {
    return gbk(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

} // namespace testsupport
