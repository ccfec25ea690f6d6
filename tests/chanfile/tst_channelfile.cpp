#include "chanfile/channelfile.h"
#include "plan/bandlist.h"
#include "plan/frequency.h"
#include "planmodel.h"
#include "radio/codec.h"
#include "radio/hex.h"
#include "radio/writecheck.h"

#include "files.h"
#include "gbk.h"
#include "programrun.h"

#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zev;
using namespace testsupport;

namespace {

// A channel file as text with LF line ends; the lines are given or left standard.
QString fileText(const QStringList& channelLines,
                 const QString& bandLine = QStringLiteral("BAND 136-174MHz"),
                 const QStringList& optionLines = {"Squelch 2 2", "BatSave 1 ON", "TxT.O.T 3 3",
                                                   "SCAN 1 OFF", "TONE 1 ON", "BAO 1 ON",
                                                   "VOICE 0 x"}) {
    QStringList lines{QStringLiteral("RH-4800 MEMORY CHANNEL"), QString(), QString(), bandLine};
    lines << optionLines << QString() << QString() << channelLines;
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

const ChannelRow exampleRow = {"136.12500", "67.0", "136.12500", "67.0", "高功率", "启用", "禁用"};

struct PlanState {
    QStringList bands;
    int currentModel;
    OptionIndices options;
    std::array<ChannelRow, Plan::ChannelCount> rows;
    QStringList labels;
    bool operator==(const PlanState&) const = default;
};

PlanState stateOf(const PlanModel& plan, const BandList& bands) {
    PlanState state{bands.items(), bands.currentIndex(), plan.optionIndices(), {}, {}};
    for (int row = 1; row <= Plan::ChannelCount; ++row) {
        state.rows[row - 1] = plan.channel(row);
        state.labels << plan.cell(Plan::Label, row);
    }
    return state;
}

// The window's way with files: a plan saved in the model's wording with the selected band, and a
// file opened in one step, nothing changed when it fails.
Plan shownPlan(const PlanModel& plan, const BandList& bands) {
    Plan file = plan.plan();
    file.band = bands.currentText();
    return file;
}

Status savePlan(const QString& path, const PlanModel& plan, const BandList& bands) {
    const Plan file = shownPlan(plan, bands);
    return saveChannelFile(path, file, plan.wording().selectorTexts(file.options));
}

Result<LoadedChannelFile> openChannelFile(const QString& path, PlanModel& plan, BandList& bands) {
    Result<LoadedChannelFile> loaded = readChannelFile(path);
    if (loaded)
        showPlan(loaded->plan, plan, bands);
    return loaded;
}

// A plan that differs from every file the tests open.
void fillWithOtherState(PlanModel& plan, BandList& bands) {
    bands.setItems({"400-470MHz", "136-174MHz"}, 0);
    plan.setOptionIndices({9, 0, 7, 4, 0, 0, 0});
    for (int row = 1; row <= Plan::ChannelCount; ++row)
        plan.setChannel(row, {"440.00000", "D023N", "", "OFF", "Low", "OFF", "ON"});
}

} // namespace

class ChannelFileTest : public QObject {
    Q_OBJECT

private slots:
    void exampleComesOutByteForByte();
    void roundTrip_data();
    void roundTrip();
    void channelLines_data();
    void channelLines();
    void band_data();
    void band();
    void optionLines_data();
    void optionLines();
    void applyReplacesTableAndSelectsBand();
    void noSelectionIsWrittenAndOpensAgain();
    void failingFilesLeaveThePlanAlone_data();
    void failingFilesLeaveThePlanAlone();
    void oddBytesNeverCrash_data();
    void oddBytesNeverCrash();
    void unstorableValuesRefuseToSave_data();
    void unstorableValuesRefuseToSave();
    void fileSystemErrorsNameTheFile();
    void failedSaveKeepsTheOldFile();
    void accessDenied();
    void fileOfOneFormatOpensUnderTheOther_data();
    void fileOfOneFormatOpensUnderTheOther();
};

void ChannelFileTest::exampleComesOutByteForByte() {
    PlanModel plan; // built-in Chinese words and option texts
    plan.reset();
    plan.setChannel(1, exampleRow);
    BandList bands;
    bands.setItems({"136-174MHz"}, 0);

    const QByteArray on = "\xc6\xf4\xd3\xc3", off = "\xbd\xfb\xd3\xc3";
    QByteArray expected =
        "RH-4800 MEMORY CHANNEL\r\n\r\n\r\nBAND 136-174MHz\r\n"
        "Squelch 2 2\r\n"
        "BatSave 1 " +
        on +
        "\r\n"
        "TxT.O.T 3 3\xb7\xd6\xd6\xd3\r\n"
        "SCAN 1 " +
        off +
        "\r\n"
        "TONE 1 " +
        on +
        "\r\n"
        "BAO 1 " +
        on +
        "\r\n"
        "VOICE 0 \xd6\xd0\xce\xc4\xc4\xd0\xc9\xf9\r\n\r\n\r\n"
        "CH01 | 136.12500 | 67.0 | 136.12500 | 67.0 | \xb8\xdf\xb9\xa6\xc2\xca | " +
        on + " | " + off + " | \r\n";
    for (int row = 2; row <= 16; ++row)
        expected += QByteArray("CH") + QByteArray::number(row).rightJustified(2, '0') +
                    " |  |  |  |  |  |  |  | \r\n";

    QTemporaryDir dir;
    const QString path = dir.filePath("example.z81");
    QVERIFY(savePlan(path, plan, bands).ok());
    QCOMPARE(readFile(path), expected);

    const Result<Plan> opened = loadChannelFile(path);
    QVERIFY2(opened.ok(), qPrintable(opened.message()));
    QCOMPARE(opened->band, QStringLiteral("136-174MHz"));
    QCOMPARE(opened->options, resetOptionIndices);
    QCOMPARE(opened->channels[0], exampleRow);
    QCOMPARE(opened->channels[1], ChannelRow{});
}

void ChannelFileTest::roundTrip_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 6; ++seed) {
        const bool english = seed % 2 == 0;
        QTest::addRow("%s plan %u", english ? "english" : "chinese", seed) << english << seed;
    }
}

