#pragma once

#include "radio/session.h"

#include <QList>
#include <QString>

namespace zev {

class RadioLink;
struct Plan;
struct Wording;

// Writes the plan, band included, to the radio: rows 1 to 16, the options, the band, each
// acknowledged. The plan is checked whole first: a plan that cannot be written as it stands is
// refused with every fault listed, and not a byte is sent. Progress: 5 after the handshake,
// 10 to 85 after the rows, 90 after the options, 95 before the band, 100 before the end frame.
// A success adds one to the link's counter.
// The addresses of the blocks a write sends, in the order it sends them: the channel halves,
// the options, the band.
QList<int> writtenBlockAddresses();

SessionResult writeRadio(RadioLink& link, const Plan& plan, const Wording& wording,
                         const ProgressCallback& progress = {});

} // namespace zev
