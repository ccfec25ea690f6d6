#include "ptypair.h"
#include "radio/portlist.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zev;
using testsupport::PtyPair;

Q_DECLARE_METATYPE(zev::PresentPort)

namespace {

PresentPort port(const QString& device, const QString& stableName = {},
                 std::optional<quint16> vendor = {}, std::optional<quint16> product = {}) {
    PresentPort present;
    present.device = device;
    present.stableName = stableName;
    present.description = vendor ? QStringLiteral("FT232R USB UART") : QString();
    present.vendorId = vendor;
    present.productId = product;
    return present;
}

const QString ftdiName = QStringLiteral("usb-FTDI_FT232R_USB_UART_A10KZ3PQ-if00-port0");

} // namespace

// What --port and the COM buttons can name, and the device each comes to.
class PortListTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void portNames_data();
    void portNames();
    void stableNameOfADevice();

private:
    QTemporaryDir m_byId; // stands in for /dev/serial/by-id
    PtyPair m_pty;
};

void PortListTest::initTestCase() {
    QVERIFY(m_pty.isValid());
    QVERIFY(QFile::link(m_pty.slavePath(), m_byId.filePath(ftdiName)));
}

void PortListTest::portNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<PresentPort>>("ports");
    QTest::addColumn<QString>("device");  // the resolved name; empty when it fails
    QTest::addColumn<QString>("message"); // the failure

    const PresentPort serial = port("/dev/ttyS0");
    const PresentPort ftdi = port("/dev/ttyUSB0", "/dev/serial/by-id/" + ftdiName, 0x0403, 0x6001);
    const PresentPort ch340 = port("/dev/ttyUSB1", {}, 0x1a86, 0x7523);
    const QString stable = m_byId.filePath(ftdiName);

    QTest::newRow("device path") << "/dev/ttyACM0" << QList<PresentPort>{} << "/dev/ttyACM0"
                                 << "";
    QTest::newRow("stable name by path") << stable << QList<PresentPort>{} << stable << "";
    QTest::newRow("stable name alone") << ftdiName << QList<PresentPort>{} << stable << "";
    QTest::newRow("device name alone") << "ttyUSB3" << QList<PresentPort>{} << "/dev/ttyUSB3"
                                       << "";
    QTest::newRow("COM2") << "COM2" << QList<PresentPort>{} << stable << "";
    QTest::newRow("com4, any case") << "com4" << QList<PresentPort>{} << "/dev/ttyUSB3"
                                    << "";
    QTest::newRow("COM3 unset") << "COM3" << QList<PresentPort>{} << ""
                                << "No device is set for COM3";
    QTest::newRow("auto, one adapter among other ports")
        << "auto" << QList<PresentPort>{serial, ftdi} << "/dev/ttyUSB0"
        << "";
    QTest::newRow("auto, no port at all")
        << "auto" << QList<PresentPort>{} << ""
        << "No USB serial adapter is present, and no other serial port either: plug in the "
           "cable.";
    QTest::newRow("auto, no adapter")
        << "auto" << QList<PresentPort>{serial} << ""
        << "No USB serial adapter is present: plug in the cable, or name one of these ports:\n"
           "  /dev/ttyS0";
    QTest::newRow("auto, two adapters")
        << "AUTO" << QList<PresentPort>{serial, ftdi, ch340} << ""
        << "Several USB serial adapters are present; name the one to use:\n"
           "  /dev/ttyUSB0 (/dev/serial/by-id/" +
               ftdiName +
               ", FT232R USB UART, 0403:6001)\n"
               "  /dev/ttyUSB1 (FT232R USB UART, 1a86:7523)";
}

void PortListTest::portNames() {
    QFETCH(QString, name);
    QFETCH(QList<PresentPort>, ports);
    QFETCH(QString, device);
    QFETCH(QString, message);
    PortEnvironment environment;
    environment.ports = ports;
    environment.comDevices = {"/dev/ttyUSB0", m_byId.filePath(ftdiName), "", "/dev/ttyUSB3"};
    environment.stableFolder = m_byId.path();
    const Result<QString> resolved = resolvePortName(name, environment);
    QCOMPARE(resolved.ok() ? resolved.value() : QString(), device);
    QCOMPARE(resolved.message(), message);
}

void PortListTest::stableNameOfADevice() {
    QCOMPARE(stableNameOf(m_pty.slavePath(), m_byId.path()), m_byId.filePath(ftdiName));
    PtyPair other;
    QVERIFY(other.isValid());
    QCOMPARE(stableNameOf(other.slavePath(), m_byId.path()), QString());
    QCOMPARE(stableNameOf("/dev/nonexistent-zev", m_byId.path()), QString());
}

QTEST_GUILESS_MAIN(PortListTest)
#include "tst_portlist.moc"
