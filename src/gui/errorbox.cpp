#include "errorbox.h"

#include <QMessageBox>

namespace zev {

QString programTitle() {
    return QStringLiteral("ZEV4800");
}

void showErrorBox(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, programTitle(), message);
}

} // namespace zev
