#include "cliarguments.h"
#include "clilanguage.h"
#include "commandtable.h"
#include "programrun.h"
#include "textwidth.h"

#include "app/translations.h"

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QTest>

// zev4800-cli's command line, parsed in the test's own process.
class CliArgumentsTest : public QObject {
    Q_OBJECT
private slots:
    void parses_data();
    void parses();
    void refusals_data();
    void refusals();
    void helpListsEveryCommandAndOption_data();
    void helpListsEveryCommandAndOption();
    void refusalsSpeakTheInstalledLanguage();
    void languageOfTheEnvironment_data();
    void languageOfTheEnvironment();
    void languageOfARefusedCommandLine_data();
    void languageOfARefusedCommandLine();
};

using namespace zev;
using namespace zev::cli;

namespace {

Result<Arguments> parse(const QStringList& arguments) {
    return parseArguments(QStringList{QStringLiteral("zev4800-cli")} + arguments);
}

// The command and every field that is not at its default, in the order Arguments declares them.
QString described(const Arguments& arguments) {
    QString command = arguments.command == Command::Help      ? QStringLiteral("help")
                      : arguments.command == Command::Version ? QStringLiteral("version")
                                                              : QString();
    for (const CommandSpec& entry : commandSpecs())
        if (entry.command == arguments.command)
            command = QString::fromLatin1(entry.word);
    QStringList fields{command};
    const auto text = [&](const char* name, const QString& value) {
        if (!value.isEmpty())
            fields.append(QStringLiteral("%1=%2").arg(QLatin1String(name), value));
    };
    const auto flag = [&](const char* name, bool set) {
        if (set)
            fields.append(QLatin1String(name));
    };
    text("port", arguments.port);
    text("ports", arguments.ports.join(QLatin1Char(',')));
    text("output", arguments.output);
    text("output-dir", arguments.outputDirectory);
    text("file", arguments.file);
    text("other", arguments.otherFile);
    text("list", arguments.stockList);
    if (arguments.firstEntry)
        fields.append(QStringLiteral("from=%1").arg(*arguments.firstEntry));
    text("band", arguments.band);
    flag("renumber", arguments.renumber);
    flag("skip-bad-rows", arguments.skipBadRows);
    text("sheet", arguments.sheetPath);
    text("record", arguments.record);
    text("log", arguments.logPath);
    if (arguments.last > 0)
        fields.append(QStringLiteral("last=%1").arg(arguments.last));
    flag("no-backup", !arguments.backup);
    flag("no-verify", !arguments.verify);
    text("backup-dir", arguments.backupDirectory);
    if (arguments.language)
        fields.append(*arguments.language == Language::English ? QStringLiteral("english")
                                                               : QStringLiteral("chinese"));
    text("trace", arguments.tracePath);
    flag("progress", arguments.progress);
    return fields.join(QLatin1Char(' '));
}

} // namespace

