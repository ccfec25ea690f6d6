#include "offscreenscreens.h"
#include "programrun.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

// The zev4800 executable as a user starts it: a copy in a folder of its own with its packs.
class Zev4800ProgramTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void withoutDisplay();
    void help();
    void badArguments_data();
    void badArguments();
    void screenshot();

private:
    testsupport::ProgramRun run(const QStringList& arguments,
                                const QProcessEnvironment& environment,
                                const QString& workingDirectory = QString()) {
        return testsupport::runProgram(m_program, arguments, environment, workingDirectory);
    }
    QProcessEnvironment offscreen() const;

    QTemporaryDir m_folder;
    QTemporaryDir m_screens;
    QString m_program;
};

void Zev4800ProgramTest::initTestCase() {
    m_program = m_folder.path() + QStringLiteral("/zev4800");
    for (const char* name :
         {"zev4800", "chinese.qm", "english.qm", "chinese_messages.qm", "install.Log"})
        QVERIFY2(
            QFile::copy(testsupport::binaryPath(QLatin1String(name)), m_folder.path() + '/' + name),
            name);
}

// On a screen with room for the whole window, as the screenshot script's virtual display has.
QProcessEnvironment Zev4800ProgramTest::offscreen() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"),
                       QString::fromLocal8Bit(testsupport::offscreenWithScreens(
                           m_screens.path(), {{"screen", QRect(0, 0, 1280, 1024)}})));
    return environment;
}

void Zev4800ProgramTest::withoutDisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QLatin1String(name));
    const testsupport::ProgramRun result = run({}, environment);
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(result.err.count('\n'), 1);
    QVERIFY2(result.err.contains("needs a graphical display") && result.err.contains("xvfb-run"),
             result.err.constData());
    QVERIFY(result.out.isEmpty());
}

void Zev4800ProgramTest::help() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    const testsupport::ProgramRun result = run({QStringLiteral("--help")}, environment);
    QCOMPARE(result.exitCode, 0);
    for (const char* option : {"--port N=DEVICE", "--service", "--screenshot", "--report-startup"})
        QVERIFY2(result.out.contains(option), option);
}

void Zev4800ProgramTest::badArguments_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("named");
    QTest::newRow("port number") << QStringList{"--port", "9=/dev/ttyS0"}
                                 << QByteArray("9=/dev/ttyS0");
    QTest::newRow("unknown option") << QStringList{"--fast"} << QByteArray("fast");
    QTest::newRow("two files") << QStringList{"a.z81", "b.z81"} << QByteArray("b.z81");
}

void Zev4800ProgramTest::badArguments() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, named);
    const testsupport::ProgramRun result = run(arguments, offscreen());
    QCOMPARE(result.exitCode, 2);
    QVERIFY2(result.err.contains(named), result.err.constData());
    QVERIFY(!QFile::exists(m_folder.path() + "/myini.ini"));
}

void Zev4800ProgramTest::screenshot() {
    QTemporaryDir elsewhere;
    const QString picture = elsewhere.path() + QStringLiteral("/shot.png");
    const testsupport::ProgramRun result =
        run({QStringLiteral("--screenshot"), picture, QStringLiteral("--report-startup"),
             QStringLiteral("--port"), QStringLiteral("2=/dev/ttyS7")},
            offscreen(), elsewhere.path());
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.out.startsWith("first-paint\n"), result.out.constData());
    const QImage image(picture);
    QCOMPARE(image.size(), QSize(1055, 765));
    // Settings live beside the program, not in the working folder.
    QVERIFY(QFile::exists(m_folder.path() + "/myini.ini"));
    QVERIFY(!QFile::exists(elsewhere.path() + "/myini.ini"));
}

QTEST_GUILESS_MAIN(Zev4800ProgramTest)
#include "tst_zev4800program.moc"
