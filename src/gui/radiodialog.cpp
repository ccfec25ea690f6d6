#include "radiodialog.h"

#include "errorbox.h"
#include "workspace.h"

#include <QCloseEvent>
#include <QHideEvent>
#include <QPointer>
#include <QShowEvent>
#include <QTimer>

namespace zev {

RadioDialog::RadioDialog(Workspace& workspace, QWidget* parent)
    : StayOnTopDialog(parent), m_workspace(workspace) {}

void RadioDialog::reject() {
    if (m_busy)
        requestClose();
    else
        StayOnTopDialog::reject();
}

void RadioDialog::requestClose() {
    m_closeRequested = true;
    m_workspace.link.cancel();
}

void RadioDialog::runProcedure(const Procedure& procedure) {
    if (m_busy || !procedure)
        return;
    m_busy = true;
    m_closeRequested = false;
    procedure();
    m_busy = false;
    if (m_closeRequested) {
        m_closeRequested = false;
        close();
    }
}

void RadioDialog::showEvent(QShowEvent* event) {
    StayOnTopDialog::showEvent(event);
    if (event->spontaneous() || m_workspace.port.isOpen())
        return;
    if (Status opened = m_workspace.port.open(); !opened) {
        // Shown once the dialog is up, so the box is not hidden behind it.
        QPointer<RadioDialog> self(this);
        QTimer::singleShot(0, this, [self, message = opened.message()] {
            if (self)
                showErrorBox(self, message);
        });
    }
}

void RadioDialog::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) {
        // A hide that bypassed the close: the session must not go on over a closed line.
        if (m_busy)
            m_workspace.link.cancel();
        m_workspace.port.close();
    }
    StayOnTopDialog::hideEvent(event);
}

void RadioDialog::closeEvent(QCloseEvent* event) {
    if (m_busy) {
        event->ignore();
        requestClose();
    } else
        StayOnTopDialog::closeEvent(event);
}

} // namespace zev
