#pragma once

#include <QByteArray>
#include <QList>

// The radio as seen from its programming cable, over a 1 KiB memory image, with the faults a
// test or a demo may ask for. It knows nothing of time or transport: the host feeds it the
// bytes that arrive and delivers its replies after their delay.
namespace zev {

struct SimulatorFaults {
    bool silent = false;              // never answers anything
    bool wrongIdentification = false; // answers the entry frame with a wrong identification
    int noAnswerAtFrame = 0;          // k > 0: the k-th frame (counted from 1) gets no answer
    int wrongByteAtFrame = 0;         // k > 0: the k-th frame's answer has its first byte wrong
    int hangUpAfterFrames = 0;        // k > 0: after k frames the radio goes dead
    int replyDelayMs = 0;             // every answer comes this late
    int lateReplyAtFrame = 0;         // k > 0: the k-th frame's answer comes lateReplyMs later
    int lateReplyMs = 0;
    bool storeNothing = false; // acknowledges every write and keeps none
    int corruptStoreAt = -1;   // a >= 0: a write that covers address a stores its byte inverted
};

struct SimulatorReply {
    QByteArray bytes;
    int delayMs = 0;
};

// What the radio made of the bytes it heard, for traces.
struct SimulatorFrame {
    QByteArray bytes;
    bool recognised = true; // false: bytes skipped because they start no frame
};

class RadioSimulator {
public:
    explicit RadioSimulator(QByteArray image = factoryImage(), SimulatorFaults faults = {});

    // Bytes from the programmer; returns the answers to every frame those bytes completed.
    QList<SimulatorReply> receive(const QByteArray& bytes);

    // The radio repaired: these faults from now on, a hang-up over; memory and session as they
    // were.
    void setFaults(SimulatorFaults faults);

    const QByteArray& image() const { return m_image; }
    bool inProgrammingMode() const { return m_programming; }
    bool hungUp() const { return m_hungUp; }
    int framesReceived() const { return m_frames; }

    // Blocks stored by write frames so far; a host saves the image when this changes.
    int blocksWritten() const { return m_blocksWritten; }
    // The radio gives up on a session that has gone quiet: it leaves programming mode and
    // forgets a partly received frame. The host decides how long quiet is.
    void abandonSession();
    bool sessionOpen() const { return m_programming || !m_pending.isEmpty(); }
    // Bytes held as the start of a frame that has not yet come whole.
    bool partialFrame() const { return !m_pending.isEmpty(); }

    // While on, every frame and every run of skipped bytes is kept until taken.
    void setFrameLogging(bool on) { m_logging = on; }
    QList<SimulatorFrame> takeFrameLog();

    static QByteArray factoryImage(); // band 136-174MHz, default options, erased channels
    static QByteArray demoImage();    // the factory image with a handful of realistic channels
    static QByteArray erasedImage();  // every byte 0xFF

private:
    QByteArray m_image;
    SimulatorFaults m_faults;
    QByteArray m_pending;
    bool m_programming = false;
    bool m_hungUp = false;
    int m_frames = 0;
    int m_blocksWritten = 0;
    bool m_logging = false;
    QList<SimulatorFrame> m_log;

    enum class Match { Frame, NeedMore, Garbage };
    Match matchFrame(qsizetype& length) const;
    void answer(const QByteArray& frame, QList<SimulatorReply>& replies);
    QByteArray reply(const QByteArray& frame);
    void skip(qsizetype count);
    void log(const QByteArray& bytes, bool recognised);
};

} // namespace zev
