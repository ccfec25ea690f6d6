#include "sim/simulator.h"

#include "plan/band.h"
#include "radio/codec.h"
#include "radio/frames.h"
#include "radio/memoryimage.h"
#include "radio/powerlevels.h"

#include <utility>

namespace zev {

namespace {

const QByteArray EntryFrame = frames::entry();
const QByteArray EndFrame = frames::end();
// What a radio of another model might say: close enough to be read, wrong all the same.
const QByteArray OtherIdentification = QByteArrayLiteral("\x06 varkom");

} // namespace

RadioSimulator::RadioSimulator(QByteArray image, SimulatorFaults faults)
    : m_image(std::move(image)), m_faults(faults) {
    // Memory the caller did not supply reads as erased.
    m_image = MemoryImage(m_image).bytes();
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
    case frames::Ack:
        return need(1);
    case frames::ReadCommand:
    case frames::WriteCommand:
        if (m_pending.size() < frames::HeaderSize)
            return Match::NeedMore;
        if (m_pending.at(frames::HeaderSize - 1) != frames::BlockLength)
            return Match::Garbage;
        return need(m_pending.at(0) == frames::ReadCommand ? frames::ReadFrameSize
                                                           : frames::WriteFrameSize);
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
        return frames::identification();
    }
    switch (frame.at(0)) {
    case frames::Ack:
        return frames::ack();
    case frames::ReadCommand: {
        const int address = frames::address(frame);
        if (!MemoryImage::holdsBlock(address))
            return {};
        // The four leading bytes echo the block's address the way a write frame gives it.
        return frames::header(frames::WriteCommand, address) +
               m_image.mid(address, MemoryImage::BlockSize);
    }
    case frames::WriteCommand: {
        const int address = frames::address(frame);
        if (!MemoryImage::holdsBlock(address))
            return {};
        if (m_faults.storeNothing)
            return frames::ack();
        m_image.replace(address, MemoryImage::BlockSize, frame.mid(frames::HeaderSize));
        if (const int at = m_faults.corruptStoreAt;
            at >= address && at < address + MemoryImage::BlockSize)
            m_image[at] = static_cast<char>(~m_image.at(at));
        ++m_blocksWritten;
        return frames::ack();
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
    return MemoryImage().bytes();
}

QByteArray RadioSimulator::factoryImage() {
    MemoryImage image;
    image.setBlock(MemoryImage::OptionsAddress, codec::encodeOptions(startupOptionIndices));
    // High power 200, low power 50, low-voltage level 1.
    image.setBlock(MemoryImage::PowerAddress, power::encodeBlock({200, 50, 1}));
    image.setBlock(MemoryImage::BandAddress, codec::encodeBand(FactoryBand));
    return image.bytes();
}

QByteArray RadioSimulator::demoImage() {
    MemoryImage image(factoryImage());
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
        const codec::ChannelBlocks blocks = codec::encodeChannel(cells, words);
        image.setBlock(MemoryImage::channelAddress(channel, false), blocks.first);
        image.setBlock(MemoryImage::channelAddress(channel, true), blocks.second);
        ++channel;
    }
    return image.bytes();
}

} // namespace zev
