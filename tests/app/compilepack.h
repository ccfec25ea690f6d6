#pragma once

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QString>

namespace zevtest {

// Compiles a language pack holding only the given texts, by number, into directory + name +
// ".qm" with lrelease (the tests that use it define ZEV_LRELEASE as its path).
inline bool compilePack(const QString& directory, const QString& name,
                        const QMap<int, QString>& texts) {
    QByteArray ts = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                    "<TS version=\"2.1\" language=\"en\">\n<context>\n<name></name>\n";
    for (auto text = texts.begin(); text != texts.end(); ++text)
        ts += QStringLiteral("<message id=\"%1\"><source>x</source><translation>%2</translation>"
                             "</message>\n")
                  .arg(text.key())
                  .arg(text.value().toHtmlEscaped())
                  .toUtf8();
    ts += "</context>\n</TS>\n";
    QFile source(directory + name + ".ts");
    if (!source.open(QIODevice::WriteOnly) || source.write(ts) != ts.size())
        return false;
    source.close();
    QProcess lrelease;
    lrelease.start(ZEV_LRELEASE,
                   {"-idbased", "-silent", source.fileName(), "-qm", directory + name + ".qm"});
    return lrelease.waitForFinished() && lrelease.exitCode() == 0;
}

} // namespace zevtest
