#pragma once

#include "hostoptions.h"
#include "sim/simulator.h"
#include "status.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <chrono>
#include <deque>

namespace zev::sim {

// Hosts the simulated radio on a pseudo-terminal. One thread and one poll loop: the loop sleeps
// until bytes arrive, a paced byte is due, the session times out or a stop signal comes.
class PtyHost {
public:
    using Clock = std::chrono::steady_clock;

    explicit PtyHost(HostOptions options);
    ~PtyHost();
    PtyHost(const PtyHost&) = delete;
    PtyHost& operator=(const PtyHost&) = delete;

    // Loads the image, opens the terminal, the link and the trace.
    Status open();
    QString terminalPath() const { return m_terminalPath; }
    // Runs until SIGTERM or SIGINT (blocked by the caller before any thread starts).
    Status run();
    // Saves the image and removes the link.
    Status close();

private:
    struct InboundByte {
        Clock::time_point arrives;
        char byte;
    };
    struct OutboundReply {
        Clock::time_point starts; // when the first byte goes on the line
        QByteArray bytes;
        qsizetype sent = 0;
    };

    Status loadImage(QByteArray& image) const;
    Status saveImage();
    Status makeLink();
    Status readTerminal(Clock::time_point now);
    void deliverArrived(Clock::time_point now);
    Status sendDue(Clock::time_point now);
    void traceFrames(Clock::time_point at);
    Status hearTheRest();
    void checkSessionTimeout(Clock::time_point now);
    void dropQuietSession(Clock::time_point at);
    Clock::time_point nextDeadline() const;
    Clock::duration byteTime() const;
    void trace(Clock::time_point at, const QString& line);

    HostOptions m_options;
    RadioSimulator m_radio;
    int m_master = -1;
    int m_slave = -1; // held open so the master never sees a hang-up between clients
    int m_signals = -1;
    QString m_terminalPath;
    bool m_linkMade = false;
    QFile m_trace;
    Clock::time_point m_start = Clock::now();
    Clock::time_point m_inboundLineFree;
    Clock::time_point m_outboundLineFree;
    Clock::time_point m_lastActivity;
    std::deque<InboundByte> m_inbound;
    std::deque<OutboundReply> m_outbound;
    bool m_outputBlocked = false;
    int m_savedWrites = 0;
};

} // namespace zev::sim
