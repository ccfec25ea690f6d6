#include "textwidth.h"

#include <QChar>
#include <QList>

namespace zev::cli {

namespace {

bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
           (c >= 0x3041 && c <= 0x33FF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

} // namespace

int displayWidth(const QString& text) {
    int width = 0;
    for (const char32_t c : text.toUcs4()) {
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing)
            continue;
        width += isWide(c) ? 2 : 1;
    }
    return width;
}

QString visibleText(const QString& text) {
    QString visible;
    visible.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (QChar::isPrint(c) && c != QChar::ReplacementCharacter)
            visible += QString::fromUcs4(&c, 1);
        else
            visible += QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
    }
    return visible;
}

QString padded(const QString& text, int width) {
    return text + QString(qMax(0, width - displayWidth(text)), QLatin1Char(' '));
}

} // namespace zev::cli
