#include "chanfile/backups.h"
#include "jobs/writejob.h"
#include "plan/plan.h"
#include "plan/wording.h"
#include "radio/writeprocedure.h"
#include "radio/writtenbytes.h"
#include "sim/simulator.h"
#include "sim/virtuallink.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using namespace zev;

namespace {

const QString band = QStringLiteral("136-174MHz");
constexpr int ReadFrames = 4 + 4 * 16 + 3;

// The worked example in channel 7, the first the demo radio leaves empty, in English words.
struct Bench {
    explicit Bench(SimulatorFaults faults = {})
        : radio(RadioSimulator::demoImage(), faults), imageBefore(radio.image()) {
        wording.words = englishWords();
        plan.band = band;
        plan.setChannel(7, {"145.12500", "67.0", "145.12500", "D023N", "High", "ON", "ON"});
        plan.options = {2, 1, 4, 0, 1, 1, 1};
        settings.backupDirectory = folder.filePath("backups");
        settings.device = QStringLiteral("/dev/ttyUSB0");
    }
    // The phases, the progress of the write session alone, and the questions with their answer.
    struct Observer : JobObserver {
        explicit Observer(Bench& bench) : bench(bench) {}
        void phaseStarted(WritePhase phase) override {
            bench.phases.append(int(phase));
            reading = phase != WritePhase::Write;
        }
        void progress(int percent) override {
            if (!reading)
                bench.progress.append(percent);
        }
        bool confirmOutsideBand(const QString& asked, const QStringList& channels) override {
            questions.append(asked + ": " + channels.join("; "));
            return answer;
        }
        Bench& bench;
        bool reading = false;
        bool answer = true;
        QStringList questions;
    };
    WriteJobResult run() {
        Observer observer(*this);
        return runWriteJob(link, plan, wording, settings, observer);
    }
    QStringList sentFrames() const {
        QStringList sent;
        for (const QString& line : link.trafficHex())
            if (line.startsWith(QLatin1Char('>')))
                sent.append(line.mid(1));
        return sent;
    }
    QStringList backupFiles() const {
        return QDir(settings.backupDirectory).entryList(QDir::Files);
    }

    QTemporaryDir folder;
    RadioSimulator radio;
    QByteArray imageBefore;
    VirtualLink link{radio};
    Plan plan;
    Wording wording;
    WriteJobSettings settings;
    QList<int> phases;
    QList<int> progress;
};

QList<int> writeMilestones() {
    QList<int> milestones = {0};
    for (int percent = 5; percent <= 100; percent += 5)
        milestones.append(percent);
    return milestones;
}

} // namespace

class WriteJobTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void backupWriteAndCheck();
    void radioThatDoesNotKeepTheWrite_data();
    void radioThatDoesNotKeepTheWrite();
    void everyWrittenByteIsChecked_data();
    void everyWrittenByteIsChecked();
    void failedBackupWritesNothing_data();
    void failedBackupWritesNothing();
    void refusedPlanTouchesNothing();
    void outsideBandAskedOnce_data();
    void outsideBandAskedOnce();
};

// The backup holds the radio as it was, the write runs as on its own, the check reads it back.
void WriteJobTest::backupWriteAndCheck() {
    Bench bench;
    const WriteJobResult result = bench.run();
    QVERIFY2(result.succeeded(), qPrintable(result.session.reason));
    QCOMPARE(result.phase, WritePhase::Verify);
    QCOMPARE(bench.phases, (QList<int>{int(WritePhase::Backup), int(WritePhase::Write),
                                       int(WritePhase::Verify)}));
    QCOMPARE(bench.progress, writeMilestones());
    QCOMPARE(bench.link.successCount(), 1);
    QCOMPARE(bench.sentFrames().size(), ReadFrames + 2 + 2 * 16 + 3 + ReadFrames);

    QCOMPARE(bench.backupFiles().size(), 1);
    QCOMPARE(result.backupPath, bench.settings.backupDirectory + "/" + bench.backupFiles().first());
    QVERIFY(bench.backupFiles().first().endsWith("-ttyUSB0.z81"));
    const Result<Plan> backup = loadChannelFile(result.backupPath);
    QVERIFY(backup.ok());
    // The demo radio, worded like the plan.
    QCOMPARE(backup.value().channels[0],
             (ChannelRow{"146.52000", "OFF", "146.52000", "OFF", "High", "ON", "ON"}));
    QCOMPARE(backup.value().channels[6], ChannelRow{});
    QCOMPARE(backup.value().band, band);
}

