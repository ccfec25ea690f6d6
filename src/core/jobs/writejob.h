#pragma once

#include "chanfile/plancompare.h"
#include "jobs/jobobserver.h"
#include "plan/plan.h"
#include "plan/wording.h"
#include "radio/session.h"
#include "radio/writtenbytes.h"
#include "status.h"

#include <QList>
#include <QString>

namespace zev {

class RadioLink;

// What a write does around its own session.
struct WriteJobSettings {
    bool backup = true;      // read the radio first and keep its plan as a backup file
    bool verify = true;      // read the radio back afterwards and compare with what was written
    QString backupDirectory; // empty: backups::defaultDirectory()
    QString device;          // names the backup file
};

struct WriteJobResult {
    WritePhase phase = WritePhase::Write; // where the job ended
    SessionResult session;                // success, or why the job ended there
    QString backupPath;                   // the backup saved, if any
    QList<ByteMismatch> mismatches;       // the bytes read back otherwise than written
    // Channels outside the band were not agreed to: the radio was not touched.
    bool declined = false;

    bool succeeded() const { return session.succeeded(); }
};

// A write made safe. Before any radio is touched the plan is checked and, when the check passes,
// the observer is asked about channels outside the band: once, however many radios the plan
// then goes to. On each radio the radio is read and its plan saved as a backup (nothing is
// written when that fails); the write session runs as on its own; the radio is read back and
// every block the write sent is compared with the same block read back, byte for byte, every
// difference a failure. The reads run in plans of their own with the plan's words, and only a
// run that succeeds whole adds one to the link's success count.
class WriteJob {
public:
    // Checks the plan and asks the observer, if need be. The job keeps its own copy of the plan.
    WriteJob(Plan plan, Wording wording, JobObserver& observer);

    // The plan check: a plan that fails it is refused by the write session itself, progress 0
    // and not a byte sent.
    const Status& check() const { return m_check; }
    // The plan passed the check and the observer did not agree to write channels outside the
    // band: no radio is to be touched.
    bool declined() const { return m_check.ok() && !m_agreed; }

    // One radio. Only reads the job: the radios of a fleet run it at once.
    WriteJobResult run(RadioLink& link, const WriteJobSettings& settings,
                       JobObserver& observer) const;

private:
    Plan m_plan;
    Wording m_wording;
    Status m_check;
    bool m_agreed = false;
};

// The write job for one radio, asked about and shown through the same observer.
WriteJobResult runWriteJob(RadioLink& link, const Plan& plan, const Wording& wording,
                           const WriteJobSettings& settings, JobObserver& observer);

// How many differences a failed check names before it counts the rest.
constexpr int ShownDifferences = 10;

} // namespace zev
