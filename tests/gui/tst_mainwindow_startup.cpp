#include "tst_mainwindow_support.h"

#include "app/languagepack.h"
#include "app/mnemonic.h"
#include "app/textids.h"
#include "compilepack.h"
#include "offscreenscreens.h"
#include "plan/vocabulary.h"
#include "planmodel.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>

using namespace zevtest;
using zev::MainWindow;

class MainWindowStartupTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { testsupport::useTestScreens(); }

private slots:
    void initTestCase() { quietOffscreenWarnings(); }
    void freshStart();
    void windowFitsTheScreen_data();
    void windowFitsTheScreen();
    void toolbarLayout();
    void pictureFilterEndsBeforeTheClientArea();
    void settingsSurviveRestart();
    void handEditedSettings();
    void portDevices();
    void settingsWriteFailure_data();
    void settingsWriteFailure();
    void readOnlyFolderKeepsSettingsInConfigHome();
    void englishAtStartup_data();
    void englishAtStartup();
    void chineseAtStartup();
    void everyTextToItsPlaces();
    void installLogProblem_data();
    void installLogProblem();
    void commandLine_data();
    void commandLine();
};

namespace {

QStringList checkedNames(QWidget* window, const QStringList& names) {
    QStringList checked;
    for (const QString& name : names) {
        QObject* object = zev::findControl(window, name);
        if (object && object->property("checked").toBool())
            checked << name;
    }
    return checked;
}

const QStringList portItemNames = {"COM1", "COM2", "COM3", "COM4"};
const QStringList portButtonNames = {"ToolButton31", "ToolButton32", "ToolButton33",
                                     "ToolButton34"};

QStringList modelItems(QWidget* window) {
    auto* selector = control<QComboBox>(window, "ComboBox1");
    QStringList items;
    for (int i = 0; i < selector->count(); ++i)
        items << selector->itemText(i);
    return items;
}

} // namespace

void MainWindowStartupTest::freshStart() {
    ProgramFolder folder;
    folder.writeInstallLog(false);
    auto window = startProgram(folder);
    QVERIFY(window);

    QCOMPARE(window->objectName(), QStringLiteral("TForm1"));
    QCOMPARE(window->windowTitle(), QStringLiteral("ZEV4800"));
    QCOMPARE(window->size(), QSize(1055, 765));
    QCOMPARE(checkedNames(window.get(), portItemNames), QStringList{"COM1"});
    QCOMPARE(checkedNames(window.get(), portButtonNames), QStringList{"ToolButton31"});
    QCOMPARE(window->workspace().port.portNumber(), 1);
    QCOMPARE(window->workspace().port.device(), QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(modelItems(window.get()), QStringList{"136-174MHz"});
    QCOMPARE(control<QComboBox>(window.get(), "ComboBox1")->currentIndex(), 0);
    QVERIFY(!control<QComboBox>(window.get(), "ComboBox1")->isEditable());

    // The two child windows: options first, editor in front.
    auto* area = window->findChild<QMdiArea*>();
    QVERIFY(area);
    QStringList children;
    for (QMdiSubWindow* child : area->subWindowList(QMdiArea::CreationOrder))
        children << child->objectName();
    QCOMPARE(children, (QStringList{"TForm4", "TForm2"}));
    QCOMPARE(area->subWindowList(QMdiArea::StackingOrder).constLast()->objectName(),
             QStringLiteral("TForm2"));
    QCOMPARE(area->activeSubWindow()->objectName(), QStringLiteral("TForm2"));
    QVERIFY(form(*window, "TForm4")->isVisible());
    QVERIFY(form(*window, "TForm2")->isVisible());

    for (const char* name : {"TForm3", "TForm5", "TForm6", "TForm7"}) {
        QWidget* dialog = form(*window, name);
        QVERIFY2(dialog, name);
        QVERIFY2(dialog->isWindow(), name);
        QVERIFY2(!dialog->isVisible(), name);
        QVERIFY2(!dialog->isModal(), name);
        QVERIFY2(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint), name);
    }

    // Power adjust is there but cannot be chosen.
    QVERIFY(!control<QAction>(window.get(), "N18")->isEnabled());
    QVERIFY(!control<QToolButton>(window.get(), "ToolButton22")->isEnabled());

    const QList<std::pair<const char*, QKeySequence>> shortcuts = {
        {"N2", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"O1", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"S1", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"N4", QKeySequence(Qt::CTRL | Qt::Key_Q)}};
    for (const auto& [name, keys] : shortcuts)
        QCOMPARE(control<QAction>(window.get(), name)->shortcut(), keys);
}

