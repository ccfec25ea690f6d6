#include "chanfile/channelfile.h"
#include "chanfile/plancompare.h"
#include "plan/plan.h"

#include <QTest>

using namespace zev;

namespace {

ChannelRow row(const QStringList& cells) {
    ChannelRow result;
    for (int column = 0; column < 7; ++column)
        result[column] = cells.value(column);
    return result;
}

// Two channels, the options at their start-up values, band 136-174MHz, in English words.
Plan englishPlan() {
    Plan file;
    file.band = QStringLiteral("136-174MHz");
    file.options = startupOptionIndices;
    file.channels[0] = row({"146.52000", "OFF", "146.52000", "OFF", "High", "ON", "ON"});
    file.channels[2] = row({"145.12500", "67.0", "", "D023N", "Low", "OFF", "ON"});
    return file;
}

} // namespace

Q_DECLARE_METATYPE(zev::Plan)

class PlanCompareTest : public QObject {
    Q_OBJECT
private slots:
    void differences_data();
    void differences();
    void longListsAreCut();
};

void PlanCompareTest::differences_data() {
    QTest::addColumn<Plan>("other");
    QTest::addColumn<QStringList>("changes");

    QTest::newRow("same plan") << englishPlan() << QStringList();
    Plan chinese = englishPlan();
    chinese.channels[0] = row({"146.52000", "禁用", "146.52000", "禁用", "高功率", "启用", "启用"});
    chinese.channels[2] = row({"145.12500", "67.0", "", "D023N", "低功率", "禁用", "启用"});
    QTest::newRow("Chinese words") << chinese << QStringList();
    Plan comma = englishPlan();
    comma.channels[0][0] = "146,52000";
    comma.channels[0][2] = "146,52000";
    QTest::newRow("comma as decimal mark") << comma << QStringList();
    Plan blanks = englishPlan();
    blanks.channels[2][1] = " 67.0 ";
    QTest::newRow("blanks around a tone") << blanks << QStringList();
    // The radio and the file keep a channel without RX frequency as empty.
    Plan unused = englishPlan();
    unused.channels[5] = row({"", "67.0", "146.00000", "OFF", "High", "ON", "ON"});
    QTest::newRow("cells of an unused channel") << unused << QStringList();

    Plan cells = englishPlan();
    cells.channels[2][0] = "145.25000";
    cells.channels[2][2] = "145,12500";
    cells.channels[2][4] = "高功率";
    QTest::newRow("cells") << cells
                           << QStringList{"CH03 RX Freq: 145.12500 -> 145.25000",
                                          "CH03 TX Freq: (empty) -> 145,12500",
                                          "CH03 Power: Low -> 高功率"};
    Plan erased = englishPlan();
    erased.channels[0] = {};
    QStringList erasedChanges;
    for (const char* change : {"RX Freq: 146.52000", "RX Tone: OFF", "TX Freq: 146.52000",
                               "TX Tone: OFF", "Power: High", "Scan Add: ON", "Busy Lock: ON"})
        erasedChanges << QStringLiteral("CH01 %1 -> (empty)").arg(change);
    QTest::newRow("channel erased") << erased << erasedChanges;
    Plan rest = englishPlan();
    rest.options[static_cast<int>(Option::Squelch)] = 5;
    rest.options[static_cast<int>(Option::Scan)] = -1;
    rest.band = "400-470MHz";
    QTest::newRow("options and band")
        << rest
        << QStringList{"Squelch level: 2 -> 5", "Scan: 1 -> -1", "Band: 136-174MHz -> 400-470MHz"};
    Plan wordCase = englishPlan();
    wordCase.channels[0][5] = "on";
    QTest::newRow("words are whole and case-sensitive")
        << wordCase << QStringList{"CH01 Scan Add: ON -> on"};
}

void PlanCompareTest::differences() {
    QFETCH(Plan, other);
    QFETCH(QStringList, changes);
    QStringList described;
    for (const PlanDifference& difference : comparePlans(englishPlan(), other))
        described << describeChange(difference);
    QCOMPARE(described, changes);
    // The same comparison either way round.
    QCOMPARE(comparePlans(other, englishPlan()).size(), changes.size());
}

void PlanCompareTest::longListsAreCut() {
    Plan erased = englishPlan();
    erased.channels[0] = {};
    erased.channels[2] = {};
    const QList<PlanDifference> differences = comparePlans(englishPlan(), erased);
    QCOMPARE(differences.size(), 13); // channel 3 has no TX frequency
    const QStringList lines = describeFirst(differences, 3, describeChange);
    QCOMPARE(lines,
             (QStringList{"CH01 RX Freq: 146.52000 -> (empty)", "CH01 RX Tone: OFF -> (empty)",
                          "CH01 TX Freq: 146.52000 -> (empty)", "... and 10 more"}));
}

QTEST_GUILESS_MAIN(PlanCompareTest)
#include "tst_plancompare.moc"
