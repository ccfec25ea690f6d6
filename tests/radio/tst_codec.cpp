#include "radio/codec.h"
#include "radio/hex.h"
#include "radio/memoryimage.h"
#include "radio/writecheck.h"

#include <QRandomGenerator>
#include <QTest>

using namespace zev;

namespace {

// The tables give blocks and fields as the wire's hex text; a short block is erased at its end.
Block block(const QString& hex) {
    return toBlock(hexToBytes(hex));
}

template <std::size_t N> QString hex(const std::array<std::uint8_t, N>& bytes) {
    return bytesToHex(QByteArray(reinterpret_cast<const char*>(bytes.data()), N));
}

QString hex(std::uint8_t byte) {
    return bytesToHex(QByteArray(1, static_cast<char>(byte)));
}

codec::ToneCode toneCode(const QString& hex) {
    const Block bytes = block(hex);
    return {bytes[0], bytes[1]};
}

const Words english = englishWords();
const Words chinese = chineseWords();

} // namespace

Q_DECLARE_METATYPE(zev::Words)
Q_DECLARE_METATYPE(zev::ChannelRow)
Q_DECLARE_METATYPE(zev::OptionIndices)

class CodecTest : public QObject {
    Q_OBJECT
private slots:
    void frequencyDecode_data();
    void frequencyDecode();
    void frequencyEncode_data();
    void frequencyEncode();
    void tone_data();
    void tone();
    void undefinedToneKindKeepsItsBytes_data();
    void undefinedToneKindKeepsItsBytes();
    void toneEncodeOddCells_data();
    void toneEncodeOddCells();
    void channelFlags_data();
    void channelFlags();
    void channelFlagsUndefinedNibbles_data();
    void channelFlagsUndefinedNibbles();
    void channelFlagsWordsOfEitherLanguage_data();
    void channelFlagsWordsOfEitherLanguage();
    void workedExampleChannel_data();
    void workedExampleChannel();
    void emptyChannels_data();
    void emptyChannels();
    void oddCellsKeepTheBlockForm();
    void channelAddresses();
    void imageBlocks();
    void planImage();
    void options_data();
    void options();
    void optionsDecodeOnly_data();
    void optionsDecodeOnly();
    void optionsDecodeFailures_data();
    void optionsDecodeFailures();
    void everyOptionCombinationRoundTrips();
    void unselectedOptions();
    void band_data();
    void band();
    void bandCheck_data();
    void bandCheck();
    void channelCheck_data();
    void channelCheck();
    void randomPlansRoundTrip();
};

void CodecTest::frequencyDecode_data() {
    QTest::addColumn<QString>("block");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("text");
    const QString both = "0025511400255114";
    const int rx = field::RxFrequency;
    QTest::newRow("rx") << both << rx << QChar('.') << "145.12500";
    QTest::newRow("tx") << "FFFFFFFF10000044" << field::TxFrequency << QChar('.') << "440.00010";
    QTest::newRow("comma separator") << both << rx << QChar(',') << "145,12500";
    QTest::newRow("all F is no frequency") << "FFFFFFFF00255114" << rx << QChar('.') << "";
    QTest::newRow("all F under a comma") << "FFFFFFFF" << rx << QChar(',') << "";
    QTest::newRow("hex letter shows as it is") << "00255A14" << rx << QChar('.') << "145.A2500";
    QTest::newRow("seven F are a frequency") << "FFFFFFFE" << rx << QChar('.') << "FEF.FFFFF";
}

void CodecTest::frequencyDecode() {
    QFETCH(QString, block);
    QFETCH(int, offset);
    QFETCH(QChar, separator);
    QFETCH(QString, text);
    QCOMPARE(codec::decodeFrequency(::block(block), offset, separator), text);
}

