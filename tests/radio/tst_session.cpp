#include "radio/link.h"
#include "radio/session.h"
#include "sim/simulator.h"
#include "sim/virtuallink.h"

#include <QTest>

using namespace zev;

// The link's waiting and reply rules and the entry handshake, on the virtual clock.
class SessionTest : public QObject {
    Q_OBJECT
private slots:
    void waitEndsRightAfterTheReply();
    void waitRunsToTheLimitWithoutAReply();
    void waitWithTheFlagSetTakesOnePass();
    void replyAtTheLimitWaitsForTheNextLook();
    void fullWaitIgnoresTheFlag();
    void receiveEventNeedsTheThreshold();
    void eachEventReplacesTheReceivedBytes();
    void ackLeavesTheSendBufferAlone();
    void ackTestOnOldAndMissingReplies();
    void handshake_data();
    void handshake();
    void lateIdentificationIsJudgedAtTheNextAttempt();
    void cancelEndsTheWaitAndClosesTheSession();
    void stopWithoutTheEndFrame_data();
    void stopWithoutTheEndFrame();
    void lineFailureEndsTheWait();
    void closedPortRefusesTheSession();
    void secondSessionCannotStartInsideTheFirst();
};

namespace {

// A scripted radio: the simulator in programming mode, answering an ACK with an ACK.
struct Bench {
    explicit Bench(SimulatorFaults faults = {}) : radio(RadioSimulator::factoryImage(), faults) {}
    RadioSimulator radio;
    VirtualLink link{radio};
};

void enterProgramming(Bench& bench) {
    QVERIFY(bench.link.beginSession());
    bench.link.send(frames::entry(), 8);
    bench.link.wait(550);
    QVERIFY(bench.link.replyFlag());
    bench.link.clearReplyFlag();
}

} // namespace

void SessionTest::waitEndsRightAfterTheReply() {
    Bench bench;
    QVERIFY(bench.link.beginSession());
    bench.link.send(frames::entry(), 8);
    bench.link.wait(550);
    // 7 bytes out and 8 back at 9600 baud: the wait ends when the last byte is in.
    QCOMPARE(bench.link.nowMicroseconds(), 15 * VirtualLink::ByteMicroseconds);
    QVERIFY(bench.link.replyFlag());
    QCOMPARE(bench.link.received(), frames::identification());
}

void SessionTest::waitRunsToTheLimitWithoutAReply() {
    Bench bench({.silent = true});
    QVERIFY(bench.link.beginSession());
    bench.link.send(frames::entry(), 8);
    bench.link.wait(550);
    QCOMPARE(bench.link.nowMilliseconds(), 550);
    QVERIFY(!bench.link.replyFlag());
    QVERIFY(bench.link.received().isEmpty());
}

void SessionTest::waitWithTheFlagSetTakesOnePass() {
    Bench bench;
    enterProgramming(bench);
    bench.link.sendAck();
    bench.link.wait(250);
    QVERIFY(bench.link.replyFlag());
    const qint64 afterAck = bench.link.nowMicroseconds();
    // The flag stays set: the next wait processes what is due now and returns, without
    // waiting for the ACK that is still on the wire.
    bench.link.sendAck();
    bench.link.wait(250);
    QCOMPARE(bench.link.nowMicroseconds(), afterAck);
    QCOMPARE(bench.link.trafficHex().count(QStringLiteral("<06")), 1);
    bench.link.clearReplyFlag();
    bench.link.wait(250);
    QVERIFY(bench.link.replyFlag());
    QCOMPARE(bench.link.trafficHex().count(QStringLiteral("<06")), 2);
}

void SessionTest::replyAtTheLimitWaitsForTheNextLook() {
    // The reply lands exactly at the limit: the limit is looked at first.
    Bench bench({.replyDelayMs = 50});
    QVERIFY(bench.link.beginSession());
    bench.link.send(frames::entry(), 8);
    const qint64 due = 50'000 + 15 * VirtualLink::ByteMicroseconds;
    QCOMPARE(due % 1000, qint64(630));
    bench.link.wait(int(due / 1000)); // ends before the reply
    QVERIFY(!bench.link.replyFlag());
    bench.link.wait(1);
    QVERIFY(bench.link.replyFlag());
}

