#include "pdftext.h"

#include "programrun.h"

#include <QRegularExpression>

namespace testsupport {

PdfContent readPdf(const QString& path) {
    PdfContent content;
    const ProgramRun info = runProgram(QStringLiteral("pdfinfo"), {path});
    const ProgramRun text = runProgram(QStringLiteral("pdftotext"),
                                       {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (info.exitCode != 0 || text.exitCode != 0)
        return content;
    const QString details = QString::fromUtf8(info.out);
    content.pages =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(details)
            .captured(1)
            .toInt();
    content.pageSize = QRegularExpression(QStringLiteral("^Page size:\\s+(.*)$"),
                                          QRegularExpression::MultilineOption)
                           .match(details)
                           .captured(1);
    content.text = QString::fromUtf8(text.out);
    // The fonts set "fi" and its kin as one glyph, which the text gives back as one character.
    const std::pair<char16_t, const char*> ligatures[] = {{u'\uFB00', "ff"},
                                                          {u'\uFB01', "fi"},
                                                          {u'\uFB02', "fl"},
                                                          {u'\uFB03', "ffi"},
                                                          {u'\uFB04', "ffl"}};
    for (const auto& [ligature, letters] : ligatures)
        content.text.replace(QChar(ligature), QLatin1String(letters));
    content.read = true;
    return content;
}

} // namespace testsupport
