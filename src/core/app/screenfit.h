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

// Room for the panels of a desktop that does not tell the program where they are (Wayland).
constexpr int UnseenPanelsReserve = 64;

// Whether a window better asks to be maximised: on a window system that neither places the
// program's windows where it asks nor tells it the free area of the screen (Wayland), only the
// compositor can fit a window between its panels. That is wanted when the window with its frame
// would not fit the screen with `reserve` pixels to spare in each direction.
bool wantsMaximised(QSize wanted, QMargins frame, QSize screen, int reserve = UnseenPanelsReserve);

} // namespace zev
