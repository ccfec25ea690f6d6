#include "channelfiletext.h"
#include "files.h"
#include "frames.h"
#include "gbk.h"
#include "programrun.h"
#include "simulatorprocess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

// zev4800-cli end to end: the simulator runs as its own process on a pseudo-terminal.
class CliTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void readDemoRadioIntoAFile();
    void readAtTheLinePace();
    void writeFileIntoTheRadio();
    void frequenciesOutsideTheBandAreWrittenWithAWarning();
    void failures_data();
    void failures();
    void badPlanIsRefusedWithoutAByte();
    void writeIsReadBackAndChecked_data();
    void writeIsReadBackAndChecked();
    void defaultWriteKeepsTheRadiosOldPlan();
    void failedBackupWritesNothing();
    void diff_data();
    void diff();
    void interruptEndsTheSessionCleanly_data();
    void interruptEndsTheSessionCleanly();
    void showAlignsWideCharacters_data();
    void showAlignsWideCharacters();
    void showListsWhatTheRadioWouldRefuse_data();
    void showListsWhatTheRadioWouldRefuse();
    void languageFallsBackToChinese();
    void languageOfTheEnvironment_data();
    void languageOfTheEnvironment();
    void optionsBeyondTheirListsReadIntoAFileThatOpens();
    void controlCharactersPrintVisibly();
    void badChannelFiles_data();
    void badChannelFiles();
    void usage_data();
    void usage();
    void portsAndComNames();
    void autoWithoutAnAdapter();
    void doctor_data();
    void doctor();

private:
    QTemporaryDir m_dir;
};

using namespace testsupport;

namespace {

// The demo radio as the English interface saves it.
QByteArray demoFileEnglish() {
    return channelFileBytes(
        channelFileLines({.voice = "0 Chinese male"},
                         {"CH01 | 146.52000 | OFF | 146.52000 | OFF | High | ON | ON | ",
                          "CH02 | 145.27500 | 88.5 | 144.67500 | 88.5 | High | ON | OFF | ",
                          "CH03 | 156.80000 | OFF | 156.80000 | OFF | High | OFF | ON | ",
                          "CH04 | 151.82000 | D023N | 151.82000 | D023N | Low | ON | ON | ",
                          "CH05 | 154.57000 | 100.0 | 154.57000 | 100.0 | Low | OFF | OFF | ",
                          "CH06 | 162.55000 | OFF | 162.55000 | OFF | Low | ON | ON | "}));
}

// Channel 3 as the worked example, words of both languages, band 144-148MHz.
QByteArray planToWrite(const QString& rxFrequency = "145.12500") {
    return channelFileBytes(channelFileLines(
        {.band = "144-148MHz"},
        {"CH03 | " + rxFrequency + " | 67.0 | 145.12500 | D023N | 高功率 | ON | 启用 | "}));
}

int stderrLines(const ProgramRun& run) {
    return run.err.count('\n');
}

} // namespace

void CliTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    // The backups of every write in this test's own folder.
    qputenv("XDG_DATA_HOME", m_dir.filePath("data").toLocal8Bit());
    QVERIFY2(QFile::exists(binaryPath("zev4800-cli")), "zev4800-cli is not built");
    QVERIFY2(QFile::exists(binaryPath("rh4800-sim")), "rh4800-sim is not built");
}

void CliTest::readDemoRadioIntoAFile() {
    const QString output = m_dir.filePath("demo.z81");
    const QString trace = m_dir.filePath("demo.trace");
    SimulatorProcess sim({"--demo", "--baud", "0"});
    QVERIFY(!sim.terminal().isEmpty());
    const ProgramRun run = runCli({"read", "--port", sim.terminal(), "--output", output, "--lang",
                                   "english", "--trace", trace});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(readFile(output), demoFileEnglish());

    // A pseudo-terminal has no low latency mode: the trace notes it first and the read goes on.
    QStringList lines = QString::fromLatin1(readFile(trace)).split('\n', Qt::SkipEmptyParts);
    QVERIFY(!lines.isEmpty());
    QCOMPARE(lines.takeFirst(), "# low latency mode refused by " + sim.terminal() +
                                    ": Inappropriate ioctl for device");
    // One line per frame or reply: entry, ACK, band, ACK, 16 x 4 exchanges, options, ACK, end.
    QCOMPARE(lines.size(), 8 + 16 * 8 + 5);
    static const QRegularExpression form(QStringLiteral("^[0-9]+ [<>] [0-9A-F]+$"));
    for (const QString& line : lines)
        QVERIFY2(form.match(line).hasMatch(), qPrintable(line));
    QVERIFY(lines.first().endsWith(" > 0254414C766578"));
    QVERIFY(lines.at(1).endsWith(" < 06207661726B6F6C"));
    QVERIFY(lines.at(4).endsWith(" > 5203E008"));
    QVERIFY(lines.last().endsWith(" > 646F"));
}

void CliTest::readAtTheLinePace() {
    const QString output = m_dir.filePath("paced.z81");
    // As a person meets it: the radio has been on for a while, longer than its quiet time.
    SimulatorProcess sim({"--demo"});
    QTest::qWait(1500);
    const ProgramRun run = runCli(
        {"read", "--port", sim.terminal(), "--output", output, "--lang", "chinese", "--progress"});
    QCOMPARE(run.exitCode, 0);
    const QByteArray file = readFile(output);
    QVERIFY(file.contains(gbk("BatSave 1 启用\r\n")));
    QVERIFY(file.contains(
        gbk("CH04 | 151.82000 | D023N | 151.82000 | D023N | 低功率 | 启用 | 启用 | \r\n")));
    // Forced progress on a pipe: one line per milestone, 0 to 100, in the language of --lang.
    const QList<QByteArray> progress = run.err.trimmed().split('\n');
    QCOMPARE(progress.size(), 21);
    QCOMPARE(QString::fromUtf8(progress.last()), QStringLiteral("正在读频 100%"));
}

