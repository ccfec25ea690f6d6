#include "jobs/comparejob.h"

#include "chanfile/channelfile.h"
#include "jobs/readjob.h"

#include <functional>

namespace zev {

namespace {

RadioComparison compared(RadioLink& link, const ChannelPlan& wording, JobObserver& observer,
                         const std::function<ChannelFile()>& plan) {
    const RadioReading radio = readRadioPlan(link, wording, observer);
    RadioComparison comparison;
    comparison.session = radio.session;
    if (radio.session.succeeded())
        comparison.differences = comparePlans(plan(), radio.plan);
    return comparison;
}

} // namespace

RadioComparison compareWithRadio(RadioLink& link, const ChannelPlan& plan, const BandList& bands,
                                 JobObserver& observer) {
    return compared(link, plan, observer, [&] { return channelFileFromPlan(plan, bands); });
}

RadioComparison compareWithRadio(RadioLink& link, const ChannelFile& plan,
                                 const ChannelPlan& wording, JobObserver& observer) {
    return compared(link, wording, observer, [&plan] { return plan; });
}

} // namespace zev
