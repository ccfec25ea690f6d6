#pragma once

#include "stayontopdialog.h"

namespace zev {

// The about box (TForm5): picture, four text lines and an exit button.
class AboutBox : public StayOnTopDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;

private:
    void showPicture();
};

} // namespace zev
