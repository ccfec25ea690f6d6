#include "chanfile/channelfile.h"
#include "chanfile/channelfilelines.h"
#include "chanfile/filesystemerror.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zev {

namespace {

// Only the first 29 lines count, and Save writes a few hundred bytes: reading more than this
// would only let a wrong file (a disk image, a log) fill the memory.
constexpr qint64 readLimit = 64 * 1024;

Status notAFile(const QString& path, bool folder) {
    const QString denied = fileSystemErrorText(EACCES);
    if (folder)
        return Status::failure(
            QCoreApplication::translate("zev::ChannelFile", "%1: %2 is a folder, not a file")
                .arg(denied, path));
    return Status::failure(
        QCoreApplication::translate("zev::ChannelFile",
                                    "%1: %2 is not a plain file (a pipe, device or socket)")
            .arg(denied, path));
}

Status systemFailure(int errorNumber, const QString& path) {
    return Status::failure(QStringLiteral("%1: %2").arg(fileSystemErrorText(errorNumber), path));
}

// A directory, a pipe or a device is no channel file: opening a pipe could block for ever, and
// the atomic save would replace a device node by a plain file.
Status checkRegularFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return Status::success();
    return notAFile(path, info.isDir());
}

// Closes the descriptor on every way out.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

// Up to `limit` bytes, and whether more would follow. Opened without waiting and read without
// waiting: a file that holds its data back (a kernel log under /proc, a file under a lease) is
// refused, never waited for. The type is checked again on the open file, since the name may
// point elsewhere by now.
Result<QByteArray> readWithoutWaiting(const QString& path, qint64 limit, bool& complete) {
    errno = 0;
    const Descriptor in{
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (in.fd < 0)
        return systemFailure(errno, path);
    struct stat status {};
    if (::fstat(in.fd, &status) != 0)
        return systemFailure(errno, path);
    if (!S_ISREG(status.st_mode))
        return notAFile(path, S_ISDIR(status.st_mode));

    QByteArray bytes(limit + 1, Qt::Uninitialized);
    qint64 got = 0;
    while (got < bytes.size()) {
        const ssize_t count = ::read(in.fd, bytes.data() + got, size_t(bytes.size() - got));
        if (count == 0)
            break;
        if (count > 0) {
            got += count;
            continue;
        }
        if (errno == EINTR)
            continue;
        return systemFailure(errno, path);
    }
    complete = got <= limit;
    bytes.truncate(qMin(got, limit));
    return bytes;
}

} // namespace

Status saveChannelFile(const QString& path, const ChannelFile& file) {
    if (const Status storable = checkStorable(channelFileLines(file), path); !storable.ok())
        return storable;
    const QByteArray bytes = formatChannelFile(file);
    if (const Status target = checkRegularFile(path); !target.ok())
        return target;

    return writeFileAtomically(path, bytes);
}

Result<ChannelFile> loadChannelFile(const QString& path) {
    Result<LoadedChannelFile> loaded = readChannelFile(path);
    if (!loaded.ok())
        return Status::failure(loaded.message());
    return std::move(loaded).value().file;
}

Result<LoadedChannelFile> readChannelFile(const QString& path) {
    if (const Status source = checkRegularFile(path); !source.ok())
        return source;
    bool complete = true;
    const Result<QByteArray> bytes = readWithoutWaiting(path, readLimit, complete);
    if (!bytes.ok())
        return Status::failure(bytes.message());
    const qsizetype completeLines = bytes->count('\n');
    if (!complete && completeLines < ChannelFileLineCount)
        return lineFailure(
            path, int(completeLines) + 1,
            QCoreApplication::translate("zev::ChannelFile", "too long for a channel file"));
    Result<ChannelFile> file = parseChannelFile(bytes.value(), path);
    if (!file.ok())
        return Status::failure(file.message());
    return LoadedChannelFile{std::move(file).value(), presentLineCount(bytes.value())};
}

Result<LoadedChannelFile> openChannelFile(const QString& path, ChannelPlan& plan,
                                          ModelList& models) {
    Result<LoadedChannelFile> loaded = readChannelFile(path);
    if (loaded.ok())
        applyChannelFile(loaded->file, plan, models);
    return loaded;
}

} // namespace zev
