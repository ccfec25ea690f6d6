#include "plandocument.h"

#include "chanfile/backups.h"
#include "chanfile/channelfile.h"
#include "chanfile/savetarget.h"
#include "channeleditor.h"
#include "channellist.h"
#include "errorbox.h"
#include "jobs/writelog.h"
#include "radio/filecheck.h"
#include "radio/writecheck.h"
#include "rowclipboard.h"
#include "roweditdialogs.h"
#include "stocklistdialog.h"
#include "workspace.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

// The document's texts are the main window's: they keep its translation context.

namespace zev {

namespace {

// The extension a name without one gets; none for the dialogs that open a file.
QString defaultSuffix(FileDialogKind kind) {
    switch (kind) {
    case FileDialogKind::Save:
        return QStringLiteral("z81");
    case FileDialogKind::Pdf:
        return QStringLiteral("pdf");
    case FileDialogKind::ExportCsv:
        return QStringLiteral("csv");
    default:
        return QString();
    }
}

} // namespace

PlanDocument::PlanDocument(Workspace& workspace, ChannelEditor& editor, PlanAnswers answers,
                           QWidget* window)
    : m_workspace(workspace), m_editor(editor), m_answers(answers), m_window(window) {
    m_history.start(m_workspace.currentPlan());
    m_stepTimer.setSingleShot(true);
    connect(&m_stepTimer, &QTimer::timeout, this, [this] {
        // A running radio session changes the plan block by block; it is recorded as one step
        // when the read ends. A question box belongs to a command that is not over yet (the
        // editor commits as the box takes the focus): the command records its step.
        if (QApplication::activeModalWidget())
            m_stepTimer.start(50);
        else if (m_window->isEnabled())
            recordStep();
    });
    PlanModel& plan = m_workspace.plan;
    // Text being typed becomes a step when it is committed, not at each key.
    connect(&plan, &QAbstractItemModel::dataChanged, this, [this] {
        if (!m_editor.isTypingIntoPlan())
            scheduleStep();
    });
    connect(&plan, &QAbstractItemModel::modelReset, this, &PlanDocument::scheduleStep);
    connect(&plan, &PlanModel::optionChanged, this, &PlanDocument::scheduleStep);
    connect(&m_editor, &ChannelEditor::entryCommitted, this, &PlanDocument::scheduleStep);
}

bool PlanDocument::isModified() const {
    return m_history.isModified(m_workspace.currentPlan());
}

QString PlanDocument::backupsFolder() const {
    return m_workspace.writeJob.backupDirectory.isEmpty() ? backups::defaultDirectory()
                                                          : m_workspace.writeJob.backupDirectory;
}

bool PlanDocument::confirm(const QString& question) {
    QMessageBox box(QMessageBox::NoIcon, m_workspace.texts.confirmCaption, question,
                    QMessageBox::Ok | QMessageBox::Cancel, m_window);
    return box.exec() == QMessageBox::Ok;
}

void PlanDocument::newPlan() {
    if (!m_editor.confirmPendingEntry() || !settleUnsavedPlan() ||
        !confirm(m_workspace.texts.newQuestion))
        return;
    m_editor.resetOverlays();
    m_workspace.plan.reset();
    recordStep();
    setCurrentFile(QString()); // a new plan has no file yet
}

void PlanDocument::newFromStock() {
    if (!m_editor.confirmPendingEntry())
        return;
    StockListDialog dialog(m_workspace.plan.words(), m_workspace.currentPlan().band, m_window);
    if (dialog.exec() != QDialog::Accepted || !dialog.stockPlan() || !settleUnsavedPlan())
        return;
    m_editor.resetOverlays();
    m_workspace.showPlan(dialog.stockPlan()->plan);
    recordStep();
    setCurrentFile(QString()); // a new plan has no file yet
}

bool PlanDocument::changeModel(int index) {
    if (!m_editor.confirmPendingEntry())
        return false;
    m_workspace.bands.setCurrentIndex(index);
    if (confirm(m_workspace.texts.modelChangeQuestion)) {
        m_editor.resetOverlays();
        m_workspace.plan.reset();
    }
    recordStep();
    return true;
}

void PlanDocument::scheduleStep() {
    m_stepTimer.start(0);
}

void PlanDocument::recordStep() {
    m_stepTimer.stop();
    m_history.record(m_workspace.currentPlan());
    emit editStateChanged();
}

void PlanDocument::undo() {
    if (!m_editor.confirmPendingEntry())
        return;
    recordStep(); // what was just committed is the step to undo
    if (const std::optional<Plan> state = m_history.undo())
        restorePlan(*state);
}

void PlanDocument::redo() {
    if (!m_editor.confirmPendingEntry())
        return;
    recordStep(); // a change made since the undo ends what can be redone
    if (const std::optional<Plan> state = m_history.redo())
        restorePlan(*state);
}

void PlanDocument::restorePlan(const Plan& state) {
    m_editor.resetOverlays();
    m_workspace.showPlan(state);
    emit modelsRestored();
    m_stepTimer.stop(); // the restored state is the current step already
    emit editStateChanged();
}

void PlanDocument::takeRadioPlan() {
    m_editor.resetOverlays();
    recordStep();
    m_history.markClean(m_workspace.currentPlan());
    setCurrentFile(QString());
    emit editStateChanged();
}

bool PlanDocument::settleUnsavedPlan() {
    recordStep();
    if (!isModified())
        return true;
    QMessageBox::StandardButton answer;
    if (m_answers.unsavedPlan) {
        answer = m_answers.unsavedPlan();
    } else {
        QMessageBox box(QMessageBox::Warning, programTitle(),
                        QCoreApplication::translate(
                            "zev::MainWindow",
                            "The channel plan has changes that have not been saved. Save them?"),
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_window);
        box.setObjectName(QStringLiteral("UnsavedPlanBox"));
        box.setDefaultButton(QMessageBox::Save);
        answer = static_cast<QMessageBox::StandardButton>(box.exec());
    }
    if (answer == QMessageBox::Save)
        return save();
    return answer == QMessageBox::Discard;
}

QString PlanDocument::askFileName(FileDialogKind kind, const QString& start) {
    if (m_answers.fileName)
        return m_answers.fileName(kind);
    QFileDialog dialog(m_window);
    const bool list = kind == FileDialogKind::ExportCsv || kind == FileDialogKind::ImportCsv;
    if (kind == FileDialogKind::Pdf)
        dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    else
        dialog.setNameFilter(
            list ? QCoreApplication::translate("zev::MainWindow",
                                               "Channel lists (*.csv *.txt);;All files (*)")
                 : QStringLiteral("ZEV-481  文件 (*.z81)"));
    dialog.setFileMode(kind == FileDialogKind::ImportCsv ? QFileDialog::ExistingFile
                                                         : QFileDialog::AnyFile);
    // A name typed without extension would not show in Open, which lists channel files only.
    if (const QString suffix = defaultSuffix(kind); !suffix.isEmpty()) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(suffix);
        // The window asks itself, in its own language, once the extension is on the name.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
    }
    if (const QFileInfo info(start); !start.isEmpty() && info.isDir()) {
        dialog.setDirectory(start);
    } else if (!start.isEmpty()) {
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    // The radio's plans from before each write are one click away.
    if (const QString folder = backupsFolder();
        kind == FileDialogKind::Open && QFileInfo(folder).isDir())
        dialog.setSidebarUrls(dialog.sidebarUrls() << QUrl::fromLocalFile(folder));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString PlanDocument::askSavePath(FileDialogKind kind) {
    QString start = saveDialogStart(kind);
    for (;;) {
        const QString chosen = askFileName(kind, start);
        if (chosen.isEmpty())
            return QString();
        const SaveTarget target = saveTarget(chosen, defaultSuffix(kind));
        if (!target.replaces || replaceAgreed(target.path))
            return target.path;
        start = target.path; // back to the dialog, on the name that was kept
    }
}

bool PlanDocument::replaceAgreed(const QString& path) {
    if (m_answers.replaceFile)
        return m_answers.replaceFile(path) == QMessageBox::Yes;
    QMessageBox box(QMessageBox::Warning, programTitle(),
                    QCoreApplication::translate("zev::MainWindow", "%1 already exists. Replace it?")
                        .arg(QFileInfo(path).fileName()),
                    QMessageBox::Yes | QMessageBox::No, m_window);
    box.setObjectName(QStringLiteral("ReplaceFileBox"));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

// Save offers the current file's name where it lives; the exports start where the user last
// kept a file. Never in the backups folder: a file saved there could be taken for a backup.
QString PlanDocument::saveDialogStart(FileDialogKind kind) const {
    const QString folder = m_fileFolder.isEmpty() ? QDir::currentPath() : m_fileFolder;
    if (kind != FileDialogKind::Save || m_currentFile.isEmpty())
        return folder;
    const QFileInfo current(m_currentFile);
    if (isInBackupsFolder(m_currentFile))
        return QDir(folder).filePath(current.fileName());
    return current.absoluteFilePath();
}

void PlanDocument::rememberFolderOf(const QString& path) {
    if (!isInBackupsFolder(path))
        m_fileFolder = QFileInfo(path).absolutePath();
}

bool PlanDocument::isInBackupsFolder(const QString& path) const {
    const QString folder = QFileInfo(path).absolutePath();
    const QString backups = backupsFolder();
    const QString canonical = QFileInfo(backups).canonicalFilePath();
    const QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
    return QDir::cleanPath(folder) == QDir::cleanPath(QFileInfo(backups).absoluteFilePath()) ||
           (!canonical.isEmpty() && canonicalFolder == canonical);
}

void PlanDocument::setCurrentFile(const QString& path) {
    m_currentFile = path;
    if (!path.isEmpty())
        rememberFolderOf(path);
}

void PlanDocument::open() {
    if (!m_editor.confirmPendingEntry() || !settleUnsavedPlan())
        return;
    if (const QString path = askFileName(FileDialogKind::Open); !path.isEmpty())
        openAt(path);
}

void PlanDocument::openFile(const QString& path) {
    if (m_editor.confirmPendingEntry() && settleUnsavedPlan())
        openAt(path);
}

QString PlanDocument::loggedPlanFile() const {
    if (m_currentFile.isEmpty() || isModified())
        return writelog::windowPlanFile();
    return QFileInfo(m_currentFile).absoluteFilePath(); // a name from the command line included
}

void PlanDocument::openAt(const QString& path) {
    const Result<LoadedChannelFile> opened = readChannelFile(path);
    if (opened)
        m_workspace.showPlan(opened->plan);
    if (!opened) {
        showErrorBox(m_window, opened.message()); // the plan stays as it was
        return;
    }
    m_editor.resetOverlays();
    recordStep();
    m_history.markClean(m_workspace.currentPlan());
    emit editStateChanged();
    setCurrentFile(path);
    const Wording& wording = m_workspace.plan.wording();
    showFileProblems(
        channelFileProblems(path, opened.value(), wording.words, wording.columnTitles()));
}

Result<QStringList> PlanDocument::openAtStart(const QString& path) {
    const Result<LoadedChannelFile> opened = readChannelFile(path);
    if (opened)
        m_workspace.showPlan(opened->plan);
    if (!opened)
        return Status::failure(opened.message());
    m_history.start(m_workspace.currentPlan());
    emit editStateChanged();
    setCurrentFile(path);
    const Wording& wording = m_workspace.plan.wording();
    return channelFileProblems(path, opened.value(), wording.words, wording.columnTitles());
}

void PlanDocument::showFileProblems(const QStringList& problems) {
    if (problems.isEmpty())
        return;
    QMessageBox box(QMessageBox::Warning, programTitle(),
                    QCoreApplication::translate(
                        "zev::MainWindow",
                        "The file is open, but the radio would refuse it until these are "
                        "corrected:") +
                        QLatin1Char('\n') + problems.join(QLatin1Char('\n')),
                    QMessageBox::Ok, m_window);
    box.setObjectName(QStringLiteral("FileProblemsBox"));
    box.exec();
}

bool PlanDocument::save() {
    if (!m_editor.confirmPendingEntry())
        return false;
    const QString path = askSavePath(FileDialogKind::Save);
    if (path.isEmpty())
        return false;
    const Plan plan = m_workspace.currentPlan();
    if (Status saved =
            saveChannelFile(path, plan, m_workspace.plan.wording().selectorTexts(plan.options));
        !saved) {
        showErrorBox(m_window, saved.message());
        return false;
    }
    recordStep();
    m_history.markClean(plan);
    emit editStateChanged();
    setCurrentFile(path);
    return true;
}

void PlanDocument::exportCsv() {
    if (!m_editor.confirmPendingEntry())
        return;
    const QString path = askSavePath(FileDialogKind::ExportCsv);
    if (path.isEmpty())
        return;
    const QByteArray list = csv::exportChannels(m_workspace.currentPlan().channels);
    if (Status written = writeChannelList(path, list); !written)
        showErrorBox(m_window, written.message());
    else
        rememberFolderOf(path);
}

void PlanDocument::importCsv() {
    if (!m_editor.confirmPendingEntry())
        return;
    const QString path = askFileName(FileDialogKind::ImportCsv);
    if (path.isEmpty())
        return;
    const Result<QByteArray> bytes = readChannelList(path);
    if (!bytes) {
        showErrorBox(m_window, bytes.message());
        return;
    }
    const std::optional<bool> renumber = askRenumber(m_window, path, m_renumberCsv);
    if (!renumber)
        return;
    m_renumberCsv = *renumber;
    PlanModel& plan = m_workspace.plan;
    const std::optional<csv::Imported> list =
        acceptedRows(m_window, csv::importChannels(bytes.value(),
                                                   {*renumber, plan.words(), decimalSeparator()}));
    if (!list)
        return;
    m_editor.resetOverlays();
    plan.setPlan(csv::withImportedChannels(plan.plan(), *list));
    recordStep();
    showNotes(m_window, *list);
}

void PlanDocument::copyRows() {
    if (!m_editor.confirmPendingEntry())
        return;
    copyChannelRows(m_workspace.plan, m_editor.selectedRows());
}

void PlanDocument::pasteRows() {
    if (!m_editor.confirmPendingEntry())
        return;
    // From the first selected row, as a spreadsheet pastes into its selection's corner.
    const QList<int> rows = m_editor.selectedRows();
    if (rows.isEmpty())
        return;
    const int row = rows.first();
    const std::optional<csv::PastedRows> pasted =
        clipboardRows(m_window, m_workspace.plan.words(), row);
    if (!pasted)
        return;
    m_editor.resetOverlays();
    m_workspace.plan.setPlan(csv::withPastedChannels(m_workspace.plan.plan(), pasted->rows));
    recordStep();
    showPasteNotes(m_window, *pasted);
}

void PlanDocument::setForSelectedRows() {
    if (!m_editor.confirmPendingEntry())
        return;
    const QList<int> rows = m_editor.selectedRows();
    if (rows.isEmpty())
        return;
    PlanModel& plan = m_workspace.plan;
    SetRowsDialog dialog(plan.wording(), rows, m_window);
    if (dialog.exec() != QDialog::Accepted || dialog.settings().isEmpty())
        return;
    m_editor.resetOverlays();
    plan.setPlan(withRowSettings(plan.plan(), rows, dialog.settings(), plan.words()));
    recordStep();
}

void PlanDocument::fillFrequencies() {
    if (!m_editor.confirmPendingEntry())
        return;
    const QList<int> rows = m_editor.selectedRows();
    if (rows.isEmpty())
        return;
    FillFrequenciesDialog dialog(rows, m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PlanModel& plan = m_workspace.plan;
    const Result<Plan> filled = withFilledFrequencies(plan.plan(), rows, dialog.fill().value(),
                                                      plan.words(), decimalSeparator());
    if (!filled) {
        showErrorBox(m_window, filled.message()); // the plan stays as it was
        return;
    }
    m_editor.resetOverlays();
    plan.setPlan(filled.value());
    recordStep();
}

} // namespace zev
