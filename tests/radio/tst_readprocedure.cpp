#include "plan/bandlist.h"
#include "plan/plan.h"
#include "plan/wording.h"
#include "radio/hex.h"
#include "radio/readprocedure.h"
#include "sim/simulator.h"
#include "sim/virtuallink.h"

#include "frames.h"
#include "imagefixtures.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTest>

using namespace zev;
using namespace testsupport;

class ReadProcedureTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void fullReadOnTheWire();
    void bandSelectsOrAppends_data();
    void bandSelectsOrAppends();
    void emptyRadioChannelEmptiesTheRow();
    void commaLocaleReadsFrequenciesWithAComma();
    void faults_data();
    void faults();
    void staleBytesAreNeverDecoded();
    void malformedOptionsFailTheRead();
    void cancelEndsTheSessionWithTheEndFrame();
    void lineFailureEndsTheReadAsFailed();
    void successesAreCounted();
};

namespace {

// Factory image with channel 3 as the worked example, the options FF 02 FF 04 FF 00 FF FF and
// the band 136-174MHz.
QByteArray exampleImage() {
    QByteArray image = RadioSimulator::erasedImage();
    putBlock(image, 0x0030, "0025511400255114");
    putBlock(image, 0x0038, "70062380FEFFFFFF");
    putBlock(image, 0x03C0, "FF02FF04FF00FFFF");
    putBlock(image, 0x03C8, "C832F1FFFFFFFFFF");
    putBlock(image, 0x03E0, "60134017FFFFFFFF");
    return image;
}

struct Bench {
    explicit Bench(QByteArray image = exampleImage(), SimulatorFaults faults = {})
        : radio(std::move(image), faults) {
        for (int row = 1; row <= Plan::ChannelCount; ++row)
            plan.setChannel(row, previousRow(row));
        plan.options = {9, 0, 7, 4, 0, 0, 0};
        bands.setItems({QStringLiteral("400-470MHz")}, 0);
    }
    SessionResult run() {
        return read([this](int percent) { progress.append(percent); });
    }
    // The band read goes to the model selector as the window applies it.
    SessionResult read(const ProgressCallback& progress) {
        const SessionResult result = readRadio(link, plan, wording, progress);
        if (!plan.band.isEmpty())
            bands.applyBand(plan.band);
        return result;
    }

    RadioSimulator radio;
    VirtualLink link{radio};
    Plan plan;
    Wording wording;
    BandList bands; // the model selector
    QList<int> progress;
};

QList<int> milestones(int last) {
    QList<int> values;
    for (int value = 0; value <= last; value += 5)
        values.append(value);
    return values;
}

ChannelRow exampleRow() {
    const Words words = chineseWords();
    return {QStringLiteral("145.12500"),
            QStringLiteral("67.0"),
            QStringLiteral("145.12500"),
            QStringLiteral("D023N"),
            words.high,
            words.on,
            words.on};
}

} // namespace

