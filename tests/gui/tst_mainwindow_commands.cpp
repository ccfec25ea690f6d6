#include "tst_mainwindow_support.h"

#include "ptypair.h"

#include "app/languagepack.h"
#include "app/mnemonic.h"
#include "app/textids.h"
#include "chanfile/channelfile.h"
#include "channeleditor.h"
#include "optionswindow.h"
#include "planmodel.h"
#include "portdevicesdialog.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTableWidget>
#include <QToolButton>

using namespace zevtest;
using testsupport::PtyPair;
using zev::MainWindow;
using zev::Option;
using zev::PlanModel;

Q_DECLARE_METATYPE(zev::PortDiagnosis)

namespace {

std::optional<zev::LanguagePack> pack(const ProgramFolder& folder, const char* name) {
    return zev::LanguagePack::load(folder.path(), QLatin1String(name));
}

bool windowsEnabled(const MainWindow& window) {
    return window.isEnabled() && form(window, "TForm2")->isEnabled() &&
           form(window, "TForm4")->isEnabled();
}

bool windowsDisabled(const MainWindow& window) {
    return !window.isEnabled() && !form(window, "TForm2")->isEnabled() &&
           !form(window, "TForm4")->isEnabled();
}

void fillChannelOne(PlanModel& plan, const zev::ChannelRow& row) {
    plan.setChannel(1, row);
}

// Calls back whenever a message box is shown anywhere in the application.
class BoxShowWatcher : public QObject {
public:
    explicit BoxShowWatcher(std::function<void()> shown) : m_shown(std::move(shown)) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<QMessageBox*>(watched))
            m_shown();
        return false;
    }

private:
    std::function<void()> m_shown;
};

} // namespace

class MainWindowCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }
    void languageSwitch();
    void switchWithoutPack();
    void newPlan_data();
    void newPlan();
    void modelChange_data();
    void modelChange();
    void programSelectionIsNoModelChange();
    void portCommands();
    void unavailablePort_data();
    void unavailablePort();
    void unavailablePortMessage_data();
    void unavailablePortMessage();
    void portDevicesAreSetInTheDialog();
    void portDevicesListFollowsTheCables();
    void freePort_data();
    void freePort();
    void aboutBox_data();
    void aboutBox();
    void childWindowsRestore_data();
    void childWindowsRestore();
    void menusByKeyboard_data();
    void menusByKeyboard();
    void everyMenuItemHasItsOwnLetter_data();
    void everyMenuItemHasItsOwnLetter();
    void helpContentsDoesNothing();
    void powerAdjustOnlyInServiceMode();
    void saveAndOpen();
    void saveAddsTheExtension_data();
    void saveAddsTheExtension();
    void fileNamedAtStartOpens();
    void badFileNamedAtStartWaitsForTheWindow();
    void openFailure_data();
    void openFailure();
    void saveFailure();
};

void MainWindowCommandsTest::languageSwitch() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    const auto chinese = pack(folder, "chinese");
    const auto english = pack(folder, "english");
    QVERIFY(chinese && english);
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    fillChannelOne(plan, {"145.50000", "OFF", "145.50000", "88.5", "High", "ON", "OFF"});
    plan.setCell(PlanModel::Power, 2, QStringLiteral("中功率"));
    plan.setOptionIndex(Option::BatterySave, 0);
    plan.setOptionIndex(Option::VoicePrompt, 4);

    control<QAction>(window.get(), "N20")->trigger();

    QCOMPARE(plan.channel(1),
             (zev::ChannelRow{"145.50000", "禁用", "145.50000", "88.5", "高功率", "启用", "禁用"}));
    QCOMPARE(plan.cell(PlanModel::Power, 2), QStringLiteral("中功率"));
    QCOMPARE(control<QAction>(window.get(), "N20")->text(), QStringLiteral("中文(&C)"));
    QVERIFY(control<QAction>(window.get(), "N20")->isChecked());
    QVERIFY(!control<QAction>(window.get(), "N21")->isChecked());
    QCOMPARE(plan.toneList().size(), 259);
    QCOMPARE(plan.toneList().first(), QStringLiteral("禁用"));

    // A sample of every window's texts.
    using zev::TextId::ProgramLine;
    const QList<std::tuple<const char*, const char*, const char*, int>> samples = {
        {"TForm1", "N2", "text", zev::TextId::NewMenu},
        {"TForm1", "N19", "title", zev::TextId::LanguageMenu},
        {"TForm1", "ToolButton19", "toolTip", zev::TextId::FunctionOptionsHint},
        {"TForm1", "StatusBar1Panel0", "text", zev::TextId::StatusLine},
        {"TForm1", "Label1", "text", zev::TextId::ModelLabel},
        {"TForm2", "", "windowTitle", zev::TextId::ChannelEditorTitle},
        {"TForm2", "TeButton4", "text", zev::TextId::DeleteChannel},
        {"TForm4", "Label4", "text", zev::TextId::VoicePromptLabel},
        {"TForm4", "TeButton1", "text", zev::TextId::ExitButton},
        {"TForm6", "", "windowTitle", zev::TextId::ReadCommand},
        {"TForm6", "Button1", "text", zev::TextId::ReadOutButton},
        {"TForm3", "StatusBar1Panel0", "text", ProgramLine},
        {"TForm5", "Label2", "text", zev::TextId::VersionLine},
        {"TForm7", "Label3", "text", zev::TextId::LowPowerLabel},
    };
    for (const auto& [formName, controlName, property, id] : samples) {
        QObject* target = zev::findControl(form(*window, formName), QLatin1String(controlName));
        QVERIFY2(target, controlName);
        // Menus add the keyboard letter that a pack caption lacks.
        QCOMPARE(zev::plainCaption(target->property(property).toString()),
                 zev::plainCaption(chinese->text(id)));
        QVERIFY(chinese->text(id) != english->text(id) || id == ProgramLine);
    }
    QCOMPARE(control<QLabel>(form(*window, "TForm3"), "StatusBar1Panel1")->text(),
             chinese->text(zev::TextId::SuccessLabel) + "0");
    QCOMPARE(plan.cell(PlanModel::RxFrequency, 0), chinese->text(zev::TextId::HeaderRxFrequency));

    // The selections stay, shown in the new words.
    auto* batterySave = control<QComboBox>(form(*window, "TForm4"), "ComboBox2");
    QCOMPARE(batterySave->currentIndex(), 0);
    QCOMPARE(batterySave->currentText(), QStringLiteral("禁用"));
    auto* voice = control<QComboBox>(form(*window, "TForm4"), "ComboBox4");
    QCOMPARE(voice->currentIndex(), 4);
    QCOMPARE(voice->itemText(0), chinese->text(zev::TextId::ChineseMaleVoice));

    // English twice: one off item, the words once more in English.
    control<QAction>(window.get(), "N21")->trigger();
    control<QAction>(window.get(), "N21")->trigger();
    QCOMPARE(plan.toneList().size(), 259);
    QCOMPARE(plan.toneList().count(QStringLiteral("OFF")), 1);
    QCOMPARE(plan.toneList().first(), QStringLiteral("OFF"));
    QCOMPARE(plan.channel(1),
             (zev::ChannelRow{"145.50000", "OFF", "145.50000", "88.5", "High", "ON", "OFF"}));
    QCOMPARE(control<QAction>(window.get(), "N20")->text(), QStringLiteral("&Chinese"));
    QVERIFY(!control<QAction>(window.get(), "N20")->isChecked());
    QVERIFY(control<QAction>(window.get(), "N21")->isChecked());
    QCOMPARE(batterySave->currentText(), QStringLiteral("OFF"));
    QCOMPARE(control<QAction>(window.get(), "N2")->text(), english->text(zev::TextId::NewMenu));
}

