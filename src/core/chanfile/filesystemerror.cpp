#include "chanfile/filesystemerror.h"

#include <QCoreApplication>
#include <QFileDevice>
#include <QSaveFile>

#include <cerrno>

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

Status writeFileAtomically(const QString& path, const QByteArray& bytes) {
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