void CliTest::writeFileIntoTheRadio() {
    const QString plan = m_dir.filePath("towrite.z81");
    const QString image = m_dir.filePath("written.bin");
    QVERIFY(writeFile(plan, planToWrite()));
    SimulatorProcess sim({"--image", image, "--baud", "0"});
    const ProgramRun run = runCli({"write", "--port", sim.terminal(), plan, "--lang", "english"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    sim.stop();

    QByteArray expected(1024, '\xFF');
    expected.replace(0x0030, 8, QByteArray::fromHex("0025511400255114"));
    expected.replace(0x0038, 8, QByteArray::fromHex("70062380FEFFFFFF"));
    expected.replace(0x03C0, 8, QByteArray::fromHex("FF02FF04FF00FFFF"));
    expected.replace(0x03C8, 8, QByteArray::fromHex("C832F1FFFFFFFFFF")); // untouched
    expected.replace(0x03E0, 8, QByteArray::fromHex("40148014FFFFFFFF"));
    QCOMPARE(readFile(image), expected);
}

void CliTest::frequenciesOutsideTheBandAreWrittenWithAWarning() {
    const QString plan = m_dir.filePath("outside.z81");
    const QString image = m_dir.filePath("outside.bin");
    QVERIFY(
        writeFile(plan, channelFileBytes(channelFileLines(
                            {}, {"CH01 | 430.00625 | OFF | 430.00625 | OFF | High | ON | ON | ",
                                 "CH02 | 146.52000 | OFF | 146.52000 | OFF | High | ON | ON | ",
                                 "CH03 | 145.12500 | OFF | 550.00000 | OFF | Low | ON | ON | "}))));
    SimulatorProcess sim({"--image", image, "--baud", "0"});
    const ProgramRun run = runCli({"write", "--port", sim.terminal(), plan, "--lang", "english"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromLocal8Bit(run.err),
             QStringLiteral("zev4800-cli: warning: Channel 01: RX 430.00625 MHz, TX 430.00625 MHz "
                            "(outside the band 136-174MHz)\n"
                            "zev4800-cli: warning: Channel 03: TX 550.00000 MHz (outside the band "
                            "136-174MHz)\n"));
    sim.stop();
    const QByteArray written = readFile(image);
    QCOMPARE(written.mid(0x0010, 8).toHex(), QByteArray("2506004325060043"));
    QCOMPARE(written.mid(0x0030, 8).toHex(), QByteArray("0025511400000055"));
}

void CliTest::failures_data() {
    QTest::addColumn<QStringList>("simulator");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("message"); // %1: the terminal, %2: the folder

    const QString stepAdvice =
        "\nThe radio answered at first and then stopped answering. Check that the cable sits fully "
        "in both sockets and that the radio's battery is charged, then try again.";
    QTest::newRow("silent radio")
        << QStringList{"--silent", "--baud", "0"} << "read"
        << "zev4800-cli: read failed: no answer from the radio on %1 after 6 attempts\n"
           "The radio did not answer at all. Check that it is switched on, that the cable is "
           "pushed fully into the radio's socket, and that the port chosen is the one the cable "
           "is plugged into.";
    QTest::newRow("wrong identification")
        << QStringList{"--wrong-id", "--baud", "0"} << "read"
        << "zev4800-cli: read failed: the radio on %1 did not identify itself as an RH-4800 "
           "after 6 attempts (last reply 06207661726B6F6D)\n"
           "A radio answered, but not as an RH-4800: it is probably another model, which this "
           "program cannot program.";
    QTest::newRow("radio stops in row 5")
        << QStringList{"--no-answer-at", "21", "--baud", "0"} << "read"
        << "zev4800-cli: read failed: no reply to the read of the first half of channel 5" +
               stepAdvice;
    // Frame 83: the 71 frames of the backup read, then the second half of channel 5.
    QTest::newRow("write not acknowledged")
        << QStringList{"--no-answer-at", "83", "--baud", "0"} << "write"
        << "zev4800-cli: write failed: the radio did not acknowledge the second half of channel "
           "5" +
               stepAdvice +
               "\nThe radio now holds a partly written plan.\nWrite the plan again, or open the "
               "backup made before the write and write it back: %3";
    QTest::newRow("missing channel file") << QStringList{"--baud", "0"} << "write-missing"
                                          << "zev4800-cli: File not found: %2/missing.z81";
}

void CliTest::failures() {
    QFETCH(QStringList, simulator);
    QFETCH(QString, command);
    QFETCH(QString, message);
    const QString output = m_dir.filePath("failed.z81");
    QFile::remove(output);
    const QString plan = m_dir.filePath("plan.z81");
    QVERIFY(writeFile(plan, planToWrite()));
    SimulatorProcess sim(simulator);
    QStringList arguments;
    if (command == "read")
        arguments = {"read", "--port", sim.terminal(), "--output", output};
    else if (command == "write")
        arguments = {"write", "--port", sim.terminal(), plan};
    else
        arguments = {"write", "--port", sim.terminal(), m_dir.filePath("missing.z81")};
    const ProgramRun run = runCli(arguments + QStringList{"--lang", "english"});
    QCOMPARE(run.exitCode, 1);
    // The write's backup path is printed on stdout before the write.
    const QString backup = QString::fromLocal8Bit(run.out).section('\n', 0, 0).section(": ", 1);
    QCOMPARE(QString::fromLocal8Bit(run.err).trimmed(), QString(message)
                                                            .replace("%1", sim.terminal())
                                                            .replace("%2", m_dir.path())
                                                            .replace("%3", backup));
    QVERIFY(!QFile::exists(output));
}

void CliTest::badPlanIsRefusedWithoutAByte() {
    const QString plan = m_dir.filePath("bad.z81");
    const QString trace = m_dir.filePath("bad.trace");
    QVERIFY(writeFile(plan, planToWrite("14x.50000")));
    SimulatorProcess sim({"--baud", "0", "--trace", trace});
    const ProgramRun run = runCli({"write", "--port", sim.terminal(), plan, "--lang", "english"});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, QByteArray("zev4800-cli: write refused: Channel 03: RX Freq "
                                 "'14x.50000' is not a frequency\n"));
    sim.stop();
    QVERIFY(readFile(trace).contains("# radio on"));
    QCOMPARE(heardFrames(trace), QStringList());
}

void CliTest::writeIsReadBackAndChecked_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("checked") << QStringList{} << 1
                             << "zev4800-cli: write failed: the radio does not hold what was "
                                "written:\n"
                                "the first half of channel 3, 0x0030 (channel 3 RX Freq): wrote "
                                "00255114, radio holds FFFFFFFF\n"
                                "the first half of channel 3, 0x0034 (channel 3 TX Freq): wrote "
                                "00255114, radio holds FFFFFFFF\n"
                                "the second half of channel 3, 0x0038 (channel 3 RX Tone): wrote "
                                "7006, radio holds FFFF\n"
                                "the second half of channel 3, 0x003A (channel 3 TX Tone): wrote "
                                "2380, radio holds FFFF\n"
                                "the second half of channel 3, 0x003C (channel 3 Power, Scan Add, "
                                "Busy Lock): wrote FE, radio holds FF\n"
                                "the band, 0x03E0 (lower band edge): wrote 4014, radio holds 6013\n"
                                "the band, 0x03E2 (upper band edge): wrote 8014, radio holds "
                                "4017\n";
    // Only the read-back tells: the radio acknowledged every block.
    QTest::newRow("--no-verify") << QStringList{"--no-verify"} << 0 << "";
}

// A radio that acknowledges every block and keeps none.
void CliTest::writeIsReadBackAndChecked() {
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const QString plan = m_dir.filePath("unkept.z81");
    QVERIFY(writeFile(plan, planToWrite()));
    SimulatorProcess sim({"--store-nothing", "--baud", "0"});
    const ProgramRun run = runCli(
        QStringList{"write", "--port", sim.terminal(), plan, "--lang", "english", "--no-backup"} +
        options);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(QString::fromLocal8Bit(run.err), message);
    QCOMPARE(run.out, QByteArray());
}

// The backup a write leaves is the plan the radio held before it, as diff shows.
void CliTest::defaultWriteKeepsTheRadiosOldPlan() {
    const QString old = m_dir.filePath("old.z81");
    const QString plan = m_dir.filePath("new.z81");
    QVERIFY(writeFile(plan, planToWrite()));
    SimulatorProcess sim({"--demo", "--baud", "0"});
    QCOMPARE(
        runCli({"read", "--port", sim.terminal(), "--output", old, "--lang", "english"}).exitCode,
        0);
    const ProgramRun write = runCli({"write", "--port", sim.terminal(), plan, "--lang", "english"});
    QCOMPARE(write.exitCode, 0);
    QCOMPARE(write.err, QByteArray());
    static const QRegularExpression form(
        QStringLiteral("^backup of the radio: (.*/([0-9]{8}-[0-9]{6}-"
                       "[^/]+\\.z81))\n$"));
    const auto match = form.match(QString::fromLocal8Bit(write.out));
    QVERIFY2(match.hasMatch(), write.out.constData());
    const QString backup = match.captured(1);
    QCOMPARE(backup, m_dir.filePath("data/zev4800/backups/") + match.captured(2));
    // A number follows the device when an earlier test's radio had the same one that second.
    QVERIFY2(QRegularExpression("-" +
                                QRegularExpression::escape(QFileInfo(sim.terminal()).fileName()) +
                                "(-[0-9]+)?\\.z81$")
                 .match(match.captured(2))
                 .hasMatch(),
             qPrintable(match.captured(2)));

    const ProgramRun same = runCli({"diff", old, backup});
    QCOMPARE(same.exitCode, 0);
    QCOMPARE(same.out, QByteArray());
    QCOMPARE(same.err, QByteArray());
    // The radio holds the new plan now.
    const ProgramRun radio = runCli({"diff", "--port", sim.terminal(), backup});
    QCOMPARE(radio.exitCode, 1);
    QVERIFY2(radio.out.startsWith("CH01 RX Freq: 146.52000 -> (empty)\n"), radio.out.constData());
    QVERIFY2(radio.out.endsWith("Band: 136-174MHz -> 144-148MHz\n"), radio.out.constData());
    QCOMPARE(runCli({"diff", "--port", sim.terminal(), plan}).exitCode, 0);

    // Elsewhere when asked.
    const QString folder = m_dir.filePath("own-backups");
    const ProgramRun elsewhere = runCli(
        {"write", "--port", sim.terminal(), plan, "--lang", "english", "--backup-dir", folder});
    QCOMPARE(elsewhere.exitCode, 0);
    QVERIFY2(elsewhere.out.startsWith("backup of the radio: " + folder.toLocal8Bit() + "/"),
             elsewhere.out.constData());
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 1);
}

