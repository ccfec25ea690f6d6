#pragma once

#include "radio/frames.h"

#include <QString>

#include <functional>

namespace zev {

class RadioLink;

// How a radio procedure ended. Failed: the exchange broke (the dialogs show the transfer
// failure message, the command line the reason). Refused: nothing was sent because the input
// cannot be written (the reason is the message to show). Cancelled: the user stopped it (a
// dialog closed, Ctrl-C); the read and the write give what the user must know as the reason.
enum class SessionOutcome { Success, Failed, Refused, Cancelled };

struct SessionResult {
    SessionOutcome outcome = SessionOutcome::Success;
    QString reason; // empty on success

    bool succeeded() const { return outcome == SessionOutcome::Success; }
    static SessionResult success() { return {}; }
    static SessionResult failed(QString reason) { return {SessionOutcome::Failed, reason}; }
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

// A reply that may be decoded: fresh and exactly one read reply long. Empty when it is, else
// why not, naming what was read.
QString blockReplyProblem(const RadioLink& link, const QString& what);

// Names a channel half in failure reasons: "the second half of channel 5".
QString channelHalf(int channel, bool secondHalf);

// A block counts as acknowledged only on a fresh ACK: an old reply that happened to begin
// with 0x06 proves nothing.
bool acknowledged(const RadioLink& link);
SessionResult notAcknowledged(const QString& what);

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
