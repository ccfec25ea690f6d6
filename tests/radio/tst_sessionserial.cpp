#include "radio/linkserial.h"
#include "radio/serialport.h"
#include "radio/session.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

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
    QByteArray readMaster(int count);
    void writeMaster(const QByteArray& bytes);

    int m_master = -1;
    SerialPort* m_port = nullptr;
    SerialLink* m_link = nullptr;
};

namespace {
// Far beyond any reply here: a wait that ends early ended on the reply, not on its limit.
constexpr int GenerousLimit = 30'000;
} // namespace

void SessionSerialTest::init() {
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(m_master >= 0);
    QVERIFY(grantpt(m_master) == 0 && unlockpt(m_master) == 0);
    m_port = new SerialPort;
    m_port->setPort(1, QString::fromLocal8Bit(ptsname(m_master)));
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
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

QByteArray SessionSerialTest::readMaster(int count) {
    QByteArray bytes;
    QElapsedTimer timer;
    timer.start();
    while (bytes.size() < count && timer.elapsed() < 5000) {
        pollfd fd{m_master, POLLIN, 0};
        if (::poll(&fd, 1, 50) <= 0)
            continue;
        char buffer[64];
        const ssize_t got = ::read(m_master, buffer, sizeof buffer);
        if (got > 0)
            bytes.append(buffer, got);
    }
    return bytes;
}

void SessionSerialTest::writeMaster(const QByteArray& bytes) {
    QCOMPARE(::write(m_master, bytes.constData(), bytes.size()), ssize_t(bytes.size()));
}

void SessionSerialTest::waitEndsOnTheReply() {
    m_link->send(session::entryFrame(), 8);
    QCOMPARE(readMaster(7), QByteArray::fromHex("0254414C766578"));
    QTimer::singleShot(50, this, [this] { writeMaster(QByteArray::fromHex("06207661726B6F6C")); });
    QElapsedTimer timer;
    timer.start();
    m_link->wait(GenerousLimit);
    QVERIFY(timer.elapsed() < GenerousLimit);
    QVERIFY(m_link->replyFlag());
    QCOMPARE(m_link->receivedHex(), session::identification());
}

void SessionSerialTest::waitRunsToTheLimitWithoutAReply() {
    m_link->send(session::entryFrame(), 8);
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
    m_link->send(QStringLiteral("5203E008"), 12);
    QCOMPARE(readMaster(4), QByteArray::fromHex("5203E008"));
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
    m_link->send(session::entryFrame(), 8);
    m_link->sendAck();
    pollfd fd{m_master, POLLIN, 0};
    QCOMPARE(::poll(&fd, 1, 200), 0);
    QCOMPARE(session::stoppedResult(*m_link).outcome, SessionOutcome::Cancelled);
}

void SessionSerialTest::lostLineEndsTheSessionAsFailed() {
    // The far end goes away during a wait.
    QTimer::singleShot(50, this, [this] {
        ::close(m_master);
        m_master = -1;
    });
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
    m_link->send(session::entryFrame(), 8);
    // With the slave closed the master reports a hang-up, but no byte can be read.
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    char byte;
    QVERIFY(::read(m_master, &byte, 1) <= 0);
}

QTEST_GUILESS_MAIN(SessionSerialTest)
#include "tst_sessionserial.moc"