// The radio stops answering in the middle of the backup read: not a block is written.
void CliTest::failedBackupWritesNothing() {
    const QString plan = m_dir.filePath("unwritten.z81");
    const QString trace = m_dir.filePath("unwritten.trace");
    const QString folder = m_dir.filePath("no-backups");
    QVERIFY(writeFile(plan, planToWrite()));
    SimulatorProcess sim({"--demo", "--baud", "0", "--no-answer-at", "21", "--trace", trace});
    const ProgramRun run = runCli(
        {"write", "--port", sim.terminal(), plan, "--lang", "english", "--backup-dir", folder});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, QByteArray("zev4800-cli: write failed: the radio's plan could not be backed "
                                 "up, so nothing was written: no reply to the read of the first "
                                 "half of channel 5 (--no-backup writes without a backup)\n"
                                 "The radio answered at first and then stopped answering. Check "
                                 "that the cable sits fully in both sockets and that the radio's "
                                 "battery is charged, then try again.\n"));
    QCOMPARE(run.out, QByteArray());
    sim.stop();
    const QStringList heard = heardFrames(trace);
    QVERIFY(heard.size() >= 20);
    for (const QString& frame : heard)
        QVERIFY2(!frame.startsWith("57"), qPrintable(frame));
    QVERIFY(!QFileInfo::exists(folder) || QDir(folder).isEmpty());
}

void CliTest::diff_data() {
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QString>("err"); // %1: the folder

    const QByteArray english = demoFileEnglish();
    // The same plan as the Chinese interface saves it, with a comma as decimal mark.
    QByteArray chinese = gbk(QString::fromLatin1(english)
                                 .replace(" OFF ", " 禁用 ")
                                 .replace(" ON ", " 启用 ")
                                 .replace(" High ", " 高功率 ")
                                 .replace(" Low ", " 低功率 ")
                                 .replace("146.52000", "146,52000")
                                 .replace("VOICE 0 Chinese male", "VOICE 0 中文男声"));
    QTest::newRow("Chinese and English") << english << chinese << 0 << QByteArray() << "";
    QByteArray changed = english;
    changed.replace("CH02 | 145.27500", "CH02 | 145.25000")
        .replace("Squelch 2", "Squelch 5")
        .replace("BAND 136-174MHz", "BAND 400-470MHz");
    QTest::newRow("different") << english << changed << 1
                               << QByteArray("CH02 RX Freq: 145.27500 -> 145.25000\n"
                                             "Squelch level: 2 -> 5\n"
                                             "Band: 136-174MHz -> 400-470MHz\n")
                               << "";
    QTest::newRow("not a channel file")
        << english
        << QByteArray("RH-4800 MEMORY CHANNEL\r\n\r\n\r\nBAND 136-174MHz\r\nSquelch x\r\n") << 2
        << QByteArray() << "zev4800-cli: %1/second.z81, line 5: 'x' is not a valid integer value\n";
}

void CliTest::diff() {
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QString, err);
    QVERIFY(writeFile(m_dir.filePath("first.z81"), first));
    QVERIFY(writeFile(m_dir.filePath("second.z81"), second));
    const ProgramRun run =
        runCli({"diff", m_dir.filePath("first.z81"), m_dir.filePath("second.z81")});
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, out);
    QCOMPARE(QString::fromLocal8Bit(run.err), QString(err).replace("%1", m_dir.path()));
    QCOMPARE(runCli({"diff", m_dir.filePath("first.z81"), m_dir.filePath("missing.z81")}).exitCode,
             2);
}

