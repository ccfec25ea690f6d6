#pragma once

#include "transferdialog.h"

#include <QStringList>

namespace zev {

// The write dialog (TForm3): writes the plan and the selected band into the radio.
class WriteDialog : public TransferDialog {
    Q_OBJECT
public:
    explicit WriteDialog(Workspace& workspace, QWidget* parent = nullptr);

    // Asks whether to write channels that lie outside the band, one line each; Cancel is the
    // default. True on OK.
    bool confirmOutsideBand(const QString& band, const QStringList& channels);
};

} // namespace zev