void MainWindowCommandsTest::switchWithoutPack() {
    // The Chinese pack has gone: the menu and the tone list head still follow the switch, the
    // table is re-worded with the words still loaded, and every text stays as it was.
    ProgramFolder folder;
    folder.writeInstallLog(true);
    const auto english = pack(folder, "english");
    QVERIFY(english);
    auto window = startProgram(folder);
    QVERIFY(window);
    QVERIFY(QFile::remove(folder.path() + QStringLiteral("chinese.qm")));
    PlanModel& plan = window->workspace().plan;
    fillChannelOne(plan, {"145.50000", "禁用", "145.50000", "88.5", "低功率", "启用", "OFF"});

    control<QAction>(window.get(), "N20")->trigger();

    QCOMPARE(control<QAction>(window.get(), "N20")->text(), QStringLiteral("中文(&C)"));
    QVERIFY(control<QAction>(window.get(), "N20")->isChecked());
    QVERIFY(!control<QAction>(window.get(), "N21")->isChecked());
    QCOMPARE(plan.toneList().size(), 258);
    QCOMPARE(plan.toneList().first(), QStringLiteral("67.0"));
    QCOMPARE(plan.channel(1),
             (zev::ChannelRow{"145.50000", "OFF", "145.50000", "88.5", "Low", "ON", "OFF"}));
    QCOMPARE(control<QAction>(window.get(), "N2")->text(), english->text(zev::TextId::NewMenu));
    QCOMPARE(window->workspace().texts.newQuestion, english->text(zev::TextId::NewQuestion));
    QCOMPARE(control<QComboBox>(form(*window, "TForm4"), "ComboBox2")->itemText(0),
             QStringLiteral("OFF"));
}

void MainWindowCommandsTest::newPlan_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("reset");
    QTest::newRow("OK") << int(QMessageBox::Ok) << true;
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << false;
}

void MainWindowCommandsTest::newPlan() {
    QFETCH(int, answer);
    QFETCH(bool, reset);
    ProgramFolder folder;
    folder.writeInstallLog(true);
    const auto english = pack(folder, "english");
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    const zev::ChannelRow row{"145.50000", "OFF", "145.50000", "88.5", "High", "ON", "OFF"};
    fillChannelOne(plan, row);
    plan.setCell(PlanModel::RxFrequency, 16, QStringLiteral("430.00000"));
    auto* frequencyEditor = control<QLineEdit>(form(*window, "TForm2"), "bsSkinEdit1");
    QVERIFY(frequencyEditor);
    frequencyEditor->setText(QStringLiteral("145.5"));
    window->workspace().bands.applyBand(QStringLiteral("400-470MHz"));

    MessageBoxAnswerer answerer{QMessageBox::StandardButton(answer)};
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen.first().text, english->text(zev::TextId::NewQuestion));
    QCOMPARE(answerer.seen.first().title, english->text(zev::TextId::ConfirmCaption));
    QCOMPARE(answerer.seen.first().buttons, QMessageBox::Ok | QMessageBox::Cancel);

    if (reset) {
        for (int row = 1; row <= PlanModel::ChannelCount; ++row)
            QCOMPARE(plan.channel(row), zev::ChannelRow{});
        QCOMPARE(plan.optionIndices(), zev::resetOptionIndices);
        QCOMPARE(frequencyEditor->text(), QString());
    } else {
        QCOMPARE(plan.channel(1), row);
        QCOMPARE(plan.optionIndices(), zev::startupOptionIndices);
        QCOMPARE(frequencyEditor->text(), QStringLiteral("145.5"));
    }
    QCOMPARE(plan.cell(PlanModel::Label, 16), QStringLiteral("16"));
    // Marked: the plan is not the one the program started with.
    QCOMPARE(window->windowTitle(), QStringLiteral("*ZEV4800 [400-470MHz]"));
    QCOMPARE(control<QComboBox>(window.get(), "ComboBox1")->currentText(),
             QStringLiteral("400-470MHz"));
}

