#include "ptypair.h"
#include "radio/linkserial.h"
#include "radio/serialport.h"
#include "radio/session.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace zev;

// The link over a real pseudo-terminal: the test plays the radio on the master side.
class SessionSerialTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void waitEndsOnTheReply();
    void waitRunsToTheLimitWithoutAReply();
    void waitWithTheFlagSetReturnsAtOnce();
    void receiveEventWaitsForTheThreshold();
    void cancelEndsTheWaitAndNothingMoreIsSent();
    void lostLineEndsTheSessionAsFailed();
    void closedPortSendsNothing();

private:
    void writeMaster(const QByteArray& bytes);

    std::unique_ptr<testsupport::PtyPair> m_pty;
    SerialPort* m_port = nullptr;
    SerialLink* m_link = nullptr;
};

namespace {
// Far beyond any reply here: a wait that ends early ended on the reply, not on its limit.
constexpr int GenerousLimit = 30'000;
} // namespace

void SessionSerialTest::init() {
    m_pty = std::make_unique<testsupport::PtyPair>();
    QVERIFY(m_pty->isValid());
    m_port = new SerialPort;
    m_port->setPort(1, m_pty->slavePath());
    const Status opened = m_port->open();
    QVERIFY2(opened.ok(), qPrintable(opened.message()));
    m_link = new SerialLink(*m_port);
    QVERIFY(m_link->beginSession());
}

void SessionSerialTest::cleanup() {
    delete m_link;
    delete m_port;
    m_link = nullptr;
    m_port = nullptr;
    m_pty.reset();
}

void SessionSerialTest::writeMaster(const QByteArray& bytes) {
    QVERIFY(m_pty->write(bytes));
}

void SessionSerialTest::waitEndsOnTheReply() {
    m_link->send(frames::entry(), 8);
    QCOMPARE(m_pty->read(7), QByteArray::fromHex("0254414C766578"));
    QTimer::singleShot(50, this, [this] { writeMaster(QByteArray::fromHex("06207661726B6F6C")); });
    QElapsedTimer timer;
    timer.start();
    m_link->wait(GenerousLimit);
    QVERIFY(timer.elapsed() < GenerousLimit);
    QVERIFY(m_link->replyFlag());
    QCOMPARE(m_link->received(), frames::identification());
}

void SessionSerialTest::waitRunsToTheLimitWithoutAReply() {
    m_link->send(frames::entry(), 8);
    QElapsedTimer timer;
    timer.start();
    m_link->wait(200);
    QVERIFY(timer.elapsed() >= 200);
    QVERIFY(!m_link->replyFlag());
}

void SessionSerialTest::waitWithTheFlagSetReturnsAtOnce() {
    m_link->sendAck();
    QTimer::singleShot(0, this, [this] { writeMaster(QByteArray(1, '\x06')); });
    m_link->wait(GenerousLimit);
    QVERIFY(m_link->replyFlag());
    QElapsedTimer timer;
    timer.start();
    m_link->wait(GenerousLimit);
    QVERIFY(timer.elapsed() < GenerousLimit);
    QVERIFY(m_link->replyFlag());
}

void SessionSerialTest::receiveEventWaitsForTheThreshold() {
    m_link->send(frames::read(MemoryImage::BandAddress), 12);
    QCOMPARE(m_pty->read(4), QByteArray::fromHex("5203E008"));
    writeMaster(QByteArray::fromHex("5703E008"));
    m_link->wait(300);
    QVERIFY(!m_link->replyFlag());
    writeMaster(QByteArray::fromHex("60134017FFFFFFFF"));
    m_link->wait(GenerousLimit);
    QVERIFY(m_link->replyFlag());
    QCOMPARE(m_link->receivedHex(), QStringLiteral("5703E00860134017FFFFFFFF"));
}

void SessionSerialTest::cancelEndsTheWaitAndNothingMoreIsSent() {
    QTimer::singleShot(50, m_link, &RadioLink::cancel);
    QElapsedTimer timer;
    timer.start();
    m_link->wait(GenerousLimit);
    QVERIFY(timer.elapsed() < GenerousLimit);
    QVERIFY(m_link->cancelled());
    m_link->send(frames::entry(), 8);
    m_link->sendAck();
    QVERIFY(!m_pty->hasInput(200));
    QCOMPARE(session::stoppedResult(*m_link).outcome, SessionOutcome::Cancelled);
}

void SessionSerialTest::lostLineEndsTheSessionAsFailed() {
    // The far end goes away during a wait.
    QTimer::singleShot(50, this, [this] { m_pty->closeMaster(); });
    QElapsedTimer timer;
    timer.start();
    m_link->wait(GenerousLimit);
    QVERIFY(timer.elapsed() < GenerousLimit);
    QVERIFY(m_link->failed());
    QVERIFY(!m_port->isOpen());
    const SessionResult result = session::stoppedResult(*m_link);
    QCOMPARE(result.outcome, SessionOutcome::Failed);
    QVERIFY(!result.reason.isEmpty());
}

void SessionSerialTest::closedPortSendsNothing() {
    m_link->endSession();
    m_port->close();
    QVERIFY(m_link->beginSession());
    QVERIFY(m_link->failed());
    QVERIFY2(m_link->failure().contains(m_port->device()), qPrintable(m_link->failure()));
    m_link->send(frames::entry(), 8);
    // With the slave closed the master reports a hang-up, but no byte can be read.
    QVERIFY(m_pty->readAvailable().isEmpty());
}

QTEST_GUILESS_MAIN(SessionSerialTest)
#include "tst_sessionserial.moc"
