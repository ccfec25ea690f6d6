#pragma once

#include <QString>

namespace zev::cli {

// Columns a text takes on a terminal: East Asian wide and full-width characters two,
// combining marks none, everything else one.
int displayWidth(const QString& text);

// The text followed by blanks up to the width.
QString padded(const QString& text, int width);

} // namespace zev::cli
