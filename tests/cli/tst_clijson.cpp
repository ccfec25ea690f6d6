#include "channelfiletext.h"
#include "files.h"
#include "programrun.h"
#include "simulatorprocess.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

// zev4800-cli --json: the document on stdout read back as a script would, the radios simulator
// processes of their own.
class CliJsonTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void showGivesThePlan_data();
    void showGivesThePlan();
    void showOfAFileWithFaults();
    void diffGivesEveryDifference();
    void portsGivesEveryPort();
    void writeToSeveralRadiosAndTheLog();
    void readAndCloneResults();
    void failedRadiosAreInTheDocument_data();
    void failedRadiosAreInTheDocument();
    void refusalsPrintNoDocument_data();
    void refusalsPrintNoDocument();

private:
    QString file(const QString& name, const QByteArray& bytes);

    QTemporaryDir m_dir;
};

using namespace testsupport;

namespace {

using Simulators = std::vector<std::unique_ptr<SimulatorProcess>>;

Simulators simulators(int count) {
    Simulators list;
    for (int i = 0; i < count; ++i)
        list.push_back(std::make_unique<SimulatorProcess>(QStringList{"--demo", "--baud", "0"}));
    return list;
}

// Band 144-148MHz; channel 3 with a CTCSS and a DCS tone, in words of both languages.
QByteArray planBytes(const QString& rxFrequency = "145.12500") {
    return channelFileBytes(channelFileLines(
        {.band = "144-148MHz"},
        {"CH03 | " + rxFrequency + " | 67.0 | 145.12500 | D023N | 高功率 | ON | 启用 | ",
         "CH16 | 146.52000 | OFF | 146.52000 | D754I | Low | OFF | OFF | "}));
}

// The whole of stdout as one JSON object; an empty object, with a warning, when it is not one.
QJsonObject documentOf(const ProgramRun& run) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        qWarning("not one JSON object (%s): %s", qPrintable(error.errorString()),
                 run.out.constData());
        return {};
    }
    return document.object();
}

// The radio of the document's list whose port is the one given.
QJsonObject radioOf(const QJsonObject& document, const QString& port) {
    for (const QJsonValue& radio : document["radios"].toArray())
        if (radio["port"].toString() == port)
            return radio.toObject();
    return {};
}

} // namespace

QString CliJsonTest::file(const QString& name, const QByteArray& bytes) {
    const QString path = m_dir.filePath(name);
    return writeFile(path, bytes) ? path : QString();
}

void CliJsonTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    qputenv("XDG_DATA_HOME", m_dir.filePath("data").toLocal8Bit());
}

void CliJsonTest::showGivesThePlan_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("batterySaveName");
    QTest::addColumn<QString>("batterySaveText");
    QTest::addColumn<QString>("powerCell");
    QTest::newRow("english") << "english"
                             << "Battery save"
                             << "ON"
                             << "High";
    // The keys and values stay; only the texts meant to be read change.
    QTest::newRow("chinese") << "chinese"
                             << "电池省电"
                             << "启用"
                             << "高功率";
}