void CliArgumentsTest::parses_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("parsed");
    QTest::newRow("read")
        << QStringList{"read",   "--port",  "/dev/ttyUSB0", "--output", "a.z81",
                       "--lang", "english", "--trace",      "t.log",    "--progress"}
        << "read port=/dev/ttyUSB0 ports=/dev/ttyUSB0 output=a.z81 english trace=t.log progress";
    QTest::newRow("read of several radios")
        << QStringList{"read", "--port", "/dev/a", "--port", "/dev/b", "--output-dir", "d"}
        << "read port=/dev/a ports=/dev/a,/dev/b output-dir=d";
    QTest::newRow("options before the command, values after =")
        << QStringList{"--lang=chinese", "--port", "auto", "read", "--output=a.z81"}
        << "read port=auto ports=auto output=a.z81 chinese";
    QTest::newRow("the last --lang counts")
        << QStringList{"show", "a.z81", "--lang", "english", "--lang", "chinese"}
        << "show file=a.z81 chinese";
    QTest::newRow("write")
        << QStringList{"write",       "plan.z81",    "--port",       "COM1",
                       "--no-backup", "--no-verify", "--backup-dir", "b"}
        << "write port=COM1 ports=COM1 file=plan.z81 no-backup no-verify backup-dir=b";
    QTest::newRow("write to several radios")
        << QStringList{"write", "--port", "/dev/a", "--port", "/dev/b", "plan.z81"}
        << "write port=/dev/a ports=/dev/a,/dev/b file=plan.z81";
    QTest::newRow("show") << QStringList{"show", "a.z81"} << "show file=a.z81";
    QTest::newRow("show of a file named -") << QStringList{"show", "-"} << "show file=-";
    QTest::newRow("diff of two files")
        << QStringList{"diff", "a.z81", "b.z81"} << "diff file=a.z81 other=b.z81";
    QTest::newRow("diff with the radio")
        << QStringList{"diff", "--port", "p", "a.z81", "--trace", "t"}
        << "diff port=p ports=p file=a.z81 trace=t";
    QTest::newRow("ports") << QStringList{"ports", "--progress"} << "ports progress";
    QTest::newRow("sheet") << QStringList{"sheet", "a.z81", "a.pdf", "--lang", "chinese"}
                           << "sheet file=a.z81 sheet=a.pdf chinese";
    QTest::newRow("sheet, a receipt")
        << QStringList{"sheet", "a.z81", "a.pdf", "--record", "2026-12-10T14:35:01.123Z",
                       "--log", "w.csv"}
        << "sheet file=a.z81 sheet=a.pdf record=2026-12-10T14:35:01.123Z log=w.csv";
    QTest::newRow("write with its log")
        << QStringList{"write", "plan.z81", "--port", "p", "--log", "w.csv"}
        << "write port=p ports=p file=plan.z81 log=w.csv";
    QTest::newRow("log") << QStringList{"log"} << "log";
    QTest::newRow("log, the last lines of one")
        << QStringList{"log", "--last", "5", "--log", "w.csv"} << "log log=w.csv last=5";
    QTest::newRow("export") << QStringList{"export", "a.z81", "a.csv"}
                            << "export file=a.z81 other=a.csv";
    QTest::newRow("import")
        << QStringList{"import",     "a.csv",           "a.z81",     "--band",
                       "144-148MHz", "--skip-bad-rows", "--renumber"}
        << "import file=a.csv other=a.z81 band=144-148MHz renumber skip-bad-rows";
    QTest::newRow("stock lists") << QStringList{"stock", "--band", "400-470MHz"}
                                 << "stock band=400-470MHz";
    QTest::newRow("stock plan") << QStringList{"stock", "lpd433", "a.z81",  "--from",
                                               "17",    "--lang", "english"}
                                << "stock other=a.z81 list=lpd433 from=17 english";
    QTest::newRow("help") << QStringList{"--help"} << "help";
    QTest::newRow("-h") << QStringList{"-h"} << "help";
    QTest::newRow("help after a command") << QStringList{"write", "--help"} << "help";
    QTest::newRow("help with a fault") << QStringList{"show", "--fast", "--help"} << "help";
    QTest::newRow("version") << QStringList{"--version"} << "version";
}

void CliArgumentsTest::parses() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, parsed);
    const Result<Arguments> result = parse(arguments);
    QVERIFY2(result, qPrintable(result.message()));
    QCOMPARE(described(result.value()), parsed);
}

