#include "radio/hex.h"
#include "radio/powerprocedure.h"
#include "sim/simulator.h"
#include "sim/virtuallink.h"

#include "frames.h"

#include <QTest>

using namespace zev;

class PowerProcedureTest : public QObject {
    Q_OBJECT
private slots:
    void readOnTheWire();
    void readFaults_data();
    void readFaults();
    void writeOnTheWire();
    void writeFaults_data();
    void writeFaults();
    void levelsOutOfRangeAreRefusedBeforeAnyByte();
    void levelsFromFields_data();
    void levelsFromFields();
    void decodeReply_data();
    void decodeReply();
};

namespace {

const QString Entry = QStringLiteral(">0254414C766578");
const QString Identification = QStringLiteral("<06207661726B6F6C");

QByteArray imageWithPowerBlock(const char* hex) {
    QByteArray image = RadioSimulator::factoryImage();
    image.replace(0x03C8, 8, QByteArray::fromHex(hex));
    return image;
}

struct Bench {
    explicit Bench(QByteArray image = RadioSimulator::factoryImage(), SimulatorFaults faults = {})
        : radio(std::move(image), faults) {}
    RadioSimulator radio;
    VirtualLink link{radio};
};

} // namespace

void PowerProcedureTest::readOnTheWire() {
    Bench bench;
    const PowerReadResult result = readPower(bench.link);
    QVERIFY2(result.session.succeeded(), qPrintable(result.session.reason));
    QCOMPARE(result.levels, (PowerLevels{200, 50, 1}));
    QVERIFY(result.writeEnabled);
    QVERIFY(result.blockFault.isEmpty());
    QCOMPARE(bench.link.trafficHex(), (QStringList{Entry, Identification, ">06", "<06", ">5203C808",
                                                   "<5703C808C832F1FFFFFFFFFF", ">646F"}));
    // Every wait lasts its full time: handshake, ACK and read, 250 ms each.
    QCOMPARE(bench.link.nowMilliseconds(), 750);
}

void PowerProcedureTest::readFaults_data() {
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<SimulatorFaults>("faults");
    QTest::addColumn<bool>("writeEnabled");
    QTest::addColumn<bool>("blockFault");
    QTest::addColumn<QStringList>("sent");

    const QByteArray factory = RadioSimulator::factoryImage();
    const QStringList handshakeAndAck = {"0254414C766578", "06"};
    const QStringList withRead = handshakeAndAck + QStringList{"5203C808"};
    QTest::newRow("radio off: six attempts, then the ACK regardless")
        << factory << SimulatorFaults{.silent = true} << false << false
        << (QStringList(6, "0254414C766578") << "06");
    QTest::newRow("identified, ACK answered wrongly: write still enabled")
        << factory << SimulatorFaults{.wrongByteAtFrame = 2} << true << false << handshakeAndAck;
    QTest::newRow("erased block") << RadioSimulator::erasedImage() << SimulatorFaults{} << false
                                  << true << withRead;
    QTest::newRow("low-voltage nibble 3") << imageWithPowerBlock("C832F3FFFFFFFFFF")
                                          << SimulatorFaults{} << false << true << withRead;
    // The old identification begins with 0x06 and passes the ACK test; the missing read
    // reply leaves it in place: eight bytes, not a block.
    QTest::newRow("identified, then silent")
        << factory << SimulatorFaults{.hangUpAfterFrames = 1} << false << true << withRead;
}

void PowerProcedureTest::readFaults() {
    QFETCH(QByteArray, image);
    QFETCH(SimulatorFaults, faults);
    QFETCH(bool, writeEnabled);
    QFETCH(bool, blockFault);
    QFETCH(QStringList, sent);

    Bench bench(image, faults);
    const PowerReadResult result = readPower(bench.link);
    QCOMPARE(result.session.outcome, SessionOutcome::Failed);
    QVERIFY(!result.levels);
    QCOMPARE(result.writeEnabled, writeEnabled);
    QCOMPARE(!result.blockFault.isEmpty(), blockFault);
    QCOMPARE(testsupport::sentFrames(bench.link), sent);
}

void PowerProcedureTest::writeOnTheWire() {
    Bench bench;
    const PowerWriteResult result = writePower(bench.link, {200, 50, 2});
    QVERIFY2(result.session.succeeded(), qPrintable(result.session.reason));
    QVERIFY(result.frameSent);
    QCOMPARE(bench.link.trafficHex(), (QStringList{Entry, Identification, ">06", "<06",
                                                   ">5703C808C832F2FFFFFFFFFF", "<06", ">646F"}));
    QCOMPARE(bench.radio.image().mid(0x03C8, 8), QByteArray::fromHex("C832F2FFFFFFFFFF"));
}

