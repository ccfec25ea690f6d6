#pragma once

#include "plan/plan.h"
#include "plan/vocabulary.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zev {

// One cell, option or band in which two plans differ, with both sides as the plans hold them
// (an option as its item index).
struct PlanDifference {
    enum class Kind { Cell, Option, Band };
    Kind kind = Kind::Cell;
    int channel = 0; // a cell's channel, 1 to 16
    int column = 0;  // a cell's Plan::Column
    Option option = Option::Squelch;
    QString before;
    QString after;
    bool operator==(const PlanDifference&) const = default;
};

// Every cell of the 16 channels, the seven options and the band, in that order. Cells compare
// by meaning: the words of either language by what they mean, frequencies by value whatever
// their decimal mark, tones without surrounding blanks. A channel without an RX frequency is
// empty whatever its other cells hold, as the radio and the channel file keep it.
QList<PlanDifference> comparePlans(const Plan& before, const Plan& after);

// "CH03 RX Freq: 145.12500 -> 145.25000", "Squelch level: 2 -> 5", "Band: A -> B".
QString describeChange(const PlanDifference& difference);

// At most limit lines of describe, and a last line counting the rest.
QStringList describeFirst(const QList<PlanDifference>& differences, int limit,
                          QString (*describe)(const PlanDifference&));

} // namespace zev
