#pragma once

#include <QString>
#include <QStringList>

namespace zev::cli {

// Columns a text takes on a terminal: East Asian wide and full-width characters two,
// combining marks none, everything else one.
int displayWidth(const QString& text);

// The text with every character that does not print (control characters, NUL included) shown
// as its code point, "U+0000": a plan's bytes can neither cut the output nor drive the terminal.
QString visibleText(const QString& text);

// The text followed by blanks up to the width.
QString padded(const QString& text, int width);

// The text in lines of at most width columns, broken at blanks and between wide characters (a
// Chinese sentence has no blanks). A word wider than a line gets a line of its own.
QStringList wrapped(const QString& text, int width);

// Rows of cells into lines, each column as wide as its widest cell, two blanks between; blanks
// at the end of a line dropped.
QStringList alignedLines(const QList<QStringList>& rows);

} // namespace zev::cli
