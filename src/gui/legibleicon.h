#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>

namespace zev {

// The program's pictures are drawn for a light window. On a dark one, every part of a picture
// that would not stand out from the window colour is drawn lighter until it does (see
// readableOn()), so the dark outlines and bodies stay visible; light colours stay as they are.
// The icon follows the application's palette as it changes.
QIcon legibleIcon(const QString& svgPath);

// The picture as legibleIcon() shows it on background, at size.
QImage legiblePicture(const QString& svgPath, QSize size, const QColor& background);

} // namespace zev
