#pragma once

#include "chanfile/plancompare.h"
#include "radio/session.h"

#include <QList>

namespace zev {

class ChannelPlan;
class JobObserver;
class BandList;
class RadioLink;
struct ChannelFile;

// Where a plan and the radio differ, the plan's side first. Compared only after a read that
// succeeded: otherwise the session says why there is no comparison.
struct RadioComparison {
    SessionResult session;
    QList<PlanDifference> differences;
};

// The window's plan, taken as it stands once the read has ended; the radio read in its words.
RadioComparison compareWithRadio(RadioLink& link, const ChannelPlan& plan, const BandList& bands,
                                 JobObserver& observer);
// A plan from a file; the radio read in the words of wording.
RadioComparison compareWithRadio(RadioLink& link, const ChannelFile& plan,
                                 const ChannelPlan& wording, JobObserver& observer);

} // namespace zev