void SessionTest::fullWaitIgnoresTheFlag() {
    Bench bench;
    QVERIFY(bench.link.beginSession());
    bench.link.send(frames::entry(), 8);
    bench.link.waitFull(250);
    QCOMPARE(bench.link.nowMilliseconds(), 250);
    QVERIFY(bench.link.replyFlag());
}

void SessionTest::receiveEventNeedsTheThreshold() {
    Bench bench;
    enterProgramming(bench);
    // A one-byte ACK does not reach a threshold of 12: no event, nothing replaced.
    bench.link.send(frames::ack(), 12);
    bench.link.wait(250);
    QVERIFY(!bench.link.replyFlag());
    QCOMPARE(bench.link.received(), frames::identification());
    // The waiting byte goes with the next reply once that one reaches the threshold.
    bench.link.send(frames::read(0x03E0), 12);
    bench.link.wait(250);
    QVERIFY(bench.link.replyFlag());
    QCOMPARE(bench.link.received().size(), 13);
}

void SessionTest::eachEventReplacesTheReceivedBytes() {
    Bench bench;
    enterProgramming(bench);
    bench.link.send(frames::read(0x03E0), 12);
    bench.link.wait(250);
    QCOMPARE(bench.link.received().size(), 12);
    bench.link.clearReplyFlag();
    bench.link.sendAck();
    bench.link.wait(250);
    QCOMPARE(bench.link.receivedHex(), QStringLiteral("06"));
}

void SessionTest::ackLeavesTheSendBufferAlone() {
    Bench bench;
    QVERIFY(bench.link.beginSession());
    bench.link.send(frames::read(0x0010), 12);
    bench.link.sendAck();
    QCOMPARE(bench.link.sendBuffer(), QByteArray::fromHex("52001008"));
    QCOMPARE(bench.link.trafficHex().last(), QStringLiteral(">06"));
}

void SessionTest::ackTestOnOldAndMissingReplies() {
    Bench bench({.silent = true});
    QVERIFY(bench.link.beginSession());
    QVERIFY(!bench.link.ackTest()); // nothing received at all
    Bench answering;
    enterProgramming(answering);
    // The identification begins with 0x06: the ACK test passes on it, the fresh test does not.
    QVERIFY(answering.link.ackTest());
    QVERIFY(!answering.link.freshReplyTest());
}

void SessionTest::handshake_data() {
    QTest::addColumn<int>("waitMs");
    QTest::addColumn<SimulatorFaults>("faults");
    QTest::addColumn<int>("entryFrames");
    QTest::addColumn<bool>("identified");
    QTest::addColumn<qint64>("endsAtMs"); // -1: not checked

    QTest::newRow("read, silent radio")
        << 550 << SimulatorFaults{.silent = true} << 6 << false << qint64(6 * 550);
    QTest::newRow("write, silent radio")
        << 250 << SimulatorFaults{.silent = true} << 6 << false << qint64(6 * 250);
    QTest::newRow("wrong identification")
        << 550 << SimulatorFaults{.wrongIdentification = true} << 6 << false << qint64(-1);
    QTest::newRow("first entry frame lost")
        << 550 << SimulatorFaults{.noAnswerAtFrame = 1} << 2 << true << qint64(-1);
    QTest::newRow("answers at once") << 250 << SimulatorFaults{} << 1 << true << qint64(-1);
}

void SessionTest::handshake() {
    QFETCH(int, waitMs);
    QFETCH(SimulatorFaults, faults);
    QFETCH(int, entryFrames);
    QFETCH(bool, identified);
    QFETCH(qint64, endsAtMs);

    Bench bench(faults);
    QVERIFY(bench.link.beginSession());
    const SessionResult result = session::enterProgrammingMode(bench.link, waitMs);
    QCOMPARE(result.succeeded(), identified);
    QCOMPARE(bench.link.trafficHex().count(QStringLiteral(">0254414C766578")), entryFrames);
    if (endsAtMs >= 0)
        QCOMPARE(bench.link.nowMilliseconds(), endsAtMs);
    if (!identified)
        QVERIFY2(result.reason.contains(QStringLiteral("after 6 attempts")),
                 qPrintable(result.reason));
}

