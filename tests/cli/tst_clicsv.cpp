#include "chanfile/channelfile.h"
#include "chanfile/plancompare.h"
#include "channelfiletext.h"
#include "files.h"
#include "gbk.h"
#include "programrun.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// zev4800-cli export and import: channel files and CSV channel lists on disk.
class CliCsvTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void exportThenImportGivesThePlan_data();
    void exportThenImportGivesThePlan();
    void import_data();
    void import();
    void formulasExportAsText_data();
    void formulasExportAsText();
    void usage_data();
    void usage();

private:
    QTemporaryDir m_dir;
};

using namespace testsupport;

namespace {

QByteArray channelFile(const QString& band, const QStringList& channels) {
    return channelFileBytes(channelFileLines({.band = band}, channels));
}

const QByteArray header = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq\r\n";

} // namespace

void CliCsvTest::initTestCase() {
    QVERIFY(m_dir.isValid());
}

void CliCsvTest::exportThenImportGivesThePlan_data() {
    QTest::addColumn<QByteArray>("plan");
    QTest::addColumn<QStringList>("options");
    QTest::newRow("factory band, simple tones")
        << channelFile("136-174MHz",
                       {"CH01 | 146.52000 | OFF | 146.52000 | OFF | High | ON | ON | ",
                        "CH02 | 145.27500 | 88.5 | 144.67500 | 88.5 | High | ON | OFF | ",
                        "CH04 | 151.82000 | D023N | 151.82000 | D023N | Low | ON | ON | "})
        << QStringList{};
    // Crossed tones, inverted codes, a split, gaps and the last channel, in Chinese words.
    QTest::newRow("other band, crossed tones")
        << channelFile("400-470MHz",
                       {"CH03 | 440.00000 | D754I | 445.00000 | 100.0 | 低功率 | 禁用 | 启用 | ",
                        "CH09 | 462.56250 | OFF | 467.56250 | 88.5 | 高功率 | 启用 | 启用 | ",
                        "CH10 | 433.50000 | 67.0 | 433.50000 | D023N | 高功率 | 启用 | 禁用 | ",
                        "CH16 | 410.00000 | D125N | 410.00000 | D125I | 低功率 | 禁用 | 禁用 | "})
        << QStringList{"--band", "400-470MHz", "--lang", "chinese"};
}

void CliCsvTest::exportThenImportGivesThePlan() {
    QFETCH(QByteArray, plan);
    QFETCH(QStringList, options);
    const QString original = m_dir.filePath("original.z81");
    const QString list = m_dir.filePath("list.csv");
    const QString back = m_dir.filePath("back.z81");
    QVERIFY(writeFile(original, plan));
    const ProgramRun exported = runCli({"export", original, list, "--lang", "english"});
    QCOMPARE(exported.exitCode, 0);
    QCOMPARE(exported.err, QByteArray());
    QVERIFY(readFile(list).startsWith("Location,Name,Frequency,"));
    const ProgramRun imported = runCli(QStringList{"import", list, back} + options);
    QCOMPARE(imported.exitCode, 0);
    QCOMPARE(imported.err, QByteArray());
    const zev::Result<zev::Plan> before = zev::loadChannelFile(original);
    const zev::Result<zev::Plan> after = zev::loadChannelFile(back);
    QVERIFY(before && after);
    QStringList differences;
    for (const zev::PlanDifference& difference : zev::comparePlans(before.value(), after.value()))
        differences << zev::describeChange(difference);
    QCOMPARE(differences, QStringList());
}

