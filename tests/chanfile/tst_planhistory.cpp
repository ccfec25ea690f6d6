#include "chanfile/planhistory.h"

#include "plan/vocabulary.h"

#include <QTest>

using zev::Plan;
using zev::PlanHistory;

namespace {

// A plan whose channel 1 has rx as its RX frequency, with the words of words.
Plan planWith(const QString& rx, const zev::Words& words = zev::englishWords()) {
    Plan file;
    file.band = QStringLiteral("136-174MHz");
    if (!rx.isEmpty())
        file.channels[0] = {rx, words.off, rx, words.off, words.high, words.on, words.off};
    return file;
}

} // namespace

class PlanHistoryTest : public QObject {
    Q_OBJECT
private slots:
    void undoAndRedoWalkTheSteps();
    void sameMeaningIsNoStep_data();
    void sameMeaningIsNoStep();
    void aNewStepEndsRedo();
    void oldestStepsGo();
    void modifiedAgainstTheCleanState();
};

void PlanHistoryTest::undoAndRedoWalkTheSteps() {
    PlanHistory history;
    history.start(planWith({}));
    QVERIFY(!history.canUndo());
    QVERIFY(history.record(planWith("145.50000")));
    QVERIFY(history.record(planWith("146.50000")));
    QCOMPARE(history.undo(), planWith("145.50000"));
    QCOMPARE(history.undo(), planWith({}));
    QCOMPARE(history.undo(), std::nullopt);
    QCOMPARE(history.redo(), planWith("145.50000"));
    QCOMPARE(history.redo(), planWith("146.50000"));
    QCOMPARE(history.redo(), std::nullopt);
}

void PlanHistoryTest::sameMeaningIsNoStep_data() {
    QTest::addColumn<Plan>("again");
    QTest::newRow("the same plan") << planWith("145.50000");
    QTest::newRow("in Chinese words") << planWith("145.50000", zev::chineseWords());
    QTest::newRow("with a decimal comma") << planWith("145,50000");
}

void PlanHistoryTest::sameMeaningIsNoStep() {
    QFETCH(Plan, again);
    PlanHistory history;
    history.start(planWith("145.50000"));
    QVERIFY(!history.record(again));
    QVERIFY(!history.canUndo());
    QVERIFY(!history.isModified(again));
}

void PlanHistoryTest::aNewStepEndsRedo() {
    PlanHistory history;
    history.start(planWith({}));
    QVERIFY(history.record(planWith("145.50000")));
    QVERIFY(history.undo());
    QVERIFY(history.record(planWith("147.00000")));
    QVERIFY(!history.canRedo());
    QCOMPARE(history.undo(), planWith({}));
}

void PlanHistoryTest::oldestStepsGo() {
    PlanHistory history;
    history.start(planWith({}));
    for (int step = 1; step <= PlanHistory::Depth + 5; ++step)
        QVERIFY(history.record(planWith(QStringLiteral("%1.00000").arg(140 + step))));
    int undone = 0;
    while (history.undo())
        ++undone;
    QCOMPARE(undone, PlanHistory::Depth);
}

void PlanHistoryTest::modifiedAgainstTheCleanState() {
    PlanHistory history;
    history.start(planWith({}));
    QVERIFY(history.record(planWith("145.50000")));
    QVERIFY(history.isModified(planWith("145.50000")));
    history.markClean(planWith("145.50000"));
    QVERIFY(!history.isModified(planWith("145.50000")));
    // Undone past the save: changed again, and back at the save: not.
    QVERIFY(history.isModified(*history.undo()));
    QVERIFY(!history.isModified(*history.redo()));
}

QTEST_GUILESS_MAIN(PlanHistoryTest)
#include "tst_planhistory.moc"
