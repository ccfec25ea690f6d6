#include "radio/portprobe.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <limits>
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

// The process id the lock names, or 0 when it names none in a form that can be read. The UUCP
// convention "%10d\n", QLockFile's "PID\nprogram\nhost\n" and minicom's "%10d minicom user\n"
// all start their text with it. A binary id (the old UUCP form) or "locked by 1234" is no such
// form: the content must be text and begin with the whole number. whole: content is all of the
// file.
qint64 lockProcessId(const QByteArray& content, bool whole) {
    for (const char byte : content) {
        const auto code = static_cast<unsigned char>(byte);
        if ((code < 0x20 && byte != '\n' && byte != '\r' && byte != '\t') || code == 0x7F)
            return 0;
    }
    static const QRegularExpression form(QStringLiteral("^[ \\t]*([0-9]{1,10})(?:[ \\t\\r\\n]|$)"));
    const QString text = QString::fromLatin1(content);
    const QRegularExpressionMatch match = form.match(text);
    // A number that runs to the end of what was read may go on in the file.
    if (!match.hasMatch() || (!whole && match.capturedEnd(1) == text.size()))
        return 0;
    const qint64 processId = match.captured(1).toLongLong();
    return processId <= std::numeric_limits<pid_t>::max() ? processId : 0;
}

bool processRuns(qint64 processId) {
    return processId > 0 && (::kill(pid_t(processId), 0) == 0 || errno == EPERM);
}

} // namespace

QString resolveDevicePath(const QString& device) {
    const QString node = QFileInfo(device).canonicalFilePath();
    return node.isEmpty() ? device : node;
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
    struct stat status;
    if (::lstat(path.constData(), &status) != 0)
        return lock; // no lock file
    // Anything but a plain file (a link, a folder) is held: only a dead process named in a form
    // that can be read sets a lock aside.
    lock.state = SerialLock::Held;
    if (!S_ISREG(status.st_mode))
        return lock;
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return lock;
    // A live QLockFile keeps a native lock on its file from before it writes its process id.
    const bool locked = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    char text[128];
    const ssize_t length = ::read(fd, text, sizeof text);
    ::close(fd);
    const qint64 processId =
        length < 0 ? 0 : lockProcessId(QByteArray(text, int(length)), size_t(length) < sizeof text);
    // Empty (perhaps about to be written), unreadable or naming a live process: held.
    if (processRuns(processId)) {
        lock.processId = processId;
        return lock;
    }
    if (locked || processId == 0)
        return lock;
    lock.processId = processId;
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
