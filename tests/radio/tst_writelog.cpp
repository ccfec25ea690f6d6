#include "files.h"
#include "jobs/writelog.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace zev;
using namespace testsupport;

Q_DECLARE_METATYPE(zev::WriteRecord)

// The write log: its lines, its place, and many writers at once.
class WriteLogTest : public QObject {
    Q_OBJECT
private slots:
    void recordReadsAsWritten_data();
    void recordReadsAsWritten();
    void damagedLinesAreLeftOutAndNamed();
    void newLogStartsWithItsHeader();
    void concurrentWritersNeverMixTheirLines_data();
    void concurrentWritersNeverMixTheirLines();
    void unwritableLogIsReported_data();
    void unwritableLogIsReported();
    void logPath_data();
    void logPath();
    void timeAsTyped();
    void radiosOfOneRunGetDistinctTimes();
};

namespace {

WriteRecord sample() {
    WriteRecord record;
    record.time = QDateTime(QDate(2026, 12, 10), QTime(14, 35, 1, 123), Qt::UTC);
    record.port = QStringLiteral("COM1");
    record.device = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_A12345-if00-port0");
    record.planFile = QStringLiteral("/home/shop/plans/fire brigade.z81");
    record.planSha256 = QString(64, QLatin1Char('a'));
    record.band = QStringLiteral("136-174MHz");
    record.outcome = WriteOutcome::Verified;
    record.backupPath = QStringLiteral("/home/shop/.local/share/zev4800/backups/x.z81");
    return record;
}

// The records in the log at path; a failure to read fails the test.
QList<WriteRecord> recordsIn(const QString& path, QStringList* problems = nullptr) {
    const Result<writelog::Contents> read = writelog::read(path);
    if (!read) {
        qWarning() << read.message();
        return {};
    }
    if (problems)
        *problems = read->problems;
    return read->records;
}

// A reason long enough that a line written in pieces would be cut by the others' lines.
WriteRecord writerRecord(int writer, int number) {
    WriteRecord record = sample();
    record.port = QStringLiteral("writer %1").arg(writer);
    record.outcome = WriteOutcome::Failed;
    record.reason = QStringLiteral("line %1, ").arg(number) + QString(3000, QChar(u'é'));
    return record;
}

// Each writer's numbers in order, none lost, none twice: the lines are whole.
void checkWriters(const QList<WriteRecord>& records, int writers, int lines) {
    QList<int> next(writers, 0);
    for (const WriteRecord& record : records) {
        const int writer = record.port.mid(7).toInt();
        QVERIFY(writer >= 0 && writer < writers);
        QVERIFY2(record.reason == writerRecord(writer, next[writer]).reason,
                 qPrintable(record.reason.left(20)));
        ++next[writer];
    }
    QCOMPARE(next, QList<int>(writers, lines));
}

} // namespace

void WriteLogTest::recordReadsAsWritten_data() {
    QTest::addColumn<WriteRecord>("record");
    QTest::newRow("verified") << sample();
    WriteRecord failed = sample();
    failed.outcome = WriteOutcome::Failed;
    failed.reason = QStringLiteral("The radio does not hold what was written:\r\n"
                                   "CH03 RX Freq: 0x1a, not 0x1b\n\"quoted\", and a \\ too\n");
    failed.backupPath.clear();
    QTest::newRow("failed, a reason of several lines") << failed;
    WriteRecord window = sample();
    window.outcome = WriteOutcome::Written;
    window.planFile = writelog::windowPlanFile();
    window.port = QStringLiteral("=cmd|'/C calc'!A0");
    window.band = QStringLiteral("-400,470MHz");
    window.device = QStringLiteral("'=1+2");
    QTest::newRow("fields a spreadsheet would run") << window;
    WriteRecord stopped = sample();
    stopped.outcome = WriteOutcome::Stopped;
    stopped.planFile = QStringLiteral("/home/店/计划 \\n 1.z81");
    stopped.reason = QStringLiteral("\\");
    stopped.planSha256.clear();
    QTest::newRow("stopped, Chinese and backslashes") << stopped;
}

void WriteLogTest::recordReadsAsWritten() {
    QFETCH(WriteRecord, record);
    const QByteArray line = writelog::formatRecord(record);
    QVERIFY(line.endsWith("\r\n"));
    // One record, one line, whatever its fields hold.
    QCOMPARE(line.count('\n'), 1);
    QCOMPARE(line.count('\r'), 1);
    const std::optional<WriteRecord> read =
        writelog::parseRecord(QString::fromUtf8(line.chopped(2)));
    QVERIFY(read);
    QCOMPARE(*read, record);

    QTemporaryDir dir;
    const QString path = dir.filePath("state/zev4800/writes.csv");
    QVERIFY(writelog::append(path, record));
    QVERIFY(writelog::append(path, sample()));
    QStringList problems;
    QCOMPARE(recordsIn(path, &problems), (QList<WriteRecord>{record, sample()}));
    QCOMPARE(problems, QStringList());
}

