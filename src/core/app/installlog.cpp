#include "app/installlog.h"

#include <QCoreApplication>
#include <QFile>

namespace zev {

namespace {

// The text of the line with the given index; nullopt when the text has fewer lines. A line ends
// at CR, LF or CR LF; a break at the very end starts no further line.
std::optional<QByteArray> lineAt(const QByteArray& text, int wanted) {
    qsizetype start = 0;
    int index = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text.at(end) != '\r' && text.at(end) != '\n')
            ++end;
        if (index == wanted)
            return text.mid(start, end - start);
        if (end < text.size() && text.at(end) == '\r' && end + 1 < text.size() &&
            text.at(end + 1) == '\n')
            ++end;
        start = end + 1;
        ++index;
    }
    return std::nullopt;
}

} // namespace

QString installLogFileName() {
    return QStringLiteral("install.Log");
}

Result<Language> detectInstallLanguage(const QString& directory) {
    QString path = directory;
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    path += installLogFileName();

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Status::failure(
            QCoreApplication::translate("zev::Settings", "Cannot open file \"%1\". %2")
                .arg(path, file.errorString()));
    const std::optional<QByteArray> title = lineAt(file.readAll(), 1);
    if (!title)
        return Status::failure(
            QCoreApplication::translate("zev::Settings", "List index out of bounds (%1)").arg(1));
    return *title == "Title: ZEV4800 Programming Software" ? Language::English : Language::Chinese;
}

} // namespace zev
