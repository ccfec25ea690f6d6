#pragma once

#include <QString>

namespace zev {

enum class ProbeOutcome { Free, Missing, Busy, PermissionDenied };

// Opens the device exclusively and closes it again at once. A symbolic link (a
// /dev/serial/by-id name) is followed first. Busy when another serial port user holds it: its
// lock file (LCK..name, as QSerialPort takes it) or its exclusive mode (TIOCEXCL, seen also by
// root, whom the kernel lets open the device anyway).
ProbeOutcome probePort(const QString& device);

// The device node behind a name: symbolic links followed and "..", "." and "//" resolved, so that
// a name that follows one cable reaches whichever node the kernel gave it this time, and two
// names of one device are equal. A name that leads nowhere stays as it is.
QString resolveDevicePath(const QString& device);

// The lock file QSerialPort takes for a device (empty when no lock folder is usable).
QString serialLockFilePath(const QString& device);

struct SerialLock {
    enum State {
        Absent,   // no lock file, or one left behind that is now removed
        Held,     // a running process holds it, or nothing shows that none does
        LeftOver, // left behind by a program that is gone, and this user cannot remove it
    };
    State state = Absent;
    QString path;
    qint64 processId = 0; // Held: the running process the file names, 0 when it names none
};

// Looks at the device's lock file and removes it only when it names, in a form that can be read
// (a decimal process id at the start of a text file), a process that does not run. Anything
// else is held: an empty file, a binary process id, other text, a link, a folder.
SerialLock checkSerialLock(const QString& device);

} // namespace zev
