#include "files.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace testsupport {

namespace {

// The null device's numbers: writing to it loses nothing if a program does so by mistake.
bool makeNullDevice(const QString& path) {
    return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

mode_t typeOf(const QString& path, bool followLinks) {
    struct stat status {};
    const QByteArray name = QFile::encodeName(path);
    if ((followLinks ? ::stat(name.constData(), &status) : ::lstat(name.constData(), &status)) != 0)
        return 0;
    return status.st_mode & S_IFMT;
}

} // namespace

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

bool makeSpecialFile(const QString& path, SpecialFile kind) {
    switch (kind) {
    case SpecialFile::Fifo:
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    case SpecialFile::Device:
        return makeNullDevice(path);
    case SpecialFile::LinkToDevice:
        return makeNullDevice(path + QStringLiteral(".device")) &&
               QFile::link(path + QStringLiteral(".device"), path);
    case SpecialFile::Folder:
        return QDir().mkpath(path);
    }
    return false;
}

bool isSpecialFile(const QString& path, SpecialFile kind) {
    switch (kind) {
    case SpecialFile::Fifo:
        return typeOf(path, false) == S_IFIFO;
    case SpecialFile::Device:
        return typeOf(path, false) == S_IFCHR;
    case SpecialFile::LinkToDevice:
        return typeOf(path, false) == S_IFLNK && typeOf(path, true) == S_IFCHR;
    case SpecialFile::Folder:
        return typeOf(path, false) == S_IFDIR;
    }
    return false;
}

} // namespace testsupport
