#include "programrun.h"
#include "westondisplay.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The program on a Wayland display (weston without a desktop, on a 1366 × 768 output): the real
// zev4800 starts, paints and ends cleanly, and the window tests run there as they run offscreen.
// Skipped, saying why, where weston is not installed.
class WaylandTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void programStartsPaintsAndExits();
    void windowAndReadDialog();

private:
    testsupport::ProgramRun run(const QString& program, const QStringList& arguments,
                                const QString& workingDirectory = QString());

    std::unique_ptr<testsupport::WestonDisplay> m_display;
    QTemporaryDir m_folder;
};

void WaylandTest::initTestCase() {
    m_display = std::make_unique<testsupport::WestonDisplay>(QSize(1366, 768));
    if (m_display->westonMissing())
        QSKIP(qPrintable(m_display->problem()));
    QVERIFY2(m_display->problem().isEmpty(), qPrintable(m_display->problem()));
    for (const char* name :
         {"zev4800", "chinese.qm", "english.qm", "chinese_messages.qm", "install.Log"})
        QVERIFY2(
            QFile::copy(testsupport::binaryPath(QLatin1String(name)), m_folder.path() + '/' + name),
            name);
}

testsupport::ProgramRun WaylandTest::run(const QString& program, const QStringList& arguments,
                                         const QString& workingDirectory) {
    const testsupport::ProgramRun result =
        testsupport::runProgram(program, arguments, m_display->environment(), workingDirectory);
    if (result.exitCode != 0)
        qWarning("%s\n%s\nweston:\n%s", result.out.constData(), result.err.constData(),
                 m_display->log().constData());
    return result;
}

void WaylandTest::programStartsPaintsAndExits() {
    QTemporaryDir elsewhere;
    const QString picture = elsewhere.path() + QStringLiteral("/shot.png");
    const testsupport::ProgramRun result =
        run(m_folder.path() + QStringLiteral("/zev4800"),
            {QStringLiteral("--screenshot"), picture, QStringLiteral("--report-startup")},
            elsewhere.path());
    QVERIFY2(!result.err.contains("Could not load the Qt platform plugin"),
             "Qt's wayland platform is missing (package qt6-wayland)");
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.out.startsWith("first-paint\n"), result.out.constData());
    // The window as painted, within the output.
    const QImage image(picture);
    QVERIFY(!image.isNull());
    QVERIFY2(image.width() <= 1366 && image.height() <= 768,
             qPrintable(QStringLiteral("%1x%2").arg(image.width()).arg(image.height())));
}

void WaylandTest::windowAndReadDialog() {
    const testsupport::ProgramRun result =
        run(testsupport::binaryPath(QStringLiteral("tst_windowplacement")), {});
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.out.contains(" 0 failed"), result.out.constData());
}

QTEST_GUILESS_MAIN(WaylandTest)
#include "tst_wayland.moc"