void CliTest::interruptEndsTheSessionCleanly_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("replyDelay");
    QTest::addColumn<QString>("sentBeforeInterrupt"); // in the program's trace
    QTest::addColumn<QString>("message");
    // A radio that needs a second for every reply keeps the read inside its handshake.
    QTest::newRow("read in its handshake")
        << "read"
        << "1000"
        << " > 0254414C766578"
        << "zev4800-cli: interrupted: The read from the radio was stopped before it finished.\n";
    QTest::newRow("write after a block")
        << "write"
        << "100"
        << " > 57"
        << "zev4800-cli: interrupted: The write to the radio was stopped before it finished. The "
           "radio now holds a partly written plan: write the plan again.\n";
}

void CliTest::interruptEndsTheSessionCleanly() {
    QFETCH(QString, command);
    QFETCH(QString, replyDelay);
    QFETCH(QString, sentBeforeInterrupt);
    QFETCH(QString, message);
    const QString output = m_dir.filePath("interrupted.z81");
    const QString plan = m_dir.filePath("interrupted-plan.z81");
    const QString trace = m_dir.filePath("interrupted.trace");
    const QString radioTrace = m_dir.filePath("interrupted-radio.trace");
    QFile::remove(trace);
    QVERIFY(writeFile(plan, planToWrite()));
    SimulatorProcess sim(
        {"--demo", "--baud", "0", "--reply-delay", replyDelay, "--trace", radioTrace});
    QProcess cli;
    // Without a backup, the write's first block goes out at once.
    const QStringList target =
        command == "read" ? QStringList{"--output", output} : QStringList{plan, "--no-backup"};
    cli.start(binaryPath("zev4800-cli"), QStringList{command, "--port", sim.terminal()} + target +
                                             QStringList{"--trace", trace, "--lang", "english"});
    QVERIFY(cli.waitForStarted());
    QVERIFY(QTest::qWaitFor(
        [&] { return readFile(trace).contains(sentBeforeInterrupt.toLatin1()); }, ProcessLimitMs));
    QVERIFY(::kill(static_cast<pid_t>(cli.processId()), SIGINT) == 0);
    QVERIFY(cli.waitForFinished(ProcessLimitMs));
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QCOMPARE(cli.exitCode(), 1);
    QCOMPARE(QString::fromLocal8Bit(cli.readAllStandardError()), message);
    QVERIFY(!QFile::exists(output));
    // The session ends with the end frame, and the radio takes it as one: it has left
    // programming mode.
    sim.stop();
    const QStringList heard = heardFrames(radioTrace);
    QVERIFY2(heard.size() >= 2, qPrintable(heard.join(' ')));
    QCOMPARE(heard.last(), QStringLiteral("646F"));
    QCOMPARE(heard.count(QStringLiteral("646F")), 1);
}

void CliTest::showAlignsWideCharacters_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("bandLine");
    QTest::addColumn<QString>("optionLine");
    QTest::addColumn<QString>("header"); // the language pack's header row
    QTest::addColumn<QString>("row3");
    // 高功率 is three characters and six columns wide: the next column starts under the next
    // title; the Chinese titles are two columns a character too. The file's words of either
    // language are shown in the language asked for.
    QTest::newRow("chinese")
        << "chinese" << QStringLiteral("频段：144-148MHz") << QStringLiteral("电池省电：  1  启用")
        << QStringLiteral(
               "信道  接收频率   接收亚音  发射频率   发射亚音  功率    扫描加入  繁忙锁定")
        << QStringLiteral("03    145.12500  67.0      145.12500  D023N     高功率  启用      启用");
    QTest::newRow("english")
        << "english" << QStringLiteral("Band: 144-148MHz")
        << QStringLiteral("Battery save:    1  ON")
        << QStringLiteral("CH  RX Freq    RX Tone  TX Freq    TX Tone  Power  Scan Add  Busy Lock")
        << QStringLiteral("03  145.12500  67.0     145.12500  D023N    High   ON        ON");
}

void CliTest::showAlignsWideCharacters() {
    QFETCH(QString, language);
    QFETCH(QString, bandLine);
    QFETCH(QString, optionLine);
    QFETCH(QString, header);
    QFETCH(QString, row3);
    const QString plan = m_dir.filePath("show.z81");
    QVERIFY(writeFile(plan, planToWrite()));
    const ProgramRun run = runCli({"show", plan, "--lang", language});
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = QString::fromLocal8Bit(run.out).split('\n');
    QCOMPARE(lines.first(), bandLine);
    QVERIFY2(lines.contains(optionLine), qPrintable(run.out));
    // Whole lines.
    const qsizetype headerLine = lines.indexOf(header);
    QVERIFY2(headerLine > 0, qPrintable(run.out));
    QCOMPARE(lines.at(headerLine + 3), row3);
    QCOMPARE(lines.at(headerLine + 16), QStringLiteral("16"));
}

void CliTest::showListsWhatTheRadioWouldRefuse_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QByteArray>("lang"); // the LANG of the run
    QTest::addColumn<bool>("clean");
    QTest::addColumn<QStringList>("problems"); // "<file>" for the path
    QTest::newRow("clean, German number format")
        << "english" << QByteArray("de_DE.UTF-8") << true << QStringList();
    QTest::newRow("English")
        << "english" << QByteArray("C.UTF-8") << false
        << QStringList{"<file>, line 15: Channel 02: RX Tone '99.9x' is not a tone",
                       "<file>, line 20: Channel 07: RX Freq '14x.27500' is not a frequency",
                       "<file>, line 29: Channel 16: the line is missing"};
    // The messages and the columns in the language of --lang.
    QTest::newRow("Chinese, German number format")
        << "chinese" << QByteArray("de_DE.UTF-8") << false
        << QStringList{"<file>，第 15 行：信道 02：接收亚音 '99.9x' 不是有效的亚音",
                       "<file>，第 20 行：信道 07：接收频率 '14x.27500' 不是有效的频率",
                       "<file>，第 29 行：信道 16：缺少这一行"};
}

