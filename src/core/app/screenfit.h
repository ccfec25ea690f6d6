#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

namespace zev {

// Where a window whose client area wants `wanted` goes on a screen whose free area (without
// panels) is `available`, with `frame` the window system's frame around the client area: at the
// wanted size where the area has room for it and its frame, otherwise as large as the area
// allows; with the frame centred in the area. Returns the client area's geometry.
QRect fittedWindowGeometry(QSize wanted, QMargins frame, QRect available);

} // namespace zev
