#include "plan/plan.h"
#include "plan/wording.h"
#include "radio/codec.h"
#include "radio/hex.h"
#include "radio/readprocedure.h"
#include "radio/writeprocedure.h"
#include "sim/simulator.h"
#include "sim/virtuallink.h"

#include "imagefixtures.h"

#include <QLocale>
#include <QTest>

using namespace zev;
using namespace testsupport;

Q_DECLARE_METATYPE(SimulatorFaults)

// A full read and a full write with one fault at each frame of the session in turn: the
// procedure either reports a failure or succeeds with exactly the right data, never anything
// in between, and a read on the same link succeeds once the radio has recovered.
class FaultAtEveryStepTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void read_data();
    void read();
    void write_data();
    void write();
};

namespace {

// Like rh4800-sim, the radio drops a session after this long without a frame.
constexpr int RadioSessionTimeoutMs = 1000;
// Late within every wait, past a short wait but within a long one, past every wait and the
// radio's session time-out.
constexpr int LateByMs[] = {100, 400, 1200};

const OptionIndices RadioOptions = {2, 1, 4, 0, 1, 1, 1};
const OptionIndices OtherOptions = {9, 0, 7, 4, 0, 0, 0};
const QString RadioBand = QStringLiteral("136-174MHz");
const QString OtherBand = QStringLiteral("140-160MHz");

// Sixteen channels that all differ from each other and from the ones below, so a block that
// lands in the wrong row or a row that is not read shows.
ChannelRow plannedRow(int row) {
    const Words words = chineseWords();
    const QString tones[] = {words.off, QStringLiteral("67.0"), QStringLiteral("D023N"),
                             QStringLiteral("88.5"), QStringLiteral("D754I")};
    return {QStringLiteral("%1.12500").arg(140 + row),
            tones[row % 5],
            QStringLiteral("%1.62500").arg(140 + row),
            tones[(row + 2) % 5],
            row % 2 ? words.high : words.low,
            row % 3 ? words.on : words.off,
            row % 4 ? words.off : words.on};
}

QByteArray withPlan(const QByteArray& bytes, const OptionIndices& options, const QString& band) {
    MemoryImage image(bytes);
    for (int row = 1; row <= Plan::ChannelCount; ++row) {
        const codec::ChannelBlocks blocks = codec::encodeChannel(plannedRow(row), chineseWords());
        image.setBlock(MemoryImage::channelAddress(row, false), blocks.first);
        image.setBlock(MemoryImage::channelAddress(row, true), blocks.second);
    }
    image.setBlock(MemoryImage::OptionsAddress, codec::encodeOptions(options));
    image.setBlock(MemoryImage::BandAddress, codec::encodeBand(band));
    return image.bytes();
}

// The radio a read meets, and the radio a write changes into the one it should leave.
QByteArray readImage() {
    return withPlan(RadioSimulator::factoryImage(), RadioOptions, RadioBand);
}
QByteArray imageBeforeWrite() {
    return RadioSimulator::demoImage();
}
QByteArray imageAfterWrite() {
    return withPlan(imageBeforeWrite(), OtherOptions, OtherBand);
}

// The simulated radio on the virtual line, dropping a session that went quiet.
class Rig {
public:
    explicit Rig(QByteArray image, SimulatorFaults faults = {}) : radio(std::move(image), faults) {
        QObject::connect(&link, &RadioLink::bytesSent, [this] { heard(); });
    }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    RadioSimulator radio;
    VirtualLink link{radio};

private:
    // Quiet counts from the last byte the radio took in as part of a frame.
    void heard() {
        if (radio.framesReceived() == m_frames && !radio.partialFrame())
            return;
        m_frames = radio.framesReceived();
        const qint64 dropAt = link.nowMilliseconds() + RadioSessionTimeoutMs;
        m_dropAt = dropAt;
        link.schedule(dropAt, [this, dropAt] {
            if (m_dropAt == dropAt)
                radio.abandonSession();
        });
    }

    int m_frames = 0;
    qint64 m_dropAt = 0;
};

// The program before a read: every row, the options and the band differ from the radio's.
struct Program {
    Program() {
        for (int row = 1; row <= Plan::ChannelCount; ++row)
            plan.setChannel(row, previousRow(row));
        plan.options = OtherOptions;
        plan.band = QStringLiteral("400-470MHz");
    }
    Plan plan;
    const Wording wording;
};

QString rowText(const ChannelRow& row) {
    return QStringList(row.begin(), row.end()).join(QLatin1Char('|'));
}

QString optionsText(const OptionIndices& options) {
    QStringList digits;
    for (const int index : options)
        digits.append(QString::number(index));
    return digits.join(QLatin1Char(' '));
}

// The plan and band as lines, so a comparison names the row that differs.
QStringList summary(const Plan& plan) {
    QStringList lines;
    for (int row = 1; row <= Plan::ChannelCount; ++row)
        lines.append(rowText(plan.channel(row)));
    lines.append(optionsText(plan.options));
    lines.append(plan.band);
    return lines;
}

QStringList plannedSummary(const OptionIndices& options, const QString& band) {
    QStringList lines;
    for (int row = 1; row <= Plan::ChannelCount; ++row)
        lines.append(rowText(plannedRow(row)));
    lines.append(optionsText(options));
    lines.append(band);
    return lines;
}

// What a read of this image gives over a sound line; empty when even that fails.
QStringList soundRead(const QByteArray& image) {
    Rig rig(image);
    Program program;
    if (!readRadio(rig.link, program.plan, program.wording).succeeded())
        return {};
    return summary(program.plan);
}

void writePlan(Plan& plan) {
    for (int row = 1; row <= Plan::ChannelCount; ++row)
        plan.setChannel(row, plannedRow(row));
    plan.options = OtherOptions;
    plan.band = OtherBand;
}

int readFrames = 0;
int writeFrames = 0;

void addFaultRows(int frames) {
    QTest::addColumn<SimulatorFaults>("faults");
    for (int k = 1; k <= frames; ++k) {
        QTest::addRow("no answer at %d", k) << SimulatorFaults{.noAnswerAtFrame = k};
        QTest::addRow("wrong first byte at %d", k) << SimulatorFaults{.wrongByteAtFrame = k};
        QTest::addRow("hang-up after %d", k) << SimulatorFaults{.hangUpAfterFrames = k};
        for (const int late : LateByMs)
            QTest::addRow("%d ms late at %d", late, k)
                << SimulatorFaults{.lateReplyAtFrame = k, .lateReplyMs = late};
    }
}

// The radio recovers; a read right after, on the same link, must give what the radio holds.
void checkLinkUsable(Rig& rig) {
    QVERIFY(!rig.link.sessionRunning());
    rig.radio.setFaults({});
    Program program;
    const SessionResult result = readRadio(rig.link, program.plan, program.wording);
    QVERIFY2(result.succeeded(), qPrintable(result.reason));
    QCOMPARE(summary(program.plan), soundRead(rig.radio.image()));
}

} // namespace

