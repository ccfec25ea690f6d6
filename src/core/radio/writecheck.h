#pragma once

#include "plan/channelplan.h"
#include "status.h"

#include <QString>
#include <QStringList>

namespace zev {

// Everything in the plan that the radio could not be given as it stands, one line per fault,
// rows first (in row and column order), then the options, then the band. A used row needs
// frequencies of the form ddd.ddddd (or ddd,ddddd; an empty TX frequency is allowed), tones,
// power and flag words; cells of an unused row may be empty but must not be malformed.
QStringList writeProblems(const ChannelPlan& plan, const QString& band);

// The faults of one channel's cells, each line starting "Channel 07:".
QStringList channelProblems(const ChannelRow& cells, const Words& words, int channel);

// The same as one message, every fault on its own line.
Status checkPlanForWrite(const ChannelPlan& plan, const QString& band);

} // namespace zev
