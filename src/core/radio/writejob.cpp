#include "radio/writejob.h"

#include "chanfile/backups.h"
#include "plan/channelplan.h"
#include "plan/modellist.h"
#include "radio/codec.h"
#include "radio/link.h"
#include "radio/readprocedure.h"
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

WriteJobResult runPhases(RadioLink& link, const ChannelPlan& plan, const QString& band,
                         const WriteJobSettings& settings, const WriteJobHooks& hooks) {
    const auto start = [&hooks](WritePhase phase) {
        if (hooks.phaseStarted)
            hooks.phaseStarted(phase);
    };
    // A plan the write refuses is refused before the radio is touched at all.
    if (!checkPlanForWrite(plan, band))
        return ended(WritePhase::Write, writeRadio(link, plan, band, hooks.writeProgress));

    QString backupPath;
    if (settings.backup) {
        start(WritePhase::Backup);
        const RadioReading old = readRadioPlan(link, plan, hooks.readProgress);
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
        const Result<QString> saved = backups::save(directory, old.plan, settings.device);
        if (!saved)
            return ended(WritePhase::Backup, SessionResult::failed(saved.message()));
        backupPath = saved.value();
    }

    start(WritePhase::Write);
    WriteJobResult result =
        ended(WritePhase::Write, writeRadio(link, plan, band, hooks.writeProgress));
    result.backupPath = backupPath;
    if (!result.succeeded() || !settings.verify)
        return result;

    start(WritePhase::Verify);
    result.phase = WritePhase::Verify;
    const RadioReading now = readRadioPlan(link, plan, hooks.readProgress);
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
    codec::encodePlan(plan, band, written);
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

RadioReading readRadioPlan(RadioLink& link, const ChannelPlan& wording,
                           const ProgressCallback& progress) {
    ChannelPlan plan;
    plan.setWords(wording.words());
    plan.rebuildOptionLists(wording.optionTexts());
    ModelList models;
    RadioReading reading;
    reading.session = readRadio(link, plan, models, progress, &reading.image);
    reading.plan = channelFileFromPlan(plan, models);
    return reading;
}

WriteJobResult runWriteJob(RadioLink& link, const ChannelPlan& plan, const QString& band,
                           const WriteJobSettings& settings, const WriteJobHooks& hooks) {
    const int counted = link.successCount();
    WriteJobResult result = runPhases(link, plan, band, settings, hooks);
    link.setSuccessCount(counted + (result.succeeded() ? 1 : 0));
    return result;
}

} // namespace zev
