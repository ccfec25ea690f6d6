#include "radio/codec.h"
#include "radio/hex.h"
#include "radio/writecheck.h"
#include "sim/simulator.h"

#include "frames.h"

#include <QTest>

using namespace zev;
using testsupport::addressHex;

namespace {

const QByteArray Entry = hexToBytes("0254414C766578");
const QByteArray Identification = hexToBytes("06207661726B6F6C");
const QByteArray Ack = hexToBytes("06");
const QByteArray End = hexToBytes("646F");

// Everything the radio answers to some bytes, joined.
QByteArray answers(RadioSimulator& radio, const QByteArray& bytes) {
    QByteArray joined;
    for (const SimulatorReply& reply : radio.receive(bytes))
        joined += reply.bytes;
    return joined;
}

QByteArray readFrame(int address) {
    return hexToBytes("52" + addressHex(address) + "08");
}

QByteArray writeFrame(int address, const QByteArray& block) {
    return hexToBytes("57" + addressHex(address) + "08") + block;
}

QByteArray block(int address, const QByteArray& image) {
    return image.mid(address, 8);
}

// A radio already in programming mode.
RadioSimulator openRadio(SimulatorFaults faults = {}) {
    RadioSimulator radio(RadioSimulator::factoryImage(), faults);
    if (answers(radio, Entry) != Identification)
        qFatal("the radio did not identify itself");
    return radio;
}

} // namespace

Q_DECLARE_METATYPE(zev::SimulatorFaults)

class SimulatorTest : public QObject {
    Q_OBJECT
private slots:
    void handshake();
    void onlyTheEntryFrameOutsideProgrammingMode();
    void readReply_data();
    void readReply();
    void writeIsStored();
    void endFrameLeavesProgrammingMode();
    void outOfRangeAddressesGetNoAnswer_data();
    void outOfRangeAddressesGetNoAnswer();
    void garbageIsSkipped_data();
    void garbageIsSkipped();
    void framesSplitAndMerged_data();
    void framesSplitAndMerged();
    void faults_data();
    void faults();
    void replyDelay();
    void hangUpDropsTheRest();
    void abandonedSessionStartsAfresh();
    void frameLog();
    void images();
    void shortImageIsPaddedErased();
};

void SimulatorTest::handshake() {
    RadioSimulator radio;
    QVERIFY(!radio.inProgrammingMode());
    QCOMPARE(answers(radio, Entry), Identification);
    QVERIFY(radio.inProgrammingMode());
    QCOMPARE(answers(radio, Ack), Ack);
    // A second entry frame inside a session is not answered.
    QCOMPARE(answers(radio, Entry), QByteArray());
    QCOMPARE(radio.framesReceived(), 2);
}

void SimulatorTest::onlyTheEntryFrameOutsideProgrammingMode() {
    RadioSimulator radio;
    QCOMPARE(answers(radio, Ack + readFrame(0x03E0) + writeFrame(0x10, QByteArray(8, 0)) + End),
             QByteArray());
    QCOMPARE(radio.framesReceived(), 0);
    QCOMPARE(radio.image(), RadioSimulator::factoryImage());
}

void SimulatorTest::readReply_data() {
    QTest::addColumn<int>("address");
    QTest::addColumn<QString>("replyHex");
    QTest::newRow("band") << 0x03E0 << "5703E00860134017FFFFFFFF";
    QTest::newRow("options") << 0x03C0 << "5703C008FF02FF04FF00FFFF";
    QTest::newRow("power") << 0x03C8 << "5703C808C832F1FFFFFFFFFF";
    QTest::newRow("channel 16 second half") << 0x0108 << "57010808FFFFFFFFFFFFFFFF";
    QTest::newRow("last block") << 0x03F8 << "5703F808FFFFFFFFFFFFFFFF";
}

void SimulatorTest::readReply() {
    QFETCH(int, address);
    QFETCH(QString, replyHex);
    RadioSimulator radio = openRadio();
    QCOMPARE(bytesToHex(answers(radio, readFrame(address))), replyHex);
}

