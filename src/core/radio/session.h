#pragma once

#include "radio/frames.h"
#include "radio/memoryimage.h"
#include "status.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

namespace zev {

class RadioLink;

// How a radio procedure ended. Failed: the exchange broke (the dialogs show the transfer
// failure message, the command line the reason). Refused: nothing was sent because the input
// cannot be written (the reason is the message to show). Cancelled: the user stopped it (a
// dialog closed, Ctrl-C); the read and the write give what the user must know as the reason.
enum class SessionOutcome { Success, Failed, Refused, Cancelled };

// What broke in a failed session, so that a person can be told what to check.
enum class SessionFault {
    None,
    NoAnswer,       // nothing answered the entry frame
    WrongRadio,     // something answered, but not as an RH-4800
    StepUnanswered, // the radio answered at first, then not at a named step
    LineLost,       // the port went away or could not carry the session
    BadBlock,       // a block arrived whole but holds what the radio cannot mean
    Other,
};

struct SessionResult {
    SessionOutcome outcome = SessionOutcome::Success;
    QString reason; // empty on success
    SessionFault fault = SessionFault::None;
    bool radioWritten = false; // a write frame went out: the radio may hold part of a plan

    bool succeeded() const { return outcome == SessionOutcome::Success; }
    static SessionResult success() { return {}; }
    static SessionResult failed(QString reason, SessionFault fault = SessionFault::Other) {
        return {SessionOutcome::Failed, std::move(reason), fault};
    }
    static SessionResult refused(QString reason) { return {SessionOutcome::Refused, reason}; }
    static SessionResult cancelled() { return {SessionOutcome::Cancelled, {}}; }
};

// Progress in percent, reported at each milestone of a read or write.
using ProgressCallback = std::function<void(int percent)>;

namespace session {

constexpr int HandshakeAttempts = 6;
constexpr int ReadHandshakeWait = 550;
constexpr int WriteHandshakeWait = 250;
constexpr int LongWait = 550;  // the read's first ACK and band read, the write's band write
constexpr int ShortWait = 250; // every other wait, and every wait of the power dialog

// The entry handshake: up to six attempts of the entry frame, each waiting for the
// identification reply. A reply that comes after its attempt's wait is judged at the next.
// Returns the failure, or success once the radio has identified itself.
SessionResult enterProgrammingMode(RadioLink& link, int waitMilliseconds);

// Ends a session that the user cancelled or whose line broke, and says which. A cancelled
// session that sent anything is closed with the end frame, so the radio leaves programming mode
// at once instead of waiting for the line to go quiet; a broken line gets nothing.
SessionResult stoppedResult(RadioLink& link);

// What the user is told after stopping a read or a write; writtenAny: a write frame went out,
// so the radio may hold part of the new plan.
QString readStoppedMessage();
QString writeStoppedMessage(bool writtenAny);

// Names a channel half in failure reasons: "the second half of channel 5".
QString channelHalf(int channel, bool secondHalf);
// The other steps that failure reasons name, in the active language.
enum class Named { Band, BandRead, Options, ReadStart, WriteStart, PowerBlock };
QString stepName(Named step);

// A second procedure asked to run while one is inside a wait.
SessionResult alreadyRunning();

// How a step judges the radio's answer.
enum class Judge {
    Ack,      // a fresh ACK: an old reply that happened to begin with 0x06 proves nothing
    Block,    // a fresh reply exactly one read reply long: stale bytes are never decoded
    AckAlone, // the ACK test alone, an old reply included (the power dialog)
    None,     // not judged
};

// One protocol step: the frame, the reply size it is sent for, how long to wait for the reply
// and how to judge it; what names the frame in a failure.
struct Step {
    QByteArray frame; // frames::ack() goes out as the ACK, leaving the send buffer as it was
    int replyBytes = frames::AckReplySize;
    int waitMs = ShortWait;
    Judge judge = Judge::Ack;
    QString what;
    bool fullWait = false; // the power dialog's waits last their full time
};

Step ackStep(int waitMs, const QString& what, Judge judge = Judge::Ack);
Step readStep(int address, int waitMs, const QString& what);
Step writeStep(int address, const Block& block, int waitMs, const QString& what);

// Sends the step's frame, waits, and judges the reply; a fresh reply that passes clears the
// reply flag. afterWait runs between the wait and the judgement (a progress milestone). Returns
// how the session ends when it was stopped or the reply failed, nothing when it goes on.
std::optional<SessionResult> exchange(RadioLink& link, const Step& step,
                                      const std::function<void()>& afterWait = {});

// The blocks of a session in the order they go, and what the procedure does around each.
struct BlockRead {
    int address;
    int waitMs;
    QString what;    // names the read in a failure
    QString ackWhat; // names the ACK exchange that follows it
};
struct ReadHooks {
    std::function<void(const BlockRead&)> beforeRead;
    // The block arrived, before its ACK; a failure ends the session.
    std::function<Status(const BlockRead&, const Block&)> arrived;
    // The ACK's wait is over, before its judgement.
    std::function<void(const BlockRead&)> ackWaited;
};
// Each block is read and then acknowledged; an ACK is judged before the next read, the last
// one not at all.
std::optional<SessionResult> readBlocks(RadioLink& link, const QList<BlockRead>& blocks,
                                        const ReadHooks& hooks);

struct BlockWrite {
    int address;
    Block block;
    int waitMs;
    QString what;
};
struct WriteHooks {
    std::function<void(const BlockWrite&)> beforeWrite;
    // The wait is over, before the radio's answer is judged.
    std::function<void(const BlockWrite&)> waited;
};
// Each block is written and its acknowledgement judged before the next goes.
std::optional<SessionResult> writeBlocks(RadioLink& link, const QList<BlockWrite>& blocks,
                                         const WriteHooks& hooks);

// Marks the link busy for one procedure; a second procedure cannot start inside a wait.
class Scope {
public:
    explicit Scope(RadioLink& link);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
    bool began() const { return m_began; }

private:
    RadioLink& m_link;
    bool m_began;
};

// Progress kept as the procedures do: up 5 at each milestone.
class Progress {
public:
    explicit Progress(const ProgressCallback& callback);
    void step();
    int value() const { return m_value; }

private:
    const ProgressCallback& m_callback;
    int m_value = 0;
};

} // namespace session
} // namespace zev
