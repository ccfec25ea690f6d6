#pragma once

#include "chanfile/plancompare.h"
#include "radio/memoryimage.h"
#include "radio/session.h"
#include "radio/writtenbytes.h"

#include <QList>
#include <QString>

#include <functional>

namespace zev {

class ChannelPlan;
class RadioLink;

// The radio's plan as one read session gives it, worded like the plan given (its words and
// option texts); nothing else changes.
struct RadioReading {
    SessionResult session;
    ChannelFile plan;  // as far as the read came
    MemoryImage image; // the blocks as read, erased where the read did not come
};
RadioReading readRadioPlan(RadioLink& link, const ChannelPlan& wording,
                           const ProgressCallback& progress = {});

// What a write does around its own session.
struct WriteJobSettings {
    bool backup = true;      // read the radio first and keep its plan as a backup file
    bool verify = true;      // read the radio back afterwards and compare with what was written
    QString backupDirectory; // empty: backups::defaultDirectory()
    QString device;          // names the backup file
};

enum class WritePhase { Backup, Write, Verify };

struct WriteJobResult {
    WritePhase phase = WritePhase::Write; // where the job ended
    SessionResult session;                // success, or why the job ended there
    QString backupPath;                   // the backup saved, if any
    QList<ByteMismatch> mismatches;       // the bytes read back otherwise than written

    bool succeeded() const { return session.succeeded(); }
};

struct WriteJobHooks {
    std::function<void(WritePhase)> phaseStarted;
    ProgressCallback writeProgress; // the write session's own milestones
    ProgressCallback readProgress;  // the backup's and the check's read milestones
};

// A write made safe: the plan is checked; the radio is read and its plan saved as a backup
// (nothing is written when that fails); the write session runs as on its own; the radio is read
// back and every block the write sent is compared with the same block read back, byte for
// byte, every difference a failure. The reads run in plans of
// their own with the plan's words, and only a job that succeeds whole adds one to the link's
// success count.
WriteJobResult runWriteJob(RadioLink& link, const ChannelPlan& plan, const QString& band,
                           const WriteJobSettings& settings, const WriteJobHooks& hooks = {});

// How many differences a failed check names before it counts the rest.
constexpr int ShownDifferences = 10;

} // namespace zev
