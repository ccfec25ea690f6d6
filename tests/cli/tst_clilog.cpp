#include "files.h"
#include "jobs/writelog.h"
#include "pdftext.h"
#include "programrun.h"
#include "simulatorprocess.h"
#include "textwidth.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The write log on the command line: what write adds, what log prints, and the receipt that
// sheet --record makes of a line.
class CliLogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void writeLogsAndTheReceiptShowsIt();
    void receiptIsRefused_data();
    void receiptIsRefused();
    void logPrintsATable_data();
    void logPrintsATable();
    void damagedLinesAreNamed();
    void logFailures_data();
    void logFailures();

private:
    QString stateLog() const { return m_dir.filePath("state/zev4800/writes.csv"); }
    QTemporaryDir m_dir;
};

using namespace testsupport;
using zev::WriteOutcome;
using zev::WriteRecord;

namespace {

WriteRecord record(int minute, const QString& device, WriteOutcome outcome,
                   const QString& reason = QString()) {
    WriteRecord record;
    record.time = QDateTime(QDate(2026, 12, 10), QTime(14, minute, 1, 500), Qt::UTC);
    record.port = QStringLiteral("COM1");
    record.device = device;
    record.planFile = QStringLiteral("/shop/plans/fire.z81");
    record.planSha256 = QString(64, QLatin1Char('b'));
    record.band = QStringLiteral("136-174MHz");
    record.outcome = outcome;
    record.reason = reason;
    return record;
}

QList<WriteRecord> threeWrites() {
    return {record(1, "/dev/ttyUSB0", WriteOutcome::Verified),
            record(2, "/dev/serial/by-id/usb-电台_A1-if00", WriteOutcome::Failed,
                   "The radio does not hold what was written:\nCH03 RX Freq"),
            record(3, "/dev/ttyUSB1", WriteOutcome::Stopped, "Stopped, by you.")};
}

QStringList outLines(const ProgramRun& run) {
    return QString::fromLocal8Bit(run.out).split('\n', Qt::SkipEmptyParts);
}

} // namespace

void CliLogTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    qputenv("XDG_DATA_HOME", m_dir.filePath("data").toLocal8Bit());
    // The log that write and log use without --log.
    qputenv("XDG_STATE_HOME", m_dir.filePath("state").toLocal8Bit());
    QVERIFY2(runProgram("pdftotext", {"-v"}).exitCode == 0, "pdftotext (poppler-utils) is missing");
}

// A plan read from one radio and written to another, as a shop copies a radio: its line, the
// table, and the receipt of that line.
void CliLogTest::writeLogsAndTheReceiptShowsIt() {
    SimulatorProcess source({"--demo", "--baud", "0"});
    SimulatorProcess target({"--baud", "0"});
    const QString plan = m_dir.filePath("copied.z81");
    QCOMPARE(runCli({"read", "--port", source.terminal(), "--output", plan, "--lang", "english"})
                 .exitCode,
             0);
    QFile::remove(stateLog());
    const ProgramRun write =
        runCli({"write", "--port", target.terminal(), plan, "--lang", "english"});
    QCOMPARE(write.exitCode, 0);
    QCOMPARE(write.err, QByteArray());

    const zev::Result<zev::writelog::Contents> read = zev::writelog::read(stateLog());
    QVERIFY(read);
    QCOMPARE(read->records.size(), 1);
    const WriteRecord written = read->records.first();
    QCOMPARE(written.outcome, WriteOutcome::Verified);
    QCOMPARE(written.device, target.terminal());

    const ProgramRun log = runCli({"log"});
    QCOMPARE(log.exitCode, 0);
    const QStringList lines = outLines(log);
    QCOMPARE(lines.size(), 2);
    const QString time = zev::writelog::timeText(written.time);
    QVERIFY2(lines.at(1).startsWith(time + "  "), qPrintable(lines.at(1)));
    QVERIFY(lines.at(1).contains(" verified "));

    // The receipt: the sheet of the plan with the footer of the line the time picks.
    const QString pdf = m_dir.filePath("receipt.pdf");
    const ProgramRun sheet = runCli({"sheet", plan, pdf, "--record", time, "--lang", "english"});
    QVERIFY2(sheet.exitCode == 0, sheet.err.constData());
    const PdfContent receipt = readPdf(pdf);
    QVERIFY(receipt.read);
    QCOMPARE(receipt.pages, 1);
    const QString text = receipt.text.simplified();
    QVERIFY2(text.contains("Written: " + written.time.toString("yyyy-MM-dd HH:mm:ss") + " UTC"),
             qPrintable(text));
    QVERIFY(text.contains("Device: " + target.terminal()));
    QVERIFY(text.contains("Result: written and verified"));
    QVERIFY(text.contains("Plan SHA-256: " + written.planSha256));
    QVERIFY(text.contains("146.52000"));
    // A sheet without a record has no footer.
    const QString plain = m_dir.filePath("plain.pdf");
    QCOMPARE(runCli({"sheet", plan, plain, "--lang", "english"}).exitCode, 0);
    QVERIFY(!readPdf(plain).text.contains("SHA-256"));
}