void MainWindowCommandsTest::modelChange_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("reset");
    QTest::newRow("OK") << int(QMessageBox::Ok) << true;
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << false;
}

void MainWindowCommandsTest::modelChange() {
    QFETCH(int, answer);
    QFETCH(bool, reset);
    ProgramFolder folder;
    folder.writeInstallLog(true);
    folder.writeFile(QStringLiteral("myini.ini"),
                     "[list1]\r\nlistcount=1\r\ncombo0=136-174MHz\r\ncombo1=400-470MHz\r\n");
    const auto english = pack(folder, "english");
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    const zev::ChannelRow row{"145.50000", "OFF", "145.50000", "88.5", "High", "ON", "OFF"};
    fillChannelOne(plan, row);
    auto* frequencyEditor = control<QLineEdit>(form(*window, "TForm2"), "bsSkinEdit1");
    frequencyEditor->setText(QStringLiteral("145.5"));

    MessageBoxAnswerer answerer{QMessageBox::StandardButton(answer)};
    auto* selector = control<QComboBox>(window.get(), "ComboBox1");
    QTest::keyClick(selector, Qt::Key_Down);
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen.first().text, english->text(zev::TextId::ModelChangeQuestion));
    QCOMPARE(answerer.seen.first().title, english->text(zev::TextId::ConfirmCaption));
    QCOMPARE(answerer.seen.first().buttons, QMessageBox::Ok | QMessageBox::Cancel);

    QCOMPARE(selector->currentIndex(), 1);
    QCOMPARE(window->workspace().bands.currentIndex(), 1);
    // Marked: the plan is not the one the program started with.
    QCOMPARE(window->windowTitle(), QStringLiteral("*ZEV4800 [400-470MHz]"));
    QCOMPARE(plan.channel(1), reset ? zev::ChannelRow{} : row);
    QCOMPARE(plan.optionIndices(), reset ? zev::resetOptionIndices : zev::startupOptionIndices);
    // A confirmed reset leaves no text behind in the frequency editor; Cancel leaves it alone.
    QCOMPARE(frequencyEditor->text(), reset ? QString() : QStringLiteral("145.5"));
}

void MainWindowCommandsTest::programSelectionIsNoModelChange() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    fillChannelOne(plan, {"145.50000", "OFF", "145.50000", "88.5", "High", "ON", "OFF"});
    MessageBoxAnswerer answerer;
    window->workspace().bands.applyBand(QStringLiteral("400-470MHz"));
    // Marked: the plan is not the one the program started with.
    QCOMPARE(window->windowTitle(), QStringLiteral("*ZEV4800 [400-470MHz]"));
    window->workspace().bands.setCurrentIndex(0);
    QCOMPARE(control<QComboBox>(window.get(), "ComboBox1")->currentText(),
             QStringLiteral("136-174MHz"));
    QTest::qWait(20);
    QVERIFY(answerer.seen.isEmpty());
    QCOMPARE(plan.cell(PlanModel::RxFrequency, 1), QStringLiteral("145.50000"));
}

void MainWindowCommandsTest::portCommands() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    const auto checked = [&window](const QString& prefix, int first) {
        QList<int> numbers;
        for (int number = 1; number <= 4; ++number) {
            QObject* item =
                zev::findControl(window.get(), prefix + QString::number(first + number));
            if (item->property("checked").toBool())
                numbers << number;
        }
        return numbers;
    };
    control<QAction>(window.get(), "COM2")->trigger();
    QCOMPARE(checked("COM", 0), QList<int>{2});
    QCOMPARE(checked("ToolButton", 30), QList<int>{2});
    QCOMPARE(window->workspace().port.portNumber(), 2);
    QCOMPARE(window->workspace().port.device(), QStringLiteral("/dev/ttyUSB1"));

    // Pressing the selected port's button again keeps it selected.
    for (int click = 0; click < 2; ++click) {
        QTest::mouseClick(control<QToolButton>(window.get(), "ToolButton34"), Qt::LeftButton);
        QCOMPARE(checked("COM", 0), QList<int>{4});
        QCOMPARE(checked("ToolButton", 30), QList<int>{4});
        QCOMPARE(window->workspace().port.portNumber(), 4);
        QCOMPARE(window->workspace().port.device(), QStringLiteral("/dev/ttyUSB3"));
    }
    QVERIFY(!window->workspace().port.isOpen());
}

void MainWindowCommandsTest::unavailablePort_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("held");
    for (const char* command : {"N6", "ToolButton8", "N18"}) {
        QTest::addRow("%s, missing device", command) << command << false;
        QTest::addRow("%s, held by another program", command) << command << true;
    }
}

