#include "chanfile/channelfile.h"
#include "chanfile/channelfilelines.h"
#include "chanfile/filesystemerror.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace zev {

namespace {

// Only the first 29 lines count, and Save writes a few hundred bytes: reading more than this
// would only let a wrong file (a disk image, a log) fill the memory.
constexpr qint64 readLimit = 64 * 1024;
constexpr int usedLineCount = 29;

// A directory, a pipe or a device is no channel file: opening a pipe could block for ever, and
// the atomic save would replace a device node by a plain file.
Status checkRegularFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return Status::success();
    const QString denied = fileSystemErrorText(EACCES);
    if (info.isDir())
        return Status::failure(
            QCoreApplication::translate("zev::ChannelFile", "%1: %2 is a folder, not a file")
                .arg(denied, path));
    return Status::failure(QStringLiteral("%1: %2").arg(denied, path));
}

} // namespace

Status saveChannelFile(const QString& path, const ChannelFile& file) {
    if (const Status storable = checkStorable(channelFileLines(file), path); !storable.ok())
        return storable;
    const QByteArray bytes = formatChannelFile(file);
    if (const Status target = checkRegularFile(path); !target.ok())
        return target;

    // Written to a temporary file beside the target and renamed over it only when complete.
    QSaveFile out(path);
    errno = 0;
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fileSystemFailure(errno, out, path);
    errno = 0;
    if (out.write(bytes) != bytes.size()) {
        const int writeError = errno;
        out.cancelWriting();
        return fileSystemFailure(writeError, out, path);
    }
    errno = 0;
    if (!out.commit())
        return fileSystemFailure(errno, out, path);
    return Status::success();
}

Result<ChannelFile> loadChannelFile(const QString& path) {
    if (const Status source = checkRegularFile(path); !source.ok())
        return source;
    QFile in(path);
    errno = 0;
    if (!in.open(QIODevice::ReadOnly))
        return fileSystemFailure(errno, in, path);
    errno = 0;
    const QByteArray bytes = in.read(readLimit);
    if (in.error() != QFileDevice::NoError)
        return fileSystemFailure(errno, in, path);
    const qsizetype completeLines = bytes.count('\n');
    if (!in.atEnd() && completeLines < usedLineCount)
        return lineFailure(
            path, int(completeLines) + 1,
            QCoreApplication::translate("zev::ChannelFile", "too long for a channel file"));
    return parseChannelFile(bytes, path);
}

Status openChannelFile(const QString& path, ChannelPlan& plan, ModelList& models) {
    const Result<ChannelFile> file = loadChannelFile(path);
    if (!file.ok())
        return Status::failure(file.message());
    applyChannelFile(file.value(), plan, models);
    return Status::success();
}

} // namespace zev