void WriteLogTest::damagedLinesAreLeftOutAndNamed() {
    QTemporaryDir dir;
    const QString path = dir.filePath("writes.csv");
    const QByteArray good = writelog::formatRecord(sample());
    WriteRecord other = sample();
    other.port = QStringLiteral("COM2");
    QByteArray content = writelog::headerLine() + good;
    content += good.left(good.size() / 2) + "\r\n";                        // line 3: cut short
    content += QByteArray(good).replace("verified", "smoked");             // 4: unknown result
    content += QByteArray(good).replace("2026-12-10T", "yesterday ");      // 5: no time
    content += "\"unclosed," + good;                                       // 6: a quote never ends
    content += QByteArray(good).replace("COM1", "\xff\xfe");               // 7: not UTF-8
    content += QByteArray(good).replace("backups/x.z81", "back\\qup.z81"); // 8: unknown escape
    content += "\r\n" + writelog::formatRecord(other); // an empty line says nothing
    QVERIFY(writeFile(path, content));
    QStringList problems;
    QCOMPARE(recordsIn(path, &problems), (QList<WriteRecord>{sample(), other}));
    QStringList expected;
    for (int line : {3, 4, 5, 6, 7, 8})
        expected << QStringLiteral("Line %1 of the write log %2 is damaged and was left out.")
                        .arg(line)
                        .arg(path);
    QCOMPARE(problems, expected);
}

void WriteLogTest::newLogStartsWithItsHeader() {
    QTemporaryDir dir;
    const QString path = dir.filePath("deep/er/writes.csv");
    QCOMPARE(recordsIn(path), QList<WriteRecord>()); // not there yet: no writes
    QVERIFY(writelog::append(path, sample()));
    QVERIFY(writelog::append(path, sample()));
    QCOMPARE(readFile(path), writelog::headerLine() + writelog::formatRecord(sample()) +
                                 writelog::formatRecord(sample()));
    QCOMPARE(writelog::headerLine(),
             QByteArray("time,port,device,plan,plan_sha256,band,result,backup,reason\r\n"));
    // Nothing of the header's making is left beside it.
    QCOMPARE(QDir(dir.filePath("deep/er")).entryList(QDir::Files | QDir::Hidden),
             QStringList{"writes.csv"});
}

// Several radios at once: their lines land whole, in each writer's order, under one header,
// though every writer finds the log missing at its start.
void WriteLogTest::concurrentWritersNeverMixTheirLines_data() {
    QTest::addColumn<bool>("processes");
    QTest::newRow("threads") << false;
    QTest::newRow("processes") << true;
}

void WriteLogTest::concurrentWritersNeverMixTheirLines() {
    QFETCH(bool, processes);
    constexpr int writers = 8;
    constexpr int lines = 60;
    QTemporaryDir dir;
    const QString path = dir.filePath("writes.csv");
    // Every writer waits for the same moment to start.
    int gate[2];
    QCOMPARE(::pipe(gate), 0);
    const auto waitForGate = [&gate] {
        char byte;
        while (::read(gate[0], &byte, 1) < 0 && errno == EINTR) {
        }
    };
    const auto writeLines = [&](int writer) {
        waitForGate();
        bool ok = true;
        for (int number = 0; number < lines; ++number)
            ok = writelog::append(path, writerRecord(writer, number)).ok() && ok;
        return ok;
    };
    if (processes) {
        std::vector<pid_t> children;
        for (int writer = 0; writer < writers; ++writer) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                ::close(gate[1]);
                ::_exit(writeLines(writer) ? 0 : 1);
            }
            QVERIFY(pid > 0);
            children.push_back(pid);
        }
        ::close(gate[1]);
        for (const pid_t child : children) {
            int status = 0;
            QCOMPARE(::waitpid(child, &status, 0), child);
            QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
    } else {
        std::vector<std::unique_ptr<QThread>> threads;
        std::vector<int> ok(writers, 0);
        for (int writer = 0; writer < writers; ++writer)
            threads.emplace_back(
                QThread::create([&, writer] { ok[size_t(writer)] = writeLines(writer); }));
        for (const auto& thread : threads)
            thread->start();
        ::close(gate[1]);
        for (const auto& thread : threads)
            thread->wait();
        QCOMPARE(ok, std::vector<int>(writers, 1));
    }
    ::close(gate[0]);
    const QByteArray content = readFile(path);
    QVERIFY(content.startsWith(writelog::headerLine()));
    QCOMPARE(content.count("time,port,"), 1);
    QStringList problems;
    const QList<WriteRecord> records = recordsIn(path, &problems);
    QCOMPARE(problems, QStringList());
    QCOMPARE(records.size(), writers * lines);
    checkWriters(records, writers, lines);
}

