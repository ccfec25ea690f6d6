#pragma once

#include "plan/plan.h"
#include "plan/vocabulary.h"
#include "status.h"

#include <QList>
#include <QString>

#include <optional>

// Edits across many channels at once, as a dealer sets a shop's sixteen channels: the same
// tones, power and flags on every chosen channel, or frequencies filled from a start and a step.
namespace zev {

// The cells to set; what is not given stays as it is.
struct RowSettings {
    std::optional<QString> rxTone; // a tone cell as the picker offers it (see toneCell)
    std::optional<QString> txTone;
    std::optional<bool> highPower;
    std::optional<bool> scanAdd;
    std::optional<bool> busyLock;

    bool isEmpty() const { return !rxTone && !txTone && !highPower && !scanAdd && !busyLock; }
};

// The settings on every used channel of channels (1 to 16); an unused channel stays empty, as
// the editor keeps a row without a frequency empty.
Plan withRowSettings(Plan plan, const QList<int>& channels, const RowSettings& settings,
                     const Words& words);

// A tone as typed into a form or on the command line, as the cell the tone picker would give:
// the off word of either language (or "off" in any case), a CTCSS tone of the list (88.5, 88,5)
// or a DCS code of the list (D023N, d023i). Fails naming the text for anything else.
Result<QString> toneCell(const QString& typed, const Words& words);

// A number as a start, step or offset is typed, either decimal mark, in hertz: unit is the hertz
// of one (1000 for kHz, HertzPerMHz for MHz). A leading + or - only where signedValue is true.
// Nothing for a text that is no such number.
std::optional<qint64> typedHertz(const QString& text, qint64 unit, bool signedValue);

// Frequencies from a start and a step: the first channel given gets start, the next start plus
// one step, and so on, RX and TX alike, TX moved by the offset when there is one.
struct FrequencyFill {
    qint64 startHz = 0;
    qint64 stepHz = 0;
    qint64 offsetHz = 0; // TX = RX + offset
};

// Each frequency is taken as the editor takes a typed one (cut to 100 Hz, raised to the next
// 5 kHz or 6.25 kHz channel) and refused, naming the channel, outside what the radio holds. A
// channel that was unused gets the new-channel defaults for its other cells. Nothing changes on
// a refusal.
Result<Plan> withFilledFrequencies(Plan plan, const QList<int>& channels, const FrequencyFill& fill,
                                   const Words& words, QChar separator);

// "1-4,7,9" as channel numbers 1 to 16, in that order, each once. Fails naming the part that is
// no channel or range of channels.
Result<QList<int>> parseChannelList(const QString& text);

} // namespace zev
