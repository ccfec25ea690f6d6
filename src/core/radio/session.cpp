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
            QStringLiteral("the radio on %1 did not identify itself as an RH-4800 after %2 "
                           "attempts (last reply %3)")
                .arg(link.description())
                .arg(HandshakeAttempts)
                .arg(wrongReply));
    return SessionResult::failed(QStringLiteral("no answer from the radio on %1 after %2 attempts")
                                     .arg(link.description())
                                     .arg(HandshakeAttempts));
}

QString channelHalf(int channel, bool secondHalf) {
    return QStringLiteral("the %1 half of channel %2")
        .arg(secondHalf ? QStringLiteral("second") : QStringLiteral("first"))
        .arg(channel);
}

bool acknowledged(const RadioLink& link) {
    return link.ackTest() && link.freshReplyTest();
}

SessionResult notAcknowledged(const QString& what) {
    return SessionResult::failed(QStringLiteral("the radio did not acknowledge %1").arg(what));
}

SessionResult stoppedResult(RadioLink& link) {
    if (!link.cancelled())
        return SessionResult::failed(link.failure());
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

QString blockReplyProblem(const RadioLink& link, const QString& what) {
    if (!link.freshReplyTest())
        return QStringLiteral("no reply to the read of %1").arg(what);
    if (link.received().size() != frames::ReadReplySize)
        return QStringLiteral("the reply to the read of %1 has %2 bytes, not %3 (%4)")
            .arg(what)
            .arg(link.received().size())
            .arg(frames::ReadReplySize)
            .arg(link.receivedHex());
    return {};
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
