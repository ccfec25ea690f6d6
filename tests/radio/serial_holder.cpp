// Holds a serial port from a second process so that the port probe can be tested against it.
//   serial_holder qt DEVICE     open it with QSerialPort (lock file and exclusive mode)
//   serial_holder excl DEVICE   open it raw and set the exclusive mode only
//   serial_holder probe UID DEVICE   probe it as that user and print the outcome
//   serial_holder diagnose UID DEVICE   the same, printing what the user is told
// The holders print "ready" once they hold the port and keep it until stdin closes.
#include "radio/portdiagnosis.h"

#include <QCoreApplication>
#include <QSerialPort>

#include <cstdio>
#include <fcntl.h>
#include <grp.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

void holdUntilStdinCloses() {
    std::puts("ready");
    std::fflush(stdout);
    char buffer[64];
    while (::read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
    }
}

const char* outcomeName(zev::ProbeOutcome outcome) {
    switch (outcome) {
    case zev::ProbeOutcome::Free:
        return "free";
    case zev::ProbeOutcome::Missing:
        return "missing";
    case zev::ProbeOutcome::Busy:
        return "busy";
    case zev::ProbeOutcome::PermissionDenied:
        return "permission-denied";
    }
    return "?";
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args.at(1) == "qt") {
        QSerialPort port(args.at(2));
        if (!port.open(QIODevice::ReadWrite)) {
            std::printf("failed: %s\n", qPrintable(port.errorString()));
            return 1;
        }
        holdUntilStdinCloses();
        return 0;
    }
    if (args.size() == 3 && args.at(1) == "excl") {
        const int fd = ::open(argv[2], O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd < 0 || ::ioctl(fd, TIOCEXCL) != 0) {
            std::perror("failed");
            return 1;
        }
        holdUntilStdinCloses();
        // A real device forgets the mode at its last close; a pty slave keeps it while the
        // master is open, so let go of it explicitly.
        ::ioctl(fd, TIOCNXCL);
        ::close(fd);
        return 0;
    }
    if (args.size() == 4 && (args.at(1) == "probe" || args.at(1) == "diagnose")) {
        const uid_t uid = uid_t(args.at(2).toUInt());
        if (::setgroups(0, nullptr) != 0 || ::setgid(uid) != 0 || ::setuid(uid) != 0) {
            std::perror("failed");
            return 1;
        }
        if (args.at(1) == "probe")
            std::puts(outcomeName(zev::probePort(args.at(3))));
        else
            std::puts(qPrintable(zev::portProblemText(zev::diagnosePort(args.at(3)))));
        return 0;
    }
    std::fprintf(stderr, "usage: serial_holder qt|excl DEVICE | probe|diagnose UID DEVICE\n");
    return 2;
}
