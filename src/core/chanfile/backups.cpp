#include "chanfile/backups.h"

#include "chanfile/channelfilelines.h"
#include "chanfile/filesystemerror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace zev::backups {

namespace {

const QString extension = QStringLiteral(".z81");

// A backup is a few hundred bytes; anything much larger is no backup.
constexpr qint64 readLimit = 64 * 1024;

// Names tried for one second and device before the save gives up.
constexpr int maxNumber = 1000;

// "yyyyMMdd-HHmmss-<device>[-<n>].z81"; the marker inside decides, the name only narrows.
bool hasBackupName(const QString& name) {
    static const QRegularExpression form(QStringLiteral("^[0-9]{8}-[0-9]{6}-.+\\.z81$"));
    return form.match(name).hasMatch();
}

// Made here and nowhere else: O_EXCL fails on any name already taken, a dangling link included,
// so the bytes can land nowhere but in a new file of the folder. A file that cannot be written
// whole is removed again. taken tells the caller to try another name.
Status createFile(const QString& path, const QByteArray& bytes, bool& taken) {
    taken = false;
    const QByteArray name = QFile::encodeName(path);
    errno = 0;
    const int fd = ::open(name.constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        taken = errno == EEXIST;
        return fileSystemFailure(errno, path);
    }
    int error = 0;
    for (qsizetype written = 0; written < bytes.size() && error == 0;) {
        const ssize_t count =
            ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (count > 0)
            written += count;
        else if (errno != EINTR)
            error = count == 0 ? EIO : errno;
    }
    // On disk before the radio is overwritten.
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0)
        return Status::success();
    ::unlink(name.constData());
    return fileSystemFailure(error, path);
}

// The time in the name, then the file's own time for backups of the same second.
struct Aged {
    QString name;
    QDateTime modified;
    bool operator<(const Aged& other) const {
        const QStringView time = QStringView(name).left(15);
        const QStringView otherTime = QStringView(other.name).left(15);
        if (time != otherTime)
            return time < otherTime;
        return modified < other.modified;
    }
};

} // namespace

// /dev/pts/7 is "pts-7" rather than a bare "7".
QString deviceName(const QString& device) {
    const QString node = QFileInfo(device).canonicalFilePath();
    QString name = node.isEmpty() ? QDir::cleanPath(device) : node;
    if (name.startsWith(QStringLiteral("/dev/")))
        name = name.mid(5).replace(QLatin1Char('/'), QLatin1Char('-'));
    else
        name = QFileInfo(name).fileName();
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    return name.isEmpty() ? QStringLiteral("radio") : name;
}

QString defaultDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/zev4800/backups");
}

QString fileName(const QDateTime& time, const QString& device) {
    return time.toString(QStringLiteral("yyyyMMdd-HHmmss")) + QLatin1Char('-') +
           deviceName(device) + extension;
}

QByteArray markerLine(const QString& name) {
    return "ZEV4800 BACKUP " + QFile::encodeName(name) + "\r\n";
}

bool isBackupFile(const QString& path) {
    const QFileInfo info(path);
    if (!hasBackupName(info.fileName()) || info.isSymLink())
        return false;
    bool complete = false;
    const Result<QByteArray> bytes = readPlainFile(path, readLimit, complete);
    if (!bytes || !complete)
        return false;
    const QByteArray marker = markerLine(info.fileName());
    return bytes->endsWith(marker) &&
           (bytes->size() == marker.size() || bytes->at(bytes->size() - marker.size() - 1) == '\n');
}

Result<QString> save(const QString& directory, const Plan& plan, const SelectorTexts& selectorTexts,
                     const QString& device, const QDateTime& time) {
    if (!QDir().mkpath(directory))
        return Status::failure(
            QCoreApplication::translate("zev::Backups", "The folder %1 cannot be made.")
                .arg(QDir::toNativeSeparators(directory)));
    const QDir folder(directory);
    const QString first = fileName(time, device);
    if (const Status storable =
            checkStorable(channelFileLines(plan, selectorTexts), folder.filePath(first));
        !storable)
        return storable;
    const QByteArray content = formatChannelFile(plan, selectorTexts);
    for (int number = 1; number <= maxNumber; ++number) {
        const QString name = number == 1 ? first
                                         : first.chopped(extension.size()) +
                                               QStringLiteral("-%1").arg(number) + extension;
        const QString path = folder.filePath(name);
        bool taken = false;
        const Status created = createFile(path, content + markerLine(name), taken);
        if (taken)
            continue;
        if (!created)
            return created;
        prune(directory, name);
        return path;
    }
    return fileSystemFailure(EEXIST, folder.filePath(first));
}

void prune(const QString& directory, const QString& kept, int keep) {
    const QDir folder(directory);
    QList<Aged> backups;
    for (const QFileInfo& info : folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (info.fileName() != kept && isBackupFile(info.filePath()))
            backups.append({info.fileName(), info.lastModified()});
    }
    std::sort(backups.begin(), backups.end());
    const qsizetype others = std::max(keep - 1, 0);
    for (qsizetype index = 0; index + others < backups.size(); ++index)
        QFile::remove(folder.filePath(backups.at(index).name));
}

} // namespace zev::backups
