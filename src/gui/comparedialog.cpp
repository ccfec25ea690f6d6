#include "comparedialog.h"

#include <QHideEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zev {

CompareDialog::CompareDialog(Workspace& workspace, QWidget* parent)
    : TransferDialog(workspace, QString(), parent) {
    setObjectName(QStringLiteral("CompareDialog"));
    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("DifferenceList"));
    wordTexts();
    if (auto* column = qobject_cast<QVBoxLayout*>(layout()))
        column->insertWidget(column->count() - 1, m_list, 1);
    setFixedSize(460, 360);
}

void CompareDialog::wordTexts() {
    setWindowTitle(tr("Compare with radio"));
    startButton()->setText(tr("&Compare"));
    m_list->setAccessibleName(tr("Differences"));
}

void CompareDialog::showDifferences(const QList<PlanDifference>& differences) {
    m_list->clear();
    if (differences.isEmpty()) {
        m_list->addItem(tr("The radio holds the plan in the grid."));
        return;
    }
    m_list->addItem(tr("Differences: %1 (the grid's value first)").arg(differences.size()));
    for (const PlanDifference& difference : differences)
        m_list->addItem(describeChange(difference));
}

QStringList CompareDialog::lines() const {
    QStringList texts;
    for (int row = 0; row < m_list->count(); ++row)
        texts.append(m_list->item(row)->text());
    return texts;
}

void CompareDialog::hideEvent(QHideEvent* event) {
    if (!event->spontaneous())
        m_list->clear();
    TransferDialog::hideEvent(event);
}

} // namespace zev
