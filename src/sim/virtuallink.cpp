#include "sim/virtuallink.h"

#include "radio/hex.h"
#include "sim/simulator.h"

#include <algorithm>

namespace zev {

VirtualLink::VirtualLink(RadioSimulator& radio, QObject* parent)
    : RadioLink(parent), m_radio(radio) {
    connect(this, &RadioLink::bytesReceived, this, [this](const QByteArray& bytes) {
        m_traffic.append({m_now, false, bytes});
    });
}

void VirtualLink::schedule(qint64 atMilliseconds, std::function<void()> action) {
    m_events.push_back({atMilliseconds * 1000, m_nextOrder++, {}, std::move(action)});
}

void VirtualLink::breakLineAt(qint64 atMilliseconds, const QString& message) {
    schedule(atMilliseconds, [this, message] {
        m_portOpen = false;
        failTransport(message);
    });
}

void VirtualLink::lineNoise(const QByteArray& bytes) {
    m_events.push_back({m_now, m_nextOrder++, bytes, {}});
}

QStringList VirtualLink::trafficHex() const {
    QStringList lines;
    for (const Traffic& entry : m_traffic)
        lines.append((entry.sent ? QStringLiteral(">") : QStringLiteral("<")) +
                     bytesToHex(entry.bytes));
    return lines;
}

QString VirtualLink::transportProblem() const {
    return m_portOpen ? QString() : QStringLiteral("the port is not open");
}

void VirtualLink::transmit(const QByteArray& bytes) {
    m_traffic.append({m_now, true, bytes});
    m_steps.append(QStringLiteral("send %1 /%2").arg(bytesToHex(bytes)).arg(m_threshold));
    // The radio acts once the last byte is in; its answers follow on the other wire.
    const qint64 heard = std::max(m_now, m_outgoingFree) + bytes.size() * ByteMicroseconds;
    m_outgoingFree = heard;
    for (const SimulatorReply& reply : m_radio.receive(bytes)) {
        const qint64 start = std::max(heard + qint64(reply.delayMs) * 1000, m_incomingFree);
        const qint64 due = start + reply.bytes.size() * ByteMicroseconds;
        m_incomingFree = due;
        m_events.push_back({due, m_nextOrder++, reply.bytes, {}});
    }
}

void VirtualLink::runWait(int milliseconds, bool watchFlag) {
    m_steps.append(QStringLiteral("%1 %2")
                       .arg(watchFlag ? QStringLiteral("wait") : QStringLiteral("full wait"))
                       .arg(milliseconds));
    const qint64 deadline = m_now + qint64(milliseconds) * 1000;
    if (watchFlag && replyFlag()) {
        processDueEvents();
        return;
    }
    while (!stopped()) {
        const auto next = nextEvent();
        // The limit is checked before events are processed: what comes exactly at the
        // limit waits for the next look.
        if (next == m_events.end() || next->due >= deadline) {
            m_now = deadline;
            return;
        }
        m_now = std::max(m_now, next->due);
        processDueEvents();
        if (watchFlag && replyFlag())
            return;
    }
}

std::vector<VirtualLink::Event>::iterator VirtualLink::nextEvent() {
    return std::min_element(m_events.begin(), m_events.end(), [](const Event& a, const Event& b) {
        return a.due != b.due ? a.due < b.due : a.order < b.order;
    });
}

void VirtualLink::processDueEvents() {
    for (;;) {
        const auto next = nextEvent();
        if (next == m_events.end() || next->due > m_now)
            return;
        Event event = std::move(*next);
        m_events.erase(next);
        if (event.action)
            event.action();
        else
            arrive(event.bytes);
    }
}

void VirtualLink::arrive(const QByteArray& bytes) {
    if (!m_portOpen)
        return;
    m_input += bytes;
    if (m_threshold > 0 && m_input.size() >= m_threshold)
        deliver(std::exchange(m_input, {}));
}

} // namespace zev
