#pragma once

#include "app/appearance.h"
#include "app/inifile.h"
#include "status.h"

#include <QString>
#include <QStringList>

#include <array>

namespace zev {

// What the program keeps between runs in myini.ini.
struct AppSettings {
    int port = 1;         // 1 to 4
    QStringList bands;    // the model list, duplicates kept
    int currentModel = 0; // index into bands, -1 for no selection
    bool backupBeforeWrite = true;
    bool verifyAfterWrite = true;
    Appearance appearance = Appearance::System;
};

// A hand-edited "listcount" could ask for billions of items; the list stops here.
constexpr int MaxModelCount = 1000;

QString settingsFileName(); // "myini.ini"

// Reads "com", "listcount", the "combo" keys and "listnow", in this order, from one reading of
// the file. A port outside 1 to 4 becomes 1; a "listnow" outside the list means no selection (-1);
// an appearance the program does not know follows the system.
AppSettings loadSettings(const IniFile& file);

// Writes "com", "listnow", "listcount" and the "combo" keys, in this order, then the write
// switches (section "write", keys "backup" and "verify", 1 or 0) once they are off or stand in
// the file already, then the appearance (section "view", key "appearance") once it is not
// "system" or stands in the file already, and replaces the file once with all of them, or, when any
// of them cannot be written, not at all.
[[nodiscard]] Status saveSettings(IniFile& file, const AppSettings& settings);

// The device behind COM1 to COM4: section "ports", keys "com1" to "com4", defaults /dev/ttyUSB0
// to /dev/ttyUSB3. Written only when the user sets them (the Port devices dialog).
std::array<QString, 4> loadPortDevices(const IniFile& file);

// Writes the four keys of section "ports" and replaces the file once, every other line kept.
[[nodiscard]] Status savePortDevices(IniFile& file, const std::array<QString, 4>& devices);

// The devices last ticked in Write to several radios…: section "several", keys "count" and
// "port1" onwards. Empty until the first such write.
QStringList loadSeveralPorts(const IniFile& file);
[[nodiscard]] Status saveSeveralPorts(IniFile& file, const QStringList& devices);

} // namespace zev
