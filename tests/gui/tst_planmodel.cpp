#include "plan/bandlist.h"
#include "planmodel.h"

#include <QSignalSpy>
#include <QTest>

using namespace zev;

class PlanModelTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithLabelsAndStartupOptions();
    void resetEmptiesTableAndSetsResetIndices();
    void togglePower_data();
    void togglePower();
    void toggleFlag_data();
    void toggleFlag();
    void rewordTranslatesOnlyRecognisedWords();
    void toneListKeepsOneOffItemAtItsHead();
    void optionIndexOutsideListMeansNoSelection();
    void rebuildingOptionListsKeepsIndices();
    void swapExchangesWholeChannels();
    void modelListLooksUpOrAppendsBand();
};

void PlanModelTest::startsWithLabelsAndStartupOptions() {
    PlanModel plan;
    QCOMPARE(plan.cell(0, 1), QString("01"));
    QCOMPARE(plan.cell(0, 16), QString("16"));
    QCOMPARE(plan.cell(1, 0), QString());
    QCOMPARE(plan.optionIndices(), (OptionIndices{2, 1, 4, 0, 1, 1, 1}));
    QCOMPARE(plan.optionText(Option::TimeOutTimer), QString("4分钟"));
    QCOMPARE(plan.toneList().size(), 258);
    QCOMPARE(plan.toneList().first(), QString("67.0"));
    QCOMPARE(plan.toneList().at(50), QString("D023N"));
    QCOMPARE(plan.toneList().last(), QString("D754I"));
}

void PlanModelTest::resetEmptiesTableAndSetsResetIndices() {
    PlanModel plan;
    plan.setHeader({"CH", "RX", "RXT", "TX", "TXT", "P", "A", "B"});
    for (int row = 1; row <= 16; ++row)
        plan.setChannel(row, {"145.00000", "67.0", "145.00000", "OFF", "High", "ON", "OFF"});
    plan.reset();
    for (int row = 1; row <= 16; ++row) {
        QCOMPARE(plan.cell(0, row), QString("%1").arg(row, 2, 10, QChar('0')));
        QCOMPARE(plan.channel(row), ChannelRow{});
    }
    QCOMPARE(plan.cell(1, 0), QString("RX"));
    QCOMPARE(plan.optionIndices(), (OptionIndices{2, 1, 3, 0, 1, 1, 1}));
    QCOMPARE(plan.optionText(Option::Scan), chineseWords().off);
}

void PlanModelTest::togglePower_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("high") << "High"
                          << "Low";
    QTest::newRow("low") << "Low"
                         << "High";
    QTest::newRow("empty") << ""
                           << "High";
    QTest::newRow("other language low") << "低功率"
                                        << "High";
    QTest::newRow("other language high") << "高功率"
                                         << "High";
}

void PlanModelTest::togglePower() {
    QFETCH(QString, before);
    QFETCH(QString, after);
    PlanModel plan;
    plan.setWords(englishWords());
    plan.setCell(PlanModel::Power, 3, before);
    plan.togglePower(3);
    QCOMPARE(plan.cell(PlanModel::Power, 3), after);
}

void PlanModelTest::toggleFlag_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("off") << "OFF"
                         << "ON";
    QTest::newRow("on") << "ON"
                        << "OFF";
    QTest::newRow("empty") << ""
                           << "OFF";
    QTest::newRow("other language on") << "启用"
                                       << "OFF";
    QTest::newRow("other language off") << "禁用"
                                        << "OFF";
}

void PlanModelTest::toggleFlag() {
    QFETCH(QString, before);
    QFETCH(QString, after);
    PlanModel plan;
    plan.setWords(englishWords());
    for (int column : {PlanModel::ScanAdd, PlanModel::BusyLock}) {
        plan.setCell(column, 5, before);
        plan.toggleFlag(column, 5);
        QCOMPARE(plan.cell(column, 5), after);
    }
}

void PlanModelTest::rewordTranslatesOnlyRecognisedWords() {
    PlanModel plan;
    plan.setWords(englishWords());
    plan.setChannel(1, {"145.00000", "禁用", "145.00000", "88.5", "高功率", "启用", "禁用"});
    plan.setChannel(2, {"146.00000", "D023N", "", "OFF", "低功率", "ON", "OFF"});
    plan.setChannel(3, {"147.00000", "启用", "147.00000", "OFF", "中功率", "禁用", "高功率"});
    plan.reword();
    QCOMPARE(plan.channel(1),
             (ChannelRow{"145.00000", "OFF", "145.00000", "88.5", "High", "ON", "OFF"}));
    QCOMPARE(plan.channel(2), (ChannelRow{"146.00000", "D023N", "", "OFF", "Low", "ON", "OFF"}));
    // An on word in a tone cell, an unknown power word and a power word in a flag cell stay.
    QCOMPARE(plan.channel(3),
             (ChannelRow{"147.00000", "启用", "147.00000", "OFF", "中功率", "OFF", "高功率"}));

    plan.setWords(chineseWords());
    plan.reword();
    QCOMPARE(plan.channel(1),
             (ChannelRow{"145.00000", "禁用", "145.00000", "88.5", "高功率", "启用", "禁用"}));
}

