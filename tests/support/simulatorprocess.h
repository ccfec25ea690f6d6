#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace testsupport {

// rh4800-sim as its own process on a pseudo-terminal; its first line of output names the
// terminal to open.
class SimulatorProcess {
public:
    explicit SimulatorProcess(const QStringList& arguments);
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    QString terminal() const { return m_terminal; }
    QProcess& process() { return m_process; }

    // Stops it the way a user would (SIGTERM, which saves its image); true when it ended cleanly.
    bool stop();
    // The far end gone at once, as a pulled cable.
    void kill();

private:
    QProcess m_process;
    QString m_terminal;
};

} // namespace testsupport
