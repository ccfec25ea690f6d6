#include "chanfile/backups.h"
#include "channelfiletext.h"
#include "files.h"
#include "frames.h"
#include "jobs/writelog.h"
#include "programrun.h"
#include "simulatorprocess.h"

#include <QCryptographicHash>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <vector>

// zev4800-cli with several --port options: every radio is a simulator process of its own.
class CliManyTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyRadioIsWrittenAndVerified();
    void oneFaultyRadioFailsAlone_data();
    void oneFaultyRadioFailsAlone();
    void readsEveryRadioIntoTheFolder();
    void onePortNamedTwiceIsRefused_data();
    void onePortNamedTwiceIsRefused();
    void interruptStopsEverySession();
    void cloneWritesTheMastersPlanToEveryRadio();
    void cloneOfAnUnreadableMasterWritesNothing_data();
    void cloneOfAnUnreadableMasterWritesNothing();
    void everyRadioAddsOneLineToTheLog_data();
    void everyRadioAddsOneLineToTheLog();
    void unwritableLogLeavesTheWritesStanding_data();
    void unwritableLogLeavesTheWritesStanding();
    void usage_data();
    void usage();

private:
    QTemporaryDir m_dir;
};

using namespace testsupport;

namespace {

using Simulators = std::vector<std::unique_ptr<SimulatorProcess>>;

Simulators simulators(int count, const QStringList& arguments) {
    Simulators list;
    for (int i = 0; i < count; ++i)
        list.push_back(std::make_unique<SimulatorProcess>(arguments));
    return list;
}

QStringList portOptions(const Simulators& list) {
    QStringList options;
    for (const auto& sim : list)
        options << "--port" << sim->terminal();
    return options;
}

// Band 144-148MHz and two channels: a radio that holds it was written.
QByteArray plan() {
    return channelFileBytes(channelFileLines(
        {.band = "144-148MHz"}, {"CH01 | 145.50000 | 67.0 | 145.50000 | D023N | High | ON | OFF | ",
                                 "CH02 | 146.52000 | OFF | 146.52000 | OFF | Low | OFF | ON | "}));
}

// The radio holds the file, as diff with the radio finds.
bool radioHolds(const SimulatorProcess& sim, const QString& file) {
    const ProgramRun run = runCli({"diff", "--port", sim.terminal(), file});
    if (run.exitCode != 0)
        qWarning() << sim.terminal() << run.out << run.err;
    return run.exitCode == 0;
}

// The plan as the English interface saves it: the bytes of the plan the CLI writes from it.
QByteArray englishPlan() {
    return channelFileBytes(
        channelFileLines({.band = "144-148MHz", .voice = "0 Chinese male"},
                         {"CH01 | 145.50000 | 67.0 | 145.50000 | D023N | High | ON | OFF | ",
                          "CH02 | 146.52000 | OFF | 146.52000 | OFF | Low | OFF | ON | "}));
}

// The write log's records by port; a damaged line or a port with two fails the test.
QHash<QString, zev::WriteRecord> loggedByPort(const QString& log) {
    const zev::Result<zev::writelog::Contents> read = zev::writelog::read(log);
    if (!read || !read->problems.isEmpty()) {
        qWarning() << read.message() << (read ? read->problems : QStringList());
        return {};
    }
    QHash<QString, zev::WriteRecord> byPort;
    for (const zev::WriteRecord& record : read->records) {
        if (byPort.contains(record.port)) {
            qWarning() << "two lines for" << record.port;
            return {};
        }
        byPort.insert(record.port, record);
    }
    return byPort;
}

// The rows of the result table on stdout, by port: "ok" or "failed".
QHash<QString, QString> resultsByPort(const QByteArray& out) {
    QHash<QString, QString> results;
    const QStringList lines = QString::fromLocal8Bit(out).split('\n', Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList fields = lines.at(i).split(' ', Qt::SkipEmptyParts);
        if (fields.size() >= 2)
            results.insert(fields.at(0), fields.at(1));
    }
    return results;
}

} // namespace

void CliManyTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    qputenv("XDG_DATA_HOME", m_dir.filePath("data").toLocal8Bit());
    QVERIFY(writeFile(m_dir.filePath("plan.z81"), plan()));
}