void MainWindowStartupTest::windowFitsTheScreen_data() {
    QTest::addColumn<QString>("screenName");
    QTest::addColumn<bool>("fillsWidth");
    QTest::addColumn<bool>("fillsHeight");
    QTest::newRow("desktop, room to spare") << "desktop" << false << false;
    QTest::newRow("laptop 1366 x 768") << "laptop" << false << true;
    QTest::newRow("netbook 1024 x 600") << "netbook" << true << true;
}

void MainWindowStartupTest::windowFitsTheScreen() {
    QFETCH(QString, screenName);
    QFETCH(bool, fillsWidth);
    QFETCH(bool, fillsHeight);
    QScreen* screen = nullptr;
    for (QScreen* candidate : QGuiApplication::screens()) {
        if (candidate->name() == screenName)
            screen = candidate;
    }
    if (!screen)
        QSKIP("runs on the offscreen platform's test screens");
    ProgramFolder folder;
    folder.writeInstallLog(true);
    zev::StartupOptions options;
    options.programDirectory = folder.path();
    MainWindow window(options);
    // Opened on that screen, as on a computer that has only this one.
    window.move(screen->geometry().topLeft());
    window.setScreen(screen);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QRect available = screen->availableGeometry();
    const QRect frame = window.frameGeometry();
    QVERIFY2(available.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                       .arg(frame.x())
                                                       .arg(frame.y())
                                                       .arg(frame.width())
                                                       .arg(frame.height())));
    QVERIFY(qAbs(frame.center().x() - available.center().x()) <= 1);
    QVERIFY(qAbs(frame.center().y() - available.center().y()) <= 1);
    if (fillsWidth)
        QCOMPARE(frame.width(), available.width());
    else
        QCOMPARE(window.width(), 1055);
    if (fillsHeight)
        QCOMPARE(frame.height(), available.height());
    else
        QCOMPARE(window.height(), 765);
}

void MainWindowStartupTest::toolbarLayout() {
    ProgramFolder folder;
    folder.writeInstallLog(false);
    auto window = startProgram(folder);
    QVERIFY(window);
    auto* toolBar = control<QToolBar>(window.get(), "ToolBar1");
    QVERIFY(toolBar);
    QStringList layout;
    for (QAction* action : toolBar->actions()) {
        QWidget* widget = toolBar->widgetForAction(action);
        layout << (action->isSeparator() ? QStringLiteral("|") : widget->objectName());
    }
    QCOMPARE(layout.join(' '),
             QStringLiteral("| ToolButton2 ToolButton3 ToolButton4 | | ToolButton6 ToolButton8 | | "
                            "ToolButton18 ToolButton19 ToolButton22 | | ToolButton31 ToolButton32 "
                            "ToolButton33 ToolButton34 | | Panel7 | |"));
    for (QToolButton* button : toolBar->findChildren<QToolButton*>(
             QRegularExpression(QStringLiteral("^ToolButton\\d+$")))) {
        QCOMPARE(button->size(), QSize(37, 36));
        QCOMPARE(button->iconSize(), QSize(30, 30));
        QVERIFY2(!button->icon().pixmap(30, 30).isNull(), qPrintable(button->objectName()));
    }
    QCOMPARE(control<QComboBox>(window.get(), "ComboBox1")->width(), 113);
    QCOMPARE(control<QLabel>(window.get(), "Image1")->size(), QSize(603, 448));
    QVERIFY(!control<QLabel>(window.get(), "Image1")->pixmap().isNull());
}

