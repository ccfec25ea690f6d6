#pragma once

#include <QString>

namespace zev {

enum class ProbeOutcome { Free, Missing, Busy, PermissionDenied };

// Opens the device exclusively and closes it again at once. A symbolic link (a
// /dev/serial/by-id name) is followed first. Busy when another serial port user holds it: its
// lock file (LCK..name, as QSerialPort takes it) or its exclusive mode (TIOCEXCL, seen also by
// root, whom the kernel lets open the device anyway).
ProbeOutcome probePort(const QString& device);

// The device node behind a name: symbolic links followed, so that a name that follows one cable
// reaches whichever node the kernel gave it this time. A name that leads nowhere stays as it is.
QString resolveDevicePath(const QString& device);

// The lock file QSerialPort takes for a device (empty when no lock folder is usable).
QString serialLockFilePath(const QString& device);

struct SerialLock {
    enum State {
        Absent,   // no lock file, or one left behind that is now removed
        Held,     // a running process holds it
        LeftOver, // left behind by a program that is gone, and this user cannot remove it
    };
    State state = Absent;
    QString path;
    qint64 processId = 0; // Held: the holder, where the file names it
};

// Looks at the device's lock file and removes it when the program that took it is gone: an
// empty file, or one naming a process that no longer runs. Such a file never blocks the port.
SerialLock checkSerialLock(const QString& device);

} // namespace zev
