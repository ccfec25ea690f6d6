#pragma once

#include <QString>

namespace zev {

// The file a name chosen for saving stands for, and whether saving there replaces a file.
struct SaveTarget {
    QString path;
    bool replaces = false; // a file (or a link) of that name is there and would be lost
};

// A name without an extension gets defaultSuffix ("z81", no dot), as a save dialog adds it, so
// that "keep" stands for "keep.z81" and a keep.z81 that is there already counts. A folder is no
// file to replace: saving there fails with its own message.
SaveTarget saveTarget(const QString& chosen, const QString& defaultSuffix);

} // namespace zev
