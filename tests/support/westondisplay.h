#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

// A Wayland display without a desktop: weston's headless backend with one output, in a runtime
// folder of its own (package weston). Programs run on it through environment().
namespace testsupport {

class WestonDisplay {
public:
    explicit WestonDisplay(QSize output = QSize(1366, 768));
    ~WestonDisplay();

    // Empty when the display runs; otherwise why not (weston is missing, or it did not start).
    QString problem() const { return m_problem; }
    // Whether weston is not installed at all, as opposed to failing.
    bool westonMissing() const { return m_missing; }
    // The system's environment with this display for Qt's wayland platform.
    QProcessEnvironment environment() const;
    // What weston printed, to show when something fails.
    QByteArray log();

private:
    QTemporaryDir m_runtime;
    QProcess m_weston;
    QString m_problem;
    bool m_missing = false;
};

} // namespace testsupport
