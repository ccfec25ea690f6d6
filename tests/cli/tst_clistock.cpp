#include "chanfile/channelfile.h"
#include "files.h"
#include "plan/plan.h"
#include "plan/vocabulary.h"
#include "programrun.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// zev4800-cli stock: the built-in channel lists, and channel files and lists made from them.
class CliStockTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void listsTheLists_data();
    void listsTheLists();
    void makesAPlan_data();
    void makesAPlan();
    void channelListCarriesTheNames_data();
    void channelListCarriesTheNames();
    void refusals_data();
    void refusals();

private:
    QTemporaryDir m_dir;
};

using namespace testsupport;

namespace {

ProgramRun runStock(const QStringList& arguments, const QByteArray& lang = "C.UTF-8") {
    QProcessEnvironment environment = cliEnvironment();
    environment.remove("LC_NUMERIC");
    environment.insert("LANG", QString::fromLatin1(lang));
    return runProgram(binaryPath("zev4800-cli"), QStringList{"stock"} + arguments, environment);
}

QString rowText(const zev::Plan& plan, int row) {
    const zev::ChannelRow& cells = plan.channel(row);
    return QStringList(cells.begin(), cells.end()).join('|');
}

} // namespace

void CliStockTest::initTestCase() {
    QVERIFY(m_dir.isValid());
}

void CliStockTest::listsTheLists_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("lang");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QStringList>("rows"); // name, frequencies, channels, in the band
    QTest::newRow("factory band") << QStringList{} << QByteArray("C.UTF-8") << "IN 136-174MHz"
                                  << QStringList{"pmr446|446.00625-446.19375|16|no",
                                                 "china-409|409.75000-409.98750|20|no",
                                                 "frs-gmrs|462.55000-467.71250|22|no",
                                                 "murs|151.82000-154.60000|5|yes",
                                                 "lpd433|433.07500-434.77500|69|no",
                                                 "noaa|162.40000-162.55000|7|yes",
                                                 "marine|156.30000-156.87500|13|yes"};
    QTest::newRow("a band that holds part of a list, German number format")
        << QStringList{"--band", "433-434MHz"} << QByteArray("de_DE.UTF-8") << "IN 433-434MHz"
        << QStringList{
               "pmr446|446,00625-446,19375|16|no",       "china-409|409,75000-409,98750|20|no",
               "frs-gmrs|462,55000-467,71250|22|no",     "murs|151,82000-154,60000|5|no",
               "lpd433|433,07500-434,77500|69|38 of 69", "noaa|162,40000-162,55000|7|no",
               "marine|156,30000-156,87500|13|no"};
}

void CliStockTest::listsTheLists() {
    QFETCH(QStringList, options);
    QFETCH(QByteArray, lang);
    QFETCH(QString, header);
    QFETCH(QStringList, rows);
    const ProgramRun run = runStock(options, lang);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    const QStringList lines = QString::fromUtf8(run.out).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), rows.size() + 1);
    QVERIFY2(lines.first().startsWith("NAME") && lines.first().endsWith(header),
             qPrintable(lines.first()));
    const QRegularExpression columns(QStringLiteral(" {2,}"));
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList fields = lines.at(i + 1).split(columns);
        QCOMPARE(fields.size(), 6);
        QVERIFY2(!fields.at(1).isEmpty() && !fields.at(2).isEmpty(), qPrintable(lines.at(i + 1)));
        QCOMPARE(QStringList({fields.at(0), fields.at(3), fields.at(4), fields.at(5)}).join('|'),
                 rows.at(i));
    }
}

