#include "radio/powerprocedure.h"

#include "radio/link.h"

#include <QCoreApplication>

#include <optional>

namespace zev {

using namespace session;

namespace {

struct PowerHandshake {
    bool identified = false;
    bool acknowledged = false;
};

PowerHandshake powerHandshake(RadioLink& link) {
    PowerHandshake result;
    link.clearReplyFlag();
    link.send(frames::entry(), frames::IdentificationSize);
    for (int attempt = 0; attempt < HandshakeAttempts && !link.stopped(); ++attempt) {
        if (attempt > 0)
            link.sendKeepingThreshold(frames::entry());
        link.waitFull(ShortWait);
        link.clearReplyFlag();
        if (link.received() == frames::identification()) {
            result.identified = true;
            break;
        }
    }
    link.sendAck();
    link.waitFull(ShortWait);
    result.acknowledged = link.ackTest();
    return result;
}

// Why a power session cannot go on after its handshake; nothing when it can.
std::optional<SessionResult> handshakeProblem(RadioLink& link, const PowerHandshake& handshake) {
    if (link.stopped())
        return stoppedResult(link);
    if (!handshake.identified)
        return SessionResult::failed(
            QStringLiteral("no identification from the radio on %1 after %2 attempts")
                .arg(link.description())
                .arg(HandshakeAttempts));
    if (!handshake.acknowledged)
        return SessionResult::failed(
            QCoreApplication::translate("zev::Session",
                                        "the radio did not acknowledge the handshake"),
            SessionFault::StepUnanswered);
    return std::nullopt;
}

} // namespace

PowerReadResult readPower(RadioLink& link) {
    PowerReadResult result;
    const Scope scope(link);
    if (!scope.began()) {
        result.session = alreadyRunning();
        return result;
    }
    const PowerHandshake handshake = powerHandshake(link);
    result.writeEnabled = handshake.identified && !link.stopped();
    if (const auto problem = handshakeProblem(link, handshake)) {
        result.session = *problem;
        return result;
    }
    // The reply is judged by its decoding alone, whether fresh or not.
    Step read = readStep(MemoryImage::PowerAddress, ShortWait, stepName(Named::PowerBlock));
    read.judge = Judge::None;
    read.fullWait = true;
    if (auto end = exchange(link, read)) {
        result.session = *end;
        return result;
    }
    const Result<PowerLevels> levels = power::decodeReply(link.received());
    if (!levels) {
        // Nothing more is sent: the radio is left to give up on the session.
        result.writeEnabled = false;
        result.blockFault = levels.message();
        result.session = SessionResult::failed(levels.message());
        return result;
    }
    result.levels = levels.value();
    link.sendKeepingThreshold(frames::end());
    result.session = SessionResult::success();
    return result;
}

PowerWriteResult writePower(RadioLink& link, const PowerLevels& levels) {
    PowerWriteResult result;
    if (levels.high < 0 || levels.high > power::MaximumLevel || levels.low < 0 ||
        levels.low > power::MaximumLevel || levels.lowVoltage < 0 ||
        levels.lowVoltage >= power::LowVoltageLevels) {
        result.session = SessionResult::refused(
            QCoreApplication::translate(
                "zev::Power", "Power levels must be 0 to %1 and the low-voltage level 0 to 2.")
                .arg(power::MaximumLevel));
        return result;
    }
    const Scope scope(link);
    if (!scope.began()) {
        result.session = alreadyRunning();
        return result;
    }
    if (const auto problem = handshakeProblem(link, powerHandshake(link))) {
        result.session = *problem;
        return result;
    }
    Step write = writeStep(MemoryImage::PowerAddress, power::encodeBlock(levels), ShortWait,
                           stepName(Named::PowerBlock));
    write.judge = Judge::AckAlone;
    write.fullWait = true;
    result.frameSent = true;
    if (auto end = exchange(link, write)) {
        result.session = *end;
        return result;
    }
    link.sendKeepingThreshold(frames::end());
    result.session = SessionResult::success();
    return result;
}

} // namespace zev