void CliArgumentsTest::refusals_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("no command") << QStringList{} << "no command given";
    QTest::newRow("only options") << QStringList{"--lang", "english"} << "no command given";
    QTest::newRow("unknown command") << QStringList{"erase"} << "unknown command 'erase'";
    QTest::newRow("unknown option")
        << QStringList{"show", "a.z81", "--fast"} << "unknown option '--fast'";
    QTest::newRow("unknown option with a value")
        << QStringList{"show", "a.z81", "--fast=1"} << "unknown option '--fast'";
    QTest::newRow("unknown letter") << QStringList{"show", "a.z81", "-x"} << "unknown option '-x'";
    QTest::newRow("missing value")
        << QStringList{"read", "--output", "a.z81", "--port"} << "--port needs a value";
    QTest::newRow("empty value") << QStringList{"read", "--port=", "--output", "a.z81"}
                                 << "--port needs a value";
    QTest::newRow("empty value of another command")
        << QStringList{"write", "a.z81", "--port", "p", "--backup-dir", ""}
        << "--backup-dir needs a value";
    QTest::newRow("bad language") << QStringList{"show", "a.z81", "--lang", "french"}
                                  << "--lang takes english or chinese, not 'french'";
    QTest::newRow("bad language before a good one")
        << QStringList{"show", "a.z81", "--lang", "french", "--lang", "english"}
        << "--lang takes english or chinese, not 'french'";
    QTest::newRow("bad band") << QStringList{"import", "a.csv", "a.z81", "--band", "2m"}
                              << "--band takes a band such as 136-174MHz, not '2m'";
    QTest::newRow("write's switch in read")
        << QStringList{"read", "--port", "p", "--output", "a.z81", "--no-backup"}
        << "read takes no --no-backup";
    QTest::newRow("write's folder in show")
        << QStringList{"show", "a.z81", "--backup-dir", "b"} << "show takes no --backup-dir";
    QTest::newRow("import's switch in export")
        << QStringList{"export", "a.z81", "a.csv", "--renumber"} << "--renumber belongs to import";
    QTest::newRow("import's and stock's band in write")
        << QStringList{"write", "a.z81", "--port", "p", "--band", "144-148MHz"}
        << "write takes no --band";
    QTest::newRow("stock's entry in import")
        << QStringList{"import", "a.csv", "a.z81", "--from", "2"} << "import takes no --from";
    QTest::newRow("read's file in write")
        << QStringList{"write", "a.z81", "--port", "p", "--output", "b.z81"}
        << "write takes no --output";
    QTest::newRow("read's folder in write")
        << QStringList{"write", "a.z81", "--port", "p", "--output-dir", "d"}
        << "--output-dir belongs to read";
    QTest::newRow("port in show") << QStringList{"show", "a.z81", "--port", "p"}
                                  << "show takes no --port";
    QTest::newRow("port in ports")
        << QStringList{"ports", "--port", "auto"} << "ports takes no --port";
    QTest::newRow("log in read") << QStringList{"read",  "--port", "p",    "--output",
                                                "a.z81", "--log",  "w.csv"}
                                 << "read takes no --log";
    QTest::newRow("last in sheet")
        << QStringList{"sheet", "a.z81", "a.pdf", "--last", "2"} << "--last belongs to log";
    QTest::newRow("port in sheet")
        << QStringList{"sheet", "a.z81", "a.pdf", "--port", "p"} << "sheet takes no --port";
    QTest::newRow("port in import")
        << QStringList{"import", "a.csv", "a.z81", "--port", "p"} << "import takes no --port";
    QTest::newRow("read without port")
        << QStringList{"read", "--output", "a.z81"} << "--port PORT is required";
    QTest::newRow("read without anything") << QStringList{"read"} << "--port PORT is required";
    QTest::newRow("read without output")
        << QStringList{"read", "--port", "p"} << "--output FILE is required";
    QTest::newRow("write without port")
        << QStringList{"write", "a.z81"} << "--port PORT is required";
    QTest::newRow("write without file")
        << QStringList{"write", "--port", "p"} << "no channel file given";
    QTest::newRow("show without file") << QStringList{"show"} << "no channel file given";
    QTest::newRow("diff of one file")
        << QStringList{"diff", "a.z81"} << "diff needs two channel files, or --port PORT and one";
    QTest::newRow("diff with the radio and no file")
        << QStringList{"diff", "--port", "p"} << "no channel file given";
    QTest::newRow("sheet without pdf")
        << QStringList{"sheet", "a.z81"} << "sheet needs a channel file and a PDF file";
    QTest::newRow("export without list")
        << QStringList{"export", "a.z81"} << "export needs a channel file and a CSV file";
    QTest::newRow("import without channel file")
        << QStringList{"import", "a.csv"} << "import needs a CSV file and a channel file";
    QTest::newRow("stock of a list without a file")
        << QStringList{"stock", "pmr446"}
        << "stock needs a list name and a file to write, or nothing to list the lists";
    QTest::newRow("stock of three")
        << QStringList{"stock", "pmr446", "a.z81", "b.z81"} << "unexpected argument 'b.z81'";
    QTest::newRow("stock from no number")
        << QStringList{"stock", "pmr446", "a.z81", "--from", "1st"}
        << "--from takes a number, not '1st'";
    QTest::newRow("show of two files")
        << QStringList{"show", "a.z81", "b.z81"} << "unexpected argument 'b.z81'";
    QTest::newRow("ports with a file")
        << QStringList{"ports", "a.z81"} << "unexpected argument 'a.z81'";
    QTest::newRow("read with a file")
        << QStringList{"read", "--port", "p", "--output", "a.z81", "b.z81"}
        << "unexpected argument 'b.z81'";
    QTest::newRow("diff with the radio and two files")
        << QStringList{"diff", "--port", "p", "a.z81", "b.z81"} << "unexpected argument 'b.z81'";
    QTest::newRow("export of three")
        << QStringList{"export", "a.z81", "a.csv", "x", "y"} << "unexpected argument 'y'";
    QTest::newRow("file and folder")
        << QStringList{"read", "--port", "p", "--output", "a.z81", "--output-dir", "d"}
        << "--output and --output-dir exclude each other";
    QTest::newRow("several radios into one file")
        << QStringList{"read", "--port", "a", "--port", "b", "--output", "a.z81"}
        << "a read from several radios needs --output-dir, not --output";
    QTest::newRow("one trace for several radios")
        << QStringList{"write", "a.z81", "--port", "a", "--port", "b", "--trace", "t"}
        << "--trace takes one --port";
    QTest::newRow("diff with several radios")
        << QStringList{"diff", "a.z81", "--port", "a", "--port", "b"}
        << "only read and write take several --port";
}

