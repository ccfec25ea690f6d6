#pragma once

#include "plan/plan.h"
#include "plan/wording.h"
#include "status.h"

#include <QString>
#include <QStringList>

#include <array>

namespace zev {

// Everything in the plan (band included) that the radio could not be given as it stands, one line
// per fault, rows first (in row and column order), then the options, then the band. A used row
// needs frequencies of the form ddd.ddddd (or ddd,ddddd; an empty TX frequency is allowed), tones,
// power and flag words; cells of an unused row may be empty but must not be malformed.
QStringList writeProblems(const Plan& plan, const Wording& wording);

// The faults of one channel's cells, each line starting "Channel 07:". A column whose title is
// empty (no language loaded yet) is named by the English title.
QStringList channelProblems(const ChannelRow& cells, const Words& words, int channel,
                            const ColumnTitles& titles = {});

// The same as one message, every fault on its own line.
Status checkPlanForWrite(const Plan& plan, const Wording& wording);

} // namespace zev