void CliManyTest::everyRadioIsWrittenAndVerified() {
    const Simulators radios = simulators(3, {"--demo", "--baud", "0"});
    const QString backups = m_dir.filePath("all-backups");
    const ProgramRun run = runCli(QStringList{"write", m_dir.filePath("plan.z81"), "--lang",
                                              "english", "--backup-dir", backups} +
                                  portOptions(radios));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    const QHash<QString, QString> results = resultsByPort(run.out);
    QCOMPARE(results.size(), 3);
    QStringList expectedBackups;
    for (const auto& sim : radios) {
        QCOMPARE(results.value(sim->terminal()), QStringLiteral("ok"));
        QVERIFY(radioHolds(*sim, m_dir.filePath("plan.z81")));
        expectedBackups << QFileInfo(sim->terminal()).path().mid(5).replace('/', '-') + '-' +
                               QFileInfo(sim->terminal()).fileName();
    }
    // Each radio's own old plan, named by its device.
    const QStringList kept = QDir(backups).entryList(QDir::Files);
    QCOMPARE(kept.size(), 3);
    for (const QString& device : expectedBackups)
        QVERIFY2(kept.filter(QRegularExpression("-" + device + "\\.z81$")).size() == 1,
                 qPrintable(kept.join(' ')));
}

void CliManyTest::oneFaultyRadioFailsAlone_data() {
    QTest::addColumn<QStringList>("fault"); // the simulator's options; none: a missing port
    QTest::addColumn<QString>("message");   // how its line on stderr starts, after the port
    QTest::newRow("silent") << QStringList{"--silent"}
                            << "write failed: the radio's plan could not be backed up";
    QTest::newRow("wrong identification")
        << QStringList{"--wrong-id"} << "write failed: the radio's plan could not be backed up";
    // Frame 90: inside the write, after the 71 frames of the backup read.
    QTest::newRow("unplugged in the write")
        << QStringList{"--hang-up-after", "90"} << "write failed: the radio did not acknowledge";
    QTest::newRow("keeps nothing") << QStringList{"--store-nothing"}
                                   << "write failed: the radio does not hold what was written";
    QTest::newRow("missing port") << QStringList{}
                                  << "write failed: There is no serial device /nonexistent/tty.";
}

void CliManyTest::oneFaultyRadioFailsAlone() {
    QFETCH(QStringList, fault);
    QFETCH(QString, message);
    const Simulators good = simulators(2, {"--demo", "--baud", "0"});
    std::unique_ptr<SimulatorProcess> faulty;
    QString faultyPort = "/nonexistent/tty";
    if (!fault.isEmpty()) {
        faulty = std::make_unique<SimulatorProcess>(QStringList{"--demo", "--baud", "0"} + fault);
        faultyPort = faulty->terminal();
    }
    // The faulty radio between the good ones.
    const ProgramRun run =
        runCli({"write", m_dir.filePath("plan.z81"), "--lang", "english", "--port",
                good.at(0)->terminal(), "--port", faultyPort, "--port", good.at(1)->terminal()});
    QCOMPARE(run.exitCode, 1);
    const QHash<QString, QString> results = resultsByPort(run.out);
    QCOMPARE(results.value(faultyPort), QStringLiteral("failed"));
    for (const auto& sim : good) {
        QCOMPARE(results.value(sim->terminal()), QStringLiteral("ok"));
        QVERIFY(radioHolds(*sim, m_dir.filePath("plan.z81")));
    }
    const QString err = QString::fromLocal8Bit(run.err);
    QVERIFY2(err.startsWith("zev4800-cli: " + faultyPort + ": " + message), qPrintable(err));
    QVERIFY2(err.endsWith("zev4800-cli: 1 of 3 radios failed: " + faultyPort + "\n"),
             qPrintable(err));
}

void CliManyTest::readsEveryRadioIntoTheFolder() {
    const Simulators radios = simulators(2, {"--demo", "--baud", "0"});
    SimulatorProcess written({"--baud", "0"});
    QCOMPARE(runCli({"write", "--port", written.terminal(), m_dir.filePath("plan.z81"), "--lang",
                     "english", "--no-backup"})
                 .exitCode,
             0);
    const QString folder = m_dir.filePath("read/into");
    const ProgramRun run = runCli(QStringList{"read", "--output-dir", folder, "--lang", "english",
                                              "--port", written.terminal()} +
                                  portOptions(radios));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 3);
    // Each file as a read of that radio alone saves it.
    for (const SimulatorProcess* sim : {&written, radios.at(0).get(), radios.at(1).get()}) {
        const QString device = sim->terminal().mid(5).replace('/', '-');
        const QString alone = m_dir.filePath("alone.z81");
        QCOMPARE(runCli({"read", "--port", sim->terminal(), "--output", alone, "--lang", "english"})
                     .exitCode,
                 0);
        QCOMPARE(readFile(folder + "/" + device + ".z81"), readFile(alone));
    }
    QVERIFY(readFile(folder + "/" + written.terminal().mid(5).replace('/', '-') + ".z81")
                .contains("CH01 | 145.50000 | 67.0 |"));
}

