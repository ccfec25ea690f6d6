#pragma once

#include "radio/powerprocedure.h"

#include <QString>

namespace zev {

class RadioLink;

// The power dialog's read, as the procedure runs it.
PowerReadResult readPowerLevels(RadioLink& link);
// The levels as the dialog's fields give them: two decimal texts and the low-voltage item
// index. Fields that give no levels are refused before the radio is touched, the message naming
// the field.
PowerWriteResult writePowerLevels(RadioLink& link, const QString& high, const QString& low,
                                  int lowVoltageIndex);

} // namespace zev