void WriteJobTest::radioThatDoesNotKeepTheWrite_data() {
    QTest::addColumn<bool>("storeNothing");
    QTest::addColumn<int>("corruptAt");
    QTest::addColumn<QStringList>("message"); // its first lines
    QTest::addColumn<int>("differences");
    // The demo radio's channels 1 to 6 stay where the plan has none, channel 7 stays empty.
    QTest::newRow("stores nothing")
        << true << -1
        << QStringList{"The radio does not hold what was written:",
                       "the first half of channel 1, 0x0010 (channel 1 RX Freq): wrote FFFFFFFF, "
                       "radio holds 00206514",
                       "the first half of channel 1, 0x0014 (channel 1 TX Freq): wrote FFFFFFFF, "
                       "radio holds 00206514"}
        << 28;
    // The lowest byte of channel 7's TX frequency.
    QTest::newRow("one byte wrong")
        << false << 0x74
        << QStringList{"The radio does not hold what was written:",
                       "the first half of channel 7, 0x0074 (channel 7 TX Freq): wrote 00255114, "
                       "radio holds FF255114"}
        << 1;
}

void WriteJobTest::radioThatDoesNotKeepTheWrite() {
    QFETCH(bool, storeNothing);
    QFETCH(int, corruptAt);
    QFETCH(QStringList, message);
    QFETCH(int, differences);
    SimulatorFaults faults;
    faults.storeNothing = storeNothing;
    faults.corruptStoreAt = corruptAt;
    Bench bench(faults);
    const WriteJobResult result = bench.run();
    QCOMPARE(result.session.outcome, SessionOutcome::Failed);
    QCOMPARE(result.phase, WritePhase::Verify);
    const QStringList lines = result.session.reason.split('\n');
    QCOMPARE(lines.mid(0, message.size()), message);
    QCOMPARE(result.mismatches.size(), differences);
    // Ten differences are named, the rest counted.
    QCOMPARE(lines.size(), 1 + qMin(differences, 10) + (differences > 10 ? 1 : 0));
    // The write itself went as always; a write the radio does not hold is no success.
    QCOMPARE(bench.progress, writeMilestones());
    QCOMPARE(bench.link.successCount(), 0);

    // Without the check the same write passes for a success.
    Bench unchecked(faults);
    unchecked.settings.verify = false;
    QVERIFY(unchecked.run().succeeded());
    QCOMPARE(unchecked.link.successCount(), 1);
}

// A radio that keeps any one written byte inverted fails the write, whatever the byte means:
// an unused byte or a tone that is off counts as much as a frequency.
void WriteJobTest::everyWrittenByteIsChecked_data() {
    QTest::addColumn<int>("address");
    for (const int block : writtenBlockAddresses())
        for (int address = block; address < block + MemoryImage::BlockSize; ++address)
            QTest::addRow("0x%04X", address) << address;
}

void WriteJobTest::everyWrittenByteIsChecked() {
    QFETCH(int, address);
    SimulatorFaults faults;
    faults.corruptStoreAt = address;
    Bench bench(faults);
    const WriteJobResult result = bench.run();
    QCOMPARE(result.session.outcome, SessionOutcome::Failed);
    QCOMPARE(result.phase, WritePhase::Verify);
    QCOMPARE(bench.link.successCount(), 0);
    QCOMPARE(result.mismatches.size(), 1);
    const ByteMismatch& mismatch = result.mismatches.first();
    const int index = address - mismatch.address;
    QVERIFY(index >= 0 && index < mismatch.written.size());
    QCOMPARE(quint8(mismatch.held.at(index)), quint8(~mismatch.written.at(index)));
    QVERIFY2(result.session.reason.contains(
                 QString("0x%1").arg(mismatch.address, 4, 16, QLatin1Char('0')).toUpper().mid(2)),
             qPrintable(result.session.reason));
}

// No backup, no write: not a write frame goes out.
void WriteJobTest::failedBackupWritesNothing_data() {
    QTest::addColumn<int>("noAnswerAt");
    QTest::addColumn<bool>("folderBlocked");
    QTest::addColumn<QString>("reason"); // %1: the backup folder
    QTest::newRow("radio stops answering")
        << 21 << false << "no reply to the read of the first half of channel 5";
    QTest::newRow("folder cannot be made") << 0 << true << "The folder %1 cannot be made.";
}

