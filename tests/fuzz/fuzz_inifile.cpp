// Over any starting file, every write the INI class reports as done reads back, and no other
// key changes; a refused write leaves the file as it was.
//
// Input: the starting file, then section, key and value of each write, all separated by NUL.

#include "app/inifile.h"
#include "fuzzcheck.h"

#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <utility>

using namespace zev;

namespace {

struct Write {
    QString section;
    QString key;
    QString value;
};

constexpr int MaximumWrites = 16;
const QString Missing = QStringLiteral("\x01missing");

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool sameName(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// What a read gives for a written value: the blanks around it are no part of it.
QString readBack(const QString& value) {
    return QString::fromUtf8(value.toUtf8().trimmed());
}

QString printable(const QString& text) {
    return QString::fromLatin1(text.toUtf8().toPercentEncoding());
}

} // namespace

ZEV_FUZZ_TARGET(inifile) {
    static QTemporaryDir folder;
    const QList<QByteArray> parts = fuzz::inputBytes(data, size).split('\0');
    QList<Write> writes;
    for (qsizetype at = 1; at + 2 < parts.size() && writes.size() < MaximumWrites; at += 3)
        writes.append({QString::fromUtf8(parts.at(at)), QString::fromUtf8(parts.at(at + 1)),
                       QString::fromUtf8(parts.at(at + 2))});

    const QString path = folder.filePath(QStringLiteral("myini.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(parts.first()) != parts.first().size())
            fuzz::fail("the starting file can be written", file.errorString());
    }

    IniFile ini(path);
    for (const Write& write : writes) {
        QList<QString> before;
        for (const Write& probe : writes)
            before.append(ini.readString(probe.section, probe.key, Missing));
        const QByteArray bytesBefore = fileBytes(path);

        const Status written = ini.writeString(write.section, write.key, write.value);
        const QString detail =
            QStringLiteral("[%1] %2=%3 over:\n%4")
                .arg(printable(write.section), printable(write.key), printable(write.value),
                     QString::fromLatin1(bytesBefore.toPercentEncoding()));
        if (!written.ok()) {
            FUZZ_CHECK(fileBytes(path) == bytesBefore,
                       written.message() + QLatin1Char('\n') + detail);
            continue;
        }
        FUZZ_CHECK(ini.readString(write.section, write.key, Missing) == readBack(write.value),
                   QStringLiteral("read back '%1' after ")
                           .arg(printable(ini.readString(write.section, write.key, Missing))) +
                       detail);
        for (qsizetype index = 0; index < writes.size(); ++index) {
            const Write& probe = writes.at(index);
            if (sameName(probe.section, write.section) && sameName(probe.key, write.key))
                continue;
            FUZZ_CHECK(ini.readString(probe.section, probe.key, Missing) == before.at(index),
                       QStringLiteral("[%1] %2 changed by ")
                               .arg(printable(probe.section), printable(probe.key)) +
                           detail);
        }
    }
    return 0;
}