// A file the radio would refuse is shown all the same; the problems follow on stderr, named by
// the file's lines, and the exit status says so. The German comma is no problem.
void CliTest::showListsWhatTheRadioWouldRefuse() {
    QFETCH(QString, language);
    QFETCH(QByteArray, lang);
    QFETCH(bool, clean);
    QFETCH(QStringList, problems);
    QStringList lines = channelFileLines(
        {}, {"CH01 | 146,52000 | OFF | 146,52000 | OFF | High | ON | ON | ",
             clean ? "CH02 | 145,27500 | 99.9 | 145,27500 | OFF | 高功率 | 启用 | 禁用 | "
                   : "CH02 | 145,27500 | 99.9x | 145,27500 | OFF | 高功率 | 启用 | 禁用 | "});
    if (!clean) {
        lines[19] = "CH07 | 14x.27500 | 67.0 | 145.27500 | 67.0 | Low | OFF | OFF | ";
        lines.removeLast();
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("customer.z81");
    QVERIFY(writeFile(path, channelFileBytes(lines)));
    QProcessEnvironment environment = cliEnvironment();
    environment.remove("LC_NUMERIC");
    environment.insert("LANG", QString::fromLatin1(lang));

    const ProgramRun show =
        runProgram(binaryPath("zev4800-cli"), {"show", path, "--lang", language}, environment);
    QCOMPARE(show.exitCode, clean ? 0 : 1);
    QString expected;
    for (const QString& problem : problems)
        expected += "zev4800-cli: " + QString(problem).replace("<file>", path) + "\n";
    QCOMPARE(QString::fromUtf8(show.err), expected);
    const QString out = QString::fromUtf8(show.out);
    QVERIFY2(out.startsWith(language == "chinese" ? QStringLiteral("频段：136-174MHz\n")
                                                  : "Band: 136-174MHz\n"),
             qPrintable(out));
    QVERIFY2(out.contains(clean ? "145,27500" : "14x.27500"), qPrintable(out));
}

void CliTest::languageFallsBackToChinese() {
    // A copy of the program in a folder of its own: no install.Log, no packs beside it.
    QTemporaryDir alone;
    QVERIFY(alone.isValid());
    const QString program = alone.filePath("zev4800-cli");
    QVERIFY(QFile::copy(binaryPath("zev4800-cli"), program));
    const QString output = m_dir.filePath("fallback.z81");
    SimulatorProcess sim({"--demo", "--baud", "0"});
    // Nor does the environment name a language.
    QProcessEnvironment environment = cliEnvironment();
    environment.remove("LC_MESSAGES");
    const ProgramRun run =
        runProgram(program, {"read", "--port", sim.terminal(), "--output", output}, environment);
    QCOMPARE(run.exitCode, 0);
    const QStringList notes = QString::fromLocal8Bit(run.err).trimmed().split('\n');
    QCOMPARE(notes.size(), 2);
    QVERIFY2(notes.at(0).startsWith("zev4800-cli: Cannot open file") &&
                 notes.at(0).endsWith("; using Chinese"),
             qPrintable(notes.at(0)));
    QVERIFY2(notes.at(1).contains("chinese.qm"), qPrintable(notes.at(1)));
    const QByteArray file = readFile(output);
    QVERIFY(file.contains(gbk("BatSave 1 启用\r\n")));
    QVERIFY(file.contains(gbk("| 146.52000 | 禁用 | 146.52000 | 禁用 | 高功率 | 启用 | 启用 | ")));
}

void CliTest::languageOfTheEnvironment_data() {
    QTest::addColumn<QStringList>("environment"); // NAME=VALUE, the other three unset
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("chinese");
    QTest::newRow("LANGUAGE=zh_CN:en")
        << QStringList{"LANGUAGE=zh_CN:en", "LANG=C.UTF-8"} << QStringList() << true;
    QTest::newRow("LC_ALL=zh_CN.UTF-8")
        << QStringList{"LC_ALL=zh_CN.UTF-8", "LANG=en_US.UTF-8"} << QStringList() << true;
    QTest::newRow("LC_MESSAGES=zh_CN.UTF-8")
        << QStringList{"LC_MESSAGES=zh_CN.UTF-8", "LANG=C.UTF-8"} << QStringList() << true;
    QTest::newRow("LANG=zh_CN.UTF-8") << QStringList{"LANG=zh_CN.UTF-8"} << QStringList() << true;
    QTest::newRow("LANG=de_DE.UTF-8: English")
        << QStringList{"LANG=de_DE.UTF-8"} << QStringList() << false;
    QTest::newRow("LANG=C") << QStringList{"LANG=C"} << QStringList() << false;
    QTest::newRow("--lang english over LANG=zh_CN.UTF-8")
        << QStringList{"LANG=zh_CN.UTF-8"} << QStringList{"--lang", "english"} << false;
    QTest::newRow("--lang chinese over LANGUAGE=en")
        << QStringList{"LANGUAGE=en", "LANG=en_US.UTF-8"} << QStringList{"--lang=chinese"} << true;
}

// Without --lang the environment chooses the language of the tables, the messages, the refusals,
// the help and the channel words of the files written.
void CliTest::languageOfTheEnvironment() {
    QFETCH(QStringList, environment);
    QFETCH(QStringList, options);
    QFETCH(bool, chinese);
    QProcessEnvironment variables = cliEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        variables.remove(name);
    for (const QString& variable : environment)
        variables.insert(variable.section('=', 0, 0), variable.section('=', 1));
    const auto cli = [&](const QStringList& arguments) {
        return runProgram(binaryPath("zev4800-cli"), arguments + options, variables);
    };
    QTemporaryDir dir;
    const QString plan = dir.filePath("plan.z81");
    QVERIFY(writeFile(plan, planToWrite()));

    const ProgramRun show = cli({"show", plan});
    QCOMPARE(show.exitCode, 0);
    const QStringList lines = QString::fromUtf8(show.out).split('\n');
    QCOMPARE(lines.first(), chinese ? QStringLiteral("频段：144-148MHz") : "Band: 144-148MHz");
    const QString option = chinese ? QStringLiteral("电池省电：") : "Battery save:";
    QVERIFY2(std::any_of(lines.cbegin(), lines.cend(),
                         [&](const QString& line) {
                             return line.startsWith(option) &&
                                    line.endsWith(chinese ? QStringLiteral(" 1  启用") : " 1  ON");
                         }),
             show.out.constData());
    QVERIFY2(show.out.contains(chinese ? QStringLiteral("D023N     高功率").toUtf8()
                                       : QByteArray("D023N    High")),
             show.out.constData());

    const ProgramRun refused = cli({"show", plan, "--port", "p"});
    QCOMPARE(refused.exitCode, 2);
    QCOMPARE(QString::fromUtf8(refused.err),
             chinese
                 ? QStringLiteral("zev4800-cli: show 不接受 --port（请参阅“zev4800-cli --help”）\n")
                 : "zev4800-cli: show takes no --port (try 'zev4800-cli --help')\n");

    const ProgramRun missing = cli({"show", dir.filePath("none.z81")});
    QCOMPARE(missing.exitCode, 1);
    QVERIFY2(QString::fromUtf8(missing.err)
                 .contains(chinese ? QStringLiteral("找不到文件") : "File not found"),
             missing.err.constData());

    const ProgramRun help = cli({"--help"});
    QVERIFY2(QString::fromUtf8(help.out).startsWith(chinese ? QStringLiteral("用法：") : "Usage:"),
             help.out.constData());

    // The file written holds the channel words of the language.
    const QString changed = dir.filePath("changed.z81");
    const ProgramRun set =
        cli({"set", plan, "--channels", "3", "--power", "low", "--output", changed});
    QCOMPARE(set.exitCode, 0);
    QVERIFY2(readFile(changed).contains(chinese
                                            ? gbk("| 145.12500 | D023N | 低功率 | 启用 | 启用 | ")
                                            : QByteArray("| 145.12500 | D023N | Low | ON | ON | ")),
             readFile(changed).constData());
}

// A time-out digit of 8 and a voice prompt digit of 7 match no item: the read succeeds, the file
// it saves opens again, and only the write refuses, naming both options and sending nothing.
void CliTest::optionsBeyondTheirListsReadIntoAFileThatOpens() {
    const QString image = m_dir.filePath("beyond.bin");
    const QString output = m_dir.filePath("beyond.z81");
    const QString trace = m_dir.filePath("beyond.trace");
    QByteArray bytes(1024, '\xFF');
    bytes.replace(0x0010, 16, QByteArray::fromHex("0025511400255114FFFFFFFFFEFFFFFF"));
    bytes.replace(0x03C0, 8, QByteArray::fromHex("FF02FF08FF07FFFF"));
    bytes.replace(0x03E0, 8, QByteArray::fromHex("60134017FFFFFFFF"));
    QVERIFY(writeFile(image, bytes));
    {
        SimulatorProcess sim({"--image", image, "--baud", "0"});
        const ProgramRun read =
            runCli({"read", "--port", sim.terminal(), "--output", output, "--lang", "english"});
        QCOMPARE(read.exitCode, 0);
    }
    const QByteArray file = readFile(output);
    QVERIFY(file.contains("\r\nTxT.O.T -1 \r\n"));
    QVERIFY(file.contains("\r\nVOICE -1 \r\n"));

    // Shown, with what the radio would refuse.
    const ProgramRun show = runCli({"show", output, "--lang", "english"});
    QCOMPARE(show.exitCode, 1);
    QCOMPARE(QString::fromLocal8Bit(show.err),
             "zev4800-cli: " + output +
                 ", line 7: The time-out timer option has no selection.\nzev4800-cli: " + output +
                 ", line 11: The voice prompt option has no selection.\n");
    const QStringList lines = QString::fromLocal8Bit(show.out).split('\n');
    QVERIFY2(lines.contains("Time-out timer:  -"), show.out.constData());
    QVERIFY(lines.contains("Voice prompt:    -"));
    QVERIFY(lines.contains("01  145.12500  OFF      145.12500  OFF      High   ON        ON"));

    SimulatorProcess sim({"--image", image, "--baud", "0", "--trace", trace});
    const ProgramRun write =
        runCli({"write", "--port", sim.terminal(), output, "--lang", "english"});
    QCOMPARE(write.exitCode, 1);
    QCOMPARE(write.err, QByteArray("zev4800-cli: write refused: The time-out timer option has no "
                                   "selection.; The voice prompt option has no selection.\n"));
    sim.stop();
    QCOMPARE(heardFrames(trace), QStringList());
}

// NUL and escape characters in the band and the cells neither cut the output nor reach the
// terminal; the refusal of the same plan is printed whole too.
void CliTest::controlCharactersPrintVisibly() {
    const QString plan = m_dir.filePath("control.z81");
    QByteArray bytes = planToWrite("145.1\x01"
                                   "2500");
    bytes.replace("BAND 144-148MHz", QByteArray("BAND 144-1\0"
                                                "48MHz",
                                                16));
    bytes.replace("67.0", "6\x1b[7.0");
    bytes.replace('\x01', '\0');
    QVERIFY(writeFile(plan, bytes));

    const ProgramRun show = runCli({"show", plan, "--lang", "english"});
    QCOMPARE(show.exitCode, 1);
    const QString out = QString::fromLocal8Bit(show.out);
    QVERIFY2(!out.contains(QChar(0)) && !out.contains(QChar(0x1b)), show.out.constData());
    const QString problems = QString::fromLocal8Bit(show.err);
    QVERIFY2(problems.contains(", line 16: Channel 03: RX Freq '145.1U+00002500' is not a "
                               "frequency\n") &&
                 problems.contains(", line 4: The band \"144-1U+000048MH\" is not of the form") &&
                 !problems.contains(QChar(0)) && !problems.contains(QChar(0x1b)),
             qPrintable(problems));
    QVERIFY2(out.startsWith("Band: 144-1U+000048MH\n"), qPrintable(out));
    const QStringList lines = out.split('\n');
    QVERIFY2(lines.contains("03  145.1U+00002500  6U+001B[7.0  145.12500  D023N    High   ON"
                            "        ON"),
             qPrintable(out));
    QCOMPARE(lines.at(lines.size() - 2), QStringLiteral("16"));

    const ProgramRun write = runCli({"write", "--port", "/dev/null", plan, "--lang", "english"});
    QCOMPARE(write.exitCode, 1);
    const QString refusal = QString::fromLocal8Bit(write.err);
    QVERIFY2(refusal.startsWith("zev4800-cli: write refused: Channel 03: RX Freq "
                                "'145.1U+00002500' is not a frequency; ") &&
                 refusal.endsWith(" is not of the form ddd-dddMHz.\n") &&
                 !refusal.contains(QChar(0)),
             qPrintable(refusal));
}

namespace {

enum class FileKind { Bytes, Folder, Fifo, Device, Leased };

// A valid plan file with LF, CR LF or CR line ends and the given number of lines.
QByteArray demoLines(const QByteArray& lineEnd, int lineCount) {
    QList<QByteArray> lines = demoFileEnglish().split('\n');
    lines.removeLast();
    while (lines.size() > lineCount)
        lines.removeLast();
    while (lines.size() < lineCount)
        lines.append("CH17 |  |  |  |  |  |  |  | \r");
    QByteArray text;
    for (QByteArray line : lines)
        text += line.chopped(1) + lineEnd;
    return text;
}

} // namespace

void CliTest::badChannelFiles_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message"); // %1: the file; empty: opens
    QTest::addColumn<QString>(
        "problem"); // what show says the radio would refuse in a file that opens

    const auto bytes = [](const char* name, const QByteArray& content, const QString& message,
                          const QString& problem = QString()) {
        QTest::newRow(name) << int(FileKind::Bytes) << content << message << problem;
    };
    QByteArray random(4096, '\0');
    QRandomGenerator generator(4800);
    for (char& byte : random)
        byte = char(generator.bounded(256));
    QByteArray binary;
    for (int value = 0; value < 1024; ++value)
        binary.append(char(value * 7));

    bytes("empty", {}, "%1, line 5: '' is not a valid integer value");
    bytes("random bytes", random, "%1, line 4: the text is not valid GBK");
    bytes("binary", binary, "%1, line 5: 'I' is not a valid integer value");
    bytes("NUL bytes", QByteArray(2048, '\0'), "%1, line 5: '' is not a valid integer value");
    bytes("invalid GBK in the band",
          demoLines("\r\n", 29).replace("136-174MHz", "136-1\x81\x20MHz"),
          "%1, line 4: the text is not valid GBK");
    bytes("invalid GBK in a cell", demoLines("\r\n", 29).replace("D023N", "D0\x81\x7fN"),
          "%1, line 17: the text is not valid GBK");
    bytes("CR-only line ends", demoLines("\r", 29), "%1, line 5: '' is not a valid integer value");
    bytes("LF-only line ends", demoLines("\n", 29), "");
    bytes("28 lines", demoLines("\r\n", 28), "", "%1, line 29: Channel 16: the line is missing");
    bytes("30 lines", demoLines("\r\n", 30), "");
    bytes("one very long line", QByteArray(2 << 20, 'x'),
          "%1, line 1: too long for a channel file");
    bytes("very long channel line",
          demoLines("\r\n", 29).replace("CH02 | ", "CH02 | " + QByteArray(200'000, '9')),
          "%1, line 15: too long for a channel file");
    QTest::newRow("folder") << int(FileKind::Folder) << QByteArray()
                            << "File access denied: %1 is a folder, not a file" << QString();
    QTest::newRow("FIFO") << int(FileKind::Fifo) << QByteArray()
                          << "File access denied: %1 is not a plain file (a pipe, device or "
                             "socket)"
                          << QString();
    QTest::newRow("device") << int(FileKind::Device) << QByteArray()
                            << "File access denied: %1 is not a plain file (a pipe, device or "
                               "socket)"
                            << QString();
    // Opening a file under another process's write lease waits until the lease is given up.
    QTest::newRow("file under a lease") << int(FileKind::Leased) << demoLines("\r\n", 29)
                                        << "File cannot be read without waiting: %1" << QString();
}

// Through show and write as processes: each ends with one message naming the file (and the line
// where there is one), and the radio hears nothing. The time limit of runCli only keeps a hang
// from stalling the suite.
void CliTest::badChannelFiles() {
    QFETCH(int, kind);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QFETCH(QString, problem);
    QTemporaryDir dir;
    QString path = dir.filePath("bad.z81");
    int lease = -1;
    const auto releaseLease = qScopeGuard([&lease] {
        if (lease >= 0)
            ::close(lease);
    });
    switch (FileKind(kind)) {
    case FileKind::Bytes:
        QVERIFY(writeFile(path, bytes));
        break;
    case FileKind::Folder:
        QVERIFY(QDir().mkpath(path));
        break;
    case FileKind::Fifo:
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        break;
    case FileKind::Device:
        path = "/dev/null";
        break;
    case FileKind::Leased:
        QVERIFY(writeFile(path, bytes));
        std::signal(SIGIO, SIG_IGN); // the holder is told of the break by SIGIO
        lease = ::open(QFile::encodeName(path).constData(), O_RDWR);
        QVERIFY(lease >= 0);
        if (::fcntl(lease, F_SETLEASE, F_WRLCK) != 0)
            QSKIP("this file system gives no leases");
        break;
    }
    const QString expected = QString(message).replace("%1", path);

    const ProgramRun show = runCli({"show", path, "--lang", "english"});
    if (message.isEmpty()) {
        QCOMPARE(show.exitCode, problem.isEmpty() ? 0 : 1);
        QVERIFY2(show.out.startsWith("Band: 136-174MHz\n"), show.err.constData());
        QCOMPARE(QString::fromLocal8Bit(show.err),
                 problem.isEmpty() ? QString()
                                   : "zev4800-cli: " + QString(problem).replace("%1", path) + "\n");
    } else {
        QCOMPARE(show.exitCode, 1);
        QVERIFY2(QString::fromLocal8Bit(show.err).startsWith("zev4800-cli: " + expected),
                 show.err.constData());
        QCOMPARE(stderrLines(show), 1);
        QCOMPARE(show.out, QByteArray());
    }

    const QString trace = dir.filePath("radio.trace");
    SimulatorProcess sim({"--baud", "0", "--trace", trace});
    const ProgramRun write = runCli({"write", "--port", sim.terminal(), path, "--lang", "english"});
    sim.stop();
    if (message.isEmpty()) {
        QCOMPARE(write.exitCode, 0);
        // The write between the backup read and the read that checks it.
        const int readFrames = 4 + 4 * 16 + 3;
        QCOMPARE(heardFrames(trace).size(), readFrames + 2 + 2 * 16 + 3 + readFrames);
    } else {
        QCOMPARE(write.exitCode, 1);
        QCOMPARE(write.err, show.err);
        QVERIFY(readFile(trace).contains("# radio on"));
        QCOMPARE(heardFrames(trace), QStringList());
    }
}

void CliTest::usage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("text"); // what stdout (exit 0) or stderr starts with
    QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: zev4800-cli read";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "zev4800-cli 1.0.0";
    QTest::newRow("no command") << QStringList{} << 2 << "zev4800-cli: no command given";
    QTest::newRow("read without port")
        << QStringList{"read", "--output", "x.z81"} << 2 << "zev4800-cli: --port PORT is required";
    QTest::newRow("read without output") << QStringList{"read", "--port", "/dev/null"} << 2
                                         << "zev4800-cli: --output FILE is required";
    QTest::newRow("write without file")
        << QStringList{"write", "--port", "/dev/null"} << 2 << "zev4800-cli: no channel file given";
    QTest::newRow("bad language") << QStringList{"show", "x.z81", "--lang", "french"} << 2
                                  << "zev4800-cli: --lang takes english or chinese";
    QTest::newRow("unknown option")
        << QStringList{"show", "x.z81", "--fast"} << 2 << "zev4800-cli: unknown option '--fast'";
    QTest::newRow("port that cannot open")
        << QStringList{"read", "--port", "/nonexistent/tty", "--output", "x.z81"} << 1
        << "zev4800-cli: read failed: There is no serial device /nonexistent/tty.";
    QTest::newRow("diff of one file") << QStringList{"diff", "x.z81"} << 2
                                      << "zev4800-cli: diff needs two channel files, or --port";
    QTest::newRow("diff with the radio and two files")
        << QStringList{"diff", "--port", "/dev/null", "x.z81", "y.z81"} << 2
        << "zev4800-cli: unexpected argument 'y.z81'";
    QTest::newRow("backup switch outside write")
        << QStringList{"read", "--port", "/dev/null", "--output", "x.z81", "--no-backup"} << 2
        << "zev4800-cli: read takes no --no-backup";
    QTest::newRow("ports with a port")
        << QStringList{"ports", "--port", "auto"} << 2 << "zev4800-cli: ports takes no --port";
}

void CliTest::usage() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, text);
    const ProgramRun run = runCli(arguments);
    QCOMPARE(run.exitCode, exitCode);
    const QString shown = QString::fromLocal8Bit(exitCode == 0 ? run.out : run.err);
    QVERIFY2(shown.startsWith(text), qPrintable(shown));
    if (exitCode != 0)
        QCOMPARE(stderrLines(run), 1);
}

