#include "writedialog.h"

#include "app/builtintexts.h"
#include "app/textids.h"

namespace zev {

WriteDialog::WriteDialog(Workspace& workspace, QWidget* parent)
    : TransferDialog(workspace, builtinWriteButton(), parent) {
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(builtinText(TextId::WriteCommand));
}

} // namespace zev