// Two sessions on one line would garble each other's frames: refused before a byte is sent,
// however the second name spells the device.
void CliManyTest::onePortNamedTwiceIsRefused_data() {
    QTest::addColumn<QString>("spelling"); // %1: the terminal's path, %2: a link to it
    QTest::newRow("symbolic link") << "%2";
    QTest::newRow("through ..") << "/dev/..%1"; // /dev/../dev/pts/3
    QTest::newRow("double slash") << "/%1";     // //dev/pts/3
    QTest::newRow("through .") << "/.%1";       // /./dev/pts/3
}

void CliManyTest::onePortNamedTwiceIsRefused() {
    QFETCH(QString, spelling);
    const QString trace = m_dir.filePath("twice.trace");
    QFile::remove(trace);
    SimulatorProcess sim({"--baud", "0", "--trace", trace});
    const QString link = m_dir.filePath("twice-link");
    QFile::remove(link);
    QVERIFY(QFile::link(sim.terminal(), link));
    const QString other = QString(spelling).replace("%1", sim.terminal()).replace("%2", link);
    const ProgramRun run =
        runCli({"write", m_dir.filePath("plan.z81"), "--port", sim.terminal(), "--port", other});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(QString::fromLocal8Bit(run.err), "zev4800-cli: write refused: --port " +
                                                  sim.terminal() + " and --port " + other +
                                                  " are the same port\n");
    QCOMPARE(run.out, QByteArray());
    sim.stop();
    QCOMPARE(heardFrames(trace), QStringList());
}

// Radios that take a second for every reply keep every session waiting when Ctrl-C comes.
void CliManyTest::interruptStopsEverySession() {
    Simulators radios;
    QStringList traces;
    for (int i = 0; i < 3; ++i) {
        traces << m_dir.filePath(QStringLiteral("slow%1.trace").arg(i));
        radios.push_back(std::make_unique<SimulatorProcess>(QStringList{
            "--demo", "--baud", "0", "--reply-delay", "1000", "--trace", traces.last()}));
    }
    const QString log = m_dir.filePath("interrupted.csv");
    QProcess cli;
    cli.start(binaryPath("zev4800-cli"),
              QStringList{"write", m_dir.filePath("plan.z81"), "--lang", "english", "--log", log} +
                  portOptions(radios));
    QVERIFY(cli.waitForStarted());
    // Every radio has heard its entry frame.
    QVERIFY(QTest::qWaitFor(
        [&] {
            return std::all_of(traces.cbegin(), traces.cend(),
                               [](const QString& trace) { return !heardFrames(trace).isEmpty(); });
        },
        ProcessLimitMs));
    QVERIFY(::kill(static_cast<pid_t>(cli.processId()), SIGINT) == 0);
    QVERIFY(cli.waitForFinished(ProcessLimitMs));
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QCOMPARE(cli.exitCode(), 1);
    const QString err = QString::fromLocal8Bit(cli.readAllStandardError());
    for (const auto& sim : radios)
        QVERIFY2(err.contains("zev4800-cli: " + sim->terminal() + ": interrupted: "),
                 qPrintable(err));
    // Each radio's line says the write was stopped.
    const QHash<QString, zev::WriteRecord> logged = loggedByPort(log);
    QCOMPARE(logged.size(), 3);
    for (const auto& sim : radios)
        QCOMPARE(logged.value(sim->terminal()).outcome, zev::WriteOutcome::Stopped);
    // Each session ended with its end frame: every radio has left programming mode.
    for (int i = 0; i < 3; ++i) {
        radios.at(size_t(i))->stop();
        const QStringList heard = heardFrames(traces.at(i));
        QVERIFY2(!heard.isEmpty() && heard.last() == QStringLiteral("646F"),
                 qPrintable(heard.join(' ')));
    }
}

