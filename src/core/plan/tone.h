#pragma once

#include "plan/vocabulary.h"

#include <QString>

#include <optional>

namespace zev {

// What a tone cell means. The check, the codec, the comparison and the channel lists read tone
// cells through parseTone, so that each takes the same cells for the same tones.
struct Tone {
    enum class Kind { Off, Ctcss, DcsNormal, DcsInverted };
    Kind kind = Kind::Off;
    QString value; // CTCSS as written ("88.5", "100.0"); DCS its three octal digits ("023")
    bool operator==(const Tone&) const = default;
};

// A tone cell as the radio takes it, blanks around it not counting: the off word (the given
// words first, then either language's), a CTCSS tone (below 100 Hz as dd.d, from 100 Hz as
// 1dd.d or 2dd.d: the radio keeps only those) or a DCS code, D and three octal digits and N or I.
// Nothing for an empty cell or any other text.
std::optional<Tone> parseTone(const QString& cell, const Words& words);
// The same with the words of either language only.
std::optional<Tone> parseTone(const QString& cell);

} // namespace zev
