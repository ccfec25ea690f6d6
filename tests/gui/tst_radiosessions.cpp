#include "tst_mainwindow_support.h"

#include "app/languagepack.h"
#include "app/textids.h"
#include "chanfile/backups.h"
#include "chanfile/channelfile.h"
#include "channeleditor.h"
#include "comparedialog.h"
#include "jobs/writelog.h"
#include "optionswindow.h"
#include "plan/band.h"
#include "plan/bandlist.h"
#include "planmodel.h"
#include "portdevicesdialog.h"
#include "powerdialog.h"
#include "radio/codec.h"
#include "radio/hex.h"
#include "readdialog.h"
#include "sim/simulator.h"
#include "writedialog.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QToolButton>

#include "files.h"
#include "frames.h"
#include "programrun.h"
#include "simulatorprocess.h"

#include <optional>

using namespace zevtest;
using namespace testsupport;

namespace {

// A folder variable pointed into the bench's folder for one test, and put back after it.
class FolderVariable {
public:
    FolderVariable(const char* name, const QString& path)
        : m_name(name), m_previous(qgetenv(name)) {
        qputenv(name, path.toLocal8Bit());
    }
    ~FolderVariable() { qputenv(m_name, m_previous); }
    FolderVariable(const FolderVariable&) = delete;
    FolderVariable& operator=(const FolderVariable&) = delete;

private:
    const char* m_name;
    QByteArray m_previous;
};

// The empty channel lines of a channel file from channel `from` to 16, each with its line end.
QString emptyChannelLines(int from) {
    QString lines;
    for (int channel = from; channel <= 16; ++channel)
        lines += QStringLiteral("CH%1 |  |  |  |  |  |  |  | \r\n")
                     .arg(channel, 2, 10, QLatin1Char('0'));
    return lines;
}

zev::ChannelRow row(const QStringList& cells) {
    zev::ChannelRow result;
    for (int column = 0; column < 7; ++column)
        result[column] = cells.value(column);
    return result;
}

// The program in English on a folder of its own, its COM1 on a simulated radio. Every message
// box is answered and remembered; every byte the program sends is recorded as hex.
class Bench {
public:
    // paced: the radio at the line's own pace, as a real one answers; else as fast as it can.
    explicit Bench(const QStringList& simulatorArguments, bool paced = false) {
        folder.writeInstallLog(true);
        pack = zev::LanguagePack::load(folder.path(), QStringLiteral("english"));
        const QStringList pacing = paced ? QStringList{} : QStringList{"--baud", "0"};
        sim.emplace(QStringList{"--image", imagePath(), "--trace", tracePath()} + pacing +
                    simulatorArguments);
        zev::StartupOptions options;
        options.portDevices[1] = sim->terminal();
        options.serviceMode = true;
        window = startProgram(folder, options);
        if (window)
            QObject::connect(&workspace().link, &zev::RadioLink::bytesSent,
                             [this](const QByteArray& bytes) { sent << zev::bytesToHex(bytes); });
    }
    bool ready() const { return pack && !sim->terminal().isEmpty() && window; }

    zev::Workspace& workspace() const { return window->workspace(); }
    zev::PlanModel& plan() const { return workspace().plan; }
    QString text(int id) const { return pack->text(id); }
    QString imagePath() const { return folder.path() + QStringLiteral("radio.bin"); }
    QString tracePath() const { return folder.path() + QStringLiteral("radio.trace"); }
    // The image and the frames the radio heard, once it has been stopped.
    QByteArray savedImage() {
        sim->stop();
        return readFile(imagePath());
    }
    QStringList heard() {
        sim->stop();
        return heardFrames(tracePath());
    }
    QString heardBytes() {
        sim->stop();
        return heardFrames(tracePath(), Skipped::Included).join(QString());
    }

    // The main window's command for a dialog; the dialog is up once it returns.
    void choose(const char* command) { control<QAction>(window.get(), command)->trigger(); }
    bool othersDisabled() const {
        return !window->isEnabled() && !form(*window, "TForm2")->isEnabled() &&
               !form(*window, "TForm4")->isEnabled();
    }
    bool othersEnabled() const {
        return window->isEnabled() && form(*window, "TForm2")->isEnabled() &&
               form(*window, "TForm4")->isEnabled();
    }

    ProgramFolder folder;
    std::optional<zev::LanguagePack> pack;
    std::optional<SimulatorProcess> sim;
    std::unique_ptr<zev::MainWindow> window;
    MessageBoxAnswerer boxes;
    QStringList sent;
};

QString boxesSeen(const MessageBoxAnswerer& boxes) {
    QStringList texts;
    for (const SeenBox& box : boxes.seen)
        texts << box.title + QStringLiteral(": ") + box.text;
    return texts.join(QLatin1Char('\n'));
}

QPushButton* startButton(zev::TransferDialog* dialog) {
    return dialog->startButton();
}

QString successPanel(zev::TransferDialog* dialog) {
    return control<QLabel>(dialog, "StatusBar1Panel1")->text();
}

// What a screen reader hears of a dialog's sessions: the names its bar takes while a session
// runs, each change once, read as Qt's AT-SPI bridge reads them.
class Announcements {
public:
    explicit Announcements(zev::TransferDialog* dialog)
        : m_bar(control<QProgressBar>(dialog, "ProgressBar1")) {
        QObject::connect(m_bar, &QProgressBar::valueChanged, m_bar, [this] {
            if (m_heard.isEmpty() || m_heard.last() != now())
                m_heard << now();
        });
    }
    QStringList whileRunning() const { return m_heard; }
    QString now() const {
        return QAccessible::queryAccessibleInterface(m_bar)->text(QAccessible::Name);
    }

private:
    QProgressBar* m_bar;
    QStringList m_heard;
};

int progressOf(zev::TransferDialog* dialog) {
    return control<QProgressBar>(dialog, "ProgressBar1")->value();
}

void setRow(zev::PlanModel& plan, int channel, const QStringList& cells) {
    plan.setChannel(channel, row(cells));
}

zev::OptionIndices options(int squelch, int batterySave, int timeOut, int voice, int keyBeep,
                           int alarm, int scan) {
    return {squelch, batterySave, timeOut, voice, keyBeep, alarm, scan};
}

// A plan that differs from the demo radio everywhere the read must reach.
void fillWithOtherPlan(zev::Workspace& workspace) {
    for (int channel = 1; channel <= 16; ++channel)
        setRow(workspace.plan, channel,
               {"430.05000", "D754I", "435.05000", "254.1", "Low", "OFF", "OFF"});
    workspace.plan.setOptionIndices(options(5, 0, 1, 1, 0, 0, 0));
    workspace.bands.setItems({QStringLiteral("400-470MHz")}, 0);
}

struct PlanSnapshot {
    std::array<zev::ChannelRow, 16> rows;
    zev::OptionIndices options;
    QStringList bands;
    int model;
    bool operator==(const PlanSnapshot&) const = default;
};

PlanSnapshot snapshot(const zev::Workspace& workspace) {
    PlanSnapshot shot;
    for (int channel = 1; channel <= 16; ++channel)
        shot.rows[channel - 1] = workspace.plan.channel(channel);
    shot.options = workspace.plan.optionIndices();
    shot.bands = workspace.bands.items();
    shot.model = workspace.bands.currentIndex();
    return shot;
}

// The worked example in channel 3 and the options 2, 1, 4, 0, 1, 1, 1.
void planWorkedExample(zev::Workspace& workspace) {
    workspace.plan.clearTable();
    setRow(workspace.plan, 3, {"145.12500", "67.0", "145.12500", "D023N", "High", "ON", "ON"});
    workspace.plan.setOptionIndices(options(2, 1, 4, 0, 1, 1, 1));
    workspace.bands.setItems({zev::FactoryBand}, 0);
}

} // namespace

class RadioSessionsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void readDemoRadio();
    void writePlan();
    void failedTransfer_data();
    void failedTransfer();
    void failedReadChangesNothing_data();
    void failedReadChangesNothing();
    void writeThatDiesHalfwaySaysWhatTheRadioHolds();
    void failureIsToldInTheWindowsLanguage();
    void planFaultsAreRefusedBeforeAnyFrame();
    void writeIsBackedUpAndChecked_data();
    void writeIsBackedUpAndChecked();
    void writeSwitchesAreRemembered();
    void writeAddsOneLineToTheLog_data();
    void writeAddsOneLineToTheLog();
    void unwritableLogIsSaidInTheDialog();
    void compareWithRadioChangesNothing();
    void fileOfTheOtherFormatIsEditedAndWritten_data();
    void fileOfTheOtherFormatIsEditedAndWritten();
    void outOfBandIsAskedBeforeWriting_data();
    void outOfBandIsAskedBeforeWriting();
    void closeDuringSession_data();
    void closeDuringSession();
    void farEndGoneDuringRead();
    void pendingEntryIsPartOfThePlan_data();
    void pendingEntryIsPartOfThePlan();
    void powerReadAndWrite();
    void portDevicesChecksTheConnection();
    void closingPortDevicesStopsTheCheck();
    void powerFaults_data();
    void powerFaults();
    void levelEntryRules_data();
    void levelEntryRules();
};

