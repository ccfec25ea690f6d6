#pragma once

#include "transferdialog.h"

namespace zev {

// The read dialog (TForm6): reads the radio's band, channels and options into the plan.
class ReadDialog : public TransferDialog {
    Q_OBJECT
public:
    explicit ReadDialog(Workspace& workspace, QWidget* parent = nullptr);

signals:
    // A read has run: whatever it reached of the plan is the radio's now, all of it when complete.
    void planOverwritten(bool complete);
};

} // namespace zev
