#pragma once

#include "radio/session.h"
#include "status.h"

#include <QElapsedTimer>
#include <QFile>
#include <QString>

namespace zev {
class RadioLink;
}

namespace zev::cli {

// One line per frame or receive event: elapsed milliseconds, ">" sent or "<" received, hex.
class FrameTrace {
public:
    [[nodiscard]] Status open(const QString& path);
    void attach(RadioLink& link);
    void note(const QString& text); // a "# text" line

private:
    void write(char direction, const QByteArray& bytes);

    QFile m_file;
    QElapsedTimer m_clock;
};

// Progress on stderr: redrawn in place on a terminal, one line a milestone otherwise.
class ProgressReport {
public:
    ProgressReport(bool enabled, QString activity);
    ~ProgressReport();
    ProgressCallback callback();

private:
    void show(int percent);

    bool m_enabled;
    bool m_terminal;
    bool m_shown = false;
    QString m_activity;
};

} // namespace zev::cli