void WriteJobTest::failedBackupWritesNothing() {
    QFETCH(int, noAnswerAt);
    QFETCH(bool, folderBlocked);
    QFETCH(QString, reason);
    SimulatorFaults faults;
    faults.noAnswerAtFrame = noAnswerAt;
    Bench bench(faults);
    if (folderBlocked) {
        QVERIFY(QFile(bench.folder.filePath("file")).open(QIODevice::WriteOnly));
        bench.settings.backupDirectory = bench.folder.filePath("file/backups");
    }
    const WriteJobResult result = bench.run();
    QCOMPARE(result.session.outcome, SessionOutcome::Failed);
    QCOMPARE(result.phase, WritePhase::Backup);
    QCOMPARE(result.session.reason, reason.replace("%1", bench.settings.backupDirectory));
    QCOMPARE(bench.phases, QList<int>{int(WritePhase::Backup)});
    QCOMPARE(bench.radio.image(), bench.imageBefore);
    for (const QString& frame : bench.sentFrames())
        QVERIFY2(!frame.startsWith("57"), qPrintable(frame));
    QCOMPARE(bench.backupFiles(), QStringList());
    QVERIFY(result.backupPath.isEmpty());
    QCOMPARE(bench.link.successCount(), 0);
}

void WriteJobTest::refusedPlanTouchesNothing() {
    Bench bench;
    bench.plan.setCell(Plan::RxFrequency, 7, "14x.50000");
    const WriteJobResult result = bench.run();
    QCOMPARE(result.session.outcome, SessionOutcome::Refused);
    QCOMPARE(bench.sentFrames(), QStringList());
    QCOMPARE(bench.backupFiles(), QStringList());
    QCOMPARE(bench.progress, QList<int>{0});
    QCOMPARE(bench.phases, QList<int>());
}

void WriteJobTest::outsideBandAskedOnce_data() {
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("refusedPlan");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<int>("outcome"); // SessionOutcome on each radio
    const QStringList asked{band + ": Channel 09: TX 550.00000 MHz"};
    QTest::newRow("written anyway") << true << false << asked << int(SessionOutcome::Success);
    QTest::newRow("declined") << false << false << asked << int(SessionOutcome::Cancelled);
    // The refusal says more than the question would.
    QTest::newRow("refused plan") << true << true << QStringList() << int(SessionOutcome::Refused);
}

// Channels outside the band are asked about once, before any radio is touched, however many
// radios the plan goes to; a no reaches none of them.
void WriteJobTest::outsideBandAskedOnce() {
    QFETCH(bool, answer);
    QFETCH(bool, refusedPlan);
    QFETCH(QStringList, questions);
    QFETCH(int, outcome);
    Bench bench;
    bench.plan.setChannel(9, {"146.00000", "OFF", "550.00000", "OFF", "Low", "ON", "ON"});
    if (refusedPlan)
        bench.plan.setCell(Plan::RxFrequency, 7, "14x.50000");
    Bench::Observer observer(bench);
    observer.answer = answer;
    const WriteJob job(bench.plan, bench.wording, observer);
    QCOMPARE(observer.questions, questions);
    QCOMPARE(bench.link.trafficHex(), QStringList());

    RadioSimulator other(RadioSimulator::demoImage());
    VirtualLink otherLink(other);
    const bool written = outcome == int(SessionOutcome::Success);
    for (VirtualLink* link : {&bench.link, &otherLink}) {
        const WriteJobResult result = job.run(*link, bench.settings, observer);
        QCOMPARE(int(result.session.outcome), outcome);
        QCOMPARE(result.declined, !answer);
        QCOMPARE(link->successCount(), written ? 1 : 0);
        QCOMPARE(link->trafficHex().isEmpty(), !written);
    }
    QCOMPARE(observer.questions, questions);
    QCOMPARE(bench.radio.image() != bench.imageBefore, written);
    QCOMPARE(other.image() != bench.imageBefore, written);
    QCOMPARE(bench.backupFiles().isEmpty(), !written);
    if (!answer) {
        QCOMPARE(bench.phases, QList<int>());
        QCOMPARE(bench.progress, QList<int>());
    }
}

QTEST_GUILESS_MAIN(WriteJobTest)
#include "tst_writejob.moc"
