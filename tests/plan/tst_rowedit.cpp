#include "plan/plan.h"
#include "plan/rowedit.h"

#include <QLocale>
#include <QTest>

using namespace zev;

// Edits across many channels: the channel list, tones as typed, settings on used rows only and
// frequencies filled from a start and a step.
class RowEditTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void channelLists_data();
    void channelLists();
    void tonesAsTyped_data();
    void tonesAsTyped();
    void settingsReachUsedChannelsOnly();
    void fill_data();
    void fill();
};

namespace {

const Words english = englishWords();

// Channels 2 and 5 used, in Chinese words: settings come out in the words given.
Plan twoChannels() {
    Plan plan;
    plan.band = QStringLiteral("136-174MHz");
    plan.setChannel(2, {"145.50000", "禁用", "145.50000", "67.0", "高功率", "启用", "禁用"});
    plan.setChannel(5, {"146.00000", "D023N", "146.60000", "D023N", "低功率", "禁用", "启用"});
    return plan;
}

} // namespace

void RowEditTest::channelLists_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("channels"); // empty: refused
    QTest::addColumn<QString>("named");       // the part the refusal names
    QTest::newRow("ranges and singles") << "1-4,7,9" << QList<int>{1, 2, 3, 4, 7, 9} << "";
    QTest::newRow("order kept, each once") << "9, 3,1-3" << QList<int>{9, 3, 1, 2} << "";
    QTest::newRow("whole plan") << "1-16"
                                << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}
                                << "";
    QTest::newRow("channel 0") << "0,2" << QList<int>{} << "'0'";
    QTest::newRow("channel 17") << "15-17" << QList<int>{} << "'15-17'";
    QTest::newRow("backward range") << "4-2" << QList<int>{} << "'4-2'";
    QTest::newRow("word") << "1,all" << QList<int>{} << "'all'";
    QTest::newRow("two dashes") << "1-2-3" << QList<int>{} << "'1-2-3'";
    QTest::newRow("empty part") << "1,,2" << QList<int>{} << "''";
}

void RowEditTest::channelLists() {
    QFETCH(QString, text);
    QFETCH(QList<int>, channels);
    QFETCH(QString, named);
    const Result<QList<int>> parsed = parseChannelList(text);
    if (channels.isEmpty()) {
        QVERIFY(!parsed);
        QVERIFY2(parsed.message().startsWith(named + QStringLiteral(" is not a channel")),
                 qPrintable(parsed.message()));
    } else {
        QVERIFY2(parsed, qPrintable(parsed.message()));
        QCOMPARE(parsed.value(), channels);
    }
}

void RowEditTest::tonesAsTyped_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("cell"); // empty: refused
    QTest::newRow("off, any case") << "Off" << english.off;
    QTest::newRow("the Chinese off word") << "禁用" << english.off;
    QTest::newRow("CTCSS") << "88.5"
                           << "88.5";
    QTest::newRow("CTCSS with a comma") << "88,5"
                                        << "88.5";
    QTest::newRow("CTCSS from 100 Hz") << " 100.0 "
                                       << "100.0";
    QTest::newRow("DCS in small letters") << "d023i"
                                          << "D023I";
    QTest::newRow("CTCSS not in the list") << "88.6"
                                           << "";
    QTest::newRow("CTCSS without decimal") << "88"
                                           << "";
    QTest::newRow("DCS not in the list") << "D024N"
                                         << "";
    QTest::newRow("DCS without polarity") << "D023"
                                          << "";
    QTest::newRow("empty") << ""
                           << "";
}

void RowEditTest::tonesAsTyped() {
    QFETCH(QString, typed);
    QFETCH(QString, cell);
    const Result<QString> taken = toneCell(typed, english);
    if (cell.isEmpty()) {
        QVERIFY(!taken);
        QVERIFY2(taken.message().contains(QLatin1Char('\'') + typed.trimmed() + QLatin1Char('\'')),
                 qPrintable(taken.message()));
    } else {
        QVERIFY2(taken, qPrintable(taken.message()));
        QCOMPARE(taken.value(), cell);
    }
}