void ReadProcedureTest::fullReadOnTheWire() {
    Bench bench;
    QSignalSpy bandApplied(&bench.bands, &BandList::bandApplied);
    const SessionResult result = bench.run();
    QVERIFY2(result.succeeded(), qPrintable(result.reason));

    const QByteArray image = exampleImage();
    const auto reply = [&image](int address) {
        return QStringLiteral("<57") + addressHex(address) + QStringLiteral("08") +
               bytesToHex(image.mid(address, 8));
    };
    const auto read = [](int address) {
        return QStringLiteral(">52") + addressHex(address) + QStringLiteral("08");
    };
    const QString ack = QStringLiteral(">06"), answer = QStringLiteral("<06");
    QStringList expected = {QStringLiteral(">0254414C766578"),
                            QStringLiteral("<06207661726B6F6C"),
                            ack,
                            answer,
                            QStringLiteral(">5203E008"),
                            reply(0x03E0),
                            ack,
                            answer};
    for (int channel = 1; channel <= 16; ++channel)
        expected << read(16 * channel) << reply(16 * channel) << ack << answer
                 << read(16 * channel + 8) << reply(16 * channel + 8) << ack << answer;
    expected << QStringLiteral(">5203C008") << reply(0x03C0) << ack << answer
             << QStringLiteral(">646F");
    QCOMPARE(bench.link.trafficHex(), expected);
    QCOMPARE(expected.at(8), QStringLiteral(">52001008"));
    QCOMPARE(expected.at(12), QStringLiteral(">52001808"));

    for (int row = 1; row <= 16; ++row)
        QCOMPARE(bench.plan.channel(row), row == 3 ? exampleRow() : ChannelRow{});
    QCOMPARE(bench.plan.options, (OptionIndices{2, 1, 4, 0, 1, 1, 1}));
    QCOMPARE(bench.bands.currentText(), QStringLiteral("136-174MHz"));
    QCOMPARE(bandApplied.size(), 1);
    QCOMPARE(bench.progress, milestones(100));
    QCOMPARE(bench.link.successCount(), 1);
    QVERIFY(!bench.radio.inProgrammingMode()); // the end frame closed the session
}

void ReadProcedureTest::bandSelectsOrAppends_data() {
    QTest::addColumn<QByteArray>("bandBlock");
    QTest::addColumn<QStringList>("itemsAfter");
    QTest::addColumn<int>("selected");
    QTest::newRow("known band") << QByteArray("00400047FFFFFFFF") << QStringList{"400-470MHz"} << 0;
    QTest::newRow("new band appended")
        << QByteArray("60134017FFFFFFFF") << QStringList{"400-470MHz", "136-174MHz"} << 1;
    QTest::newRow("100 kHz digit dropped")
        << QByteArray("65134917FFFFFFFF") << QStringList{"400-470MHz", "136-174MHz"} << 1;
}

void ReadProcedureTest::bandSelectsOrAppends() {
    QFETCH(QByteArray, bandBlock);
    QFETCH(QStringList, itemsAfter);
    QFETCH(int, selected);
    QByteArray image = exampleImage();
    putBlock(image, 0x03E0, bandBlock.constData());
    Bench bench(image);
    QSignalSpy bandApplied(&bench.bands, &BandList::bandApplied);
    QVERIFY(bench.run().succeeded());
    QCOMPARE(bench.bands.items(), itemsAfter);
    QCOMPARE(bench.bands.currentIndex(), selected);
    QCOMPARE(bandApplied.size(), 1);
    QCOMPARE(bandApplied.first().first().toString(), itemsAfter.at(selected));
}

void ReadProcedureTest::emptyRadioChannelEmptiesTheRow() {
    // RX frequency erased, everything else set: the row is empty whatever the rest holds.
    QByteArray image = exampleImage();
    putBlock(image, 0x0030, "FFFFFFFF00255114");
    Bench bench(image);
    QVERIFY(bench.run().succeeded());
    QCOMPARE(bench.plan.channel(3), ChannelRow{});
}

void ReadProcedureTest::commaLocaleReadsFrequenciesWithAComma() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Bench bench;
    const bool ok = bench.run().succeeded();
    QLocale::setDefault(QLocale::c());
    QVERIFY(ok);
    QCOMPARE(bench.plan.cell(Plan::RxFrequency, 3), QStringLiteral("145,12500"));
    QCOMPARE(bench.plan.cell(Plan::RxTone, 3), QStringLiteral("67.0"));
}