void CliTest::portsAndComNames() {
    // A copy of the program beside settings that map COM2 to the simulated radio.
    QTemporaryDir folder;
    const QString program = folder.filePath("zev4800-cli");
    QVERIFY(QFile::copy(binaryPath("zev4800-cli"), program));
    for (const char* pack : {"chinese.qm", "english.qm", "chinese_messages.qm", "install.Log"})
        QFile::copy(binaryPath(pack), folder.filePath(pack));
    SimulatorProcess sim({"--demo", "--baud", "0"});
    QVERIFY(!sim.terminal().isEmpty());
    QVERIFY(writeFile(folder.filePath("myini.ini"),
                      "[ports]\r\ncom2=" + sim.terminal().toLocal8Bit() + "\r\n"));
    const QString entry = sim.terminal() + "\n  state:        %1\n  settings:     COM2\n";

    ProgramRun run = runProgram(program, {"ports"}, cliEnvironment());
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains(entry.arg("free").toLocal8Bit()), run.out.constData());

    // Held by another program, here this test: both commands name it.
    {
        QSerialPort holder(sim.terminal());
        QVERIFY(holder.open(QIODevice::ReadWrite));
        QFile comm("/proc/self/comm");
        QVERIFY(comm.open(QIODevice::ReadOnly));
        const QString self = QString::fromLocal8Bit(comm.readAll().trimmed());
        const QString holderText =
            QString("in use by %1 (process %2)").arg(self).arg(QCoreApplication::applicationPid());
        run = runProgram(program, {"ports"}, cliEnvironment());
        QVERIFY2(run.out.contains(entry.arg(holderText).toLocal8Bit()), run.out.constData());
        run =
            runProgram(program, {"read", "--port", "COM2", "--output", m_dir.filePath("held.z81")},
                       cliEnvironment());
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(QString::fromLocal8Bit(run.err),
                 QString("zev4800-cli: read failed: %1 is %2. Close that program and try again.\n")
                     .arg(sim.terminal(), holderText));
    }

    const QString output = m_dir.filePath("com2.z81");
    run = runProgram(program, {"read", "--port", "com2", "--output", output, "--lang", "english"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readFile(output), demoFileEnglish());
}

