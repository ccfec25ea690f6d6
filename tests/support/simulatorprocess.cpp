#include "simulatorprocess.h"

#include "programrun.h"

#include <QElapsedTimer>

namespace testsupport {

SimulatorProcess::SimulatorProcess(const QStringList& arguments) {
    // Nothing reads its messages; they reach the test's output, sanitizer reports included.
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(binaryPath(QStringLiteral("rh4800-sim")), arguments);
    if (!m_process.waitForStarted(ProcessLimitMs))
        return;
    QElapsedTimer timer;
    timer.start();
    while (!m_process.canReadLine() && m_process.state() == QProcess::Running &&
           timer.elapsed() < ProcessLimitMs)
        m_process.waitForReadyRead(100);
    if (m_process.canReadLine())
        m_terminal = QString::fromLocal8Bit(m_process.readLine()).trimmed();
}

SimulatorProcess::~SimulatorProcess() {
    if (m_process.state() != QProcess::NotRunning && !stop())
        kill();
}

bool SimulatorProcess::stop() {
    if (m_process.state() == QProcess::NotRunning)
        return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    m_process.terminate();
    return m_process.waitForFinished(ProcessLimitMs) &&
           m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}

void SimulatorProcess::kill() {
    m_process.kill();
    m_process.waitForFinished(ProcessLimitMs);
}

} // namespace testsupport