// The window keeps the picture centred by watching the client area's viewport; while the client
// area is being destroyed it must no longer do so, for it can no longer be asked for its viewport.
// A spy on the viewport resizes it at every event it gets during the window's destruction and
// notes whether the window still moves the picture.
void MainWindowStartupTest::pictureFilterEndsBeforeTheClientArea() {
    ProgramFolder folder;
    folder.writeInstallLog(false);
    auto window = startProgram(folder);
    QVERIFY(window);
    QWidget* viewport = window->findChild<QMdiArea*>()->viewport();
    QPointer<QLabel> picture = control<QLabel>(window.get(), "Image1");
    QVERIFY(picture);

    class Spy : public QObject {
    public:
        QPointer<QLabel> picture;
        int eventsSeen = 0;
        int pictureMoves = 0;
        bool resizing = false;

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (resizing || !picture || event->type() == QEvent::Resize)
                return false;
            ++eventsSeen;
            auto* viewport = static_cast<QWidget*>(watched);
            picture->move(0, 0);
            resizing = true;
            QResizeEvent resize(viewport->size(), viewport->size());
            QCoreApplication::sendEvent(viewport, &resize);
            resizing = false;
            if (picture && picture->pos() != QPoint(0, 0))
                ++pictureMoves;
            return false;
        }
    } spy;
    spy.picture = picture;
    viewport->installEventFilter(&spy);
    // Still watched while the window lives.
    QResizeEvent resize(viewport->size(), viewport->size());
    picture->move(0, 0);
    QCoreApplication::sendEvent(viewport, &resize);
    QVERIFY(picture->pos() != QPoint(0, 0));

    window.reset();
    QVERIFY(spy.eventsSeen > 0);
    QCOMPARE(spy.pictureMoves, 0);
}

void MainWindowStartupTest::settingsSurviveRestart() {
    ProgramFolder folder;
    folder.writeInstallLog(false);
    {
        auto window = startProgram(folder);
        QVERIFY(window);
        control<QAction>(window.get(), "COM3")->trigger();
        window->workspace().bands.applyBand(QStringLiteral("400-470MHz"));
        window->workspace().bands.applyBand(QStringLiteral("136-174MHz"));
        QVERIFY(window->close());
    }
    const QByteArray settings = folder.readFile(QStringLiteral("myini.ini"));
    QCOMPARE(settings, QByteArray("[open]\r\ncom=3\r\n[list1]\r\nlistnow=0\r\nlistcount=1\r\n"
                                  "combo0=136-174MHz\r\ncombo1=400-470MHz\r\n")
                           .replace("\r\n", settings.contains("\r\n") ? "\r\n" : "\n"));

    auto window = startProgram(folder);
    QVERIFY(window);
    QCOMPARE(checkedNames(window.get(), portItemNames), QStringList{"COM3"});
    QCOMPARE(checkedNames(window.get(), portButtonNames), QStringList{"ToolButton33"});
    QCOMPARE(window->workspace().port.portNumber(), 3);
    QCOMPARE(modelItems(window.get()), (QStringList{"136-174MHz", "400-470MHz"}));
    QCOMPARE(control<QComboBox>(window.get(), "ComboBox1")->currentIndex(), 0);
    QCOMPARE(window->windowTitle(), QStringLiteral("ZEV4800"));
}

void MainWindowStartupTest::handEditedSettings() {
    ProgramFolder folder;
    folder.writeInstallLog(false);
    folder.writeFile(QStringLiteral("myini.ini"),
                     "; kept as it is\r\n[Other]\r\nkey=value\r\n[OPEN]\r\nCOM=2\r\n"
                     "[list1]\r\nlistcount=-1\r\nlistnow=-1\r\ncombo5=spare\r\n");
    {
        auto window = startProgram(folder);
        QVERIFY(window);
        QCOMPARE(checkedNames(window.get(), portItemNames), QStringList{"COM2"});
        QCOMPARE(modelItems(window.get()), QStringList());
        QCOMPARE(control<QComboBox>(window.get(), "ComboBox1")->currentIndex(), -1);
        QVERIFY(window->close());
    }
    const QByteArray settings = folder.readFile(QStringLiteral("myini.ini"));
    for (const char* kept :
         {"; kept as it is", "[Other]", "key=value", "combo5=spare", "listcount=-1", "listnow=-1"})
        QVERIFY2(settings.contains(kept), kept);
}

