#include "plan/band.h"
#include "plan/frequency.h"
#include "plan/stocklists.h"

#include <QTest>

using namespace zev;

// The built-in channel lists against the published channel plans, and the plans made from them.
class StockListsTest : public QObject {
    Q_OBJECT
private slots:
    void listsHoldThePublishedChannels_data();
    void listsHoldThePublishedChannels();
    void everyChannelIsHeldExactly();
    void planFromList_data();
    void planFromList();
    void firstEntryRefused_data();
    void firstEntryRefused();
    void frequencyOffTheRasterIsNoted();
};

namespace {

struct Published {
    QString label;
    qint64 hertz = 0;
};

// Channels numbered from first, each step hertz above the one before.
QList<Published> numbered(int first, int count, qint64 start, qint64 step) {
    QList<Published> channels;
    for (int i = 0; i < count; ++i)
        channels.append({QString::number(first + i), start + step * i});
    return channels;
}

// The channel plans as the regulations publish them, worked out here from their rules.
QList<Published> published(const QString& key) {
    if (key == "pmr446") // 446.0 MHz + 6.25 kHz + n x 12.5 kHz
        return numbered(1, 16, 446'006'250, 12'500);
    if (key == "china-409")
        return numbered(1, 20, 409'750'000, 12'500);
    if (key == "frs-gmrs") // 1-7 and 15-22 interleaved at 462 MHz, 8-14 at 467 MHz
        return numbered(1, 7, 462'562'500, 25'000) + numbered(8, 7, 467'562'500, 25'000) +
               numbered(15, 8, 462'550'000, 25'000);
    if (key == "murs")
        return {{"1", 151'820'000},
                {"2", 151'880'000},
                {"3", 151'940'000},
                {"4", 154'570'000},
                {"5", 154'600'000}};
    if (key == "lpd433")
        return numbered(1, 69, 433'075'000, 25'000);
    if (key == "noaa")
        return {{"WX1", 162'550'000}, {"WX2", 162'400'000}, {"WX3", 162'475'000},
                {"WX4", 162'425'000}, {"WX5", 162'450'000}, {"WX6", 162'500'000},
                {"WX7", 162'525'000}};
    if (key == "marine") {
        // Appendix 18 ship frequencies: channels 1-28 from 156.050 MHz, 60-88 from 156.025 MHz,
        // 50 kHz apart.
        QList<Published> channels;
        for (int channel : {6, 8, 9, 10, 13, 16, 67, 68, 69, 71, 72, 73, 77}) {
            const qint64 hertz = channel < 60 ? 156'050'000 + 50'000 * (channel - 1)
                                              : 156'025'000 + 50'000 * (channel - 60);
            channels.append({QString::number(channel), hertz});
        }
        return channels;
    }
    return {};
}

const QStringList keys = {"pmr446", "china-409", "frs-gmrs", "murs", "lpd433", "noaa", "marine"};

Words english() {
    return englishWords();
}

} // namespace

void StockListsTest::listsHoldThePublishedChannels_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("receiveOnly");
    for (const QString& key : keys)
        QTest::newRow(qPrintable(key)) << key << (key == "noaa");
}

void StockListsTest::listsHoldThePublishedChannels() {
    QFETCH(QString, key);
    QFETCH(bool, receiveOnly);
    const StockList* list = findStockList(key);
    QVERIFY(list);
    QCOMPARE(list->receiveOnly, receiveOnly);
    QVERIFY(!list->regionText().isEmpty());
    const QList<Published> expected = published(key);
    QCOMPARE(list->size(), expected.size());
    for (int entry = 1; entry <= list->size(); ++entry) {
        const StockChannel& channel = list->channels[size_t(entry - 1)];
        QCOMPARE(QString::fromLatin1(channel.label), expected[entry - 1].label);
        QCOMPARE(frequencyHz(QString::fromLatin1(channel.frequency)), expected[entry - 1].hertz);
    }
}

// No published frequency is moved: each lies on the radio's 5 kHz or 6.25 kHz raster, in either
// number format.
void StockListsTest::everyChannelIsHeldExactly() {
    QStringList moved;
    for (const StockList& list : stockLists()) {
        for (const QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
            for (int first = 1; first <= list.lastFirstEntry(); ++first) {
                const Result<StockPlan> made =
                    makeStockPlan(list, first, QString(FactoryBand), english(), separator);
                QVERIFY2(made, qPrintable(made.message()));
                moved << made->notes;
                for (int row = 1; row <= Plan::ChannelCount && first + row - 1 <= list.size();
                     ++row)
                    QCOMPARE(frequencyHz(made->plan.cell(Plan::RxFrequency, row)),
                             list.hertz(first + row - 1));
            }
        }
    }
    QCOMPARE(moved, QStringList());
    QCOMPARE(int(stockLists().size()), keys.size());
}

void StockListsTest::planFromList_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("first");
    QTest::addColumn<QString>("band");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QStringList>("rows");     // the used rows, cells joined by "|"
    QTest::addColumn<QStringList>("names");    // of the first and the last used row
    QTest::addColumn<QList<int>>("outOfBand"); // channels outside the band
    QTest::newRow("pmr446 in its band") << "pmr446" << 1 << "400-470MHz" << QChar('.') << false
                                        << QStringList{"446.00625|OFF|446.00625|OFF|High|ON|OFF",
                                                       "446.01875|OFF|446.01875|OFF|High|ON|OFF"}
                                        << QStringList{"PMR1", "PMR16"} << QList<int>{};
    QTest::newRow("lpd433 from its last first entry, comma, Chinese words")
        << "lpd433" << 54 << "400-470MHz" << QChar(',') << true
        << QStringList{"434,40000|禁用|434,40000|禁用|高功率|启用|禁用",
                       "434,42500|禁用|434,42500|禁用|高功率|启用|禁用"}
        << QStringList{"LPD54", "LPD69"} << QList<int>{};
    QTest::newRow("frs-gmrs from 7, a band without the 467 MHz channels")
        << "frs-gmrs" << 7 << "400-465MHz" << QChar('.') << false
        << QStringList{"462.71250|OFF|462.71250|OFF|High|ON|OFF",
                       "467.56250|OFF|467.56250|OFF|High|ON|OFF"}
        << QStringList{"FRS7", "FRS22"} << QList<int>{2, 3, 4, 5, 6, 7, 8};
    QTest::newRow("noaa: seven channels, receive only")
        << "noaa" << 1 << "136-174MHz" << QChar('.') << false
        << QStringList{"162.55000|OFF||OFF|High|ON|OFF", "162.40000|OFF||OFF|High|ON|OFF",
                       "162.47500|OFF||OFF|High|ON|OFF", "162.42500|OFF||OFF|High|ON|OFF",
                       "162.45000|OFF||OFF|High|ON|OFF", "162.50000|OFF||OFF|High|ON|OFF",
                       "162.52500|OFF||OFF|High|ON|OFF"}
        << QStringList{"WX1", "WX7"} << QList<int>{};
    QTest::newRow("china-409 on a VHF radio: every channel kept")
        << "china-409" << 5 << "136-174MHz" << QChar('.') << false
        << QStringList{"409.80000|OFF|409.80000|OFF|High|ON|OFF"} << QStringList{"CN5", "CN20"}
        << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    QTest::newRow("marine above the band: every channel kept")
        << "marine" << 1 << "136-156MHz" << QChar('.') << false
        << QStringList{"156.30000|OFF|156.30000|OFF|High|ON|OFF"} << QStringList{"CH6", "CH77"}
        << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
}

void StockListsTest::planFromList() {
    QFETCH(QString, key);
    QFETCH(int, first);
    QFETCH(QString, band);
    QFETCH(QChar, separator);
    QFETCH(bool, chinese);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, outOfBand);
    const StockList* list = findStockList(key);
    QVERIFY(list);
    const Result<StockPlan> made =
        makeStockPlan(*list, first, band, chinese ? chineseWords() : englishWords(), separator);
    QVERIFY2(made, qPrintable(made.message()));
    const Plan& plan = made->plan;
    QCOMPARE(plan.band, band);
    QCOMPARE(plan.options, resetOptionIndices);

    // The given rows open the plan; a list that ends early leaves the rest empty.
    const int used = std::min(list->size() - first + 1, int(Plan::ChannelCount));
    for (int row = 1; row <= Plan::ChannelCount; ++row) {
        QCOMPARE(plan.isUsed(row), row <= used);
        if (row <= rows.size())
            QCOMPARE(QStringList(plan.channel(row).begin(), plan.channel(row).end()).join('|'),
                     rows[row - 1]);
        if (row > used) {
            QCOMPARE(plan.channel(row), ChannelRow{});
            QCOMPARE(made->names[row - 1], QString());
        }
    }
    QCOMPARE(made->names[0], names[0]);
    QCOMPARE(made->names[used - 1], names[1]);
    QCOMPARE(
        made->comments[0],
        QStringLiteral("%1 channel %2").arg(list->titleText(), list->channels[first - 1].label));

    QList<int> outside;
    for (const OutOfBandChannel& channel : outOfBandChannels(plan))
        outside << channel.channel;
    QCOMPARE(outside, outOfBand);
}

void StockListsTest::firstEntryRefused_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("first");
    QTest::addColumn<QString>("message"); // empty: taken
    QTest::newRow("lpd433 from 1") << "lpd433" << 1 << "";
    QTest::newRow("lpd433 from its last") << "lpd433" << 54 << "";
    QTest::newRow("lpd433 past its last")
        << "lpd433" << 55 << "lpd433 has 69 channels and starts at one from 1 to 54, not at 55";
    QTest::newRow("china-409 from 0")
        << "china-409" << 0 << "china-409 has 20 channels and starts at one from 1 to 5, not at 0";
    QTest::newRow("pmr446 fills the plan")
        << "pmr446" << 2 << "pmr446 has 16 channels and starts at its first, not at 2";
    QTest::newRow("murs from a negative entry")
        << "murs" << -3 << "murs has 5 channels and starts at its first, not at -3";
}