void FaultAtEveryStepTest::initTestCase() {
    QLocale::setDefault(QLocale::c());
    // The sessions without a fault, counted as the radio hears them.
    Rig readRig(readImage());
    Program program;
    QVERIFY(readRadio(readRig.link, program.plan, program.wording).succeeded());
    QCOMPARE(summary(program.plan), plannedSummary(RadioOptions, RadioBand));
    readFrames = readRig.radio.framesReceived();

    Rig writeRig(imageBeforeWrite());
    Plan plan;
    writePlan(plan);
    QVERIFY(writeRadio(writeRig.link, plan, Wording{}).succeeded());
    QCOMPARE(writeRig.radio.image(), imageAfterWrite());
    writeFrames = writeRig.radio.framesReceived();
    // Every block the write sends changes the radio, so a block not written shows.
    QList<int> written = {MemoryImage::OptionsAddress, MemoryImage::BandAddress};
    for (int row = 1; row <= Plan::ChannelCount; ++row)
        written << MemoryImage::channelAddress(row, false)
                << MemoryImage::channelAddress(row, true);
    for (const int address : written)
        QVERIFY(imageBeforeWrite().mid(address, MemoryImage::BlockSize) !=
                imageAfterWrite().mid(address, MemoryImage::BlockSize));
}

void FaultAtEveryStepTest::read_data() {
    addFaultRows(readFrames);
}

void FaultAtEveryStepTest::read() {
    QFETCH(SimulatorFaults, faults);
    Rig rig(readImage(), faults);
    Program program;
    const SessionResult result = readRadio(rig.link, program.plan, program.wording);
    QCOMPARE(rig.radio.image(), readImage());
    const QStringList got = summary(program.plan);
    if (result.succeeded()) {
        QCOMPARE(got, plannedSummary(RadioOptions, RadioBand));
    } else {
        QCOMPARE(result.outcome, SessionOutcome::Failed);
        QVERIFY(!result.reason.isEmpty());
        // Each row is the radio's, cleared or as it was; never anything else.
        for (int row = 1; row <= Plan::ChannelCount; ++row) {
            const QString text = got.at(row - 1);
            QVERIFY2(text == rowText(plannedRow(row)) || text == rowText(previousRow(row)) ||
                         text == rowText(ChannelRow{}),
                     qPrintable(QStringLiteral("row %1: %2").arg(row).arg(text)));
        }
        QVERIFY2(got.at(16) == optionsText(RadioOptions) || got.at(16) == optionsText(OtherOptions),
                 qPrintable(got.at(16)));
        QVERIFY2(got.at(17) == RadioBand || got.at(17) == QStringLiteral("400-470MHz"),
                 qPrintable(got.at(17)));
    }
    checkLinkUsable(rig);
}

void FaultAtEveryStepTest::write_data() {
    addFaultRows(writeFrames);
}

void FaultAtEveryStepTest::write() {
    QFETCH(SimulatorFaults, faults);
    Rig rig(imageBeforeWrite(), faults);
    Plan plan;
    writePlan(plan);
    const SessionResult result = writeRadio(rig.link, plan, Wording{});
    const QByteArray before = imageBeforeWrite(), after = imageAfterWrite();
    if (result.succeeded()) {
        QCOMPARE(rig.radio.image(), after);
    } else {
        QCOMPARE(result.outcome, SessionOutcome::Failed);
        QVERIFY(!result.reason.isEmpty());
        // Each block is the old one or the new one; never anything else.
        for (int address = 0; address < MemoryImage::Size; address += MemoryImage::BlockSize) {
            const QByteArray block = rig.radio.image().mid(address, MemoryImage::BlockSize);
            QVERIFY2(block == before.mid(address, MemoryImage::BlockSize) ||
                         block == after.mid(address, MemoryImage::BlockSize),
                     qPrintable(QStringLiteral("block %1: %2")
                                    .arg(address, 4, 16, QLatin1Char('0'))
                                    .arg(bytesToHex(block))));
        }
    }
    checkLinkUsable(rig);
}

QTEST_GUILESS_MAIN(FaultAtEveryStepTest)
#include "tst_faultateverystep.moc"
