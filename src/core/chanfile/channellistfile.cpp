#include "chanfile/channellistfile.h"

#include "chanfile/filesystemerror.h"
#include "plan/channelplan.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace zev {

csv::Channels planChannels(const ChannelPlan& plan) {
    csv::Channels channels;
    for (int row = 1; row <= ChannelPlan::ChannelCount; ++row)
        channels[size_t(row - 1)] = plan.channel(row);
    return channels;
}

Status writeChannelList(const QString& path, const QByteArray& bytes) {
    return writeFileAtomically(path, bytes);
}

Result<QByteArray> readChannelList(const QString& path) {
    QFile in(path);
    errno = 0;
    if (QFileInfo(path).isDir())
        return Status::failure(
            QCoreApplication::translate("zev::ChannelList", "%1 is a folder, not a channel list.")
                .arg(path));
    if (!in.open(QIODevice::ReadOnly))
        return fileSystemFailure(errno, in, path);
    // No further than the limit: the file may be a device or still growing.
    const QByteArray bytes = in.read(csv::MaxListBytes + 1);
    if (bytes.size() > csv::MaxListBytes)
        return Status::failure(
            QCoreApplication::translate(
                "zev::ChannelList",
                "%1 is larger than 1 MiB, too large for a channel list; nothing was imported.")
                .arg(path));
    return bytes;
}

} // namespace zev
