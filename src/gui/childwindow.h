#pragma once

#include <QMdiSubWindow>

namespace zev {

// A child window of the main window that is never destroyed: closing it hides it and sets its
// hidden flag, and while the flag is set every resize hides it again. The main window's command
// shows it or restores it.
class ChildWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit ChildWindow(QWidget* parent = nullptr);

    bool isHiddenByClose() const { return m_hiddenByClose; }
    // The Channel edit / Function options command.
    void showOrRestore();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool m_hiddenByClose = false;
};

} // namespace zev