// Random plans whose cells hold no blank and whose empty rows are empty come back unchanged.
void ChannelFileTest::roundTrip() {
    QFETCH(bool, english);
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    const auto pick = [&random](const QStringList& list) {
        return list.at(random.bounded(list.size()));
    };
    const Words words = english ? englishWords() : chineseWords();
    const Words otherWords = english ? chineseWords() : englishWords();
    QStringList tones = builtinTones();
    tones << words.off << otherWords.off;

    PlanModel plan;
    plan.setWords(words);
    BandList bands;
    const QStringList items{"136-174MHz", "400-470MHz", "350-390MHz"};
    bands.setItems(items, random.bounded(items.size()));
    for (Option option : allOptions)
        plan.setOptionIndex(option, random.bounded(plan.optionItems(option).size()));
    const auto frequency = [&random] {
        const QChar separator = random.bounded(2) ? QLatin1Char('.') : QLatin1Char(',');
        return QStringLiteral("%1%2%3")
            .arg(100 + random.bounded(451))
            .arg(separator)
            .arg(random.bounded(100000), 5, 10, QLatin1Char('0'));
    };
    for (int row = 1; row <= Plan::ChannelCount; ++row) {
        if (random.bounded(4) == 0)
            continue; // empty channel
        plan.setChannel(row, {frequency(), pick(tones), random.bounded(5) ? frequency() : QString(),
                              pick(tones), pick({words.high, words.low, otherWords.high}),
                              pick({words.on, words.off}), pick({words.on, otherWords.off})});
    }

    QTemporaryDir dir;
    const QString path = dir.filePath("plan.z81");
    QVERIFY(savePlan(path, plan, bands).ok());

    PlanModel opened;
    opened.setWords(words);
    BandList openedModels;
    fillWithOtherState(opened, openedModels);
    const Result<LoadedChannelFile> status = openChannelFile(path, opened, openedModels);
    QVERIFY2(status.ok(), qPrintable(status.message()));
    QCOMPARE(openedModels.currentText(), bands.currentText());
    QCOMPARE(opened.optionIndices(), plan.optionIndices());
    // The file keeps every cell as it was; the plan it opens into has the other language's
    // words in its own.
    const Result<Plan> file = loadChannelFile(path);
    QVERIFY(file.ok());
    QCOMPARE(file->channels, shownPlan(plan, bands).channels);
    plan.reword();
    for (int row = 1; row <= Plan::ChannelCount; ++row)
        QCOMPARE(opened.channel(row), plan.channel(row));
}

