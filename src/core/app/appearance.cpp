#include "app/appearance.h"

#include <array>

namespace zev {

namespace {
struct NamedAppearance {
    Appearance appearance;
    const char* name;
};
constexpr std::array<NamedAppearance, 3> names = {
    {{Appearance::System, "system"}, {Appearance::Light, "light"}, {Appearance::Dark, "dark"}}};
} // namespace

QString appearanceName(Appearance appearance) {
    for (const NamedAppearance& entry : names) {
        if (entry.appearance == appearance)
            return QLatin1String(entry.name);
    }
    return QString();
}

std::optional<Appearance> appearanceNamed(const QString& name) {
    for (const NamedAppearance& entry : names) {
        if (name.trimmed().compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return entry.appearance;
    }
    return std::nullopt;
}

ColorScheme portalColorScheme(uint value) {
    switch (value) {
    case 1:
        return ColorScheme::Dark;
    case 2:
        return ColorScheme::Light;
    default:
        return ColorScheme::Unknown;
    }
}

ColorScheme chosenScheme(Appearance appearance, ColorScheme desktop) {
    switch (appearance) {
    case Appearance::Light:
        return ColorScheme::Light;
    case Appearance::Dark:
        return ColorScheme::Dark;
    case Appearance::System:
        break;
    }
    return desktop;
}

} // namespace zev