void PowerProcedureTest::writeFaults_data() {
    QTest::addColumn<SimulatorFaults>("faults");
    QTest::addColumn<bool>("frameSent");
    QTest::addColumn<bool>("endFrameSent");
    QTest::newRow("radio off") << SimulatorFaults{.silent = true} << false << false;
    QTest::newRow("ACK answered wrongly")
        << SimulatorFaults{.wrongByteAtFrame = 2} << false << false;
    QTest::newRow("write frame answered wrongly")
        << SimulatorFaults{.wrongByteAtFrame = 3} << true << false;
    // The ACK test alone judges the write: the old ACK still passes it.
    QTest::newRow("write frame unanswered")
        << SimulatorFaults{.noAnswerAtFrame = 3} << true << true;
}

void PowerProcedureTest::writeFaults() {
    QFETCH(SimulatorFaults, faults);
    QFETCH(bool, frameSent);
    QFETCH(bool, endFrameSent);
    Bench bench(RadioSimulator::factoryImage(), faults);
    const PowerWriteResult result = writePower(bench.link, {200, 50, 2});
    QCOMPARE(result.frameSent, frameSent);
    QCOMPARE(bench.link.trafficHex().contains(QStringLiteral(">646F")), endFrameSent);
    QCOMPARE(result.session.succeeded(), endFrameSent);
}

void PowerProcedureTest::levelsOutOfRangeAreRefusedBeforeAnyByte() {
    for (const PowerLevels levels :
         {PowerLevels{256, 50, 1}, PowerLevels{200, -1, 1}, PowerLevels{200, 50, 3}}) {
        Bench bench;
        const PowerWriteResult result = writePower(bench.link, levels);
        QCOMPARE(result.session.outcome, SessionOutcome::Refused);
        QVERIFY(!result.frameSent);
        QVERIFY(bench.link.traffic().isEmpty());
    }
}

void PowerProcedureTest::levelsFromFields_data() {
    QTest::addColumn<QString>("high");
    QTest::addColumn<QString>("low");
    QTest::addColumn<int>("lowVoltage");
    QTest::addColumn<QString>("problem"); // a word the message must hold; empty: accepted
    QTest::newRow("fine") << "200"
                          << "50" << 2 << "";
    QTest::newRow("bounds") << "0"
                            << "255" << 0 << "";
    QTest::newRow("empty high") << ""
                                << "50" << 1 << "high-power";
    QTest::newRow("empty low") << "200"
                               << "" << 1 << "low-power";
    QTest::newRow("pasted 999") << "999"
                                << "50" << 1 << "above 255";
    QTest::newRow("not a number") << "2x"
                                  << "50" << 1 << "not a number";
    QTest::newRow("no low-voltage selection") << "200"
                                              << "50" << -1 << "low-voltage";
}

void PowerProcedureTest::levelsFromFields() {
    QFETCH(QString, high);
    QFETCH(QString, low);
    QFETCH(int, lowVoltage);
    QFETCH(QString, problem);
    const Result<PowerLevels> levels = power::levelsFromFields(high, low, lowVoltage);
    QCOMPARE(levels.ok(), problem.isEmpty());
    if (levels.ok())
        QCOMPARE(levels.value(), (PowerLevels{high.toInt(), low.toInt(), lowVoltage}));
    else
        QVERIFY2(levels.message().contains(problem), qPrintable(levels.message()));
}

void PowerProcedureTest::decodeReply_data() {
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("valid");
    QTest::newRow("factory") << "5703C808C832F1FFFFFFFFFF" << true;
    QTest::newRow("erased") << "5703C808FFFFFFFFFFFFFFFF" << false;
    QTest::newRow("short") << "5703C808C832" << false;
    QTest::newRow("the ACK only") << "06" << false;
}

void PowerProcedureTest::decodeReply() {
    QFETCH(QString, reply);
    QFETCH(bool, valid);
    const Result<PowerLevels> levels = power::decodeReply(hexToBytes(reply));
    QCOMPARE(levels.ok(), valid);
    if (valid)
        QCOMPARE(bytesToHex(toBytes(power::encodeBlock(levels.value()))), reply.mid(8));
}

QTEST_GUILESS_MAIN(PowerProcedureTest)
#include "tst_powerprocedure.moc"