// A receipt that would say something untrue is no receipt: no PDF.
void CliLogTest::receiptIsRefused_data() {
    QTest::addColumn<QString>("time");
    QTest::addColumn<bool>("changed"); // the plan file changed since the write
    QTest::addColumn<QString>("message");
    QTest::newRow("no line of that time")
        << "2026-12-10T14:09:01.500Z" << false
        << "zev4800-cli: sheet refused: No write in the write log LOG has the time "
           "2026-12-10T14:09:01.500Z.\n";
    QTest::newRow("the file changed since")
        << "2026-12-10T14:01:01.500Z" << true
        << "zev4800-cli: sheet refused: PLAN does not hold the plan written at "
           "2026-12-10T14:01:01.500Z: the SHA-256 of its plan is not the logged HASH. It has "
           "changed since, or another language's words were written.\n";
}

void CliLogTest::receiptIsRefused() {
    QFETCH(QString, time);
    QFETCH(bool, changed);
    QFETCH(QString, message);
    SimulatorProcess source({"--demo", "--baud", "0"});
    const QString plan = m_dir.filePath("refused.z81");
    QCOMPARE(runCli({"read", "--port", source.terminal(), "--output", plan, "--lang", "english"})
                 .exitCode,
             0);
    const QString log = m_dir.filePath("refused.csv");
    QFile::remove(log);
    WriteRecord logged = record(1, "/dev/ttyUSB0", WriteOutcome::Verified);
    logged.planFile = plan;
    logged.planSha256 = QString::fromLatin1(
        QCryptographicHash::hash(readFile(plan), QCryptographicHash::Sha256).toHex());
    QVERIFY(zev::writelog::append(log, logged));
    if (changed)
        QVERIFY(writeFile(plan, QByteArray(readFile(plan)).replace("146.52000", "146.55000")));
    const QString pdf = m_dir.filePath("refused.pdf");
    const ProgramRun run =
        runCli({"sheet", plan, pdf, "--record", time, "--log", log, "--lang", "english"});
    QCOMPARE(run.exitCode, 1);
    // After what the platform may say about the environment.
    const QString err = QString::fromLocal8Bit(run.err);
    QVERIFY2(err.endsWith(QString(message)
                              .replace("LOG", log)
                              .replace("PLAN", plan)
                              .replace("HASH", logged.planSha256)),
             qPrintable(err));
    QVERIFY(!QFile::exists(pdf));
}

void CliLogTest::logPrintsATable_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QList<int>>("shown"); // minutes of the writes shown, in order
    QTest::newRow("all") << QStringList{} << QList<int>{1, 2, 3};
    QTest::newRow("last 2") << QStringList{"--last", "2"} << QList<int>{2, 3};
    QTest::newRow("last 1") << QStringList{"--last", "1"} << QList<int>{3};
    QTest::newRow("more than there are") << QStringList{"--last", "10"} << QList<int>{1, 2, 3};
}

