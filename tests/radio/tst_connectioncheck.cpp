#include "jobs/connectioncheck.h"
#include "radio/frames.h"
#include "radio/identifyprocedure.h"
#include "sim/simulator.h"
#include "sim/virtuallink.h"

#include "frames.h"
#include "simulatorprocess.h"

#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

using namespace zev;
using namespace testsupport;

// The identification exchange on the wire, the judging of what the system shows about a port,
// and the whole check against rh4800-sim as its own process.
class ConnectionCheckTest : public QObject {
    Q_OBJECT
private slots:
    void identificationOnTheWire();
    void identificationFaults_data();
    void identificationFaults();
    void radioLeftInProgrammingModeIsBroughtOut();
    void portJudged_data();
    void portJudged();
    void lowLatencyJudged_data();
    void lowLatencyJudged();
    void sessionLeftOpenByADeadClient();
};

namespace {

const QString End = QStringLiteral(">646F");
const QString Entry = QStringLiteral(">0254414C766578");
const QString Identification = QStringLiteral("<06207661726B6F6C");
const QString Ack = QStringLiteral(">06");
const QString Answer = QStringLiteral("<06");
const QString BandRead = QStringLiteral(">5203E008");

QStringList lineTexts(const QList<CheckLine>& lines) {
    ConnectionCheck check;
    check.lines = lines;
    return connectionCheckText(check);
}

} // namespace

void ConnectionCheckTest::identificationOnTheWire() {
    RadioSimulator radio(RadioSimulator::factoryImage());
    VirtualLink link(radio);
    const RadioIdentity identity = identifyRadio(link);
    QVERIFY2(identity.session.succeeded(), qPrintable(identity.session.reason));
    QCOMPARE(identity.band, QStringLiteral("136-174MHz"));
    // The band block comes back behind the header the radio puts before every block.
    const QString band =
        QStringLiteral("<5703E008") +
        QString::fromLatin1(RadioSimulator::factoryImage().mid(0x03E0, 8).toHex().toUpper());
    QCOMPARE(link.trafficHex(), (QStringList{End, Entry, Identification, Ack, Answer, BandRead,
                                             band, Ack, Answer, End}));
    QCOMPARE(radio.blocksWritten(), 0);
    QVERIFY(!radio.inProgrammingMode());
}

void ConnectionCheckTest::identificationFaults_data() {
    QTest::addColumn<SimulatorFaults>("faults");
    QTest::addColumn<SessionFault>("fault");
    QTest::addColumn<bool>("endFrameLast"); // the radio had answered: it is taken out again
    // Frames the radio counts: 1 the entry frame, 2 the first ACK, 3 the band read.
    QTest::newRow("silent") << SimulatorFaults{.silent = true} << SessionFault::NoAnswer << false;
    QTest::newRow("another model")
        << SimulatorFaults{.wrongIdentification = true} << SessionFault::WrongRadio << false;
    QTest::newRow("first ACK unanswered")
        << SimulatorFaults{.noAnswerAtFrame = 2} << SessionFault::StepUnanswered << true;
    QTest::newRow("band read unanswered")
        << SimulatorFaults{.noAnswerAtFrame = 3} << SessionFault::StepUnanswered << true;
    QTest::newRow("dead after the handshake")
        << SimulatorFaults{.hangUpAfterFrames = 1} << SessionFault::StepUnanswered << true;
}

void ConnectionCheckTest::identificationFaults() {
    QFETCH(SimulatorFaults, faults);
    QFETCH(SessionFault, fault);
    QFETCH(bool, endFrameLast);
    RadioSimulator radio(RadioSimulator::factoryImage(), faults);
    VirtualLink link(radio);
    const RadioIdentity identity = identifyRadio(link);
    QCOMPARE(identity.session.outcome, SessionOutcome::Failed);
    QCOMPARE(identity.session.fault, fault);
    QVERIFY(identity.band.isEmpty());
    const QStringList sent = sentFrames(link);
    QCOMPARE(sent.first(), End.mid(1));
    QCOMPARE(sent.last() == End.mid(1), endFrameLast);
    if (!faults.hangUpAfterFrames)
        QVERIFY(!radio.inProgrammingMode());
    QCOMPARE(radio.blocksWritten(), 0);
}

void ConnectionCheckTest::radioLeftInProgrammingModeIsBroughtOut() {
    // An earlier session identified the radio and broke off: the radio takes every entry frame
    // for noise until something ends its session.
    RadioSimulator radio(RadioSimulator::factoryImage());
    QCOMPARE(radio.receive(frames::entry()).size(), 1);
    QVERIFY(radio.inProgrammingMode());
    VirtualLink link(radio);
    const RadioIdentity identity = identifyRadio(link);
    QVERIFY2(identity.session.succeeded(), qPrintable(identity.session.reason));
    QCOMPARE(link.trafficHex().mid(0, 3), (QStringList{End, Entry, Identification}));
    QVERIFY(!radio.inProgrammingMode());
}

