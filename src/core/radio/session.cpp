#include "radio/session.h"

#include "radio/link.h"

#include <QCoreApplication>

namespace zev::session {

SessionResult enterProgrammingMode(RadioLink& link, int waitMilliseconds) {
    QString wrongReply;
    for (int attempt = 0; attempt < HandshakeAttempts; ++attempt) {
        // The flag is not cleared before an attempt: a late reply is judged now.
        link.send(frames::entry(), frames::IdentificationSize);
        link.wait(waitMilliseconds);
        if (link.stopped())
            return stoppedResult(link);
        if (!link.replyFlag())
            continue;
        link.clearReplyFlag();
        if (link.received() == frames::identification())
            return SessionResult::success();
        wrongReply = link.receivedHex();
    }
    if (!wrongReply.isEmpty())
        return SessionResult::failed(
            QCoreApplication::translate("zev::Session",
                                        "the radio on %1 did not identify itself as an "
                                        "RH-4800 after %2 attempts (last reply %3)")
                .arg(link.description())
                .arg(HandshakeAttempts)
                .arg(wrongReply),
            SessionFault::WrongRadio);
    return SessionResult::failed(
        QCoreApplication::translate("zev::Session",
                                    "no answer from the radio on %1 after %2 attempts")
            .arg(link.description())
            .arg(HandshakeAttempts),
        SessionFault::NoAnswer);
}

QString channelHalf(int channel, bool secondHalf) {
    return (secondHalf
                ? QCoreApplication::translate("zev::Session", "the second half of channel %1")
                : QCoreApplication::translate("zev::Session", "the first half of channel %1"))
        .arg(channel);
}

QString stepName(Named step) {
    switch (step) {
    case Named::Band:
        return QCoreApplication::translate("zev::Session", "the band");
    case Named::BandRead:
        return QCoreApplication::translate("zev::Session", "the band read");
    case Named::Options:
        return QCoreApplication::translate("zev::Session", "the options");
    case Named::ReadStart:
        return QCoreApplication::translate("zev::Session", "the start of the read");
    case Named::WriteStart:
        return QCoreApplication::translate("zev::Session", "the start of the write");
    case Named::PowerBlock:
        return QCoreApplication::translate("zev::Session", "the power levels");
    }
    return {};
}

SessionResult alreadyRunning() {
    return SessionResult::failed(
        QCoreApplication::translate("zev::Session", "another radio session is running"));
}

SessionResult stoppedResult(RadioLink& link) {
    if (!link.cancelled())
        return SessionResult::failed(link.failure(), SessionFault::LineLost);
    link.sendClosingFrame(frames::end());
    return SessionResult::cancelled();
}

QString readStoppedMessage() {
    return QCoreApplication::translate("zev::Session",
                                       "The read from the radio was stopped before it finished.");
}

QString writeStoppedMessage(bool writtenAny) {
    if (!writtenAny)
        return QCoreApplication::translate(
            "zev::Session",
            "The write to the radio was stopped before anything was written; the radio keeps "
            "its plan.");
    return QCoreApplication::translate(
        "zev::Session",
        "The write to the radio was stopped before it finished. The radio now holds a partly "
        "written plan: write the plan again.");
}

namespace {

// A fresh reply of exactly one read reply: empty when the reply is one, else why not.
QString blockReplyProblem(const RadioLink& link, const QString& what) {
    if (!link.freshReplyTest())
        return QCoreApplication::translate("zev::Session", "no reply to the read of %1").arg(what);
    if (link.received().size() != frames::ReadReplySize)
        return QCoreApplication::translate("zev::Session",
                                           "the reply to the read of %1 has %2 bytes, not %3 (%4)")
            .arg(what)
            .arg(link.received().size())
            .arg(frames::ReadReplySize)
            .arg(link.receivedHex());
    return {};
}

SessionResult notAcknowledged(const QString& what) {
    return SessionResult::failed(
        QCoreApplication::translate("zev::Session", "the radio did not acknowledge %1").arg(what),
        SessionFault::StepUnanswered);
}

} // namespace

Step ackStep(int waitMs, const QString& what, Judge judge) {
    return {frames::ack(), frames::AckReplySize, waitMs, judge, what};
}

Step readStep(int address, int waitMs, const QString& what) {
    return {frames::read(address), frames::ReadReplySize, waitMs, Judge::Block, what};
}

Step writeStep(int address, const Block& block, int waitMs, const QString& what) {
    return {frames::write(address, block), frames::AckReplySize, waitMs, Judge::Ack, what};
}

std::optional<SessionResult> exchange(RadioLink& link, const Step& step,
                                      const std::function<void()>& afterWait) {
    if (step.frame == frames::ack())
        link.sendAck();
    else
        link.send(step.frame, step.replyBytes);
    if (step.fullWait)
        link.waitFull(step.waitMs);
    else
        link.wait(step.waitMs);
    if (afterWait)
        afterWait();
    if (link.stopped())
        return stoppedResult(link);
    switch (step.judge) {
    case Judge::Ack:
        if (!link.ackTest() || !link.freshReplyTest())
            return notAcknowledged(step.what);
        link.clearReplyFlag();
        break;
    case Judge::Block:
        if (const QString problem = blockReplyProblem(link, step.what); !problem.isEmpty())
            return SessionResult::failed(problem, SessionFault::StepUnanswered);
        link.clearReplyFlag();
        break;
    case Judge::AckAlone:
        if (!link.ackTest())
            return notAcknowledged(step.what);
        break;
    case Judge::None:
        break;
    }
    return std::nullopt;
}

std::optional<SessionResult> readBlocks(RadioLink& link, const QList<BlockRead>& blocks,
                                        const ReadHooks& hooks) {
    for (qsizetype i = 0; i < blocks.size(); ++i) {
        const BlockRead& block = blocks.at(i);
        if (hooks.beforeRead)
            hooks.beforeRead(block);
        if (auto end = exchange(link, readStep(block.address, block.waitMs, block.what)))
            return end;
        if (hooks.arrived) {
            if (const Status status = hooks.arrived(block, frames::replyBlock(link.received()));
                !status)
                return SessionResult::failed(status.message(), SessionFault::BadBlock);
        }
        const bool last = i == blocks.size() - 1;
        const auto waited = [&hooks, &block] {
            if (hooks.ackWaited)
                hooks.ackWaited(block);
        };
        if (auto end = exchange(
                link, ackStep(ShortWait, block.ackWhat, last ? Judge::None : Judge::Ack), waited))
            return end;
    }
    return std::nullopt;
}

std::optional<SessionResult> writeBlocks(RadioLink& link, const QList<BlockWrite>& blocks,
                                         const WriteHooks& hooks) {
    for (const BlockWrite& block : blocks) {
        if (hooks.beforeWrite)
            hooks.beforeWrite(block);
        const auto waited = [&hooks, &block] {
            if (hooks.waited)
                hooks.waited(block);
        };
        if (auto end = exchange(
                link, writeStep(block.address, block.block, block.waitMs, block.what), waited))
            return end;
    }
    return std::nullopt;
}

Scope::Scope(RadioLink& link) : m_link(link), m_began(link.beginSession()) {}

Scope::~Scope() {
    if (m_began)
        m_link.endSession();
}

Progress::Progress(const ProgressCallback& callback) : m_callback(callback) {
    if (m_callback)
        m_callback(m_value);
}

void Progress::step() {
    m_value += 5;
    if (m_callback)
        m_callback(m_value);
}

} // namespace zev::session