void ChannelFileTest::channelLines_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<ChannelRow>>("expected"); // the first rows; all others empty

    const ChannelRow english = {"145.12500", "OFF", "145.12500", "D023N", "High", "ON", "OFF"};
    const QString englishLine =
        QStringLiteral("CH01 | 145.12500 | OFF | 145.12500 | D023N | High | ON | OFF | ");
    const QString exampleLine =
        QStringLiteral("CH01 | 136.12500 | 67.0 | 136.12500 | 67.0 | 高功率 | 启用 | 禁用 | ");

    QTest::newRow("lf line ends") << gbk(fileText({englishLine})) << QList<ChannelRow>{english};
    QTest::newRow("cr lf line ends")
        << gbk(fileText({englishLine, englishLine}).replace("\n", "\r\n"))
        << QList<ChannelRow>{english, english};
    QTest::newRow("chinese words, last line without line end")
        << gbk(fileText({exampleLine}).chopped(1)) << QList<ChannelRow>{exampleRow};
    QTest::newRow("empty rx frequency empties the row")
        << gbk(fileText({"CH01 |  | 67.0 | 145.00000 | OFF | High | ON | OFF | ", englishLine}))
        << QList<ChannelRow>{{}, english};
    QTest::newRow("empty tx frequency of a used channel")
        << gbk(fileText({"CH01 | 145.12500 | OFF |  | OFF | Low | ON | OFF | "}))
        << QList<ChannelRow>{{"145.12500", "OFF", "", "OFF", "Low", "ON", "OFF"}};
    QTest::newRow("blank inside a cell shifts the row")
        << gbk(fileText({"CH01 | 145.12500 | 67 .0 | 145.00000 | OFF | High | ON | OFF | "}))
        << QList<ChannelRow>{{"145.12500", "67", "", "145.00000", "OFF", "High", "ON"}};
    QTest::newRow("rest without blank leaves the remaining cells empty")
        << gbk(fileText({"CH01 | 145.12500 | 67.0|D023N|High "}))
        << QList<ChannelRow>{{"145.12500", "", "", "", "", "", ""}};
    QTest::newRow("labels ignored, rows in line order")
        << gbk(fileText({"CH16 | 145.12500 | OFF | 145.12500 | D023N | High | ON | OFF | ",
                         "CH02 |  |  |  |  |  |  |  | ",
                         "XXXX | 145.12500 | OFF | 145.12500 | D023N | High | ON | OFF | "}))
        << QList<ChannelRow>{english, {}, english};
    QTest::newRow("short and empty lines give empty rows")
        << gbk(fileText({"", "CH0", "CH02 | 1", englishLine}))
        << QList<ChannelRow>{{}, {}, {}, english};
    QTest::newRow("lone cr is part of a cell")
        << gbk(fileText({"CH01 | 145.12500 | OFF\r | 145.12500 | D023N | High | ON | OFF | "}))
        << QList<ChannelRow>{{"145.12500", "OFF\r", "145.12500", "D023N", "High", "ON", "OFF"}};
    QTest::newRow("0xff byte kept as a character")
        << gbkWith(fileText({"CH01 | 145.12500 | O@ | "}), "\xff")
        << QList<ChannelRow>{
               {"145.12500", QString(QChar(0xF8F5)).prepend('O'), "", "", "", "", ""}};

    QStringList seventeen;
    QList<ChannelRow> sixteen;
    for (int row = 1; row <= 17; ++row) {
        const QString rx = QStringLiteral("%1.00000").arg(400 + row);
        seventeen << QStringLiteral("CH%1 | %2 | OFF | %2 | OFF | Low | ON | OFF | ")
                         .arg(row, 2, 10, QLatin1Char('0'))
                         .arg(rx);
        if (row <= 16)
            sixteen << ChannelRow{rx, "OFF", rx, "OFF", "Low", "ON", "OFF"};
    }
    QTest::newRow("lines after the sixteenth channel line not read")
        << gbkWith(fileText(seventeen + QStringList{"garbage @"}), "\x81\x7f") << sixteen;
}

