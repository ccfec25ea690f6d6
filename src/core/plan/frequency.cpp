#include "plan/frequency.h"

#include "plan/excerpt.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <limits>
#include <optional>

namespace zev {

namespace {

constexpr qint64 HighestTenHz = 55000000;
constexpr qint64 TenHzPerMhz = 100000;
constexpr int Decimals = 5;

// The cut to 100 Hz must see the 64-bit mantissa of x87 extended precision: in double,
// 145.0051 * 10000 rounds up to a whole 1450051 and the step would survive.
static_assert(std::numeric_limits<long double>::digits >= 64,
              "frequency truncation needs extended precision");

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Reads a decimal number: optional sign, digits with at most one mark, optional exponent, blanks
// around it. Anything else (a second mark, "nan", "inf") is not a number. A frequency has three
// digits of MHz, so "145.125" has decimals; with one or two digits before the mark and three after
// it ("1,450"), the mark may as well group thousands, and neither reading is taken.
std::optional<double> readNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    QString plain;
    plain.reserve(trimmed.size());
    int i = 0;
    const int size = trimmed.size();
    auto take = [&](auto accept) {
        int taken = 0;
        while (i < size && accept(trimmed.at(i))) {
            plain += trimmed.at(i++);
            ++taken;
        }
        return taken;
    };
    auto isSign = [](QChar c) { return c == QLatin1Char('+') || c == QLatin1Char('-'); };
    if (i < size && isSign(trimmed.at(i)))
        plain += trimmed.at(i++);
    const int wholeDigits = take(isAsciiDigit);
    int decimals = 0;
    const bool marked = i < size && isDecimalMark(trimmed.at(i));
    if (marked) {
        plain += QLatin1Char('.');
        ++i;
        decimals = take(isAsciiDigit);
    }
    if (wholeDigits + decimals == 0)
        return std::nullopt;
    bool exponent = false;
    if (i < size && (trimmed.at(i) == QLatin1Char('e') || trimmed.at(i) == QLatin1Char('E'))) {
        exponent = true;
        plain += trimmed.at(i++);
        if (i < size && isSign(trimmed.at(i)))
            plain += trimmed.at(i++);
        if (take(isAsciiDigit) == 0)
            return std::nullopt;
    }
    if (i != size)
        return std::nullopt;
    if (marked && !exponent && wholeDigits >= 1 && wholeDigits <= 2 && decimals == 3)
        return std::nullopt;
    // A size out of range comes back as infinity or zero, which the range check refuses.
    return QLocale::c().toDouble(plain);
}

// The lowest multiple of 5 kHz or 6.25 kHz at or above n (in 10 Hz), in 50 Hz steps.
qint64 rasterStep(qint64 tenHz) {
    while (tenHz < HighestTenHz && tenHz % 500 != 0 && tenHz % 625 != 0)
        tenHz += 5;
    return tenHz;
}

QString frequencyText(qint64 tenHz, QChar separator) {
    QString text = QString::number(tenHz / TenHzPerMhz) + separator;
    QString decimals =
        QStringLiteral("%1").arg(tenHz % TenHzPerMhz, Decimals, 10, QLatin1Char('0'));
    while (decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    text += decimals;
    if (text.size() < FrequencyTextLength)
        text += QStringLiteral("000000").left(FrequencyTextLength - text.size());
    return text;
}

} // namespace

bool isDecimalMark(QChar c) {
    return c == QLatin1Char('.') || c == QLatin1Char(',');
}

Result<QString> normaliseFrequency(const QString& text, QChar separator) {
    const std::optional<double> mhz = readNumber(text);
    if (!mhz)
        return Status::failure(QCoreApplication::translate(
                                   "zev::Frequency", "'%1' is not a valid floating point value")
                                   .arg(excerpt(text)));
    if (!(*mhz >= LowestFrequencyMhz && *mhz <= HighestFrequencyMhz))
        return Status::failure(frequencyOutsideRange(excerpt(text.trimmed())));
    const long double hundredHz = static_cast<long double>(*mhz) * 10000.0L;
    const qint64 tenHz = static_cast<qint64>(hundredHz) * 10;
    return frequencyText(rasterStep(tenHz), separator);
}

QString formatMhz(qint64 hertz) {
    const qint64 magnitude = qAbs(hertz);
    return QStringLiteral("%1%2.%3")
        .arg(hertz < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / HertzPerMHz)
        .arg(magnitude % HertzPerMHz, 6, 10, QLatin1Char('0'));
}

Result<ListedFrequency> listedFrequency(qint64 hertz, QChar separator) {
    Result<QString> cell = normaliseFrequency(formatMhz(hertz), separator);
    if (!cell)
        return Status::failure(cell.message());
    ListedFrequency frequency{cell.value(), {}};
    if (frequencyHz(frequency.cell) != hertz)
        frequency.note = QCoreApplication::translate("zev::Frequency",
                                                     "%1 MHz is not on a channel; taken as %2 MHz")
                             .arg(formatMhz(hertz), frequency.cell);
    return frequency;
}

std::optional<double> frequencyMhz(const QString& text) {
    return readNumber(text);
}

QString frequencyOutsideRange(const QString& given) {
    return QCoreApplication::translate("zev::Frequency",
                                       "the frequency %1 MHz is outside %2-%3 MHz")
        .arg(given)
        .arg(LowestFrequencyMhz)
        .arg(HighestFrequencyMhz);
}

bool isFrequencyText(const QString& text) {
    if (text.size() != FrequencyTextLength)
        return false;
    for (int i = 0; i < FrequencyTextLength; ++i)
        if (!(i == 3 ? isDecimalMark(text.at(i)) : isAsciiDigit(text.at(i))))
            return false;
    return true;
}

std::optional<QChar> filterFrequencyKey(QChar typed, const QString& currentText, QChar separator) {
    if (isAsciiDigit(typed) || typed == QLatin1Char('\b'))
        return typed;
    if (isDecimalMark(typed) && currentText.size() >= 3 &&
        std::none_of(currentText.begin(), currentText.end(), isDecimalMark))
        return separator;
    return std::nullopt;
}

std::optional<qint64> frequencyHz(const QString& text) {
    const QString trimmed = text.trimmed();
    qsizetype mark = -1;
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        if (isDecimalMark(trimmed.at(i))) {
            if (mark >= 0)
                return std::nullopt;
            mark = i;
        } else if (trimmed.at(i) < QLatin1Char('0') || trimmed.at(i) > QLatin1Char('9')) {
            return std::nullopt;
        }
    }
    const QString whole = mark < 0 ? trimmed : trimmed.left(mark);
    const QString fraction = mark < 0 ? QString() : trimmed.mid(mark + 1).left(6);
    if (whole.isEmpty() || whole.size() > 6)
        return std::nullopt;
    return whole.toLongLong() * HertzPerMHz +
           fraction.leftJustified(6, QLatin1Char('0')).toLongLong();
}

} // namespace zev
