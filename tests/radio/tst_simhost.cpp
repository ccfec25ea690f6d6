#include "radio/codec.h"
#include "radio/hex.h"
#include "sim/simulator.h"

#include "files.h"
#include "programrun.h"
#include "simulatorprocess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using namespace zev;
using namespace testsupport;

namespace {

// Generous limits that only stop a broken run from hanging; nothing here measures time.
constexpr int StartLimitMs = ProcessLimitMs;
constexpr int ReplyLimitMs = 5000;
// How long a frame that must stay unanswered is given to prove it.
constexpr int SilenceMs = 300;

const QString Entry = QStringLiteral("0254414C766578");
const QString Identification = QStringLiteral("06207661726B6F6C");

QString simulatorPath() {
    return binaryPath(QStringLiteral("rh4800-sim"));
}

// The programmer's end of the pseudo-terminal, opened the plain POSIX way.
class Terminal {
public:
    explicit Terminal(const QString& path) {
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios settings{};
        if (m_fd >= 0 && ::tcgetattr(m_fd, &settings) == 0) {
            ::cfmakeraw(&settings);
            ::tcsetattr(m_fd, TCSANOW, &settings);
        }
    }
    ~Terminal() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool isOpen() const { return m_fd >= 0; }

    // Sends a frame and collects the answer: `expected` bytes, or whatever came when time ran out.
    QString exchange(const QString& frameHex, int expected, int limitMs = ReplyLimitMs) {
        const QByteArray frame = hexToBytes(frameHex);
        if (::write(m_fd, frame.constData(), frame.size()) != frame.size())
            return QStringLiteral("write failed");
        QByteArray got;
        QElapsedTimer timer;
        timer.start();
        while (got.size() < expected || expected == 0) {
            const qint64 left = limitMs - timer.elapsed();
            if (left <= 0)
                break;
            pollfd fd = {m_fd, POLLIN, 0};
            if (::poll(&fd, 1, static_cast<int>(left)) <= 0)
                break;
            char buffer[64];
            const ssize_t count = ::read(m_fd, buffer, sizeof buffer);
            if (count > 0)
                got.append(buffer, count);
        }
        return bytesToHex(got);
    }
    QString unanswered(const QString& frameHex) { return exchange(frameHex, 0, SilenceMs); }
    // A frame trickling in: one byte, then a pause, and so on; the answer as exchange() gives it.
    QString trickle(const QString& frameHex, int expected, int gapMs) {
        const QByteArray frame = hexToBytes(frameHex);
        for (qsizetype i = 0; i + 1 < frame.size(); ++i) {
            if (::write(m_fd, frame.constData() + i, 1) != 1)
                return QStringLiteral("write failed");
            QTest::qSleep(gapMs);
        }
        return exchange(bytesToHex(frame.right(1)), expected);
    }

private:
    int m_fd = -1;
};

} // namespace

class SimHostTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void sessionImageAndTrace_data();
    void sessionImageAndTrace();
    void imageLoadedAndSavedOnEveryWrite();
    void wrongImageSizeRefused();
    void startImages_data();
    void startImages();
    void linkFollowsTheTerminal();
    void clientMayCloseAndReopen();
    void faultOptions_data();
    void faultOptions();
    void quietSessionIsDropped();
    void entryFrameAfterQuiet_data();
    void entryFrameAfterQuiet();
    void badOptionsRefused_data();
    void badOptionsRefused();
};

void SimHostTest::initTestCase() {
    QVERIFY2(QFileInfo(simulatorPath()).isExecutable(), qPrintable(simulatorPath()));
}

void SimHostTest::sessionImageAndTrace_data() {
    QTest::addColumn<QStringList>("pacing");
    QTest::newRow("unpaced") << QStringList{"--baud", "0"};
    QTest::newRow("paced by default") << QStringList{};
}

