#include "childwindow.h"

#include <QCloseEvent>
#include <QMdiArea>

namespace zev {

ChildWindow::ChildWindow(QWidget* parent) : QMdiSubWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
}

void ChildWindow::showOrRestore() {
    if (m_hiddenByClose) {
        m_hiddenByClose = false;
        showNormal();
    }
    show();
    raise();
    if (QMdiArea* area = mdiArea())
        area->setActiveSubWindow(this);
}

void ChildWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
    m_hiddenByClose = true;
}

void ChildWindow::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    if (m_hiddenByClose)
        hide();
}

} // namespace zev