void RadioSessionsTest::initTestCase() {
    quietOffscreenWarnings();
    QLocale::setDefault(QLocale::c());
    QVERIFY2(QFile::exists(binaryPath("rh4800-sim")), "rh4800-sim is not built");
}

void RadioSessionsTest::readDemoRadio() {
    Bench bench({"--demo"});
    QVERIFY(bench.ready());
    fillWithOtherPlan(bench.workspace());
    const PlanSnapshot before = snapshot(bench.workspace());
    bench.choose("N6");
    zev::TransferDialog* dialog = bench.window->readDialog();
    QVERIFY(dialog->isVisible());
    QVERIFY(bench.workspace().port.isOpen());
    QVERIFY(bench.othersDisabled());
    QPushButton* start = startButton(dialog);

    bool disabledWhileRunning = true;
    QObject::connect(control<QProgressBar>(dialog, "ProgressBar1"), &QProgressBar::valueChanged,
                     [&] { disabledWhileRunning = disabledWhileRunning && !start->isEnabled(); });
    Announcements announcements(dialog);
    QCOMPARE(announcements.now(), QStringLiteral("Progress"));
    QTest::mouseClick(start, Qt::LeftButton);
    QVERIFY2(bench.boxes.seen.isEmpty(), qPrintable(boxesSeen(bench.boxes)));
    QVERIFY(disabledWhileRunning);
    QVERIFY(start->isEnabled());
    QVERIFY(bench.othersDisabled());
    // The session is heard as it runs and as it ends; the button that takes the focus back
    // describes the outcome.
    QCOMPARE(announcements.whileRunning(), QStringList{"Reading from the radio..."});
    QCOMPARE(announcements.now(), QStringLiteral("Finished successfully."));
    QCOMPARE(QAccessible::queryAccessibleInterface(start)->text(QAccessible::Description),
             QStringLiteral("Finished successfully."));

    // The demo radio's channels, as the English interface words them.
    const zev::PlanModel& plan = bench.plan();
    QCOMPARE(plan.channel(1), row({"146.52000", "OFF", "146.52000", "OFF", "High", "ON", "ON"}));
    QCOMPARE(plan.channel(2), row({"145.27500", "88.5", "144.67500", "88.5", "High", "ON", "OFF"}));
    QCOMPARE(plan.channel(4), row({"151.82000", "D023N", "151.82000", "D023N", "Low", "ON", "ON"}));
    QCOMPARE(plan.channel(5),
             row({"154.57000", "100.0", "154.57000", "100.0", "Low", "OFF", "OFF"}));
    for (int channel = 7; channel <= 16; ++channel)
        QCOMPARE(plan.channel(channel), zev::ChannelRow{});
    QCOMPARE(plan.optionIndices(), options(2, 1, 4, 0, 1, 1, 1));
    // A band not in the list is appended and selected, without a reset.
    QCOMPARE(bench.workspace().bands.items(), (QStringList{"400-470MHz", "136-174MHz"}));
    QCOMPARE(control<QComboBox>(bench.window.get(), "ComboBox1")->currentText(),
             QStringLiteral("136-174MHz"));
    QCOMPARE(bench.window->windowTitle(), QStringLiteral("ZEV4800 [136-174MHz]"));
    QCOMPARE(progressOf(dialog), 100);
    const QString label = bench.text(zev::TextId::SuccessLabel);
    QVERIFY(!label.isEmpty());
    QCOMPARE(successPanel(dialog), label + "1");

    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(successPanel(dialog), label + "2");
    QCOMPARE(bench.workspace().bands.items().size(), 2);

    // Closing lets the line go and the windows work again; the count starts over.
    QVERIFY(dialog->close());
    QVERIFY(!bench.workspace().port.isOpen());
    QVERIFY(bench.othersEnabled());
    bench.choose("N6");
    QCOMPARE(successPanel(dialog), label + "0");
    QCOMPARE(progressOf(dialog), 0);
    QCOMPARE(announcements.now(), QStringLiteral("Progress"));
    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(successPanel(dialog), label + "1");
    QVERIFY(dialog->close());
    const QStringList heard = bench.heard();
    QCOMPARE(heard, bench.sent);
    QCOMPARE(heard.last(), QStringLiteral("646F"));

    // Each read gave the same plan: one undo step back to the plan before them, which was never
    // saved, and one redo to the radio's again.
    const PlanSnapshot read = snapshot(bench.workspace());
    control<QAction>(bench.window.get(), "UndoItem")->trigger();
    QCOMPARE(snapshot(bench.workspace()).rows, before.rows);
    QCOMPARE(snapshot(bench.workspace()).options, before.options);
    QCOMPARE(bench.window->windowTitle(), QStringLiteral("*ZEV4800 [400-470MHz]"));
    control<QAction>(bench.window.get(), "RedoItem")->trigger();
    QVERIFY(snapshot(bench.workspace()) == read);
    QCOMPARE(bench.window->windowTitle(), QStringLiteral("ZEV4800 [136-174MHz]"));
}

void RadioSessionsTest::writePlan() {
    Bench bench({});
    QVERIFY(bench.ready());
    planWorkedExample(bench.workspace());
    bench.choose("N7");
    zev::TransferDialog* dialog = bench.window->writeDialog();
    QVERIFY(dialog->isVisible());
    QVERIFY(bench.othersDisabled());
    Announcements announcements(dialog);
    QTest::mouseClick(startButton(dialog), Qt::LeftButton);
    QVERIFY2(bench.boxes.seen.isEmpty(), qPrintable(boxesSeen(bench.boxes)));
    // Each phase of the write is heard, then the outcome.
    QCOMPARE(announcements.whileRunning(), (QStringList{"Backing up the radio...", "Writing...",
                                                        "Checking what the radio holds..."}));
    QCOMPARE(announcements.now(), QStringLiteral("Finished successfully."));
    QVERIFY(startButton(dialog)->isEnabled());
    QCOMPARE(progressOf(dialog), 100);
    QCOMPARE(successPanel(dialog), bench.text(zev::TextId::SuccessLabel) + "1");
    QVERIFY(dialog->close());
    QVERIFY(bench.othersEnabled());

    // Every channel written, the empty ones erased; the calibration block untouched.
    QByteArray expected = zev::RadioSimulator::factoryImage();
    for (int address = 0x10; address < 0x110; address += 8)
        expected.replace(address, 8, QByteArray(8, '\xFF'));
    expected.replace(0x0030, 8, QByteArray::fromHex("0025511400255114"));
    expected.replace(0x0038, 8, QByteArray::fromHex("70062380FEFFFFFF"));
    expected.replace(0x03C0, 8, QByteArray::fromHex("FF02FF04FF00FFFF"));
    expected.replace(0x03E0, 8, QByteArray::fromHex("60134017FFFFFFFF"));
    QCOMPARE(bench.savedImage().toHex(' '), expected.toHex(' '));
    const QStringList heard = bench.heard();
    QCOMPARE(heard, bench.sent);
    QCOMPARE(heard.last(), QStringLiteral("646F"));
    QVERIFY(heard.contains(QStringLiteral("57003008") + "0025511400255114"));
}

// What the window says below the pack's failure message for each kind of fault.
const QString noAnswerAdvice =
    "The radio did not answer at all. Check that it is switched on, that the cable is pushed "
    "fully into the radio's socket, and that the port chosen is the one the cable is plugged "
    "into.";
const QString stepAdvice =
    "The radio answered at first and then stopped answering. Check that the cable sits fully in "
    "both sockets and that the radio's battery is charged, then try again.";
const QString readChangedNothing = "Nothing in the window was changed: the channels, the options "
                                   "and the band are as they were before the read.";

void RadioSessionsTest::failedTransfer_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("radio");
    QTest::addColumn<QStringList>("details"); // %1: the terminal
    QTest::newRow("read, silent radio")
        << "N6" << QStringList{"--silent"}
        << QStringList{"Reason: no answer from the radio on %1 after 6 attempts", noAnswerAdvice,
                       "", readChangedNothing};
    // Frame 12 is the second half of channel 5.
    QTest::newRow("write, radio stops in row 5")
        << "N7" << QStringList{"--no-answer-at", "12"}
        << QStringList{"Reason: the radio did not acknowledge the second half of channel 5",
                       stepAdvice, "", "The radio now holds a partly written plan.",
                       "Write the plan again."};
    QTest::newRow("write, wrong radio")
        << "N7" << QStringList{"--wrong-id"}
        << QStringList{"Reason: the radio on %1 did not identify itself as an RH-4800 after 6 "
                       "attempts (last reply 06207661726B6F6D)",
                       "A radio answered, but not as an RH-4800: it is probably another model, "
                       "which this program cannot program."};
    QTest::newRow("read, radio stops in row 5")
        << "N6" << QStringList{"--demo", "--no-answer-at", "21"}
        << QStringList{"Reason: no reply to the read of the first half of channel 5", stepAdvice,
                       "", readChangedNothing};
}

