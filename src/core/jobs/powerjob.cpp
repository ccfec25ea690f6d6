#include "jobs/powerjob.h"

#include "radio/powerlevels.h"

namespace zev {

PowerReadResult readPowerLevels(RadioLink& link) {
    return readPower(link);
}

PowerWriteResult writePowerLevels(RadioLink& link, const QString& high, const QString& low,
                                  int lowVoltageIndex) {
    const Result<PowerLevels> levels = power::levelsFromFields(high, low, lowVoltageIndex);
    if (!levels) {
        PowerWriteResult refused;
        refused.session = SessionResult::refused(levels.message());
        return refused;
    }
    return writePower(link, levels.value());
}

} // namespace zev