void MainWindowStartupTest::portDevices() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    const QString here = folder.path() + QStringLiteral("ttyHere");
    const QString gone = folder.path() + QStringLiteral("ttyGone");
    const QString link = folder.path() + QStringLiteral("usb-Cable-if00-port0");
    folder.writeFile(QStringLiteral("ttyHere"), QByteArray());
    QVERIFY(QFile::link(here, link));
    folder.writeFile(QStringLiteral("myini.ini"), "[ports]\r\ncom1=" + gone.toUtf8() +
                                                      "\r\ncom2=" + here.toUtf8() +
                                                      "\r\ncom4=" + link.toUtf8() + "\r\n");
    zev::StartupOptions options;
    options.portDevices[3] = folder.path() + QStringLiteral("ttyNone");
    auto window = startProgram(folder, options);
    QVERIFY(window);
    // Each tip names the device and says whether it is there.
    const QStringList expected = {gone + " (not present)", here + " (present)",
                                  options.portDevices[3] + " (not present)",
                                  link + " (present as " + here + ")"};
    for (int number = 1; number <= 4; ++number) {
        for (const QString& name : {portItemNames.at(number - 1), portButtonNames.at(number - 1)}) {
            QObject* item = zev::findControl(window.get(), name);
            QCOMPARE(item->property("toolTip").toString(), expected.at(number - 1));
            QCOMPARE(item->property("statusTip").toString(), expected.at(number - 1));
        }
    }
    control<QToolButton>(window.get(), "ToolButton33")->click();
    QCOMPARE(window->workspace().port.device(), options.portDevices[3]);
    QVERIFY(window->close());
    window.reset();
    // The devices are only read at start-up, never written.
    QVERIFY(!folder.readFile(QStringLiteral("myini.ini")).contains("ttyNone"));
}

void MainWindowStartupTest::settingsWriteFailure_data() {
    QTest::addColumn<QString>("setup");
    QTest::newRow("read-only file") << "file";
    QTest::newRow("read-only folder") << "folder";
    QTest::newRow("folder in the file's place") << "directory";
}

void MainWindowStartupTest::settingsWriteFailure() {
    QFETCH(QString, setup);
    ProgramFolder folder;
    folder.writeInstallLog(false);
    const QString path = folder.path() + QStringLiteral("myini.ini");
    auto window = startProgram(folder);
    QVERIFY(window);
    if (setup == "file") {
        folder.writeFile(QStringLiteral("myini.ini"), "[open]\r\ncom=2\r\n");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
    } else if (setup == "folder") {
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
    } else {
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("myini.ini")));
    }

    MessageBoxAnswerer answerer;
    QVERIFY(window->close());
    window.reset();
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(answerer.seen.size(), 1);
    // Started in Chinese: the message is the translation of "Unable to write to %1".
    QCOMPARE(answerer.seen.first().text, QStringLiteral("无法写入 ") + path);
    QCOMPARE(answerer.seen.first().title, QStringLiteral("ZEV4800"));
    QCOMPARE(answerer.seen.first().icon, QMessageBox::Critical);
    if (setup == "file")
        QCOMPARE(folder.readFile(QStringLiteral("myini.ini")), QByteArray("[open]\r\ncom=2\r\n"));
}

namespace {

struct Target {
    int id;
    const char* form;
    const char* control;
    const char* property;
};

// Every place a pack's text goes, window by window.
const Target allTargets[] = {
    {1, "TForm1", "StatusBar1Panel0", "text"},
    {2, "TForm1", "ToolButton2", "toolTip"},
    {3, "TForm1", "ToolButton3", "toolTip"},
    {4, "TForm1", "ToolButton4", "toolTip"},
    {5, "TForm1", "ToolButton6", "toolTip"},
    {6, "TForm1", "ToolButton8", "toolTip"},
    {7, "TForm1", "ToolButton18", "toolTip"},
    {8, "TForm1", "ToolButton19", "toolTip"},
    {9, "TForm1", "ToolButton22", "toolTip"},
    {2, "TForm1", "ToolButton2", "accessibleName"},
    {3, "TForm1", "ToolButton3", "accessibleName"},
    {4, "TForm1", "ToolButton4", "accessibleName"},
    {5, "TForm1", "ToolButton6", "accessibleName"},
    {6, "TForm1", "ToolButton8", "accessibleName"},
    {7, "TForm1", "ToolButton18", "accessibleName"},
    {8, "TForm1", "ToolButton19", "accessibleName"},
    {9, "TForm1", "ToolButton22", "accessibleName"},
    {10, "TForm1", "Label1", "text"},
    {11, "TForm1", "N1", "title"},
    {12, "TForm1", "N2", "text"},
    {13, "TForm1", "O1", "text"},
    {14, "TForm1", "S1", "text"},
    {15, "TForm1", "N4", "text"},
    {16, "TForm1", "N5", "title"},
    {17, "TForm1", "N6", "text"},
    {17, "TForm6", "", "windowTitle"},
    {18, "TForm1", "N7", "text"},
    {18, "TForm3", "", "windowTitle"},
    {19, "TForm1", "N9", "text"},
    {20, "TForm1", "N11", "text"},
    {21, "TForm1", "N18", "text"},
    {21, "TForm7", "", "windowTitle"},
    {22, "TForm1", "N12", "title"},
    {23, "TForm1", "N13", "title"},
    {24, "TForm1", "N14", "text"},
    {25, "TForm1", "N16", "text"},
    {25, "TForm5", "", "windowTitle"},
    {29, "TForm1", "N19", "title"},
    {30, "TForm2", "", "windowTitle"},
    {31, "TForm2", "TeButton1", "text"},
    {32, "TForm2", "TeButton2", "text"},
    {33, "TForm2", "TeButton3", "text"},
    {34, "TForm2", "TeButton4", "text"},
    {48, "TForm4", "", "windowTitle"},
    {49, "TForm4", "Label1", "text"},
    {50, "TForm4", "Label2", "text"},
    {51, "TForm4", "Label3", "text"},
    {52, "TForm4", "Label4", "text"},
    {53, "TForm4", "Label5", "text"},
    {54, "TForm4", "Label6", "text"},
    {55, "TForm4", "Label7", "text"},
    {67, "TForm4", "TeButton1", "text"},
    {67, "TForm5", "TeButton1", "text"},
    {68, "TForm5", "Label1", "text"},
    {68, "TForm3", "StatusBar1Panel0", "text"},
    {68, "TForm6", "StatusBar1Panel0", "text"},
    {69, "TForm5", "Label2", "text"},
    {70, "TForm5", "Label3", "text"},
    {71, "TForm5", "Label4", "text"},
    {72, "TForm7", "Label1", "text"},
    {73, "TForm7", "Label2", "text"},
    {74, "TForm7", "Label3", "text"},
    {75, "TForm7", "DsFancyButton1", "text"},
    {75, "TForm6", "Button1", "text"},
    {76, "TForm7", "DsFancyButton2", "text"},
    {76, "TForm3", "Button1", "text"},
    {79, "TForm1", "N22", "title"},
};

} // namespace

