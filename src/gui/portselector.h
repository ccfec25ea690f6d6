#pragma once

#include "radio/portdiagnosis.h"

#include <QObject>
#include <QString>

#include <map>

class QWidget;

namespace zev {

class IniFile;
class MainCommands;
struct Workspace;

// The port-busy message for a probe that did not find the port free, with a line that names the
// port, what stands in the way and what to do about it.
QString portUnavailableMessage(const QString& busyMessage, const PortDiagnosis& diagnosis,
                               int portNumber);

// The choice of COM1 to COM4 in the menu and on the toolbar, the devices behind them with tips
// that follow the cables, and the look at the port before a radio session.
class PortSelector : public QObject {
    Q_OBJECT
public:
    // window: where its boxes and the device dialog stand.
    PortSelector(Workspace& workspace, IniFile& settingsFile, const MainCommands& commands,
                 QWidget* window);

    int portNumber() const { return m_portNumber; }
    // The stored port, shown as chosen; the serial line gets it at openShownPort(). The devices
    // are the stored ones, those named for this run in their place.
    void restore(int portNumber, const std::map<int, QString>& runDevices);
    void openShownPort();
    // Whether the chosen port can be opened; if not, a box says why.
    bool portIsFree();
    // The tips name each port's device and say whether it is there.
    void showTips();

private:
    void selectPort(int number);
    void editDevices();

    Workspace& m_workspace;
    IniFile& m_settingsFile;
    const MainCommands& m_commands;
    QWidget* m_window;
    int m_portNumber = 1;
    bool m_selecting = false; // selectPort() is setting the marks
};

} // namespace zev