void RadioSessionsTest::failedTransfer() {
    QFETCH(QString, command);
    QFETCH(QStringList, radio);
    QFETCH(QStringList, details);
    Bench bench(radio);
    QVERIFY(bench.ready());
    if (command == "N6")
        fillWithOtherPlan(bench.workspace());
    else
        planWorkedExample(bench.workspace());
    // The write's own failure, with no backup read before it.
    control<QAction>(bench.window.get(), "BackupBeforeWrite")->setChecked(false);
    const PlanSnapshot before = snapshot(bench.workspace());
    bench.choose(command.toLatin1().constData());
    auto* dialog = command == "N6" ? static_cast<zev::TransferDialog*>(bench.window->readDialog())
                                   : bench.window->writeDialog();
    // The failure is heard before its box waits for the user.
    Announcements announcements(dialog);
    QString heardWithTheBox;
    bench.boxes.beforeAnswer = [&](QMessageBox*) { heardWithTheBox = announcements.now(); };
    QTest::mouseClick(startButton(dialog), Qt::LeftButton);
    QCOMPARE(heardWithTheBox, QStringLiteral("Failed."));

    // The pack's message first, then why, what to check and what the failure left behind.
    QCOMPARE(bench.boxes.seen.size(), 1);
    const SeenBox box = bench.boxes.seen.first();
    QCOMPARE(box.text, bench.text(zev::TextId::TransferFailed) + "\n\n" +
                           details.join('\n').replace("%1", bench.sim->terminal()));
    QCOMPARE(box.buttons, QMessageBox::Ok);
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QVERIFY(startButton(dialog)->isEnabled());
    QVERIFY(dialog->isVisible());
    QCOMPARE(successPanel(dialog), bench.text(zev::TextId::SuccessLabel) + "0");
    QVERIFY(!bench.sent.contains(QStringLiteral("646F")));
    // Neither a failed read nor a failed write changes the plan, the options or the band.
    QVERIFY(snapshot(bench.workspace()) == before);
    QVERIFY(dialog->close());
    QVERIFY(bench.othersEnabled());
}

void RadioSessionsTest::failedReadChangesNothing_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("toolbar") << "toolbar";
    QTest::newRow("Edit menu") << "menu";
    QTest::newRow("Ctrl+R") << "Ctrl+R";
    QTest::newRow("compare with radio") << "compare";
}

// A customer's file is open and edited when the radio dies halfway through the read: the window
// keeps the file's plan, its band, its title, its changed mark and its undo steps.
void RadioSessionsTest::failedReadChangesNothing() {
    QFETCH(QString, way);
    Bench bench({"--demo", "--hang-up-after", "20"}, true);
    QVERIFY(bench.ready());
    zev::Plan customer;
    customer.band = QStringLiteral("400-470MHz");
    customer.options = options(5, 0, 1, 1, 0, 0, 0);
    for (int channel = 1; channel <= 16; ++channel)
        customer.channels[channel - 1] = row({QString("43%1.05000").arg(channel % 10), "D754I",
                                              "435.05000", "254.1", "Low", "OFF", "OFF"});
    const QString file = bench.folder.path() + QStringLiteral("customer.z81");
    QVERIFY(zev::saveChannelFile(file, customer, {}).ok());
    bench.window->fileNameProvider = [&](zev::MainWindow::FileDialogKind) { return file; };
    bench.choose("O1");
    bench.plan().togglePower(2); // an edit not yet saved
    QVERIFY(QTest::qWaitFor([&] { return bench.window->isPlanModified(); }));
    QTest::qWait(300); // the user looks before reading
    const PlanSnapshot before = snapshot(bench.workspace());
    const QString title = bench.window->windowTitle();
    QVERIFY(title.startsWith(QStringLiteral("*ZEV4800 [400-470MHz]")));
    QString titleWhileTold;
    bench.boxes.beforeAnswer = [&](QMessageBox*) { titleWhileTold = bench.window->windowTitle(); };

    zev::TransferDialog* dialog = bench.window->readDialog();
    if (way == "toolbar") {
        QTest::mouseClick(control<QToolButton>(bench.window.get(), "ToolButton6"), Qt::LeftButton);
    } else if (way == "menu") {
        auto* edit = control<QMenu>(bench.window.get(), "N5");
        for (QAction* item : edit->actions())
            if (item->objectName() == QLatin1String("N6"))
                item->trigger();
    } else if (way == "Ctrl+R") {
        QApplication::setActiveWindow(bench.window.get());
        QVERIFY(QTest::qWaitForWindowActive(bench.window.get()));
        QTest::keyClick(bench.window.get(), Qt::Key_R, Qt::ControlModifier);
    } else {
        bench.choose("CompareWithRadio");
        dialog = bench.window->compareDialog();
    }
    QVERIFY(QTest::qWaitFor([&] { return dialog->isVisible(); }));
    QTest::keyClick(startButton(dialog), Qt::Key_Space);

    QCOMPARE(bench.boxes.seen.size(), 1);
    const QString told = bench.boxes.seen.first().text;
    QVERIFY2(told.startsWith(bench.text(zev::TextId::TransferFailed) +
                             "\n\nReason: no reply to the read of "),
             qPrintable(told));
    QCOMPARE(told.contains(readChangedNothing), way != "compare");
    QCOMPARE(titleWhileTold, title);
    QVERIFY(dialog->close());
    QVERIFY(snapshot(bench.workspace()) == before);
    QCOMPARE(bench.window->windowTitle(), title);
    // The steps are those from before the read: one undo takes back the edit, another the Open.
    QVERIFY(bench.window->isPlanModified());
    control<QAction>(bench.window.get(), "UndoItem")->trigger();
    QCOMPARE(bench.plan().cell(zev::PlanModel::Power, 2), QStringLiteral("Low"));
    QVERIFY(!bench.window->isPlanModified());
}

// The radio goes dead in the middle of the write itself, after its backup was made.
void RadioSessionsTest::writeThatDiesHalfwaySaysWhatTheRadioHolds() {
    // The 71 frames of the backup read, the entry frame and its ACK, then seven channels.
    Bench bench({"--demo", "--hang-up-after", "87"}, true);
    QVERIFY(bench.ready());
    const QDir backups(bench.folder.path() + QStringLiteral("backups"));
    bench.workspace().writeJob.backupDirectory = backups.path();
    planWorkedExample(bench.workspace());
    const PlanSnapshot before = snapshot(bench.workspace());
    QTest::qWait(300);
    bench.choose("N7");
    QTest::keyClick(startButton(bench.window->writeDialog()), Qt::Key_Space);

    QCOMPARE(bench.boxes.seen.size(), 1);
    const QStringList backupFiles = backups.entryList(QDir::Files);
    QCOMPARE(backupFiles.size(), 1);
    QCOMPARE(bench.boxes.seen.first().text,
             bench.text(zev::TextId::TransferFailed) +
                 "\n\nReason: the radio did not acknowledge the first half of channel 8\n" +
                 stepAdvice +
                 "\n\nThe radio now holds a partly written plan.\nWrite the plan again, or open "
                 "the backup made before the write and write it back: " +
                 QDir::toNativeSeparators(backups.filePath(backupFiles.first())));
    QVERIFY(snapshot(bench.workspace()) == before);
    QVERIFY(bench.window->writeDialog()->close());
}

void RadioSessionsTest::failureIsToldInTheWindowsLanguage() {
    Bench bench({"--demo", "--no-answer-at", "21"});
    QVERIFY(bench.ready());
    bench.window->switchLanguage(zev::Language::Chinese);
    const auto english = qScopeGuard([&] { bench.window->switchLanguage(zev::Language::English); });
    bench.choose("N6");
    QTest::mouseClick(startButton(bench.window->readDialog()), Qt::LeftButton);
    QCOMPARE(bench.boxes.seen.size(), 1);
    const QStringList told = bench.boxes.seen.first().text.split('\n');
    QCOMPARE(told.mid(2),
             (QStringList{"原因：读取信道 5 的前半部分时没有应答",
                          "对讲机起初有应答，随后停止了应答。请检查写频线两端是否插紧、"
                          "对讲机电池是否有电，然后重试。",
                          "",
                          "窗口中的内容没有任何改变：信道、功能选项和频段均保持读频前"
                          "的状态。"}));
    QVERIFY(bench.window->readDialog()->close());
}

