#include "stayontopdialog.h"

#include <QHideEvent>
#include <QWindow>

namespace zev {

StayOnTopDialog::StayOnTopDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setModal(false);
}

void StayOnTopDialog::setVisible(bool visible) {
    bool placedHere = false;
    if (visible && !isVisible() && m_owner && m_owner->window()->windowHandle()) {
        // Before the window system sees the dialog: it places a transient window by its parent.
        create();
        if (QWindow* window = windowHandle())
            window->setTransientParent(m_owner->window()->windowHandle());
        // Where the program places its windows itself (X11), centred on the owner as well.
        if (!testAttribute(Qt::WA_Moved)) {
            adjustPosition(m_owner->window());
            placedHere = true;
        }
    }
    QDialog::setVisible(visible);
    if (placedHere)
        setAttribute(Qt::WA_Moved, false); // centred again at the next show
}

void StayOnTopDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // A spontaneous hide is the window system minimising us, not a close.
    if (!event->spontaneous())
        emit closed();
}

} // namespace zev
