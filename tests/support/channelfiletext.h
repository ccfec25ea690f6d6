#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace testsupport {

// The option lines of a channel file that tests vary; the others hold the start-up options.
struct ChannelFileHead {
    QString band = QStringLiteral("136-174MHz");
    QString timeOutTimer = QStringLiteral("4 4 min"); // after "TxT.O.T "
    QString voice = QStringLiteral("0 x");            // after "VOICE "
};

// The 29 lines of a channel file: the head, then channels 1 to 16, each the line given for it
// (found by its "CHnn |" start) or an empty row.
QStringList channelFileLines(const ChannelFileHead& head, const QStringList& channels = {});

// Lines as the file holds them: GBK, each ending in CR LF.
QByteArray channelFileBytes(const QStringList& lines);

} // namespace testsupport
