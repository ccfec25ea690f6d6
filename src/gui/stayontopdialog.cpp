#include "stayontopdialog.h"

#include <QHideEvent>

namespace zev {

StayOnTopDialog::StayOnTopDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setModal(false);
}

void StayOnTopDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // A spontaneous hide is the window system minimising us, not a close.
    if (!event->spontaneous())
        emit closed();
}

} // namespace zev
