#include "plan/plan.h"
#include "plan/wording.h"
#include "radio/hex.h"
#include "radio/readprocedure.h"
#include "radio/writeprocedure.h"
#include "sim/simulator.h"
#include "sim/virtuallink.h"

#include "frames.h"

#include <QLocale>
#include <QTest>

using namespace zev;
using namespace testsupport;

class WriteProcedureTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void fullWriteOnTheWire();
    void bandFollowsTheModelSelection();
    void emptyTxFrequencyIsWrittenAsNone();
    void faults_data();
    void faults();
    void badPlanIsRefusedBeforeAnyByte();
    void cancelEndsTheSessionWithTheEndFrame_data();
    void cancelEndsTheSessionWithTheEndFrame();
    void lineFailureEndsTheWriteAsFailed();
    void readAndWriteShareTheCounter();
};

namespace {

// Channel 3 as the worked example, in the other language's words: encoders go by meaning.
void fillExamplePlan(Plan& plan) {
    const Words words = englishWords();
    plan.setChannel(3, {QStringLiteral("145.12500"), QStringLiteral("67.0"),
                        QStringLiteral("145.12500"), QStringLiteral("D023N"), words.high, words.on,
                        words.on});
    plan.options = {2, 1, 4, 0, 1, 1, 1};
}

struct Bench {
    explicit Bench(SimulatorFaults faults = {})
        : radio(RadioSimulator::demoImage(), faults), imageBefore(radio.image()) {
        fillExamplePlan(plan);
        plan.band = QStringLiteral("136-174MHz");
    }
    SessionResult run(const QString& band = QStringLiteral("136-174MHz")) {
        plan.band = band;
        return writeRadio(link, plan, wording, [this](int percent) { progress.append(percent); });
    }
    QByteArray block(int address) const { return radio.image().mid(address, 8); }

    RadioSimulator radio;
    const QByteArray imageBefore;
    VirtualLink link{radio};
    Plan plan;
    Wording wording;
    QList<int> progress;
};

const QByteArray erasedBlock(8, '\xFF');
const QByteArray exampleFirstHalf = QByteArray::fromHex("0025511400255114");
const QByteArray exampleSecondHalf = QByteArray::fromHex("70062380FEFFFFFF");

} // namespace

void WriteProcedureTest::fullWriteOnTheWire() {
    Bench bench;
    const SessionResult result = bench.run();
    QVERIFY2(result.succeeded(), qPrintable(result.reason));

    const QString ack = QStringLiteral(">06"), answer = QStringLiteral("<06");
    QStringList expected = {QStringLiteral(">0254414C766578"), QStringLiteral("<06207661726B6F6C"),
                            ack, answer};
    for (int channel = 1; channel <= 16; ++channel) {
        const bool example = channel == 3;
        expected << QStringLiteral(">57") + addressHex(16 * channel) + QStringLiteral("08") +
                        (example ? bytesToHex(exampleFirstHalf) : QStringLiteral("F").repeated(16))
                 << answer
                 << QStringLiteral(">57") + addressHex(16 * channel + 8) + QStringLiteral("08") +
                        (example ? bytesToHex(exampleSecondHalf) : QStringLiteral("F").repeated(16))
                 << answer;
    }
    expected << QStringLiteral(">5703C008FF02FF04FF00FFFF") << answer
             << QStringLiteral(">5703E00860134017FFFFFFFF") << answer << QStringLiteral(">646F");
    QCOMPARE(bench.link.trafficHex(), expected);
    QVERIFY(expected.at(4).startsWith(QStringLiteral(">57001008")));
    QVERIFY(expected.at(6).startsWith(QStringLiteral(">57001808")));

    // The radio now holds the plan and nothing else changed.
    QByteArray image = bench.imageBefore;
    for (int channel = 1; channel <= 16; ++channel) {
        image.replace(16 * channel, 8, channel == 3 ? exampleFirstHalf : erasedBlock);
        image.replace(16 * channel + 8, 8, channel == 3 ? exampleSecondHalf : erasedBlock);
    }
    image.replace(0x03C0, 8, QByteArray::fromHex("FF02FF04FF00FFFF"));
    image.replace(0x03E0, 8, QByteArray::fromHex("60134017FFFFFFFF"));
    QCOMPARE(bench.radio.image(), image);

    QList<int> expectedProgress;
    for (int value = 0; value <= 100; value += 5)
        expectedProgress.append(value);
    QCOMPARE(bench.progress, expectedProgress);
    QCOMPARE(bench.link.successCount(), 1);
}