// A program folder nobody may write: the settings are read from and written to the user's
// configuration folder, quietly, and the file beside the program is left alone.
void MainWindowStartupTest::readOnlyFolderKeepsSettingsInConfigHome() {
    ProgramFolder folder;
    folder.writeInstallLog(false);
    const QByteArray beside("[open]\r\ncom=2\r\n");
    folder.writeFile(QStringLiteral("myini.ini"), beside);
    QTemporaryDir config;
    QVERIFY(config.isValid());
    const QString settingsPath = config.path() + QStringLiteral("/zev4800/myini.ini");
    QVERIFY(QDir().mkpath(config.path() + QStringLiteral("/zev4800")));
    {
        QFile settings(settingsPath);
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[open]\r\ncom=3\r\n");
    }
    const bool configHomeWasSet = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    const QByteArray oldConfigHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));

    MessageBoxAnswerer answerer;
    auto window = startProgram(folder);
    const int port = window ? window->portNumber() : 0;
    if (window) {
        control<QAction>(window.get(), "COM4")->trigger();
        window->close();
    }
    window.reset();
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (configHomeWasSet)
        qputenv("XDG_CONFIG_HOME", oldConfigHome);
    else
        qunsetenv("XDG_CONFIG_HOME");

    QCOMPARE(port, 3);
    QCOMPARE(answerer.seen.size(), 0);
    QFile settings(settingsPath);
    QVERIFY(settings.open(QIODevice::ReadOnly));
    QVERIFY(settings.readAll().startsWith("[open]\r\ncom=4\r\n"));
    QCOMPARE(folder.readFile(QStringLiteral("myini.ini")), beside);
}

void MainWindowStartupTest::englishAtStartup_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("formName");
    QTest::addColumn<QString>("controlName");
    QTest::addColumn<QString>("property");
    for (const Target& target : allTargets)
        QTest::addRow("%d %s %s", target.id, target.form, target.control)
            << target.id << target.form << target.control << target.property;
}

