#include "files.h"
#include "programrun.h"
#include "ptypair.h"
#include "radio/portdiagnosis.h"
#include "radio/portprobe.h"
#include "radio/serialport.h"
#include "simulatorprocess.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zev;
using testsupport::PtyPair;
using testsupport::readFile;
using testsupport::SimulatorProcess;
using testsupport::writeFile;

Q_DECLARE_METATYPE(zev::ProbeOutcome)
Q_DECLARE_METATYPE(zev::PortDiagnosis)

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

// The lock file QSerialPort takes for a device, written as another program left it a minute
// ago (a file only just made may still be waiting for its content).
bool writeLock(const QString& device, const QByteArray& content) {
    QFile lock(serialLockFilePath(device));
    return lock.open(QIODevice::WriteOnly) && lock.write(content) == content.size() &&
           lock.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                            QFileDevice::FileModificationTime);
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
    void leftOverLockNeverBlocks_data();
    void leftOverLockNeverBlocks();
    void lockNotShownToBeLeftOverIsHeld_data();
    void lockNotShownToBeLeftOverIsHeld();
    void liveLockNamesItsHolder();
    void lockBeingWrittenIsKept();
    void portWithoutPermissionIsDenied();
    void problemTexts_data();
    void problemTexts();
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
    // Named by its lock file, or else found among the processes that have the device open.
    const PortDiagnosis diagnosis = diagnosePort(pty.slavePath());
    QCOMPARE(diagnosis.outcome, ProbeOutcome::Busy);
    QCOMPARE(diagnosis.holder.processId, holder.processId());
    QCOMPARE(portProblemText(diagnosis),
             QString("%1 is in use by serial_holder (process %2). Close that program and try "
                     "again.")
                 .arg(pty.slavePath())
                 .arg(holder.processId()));
    // Opening it is refused the same way, also for root, whom the exclusive mode alone does not
    // keep out.
    {
        SerialPort intruder;
        intruder.setPort(1, pty.slavePath());
        const Status opened = intruder.open();
        QVERIFY(!opened.ok());
        QCOMPARE(
            opened.message(),
            QString("Cannot open %1 (COM1): %2").arg(pty.slavePath(), portProblemText(diagnosis)));
    }

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

void PortProbeTest::leftOverLockNeverBlocks_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("dead process of another host")
        << QByteArray("2147483000\nminicom\nother-host\n");
    QTest::newRow("dead process, UUCP form") << QByteArray("2147483000\n");
    QTest::newRow("dead process, minicom form") << QByteArray("2147483000 minicom root\n");
    QTest::newRow("dead process, no line end") << QByteArray("  2147483000");
}

void PortProbeTest::leftOverLockNeverBlocks() {
    QFETCH(QByteArray, content);
    PtyPair pty;
    QVERIFY(pty.isValid());
    QVERIFY(writeLock(pty.slavePath(), content));
    QCOMPARE(probePort(pty.slavePath()), ProbeOutcome::Free);
    QVERIFY(!QFile::exists(serialLockFilePath(pty.slavePath())));

    // The line itself opens past such a file too, without a probe first.
    QVERIFY(writeLock(pty.slavePath(), content));
    SerialPort port;
    port.setPort(1, pty.slavePath());
    const Status opened = port.open();
    QVERIFY2(opened.ok(), qPrintable(opened.message()));
}

// A lock file that does not name, as text that can be read, a process that has ended may belong
// to a program that runs: the port stays shut, the file stays, and the message names the file,
// not the program that merely has the device open (here the simulator itself).
void PortProbeTest::lockNotShownToBeLeftOverIsHeld_data() {
    QTest::addColumn<QString>(
        "kind"); // "file", "link" to a file beside it, "dangling link", "folder"
    QTest::addColumn<QByteArray>("content"); // PID: a running process's id; BINARY: it in 4 bytes
    QTest::addColumn<int>("ageSeconds");
    QTest::newRow("binary process id of a running process") << "file" << QByteArray("BINARY") << 60;
    QTest::newRow("binary process id of no process")
        << "file" << QByteArray("\xD0\xFE\x3F\x00", 4) << 60;
    QTest::newRow("text around the process id") << "file" << QByteArray("locked by PID\n") << 60;
    QTest::newRow("process id run into text") << "file" << QByteArray("PIDx\n") << 60;
    QTest::newRow("no process id") << "file" << QByteArray("garbage\n") << 60;
    QTest::newRow("empty, a minute old") << "file" << QByteArray() << 60;
    QTest::newRow("empty, just made") << "file" << QByteArray() << 0;
    QTest::newRow("link to a lock of a running process") << "link" << QByteArray("PID\n") << 60;
    QTest::newRow("dangling link") << "dangling link" << QByteArray() << 60;
    QTest::newRow("folder") << "folder" << QByteArray() << 60;
}