// Frames of a read, counted from 1: entry 1, ACK 2, band 3, ACK 4; channel n: first half
// 4n + 1, ACK 4n + 2, second half 4n + 3, ACK 4n + 4; options 69, ACK 70, end 71.
void ReadProcedureTest::faults_data() {
    QTest::addColumn<SimulatorFaults>("faults");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<int>("rowsRead");   // rows 1..k hold the radio's channels
    QTest::addColumn<int>("clearedRow"); // 0: none; later rows keep what they held
    QTest::addColumn<bool>("bandRead");
    QTest::addColumn<bool>("optionsRead");
    QTest::addColumn<int>("lastProgress");

    QTest::newRow("silent radio") << SimulatorFaults{.silent = true} << false << 0 << 0 << false
                                  << false << 0;
    QTest::newRow("wrong identification")
        << SimulatorFaults{.wrongIdentification = true} << false << 0 << 0 << false << false << 0;
    QTest::newRow("no answer at the first ACK")
        << SimulatorFaults{.noAnswerAtFrame = 2} << false << 0 << 0 << false << false << 5;
    QTest::newRow("no band block")
        << SimulatorFaults{.noAnswerAtFrame = 3} << false << 0 << 0 << false << false << 5;
    QTest::newRow("no ACK after the band")
        << SimulatorFaults{.noAnswerAtFrame = 4} << false << 0 << 0 << true << false << 10;
    // Row 5's read never went out: the row keeps what it held.
    QTest::newRow("row 4 last ACK unanswered")
        << SimulatorFaults{.noAnswerAtFrame = 20} << false << 4 << 0 << true << false << 30;
    QTest::newRow("row 5 first half unanswered")
        << SimulatorFaults{.noAnswerAtFrame = 21} << false << 4 << 5 << true << false << 30;
    QTest::newRow("row 5 first half not acknowledged")
        << SimulatorFaults{.noAnswerAtFrame = 22} << false << 4 << 5 << true << false << 30;
    QTest::newRow("row 5 second half unanswered")
        << SimulatorFaults{.noAnswerAtFrame = 23} << false << 4 << 5 << true << false << 30;
    QTest::newRow("row 5 ACK with a wrong byte")
        << SimulatorFaults{.wrongByteAtFrame = 24} << false << 5 << 0 << true << false << 35;
    QTest::newRow("radio hangs up in row 5")
        << SimulatorFaults{.hangUpAfterFrames = 22} << false << 4 << 5 << true << false << 30;
    QTest::newRow("read reply's leading bytes not examined")
        << SimulatorFaults{.wrongByteAtFrame = 21} << true << 16 << 0 << true << true << 100;
    // Never a success with options the radio does not hold.
    QTest::newRow("no ACK after row 16")
        << SimulatorFaults{.noAnswerAtFrame = 68} << false << 16 << 0 << true << false << 90;
    QTest::newRow("no options block")
        << SimulatorFaults{.noAnswerAtFrame = 69} << false << 16 << 0 << true << false << 90;
    QTest::newRow("options ACK is not tested")
        << SimulatorFaults{.noAnswerAtFrame = 70} << true << 16 << 0 << true << true << 100;
    QTest::newRow("replies always 300 ms late")
        << SimulatorFaults{.replyDelayMs = 300} << false << 0 << 0 << true << false << 10;
}

void ReadProcedureTest::faults() {
    QFETCH(SimulatorFaults, faults);
    QFETCH(bool, succeeds);
    QFETCH(int, rowsRead);
    QFETCH(int, clearedRow);
    QFETCH(bool, bandRead);
    QFETCH(bool, optionsRead);
    QFETCH(int, lastProgress);

    Bench bench(exampleImage(), faults);
    const SessionResult result = bench.run();
    QCOMPARE(result.succeeded(), succeeds);
    if (!succeeds) {
        QCOMPARE(result.outcome, SessionOutcome::Failed);
        QVERIFY(!result.reason.isEmpty());
    }
    for (int row = 1; row <= 16; ++row) {
        const ChannelRow expected = row <= rowsRead     ? (row == 3 ? exampleRow() : ChannelRow{})
                                    : row == clearedRow ? ChannelRow{}
                                                        : previousRow(row);
        QCOMPARE(bench.plan.channel(row), expected);
    }
    QCOMPARE(bench.bands.currentText(),
             bandRead ? QStringLiteral("136-174MHz") : QStringLiteral("400-470MHz"));
    QCOMPARE(bench.plan.options, optionsRead ? (OptionIndices{2, 1, 4, 0, 1, 1, 1})
                                             : (OptionIndices{9, 0, 7, 4, 0, 0, 0}));
    QCOMPARE(bench.progress.last(), lastProgress);
    QCOMPARE(sentFrames(bench.link).last() == QStringLiteral("646F"), succeeds);
    QCOMPARE(bench.link.successCount(), succeeds ? 1 : 0);
}