void RadioSessionsTest::planFaultsAreRefusedBeforeAnyFrame() {
    Bench bench({});
    QVERIFY(bench.ready());
    planWorkedExample(bench.workspace());
    bench.plan().setCell(zev::PlanModel::RxFrequency, 3, QStringLiteral("14x.50000"));
    setRow(bench.plan(), 9, {"146.00000", "D089N", "146.00000", "OFF", "High", "ON", "ON"});
    // Refused as it stands: no question about the band first.
    setRow(bench.plan(), 10, {"430.00625", "OFF", "430.00625", "OFF", "High", "ON", "ON"});
    bench.choose("N7");
    zev::TransferDialog* dialog = bench.window->writeDialog();
    QTest::mouseClick(startButton(dialog), Qt::LeftButton);

    // One box naming every fault.
    QCOMPARE(bench.boxes.seen.size(), 1);
    const SeenBox box = bench.boxes.seen.first();
    QCOMPARE(box.icon, QMessageBox::Critical);
    const QStringList lines = box.text.split('\n');
    QVERIFY2(lines.size() >= 2, qPrintable(box.text));
    QVERIFY2(lines.at(0).startsWith("Channel 03:") && lines.at(0).contains("14x.50000"),
             qPrintable(box.text));
    QVERIFY2(lines.at(1).startsWith("Channel 09:") && lines.at(1).contains("D089N"),
             qPrintable(box.text));
    QVERIFY(startButton(dialog)->isEnabled());
    QCOMPARE(progressOf(dialog), 0);
    QCOMPARE(bench.sent, QStringList());
    QVERIFY(readFile(bench.tracePath()).contains("# radio on"));
    QCOMPARE(bench.heard(), QStringList());
}

void RadioSessionsTest::writeIsBackedUpAndChecked_data() {
    QTest::addColumn<QStringList>("radio");
    QTest::addColumn<bool>("verify");
    QTest::addColumn<QStringList>("box"); // its first lines; none: the write succeeds
    QTest::addColumn<bool>("backup");     // a backup file is left
    QTest::newRow("radio keeps the write") << QStringList{} << true << QStringList{} << true;
    QTest::newRow("radio keeps nothing")
        << QStringList{"--store-nothing"} << true
        << QStringList{"The write went through, but the radio does not hold what was written:",
                       "the first half of channel 3, 0x0030 (channel 3 RX Freq): wrote "
                       "00255114, radio holds FFFFFFFF",
                       "the first half of channel 3, 0x0034 (channel 3 TX Freq): wrote "
                       "00255114, radio holds FFFFFFFF"}
        << true;
    QTest::newRow("radio keeps nothing, no check")
        << QStringList{"--store-nothing"} << false << QStringList{} << true;
    // The radio stops answering in the backup read, at the first half of channel 5.
    QTest::newRow("backup fails")
        << QStringList{"--no-answer-at", "21"} << true
        << QStringList{"No backup of the radio could be made, so nothing was written.",
                       "",
                       "Reason: no reply to the read of the first half of channel 5",
                       stepAdvice,
                       "",
                       "To write without a backup, turn off \"Back up the radio before writing\" "
                       "in the Options menu."}
        << false;
}

void RadioSessionsTest::writeIsBackedUpAndChecked() {
    QFETCH(QStringList, radio);
    QFETCH(bool, verify);
    QFETCH(QStringList, box);
    QFETCH(bool, backup);
    Bench bench(radio);
    QVERIFY(bench.ready());
    const QString dataHome = bench.folder.path() + QStringLiteral("data");
    const FolderVariable folderVariable("XDG_DATA_HOME", dataHome);
    planWorkedExample(bench.workspace());
    control<QAction>(bench.window.get(), "VerifyAfterWrite")->setChecked(verify);
    bench.choose("N7");
    auto* dialog = bench.window->writeDialog();
    QStringList phases;
    auto* phase = control<QLabel>(dialog, "PhaseLabel");
    QVERIFY(phase);
    QObject::connect(control<QProgressBar>(dialog, "ProgressBar1"), &QProgressBar::valueChanged,
                     dialog, [&] {
                         if (phases.isEmpty() || phases.last() != phase->text())
                             phases << phase->text();
                     });
    QTest::mouseClick(startButton(dialog), Qt::LeftButton);

    const QString label = bench.text(zev::TextId::SuccessLabel);
    const QDir backups(dataHome + QStringLiteral("/zev4800/backups"));
    QCOMPARE(backups.entryList(QDir::Files).size(), backup ? 1 : 0);
    if (box.isEmpty()) {
        QVERIFY2(bench.boxes.seen.isEmpty(), qPrintable(boxesSeen(bench.boxes)));
        QCOMPARE(successPanel(dialog), label + "1");
    } else {
        QCOMPARE(bench.boxes.seen.size(), 1);
        QCOMPARE(bench.boxes.seen.first().icon, QMessageBox::Critical);
        QCOMPARE(bench.boxes.seen.first().text.split('\n').mid(0, box.size()), box);
        QCOMPARE(successPanel(dialog), label + "0");
    }
    // The bar runs through each phase in turn, the line under it saying which.
    QStringList expectedPhases{"Backing up the radio..."};
    if (backup)
        expectedPhases << "Writing...";
    if (backup && verify)
        expectedPhases << "Checking what the radio holds...";
    QCOMPARE(phases, expectedPhases);
    if (backup) {
        // Once done, the line says where the backup went.
        QCOMPARE(progressOf(dialog), 100);
        const QString name = backups.entryList(QDir::Files).first();
        QCOMPARE(phase->text(), "Backup: " + name);
        const zev::Result<zev::Plan> kept = zev::loadChannelFile(backups.filePath(name));
        QVERIFY(kept.ok());
        QCOMPARE(kept.value().band, QStringLiteral("136-174MHz"));
        QCOMPARE(kept.value().channels[2], zev::ChannelRow{});
    } else {
        for (const QString& frame : bench.sent)
            QVERIFY2(!frame.startsWith("57"), qPrintable(frame));
    }
    QVERIFY(dialog->close());
    QVERIFY(bench.othersEnabled());
}

void RadioSessionsTest::writeSwitchesAreRemembered() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    {
        auto window = startProgram(folder);
        QVERIFY(window);
        QVERIFY(control<QAction>(window.get(), "BackupBeforeWrite")->isChecked());
        QVERIFY(control<QAction>(window.get(), "VerifyAfterWrite")->isChecked());
        control<QAction>(window.get(), "VerifyAfterWrite")->trigger();
        QVERIFY(!window->workspace().writeJob.verify);
        QVERIFY(window->workspace().writeJob.backup);
        QVERIFY(window->close());
    }
    QVERIFY2(folder.readFile("myini.ini").contains("[write]"), folder.readFile("myini.ini"));
    auto window = startProgram(folder);
    QVERIFY(window);
    QVERIFY(control<QAction>(window.get(), "BackupBeforeWrite")->isChecked());
    QVERIFY(!control<QAction>(window.get(), "VerifyAfterWrite")->isChecked());
    QVERIFY(!window->workspace().writeJob.verify);

    // No pack words these commands: they follow the language of the messages.
    QCOMPARE(control<QAction>(window.get(), "CompareWithRadio")->text(),
             QStringLiteral("C&ompare with radio..."));
    control<QAction>(window.get(), "N20")->trigger();
    QCOMPARE(control<QAction>(window.get(), "CompareWithRadio")->text(),
             QStringLiteral("与电台比较(&O)..."));
    QCOMPARE(control<QAction>(window.get(), "VerifyAfterWrite")->text(),
             QStringLiteral("写频后校验(&V)"));
    QCOMPARE(window->compareDialog()->windowTitle(), QStringLiteral("与电台比较"));
}

void RadioSessionsTest::compareWithRadioChangesNothing() {
    Bench bench({"--demo"});
    QVERIFY(bench.ready());
    planWorkedExample(bench.workspace());
    const PlanSnapshot before = snapshot(bench.workspace());
    bench.choose("CompareWithRadio");
    zev::CompareDialog* dialog = bench.window->compareDialog();
    QVERIFY(dialog->isVisible());
    QVERIFY(bench.othersDisabled());
    QTest::mouseClick(dialog->startButton(), Qt::LeftButton);
    QVERIFY2(bench.boxes.seen.isEmpty(), qPrintable(boxesSeen(bench.boxes)));
    const QStringList lines = dialog->lines();
    QVERIFY(!lines.isEmpty());
    QVERIFY2(lines.contains("CH01 RX Freq: (empty) -> 146.52000"), qPrintable(lines.join('\n')));
    QVERIFY2(lines.contains("CH03 RX Freq: 145.12500 -> 156.80000"), qPrintable(lines.join('\n')));
    QVERIFY(snapshot(bench.workspace()) == before);
    for (const QString& frame : bench.sent)
        QVERIFY2(!frame.startsWith("57"), qPrintable(frame));
    QVERIFY(dialog->close());
    QVERIFY(bench.othersEnabled());
}

void RadioSessionsTest::fileOfTheOtherFormatIsEditedAndWritten_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("fileMark");
    QTest::newRow("dot file, comma format") << QLocale(QLocale::German, QLocale::Germany) << ".";
    QTest::newRow("comma file, dot format") << QLocale::c() << ",";
}