void SessionTest::lateIdentificationIsJudgedAtTheNextAttempt() {
    // Each identification comes 300 ms after its entry frame: past a 250 ms wait.
    Bench bench({.replyDelayMs = 300});
    QVERIFY(bench.link.beginSession());
    const SessionResult result = session::enterProgrammingMode(bench.link, 250);
    QVERIFY(result.succeeded());
    // The first reply arrives during the second attempt's wait, which ends on it.
    QCOMPARE(bench.link.trafficHex().count(QStringLiteral(">0254414C766578")), 2);
    QVERIFY(bench.link.nowMilliseconds() < 550);
}

void SessionTest::cancelEndsTheWaitAndClosesTheSession() {
    // The radio answers late: it is in programming mode by the time the cancel comes.
    Bench bench({.replyDelayMs = 300});
    QVERIFY(bench.link.beginSession());
    bench.link.schedule(100, [&bench] { bench.link.cancel(); });
    const SessionResult result = session::enterProgrammingMode(bench.link, 550);
    QCOMPARE(result.outcome, SessionOutcome::Cancelled);
    QCOMPARE(bench.link.nowMilliseconds(), 100);
    // The end frame goes out once; nothing else does.
    bench.link.send(frames::entry(), 8);
    bench.link.sendAck();
    QCOMPARE(session::stoppedResult(bench.link).outcome, SessionOutcome::Cancelled);
    bench.link.wait(550);
    QCOMPARE(bench.link.trafficHex(),
             (QStringList{QStringLiteral(">0254414C766578"), QStringLiteral(">646F")}));
    QVERIFY(!bench.radio.inProgrammingMode());
    bench.link.endSession();
    // The next session starts afresh.
    QVERIFY(bench.link.beginSession());
    QVERIFY(!bench.link.stopped());
}

void SessionTest::stopWithoutTheEndFrame_data() {
    QTest::addColumn<bool>("sendFirst");
    QTest::addColumn<bool>("lineBreaks");
    // Nothing went out: the radio cannot be in programming mode.
    QTest::newRow("cancelled before the first frame") << false << false;
    // The line is gone: nothing can reach the radio.
    QTest::newRow("line broken") << true << true;
}

void SessionTest::stopWithoutTheEndFrame() {
    QFETCH(bool, sendFirst);
    QFETCH(bool, lineBreaks);
    Bench bench;
    QVERIFY(bench.link.beginSession());
    if (sendFirst)
        bench.link.send(frames::entry(), 8);
    if (lineBreaks)
        bench.link.breakLineAt(1, QStringLiteral("The connection was lost"));
    else
        bench.link.schedule(1, [&bench] { bench.link.cancel(); });
    bench.link.waitFull(550);
    QVERIFY(bench.link.stopped());
    const SessionResult result = session::stoppedResult(bench.link);
    QCOMPARE(result.outcome, lineBreaks ? SessionOutcome::Failed : SessionOutcome::Cancelled);
    QVERIFY(!bench.link.trafficHex().contains(QStringLiteral(">646F")));
    QCOMPARE(bench.link.trafficHex().size(), sendFirst ? 1 : 0);
}

void SessionTest::lineFailureEndsTheWait() {
    Bench bench({.silent = true});
    QVERIFY(bench.link.beginSession());
    bench.link.breakLineAt(700, QStringLiteral("the line broke"));
    const SessionResult result = session::enterProgrammingMode(bench.link, 550);
    QCOMPARE(result.outcome, SessionOutcome::Failed);
    QCOMPARE(result.reason, QStringLiteral("the line broke"));
    QCOMPARE(bench.link.nowMilliseconds(), 700);
    QCOMPARE(bench.link.trafficHex().size(), 2);
}

void SessionTest::closedPortRefusesTheSession() {
    Bench bench;
    bench.link.setPortOpen(false);
    QVERIFY(bench.link.beginSession());
    QVERIFY(bench.link.failed());
    const SessionResult result = session::enterProgrammingMode(bench.link, 550);
    QCOMPARE(result.outcome, SessionOutcome::Failed);
    QVERIFY(bench.link.trafficHex().isEmpty());
}

void SessionTest::secondSessionCannotStartInsideTheFirst() {
    Bench bench;
    QVERIFY(bench.link.beginSession());
    QVERIFY(!bench.link.beginSession());
    bench.link.endSession();
    QVERIFY(bench.link.beginSession());
}

QTEST_GUILESS_MAIN(SessionTest)
#include "tst_session.moc"
