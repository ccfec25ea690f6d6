#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

// What the tests that talk to rh4800-sim over a real pseudo-terminal share.
namespace testsupport {

constexpr int ProcessLimitMs = 10'000;

// An executable built beside the tests.
inline QString binaryPath(const QString& name) {
    return qEnvironmentVariable("ZEV_BIN_DIR") + QLatin1Char('/') + name;
}

// rh4800-sim as its own process; its first line of output names the terminal to open.
class SimulatorProcess {
public:
    explicit SimulatorProcess(const QStringList& arguments) {
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
    ~SimulatorProcess() {
        if (m_process.state() != QProcess::NotRunning && !stop())
            kill();
    }
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    QString terminal() const { return m_terminal; }
    QProcess& process() { return m_process; }

    // Stops it the way a user would (SIGTERM, which saves its image); true when it ended cleanly.
    bool stop() {
        if (m_process.state() == QProcess::NotRunning)
            return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
        m_process.terminate();
        return m_process.waitForFinished(ProcessLimitMs) &&
               m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    }
    // The far end gone at once, as a pulled cable.
    void kill() {
        m_process.kill();
        m_process.waitForFinished(ProcessLimitMs);
    }

private:
    QProcess m_process;
    QString m_terminal;
};

// A sanitizer stops a process with its report on standard error, which the tests that read that
// channel would otherwise keep to themselves.
inline void showSanitizerReport(const QByteArray& errorOutput) {
    if (errorOutput.contains("runtime error:") || errorOutput.contains("Sanitizer"))
        qWarning("%s", errorOutput.constData());
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace testsupport
