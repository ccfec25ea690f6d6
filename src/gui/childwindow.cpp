#include "childwindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMenu>

namespace zev {

ChildWindow::ChildWindow(QWidget* parent) : QMdiSubWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // Ctrl+W is Write to radio; the window menu's Close keeps its other keys (Ctrl+F4).
    if (QMenu* menu = systemMenu()) {
        for (QAction* item : menu->actions()) {
            QList<QKeySequence> keys = item->shortcuts();
            if (keys.removeAll(QKeySequence(Qt::CTRL | Qt::Key_W)) > 0)
                item->setShortcuts(keys);
        }
    }
}

void ChildWindow::showOrRestore() {
    if (m_hiddenByClose || isMinimized()) {
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
