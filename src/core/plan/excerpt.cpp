#include "plan/excerpt.h"

namespace zev {

QString excerpt(const QString& text) {
    if (text.size() <= ExcerptLength)
        return text;
    const QString ellipsis = QStringLiteral("...");
    qsizetype kept = ExcerptLength - ellipsis.size();
    // Never half of a character outside the Basic Multilingual Plane.
    if (text.at(kept - 1).isHighSurrogate())
        --kept;
    return text.left(kept) + ellipsis;
}

} // namespace zev
