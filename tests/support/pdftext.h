#pragma once

#include <QString>

// What a PDF holds, as poppler's tools read it (package poppler-utils).
namespace testsupport {

struct PdfContent {
    bool read = false; // false: the tools are missing or the file is no PDF
    int pages = 0;
    QString pageSize; // as pdfinfo names it, "... (A4)"
    QString text;     // pdftotext's text, lines as laid out, ligatures as their letters
};

PdfContent readPdf(const QString& path);

} // namespace testsupport
