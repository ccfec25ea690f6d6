#include "jobs/readjob.h"

#include "jobs/jobobserver.h"
#include "radio/readprocedure.h"

namespace zev {

RadioReading readRadioPlan(RadioLink& link, const Wording& wording, JobObserver& observer) {
    RadioReading reading;
    reading.session = readRadio(
        link, reading.plan, wording, [&observer](int percent) { observer.progress(percent); },
        &reading.image);
    return reading;
}

} // namespace zev
