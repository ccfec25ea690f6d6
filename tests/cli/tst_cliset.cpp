#include "channelfiletext.h"
#include "files.h"
#include "programrun.h"

#include <QTemporaryDir>
#include <QTest>

// zev4800-cli set: many channels of a channel file changed at once, in place or to --output.
class CliSetTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void changesTheFileAndPrintsTheCells();
    void outputLeavesTheFile();
    void fillUnderAGermanLocale();
    void refusals_data();
    void refusals();

private:
    QString planFile();
    QTemporaryDir m_dir;
};

using namespace testsupport;

namespace {

const QStringList channels = {"CH01 | 146.52000 | OFF | 146.52000 | OFF | High | ON | ON | ",
                              "CH02 | 145.27500 | 88.5 | 144.67500 | 88.5 | High | ON | OFF | ",
                              "CH04 | 151.82000 | D023N | 151.82000 | D023N | Low | ON | ON | "};

QByteArray planBytes() {
    return channelFileBytes(channelFileLines({}, channels));
}

// The channel line of a saved file, as text.
QString channelLine(const QString& path, int channel) {
    const QList<QByteArray> lines = readFile(path).split('\n');
    return QString::fromLatin1(lines.value(12 + channel)).trimmed();
}

} // namespace

QString CliSetTest::planFile() {
    const QString path = m_dir.filePath(QStringLiteral("plan.z81"));
    if (!writeFile(path, planBytes()))
        return {};
    return path;
}

void CliSetTest::changesTheFileAndPrintsTheCells() {
    const QString path = planFile();
    const ProgramRun run = runCli({"set", path, "--channels", "1-3", "--tone", "D023N", "--power",
                                   "low", "--busy-lock", "off", "--lang", "english"});
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.exitCode, 0);
    // Channel 3 is unused and stays so; channel 2 already had Busy Lock off.
    QCOMPARE(run.out, QByteArray("CH01 RX Tone: OFF -> D023N\n"
                                 "CH01 TX Tone: OFF -> D023N\n"
                                 "CH01 Power: High -> Low\n"
                                 "CH01 Busy Lock: ON -> OFF\n"
                                 "CH02 RX Tone: 88.5 -> D023N\n"
                                 "CH02 TX Tone: 88.5 -> D023N\n"
                                 "CH02 Power: High -> Low\n"));
    QCOMPARE(channelLine(path, 1),
             QStringLiteral("CH01 | 146.52000 | D023N | 146.52000 | D023N | Low | ON | OFF |"));
    QCOMPARE(channelLine(path, 3), QStringLiteral("CH03 |  |  |  |  |  |  |  |"));
    QCOMPARE(channelLine(path, 4),
             QStringLiteral("CH04 | 151.82000 | D023N | 151.82000 | D023N | Low | ON | ON |"));
}

void CliSetTest::outputLeavesTheFile() {
    const QString path = planFile();
    const QString output = m_dir.filePath(QStringLiteral("shop.z81"));
    const ProgramRun run =
        runCli({"set", path, "--channels", "2", "--rx-tone", "67.0", "--tx-tone", "off",
                "--scan-add", "off", "--output", output, "--lang", "english"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readFile(path), planBytes());
    QCOMPARE(channelLine(output, 2),
             QStringLiteral("CH02 | 145.27500 | 67.0 | 144.67500 | OFF | High | OFF | OFF |"));
}

void CliSetTest::fillUnderAGermanLocale() {
    const QString path = planFile();
    QProcessEnvironment environment = cliEnvironment();
    environment.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    // Typed the German way; channel 16 was unused and gets the new-channel defaults.
    const ProgramRun run =
        runProgram(binaryPath(QStringLiteral("zev4800-cli")),
                   {"set", path, "--channels", "2,16", "--frequency", "446,00625", "--step", "12,5",
                    "--offset", "-0,5", "--lang", "english"},
                   environment);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(channelLine(path, 2),
             QStringLiteral("CH02 | 446,00625 | 88.5 | 445,50625 | 88.5 | High | ON | OFF |"));
    QCOMPARE(channelLine(path, 16),
             QStringLiteral("CH16 | 446,01875 | OFF | 445,51875 | OFF | High | ON | OFF |"));
}

void CliSetTest::refusals_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("a tone the picker lacks")
        << QStringList{"--channels", "1", "--tone", "88.6"} << 1 << "'88.6' is not a tone";
    QTest::newRow("a frequency the radio cannot hold, named by channel")
        << QStringList{"--channels", "1,2,4", "--frequency", "549.975", "--step", "25"} << 1
        << "Channel 04: the frequency 550.025 MHz is outside 100-550 MHz";
    QTest::newRow("a step that is no number")
        << QStringList{"--channels", "1", "--frequency", "145.5", "--step", "wide"} << 1
        << "--step takes a number, not 'wide'";
    QTest::newRow("no such channel")
        << QStringList{"--channels", "1-17", "--power", "low"} << 2 << "'1-17' is not a channel";
    QTest::newRow("a power word") << QStringList{"--channels", "1", "--power", "max"} << 2
                                  << "--power takes high or low, not 'max'";
    QTest::newRow("tone and RX tone")
        << QStringList{"--channels", "1", "--tone", "88.5", "--rx-tone", "67.0"} << 2
        << "--tone excludes --rx-tone and --tx-tone";
    QTest::newRow("frequency without step")
        << QStringList{"--channels", "1", "--frequency", "145.5"} << 2
        << "--frequency and --step go together";
    QTest::newRow("nothing to set")
        << QStringList{"--channels", "1"} << 2 << "set needs something to set";
    QTest::newRow("no channels") << QStringList{"--power", "low"} << 2 << "--channels";
}

void CliSetTest::refusals() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const QString path = planFile();
    const ProgramRun run =
        runCli(QStringList{"set", path} + arguments + QStringList{"--lang", "english"});
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(readFile(path), planBytes()); // nothing saved
}

QTEST_GUILESS_MAIN(CliSetTest)
#include "tst_cliset.moc"
