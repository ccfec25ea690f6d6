#include "portdevicesdialog.h"

#include "radio/portdiagnosis.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace zev {

namespace {

constexpr int pollMs = 1000;

bool samePorts(const QList<PresentPort>& a, const QList<PresentPort>& b) {
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(),
                      [](const PresentPort& x, const PresentPort& y) {
                          return x.device == y.device && x.stableName == y.stableName;
                      });
}

QString stateOf(const QString& device) {
    switch (diagnosePort(device).outcome) {
    case ProbeOutcome::Free:
        return PortDevicesDialog::tr("free");
    case ProbeOutcome::Busy:
        return PortDevicesDialog::tr("in use");
    case ProbeOutcome::PermissionDenied:
        return PortDevicesDialog::tr("no permission");
    case ProbeOutcome::Missing:
        break;
    }
    return PortDevicesDialog::tr("gone");
}

} // namespace

PortDevicesDialog::PortDevicesDialog(const std::array<QString, 4>& devices, QWidget* parent,
                                     PortLister lister)
    : QDialog(parent), m_lister(std::move(lister)), m_devices(devices) {
    setObjectName(QStringLiteral("PortDevicesDialog"));
    setWindowTitle(tr("Port devices"));

    auto* layout = new QVBoxLayout(this);
    auto* tableLabel = new QLabel(tr("Serial ports present:"), this);
    layout->addWidget(tableLabel);
    m_table = new QTableWidget(0, 5, this);
    m_table->setObjectName(QStringLiteral("PortList"));
    m_table->setAccessibleName(tableLabel->text()); // the label above it, for screen readers
    m_table->setHorizontalHeaderLabels(
        {tr("Device"), tr("Stable name"), tr("Adapter"), tr("USB id"), tr("State")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setMinimumWidth(640);
    layout->addWidget(m_table);

    auto* form = new QFormLayout;
    for (int index = 0; index < 4; ++index) {
        auto* choice = new QComboBox(this);
        choice->setObjectName(QStringLiteral("PortDevice%1").arg(index + 1));
        choice->setEditable(true);
        choice->setInsertPolicy(QComboBox::NoInsert);
        choice->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        m_choices[index] = choice;
        form->addRow(QStringLiteral("COM%1").arg(index + 1), choice);
    }
    layout->addLayout(form);

    m_checkButton = new QPushButton(tr("Check the connection…"), this);
    m_checkButton->setObjectName(QStringLiteral("CheckConnectionButton"));
    m_checkButton->setToolTip(tr("Looks at the port selected in the list, or else at the device "
                                 "of the COM port in use, and asks the radio who it is; nothing "
                                 "is written to it."));
    connect(m_checkButton, &QPushButton::clicked, this, &PortDevicesDialog::checkConnection);
    layout->addWidget(m_checkButton, 0, Qt::AlignLeft);
    m_checkLines = new QPlainTextEdit(this);
    m_checkLines->setObjectName(QStringLiteral("ConnectionCheckLines"));
    m_checkLines->setReadOnly(true);
    // Room for every check and the radio's answer, the line that matters most, without scrolling.
    m_checkLines->setMinimumHeight(m_checkLines->fontMetrics().lineSpacing() * 9 +
                                   2 * m_checkLines->frameWidth() + 8);
    m_checkLines->hide();
    layout->addWidget(m_checkLines);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    // A plugged or pulled cable shows within a second; Qt reports no such event itself.
    m_poll = new QTimer(this);
    m_poll->setInterval(pollMs);
    connect(m_poll, &QTimer::timeout, this, &PortDevicesDialog::refresh);
    m_poll->start();
    refresh();
}

void PortDevicesDialog::setCurrentPort(int number) {
    m_currentPort = number;
}

QString PortDevicesDialog::checkedDevice() const {
    const QList<QTableWidgetItem*> selected = m_table->selectedItems();
    if (!selected.isEmpty())
        return m_ports.at(selected.first()->row()).device;
    return m_choices[size_t(qBound(1, m_currentPort, 4) - 1)]->currentText().trimmed();
}

void PortDevicesDialog::checkConnection() {
    if (m_runningCheck)
        return;
    const QString device = checkedDevice();
    m_checkButton->setEnabled(false);
    m_poll->stop(); // the probes of the list would meet the port the check holds
    m_checkLines->show();
    m_checkLines->setPlainText(tr("Checking %1…").arg(device));
    CheckStop stop;
    m_runningCheck = &stop;
    const ConnectionCheck check = zev::checkConnection(device, &stop);
    m_runningCheck = nullptr;
    m_checkLines->setPlainText(connectionCheckText(check).join(QLatin1Char('\n')));
    m_checkLines->moveCursor(QTextCursor::End);
    m_checkButton->setEnabled(true);
    m_poll->start();
    if (const std::optional<int> result = std::exchange(m_closeAfterCheck, std::nullopt))
        QDialog::done(*result);
}

void PortDevicesDialog::done(int result) {
    // Closed during a check: the radio gets its end frame first, then the dialog closes.
    if (m_runningCheck) {
        m_closeAfterCheck = result;
        m_runningCheck->stop();
        return;
    }
    QDialog::done(result);
}

std::array<QString, 4> PortDevicesDialog::devices() const {
    std::array<QString, 4> chosen;
    for (int index = 0; index < 4; ++index)
        chosen[index] = m_choices[index]->currentText().trimmed();
    return chosen;
}

void PortDevicesDialog::refresh() {
    QList<PresentPort> ports = m_lister();
    if (m_listed && samePorts(ports, m_ports))
        return;
    m_ports = std::move(ports);
    m_listed = true;
    showPorts();
}

void PortDevicesDialog::showPorts() {
    m_table->setRowCount(int(m_ports.size()));
    for (int row = 0; row < m_ports.size(); ++row) {
        const PresentPort& port = m_ports.at(row);
        const QStringList cells = {port.device, port.stableName, port.description, port.usbId(),
                                   stateOf(port.device)};
        for (int column = 0; column < cells.size(); ++column)
            m_table->setItem(row, column, new QTableWidgetItem(cells.at(column)));
    }
    m_table->resizeColumnsToContents();

    // The choices: each port by its stable name where it has one, and what is set now.
    QStringList offered;
    for (const PresentPort& port : m_ports)
        offered << (port.stableName.isEmpty() ? port.device : port.stableName);
    for (int index = 0; index < 4; ++index) {
        QComboBox* choice = m_choices[index];
        const QString current =
            m_listed && choice->count() > 0 ? choice->currentText() : m_devices[index];
        QStringList items = offered;
        if (!current.isEmpty() && !items.contains(current))
            items.prepend(current);
        choice->clear();
        choice->addItems(items);
        choice->setCurrentText(current);
    }
}

} // namespace zev