void MainWindowCommandsTest::unavailablePort() {
    QFETCH(QString, command);
    QFETCH(bool, held);
    ProgramFolder folder;
    folder.writeInstallLog(true);
    const auto english = pack(folder, "english");
    PtyPair terminal;
    QVERIFY(!terminal.slavePath().isEmpty());
    QSerialPort holder(terminal.slavePath());
    if (held)
        QVERIFY(holder.open(QIODevice::ReadWrite));
    zev::StartupOptions options;
    options.serviceMode = true;
    options.portDevices[1] =
        held ? terminal.slavePath() : folder.path() + QStringLiteral("ttyNone");
    auto window = startProgram(folder, options);
    QVERIFY(window);

    MessageBoxAnswerer answerer;
    QObject* trigger = zev::findControl(window.get(), command);
    if (auto* button = qobject_cast<QToolButton*>(trigger))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        qobject_cast<QAction*>(trigger)->trigger();
    QCOMPARE(answerer.seen.size(), 1);
    const QString device = options.portDevices[1];
    // The holder is this test: named by the lock file that its QSerialPort took.
    QFile comm(QStringLiteral("/proc/self/comm"));
    QVERIFY(comm.open(QIODevice::ReadOnly));
    const QString self = QString::fromLocal8Bit(comm.readAll().trimmed());
    QCOMPARE(answerer.seen.first().text,
             english->text(zev::TextId::PortBusyMessage) +
                 (held ? QStringLiteral("\nCOM1: %1 is in use by %2 (process %3). Close that "
                                        "program and try again.")
                             .arg(device, self)
                             .arg(QCoreApplication::applicationPid())
                       : QStringLiteral("\nCOM1: There is no serial device %1.").arg(device)));
    QCOMPARE(answerer.seen.first().title, english->text(zev::TextId::PortBusyCaption));
    QCOMPARE(answerer.seen.first().icon, QMessageBox::Warning);
    QCOMPARE(answerer.seen.first().buttons, QMessageBox::Ok);
    for (const char* dialog : {"TForm3", "TForm6", "TForm7"})
        QVERIFY(!form(*window, dialog)->isVisible());
    QVERIFY(windowsEnabled(*window));
    QVERIFY(!window->workspace().port.isOpen());
}

void MainWindowCommandsTest::unavailablePortMessage_data() {
    QTest::addColumn<zev::PortDiagnosis>("diagnosis");
    QTest::addColumn<QString>("message");
    QTest::newRow("free") << zev::PortDiagnosis{} << "";
    QTest::newRow("permission denied")
        << zev::PortDiagnosis{zev::ProbeOutcome::PermissionDenied,
                              "/dev/ttyUSB2",
                              "dialout",
                              {},
                              {},
                              false,
                              false,
                              {}}
        << "Port busy.\nCOM3: Permission denied on /dev/ttyUSB2: your user is not in the group "
           "dialout that owns it. Join the group with sudo usermod -aG dialout $USER; this takes "
           "effect at your next login.";
}

void MainWindowCommandsTest::unavailablePortMessage() {
    QFETCH(zev::PortDiagnosis, diagnosis);
    QFETCH(QString, message);
    QCOMPARE(zev::portUnavailableMessage(QStringLiteral("Port busy."), diagnosis, 3), message);
}

void MainWindowCommandsTest::portDevicesAreSetInTheDialog() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    folder.writeFile(QStringLiteral("myini.ini"),
                     "; kept as it is\r\n[Other]\r\nkey=value\r\n[OPEN]\r\nCOM=2\r\n"
                     "[Ports]\r\nCOM1=/dev/ttyUSB7\r\nbaud=9600\r\n");
    PtyPair terminal;
    QVERIFY(!terminal.slavePath().isEmpty());
    auto window = startProgram(folder);
    QVERIFY(window);

    bool shown = false;
    QTimer::singleShot(0, window.get(), [&] {
        auto* dialog = window->findChild<zev::PortDevicesDialog*>();
        QVERIFY(dialog);
        shown = dialog->isVisible();
        auto* com1 = dialog->findChild<QComboBox*>("PortDevice1");
        QVERIFY(com1);
        QCOMPARE(com1->currentText(), QStringLiteral("/dev/ttyUSB7"));
        dialog->findChild<QComboBox*>("PortDevice2")->setCurrentText(terminal.slavePath());
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    control<QAction>(window.get(), "PortDevicesItem")->trigger();
    QVERIFY(shown);

    // The selected port takes its new device at once, and its tip says it is there.
    QCOMPARE(window->workspace().port.device(), terminal.slavePath());
    QCOMPARE(control<QToolButton>(window.get(), "ToolButton32")->toolTip(),
             terminal.slavePath() + " (present)");
    // Only the [ports] keys change; every other line stays as it was.
    QCOMPARE(folder.readFile(QStringLiteral("myini.ini")),
             "; kept as it is\r\n[Other]\r\nkey=value\r\n[OPEN]\r\nCOM=2\r\n"
             "[Ports]\r\nCOM1=/dev/ttyUSB7\r\nbaud=9600\r\ncom2=" +
                 terminal.slavePath().toUtf8() + "\r\ncom3=/dev/ttyUSB2\r\ncom4=/dev/ttyUSB3\r\n");
}

void MainWindowCommandsTest::portDevicesListFollowsTheCables() {
    zev::PresentPort cable;
    cable.device = QStringLiteral("/dev/ttyUSB0");
    cable.stableName = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0");
    cable.description = QStringLiteral("FT232R USB UART");
    cable.vendorId = 0x0403;
    cable.productId = 0x6001;
    QList<zev::PresentPort> present;
    zev::PortDevicesDialog dialog({"/dev/ttyUSB0", "", "", ""}, nullptr, [&] { return present; });
    auto* list = dialog.findChild<QTableWidget*>("PortList");
    auto* com1 = dialog.findChild<QComboBox*>("PortDevice1");
    QCOMPARE(list->rowCount(), 0);

    present = {cable}; // plugged in
    dialog.refresh();
    QCOMPARE(list->rowCount(), 1);
    QCOMPARE(list->item(0, 1)->text(), cable.stableName);
    QCOMPARE(list->item(0, 3)->text(), QStringLiteral("0403:6001"));
    QCOMPARE(com1->currentText(), QStringLiteral("/dev/ttyUSB0")); // the choice stays
    QVERIFY(com1->findText(cable.stableName) >= 0);                // by its stable name
    com1->setCurrentText(cable.stableName);

    present.clear(); // pulled out
    dialog.refresh();
    QCOMPARE(list->rowCount(), 0);
    QCOMPARE(dialog.devices()[0], cable.stableName);
}

void MainWindowCommandsTest::freePort_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("closing");
    QTest::newRow("read, close box") << "N6"
                                     << "TForm6"
                                     << "close";
    QTest::newRow("read button, Escape") << "ToolButton6"
                                         << "TForm6"
                                         << "escape";
    QTest::newRow("write, close box") << "N7"
                                      << "TForm3"
                                      << "close";
    QTest::newRow("write button, close box") << "ToolButton8"
                                             << "TForm3"
                                             << "close";
    QTest::newRow("read by Ctrl+R") << "Ctrl+R"
                                    << "TForm6"
                                    << "escape";
    QTest::newRow("write by Ctrl+W") << "Ctrl+W"
                                     << "TForm3"
                                     << "close";
    QTest::newRow("power, close box") << "N18"
                                      << "TForm7"
                                      << "close";
    QTest::newRow("power button, Escape") << "ToolButton22"
                                          << "TForm7"
                                          << "escape";
}