void CliCsvTest::import_data() {
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err");       // %1: the list's path
    QTest::addColumn<QStringList>("saved"); // lines of the saved file; none: nothing saved
    const QByteArray badRows = header + "1,,146.520000,,0,,88.5,88.5\r\n"
                                        "2,,600.000000,,0,,88.5,88.5\r\n"
                                        "3,,146.000000,,0,Tone,123.4,88.5\r\n"
                                        "20,,146.000000,,0,,88.5,88.5\r\n"
                                        "5,,145.500000,-,0.6,TSQL,88.5,67.0\r\n";
    const QString problems = "row 3: the frequency 600.000000 MHz is outside 100-550 MHz\n"
                             "row 4: the tone 123.4 (rToneFreq) is not in the tone list\n"
                             "row 5: the location \"20\" is not a channel from 1 to 16\n";
    QTest::newRow("rows the radio cannot hold")
        << badRows << QStringList{} << 1
        << "zev4800-cli: import refused, nothing was saved; these rows cannot go into the radio "
           "(--skip-bad-rows saves the others):\n" +
               problems
        << QStringList{};
    QTest::newRow("--skip-bad-rows")
        << badRows << QStringList{"--skip-bad-rows"} << 0
        << "zev4800-cli: rows left out:\n" + problems
        << QStringList{"BAND 136-174MHz", "CH01 | 146.52000 | OFF | 146.52000 | OFF | High |",
                       "CH02 |  |", "CH05 | 145.50000 | 67.0 | 144.90000 | 67.0 | High |"};
    QTest::newRow("off-raster frequency, other band")
        << header + "1,,146.523000,,0,,88.5,88.5\r\n2,,145.001000,,0,,88.5,88.5\r\n"
        << QStringList{"--band", "144-148MHz"} << 0
        << "zev4800-cli: note: row 2: 146.523000 MHz is not on a channel; taken as 146.52500 MHz\n"
           "zev4800-cli: note: row 3: 145.001000 MHz is not on a channel; taken as 145.00500 MHz\n"
        << QStringList{"BAND 144-148MHz", "CH01 | 146.52500 | OFF | 146.52500 | OFF |",
                       "CH02 | 145.00500 |"};
    QTest::newRow("spreadsheet: BOM, semicolons, quotes, renumbered")
        << "\xEF\xBB\xBF" + QByteArray("\"Location\";\"Name\";\"Frequency\";\"Duplex\";\"Offset\"\n"
                                       "\"40\";\"Call; 1\";\"146.52\";\"\";\"0\"\n")
        << QStringList{"--renumber"} << 0 << ""
        << QStringList{"CH01 | 146.52000 | OFF | 146.52000 | OFF | High |"};
    QTest::newRow("a quote that never closes in the fifth row")
        << header + "1,,146.520000,,0,,88.5,88.5\r\n2,,146.540000,,0,,88.5,88.5\r\n"
                    "3,,146.560000,,0,,88.5,88.5\r\n4,\"Hill,146.580000,,0,,88.5,88.5\r\n"
                    "5,,146.600000,,0,,88.5,88.5\r\n"
        << QStringList{"--skip-bad-rows"} << 1
        << "zev4800-cli: import refused: %1: The quote that opens in row 5 of the channel list "
           "never closes; nothing was taken.\n"
        << QStringList{};
    QTest::newRow("a header only") << header << QStringList{} << 1
                                   << "zev4800-cli: import refused, nothing was saved; the list "
                                      "has no row the radio can hold\n"
                                   << QStringList{};
    QTest::newRow("no row the radio can hold, --skip-bad-rows")
        << header + "2,,600.000000,,0,,88.5,88.5\r\n,,,,,,,\r\n3,Hill,,,,,,\r\n"
        << QStringList{"--skip-bad-rows"} << 1
        << "zev4800-cli: import refused, nothing was saved; the list has no row the radio can "
           "hold:\nrow 2: the frequency 600.000000 MHz is outside 100-550 MHz\n"
           "row 4: the row has no frequency\n"
        << QStringList{};
    QTest::newRow("rows without a frequency, --skip-bad-rows")
        << header + "1,,146.520000,,0,,88.5,88.5\r\n2,Hill,,,,,,\r\n3,,,,,,,\r\n"
                    ",,,,,,,\r\n4,,,,0,Tone,88.5,\r\n"
        << QStringList{"--skip-bad-rows"} << 0
        << "zev4800-cli: rows left out:\nrow 3: the row has no frequency\n"
           "row 6: the row has no frequency\n"
        << QStringList{"CH01 | 146.52000 | OFF | 146.52000 | OFF | High |", "CH02 |  |",
                       "CH04 |  |"};
    QTest::newRow("location only, renumbered")
        << header + "1,,146.520000,,0,,88.5,88.5\r\n2,,,,,,,\r\n"
        << QStringList{"--renumber"} << 1
        << "zev4800-cli: import refused, nothing was saved; these rows cannot go into the radio "
           "(--skip-bad-rows saves the others):\nrow 3: the row has no frequency\n"
        << QStringList{};
    QTest::newRow("off-list tone")
        << header + "1,,146.520000,,0,Tone,88.55,88.5\r\n"
        << QStringList{} << 0
        << "zev4800-cli: note: row 2: the tone 88.55 (rToneFreq) is not in the tone list; taken "
           "as 88.5\n"
        << QStringList{"CH01 | 146.52000 | OFF | 146.52000 | 88.5 | High |"};
    QTest::newRow("not a channel list") << QByteArray("a,b,c\r\n1,2,3\r\n") << QStringList{} << 1
                                        << "zev4800-cli: import refused: %1: " << QStringList{};
    // Past the limit by one byte, in a file that would otherwise import.
    QByteArray large = header + "1,,146.520000,,0,,88.5,88.5\r\n";
    large += QByteArray(1024 * 1024 + 1 - large.size(), '\n');
    QTest::newRow("too large")
        << large << QStringList{} << 1
        << "zev4800-cli: import refused: %1 is larger than 1 MiB, too large for a channel list; "
           "nothing was imported.\n"
        << QStringList{};
}

