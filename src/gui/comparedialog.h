#pragma once

#include "chanfile/plancompare.h"
#include "transferdialog.h"

class QListWidget;

namespace zev {

// Reads the radio and lists where it differs from the plan in the windows, which it leaves as
// they are.
class CompareDialog : public TransferDialog {
    Q_OBJECT
public:
    explicit CompareDialog(Workspace& workspace, QWidget* parent = nullptr);

    // The differences, the plan's side first; an empty list says the radio holds the plan.
    void showDifferences(const QList<PlanDifference>& differences);
    QStringList lines() const;
    // Caption and button in the language of the messages.
    void wordTexts();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QListWidget* m_list;
};

} // namespace zev