void MainWindowCommandsTest::freePort() {
    QFETCH(QString, command);
    QFETCH(QString, dialog);
    QFETCH(QString, closing);
    ProgramFolder folder;
    folder.writeInstallLog(true);
    PtyPair terminal;
    QVERIFY(!terminal.slavePath().isEmpty());
    zev::StartupOptions options;
    options.serviceMode = true;
    options.portDevices[2] = terminal.slavePath();
    folder.writeFile(QStringLiteral("myini.ini"), "[open]\r\ncom=2\r\n");
    auto window = startProgram(folder, options);
    QVERIFY(window);

    MessageBoxAnswerer answerer;
    QObject* trigger = zev::findControl(window.get(), command);
    if (auto* button = qobject_cast<QToolButton*>(trigger))
        QTest::mouseClick(button, Qt::LeftButton);
    else if (auto* item = qobject_cast<QAction*>(trigger))
        item->trigger();
    else // a shortcut, pressed where the focus is: in the channel editor
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(command));
    QWidget* shown = form(*window, qPrintable(dialog));
    QVERIFY(shown->isVisible());
    QVERIFY(windowsDisabled(*window));
    QVERIFY(shown->isEnabled());
    QVERIFY(!window->close());
    QVERIFY(window->workspace().port.isOpen());
    QCOMPARE(window->workspace().port.device(), terminal.slavePath());
    QTest::qWait(20);
    QVERIFY(answerer.seen.isEmpty());

    if (closing == "close")
        QVERIFY(shown->close());
    else
        QTest::keyClick(shown, Qt::Key_Escape);
    QVERIFY(!shown->isVisible());
    QVERIFY(windowsEnabled(*window));
    QVERIFY(!window->workspace().port.isOpen());
}

void MainWindowCommandsTest::aboutBox_data() {
    QTest::addColumn<QString>("closing");
    QTest::newRow("exit button") << "button";
    QTest::newRow("close box") << "close";
    QTest::newRow("Escape") << "escape";
}

void MainWindowCommandsTest::aboutBox() {
    QFETCH(QString, closing);
    ProgramFolder folder;
    folder.writeInstallLog(false);
    auto window = startProgram(folder);
    QVERIFY(window);
    control<QAction>(window.get(), "N16")->trigger();
    QWidget* about = form(*window, "TForm5");
    QVERIFY(about->isVisible());
    QCOMPARE(about->size(), QSize(357, 202));
    QCOMPARE(control<QLabel>(about, "Image1")->size(), QSize(44, 46));
    QVERIFY(windowsDisabled(*window));
    // The disabled main window takes no commands meanwhile, its close box included.
    QVERIFY(!control<QToolButton>(window.get(), "ToolButton19")->isEnabled());
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());

    if (closing == "button")
        QTest::mouseClick(control<QAbstractButton>(about, "TeButton1"), Qt::LeftButton);
    else if (closing == "close")
        QVERIFY(about->close());
    else
        QTest::keyClick(about, Qt::Key_Escape);
    QVERIFY(!about->isVisible());
    QVERIFY(windowsEnabled(*window));
    QVERIFY(control<QToolButton>(window.get(), "ToolButton19")->isEnabled());
    QVERIFY(window->close());
}

