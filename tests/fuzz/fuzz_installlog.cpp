// The start-up language follows the log's second line, whatever the log holds.

#include "app/installlog.h"
#include "app/language.h"
#include "fuzzcheck.h"

#include <QFile>
#include <QTemporaryDir>

using namespace zev;

namespace {

// The log's lines, found another way than the reader does: every line break made LF first.
QList<QByteArray> logLines(QByteArray text) {
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    QList<QByteArray> lines = text.split('\n');
    if (lines.last().isEmpty())
        lines.removeLast(); // a break at the very end starts no further line
    return lines;
}

} // namespace

ZEV_FUZZ_TARGET(installlog) {
    static QTemporaryDir folder;
    const QByteArray log = fuzz::inputBytes(data, size);
    QFile file(folder.filePath(installLogFileName()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(log) != log.size())
        fuzz::fail("the log can be written", file.errorString());
    file.close();

    const Result<Language> language = detectInstallLanguage(folder.path() + QLatin1Char('/'));
    const QList<QByteArray> lines = logLines(log);
    const QString detail = QString::fromLatin1(log.toPercentEncoding());
    if (lines.size() < 2) {
        FUZZ_CHECK(!language.ok(), detail);
        FUZZ_CHECK(language.message() == QStringLiteral("List index out of bounds (1)"),
                   language.message());
        return 0;
    }
    FUZZ_CHECK(language.ok(), language.message());
    const Language expected = lines.at(1) == "Title: ZEV4800 Programming Software"
                                  ? Language::English
                                  : Language::Chinese;
    FUZZ_CHECK(language.value() == expected, detail);
    return 0;
}