// A plan saved under the other number format: opened, one frequency confirmed with Enter,
// another typed with the file's separator key, then written to the radio.
void RadioSessionsTest::fileOfTheOtherFormatIsEditedAndWritten() {
    QFETCH(QLocale, locale);
    QFETCH(QString, fileMark);
    QLocale::setDefault(locale);
    const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
    const QString ownMark = locale.decimalPoint();
    Bench bench({});
    QVERIFY(bench.ready());
    const QString fileText = QStringLiteral("RH-4800 MEMORY CHANNEL\r\n\r\n\r\nBAND 136-174MHz\r\n"
                                            "Squelch 2 2\r\nBatSave 1 ON\r\nTxT.O.T 4 4 min\r\n"
                                            "SCAN 1 OFF\r\nTONE 1 ON\r\nBAO 1 ON\r\n"
                                            "VOICE 0 Chinese male\r\n\r\n\r\n"
                                            "CH01 | 146#52000 | OFF | 146#52000 | OFF | High | "
                                            "ON | ON | \r\n"
                                            "CH02 | 145#27500 | 88.5 | 144#67500 | 88.5 | High | "
                                            "ON | OFF | \r\n")
                                 .replace(QLatin1Char('#'), fileMark) +
                             // the whole file: Open tells of the lines a file lacks
                             emptyChannelLines(3);
    bench.folder.writeFile(QStringLiteral("plan.z81"), fileText.toLatin1());
    bench.window->fileNameProvider = [&](zev::MainWindow::FileDialogKind) {
        return bench.folder.path() + QStringLiteral("plan.z81");
    };
    bench.choose("O1");
    QCOMPARE(bench.plan().cell(zev::PlanModel::RxFrequency, 1), "146" + fileMark + "52000");

    QWidget* editor = form(*bench.window, "TForm2");
    auto* grid = control<QTableView>(editor, "StringGrid1");
    auto* frequencyEditor = control<QLineEdit>(editor, "bsSkinEdit1");
    QVERIFY(grid && frequencyEditor);
    const auto click = [grid](int column, int row) {
        const QRect cell = grid->visualRect(grid->model()->index(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    };
    click(zev::PlanModel::RxFrequency, 1);
    QTest::keyClick(grid, Qt::Key_Return);
    QTRY_VERIFY(frequencyEditor->hasFocus());
    QTest::keyClick(frequencyEditor, Qt::Key_Return);
    QCOMPARE(frequencyEditor->text(), "146" + ownMark + "52000");
    click(zev::PlanModel::TxFrequency, 2);
    QTest::keyClicks(grid, "1");
    QTRY_VERIFY(frequencyEditor->hasFocus());
    QTest::keyClicks(frequencyEditor, "44" + fileMark + "6");
    QTest::keyClick(frequencyEditor, Qt::Key_Return);
    QCOMPARE(bench.plan().cell(zev::PlanModel::TxFrequency, 2), "144" + ownMark + "60000");

    bench.choose("N7");
    zev::TransferDialog* dialog = bench.window->writeDialog();
    QTest::mouseClick(startButton(dialog), Qt::LeftButton);
    QCOMPARE(progressOf(dialog), 100);
    QVERIFY(dialog->close());
    QVERIFY2(bench.boxes.seen.isEmpty(), qPrintable(boxesSeen(bench.boxes)));
    const QStringList heard = bench.heard();
    QVERIFY(heard.contains(QStringLiteral("57001008") + "0020651400206514"));
    QVERIFY(heard.contains(QStringLiteral("57002008") + "0075521400004614"));
}

void RadioSessionsTest::outOfBandIsAskedBeforeWriting_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("Cancel") << int(QMessageBox::Cancel);
    QTest::newRow("OK") << int(QMessageBox::Ok);
}

// Every write that reaches the radio is one line of the write log, naming the plan's file while
// the plan is as that file holds it; a plan refused or a question answered Cancel reaches no
// radio and adds none.
void RadioSessionsTest::writeAddsOneLineToTheLog_data() {
    QTest::addColumn<QStringList>("radio");
    QTest::addColumn<QString>("plan"); // saved, edited, declined or faulty
    QTest::addColumn<QString>("result");
    QTest::newRow("saved plan") << QStringList{} << "saved"
                                << "verified";
    QTest::newRow("radio keeps nothing") << QStringList{"--store-nothing"} << "saved"
                                         << "failed";
    QTest::newRow("edited since saved") << QStringList{} << "edited"
                                        << "verified";
    QTest::newRow("outside the band, declined") << QStringList{} << "declined"
                                                << "";
    QTest::newRow("refused plan") << QStringList{} << "faulty"
                                  << "";
}

void RadioSessionsTest::writeAddsOneLineToTheLog() {
    QFETCH(QStringList, radio);
    QFETCH(QString, plan);
    QFETCH(QString, result);
    Bench bench(radio);
    QVERIFY(bench.ready());
    const QString stateHome = bench.folder.path() + QStringLiteral("state");
    const FolderVariable folderVariable("XDG_STATE_HOME", stateHome);
    planWorkedExample(bench.workspace());
    if (plan == "declined")
        setRow(bench.plan(), 5, {"430.00625", "OFF", "430.00625", "OFF", "High", "ON", "ON"});
    if (plan == "faulty")
        bench.plan().setCell(zev::PlanModel::RxFrequency, 3, QStringLiteral("14x.50000"));
    const QString file = bench.folder.path() + QStringLiteral("saved plan.z81");
    bench.window->fileNameProvider = [&](zev::FileDialogKind) { return file; };
    bench.choose("S1");
    QVERIFY(!bench.window->isPlanModified());
    if (plan == "edited")
        setRow(bench.plan(), 4, {"146.00000", "OFF", "146.00000", "OFF", "Low", "ON", "ON"});
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(
            zev::formatChannelFile(
                bench.workspace().currentPlan(),
                bench.plan().wording().selectorTexts(bench.workspace().currentPlan().options)),
            QCryptographicHash::Sha256)
            .toHex());
    bench.boxes.setAnswer(QMessageBox::Cancel);
    bench.choose("N7");
    auto* dialog = bench.window->writeDialog();
    QTest::mouseClick(startButton(dialog), Qt::LeftButton);

    const zev::Result<zev::writelog::Contents> log =
        zev::writelog::read(stateHome + QStringLiteral("/zev4800/writes.csv"));
    QVERIFY(log);
    QCOMPARE(log->problems, QStringList());
    if (result.isEmpty()) {
        QCOMPARE(log->records.size(), 0);
        QCOMPARE(bench.sent, QStringList());
        return;
    }
    QCOMPARE(log->records.size(), 1);
    const zev::WriteRecord record = log->records.first();
    QCOMPARE(zev::writelog::outcomeWord(record.outcome), result);
    QCOMPARE(record.port, QStringLiteral("COM1"));
    QCOMPARE(record.device, bench.sim->terminal());
    QCOMPARE(record.band, QStringLiteral("136-174MHz"));
    QCOMPARE(record.planSha256, hash);
    QVERIFY(zev::backups::isBackupFile(record.backupPath));
    if (plan == "saved") {
        QCOMPARE(record.planFile, file);
        // What Save wrote is what was written.
        QCOMPARE(record.planSha256,
                 QString::fromLatin1(
                     QCryptographicHash::hash(readFile(file), QCryptographicHash::Sha256).toHex()));
    } else {
        QCOMPARE(record.planFile, QStringLiteral("(window)"));
    }
    QCOMPARE(record.reason.isEmpty(), result == "verified");
    QCOMPARE(control<QLabel>(dialog, "WriteLogProblemLabel")->isVisible(), false);
}

// The write stands and says so; the log's trouble shows in the dialog, with no box to answer.
void RadioSessionsTest::unwritableLogIsSaidInTheDialog() {
    Bench bench({});
    QVERIFY(bench.ready());
    const QString stateHome = bench.folder.path() + QStringLiteral("state");
    const FolderVariable folderVariable("XDG_STATE_HOME", stateHome);
    const QString log = stateHome + QStringLiteral("/zev4800/writes.csv");
    QVERIFY(QDir().mkpath(log));
    planWorkedExample(bench.workspace());
    bench.choose("N7");
    auto* dialog = bench.window->writeDialog();
    QTest::mouseClick(startButton(dialog), Qt::LeftButton);
    QVERIFY2(bench.boxes.seen.isEmpty(), qPrintable(boxesSeen(bench.boxes)));
    QCOMPARE(successPanel(dialog), bench.text(zev::TextId::SuccessLabel) + "1");
    auto* problem = control<QLabel>(dialog, "WriteLogProblemLabel");
    QVERIFY(problem->isVisible());
    QCOMPARE(problem->text(), "The write was not recorded in the write log: File access denied: " +
                                  log + " is a folder, not a file");
    QVERIFY(dialog->height() > 150);
    QVERIFY(dialog->close());
    // The next opening starts clean.
    bench.choose("N7");
    QVERIFY(!problem->isVisible());
    QCOMPARE(dialog->height(), 150);
    QVERIFY(dialog->close());
}

