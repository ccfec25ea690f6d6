#include "app/languagepack.h"
#include "app/planlanguage.h"
#include "plan/plan.h"
#include "plan/wording.h"
#include "radio/writecheck.h"

#include "programrun.h"

#include <QTest>

using namespace zev;

// The check a write makes before the radio hears anything.
class WriteCheckTest : public QObject {
    Q_OBJECT
private slots:
    void cells_data();
    void cells();
    void everyFaultIsListedInOrder();
    void fieldsAreNamedByTheHeaderRow_data();
    void fieldsAreNamedByTheHeaderRow();
    void optionsAndBand_data();
    void optionsAndBand();
};

namespace {

// A plan as the window starts with, on the band 136-174MHz.
Plan bandPlan() {
    Plan plan;
    plan.options = startupOptionIndices;
    plan.band = QStringLiteral("136-174MHz");
    return plan;
}

ChannelRow goodRow() {
    const Words words = chineseWords();
    return {QStringLiteral("145.12500"),
            QStringLiteral("67.0"),
            QStringLiteral("145.12500"),
            QStringLiteral("D023N"),
            words.high,
            words.on,
            words.off};
}

} // namespace

void WriteCheckTest::cells_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problem"); // empty: accepted

    const auto ok = QString();
    QTest::newRow("comma separator") << int(Plan::RxFrequency) << "145,12500" << ok;
    QTest::newRow("hex letter in a frequency")
        << int(Plan::RxFrequency) << "14x.50000"
        << "Channel 03: RX Freq '14x.50000' is not a frequency";
    QTest::newRow("hex digit A") << int(Plan::RxFrequency) << "14A.50000"
                                 << "Channel 03: RX Freq '14A.50000' is not a frequency";
    QTest::newRow("short frequency") << int(Plan::TxFrequency) << "145.125"
                                     << "Channel 03: TX Freq '145.125' is not a frequency";
    QTest::newRow("other separator") << int(Plan::TxFrequency) << "145:12500"
                                     << "Channel 03: TX Freq '145:12500' is not a frequency";
    QTest::newRow("empty TX frequency") << int(Plan::TxFrequency) << "" << ok;
    QTest::newRow("CTCSS 254.1") << int(Plan::RxTone) << "254.1" << ok;
    QTest::newRow("DCS inverted") << int(Plan::TxTone) << "D754I" << ok;
    QTest::newRow("English off word") << int(Plan::RxTone) << "OFF" << ok;
    QTest::newRow("Chinese off word") << int(Plan::RxTone) << "禁用" << ok;
    QTest::newRow("non-octal DCS") << int(Plan::RxTone) << "D089N"
                                   << "Channel 03: RX Tone 'D089N' is not a tone";
    QTest::newRow("tone above 299.9") << int(Plan::TxTone) << "300.0"
                                      << "Channel 03: TX Tone '300.0' is not a tone";
    QTest::newRow("tone in Hz") << int(Plan::TxTone) << "67"
                                << "Channel 03: TX Tone '67' is not a tone";
    QTest::newRow("empty tone") << int(Plan::RxTone) << ""
                                << "Channel 03: RX Tone is empty";
    QTest::newRow("English Low") << int(Plan::Power) << "Low" << ok;
    QTest::newRow("lower-case high") << int(Plan::Power) << "high"
                                     << "Channel 03: Power 'high' is not a power word";
    QTest::newRow("on word as power") << int(Plan::Power) << "ON"
                                      << "Channel 03: Power 'ON' is not a power word";
    QTest::newRow("English ON flag") << int(Plan::ScanAdd) << "ON" << ok;
    QTest::newRow("power word as flag") << int(Plan::BusyLock) << "高功率"
                                        << "Channel 03: Busy Lock '高功率' is not an on/off word";
    QTest::newRow("empty flag") << int(Plan::ScanAdd) << ""
                                << "Channel 03: Scan Add is empty";
    // A cell is quoted whole up to 40 characters, a longer one by its start.
    QTest::newRow("60,000-character frequency")
        << int(Plan::RxFrequency) << QString(60'000, '1')
        << "Channel 03: RX Freq '" + QString(37, '1') + "...' is not a frequency";
    QTest::newRow("40-character power word")
        << int(Plan::Power) << QString(40, 'x')
        << "Channel 03: Power '" + QString(40, 'x') + "' is not a power word";
    QTest::newRow("41-character tone")
        << int(Plan::TxTone) << QString(41, 'x')
        << "Channel 03: TX Tone '" + QString(37, 'x') + "...' is not a tone";
    QTest::newRow("character of two code units at the cut")
        << int(Plan::BusyLock) << QString(36, 'x') + QStringLiteral("😀") + QString(9, 'x')
        << "Channel 03: Busy Lock '" + QString(36, 'x') + "...' is not an on/off word";
}

