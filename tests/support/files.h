#pragma once

#include <QByteArray>
#include <QString>

namespace testsupport {

// The file's bytes; empty when it cannot be read.
QByteArray readFile(const QString& path);
// Replaces the file with bytes; false when not all of them were written.
bool writeFile(const QString& path, const QByteArray& bytes);

} // namespace testsupport
