#include "ptypair.h"
#include "radio/serialport.h"

#include <QFile>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace zev;
using testsupport::PtyPair;

class SerialPortTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sentBytesArriveAtFarEnd();
    void receivesWaitingBytesInOnePiece_data();
    void receivesWaitingBytesInOnePiece();
    void fewerBytesThanThresholdStayWaiting();
    void farEndGoneFailsOnceAndCloses();
    void sendOnClosedPortDoesNothing();
    void openFailureNamesDeviceAndPort();
    void stableNameFollowsTheCable();

private:
    void openPort();

    std::unique_ptr<PtyPair> m_pty;
    std::unique_ptr<SerialPort> m_port;
};

void SerialPortTest::init() {
    m_pty = std::make_unique<PtyPair>();
    QVERIFY(m_pty->isValid());
    m_port = std::make_unique<SerialPort>();
    m_port->setPort(2, m_pty->slavePath());
}

void SerialPortTest::cleanup() {
    m_port.reset();
    m_pty.reset();
}

void SerialPortTest::openPort() {
    const Status status = m_port->open();
    QVERIFY2(status.ok(), qPrintable(status.message()));
    QVERIFY(m_port->isOpen());
    QCOMPARE(m_port->portNumber(), 2);
    QCOMPARE(m_port->device(), m_pty->slavePath());
}

void SerialPortTest::sentBytesArriveAtFarEnd() {
    openPort();
    const QByteArray frame = QByteArray::fromHex("0250524f4752414d0d0a00ff11");
    m_port->send(frame);
    m_port->send(char(0x06));
    QByteArray arrived;
    QTRY_COMPARE((arrived += m_pty->readAvailable()), frame + '\x06');
}

void SerialPortTest::receivesWaitingBytesInOnePiece_data() {
    QTest::addColumn<int>("threshold");
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::newRow("12 bytes in three chunks")
        << 12
        << QList<QByteArray>{QByteArray::fromHex("0650524f47"), QByteArray::fromHex("52414d00"),
                             QByteArray::fromHex("ff0102")};
    QTest::newRow("single acknowledgement") << 1 << QList<QByteArray>{QByteArray::fromHex("06")};
    QTest::newRow("more than the threshold at once")
        << 8 << QList<QByteArray>{QByteArray::fromHex("00112233445566778899")};
    QTest::newRow("threshold reached in the middle of a chunk")
        << 8 << QList<QByteArray>{QByteArray("abcde"), QByteArray("fghij")};
}

void SerialPortTest::receivesWaitingBytesInOnePiece() {
    QFETCH(int, threshold);
    QFETCH(QList<QByteArray>, chunks);
    openPort();
    m_port->setThreshold(threshold);
    QCOMPARE(m_port->threshold(), threshold);
    QSignalSpy received(m_port.get(), &SerialPort::received);
    QByteArray all;
    for (const QByteArray& chunk : chunks) {
        QVERIFY(m_pty->write(chunk));
        all += chunk;
        if (all.size() < threshold)
            QVERIFY(!received.wait(50)); // nothing yet; the port takes this chunk on its own
    }
    QTRY_COMPARE(received.count(), 1);
    QTest::qWait(50);
    QCOMPARE(received.count(), 1);
    QCOMPARE(received.first().first().toByteArray(), all);
}

void SerialPortTest::fewerBytesThanThresholdStayWaiting() {
    openPort();
    m_port->setThreshold(12);
    QSignalSpy received(m_port.get(), &SerialPort::received);
    QVERIFY(m_pty->write("12345"));
    QVERIFY(!received.wait(300));
    // They are handed over with the rest of the reply.
    QVERIFY(m_pty->write("6789abc"));
    QTRY_COMPARE(received.count(), 1);
    QCOMPARE(received.first().first().toByteArray(), QByteArray("123456789abc"));
}

void SerialPortTest::farEndGoneFailsOnceAndCloses() {
    openPort();
    m_port->setThreshold(1);
    QSignalSpy failed(m_port.get(), &SerialPort::failed);
    QSignalSpy received(m_port.get(), &SerialPort::received);
    // A port left open on a vanished far end reports errors in a tight loop: count them.
    auto* line = m_port->findChild<QSerialPort*>();
    QVERIFY(line);
    int lineErrors = 0;
    connect(line, &QSerialPort::errorOccurred, this,
            [&lineErrors](QSerialPort::SerialPortError error) {
                if (error != QSerialPort::NoError)
                    ++lineErrors;
            });
    m_pty->closeMaster();
    QTRY_COMPARE(failed.count(), 1);
    QTest::qWait(300);
    QCOMPARE(failed.count(), 1);
    QVERIFY2(lineErrors <= 2, qPrintable(QString::number(lineErrors)));
    QCOMPARE(received.count(), 0);
    QVERIFY(!m_port->isOpen());
    const QString message = failed.first().first().toString();
    QVERIFY2(message.contains(m_pty->slavePath()) && message.contains("COM2"), qPrintable(message));
    m_port->send(QByteArray("after")); // the closed port ignores it
}

void SerialPortTest::sendOnClosedPortDoesNothing() {
    m_port->send(QByteArray("never"));
    m_port->send(char(0x06));
    openPort();
    m_port->close();
    QVERIFY(!m_port->isOpen());
    m_port->send(QByteArray("never"));
    QTest::qWait(50);
    QCOMPARE(m_pty->readAvailable(), QByteArray());
}

void SerialPortTest::openFailureNamesDeviceAndPort() {
    m_port->setPort(3, "/dev/nonexistent-zev");
    const Status status = m_port->open();
    QVERIFY(!status.ok());
    QVERIFY2(status.message().contains("/dev/nonexistent-zev") && status.message().contains("COM3"),
             qPrintable(status.message()));
    QVERIFY(!m_port->isOpen());
    // The same object opens a good device afterwards.
    m_port->setPort(2, m_pty->slavePath());
    openPort();
}

void SerialPortTest::stableNameFollowsTheCable() {
    // A /dev/serial/by-id name: a link the system moves to whichever node the cable gets.
    QTemporaryDir byId;
    const QString link = byId.filePath("usb-FTDI_FT232R_USB_UART_A10KZ3PQ-if00-port0");
    PtyPair renumbered;
    QVERIFY(renumbered.isValid());
    for (PtyPair* cable : {m_pty.get(), &renumbered}) {
        QFile::remove(link);
        QVERIFY(QFile::link(cable->slavePath(), link));
        m_port->setPort(2, link);
        const Status opened = m_port->open();
        QVERIFY2(opened.ok(), qPrintable(opened.message()));
        m_port->send(QByteArray("\x02\x06", 2));
        QByteArray arrived;
        QTRY_COMPARE((arrived += cable->readAvailable()), QByteArray("\x02\x06", 2));
        // Held under the node's own name: a program that opens the node itself is kept out.
        QSerialPort other(cable->slavePath());
        QVERIFY(!other.open(QIODevice::ReadWrite));
        m_port->close();
    }
}

QTEST_GUILESS_MAIN(SerialPortTest)
#include "tst_serialport.moc"
