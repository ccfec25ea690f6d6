#include "plan/tone.h"

#include <QRegularExpression>

namespace zev {

namespace {

std::optional<Tone> parseTrimmed(const QString& text, WordMeaning meaning) {
    if (text.isEmpty())
        return std::nullopt;
    if (meaning == WordMeaning::Off)
        return Tone{};
    static const QRegularExpression ctcss(
        QStringLiteral("^(?:[0-9]{2}\\.[0-9]|[12][0-9]{2}\\.[0-9])$"));
    if (ctcss.match(text).hasMatch())
        return Tone{Tone::Kind::Ctcss, text};
    static const QRegularExpression dcs(QStringLiteral("^D([0-7]{3})([NI])$"));
    if (const QRegularExpressionMatch match = dcs.match(text); match.hasMatch())
        return Tone{match.captured(2) == QLatin1String("I") ? Tone::Kind::DcsInverted
                                                            : Tone::Kind::DcsNormal,
                    match.captured(1)};
    return std::nullopt;
}

} // namespace

std::optional<Tone> parseTone(const QString& cell, const Words& words) {
    const QString text = cell.trimmed();
    return parseTrimmed(text, recogniseWord(text, words));
}

std::optional<Tone> parseTone(const QString& cell) {
    const QString text = cell.trimmed();
    return parseTrimmed(text, recogniseWord(text));
}

} // namespace zev
