#pragma once

#include <QString>

namespace zev {

// A cell (or other text of the user's) as a message quotes it: whole up to ExcerptLength
// characters, otherwise its beginning and "...", so that one huge cell cannot bury the message.
constexpr qsizetype ExcerptLength = 40;
QString excerpt(const QString& text);

} // namespace zev
