#pragma once

#include "app/inifile.h"
#include "app/language.h"
#include "app/programdirectory.h"
#include "app/translations.h"
#include "chanfile/planhistory.h"
#include "portselector.h"
#include "startupoptions.h"
#include "status.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QTimer>

#include <functional>
#include <memory>

class QAction;
class QMdiArea;
class QLabel;

namespace zev {

struct Workspace;
class AboutBox;
class ChannelEditor;
class CompareDialog;
class MainCommands;
class OptionsWindow;
class PowerDialog;
class RadioDialog;
class ReadDialog;
class StayOnTopDialog;
class WriteDialog;

// The main window (TForm1): the frame that holds the channel editor and the options window, the
// menu and toolbar commands, the port selection and the model selector. Constructing it creates
// the other six windows in their start-up order; the first show selects the stored port and
// loads the start-up language; closing it writes the settings.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(StartupOptions options = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    Workspace& workspace() const { return *m_workspace; }
    const ProgramFiles& programFiles() const { return m_files; }
    int portNumber() const { return m_ports->portNumber(); }

    ChannelEditor* channelEditor() const { return m_channelEditor; }
    OptionsWindow* optionsWindow() const { return m_optionsWindow; }
    WriteDialog* writeDialog() const { return m_writeDialog.get(); }
    AboutBox* aboutBox() const { return m_aboutBox.get(); }
    ReadDialog* readDialog() const { return m_readDialog.get(); }
    PowerDialog* powerDialog() const { return m_powerDialog.get(); }
    CompareDialog* compareDialog() const { return m_compareDialog.get(); }
    // The seven windows, main window first, in their start-up order.
    QList<QObject*> forms() const;

    // The pack packFileName(name), beside the program or else in the shared folder, into every
    // window and the plan, and the language's messages and Qt's own texts into the application; a
    // missing or unreadable pack changes nothing.
    void loadLanguage(const QString& name);
    // The Language menu's commands; atStartup leaves the channel table's words alone.
    void switchLanguage(Language language, bool atStartup = false);

    // The port, the model list and the write switches into the settings file. Closing the window
    // does it; a run that ends with the window still open calls it itself.
    void writeSettings();

    // Asks for the channel file name to open or save, the sheet's PDF, or the channel list's to
    // export or import; an empty name cancels. Tests replace it.
    enum class FileDialogKind { Open, Save, Pdf, ExportCsv, ImportCsv };
    std::function<QString(FileDialogKind)> fileNameProvider;
    // Answers the question before Save or an export replaces the file at path (Yes or No)
    // instead of the user. Tests replace it.
    std::function<QMessageBox::StandardButton(const QString& path)> replaceFileAnswer;
    // Whether the plan differs from the last one saved, opened or read.
    bool isPlanModified() const;
    // Answers the question before a modified plan is closed or replaced (Save, Discard or
    // Cancel) instead of the user. Tests replace it.
    std::function<QMessageBox::StandardButton()> unsavedPlanAnswer;
    // Where the writes keep the radio's plans from before them; Open offers it.
    QString backupsFolder() const;
    // The channel sheet of the plan as a one-page PDF at path, in the active language.
    [[nodiscard]] Status exportSheetPdfTo(const QString& path);

signals:
    void firstPainted();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Creation step.
    void createClientArea();
    void createStatusLine();
    void applyStoredSettings();
    void createChildWindows();
    void createDialogs();
    void connectCommands();
    // Show step.
    void placeOnScreen();
    void runShowStep();

    // The commands that use or replace the plan confirm the editor's pending entry first; a
    // failed commit stops them.
    void newPlan();
    // Undo and redo: each command that changes the plan is one step.
    void scheduleStep();
    void recordStep();
    void undo();
    void redo();
    void restorePlan(const ChannelFile& state);
    void showEditState();
    // Before a modified plan is closed or replaced: false when the user cancels.
    bool settleUnsavedPlan();
    ChannelFile currentPlanFile() const;
    void openChannelFile();
    void openChannelFileAt(const QString& path);
    void openStartupFile();
    // True when the plan was saved.
    bool saveChannelFile();
    void changeModel(int index);
    void chooseLanguage(QAction* item, Language language);
    void openTransferDialog(RadioDialog* dialog);
    void openRadioDialog(RadioDialog* dialog);
    void showTransferStopped(const QString& message);
    void showAbout();
    void disableWindows();
    void enableWindows();
    bool confirm(const QString& question);
    void showModelList();
    void applyModelTitle();
    void showTitle();
    // start: the file the dialog offers, or the folder it opens in.
    QString askFileName(FileDialogKind kind, const QString& start = QString());
    // The name to write to, with its default extension. Asked again until the user picks a new
    // name or agrees to replace the existing file; empty when cancelled.
    QString askSavePath(FileDialogKind kind);
    bool replaceAgreed(const QString& path);
    QString saveDialogStart(FileDialogKind kind) const;
    // Where the next Save or export starts; the backups folder is only ever chosen on purpose.
    void rememberFolderOf(const QString& path);
    bool isInBackupsFolder(const QString& path) const;
    // The file the plan came from or went to, if any.
    void setCurrentFile(const QString& path);
    // After Open: what in the file the radio would refuse, named by line.
    void showFileProblems(const QStringList& problems);
    void printSheet();
    void exportSheetPdf();

    // Channel lists in the spreadsheet layout, as files and as rows on the clipboard. Import and
    // paste each change the plan in one go, at their end.
    void exportCsv();
    void importCsv();
    void copyRows();
    void pasteRows();

    StartupOptions m_options;
    ProgramFiles m_files;
    std::unique_ptr<Workspace> m_workspace;
    IniFile m_settingsFile;
    Translations m_translations;
    bool m_shown = false;
    bool m_painted = false;

    QMdiArea* m_mdiArea = nullptr;
    QLabel* m_picture = nullptr;
    QLabel* m_statusLine = nullptr;
    std::unique_ptr<MainCommands> m_commands;
    std::unique_ptr<PortSelector> m_ports;
    bool m_renumberCsv = false; // the import's last choice
    QString m_currentFile;      // last saved or opened; Save offers its name
    QString m_fileFolder;       // of the last Save, Open or export outside the backups folder
    PlanHistory m_history;
    QTimer m_stepTimer; // a change is a step once the command that made it has finished
    bool m_modelTitleShown = false;

    OptionsWindow* m_optionsWindow = nullptr;
    ChannelEditor* m_channelEditor = nullptr;
    std::unique_ptr<WriteDialog> m_writeDialog;
    std::unique_ptr<AboutBox> m_aboutBox;
    std::unique_ptr<ReadDialog> m_readDialog;
    std::unique_ptr<PowerDialog> m_powerDialog;
    std::unique_ptr<CompareDialog> m_compareDialog;
};

} // namespace zev
