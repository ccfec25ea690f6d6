// Soak: many write-then-read cycles against rh4800-sim on a pseudo-terminal with pacing off,
// through the serial link and the procedures the program uses. Each cycle writes a different
// plan and reads it back; it prints the failures and this process's resident memory at the
// start and at the end.
#include "benchsupport.h"

#include "plan/plan.h"
#include "plan/wording.h"
#include "radio/linkserial.h"
#include "radio/readprocedure.h"
#include "radio/serialport.h"
#include "radio/writeprocedure.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QProcess>

#include <cstdio>

namespace {

const QString Band = QStringLiteral("136-174MHz");

double residentMiB() {
    return bench::residentMiB(QCoreApplication::applicationPid());
}

// A plan that differs from one cycle to the next in every row, with one empty row.
void fillPlan(zev::Plan& plan, const zev::Words& words, int cycle) {
    plan.band = Band;
    const QString decimals[] = {"00000", "12500", "25000", "37500",
                                "50000", "62500", "75000", "87500"};
    const QString tones[] = {words.off, "67.0", "D023N", "88.5", "D754I", "100.0"};
    for (int row = 1; row <= zev::Plan::ChannelCount; ++row) {
        if ((cycle + row) % zev::Plan::ChannelCount == 0) {
            plan.setChannel(row, zev::ChannelRow{});
            continue;
        }
        const int step = cycle + row;
        plan.setChannel(
            row,
            {QStringLiteral("%1.%2").arg(136 + step % 38).arg(decimals[step % 8]), tones[step % 6],
             QStringLiteral("%1.%2").arg(136 + (step + 5) % 38).arg(decimals[(step + 3) % 8]),
             tones[(step + 1) % 6], step % 2 ? words.high : words.low,
             step % 3 ? words.on : words.off, step % 5 ? words.off : words.on});
    }
    plan.options = {cycle % 10, cycle % 2, 4, 0, 1, (cycle / 2) % 2, 1};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    const int cycles = argc > 1 ? QString(argv[1]).toInt() : 1000;
    if (cycles < 1) {
        std::fprintf(stderr, "usage: soak_bench [CYCLES]  (default 1000)\n");
        return 2;
    }

    QProcess simulator;
    simulator.start(QCoreApplication::applicationDirPath() + "/rh4800-sim", {"--baud", "0"});
    if (!simulator.waitForReadyRead(5000)) {
        std::fprintf(stderr, "rh4800-sim did not start\n");
        return 1;
    }
    const QString device = QString::fromLocal8Bit(simulator.readLine()).trimmed();

    const double startMiB = residentMiB();
    double warmMiB = 0;
    int failures = 0;
    QElapsedTimer clock;
    clock.start();
    for (int cycle = 0; cycle < cycles; ++cycle) {
        // Opened for each cycle as a radio dialog opens it when shown.
        zev::SerialPort port;
        port.setPort(1, device);
        if (const zev::Status opened = port.open(); !opened) {
            std::fprintf(stderr, "cycle %d: %s\n", cycle + 1, qPrintable(opened.message()));
            ++failures;
            continue;
        }
        zev::SerialLink link{port};
        const zev::Wording wording;
        zev::Plan written;
        fillPlan(written, wording.words, cycle);
        const zev::SessionResult write = zev::writeRadio(link, written, wording);
        zev::Plan read;
        const zev::SessionResult result =
            write.succeeded() ? zev::readRadio(link, read, wording) : write;
        port.close();
        if (!result.succeeded() || read != written) {
            ++failures;
            std::fprintf(stderr, "cycle %d: %s\n", cycle + 1,
                         result.succeeded() ? "the plan read back differs from the one written"
                                            : qPrintable(result.reason));
        }
        if (cycle == 0)
            warmMiB = residentMiB();
    }
    const double seconds = clock.elapsed() / 1000.0;
    const double endMiB = residentMiB();
    simulator.terminate();
    simulator.waitForFinished();

    std::printf("soak: %d write and read cycles through the serial link, rh4800-sim with pacing "
                "off, %.1f s (%.1f ms a cycle)\n",
                cycles, seconds, 1000 * seconds / cycles);
    std::printf("  failures: %d (target 0)\n", failures);
    std::printf("  resident memory: %.2f MiB at the start, %.2f MiB after the first cycle, "
                "%.2f MiB at the end: %+.2f MiB since the first cycle (target: within 1 MB)\n",
                startMiB, warmMiB, endMiB, endMiB - warmMiB);
    return 0;
}
