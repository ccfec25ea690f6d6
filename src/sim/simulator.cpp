#include "sim/simulator.h"

#include "radio/codec.h"
#include "radio/hex.h"
#include "radio/session.h"

#include <utility>

namespace zev {

namespace {

const QByteArray EntryFrame = hexToBytes(session::entryFrame());
const QByteArray Identification = hexToBytes(session::identification());
// What a radio of another model might say: close enough to be read, wrong all the same.
const QByteArray OtherIdentification = QByteArrayLiteral("\x06 varkom");

constexpr char Ack = 0x06;
constexpr char ReadCommand = 0x52;
constexpr char WriteCommand = 0x57;
const QByteArray EndFrame = hexToBytes(session::endFrame());
constexpr char BlockLength = codec::BlockSize;
constexpr qsizetype ReadFrameSize = 4;
constexpr qsizetype WriteFrameSize = 4 + codec::BlockSize;

constexpr unsigned char ErasedByte = 0xFF;

int frameAddress(const QByteArray& frame) {
    return static_cast<unsigned char>(frame.at(1)) * 256 + static_cast<unsigned char>(frame.at(2));
}

bool blockInImage(int address) {
    return address + codec::BlockSize <= codec::ImageSize;
}

void putBlock(QByteArray& image, int address, const QString& hex) {
    const QByteArray block = hexToBytes(hex);
    image.replace(address, block.size(), block);
}

} // namespace

RadioSimulator::RadioSimulator(QByteArray image, SimulatorFaults faults)
    : m_image(std::move(image)), m_faults(faults) {
    // Memory the caller did not supply reads as erased.
    m_image.resize(codec::ImageSize, static_cast<char>(ErasedByte));
}

QList<SimulatorReply> RadioSimulator::receive(const QByteArray& bytes) {
    QList<SimulatorReply> replies;
    if (m_hungUp) {
        log(bytes, false);
        return replies;
    }
    m_pending += bytes;
    while (!m_pending.isEmpty() && !m_hungUp) {
        qsizetype length = 0;
        const Match match = matchFrame(length);
        if (match == Match::NeedMore)
            break;
        if (match == Match::Garbage) {
            skip(1);
            continue;
        }
        const QByteArray frame = m_pending.left(length);
        m_pending.remove(0, length);
        ++m_frames;
        log(frame, true);
        answer(frame, replies);
        if (m_faults.hangUpAfterFrames > 0 && m_frames >= m_faults.hangUpAfterFrames) {
            m_hungUp = true;
            skip(m_pending.size());
        }
    }
    return replies;
}

// Outside programming mode only the entry frame means anything; inside it, a frame is known by
// its first byte and, where it has one, its length byte.
RadioSimulator::Match RadioSimulator::matchFrame(qsizetype& length) const {
    if (!m_programming) {
        const qsizetype compared = qMin(m_pending.size(), EntryFrame.size());
        if (m_pending.left(compared) != EntryFrame.left(compared))
            return Match::Garbage;
        length = EntryFrame.size();
        return compared == length ? Match::Frame : Match::NeedMore;
    }
    const auto need = [this, &length](qsizetype size) {
        length = size;
        return m_pending.size() >= size ? Match::Frame : Match::NeedMore;
    };
    switch (m_pending.at(0)) {
    case Ack:
        return need(1);
    case ReadCommand:
    case WriteCommand:
        if (m_pending.size() < ReadFrameSize)
            return Match::NeedMore;
        if (m_pending.at(3) != BlockLength)
            return Match::Garbage;
        return need(m_pending.at(0) == ReadCommand ? ReadFrameSize : WriteFrameSize);
    default:
        break;
    }
    // The end frame, matched as far as it has come.
    const qsizetype compared = qMin(m_pending.size(), EndFrame.size());
    if (m_pending.left(compared) != EndFrame.left(compared))
        return Match::Garbage;
    return need(EndFrame.size());
}

void RadioSimulator::answer(const QByteArray& frame, QList<SimulatorReply>& replies) {
    // A frame lost on the way is neither acted on nor answered; a silent radio hears but
    // does nothing.
    if (m_faults.silent || m_frames == m_faults.noAnswerAtFrame)
        return;
    QByteArray bytes = reply(frame);
    if (bytes.isEmpty())
        return;
    if (m_frames == m_faults.wrongByteAtFrame)
        bytes[0] = static_cast<char>(~bytes.at(0));
    const int late = m_frames == m_faults.lateReplyAtFrame ? m_faults.lateReplyMs : 0;
    replies.append({bytes, m_faults.replyDelayMs + late});
}

QByteArray RadioSimulator::reply(const QByteArray& frame) {
    if (!m_programming) { // the entry frame
        if (m_faults.wrongIdentification)
            return OtherIdentification;
        m_programming = true;
        return Identification;
    }
    switch (frame.at(0)) {
    case Ack:
        return QByteArray(1, Ack);
    case ReadCommand: {
        const int address = frameAddress(frame);
        if (!blockInImage(address))
            return {};
        // The four leading bytes echo the block's address the way a write frame gives it.
        QByteArray bytes(1, WriteCommand);
        bytes += frame.mid(1, 3);
        return bytes + m_image.mid(address, codec::BlockSize);
    }
    case WriteCommand: {
        const int address = frameAddress(frame);
        if (!blockInImage(address))
            return {};
        m_image.replace(address, codec::BlockSize, frame.mid(4));
        ++m_blocksWritten;
        return QByteArray(1, Ack);
    }
    default: // the end frame
        m_programming = false;
        return {};
    }
}

void RadioSimulator::setFaults(SimulatorFaults faults) {
    m_faults = faults;
    m_hungUp = false;
}

void RadioSimulator::abandonSession() {
    m_programming = false;
    skip(m_pending.size());
}

void RadioSimulator::skip(qsizetype count) {
    log(m_pending.left(count), false);
    m_pending.remove(0, count);
}

void RadioSimulator::log(const QByteArray& bytes, bool recognised) {
    if (!m_logging || bytes.isEmpty())
        return;
    // Skipped bytes in a row make one entry.
    if (!recognised && !m_log.isEmpty() && !m_log.last().recognised)
        m_log.last().bytes += bytes;
    else
        m_log.append({bytes, recognised});
}

QList<SimulatorFrame> RadioSimulator::takeFrameLog() {
    return std::exchange(m_log, {});
}

QByteArray RadioSimulator::erasedImage() {
    return QByteArray(codec::ImageSize, static_cast<char>(ErasedByte));
}

QByteArray RadioSimulator::factoryImage() {
    QByteArray image = erasedImage();
    putBlock(image, codec::OptionsAddress, codec::encodeOptions(startupOptionIndices));
    // High power 200, low power 50, low-voltage level 1.
    putBlock(image, codec::PowerAddress, QStringLiteral("C832F1FFFFFFFFFF"));
    putBlock(image, codec::BandAddress, codec::encodeBand(QStringLiteral("136-174MHz")));
    return image;
}

QByteArray RadioSimulator::demoImage() {
    QByteArray image = factoryImage();
    const Words words = englishWords();
    const ChannelRow channels[] = {
        {"146.52000", words.off, "146.52000", words.off, words.high, words.on, words.on},
        {"145.27500", "88.5", "144.67500", "88.5", words.high, words.on, words.off},
        {"156.80000", words.off, "156.80000", words.off, words.high, words.off, words.on},
        {"151.82000", "D023N", "151.82000", "D023N", words.low, words.on, words.on},
        {"154.57000", "100.0", "154.57000", "100.0", words.low, words.off, words.off},
        {"162.55000", words.off, "162.55000", words.off, words.low, words.on, words.on},
    };
    int channel = 1;
    for (const ChannelRow& cells : channels) {
        const auto [firstHalf, secondHalf] = codec::encodeChannel(cells, words);
        putBlock(image, codec::channelAddress(channel, false), firstHalf);
        putBlock(image, codec::channelAddress(channel, true), secondHalf);
        ++channel;
    }
    return image;
}

} // namespace zev
