#pragma once

#include "radio/portprobe.h"

#include <QString>

namespace zev {

// The process that has a serial device open.
struct PortHolder {
    qint64 processId = 0;
    QString program; // its command name; empty when the process could not be looked at
};

// What stands between the user and a port, found out so that the message can say what to do.
struct PortDiagnosis {
    ProbeOutcome outcome = ProbeOutcome::Free;
    QString device;           // the node probed (links followed)
    QString group;            // PermissionDenied: the group that owns the device
    PortHolder holder;        // Busy: who holds it, where that can be found
    QString leftOverLock;     // Busy: a lock file of a program that is gone, not removable here
    bool usbLike = false;     // Missing: a name a USB adapter would have (ttyUSB, ttyACM, by-id)
    bool brlttyFound = false; // Missing: brltty is installed
    QString heldLock; // Busy: a lock file that names no running program (empty, unreadable, a link)
};

// Probes the device as the window's probe does and, where it is not free, finds out why.
PortDiagnosis diagnosePort(const QString& device);

// The process that holds the device: the one its lock file names, or one that has it open (as
// far as this user may look at other processes). processId 0 when none is found.
PortHolder findPortHolder(const QString& device);

// What is wrong and what to do, in the active language; empty for a free port.
QString portProblemText(const PortDiagnosis& diagnosis);

} // namespace zev
