#pragma once

#include "chanfile/channelfile.h"
#include "radio/memoryimage.h"
#include "radio/session.h"

namespace zev {

class ChannelPlan;
class JobObserver;
class RadioLink;

// The radio's plan as one read session gives it, worded like the plan given (its words and
// option texts); nothing else changes.
struct RadioReading {
    SessionResult session;
    ChannelFile plan;  // as far as the read came
    MemoryImage image; // the blocks as read, erased where the read did not come
};
RadioReading readRadioPlan(RadioLink& link, const ChannelPlan& wording, JobObserver& observer);

} // namespace zev
