#include "mainwindow.h"

#include "aboutbox.h"
#include "app/builtintexts.h"
#include "app/installlog.h"
#include "app/languagepack.h"
#include "app/planlanguage.h"
#include "app/screenfit.h"
#include "app/settings.h"
#include "app/textids.h"
#include "chanfile/channelfile.h"
#include "channeleditor.h"
#include "channelsheet.h"
#include "comparedialog.h"
#include "errorbox.h"
#include "languageloader.h"
#include "maincommands.h"
#include "optionswindow.h"
#include "powerdialog.h"
#include "radioprocedures.h"
#include "readdialog.h"
#include "severalradiosdialog.h"
#include "sheetcommands.h"
#include "windowappearance.h"
#include "workspace.h"
#include "writedialog.h"
#include "writehistorydialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

namespace zev {

namespace {

constexpr QSize mainWindowSize(1055, 765);
// Until the window is up, some window systems do not tell the size of its frame: room for a
// usual title bar and border is kept free instead.
constexpr QMargins usualFrame(4, 38, 4, 4);

// Wayland lets no program place its windows or see the panels of the desktop.
bool windowSystemPlacesWindows() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

MainWindow::MainWindow(StartupOptions options, QWidget* parent)
    : QMainWindow(parent), m_options(std::move(options)),
      m_files(ProgramFiles::forThisRun(m_options.programDirectory)),
      m_workspace(std::make_unique<Workspace>()), m_settingsFile(m_files.settingsFile()),
      m_appearance(std::make_unique<WindowAppearance>()) {

    // Creation step: this window only, then the stored settings.
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(programTitle());
    m_commands = std::make_unique<MainCommands>(*this);
    m_ports = std::make_unique<PortSelector>(*m_workspace, m_settingsFile, *m_commands, this);
    createClientArea();
    createStatusLine();
    applyStoredSettings();
    resize(mainWindowSize);

    createChildWindows();
    createDialogs();
    m_document = std::make_unique<PlanDocument>(
        *m_workspace, *m_channelEditor,
        PlanAnswers{fileNameProvider, replaceFileAnswer, unsavedPlanAnswer}, this);
    installRadioProcedures(*m_workspace, *m_readDialog, *m_writeDialog, *m_compareDialog,
                           *m_powerDialog,
                           [document = m_document.get()] { return document->loggedPlanFile(); });
    m_sheets = std::make_unique<SheetCommands>(*m_workspace, *m_document, *m_channelEditor,
                                               *m_optionsWindow, this);
    connect(m_writeDialog.get(), &StayOnTopDialog::closed, m_sheets.get(),
            &SheetCommands::refreshWriteHistory);
    connect(m_document.get(), &PlanDocument::editStateChanged, this, &MainWindow::showEditState);
    connect(m_document.get(), &PlanDocument::modelsRestored, this, &MainWindow::showModelList);
    connect(m_readDialog.get(), &ReadDialog::planOverwritten, m_document.get(),
            &PlanDocument::takeRadioPlan);
    connectCommands();
    showEditState();
}

MainWindow::~MainWindow() {
    // The picture's filter asks the client area for its viewport, which a client area that is
    // being destroyed can no longer answer.
    m_mdiArea->viewport()->removeEventFilter(this);
    // The child windows are views over the workspace: they go before it does.
    delete takeCentralWidget();
}

QList<QObject*> MainWindow::forms() const {
    return {const_cast<MainWindow*>(this),
            m_optionsWindow,
            m_channelEditor,
            m_writeDialog.get(),
            m_aboutBox.get(),
            m_readDialog.get(),
            m_powerDialog.get()};
}

// A button and its menu item share one command (see MainCommands).
void MainWindow::connectCommands() {
    const auto on = [this](Command command, auto&& slot) {
        connect(m_commands->item(command), &QAction::triggered, this, slot);
    };
    PlanDocument* document = m_document.get();
    on(Command::New, [document] { document->newPlan(); });
    on(Command::NewFromStock, [document] { document->newFromStock(); });
    on(Command::Open, [document] { document->open(); });
    on(Command::Save, [document] { document->save(); });
    on(Command::ExportCsv, [document] { document->exportCsv(); });
    on(Command::ImportCsv, [document] { document->importCsv(); });
    SheetCommands* sheets = m_sheets.get();
    on(Command::Print, [sheets] { sheets->printSheet(); });
    on(Command::ExportPdf, [sheets] { sheets->exportSheetPdf(); });
    on(Command::WriteHistory, [sheets] { sheets->showWriteHistory(); });
    on(Command::Close, [this] { close(); });

    on(Command::Read, [this] { openTransferDialog(m_readDialog.get()); });
    on(Command::Write, [this] { openTransferDialog(m_writeDialog.get()); });
    on(Command::WriteSeveral, [this] { writeToSeveralRadios(); });
    on(Command::Compare, [this] { openTransferDialog(m_compareDialog.get()); });
    on(Command::Undo, [document] { document->undo(); });
    on(Command::Redo, [document] { document->redo(); });
    on(Command::ChannelEdit, [this] { m_channelEditor->showOrRestore(); });
    on(Command::CopyRows, [document] { document->copyRows(); });
    on(Command::PasteRows, [document] { document->pasteRows(); });
    on(Command::SetForRows, [document] { document->setForSelectedRows(); });
    on(Command::FillFrequencies, [document] { document->fillFrequencies(); });
    on(Command::FunctionOptions, [this] { m_optionsWindow->showOrRestore(); });
    on(Command::PowerAdjust, [this] { openRadioDialog(m_powerDialog.get()); });
    m_commands->item(Command::PowerAdjust)->setEnabled(m_options.serviceMode);

    QAction* chinese = m_commands->item(Command::Chinese);
    QAction* english = m_commands->item(Command::English);
    on(Command::Chinese, [this, chinese] { chooseLanguage(chinese, Language::Chinese); });
    on(Command::English, [this, english] { chooseLanguage(english, Language::English); });
    connect(m_commands->item(Command::BackupBeforeWrite), &QAction::toggled, this,
            [this](bool on) { m_workspace->writeJob.backup = on; });
    connect(m_commands->item(Command::VerifyAfterWrite), &QAction::toggled, this,
            [this](bool on) { m_workspace->writeJob.verify = on; });
    on(Command::About, [this] { showAbout(); });
    on(Command::AppearanceSystem, [this] { showAppearance(Appearance::System); });
    on(Command::AppearanceLight, [this] { showAppearance(Appearance::Light); });
    on(Command::AppearanceDark, [this] { showAppearance(Appearance::Dark); });

    // Only the user's pick is a model change; the program's own selections are not.
    connect(m_commands->modelSelector(), &QComboBox::activated, this, &MainWindow::changeModel);
}

void MainWindow::createClientArea() {
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("MdiArea"));
    m_mdiArea->setBackground(QColor(0x80, 0x80, 0x80));
    setCentralWidget(m_mdiArea);