void PortProbeTest::lockNotShownToBeLeftOverIsHeld() {
    QFETCH(QString, kind);
    QFETCH(QByteArray, content);
    QFETCH(int, ageSeconds);
    SimulatorProcess sim({"--demo"});
    const QString device = sim.terminal();
    QVERIFY(!device.isEmpty());
    QProcess sleeper;
    sleeper.start("sleep", {"600"});
    QVERIFY(sleeper.waitForStarted());
    const auto stopSleeper = qScopeGuard([&sleeper] {
        sleeper.kill();
        sleeper.waitForFinished();
    });
    const qint32 pid = qint32(sleeper.processId());
    content.replace("BINARY", QByteArray(reinterpret_cast<const char*>(&pid), sizeof pid));
    content.replace("PID", QByteArray::number(pid));

    const QString lock = serialLockFilePath(device);
    QVERIFY(!lock.isEmpty());
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath("lock");
    const auto removeLock = qScopeGuard([&lock] {
        if (!QFile::remove(lock))
            QDir().rmdir(lock);
    });
    if (kind == "file")
        QVERIFY(writeFile(lock, content));
    else if (kind == "link")
        QVERIFY(writeFile(target, content) && QFile::link(target, lock));
    else if (kind == "dangling link")
        QVERIFY(QFile::link(target, lock));
    else
        QVERIFY(QDir().mkdir(lock));
    if (kind == "file") {
        QFile file(lock);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                                 QFileDevice::FileModificationTime));
    }

    QCOMPARE(probePort(device), ProbeOutcome::Busy);
    SerialPort port;
    port.setPort(1, device);
    const Status opened = port.open();
    QVERIFY(!port.isOpen());
    QCOMPARE(opened.message(),
             QString("Cannot open %1 (COM1): %1 is locked by %2, which names no running program. "
                     "If no other program is using the port, remove %2 and try again.")
                 .arg(device, lock));
    const QFileInfo after(lock);
    QVERIFY(after.exists() || after.isSymLink());
    QCOMPARE(after.isSymLink(), kind.endsWith("link"));
    QCOMPARE(after.isDir(), kind == "folder");
    if (kind == "file")
        QCOMPARE(readFile(lock), content);
}

void PortProbeTest::liveLockNamesItsHolder() {
    PtyPair pty;
    QVERIFY(pty.isValid());
    QProcess sleeper;
    sleeper.start("sleep", {"600"});
    QVERIFY(sleeper.waitForStarted());
    QVERIFY(writeLock(pty.slavePath(),
                      QByteArray::number(sleeper.processId()).rightJustified(10) + "\n"));
    QCOMPARE(probePort(pty.slavePath()), ProbeOutcome::Busy);
    const PortDiagnosis diagnosis = diagnosePort(pty.slavePath());
    QCOMPARE(diagnosis.holder.processId, sleeper.processId());
    QCOMPARE(diagnosis.holder.program, QString("sleep"));
    SerialPort port;
    port.setPort(4, pty.slavePath());
    const Status opened = port.open();
    QCOMPARE(opened.message(),
             QString("Cannot open %1 (COM4): %2").arg(pty.slavePath(), portProblemText(diagnosis)));
    QVERIFY(QFile::exists(serialLockFilePath(pty.slavePath())));

    sleeper.kill();
    QVERIFY(sleeper.waitForFinished());
    QCOMPARE(probePort(pty.slavePath()), ProbeOutcome::Free);
}

