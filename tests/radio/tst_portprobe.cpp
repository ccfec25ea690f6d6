#include "programrun.h"
#include "ptypair.h"
#include "radio/portprobe.h"
#include "radio/serialport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace zev;
using testsupport::PtyPair;

Q_DECLARE_METATYPE(zev::ProbeOutcome)

namespace {

QString holderPath() {
    return testsupport::binaryPath(QStringLiteral("serial_holder"));
}

// Starts serial_holder and waits until it holds the port.
bool startHolder(QProcess& holder, const QStringList& arguments) {
    holder.start(holderPath(), arguments);
    if (!holder.waitForStarted())
        return false;
    while (!holder.canReadLine())
        if (!holder.waitForReadyRead(10000))
            return false;
    return holder.readLine().trimmed() == "ready";
}

} // namespace

class PortProbeTest : public QObject {
    Q_OBJECT
private slots:
    void probeWithoutHolder_data();
    void probeWithoutHolder();
    void portHeldByAnotherProcessIsBusy_data();
    void portHeldByAnotherProcessIsBusy();
    void portHeldByThisProgramIsBusy();
    void staleLockOfDeadProcessIsIgnored();
    void portWithoutPermissionIsDenied();
};

void PortProbeTest::probeWithoutHolder_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<ProbeOutcome>("expected");
    QTest::newRow("free pty") << "pty" << ProbeOutcome::Free;
    QTest::newRow("no such device") << "/dev/nonexistent" << ProbeOutcome::Missing;
    QTest::newRow("empty name") << "" << ProbeOutcome::Missing;
    QTest::newRow("folder") << "folder" << ProbeOutcome::Missing;
    QTest::newRow("plain file") << "file" << ProbeOutcome::Missing;
}

void PortProbeTest::probeWithoutHolder() {
    QFETCH(QString, kind);
    QFETCH(ProbeOutcome, expected);
    PtyPair pty;
    QVERIFY(pty.isValid());
    QTemporaryDir dir;
    QString device = kind;
    if (kind == "pty") {
        device = pty.slavePath();
    } else if (kind == "folder") {
        device = dir.path();
    } else if (kind == "file") {
        device = dir.filePath("ttyUSB0");
        QFile file(device);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(probePort(device), expected);
    if (kind == "pty")
        QCOMPARE(probePort(device), expected); // the probe leaves the port as it found it
}

void PortProbeTest::portHeldByAnotherProcessIsBusy_data() {
    QTest::addColumn<QString>("mode");
    QTest::newRow("QSerialPort") << "qt";
    QTest::newRow("exclusive mode only") << "excl";
}

void PortProbeTest::portHeldByAnotherProcessIsBusy() {
    QFETCH(QString, mode);
    PtyPair pty;
    QVERIFY(pty.isValid());
    QProcess holder;
    QVERIFY2(startHolder(holder, {mode, pty.slavePath()}),
             qPrintable(holder.readAllStandardOutput() + holder.readAllStandardError()));
    QCOMPARE(probePort(pty.slavePath()), ProbeOutcome::Busy);
    QCOMPARE(probePort(pty.slavePath()), ProbeOutcome::Busy);

    holder.closeWriteChannel();
    QVERIFY(holder.waitForFinished());
    QCOMPARE(probePort(pty.slavePath()), ProbeOutcome::Free);

    // What the probe promised holds: the port opens.
    SerialPort port;
    port.setPort(1, pty.slavePath());
    const Status opened = port.open();
    QVERIFY2(opened.ok(), qPrintable(opened.message()));
}

void PortProbeTest::portHeldByThisProgramIsBusy() {
    PtyPair pty;
    QVERIFY(pty.isValid());
    SerialPort port;
    port.setPort(1, pty.slavePath());
    QVERIFY(port.open().ok());
    QCOMPARE(probePort(pty.slavePath()), ProbeOutcome::Busy);
    port.close();
    QCOMPARE(probePort(pty.slavePath()), ProbeOutcome::Free);
}

void PortProbeTest::staleLockOfDeadProcessIsIgnored() {
    PtyPair pty;
    QVERIFY(pty.isValid());
    // The lock file QSerialPort would take for this device, left by a process that is gone.
    const QString lockPath = "/var/lock/LCK.." + pty.slavePath().mid(5).replace('/', '_');
    if (!QFileInfo(lockPath).dir().exists())
        QSKIP("no /var/lock on this machine");
    QFile lock(lockPath);
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write("2147483000\nzev4800\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    QCOMPARE(probePort(pty.slavePath()), ProbeOutcome::Free);
    QVERIFY(!QFile::exists(lockPath));
}

void PortProbeTest::portWithoutPermissionIsDenied() {
    PtyPair pty;
    QVERIFY(pty.isValid());
    const QByteArray path = QFile::encodeName(pty.slavePath());
    if (::geteuid() != 0) {
        QVERIFY(::chmod(path.constData(), 0) == 0);
        QCOMPARE(probePort(pty.slavePath()), ProbeOutcome::PermissionDenied);
        return;
    }
    // Root opens any device; the probe runs as user "nobody" in a second process instead.
    QVERIFY(::chmod(path.constData(), 0600) == 0);
    QProcess prober;
    prober.start(holderPath(), {"probe", "65534", pty.slavePath()});
    QVERIFY(prober.waitForFinished());
    QCOMPARE(prober.readAllStandardOutput().trimmed(), QByteArray("permission-denied"));
}

QTEST_GUILESS_MAIN(PortProbeTest)
#include "tst_portprobe.moc"