// The master, written with the plan first, is read once; its plan is kept and written to
// every target, each with its own backup, as the table shows.
void CliManyTest::cloneWritesTheMastersPlanToEveryRadio() {
    SimulatorProcess master({"--demo"}); // paced as a radio is
    QCOMPARE(runCli({"write", "--port", master.terminal(), m_dir.filePath("plan.z81"), "--lang",
                     "english", "--no-backup"})
                 .exitCode,
             0);
    const Simulators targets = simulators(2, {"--baud", "0"});
    const QString backups = m_dir.filePath("clone-backups");
    const ProgramRun run =
        runCli({"clone", "--from", master.terminal(), "--to", targets.at(0)->terminal(), "--to",
                targets.at(1)->terminal(), "--lang", "english", "--backup-dir", backups});
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = QString::fromLocal8Bit(run.out).split('\n', Qt::SkipEmptyParts);
    QVERIFY2(lines.first().startsWith("plan of the master radio: " + backups + "/"),
             run.out.constData());
    const QString kept = lines.first().section(": ", 1);
    // The master's plan is the file's, by meaning.
    QCOMPARE(runCli({"diff", kept, m_dir.filePath("plan.z81")}).exitCode, 0);
    const QHash<QString, QString> results = resultsByPort(lines.mid(1).join('\n').toLocal8Bit());
    QCOMPARE(results.size(), 2);
    for (const auto& sim : targets) {
        QCOMPARE(results.value(sim->terminal()), QStringLiteral("ok"));
        QVERIFY(radioHolds(*sim, m_dir.filePath("plan.z81")));
    }
    QCOMPARE(QDir(backups).entryList(QDir::Files).size(), 3); // the master's and two backups
}

void CliManyTest::cloneOfAnUnreadableMasterWritesNothing_data() {
    QTest::addColumn<QStringList>("master"); // the simulator's options; empty: no radio at all
    QTest::addColumn<QString>("message");
    QTest::newRow("silent master") << QStringList{"--silent", "--baud", "0"}
                                   << "the master radio could not be read, nothing was written";
    QTest::newRow("dies halfway") << QStringList{"--hang-up-after", "12", "--baud", "0"}
                                  << "the master radio could not be read, nothing was written";
    QTest::newRow("master is a target")
        << QStringList{"--baud", "0", "same"} << "are the same port";
}

void CliManyTest::cloneOfAnUnreadableMasterWritesNothing() {
    QFETCH(QStringList, master);
    QFETCH(QString, message);
    const bool same = master.removeAll("same") > 0;
    SimulatorProcess masterSim(master);
    const QString trace = m_dir.filePath("clone-target.trace");
    QFile::remove(trace);
    SimulatorProcess target({"--baud", "0", "--trace", trace});
    const ProgramRun run =
        runCli({"clone", "--from", masterSim.terminal(), "--to",
                same ? masterSim.terminal() : target.terminal(), "--lang", "english"});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(QString::fromLocal8Bit(run.err).contains(message), run.err.constData());
    target.stop();
    QCOMPARE(heardFrames(trace), QStringList());
}

// One line for every radio, however its write ended, written by the threads at once: the plan's
// hash is the file's, the device the radio's. Without the read back, a radio that keeps nothing
// is logged as written.
void CliManyTest::everyRadioAddsOneLineToTheLog_data() {
    QTest::addColumn<bool>("verify");
    QTest::newRow("verified") << true;
    QTest::newRow("not read back") << false;
}