void CliStockTest::makesAPlan_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("lang");
    QTest::addColumn<QString>("band");
    QTest::addColumn<QStringList>("rows");     // from channel 1; the others are empty
    QTest::addColumn<QStringList>("warnings"); // on stderr, in order
    QTest::newRow("pmr446 outside the factory band: kept, with the write's warnings")
        << QStringList{"pmr446", "--lang", "english"} << QByteArray("C.UTF-8") << "136-174MHz"
        << QStringList{"446.00625|OFF|446.00625|OFF|High|ON|OFF",
                       "446.01875|OFF|446.01875|OFF|High|ON|OFF",
                       "446.03125|OFF|446.03125|OFF|High|ON|OFF",
                       "446.04375|OFF|446.04375|OFF|High|ON|OFF",
                       "446.05625|OFF|446.05625|OFF|High|ON|OFF",
                       "446.06875|OFF|446.06875|OFF|High|ON|OFF",
                       "446.08125|OFF|446.08125|OFF|High|ON|OFF",
                       "446.09375|OFF|446.09375|OFF|High|ON|OFF",
                       "446.10625|OFF|446.10625|OFF|High|ON|OFF",
                       "446.11875|OFF|446.11875|OFF|High|ON|OFF",
                       "446.13125|OFF|446.13125|OFF|High|ON|OFF",
                       "446.14375|OFF|446.14375|OFF|High|ON|OFF",
                       "446.15625|OFF|446.15625|OFF|High|ON|OFF",
                       "446.16875|OFF|446.16875|OFF|High|ON|OFF",
                       "446.18125|OFF|446.18125|OFF|High|ON|OFF",
                       "446.19375|OFF|446.19375|OFF|High|ON|OFF"}
        << QStringList{"warning: Channel 01: RX 446.00625 MHz, TX 446.00625 MHz (outside the "
                       "band 136-174MHz)",
                       "warning: Channel 16: RX 446.19375 MHz, TX 446.19375 MHz (outside the "
                       "band 136-174MHz)"};
    QTest::newRow("lpd433 from 54 in its band, German number format, Chinese words")
        << QStringList{"lpd433", "--from", "54", "--band", "400-470MHz", "--lang", "chinese"}
        << QByteArray("de_DE.UTF-8") << "400-470MHz"
        << QStringList{"434,40000|禁用|434,40000|禁用|高功率|启用|禁用",
                       "434,42500|禁用|434,42500|禁用|高功率|启用|禁用",
                       "434,45000|禁用|434,45000|禁用|高功率|启用|禁用",
                       "434,47500|禁用|434,47500|禁用|高功率|启用|禁用",
                       "434,50000|禁用|434,50000|禁用|高功率|启用|禁用",
                       "434,52500|禁用|434,52500|禁用|高功率|启用|禁用",
                       "434,55000|禁用|434,55000|禁用|高功率|启用|禁用",
                       "434,57500|禁用|434,57500|禁用|高功率|启用|禁用",
                       "434,60000|禁用|434,60000|禁用|高功率|启用|禁用",
                       "434,62500|禁用|434,62500|禁用|高功率|启用|禁用",
                       "434,65000|禁用|434,65000|禁用|高功率|启用|禁用",
                       "434,67500|禁用|434,67500|禁用|高功率|启用|禁用",
                       "434,70000|禁用|434,70000|禁用|高功率|启用|禁用",
                       "434,72500|禁用|434,72500|禁用|高功率|启用|禁用",
                       "434,75000|禁用|434,75000|禁用|高功率|启用|禁用",
                       "434,77500|禁用|434,77500|禁用|高功率|启用|禁用"}
        << QStringList{};
    QTest::newRow("noaa: receive only, the rest empty")
        << QStringList{"noaa", "--lang", "english"} << QByteArray("C.UTF-8") << "136-174MHz"
        << QStringList{"162.55000|OFF||OFF|High|ON|OFF", "162.40000|OFF||OFF|High|ON|OFF",
                       "162.47500|OFF||OFF|High|ON|OFF", "162.42500|OFF||OFF|High|ON|OFF",
                       "162.45000|OFF||OFF|High|ON|OFF", "162.50000|OFF||OFF|High|ON|OFF",
                       "162.52500|OFF||OFF|High|ON|OFF"}
        << QStringList{};
}

void CliStockTest::makesAPlan() {
    QFETCH(QStringList, options);
    QFETCH(QByteArray, lang);
    QFETCH(QString, band);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, warnings);
    const QString path = m_dir.filePath(QStringLiteral("%1.z81").arg(QTest::currentDataTag()));
    options.insert(1, path);
    const ProgramRun run = runStock(options, lang);
    QCOMPARE(run.exitCode, 0);
    QStringList err = QString::fromUtf8(run.err).split('\n', Qt::SkipEmptyParts);
    for (QString& line : err)
        line.remove(QRegularExpression("^zev4800-cli: "));
    if (warnings.isEmpty()) {
        QCOMPARE(err, QStringList());
    } else {
        QCOMPARE(err.size(), rows.size());
        QCOMPARE(err.first(), warnings.first());
        QCOMPARE(err.last(), warnings.last());
    }

    const zev::Result<zev::Plan> saved = zev::loadChannelFile(path);
    QVERIFY2(saved, qPrintable(saved.message()));
    QCOMPARE(saved->band, band);
    QCOMPARE(saved->options, zev::resetOptionIndices);
    for (int row = 1; row <= zev::Plan::ChannelCount; ++row)
        QCOMPARE(rowText(saved.value(), row), rows.value(row - 1, "||||||"));
}

void CliStockTest::channelListCarriesTheNames_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("listRows"); // the first data rows, up to the Offset
    QTest::addColumn<QString>("comment");      // of the first row
    QTest::newRow("noaa: no TX frequency")
        << QStringList{"noaa"}
        << QStringList{"1,WX1,162.550000,off,0.000000", "2,WX2,162.400000,off,0.000000"}
        << "NOAA weather radio channel WX1";
    QTest::newRow("frs-gmrs from 7")
        << QStringList{"frs-gmrs", "--from", "7", "--band", "400-470MHz"}
        << QStringList{"1,FRS7,462.712500,,0.000000", "2,FRS8,467.562500,,0.000000"}
        << "FRS/GMRS channel 7";
}

