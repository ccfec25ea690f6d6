#include "radio/portprobe.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zev {

namespace {

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

bool processRuns(qint64 processId) {
    return processId > 0 && (::kill(pid_t(processId), 0) == 0 || errno == EPERM);
}

} // namespace

QString resolveDevicePath(const QString& device) {
    const QFileInfo info(device);
    if (!info.isSymLink())
        return device;
    const QString target = info.canonicalFilePath();
    return target.isEmpty() ? device : target;
}

// The first usable of QSerialPort's lock folders, the device's name below /dev with "/" turned
// into "_", after "LCK..".
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

SerialLock checkSerialLock(const QString& device) {
    SerialLock lock;
    lock.path = serialLockFilePath(device);
    if (lock.path.isEmpty())
        return lock;
    const QByteArray path = QFile::encodeName(lock.path);
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return lock; // no lock file
    struct stat status;
    const bool fresh = ::fstat(fd, &status) == 0 && ::time(nullptr) - status.st_mtime < 2;
    // A live QLockFile keeps a native lock on its file from before it writes its process id.
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK)
        lock.state = SerialLock::Held;
    char text[64] = {};
    const ssize_t length = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    // QLockFile writes "PID\nprogram\nhost\n", the UUCP convention "%10d\n": the process first.
    bool isNumber = false;
    const QByteArray first = QByteArray(text, length > 0 ? length : 0).split('\n').first();
    lock.processId = first.trimmed().toLongLong(&isNumber);
    if (!isNumber)
        lock.processId = 0;
    // A file just created may be empty only because its owner has not written it yet.
    if (lock.state == SerialLock::Held || processRuns(lock.processId) || (fresh && length <= 0)) {
        lock.state = SerialLock::Held;
        return lock;
    }
    // Empty, unreadable as a process id, or its process gone: nobody holds the port.
    lock.state = QFile::remove(lock.path) ? SerialLock::Absent : SerialLock::LeftOver;
    return lock;
}

ProbeOutcome probePort(const QString& device) {
    if (device.isEmpty())
        return ProbeOutcome::Missing;
    const QString node = resolveDevicePath(device);
    const QByteArray path = QFile::encodeName(node);
    struct stat status;
    if (::stat(path.constData(), &status) != 0)
        return outcomeOfOpenError(errno);
    if (S_ISDIR(status.st_mode))
        return ProbeOutcome::Missing;

    // Another QSerialPort user; a lock of a program that is gone is cleared on the way.
    if (checkSerialLock(node).state != SerialLock::Absent)
        return ProbeOutcome::Busy;

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
