#include "chanfile/savetarget.h"

#include <QFileInfo>

namespace zev {

SaveTarget saveTarget(const QString& chosen, const QString& defaultSuffix) {
    SaveTarget target{chosen};
    const QFileInfo typed(chosen);
    // The dialogs' own rule: a dot anywhere in the name is an extension the user chose.
    if (!defaultSuffix.isEmpty() && !typed.fileName().isEmpty() &&
        !typed.fileName().contains(QLatin1Char('.')) && !typed.isDir())
        target.path += QLatin1Char('.') + defaultSuffix;
    const QFileInfo file(target.path);
    // A dangling link is replaced too; exists() follows links and does not see it.
    target.replaces = (file.exists() || file.isSymLink()) && !file.isDir();
    return target;
}

} // namespace zev
