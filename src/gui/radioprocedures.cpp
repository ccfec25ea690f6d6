#include "radioprocedures.h"

#include "chanfile/channelfile.h"
#include "comparedialog.h"
#include "errorbox.h"
#include "plan/band.h"
#include "powerdialog.h"
#include "radio/failureadvice.h"
#include "radio/powerprocedure.h"
#include "radio/readprocedure.h"
#include "radio/writecheck.h"
#include "radio/writejob.h"
#include "readdialog.h"
#include "workspace.h"
#include "writedialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>

namespace zev {

namespace {

// A transfer's outcome as its dialog shows it: a failure with its reason and what to check, and
// after that what the failure left behind. A cancelled transfer was the user closing the dialog:
// what the stop left behind is said once the dialog has closed.
void showTransferOutcome(TransferDialog& dialog, const SessionResult& result,
                         const QStringList& leftBehind = {}) {
    switch (result.outcome) {
    case SessionOutcome::Success:
        dialog.setSuccessCount(dialog.workspace().link.successCount());
        break;
    case SessionOutcome::Failed:
        dialog.showTransferFailure({sessionFailureAdvice(result).join(QLatin1Char('\n')),
                                    leftBehind.join(QLatin1Char('\n'))});
        break;
    case SessionOutcome::Refused:
        showErrorBox(&dialog, result.reason);
        break;
    case SessionOutcome::Cancelled:
        dialog.noteTransferStopped(
            QStringList(QStringList{result.reason} + leftBehind).join(QStringLiteral("\n\n")));
        break;
    }
}

QStringList planUnchanged() {
    return {QCoreApplication::translate("zev::RadioProcedures",
                                        "Nothing in the window was changed: the channels, the "
                                        "options and the band are as they were before the read.")};
}

// Frequencies the selected band does not cover are the user's call, asked before the radio is
// touched. A plan that the write check refuses is not asked about: the refusal says more.
bool writeOutsideBandAgreed(WriteDialog& dialog, const ChannelPlan& plan, const QString& band) {
    if (!checkPlanForWrite(plan, band))
        return true;
    QStringList channels;
    for (const OutOfBandChannel& channel : outOfBandChannels(plan, band))
        channels << describeOutOfBand(channel);
    return channels.isEmpty() || dialog.confirmOutsideBand(band, channels);
}

ProgressCallback progressOf(TransferDialog& dialog) {
    return [&dialog](int percent) { dialog.setProgress(percent); };
}

void installTransfers(Workspace& workspace, ReadDialog& readDialog, WriteDialog& writeDialog,
                      CompareDialog& compareDialog) {
    // The read fills a plan of its own: the window's plan, options and band change in one go
    // when it succeeds, and not at all when it fails or is stopped.
    readDialog.setProcedure([&workspace, &readDialog] {
        const RadioReading radio =
            readRadioPlan(workspace.link, workspace.plan, progressOf(readDialog));
        if (radio.session.succeeded()) {
            applyChannelFile(radio.plan, workspace.plan, workspace.models);
            emit readDialog.planOverwritten();
        }
        showTransferOutcome(readDialog, radio.session, planUnchanged());
    });
    writeDialog.setProcedure([&workspace, &writeDialog] {
        const QString band = workspace.models.currentText();
        if (!writeOutsideBandAgreed(writeDialog, workspace.plan, band))
            return;
        WriteJobSettings settings = workspace.writeJob;
        settings.device = workspace.port.device();
        WriteJobHooks hooks;
        hooks.phaseStarted = [&writeDialog](WritePhase phase) { writeDialog.showPhase(phase); };
        hooks.writeProgress = progressOf(writeDialog);
        hooks.readProgress = progressOf(writeDialog);
        const WriteJobResult result =
            runWriteJob(workspace.link, workspace.plan, band, settings, hooks);
        writeDialog.showBackup(result.backupPath);
        // The write's own failures are the transfer's; the reads around it say more.
        if (result.phase == WritePhase::Write || result.session.outcome != SessionOutcome::Failed)
            showTransferOutcome(writeDialog, result.session, partialWriteAdvice(result));
        else
            writeDialog.showJobFailure(result);
    });
    compareDialog.setProcedure([&workspace, &compareDialog] {
        const RadioReading radio =
            readRadioPlan(workspace.link, workspace.plan, progressOf(compareDialog));
        if (radio.session.succeeded())
            compareDialog.showDifferences(
                comparePlans(channelFileFromPlan(workspace.plan, workspace.models), radio.plan));
        showTransferOutcome(compareDialog, radio.session);
    });
    // The counter counts the transfers since a transfer dialog was last opened.
    for (TransferDialog* dialog :
         {static_cast<TransferDialog*>(&readDialog), static_cast<TransferDialog*>(&writeDialog),
          static_cast<TransferDialog*>(&compareDialog)})
        QObject::connect(dialog, &StayOnTopDialog::closed, &workspace.link,
                         &RadioLink::resetSuccessCount);
}

void readPowerLevels(Workspace& workspace, PowerDialog& dialog) {
    const PowerReadResult result = readPower(workspace.link);
    if (result.session.outcome == SessionOutcome::Cancelled)
        return;
    if (result.levels) {
        dialog.highPowerEdit()->setText(QString::number(result.levels->high));
        dialog.lowPowerEdit()->setText(QString::number(result.levels->low));
        dialog.lowVoltageBox()->setCurrentIndex(result.levels->lowVoltage);
    }
    // A radio that did not identify itself leaves the write button as it was.
    if (result.writeEnabled)
        dialog.writeButton()->setEnabled(true);
    // A silent radio gets no word; a damaged block would be written back as nonsense.
    if (!result.blockFault.isEmpty())
        showErrorBox(&dialog, result.blockFault);
}

void writePowerLevels(Workspace& workspace, PowerDialog& dialog) {
    const Result<PowerLevels> levels =
        power::levelsFromFields(dialog.highPowerEdit()->text(), dialog.lowPowerEdit()->text(),
                                dialog.lowVoltageBox()->currentIndex());
    if (!levels) {
        showErrorBox(&dialog, levels.message());
        return;
    }
    const PowerWriteResult result = writePower(workspace.link, levels.value());
    // The next write needs a new read first.
    if (result.frameSent)
        dialog.writeButton()->setEnabled(false);
    if (result.session.outcome == SessionOutcome::Refused)
        showErrorBox(&dialog, result.session.reason);
}

} // namespace

void installRadioProcedures(Workspace& workspace, ReadDialog& readDialog, WriteDialog& writeDialog,
                            CompareDialog& compareDialog, PowerDialog& powerDialog) {
    installTransfers(workspace, readDialog, writeDialog, compareDialog);
    powerDialog.setReadProcedure(
        [&workspace, &powerDialog] { readPowerLevels(workspace, powerDialog); });
    powerDialog.setWriteProcedure(
        [&workspace, &powerDialog] { writePowerLevels(workspace, powerDialog); });
}

} // namespace zev
