#pragma once

#include "transferdialog.h"

namespace zev {

// The read dialog (TForm6): reads the radio's band, channels and options into the plan.
class ReadDialog : public TransferDialog {
    Q_OBJECT
public:
    explicit ReadDialog(Workspace& workspace, QWidget* parent = nullptr);

signals:
    // A read succeeded: the plan, the options and the band are the radio's now. A read that
    // fails or is stopped changes none of them.
    void planOverwritten();
};

} // namespace zev