void CodecTest::frequencyEncode_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("hex");
    QTest::newRow("point") << "145.12500"
                           << "00255114";
    QTest::newRow("comma") << "145,12500"
                           << "00255114";
    QTest::newRow("ten hertz digit") << "440.00010"
                                     << "10000044";
    QTest::newRow("empty") << ""
                           << "FFFFFFFF";
}

void CodecTest::frequencyEncode() {
    QFETCH(QString, cell);
    QFETCH(QString, hex);
    QCOMPARE(::hex(codec::encodeFrequency(cell)), hex);
}

// Codes in address order and their cells, read and written both ways.
void CodecTest::tone_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<Words>("words");
    QTest::newRow("67.0") << "7006"
                          << "67.0" << english;
    QTest::newRow("97.4") << "7409"
                          << "97.4" << english;
    QTest::newRow("100.0") << "0010"
                           << "100.0" << english;
    QTest::newRow("254.1") << "4125"
                           << "254.1" << english;
    QTest::newRow("D023N") << "2380"
                           << "D023N" << english;
    QTest::newRow("D023I") << "23C0"
                           << "D023I" << english;
    QTest::newRow("D754I") << "54C7"
                           << "D754I" << english;
    QTest::newRow("off, English") << "FFFF"
                                  << "OFF" << english;
    QTest::newRow("off, Chinese") << "FFFF"
                                  << "禁用" << chinese;
}

void CodecTest::tone() {
    QFETCH(QString, code);
    QFETCH(QString, cell);
    QFETCH(Words, words);
    QCOMPARE(codec::decodeTone(toneCode(code), words), cell);
    QCOMPARE(hex(codec::encodeTone(cell, words)), code);
}

void CodecTest::undefinedToneKindKeepsItsBytes_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("cell");
    QTest::newRow("3") << "5634"
                       << "345.6";
    QTest::newRow("A") << "34A2"
                       << "A23.4";
    QTest::newRow("F with digits is off") << "23F1"
                                          << "OFF";
}

void CodecTest::undefinedToneKindKeepsItsBytes() {
    QFETCH(QString, code);
    QFETCH(QString, cell);
    QCOMPARE(codec::decodeTone(toneCode(code), english), cell);
    if (cell != english.off)
        QCOMPARE(hex(codec::encodeTone(cell, english)), code);
}

void CodecTest::toneEncodeOddCells_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<Words>("words");
    QTest::addColumn<QString>("code");
    QTest::newRow("empty") << "" << english << "FFFF";
    QTest::newRow("blanks and controls around") << " \t67.0\r\n" << english << "7006";
    QTest::newRow("Chinese off under English") << "禁用" << english << "FFFF";
    QTest::newRow("English off under Chinese") << "OFF" << chinese << "FFFF";
    QTest::newRow("padded off") << " OFF " << english << "FFFF";
}

void CodecTest::toneEncodeOddCells() {
    QFETCH(QString, cell);
    QFETCH(Words, words);
    QFETCH(QString, code);
    QCOMPARE(hex(codec::encodeTone(cell, words)), code);
}

void CodecTest::channelFlags_data() {
    QTest::addColumn<QString>("byte");
    QTest::addColumn<QString>("power");
    QTest::addColumn<QString>("scanAdd");
    QTest::addColumn<QString>("busyLock");
    const Words& w = english;
    QTest::newRow("F4") << "F4" << w.low << w.off << w.on;
    QTest::newRow("F5") << "F5" << w.low << w.off << w.off;
    QTest::newRow("F6") << "F6" << w.low << w.on << w.on;
    QTest::newRow("F7") << "F7" << w.low << w.on << w.off;
    QTest::newRow("FC") << "FC" << w.high << w.off << w.on;
    QTest::newRow("FD") << "FD" << w.high << w.off << w.off;
    QTest::newRow("FE") << "FE" << w.high << w.on << w.on;
    QTest::newRow("FF") << "FF" << w.high << w.on << w.off;
}

