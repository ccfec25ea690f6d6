#pragma once

#include "jobs/connectioncheck.h"
#include "radio/portlist.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTimer;

namespace zev {

// Lists the serial ports present, kept current while cables come and go, and lets each of COM1
// to COM4 be set to a device. A port's stable name is offered first: it keeps finding the same
// cable when the system numbers its devices anew.
class PortDevicesDialog : public QDialog {
    Q_OBJECT
public:
    using PortLister = std::function<QList<PresentPort>()>;

    explicit PortDevicesDialog(
        const std::array<QString, 4>& devices, QWidget* parent = nullptr,
        PortLister lister = [] { return presentPorts(); });

    std::array<QString, 4> devices() const;

    // Looks at the ports again; the list and the choices change only when the ports did.
    void refresh();

    // The COM port whose device Check the connection… looks at when no listed port is selected.
    void setCurrentPort(int number);
    // Goes through what stands between the user and the radio on the port selected in the list,
    // or else on the current COM port's device, and shows a line for each check.
    void checkConnection();

    void done(int result) override;

private:
    void showPorts();
    QString checkedDevice() const;

    PortLister m_lister;
    QList<PresentPort> m_ports;
    bool m_listed = false;
    QTableWidget* m_table = nullptr;
    std::array<QComboBox*, 4> m_choices{};
    QTimer* m_poll = nullptr;
    std::array<QString, 4> m_devices;
    int m_currentPort = 1;
    QPushButton* m_checkButton = nullptr;
    QPlainTextEdit* m_checkLines = nullptr;
    CheckStop* m_runningCheck = nullptr; // while a check talks to the radio
    std::optional<int> m_closeAfterCheck;
};

} // namespace zev