    m_picture = new QLabel(m_mdiArea->viewport());
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->setFixedSize(603, 448);
    m_picture->setPixmap(QIcon(QStringLiteral(":/icons/picture.svg")).pixmap(603, 448));
    m_picture->lower();
    m_mdiArea->viewport()->installEventFilter(this);
}

void MainWindow::createStatusLine() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusLine = new QLabel(builtinText(TextId::StatusLine), bar);
    m_statusLine->setObjectName(QStringLiteral("StatusBar1Panel0"));
    bar->addWidget(m_statusLine, 1);
}

void MainWindow::applyStoredSettings() {
    const AppSettings settings = loadSettings(m_settingsFile);
    m_ports->restore(settings.port, m_options.portDevices);

    m_commands->item(Command::BackupBeforeWrite)->setChecked(settings.backupBeforeWrite);
    m_commands->item(Command::VerifyAfterWrite)->setChecked(settings.verifyAfterWrite);
    m_workspace->writeJob.backup = settings.backupBeforeWrite;
    m_workspace->writeJob.verify = settings.verifyAfterWrite;
    showAppearance(settings.appearance);

    connect(&m_workspace->bands, &BandList::changed, this, &MainWindow::showModelList);
    connect(&m_workspace->bands, &BandList::bandApplied, this, &MainWindow::applyModelTitle);
    m_workspace->bands.setItems(settings.bands, settings.currentModel);
}

void MainWindow::createChildWindows() {
    m_optionsWindow = new OptionsWindow(m_workspace->plan, m_mdiArea);
    m_channelEditor = new ChannelEditor(m_workspace->plan, m_mdiArea);
    for (QMdiSubWindow* child : {static_cast<QMdiSubWindow*>(m_optionsWindow),
                                 static_cast<QMdiSubWindow*>(m_channelEditor)}) {
        if (!m_mdiArea->subWindowList().contains(child))
            m_mdiArea->addSubWindow(child);
        child->show();
    }
    // One above the other, so that neither hides the other.
    m_optionsWindow->move(0, 0);
    m_channelEditor->move(0, m_optionsWindow->frameGeometry().bottom() + 1);
    m_mdiArea->setActiveSubWindow(m_channelEditor);
    m_channelEditor->addActions(
        {m_commands->item(Command::CopyRows), m_commands->item(Command::PasteRows)});
}

