// Times a full read, a bare write and a default write (backup read, write, read-back check)
// through zev4800-cli against rh4800-sim paced at 9600 baud with no added turnaround, as a ratio
// to the time the bytes need on the wire, and the time a read and a write take to give up on a
// silent radio. Then the same read and bare write with every reply held back as a USB serial
// adapter's latency timer does: 16 ms (the FTDI default) and 1 ms (what the driver's low latency
// mode gives). Last, the default write to 1, 8 and 32 paced simulators at once, with one command.
#include "benchsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

QString binDir;

struct Radio {
    QProcess process;
    QString device;
};

bool startRadio(Radio& radio, const QStringList& options) {
    radio.process.start(binDir + "/rh4800-sim", options);
    if (!radio.process.waitForReadyRead(5000))
        return false;
    radio.device = QString::fromLocal8Bit(radio.process.readLine()).trimmed();
    return !radio.device.isEmpty();
}

// Seconds one run of the command-line tool takes; negative when it did not succeed or fail as
// expected.
double timeCli(const QStringList& arguments, bool expectSuccess) {
    QProcess cli;
    QElapsedTimer clock;
    clock.start();
    cli.start(binDir + "/zev4800-cli", arguments);
    cli.waitForFinished(60000);
    const double seconds = clock.nsecsElapsed() / 1e9;
    if ((cli.exitCode() == 0) != expectSuccess) {
        std::fprintf(stderr, "zev4800-cli %s: %s\n", qPrintable(arguments.join(' ')),
                     cli.readAllStandardError().constData());
        return -1;
    }
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    binDir = QCoreApplication::applicationDirPath();
    const int runs = argc > 1 ? QString(argv[1]).toInt() : 5;
    QTemporaryDir work;
    const QString plan = work.filePath("plan.z81");

    // 631 bytes cross the line for a read and 461 for a write, at 10 bits a byte.
    const double readBound = 631 * 10 / 9600.0;
    const double writeBound = 461 * 10 / 9600.0;
    const double checkedWriteBound = readBound + writeBound + readBound;
    const QString backups = work.filePath("backups");

    Radio radio;
    if (!startRadio(radio, {"--demo", "--image", work.filePath("radio.img")})) {
        std::fprintf(stderr, "rh4800-sim did not start\n");
        return 1;
    }
    QList<double> reads, writes, checkedWrites;
    for (int run = 0; run < runs; ++run) {
        reads << timeCli({"read", "--port", radio.device, "--output", plan}, true);
        writes << timeCli({"write", "--port", radio.device, plan, "--no-backup", "--no-verify"},
                          true);
        checkedWrites << timeCli({"write", "--port", radio.device, plan, "--backup-dir", backups},
                                 true);
    }
    radio.process.terminate();
    radio.process.waitForFinished();

    // The simulator holds each reply back as the adapter's timer would.
    struct Held {
        int latencyMs;
        double read = 0, write = 0;
    } held[] = {{16}, {1}};
    for (Held& timer : held) {
        Radio slow;
        if (!startRadio(slow, {"--image", work.filePath("radio.img"), "--latency",
                               QString::number(timer.latencyMs)}))
            return 1;
        QList<double> slowReads, slowWrites;
        for (int run = 0; run < runs; ++run) {
            slowReads << timeCli({"read", "--port", slow.device, "--output", plan}, true);
            slowWrites << timeCli(
                {"write", "--port", slow.device, plan, "--no-backup", "--no-verify"}, true);
        }
        slow.process.terminate();
        slow.process.waitForFinished();
        timer.read = bench::median(slowReads);
        timer.write = bench::median(slowWrites);
    }

    Radio silent;
    if (!startRadio(silent, {"--silent"}))
        return 1;
    const double readGivesUp =
        timeCli({"read", "--port", silent.device, "--output", work.filePath("none.z81")}, false);
    const double writeGivesUp =
        timeCli({"write", "--port", silent.device, plan, "--no-backup"}, false);
    silent.process.terminate();
    silent.process.waitForFinished();

    // The default write (backup read, write, read-back) to several radios at once.
    struct Fleet {
        int radios;
        double write = 0;
    } fleets[] = {{1}, {8}, {32}};
    for (Fleet& fleet : fleets) {
        std::vector<std::unique_ptr<Radio>> radios;
        QStringList arguments{"write", plan, "--backup-dir", backups};
        for (int i = 0; i < fleet.radios; ++i) {
            radios.push_back(std::make_unique<Radio>());
            if (!startRadio(*radios.back(), {"--demo"}))
                return 1;
            arguments << "--port" << radios.back()->device;
        }
        QList<double> fleetWrites;
        for (int run = 0; run < runs; ++run)
            fleetWrites << timeCli(arguments, true);
        for (const auto& radio : radios) {
            radio->process.terminate();
            radio->process.waitForFinished();
        }
        fleet.write = bench::median(fleetWrites);
    }
    double load[3] = {};
    const bool loadKnown = ::getloadavg(load, 3) == 3;

    const double read = bench::median(reads), write = bench::median(writes);
    const double checkedWrite = bench::median(checkedWrites);
    std::printf("radio session through zev4800-cli, rh4800-sim at 9600 baud, median of %d\n", runs);
    std::printf("  read : %6.3f s, %.2f x the wire time %.3f s (target <= 1.10)\n", read,
                read / readBound, readBound);
    std::printf("  write: %6.3f s, %.2f x the wire time %.3f s (target <= 1.10)\n", write,
                write / writeBound, writeBound);
    std::printf("  default write (backup read, write, read-back): %6.3f s, %.2f x the wire time "
                "%.3f s (target <= 1.05)\n",
                checkedWrite, checkedWrite / checkedWriteBound, checkedWriteBound);
    for (const Held& timer : held)
        std::printf("  latency timer %2d ms: read %6.3f s (%.2f x wire), write %6.3f s "
                    "(%.2f x wire)\n",
                    timer.latencyMs, timer.read, timer.read / readBound, timer.write,
                    timer.write / writeBound);
    std::printf("  silent radio: read gives up after %.2f s (about 3.3 s expected), "
                "write without backup after %.2f s (about 1.5 s expected)\n",
                readGivesUp, writeGivesUp);
    std::printf("default write to several radios at once, 9600 baud, median of %d\n", runs);
    for (const Fleet& fleet : fleets)
        std::printf("  %2d radio%s: %6.3f s, %.2f x one radio\n", fleet.radios,
                    fleet.radios == 1 ? " " : "s", fleet.write, fleet.write / fleets[0].write);
    std::printf("  32 radios / 1 radio: %.2f (target <= 1.10)\n",
                fleets[2].write / fleets[0].write);
    if (loadKnown)
        std::printf("  load average at the end: %.2f %.2f %.2f on %d processors\n", load[0],
                    load[1], load[2], QThread::idealThreadCount());
    return 0;
}
