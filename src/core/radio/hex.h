#pragma once

#include <QByteArray>
#include <QString>

namespace zev {

// Bytes as hex text, the form traces and messages show them in: upper-case two-digit pairs, no
// separator. A final odd digit is dropped; digits of either case are read.
QByteArray hexToBytes(const QString& hex);
QString bytesToHex(const QByteArray& bytes);

// Value of one hex digit of either case, or -1.
int hexDigitValue(QChar digit);
// The upper-case digit of a nibble (the low four bits of value).
QChar hexDigit(int value);

} // namespace zev
