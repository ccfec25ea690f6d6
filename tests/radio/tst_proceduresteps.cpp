#include "plan/plan.h"
#include "plan/wording.h"
#include "radio/powerprocedure.h"
#include "radio/readprocedure.h"
#include "radio/writeprocedure.h"
#include "sim/simulator.h"
#include "sim/virtuallink.h"

#include "frames.h"

#include <QTest>

using namespace zev;

// Every transmission with the receive threshold in force as it went out, and every wait with
// its limit, step by step: the procedures' frames, thresholds and timing constants.
class ProcedureStepsTest : public QObject {
    Q_OBJECT
private slots:
    void steps_data();
    void steps();
};

Q_DECLARE_METATYPE(SimulatorFaults)

namespace {

const QString Entry = QStringLiteral("0254414C766578");
const QString Erased = QStringLiteral("FFFFFFFFFFFFFFFF");

QString send(const QString& hex, int threshold) {
    return QStringLiteral("send %1 /%2").arg(hex).arg(threshold);
}
QString wait(int milliseconds) {
    return QStringLiteral("wait %1").arg(milliseconds);
}
QString fullWait(int milliseconds) {
    return QStringLiteral("full wait %1").arg(milliseconds);
}

QStringList repeated(const QStringList& steps, int times) {
    QStringList all;
    for (int i = 0; i < times; ++i)
        all += steps;
    return all;
}

// A read up to and including row 16's last ACK.
QStringList readThroughChannels() {
    QStringList steps = {send(Entry, 8),       wait(550), send("06", 1), wait(550),
                         send("5203E008", 12), wait(550), send("06", 1), wait(250)};
    for (int channel = 1; channel <= 16; ++channel)
        steps << send("52" + testsupport::addressHex(16 * channel) + "08", 12) << wait(250)
              << send("06", 1) << wait(250)
              << send("52" + testsupport::addressHex(16 * channel + 8) + "08", 12) << wait(250)
              << send("06", 1) << wait(250);
    return steps;
}

QStringList fullWrite() {
    QStringList steps = {send(Entry, 8), wait(250), send("06", 1), wait(250)};
    for (int channel = 1; channel <= 16; ++channel)
        steps << send("57" + testsupport::addressHex(16 * channel) + "08" + Erased, 1) << wait(250)
              << send("57" + testsupport::addressHex(16 * channel + 8) + "08" + Erased, 1)
              << wait(250);
    // The band write is the one long wait of a write; the end frame keeps threshold 1.
    steps << send("5703C008FF02FF04FF00FFFF", 1) << wait(250) << send("5703E00860134017FFFFFFFF", 1)
          << wait(550) << send("646F", 1);
    return steps;
}

const QStringList powerHandshake = {send(Entry, 8), fullWait(250), send("06", 1), fullWait(250)};

} // namespace

void ProcedureStepsTest::steps_data() {
    QTest::addColumn<QString>("procedure");
    QTest::addColumn<SimulatorFaults>("faults");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("read") << "read" << SimulatorFaults{}
                          << readThroughChannels() + QStringList{send("5203C008", 12), wait(250),
                                                                 send("06", 1), wait(250),
                                                                 send("646F", 1)};
    QTest::newRow("read, silent radio")
        << "read" << SimulatorFaults{.silent = true} << repeated({send(Entry, 8), wait(550)}, 6);
    // Frame 68 is row 16's last ACK: without its answer the read ends there.
    QTest::newRow("read, last channel not acknowledged")
        << "read" << SimulatorFaults{.noAnswerAtFrame = 68} << readThroughChannels();
    QTest::newRow("write") << "write" << SimulatorFaults{} << fullWrite();
    QTest::newRow("write, silent radio")
        << "write" << SimulatorFaults{.silent = true} << repeated({send(Entry, 8), wait(250)}, 6);
    // The end frame goes out with the read's threshold still in force.
    QTest::newRow("power read") << "power read" << SimulatorFaults{}
                                << powerHandshake + QStringList{send("5203C808", 12), fullWait(250),
                                                                send("646F", 12)};
    // Six attempts, then the ACK and its wait whatever the handshake gave.
    QTest::newRow("power read, silent radio")
        << "power read" << SimulatorFaults{.silent = true}
        << repeated({send(Entry, 8), fullWait(250)}, 6) + QStringList{send("06", 1), fullWait(250)};
    QTest::newRow("power write") << "power write" << SimulatorFaults{}
                                 << powerHandshake +
                                        QStringList{send("5703C808C832F2FFFFFFFFFF", 1),
                                                    fullWait(250), send("646F", 1)};
}

void ProcedureStepsTest::steps() {
    QFETCH(QString, procedure);
    QFETCH(SimulatorFaults, faults);
    QFETCH(QStringList, expected);

    RadioSimulator radio(RadioSimulator::factoryImage(), faults);
    VirtualLink link(radio);
    Plan plan;
    plan.options = startupOptionIndices;
    plan.band = QStringLiteral("136-174MHz");
    const Wording wording;
    if (procedure == "read")
        (void)readRadio(link, plan, wording);
    else if (procedure == "write")
        (void)writeRadio(link, plan, wording);
    else if (procedure == "power read")
        (void)readPower(link);
    else
        (void)writePower(link, {200, 50, 2});
    QCOMPARE(link.steps(), expected);
}

QTEST_GUILESS_MAIN(ProcedureStepsTest)
#include "tst_proceduresteps.moc"
