#include "chanfile/filesystemerror.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zev {

QString fileSystemErrorText(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
        return QCoreApplication::translate("zev::FileSystemError", "File not found");
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
        return QCoreApplication::translate("zev::FileSystemError", "Invalid filename");
    case EMFILE:
    case ENFILE:
        return QCoreApplication::translate("zev::FileSystemError", "Too many open files");
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return QCoreApplication::translate("zev::FileSystemError", "File access denied");
    case ENOSPC:
    case EDQUOT:
        return QCoreApplication::translate("zev::FileSystemError", "Disk full");
    case EAGAIN:
        return QCoreApplication::translate("zev::FileSystemError",
                                           "File cannot be read without waiting");
    case EFBIG:
        return QCoreApplication::translate("zev::FileSystemError", "File too large");
    default:
        return QCoreApplication::translate("zev::FileSystemError", "I/O error %1").arg(errorNumber);
    }
}

Status fileSystemFailure(int errorNumber, const QFileDevice& device, const QString& path) {
    const QString text = errorNumber != 0 ? fileSystemErrorText(errorNumber) : device.errorString();
    return Status::failure(QStringLiteral("%1: %2").arg(text, path));
}

Status fileSystemFailure(int errorNumber, const QString& path) {
    return Status::failure(QStringLiteral("%1: %2").arg(fileSystemErrorText(errorNumber), path));
}

namespace {

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

// Checked again on the open file, since the name may point elsewhere by now.
Status checkOpenPlainFile(int fd, const QString& path) {
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return fileSystemFailure(errno, path);
    if (!S_ISREG(status.st_mode))
        return notAFile(path, S_ISDIR(status.st_mode));
    return Status::success();
}

// Closes the descriptor on every way out.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

Status checkPlainFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return Status::success();
    return notAFile(path, info.isDir());
}

Result<QByteArray> readPlainFile(const QString& path, qint64 limit, bool& complete) {
    if (const Status plain = checkPlainFile(path); !plain)
        return plain;
    errno = 0;
    const Descriptor in{
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (in.fd < 0)
        return fileSystemFailure(errno, path);
    if (const Status plain = checkOpenPlainFile(in.fd, path); !plain)
        return plain;

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
        return fileSystemFailure(errno, path);
    }
    complete = got <= limit;
    bytes.truncate(qMin(got, limit));
    return bytes;
}

Status openPlainFileForWriting(QFile& file, const QString& path) {
    if (const Status plain = checkPlainFile(path); !plain)
        return plain;
    errno = 0;
    Descriptor out{::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666)};
    if (out.fd < 0)
        return fileSystemFailure(errno, path);
    if (const Status plain = checkOpenPlainFile(out.fd, path); !plain)
        return plain;
    // Emptied only now that it is known to be a plain file.
    if (::ftruncate(out.fd, 0) != 0)
        return fileSystemFailure(errno, path);
    if (!file.open(out.fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle))
        return fileSystemFailure(0, file, path);
    out.fd = -1; // the file closes it now
    return Status::success();
}

Status writeFileAtomically(const QString& path, const QByteArray& bytes) {
    if (const Status plain = checkPlainFile(path); !plain)
        return plain;
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

} // namespace zev