void CliArgumentsTest::refusals() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const Result<Arguments> result = parse(arguments);
    QVERIFY2(!result, result ? qPrintable(described(result.value())) : "");
    QCOMPARE(result.message(), message);
}

void CliArgumentsTest::helpListsEveryCommandAndOption_data() {
    QTest::addColumn<Language>("language");
    QTest::newRow("english") << Language::English;
    QTest::newRow("chinese") << Language::Chinese;
}

void CliArgumentsTest::helpListsEveryCommandAndOption() {
    QFETCH(Language, language);
    Translations translations;
    translations.install(testsupport::binaryFolder(), language);
    const QString help = usageText();
    const QStringList lines = help.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        QVERIFY2(displayWidth(line) <= 80, qPrintable(line));
        // Chinese breaks between characters, but never before "，" or "）".
        const QString start = line.trimmed().left(1);
        QVERIFY2(start.isEmpty() || displayWidth(start) == 1 ||
                     (start.at(0).category() != QChar::Punctuation_Other &&
                      start.at(0).category() != QChar::Punctuation_Close),
                 qPrintable(line));
    }
    QVERIFY2(lines.first().endsWith(QStringLiteral(" zev4800-cli read --port PORT --output "
                                                   "FILE.z81 [options]")),
             qPrintable(lines.first()));

    // What a user looks up, in the order they find it.
    const QStringList entries{"  read ",
                              "  write ",
                              "  show ",
                              "  diff ",
                              "  export ",
                              "  import ",
                              "  ports ",
                              "  sheet ",
                              "  stock ",
                              "  --port PORT ",
                              "  --output FILE ",
                              "  --output-dir DIR ",
                              "  --lang LANGUAGE ",
                              "  --trace FILE ",
                              "  --progress ",
                              "  --no-backup ",
                              "  --backup-dir DIR ",
                              "  --no-verify ",
                              "  --band BAND ",
                              "  --renumber ",
                              "  --skip-bad-rows ",
                              "  --from N ",
                              "  -h, --help ",
                              "  --version "};
    qsizetype from = 0;
    for (const QString& entry : entries) {
        const qsizetype at = help.indexOf(QLatin1Char('\n') + entry, from);
        QVERIFY2(at >= 0, qPrintable(entry + QStringLiteral(" is not listed in order")));
        from = at + 1;
    }
    // Every command and option the usage lines show is one the parser knows.
    const auto translated = [](const char* text, const QString& name) {
        return QCoreApplication::translate("zev::cli::CommandLine", text).arg(name);
    };
    for (const QString& line : lines) {
        const qsizetype at = line.indexOf(QStringLiteral("zev4800-cli "));
        if (at < 0)
            continue;
        const QStringList words = line.mid(at).split(QLatin1Char(' '));
        const QString command = words.at(1);
        QVERIFY2(parse({command}).message() != translated("unknown command '%1'", command),
                 qPrintable(line));
        for (QString word : words) {
            word.remove(QLatin1Char('['));
            if (word.startsWith(QStringLiteral("--")))
                QVERIFY2(parse({command, word, QStringLiteral("x")}).message() !=
                             translated("unknown option '%1'", word),
                         qPrintable(word));
        }
    }
    if (language == Language::Chinese)
        QVERIFY2(help.contains(QStringLiteral("命令")), qPrintable(help));
}

