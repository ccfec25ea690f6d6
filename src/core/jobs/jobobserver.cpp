#include "jobs/jobobserver.h"

namespace zev {

JobObserver::~JobObserver() = default;

void JobObserver::progress(int) {}

void JobObserver::phaseStarted(WritePhase) {}

bool JobObserver::confirmOutsideBand(const QString&, const QStringList&) {
    return true;
}

} // namespace zev
