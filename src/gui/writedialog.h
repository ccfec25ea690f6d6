#pragma once

#include "radiodialog.h"

namespace zev {

// The write dialog (TForm3): writes the plan and the selected band into the radio.
class WriteDialog : public TransferDialog {
    Q_OBJECT
public:
    explicit WriteDialog(Workspace& workspace, QWidget* parent = nullptr);
};

} // namespace zev
