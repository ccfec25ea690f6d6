#include "jobs/readjob.h"

#include "jobs/jobobserver.h"
#include "plan/channelplan.h"
#include "plan/modellist.h"
#include "radio/readprocedure.h"

namespace zev {

RadioReading readRadioPlan(RadioLink& link, const ChannelPlan& wording, JobObserver& observer) {
    ChannelPlan plan;
    plan.setWords(wording.words());
    plan.rebuildOptionLists(wording.optionTexts());
    ModelList models;
    RadioReading reading;
    reading.session = readRadio(
        link, plan, models, [&observer](int percent) { observer.progress(percent); },
        &reading.image);
    reading.plan = channelFileFromPlan(plan, models);
    return reading;
}

} // namespace zev