void WriteProcedureTest::bandFollowsTheModelSelection() {
    Bench bench;
    QVERIFY(bench.run(QStringLiteral("400-470MHz")).succeeded());
    QCOMPARE(bench.block(0x03E0), QByteArray::fromHex("00400047FFFFFFFF"));
}

void WriteProcedureTest::emptyTxFrequencyIsWrittenAsNone() {
    Bench bench;
    bench.plan.setCell(Plan::TxFrequency, 3, QString());
    QVERIFY(bench.run().succeeded());
    QCOMPARE(bench.block(0x0030), QByteArray::fromHex("00255114FFFFFFFF"));
}

// Frames of a write, counted from 1: entry 1, ACK 2; channel n: first half 2n + 1, second
// half 2n + 2; options 35, band 36, end 37.
void WriteProcedureTest::faults_data() {
    QTest::addColumn<SimulatorFaults>("faults");
    QTest::addColumn<int>("rowsWritten"); // rows 1..k hold the plan in the radio afterwards
    QTest::addColumn<int>("framesSent");
    QTest::addColumn<int>("lastProgress");

    QTest::newRow("silent radio") << SimulatorFaults{.silent = true} << 0 << 6 << 0;
    QTest::newRow("wrong identification")
        << SimulatorFaults{.wrongIdentification = true} << 0 << 6 << 0;
    // The identification begins with 0x06: only the fresh-reply test catches a missing ACK.
    QTest::newRow("no answer at the first ACK")
        << SimulatorFaults{.noAnswerAtFrame = 2} << 0 << 2 << 5;
    QTest::newRow("row 5 first half lost")
        << SimulatorFaults{.noAnswerAtFrame = 11} << 4 << 11 << 25;
    // The old ACK still begins with 0x06: without the fresh test row 6 would go out.
    QTest::newRow("row 5 second half lost")
        << SimulatorFaults{.noAnswerAtFrame = 12} << 4 << 12 << 30;
    QTest::newRow("row 5 answered wrongly")
        << SimulatorFaults{.wrongByteAtFrame = 11} << 4 << 11 << 25;
    QTest::newRow("row 16 second half lost")
        << SimulatorFaults{.noAnswerAtFrame = 34} << 15 << 34 << 85;
    QTest::newRow("options lost") << SimulatorFaults{.noAnswerAtFrame = 35} << 16 << 35 << 90;
    QTest::newRow("band lost") << SimulatorFaults{.noAnswerAtFrame = 36} << 16 << 36 << 95;
    QTest::newRow("radio hangs up after row 8")
        << SimulatorFaults{.hangUpAfterFrames = 18} << 8 << 19 << 45;
}

void WriteProcedureTest::faults() {
    QFETCH(SimulatorFaults, faults);
    QFETCH(int, rowsWritten);
    QFETCH(int, framesSent);
    QFETCH(int, lastProgress);

    Bench bench(faults);
    const SessionResult result = bench.run();
    QCOMPARE(result.outcome, SessionOutcome::Failed);
    QVERIFY(!result.reason.isEmpty());
    QCOMPARE(sentFrames(bench.link).size(), framesSent);
    QVERIFY(!sentFrames(bench.link).contains(QStringLiteral("646F")));
    QCOMPARE(bench.progress.last(), lastProgress);
    QCOMPARE(bench.link.successCount(), 0);
    for (int channel = 1; channel <= 16; ++channel) {
        const QByteArray first = bench.block(16 * channel);
        if (channel <= rowsWritten)
            QCOMPARE(first, channel == 3 ? exampleFirstHalf : erasedBlock);
        else if (channel > rowsWritten + 1)
            QCOMPARE(first, bench.imageBefore.mid(16 * channel, 8));
    }
}

