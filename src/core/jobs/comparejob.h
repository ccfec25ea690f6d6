#pragma once

#include "chanfile/plancompare.h"
#include "radio/session.h"

#include <QList>

namespace zev {

class JobObserver;
class RadioLink;
struct Plan;
struct Wording;

// Where a plan and the radio differ, the plan's side first. Compared only after a read that
// succeeded: otherwise the session says why there is no comparison.
struct RadioComparison {
    SessionResult session;
    QList<PlanDifference> differences;
};

// The radio read in the given words and compared with plan, which is looked at only once the
// read has ended: the window's plan is compared as it stands then.
RadioComparison compareWithRadio(RadioLink& link, const Plan& plan, const Wording& wording,
                                 JobObserver& observer);

} // namespace zev
