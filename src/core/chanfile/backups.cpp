#include "chanfile/backups.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace zev::backups {

namespace {

const QString extension = QStringLiteral(".z81");

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

bool isBackupName(const QString& name) {
    static const QRegularExpression form(QStringLiteral("^[0-9]{8}-[0-9]{6}-.+\\.z81$"));
    return form.match(name).hasMatch();
}

Result<QString> save(const QString& directory, const ChannelFile& file, const QString& device,
                     const QDateTime& time) {
    if (!QDir().mkpath(directory))
        return Status::failure(
            QCoreApplication::translate("zev::Backups", "The folder %1 cannot be made.")
                .arg(QDir::toNativeSeparators(directory)));
    const QDir folder(directory);
    const QString name = fileName(time, device);
    QString path = folder.filePath(name);
    for (int number = 2; QFileInfo::exists(path); ++number)
        path = folder.filePath(name.chopped(extension.size()) + QStringLiteral("-%1").arg(number) +
                               extension);
    if (const Status saved = saveChannelFile(path, file); !saved)
        return saved;
    prune(directory);
    return path;
}

void prune(const QString& directory, int keep) {
    QStringList names;
    for (const QString& name : QDir(directory).entryList(QDir::Files, QDir::Name | QDir::Reversed))
        if (isBackupName(name))
            names.append(name);
    // The names begin with the time, so the newest come first.
    for (qsizetype index = keep; index < names.size(); ++index)
        QFile::remove(QDir(directory).filePath(names.at(index)));
}

} // namespace zev::backups