void CodecTest::channelFlags() {
    QFETCH(QString, byte);
    QFETCH(QString, power);
    QFETCH(QString, scanAdd);
    QFETCH(QString, busyLock);
    const codec::FlagCells cells = codec::decodeChannelFlags(block(byte)[0], english);
    QCOMPARE(cells.power, power);
    QCOMPARE(cells.scanAdd, scanAdd);
    QCOMPARE(cells.busyLock, busyLock);
    QCOMPARE(hex(codec::encodeChannelFlags(power, scanAdd, busyLock, english)), byte);
}

void CodecTest::channelFlagsUndefinedNibbles_data() {
    QTest::addColumn<QString>("byte");
    QTest::addColumn<QString>("power");
    QTest::addColumn<QString>("scanAdd");
    QTest::addColumn<QString>("busyLock");
    const Words& w = english;
    QTest::newRow("0 reads as 4") << "F0" << w.low << w.off << w.on;
    QTest::newRow("3 reads as 7") << "F3" << w.low << w.on << w.off;
    QTest::newRow("A reads as E") << "FA" << w.high << w.on << w.on;
    QTest::newRow("high nibble not read") << "0E" << w.high << w.on << w.on;
}

void CodecTest::channelFlagsUndefinedNibbles() {
    QFETCH(QString, byte);
    QFETCH(QString, power);
    QFETCH(QString, scanAdd);
    QFETCH(QString, busyLock);
    const codec::FlagCells cells = codec::decodeChannelFlags(block(byte)[0], english);
    QCOMPARE(cells.power, power);
    QCOMPARE(cells.scanAdd, scanAdd);
    QCOMPARE(cells.busyLock, busyLock);
}

// A plan saved under one language and written under the other keeps its meaning.
void CodecTest::channelFlagsWordsOfEitherLanguage_data() {
    QTest::addColumn<Words>("active");
    QTest::addColumn<QString>("power");
    QTest::addColumn<QString>("scanAdd");
    QTest::addColumn<QString>("busyLock");
    QTest::addColumn<QString>("byte");
    QTest::newRow("English cells, Chinese active") << chinese << "High"
                                                   << "ON"
                                                   << "OFF"
                                                   << "FF";
    QTest::newRow("Chinese cells, English active") << english << "高功率"
                                                   << "启用"
                                                   << "禁用"
                                                   << "FF";
    QTest::newRow("Chinese low/off/on, English active") << english << "低功率"
                                                        << "禁用"
                                                        << "启用"
                                                        << "F4";
    QTest::newRow("mixed") << english << "High"
                           << "禁用"
                           << "OFF"
                           << "FD";
    QTest::newRow("unknown power word is low") << english << "Medium"
                                               << "ON"
                                               << "ON"
                                               << "F6";
    QTest::newRow("all empty") << english << ""
                               << ""
                               << ""
                               << "FF";
    QTest::newRow("power only") << english << "Low"
                                << ""
                                << ""
                                << "F4";
}

void CodecTest::channelFlagsWordsOfEitherLanguage() {
    QFETCH(Words, active);
    QFETCH(QString, power);
    QFETCH(QString, scanAdd);
    QFETCH(QString, busyLock);
    QFETCH(QString, byte);
    QCOMPARE(hex(codec::encodeChannelFlags(power, scanAdd, busyLock, active)), byte);
}

void CodecTest::workedExampleChannel_data() {
    QTest::addColumn<Words>("words");
    QTest::addColumn<QChar>("separator");
    QTest::newRow("English") << english << QChar('.');
    QTest::newRow("Chinese, comma") << chinese << QChar(',');
}

void CodecTest::workedExampleChannel() {
    QFETCH(Words, words);
    QFETCH(QChar, separator);
    const QString frequency = QStringLiteral("145") + separator + QStringLiteral("12500");
    const ChannelRow row = {frequency, "67.0", frequency, "D023N", words.high, words.on, words.on};
    const codec::ChannelBlocks blocks = codec::encodeChannel(row, words);
    QCOMPARE(hex(blocks.first), QStringLiteral("0025511400255114"));
    QCOMPARE(hex(blocks.second), QStringLiteral("70062380FEFFFFFF"));
    QCOMPARE(codec::decodeChannel(blocks.first, blocks.second, words, separator), row);
}

