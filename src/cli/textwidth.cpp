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

QStringList wrapped(const QString& text, int width) {
    // The places a line may break: at blanks, and before or after a wide character unless that
    // puts punctuation such as "，" or "）" at the start of a line or "（" at its end.
    const auto breaksBetween = [](char32_t before, char32_t after) {
        if (!isWide(before) && !isWide(after))
            return false;
        const QChar::Category opening = QChar::category(before);
        const QChar::Category closing = QChar::category(after);
        return opening != QChar::Punctuation_Open && opening != QChar::Punctuation_InitialQuote &&
               closing != QChar::Punctuation_Close && closing != QChar::Punctuation_FinalQuote &&
               closing != QChar::Punctuation_Other;
    };
    struct Piece {
        QString text;
        bool afterBlank = false;
    };
    QList<Piece> pieces;
    bool blank = false;
    char32_t previous = 0;
    for (const char32_t c : text.toUcs4()) {
        if (QChar::isSpace(c)) {
            blank = true;
            continue;
        }
        if (pieces.isEmpty() || blank || breaksBetween(previous, c))
            pieces.append({QString(), blank});
        pieces.last().text += QString::fromUcs4(&c, 1);
        blank = false;
        previous = c;
    }

    QStringList lines;
    QString line;
    int lineWidth = 0;
    for (const Piece& piece : pieces) {
        const int gap = piece.afterBlank && !line.isEmpty() ? 1 : 0;
        const int pieceWidth = displayWidth(piece.text);
        if (!line.isEmpty() && lineWidth + gap + pieceWidth > width) {
            lines.append(line);
            line = piece.text;
            lineWidth = pieceWidth;
        } else {
            line += QString(gap, QLatin1Char(' ')) + piece.text;
            lineWidth += gap + pieceWidth;
        }
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

QStringList alignedLines(const QList<QStringList>& rows) {
    QList<int> widths;
    for (const QStringList& row : rows)
        for (qsizetype column = 0; column < row.size(); ++column) {
            if (widths.size() <= column)
                widths.append(0);
            widths[column] = qMax(widths[column], displayWidth(row.at(column)));
        }
    QStringList lines;
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype column = 0; column < row.size(); ++column)
            line += column + 1 < row.size() ? padded(row.at(column), widths[column] + 2)
                                            : row.at(column);
        // Blanks padding empty trailing cells carry nothing.
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        lines.append(line);
    }
    return lines;
}

} // namespace zev::cli
