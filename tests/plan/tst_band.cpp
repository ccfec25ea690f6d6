#include "plan/band.h"
#include "plan/plan.h"

#include <QTest>

using namespace zev;

// The band edges of a model and the channels whose frequencies lie outside them.
class BandTest : public QObject {
    Q_OBJECT
private slots:
    void parseBand_data();
    void parseBand();
    void outOfBand_data();
    void outOfBand();
    void channelsInRowOrderAndDescribed();
};

void BandTest::parseBand_data() {
    QTest::addColumn<QString>("band");
    QTest::addColumn<int>("low"); // -1: not a band
    QTest::addColumn<int>("high");
    QTest::newRow("VHF") << "136-174MHz" << 136 << 174;
    QTest::newRow("UHF") << "400-470MHz" << 400 << 470;
    QTest::newRow("lower case unit") << "136-174mhz" << -1 << -1;
    QTest::newRow("cut short") << "136-174MH" << -1 << -1;
    QTest::newRow("letter in an edge") << "13x-174MHz" << -1 << -1;
    QTest::newRow("blank") << "136 174MHz" << -1 << -1;
    QTest::newRow("empty") << "" << -1 << -1;
}

void BandTest::parseBand() {
    QFETCH(QString, band);
    QFETCH(int, low);
    QFETCH(int, high);
    const std::optional<BandEdges> edges = zev::parseBand(band);
    QCOMPARE(edges.has_value(), low >= 0);
    if (edges) {
        QCOMPARE(edges->lowMhz, low);
        QCOMPARE(edges->highMhz, high);
    }
}

void BandTest::outOfBand_data() {
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("rx");
    QTest::addColumn<QString>("tx");
    QTest::addColumn<QString>("outRx"); // the cells reported, empty when in band
    QTest::addColumn<QString>("outTx");
    QTest::newRow("both edges belong to the band") << "136-174MHz"
                                                   << "136.00000"
                                                   << "174.00000"
                                                   << ""
                                                   << "";
    QTest::newRow("one step above") << "136-174MHz"
                                    << "174.00500"
                                    << "174.00000"
                                    << "174.00500"
                                    << "";
    QTest::newRow("one step below") << "136-174MHz"
                                    << "136.00000"
                                    << "135.99375"
                                    << ""
                                    << "135.99375";
    QTest::newRow("UHF on a VHF radio") << "136-174MHz"
                                        << "430.00625"
                                        << "550.00000"
                                        << "430.00625"
                                        << "550.00000";
    QTest::newRow("beyond what the radio holds") << "136-174MHz"
                                                 << "999.00000"
                                                 << "050,00000"
                                                 << "999.00000"
                                                 << "050,00000";
    QTest::newRow("decimal comma") << "136-174MHz"
                                   << "430,00625"
                                   << ""
                                   << "430,00625"
                                   << "";
    QTest::newRow("VHF on a UHF radio") << "400-470MHz"
                                        << "145.12500"
                                        << "445.12500"
                                        << "145.12500"
                                        << "";
    // Nothing to measure against, or nothing to measure: the write check speaks of those.
    QTest::newRow("band that is no band") << "VHF"
                                          << "430.00625"
                                          << ""
                                          << ""
                                          << "";
    QTest::newRow("edges the wrong way round") << "174-136MHz"
                                               << "430.00625"
                                               << ""
                                               << ""
                                               << "";
    QTest::newRow("no frequency") << "136-174MHz"
                                  << "4x0.00625"
                                  << ""
                                  << ""
                                  << "";
}

void BandTest::outOfBand() {
    QFETCH(QString, band);
    QFETCH(QString, rx);
    QFETCH(QString, tx);
    QFETCH(QString, outRx);
    QFETCH(QString, outTx);
    Plan plan;
    plan.band = band;
    plan.setChannel(7, {rx, "OFF", tx, "OFF", "High", "ON", "ON"});
    const QList<OutOfBandChannel> channels = outOfBandChannels(plan);
    if (outRx.isEmpty() && outTx.isEmpty())
        QCOMPARE(channels, QList<OutOfBandChannel>());
    else
        QCOMPARE(channels, (QList<OutOfBandChannel>{{7, outRx, outTx}}));
}

void BandTest::channelsInRowOrderAndDescribed() {
    Plan plan;
    plan.band = QStringLiteral("136-174MHz");
    plan.setChannel(12, {"146.00000", "OFF", "550.00000", "OFF", "High", "ON", "ON"});
    plan.setChannel(3, {"430.00625", "OFF", "430.00625", "OFF", "High", "ON", "ON"});
    plan.setChannel(5, {"150.00000", "OFF", "150.00000", "OFF", "High", "ON", "ON"});
    QStringList described;
    for (const OutOfBandChannel& channel : outOfBandChannels(plan))
        described << describeOutOfBand(channel);
    QCOMPARE(described, (QStringList{"Channel 03: RX 430.00625 MHz, TX 430.00625 MHz",
                                     "Channel 12: TX 550.00000 MHz"}));
}

QTEST_GUILESS_MAIN(BandTest)
#include "tst_band.moc"
