#include "jobs/writejob.h"

#include "chanfile/backups.h"
#include "jobs/readjob.h"
#include "plan/band.h"
#include "plan/plan.h"
#include "radio/codec.h"
#include "radio/link.h"
#include "radio/writecheck.h"
#include "radio/writeprocedure.h"

#include <QCoreApplication>

namespace zev {

namespace {

WriteJobResult ended(WritePhase phase, SessionResult session) {
    WriteJobResult result;
    result.phase = phase;
    result.session = std::move(session);
    return result;
}

// Frequencies the band does not cover are the user's call. A plan the check refuses is not
// asked about: the refusal says more.
bool outsideBandAgreed(const Plan& plan, JobObserver& observer) {
    QStringList channels;
    for (const OutOfBandChannel& channel : outOfBandChannels(plan))
        channels << describeOutOfBand(channel);
    return channels.isEmpty() || observer.confirmOutsideBand(plan.band, channels);
}

WriteJobResult runPhases(RadioLink& link, const Plan& plan, const Wording& wording,
                         const WriteJobSettings& settings, JobObserver& observer) {
    const ProgressCallback progress = [&observer](int percent) { observer.progress(percent); };
    QString backupPath;
    if (settings.backup) {
        observer.phaseStarted(WritePhase::Backup);
        const RadioReading old = readRadioPlan(link, wording, observer);
        if (old.session.outcome == SessionOutcome::Cancelled)
            return ended(WritePhase::Backup,
                         SessionResult{SessionOutcome::Cancelled,
                                       QCoreApplication::translate(
                                           "zev::WriteJob",
                                           "The backup read was stopped before it finished. "
                                           "Nothing was written to the radio.")});
        if (!old.session.succeeded())
            return ended(WritePhase::Backup, old.session);
        const QString directory = settings.backupDirectory.isEmpty() ? backups::defaultDirectory()
                                                                     : settings.backupDirectory;
        const Result<QString> saved = backups::save(
            directory, old.plan, wording.selectorTexts(old.plan.options), settings.device);
        if (!saved)
            return ended(WritePhase::Backup, SessionResult::failed(saved.message()));
        backupPath = saved.value();
    }

    observer.phaseStarted(WritePhase::Write);
    WriteJobResult result = ended(WritePhase::Write, writeRadio(link, plan, wording, progress));
    result.backupPath = backupPath;
    if (!result.succeeded() || !settings.verify)
        return result;

    observer.phaseStarted(WritePhase::Verify);
    result.phase = WritePhase::Verify;
    const RadioReading now = readRadioPlan(link, wording, observer);
    if (now.session.outcome == SessionOutcome::Cancelled) {
        result.session = {SessionOutcome::Cancelled,
                          QCoreApplication::translate(
                              "zev::WriteJob",
                              "The check of the write was stopped before it finished: the "
                              "plan was written but not read back.")};
        return result;
    }
    // A block the read back cannot make sense of still arrived whole: its bytes say more.
    if (!now.session.succeeded() && now.session.fault != SessionFault::BadBlock) {
        result.session = now.session;
        return result;
    }
    MemoryImage written;
    codec::encodePlan(plan, wording.words, written);
    result.mismatches = compareBlocks(written, now.image, writtenBlockAddresses());
    if (!result.mismatches.isEmpty())
        result.session = SessionResult::failed(
            QCoreApplication::translate("zev::WriteJob",
                                        "The radio does not hold what was written:") +
            QLatin1Char('\n') +
            describeByteMismatches(result.mismatches, ShownDifferences).join(QLatin1Char('\n')));
    else if (!now.session.succeeded())
        result.session = now.session;
    return result;
}

} // namespace

WriteJob::WriteJob(Plan plan, Wording wording, JobObserver& observer)
    : m_plan(std::move(plan)), m_wording(std::move(wording)),
      m_check(checkPlanForWrite(m_plan, m_wording)) {
    m_agreed = m_check.ok() && outsideBandAgreed(m_plan, observer);
}

WriteJobResult WriteJob::run(RadioLink& link, const WriteJobSettings& settings,
                             JobObserver& observer) const {
    if (m_check.ok() && !m_agreed) {
        WriteJobResult declined;
        declined.declined = true;
        declined.session = SessionResult::cancelled();
        return declined;
    }
    const int counted = link.successCount();
    WriteJobResult result;
    if (m_check.ok())
        result = runPhases(link, m_plan, m_wording, settings, observer);
    else // refused by the write session itself, before the radio is touched at all
        result = ended(WritePhase::Write,
                       writeRadio(link, m_plan, m_wording,
                                  [&observer](int percent) { observer.progress(percent); }));
    link.setSuccessCount(counted + (result.succeeded() ? 1 : 0));
    return result;
}

WriteJobResult runWriteJob(RadioLink& link, const Plan& plan, const Wording& wording,
                           const WriteJobSettings& settings, JobObserver& observer) {
    return WriteJob(plan, wording, observer).run(link, settings, observer);
}

} // namespace zev
