#pragma once

#include "radio/memoryimage.h"
#include "status.h"

#include <QByteArray>

#include <QString>

namespace zev {

// The radio's power calibration block at 0x03C8: high-power level and low-power level (one
// byte each) and the low-voltage level 0 to 2 in the low nibble of the third byte.
struct PowerLevels {
    int high = 0;
    int low = 0;
    int lowVoltage = 1;
    bool operator==(const PowerLevels&) const = default;
};

namespace power {

constexpr int MaximumLevel = 255;
constexpr int LowVoltageLevels = 3;

// From the dialog's fields: two decimal texts and the low-voltage selector's item index. An
// empty field, a value above 255 (pasted past the key filter) or no selection is refused with
// a message naming the field.
Result<PowerLevels> levelsFromFields(const QString& high, const QString& low, int lowVoltageIndex);

// The block; the levels must be in range.
Block encodeBlock(const PowerLevels& levels);

// The levels from a power read reply (four unexamined bytes, then the block). A reply that is
// not a block, or an erased or damaged block (a low-voltage nibble that is not 0 to 2), is
// refused with a message saying so.
Result<PowerLevels> decodeReply(const QByteArray& reply);

} // namespace power
} // namespace zev