void ChannelFileTest::channelLines() {
    QFETCH(QByteArray, bytes);
    QFETCH(QList<ChannelRow>, expected);
    const Result<Plan> file = parseChannelFile(bytes);
    QVERIFY2(file.ok(), qPrintable(file.message()));
    for (int row = 0; row < Plan::ChannelCount; ++row)
        QCOMPARE(file->channels[row], expected.value(row));
}

void ChannelFileTest::band_data() {
    QTest::addColumn<QString>("bandLine");
    QTest::addColumn<QString>("band");
    QTest::newRow("ten characters") << "BAND 400-470MHz"
                                    << "400-470MHz";
    QTest::newRow("longer cut to ten") << "BAND 400-470MHzWide"
                                       << "400-470MHz";
    QTest::newRow("shorter whole") << "BAND 2m"
                                   << "2m";
    QTest::newRow("key only") << "BAND "
                              << "";
    QTest::newRow("fewer than six characters") << "BAND"
                                               << "";
    QTest::newRow("key not compared") << "band:136-174MHz"
                                      << "136-174MHz";
    QTest::newRow("counted in characters") << "BAND 甚高频段136-174MHz"
                                           << "甚高频段136-17";
}

void ChannelFileTest::band() {
    QFETCH(QString, bandLine);
    QFETCH(QString, band);
    const Result<Plan> file = parseChannelFile(gbk(fileText({}, bandLine)));
    QVERIFY2(file.ok(), qPrintable(file.message()));
    QCOMPARE(file->band, band);
}

void ChannelFileTest::optionLines_data() {
    QTest::addColumn<QStringList>("optionLines");
    QTest::addColumn<QList<int>>("indices"); // by option, in the order of allOptions
    QTest::addColumn<QString>("error");

    const QStringList standard{"Squelch 2 2", "BatSave 1 ON", "TxT.O.T 3 3", "SCAN 1 OFF",
                               "TONE 1 ON",   "BAO 1 ON",     "VOICE 0 x"};
    const auto with = [&standard](int line, const QString& text) {
        QStringList lines = standard;
        lines[line - 5] = text;
        return lines;
    };
    QTest::newRow("standard") << standard << QList<int>{2, 1, 3, 0, 1, 1, 1} << "";
    QTest::newRow("lines in file order, keys and texts not read")
        << QStringList{"xxxxxxx 9 启用", "BatSave 0", "TxT.O.T 7 junk", "xxxx 0",
                       "TONE 0 ",        "BAO 0",     "VOICE 4 OFF"}
        << QList<int>{9, 0, 7, 4, 0, 0, 0} << "";
    QTest::newRow("only one character taken")
        << with(5, "Squelch 23") << QList<int>{2, 1, 3, 0, 1, 1, 1} << "";
    QTest::newRow("letter") << with(5, "Squelch x 2") << QList<int>{}
                            << "Line 5: 'x' is not a valid integer value";
    QTest::newRow("-1, no selection")
        << with(7, "TxT.O.T -1 ") << QList<int>{2, 1, -1, 0, 1, 1, 1} << "";
    QTest::newRow("minus of another number")
        << with(11, "VOICE -2 ") << QList<int>{} << "Line 11: '-' is not a valid integer value";
    QTest::newRow("minus at the end")
        << with(11, "VOICE -") << QList<int>{} << "Line 11: '-' is not a valid integer value";
    QTest::newRow("blank") << with(10, "BAO  1") << QList<int>{}
                           << "Line 10: ' ' is not a valid integer value";
    QTest::newRow("line too short")
        << with(8, "SCAN") << QList<int>{} << "Line 8: '' is not a valid integer value";
    QTest::newRow("fullwidth digit")
        << with(11, "VOICE ２") << QList<int>{} << "Line 11: '２' is not a valid integer value";
    QTest::newRow("control character") << with(6, QStringLiteral("BatSave \t")) << QList<int>{}
                                       << "Line 6: 'U+0009' is not a valid integer value";
    QStringList twoBad = with(9, "TONE x");
    twoBad[11 - 5] = "VOICE y";
    QTest::newRow("first bad line wins")
        << twoBad << QList<int>{} << "Line 9: 'x' is not a valid integer value";
}

