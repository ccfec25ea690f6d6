#include "radio/portprobe.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zev {

namespace {

// The lock file QSerialPort takes for a device: the first usable of its lock folders, the
// device's name below /dev with "/" turned into "_", after "LCK..".
QString serialLockFilePath(const QString& device) {
    static const QStringList lockFolders = {QStringLiteral("/var/lock"),
                                            QStringLiteral("/etc/locks"),
                                            QStringLiteral("/var/spool/locks"),
                                            QStringLiteral("/var/spool/uucp"),
                                            QStringLiteral("/tmp"),
                                            QStringLiteral("/var/tmp"),
                                            QStringLiteral("/var/lock/lockdev"),
                                            QStringLiteral("/run/lock")};
    QString name = device.startsWith(QLatin1String("/dev/")) ? device.mid(5) : device;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    name.prepend(QLatin1String("/LCK.."));
    for (const QString& folder : lockFolders) {
        const QFileInfo folderInfo(folder);
        if (folderInfo.isReadable() && (QFile::exists(folder + name) || folderInfo.isWritable()))
            return folder + name;
    }
    return QString();
}

ProbeOutcome outcomeOfOpenError(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return ProbeOutcome::PermissionDenied;
    case EBUSY:
    case EAGAIN:
        return ProbeOutcome::Busy;
    default:
        return ProbeOutcome::Missing;
    }
}

} // namespace

ProbeOutcome probePort(const QString& device) {
    if (device.isEmpty())
        return ProbeOutcome::Missing;
    const QByteArray path = QFile::encodeName(device);
    struct stat status;
    if (::stat(path.constData(), &status) != 0)
        return outcomeOfOpenError(errno);
    if (S_ISDIR(status.st_mode))
        return ProbeOutcome::Missing;

    // Another QSerialPort user: a live lock file. Taking it and letting go is what our own open
    // will do next; a stale lock of a dead process is cleared on the way.
    if (const QString lockPath = serialLockFilePath(device); !lockPath.isEmpty()) {
        QLockFile lock(lockPath);
        if (lock.tryLock(0))
            lock.unlock();
        else if (lock.error() == QLockFile::LockFailedError)
            return ProbeOutcome::Busy;
    }

    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return outcomeOfOpenError(errno);
    ProbeOutcome outcome = ProbeOutcome::Free;
    int exclusive = 0;
    if (!::isatty(fd))
        outcome = ProbeOutcome::Missing; // not a serial device at all
    else if (::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0)
        outcome = ProbeOutcome::Busy; // root gets past the exclusive mode, but sees it
    ::close(fd);
    return outcome;
}

} // namespace zev
