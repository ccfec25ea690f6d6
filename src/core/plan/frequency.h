#pragma once

#include "status.h"

#include <QChar>
#include <QString>

#include <optional>

namespace zev {

// A frequency text is three digits of MHz, the decimal separator and five decimals.
constexpr int FrequencyTextLength = 9;

// The frequencies the radio can hold, in MHz, both ends included.
constexpr double LowestFrequencyMhz = 100.0;
constexpr double HighestFrequencyMhz = 550.0;

// Frequencies are read with "." and "," alike as the decimal separator, whatever the user's
// number format: a plan written under one format stays usable under the other. They are written
// with the separator given, the user's.
bool isDecimalMark(QChar c);

// Turns what the user typed (or a file or the radio gave) into a frequency text written with
// the given separator: read, cut to 100 Hz, then raised to the next 5 kHz or 6.25 kHz channel.
// Fails with the conversion message when the text is no number or could be read two ways: two
// marks ("1.450,5", "145.1.2"), or a mark that may be a thousands group ("1,450"). A number
// outside what the radio holds is refused, never moved into the range: "999" is a slip, not
// 550 MHz.
Result<QString> normaliseFrequency(const QString& text, QChar separator);

// The number a frequency text reads as, in MHz, by the rule above, whether the radio can hold
// it or not; nothing when it is no number.
std::optional<double> frequencyMhz(const QString& text);

constexpr qint64 HertzPerMHz = 1000000;

// A number of MHz in hertz, "." and "," alike as the decimal mark, blanks around it not counting;
// digits beyond the sixth decimal are cut. Nothing when the text is no such number or has more
// than six whole digits. Frequency cells, channel lists and comparisons all read frequencies here.
std::optional<qint64> frequencyHz(const QString& text);

// Hertz as MHz with six decimals and "." whatever the locale, a negative number signed before its
// whole MHz: the form channel lists exchange ("-0.600000").
QString formatMhz(qint64 hertz);

// A frequency given in hertz (by a channel list) as the cell that holds it, with the same rule as a
// typed one, and a note when the radio cannot hold it exactly: "146.523000 MHz is not on a
// channel; taken as 146.52500 MHz". Fails as normaliseFrequency does.
struct ListedFrequency {
    QString cell;
    QString note; // empty when the cell holds the frequency exactly
};
Result<ListedFrequency> listedFrequency(qint64 hertz, QChar separator);

// The refusal of a frequency the radio cannot hold, naming what was given:
// "the frequency 999 MHz is outside 100-550 MHz".
QString frequencyOutsideRange(const QString& given);

// Whether the text has the shape of a frequency text: three digits, a mark, five digits.
bool isFrequencyText(const QString& text);

// The frequency editor's key filter: what a typed character puts into the editor, or nothing
// when it is dropped. Digits and Backspace pass as they are; either mark becomes the given
// separator, once, and only after three characters (the MHz part) have been typed.
std::optional<QChar> filterFrequencyKey(QChar typed, const QString& currentText, QChar separator);

} // namespace zev