void CodecTest::emptyChannels_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("erased") << "FFFFFFFFFFFFFFFF"
                            << "FFFFFFFFFFFFFFFF";
    QTest::newRow("RX none, rest filled") << "FFFFFFFF00255114"
                                          << "70062380FEFFFFFF";
}

void CodecTest::emptyChannels() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    QCOMPARE(codec::decodeChannel(block(first), block(second), english, '.'), ChannelRow{});
    const codec::ChannelBlocks blocks = codec::encodeChannel(ChannelRow{}, english);
    QCOMPARE(hex(blocks.first) + hex(blocks.second), QString(32, QLatin1Char('F')));
}

// Cells too short for their form fill the missing digits with 0 and leave the rest erased.
void CodecTest::oddCellsKeepTheBlockForm() {
    for (const QString& text : {QString(), QStringLiteral("0"), QStringLiteral("5700100800")}) {
        (void)codec::encodeFrequency(text);
        (void)codec::encodeTone(text, english);
        QCOMPARE(hex(codec::encodeBand(text)).right(8), QStringLiteral("FFFFFFFF"));
    }
    QCOMPARE(hex(codec::encodeFrequency(QStringLiteral("1"))), QStringLiteral("00000010"));
    QCOMPARE(hex(codec::encodeBand(QStringLiteral("136"))), QStringLiteral("60130000FFFFFFFF"));
}

void CodecTest::channelAddresses() {
    QCOMPARE(MemoryImage::channelAddress(1, false), 0x0010);
    QCOMPARE(MemoryImage::channelAddress(1, true), 0x0018);
    QCOMPARE(MemoryImage::channelAddress(16, false), 0x0100);
    QCOMPARE(MemoryImage::channelAddress(16, true), 0x0108);
    QCOMPARE(MemoryImage::channelAt(0x0108, true), 16);
    QCOMPARE(MemoryImage::channelAt(0x0108, false), 0);
    QCOMPARE(MemoryImage::channelAt(0x0008, true), 0);
    QCOMPARE(MemoryImage::channelAt(0x0118, true), 0);
    QCOMPARE(MemoryImage::channelAt(MemoryImage::OptionsAddress, false), 0);
}

// Bytes a file or a short sample gives: missing ones erased, extra ones dropped, and no block
// read or written outside the image.
void CodecTest::imageBlocks() {
    MemoryImage image(QByteArray(10, '\0'));
    QCOMPARE(image.bytes().size(), MemoryImage::Size);
    QCOMPARE(hex(image.block(0)), QStringLiteral("0000000000000000"));
    QCOMPARE(hex(image.block(8)), QStringLiteral("0000FFFFFFFFFFFF"));
    QCOMPARE(MemoryImage(QByteArray(2000, '\0')).bytes(), QByteArray(MemoryImage::Size, '\0'));
    image.setBlock(MemoryImage::Size - 4, block("0102030405060708"));
    image.setBlock(-8, block("0102030405060708"));
    QCOMPARE(image.bytes().mid(16), MemoryImage().bytes().mid(16));
    QCOMPARE(hex(image.block(MemoryImage::Size - 4)), QStringLiteral("FFFFFFFFFFFFFFFF"));
    image.setBlock(MemoryImage::BandAddress, block("60134017FFFFFFFF"));
    QCOMPARE(hex(image.block(MemoryImage::BandAddress)), QStringLiteral("60134017FFFFFFFF"));
}

