#include "radio/hex.h"

namespace zev {

int hexDigitValue(QChar digit) {
    const char16_t c = digit.unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

QChar hexDigit(int value) {
    return QLatin1Char("0123456789ABCDEF"[value & 0x0F]);
}

QByteArray hexToBytes(const QString& hex) {
    const qsizetype count = hex.size() / 2;
    QByteArray bytes(count, '\0');
    for (qsizetype i = 0; i < count; ++i) {
        // A digit that is not hex counts as 0.
        const int high = qMax(0, hexDigitValue(hex.at(2 * i)));
        const int low = qMax(0, hexDigitValue(hex.at(2 * i + 1)));
        bytes[i] = static_cast<char>(high * 16 + low);
    }
    return bytes;
}

QString bytesToHex(const QByteArray& bytes) {
    QString hex;
    hex.reserve(bytes.size() * 2);
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        hex += hexDigit(value >> 4);
        hex += hexDigit(value);
    }
    return hex;
}

} // namespace zev