void RadioSessionsTest::outOfBandIsAskedBeforeWriting() {
    QFETCH(int, answer);
    Bench bench({});
    QVERIFY(bench.ready());
    planWorkedExample(bench.workspace()); // the model is 136-174MHz
    setRow(bench.plan(), 5, {"430.00625", "OFF", "430.00625", "OFF", "High", "ON", "ON"});
    setRow(bench.plan(), 9, {"146.00000", "OFF", "550.00000", "OFF", "Low", "ON", "ON"});
    bench.boxes.setAnswer(QMessageBox::StandardButton(answer));
    bench.choose("N7");
    zev::TransferDialog* dialog = bench.window->writeDialog();
    QTest::mouseClick(startButton(dialog), Qt::LeftButton);

    QCOMPARE(bench.boxes.seen.size(), 1);
    const SeenBox box = bench.boxes.seen.first();
    QCOMPARE(box.text,
             QStringLiteral("These channels lie outside the band 136-174MHz of the "
                            "selected model:\n"
                            "Channel 05: RX 430.00625 MHz, TX 430.00625 MHz\n"
                            "Channel 09: TX 550.00000 MHz\n\n"
                            "The radio may not work on these frequencies. Write anyway?"));
    QCOMPARE(box.icon, QMessageBox::Warning);
    QCOMPARE(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(box.defaultButton, QMessageBox::Cancel);
    QVERIFY(startButton(dialog)->isEnabled());
    QVERIFY(dialog->isVisible());
    if (answer == QMessageBox::Cancel) {
        QCOMPARE(bench.sent, QStringList());
        QCOMPARE(progressOf(dialog), 0);
        QCOMPARE(successPanel(dialog), bench.text(zev::TextId::SuccessLabel) + "0");
        QVERIFY(dialog->close());
        QCOMPARE(bench.heard(), QStringList());
        return;
    }
    // Written as they stand: the band only warns.
    QCOMPARE(successPanel(dialog), bench.text(zev::TextId::SuccessLabel) + "1");
    QVERIFY(dialog->close());
    const QByteArray image = bench.savedImage();
    QCOMPARE(image.mid(0x0050, 8).toHex(), QByteArray("2506004325060043"));
    QCOMPARE(image.mid(0x0090, 8).toHex(), QByteArray("0000601400000055"));
    QCOMPARE(bench.heard().last(), QStringLiteral("646F"));
}

void RadioSessionsTest::closeDuringSession_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("escape");
    QTest::addColumn<QString>("message"); // told once the dialog has closed
    // Progress 10: the read has its band, the write has written channel 1.
    QTest::newRow("read, close box") << "N6" << false
                                     << "The read from the radio was stopped before it "
                                        "finished.\n\n" +
                                            readChangedNothing;
    // %1: the backup made before the write.
    QTest::newRow("write, Escape")
        << "N7" << true
        << "The write to the radio was stopped before it finished. The radio now holds a partly "
           "written plan: write the plan again.\n\nTo put back what the radio held before, open "
           "the backup made before the write and write it back: %1";
}

