#pragma once

#include <QDialog>
#include <QPointer>

namespace zev {

// A dialog that stays on top and does not block the rest of the program. The main window
// disables itself and the two child windows while one is open; closed() tells it when to enable
// them again, however the dialog was closed (button, close box, Escape).
//
// It is a window of its own, not a child of the main window (disabling that would disable it
// too), but it belongs to its owner: the window system keeps it over the owner and, where a
// program cannot place its windows (Wayland), centres it there.
class StayOnTopDialog : public QDialog {
    Q_OBJECT
public:
    explicit StayOnTopDialog(QWidget* parent = nullptr);

    void setOwner(QWidget* owner) { m_owner = owner; }

    void setVisible(bool visible) override;

signals:
    void closed();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QPointer<QWidget> m_owner;
};

} // namespace zev
