#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>

namespace testsupport {

// The file's bytes; empty when it cannot be read.
QByteArray readFile(const QString& path);
// Replaces the file with bytes; false when not all of them were written.
bool writeFile(const QString& path, const QByteArray& bytes);

// What stands at a path where a program expects a plain file.
enum class SpecialFile {
    Fifo,         // a named pipe without a reader or writer
    Device,       // a character device node, the null device (needs root)
    LinkToDevice, // a symbolic link to such a node beside it
    Folder,
};
// Makes it at path; false when it cannot be made here (a device node without root).
bool makeSpecialFile(const QString& path, SpecialFile kind);
// Whether path is still what makeSpecialFile made, not replaced by a plain file.
bool isSpecialFile(const QString& path, SpecialFile kind);

} // namespace testsupport

Q_DECLARE_METATYPE(testsupport::SpecialFile)
