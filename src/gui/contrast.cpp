#include "contrast.h"

#include <QtMath>

#include <algorithm>

namespace zev {

namespace {

double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : qPow((channel + 0.055) / 1.055, 2.4);
}

} // namespace

double relativeLuminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

double contrastRatio(const QColor& a, const QColor& b) {
    const double first = relativeLuminance(a);
    const double second = relativeLuminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

bool isDarkBackground(const QColor& background) {
    return contrastRatio(background, Qt::white) > contrastRatio(background, Qt::black);
}

QColor readableOn(const QColor& colour, const QColor& background, double minimum) {
    if (contrastRatio(colour, background) >= minimum)
        return colour;
    const bool lighten = isDarkBackground(background);
    const QColor hsl = colour.toHsl();
    const float hue = hsl.hslHueF();
    const float saturation = hsl.hslSaturationF();
    float lightness = hsl.lightnessF();
    // A dark ink on a dark ground turns light as it was dark (and the other way round), which
    // keeps the icons' dark details apart from their light ones; then it goes on until it reads.
    if (lighten ? lightness < 0.5f : lightness > 0.5f)
        lightness = 1.0f - lightness;
    QColor result = QColor::fromHslF(hue, saturation, lightness, colour.alphaF());
    constexpr float step = 0.01f;
    while (contrastRatio(result, background) < minimum &&
           (lighten ? lightness < 1.0f : lightness > 0.0f)) {
        lightness = std::clamp(lightness + (lighten ? step : -step), 0.0f, 1.0f);
        result = QColor::fromHslF(hue, saturation, lightness, colour.alphaF());
    }
    return result.toRgb();
}

} // namespace zev
