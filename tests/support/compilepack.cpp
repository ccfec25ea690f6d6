#include "compilepack.h"

#include "files.h"

#include <QProcess>

namespace testsupport {

bool compilePack(const QString& directory, const QString& name, const QMap<int, QString>& texts) {
    QByteArray ts = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                    "<TS version=\"2.1\" language=\"en\">\n<context>\n<name></name>\n";
    for (auto text = texts.begin(); text != texts.end(); ++text)
        ts += QStringLiteral("<message id=\"%1\"><source>x</source><translation>%2</translation>"
                             "</message>\n")
                  .arg(text.key())
                  .arg(text.value().toHtmlEscaped())
                  .toUtf8();
    ts += "</context>\n</TS>\n";
    const QString source = directory + name + ".ts";
    if (!writeFile(source, ts))
        return false;
    QProcess lrelease;
    lrelease.start(QStringLiteral(ZEV_LRELEASE),
                   {"-idbased", "-silent", source, "-qm", directory + name + ".qm"});
    return lrelease.waitForFinished() && lrelease.exitCode() == 0;
}

} // namespace testsupport
