#include "writedialog.h"

#include "app/builtintexts.h"
#include "app/textids.h"

#include <QMessageBox>

namespace zev {

WriteDialog::WriteDialog(Workspace& workspace, QWidget* parent)
    : TransferDialog(workspace, builtinWriteButton(), parent) {
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(builtinText(TextId::WriteCommand));
}

bool WriteDialog::confirmOutsideBand(const QString& band, const QStringList& channels) {
    const QString text =
        tr("These channels lie outside the band %1 of the selected model:").arg(band) +
        QLatin1Char('\n') + channels.join(QLatin1Char('\n')) + QStringLiteral("\n\n") +
        tr("The radio may not work on these frequencies. Write anyway?");
    QMessageBox box(QMessageBox::Warning, tr("Outside the band"), text,
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

} // namespace zev