void RadioSessionsTest::closeDuringSession() {
    QFETCH(QString, command);
    QFETCH(bool, escape);
    QFETCH(QString, message);
    // Every answer late, so that the close comes while a reply is outstanding.
    Bench bench({"--demo", "--reply-delay", "30"});
    QVERIFY(bench.ready());
    const QDir backups(bench.folder.path() + QStringLiteral("backups"));
    bench.workspace().writeJob.backupDirectory = backups.path();
    planWorkedExample(bench.workspace());
    if (command == "N6")
        fillWithOtherPlan(bench.workspace());
    const PlanSnapshot before = snapshot(bench.workspace());
    bench.choose(command.toLatin1().constData());
    auto* dialog = command == "N6" ? static_cast<zev::TransferDialog*>(bench.window->readDialog())
                                   : bench.window->writeDialog();

    // Closed from the event loop once the session is under way (progress 10).
    qsizetype sentAtClose = -1;
    bool stayedOpenInsideWait = false;
    qsizetype boxesAtClose = -1;
    auto* bar = control<QProgressBar>(dialog, "ProgressBar1");
    const auto armed = QObject::connect(bar, &QProgressBar::valueChanged, dialog, [&](int value) {
        // The write's bar runs through the backup read first.
        const bool writing = command == "N6" || bench.window->writeDialog()->phaseText() ==
                                                    QStringLiteral("Writing...");
        if (value != 10 || sentAtClose >= 0 || !writing)
            return;
        QTimer::singleShot(0, dialog, [&] {
            sentAtClose = bench.sent.size();
            if (escape)
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                dialog->close();
            // The wait ends first; the line and the dialog go only after the procedure.
            stayedOpenInsideWait = dialog->isVisible() && bench.workspace().port.isOpen();
        });
    });
    const auto closed = QObject::connect(dialog, &zev::StayOnTopDialog::closed, dialog,
                                         [&] { boxesAtClose = bench.boxes.seen.size(); });
    QTest::mouseClick(startButton(dialog), Qt::LeftButton);
    QObject::disconnect(armed);
    QObject::disconnect(closed);

    QVERIFY(sentAtClose > 0);
    QVERIFY(stayedOpenInsideWait);
    QVERIFY(!dialog->isVisible());
    QVERIFY(!bench.workspace().port.isOpen());
    QVERIFY(bench.othersEnabled());
    QVERIFY(startButton(dialog)->isEnabled());
    // The session ends with the end frame and nothing else, so the radio leaves programming mode.
    QCOMPARE(bench.sent.mid(sentAtClose), QStringList{QStringLiteral("646F")});
    // The stop is told once the dialog has gone, over the main window.
    QCOMPARE(boxesAtClose, 0);
    QCOMPARE(bench.boxes.seen.size(), 1);
    const QString backup = backups.filePath(backups.entryList(QDir::Files).value(0));
    QCOMPARE(bench.boxes.seen.first().text,
             command == "N6" ? message : message.arg(QDir::toNativeSeparators(backup)));
    QCOMPARE(bench.boxes.seen.first().buttons, QMessageBox::Ok);
    // A stopped read changes nothing, not even the band it had already read.
    QVERIFY(snapshot(bench.workspace()) == before);

    // The radio has left programming mode: the next session works at once, without waiting for
    // the radio to give up on a quiet one. (Only the late answer to the last frame is let out
    // first, so that it cannot meet the new session.)
    QVERIFY(QTest::qWaitFor(
        [&] {
            const QByteArray trace = readFile(bench.tracePath());
            const qsizetype end = trace.lastIndexOf(" > 646F\n");
            return end >= 0 && trace.indexOf(" < ", end) > end;
        },
        10'000));
    bench.choose(command.toLatin1().constData());
    QVERIFY(dialog->isVisible());
    QTest::mouseClick(startButton(dialog), Qt::LeftButton);
    QCOMPARE(bench.boxes.seen.size(), 1);
    QCOMPARE(successPanel(dialog), bench.text(zev::TextId::SuccessLabel) + "1");
    QCOMPARE(bench.sent.at(sentAtClose + 1), QStringLiteral("0254414C766578"));

    // The radio heard exactly what was sent and took the end frame as one.
    QVERIFY(dialog->close());
    QCOMPARE(bench.heard(), bench.sent);
    QVERIFY(!readFile(bench.tracePath()).contains("# session dropped"));
}

void RadioSessionsTest::farEndGoneDuringRead() {
    Bench bench({"--demo"});
    QVERIFY(bench.ready());
    const PlanSnapshot before = snapshot(bench.workspace());
    bench.choose("N6");
    zev::TransferDialog* dialog = bench.window->readDialog();
    auto* bar = control<QProgressBar>(dialog, "ProgressBar1");
    QObject::connect(bar, &QProgressBar::valueChanged, dialog, [&](int value) {
        if (value == 20)
            bench.sim->kill();
    });
    QTest::mouseClick(startButton(dialog), Qt::LeftButton);

    const QString portGone =
        "The port went away during the transfer: the cable may have been pulled out of the "
        "computer. Plug it in again, check the port, then try again.";
    QCOMPARE(bench.boxes.seen.size(), 1);
    QCOMPARE(bench.boxes.seen.first().text,
             bench.text(zev::TextId::TransferFailed) +
                 QString("\n\nReason: The connection on %1 (COM1) was lost: the device is gone or "
                         "no longer answers\n")
                     .arg(bench.sim->terminal()) +
                 portGone + "\n\n" + readChangedNothing);
    QVERIFY(startButton(dialog)->isEnabled());
    QVERIFY(dialog->isVisible());
    QVERIFY(!bench.workspace().port.isOpen());
    QCOMPARE(progressOf(dialog), 20);
    QVERIFY(snapshot(bench.workspace()) == before);
    QVERIFY(!bench.sent.contains(QStringLiteral("646F")));

    // Another try on the dead line fails the same way, without hanging.
    QTest::mouseClick(startButton(dialog), Qt::LeftButton);
    QCOMPARE(bench.boxes.seen.size(), 2);
    QVERIFY(bench.boxes.seen.last().text.contains(portGone));
    QVERIFY(startButton(dialog)->isEnabled());
    QVERIFY(dialog->close());
    QVERIFY(bench.othersEnabled());
}

void RadioSessionsTest::pendingEntryIsPartOfThePlan_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("channel"); // whose RX frequency is being edited
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("committed"); // the RX frequency after the commit; empty: it fails
    for (const char* command : {"save", "write", "read", "open", "new", "model change", "language",
                                "close editor", "close main window", "switch window"}) {
        QTest::addRow("%s, used channel", command) << command << 1 << "145.00001"
                                                   << "145.00000";
        QTest::addRow("%s, empty channel", command) << command << 2 << "146"
                                                    << "146.00000";
        // A text from a file that is no number: the user has only clicked it.
        QTest::addRow("%s, no number", command) << command << 3 << ""
                                                << "";
    }
}

// Text typed into the frequency editor and not confirmed with Enter: every command that uses or
// replaces the plan commits it first, and a command that replaces the plan leaves no overlay
// editor behind that could bring the text back.
void RadioSessionsTest::pendingEntryIsPartOfThePlan() {
    QFETCH(QString, command);
    QFETCH(int, channel);
    QFETCH(QString, typed);
    QFETCH(QString, committed);
    using zev::PlanModel;
    Bench bench({"--demo"});
    QVERIFY(bench.ready());
    QVERIFY(QTest::qWaitForWindowActive(bench.window.get()));
    zev::Workspace& workspace = bench.workspace();
    PlanModel& plan = bench.plan();
    const zev::ChannelRow used =
        row({"145.50000", "88.5", "145.50000", "OFF", "High", "ON", "OFF"});
    const zev::ChannelRow noNumber =
        row({"14x.50000", "OFF", "14x.50000", "OFF", "High", "ON", "OFF"});
    plan.setChannel(1, used);
    if (committed.isEmpty())
        plan.setChannel(3, noNumber);
    workspace.bands.setItems({"136-174MHz", "400-470MHz"}, 0);
    const QString savePath = bench.folder.path() + QStringLiteral("saved.z81");
    zev::Plan other;
    other.band = QStringLiteral("136-174MHz");
    other.options = zev::resetOptionIndices;
    other.channels[4] = row({"433.50000", "OFF", "433.50000", "D023N", "Low", "ON", "OFF"});
    const QString openPath = bench.folder.path() + QStringLiteral("other.z81");
    QVERIFY(zev::saveChannelFile(openPath, other, {}).ok());
    bench.window->fileNameProvider = [&](zev::MainWindow::FileDialogKind kind) {
        return kind == zev::MainWindow::FileDialogKind::Save ? savePath : openPath;
    };

    // Typed as a person does: a click on the cell, the first digit into the grid (which starts
    // the entry), the rest into the frequency editor; no Enter.
    zev::ChannelEditor* editor = bench.window->channelEditor();
    auto* grid = control<QTableView>(editor, "StringGrid1");
    auto* frequencyEditor = control<QLineEdit>(editor, "bsSkinEdit1");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(plan.index(channel, PlanModel::RxFrequency)).center());
    QVERIFY(frequencyEditor->isVisible());
    if (!typed.isEmpty()) {
        QTest::keyClick(grid, typed.front().toLatin1());
        QVERIFY(frequencyEditor->hasFocus());
        QTest::keyClicks(frequencyEditor, typed.mid(1));
        QCOMPARE(plan.cell(PlanModel::RxFrequency, channel), typed);
    }

    auto* selector = control<QComboBox>(bench.window.get(), "ComboBox1");
    const auto runTransfer = [&](const char* item, zev::TransferDialog* dialog) {
        bench.choose(item);
        if (!dialog->isVisible())
            return;
        QTest::mouseClick(startButton(dialog), Qt::LeftButton);
        QCOMPARE(successPanel(dialog), bench.text(zev::TextId::SuccessLabel) + "1");
        QVERIFY(dialog->close());
    };
    if (command == "save")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    else if (command == "write")
        runTransfer("N7", bench.window->writeDialog());
    else if (command == "read")
        runTransfer("N6", bench.window->readDialog());
    else if (command == "open")
        bench.choose("O1");
    else if (command == "new")
        bench.choose("N2");
    else if (command == "model change")
        QTest::keyClick(selector, Qt::Key_Down);
    else if (command == "language")
        bench.choose("N20");
    else if (command == "close editor")
        QTest::mouseClick(control<QPushButton>(editor, "TeButton1"), Qt::LeftButton);
    else if (command == "close main window")
        bench.window->close();
    else if (command == "switch window")
        editor->mdiArea()->setActiveSubWindow(bench.window->optionsWindow());

    const auto errorBoxes = [&] {
        QStringList texts;
        for (const SeenBox& box : bench.boxes.seen)
            if (box.icon == QMessageBox::Critical)
                texts << box.text;
        return texts;
    };
    if (committed.isEmpty()) {
        // The commit fails: it is reported, the command does not run (a switch of windows cannot
        // be held back), and the editor lies over the text for correction.
        QTRY_COMPARE(errorBoxes(), QStringList{"'14x.50000' is not a valid floating point value"});
        QCOMPARE(bench.boxes.seen.size(), 1); // no question of New or model change either
        QCOMPARE(plan.channel(3), noNumber);
        QCOMPARE(plan.channel(1), used);
        const QMap<QString, bool> ran = {
            {"save", QFile::exists(savePath)},
            {"write", bench.window->writeDialog()->isVisible() || !bench.sent.isEmpty()},
            {"read", bench.window->readDialog()->isVisible() || !bench.sent.isEmpty()},
            {"open", plan.channel(5) == other.channels[4]},
            {"new", plan.channel(1) != used},
            {"model change", selector->currentIndex() != 0 || workspace.bands.currentIndex() != 0},
            {"language", plan.words() != zev::englishWords() ||
                             control<QAction>(bench.window.get(), "N20")->isChecked()},
            {"close editor", editor->isHidden()},
            {"close main window", bench.window->isHidden()},
            {"switch window", true},
        };
        QCOMPARE(ran.value(command), command == "switch window");
        QVERIFY(frequencyEditor->isVisible());
        QCOMPARE(frequencyEditor->text(), QStringLiteral("14x.50000"));
        return;
    }

    QCOMPARE(errorBoxes(), QStringList());
    zev::ChannelRow expected = used;
    expected[0] = committed;
    if (channel == 2)
        expected = row({committed, "OFF", committed, "OFF", "High", "ON", "OFF"});
    const bool replacesPlan = QStringList{"read", "open", "new", "model change"}.contains(command);
    if (!replacesPlan) {
        if (command == "language") {
            const zev::Words zh = zev::chineseWords();
            for (QString& cell : expected)
                cell = cell == "OFF"    ? zh.off
                       : cell == "ON"   ? zh.on
                       : cell == "High" ? zh.high
                                        : cell;
        }
        QCOMPARE(plan.channel(channel), expected);
        // No raw text left in an editor that shows.
        QVERIFY(frequencyEditor->isHidden() ||
                frequencyEditor->text() == plan.cell(PlanModel::RxFrequency, channel));
    }
    if (command == "save") {
        const zev::Result<zev::Plan> saved = zev::loadChannelFile(savePath);
        QVERIFY(saved.ok());
        QCOMPARE(saved.value().channels[channel - 1], expected);
    } else if (command == "write") {
        const zev::codec::ChannelBlocks blocks = zev::codec::encodeChannel(expected, plan.words());
        const auto frame = [](int address, const zev::Block& half) {
            return QStringLiteral("57") + addressHex(address) + QStringLiteral("08") +
                   zev::bytesToHex(zev::toBytes(half));
        };
        QVERIFY2(bench.sent.contains(
                     frame(zev::MemoryImage::channelAddress(channel, false), blocks.first)),
                 qPrintable(bench.sent.join(' ')));
        QVERIFY(bench.sent.contains(
            frame(zev::MemoryImage::channelAddress(channel, true), blocks.second)));
    } else if (command == "close editor") {
        QVERIFY(editor->isHidden());
    } else if (command == "close main window") {
        QVERIFY(bench.window->isHidden());
    } else if (command == "switch window") {
        QCOMPARE(editor->mdiArea()->activeSubWindow(), bench.window->optionsWindow());
    }
    if (!replacesPlan)
        return;

    // The plan that replaced the edited one; the overlays are hidden and empty, so Enter twice,
    // in the grid and in whatever it opens, brings nothing back.
    std::array<zev::ChannelRow, 5> replacement{};
    if (command == "read") {
        replacement[0] = row({"146.52000", "OFF", "146.52000", "OFF", "High", "ON", "ON"});
        replacement[1] = row({"145.27500", "88.5", "144.67500", "88.5", "High", "ON", "OFF"});
        replacement[4] = row({"154.57000", "100.0", "154.57000", "100.0", "Low", "OFF", "OFF"});
    } else if (command == "open") {
        replacement[4] = other.channels[4];
    }
    for (int row : {1, 2, 5})
        QCOMPARE(plan.channel(row), replacement[row - 1]);
    QVERIFY(frequencyEditor->isHidden());
    QCOMPARE(frequencyEditor->text(), QString());
    QVERIFY(control<QComboBox>(editor, "ComboBox1")->isHidden());
    const PlanSnapshot replaced = snapshot(workspace);
    // The activation comes back to the main window, as a window manager gives it after a dialog.
    QApplication::setActiveWindow(bench.window.get());
    QVERIFY(QTest::qWaitForWindowActive(bench.window.get()));
    for (int press = 0; press < 2; ++press) {
        QVERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QVERIFY(snapshot(workspace) == replaced);
}

namespace {

struct PowerControls {
    zev::PowerDialog* dialog;
    QLineEdit* high;
    QLineEdit* low;
    QComboBox* voltage;
    QPushButton* read;
    QPushButton* write;
};

PowerControls openPowerDialog(Bench& bench) {
    bench.choose("N18");
    zev::PowerDialog* dialog = bench.window->powerDialog();
    return {dialog,
            control<QLineEdit>(dialog, "Edit1"),
            control<QLineEdit>(dialog, "Edit2"),
            control<QComboBox>(dialog, "ComboBox1"),
            control<QPushButton>(dialog, "DsFancyButton1"),
            control<QPushButton>(dialog, "DsFancyButton2")};
}

} // namespace

void RadioSessionsTest::powerReadAndWrite() {
    Bench bench({});
    QVERIFY(bench.ready());
    const PowerControls power = openPowerDialog(bench);
    QVERIFY(power.dialog->isVisible());
    QVERIFY(bench.othersDisabled());
    QVERIFY(!power.write->isEnabled());
    power.voltage->setCurrentIndex(0);

    // The factory calibration block: C8 32 F1.
    QTest::mouseClick(power.read, Qt::LeftButton);
    QVERIFY2(bench.boxes.seen.isEmpty(), qPrintable(boxesSeen(bench.boxes)));
    QCOMPARE(power.high->text(), QStringLiteral("200"));
    QCOMPARE(power.low->text(), QStringLiteral("50"));
    QCOMPARE(power.voltage->currentIndex(), 1);
    QVERIFY(power.write->isEnabled());
    QCOMPARE(bench.sent.last(), QStringLiteral("646F"));

    power.voltage->setCurrentIndex(2);
    QTest::mouseClick(power.write, Qt::LeftButton);
    QVERIFY2(bench.boxes.seen.isEmpty(), qPrintable(boxesSeen(bench.boxes)));
    QVERIFY(!power.write->isEnabled());
    QVERIFY(power.dialog->close());
    QVERIFY(bench.othersEnabled());

    QByteArray expected = zev::RadioSimulator::factoryImage();
    expected.replace(0x03C8, 8, QByteArray::fromHex("C832F2FFFFFFFFFF"));
    QCOMPARE(bench.savedImage().toHex(' '), expected.toHex(' '));
    const QStringList heard = bench.heard();
    QCOMPARE(heard, bench.sent);
    QCOMPARE(heard.mid(heard.size() - 2), (QStringList{"5703C808C832F2FFFFFFFFFF", "646F"}));
}

void RadioSessionsTest::powerFaults_data() {
    QTest::addColumn<QStringList>("radio");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("high");
    QTest::addColumn<QString>("message"); // part of the one box; empty: no box
    QTest::addColumn<QStringList>("frames");
    QTest::addColumn<bool>("writeAfter"); // the write button's state afterwards
    const QString entry = QStringLiteral("0254414C766578");
    const QStringList handshake{entry, "06"};
    QTest::newRow("erased block") << QStringList{"--erased"} << "read"
                                  << ""
                                  << "erased" << (handshake + QStringList{"5203C808"}) << false;
    QTest::newRow("silent radio") << QStringList{"--silent"} << "read"
                                  << ""
                                  << "" << (QStringList(6, entry) + QStringList{"06"}) << false;
    // Frame 2 is the ACK: the radio identified itself, so the write button comes on.
    QTest::newRow("ACK answered wrongly") << QStringList{"--wrong-byte-at", "2"} << "read"
                                          << ""
                                          << "" << handshake << true;
    QTest::newRow("empty field") << QStringList{} << "write"
                                 << ""
                                 << "high-power" << QStringList{} << true;
    QTest::newRow("pasted level above a byte") << QStringList{} << "write"
                                               << "300"
                                               << "300" << QStringList{} << true;
    // The frame went out: the next write needs a new read, acknowledged or not.
    QTest::newRow("write frame not acknowledged")
        << QStringList{"--wrong-byte-at", "3"} << "write"
        << "200"
        << "" << (handshake + QStringList{"5703C808C832F1FFFFFFFFFF"}) << false;
}

void RadioSessionsTest::powerFaults() {
    QFETCH(QStringList, radio);
    QFETCH(QString, button);
    QFETCH(QString, high);
    QFETCH(QString, message);
    QFETCH(QStringList, frames);
    QFETCH(bool, writeAfter);
    Bench bench(radio);
    QVERIFY(bench.ready());
    const PowerControls power = openPowerDialog(bench);
    power.high->setText(high);
    power.low->setText(QStringLiteral("50"));
    const bool writeEnabled = button == "write";
    power.write->setEnabled(writeEnabled);
    QTest::mouseClick(button == "read" ? power.read : power.write, Qt::LeftButton);

    if (message.isEmpty()) {
        QVERIFY2(bench.boxes.seen.isEmpty(), qPrintable(boxesSeen(bench.boxes)));
    } else {
        QCOMPARE(bench.boxes.seen.size(), 1);
        QCOMPARE(bench.boxes.seen.first().icon, QMessageBox::Critical);
        QVERIFY2(bench.boxes.seen.first().text.contains(message),
                 qPrintable(bench.boxes.seen.first().text));
    }
    // Nothing read into the fields; no end frame.
    QCOMPARE(power.high->text(), high);
    QCOMPARE(power.low->text(), QStringLiteral("50"));
    QCOMPARE(power.write->isEnabled(), writeAfter);
    QVERIFY(power.read->isEnabled());
    QCOMPARE(bench.sent, frames);
    QCOMPARE(bench.heardBytes(), frames.join(QString()));
}

void RadioSessionsTest::levelEntryRules_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("digits") << "128"
                            << "128";
    QTest::newRow("above a byte") << "999"
                                  << "255";
    QTest::newRow("letters and signs dropped") << "1a-2 ."
                                               << "12";
    QTest::newRow("backspace") << "25\b7"
                               << "27";
    QTest::newRow("emptied") << "3\b"
                             << "";
}