void CliCsvTest::import() {
    QFETCH(QByteArray, list);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    QFETCH(QStringList, saved);
    const QString path = m_dir.filePath("import.csv");
    const QString plan = m_dir.filePath("imported.z81");
    QVERIFY(writeFile(path, list));
    // A refused import leaves an earlier file as it was.
    QVERIFY(writeFile(plan, "earlier"));
    const ProgramRun run = runCli(QStringList{"import", path, plan, "--lang", "english"} + options);
    QCOMPARE(run.exitCode, exitCode);
    const QString shown = QString::fromLocal8Bit(run.err);
    const QString expected = QString(err).replace("%1", path);
    if (expected.endsWith('\n') || expected.isEmpty())
        QCOMPARE(shown, expected);
    else
        QVERIFY2(shown.startsWith(expected), qPrintable(shown));
    const QString file = QString::fromLocal8Bit(readFile(plan));
    if (saved.isEmpty()) {
        QCOMPARE(file, QStringLiteral("earlier"));
        return;
    }
    for (const QString& line : saved)
        QVERIFY2(file.contains("\r\n" + line), qPrintable(line + "\n" + file));
}

// Cells that a channel file lets through and a spreadsheet would run: export writes them with a
// ' before them, and import reads them back as they were in the plan, to refuse them.
void CliCsvTest::formulasExportAsText_data() {
    QTest::addColumn<QString>("channel");  // the line of channel 1
    QTest::addColumn<QByteArray>("field"); // in the exported row, as CSV
    QTest::addColumn<QString>("problem");  // importing the export
    const auto line = [](const QString& cells) {
        return "CH01 | " + cells + " | High | ON | OFF | ";
    };
    QTest::newRow("=HYPERLINK in the RX frequency")
        << line("=HYPERLINK(\"http://x\",\"y\") | OFF | 145.50000 | OFF")
        << QByteArray(",\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",")
        << "row 2: the frequency \"=HYPERLINK(\"http://x\",\"y\")\" is not a number of MHz";
    QTest::newRow("=1+2 in the TX frequency")
        << line("145.50000 | OFF | =1+2 | OFF") << QByteArray(",split,'=1+2,")
        << "row 2: the offset \"=1+2\" is not a number of MHz";
    QTest::newRow("@SUM in the TX tone")
        << line("145.50000 | OFF | 145.50000 | @SUM(A1)") << QByteArray(",Tone,'@SUM(A1),")
        << "row 2: the tone @SUM(A1) (rToneFreq) is not in the tone list";
    QTest::newRow("-2+3+cmd in the RX tone")
        << line("145.50000 | -2+3+cmd|'/Ccalc'!A0 | 145.50000 | OFF")
        << QByteArray(",'-2+3+cmd|'/Ccalc'!A0,")
        << "row 2: the tone -2+3+cmd|'/Ccalc'!A0 (cToneFreq) is not in the tone list";
    QTest::newRow("tab-led DCS code")
        << line("145.50000 | D\t12N | 145.50000 | D\t12N") << QByteArray(",DTCS,88.5,88.5,'\t12,")
        << "row 2: the DCS code 12 (DtcsCode) is not in the tone list";
    QTest::newRow("CR-led DCS code")
        << line("145.50000 | D\r12I | 145.60000 | OFF") << QByteArray(",\"'\r12\",->DTCS,")
        << "row 2: the DCS code 12 (RxDtcsCode) is not in the tone list";
}

void CliCsvTest::formulasExportAsText() {
    QFETCH(QString, channel);
    QFETCH(QByteArray, field);
    QFETCH(QString, problem);
    const QString plan = m_dir.filePath("formula.z81");
    const QString list = m_dir.filePath("formula.csv");
    QVERIFY(writeFile(plan, channelFile("136-174MHz", {channel})));
    // show takes the file too: it prints the plan, and only lists what the radio cannot hold.
    QVERIFY(!runCli({"show", plan, "--lang", "english"}).out.isEmpty());
    const ProgramRun exported = runCli({"export", plan, list, "--lang", "english"});
    QCOMPARE(exported.exitCode, 0);
    const QByteArray written = readFile(list);
    QVERIFY2(written.contains(field), written.constData());
    const ProgramRun imported =
        runCli({"import", list, m_dir.filePath("back.z81"), "--lang", "english"});
    QCOMPARE(imported.exitCode, 1);
    QCOMPARE(QString::fromLocal8Bit(imported.err),
             "zev4800-cli: import refused, nothing was saved; the list has no row the radio can "
             "hold:\n" +
                 problem + "\n");
}

void CliCsvTest::usage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("import without a channel file")
        << QStringList{"import", "x.csv"}
        << "zev4800-cli: import needs a CSV file and a channel file";
    QTest::newRow("export with too many")
        << QStringList{"export", "x.z81", "x.csv", "y"} << "zev4800-cli: unexpected argument 'y'";
    QTest::newRow("not a band") << QStringList{"import", "x.csv", "x.z81", "--band", "2m"}
                                << "zev4800-cli: --band takes a band such as 136-174MHz, not '2m'";
    QTest::newRow("import switch outside import")
        << QStringList{"export", "x.z81", "x.csv", "--renumber"}
        << "zev4800-cli: --renumber belongs to import";
}

void CliCsvTest::usage() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const ProgramRun run = runCli(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(QString::fromLocal8Bit(run.err).startsWith(message), run.err.constData());
}

QTEST_GUILESS_MAIN(CliCsvTest)
#include "tst_clicsv.moc"