void MainWindowCommandsTest::childWindowsRestore_data() {
    QTest::addColumn<QString>("child");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("state");
    for (const char* state : {"closed", "closed minimised", "minimised"}) {
        QTest::addRow("editor by menu, %s", state) << "TForm2"
                                                   << "N9" << state;
        QTest::addRow("editor by button, %s", state) << "TForm2"
                                                     << "ToolButton18" << state;
        QTest::addRow("options by menu, %s", state) << "TForm4"
                                                    << "N11" << state;
        QTest::addRow("options by button, %s", state) << "TForm4"
                                                      << "ToolButton19" << state;
    }
}

void MainWindowCommandsTest::childWindowsRestore() {
    QFETCH(QString, child);
    QFETCH(QString, command);
    QFETCH(QString, state);
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    fillChannelOne(plan, {"145.50000", "OFF", "145.50000", "88.5", "High", "ON", "OFF"});
    auto* subWindow = qobject_cast<QMdiSubWindow*>(form(*window, qPrintable(child)));
    const QSize normalSize = subWindow->size();
    if (state.contains("minimised")) {
        subWindow->showMinimized();
        QVERIFY(subWindow->isMinimized());
    }
    const auto runCommand = [&] {
        QObject* trigger = zev::findControl(window.get(), command);
        if (auto* button = qobject_cast<QToolButton*>(trigger))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            qobject_cast<QAction*>(trigger)->trigger();
    };

    if (state.contains("closed")) {
        QVERIFY(subWindow->close() || !subWindow->isVisible());
        QVERIFY(!subWindow->isVisible());
    }
    // A reset while hidden or minimised shows once the window is back.
    plan.reset();
    runCommand();
    QVERIFY(subWindow->isVisible());
    QVERIFY(!subWindow->isMinimized());
    QCOMPARE(subWindow->size(), normalSize);
    QCOMPARE(subWindow->mdiArea()->activeSubWindow(), subWindow);
    QCOMPARE(control<QComboBox>(form(*window, "TForm4"), "ComboBox3")->currentIndex(), 3);

    // While visible the command only brings it to the front.
    QMdiSubWindow* other =
        qobject_cast<QMdiSubWindow*>(form(*window, child == "TForm2" ? "TForm4" : "TForm2"));
    subWindow->mdiArea()->setActiveSubWindow(other);
    runCommand();
    QCOMPARE(subWindow->mdiArea()->activeSubWindow(), subWindow);
    QVERIFY(other->isVisible());
}

void MainWindowCommandsTest::menusByKeyboard_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("menuLetters"); // File, Edit, Options, Help
    QTest::addColumn<QString>("aboutTitle");
    QTest::newRow("English") << true << "FEOH"
                             << "About";
    QTest::newRow("Chinese") << false << "FPOH"
                             << "关于";
}

void MainWindowCommandsTest::menusByKeyboard() {
    QFETCH(bool, english);
    QFETCH(QString, menuLetters);
    QFETCH(QString, aboutTitle);
    ProgramFolder folder;
    folder.writeInstallLog(english);
    auto window = startProgram(folder);
    QVERIFY(window);
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    const auto pressAlt = [](QChar letter) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(letter.unicode()), Qt::AltModifier);
    };

    const char* const menus[] = {"N1", "N5", "N22", "N13"};
    for (int i = 0; i < 4; ++i) {
        auto* menu = control<QMenu>(window.get(), menus[i]);
        pressAlt(menuLetters.at(i));
        QTRY_COMPARE(QApplication::activePopupWidget(), menu);
        // Each entry of the menu has a letter of its own.
        QList<QKeySequence> letters;
        for (QAction* item : menu->actions()) {
            if (item->isSeparator())
                continue;
            const QKeySequence letter = QKeySequence::mnemonic(item->text());
            QVERIFY2(!letter.isEmpty() && !letters.contains(letter), qPrintable(item->text()));
            letters << letter;
        }
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_VERIFY(!menu->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); // out of the menu bar
    }

    // The letters reach the commands: Channel edit brings the minimised editor back.
    auto* editor = qobject_cast<QMdiSubWindow*>(form(*window, "TForm2"));
    editor->showMinimized();
    pressAlt(menuLetters.at(1));
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_C);
    QTRY_VERIFY(!editor->isMinimized());
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->mdiArea()->activeSubWindow(), editor);

    // About shows its title without the menu's marks.
    pressAlt(menuLetters.at(3));
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_A);
    QWidget* about = form(*window, "TForm5");
    QTRY_VERIFY(about->isVisible());
    QCOMPARE(about->windowTitle(), aboutTitle);
    QTest::keyClick(about, Qt::Key_Escape);
    QVERIFY(windowsEnabled(*window));
}

void MainWindowCommandsTest::everyMenuItemHasItsOwnLetter_data() {
    QTest::addColumn<bool>("englishAtStart");
    QTest::addColumn<QString>("switchTo"); // the Language menu's item chosen after the start
    QTest::newRow("English") << true << "";
    QTest::newRow("Chinese") << false << "";
    QTest::newRow("Chinese, then English") << false << "N21";
    QTest::newRow("English, then Chinese") << true << "N20";
}

