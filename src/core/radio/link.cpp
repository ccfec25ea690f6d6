#include "radio/link.h"

#include "radio/hex.h"

#include <QCoreApplication>

namespace zev {

RadioLink::RadioLink(QObject* parent) : QObject(parent) {}

void RadioLink::send(const QByteArray& frame, int threshold) {
    m_sendBuffer = frame;
    if (stopped())
        return;
    setThreshold(threshold);
    transmitUnlessStopped(m_sendBuffer);
}

void RadioLink::sendKeepingThreshold(const QByteArray& frame) {
    m_sendBuffer = frame;
    transmitUnlessStopped(m_sendBuffer);
}

void RadioLink::sendAck() {
    if (stopped())
        return;
    setThreshold(1);
    transmitUnlessStopped(frames::ack());
}

void RadioLink::transmitUnlessStopped(const QByteArray& bytes) {
    if (stopped())
        return;
    transmit(bytes);
    m_sentInSession = true;
    emit bytesSent(bytes);
}

void RadioLink::sendClosingFrame(const QByteArray& frame) {
    if (!m_cancelled || failed() || !m_sentInSession || m_closingSent)
        return;
    m_closingSent = true;
    m_sendBuffer = frame;
    transmit(m_sendBuffer);
    emit bytesSent(m_sendBuffer);
}

void RadioLink::wait(int milliseconds) {
    if (!stopped())
        runWait(milliseconds, true);
}

void RadioLink::waitFull(int milliseconds) {
    if (!stopped())
        runWait(milliseconds, false);
}

QString RadioLink::receivedHex() const {
    return bytesToHex(m_received);
}

bool RadioLink::ackTest() const {
    return !m_received.isEmpty() && m_received.at(0) == frames::Ack;
}

bool RadioLink::beginSession() {
    if (m_sessionRunning)
        return false;
    m_sessionRunning = true;
    m_cancelled = false;
    m_sentInSession = false;
    m_closingSent = false;
    m_failure.clear();
    if (const QString problem = transportProblem(); !problem.isEmpty())
        m_failure = problem;
    return true;
}

void RadioLink::endSession() {
    m_sessionRunning = false;
}

void RadioLink::cancel() {
    if (!m_sessionRunning || m_cancelled)
        return;
    m_cancelled = true;
    emit interrupted();
}

void RadioLink::deliver(const QByteArray& bytes) {
    m_replyFlag = true;
    m_received = bytes;
    emit bytesReceived(bytes);
}

void RadioLink::failTransport(const QString& message) {
    if (!m_sessionRunning || stopped())
        return;
    m_failure = message.isEmpty()
                    ? QCoreApplication::translate("zev::RadioLink", "the serial line failed")
                    : message;
    emit interrupted();
}

} // namespace zev
