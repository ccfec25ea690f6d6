#pragma once

#include "radio/portdiagnosis.h"

#include <QString>

namespace zev {

// Why this user may open a device, as far as its owner, group and mode bits tell; an access list
// is what remains when they grant nothing and the open is allowed all the same (the seat's
// access that udev's uaccess tag gives the person at the computer).
enum class PortAccess { Root, Owner, Group, Everyone, AccessList, Denied };

// What the system shows about a serial device and about the programs that get in its way.
struct PortFacts {
    QString device;      // as named (a by-id link, a node)
    QString node;        // the node behind it
    QString stableName;  // its link in /dev/serial/by-id, if any
    bool exists = false; // there, and a serial device
    bool pseudoTerminal = false;
    bool usbAdapter = false;
    PortAccess access = PortAccess::Denied;
    QString group;                 // the group that owns the node
    bool groupJoinedLater = false; // the account is in that group, this login not yet
    PortDiagnosis diagnosis;       // the probe and, where it failed, why
    bool modemManagerRuns = false;
    bool modemManagerIgnoresPort = false; // udev set ID_MM_DEVICE_IGNORE on the device
    bool brlttyRuns = false;
};

PortFacts gatherPortFacts(const QString& device);

// Whether a process of that command name runs (as far as /proc shows this user).
bool programRuns(const QString& command);

} // namespace zev