void SimHostTest::sessionImageAndTrace() {
    QFETCH(QStringList, pacing);
    QTemporaryDir dir;
    const QString image = dir.filePath("radio.img");
    const QString trace = dir.filePath("trace.txt");
    SimulatorProcess simulator(QStringList{"--image", image, "--trace", trace} + pacing);
    QVERIFY(!simulator.terminal().isEmpty());
    Terminal radio(simulator.terminal());
    QVERIFY(radio.isOpen());

    QCOMPARE(radio.exchange(Entry, 8), Identification);
    QCOMPARE(radio.exchange("06", 1), QStringLiteral("06"));
    QCOMPARE(radio.exchange("5203E008", 12), QStringLiteral("5703E00860134017FFFFFFFF"));
    QCOMPARE(radio.exchange("570030080025511400255114", 1), QStringLiteral("06"));
    QCOMPARE(radio.exchange("52003008", 12), QStringLiteral("570030080025511400255114"));
    QCOMPARE(radio.unanswered("646F"), QString());
    QVERIFY(simulator.stop());

    QByteArray expected = RadioSimulator::factoryImage();
    expected.replace(0x0030, 8, hexToBytes("0025511400255114"));
    QCOMPARE(readFile(image), expected);

    QStringList lines;
    for (const QString& line : QString::fromUtf8(readFile(trace)).split('\n', Qt::SkipEmptyParts)) {
        if (line.contains(" # "))
            continue;
        const QStringList fields = line.split(' ');
        QCOMPARE(fields.size(), 3);
        bool isNumber = false;
        fields.at(0).toDouble(&isNumber);
        QVERIFY2(isNumber, qPrintable(line));
        lines << fields.at(1) + ' ' + fields.at(2);
    }
    const QStringList wanted = {"> " + Entry,
                                "< " + Identification,
                                "> 06",
                                "< 06",
                                "> 5203E008",
                                "< 5703E00860134017FFFFFFFF",
                                "> 570030080025511400255114",
                                "< 06",
                                "> 52003008",
                                "< 570030080025511400255114",
                                "> 646F"};
    QCOMPARE(lines, wanted);
}

void SimHostTest::imageLoadedAndSavedOnEveryWrite() {
    QTemporaryDir dir;
    const QString image = dir.filePath("radio.img");
    QByteArray start = RadioSimulator::erasedImage();
    start.replace(0x03E0, 8, hexToBytes("00400048FFFFFFFF"));
    QVERIFY(writeFile(image, start));

    SimulatorProcess simulator({"--baud", "0", "--image", image});
    Terminal radio(simulator.terminal());
    QCOMPARE(radio.exchange(Entry, 8), Identification);
    QCOMPARE(radio.exchange("5203E008", 12), QStringLiteral("5703E00800400048FFFFFFFF"));
    QCOMPARE(radio.exchange("5703C008FA05FF03FF02FEFF", 1), QStringLiteral("06"));
    // Saved while the simulator runs on: the file holds the write before anything else happens.
    start.replace(0x03C0, 8, hexToBytes("FA05FF03FF02FEFF"));
    QTRY_COMPARE_WITH_TIMEOUT(readFile(image), start, ReplyLimitMs);
    QVERIFY(simulator.stop());
    QCOMPARE(readFile(image), start);
}

void SimHostTest::wrongImageSizeRefused() {
    QTemporaryDir dir;
    const QString image = dir.filePath("short.img");
    const QByteArray content(1000, '\x11');
    QVERIFY(writeFile(image, content));
    QProcess process;
    process.start(simulatorPath(), {"--image", image});
    QVERIFY(process.waitForFinished(StartLimitMs));
    QVERIFY(process.exitCode() != 0);
    QCOMPARE(process.readAllStandardOutput(), QByteArray());
    const QString error = QString::fromLocal8Bit(process.readAllStandardError());
    QVERIFY2(error.contains(image) && error.contains("1000 bytes") && error.contains("1024"),
             qPrintable(error));
    QCOMPARE(readFile(image), content);
}

void SimHostTest::startImages_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("channelOne");
    QTest::addColumn<QString>("band");
    const QString demoFirst = bytesToHex(
        toBytes(codec::encodeChannel({"146.52000", "OFF", "146.52000", "OFF", "High", "ON", "ON"},
                                     englishWords())
                    .first));
    QTest::newRow("factory") << QStringList{} << "FFFFFFFFFFFFFFFF"
                             << "60134017FFFFFFFF";
    QTest::newRow("demo") << QStringList{"--demo"} << demoFirst << "60134017FFFFFFFF";
    QTest::newRow("erased") << QStringList{"--erased"} << "FFFFFFFFFFFFFFFF"
                            << "FFFFFFFFFFFFFFFF";
}

