#include "readdialog.h"

#include "app/builtintexts.h"
#include "app/textids.h"

namespace zev {

ReadDialog::ReadDialog(Workspace& workspace, QWidget* parent)
    : TransferDialog(workspace, builtinReadButton(), parent) {
    setObjectName(QStringLiteral("TForm6"));
    setWindowTitle(builtinText(TextId::ReadCommand));
}

} // namespace zev