void ChannelFileTest::optionLines() {
    QFETCH(QStringList, optionLines);
    QFETCH(QList<int>, indices);
    QFETCH(QString, error);
    const Result<Plan> file =
        parseChannelFile(gbk(fileText({}, QStringLiteral("BAND 136-174MHz"), optionLines)));
    QCOMPARE(file.message(), error);
    if (!error.isEmpty())
        return;
    QVERIFY(file.ok());
    for (Option option : allOptions)
        QCOMPARE(file->options[optionSlot(option)], indices[optionSlot(option)]);
}

void ChannelFileTest::applyReplacesTableAndSelectsBand() {
    PlanModel plan;
    plan.setWords(englishWords());
    plan.setHeader({"a", "b", "c", "d", "e", "f", "g", "h"});
    BandList bands;
    fillWithOtherState(plan, bands);
    bands.setItems({"136-174MHz", "400-470MHzWide"}, 0);
    QSignalSpy applied(&bands, &BandList::bandApplied);

    // A band longer than ten characters comes back cut, so it is appended; BatSave 7 is past
    // the end of its list; the Chinese words become the English plan's, a tone stays a tone.
    const QString text =
        fileText({"CH09 | 136.12500 | 67.0 | 136.12500 | 67.0 | 高功率 | 启用 | 禁用 | "},
                 "BAND 400-470MHzWide",
                 {"Squelch 5", "BatSave 7", "TxT.O.T 0", "SCAN 0", "TONE 0", "BAO 0", "VOICE 3"});
    const Result<Plan> file = parseChannelFile(gbk(text));
    QVERIFY(file.ok());
    showPlan(file.value(), plan, bands);

    QCOMPARE(bands.items(), QStringList({"136-174MHz", "400-470MHzWide", "400-470MHz"}));
    QCOMPARE(bands.currentIndex(), 2);
    QCOMPARE(applied.count(), 1);
    QCOMPARE(applied.at(0).at(0).toString(), QStringLiteral("400-470MHz"));
    QCOMPARE(plan.optionIndices(), (OptionIndices{5, -1, 0, 3, 0, 0, 0}));
    QCOMPARE(plan.channel(1),
             (ChannelRow{"136.12500", "67.0", "136.12500", "67.0", "High", "ON", "OFF"}));
    for (int row = 2; row <= Plan::ChannelCount; ++row)
        QCOMPARE(plan.channel(row), ChannelRow{});
    QCOMPARE(plan.cell(Plan::Label, 16), QStringLiteral("16"));
    QCOMPARE(plan.cell(Plan::RxTone, 0), QStringLiteral("c"));

    // An existing band is selected, not appended again.
    showPlan(file.value(), plan, bands);
    QCOMPARE(bands.items().size(), 3);
    QCOMPARE(bands.currentIndex(), 2);
}