void RowEditTest::settingsReachUsedChannelsOnly() {
    const Plan before = twoChannels();
    RowSettings settings;
    settings.rxTone = QStringLiteral("88.5");
    settings.highPower = false;
    settings.busyLock = true;
    const Words chinese = chineseWords();
    const Plan after = withRowSettings(before, {1, 2, 5, 16}, settings, chinese);
    QCOMPARE(after.channel(1), ChannelRow{});
    QCOMPARE(after.channel(16), ChannelRow{});
    QCOMPARE(after.channel(2),
             (ChannelRow{"145.50000", "88.5", "145.50000", "67.0", "低功率", "启用", "启用"}));
    QCOMPARE(after.channel(5),
             (ChannelRow{"146.00000", "88.5", "146.60000", "D023N", "低功率", "禁用", "启用"}));
    // A channel not listed keeps its cells.
    QCOMPARE(withRowSettings(before, {5}, settings, chinese).channel(2), before.channel(2));
    QCOMPARE(after.band, before.band);
    QCOMPARE(after.options, before.options);
}

void RowEditTest::fill_data() {
    QTest::addColumn<QList<int>>("channels");
    QTest::addColumn<qint64>("startHz");
    QTest::addColumn<qint64>("stepHz");
    QTest::addColumn<qint64>("offsetHz");
    QTest::addColumn<QStringList>("rx"); // by channel listed; one entry: the refusal
    QTest::addColumn<QStringList>("tx");
    QTest::newRow("PMR446 raster") << QList<int>{1, 2, 3} << 446006250LL << 12500LL << 0LL
                                   << QStringList{"446.00625", "446.01875", "446.03125"}
                                   << QStringList{"446.00625", "446.01875", "446.03125"};
    QTest::newRow("in the order listed, with a repeater offset")
        << QList<int>{5, 2} << 145600000LL << 25000LL << -600000LL
        << QStringList{"145.60000", "145.62500"} << QStringList{"145.00000", "145.02500"};
    QTest::newRow("off the raster: raised as the editor raises it")
        << QList<int>{7} << 145003100LL << 25000LL << 0LL << QStringList{"145.00500"}
        << QStringList{"145.00500"};
    QTest::newRow("the last step leaves the range")
        << QList<int>{1, 2, 3} << 549975000LL << 25000LL << 0LL
        << QStringList{"Channel 03: the frequency 550.025 MHz is outside 100-550 MHz"}
        << QStringList{};
    QTest::newRow("the offset leaves the range")
        << QList<int>{4} << 100000000LL << 12500LL << -5000000LL
        << QStringList{"Channel 04: the frequency 95.0 MHz is outside 100-550 MHz"}
        << QStringList{};
}

void RowEditTest::fill() {
    QFETCH(QList<int>, channels);
    QFETCH(qint64, startHz);
    QFETCH(qint64, stepHz);
    QFETCH(qint64, offsetHz);
    QFETCH(QStringList, rx);
    QFETCH(QStringList, tx);
    const Plan before = twoChannels();
    const Result<Plan> filled =
        withFilledFrequencies(before, channels, {startHz, stepHz, offsetHz}, english, '.');
    if (tx.isEmpty()) {
        QVERIFY(!filled);
        QCOMPARE(filled.message(), rx.first());
        return;
    }
    QVERIFY2(filled, qPrintable(filled.message()));
    for (qsizetype i = 0; i < channels.size(); ++i) {
        const ChannelRow cells = filled->channel(channels[i]);
        QCOMPARE(cells[Plan::RxFrequency - 1], rx[i]);
        QCOMPARE(cells[Plan::TxFrequency - 1], tx[i]);
        // A used channel keeps its other cells; a new one gets the new-channel defaults.
        const ChannelRow expected = before.isUsed(channels[i]) ? before.channel(channels[i])
                                                               : newChannel(rx[i], english);
        for (int column : {Plan::RxTone, Plan::TxTone, Plan::Power, Plan::ScanAdd, Plan::BusyLock})
            QCOMPARE(cells[column - 1], expected[column - 1]);
    }
}

QTEST_GUILESS_MAIN(RowEditTest)
#include "tst_rowedit.moc"
