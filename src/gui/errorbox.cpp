#include "errorbox.h"

#include <QMessageBox>

namespace zev {

void showErrorBox(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, QStringLiteral("ZEV4800"), message);
}

} // namespace zev
