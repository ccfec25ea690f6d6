#include "files.h"
#include "gbk.h"
#include "pdftext.h"
#include "programrun.h"

#include <QFile>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// zev4800-cli sheet: the channel file as a printed page, read back from the PDF's text.
class CliSheetTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void sheetHoldsThePlan_data();
    void sheetHoldsThePlan();
    void failures_data();
    void failures();

private:
    QString planFile();
    QTemporaryDir m_dir;
};

using namespace testsupport;

namespace {

// The line of text whose words begin with first, blanks squeezed; empty when none does.
QString lineStartingWith(const QString& text, const QString& first) {
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString words = line.simplified();
        if (words.startsWith(first + QLatin1Char(' ')))
            return words;
    }
    return QString();
}

} // namespace

void CliSheetTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFile::exists(binaryPath("zev4800-cli")), "zev4800-cli is not built");
    QVERIFY2(runProgram("pdftotext", {"-v"}).exitCode == 0, "pdftotext (poppler-utils) is missing");
}

// Channels 3 and 16 filled, the others empty; words of both languages.
QString CliSheetTest::planFile() {
    QStringList lines{"RH-4800 MEMORY CHANNEL",
                      "",
                      "",
                      "BAND 144-148MHz",
                      "Squelch 3 3",
                      "BatSave 1 ON",
                      "TxT.O.T 4 4 min",
                      "SCAN 1 OFF",
                      "TONE 1 ON",
                      "BAO 0 OFF",
                      "VOICE 0 x",
                      "",
                      ""};
    for (int row = 1; row <= 16; ++row) {
        QString cells = " |  |  |  |  |  |  |  | ";
        if (row == 3)
            cells = " | 145.12500 | 67.0 | 145.72500 | D023N | 高功率 | ON | 启用 | ";
        else if (row == 16)
            cells = " | 438.50000 | OFF | 431.10000 | 88.5 | Low | OFF | OFF | ";
        lines.append(QStringLiteral("CH%1").arg(row, 2, 10, QLatin1Char('0')) + cells);
    }
    const QString path = m_dir.filePath("plan.z81");
    return writeFile(path, gbk(lines.join("\r\n") + "\r\n")) ? path : QString();
}

void CliSheetTest::sheetHoldsThePlan_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("platformGiven");
    QTest::addColumn<QStringList>("ownWords"); // title, band label, the first option's label
    // Without a platform named the command must not look for a display.
    QTest::newRow("english, no display")
        << "english" << false
        << QStringList{"RH-4800 channel sheet", "Band: 144-148MHz", "Squelch Level"};
    QTest::newRow("chinese") << "chinese" << true
                             << QStringList{"RH-4800 信道表", "频段: 144-148MHz", "静噪电平"};
}

void CliSheetTest::sheetHoldsThePlan() {
    QFETCH(QString, language);
    QFETCH(bool, platformGiven);
    QFETCH(QStringList, ownWords);
    const QString plan = planFile();
    QVERIFY(!plan.isEmpty());
    const QString pdf = m_dir.filePath(language + ".pdf");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!platformGiven)
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(name);
    const ProgramRun run = runProgram(binaryPath("zev4800-cli"),
                                      {"sheet", plan, pdf, "--lang", language}, environment);
    QVERIFY2(run.exitCode == 0, run.err.constData());

    const PdfContent sheet = readPdf(pdf);
    QVERIFY(sheet.read);
    QCOMPARE(sheet.pages, 1);
    QVERIFY2(sheet.pageSize.contains("(A4)"), qPrintable(sheet.pageSize));
    QVERIFY(sheet.text.contains("144-148MHz"));

    // The same words as show prints: the column titles, each channel row, each option's name and
    // text.
    const ProgramRun show = runCli({"show", plan, "--lang", language});
    QCOMPARE(show.exitCode, 0);
    const QString table = QString::fromUtf8(show.out);
    for (const QString& first : {QStringLiteral("03"), QStringLiteral("16")}) {
        const QString row = lineStartingWith(table, first);
        QVERIFY(row.split(' ').size() == 8);
        QCOMPARE(lineStartingWith(sheet.text, first), row);
    }
    const QString header = table.section("\n\n", 2, 2).section('\n', 0, 0).simplified();
    QVERIFY(!header.isEmpty());
    QCOMPARE(lineStartingWith(sheet.text, header.section(' ', 0, 0)), header);
    const QStringList options = table.section("\n\n", 1, 1).split('\n');
    QCOMPARE(options.size(), 7);
    const QString sheetText = sheet.text.simplified();
    for (const QString& option : options) {
        // After the option's name and its colon (full width in Chinese), its index.
        const QString text = option.section(QRegularExpression(QStringLiteral("[:：]")), 1)
                                 .simplified()
                                 .section(' ', 1);
        QVERIFY2(sheetText.contains(' ' + text + ' '), qPrintable(option));
    }
    // The sheet's own words and the option labels in the chosen language, as the window has them.
    for (const QString& words : ownWords)
        QVERIFY2(sheetText.contains(words), qPrintable(words));
}

void CliSheetTest::failures_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("no PDF named") << QStringList{"sheet", "PLAN"} << 2;
    QTest::newRow("a port") << QStringList{"sheet", "PLAN", "OUT", "--port", "/dev/null"} << 2;
    QTest::newRow("missing channel file") << QStringList{"sheet", "MISSING", "OUT"} << 1;
    QTest::newRow("folder that does not exist")
        << QStringList{"sheet", "PLAN", "NOWHERE/out.pdf"} << 1;
}

void CliSheetTest::failures() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    const QString plan = planFile();
    QVERIFY(!plan.isEmpty());
    const QString out = m_dir.filePath("failed.pdf");
    arguments.replaceInStrings("PLAN", plan);
    arguments.replaceInStrings("MISSING", m_dir.filePath("missing.z81"));
    arguments.replaceInStrings("NOWHERE", m_dir.filePath("nowhere"));
    arguments.replaceInStrings("OUT", out);
    const ProgramRun run = runCli(arguments + QStringList{"--lang", "english"});
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY(!run.err.isEmpty());
    QVERIFY(!QFile::exists(out));
}

QTEST_GUILESS_MAIN(CliSheetTest)
#include "tst_clisheet.moc"
