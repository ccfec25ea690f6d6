#pragma once

#include <QColor>

namespace zev {

// Contrast between colours as the WCAG measures it: relative luminance 0 (black) to 1 (white),
// and the ratio (L1 + 0.05) / (L2 + 0.05) of the lighter to the darker, 1 to 21.
double relativeLuminance(const QColor& colour);
double contrastRatio(const QColor& a, const QColor& b);

// Whether text in the palette's usual colours would be light on dark.
bool isDarkBackground(const QColor& background);

// The contrast that text and the parts of an icon needed to make it out should have.
constexpr double TextContrast = 4.5;
constexpr double GraphicContrast = 3.0;

// colour, or where it lacks `minimum` contrast against background, the colour of the same hue
// and saturation that is lighter (on a dark background) or darker (on a light one) just enough
// to reach it. Alpha is kept.
QColor readableOn(const QColor& colour, const QColor& background, double minimum);

} // namespace zev
