#pragma once

#include "status.h"

#include <QByteArray>
#include <QString>

class QFileDevice;

namespace zev {

// The system's text for a failed file operation, e.g. "File not found" or "I/O error 5".
QString fileSystemErrorText(int errorNumber);

// "<system text>: <path>". errorNumber 0 falls back to the device's own error text.
Status fileSystemFailure(int errorNumber, const QFileDevice& device, const QString& path);

// Written to a temporary file beside path and renamed over it only when complete, so a failure
// leaves the file that was there.
[[nodiscard]] Status writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace zev
