#pragma once

#include "status.h"

#include <QChar>
#include <QString>

namespace zev {

// A frequency text is three digits of MHz, the decimal separator and five decimals.
constexpr int FrequencyTextLength = 9;

// Turns what the user typed (or a file or the radio gave) into a frequency text: read with the
// given decimal separator, clamped to 100..550 MHz, cut to 100 Hz, then raised to the next
// 5 kHz or 6.25 kHz channel. Fails with the conversion message when the text is no number.
Result<QString> normaliseFrequency(const QString& text, QChar separator);

// The frequency editor's key filter: digits and Backspace pass; the separator passes once, and
// only after three characters (the MHz part) have been typed; everything else is dropped.
bool frequencyKeyAccepted(QChar typed, const QString& currentText, QChar separator);

} // namespace zev
