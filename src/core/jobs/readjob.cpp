#include "jobs/readjob.h"

#include "jobs/jobobserver.h"
#include "plan/bandlist.h"
#include "plan/channelplan.h"
#include "radio/readprocedure.h"

namespace zev {

RadioReading readRadioPlan(RadioLink& link, const ChannelPlan& wording, JobObserver& observer) {
    ChannelPlan plan;
    plan.setWords(wording.words());
    plan.rebuildOptionLists(wording.optionTexts());
    BandList bands;
    RadioReading reading;
    reading.session = readRadio(
        link, plan, bands, [&observer](int percent) { observer.progress(percent); },
        &reading.image);
    reading.plan = channelFileFromPlan(plan, bands);
    return reading;
}

} // namespace zev