void RadioSessionsTest::levelEntryRules() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    zev::Workspace workspace;
    zev::PowerDialog dialog(workspace);
    for (const char* name : {"Edit1", "Edit2"}) {
        auto* edit = control<QLineEdit>(&dialog, name);
        for (const QChar character : typed) {
            if (character == u'\b')
                QTest::keyClick(edit, Qt::Key_Backspace);
            else
                QTest::keyClick(edit, character.toLatin1());
        }
        QCOMPARE(edit->text(), shown);
    }
}

// Check the connection… in Port devices asks the radio behind the port in use who it is, shows
// a line for each check and writes nothing.
void RadioSessionsTest::portDevicesChecksTheConnection() {
    Bench bench({});
    QVERIFY(bench.ready());
    QString shown;
    bool enabledAgain = false;
    QTimer::singleShot(0, bench.window.get(), [&] {
        auto* dialog = bench.window->findChild<zev::PortDevicesDialog*>();
        QVERIFY(dialog);
        auto* button = dialog->findChild<QPushButton*>("CheckConnectionButton");
        QVERIFY(button);
        QCOMPARE(button->text(), QStringLiteral("Check the connection…"));
        button->click();
        shown = dialog->findChild<QPlainTextEdit*>("ConnectionCheckLines")->toPlainText();
        enabledAgain = button->isEnabled();
        dialog->reject();
    });
    bench.choose("PortDevicesItem");
    const QString terminal = bench.sim->terminal();
    const QStringList lines = shown.split(QLatin1Char('\n'));
    QCOMPARE(lines.first(),
             "✔ The port " + terminal + " is there; it has no stable name in /dev/serial/by-id");
    QCOMPARE(lines.last(), "✔ An RH-4800 answered on " + terminal + " (band 136-174MHz)");
    for (const QString& line : lines)
        QVERIFY2(line.startsWith(QStringLiteral("✔ ")), qPrintable(line));
    QVERIFY(enabledAgain);
    QCOMPARE(bench.heard(),
             (QStringList{"0254414C766578", "06", "5203E008", "06", "646F"})); // nothing written
}

// Closed while the check waits for a silent radio: the check stops at once, the radio gets the
// end frame, and the dialog closes as asked.
void RadioSessionsTest::closingPortDevicesStopsTheCheck() {
    Bench bench({"--silent"});
    QVERIFY(bench.ready());
    QString shown;
    int result = -1;
    QTimer::singleShot(0, bench.window.get(), [&] {
        auto* dialog = bench.window->findChild<zev::PortDevicesDialog*>();
        QVERIFY(dialog);
        connect(dialog, &QDialog::finished, [&result](int code) { result = code; });
        // Runs inside the check's first wait.
        QTimer::singleShot(0, dialog, &QDialog::reject);
        dialog->findChild<QPushButton*>("CheckConnectionButton")->click();
        shown = dialog->findChild<QPlainTextEdit*>("ConnectionCheckLines")->toPlainText();
    });
    bench.choose("PortDevicesItem");
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(shown.split(QLatin1Char('\n')).last(),
             QStringLiteral("✘ The check was stopped before the radio answered"));
    QCOMPARE(bench.heardBytes(), QStringLiteral("646F646F"));
}

QTEST_MAIN(RadioSessionsTest)
#include "tst_radiosessions.moc"