void SimHostTest::startImages() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, channelOne);
    QFETCH(QString, band);
    SimulatorProcess simulator(QStringList{"--baud", "0"} + arguments);
    Terminal radio(simulator.terminal());
    QCOMPARE(radio.exchange(Entry, 8), Identification);
    QCOMPARE(radio.exchange("52001008", 12).mid(8), channelOne);
    QCOMPARE(radio.exchange("5203E008", 12).mid(8), band);
    QVERIFY(simulator.stop());
}

void SimHostTest::linkFollowsTheTerminal() {
    QTemporaryDir dir;
    const QString link = dir.filePath("ttyRADIO");
    QVERIFY(QFile::link("/nonexistent/stale", link)); // left by a host that was killed
    {
        SimulatorProcess simulator({"--baud", "0", "--link", link});
        QVERIFY(!simulator.terminal().isEmpty());
        QCOMPARE(QFileInfo(link).symLinkTarget(), simulator.terminal());
        Terminal radio(link);
        QCOMPARE(radio.exchange(Entry, 8), Identification);
        QVERIFY(simulator.stop());
    }
    QVERIFY(!QFileInfo(link).isSymLink());

    // A file that is not a link is never replaced.
    QVERIFY(writeFile(link, "keep"));
    QProcess process;
    process.start(simulatorPath(), {"--link", link});
    QVERIFY(process.waitForFinished(StartLimitMs));
    QVERIFY(process.exitCode() != 0);
    QVERIFY(QString::fromLocal8Bit(process.readAllStandardError()).contains(link));
    QCOMPARE(readFile(link), QByteArray("keep"));
}

void SimHostTest::clientMayCloseAndReopen() {
    SimulatorProcess simulator({"--baud", "0"});
    for (int session = 0; session < 3; ++session) {
        Terminal radio(simulator.terminal());
        QVERIFY(radio.isOpen());
        QCOMPARE(radio.exchange(Entry, 8), Identification);
        QCOMPARE(radio.exchange("06", 1), QStringLiteral("06"));
        QCOMPARE(radio.unanswered("646F"), QString());
    }
    QVERIFY(simulator.stop());
}

void SimHostTest::faultOptions_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("frames");
    QTest::addColumn<QStringList>("answers");
    const QStringList session = {Entry, Entry, "06", "5203C008"};
    const QString options = "5703C008FF02FF04FF00FFFF";
    QTest::newRow("silent") << QStringList{"--silent"} << QStringList{Entry}
                            << QStringList{QString()};
    QTest::newRow("wrong id") << QStringList{"--wrong-id"} << QStringList{Entry}
                              << QStringList{"06207661726B6F6D"};
    QTest::newRow("no answer at 1") << QStringList{"--no-answer-at", "1"} << session
                                    << QStringList{QString(), Identification, "06", options};
    QTest::newRow("wrong byte at 2") << QStringList{"--wrong-byte-at", "2"} << session
                                     << QStringList{Identification, QString(), "F9", options};
    QTest::newRow("hang up after 2") << QStringList{"--hang-up-after", "2"} << session
                                     << QStringList{Identification, QString(), "06", QString()};
    QTest::newRow("late but answered") << QStringList{"--reply-delay", "20", "--latency", "10"}
                                       << QStringList{Entry} << QStringList{Identification};
    // A write acknowledged as ever, and what the radio kept of it read back.
    const QStringList storeAndRead = {Entry, "06", "5703C008F905FF04FF00FFFF", "5203C008"};
    QTest::newRow("store nothing") << QStringList{"--store-nothing"} << storeAndRead
                                   << QStringList{Identification, "06", "06", options};
    QTest::newRow("corrupt store")
        << QStringList{"--corrupt-store", "0x3C1"} << storeAndRead
        << QStringList{Identification, "06", "06", "5703C008F9FAFF04FF00FFFF"};
}

