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

// The line a backup carries after the 29 lines of a channel file, naming the backup itself
// ("ZEV4800 BACKUP 20261210-143501-ttyUSB0.z81"). Open reads no further than line 29, so a backup
// opens as any channel file; a plan saved from it, or a copy under another name, is no backup.
QByteArray markerLine(const QString& name);

// Whether the file at path is a backup that save() made: a plain file, not a link, whose last
// line is the marker with its own name. A user's file of the same name form is not, and neither
// are the backups of earlier versions, which had no marker: nothing tells them from a user's.
bool isBackupFile(const QString& path);

// Saves the plan as a new backup in directory (created when missing). The file is created only
// where nothing of its name is, not even a dangling link, and is removed again when it cannot be
// written whole. Then keeps the newest KeptCount backups there, this one always among them.
// Returns the path saved.
Result<QString> save(const QString& directory, const Plan& plan, const SelectorTexts& selectorTexts,
                     const QString& device, const QDateTime& time = QDateTime::currentDateTime());

// Removes the oldest of the backups in directory (by the time in their names) until keep are
// left, the file named kept (a name in directory) counted but never removed. Other files stay.
void prune(const QString& directory, const QString& kept, int keep = KeptCount);

} // namespace backups
} // namespace zev