// A list ending in .csv gets the channels in the exchange layout with each one's own name, and
// importing it gives the channels the channel file gets.
void CliStockTest::channelListCarriesTheNames() {
    QFETCH(QStringList, options);
    QFETCH(QStringList, listRows);
    QFETCH(QString, comment);
    const QString tag = QString::fromLatin1(QTest::currentDataTag()).left(4);
    const QString list = m_dir.filePath(tag + ".csv");
    const QString plan = m_dir.filePath(tag + "-stock.z81");
    const QString imported = m_dir.filePath(tag + "-imported.z81");
    QStringList listOptions = options;
    listOptions.insert(1, list);
    QCOMPARE(runStock(listOptions + QStringList{"--lang", "english"}).exitCode, 0);
    QStringList planOptions = options;
    planOptions.insert(1, plan);
    QCOMPARE(runStock(planOptions + QStringList{"--lang", "english"}).exitCode, 0);

    const QStringList lines = QString::fromUtf8(readFile(list)).split("\r\n", Qt::SkipEmptyParts);
    QVERIFY(lines.size() > listRows.size());
    QVERIFY2(lines.first().startsWith("Location,Name,Frequency,Duplex,Offset,"),
             qPrintable(lines.first()));
    for (int i = 0; i < listRows.size(); ++i)
        QVERIFY2(lines.at(i + 1).startsWith(listRows.at(i) + ','), qPrintable(lines.at(i + 1)));
    QVERIFY2(lines.at(1).contains(',' + comment + ','), qPrintable(lines.at(1)));

    const ProgramRun import = runCli({"import", list, imported, "--lang", "english"});
    QCOMPARE(import.exitCode, 0);
    const zev::Result<zev::Plan> fromList = zev::loadChannelFile(imported);
    const zev::Result<zev::Plan> fromStock = zev::loadChannelFile(plan);
    QVERIFY(fromList && fromStock);
    QCOMPARE(fromList->channels, fromStock->channels);
}

void CliStockTest::refusals_data() {
    // OUT for the file that must not be written, MISSING for one in a folder that is not there
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err");
    const QString help = " (try 'zev4800-cli --help')\n";
    QTest::newRow("unknown list")
        << QStringList{"pmr", "OUT"} << 2
        << "zev4800-cli: unknown stock list 'pmr'; the lists are pmr446, china-409, frs-gmrs, "
           "murs, lpd433, noaa, marine\n";
    QTest::newRow("--from past the last first entry")
        << QStringList{"lpd433", "OUT", "--from", "55"} << 2
        << "zev4800-cli: --from: lpd433 has 69 channels and starts at one from 1 to 54, not at "
           "55\n";
    QTest::newRow("--from in a list that fills the plan")
        << QStringList{"pmr446", "OUT", "--from", "2"} << 2
        << "zev4800-cli: --from: pmr446 has 16 channels and starts at its first, not at 2\n";
    QTest::newRow("--from 0") << QStringList{"china-409", "OUT", "--from", "0"} << 2
                              << "zev4800-cli: --from: china-409 has 20 channels and starts at "
                                 "one from 1 to 5, not at 0\n";
    QTest::newRow("--from not a number") << QStringList{"lpd433", "OUT", "--from", "x1"} << 2
                                         << "zev4800-cli: --from takes a number, not 'x1'" + help;
    QTest::newRow("--from without a list")
        << QStringList{"--from", "3"} << 2 << "zev4800-cli: --from needs a list name\n";
    QTest::newRow("a list without a file")
        << QStringList{"pmr446"} << 2
        << "zev4800-cli: stock needs a list name and a file to write, or nothing to list the "
           "lists" +
               help;
    QTest::newRow("bad band") << QStringList{"murs", "OUT", "--band", "2m"} << 2
                              << "zev4800-cli: --band takes a band such as 136-174MHz, not '2m'" +
                                     help;
    QTest::newRow("a folder that is not there")
        << QStringList{"murs", "MISSING", "--lang", "english"} << 1
        << "zev4800-cli: stock failed: ";
}

void CliStockTest::refusals() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    const QString out = m_dir.filePath("refused.z81");
    for (QString& argument : arguments) {
        if (argument == "OUT")
            argument = out;
        else if (argument == "MISSING")
            argument = m_dir.filePath("missing/refused.z81");
    }
    const ProgramRun run = runStock(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(run.err).startsWith(err), run.err.constData());
    if (!err.endsWith(' '))
        QCOMPARE(QString::fromUtf8(run.err), err);
    QCOMPARE(run.out, QByteArray());
    QVERIFY(!QFile::exists(out));
    QVERIFY(!QFile::exists(m_dir.filePath("missing")));
}

QTEST_GUILESS_MAIN(CliStockTest)
#include "tst_clistock.moc"
