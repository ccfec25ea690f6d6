#include "radioprocedures.h"

#include "chanfile/channelfile.h"
#include "comparedialog.h"
#include "errorbox.h"
#include "jobs/comparejob.h"
#include "jobs/jobobserver.h"
#include "jobs/powerjob.h"
#include "jobs/readjob.h"
#include "jobs/writeadvice.h"
#include "jobs/writejob.h"
#include "jobs/writelog.h"
#include "powerdialog.h"
#include "radio/failureadvice.h"
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
    dialog.announceOutcome(result.outcome); // before a box waits for the user
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

// A transfer dialog shows the progress of its job.
class TransferObserver : public JobObserver {
public:
    explicit TransferObserver(TransferDialog& dialog) : m_dialog(dialog) {}
    void progress(int percent) override { m_dialog.setProgress(percent); }

private:
    TransferDialog& m_dialog;
};

// The write dialog also names the phase and asks about channels outside the band.
class WriteObserver : public TransferObserver {
public:
    explicit WriteObserver(WriteDialog& dialog) : TransferObserver(dialog), m_dialog(dialog) {}
    void phaseStarted(WritePhase phase) override { m_dialog.showPhase(phase); }
    bool confirmOutsideBand(const QString& band, const QStringList& channels) override {
        return m_dialog.confirmOutsideBand(band, channels);
    }

private:
    WriteDialog& m_dialog;
};

// The write's line in the write log; a log that cannot take it is said in the dialog.
void logWrite(Workspace& workspace, WriteDialog& dialog, const LoggedPlan& plan,
              const WriteJobSettings& settings, const WriteJobResult& result) {
    const std::optional<WriteRecord> record =
        writelog::recordOfJob(plan, QStringLiteral("COM%1").arg(workspace.port.portNumber()),
                              settings.device, result, settings.verify);
    if (!record)
        return;
    if (const Status logged = writelog::append(writelog::defaultPath(), *record); !logged)
        dialog.showLogProblem(logged.message());
}

void installTransfers(Workspace& workspace, ReadDialog& readDialog, WriteDialog& writeDialog,
                      CompareDialog& compareDialog, const std::function<QString()>& planFile) {
    // The read fills a plan of its own: the window's plan, options and band change in one go
    // when it succeeds, and not at all when it fails or is stopped.
    readDialog.setProcedure([&workspace, &readDialog] {
        TransferObserver observer(readDialog);
        const RadioReading radio =
            readRadioPlan(workspace.link, workspace.plan.wording(), observer);
        if (radio.session.succeeded()) {
            workspace.showPlan(radio.plan);
            emit readDialog.planOverwritten();
        }
        showTransferOutcome(readDialog, radio.session, planUnchanged());
    });
    writeDialog.setProcedure([&workspace, &writeDialog, planFile] {
        WriteJobSettings settings = workspace.writeJob;
        settings.device = workspace.port.device();
        writeDialog.showLogProblem(QString());
        const Plan plan = workspace.currentPlan();
        const Wording& wording = workspace.plan.wording();
        const LoggedPlan logged = writelog::loggedPlan(plan, wording, planFile());
        WriteObserver observer(writeDialog);
        const WriteJobResult result =
            runWriteJob(workspace.link, plan, wording, settings, observer);
        // Logged before any box about the outcome waits for the user.
        logWrite(workspace, writeDialog, logged, settings, result);
        if (result.declined) {
            writeDialog.announceOutcome(SessionOutcome::Refused);
            return;
        }
        writeDialog.showBackup(result.backupPath);
        // The write's own failures are the transfer's; the reads around it say more.
        if (result.phase == WritePhase::Write || result.session.outcome != SessionOutcome::Failed)
            showTransferOutcome(writeDialog, result.session, partialWriteAdvice(result));
        else {
            writeDialog.announceOutcome(SessionOutcome::Failed);
            writeDialog.showJobFailure(result);
        }
    });
    compareDialog.setProcedure([&workspace, &compareDialog] {
        TransferObserver observer(compareDialog);
        const RadioComparison compared = compareWithRadio(workspace.link, workspace.currentPlan(),
                                                          workspace.plan.wording(), observer);
        if (compared.session.succeeded())
            compareDialog.showDifferences(compared.differences);
        showTransferOutcome(compareDialog, compared.session);
    });
    // The counter counts the transfers since a transfer dialog was last opened.
    for (TransferDialog* dialog :
         {static_cast<TransferDialog*>(&readDialog), static_cast<TransferDialog*>(&writeDialog),
          static_cast<TransferDialog*>(&compareDialog)})
        QObject::connect(dialog, &StayOnTopDialog::closed, &workspace.link,
                         &RadioLink::resetSuccessCount);
}

void showPowerRead(Workspace& workspace, PowerDialog& dialog) {
    const PowerReadResult result = readPowerLevels(workspace.link);
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

void showPowerWrite(Workspace& workspace, PowerDialog& dialog) {
    const PowerWriteResult result =
        writePowerLevels(workspace.link, dialog.highPowerEdit()->text(),
                         dialog.lowPowerEdit()->text(), dialog.lowVoltageBox()->currentIndex());
    // The next write needs a new read first.
    if (result.frameSent)
        dialog.writeButton()->setEnabled(false);
    if (result.session.outcome == SessionOutcome::Refused)
        showErrorBox(&dialog, result.session.reason);
}

} // namespace

void installRadioProcedures(Workspace& workspace, ReadDialog& readDialog, WriteDialog& writeDialog,
                            CompareDialog& compareDialog, PowerDialog& powerDialog,
                            std::function<QString()> planFile) {
    installTransfers(workspace, readDialog, writeDialog, compareDialog, std::move(planFile));
    powerDialog.setReadProcedure(
        [&workspace, &powerDialog] { showPowerRead(workspace, powerDialog); });
    powerDialog.setWriteProcedure(
        [&workspace, &powerDialog] { showPowerWrite(workspace, powerDialog); });
}

} // namespace zev
