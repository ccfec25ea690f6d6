#include "chanfile/channellistfile.h"

#include "chanfile/filesystemerror.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace zev {

Status writeChannelList(const QString& path, const QByteArray& bytes) {
    return writeFileAtomically(path, bytes);
}

Result<QByteArray> readChannelList(const QString& path) {
    if (QFileInfo(path).isDir())
        return Status::failure(
            QCoreApplication::translate("zev::ChannelList", "%1 is a folder, not a channel list.")
                .arg(path));
    // No further than the limit: the file may still be growing.
    bool complete = true;
    const Result<QByteArray> bytes = readPlainFile(path, csv::MaxListBytes, complete);
    if (bytes && !complete)
        return Status::failure(
            QCoreApplication::translate(
                "zev::ChannelList",
                "%1 is larger than 1 MiB, too large for a channel list; nothing was imported.")
                .arg(path));
    return bytes;
}

} // namespace zev
