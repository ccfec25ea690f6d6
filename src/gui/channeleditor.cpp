#include "channeleditor.h"

#include "plan/channelplan.h"

#include <QHeaderView>
#include <QTableView>

namespace zev {

ChannelEditor::ChannelEditor(ChannelPlan& plan, QWidget* parent)
    : ChildWindow(parent), m_plan(plan) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("信道编辑"));
    auto* body = new QWidget;
    body->setFixedSize(640, 349);
    m_grid = new QTableView(body);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_grid->setModel(&m_plan);
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->setGeometry(8, 8, 625, 297);
    setWidget(body);
}

void ChannelEditor::clearFrequencyEditor() {}

} // namespace zev
