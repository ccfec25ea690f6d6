#include "app/programdirectory.h"

#include <QCoreApplication>

namespace zev {

QString programDirectory() {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

} // namespace zev