// What a radio with a time-out digit of 8 or a voice prompt digit of 5 to 9 reads into: the
// file opens again as it was, and the write check names each option without a selection.
void ChannelFileTest::noSelectionIsWrittenAndOpensAgain() {
    PlanModel plan;
    plan.reset();
    plan.setChannel(1, exampleRow);
    plan.setOptionIndex(Option::TimeOutTimer, 8);
    plan.setOptionIndex(Option::VoicePrompt, 7);
    QCOMPARE(plan.optionIndex(Option::TimeOutTimer), -1);
    BandList bands;
    bands.setItems({"136-174MHz"}, 0);
    QTemporaryDir dir;
    const QString path = dir.filePath("none.z81");
    QVERIFY(savePlan(path, plan, bands).ok());
    const QList<QByteArray> lines = readFile(path).split('\n');
    QCOMPARE(lines.value(6), QByteArray("TxT.O.T -1 \r"));
    QCOMPARE(lines.value(10), QByteArray("VOICE -1 \r"));

    PlanModel target;
    BandList targetModels;
    fillWithOtherState(target, targetModels);
    targetModels.setItems({"136-174MHz"}, 0);
    QVERIFY(openChannelFile(path, target, targetModels).ok());
    QVERIFY(stateOf(target, targetModels) == stateOf(plan, bands));

    const QString refusal =
        checkPlanForWrite(shownPlan(target, targetModels), target.wording()).message();
    QCOMPARE(refusal, "The time-out timer option has no selection.\n"
                      "The voice prompt option has no selection.");
}

void ChannelFileTest::failingFilesLeaveThePlanAlone_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    const QString good =
        QStringLiteral("CH01 | 145.12500 | OFF | 145.12500 | OFF | High | ON | OFF | ");
    QTest::newRow("missing option line") << gbk(fileText({}).section('\n', 0, 8))
                                         << "<file>, line 10: '' is not a valid integer value";
    QTest::newRow("empty file") << QByteArray()
                                << "<file>, line 5: '' is not a valid integer value";
    QTest::newRow("invalid gbk in a channel line")
        << gbkWith(fileText({good, "CH02 | 145.12500 | @ | "}), "\x81\x7f")
        << "<file>, line 15: the text is not valid GBK";
    QTest::newRow("invalid gbk in the band")
        << gbkWith(fileText({good}, "BAND 136@MHz"), "\x81\x20")
        << "<file>, line 4: the text is not valid GBK";
    QTest::newRow("double-byte character cut off at the end")
        << QByteArray("RH-4800 MEMORY CHANNEL\r\n\r\n\r\nBAND 136-174M\xb8")
        << "<file>, line 4: the text is not valid GBK";
}

// Open checks the whole file before it changes anything.
void ChannelFileTest::failingFilesLeaveThePlanAlone() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.z81");
    QVERIFY(writeFile(path, bytes));
    PlanModel plan;
    BandList bands;
    fillWithOtherState(plan, bands);
    const PlanState before = stateOf(plan, bands);
    QCOMPARE(openChannelFile(path, plan, bands).message(), QString(error).replace("<file>", path));
    QVERIFY(stateOf(plan, bands) == before);
}

void ChannelFileTest::oddBytesNeverCrash_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error"); // empty: opens; "*": opens or fails naming file and line

    QByteArray random(8192, '\0');
    QRandomGenerator generator(4800);
    for (char& byte : random)
        byte = static_cast<char>(generator.bounded(256));
    QTest::newRow("random bytes") << random << "*";
    QTest::newRow("zero bytes") << QByteArray(4096, '\0')
                                << "<file>, line 5: '' is not a valid integer value";
    QTest::newRow("one huge line")
        << QByteArray(1 << 20, 'x') << "<file>, line 1: too long for a channel file";
    QTest::newRow("huge tail after the used lines")
        << gbk(fileText(QStringList(16, "CH01 | 145.12500 | OFF | 145.12500 | OFF | High | ON | "
                                        "OFF | "))) +
               QByteArray(1 << 20, '\x81')
        << "";
    QTest::newRow("invalid gbk in ignored lines")
        << gbk(fileText({})).replace("RH-4800", "\x81\x7f\xff") << "";
}

void ChannelFileTest::oddBytesNeverCrash() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString path = dir.filePath("odd.z81");
    QVERIFY(writeFile(path, bytes));
    const Result<Plan> file = loadChannelFile(path);
    if (error == QLatin1String("*"))
        QVERIFY2(file.ok() || file.message().startsWith(path + ", line "),
                 qPrintable(file.message()));
    else
        QCOMPARE(file.message(), QString(error).replace("<file>", path));
}