void WriteCheckTest::cells() {
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, problem);
    Plan plan = bandPlan();
    plan.setChannel(3, goodRow());
    plan.setCell(column, 3, text);
    const QStringList problems = writeProblems(plan, Wording{});
    QCOMPARE(problems, problem.isEmpty() ? QStringList{} : QStringList{problem});
}

void WriteCheckTest::everyFaultIsListedInOrder() {
    Plan plan = bandPlan();
    plan.setChannel(3, goodRow());
    plan.setCell(Plan::RxFrequency, 3, QStringLiteral("14x.50000"));
    plan.setCell(Plan::Power, 3, QStringLiteral("Max"));
    plan.setChannel(12, goodRow());
    plan.setCell(Plan::TxTone, 12, QStringLiteral("D8"));
    // An unused row may hold cells (they are written as they stand), but not broken ones.
    plan.setCell(Plan::RxTone, 14, QStringLiteral("88.5"));
    plan.setCell(Plan::TxTone, 15, QStringLiteral("x"));
    const Status status = checkPlanForWrite(plan, Wording{});
    QVERIFY(!status.ok());
    QCOMPARE(status.message().split(QLatin1Char('\n')),
             (QStringList{QStringLiteral("Channel 03: RX Freq '14x.50000' is not a frequency"),
                          QStringLiteral("Channel 03: Power 'Max' is not a power word"),
                          QStringLiteral("Channel 12: TX Tone 'D8' is not a tone"),
                          QStringLiteral("Channel 15: TX Tone 'x' is not a tone")}));
    QVERIFY(checkPlanForWrite(bandPlan(), Wording{}).ok());
}

void WriteCheckTest::fieldsAreNamedByTheHeaderRow_data() {
    QTest::addColumn<QString>("pack");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problem");
    QTest::newRow("english first flag") << "english" << int(Plan::ScanAdd) << "高功率"
                                        << "Channel 03: Scan Add '高功率' is not an on/off word";
    QTest::newRow("english second flag") << "english" << int(Plan::BusyLock) << ""
                                         << "Channel 03: Busy Lock is empty";
    QTest::newRow("english RX frequency") << "english" << int(Plan::RxFrequency) << "14x.50000"
                                          << "Channel 03: RX Freq '14x.50000' is not a frequency";
    QTest::newRow("chinese first flag") << "chinese" << int(Plan::ScanAdd) << "x"
                                        << "Channel 03: 扫描加入 'x' is not an on/off word";
    QTest::newRow("chinese second flag") << "chinese" << int(Plan::BusyLock) << ""
                                         << "Channel 03: 繁忙锁定 is empty";
    QTest::newRow("chinese power") << "chinese" << int(Plan::Power) << "Max"
                                   << "Channel 03: 功率 'Max' is not a power word";
}

// The faults name a column as the channel table's header row does in the active language.
void WriteCheckTest::fieldsAreNamedByTheHeaderRow() {
    QFETCH(QString, pack);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, problem);
    const std::optional<LanguagePack> loaded =
        LanguagePack::load(testsupport::binaryFolder(), pack);
    QVERIFY(loaded);
    Wording wording;
    applyPackToWording(*loaded, wording);
    Plan plan = bandPlan();
    plan.setChannel(3, goodRow());
    plan.setCell(column, 3, text);
    QCOMPARE(writeProblems(plan, wording), QStringList{problem});
}

void WriteCheckTest::optionsAndBand_data() {
    QTest::addColumn<int>("squelch");
    QTest::addColumn<int>("scan");
    QTest::addColumn<QString>("band");
    QTest::addColumn<int>("problems");
    QTest::newRow("all fine") << 2 << 1 << "136-174MHz" << 0;
    QTest::newRow("no squelch selection") << -1 << 1 << "136-174MHz" << 1;
    QTest::newRow("two options off their lists") << -1 << -1 << "136-174MHz" << 2;
    QTest::newRow("band without MHz") << 2 << 1 << "136-174" << 1;
    QTest::newRow("empty band") << 2 << 1 << "" << 1;
    QTest::newRow("band with letters") << 2 << 1 << "1x6-174MHz" << 1;
}

void WriteCheckTest::optionsAndBand() {
    QFETCH(int, squelch);
    QFETCH(int, scan);
    QFETCH(QString, band);
    QFETCH(int, problems);
    Plan plan = bandPlan();
    plan.band = band;
    plan.setOptionIndex(Option::Squelch, squelch);
    plan.setOptionIndex(Option::Scan, scan);
    QCOMPARE(writeProblems(plan, Wording{}).size(), problems);
}

QTEST_GUILESS_MAIN(WriteCheckTest)
#include "tst_writecheck.moc"