// Oldest first, one line a write, the columns aligned whatever the width of their characters.
void CliLogTest::logPrintsATable() {
    QFETCH(QStringList, options);
    QFETCH(QList<int>, shown);
    const QString log = m_dir.filePath("table.csv");
    QFile::remove(log);
    for (const WriteRecord& write : threeWrites())
        QVERIFY(zev::writelog::append(log, write));
    const ProgramRun run = runCli(QStringList{"log", "--log", log} + options);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    const QStringList lines = outLines(run);
    QCOMPARE(lines.size(), shown.size() + 1);
    QVERIFY2(lines.first().startsWith("time "), qPrintable(lines.first()));
    const QString header = lines.first();
    const int resultColumn = zev::cli::displayWidth(header.left(header.indexOf("result")));
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const WriteRecord write = threeWrites().at(shown.at(i) - 1);
        const QString line = lines.at(i + 1);
        QVERIFY2(line.startsWith(zev::writelog::timeText(write.time)), qPrintable(line));
        const QString word = zev::writelog::outcomeWord(write.outcome);
        QCOMPARE(zev::cli::displayWidth(line.left(line.indexOf(" " + word + " ") + 1)),
                 resultColumn);
        QVERIFY(line.contains("  bbbbbbbbbbbb  "));
        QVERIFY(!line.contains(QString(13, QLatin1Char('b'))));
    }
    if (shown.contains(2))
        QVERIFY(run.out.contains("The radio does not hold what was written:; CH03 RX Freq\n"));
}

void CliLogTest::damagedLinesAreNamed() {
    const QString log = m_dir.filePath("damaged.csv");
    QVERIFY(writeFile(log, zev::writelog::headerLine() +
                               zev::writelog::formatRecord(threeWrites().at(0)) +
                               "2026-12-10T14:02:01.500Z,COM1,cut off here\r\n" +
                               zev::writelog::formatRecord(threeWrites().at(2))));
    const ProgramRun run = runCli({"log", "--log", log});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromLocal8Bit(run.err), "zev4800-cli: warning: Line 3 of the write log " +
                                                  log + " is damaged and was left out.\n");
    QCOMPARE(outLines(run).size(), 3);
}

void CliLogTest::logFailures_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message"); // the start of stderr, or of stdout on success
    QTest::newRow("no log yet") << QStringList{"log", "--log", "NONE"} << 0
                                << "No write is logged in NONE.\n";
    QTest::newRow("a folder for a log")
        << QStringList{"log", "--log", "FOLDER"} << 1
        << "zev4800-cli: The write log cannot be read: File access denied: FOLDER is a folder";
    QTest::newRow("last 0") << QStringList{"log", "--last", "0"} << 2
                            << "zev4800-cli: --last takes a number of lines from 1 up, not '0'";
    QTest::newRow("last some") << QStringList{"log", "--last", "some"} << 2
                               << "zev4800-cli: --last takes a number of lines from 1 up, not "
                                  "'some'";
    QTest::newRow("record of no time")
        << QStringList{"sheet", "a.z81", "a.pdf", "--record", "yesterday"} << 2
        << "zev4800-cli: --record takes the time of a line of the write log, such as "
           "2026-12-10T14:35:01.123Z, not 'yesterday'";
    QTest::newRow("record for show") << QStringList{"show", "a.z81", "--record", "x"} << 2
                                     << "zev4800-cli: --record belongs to sheet";
}

void CliLogTest::logFailures() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const QString folder = m_dir.filePath("a-folder");
    QVERIFY(QDir().mkpath(folder));
    const QString none = m_dir.filePath("none.csv");
    arguments.replaceInStrings("FOLDER", folder).replaceInStrings("NONE", none);
    message.replace("FOLDER", folder).replace("NONE", none);
    const ProgramRun run = runCli(arguments);
    QCOMPARE(run.exitCode, exitCode);
    const QString shown = QString::fromLocal8Bit(exitCode == 0 ? run.out : run.err);
    QVERIFY2(shown.startsWith(message), qPrintable(shown));
    QVERIFY(!QFile::exists(none));
}

QTEST_GUILESS_MAIN(CliLogTest)
#include "tst_clilog.moc"
