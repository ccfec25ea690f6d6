#include "radio/portaccess.h"

#include "radio/portlist.h"
#include "radio/portprobe.h"

#include <QDir>
#include <QFile>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <vector>

namespace zev {

namespace {

// Unix98 pseudo-terminal slaves have majors 136 to 143.
bool isPseudoTerminal(const struct stat& status) {
    const unsigned int number = major(status.st_rdev);
    return S_ISCHR(status.st_mode) && number >= 136 && number <= 143;
}

bool inGroupNow(gid_t group) {
    if (::getegid() == group)
        return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    const int got = ::getgroups(count, groups.data());
    for (int i = 0; i < got; ++i)
        if (groups[size_t(i)] == group)
            return true;
    return false;
}

// The account's groups as /etc/group lists them now, which a running login took at its start.
bool accountInGroup(gid_t group) {
    const struct passwd* account = ::getpwuid(::getuid());
    if (!account)
        return false;
    if (account->pw_gid == group)
        return true;
    const struct group* entry = ::getgrgid(group);
    if (!entry)
        return false;
    for (char** member = entry->gr_mem; member && *member; ++member)
        if (qstrcmp(*member, account->pw_name) == 0)
            return true;
    return false;
}

PortAccess accessOf(const QByteArray& path, const struct stat& status) {
    if (::access(path.constData(), R_OK | W_OK) != 0)
        return PortAccess::Denied;
    if (::geteuid() == 0)
        return PortAccess::Root;
    const auto grants = [&status](mode_t read, mode_t write) {
        return (status.st_mode & read) && (status.st_mode & write);
    };
    if (status.st_uid == ::geteuid())
        return grants(S_IRUSR, S_IWUSR) ? PortAccess::Owner : PortAccess::AccessList;
    if (inGroupNow(status.st_gid) && grants(S_IRGRP, S_IWGRP))
        return PortAccess::Group;
    if (grants(S_IROTH, S_IWOTH))
        return PortAccess::Everyone;
    return PortAccess::AccessList;
}

QString groupName(gid_t group) {
    if (const struct group* entry = ::getgrgid(group))
        return QString::fromLocal8Bit(entry->gr_name);
    return QString::number(group);
}

// udev's record of the device: "E:KEY=VALUE" lines in /run/udev/data/c<major>:<minor>.
bool udevPropertySet(const struct stat& status, const QByteArray& property) {
    QFile record(QStringLiteral("/run/udev/data/c%1:%2")
                     .arg(major(status.st_rdev))
                     .arg(minor(status.st_rdev)));
    if (!record.open(QIODevice::ReadOnly))
        return false;
    const QByteArray wanted = "E:" + property + '=';
    for (const QByteArray& line : record.readAll().split('\n'))
        if (line.startsWith(wanted))
            return line.mid(wanted.size()).trimmed() == "1";
    return false;
}

} // namespace

bool programRuns(const QString& command) {
    const QDir processes(QStringLiteral("/proc"));
    for (const QString& entry : processes.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isProcess = false;
        if (entry.toLongLong(&isProcess) <= 0 || !isProcess)
            continue;
        QFile comm(processes.filePath(entry) + QStringLiteral("/comm"));
        if (comm.open(QIODevice::ReadOnly) &&
            QString::fromLocal8Bit(comm.readAll()).trimmed() == command)
            return true;
    }
    return false;
}

PortFacts gatherPortFacts(const QString& device) {
    PortFacts facts;
    facts.device = device;
    facts.diagnosis = diagnosePort(device);
    facts.node = facts.diagnosis.device;
    facts.modemManagerRuns = programRuns(QStringLiteral("ModemManager"));
    facts.brlttyRuns = programRuns(QStringLiteral("brltty"));
    const QByteArray path = QFile::encodeName(facts.node);
    struct stat status;
    if (device.isEmpty() || ::stat(path.constData(), &status) != 0 || !S_ISCHR(status.st_mode))
        return facts;
    // A device the probe opened and found no terminal is no serial port either.
    facts.exists = !(facts.diagnosis.outcome == ProbeOutcome::Missing);
    facts.stableName = stableNameOf(facts.node);
    facts.pseudoTerminal = isPseudoTerminal(status);
    for (const PresentPort& port : presentPorts())
        if (port.device == facts.node)
            facts.usbAdapter = port.isUsb();
    facts.access = accessOf(path, status);
    facts.group = groupName(status.st_gid);
    facts.groupJoinedLater = facts.access == PortAccess::Denied && !inGroupNow(status.st_gid) &&
                             accountInGroup(status.st_gid);
    facts.modemManagerIgnoresPort = udevPropertySet(status, "ID_MM_DEVICE_IGNORE");
    return facts;
}

} // namespace zev
