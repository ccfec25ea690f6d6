#pragma once

#include "plan/plan.h"
#include "radio/memoryimage.h"
#include "radio/session.h"

namespace zev {

class JobObserver;
class RadioLink;
struct Wording;

// The radio's plan as one read session gives it, in the given wording; nothing else changes.
struct RadioReading {
    SessionResult session;
    Plan plan;         // as far as the read came
    MemoryImage image; // the blocks as read, erased where the read did not come
};
RadioReading readRadioPlan(RadioLink& link, const Wording& wording, JobObserver& observer);

} // namespace zev