// Every entry of every menu and submenu, the disabled ones too, can be reached by Alt and a
// letter: each has a letter that no other entry of its menu has.
void MainWindowCommandsTest::everyMenuItemHasItsOwnLetter() {
    QFETCH(bool, englishAtStart);
    QFETCH(QString, switchTo);
    ProgramFolder folder;
    folder.writeInstallLog(englishAtStart);
    auto window = startProgram(folder);
    QVERIFY(window);
    if (!switchTo.isEmpty())
        control<QAction>(window.get(), qPrintable(switchTo))->trigger();

    const QRegularExpression han(QStringLiteral("\\p{Han}"));
    const QRegularExpression bracketedLetter(QStringLiteral("\\(&[^&]\\)"));
    QStringList faults;
    int checked = 0;
    std::function<void(const QString&, const QList<QAction*>&)> walk =
        [&](const QString& menuName, const QList<QAction*>& items) {
            QHash<QKeySequence, QString> letters;
            for (QAction* item : items) {
                if (item->isSeparator())
                    continue;
                ++checked;
                const QKeySequence letter = QKeySequence::mnemonic(item->text());
                if (letter.isEmpty())
                    faults << QStringLiteral("%1 > %2: no letter").arg(menuName, item->text());
                else if (letters.contains(letter))
                    faults << QStringLiteral("%1 > %2: the letter of %3")
                                  .arg(menuName, item->text(), letters.value(letter));
                // Among Chinese characters the letter stands in brackets, as the packs have it.
                else if (item->text().contains(han) && !item->text().contains(bracketedLetter))
                    faults << QStringLiteral("%1 > %2: the letter is not in brackets")
                                  .arg(menuName, item->text());
                letters.insert(letter, item->text());
                if (QMenu* submenu = item->menu())
                    walk(item->text(), submenu->actions());
            }
        };
    walk(QStringLiteral("menu bar"), window->menuBar()->actions());
    QVERIFY(checked > 30);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void MainWindowCommandsTest::helpContentsDoesNothing() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    MessageBoxAnswerer answerer;
    QList<QWidget*> visibleBefore;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            visibleBefore << widget;
    auto* helpContents = control<QAction>(window.get(), "N14");
    QVERIFY(helpContents->isEnabled());
    helpContents->trigger();
    QTest::qWait(20);
    QList<QWidget*> visibleAfter;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            visibleAfter << widget;
    QCOMPARE(visibleAfter, visibleBefore);
    QVERIFY(answerer.seen.isEmpty());
    QVERIFY(windowsEnabled(*window));
}

void MainWindowCommandsTest::powerAdjustOnlyInServiceMode() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    for (bool service : {false, true}) {
        zev::StartupOptions options;
        options.serviceMode = service;
        auto window = startProgram(folder, options);
        QVERIFY(window);
        QCOMPARE(control<QAction>(window.get(), "N18")->isEnabled(), service);
        QCOMPARE(control<QToolButton>(window.get(), "ToolButton22")->isEnabled(), service);
    }
}

void MainWindowCommandsTest::fileNamedAtStartOpens() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    zev::Plan file;
    file.band = QStringLiteral("400-470MHz");
    file.options = zev::resetOptionIndices;
    file.channels[1] = {"433.50000", "OFF", "433.50000", "D023N", "Low", "ON", "OFF"};
    const QString path = folder.path() + QStringLiteral("start.z81");
    QVERIFY(zev::saveChannelFile(path, file, {}).ok());

    zev::StartupOptions options;
    options.channelFile = path;
    auto window = startProgram(folder, options);
    QVERIFY(window);
    QCOMPARE(window->workspace().plan.channel(2), file.channels[1]);
    QCOMPARE(window->windowTitle(), QStringLiteral("ZEV4800 [400-470MHz]"));
    // Opened after the language load: the plan's option texts are English.
    QCOMPARE(window->workspace().plan.optionText(Option::Scan), QStringLiteral("OFF"));
}

// A bad file named on the command line: its error stands over the drawn window, not in its place.
void MainWindowCommandsTest::badFileNamedAtStartWaitsForTheWindow() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    const QString path = folder.path() + QStringLiteral("bad.z81");
    folder.writeFile(QStringLiteral("bad.z81"),
                     "RH-4800 MEMORY CHANNEL\r\n\r\n\r\nBAND 400-470MHz\r\nSquelch x 2\r\n");
    zev::StartupOptions options;
    options.programDirectory = folder.path();
    options.channelFile = path;
    MainWindow window(options);
    bool painted = false;
    connect(&window, &MainWindow::firstPainted, this, [&painted] { painted = true; });
    QList<bool> paintedWhenShown;
    BoxShowWatcher watcher([&] { paintedWhenShown << painted; });
    MessageBoxAnswerer answerer;
    window.show();
    QVERIFY(answerer.waitForBoxes(1));
    QCOMPARE(paintedWhenShown, QList<bool>{true});
    QCOMPARE(answerer.seen.first().text, path + ", line 5: 'x' is not a valid integer value");
    QCOMPARE(window.windowTitle(), QStringLiteral("ZEV4800"));
}