void CliArgumentsTest::refusalsSpeakTheInstalledLanguage() {
    Translations translations;
    translations.install(testsupport::binaryFolder(), Language::Chinese);
    const Result<Arguments> result = parse({"show", "a.z81", "--port", "p"});
    QVERIFY(!result);
    QCOMPARE(result.message(), QStringLiteral("show 不接受 --port"));
}

// "-": not set; the variables in the order LANGUAGE, LC_ALL, LC_MESSAGES, LANG.
void CliArgumentsTest::languageOfTheEnvironment_data() {
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<QString>("language"); // a pack name, or "-" for none asked
    QTest::newRow("nothing set") << QStringList{"-", "-", "-", "-"} << "-";
    QTest::newRow("empty values are not set") << QStringList{"", "", "", ""} << "-";
    QTest::newRow("LANG zh_CN.UTF-8") << QStringList{"-", "-", "-", "zh_CN.UTF-8"} << "chinese";
    QTest::newRow("LANG zh_TW.Big5") << QStringList{"-", "-", "-", "zh_TW.Big5"} << "chinese";
    QTest::newRow("LANG zh") << QStringList{"-", "-", "-", "zh"} << "chinese";
    QTest::newRow("LANG C") << QStringList{"-", "-", "-", "C"} << "english";
    QTest::newRow("LANG de_DE.UTF-8: no German, English")
        << QStringList{"-", "-", "-", "de_DE.UTF-8"} << "english";
    QTest::newRow("LANG zha is not zh") << QStringList{"-", "-", "-", "zha_CN"} << "english";
    QTest::newRow("LC_MESSAGES before LANG")
        << QStringList{"-", "-", "zh_CN.UTF-8", "en_US.UTF-8"} << "chinese";
    QTest::newRow("LC_ALL before LC_MESSAGES")
        << QStringList{"-", "POSIX", "zh_CN.UTF-8", "zh_CN.UTF-8"} << "english";
    QTest::newRow("LANGUAGE first") << QStringList{"zh_CN:en", "C.UTF-8", "-", "C"} << "chinese";
    QTest::newRow("LANGUAGE, its first usable entry")
        << QStringList{"de_DE:fr::en_GB:zh_CN", "-", "-", "zh_CN.UTF-8"} << "english";
    QTest::newRow("LANGUAGE without a usable entry")
        << QStringList{"de:fr", "-", "-", "zh_CN.GB18030"} << "chinese";
}

// The language the program takes when no --lang is given, as gettext reads the variables.
void CliArgumentsTest::languageOfTheEnvironment() {
    QFETCH(QStringList, variables);
    QFETCH(QString, language);
    QProcessEnvironment environment;
    const char* names[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    for (int i = 0; i < 4; ++i)
        if (variables.at(i) != QStringLiteral("-"))
            environment.insert(QLatin1String(names[i]), variables.at(i));
    const std::optional<Language> found = environmentLanguage(environment);
    QCOMPARE(found ? packName(*found) : QStringLiteral("-"), language);
}

void CliArgumentsTest::languageOfARefusedCommandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("language"); // a pack name, or "-" for none asked
    QTest::newRow("none") << QStringList{"show", "--fast"} << "-";
    QTest::newRow("value after a blank") << QStringList{"--fast", "--lang", "chinese"} << "chinese";
    QTest::newRow("value after =") << QStringList{"show", "-lang=english", "--fast"} << "english";
    QTest::newRow("the last one") << QStringList{"--lang=chinese", "x", "--lang", "english"}
                                  << "english";
    QTest::newRow("a value no language") << QStringList{"--lang", "french", "--fast"} << "-";
    QTest::newRow("a file after --") << QStringList{"show", "--", "--lang=chinese"} << "-";
    QTest::newRow("--lang without a value") << QStringList{"show", "--lang"} << "-";
}

// A command line the parser refuses is refused in the language its --lang names.
void CliArgumentsTest::languageOfARefusedCommandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, language);
    const std::optional<Language> found =
        languageOption(QStringList{QStringLiteral("zev4800-cli")} + arguments);
    QCOMPARE(found ? packName(*found) : QStringLiteral("-"), language);
}

QTEST_GUILESS_MAIN(CliArgumentsTest)
#include "tst_cliarguments.moc"