void SimulatorTest::writeIsStored() {
    RadioSimulator radio = openRadio();
    const QByteArray data = hexToBytes("0025511400255114");
    QCOMPARE(answers(radio, writeFrame(0x0030, data)), Ack);
    QCOMPARE(block(0x0030, radio.image()), data);
    QCOMPARE(radio.blocksWritten(), 1);
    QCOMPARE(answers(radio, readFrame(0x0030)).mid(4), data);
    // Nothing else changed.
    QByteArray expected = RadioSimulator::factoryImage();
    expected.replace(0x0030, 8, data);
    QCOMPARE(radio.image(), expected);
}

void SimulatorTest::endFrameLeavesProgrammingMode() {
    RadioSimulator radio = openRadio();
    QCOMPARE(answers(radio, End), QByteArray());
    QVERIFY(!radio.inProgrammingMode());
    QCOMPARE(answers(radio, readFrame(0x03E0)), QByteArray());
    QCOMPARE(answers(radio, Entry), Identification);
}

void SimulatorTest::outOfRangeAddressesGetNoAnswer_data() {
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("read across the end") << readFrame(0x03FC);
    QTest::newRow("read past the end") << readFrame(0xFF00);
    QTest::newRow("write past the end") << writeFrame(0x0400, QByteArray(8, 0));
}

void SimulatorTest::outOfRangeAddressesGetNoAnswer() {
    QFETCH(QByteArray, frame);
    RadioSimulator radio = openRadio();
    QCOMPARE(answers(radio, frame), QByteArray());
    QCOMPARE(radio.image(), RadioSimulator::factoryImage());
    // The frame was understood, so the next one is read cleanly.
    QCOMPARE(answers(radio, Ack), Ack);
}

void SimulatorTest::garbageIsSkipped_data() {
    QTest::addColumn<bool>("programming");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("noise before entry")
        << false << QByteArray("\x00\xFFxyz", 5) + Entry << Identification;
    QTest::newRow("false start of entry") << false << hexToBytes("0254") + Entry << Identification;
    QTest::newRow("doubled entry start") << false << hexToBytes("02") + Entry << Identification;
    QTest::newRow("read with wrong length byte") << true << hexToBytes("5203E007") + Ack << Ack;
    QTest::newRow("d without o") << true << hexToBytes("6400") + Ack << Ack;
    QTest::newRow("unknown bytes") << true << hexToBytes("0001FF") + readFrame(0x03E0)
                                   << hexToBytes("5703E00860134017FFFFFFFF");
}

void SimulatorTest::garbageIsSkipped() {
    QFETCH(bool, programming);
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, expected);
    RadioSimulator radio = programming ? openRadio() : RadioSimulator();
    QCOMPARE(answers(radio, bytes), expected);
    QVERIFY(radio.inProgrammingMode());
}

void SimulatorTest::framesSplitAndMerged_data() {
    QTest::addColumn<int>("chunk"); // bytes per receive() call; 0: all at once
    QTest::newRow("all at once") << 0;
    QTest::newRow("byte by byte") << 1;
    QTest::newRow("threes") << 3;
    QTest::newRow("fives") << 5;
}

void SimulatorTest::framesSplitAndMerged() {
    QFETCH(int, chunk);
    const QByteArray data = hexToBytes("0102030405060708");
    const QByteArray session = Entry + Ack + readFrame(0x03E0) + Ack + writeFrame(0x0010, data) +
                               readFrame(0x0010) + End + Entry;
    const QByteArray expected = Identification + Ack + hexToBytes("5703E00860134017FFFFFFFF") +
                                Ack + Ack + hexToBytes("57001008") + data + Identification;
    RadioSimulator radio;
    QByteArray got;
    int replies = 0;
    const int step = chunk == 0 ? session.size() : chunk;
    for (int at = 0; at < session.size(); at += step) {
        for (const SimulatorReply& reply : radio.receive(session.mid(at, step))) {
            got += reply.bytes;
            ++replies;
        }
    }
    QCOMPARE(got, expected);
    QCOMPARE(replies, 7); // one reply per answered frame, even when frames arrive together
    QCOMPARE(radio.framesReceived(), 8);
}

