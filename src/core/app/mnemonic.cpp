#include "app/mnemonic.h"

#include <QRegularExpression>

namespace zev {

namespace {

const QString ellipsis = QStringLiteral("...");
constexpr QChar ellipsisCharacter(0x2026);
constexpr QChar fullWidthColon(0xFF1A);

bool hasHan(const QString& caption) {
    for (const QChar character : caption) {
        if (character.script() == QChar::Script_Han)
            return true;
    }
    return false;
}

// "&&" stands for an ampersand; "&" before any other character marks it.
bool hasMarker(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (caption.at(i + 1) != QLatin1Char('&'))
            return true;
        ++i;
    }
    return false;
}

} // namespace

QString withMnemonic(const QString& caption, QChar letter) {
    if (caption.isEmpty() || hasMarker(caption))
        return caption;
    // Chinese captions show their letter in brackets, also where a Latin word holds it ("PDF"):
    // an underlined letter inside a word is easily missed among Chinese characters.
    const qsizetype at = hasHan(caption) ? -1 : caption.indexOf(letter, 0, Qt::CaseInsensitive);
    if (at >= 0)
        return QString(caption).insert(at, QLatin1Char('&'));
    QString marked = caption;
    qsizetype end = caption.size();
    if (caption.endsWith(ellipsis))
        end -= ellipsis.size();
    else if (caption.endsWith(ellipsisCharacter) || caption.endsWith(QLatin1Char(':')) ||
             caption.endsWith(fullWidthColon))
        end -= 1;
    return marked.insert(end, QStringLiteral("(&") + letter.toUpper() + QLatin1Char(')'));
}

QString plainCaption(const QString& caption) {
    static const QRegularExpression letterInBrackets(QStringLiteral("[(（]&[^&][)）]"));
    QString plain = caption;
    plain.remove(letterInBrackets);
    for (qsizetype i = 0; i < plain.size(); ++i) {
        if (plain.at(i) == QLatin1Char('&'))
            plain.remove(i, 1); // the character after it stays, "&&" leaves one "&"
    }
    while (plain.endsWith(ellipsis) || plain.endsWith(ellipsisCharacter))
        plain.chop(plain.endsWith(ellipsis) ? ellipsis.size() : 1);
    return plain.trimmed();
}

} // namespace zev