void CliJsonTest::showGivesThePlan() {
    QFETCH(QString, language);
    QFETCH(QString, batterySaveName);
    QFETCH(QString, batterySaveText);
    QFETCH(QString, powerCell);
    const ProgramRun run =
        runCli({"show", file("show.z81", planBytes()), "--json", "--lang", language});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    const QJsonObject plan = documentOf(run);
    QCOMPARE(plan["file"].toString(), m_dir.filePath("show.z81"));
    QCOMPARE(plan["band"].toString(), "144-148MHz");
    QCOMPARE(plan["bandLowHz"].toDouble(), 144e6);
    QCOMPARE(plan["bandHighHz"].toDouble(), 148e6);
    QCOMPARE(plan["problems"].toArray(), QJsonArray());

    const QJsonArray options = plan["options"].toArray();
    QCOMPARE(options.size(), 7);
    QStringList keys;
    for (const QJsonValue& option : options)
        keys << option["key"].toString();
    QCOMPARE(keys, QStringList({"squelch", "batterySave", "timeOutTimer", "voicePrompt", "keyBeep",
                                "alarmKey", "scan"}));
    QCOMPARE(options[1]["index"].toInt(), 1);
    QVERIFY(options[1]["index"].isDouble());
    QCOMPARE(options[1]["name"].toString(), batterySaveName);
    QCOMPARE(options[1]["text"].toString(), batterySaveText);

    const QJsonArray channels = plan["channels"].toArray();
    QCOMPARE(channels.size(), 16);
    const QJsonObject unused = channels[0].toObject();
    QCOMPARE(unused["channel"].toInt(), 1);
    QCOMPARE(unused["used"].toBool(true), false);
    for (const char* key :
         {"rxFrequencyHz", "rxTone", "txFrequencyHz", "txTone", "power", "scanAdd", "busyLock"})
        QVERIFY2(unused.contains(key) && unused[key].isNull(), key);

    const QJsonObject third = channels[2].toObject();
    QCOMPARE(third["channel"].toInt(), 3);
    QCOMPARE(third["used"].toBool(), true);
    QVERIFY(third["rxFrequencyHz"].isDouble());
    QCOMPARE(third["rxFrequencyHz"].toDouble(), 145125000.0);
    QCOMPARE(third["txFrequencyHz"].toDouble(), 145125000.0);
    QCOMPARE(third["rxTone"].toObject(), QJsonObject({{"type", "ctcss"}, {"hz", 67.0}}));
    QCOMPARE(third["txTone"].toObject(),
             QJsonObject({{"type", "dcs"}, {"code", "023"}, {"polarity", "normal"}}));
    QCOMPARE(third["power"].toString(), "high");
    QCOMPARE(third["scanAdd"], QJsonValue(true));
    QCOMPARE(third["busyLock"], QJsonValue(true));
    QCOMPARE(third["cells"].toArray().at(4).toString(), powerCell);

    const QJsonObject last = channels[15].toObject();
    QVERIFY(last["rxTone"].isNull()); // OFF
    QCOMPARE(last["txTone"].toObject()["polarity"].toString(), "inverted");
    QCOMPARE(last["power"].toString(), "low");
    QCOMPARE(last["scanAdd"], QJsonValue(false));
}

// Shown all the same, the faults in the document and on stderr, and exit status 1.
void CliJsonTest::showOfAFileWithFaults() {
    QStringList lines =
        channelFileLines({}, {"CH02 | 14x.27500 | 99.9x | 145.27500 | OFF | Medium | ON | ON | "});
    const QString path = file("faults.z81", channelFileBytes(lines));
    const ProgramRun run = runCli({"show", path, "--json", "--lang", "english"});
    QCOMPARE(run.exitCode, 1);
    const QJsonObject plan = documentOf(run);
    const QJsonObject second = plan["channels"].toArray().at(1).toObject();
    QVERIFY(second["used"].toBool());
    QVERIFY(second["rxFrequencyHz"].isNull());
    QCOMPARE(second["txFrequencyHz"].toDouble(), 145275000.0);
    QCOMPARE(second["rxTone"].toObject(), QJsonObject({{"type", "invalid"}, {"text", "99.9x"}}));
    QVERIFY(second["power"].isNull());
    QCOMPARE(second["cells"].toArray().at(0).toString(), "14x.27500");
    const QJsonArray problems = plan["problems"].toArray();
    QVERIFY(problems.size() >= 2);
    QString expected;
    for (const QJsonValue& problem : problems)
        expected += "zev4800-cli: " + problem.toString() + "\n";
    QCOMPARE(QString::fromUtf8(run.err), expected);
}

