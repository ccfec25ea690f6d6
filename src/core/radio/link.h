#pragma once

#include "radio/frames.h"

#include <QByteArray>
#include <QObject>
#include <QString>

namespace zev {

// The link state every radio procedure shares: send buffer, received bytes, reply flag and the
// success counter, over a transport that sends bytes and raises a receive event once at least
// the threshold bytes wait. One instance serves the read, write and power dialogs alike.
class RadioLink : public QObject {
    Q_OBJECT
public:
    explicit RadioLink(QObject* parent = nullptr);

    // Where the radio is, for messages: the device path, or a name for an in-process radio.
    virtual QString description() const = 0;

    // Frame into the send buffer, receive threshold set, buffer sent.
    void send(const QByteArray& frame, int threshold);
    // Frame sent with whatever threshold was last set (the end frame).
    void sendKeepingThreshold(const QByteArray& frame);
    // The single byte 0x06 with threshold 1; the send buffer keeps its content.
    void sendAck();

    // Returns at the limit, or right after the event processing in which the reply flag became
    // (or already was) set; at once when the session was cancelled or the line failed.
    void wait(int milliseconds);
    // Lasts its full time whatever arrives (the power dialog's wait); ends early only on
    // cancellation or a line failure.
    void waitFull(int milliseconds);

    const QByteArray& sendBuffer() const { return m_sendBuffer; }
    const QByteArray& received() const { return m_received; }
    QString receivedHex() const;
    bool replyFlag() const { return m_replyFlag; }
    void clearReplyFlag() { m_replyFlag = false; }

    // The first received byte is an acknowledgement (an old reply counts too).
    bool ackTest() const;
    // Something arrived since the flag was last cleared.
    bool freshReplyTest() const { return m_replyFlag; }

    // Successful reads and writes since a radio dialog was last closed.
    int successCount() const { return m_successCount; }
    void countSuccess() { ++m_successCount; }
    void resetSuccessCount() { m_successCount = 0; }
    // The reads that frame a write are not transfers of their own.
    void setSuccessCount(int count) { m_successCount = count; }

    // A session runs between these; the second refuses to start while one runs. A session
    // starts usable only when the transport is (an open port).
    bool beginSession();
    void endSession();
    bool sessionRunning() const { return m_sessionRunning; }

    // Ends the running wait at once; the procedure then stops as cancelled and sends nothing
    // more but its closing frame. Harmless when no session runs.
    void cancel();
    // The one frame a cancelled session still sends (the end frame), with the threshold last
    // set, once, and only when something went out in the session: the radio may be in
    // programming mode. Nothing on a broken line or in a session that was not cancelled.
    void sendClosingFrame(const QByteArray& frame);
    bool cancelled() const { return m_cancelled; }
    // The transport broke during the session; the message says how.
    bool failed() const { return !m_failure.isEmpty(); }
    QString failure() const { return m_failure; }
    // Cancelled or failed: nothing more goes out in this session but a closing frame.
    bool stopped() const { return m_cancelled || failed(); }

signals:
    // Every transmission and every receive event, for traces.
    void bytesSent(const QByteArray& bytes);
    void bytesReceived(const QByteArray& bytes);
    // The session was cancelled or the line failed: a running wait must end.
    void interrupted();

protected:
    // Empty when the transport can carry a session, otherwise why not.
    virtual QString transportProblem() const = 0;
    virtual void setThreshold(int bytes) = 0;
    virtual void transmit(const QByteArray& bytes) = 0;
    // The wait itself; watchFlag: return after the event processing that leaves the flag set.
    virtual void runWait(int milliseconds, bool watchFlag) = 0;

    // The receive event: the flag is set and the bytes replace the received bytes.
    void deliver(const QByteArray& bytes);
    // The line broke; ignored outside a session, the next one finds the port closed.
    void failTransport(const QString& message);

private:
    void transmitUnlessStopped(const QByteArray& bytes);

    QByteArray m_sendBuffer;
    QByteArray m_received;
    bool m_replyFlag = false;
    int m_successCount = 0;
    bool m_sessionRunning = false;
    bool m_cancelled = false;
    bool m_sentInSession = false;
    bool m_closingSent = false;
    QString m_failure;
};

} // namespace zev
