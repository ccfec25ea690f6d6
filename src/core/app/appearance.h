#pragma once

#include <QString>

#include <optional>

namespace zev {

// The user's choice in Options > Appearance: follow the desktop, or always light or dark.
enum class Appearance { System, Light, Dark };

// What the desktop prefers, where it says.
enum class ColorScheme { Unknown, Light, Dark };

// The name kept in myini.ini: "system", "light" or "dark".
QString appearanceName(Appearance appearance);
// A name as appearanceName() gives it, in any case; anything else is no appearance.
std::optional<Appearance> appearanceNamed(const QString& name);

// The freedesktop portal's "color-scheme" value: 1 prefers dark, 2 prefers light, 0 and anything
// else has no preference.
ColorScheme portalColorScheme(uint value);

// The scheme the window takes: the forced one, or else what the desktop prefers.
ColorScheme chosenScheme(Appearance appearance, ColorScheme desktop);

} // namespace zev
