#include "radio/portdiagnosis.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zev {

namespace {

// Two sentences of a message, as the language puts them side by side.
QString sentences(const QString& first, const QString& second) {
    return QCoreApplication::translate("zev::PortDiagnosis", "%1 %2").arg(first, second);
}

QString programOf(qint64 processId) {
    QFile comm(QStringLiteral("/proc/%1/comm").arg(processId));
    if (!comm.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLocal8Bit(comm.readAll()).trimmed();
}

QString groupOf(const QString& device) {
    struct stat status;
    if (::stat(QFile::encodeName(device).constData(), &status) != 0)
        return QString();
    if (const struct group* entry = ::getgrgid(status.st_gid))
        return QString::fromLocal8Bit(entry->gr_name);
    return QString::number(status.st_gid);
}

bool brlttyInstalled() {
    return !QStandardPaths::findExecutable(QStringLiteral("brltty"),
                                           {QStringLiteral("/usr/bin"), QStringLiteral("/bin"),
                                            QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")})
                .isEmpty();
}

bool looksLikeUsbAdapter(const QString& device) {
    const QString name = QFileInfo(device).fileName();
    return name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM")) ||
           device.startsWith(QLatin1String("/dev/serial/"));
}

} // namespace

PortHolder findPortHolder(const QString& device) {
    const QString node = resolveDevicePath(device);
    if (const SerialLock lock = checkSerialLock(node);
        lock.state == SerialLock::Held && lock.processId > 0)
        return {lock.processId, programOf(lock.processId)};
    const QFileInfo target(node);
    const QDir processes(QStringLiteral("/proc"));
    for (const QString& entry : processes.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isProcess = false;
        const qint64 processId = entry.toLongLong(&isProcess);
        if (!isProcess)
            continue;
        const QDir handles(processes.filePath(entry) + QStringLiteral("/fd"));
        for (const QString& handle : handles.entryList(QDir::System | QDir::NoDotAndDotDot)) {
            if (QFileInfo(handles.filePath(handle)).symLinkTarget() == target.absoluteFilePath())
                return {processId, programOf(processId)};
        }
    }
    return {};
}

PortDiagnosis diagnosePort(const QString& device) {
    PortDiagnosis diagnosis;
    diagnosis.device = device.isEmpty() ? device : resolveDevicePath(device);
    diagnosis.outcome = probePort(diagnosis.device);
    switch (diagnosis.outcome) {
    case ProbeOutcome::Free:
        break;
    case ProbeOutcome::Missing:
        diagnosis.usbLike = looksLikeUsbAdapter(device);
        diagnosis.brlttyFound = diagnosis.usbLike && brlttyInstalled();
        break;
    case ProbeOutcome::Busy:
        // A process that merely has the device open is not what keeps the port from this program
        // while a lock file is there.
        if (const SerialLock lock = checkSerialLock(diagnosis.device);
            lock.state == SerialLock::LeftOver)
            diagnosis.leftOverLock = lock.path;
        else if (lock.state == SerialLock::Held && lock.processId == 0)
            diagnosis.heldLock = lock.path;
        else
            diagnosis.holder = findPortHolder(diagnosis.device);
        break;
    case ProbeOutcome::PermissionDenied:
        diagnosis.group = groupOf(diagnosis.device);
        break;
    }
    return diagnosis;
}

QString portProblemText(const PortDiagnosis& diagnosis) {
    const QString& device = diagnosis.device;
    switch (diagnosis.outcome) {
    case ProbeOutcome::Free:
        return QString();
    case ProbeOutcome::Missing: {
        if (device.isEmpty())
            return QCoreApplication::translate("zev::PortDiagnosis", "No device is set.");
        QString text =
            QCoreApplication::translate("zev::PortDiagnosis", "There is no serial device %1.")
                .arg(device);
        if (diagnosis.brlttyFound)
            text = sentences(
                text,
                QCoreApplication::translate(
                    "zev::PortDiagnosis",
                    "If the cable is plugged in, its device may have vanished right after it "
                    "appeared: brltty, the braille display service, claims some USB serial "
                    "adapters. Remove it with %1 (or disable it with %2), then plug the cable "
                    "in again.")
                    .arg(QStringLiteral("sudo apt remove brltty"),
                         QStringLiteral("sudo systemctl mask brltty-udev.service")));
        return text;
    }
    case ProbeOutcome::Busy: {
        if (!diagnosis.leftOverLock.isEmpty())
            return QCoreApplication::translate(
                       "zev::PortDiagnosis",
                       "%1 is locked by the file %2, which a program that no longer runs left "
                       "behind. Remove it with %3 and try again.")
                .arg(device, diagnosis.leftOverLock,
                     QStringLiteral("sudo rm ") + diagnosis.leftOverLock);
        if (!diagnosis.heldLock.isEmpty())
            return QCoreApplication::translate(
                       "zev::PortDiagnosis",
                       "%1 is locked by %2, which names no running program. If no other program "
                       "is using the port, remove %2 and try again.")
                .arg(device, diagnosis.heldLock);
        const PortHolder& holder = diagnosis.holder;
        if (holder.processId == 0)
            return QCoreApplication::translate(
                       "zev::PortDiagnosis",
                       "Another program is using %1. Close it and try again; if the cable was "
                       "just plugged in, ModemManager may be probing it for a few seconds.")
                .arg(device);
        const QString program =
            holder.program.isEmpty()
                ? QCoreApplication::translate("zev::PortDiagnosis", "another program")
                : holder.program;
        QString text =
            QCoreApplication::translate("zev::PortDiagnosis", "%1 is in use by %2 (process %3).")
                .arg(device, program, QString::number(holder.processId));
        if (holder.program == QLatin1String("ModemManager"))
            return sentences(
                text, QCoreApplication::translate(
                          "zev::PortDiagnosis",
                          "ModemManager probes every new serial adapter for a few seconds after it "
                          "is plugged in: wait and try again. To keep it away from the cable for "
                          "good, install the udev rule 60-zev4800.rules (see the README), or stop "
                          "it with %1.")
                          .arg(QStringLiteral("sudo systemctl stop ModemManager")));
        return sentences(text, QCoreApplication::translate("zev::PortDiagnosis",
                                                           "Close that program and try again."));
    }
    case ProbeOutcome::PermissionDenied: {
        const QString group =
            diagnosis.group.isEmpty() ? QStringLiteral("dialout") : diagnosis.group;
        return QCoreApplication::translate(
                   "zev::PortDiagnosis",
                   "Permission denied on %1: your user is not in the group %2 that owns it. Join "
                   "the group with %3; this takes effect at your next login.")
            .arg(device, group, QStringLiteral("sudo usermod -aG %1 $USER").arg(group));
    }
    }
    return QString();
}

} // namespace zev