void CliManyTest::everyRadioAddsOneLineToTheLog() {
    QFETCH(bool, verify);
    const QString plan = m_dir.filePath("english.z81");
    QVERIFY(writeFile(plan, englishPlan()));
    const QString log = m_dir.filePath(verify ? "verified/writes.csv" : "unverified/writes.csv");
    const Simulators good = simulators(2, {"--demo", "--baud", "0"});
    SimulatorProcess forgetful({"--demo", "--baud", "0", "--store-nothing"});
    const QString missing = "/nonexistent/tty";
    QStringList arguments{"write", plan,     "--lang", "english", "--log",
                          log,     "--port", missing,  "--port",  forgetful.terminal()};
    if (!verify)
        arguments << "--no-verify";
    const ProgramRun run = runCli(arguments + portOptions(good));
    QCOMPARE(run.exitCode, 1);

    const QHash<QString, zev::WriteRecord> logged = loggedByPort(log);
    QCOMPARE(logged.size(), 4);
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(readFile(plan), QCryptographicHash::Sha256).toHex());
    const zev::WriteOutcome done =
        verify ? zev::WriteOutcome::Verified : zev::WriteOutcome::Written;
    for (const zev::WriteRecord& record : logged) {
        QCOMPARE(record.planFile, plan);
        QCOMPARE(record.planSha256, hash);
        QCOMPARE(record.band, QStringLiteral("144-148MHz"));
        QVERIFY(record.time.isValid());
        QVERIFY(record.time.secsTo(QDateTime::currentDateTimeUtc()) < 3600);
    }
    for (const auto& sim : good) {
        const zev::WriteRecord record = logged.value(sim->terminal());
        QCOMPARE(record.device, sim->terminal());
        QCOMPARE(record.outcome, done);
        QCOMPARE(record.reason, QString());
        QVERIFY2(zev::backups::isBackupFile(record.backupPath), qPrintable(record.backupPath));
    }
    const zev::WriteRecord forgot = logged.value(forgetful.terminal());
    QCOMPARE(forgot.outcome, verify ? zev::WriteOutcome::Failed : done);
    QCOMPARE(forgot.reason.startsWith("The radio does not hold what was written:\n"), verify);
    QVERIFY(zev::backups::isBackupFile(forgot.backupPath));
    const zev::WriteRecord unopened = logged.value(missing);
    QCOMPARE(unopened.outcome, zev::WriteOutcome::Failed);
    QCOMPARE(unopened.device, missing);
    QCOMPARE(unopened.reason, QStringLiteral("There is no serial device /nonexistent/tty."));
    QCOMPARE(unopened.backupPath, QString());
}

// The radios hold the plan and the exit status says so; the log's trouble is said once.
void CliManyTest::unwritableLogLeavesTheWritesStanding_data() {
    QTest::addColumn<int>("radios");
    QTest::newRow("one radio") << 1;
    QTest::newRow("three radios") << 3;
}

void CliManyTest::unwritableLogLeavesTheWritesStanding() {
    QFETCH(int, radios);
    const QString log = m_dir.filePath("log-is-a-folder");
    QVERIFY(QDir().mkpath(log));
    const Simulators sims = simulators(radios, {"--demo", "--baud", "0"});
    const ProgramRun run =
        runCli(QStringList{"write", m_dir.filePath("plan.z81"), "--lang", "english", "--log", log} +
               portOptions(sims));
    QCOMPARE(run.exitCode, 0);
    for (const auto& sim : sims)
        QVERIFY(radioHolds(*sim, m_dir.filePath("plan.z81")));
    QCOMPARE(QString::fromLocal8Bit(run.err),
             "zev4800-cli: warning: The write was not recorded in the write log: File access "
             "denied: " +
                 log + " is a folder, not a file\n");
    QVERIFY(QFileInfo(log).isDir());
}

void CliManyTest::usage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("read of several into one file")
        << QStringList{"read", "--port", "/dev/null", "--port", "/dev/zero", "--output", "x.z81"}
        << "zev4800-cli: a read from several radios needs --output-dir, not --output";
    QTest::newRow("one trace for several")
        << QStringList{"write",  "x.z81",     "--port",  "/dev/null",
                       "--port", "/dev/zero", "--trace", "t"}
        << "zev4800-cli: --trace takes one --port";
    QTest::newRow("diff with several")
        << QStringList{"diff", "x.z81", "--port", "/dev/null", "--port", "/dev/zero"}
        << "zev4800-cli: only read and write take several --port";
    QTest::newRow("folder outside read")
        << QStringList{"write", "x.z81", "--port", "/dev/null", "--output-dir", "d"}
        << "zev4800-cli: --output-dir belongs to read";
    QTest::newRow("clone without a target")
        << QStringList{"clone", "--from", "/dev/null"} << "zev4800-cli: --to PORT is required";
    QTest::newRow("clone without a master")
        << QStringList{"clone", "--to", "/dev/null"} << "zev4800-cli: --from PORT is required";
}

void CliManyTest::usage() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const ProgramRun run = runCli(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(QString::fromLocal8Bit(run.err).startsWith(message), run.err.constData());
}

QTEST_GUILESS_MAIN(CliManyTest)
#include "tst_climany.moc"