void MainWindowCommandsTest::saveAndOpen() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    const zev::ChannelRow row{"145.50000", "OFF", "145.50000", "88.5", "High", "ON", "OFF"};
    plan.setChannel(3, row);
    plan.setOptionIndex(Option::Squelch, 7);
    window->workspace().bands.applyBand(QStringLiteral("400-470MHz"));
    const QString path = folder.path() + QStringLiteral("plan.z81");
    QList<MainWindow::FileDialogKind> asked;
    window->fileNameProvider = [&](MainWindow::FileDialogKind kind) {
        asked << kind;
        return path;
    };

    MessageBoxAnswerer answerer;
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(QFile::exists(path));
    const QByteArray saved = folder.readFile(QStringLiteral("plan.z81"));
    QVERIFY(
        saved.startsWith("RH-4800 MEMORY CHANNEL\r\n\r\n\r\nBAND 400-470MHz\r\nSquelch 7 7\r\n"));

    // Another plan and band, then Open brings the saved one back.
    plan.reset();
    window->workspace().bands.setCurrentIndex(0);
    QMetaObject::invokeMethod(control<QToolButton>(window.get(), "ToolButton3"), "click");
    QCOMPARE(plan.channel(3), row);
    QCOMPARE(plan.optionIndex(Option::Squelch), 7);
    QCOMPARE(control<QComboBox>(window.get(), "ComboBox1")->currentText(),
             QStringLiteral("400-470MHz"));
    // Just opened: not marked as changed.
    QCOMPARE(window->windowTitle(), QStringLiteral("ZEV4800 [400-470MHz]"));
    QCOMPARE(asked, (QList<MainWindow::FileDialogKind>{MainWindow::FileDialogKind::Save,
                                                       MainWindow::FileDialogKind::Open}));
    QVERIFY(answerer.seen.isEmpty());

    // A cancelled dialog does nothing.
    window->fileNameProvider = [](MainWindow::FileDialogKind) { return QString(); };
    control<QAction>(window.get(), "O1")->trigger();
    control<QAction>(window.get(), "S1")->trigger();
    QVERIFY(answerer.seen.isEmpty());
}

// The real save dialog, by keyboard: a name typed without extension gets ".z81", so that Open,
// which lists only channel files, finds it again.
void MainWindowCommandsTest::saveAddsTheExtension_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<bool>("existing");
    QTest::newRow("no extension") << "plan"
                                  << "plan.z81" << false;
    QTest::newRow("channel file extension") << "plan.z81"
                                            << "plan.z81" << false;
    QTest::newRow("another extension") << "plan.txt"
                                       << "plan.txt" << false;
    QTest::newRow("no extension, file there") << "plan"
                                              << "plan.z81" << true;
}

void MainWindowCommandsTest::saveAddsTheExtension() {
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QFETCH(bool, existing);
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    if (existing)
        folder.writeFile(saved, "an older plan\r\n");
    window->workspace().plan.setChannel(
        2, {"145.50000", "OFF", "145.50000", "88.5", "High", "ON", "OFF"});

    // Replacing a file is asked first.
    MessageBoxAnswerer answerer(QMessageBox::Yes);
    bool typedIn = false;
    QTimer typist;
    typist.setInterval(10);
    connect(&typist, &QTimer::timeout, this, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* name = dialog ? dialog->findChild<QLineEdit*>("fileNameEdit") : nullptr;
        if (!name || !name->hasFocus())
            return;
        typist.stop();
        QTest::keyClicks(name, folder.path() + typed);
        QTest::keyClick(name, Qt::Key_Return);
        typedIn = true;
    });
    typist.start();
    QTest::keySequence(QApplication::focusWidget(), QKeySequence::Save);
    QVERIFY(typedIn);
    QCOMPARE(answerer.seen.size(), existing ? 1 : 0);
    if (existing)
        QCOMPARE(answerer.seen.first().text, saved + " already exists. Replace it?");
    QVERIFY(folder.readFile(saved).startsWith("RH-4800 MEMORY CHANNEL\r\n"));
    QVERIFY(folder.readFile(saved).contains("CH02 | 145.50000"));
    if (saved != typed)
        QVERIFY(!QFile::exists(folder.path() + typed));
}

void MainWindowCommandsTest::openFailure_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file") << QByteArray() << "";
    QTest::newRow("option not a digit")
        << QByteArray("RH-4800 MEMORY CHANNEL\r\n\r\n\r\nBAND 400-470MHz\r\nSquelch x 2\r\n")
        << "'x' is not a valid integer value";
}

void MainWindowCommandsTest::openFailure() {
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    const zev::ChannelRow row{"145.50000", "OFF", "145.50000", "88.5", "High", "ON", "OFF"};
    plan.setChannel(1, row);
    const QString path = folder.path() + QStringLiteral("bad.z81");
    if (!content.isEmpty())
        folder.writeFile(QStringLiteral("bad.z81"), content);
    window->fileNameProvider = [&](MainWindow::FileDialogKind) { return path; };

    MessageBoxAnswerer answerer;
    control<QAction>(window.get(), "O1")->trigger();
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen.first().icon, QMessageBox::Critical);
    QCOMPARE(answerer.seen.first().title, QStringLiteral("ZEV4800"));
    const zev::Result<zev::LoadedChannelFile> expected = zev::readChannelFile(path);
    QVERIFY(!expected.ok());
    QCOMPARE(answerer.seen.first().text, expected.message());
    QVERIFY2(answerer.seen.first().text.contains(message), qPrintable(answerer.seen.first().text));
    QCOMPARE(plan.channel(1), row);
    QCOMPARE(plan.optionIndices(), zev::startupOptionIndices);
    QCOMPARE(window->workspace().bands.items(), QStringList{"136-174MHz"});
    // The plan as it was, still marked with its unsaved channel.
    QCOMPARE(window->windowTitle(), QStringLiteral("*ZEV4800"));
}

void MainWindowCommandsTest::saveFailure() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    const QString path = folder.path() + QStringLiteral("no such folder/plan.z81");
    window->fileNameProvider = [&](MainWindow::FileDialogKind) { return path; };
    MessageBoxAnswerer answerer;
    control<QAction>(window.get(), "S1")->trigger();
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen.first().icon, QMessageBox::Critical);
    QVERIFY(!answerer.seen.first().text.isEmpty());
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(MainWindowCommandsTest)
#include "tst_mainwindow_commands.moc"