void MainWindowStartupTest::englishAtStartup() {
    QFETCH(int, id);
    QFETCH(QString, formName);
    QFETCH(QString, controlName);
    QFETCH(QString, property);
    ProgramFolder folder;
    QVERIFY(folder.hasPacks());
    folder.writeInstallLog(true);
    const auto pack = zev::LanguagePack::load(folder.path(), QStringLiteral("english"));
    QVERIFY(pack);
    auto window = startProgram(folder);
    QVERIFY(window);

    QObject* target = zev::findControl(form(*window, qPrintable(formName)), controlName);
    QVERIFY(target);
    QVERIFY(!pack->text(id).isEmpty());
    // Menus add the keyboard letter that a pack caption lacks; the about box's title is the
    // About command's caption without it.
    QCOMPARE(zev::plainCaption(target->property(qPrintable(property)).toString()),
             zev::plainCaption(pack->text(id)));

    if (id == 1) { // the rest of the English start-up, once
        QCOMPARE(control<QAction>(window.get(), "N20")->text(), QStringLiteral("&Chinese"));
        QVERIFY(!control<QAction>(window.get(), "N20")->isChecked());
        QVERIFY(control<QAction>(window.get(), "N21")->isChecked());
        QCOMPARE(control<QAction>(window.get(), "N21")->text(), QStringLiteral("&English"));
        const zev::PlanModel& plan = window->workspace().plan;
        QCOMPARE(plan.toneList().size(), 259);
        QCOMPARE(plan.toneList().first(), QStringLiteral("OFF"));
        QCOMPARE(plan.words(), zev::englishWords());
        for (int column = 0; column < zev::PlanModel::ColumnCount; ++column)
            QCOMPARE(plan.cell(column, 0), pack->text(zev::TextId::HeaderFirst + column));
        for (const char* dialog : {"TForm3", "TForm6"})
            QCOMPARE(control<QLabel>(form(*window, dialog), "StatusBar1Panel1")->text(),
                     pack->text(zev::TextId::SuccessLabel) + "0");
        auto* timer = control<QComboBox>(form(*window, "TForm4"), "ComboBox3");
        QCOMPARE(timer->itemText(1), pack->text(zev::TextId::MinutesFirst));
        QCOMPARE(timer->currentIndex(), 4);
        QCOMPARE(window->workspace().texts.portBusyMessage,
                 pack->text(zev::TextId::PortBusyMessage));
    }
}

void MainWindowStartupTest::chineseAtStartup() {
    ProgramFolder folder;
    folder.writeInstallLog(false);
    const auto pack = zev::LanguagePack::load(folder.path(), QStringLiteral("chinese"));
    QVERIFY(pack);
    auto window = startProgram(folder);
    QVERIFY(window);
    QCOMPARE(control<QAction>(window.get(), "N20")->text(), QStringLiteral("中文(&C)"));
    QVERIFY(control<QAction>(window.get(), "N20")->isChecked());
    QVERIFY(!control<QAction>(window.get(), "N21")->isChecked());
    QCOMPARE(window->workspace().plan.toneList().first(), QStringLiteral("禁用"));
    QCOMPARE(window->workspace().plan.toneList().size(), 259);
    QCOMPARE(window->workspace().texts.confirmCaption, pack->text(zev::TextId::ConfirmCaption));
    QCOMPARE(control<QLabel>(form(*window, "TForm6"), "StatusBar1Panel0")->text(),
             pack->text(zev::TextId::ProgramLine));
}

