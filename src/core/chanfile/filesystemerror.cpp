#include "chanfile/filesystemerror.h"

#include <QFileDevice>

#include <cerrno>

namespace zev {

QString fileSystemErrorText(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
        return QStringLiteral("File not found");
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
        return QStringLiteral("Invalid filename");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Too many open files");
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return QStringLiteral("File access denied");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Disk full");
    case EFBIG:
        return QStringLiteral("File too large");
    default:
        return QStringLiteral("I/O error %1").arg(errorNumber);
    }
}

Status fileSystemFailure(int errorNumber, const QFileDevice& device, const QString& path) {
    const QString text = errorNumber != 0 ? fileSystemErrorText(errorNumber) : device.errorString();
    return Status::failure(QStringLiteral("%1: %2").arg(text, path));
}

} // namespace zev
