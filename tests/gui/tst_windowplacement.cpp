#include "tst_mainwindow_support.h"

#include "aboutbox.h"
#include "readdialog.h"
#include "simulatorprocess.h"

#include <QAction>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QWindow>

using namespace zevtest;

// The window and its dialogs on whatever platform the test runs on: offscreen in the suite, and
// on a Wayland display when tst_wayland runs it there. Nothing here relies on where a window
// is, which a Wayland program cannot choose: the main window fits the screen, and every dialog
// belongs to the main window, which lets the window system keep it over that one and centre it.
class WindowPlacementTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }
    void startsFitsAndPaints();
    void readDialogOpensAndCloses();
    void messageBoxesBelongToTheirWindow();
};

namespace {

// COM1 on a simulated radio, so that Read opens its dialog.
std::unique_ptr<zev::MainWindow> startOnRadio(const ProgramFolder& folder,
                                              const testsupport::SimulatorProcess& radio) {
    zev::StartupOptions options;
    options.portDevices[1] = radio.terminal();
    return startProgram(folder, options);
}

QString sizeText(QSize size) {
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

} // namespace

void WindowPlacementTest::startsFitsAndPaints() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    zev::StartupOptions options;
    options.programDirectory = folder.path();
    zev::MainWindow window(options);
    QSignalSpy painted(&window, &zev::MainWindow::firstPainted);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(painted.count() == 1 || painted.wait(10'000));

    // The whole window, status line included, on the screen: the frame fits the screen, and
    // the status line lies inside the window.
    QScreen* screen = window.screen();
    QVERIFY(screen);
    QTRY_VERIFY2(window.frameGeometry().width() <= screen->size().width() &&
                     window.frameGeometry().height() <= screen->size().height(),
                 qPrintable(sizeText(window.frameGeometry().size()) + QStringLiteral(" on ") +
                            sizeText(screen->size())));
    // Where the window system places the windows and keeps the panels to itself (Wayland), a
    // laptop's screen, too small for the window, has the desktop maximise it between its panels.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
        screen->size().height() <= 768)
        QTRY_VERIFY(window.isMaximized());
    QStatusBar* status = window.statusBar();
    QVERIFY(status->isVisible());
    QVERIFY(window.rect().contains(status->geometry()));
    QVERIFY(!window.grab().isNull());
    QVERIFY(window.close());
}

void WindowPlacementTest::readDialogOpensAndCloses() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    testsupport::SimulatorProcess radio({QStringLiteral("--demo")});
    QVERIFY(!radio.terminal().isEmpty());
    auto window = startOnRadio(folder, radio);
    QVERIFY(window);
    zev::ReadDialog* dialog = window->readDialog();

    control<QAction>(window.get(), "N6")->trigger();
    QVERIFY(dialog->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QVERIFY(!window->isEnabled());
    // Over the main window, which the window system knows as its parent.
    QVERIFY(dialog->windowHandle());
    QCOMPARE(dialog->windowHandle()->transientParent(), window->windowHandle());
    QVERIFY(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!dialog->grab().isNull());

    QVERIFY(dialog->close());
    QTRY_VERIFY(!dialog->isVisible());
    QVERIFY(window->isEnabled());

    // Again, and the about box too: each time the main window's.
    control<QAction>(window.get(), "N6")->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCOMPARE(dialog->windowHandle()->transientParent(), window->windowHandle());
    QVERIFY(dialog->close());
    control<QAction>(window.get(), "N16")->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(window->aboutBox()));
    QCOMPARE(window->aboutBox()->windowHandle()->transientParent(), window->windowHandle());
    QVERIFY(window->aboutBox()->close());
    QVERIFY(window->close());
}

// The boxes a user meets most: the port-busy box of a radio command and New's question. Each
// stands on the window it is about.
void WindowPlacementTest::messageBoxesBelongToTheirWindow() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    zev::StartupOptions options;
    options.portDevices[1] = folder.path() + QStringLiteral("no-such-device");
    auto window = startProgram(folder, options);
    QVERIFY(window);
    QList<QWindow*> parents;
    MessageBoxAnswerer answerer;
    answerer.beforeAnswer = [&parents](QMessageBox* box) {
        parents << (box->windowHandle() ? box->windowHandle()->transientParent() : nullptr);
    };
    control<QAction>(window.get(), "N6")->trigger();
    QVERIFY(answerer.waitForBoxes(1));
    control<QAction>(window.get(), "N2")->trigger();
    QVERIFY(answerer.waitForBoxes(2));
    QCOMPARE(parents, (QList<QWindow*>{window->windowHandle(), window->windowHandle()}));
}

QTEST_MAIN(WindowPlacementTest)
#include "tst_windowplacement.moc"