// The plan written over an image touches its channels, options and band, nothing else.
void CodecTest::planImage() {
    Plan plan;
    plan.options = startupOptionIndices;
    plan.band = QStringLiteral("136-174MHz");
    const ChannelRow row = {"145.12500", "67.0", "145.12500", "D023N", "High", "ON", "ON"};
    plan.setChannel(3, row);
    MemoryImage image(QByteArray(MemoryImage::Size, '\x11'));
    codec::encodePlan(plan, english, image);
    QCOMPARE(hex(image.block(MemoryImage::channelAddress(3, true))),
             QStringLiteral("70062380FEFFFFFF"));
    QCOMPARE(codec::decodeChannel(image, 3, english, '.'), row);
    QCOMPARE(codec::decodeChannel(image, 4, english, '.'), ChannelRow{});
    QCOMPARE(hex(image.block(MemoryImage::OptionsAddress)), QStringLiteral("FF02FF04FF00FFFF"));
    QCOMPARE(hex(image.block(MemoryImage::BandAddress)), QStringLiteral("60134017FFFFFFFF"));
    QCOMPARE(hex(image.block(MemoryImage::PowerAddress)), QStringLiteral("1111111111111111"));
    QCOMPARE(hex(image.block(0)), QStringLiteral("1111111111111111"));
    QCOMPARE(hex(image.block(MemoryImage::channelAddress(16, true) + 8)),
             QStringLiteral("1111111111111111"));
}

// Indices in selector order: squelch, battery save, time-out, voice, key beep, alarm, scan.
void CodecTest::options_data() {
    QTest::addColumn<QString>("block");
    QTest::addColumn<OptionIndices>("indices");
    QTest::newRow("start-up") << "FF02FF04FF00FFFF" << OptionIndices{2, 1, 4, 0, 1, 1, 1};
    QTest::newRow("F8") << "F809FF07FF04FEFF" << OptionIndices{9, 0, 7, 4, 0, 0, 0};
    QTest::newRow("F9") << "F900FF00FF00FFFF" << OptionIndices{0, 0, 0, 0, 0, 1, 1};
    QTest::newRow("FA") << "FA00FF00FF00FFFF" << OptionIndices{0, 0, 0, 0, 1, 0, 1};
    QTest::newRow("FB") << "FB00FF00FF00FFFF" << OptionIndices{0, 0, 0, 0, 1, 1, 1};
    QTest::newRow("FC") << "FC00FF00FF00FFFF" << OptionIndices{0, 1, 0, 0, 0, 0, 1};
    QTest::newRow("FD") << "FD00FF00FF00FFFF" << OptionIndices{0, 1, 0, 0, 0, 1, 1};
    QTest::newRow("FE") << "FE05FF03FF02FEFF" << OptionIndices{5, 1, 3, 2, 1, 0, 0};
}

void CodecTest::options() {
    QFETCH(QString, block);
    QFETCH(OptionIndices, indices);
    QCOMPARE(hex(codec::encodeOptions(indices)), block);
    const Result<OptionIndices> decoded = codec::decodeOptions(::block(block));
    QVERIFY2(decoded.ok(), qPrintable(decoded.message()));
    QCOMPARE(decoded.value(), indices);
}

void CodecTest::optionsDecodeOnly_data() {
    QTest::addColumn<QString>("block");
    QTest::addColumn<OptionIndices>("indices");
    QTest::newRow("high nibbles ignored")
        << "FF32FF14FF70FFFF" << OptionIndices{2, 1, 4, 0, 1, 1, 1};
    QTest::newRow("scan: only FF is off")
        << "FF02FF04FF00FDFF" << OptionIndices{2, 1, 4, 0, 1, 1, 0};
    QTest::newRow("out-of-list digits returned")
        << "FF02FF09FF08FFFF" << OptionIndices{2, 1, 9, 8, 1, 1, 1};
    QTest::newRow("flag nibble below 8 read by bits")
        << "0502FF04FF00FFFF" << OptionIndices{2, 1, 4, 0, 0, 1, 1};
}

