#pragma once

#include <QString>
#include <QStringList>

namespace zev {

// The sessions of a write job, in the order they run.
enum class WritePhase { Backup, Write, Verify };

// Whoever runs a job and shows it: a dialog of the window, a line of the command line. Every
// method has a default, so an observer overrides only what it shows or answers.
class JobObserver {
public:
    JobObserver() = default;
    JobObserver(const JobObserver&) = delete;
    JobObserver& operator=(const JobObserver&) = delete;
    virtual ~JobObserver();

    // How far the running session has come, 0 to 100; every session of a job starts from 0.
    virtual void progress(int percent);
    // A write job begins its next session.
    virtual void phaseStarted(WritePhase phase);
    // Before any radio is touched: the plan has channels outside its model's band, one line
    // each. True writes them as they stand. With no one to ask the band only warns: true.
    virtual bool confirmOutsideBand(const QString& band, const QStringList& channels);
};

} // namespace zev
