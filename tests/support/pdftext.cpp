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
    content.read = true;
    return content;
}

} // namespace testsupport
