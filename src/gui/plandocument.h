#pragma once

#include "chanfile/planhistory.h"
#include "status.h"

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

class QWidget;

namespace zev {

class ChannelEditor;
struct Plan;
struct Workspace;

// What a file dialog is asked for: the channel file to open or save, the sheet's PDF, or the
// channel list to export or import.
enum class FileDialogKind { Open, Save, Pdf, ExportCsv, ImportCsv };

// Stand-ins for the user's answers, read at the moment of each question; an empty one leaves
// the question to the user. Tests set them.
struct PlanAnswers {
    // The name to open or save; an empty name cancels.
    const std::function<QString(FileDialogKind)>& fileName;
    // Before Save or an export replaces the file at path: Yes or No.
    const std::function<QMessageBox::StandardButton(const QString& path)>& replaceFile;
    // Before a modified plan is closed or replaced: Save, Discard or Cancel.
    const std::function<QMessageBox::StandardButton()>& unsavedPlan;
};

// The channel plan as a document: the file it came from or went to, its undo history, whether it
// differs from the last one saved, opened or read, and the commands that open, save, import,
// export, copy and paste it, with their questions. The commands that use or replace the plan
// confirm the editor's pending entry first; a failed commit stops them.
class PlanDocument : public QObject {
    Q_OBJECT
public:
    // window: where the questions stand; a step waits while it is disabled by a radio session.
    PlanDocument(Workspace& workspace, ChannelEditor& editor, PlanAnswers answers, QWidget* window);

    bool isModified() const;
    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    // Where the writes keep the radio's plans from before them; Open offers it.
    QString backupsFolder() const;

    void newPlan();
    // Offers the stock lists; the plan made from the one chosen, in the plan's band and words,
    // replaces this one after the question about unsaved changes, as one step.
    void newFromStock();
    void open();
    // Open with the file chosen already, e.g. a plan or backup of the write history.
    void openFile(const QString& path);
    // The file a write of the plan logs: the one it came from or went to while the plan is as
    // that file holds it, otherwise writelog::windowPlanFile().
    QString loggedPlanFile() const;
    // True when the plan was saved.
    bool save();
    // Undo and redo: each command that changes the plan is one step.
    void undo();
    void redo();
    // Channel lists in the spreadsheet layout, as files and as rows on the clipboard. Import and
    // paste each change the plan in one go, at their end.
    void exportCsv();
    void importCsv();
    void copyRows();
    void pasteRows();
    // Tones, power and flags for every selected used channel, and frequencies filled over the
    // selected rows, each one step; a refused frequency changes nothing.
    void setForSelectedRows();
    void fillFrequencies();
    // The user's pick of the model, which may empty the plan; false when the pending entry kept
    // the model from changing.
    bool changeModel(int index);

    // Before a modified plan is closed or replaced: false when the user cancels.
    bool settleUnsavedPlan();
    // Makes the changes so far one step, e.g. the plan a read's undo goes back to.
    void recordStep();
    // After a read: the plan is the radio's now, and no file's.
    void takeRadioPlan();
    // A file named on the command line opens as Open would open it, with nothing to undo. The
    // caller shows what the radio would refuse in it, or why it did not open, once it can.
    [[nodiscard]] Result<QStringList> openAtStart(const QString& path);
    // After Open: what in the file the radio would refuse, named by line.
    void showFileProblems(const QStringList& problems);

    // The name to write to, with its default extension. Asked again until the user picks a new
    // name or agrees to replace the existing file; empty when cancelled.
    QString askSavePath(FileDialogKind kind);
    // Where the next Save or export starts; the backups folder is only ever chosen on purpose.
    void rememberFolderOf(const QString& path);

signals:
    // What can be undone or redone, or whether the plan is modified, may have changed.
    void editStateChanged();
    // Undo or redo put back a model list.
    void modelsRestored();

private:
    void scheduleStep();
    void restorePlan(const Plan& state);
    void openAt(const QString& path);
    bool confirm(const QString& question);
    // start: the file the dialog offers, or the folder it opens in.
    QString askFileName(FileDialogKind kind, const QString& start = QString());
    bool replaceAgreed(const QString& path);
    QString saveDialogStart(FileDialogKind kind) const;
    bool isInBackupsFolder(const QString& path) const;
    // The file the plan came from or went to, if any.
    void setCurrentFile(const QString& path);

    Workspace& m_workspace;
    ChannelEditor& m_editor;
    PlanAnswers m_answers;
    QWidget* m_window;
    PlanHistory m_history;
    QTimer m_stepTimer;         // a change is a step once the command that made it has finished
    QString m_currentFile;      // last saved or opened; Save offers its name
    QString m_fileFolder;       // of the last Save, Open or export outside the backups folder
    bool m_renumberCsv = false; // the import's last choice
};

} // namespace zev