void SimHostTest::faultOptions() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, frames);
    QFETCH(QStringList, answers);
    SimulatorProcess simulator(QStringList{"--baud", "0"} + arguments);
    Terminal radio(simulator.terminal());
    for (int i = 0; i < frames.size(); ++i) {
        const int expected = answers.at(i).size() / 2;
        const QString answer =
            expected == 0 ? radio.unanswered(frames.at(i)) : radio.exchange(frames.at(i), expected);
        QCOMPARE(answer, answers.at(i));
    }
    QVERIFY(simulator.stop());
}

void SimHostTest::quietSessionIsDropped() {
    SimulatorProcess simulator({"--baud", "0", "--session-timeout", "100"});
    Terminal radio(simulator.terminal());
    QCOMPARE(radio.exchange(Entry, 8), Identification);
    QCOMPARE(radio.exchange("5700", 0, 0), QString()); // half a frame, then quiet
    QTest::qWait(400);
    QCOMPARE(radio.exchange(Entry, 8), Identification);
    QVERIFY(simulator.stop());
}

// Quiet before a frame is no reason to drop it: a programmer that starts a while after the radio
// came up, or after a session it broke off, is answered, however its bytes trickle in.
void SimHostTest::entryFrameAfterQuiet_data() {
    QTest::addColumn<QStringList>("pacing");
    QTest::addColumn<bool>("brokenSessionFirst");
    QTest::addColumn<int>("byteGapMs"); // 0: the frame written whole
    QTest::newRow("paced, whole frame") << QStringList{} << false << 0;
    QTest::newRow("paced, a byte at a time") << QStringList{} << false << 30;
    QTest::newRow("unpaced, a byte at a time") << QStringList{"--baud", "0"} << false << 30;
    QTest::newRow("paced, after a broken-off session") << QStringList{} << true << 0;
    QTest::newRow("after a broken-off session, a byte at a time") << QStringList{} << true << 30;
}

void SimHostTest::entryFrameAfterQuiet() {
    QFETCH(QStringList, pacing);
    QFETCH(bool, brokenSessionFirst);
    QFETCH(int, byteGapMs);
    constexpr int TimeoutMs = 300;
    SimulatorProcess simulator(pacing +
                               QStringList{"--session-timeout", QString::number(TimeoutMs)});
    Terminal radio(simulator.terminal());
    QVERIFY(radio.isOpen());
    if (brokenSessionFirst) {
        QCOMPARE(radio.exchange(Entry, 8), Identification);
        QCOMPARE(radio.exchange("06", 1), QStringLiteral("06"));
        QCOMPARE(radio.exchange("5203", 0, 0), QString()); // broken off mid-frame
    }
    QTest::qWait(3 * TimeoutMs);
    const QString answer =
        byteGapMs > 0 ? radio.trickle(Entry, 8, byteGapMs) : radio.exchange(Entry, 8);
    QCOMPARE(answer, Identification);
    QCOMPARE(radio.exchange("06", 1), QStringLiteral("06"));
    QVERIFY(simulator.stop());
}

void SimHostTest::badOptionsRefused_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named");
    QTest::newRow("baud not a number") << QStringList{"--baud", "fast"} << "--baud";
    QTest::newRow("negative latency") << QStringList{"--latency", "-5"} << "--latency";
    QTest::newRow("demo and erased") << QStringList{"--demo", "--erased"} << "--erased";
    QTest::newRow("address beyond the image")
        << QStringList{"--corrupt-store", "0x400"} << "--corrupt-store";
    QTest::newRow("unknown option") << QStringList{"--colour"} << "colour";
    QTest::newRow("stray argument") << QStringList{"radio.img"} << "radio.img";
}

void SimHostTest::badOptionsRefused() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);
    QProcess process;
    process.start(simulatorPath(), arguments);
    QVERIFY(process.waitForFinished(StartLimitMs));
    QCOMPARE(process.exitCode(), 2);
    QCOMPARE(process.readAllStandardOutput(), QByteArray());
    const QString error = QString::fromLocal8Bit(process.readAllStandardError());
    QVERIFY2(error.contains(named), qPrintable(error));
}

QTEST_GUILESS_MAIN(SimHostTest)
#include "tst_simhost.moc"
