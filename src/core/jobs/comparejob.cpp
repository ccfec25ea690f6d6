#include "jobs/comparejob.h"

#include "jobs/readjob.h"

namespace zev {

RadioComparison compareWithRadio(RadioLink& link, const Plan& plan, const Wording& wording,
                                 JobObserver& observer) {
    const RadioReading radio = readRadioPlan(link, wording, observer);
    RadioComparison comparison;
    comparison.session = radio.session;
    if (radio.session.succeeded())
        comparison.differences = comparePlans(plan, radio.plan);
    return comparison;
}

} // namespace zev
