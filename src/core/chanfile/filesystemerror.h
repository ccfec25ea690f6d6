#pragma once

#include "status.h"

#include <QByteArray>
#include <QString>

class QFile;
class QFileDevice;

namespace zev {

// The system's text for a failed file operation, e.g. "File not found" or "I/O error 5".
QString fileSystemErrorText(int errorNumber);

// "<system text>: <path>". errorNumber 0 falls back to the device's own error text.
Status fileSystemFailure(int errorNumber, const QFileDevice& device, const QString& path);
Status fileSystemFailure(int errorNumber, const QString& path);

// Fails with "File access denied" and why when path is there but is no plain file (a folder, a
// pipe, a device, a socket; a link counts as what it leads to): reading a pipe could wait for
// ever, and writing would replace a device node by a plain file. A missing path passes.
[[nodiscard]] Status checkPlainFile(const QString& path);

// Up to limit bytes of the plain file at path; complete tells whether that was all. Opened and
// read without waiting: a file that holds its data back (a pipe, a kernel log under /proc, a file
// under a lease) is refused, never waited for.
Result<QByteArray> readPlainFile(const QString& path, qint64 limit, bool& complete);

// Opens the plain file at path for writing from its start, made when missing, without waiting:
// anything else there is refused before it is opened.
[[nodiscard]] Status openPlainFileForWriting(QFile& file, const QString& path);

// Written to a temporary file beside path and renamed over it only when complete, so a failure
// leaves the file that was there. A path that is there but no plain file is refused.
[[nodiscard]] Status writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace zev