void WriteLogTest::unwritableLogIsReported_data() {
    QTest::addColumn<SpecialFile>("kind");
    QTest::newRow("a folder in its place") << SpecialFile::Folder;
    QTest::newRow("a pipe in its place") << SpecialFile::Fifo;
}

// Said, never waited on, and nothing put in its place.
void WriteLogTest::unwritableLogIsReported() {
    QFETCH(SpecialFile, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath("writes.csv");
    QVERIFY(makeSpecialFile(path, kind));
    const Status appended = writelog::append(path, sample());
    QVERIFY(!appended);
    QVERIFY2(appended.message().startsWith("The write was not recorded in the write log: "),
             qPrintable(appended.message()));
    QVERIFY2(appended.message().contains(path), qPrintable(appended.message()));
    QVERIFY(isSpecialFile(path, kind));
    QVERIFY(!writelog::read(path));

    // A plain file where its folder should be.
    const QString file = dir.filePath("plain");
    QVERIFY(writeFile(file, "x"));
    const Status noFolder = writelog::append(file + "/zev4800/writes.csv", sample());
    QVERIFY2(noFolder.message().contains(file + "/zev4800"), qPrintable(noFolder.message()));
}

void WriteLogTest::logPath_data() {
    QTest::addColumn<QByteArray>("stateHome"); // "-": not set
    QTest::addColumn<QString>("expected");     // "~": the home folder
    QTest::newRow("state home") << QByteArray("/srv/state") << "/srv/state/zev4800/writes.csv";
    QTest::newRow("state home with a final slash")
        << QByteArray("/srv/state/") << "/srv/state/zev4800/writes.csv";
    QTest::newRow("not set") << QByteArray("-") << "~/.local/state/zev4800/writes.csv";
    QTest::newRow("empty") << QByteArray("") << "~/.local/state/zev4800/writes.csv";
    QTest::newRow("relative, ignored")
        << QByteArray("state") << "~/.local/state/zev4800/writes.csv";
}

void WriteLogTest::logPath() {
    QFETCH(QByteArray, stateHome);
    QFETCH(QString, expected);
    const QByteArray oldState = qgetenv("XDG_STATE_HOME");
    const QByteArray oldHome = qgetenv("HOME");
    const auto restore = qScopeGuard([&] {
        qputenv("XDG_STATE_HOME", oldState);
        qputenv("HOME", oldHome);
    });
    qputenv("HOME", "/home/shop");
    if (stateHome == "-")
        qunsetenv("XDG_STATE_HOME");
    else
        qputenv("XDG_STATE_HOME", stateHome);
    QCOMPARE(writelog::defaultPath(), QString(expected).replace("~", "/home/shop"));
}

// The time as the log and its table write it, as a user copies it from there.
void WriteLogTest::timeAsTyped() {
    const QString text = writelog::timeText(sample().time);
    QCOMPARE(text, QStringLiteral("2026-12-10T14:35:01.123Z"));
    QCOMPARE(writelog::parseTime(text), sample().time);
    QCOMPARE(writelog::parseTime(" 2026-12-10T15:35:01.123+01:00 "), sample().time);
    QVERIFY(!writelog::parseTime("10.12.2026 14:35").isValid());
    WriteRecord other = sample();
    other.time = other.time.addMSecs(1);
    QCOMPARE(writelog::recordsAt({other, sample()}, sample().time), QList<WriteRecord>{sample()});
}

// Radios written at once end within the same millisecond often enough; a receipt picks its line
// by the time.
void WriteLogTest::radiosOfOneRunGetDistinctTimes() {
    constexpr int radios = 8;
    std::vector<QList<QDateTime>> times(radios);
    std::vector<std::unique_ptr<QThread>> threads;
    for (int radio = 0; radio < radios; ++radio)
        threads.emplace_back(QThread::create([&times, radio] {
            for (int line = 0; line < 100; ++line)
                times[size_t(radio)].append(writelog::recordTime());
        }));
    for (const auto& thread : threads)
        thread->start();
    for (const auto& thread : threads)
        thread->wait();
    QSet<QString> distinct;
    for (const QList<QDateTime>& list : times)
        for (const QDateTime& time : list)
            distinct.insert(writelog::timeText(time));
    QCOMPARE(distinct.size(), radios * 100);
}

QTEST_GUILESS_MAIN(WriteLogTest)
#include "tst_writelog.moc"
