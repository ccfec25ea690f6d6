#pragma once

#include "radio/link.h"

#include <QList>

#include <functional>
#include <vector>

namespace zev {

class RadioSimulator;

// The link to an in-process radio on a virtual clock: a wait advances virtual time and hands
// over the radio's replies as their time comes, so a test of six unanswered 550 ms attempts
// costs no real time. Bytes take their line time at 9600 baud (10 bits each) both ways.
class VirtualLink : public RadioLink {
    Q_OBJECT
public:
    struct Traffic {
        qint64 atMicroseconds;
        bool sent; // false: a receive event
        QByteArray bytes;
    };

    static constexpr qint64 ByteMicroseconds = 1042;

    explicit VirtualLink(RadioSimulator& radio, QObject* parent = nullptr);

    QString description() const override { return QStringLiteral("the simulated radio"); }

    qint64 nowMicroseconds() const { return m_now; }
    qint64 nowMilliseconds() const { return m_now / 1000; }

    // Runs action once virtual time reaches the given point, inside a wait.
    void schedule(qint64 atMilliseconds, std::function<void()> action);
    // The line breaks at that point, as a serial error would report it.
    void breakLineAt(qint64 atMilliseconds, const QString& message);
    // Bytes that reach the port now from elsewhere than the radio (noise on the line).
    void lineNoise(const QByteArray& bytes);
    // A closed port refuses sessions.
    void setPortOpen(bool open) { m_portOpen = open; }

    const QList<Traffic>& traffic() const { return m_traffic; }
    // Sent frames and receive events as hex, ">" or "<" first, in order.
    QStringList trafficHex() const;
    // What the procedure did, in order: "send HEX /THRESHOLD" for every transmission (the
    // threshold in force as it went out), "wait MS" and "full wait MS" for every wait begun.
    const QStringList& steps() const { return m_steps; }

protected:
    QString transportProblem() const override;
    void setThreshold(int bytes) override { m_threshold = bytes; }
    void transmit(const QByteArray& bytes) override;
    void runWait(int milliseconds, bool watchFlag) override;

private:
    struct Event {
        qint64 due;
        quint64 order;
        QByteArray bytes;             // arriving bytes, or
        std::function<void()> action; // something that happens then
    };

    std::vector<Event>::iterator nextEvent(); // earliest due, first scheduled first
    void processDueEvents();
    void arrive(const QByteArray& bytes);

    RadioSimulator& m_radio;
    qint64 m_now = 0;
    qint64 m_outgoingFree = 0;
    qint64 m_incomingFree = 0;
    quint64 m_nextOrder = 0;
    std::vector<Event> m_events;
    QByteArray m_input;
    int m_threshold = 1;
    bool m_portOpen = true;
    QList<Traffic> m_traffic;
    QStringList m_steps;
};

} // namespace zev
