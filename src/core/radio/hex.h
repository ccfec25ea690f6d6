#pragma once

#include <QByteArray>
#include <QString>

namespace zev {

// Frames and replies are handled as hex text: upper-case two-digit pairs, no separator.
// A final odd digit is dropped; digits of either case are read.
QByteArray hexToBytes(const QString& hex);
QString bytesToHex(const QByteArray& bytes);

// Value of one hex digit of either case, or -1.
int hexDigitValue(QChar digit);

// Whether text is whole pairs of hex digits (either case); the empty text is.
bool isHexText(const QString& text);

} // namespace zev