void MainWindowStartupTest::everyTextToItsPlaces() {
    // A pack whose every text names its number, with some numbers left out: each place must show
    // the text of its own number, and a number the pack lacks must leave its places alone.
    const QSet<int> missing = {2, 17, 25, 26, 36, 44, 57, 64, 67, 68, 77, 80};
    const auto textOf = [](int id) { return QStringLiteral("T%1").arg(id); };
    QMap<int, QString> texts;
    for (int id = zev::TextId::First; id <= zev::TextId::Last; ++id) {
        if (!missing.contains(id))
            texts.insert(id, textOf(id));
    }
    ProgramFolder folder;
    folder.writeInstallLog(true);
    QVERIFY(testsupport::compilePack(folder.path(), QStringLiteral("english"), texts));

    zev::StartupOptions options;
    options.programDirectory = folder.path();
    MainWindow window(options);
    // Before the show step no pack is loaded: what every place holds now must stay where the
    // pack has no text.
    QList<QString> before;
    for (const Target& target : allTargets)
        before << zev::findControl(form(window, target.form), QLatin1String(target.control))
                      ->property(target.property)
                      .toString();
    const zev::Workspace& workspace = window.workspace();
    const zev::LanguageTexts textsBefore = workspace.texts;
    QCOMPARE(textsBefore.confirmCaption, QString());
    QCOMPARE(textsBefore.modelChangeQuestion, QString());
    QCOMPARE(textsBefore.newQuestion, QString());
    QCOMPARE(workspace.plan.toneList().size(), 258);
    const QString panelBefore = control<QLabel>(form(window, "TForm3"), "StatusBar1Panel1")->text();

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto expect = [&](int id, const QString& previous) {
        return missing.contains(id) ? previous : textOf(id);
    };

    for (qsizetype i = 0; i < before.size(); ++i) {
        const Target& target = allTargets[i];
        const QString shown =
            zev::findControl(form(window, target.form), QLatin1String(target.control))
                ->property(target.property)
                .toString();
        QVERIFY2(zev::plainCaption(shown) == zev::plainCaption(expect(target.id, before.at(i))),
                 qPrintable(QStringLiteral("%1 %2 %3: %4")
                                .arg(target.id)
                                .arg(target.form, target.control, shown)));
    }

    const auto& t = workspace.texts;
    using namespace zev::TextId;
    QCOMPARE(t.confirmCaption, expect(ConfirmCaption, QString()));
    QCOMPARE(t.modelChangeQuestion, expect(ModelChangeQuestion, QString()));
    QCOMPARE(t.newQuestion, expect(NewQuestion, QString()));
    QCOMPARE(t.successLabel, expect(SuccessLabel, textsBefore.successLabel));
    QCOMPARE(t.transferFailed, expect(TransferFailed, QString()));
    QCOMPARE(t.portBusyMessage, expect(PortBusyMessage, QString()));
    QCOMPARE(t.portBusyCaption, expect(PortBusyCaption, QString()));
    for (const char* dialog : {"TForm3", "TForm6"})
        QCOMPARE(control<QLabel>(form(window, dialog), "StatusBar1Panel1")->text(),
                 expect(SuccessLabel, panelBefore));

    const zev::PlanModel& plan = workspace.plan;
    for (int column = 0; column < zev::PlanModel::ColumnCount; ++column)
        QCOMPARE(plan.cell(column, 0), expect(HeaderFirst + column, QString()));
    const zev::Words chinese = zev::chineseWords();
    const zev::Words words{expect(OffWord, chinese.off), expect(OnWord, chinese.on),
                           expect(HighWord, chinese.high), expect(LowWord, chinese.low)};
    QCOMPARE(plan.words(), words);
    QCOMPARE(plan.toneList().size(), 259);
    QCOMPARE(plan.toneList().first(), words.off);

    // The option lists, as the options window shows them.
    const zev::OptionTexts chineseItems = zev::chineseOptionTexts();
    QStringList minutes{words.off};
    for (int item = 0; item < 7; ++item)
        minutes << expect(MinutesFirst + item, chineseItems.minutes[item]);
    QStringList voices;
    for (int item = 0; item < 4; ++item)
        voices << expect(VoiceFirst + item, chineseItems.voices[item]);
    voices << words.off;
    const QList<std::pair<const char*, QStringList>> lists = {
        {"ComboBox1", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {"ComboBox2", {words.off, words.on}},
        {"ComboBox3", minutes},
        {"ComboBox4", voices},
        {"ComboBox5", {words.off, words.on}},
        {"ComboBox6", {words.off, words.on}},
        {"ComboBox7", {words.on, words.off}},
    };
    for (const auto& [name, items] : lists) {
        auto* selector = control<QComboBox>(form(window, "TForm4"), name);
        QStringList shown;
        for (int i = 0; i < selector->count(); ++i)
            shown << selector->itemText(i);
        QCOMPARE(shown, items);
    }
    QCOMPARE(control<QComboBox>(form(window, "TForm4"), "ComboBox3")->currentIndex(), 4);
}

void MainWindowStartupTest::installLogProblem_data() {
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << QByteArray() << "Cannot open file \"%1install.Log\".";
    QTest::newRow("one line") << QByteArray("Title: ZEV4800 Programming Software\r\n")
                              << "List index out of bounds (1)";
}

void MainWindowStartupTest::installLogProblem() {
    QFETCH(QByteArray, log);
    QFETCH(QString, message);
    ProgramFolder folder;
    if (!log.isEmpty())
        folder.writeFile(QStringLiteral("install.Log"), log);
    MessageBoxAnswerer answerer;
    auto window = startProgram(folder);
    QVERIFY(window);
    QVERIFY(answerer.waitForBoxes());
    if (message.contains(QLatin1String("%1")))
        message = message.arg(folder.path());
    QVERIFY2(answerer.seen.first().text.startsWith(message),
             qPrintable(answerer.seen.first().text));
    QCOMPARE(answerer.seen.first().icon, QMessageBox::Critical);

    // No pack: the built-in texts, the built-in words, no off item in the tone list.
    QCOMPARE(control<QAction>(window.get(), "N2")->text(), QStringLiteral("新建(&N)"));
    QCOMPARE(control<QLabel>(window.get(), "StatusBar1Panel0")->text(),
             QStringLiteral("VARKOL专用调频手持对讲机RH-4800编程软件"));
    QCOMPARE(control<QMenu>(window.get(), "N1")->title(), QStringLiteral("文件(&F)"));
    QCOMPARE(form(*window, "TForm5")->windowTitle(), QStringLiteral("关于"));
    QCOMPARE(control<QAbstractButton>(form(*window, "TForm5"), "TeButton1")->text(),
             QStringLiteral("退出（&C）"));
    QCOMPARE(control<QAbstractButton>(form(*window, "TForm6"), "Button1")->text(),
             QStringLiteral("读频(&R)"));
    QCOMPARE(control<QLabel>(form(*window, "TForm3"), "StatusBar1Panel1")->text(),
             QStringLiteral("成功次数:0"));
    QCOMPARE(control<QAction>(window.get(), "N20")->text(), QStringLiteral("中文(&C)"));
    QVERIFY(control<QAction>(window.get(), "N20")->isChecked());
    QVERIFY(!control<QAction>(window.get(), "N21")->isChecked());
    QCOMPARE(window->workspace().plan.toneList().size(), 258);
    QCOMPARE(window->workspace().plan.words(), zev::chineseWords());
    QCOMPARE(window->workspace().plan.cell(1, 0), QString());
    // The port command ran before the language detection failed.
    QCOMPARE(window->workspace().port.portNumber(), 1);
    QCOMPARE(window->workspace().port.device(), QStringLiteral("/dev/ttyUSB0"));

    // Only a pack gives the question and its caption: New asks with empty texts.
    control<QAction>(window.get(), "N2")->trigger();
    QVERIFY(answerer.waitForBoxes(2));
    QCOMPARE(answerer.seen.at(1).text, QString());
    QCOMPARE(answerer.seen.at(1).title, QString());
    QCOMPARE(answerer.seen.at(1).buttons, QMessageBox::Ok | QMessageBox::Cancel);
}

void MainWindowStartupTest::commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("ports");
    QTest::addColumn<bool>("service");
    QTest::addColumn<QString>("screenshot");
    QTest::newRow("none") << QStringList{} << ""
                          << "" << false << "";
    QTest::newRow("ports") << QStringList{"--port", "1=/dev/ttyACM0", "--port=4=/dev/pts/7",
                                          "--port", "1=/dev/ttyS0"}
                           << ""
                           << "1=/dev/ttyS0 4=/dev/pts/7" << false << "";
    QTest::newRow("service and screenshot")
        << QStringList{"--service", "--screenshot", "/tmp/a.png", "--report-startup"} << ""
        << "" << true << "/tmp/a.png";
    QTest::newRow("port number out of range")
        << QStringList{"--port", "5=/dev/ttyS0"} << "--port 5=/dev/ttyS0"
        << "" << false << "";
    QTest::newRow("port without device") << QStringList{"--port", "2="} << "--port 2="
                                         << "" << false << "";
    QTest::newRow("port without number")
        << QStringList{"--port", "/dev/ttyS0"} << "--port /dev/ttyS0"
        << "" << false << "";
    QTest::newRow("unknown option") << QStringList{"--colour"} << "colour"
                                    << "" << false << "";
    QTest::newRow("second file") << QStringList{"a.z81", "file.z81"} << "file.z81"
                                 << "" << false << "";
}

void MainWindowStartupTest::commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    QFETCH(QString, ports);
    QFETCH(bool, service);
    QFETCH(QString, screenshot);
    const auto options = zev::parseCommandLine(QStringList{"zev4800"} + arguments);
    if (!error.isEmpty()) {
        QVERIFY(!options);
        QVERIFY2(options.message().contains(error), qPrintable(options.message()));
        return;
    }
    QVERIFY2(options, qPrintable(options.message()));
    QStringList devices;
    for (const auto& [number, device] : options->portDevices)
        devices << QStringLiteral("%1=%2").arg(number).arg(device);
    QCOMPARE(devices.join(' '), ports);
    QCOMPARE(options->serviceMode, service);
    QCOMPARE(options->screenshotFile, screenshot);
}

QTEST_MAIN(MainWindowStartupTest)
#include "tst_mainwindow_startup.moc"
