#pragma once

#include "status.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace zev {

// A serial port the system reports present.
struct PresentPort {
    QString device;     // /dev/ttyUSB0
    QString stableName; // the link in /dev/serial/by-id that leads to it, if any
    QString description;
    QString manufacturer;
    std::optional<quint16> vendorId; // set for a USB adapter
    std::optional<quint16> productId;

    bool isUsb() const { return vendorId.has_value(); }
    QString usbId() const; // "0403:6001", empty for other ports
};

QString stableNameFolder(); // /dev/serial/by-id

// The link in folder that leads to device, or empty.
QString stableNameOf(const QString& device, const QString& folder = stableNameFolder());

// The serial ports present, as Qt enumerates them, in the order of their device names.
QList<PresentPort> presentPorts(const QString& stableFolder = stableNameFolder());

// The ports present, then each device COM1 to COM4 map that the system does not enumerate
// (a pseudo-terminal) while it exists.
QList<PresentPort> presentAndMappedPorts(const std::array<QString, 4>& comDevices);

// What a port name given by the user can refer to.
struct PortEnvironment {
    QList<PresentPort> ports;          // for "auto"
    std::array<QString, 4> comDevices; // for "COM1" to "COM4"
    QString stableFolder = stableNameFolder();
};

// The device for a port name: a device path as it stands; a bare name found in the stable
// name folder, or else below /dev; COM1 to COM4 as the settings map them; "auto" the one USB
// serial adapter present. Links are kept: they are followed when the port opens.
Result<QString> resolvePortName(const QString& name, const PortEnvironment& environment);

// The number n of a name "COMn" (any case) with n from 1 to 4, or 0.
int comNumberOf(const QString& name);

} // namespace zev