void ChannelFileTest::unstorableValuesRefuseToSave_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("error");
    QTest::newRow("no gbk code") << 3 << QStringLiteral("OFF\U0001F600")
                                 << QStringLiteral(
                                        "<file>, line 16: '\U0001F600' cannot be stored as GBK");
    QTest::newRow("line feed") << 1 << "145.12500\n"
                               << "<file>, line 14: a line break inside a value cannot be stored";
}

// Refused before anything is written, rather than saved as a file that reads back differently.
void ChannelFileTest::unstorableValuesRefuseToSave() {
    QFETCH(int, row);
    QFETCH(QString, cell);
    QFETCH(QString, error);
    Plan file;
    file.options = resetOptionIndices;
    file.channels[row - 1] = {"145.12500", "OFF", "", "", "", "", ""};
    file.channels[row - 1][1] = cell;
    QTemporaryDir dir;
    const QString path = dir.filePath("unstorable.z81");
    QCOMPARE(saveChannelFile(path, file, {}).message(), QString(error).replace("<file>", path));
    QVERIFY(!QFile::exists(path));
}

void ChannelFileTest::fileSystemErrorsNameTheFile() {
    QTemporaryDir dir;
    const QString missing = dir.filePath("missing.z81");
    QCOMPARE(loadChannelFile(missing).message(), "File not found: " + missing);
    QCOMPARE(loadChannelFile(dir.path()).message(),
             "File access denied: " + dir.path() + " is a folder, not a file");
    const QString inMissingFolder = dir.filePath("no/such/folder/x.z81");
    QCOMPARE(saveChannelFile(inMissingFolder, Plan{}, {}).message(),
             "File not found: " + inMissingFolder);
    QCOMPARE(saveChannelFile(dir.path(), Plan{}, {}).message(),
             "File access denied: " + dir.path() + " is a folder, not a file");
}

// A save that cannot be completed leaves the earlier file untouched and no temporary behind.
void ChannelFileTest::failedSaveKeepsTheOldFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("plan.z81");
    Plan old;
    old.band = "136-174MHz";
    old.options = resetOptionIndices;
    QVERIFY(saveChannelFile(path, old, {}).ok());
    const QByteArray oldBytes = readFile(path);

    Plan bigger = old;
    bigger.channels.fill(exampleRow);
    const QString message = inChild([&] {
        signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead of killing the process
        const rlimit limit{600, 600};
        setrlimit(RLIMIT_FSIZE, &limit);
        return saveChannelFile(path, bigger, {}).message();
    });
    QCOMPARE(message, "File too large: " + path);
    QCOMPARE(readFile(path), oldBytes);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"plan.z81"});
}

