#include "chanfile/channelfile.h"
#include "plan/plan.h"
#include "plan/vocabulary.h"
#include "plan/wording.h"
#include "radio/filecheck.h"

#include "channelfiletext.h"
#include "files.h"
#include "gbk.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zev;

// What a channel file holds that the radio would refuse, named by the file's line.
class FileCheckTest : public QObject {
    Q_OBJECT
private slots:
    void problemsByLine_data();
    void problemsByLine();
    void fileStillOpens();
};

namespace {

// The 29 lines of a clean file: channel 1 in Chinese words, channel 2 in English words with the
// comma of a German number format.
QStringList cleanLines() {
    return testsupport::channelFileLines(
        {.timeOutTimer = "3 3"},
        {"CH01 | 136.12500 | 67.0 | 136.12500 | D023N | 高功率 | 启用 | 禁用 | ",
         "CH02 | 145,50000 | OFF | 145,50000 | 88.5 | Low | ON | OFF | "});
}

QByteArray fileBytes(const QStringList& lines) {
    return testsupport::channelFileBytes(lines);
}

} // namespace

void FileCheckTest::problemsByLine_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("problems"); // "<file>" stands for the path

    QTest::newRow("clean") << cleanLines() << QStringList();
    QStringList lines = cleanLines();
    lines[19] = "CH07 | 14x.27500 | 67.0 | 145.27500 | 67.0 | High | ON | OFF | ";
    QTest::newRow("frequency") << lines
                               << QStringList{"<file>, line 20: Channel 07: RX Freq '14x.27500' "
                                              "is not a frequency"};
    lines = cleanLines();
    lines[14] = "CH02 | 145.50000 | 88.x | 145.50000 | 88.5 | Low | ON | OFF | ";
    QTest::newRow("tone") << lines
                          << QStringList{
                                 "<file>, line 15: Channel 02: RX Tone '88.x' is not a tone"};
    lines = cleanLines();
    lines[28] = "CH16 | 145.50000 | OFF | 145.50000 | OFF | Max | ON | | ";
    QTest::newRow("two faults in the last line")
        << lines
        << QStringList{"<file>, line 29: Channel 16: Power 'Max' is not a power word",
                       "<file>, line 29: Channel 16: Busy Lock is empty"};
    lines = cleanLines().mid(0, 27);
    QTest::newRow("last two lines missing")
        << lines
        << QStringList{"<file>, line 28: Channel 15: the line is missing",
                       "<file>, line 29: Channel 16: the line is missing"};
    lines = cleanLines().mid(0, 28);
    lines.last() = "CH15 | 14x.00000 |  |  |  |  |  |  | ";
    QTest::newRow("a fault and a missing line")
        << lines
        << QStringList{"<file>, line 28: Channel 15: RX Freq '14x.00000' is not a frequency",
                       "<file>, line 28: Channel 15: RX Tone is empty",
                       "<file>, line 28: Channel 15: TX Tone is empty",
                       "<file>, line 28: Channel 15: Power is empty",
                       "<file>, line 28: Channel 15: Scan Add is empty",
                       "<file>, line 28: Channel 15: Busy Lock is empty",
                       "<file>, line 29: Channel 16: the line is missing"};
    lines = cleanLines();
    lines[3] = "BAND 136-17";
    lines[6] = "TxT.O.T -1 ";
    lines[10] = "VOICE 7 x";
    lines[13] = "CH01 | 136.12500 | 67.0 | 136.1250 | D023N | 高功率 | 启用 | 禁用 | ";
    QTest::newRow("band and options first, in line order")
        << lines
        << QStringList{"<file>, line 4: The band \"136-17\" is not of the form ddd-dddMHz.",
                       "<file>, line 7: The time-out timer option has no selection.",
                       "<file>, line 11: The voice prompt option has no selection.",
                       "<file>, line 14: Channel 01: TX Freq '136.1250' is not a frequency"};
    // A line of its own after the 29th is no channel.
    lines = cleanLines() << "CH17 | 14x.00000 | | | | | | | ";
    QTest::newRow("lines after the last are not read") << lines << QStringList();
}

void FileCheckTest::problemsByLine() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, problems);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.z81"));
    QVERIFY(testsupport::writeFile(path, fileBytes(lines)));
    const Result<LoadedChannelFile> loaded = readChannelFile(path);
    QVERIFY2(loaded.ok(), qPrintable(loaded.message()));
    problems.replaceInStrings(QStringLiteral("<file>"), path);
    QCOMPARE(channelFileProblems(path, loaded.value(), englishWords(), ColumnTitles{}), problems);
}

// Open takes such a file as before; the listing only tells.
void FileCheckTest::fileStillOpens() {
    QStringList lines = cleanLines().mid(0, 20);
    lines[19] = "CH07 | 14x.27500 | 67.0 | 145.27500 | 67.0 | High | ON | OFF | ";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.z81"));
    QVERIFY(testsupport::writeFile(path, fileBytes(lines)));
    const Result<LoadedChannelFile> opened = readChannelFile(path);
    QVERIFY(opened.ok());
    const Wording wording;
    const Plan plan = worded(opened->plan, wording);
    QCOMPARE(opened->lineCount, 20);
    QCOMPARE(plan.channel(7).at(0), QStringLiteral("14x.27500"));
    QCOMPARE(plan.channel(8), ChannelRow{});
    const QStringList problems =
        channelFileProblems(path, opened.value(), wording.words, wording.columnTitles());
    QCOMPARE(problems.size(), 1 + 9);
    QVERIFY(problems.first().startsWith(path + ", line 20: Channel 07: "));
    QCOMPARE(problems.last(), path + ", line 29: Channel 16: the line is missing");
}

QTEST_GUILESS_MAIN(FileCheckTest)
#include "tst_filecheck.moc"