void MainWindow::createDialogs() {
    // Top-level windows of their own: disabling the main window must not disable them.
    m_writeDialog = std::make_unique<WriteDialog>(*m_workspace);
    m_aboutBox = std::make_unique<AboutBox>();
    m_readDialog = std::make_unique<ReadDialog>(*m_workspace);
    m_powerDialog = std::make_unique<PowerDialog>(*m_workspace);
    m_compareDialog = std::make_unique<CompareDialog>(*m_workspace);
    for (StayOnTopDialog* dialog : std::initializer_list<StayOnTopDialog*>{
             m_writeDialog.get(), m_aboutBox.get(), m_readDialog.get(), m_powerDialog.get(),
             m_compareDialog.get()}) {
        dialog->setOwner(this);
        connect(dialog, &StayOnTopDialog::closed, this, &MainWindow::enableWindows);
    }
    for (TransferDialog* dialog : std::initializer_list<TransferDialog*>{
             m_readDialog.get(), m_writeDialog.get(), m_compareDialog.get()})
        connect(dialog, &TransferDialog::transferStopped, this, &MainWindow::showTransferStopped);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        placeOnScreen();
        runShowStep();
        if (!m_options.channelFile.isEmpty())
            openStartupFile();
    }
}

// A channel file named on the command line opens as the Open command would open it, but its
// error waits until the window is drawn: a box over a window that is not there yet looks like a
// program that failed to start.
void MainWindow::openStartupFile() {
    const auto afterFirstPaint = [this](std::function<void()> show) {
        connect(
            this, &MainWindow::firstPainted, this,
            [this, show] { QTimer::singleShot(0, this, show); }, Qt::SingleShotConnection);
    };
    const Result<QStringList> opened = m_document->openAtStart(m_options.channelFile);
    if (!opened)
        afterFirstPaint([this, message = opened.message()] { showErrorBox(this, message); });
    else if (!opened.value().isEmpty())
        afterFirstPaint(
            [this, problems = opened.value()] { m_document->showFileProblems(problems); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Disabled while a dialog is open: like its menu, its close box must not end the program
    // under a running radio session. A cell that is no number keeps it open for the correction.
    if (!isEnabled() || !m_channelEditor->confirmPendingEntry() ||
        !m_document->settleUnsavedPlan()) {
        event->ignore();
        return;
    }
    writeSettings();
    QMainWindow::closeEvent(event);
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (!m_painted) {
        m_painted = true;
        emit firstPainted();
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The picture stays centred in the client area.
    if (watched == m_mdiArea->viewport() && event->type() == QEvent::Resize) {
        const QSize free = m_mdiArea->viewport()->size() - m_picture->size();
        m_picture->move(qMax(0, free.width() / 2), qMax(0, free.height() / 2));
    }
    return QMainWindow::eventFilter(watched, event);
}

// At its size where the screen has room, otherwise as large as it allows: a laptop screen must
// not cut off the bottom of the window.
void MainWindow::placeOnScreen() {
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    if (frame.isNull() && !windowFlags().testFlag(Qt::FramelessWindowHint))
        frame = usualFrame;
    const QRect fitted = fittedWindowGeometry(mainWindowSize, frame, screen->availableGeometry());
    if (!windowSystemPlacesWindows()) {
        // The compositor places the window, and only it knows where its panels are.
        resize(fitted.size());
        if (wantsMaximised(mainWindowSize, frame, screen->size()))
            setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    setGeometry(fitted);
}

void MainWindow::runShowStep() {
    m_ports->openShownPort();

    const Result<Language> language = detectInstallLanguage(m_files.folderOf(installLogFileName()));
    if (!language) {
        // After the show, so that the box has the window to stand on.
        QTimer::singleShot(0, this,
                           [this, message = language.message()] { showErrorBox(this, message); });
        return;
    }
    switchLanguage(language.value(), true);
}

void MainWindow::writeSettings() {
    AppSettings settings;
    settings.port = m_ports->portNumber();
    settings.bands = m_workspace->bands.items();
    settings.currentModel = m_workspace->bands.currentIndex();
    m_files.prepareSettingsFolder();
    settings.backupBeforeWrite = m_workspace->writeJob.backup;
    settings.verifyAfterWrite = m_workspace->writeJob.verify;
    settings.appearance = m_appearance->appearance();
    if (Status saved = saveSettings(m_settingsFile, settings); !saved)
        showErrorBox(this, saved.message());
}

void MainWindow::loadLanguage(const QString& name) {
    const std::optional<LanguagePack> pack =
        LanguagePack::load(m_files.folderOf(packFileName(name)), name);
    if (!pack)
        return;
    applyPackToWindows(*pack, forms());
    applyPackToTexts(*pack, m_workspace->texts);
    Wording wording = m_workspace->plan.wording();
    applyPackToWording(*pack, wording);
    m_workspace->plan.setWording(wording);
    if (const std::optional<Language> language = languageOfPack(name))
        m_translations.install(m_files.folderOf(messagesFileName(name)), *language);
    m_commands->wordOwnCommands();
    m_compareDialog->wordTexts();
    m_channelEditor->wordTexts();
    for (TransferDialog* dialog : std::initializer_list<TransferDialog*>{
             m_readDialog.get(), m_writeDialog.get(), m_compareDialog.get()})
        dialog->wordProgress();
    m_commands->markMenuLetters();
    m_ports->showTips();
    if (!pack->text(TextId::SuccessLabel).isNull()) {
        m_readDialog->setSuccessCount(0);
        m_writeDialog->setSuccessCount(0);
    }
}

void MainWindow::switchLanguage(Language language, bool atStartup) {
    QAction* chinese = m_commands->item(Command::Chinese);
    QAction* english = m_commands->item(Command::English);
    const bool toEnglish = language == Language::English;
    (toEnglish ? chinese : english)->setChecked(false);
    chinese->setText(toEnglish ? QStringLiteral("Chinese") : QStringLiteral("中文"));
    (toEnglish ? english : chinese)->setChecked(true);

    m_workspace->plan.dropToneHead();
    loadLanguage(packName(language));
    m_commands->markMenuLetters(); // also where the pack is missing
    if (!atStartup)
        m_workspace->plan.reword();
}

void MainWindow::chooseLanguage(QAction* item, Language language) {
    if (!m_channelEditor->confirmPendingEntry()) {
        item->setChecked(!item->isChecked()); // the trigger's own toggle
        return;
    }
    switchLanguage(language);
}

void MainWindow::changeModel(int index) {
    if (!m_document->changeModel(index)) {
        showModelList(); // the selector back on the model that stays
        return;
    }
    applyModelTitle();
}

void MainWindow::applyModelTitle() {
    m_modelTitleShown = true;
    showTitle();
}

void MainWindow::showTitle() {
    // The usual mark of a document with changes not yet saved.
    const QString modified = isPlanModified() ? QStringLiteral("*") : QString();
    const QString model =
        m_modelTitleShown ? QStringLiteral(" [%1]").arg(m_commands->modelSelector()->currentText())
                          : QString();
    setWindowTitle(modified + programTitle() + model);
}

void MainWindow::showModelList() {
    QComboBox* selector = m_commands->modelSelector();
    const QSignalBlocker blocker(selector);
    const BandList& bands = m_workspace->bands;
    selector->clear();
    selector->addItems(bands.items());
    selector->setCurrentIndex(bands.currentIndex());
}

void MainWindow::showEditState() {
    m_commands->item(Command::Undo)->setEnabled(m_document->canUndo());
    m_commands->item(Command::Redo)->setEnabled(m_document->canRedo());
    showTitle();
}

void MainWindow::openTransferDialog(RadioDialog* dialog) {
    if (!m_channelEditor->confirmPendingEntry())
        return;
    m_document->recordStep(); // the plan before the session is the one a read's undo goes back to
    openRadioDialog(dialog);
}

void MainWindow::writeToSeveralRadios() {
    if (!m_channelEditor->confirmPendingEntry())
        return;
    SeveralRadiosDialog dialog(*m_workspace, m_settingsFile, m_document->loggedPlanFile(), this);
    dialog.exec();
}

void MainWindow::openRadioDialog(RadioDialog* dialog) {
    if (!m_ports->portIsFree())
        return;
    dialog->show();
    disableWindows();
}

void MainWindow::showTransferStopped(const QString& message) {
    // The dialog has closed: a box over the main window, where the user goes on.
    QMessageBox box(QMessageBox::Information, programTitle(), message, QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::showAppearance(Appearance appearance) {
    m_appearance->setAppearance(appearance);
    const Command item = appearance == Appearance::Light  ? Command::AppearanceLight
                         : appearance == Appearance::Dark ? Command::AppearanceDark
                                                          : Command::AppearanceSystem;
    m_commands->item(item)->setChecked(true);
}

void MainWindow::showAbout() {
    disableWindows();
    m_aboutBox->show();
}

void MainWindow::disableWindows() {
    setEnabled(false);
    m_channelEditor->setEnabled(false);
    m_optionsWindow->setEnabled(false);
}

void MainWindow::enableWindows() {
    setEnabled(true);
    m_channelEditor->setEnabled(true);
    m_optionsWindow->setEnabled(true);
}

WriteHistoryDialog* MainWindow::writeHistoryDialog() const {
    return m_sheets->writeHistoryDialog();
}

Status MainWindow::exportSheetPdfTo(const QString& path) {
    return m_sheets->exportSheetPdfTo(path);
}

Status MainWindow::exportReceiptPdfTo(const WriteRecord& record, const QString& path) {
    return m_sheets->exportReceiptPdfTo(record, path);
}

} // namespace zev
