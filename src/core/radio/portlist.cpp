#include "radio/portlist.h"

#include "radio/portprobe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <QStringList>

#include <algorithm>
#include <iterator>

namespace zev {

namespace {

QString describe(const PresentPort& port) {
    QStringList parts;
    if (!port.stableName.isEmpty())
        parts << port.stableName;
    if (!port.description.isEmpty())
        parts << port.description;
    if (port.isUsb())
        parts << port.usbId();
    return parts.isEmpty() ? port.device
                           : port.device + QStringLiteral(" (") + parts.join(QStringLiteral(", ")) +
                                 QLatin1Char(')');
}

QString listOf(const QList<PresentPort>& ports) {
    QStringList lines;
    for (const PresentPort& port : ports)
        lines << QStringLiteral("  ") + describe(port);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString PresentPort::usbId() const {
    if (!vendorId)
        return QString();
    return QStringLiteral("%1:%2")
        .arg(*vendorId, 4, 16, QLatin1Char('0'))
        .arg(productId.value_or(0), 4, 16, QLatin1Char('0'));
}

QString stableNameFolder() {
    return QStringLiteral("/dev/serial/by-id");
}

QString stableNameOf(const QString& device, const QString& folder) {
    const QString node = QFileInfo(device).canonicalFilePath();
    if (node.isEmpty())
        return QString();
    const QDir links(folder);
    for (const QFileInfo& link :
         links.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        if (link.isSymLink() && link.canonicalFilePath() == node)
            return link.absoluteFilePath();
    }
    return QString();
}

QList<PresentPort> presentPorts(const QString& stableFolder) {
    QList<PresentPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        PresentPort port;
        port.device = info.systemLocation();
        port.stableName = stableNameOf(port.device, stableFolder);
        port.description = info.description();
        port.manufacturer = info.manufacturer();
        if (info.hasVendorIdentifier())
            port.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier())
            port.productId = info.productIdentifier();
        ports.append(port);
    }
    std::sort(ports.begin(), ports.end(),
              [](const PresentPort& a, const PresentPort& b) { return a.device < b.device; });
    return ports;
}

QList<PresentPort> presentAndMappedPorts(const std::array<QString, 4>& comDevices) {
    QList<PresentPort> ports = presentPorts();
    for (const QString& mapped : comDevices) {
        const QString node = resolveDevicePath(mapped);
        const bool listed = std::any_of(ports.cbegin(), ports.cend(),
                                        [&](const PresentPort& p) { return p.device == node; });
        if (!listed && !mapped.isEmpty() && QFileInfo::exists(node)) {
            PresentPort port;
            port.device = node;
            port.stableName = stableNameOf(node);
            ports.append(port);
        }
    }
    return ports;
}

int comNumberOf(const QString& name) {
    static const QRegularExpression com(QStringLiteral("^COM([1-4])$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = com.match(name);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

Result<QString> resolvePortName(const QString& name, const PortEnvironment& environment) {
    if (name.isEmpty())
        return Status::failure(QCoreApplication::translate("zev::PortList", "No port is given."));
    if (name.compare(QLatin1String("auto"), Qt::CaseInsensitive) == 0) {
        QList<PresentPort> adapters;
        std::copy_if(environment.ports.cbegin(), environment.ports.cend(),
                     std::back_inserter(adapters),
                     [](const PresentPort& port) { return port.isUsb(); });
        if (adapters.size() == 1)
            return adapters.first().device;
        if (adapters.isEmpty() && environment.ports.isEmpty())
            return Status::failure(QCoreApplication::translate(
                "zev::PortList",
                "No USB serial adapter is present, and no other serial port either: plug in "
                "the cable."));
        if (adapters.isEmpty())
            return Status::failure(
                QCoreApplication::translate("zev::PortList",
                                            "No USB serial adapter is present: plug in the "
                                            "cable, or name one of these ports:\n%1")
                    .arg(listOf(environment.ports)));
        return Status::failure(QCoreApplication::translate("zev::PortList",
                                                           "Several USB serial adapters are "
                                                           "present; name the one to use:\n%1")
                                   .arg(listOf(adapters)));
    }
    if (const int number = comNumberOf(name); number > 0) {
        const QString device = environment.comDevices[number - 1];
        if (device.isEmpty())
            return Status::failure(
                QCoreApplication::translate("zev::SerialPort", "No device is set for COM%1")
                    .arg(number));
        return device;
    }
    if (name.contains(QLatin1Char('/')))
        return name;
    const QString stable = QDir(environment.stableFolder).filePath(name);
    if (QFileInfo(stable).isSymLink())
        return stable;
    return QStringLiteral("/dev/") + name;
}

} // namespace zev
