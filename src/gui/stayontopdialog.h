#pragma once

#include <QDialog>

namespace zev {

// A dialog that stays on top and does not block the rest of the program. The main window
// disables itself and the two child windows while one is open; closed() tells it when to enable
// them again, however the dialog was closed (button, close box, Escape).
class StayOnTopDialog : public QDialog {
    Q_OBJECT
public:
    explicit StayOnTopDialog(QWidget* parent = nullptr);

signals:
    void closed();

protected:
    void hideEvent(QHideEvent* event) override;
};

} // namespace zev