void StockListsTest::firstEntryRefused() {
    QFETCH(QString, key);
    QFETCH(int, first);
    QFETCH(QString, message);
    const StockList* list = findStockList(key);
    QVERIFY(list);
    const Status checked = checkFirstEntry(*list, first);
    QCOMPARE(checked.message(), message);
    const Result<StockPlan> made =
        makeStockPlan(*list, first, QString(FactoryBand), englishWords(), QLatin1Char('.'));
    QCOMPARE(made.ok(), message.isEmpty());
    QCOMPARE(made.message(), message);
}

// A list whose frequency the radio cannot hold says so, and what the channel holds instead.
void StockListsTest::frequencyOffTheRasterIsNoted() {
    static constexpr StockChannel channels[] = {{"1", "145.0031"}, {"2", "145.5000"}};
    const StockList list{"test", "Test", "Nowhere", "T", false, channels};
    const Result<StockPlan> made =
        makeStockPlan(list, 1, QString(FactoryBand), englishWords(), QLatin1Char('.'));
    QVERIFY2(made, qPrintable(made.message()));
    QCOMPARE(made->plan.cell(Plan::RxFrequency, 1), QStringLiteral("145.00500"));
    QCOMPARE(made->plan.cell(Plan::TxFrequency, 1), QStringLiteral("145.00500"));
    QCOMPARE(made->plan.cell(Plan::RxFrequency, 2), QStringLiteral("145.50000"));
    QCOMPARE(
        made->notes,
        QStringList{"Test channel 1: 145.003100 MHz is not on a channel; taken as 145.00500 MHz"});
}

QTEST_GUILESS_MAIN(StockListsTest)
#include "tst_stocklists.moc"
