// Whatever is typed, a frequency that normalises is a nine-character text within the radio's
// range, on its channel raster, and normalises to itself under either separator; a number
// outside the range is refused, never moved into it.

#include "fuzzcheck.h"
#include "plan/excerpt.h"
#include "plan/frequency.h"

using namespace zev;

namespace {

constexpr qint64 LowestTenHz = 10000000;  // 100 MHz
constexpr qint64 HighestTenHz = 55000000; // 550 MHz

void checkNormalised(const QString& typed, QChar separator, QChar other) {
    const Result<QString> normalised = normaliseFrequency(typed, separator);
    const std::optional<double> mhz = frequencyMhz(typed);
    const bool held = mhz && *mhz >= LowestFrequencyMhz && *mhz <= HighestFrequencyMhz;
    if (isFrequencyText(typed) && held)
        FUZZ_CHECK(normalised.ok(), normalised.message());
    if (mhz && !held)
        FUZZ_CHECK(!normalised.ok() &&
                       normalised.message() == frequencyOutsideRange(excerpt(typed.trimmed())),
                   QStringLiteral("'%1' gives '%2'")
                       .arg(typed, normalised.ok() ? normalised.value() : normalised.message()));
    if (!normalised.ok())
        return;
    const QString text = normalised.value();
    const QString detail = QStringLiteral("'%1' with '%2' gives '%3'").arg(typed, separator, text);
    FUZZ_CHECK(text.size() == FrequencyTextLength && isFrequencyText(text), detail);
    FUZZ_CHECK(text.at(3) == separator, detail);

    bool digits = false;
    const qint64 tenHz = (text.left(3) + text.mid(4)).toLongLong(&digits);
    FUZZ_CHECK(digits && tenHz >= LowestTenHz && tenHz <= HighestTenHz, detail);
    FUZZ_CHECK(tenHz % 500 == 0 || tenHz % 625 == 0, detail);

    const Result<QString> again = normaliseFrequency(text, separator);
    FUZZ_CHECK(again.ok() && again.value() == text,
               detail +
                   QStringLiteral(", then '%1'").arg(again.ok() ? again.value() : again.message()));
    QString otherText = text;
    otherText[3] = other;
    const Result<QString> swapped = normaliseFrequency(otherText, separator);
    FUZZ_CHECK(swapped.ok() && swapped.value() == text,
               detail + QStringLiteral(", '%1' gives '%2'")
                            .arg(otherText, swapped.ok() ? swapped.value() : swapped.message()));
}

} // namespace

ZEV_FUZZ_TARGET(frequency) {
    // Longer texts only repeat what shorter ones try.
    if (size > 64)
        return 0;
    const QString typed = QString::fromUtf8(fuzz::inputBytes(data, size));
    checkNormalised(typed, QLatin1Char('.'), QLatin1Char(','));
    checkNormalised(typed, QLatin1Char(','), QLatin1Char('.'));
    return 0;
}