void ConnectionCheckTest::portJudged_data() {
    QTest::addColumn<PortFacts>("facts");
    QTest::addColumn<QStringList>("lines");

    PortFacts usb;
    usb.device = usb.node = QStringLiteral("/dev/ttyUSB0");
    usb.stableName = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0");
    usb.exists = true;
    usb.usbAdapter = true;
    usb.group = QStringLiteral("dialout");
    usb.access = PortAccess::Group;
    const QString there =
        QStringLiteral("✔ The port /dev/ttyUSB0 is there, with the stable name "
                       "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0");
    const QString free = QStringLiteral("✔ Nothing else holds /dev/ttyUSB0");
    const QString noModemManager = QStringLiteral("✔ ModemManager is not running");
    const QString noBrltty =
        QStringLiteral("✔ brltty, the braille display service, is not running");
    QTest::newRow("all clear")
        << usb
        << QStringList{there, "✔ You may open /dev/ttyUSB0 as a member of the group dialout", free,
                       noModemManager, noBrltty};

    PortFacts seat = usb;
    seat.access = PortAccess::AccessList;
    QTest::newRow("the seat's access list")
        << seat
        << QStringList{there,
                       "✔ You may open /dev/ttyUSB0 through its access list, which gives it to "
                       "the person at the computer",
                       free, noModemManager, noBrltty};

    PortFacts outsider = usb;
    outsider.access = PortAccess::Denied;
    QTest::newRow("not in the group")
        << outsider
        << QStringList{there,
                       "✘ You may not open /dev/ttyUSB0: it belongs to the group dialout, which "
                       "you are not in → Join the group with sudo usermod -aG dialout $USER and "
                       "log in again, or install the udev rule 60-zev4800.rules, which gives the "
                       "person at the computer the cable (see the README).",
                       noModemManager, noBrltty};

    PortFacts newMember = outsider;
    newMember.groupJoinedLater = true;
    QTest::newRow("joined, not logged in again")
        << newMember
        << QStringList{there,
                       "✘ You may not open /dev/ttyUSB0 yet: your account is in the group "
                       "dialout, but this login began before it joined → Log out and in again.",
                       noModemManager, noBrltty};

    PortFacts held = usb;
    held.diagnosis.outcome = ProbeOutcome::Busy;
    held.diagnosis.device = usb.node;
    held.diagnosis.holder = {4242, QStringLiteral("minicom")};
    QTest::newRow("held")
        << held
        << QStringList{there, "✔ You may open /dev/ttyUSB0 as a member of the group dialout",
                       "✘ /dev/ttyUSB0 is in use by minicom (process 4242). Close that program "
                       "and try again.",
                       noModemManager, noBrltty};

    PortFacts probed = usb;
    probed.modemManagerRuns = true;
    QTest::newRow("ModemManager not kept away")
        << probed
        << QStringList{there, "✔ You may open /dev/ttyUSB0 as a member of the group dialout", free,
                       "✘ ModemManager runs and may hold /dev/ttyUSB0 for a few seconds after "
                       "the cable is plugged in, sending modem commands down it → Install the "
                       "udev rule 60-zev4800.rules and plug the cable in again (see the README), "
                       "or stop ModemManager with sudo systemctl stop ModemManager.",
                       noBrltty};

    PortFacts ignored = probed;
    ignored.modemManagerIgnoresPort = true;
    ignored.brlttyRuns = true;
    QTest::newRow("ModemManager told to keep away, brltty elsewhere")
        << ignored
        << QStringList{there, "✔ You may open /dev/ttyUSB0 as a member of the group dialout", free,
                       "✔ ModemManager runs and is told to leave /dev/ttyUSB0 alone "
                       "(ID_MM_DEVICE_IGNORE)",
                       "✔ brltty runs, but has left the cable alone"};

    PortFacts terminal;
    terminal.device = terminal.node = QStringLiteral("/dev/pts/7");
    terminal.exists = true;
    terminal.pseudoTerminal = true;
    terminal.access = PortAccess::Owner;
    terminal.modemManagerRuns = true;
    QTest::newRow("pseudo-terminal")
        << terminal
        << QStringList{"✔ The port /dev/pts/7 is there; it has no stable name in "
                       "/dev/serial/by-id",
                       "✔ You may open /dev/pts/7: it is yours", "✔ Nothing else holds /dev/pts/7",
                       "✔ ModemManager runs; it leaves /dev/pts/7 alone, which is no USB adapter",
                       noBrltty};

    // A cable whose device vanished: brltty is the usual taker.
    PortFacts vanished;
    vanished.device = vanished.node = QStringLiteral("/dev/ttyUSB0");
    vanished.diagnosis.outcome = ProbeOutcome::Missing;
    vanished.diagnosis.usbLike = true;
    vanished.diagnosis.brlttyFound = true;
    const QString missing =
        QStringLiteral("✘ There is no serial port /dev/ttyUSB0 → Plug the cable into the computer "
                       "and check the port's name: Port devices… and zev4800-cli ports list the "
                       "serial ports present.");
    QTest::newRow("vanished, brltty installed")
        << vanished
        << QStringList{missing,
                       "✘ brltty, the braille display service, is installed: it claims some USB "
                       "serial adapters and may have taken the cable's → Remove it with sudo apt "
                       "remove brltty (or disable it with sudo systemctl mask "
                       "brltty-udev.service), then plug the cable in again."};
    PortFacts unplugged = vanished;
    unplugged.diagnosis.brlttyFound = false;
    QTest::newRow("not plugged in") << unplugged << QStringList{missing, noBrltty};

    PortFacts unset;
    QTest::newRow("no device")
        << unset
        << QStringList{"✘ No device is set for the port → Choose the cable's device in Port "
                       "devices… or with --port.",
                       noBrltty};
}

