#include "portselector.h"

#include "app/inifile.h"
#include "app/settings.h"
#include "errorbox.h"
#include "maincommands.h"
#include "portdevicesdialog.h"
#include "workspace.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QTimer>
#include <QToolButton>

namespace zev {

QString portUnavailableMessage(const QString& busyMessage, const PortDiagnosis& diagnosis,
                               int portNumber) {
    if (diagnosis.outcome == ProbeOutcome::Free)
        return QString();
    return busyMessage + QStringLiteral("\nCOM%1: ").arg(portNumber) + portProblemText(diagnosis);
}

PortSelector::PortSelector(Workspace& workspace, IniFile& settingsFile,
                           const MainCommands& commands, QWidget* window)
    : m_workspace(workspace), m_settingsFile(settingsFile), m_commands(commands), m_window(window) {
    commands.portMenu()->setToolTipsVisible(true);
    for (int number = 1; number <= 4; ++number) {
        connect(commands.portItem(number), &QAction::triggered, this,
                [this, number] { selectPort(number); });
        QToolButton* button = commands.portButton(number);
        connect(button, &QToolButton::clicked, this, [this, number] { selectPort(number); });
        // A screen reader's toggle action sets the mark without a click: the mark chooses the
        // port, and the chosen port's mark stays.
        connect(button, &QToolButton::toggled, this, [this, number, button](bool checked) {
            if (m_selecting)
                return;
            if (checked)
                selectPort(number);
            else if (number == m_portNumber)
                button->setChecked(true);
        });
    }
    connect(commands.item(Command::PortDevices), &QAction::triggered, this,
            &PortSelector::editDevices);
    connect(commands.portMenu(), &QMenu::aboutToShow, this, &PortSelector::showTips);
}

void PortSelector::restore(int portNumber, const std::map<int, QString>& runDevices) {
    m_portNumber = portNumber;
    m_workspace.portDevices = loadPortDevices(m_settingsFile);
    for (const auto& [number, device] : runDevices)
        m_workspace.portDevices[number - 1] = device;
    showTips();
    // A cable plugged in or pulled shows in the tips without a restart.
    auto* tipTimer = new QTimer(this);
    connect(tipTimer, &QTimer::timeout, this, &PortSelector::showTips);
    tipTimer->start(2000);
    m_commands.portItem(portNumber)->setChecked(true);
    m_commands.portButton(portNumber)->setChecked(true);
}

void PortSelector::openShownPort() {
    m_commands.portItem(m_portNumber)->trigger();
}

void PortSelector::selectPort(int number) {
    const QScopedValueRollback<bool> selecting(m_selecting, true);
    for (int i = 1; i <= 4; ++i)
        m_commands.portButton(i)->setChecked(i == number);
    for (int i = 1; i <= 4; ++i)
        m_commands.portItem(i)->setChecked(i == number);
    m_workspace.port.setPort(number, m_workspace.portDevices[number - 1]);
    m_portNumber = number;
}

// The tips keep the main window's translation context, where the messages pack has them.
void PortSelector::showTips() {
    for (int number = 1; number <= 4; ++number) {
        const QString device = m_workspace.portDevices[number - 1];
        const QString node = resolveDevicePath(device);
        QString tip;
        if (device.isEmpty())
            tip = QCoreApplication::translate("zev::MainWindow", "No device is set");
        else if (!QFileInfo::exists(node))
            tip = QCoreApplication::translate("zev::MainWindow", "%1 (not present)").arg(device);
        else if (node != device)
            tip = QCoreApplication::translate("zev::MainWindow", "%1 (present as %2)")
                      .arg(device, node);
        else
            tip = QCoreApplication::translate("zev::MainWindow", "%1 (present)").arg(device);
        for (QObject* item : {static_cast<QObject*>(m_commands.portItem(number)),
                              static_cast<QObject*>(m_commands.portButton(number))}) {
            item->setProperty("toolTip", tip);
            item->setProperty("statusTip", tip);
        }
    }
}

void PortSelector::editDevices() {
    PortDevicesDialog dialog(m_workspace.portDevices, m_window);
    dialog.setCurrentPort(m_portNumber);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_workspace.portDevices = dialog.devices();
    if (Status saved = savePortDevices(m_settingsFile, m_workspace.portDevices); !saved)
        showErrorBox(m_window, saved.message());
    showTips();
    selectPort(m_portNumber); // the serial line takes the device of the selected port
}

bool PortSelector::portIsFree() {
    const PortDiagnosis diagnosis = diagnosePort(m_workspace.portDevices[m_portNumber - 1]);
    if (diagnosis.outcome == ProbeOutcome::Free)
        return true;
    const QString message =
        portUnavailableMessage(m_workspace.texts.portBusyMessage, diagnosis, m_portNumber);
    QMessageBox box(QMessageBox::Warning, m_workspace.texts.portBusyCaption, message,
                    QMessageBox::Ok, m_window);
    box.exec();
    return false;
}

} // namespace zev
