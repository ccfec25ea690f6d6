#pragma once

#include "radio/session.h"

#include <QList>
#include <QString>

namespace zev {

class ChannelPlan;
class RadioLink;

// Writes the plan and the band to the radio: rows 1 to 16, the options, the band, each
// acknowledged. The plan is checked whole first: a plan that cannot be written as it stands is
// refused with every fault listed, and not a byte is sent. Progress: 5 after the handshake,
// 10 to 85 after the rows, 90 after the options, 95 before the band, 100 before the end frame.
// A success adds one to the link's counter.
// The addresses of the blocks a write sends, in the order it sends them: the channel halves,
// the options, the band.
QList<int> writtenBlockAddresses();

SessionResult writeRadio(RadioLink& link, const ChannelPlan& plan, const QString& band,
                         const ProgressCallback& progress = {});

} // namespace zev