void PortProbeTest::lockBeingWrittenIsKept() {
    // Created a moment ago and still empty: its owner may be about to write its process id.
    PtyPair pty;
    QVERIFY(pty.isValid());
    QFile lock(serialLockFilePath(pty.slavePath()));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    // Dated a little ahead: however long this machine pauses, the file is not yet old.
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(30),
                             QFileDevice::FileModificationTime));
    lock.close();
    QCOMPARE(probePort(pty.slavePath()), ProbeOutcome::Busy);
    QVERIFY(lock.exists());
    QVERIFY(lock.remove());
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
    QVERIFY(::chmod(path.constData(), 0660) == 0);
    QProcess prober;
    prober.start(holderPath(), {"probe", "65534", pty.slavePath()});
    QVERIFY(prober.waitForFinished());
    QCOMPARE(prober.readAllStandardOutput().trimmed(), QByteArray("permission-denied"));

    // The message names the group that owns the device (for a terminal, "tty").
    struct stat status;
    QVERIFY(::stat(path.constData(), &status) == 0);
    const struct group* owner = ::getgrgid(status.st_gid);
    QVERIFY(owner);
    const QString group = QString::fromLocal8Bit(owner->gr_name);
    prober.start(holderPath(), {"diagnose", "65534", pty.slavePath()});
    QVERIFY(prober.waitForFinished());
    QCOMPARE(QString::fromLocal8Bit(prober.readAllStandardOutput().trimmed()),
             QString("Permission denied on %1: your user is not in the group %2 that owns it. "
                     "Join the group with sudo usermod -aG %2 $USER; this takes effect at your "
                     "next login.")
                 .arg(pty.slavePath(), group));
}

void PortProbeTest::problemTexts_data() {
    QTest::addColumn<PortDiagnosis>("diagnosis");
    QTest::addColumn<QString>("text");
    PortDiagnosis missing{ProbeOutcome::Missing, "/dev/ttyUSB0", {}, {}, {}, true, false, {}};
    QTest::newRow("missing") << missing << "There is no serial device /dev/ttyUSB0.";
    missing.brlttyFound = true;
    QTest::newRow("gone, brltty installed")
        << missing
        << "There is no serial device /dev/ttyUSB0. If the cable is plugged in, its device may "
           "have vanished right after it appeared: brltty, the braille display service, claims "
           "some USB serial adapters. Remove it with sudo apt remove brltty (or disable it with "
           "sudo systemctl mask brltty-udev.service), then plug the cable in again.";
    const PortDiagnosis modemManager{
        ProbeOutcome::Busy, "/dev/ttyUSB0", {}, {812, "ModemManager"}, {}, false, false, {}};
    QTest::newRow("ModemManager")
        << modemManager
        << "/dev/ttyUSB0 is in use by ModemManager (process 812). ModemManager probes every new "
           "serial adapter for a few seconds after it is plugged in: wait and try again. To keep "
           "it away from the cable for good, install the udev rule 60-zev4800.rules (see the "
           "README), or stop it with sudo systemctl stop ModemManager.";
    const PortDiagnosis unknown{ProbeOutcome::Busy, "/dev/ttyUSB0", {}, {}, {}, false, false, {}};
    QTest::newRow("holder not found")
        << unknown
        << "Another program is using /dev/ttyUSB0. Close it and try again; if the cable was just "
           "plugged in, ModemManager may be probing it for a few seconds.";
    const PortDiagnosis leftOver{ProbeOutcome::Busy,       "/dev/ttyUSB0", {},    {},
                                 "/run/lock/LCK..ttyUSB0", false,          false, {}};
    QTest::newRow("lock file of root's program")
        << leftOver
        << "/dev/ttyUSB0 is locked by the file /run/lock/LCK..ttyUSB0, which a program that no "
           "longer runs left behind. Remove it with sudo rm /run/lock/LCK..ttyUSB0 and try "
           "again.";
    PortDiagnosis held{ProbeOutcome::Busy, "/dev/ttyUSB0", {}, {}, {}, false, false, {}};
    held.heldLock = "/run/lock/LCK..ttyUSB0";
    QTest::newRow("lock file that names no running program")
        << held
        << "/dev/ttyUSB0 is locked by /run/lock/LCK..ttyUSB0, which names no running program. If "
           "no other program is using the port, remove /run/lock/LCK..ttyUSB0 and try again.";
    const PortDiagnosis uucp{
        ProbeOutcome::PermissionDenied, "/dev/ttyS0", "uucp", {}, {}, false, false, {}};
    QTest::newRow("group uucp") << uucp
                                << "Permission denied on /dev/ttyS0: your user is not in the "
                                   "group uucp that owns it. Join the group with sudo usermod "
                                   "-aG uucp $USER; this takes effect at your next login.";
}

void PortProbeTest::problemTexts() {
    QFETCH(PortDiagnosis, diagnosis);
    QFETCH(QString, text);
    QCOMPARE(portProblemText(diagnosis), text);
}

QTEST_GUILESS_MAIN(PortProbeTest)
#include "tst_portprobe.moc"