void CodecTest::optionsDecodeOnly() {
    QFETCH(QString, block);
    QFETCH(OptionIndices, indices);
    const Result<OptionIndices> decoded = codec::decodeOptions(::block(block));
    QVERIFY2(decoded.ok(), qPrintable(decoded.message()));
    QCOMPARE(decoded.value(), indices);
}

void CodecTest::optionsDecodeFailures_data() {
    QTest::addColumn<QString>("block");
    QTest::addColumn<QString>("named");
    QTest::newRow("squelch letter") << "FF0AFF04FF00FFFF"
                                    << "byte 1 (squelch level) holds 0A";
    QTest::newRow("time-out letter") << "FF02FF0FFF00FFFF"
                                     << "byte 3 (time-out timer) holds 0F";
    QTest::newRow("voice letter") << "FF02FF04FFFBFFFF"
                                  << "byte 5 (voice prompt) holds FB";
    QTest::newRow("erased block") << "FFFFFFFFFFFFFFFF"
                                  << "byte 1 (squelch level)";
}

void CodecTest::optionsDecodeFailures() {
    QFETCH(QString, block);
    QFETCH(QString, named);
    const Result<OptionIndices> decoded = codec::decodeOptions(::block(block));
    QVERIFY(!decoded.ok());
    QVERIFY2(decoded.message().contains(named), qPrintable(decoded.message()));
}

void CodecTest::everyOptionCombinationRoundTrips() {
    int checked = 0;
    for (int squelch = 0; squelch < 10; ++squelch)
        for (int timeOut = 0; timeOut < 8; ++timeOut)
            for (int voice = 0; voice < 5; ++voice)
                for (int bits = 0; bits < 16; ++bits) {
                    const OptionIndices indices = {squelch,         (bits >> 3) & 1, timeOut, voice,
                                                   (bits >> 2) & 1, (bits >> 1) & 1, bits & 1};
                    QVERIFY(codec::checkOptions(indices).ok());
                    const Result<OptionIndices> decoded =
                        codec::decodeOptions(codec::encodeOptions(indices));
                    QVERIFY(decoded.ok());
                    QCOMPARE(decoded.value(), indices);
                    ++checked;
                }
    QCOMPARE(checked, 10 * 8 * 5 * 16);
}