void SimulatorTest::faults_data() {
    QTest::addColumn<SimulatorFaults>("faults");
    QTest::addColumn<QList<QByteArray>>("expected"); // answer to each frame of the session
    QTest::addColumn<bool>("stored");
    const QByteArray readReply = hexToBytes("5703E00860134017FFFFFFFF");
    const QByteArray none;
    SimulatorFaults silent;
    silent.silent = true;
    SimulatorFaults wrongId;
    wrongId.wrongIdentification = true;
    SimulatorFaults lostEntry;
    lostEntry.noAnswerAtFrame = 1;
    SimulatorFaults lostWrite;
    lostWrite.noAnswerAtFrame = 4;
    SimulatorFaults wrongAck;
    wrongAck.wrongByteAtFrame = 2;
    SimulatorFaults wrongRead;
    wrongRead.wrongByteAtFrame = 3;
    SimulatorFaults hangUp;
    hangUp.hangUpAfterFrames = 2;
    const QByteArray other = hexToBytes("06207661726B6F6D");
    // The session: entry, entry (ignored inside a session, so not counted), ACK, read band,
    // write channel 1.
    QTest::newRow("none") << SimulatorFaults{}
                          << QList<QByteArray>{Identification, none, Ack, readReply, Ack} << true;
    QTest::newRow("silent") << silent << QList<QByteArray>{none, none, none, none, none} << false;
    QTest::newRow("wrong identification")
        << wrongId << QList<QByteArray>{other, other, none, none, none} << false;
    QTest::newRow("entry lost, retry answered")
        << lostEntry << QList<QByteArray>{none, Identification, Ack, readReply, Ack} << true;
    QTest::newRow("write lost") << lostWrite
                                << QList<QByteArray>{Identification, none, Ack, readReply, none}
                                << false;
    QTest::newRow("wrong ACK byte")
        << wrongAck << QList<QByteArray>{Identification, none, hexToBytes("F9"), readReply, Ack}
        << true;
    QTest::newRow("wrong first byte of a read reply")
        << wrongRead
        << QList<QByteArray>{Identification, none, Ack, hexToBytes("A8") + readReply.mid(1), Ack}
        << true;
    QTest::newRow("hang-up after two frames")
        << hangUp << QList<QByteArray>{Identification, none, Ack, none, none} << false;
}

void SimulatorTest::faults() {
    QFETCH(SimulatorFaults, faults);
    QFETCH(QList<QByteArray>, expected);
    QFETCH(bool, stored);
    RadioSimulator radio(RadioSimulator::factoryImage(), faults);
    const QByteArray data = hexToBytes("0102030405060708");
    const QList<QByteArray> session = {Entry, Entry, Ack, readFrame(0x03E0),
                                       writeFrame(0x0010, data)};
    for (int i = 0; i < session.size(); ++i)
        QCOMPARE(answers(radio, session.at(i)), expected.at(i));
    QCOMPARE(block(0x0010, radio.image()) == data, stored);
}

void SimulatorTest::replyDelay() {
    SimulatorFaults faults;
    faults.replyDelayMs = 40;
    RadioSimulator radio(RadioSimulator::factoryImage(), faults);
    const QList<SimulatorReply> replies = radio.receive(Entry);
    QCOMPARE(replies.size(), 1);
    QCOMPARE(replies.first().delayMs, 40);
    QCOMPARE(RadioSimulator().receive(Entry).first().delayMs, 0);

    // One answer late, on top of the delay of every answer.
    faults.lateReplyAtFrame = 2;
    faults.lateReplyMs = 300;
    RadioSimulator late(RadioSimulator::factoryImage(), faults);
    QCOMPARE(late.receive(Entry).first().delayMs, 40);
    QCOMPARE(late.receive(Ack).first().delayMs, 340);
    QCOMPARE(late.receive(Ack).first().delayMs, 40);
}