void PlanModelTest::toneListKeepsOneOffItemAtItsHead() {
    PlanModel plan;
    plan.dropToneHead(); // nothing to drop before the first load
    QCOMPARE(plan.toneList().size(), 258);
    for (const char* off : {"OFF", "禁用", "OFF"}) {
        plan.dropToneHead();
        plan.insertToneHead(off);
        QCOMPARE(plan.toneList().size(), 259);
        QCOMPARE(plan.toneList().first(), QString(off));
        QCOMPARE(plan.toneList().at(1), QString("67.0"));
    }
}

void PlanModelTest::optionIndexOutsideListMeansNoSelection() {
    PlanModel plan;
    QSignalSpy changed(&plan, &PlanModel::optionChanged);
    plan.setOptionIndex(Option::TimeOutTimer, 8);
    QCOMPARE(plan.optionIndex(Option::TimeOutTimer), -1);
    QCOMPARE(plan.optionText(Option::TimeOutTimer), QString());
    plan.setOptionIndex(Option::VoicePrompt, 4);
    QCOMPARE(plan.optionText(Option::VoicePrompt), chineseWords().off);
    plan.setOptionIndex(Option::Squelch, 9);
    QCOMPARE(plan.optionText(Option::Squelch), QString("9"));
    QCOMPARE(changed.count(), 3);
}

void PlanModelTest::rebuildingOptionListsKeepsIndices() {
    PlanModel plan;
    plan.setOptionIndices({5, 1, 7, 3, 0, 1, 0});
    plan.setWords(englishWords());
    OptionTexts texts;
    for (int minute = 1; minute <= 7; ++minute)
        texts.minutes[minute - 1] = QString("%1 min").arg(minute);
    texts.voices = {"Chinese male", "English male", "Chinese female", "English female"};
    plan.rebuildOptionLists(texts);
    QCOMPARE(plan.optionIndices(), (OptionIndices{5, 1, 7, 3, 0, 1, 0}));
    QCOMPARE(plan.optionText(Option::BatterySave), QString("ON"));
    QCOMPARE(plan.optionText(Option::TimeOutTimer), QString("7 min"));
    QCOMPARE(plan.optionText(Option::VoicePrompt), QString("English female"));
    QCOMPARE(plan.optionText(Option::KeyBeep), QString("OFF"));
    QCOMPARE(plan.optionText(Option::Scan), QString("ON"));
    QCOMPARE(plan.optionItems(Option::Squelch).size(), 10);
}

void PlanModelTest::swapExchangesWholeChannels() {
    PlanModel plan;
    const ChannelRow used{"145.00000", "OFF", "145.00000", "OFF", "High", "ON", "OFF"};
    plan.setChannel(4, used);
    plan.swapChannels(4, 3);
    QCOMPARE(plan.channel(3), used);
    QCOMPARE(plan.channel(4), ChannelRow{});
    QCOMPARE(plan.cell(0, 3), QString("03"));
    plan.swapChannels(1, 0); // the header row never takes part
    QCOMPARE(plan.cell(1, 0), QString());
}

void PlanModelTest::modelListLooksUpOrAppendsBand() {
    BandList bands;
    bands.setItems({"136-174MHz", "400-470MHz", "136-174MHz"}, 0);
    QSignalSpy applied(&bands, &BandList::bandApplied);
    bands.applyBand("136-174MHz");
    QCOMPARE(bands.currentIndex(), 0);
    bands.applyBand("400-470MHz");
    QCOMPARE(bands.currentIndex(), 1);
    bands.applyBand("136-17");
    QCOMPARE(bands.items().size(), 4);
    QCOMPARE(bands.currentText(), QString("136-17"));
    QCOMPARE(applied.count(), 3);
    bands.setCurrentIndex(7);
    QCOMPARE(bands.currentIndex(), -1);
    QCOMPARE(bands.currentText(), QString());
}

QTEST_GUILESS_MAIN(PlanModelTest)
#include "tst_planmodel.moc"
