#pragma once

#include "jobs/jobobserver.h"
#include "radio/session.h"
#include "status.h"

#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <optional>

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

// A job's progress as ProgressReport shows it: a job without phases on one line of its
// activity, each session of a write job on a line of its own.
class JobProgress : public JobObserver {
public:
    explicit JobProgress(bool enabled, const QString& activity = {});
    void progress(int percent) override;
    void phaseStarted(WritePhase phase) override;

private:
    bool m_enabled;
    std::optional<ProgressReport> m_report;
};

} // namespace zev::cli