void ReadProcedureTest::staleBytesAreNeverDecoded() {
    // A stray byte ahead of row 2's first-half reply makes one 13-byte event: not a block.
    Bench bench;
    const SessionResult result = bench.read([&bench](int percent) {
        if (percent == 15)
            bench.link.lineNoise(QByteArray(1, '\x55'));
    });
    QCOMPARE(result.outcome, SessionOutcome::Failed);
    QVERIFY2(result.reason.contains(QStringLiteral("first half of channel 2")) &&
                 result.reason.contains(QStringLiteral("13 bytes")),
             qPrintable(result.reason));
    QCOMPARE(bench.plan.channel(2), ChannelRow{});
    QCOMPARE(bench.plan.channel(3), previousRow(3));
}

void ReadProcedureTest::malformedOptionsFailTheRead() {
    QByteArray image = exampleImage();
    putBlock(image, 0x03C0, "FF0AFF04FF00FFFF"); // squelch digit A
    Bench bench(image);
    const SessionResult result = bench.run();
    QCOMPARE(result.outcome, SessionOutcome::Failed);
    QCOMPARE(bench.plan.channel(3), exampleRow()); // what was read stays
    QCOMPARE(bench.plan.options, (OptionIndices{9, 0, 7, 4, 0, 0, 0}));
    QVERIFY(!sentFrames(bench.link).contains(QStringLiteral("646F")));
}

void ReadProcedureTest::cancelEndsTheSessionWithTheEndFrame() {
    Bench bench;
    qsizetype trafficAtCancel = -1;
    const SessionResult result = bench.read([&](int percent) {
        if (percent == 25) {
            bench.link.cancel();
            trafficAtCancel = bench.link.traffic().size();
        }
    });
    QCOMPARE(result.outcome, SessionOutcome::Cancelled);
    QCOMPARE(result.reason,
             QStringLiteral("The read from the radio was stopped before it finished."));
    // The end frame and nothing else: the radio leaves programming mode at once.
    QCOMPARE(bench.link.trafficHex().mid(trafficAtCancel), QStringList{QStringLiteral(">646F")});
    QVERIFY(!bench.radio.inProgrammingMode());
    // What was read stays, as after a failure.
    QCOMPARE(bench.plan.channel(3), exampleRow());
    QCOMPARE(bench.plan.channel(4), previousRow(4));
    QCOMPARE(bench.link.successCount(), 0);
}

void ReadProcedureTest::lineFailureEndsTheReadAsFailed() {
    Bench bench;
    bench.link.breakLineAt(200, QStringLiteral("The connection was lost"));
    const SessionResult result = bench.run();
    QCOMPARE(result.outcome, SessionOutcome::Failed);
    QCOMPARE(result.reason, QStringLiteral("The connection was lost"));
    QCOMPARE(bench.link.nowMilliseconds(), 200);
    QVERIFY(bench.link.traffic().last().atMicroseconds < 200'000);
    // The port is gone: the next read fails before sending anything.
    const qsizetype before = bench.link.traffic().size();
    QCOMPARE(bench.run().outcome, SessionOutcome::Failed);
    QCOMPARE(bench.link.traffic().size(), before);
}

void ReadProcedureTest::successesAreCounted() {
    Bench bench;
    QVERIFY(bench.run().succeeded());
    QVERIFY(bench.run().succeeded());
    QCOMPARE(bench.link.successCount(), 2);
    bench.link.resetSuccessCount();
    QCOMPARE(bench.link.successCount(), 0);
}

QTEST_GUILESS_MAIN(ReadProcedureTest)
#include "tst_readprocedure.moc"