void ConnectionCheckTest::portJudged() {
    QFETCH(PortFacts, facts);
    QFETCH(QStringList, lines);
    QCOMPARE(lineTexts(judgePort(facts)), lines);
}

void ConnectionCheckTest::lowLatencyJudged_data() {
    QTest::addColumn<bool>("pseudoTerminal");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QString>("line");
    // A pseudo-terminal refuses the request too, but has no latency to save.
    QTest::newRow("pseudo-terminal")
        << true << "Inappropriate ioctl for device"
        << "✔ Low-latency mode is not needed: /dev/ttyX is a pseudo-terminal, which has no "
           "latency timer";
    QTest::newRow("accepted") << false << ""
                              << "✔ The driver of /dev/ttyX accepted low-latency mode";
    QTest::newRow("refused")
        << false << "Operation not permitted"
        << "✘ The driver of /dev/ttyX refused low-latency mode (Operation not permitted) → "
           "Transfers work all the same, each reply waiting out the adapter's latency timer (16 "
           "ms on FTDI chips).";
}

void ConnectionCheckTest::lowLatencyJudged() {
    QFETCH(bool, pseudoTerminal);
    QFETCH(QString, refusal);
    QFETCH(QString, line);
    PortFacts facts;
    facts.node = QStringLiteral("/dev/ttyX");
    facts.pseudoTerminal = pseudoTerminal;
    QCOMPARE(lineTexts({judgeLowLatency(facts, refusal)}), QStringList{line});
}

// A programmer that died inside its session left the radio waiting for frames; the radio never
// gives up on it here. The check ends that session with the end frame and then finds the radio.
void ConnectionCheckTest::sessionLeftOpenByADeadClient() {
    QTemporaryDir folder;
    const QString trace = folder.filePath("radio.trace");
    SimulatorProcess sim({"--baud", "0", "--session-timeout", "0", "--trace", trace});
    QVERIFY(!sim.terminal().isEmpty());
    {
        QSerialPort client(sim.terminal());
        QVERIFY(client.open(QIODevice::ReadWrite));
        client.write(frames::entry());
        QByteArray reply;
        while (reply.size() < frames::IdentificationSize && client.waitForReadyRead(5000))
            reply += client.readAll();
        QCOMPARE(reply, frames::identification());
    }
    const ConnectionCheck check = checkConnection(sim.terminal());
    const QStringList text = connectionCheckText(check);
    QVERIFY2(check.radioAnswered, qPrintable(text.join('\n')));
    QCOMPARE(text.last(),
             QString("✔ An RH-4800 answered on %1 (band 136-174MHz)").arg(sim.terminal()));
    for (const CheckLine& line : check.lines)
        QVERIFY2(line.passed, qPrintable(line.text));
    QVERIFY(sim.stop());
    // The end frame is heard as one, inside the old session; nothing is written.
    QCOMPARE(heardFrames(trace), (QStringList{Entry.mid(1), End.mid(1), Entry.mid(1), Ack.mid(1),
                                              BandRead.mid(1), Ack.mid(1), End.mid(1)}));
}

QTEST_GUILESS_MAIN(ConnectionCheckTest)
#include "tst_connectioncheck.moc"
