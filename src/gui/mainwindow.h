#pragma once

#include "app/appearance.h"
#include "app/inifile.h"
#include "app/language.h"
#include "app/programdirectory.h"
#include "app/translations.h"
#include "plandocument.h"
#include "portselector.h"
#include "startupoptions.h"
#include "status.h"

#include <QMainWindow>
#include <QMessageBox>

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
class WriteDialog;
class WriteHistoryDialog;
class SheetCommands;
class WindowAppearance;
struct WriteRecord;

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
    WindowAppearance& appearance() const { return *m_appearance; }
    CompareDialog* compareDialog() const { return m_compareDialog.get(); }
    // The write history as File > Write history… last opened it; null before.
    WriteHistoryDialog* writeHistoryDialog() const;
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

    // Stand-ins for the user's answers to the plan's questions (see PlanAnswers); tests set them.
    using FileDialogKind = zev::FileDialogKind;
    std::function<QString(FileDialogKind)> fileNameProvider;
    std::function<QMessageBox::StandardButton(const QString& path)> replaceFileAnswer;
    std::function<QMessageBox::StandardButton()> unsavedPlanAnswer;
    // Whether the plan differs from the last one saved, opened or read.
    bool isPlanModified() const { return m_document->isModified(); }
    // Where the writes keep the radio's plans from before them; Open offers it.
    QString backupsFolder() const { return m_document->backupsFolder(); }
    // The channel sheet of the plan as a one-page PDF at path, in the active language.
    [[nodiscard]] Status exportSheetPdfTo(const QString& path);
    // The receipt of a write: the sheet of the plan file it wrote, with its footer, as a PDF at
    // path. Refused when the file no longer holds the plan written.
    [[nodiscard]] Status exportReceiptPdfTo(const WriteRecord& record, const QString& path);

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
    void openStartupFile();

    void changeModel(int index);
    void chooseLanguage(QAction* item, Language language);
    void openTransferDialog(RadioDialog* dialog);
    void openRadioDialog(RadioDialog* dialog);
    void writeToSeveralRadios();
    void showTransferStopped(const QString& message);
    void showAbout();
    void showAppearance(Appearance appearance);
    void disableWindows();
    void enableWindows();
    void showModelList();
    void applyModelTitle();
    void showTitle();
    void showEditState();

    StartupOptions m_options;
    ProgramFiles m_files;
    std::unique_ptr<Workspace> m_workspace;
    IniFile m_settingsFile;
    std::unique_ptr<WindowAppearance> m_appearance;
    Translations m_translations;
    bool m_shown = false;
    bool m_painted = false;
    bool m_modelTitleShown = false;

    QMdiArea* m_mdiArea = nullptr;
    QLabel* m_picture = nullptr;
    QLabel* m_statusLine = nullptr;
    std::unique_ptr<MainCommands> m_commands;
    std::unique_ptr<PortSelector> m_ports;

    OptionsWindow* m_optionsWindow = nullptr;
    ChannelEditor* m_channelEditor = nullptr;
    std::unique_ptr<PlanDocument> m_document;
    std::unique_ptr<WriteDialog> m_writeDialog;
    std::unique_ptr<AboutBox> m_aboutBox;
    std::unique_ptr<ReadDialog> m_readDialog;
    std::unique_ptr<PowerDialog> m_powerDialog;
    std::unique_ptr<CompareDialog> m_compareDialog;
    std::unique_ptr<SheetCommands> m_sheets;
};

} // namespace zev