void ChannelFileTest::accessDenied() {
    QTemporaryDir dir;
    QVERIFY(chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
    const QString readable = dir.filePath("readable.z81");
    const QString secret = dir.filePath("secret.z81");
    Plan file;
    file.options = resetOptionIndices;
    QVERIFY(saveChannelFile(readable, file, {}).ok());
    QVERIFY(saveChannelFile(secret, file, {}).ok());
    QVERIFY(chmod(QFile::encodeName(readable).constData(), 0666) == 0);
    QVERIFY(chmod(QFile::encodeName(secret).constData(), 0) == 0);
    const QByteArray oldBytes = readFile(readable);

    // As another user, unless the test already runs as one: the folder is not writable.
    const bool asRoot = geteuid() == 0;
    if (!asRoot)
        QVERIFY(chmod(QFile::encodeName(dir.path()).constData(), 0555) == 0);
    Plan changed = file;
    changed.band = "400-470MHz";
    const QString messages = inChild([&] {
        if (asRoot && setuid(65534) != 0)
            return QStringLiteral("<setuid failed>");
        return saveChannelFile(readable, changed, {}).message() + '\n' +
               loadChannelFile(secret).message();
    });
    chmod(QFile::encodeName(dir.path()).constData(), 0755);
    if (messages == QLatin1String("<setuid failed>"))
        QSKIP("cannot run as another user here");
    QCOMPARE(messages, "File access denied: " + readable + "\nFile access denied: " + secret);
    QCOMPARE(readFile(readable), oldBytes);
}

void ChannelFileTest::fileOfOneFormatOpensUnderTheOther_data() {
    QTest::addColumn<QLocale>("writer");
    QTest::addColumn<QLocale>("reader");
    const QLocale dot = QLocale::c();
    const QLocale comma(QLocale::German, QLocale::Germany);
    QTest::newRow("dot file, comma format") << dot << comma;
    QTest::newRow("comma file, dot format") << comma << dot;
}

// A plan saved under one number format opens under the other as it was written, goes to the
// radio as the same bytes, and its frequencies take the reader's separator once committed.
void ChannelFileTest::fileOfOneFormatOpensUnderTheOther() {
    QFETCH(QLocale, writer);
    QFETCH(QLocale, reader);
    const auto cleanup = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
    const Words words = englishWords();
    const auto committed = [](const QString& text) {
        const Result<QString> frequency = normaliseFrequency(text, decimalSeparator());
        return frequency.ok() ? frequency.value() : frequency.message();
    };
    // Typed as the format's user types, "." standing for the format's separator.
    const auto frequencyIn = [&](QString typed) {
        return committed(typed.replace('.', decimalSeparator()));
    };
    const auto plannedUnder = [&](const QLocale& locale, PlanModel& plan, BandList& bands) {
        QLocale::setDefault(locale);
        plan.setWords(words);
        bands.setItems({"136-174MHz", "400-470MHz"}, 0);
        plan.setChannel(1, {frequencyIn("145.5"), "67.0", frequencyIn("430.0051"), "D023N",
                            words.high, words.on, words.off});
        plan.setChannel(
            3, {frequencyIn("146.52"), words.off, "", words.off, words.low, words.off, words.on});
    };

    QTemporaryDir dir;
    PlanModel written;
    BandList writtenModels;
    plannedUnder(writer, written, writtenModels);
    const QString writtenPath = dir.filePath("written.z81");
    QVERIFY(savePlan(writtenPath, written, writtenModels).ok());
    const QString mark = writer.decimalPoint();
    QVERIFY(
        readFile(writtenPath)
            .contains(gbk(QString("CH01 | 145#50000 | 67.0 | 430#00625 | ").replace('#', mark))));

    QLocale::setDefault(reader);
    PlanModel opened;
    BandList openedModels;
    opened.setWords(words);
    fillWithOtherState(opened, openedModels);
    const Result<LoadedChannelFile> status = openChannelFile(writtenPath, opened, openedModels);
    QVERIFY2(status.ok(), qPrintable(status.message()));
    for (int row = 1; row <= Plan::ChannelCount; ++row)
        QCOMPARE(opened.channel(row), written.channel(row));
    const Status check =
        checkPlanForWrite(shownPlan(opened, openedModels), opened.wording());
    QVERIFY2(check.ok(), qPrintable(check.message()));
    QCOMPARE(bytesToHex(toBytes(codec::encodeChannel(opened.channel(1), words).first)),
             "0000551425060043");
    QCOMPARE(bytesToHex(toBytes(codec::encodeChannel(opened.channel(3), words).first)),
             "00206514FFFFFFFF");

    // Committed frequencies and a new entry read as under the reader's own format.
    for (int row : {1, 3})
        for (int column : {Plan::RxFrequency, Plan::TxFrequency})
            if (!opened.cell(column, row).isEmpty())
                opened.setCell(column, row, committed(opened.cell(column, row)));
    PlanModel planned;
    BandList plannedModels;
    plannedUnder(reader, planned, plannedModels);
    for (int row = 1; row <= Plan::ChannelCount; ++row)
        QCOMPARE(opened.channel(row), planned.channel(row));
    QVERIFY(codec::encodeChannel(opened.channel(1), words) ==
            codec::encodeChannel(written.channel(1), words));
}

QTEST_GUILESS_MAIN(ChannelFileTest)
#include "tst_channelfile.moc"
