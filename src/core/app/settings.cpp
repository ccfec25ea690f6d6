#include "app/settings.h"

#include "plan/band.h"

#include <algorithm>

namespace zev {

namespace {
const QString portSection = QStringLiteral("open");
const QString listSection = QStringLiteral("list1");
const QString writeSection = QStringLiteral("write");
const QString viewSection = QStringLiteral("view");
const QString appearanceKey = QStringLiteral("appearance");

// The write switches: on unless the file says 0.
struct Switch {
    const char* key;
    bool AppSettings::*value;
};
constexpr Switch writeSwitches[] = {{"backup", &AppSettings::backupBeforeWrite},
                                    {"verify", &AppSettings::verifyAfterWrite}};
const QString devicesSection = QStringLiteral("ports");
const QString severalSection = QStringLiteral("several");

QString deviceKey(int index) {
    return QStringLiteral("com%1").arg(index + 1);
}

QString modelKey(int index) {
    return QStringLiteral("combo%1").arg(index);
}
} // namespace

QString settingsFileName() {
    return QStringLiteral("myini.ini");
}

AppSettings loadSettings(const IniFile& file) {
    const IniDocument ini = file.read();
    AppSettings settings;
    settings.port = ini.readInt(portSection, QStringLiteral("com"), 1);
    if (settings.port < 1 || settings.port > 4)
        settings.port = 1; // there is no such port to select
    const int lastIndex = ini.readInt(listSection, QStringLiteral("listcount"), 0);
    const int count = std::min(lastIndex, MaxModelCount - 1) + 1;
    for (int index = 0; index < count; ++index)
        settings.bands.append(ini.readString(listSection, modelKey(index), FactoryBand));
    settings.currentModel = ini.readInt(listSection, QStringLiteral("listnow"), 0);
    if (settings.currentModel < 0 || settings.currentModel >= settings.bands.size())
        settings.currentModel = -1;
    for (const Switch& entry : writeSwitches)
        settings.*entry.value = ini.readInt(writeSection, QLatin1String(entry.key), 1) != 0;
    settings.appearance = appearanceNamed(ini.readString(viewSection, appearanceKey, QString()))
                              .value_or(Appearance::System);
    return settings;
}

Status saveSettings(IniFile& file, const AppSettings& settings) {
    IniDocument ini = file.read();
    if (Status status = ini.writeInt(portSection, QStringLiteral("com"), settings.port); !status)
        return status;
    const int current = settings.currentModel >= 0 && settings.currentModel < settings.bands.size()
                            ? settings.currentModel
                            : -1;
    if (Status status = ini.writeInt(listSection, QStringLiteral("listnow"), current); !status)
        return status;
    const int count = int(settings.bands.size());
    if (Status status = ini.writeInt(listSection, QStringLiteral("listcount"), count - 1); !status)
        return status;
    for (int index = 0; index < count; ++index) {
        if (Status status = ini.writeString(listSection, modelKey(index), settings.bands.at(index));
            !status)
            return status;
    }
    // A file that never had them stays as it was while they are on.
    for (const Switch& entry : writeSwitches) {
        const QString key = QLatin1String(entry.key);
        const bool present = ini.readInt(writeSection, key, -1) != -1;
        if (!present && settings.*entry.value)
            continue;
        if (Status status = ini.writeInt(writeSection, key, settings.*entry.value ? 1 : 0); !status)
            return status;
    }
    const bool appearanceStored = !ini.readString(viewSection, appearanceKey, QString()).isNull();
    if (appearanceStored || settings.appearance != Appearance::System) {
        if (Status status =
                ini.writeString(viewSection, appearanceKey, appearanceName(settings.appearance));
            !status)
            return status;
    }
    return ini.commit();
}

std::array<QString, 4> loadPortDevices(const IniFile& file) {
    const IniDocument ini = file.read();
    std::array<QString, 4> devices;
    for (int index = 0; index < 4; ++index)
        devices[index] = ini.readString(devicesSection, deviceKey(index),
                                        QStringLiteral("/dev/ttyUSB%1").arg(index));
    return devices;
}

Status savePortDevices(IniFile& file, const std::array<QString, 4>& devices) {
    IniDocument ini = file.read();
    for (int index = 0; index < 4; ++index) {
        if (Status status = ini.writeString(devicesSection, deviceKey(index), devices[index]);
            !status)
            return status;
    }
    return ini.commit();
}

QStringList loadSeveralPorts(const IniFile& file) {
    const IniDocument ini = file.read();
    QStringList devices;
    const int count =
        std::clamp(ini.readInt(severalSection, QStringLiteral("count"), 0), 0, MaxModelCount);
    for (int index = 1; index <= count; ++index)
        if (const QString device =
                ini.readString(severalSection, QStringLiteral("port%1").arg(index), QString());
            !device.isEmpty())
            devices.append(device);
    return devices;
}

Status saveSeveralPorts(IniFile& file, const QStringList& devices) {
    IniDocument ini = file.read();
    if (Status status = ini.writeInt(severalSection, QStringLiteral("count"), int(devices.size()));
        !status)
        return status;
    for (qsizetype index = 0; index < devices.size(); ++index)
        if (Status status = ini.writeString(severalSection, QStringLiteral("port%1").arg(index + 1),
                                            devices.at(index));
            !status)
            return status;
    return ini.commit();
}

} // namespace zev
