#include "westondisplay.h"

#include <QFile>
#include <QStandardPaths>
#include <QTest>

namespace testsupport {

namespace {
const QString socketName = QStringLiteral("zev-wayland-0");
} // namespace

WestonDisplay::WestonDisplay(QSize output) {
    const QString weston = QStandardPaths::findExecutable(QStringLiteral("weston"));
    if (weston.isEmpty()) {
        m_missing = true;
        m_problem = QStringLiteral("weston is not installed (package weston)");
        return;
    }
    // Wayland wants its runtime folder private to the user.
    QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("DISPLAY"));
    m_weston.setProcessEnvironment(environment);
    m_weston.setProcessChannelMode(QProcess::MergedChannels);
    m_weston.start(weston, {QStringLiteral("--backend=headless-backend.so"),
                            QStringLiteral("--socket=") + socketName,
                            QStringLiteral("--width=%1").arg(output.width()),
                            QStringLiteral("--height=%1").arg(output.height()),
                            QStringLiteral("--idle-time=0")});
    const QString socket = m_runtime.path() + QLatin1Char('/') + socketName;
    // Up once its socket is there; a weston that ends before has failed.
    const bool up =
        m_weston.waitForStarted() &&
        QTest::qWaitFor(
            [&] { return QFile::exists(socket) || m_weston.state() == QProcess::NotRunning; },
            20'000);
    if (!up || m_weston.state() == QProcess::NotRunning)
        m_problem = QStringLiteral("weston did not start:\n") + QString::fromLocal8Bit(log());
}

WestonDisplay::~WestonDisplay() {
    if (m_weston.state() != QProcess::NotRunning) {
        m_weston.terminate();
        if (!m_weston.waitForFinished(5'000)) {
            m_weston.kill();
            m_weston.waitForFinished();
        }
    }
}

QProcessEnvironment WestonDisplay::environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), socketName);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    environment.remove(QStringLiteral("DISPLAY"));
    return environment;
}

QByteArray WestonDisplay::log() {
    return m_weston.readAll();
}

} // namespace testsupport