void CodecTest::unselectedOptions() {
    const OptionIndices unselected = {-1, 1, 8, 0, -1, 1, 1};
    const Status check = codec::checkOptions(unselected);
    QVERIFY(!check.ok());
    // Every option without a selection is named, each on its own line.
    const QStringList lines = check.message().split('\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines[0].contains("squelch level"), qPrintable(lines[0]));
    // The block keeps its form: the start-up values stand in for the missing selections.
    QCOMPARE(hex(codec::encodeOptions(unselected)), QStringLiteral("FF02FF04FF00FFFF"));
}

void CodecTest::band_data() {
    QTest::addColumn<QString>("block");
    QTest::addColumn<QString>("band");
    QTest::newRow("136-174") << "60134017FFFFFFFF"
                             << "136-174MHz";
    QTest::newRow("400-480") << "00400048FFFFFFFF"
                             << "400-480MHz";
}

void CodecTest::band() {
    QFETCH(QString, block);
    QFETCH(QString, band);
    QCOMPARE(hex(codec::encodeBand(band)), block);
    QCOMPARE(codec::decodeBand(::block(block)), band);
    QVERIFY(codec::checkBand(band).ok());
}

void CodecTest::bandCheck_data() {
    QTest::addColumn<QString>("band");
    QTest::newRow("no unit") << "136-174";
    QTest::newRow("two digits") << "13-174MHz";
    QTest::newRow("letters") << "1x6-174MHz";
    QTest::newRow("empty") << "";
}

void CodecTest::bandCheck() {
    QFETCH(QString, band);
    const Status check = codec::checkBand(band);
    QVERIFY(!check.ok());
    QVERIFY2(check.message().contains('"' + band + '"'), qPrintable(check.message()));
    // The 100 kHz digit of a band edge is not shown.
    QCOMPARE(codec::decodeBand(block("65134517FFFFFFFF")), QStringLiteral("136-174MHz"));
}

void CodecTest::channelCheck_data() {
    QTest::addColumn<ChannelRow>("row");
    QTest::addColumn<QString>("problem"); // empty: the row is fine
    const Words& w = english;
    QTest::newRow("full row") << ChannelRow{"145.12500", "67.0", "145,12500", "D023N",
                                            w.high,      w.on,   w.on}
                              << "";
    QTest::newRow("empty row") << ChannelRow{} << "";
    QTest::newRow("other language off tone")
        << ChannelRow{"145.12500", "禁用", "145.12500", "OFF", "低功率", "启用", "禁用"} << "";
    QTest::newRow("short RX") << ChannelRow{"14.5", "67.0", "145.12500", "OFF", w.high, w.on, w.on}
                              << "RX Freq";
    QTest::newRow("long TX") << ChannelRow{"145.12500", "67.0", "145.125000", "OFF",
                                           w.high,      w.on,   w.on}
                             << "TX Freq";
    QTest::newRow("letters in TX")
        << ChannelRow{"145.12500", "67.0", "145.1x500", "OFF", w.high, w.on, w.on} << "TX Freq";
    QTest::newRow("short tone") << ChannelRow{"145.12500", "67", "145.12500", "OFF",
                                              w.high,      w.on, w.on}
                                << "RX Tone";
    QTest::newRow("bad polarity") << ChannelRow{"145.12500", "OFF", "145.12500", "D023X",
                                                w.high,      w.on,  w.on}
                                  << "TX Tone";
    QTest::newRow("lower-case code")
        << ChannelRow{"145.12500", "d023n", "145.12500", "OFF", w.high, w.on, w.on} << "RX Tone";
}

void CodecTest::channelCheck() {
    QFETCH(ChannelRow, row);
    QFETCH(QString, problem);
    const QStringList problems = channelProblems(row, english, 7);
    if (problem.isEmpty()) {
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        return;
    }
    QCOMPARE(problems.size(), 1);
    QVERIFY2(problems.first().startsWith("Channel 07: " + problem), qPrintable(problems.first()));
}

// Encode, decode, encode again: the same blocks, and the same cells.
void CodecTest::randomPlansRoundTrip() {
    QRandomGenerator random(4800);
    QStringList tones = builtinTones();
    const auto digits = [&random](int count) {
        QString text;
        for (int i = 0; i < count; ++i)
            text += QChar('0' + random.bounded(10));
        return text;
    };
    for (int round = 0; round < 500; ++round) {
        const bool chineseActive = random.bounded(2) == 0;
        const Words& words = chineseActive ? chinese : english;
        const QChar separator = random.bounded(2) ? QChar('.') : QChar(',');
        const auto frequency = [&] { return digits(3) + separator + digits(5); };
        const auto tone = [&] {
            const int pick = random.bounded(tones.size() + 1);
            return pick == tones.size() ? words.off : tones.at(pick);
        };
        const auto pickWord = [&](const QString& a, const QString& b) {
            return random.bounded(2) ? a : b;
        };
        ChannelRow row;
        if (random.bounded(5) != 0) {
            row = {frequency(),
                   tone(),
                   random.bounded(8) ? frequency() : QString(),
                   tone(),
                   pickWord(words.high, words.low),
                   pickWord(words.on, words.off),
                   pickWord(words.on, words.off)};
        }
        const QStringList problems = channelProblems(row, words, 1);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        const codec::ChannelBlocks blocks = codec::encodeChannel(row, words);
        const ChannelRow decoded =
            codec::decodeChannel(blocks.first, blocks.second, words, separator);
        QCOMPARE(decoded, row);
        QVERIFY(codec::encodeChannel(decoded, words) == blocks);
    }
}

QTEST_GUILESS_MAIN(CodecTest)
#include "tst_codec.moc"