void CliTest::autoWithoutAnAdapter() {
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    if (std::any_of(ports.cbegin(), ports.cend(),
                    [](const QSerialPortInfo& port) { return port.hasVendorIdentifier(); }))
        QSKIP("a USB serial adapter is plugged in");
    const ProgramRun run =
        runCli({"read", "--port", "auto", "--output", m_dir.filePath("auto.z81")});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith("zev4800-cli: read failed: No USB serial adapter is present"),
             run.err.constData());
}

void CliTest::doctor_data() {
    QTest::addColumn<QStringList>("simulator"); // empty: no radio, the port named is not there
    QTest::addColumn<bool>("held");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("last"); // %1: the terminal

    QTest::newRow("radio answers") << QStringList{"--baud", "0"} << false << 0
                                   << "✔ An RH-4800 answered on %1 (band 136-174MHz)";
    QTest::newRow("silent radio")
        << QStringList{"--silent", "--baud", "0"} << false << 1
        << "✘ No answer: switch the radio on, push the plug fully into the radio's socket, and "
           "check the volume knob is past its click";
    QTest::newRow("another model")
        << QStringList{"--wrong-id", "--baud", "0"} << false << 1
        << "✘ The exchange with the radio on %1 failed: the radio on %1 did not identify itself "
           "as an RH-4800 after 6 attempts (last reply 06207661726B6F6D) → A radio answered, but "
           "not as an RH-4800: it is probably another model, which this program cannot program.";
    // Held by this test: the check names it and never talks to the radio.
    QTest::newRow("held port") << QStringList{"--baud", "0"} << true << 1
                               << "✔ brltty, the braille display service, is not running";
    QTest::newRow("no port") << QStringList{} << false << 1
                             << "✔ brltty, the braille display service, is not running";
}

