#include "commandtable.h"
#include "files.h"
#include "programrun.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The shell completions the build makes from the command table: bash completes as a user would
// see it, in a folder of channel files and lists; the other shells read their scripts.
class CliCompletionsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void bashCompletes_data();
    void bashCompletes();
    void scriptsAreValid_data();
    void scriptsAreValid();

private:
    QTemporaryDir m_dir;
};

using namespace testsupport;

namespace {

QString script(const QString& name) {
    return QStringLiteral(ZEV_COMPLETIONS_DIR "/") + name;
}

QStringList commandWords() {
    QStringList words;
    for (const zev::cli::CommandSpec& command : zev::cli::commandSpecs())
        words << QLatin1String(command.word);
    words.sort();
    return words;
}

} // namespace

void CliCompletionsTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    for (const char* name : {"plan.z81", "list.csv", "notes.txt", "sheet.pdf"})
        QVERIFY(writeFile(m_dir.filePath(name), "x"));
    QVERIFY(QDir(m_dir.path()).mkdir("radios"));
}

void CliCompletionsTest::bashCompletes_data() {
    QTest::addColumn<QString>("line"); // what is typed; the word being completed is the last
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("whole"); // the completions are exactly these, or include them
    QTest::newRow("commands") << "zev4800-cli " << commandWords() << true;
    QTest::newRow("a command begun") << "zev4800-cli wr" << QStringList{"write"} << true;
    QTest::newRow("after an option and its value")
        << "zev4800-cli --lang english sh" << QStringList{"sheet", "show"} << true;
    QTest::newRow("options before a command")
        << "zev4800-cli --" << QStringList{"--help", "--lang", "--progress", "--trace", "--version"}
        << true;
    QTest::newRow("a command's options") << "zev4800-cli read --port /dev/ttyUSB0 --o"
                                         << QStringList{"--output", "--output-dir"} << true;
    QTest::newRow("no option of another command")
        << "zev4800-cli read --no" << QStringList() << true;
    QTest::newRow("ports") << "zev4800-cli write --port "
                           << QStringList{"COM1", "COM2", "COM3", "COM4", "auto"} << false;
    QTest::newRow("clone's master port")
        << "zev4800-cli clone --from C" << QStringList{"COM1", "COM2", "COM3", "COM4"} << true;
    QTest::newRow("stock's --from takes a number")
        << "zev4800-cli stock --from " << QStringList() << true;
    QTest::newRow("languages") << "zev4800-cli show plan.z81 --lang "
                               << QStringList{"chinese", "english"} << true;
    QTest::newRow("power") << "zev4800-cli set plan.z81 --channels 1 --power "
                           << QStringList{"high", "low"} << true;
    QTest::newRow("channel files and lists")
        << "zev4800-cli show " << QStringList{"list.csv", "plan.z81", "radios"} << true;
    QTest::newRow("second file") << "zev4800-cli diff plan.z81 p" << QStringList{"plan.z81"}
                                 << true;
    QTest::newRow("folders") << "zev4800-cli read --output-dir " << QStringList{"radios"} << true;
    QTest::newRow("stock lists and files")
        << "zev4800-cli stock pm" << QStringList{"pmr446"} << true;
    QTest::newRow("no files for ports") << "zev4800-cli ports " << QStringList() << true;
}

void CliCompletionsTest::bashCompletes() {
    QFETCH(QString, line);
    QFETCH(QStringList, expected);
    QFETCH(bool, whole);
    QStringList words = line.split(' ');
    QString array;
    for (const QString& word : words)
        array += " '" + word + "'";
    const QString program = QString("source '%1'\n"
                                    "COMP_WORDS=(%2)\n"
                                    "COMP_CWORD=%3\n"
                                    "_zev4800_cli\n"
                                    "printf '%s\\n' \"${COMPREPLY[@]}\"\n")
                                .arg(script("zev4800-cli.bash"), array)
                                .arg(words.size() - 1);
    const ProgramRun run = runProgram("bash", {"--norc", "--noprofile", "-c", program},
                                      QProcessEnvironment::systemEnvironment(), m_dir.path());
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.exitCode, 0);
    QStringList completions = QString::fromUtf8(run.out).split('\n', Qt::SkipEmptyParts);
    completions.sort();
    completions.removeDuplicates();
    if (whole) {
        QCOMPARE(completions, expected);
    } else {
        for (const QString& completion : expected)
            QVERIFY2(completions.contains(completion), qPrintable(completions.join(' ')));
    }
}

void CliCompletionsTest::scriptsAreValid_data() {
    QTest::addColumn<QString>("shell");
    QTest::addColumn<QString>("file");
    QTest::newRow("bash") << "bash"
                          << "zev4800-cli.bash";
    QTest::newRow("zsh") << "zsh"
                         << "_zev4800-cli";
    QTest::newRow("fish") << "fish"
                          << "zev4800-cli.fish";
}

// Each shell parses its script; the commands are all in it.
void CliCompletionsTest::scriptsAreValid() {
    QFETCH(QString, shell);
    QFETCH(QString, file);
    const QByteArray text = readFile(script(file));
    for (const QString& command : commandWords())
        QVERIFY2(text.contains(command.toLatin1()), qPrintable(command));
    if (QStandardPaths::findExecutable(shell).isEmpty())
        QSKIP("the shell is not installed");
    const ProgramRun run = runProgram(shell, {"-n", script(file)});
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.exitCode, 0);
}

QTEST_GUILESS_MAIN(CliCompletionsTest)
#include "tst_clicompletions.moc"
