#pragma once

#include <QString>

namespace zev {

enum class ProbeOutcome { Free, Missing, Busy, PermissionDenied };

// Opens the device exclusively and closes it again at once. Busy when another serial port user
// holds it: its lock file (LCK..name, as QSerialPort takes it) or its exclusive mode (TIOCEXCL,
// seen also by root, whom the kernel lets open the device anyway).
ProbeOutcome probePort(const QString& device);

} // namespace zev
