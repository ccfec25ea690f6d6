#pragma once

#include "chanfile/channelfile.h"
#include "status.h"

#include <QDateTime>
#include <QString>

namespace zev {

// The radio's plan as it stood before a write, kept as channel files in one folder.
namespace backups {

constexpr int KeptCount = 100;

// $XDG_DATA_HOME/zev4800/backups, or ~/.local/share/zev4800/backups.
QString defaultDirectory();

// The device as a file name may carry it: the path below /dev ("ttyUSB0", "pts-7"), a
// /dev/serial/by-id link by the node it stands for.
QString deviceName(const QString& device);

// "20261210-143501-ttyUSB0.z81": the time and the device's file name ("/dev/ttyUSB0").
QString fileName(const QDateTime& time, const QString& device);

// Whether a name is one that fileName gives (a number may follow the device when two backups
// fall in the same second); only such files are ever pruned.
bool isBackupName(const QString& name);

// Saves the file as a new backup in directory (created when missing), never over an older one,
// then keeps only the newest KeptCount backups there. Returns the path saved.
Result<QString> save(const QString& directory, const ChannelFile& file, const QString& device,
                     const QDateTime& time = QDateTime::currentDateTime());

// Removes all but the newest keep backups in directory; other files stay.
void prune(const QString& directory, int keep = KeptCount);

} // namespace backups
} // namespace zev