// Every check on a line of its own, ✔ or ✘ first; the exit status says whether the radio
// answered. brltty does not run on the test machines.
void CliTest::doctor() {
    QFETCH(QStringList, simulator);
    QFETCH(bool, held);
    QFETCH(int, exitCode);
    QFETCH(QString, last);
    std::optional<SimulatorProcess> sim;
    QString port = m_dir.filePath("no-such-tty");
    if (!simulator.isEmpty()) {
        sim.emplace(simulator);
        port = sim->terminal();
        QVERIFY(!port.isEmpty());
    }
    QSerialPort holder(port);
    if (held)
        QVERIFY(holder.open(QIODevice::ReadWrite));
    const ProgramRun run = runCli({"doctor", "--port", port, "--lang", "english"});
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.err, QByteArray());
    const QStringList lines = QString::fromLocal8Bit(run.out).split('\n', Qt::SkipEmptyParts);
    QVERIFY2(lines.size() >= 2, run.out.constData());
    for (const QString& line : lines)
        QVERIFY2(line.startsWith("✔ ") || line.startsWith("✘ "), qPrintable(line));
    QCOMPARE(lines.last(), QString(last).replace("%1", port));
    if (simulator.isEmpty()) {
        QCOMPARE(lines.first(), "✘ There is no serial port " + port +
                                    " → Plug the cable into the computer and check the port's "
                                    "name: Port devices… and zev4800-cli ports list the serial "
                                    "ports present.");
        return;
    }
    QCOMPARE(lines.first(),
             "✔ The port " + port + " is there; it has no stable name in /dev/serial/by-id");
    QFile comm("/proc/self/comm");
    QVERIFY(comm.open(QIODevice::ReadOnly));
    const QString holderLine = QString("✘ %1 is in use by %2 (process %3). Close that program and "
                                       "try again.")
                                   .arg(port, QString::fromLocal8Bit(comm.readAll().trimmed()))
                                   .arg(QCoreApplication::applicationPid());
    QCOMPARE(lines.contains(holderLine), held);
    QCOMPARE(lines.contains("✔ Nothing else holds " + port), !held);
    // The radio is asked only on a port that opened, after the pseudo-terminal's latency line.
    QCOMPARE(lines.contains("✔ Low-latency mode is not needed: " + port +
                            " is a pseudo-terminal, which has no latency timer"),
             !held);
}

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