void CliJsonTest::diffGivesEveryDifference() {
    const QString before = file("before.z81", planBytes());
    QStringList lines = channelFileLines({.band = "400-470MHz"},
                                         {"CH03 | 145.25000 | 67.0 | 145.12500 | D023N | High | "
                                          "ON | ON | ",
                                          "CH16 | 146.52000 | OFF | 146.52000 | D754I | Low | OFF "
                                          "| OFF | "});
    lines[4] = "Squelch 5 5";
    const QString after = file("after.z81", channelFileBytes(lines));

    ProgramRun run = runCli({"diff", before, after, "--json", "--lang", "english"});
    QCOMPARE(run.exitCode, 1);
    QJsonObject document = documentOf(run);
    QCOMPARE(document["equal"], QJsonValue(false));
    const QJsonArray differences = document["differences"].toArray();
    QCOMPARE(differences.size(), 3);
    const QJsonObject cell = differences[0].toObject();
    QCOMPARE(cell["kind"].toString(), "cell");
    QCOMPARE(cell["channel"].toInt(), 3);
    QCOMPARE(cell["column"].toString(), "rxFrequency");
    QCOMPARE(cell["name"].toString(), "RX Freq");
    QCOMPARE(cell["before"].toString(), "145.12500");
    QCOMPARE(cell["afterHz"].toDouble(), 145250000.0);
    QCOMPARE(cell["beforeHz"].toDouble(), 145125000.0);
    const QJsonObject option = differences[1].toObject();
    QCOMPARE(option["kind"].toString(), "option");
    QCOMPARE(option["option"].toString(), "squelch");
    QCOMPARE(option["before"], QJsonValue(2));
    QCOMPARE(option["after"], QJsonValue(5));
    QVERIFY(option["channel"].isNull());
    const QJsonObject band = differences[2].toObject();
    QCOMPARE(band["kind"].toString(), "band");
    QCOMPARE(band["before"].toString(), "144-148MHz");
    QCOMPARE(band["after"].toString(), "400-470MHz");

    run = runCli({"diff", before, before, "--json"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(documentOf(run), QJsonObject({{"equal", true}, {"differences", QJsonArray()}}));
}

// A pseudo-terminal that the settings map to COM2, beside a copy of the program.
void CliJsonTest::portsGivesEveryPort() {
    QTemporaryDir folder;
    const QString program = folder.filePath("zev4800-cli");
    QVERIFY(QFile::copy(binaryPath("zev4800-cli"), program));
    for (const char* pack : {"chinese.qm", "english.qm", "chinese_messages.qm", "install.Log"})
        QFile::copy(binaryPath(pack), folder.filePath(pack));
    SimulatorProcess sim({"--demo", "--baud", "0"});
    QVERIFY(writeFile(folder.filePath("myini.ini"),
                      "[ports]\r\ncom2=" + sim.terminal().toLocal8Bit() + "\r\n"));
    const ProgramRun run = runProgram(program, {"ports", "--json"}, cliEnvironment());
    QCOMPARE(run.exitCode, 0);
    QJsonObject mapped;
    for (const QJsonValue& port : documentOf(run)["ports"].toArray())
        if (port["device"].toString() == sim.terminal())
            mapped = port.toObject();
    QVERIFY2(!mapped.isEmpty(), run.out.constData());
    QCOMPARE(mapped["state"].toString(), "free");
    QCOMPARE(mapped["com"].toArray(), QJsonArray({2}));
    for (const char* key : {"usbId", "vendorId", "productId", "program", "processId"})
        QVERIFY2(mapped.contains(key) && mapped[key].isNull(), key);
}

// One document for all the radios; each radio's line of the log comes back from log --json.
void CliJsonTest::writeToSeveralRadiosAndTheLog() {
    const Simulators radios = simulators(2);
    const QString log = m_dir.filePath("writes.csv");
    const QString plan = file("write.z81", planBytes());
    const ProgramRun run = runCli({"write", plan, "--json", "--log", log, "--port",
                                   radios[0]->terminal(), "--port", radios[1]->terminal()});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    const QJsonObject document = documentOf(run);
    QCOMPARE(document["command"].toString(), "write");
    QCOMPARE(document["succeeded"], QJsonValue(true));
    QCOMPARE(document["radios"].toArray().size(), 2);
    for (const auto& sim : radios) {
        const QJsonObject radio = radioOf(document, sim->terminal());
        QCOMPARE(radio["result"].toString(), "ok");
        QCOMPARE(radio["device"].toString(), sim->terminal());
        QVERIFY(radio["seconds"].isDouble());
        QVERIFY(radio["reason"].isNull());
        QVERIFY2(QFileInfo(radio["backup"].toString()).isFile(),
                 qPrintable(radio["backup"].toString()));
    }

    const ProgramRun logged = runCli({"log", "--json", "--log", log, "--last", "1"});
    QCOMPARE(logged.exitCode, 0);
    const QJsonObject contents = documentOf(logged);
    QCOMPARE(contents["log"].toString(), log);
    QCOMPARE(contents["problems"].toArray(), QJsonArray());
    const QJsonArray records = contents["records"].toArray();
    QCOMPARE(records.size(), 1);
    const QJsonObject record = records[0].toObject();
    QCOMPARE(record["result"].toString(), "verified");
    QCOMPARE(record["plan"].toString(), plan);
    QCOMPARE(record["band"].toString(), "144-148MHz");
    QCOMPARE(record["sha256"].toString().size(), 64);
    QVERIFY(record["reason"].isNull());
    QCOMPARE(record["backup"].toString(), radioOf(document, record["port"].toString())["backup"]);
    QVERIFY(record["time"].toString().endsWith('Z'));
}

void CliJsonTest::readAndCloneResults() {
    const Simulators radios = simulators(3);
    const QString output = m_dir.filePath("read.z81");
    ProgramRun run = runCli({"read", "--port", radios[0]->terminal(), "--output", output, "--json",
                             "--lang", "english"});
    QCOMPARE(run.exitCode, 0);
    QJsonObject document = documentOf(run);
    QCOMPARE(document["command"].toString(), "read");
    QCOMPARE(document["succeeded"], QJsonValue(true));
    QCOMPARE(document["radios"].toArray().size(), 1);
    QCOMPARE(radioOf(document, radios[0]->terminal())["file"].toString(), output);
    QVERIFY(QFileInfo(output).isFile());

    run = runCli({"clone", "--from", radios[0]->terminal(), "--to", radios[1]->terminal(), "--to",
                  radios[2]->terminal(), "--json"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    document = documentOf(run);
    QCOMPARE(document["command"].toString(), "clone");
    QCOMPARE(document["succeeded"], QJsonValue(true));
    const QJsonObject master = document["master"].toObject();
    QCOMPARE(master["port"].toString(), radios[0]->terminal());
    QCOMPARE(master["result"].toString(), "ok");
    QVERIFY(QFileInfo(master["plan"].toString()).isFile());
    for (int i = 1; i < 3; ++i)
        QCOMPARE(radioOf(document, radios[i]->terminal())["result"].toString(), "ok");
}

void CliJsonTest::failedRadiosAreInTheDocument_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("radios"); // good ones besides the missing port
    QTest::newRow("read") << "read" << 0;
    QTest::newRow("write") << "write" << 0;
    QTest::newRow("write to several") << "write" << 1;
    QTest::newRow("clone of a missing master") << "clone" << 1;
}

// The document has the failure too; stderr and the exit status tell it as without --json.
void CliJsonTest::failedRadiosAreInTheDocument() {
    QFETCH(QString, command);
    QFETCH(int, radios);
    const Simulators good = simulators(radios);
    const QString missing = "/nonexistent/tty";
    QStringList arguments{command, "--json", "--lang", "english"};
    if (command == "read")
        arguments << "--port" << missing << "--output" << m_dir.filePath("never.z81");
    else if (command == "write")
        arguments << file("failing.z81", planBytes()) << "--port" << missing;
    else
        arguments << "--from" << missing;
    for (const auto& sim : good)
        arguments << (command == "clone" ? "--to" : "--port") << sim->terminal();
    const ProgramRun run = runCli(arguments);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("There is no serial device /nonexistent/tty."), run.err.constData());
    const QJsonObject document = documentOf(run);
    QCOMPARE(document["command"].toString(), command);
    QCOMPARE(document["succeeded"], QJsonValue(false));
    const QJsonObject failed =
        command == "clone" ? document["master"].toObject() : radioOf(document, missing);
    QCOMPARE(failed["port"].toString(), missing);
    QCOMPARE(failed["result"].toString(), "failed");
    QVERIFY2(failed["reason"].toString().contains("There is no serial device"),
             qPrintable(failed["reason"].toString()));
    if (command == "clone") {
        QCOMPARE(document["radios"].toArray(), QJsonArray()); // nothing written
    } else {
        for (const auto& sim : good)
            QCOMPARE(radioOf(document, sim->terminal())["result"].toString(), "ok");
    }
}

void CliJsonTest::refusalsPrintNoDocument_data() {
    QTest::addColumn<QStringList>("arguments"); // %1: a file that is not there
    QTest::addColumn<int>("exitCode");
    QTest::newRow("show of a missing file") << QStringList{"show", "%1", "--json"} << 1;
    QTest::newRow("diff of a missing file") << QStringList{"diff", "%1", "%1", "--json"} << 2;
    QTest::newRow("write of a missing file")
        << QStringList{"write", "%1", "--port", "/dev/null", "--json"} << 1;
    QTest::newRow("json where it is not taken")
        << QStringList{"export", "%1", "x.csv", "--json"} << 2;
}

void CliJsonTest::refusalsPrintNoDocument() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    arguments.replaceInStrings("%1", m_dir.filePath("none.z81"));
    const ProgramRun run = runCli(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, QByteArray());
    QVERIFY(run.err.startsWith("zev4800-cli: "));
}

QTEST_GUILESS_MAIN(CliJsonTest)
#include "tst_clijson.moc"