void WriteProcedureTest::badPlanIsRefusedBeforeAnyByte() {
    Bench bench;
    bench.plan.setCell(Plan::RxFrequency, 3, QStringLiteral("14x.50000"));
    bench.plan.setCell(Plan::TxTone, 9, QStringLiteral("D023N"));
    bench.plan.setOptionIndex(Option::Squelch, -1);
    const SessionResult result = bench.run(QStringLiteral("136-174"));
    QCOMPARE(result.outcome, SessionOutcome::Refused);
    const QStringList lines = result.reason.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(0), QStringLiteral("Channel 03: RX Freq '14x.50000' is not a frequency"));
    QVERIFY(lines.at(1).contains(QStringLiteral("squelch")));
    QVERIFY(lines.at(2).contains(QStringLiteral("136-174")));
    QVERIFY(bench.link.traffic().isEmpty());
    QCOMPARE(bench.progress, QList<int>{0}); // the bar is reset, nothing more
    QCOMPARE(bench.radio.image(), bench.imageBefore);
}

void WriteProcedureTest::cancelEndsTheSessionWithTheEndFrame_data() {
    QTest::addColumn<int>("cancelAt"); // progress
    QTest::addColumn<int>("framesBefore");
    QTest::addColumn<QString>("message");
    QTest::newRow("after the handshake")
        << 5 << 1
        << "The write to the radio was stopped before anything was written; the radio keeps its "
           "plan.";
    QTest::newRow("after row 3") << 20 << 2 + 2 * 3
                                 << "The write to the radio was stopped before it finished. The "
                                    "radio now holds a partly written plan: write the plan again.";
}

void WriteProcedureTest::cancelEndsTheSessionWithTheEndFrame() {
    QFETCH(int, cancelAt);
    QFETCH(int, framesBefore);
    QFETCH(QString, message);
    Bench bench;
    const SessionResult result =
        writeRadio(bench.link, bench.plan, bench.wording, [&](int percent) {
            if (percent == cancelAt)
                bench.link.cancel();
        });
    QCOMPARE(result.outcome, SessionOutcome::Cancelled);
    QCOMPARE(result.reason, message);
    // Nothing more of the plan, then the end frame: the radio leaves programming mode at once.
    const QStringList sent = sentFrames(bench.link);
    QCOMPARE(sent.size(), framesBefore + 1);
    QCOMPARE(sent.last(), QStringLiteral("646F"));
    QVERIFY(!bench.radio.inProgrammingMode());
    QCOMPARE(bench.link.successCount(), 0);
}

void WriteProcedureTest::lineFailureEndsTheWriteAsFailed() {
    Bench bench;
    bench.link.breakLineAt(100, QStringLiteral("The connection was lost"));
    const SessionResult result = bench.run();
    QCOMPARE(result.outcome, SessionOutcome::Failed);
    QCOMPARE(result.reason, QStringLiteral("The connection was lost"));
    QVERIFY(bench.link.traffic().last().atMicroseconds < 100'000);
}

void WriteProcedureTest::readAndWriteShareTheCounter() {
    Bench bench;
    QVERIFY(bench.run().succeeded());
    Plan readPlan;
    const Wording wording;
    QVERIFY(readRadio(bench.link, readPlan, wording).succeeded());
    QCOMPARE(bench.link.successCount(), 2);
    // What was written reads back, in the reading plan's words.
    const Words words = wording.words;
    QCOMPARE(readPlan.channel(3), (ChannelRow{QStringLiteral("145.12500"), QStringLiteral("67.0"),
                                              QStringLiteral("145.12500"), QStringLiteral("D023N"),
                                              words.high, words.on, words.on}));
    bench.link.resetSuccessCount();
    QVERIFY(bench.run().succeeded());
    QCOMPARE(bench.link.successCount(), 1);
}

QTEST_GUILESS_MAIN(WriteProcedureTest)
#include "tst_writeprocedure.moc"