void SimulatorTest::hangUpDropsTheRest() {
    SimulatorFaults faults;
    faults.hangUpAfterFrames = 2;
    RadioSimulator radio(RadioSimulator::factoryImage(), faults);
    // Frames arriving in one piece: the ones after the hang-up are not answered.
    QCOMPARE(answers(radio, Entry + Ack + Ack + End + Entry), Identification + Ack);
    QVERIFY(radio.hungUp());
    QCOMPARE(radio.framesReceived(), 2);
    QCOMPARE(answers(radio, Entry), QByteArray());

    // Repaired, it goes on from where it was: still in the session the hang-up broke off.
    radio.setFaults({});
    QVERIFY(!radio.hungUp());
    QCOMPARE(answers(radio, Ack), Ack);
}

void SimulatorTest::abandonedSessionStartsAfresh() {
    RadioSimulator radio = openRadio();
    QCOMPARE(answers(radio, hexToBytes("5700")), QByteArray()); // half a write frame
    QVERIFY(radio.sessionOpen());
    radio.abandonSession();
    QVERIFY(!radio.sessionOpen());
    QVERIFY(!radio.inProgrammingMode());
    QCOMPARE(answers(radio, Entry), Identification);
}

void SimulatorTest::frameLog() {
    RadioSimulator radio;
    radio.setFrameLogging(true);
    (void)radio.receive(hexToBytes("0001") + Entry + hexToBytes("06"));
    const QList<SimulatorFrame> log = radio.takeFrameLog();
    QCOMPARE(log.size(), 3);
    QCOMPARE(log.at(0).bytes, hexToBytes("0001"));
    QVERIFY(!log.at(0).recognised);
    QCOMPARE(log.at(1).bytes, Entry);
    QVERIFY(log.at(1).recognised);
    QCOMPARE(log.at(2).bytes, Ack);
    QVERIFY(radio.takeFrameLog().isEmpty());
}

void SimulatorTest::images() {
    const QByteArray erased = RadioSimulator::erasedImage();
    QCOMPARE(erased, QByteArray(1024, '\xFF'));

    const QByteArray factory = RadioSimulator::factoryImage();
    QCOMPARE(factory.size(), 1024);
    QCOMPARE(bytesToHex(block(MemoryImage::OptionsAddress, factory)),
             QStringLiteral("FF02FF04FF00FFFF"));
    QCOMPARE(bytesToHex(block(MemoryImage::BandAddress, factory)),
             QStringLiteral("60134017FFFFFFFF"));
    QCOMPARE(bytesToHex(block(MemoryImage::PowerAddress, factory)),
             QStringLiteral("C832F1FFFFFFFFFF"));
    QCOMPARE(factory.left(0x0110), erased.left(0x0110));

    const QByteArray demo = RadioSimulator::demoImage();
    QCOMPARE(demo.mid(0x0110), factory.mid(0x0110));
    int used = 0;
    for (int channel = 1; channel <= 16; ++channel) {
        const ChannelRow row =
            codec::decodeChannel(MemoryImage(demo), channel, englishWords(), '.');
        if (row[0].isEmpty())
            continue;
        ++used;
        QVERIFY2(channelProblems(row, englishWords(), channel).isEmpty(), qPrintable(row[0]));
        const double rx = row[0].toDouble();
        QVERIFY2(rx >= 136.0 && rx <= 174.0, qPrintable(row[0]));
    }
    QVERIFY(used >= 5);
}

void SimulatorTest::shortImageIsPaddedErased() {
    RadioSimulator radio(QByteArray(16, '\0'));
    QCOMPARE(radio.image().size(), 1024);
    QCOMPARE(radio.image().mid(16), QByteArray(1008, '\xFF'));
}

QTEST_GUILESS_MAIN(SimulatorTest)
#include "tst_simulator.moc"
