#include "jobs/radiofleet.h"

#include "radio/linkserial.h"
#include "radio/portlist.h"
#include "radio/serialport.h"

#include <QElapsedTimer>
#include <QMutexLocker>
#include <QThread>

#include <algorithm>

namespace zev {

// A stop reaches a session through its link, in the link's own thread; a stop asked for before
// the link exists reaches it at its first wait.
struct RadioFleet::Control {
    void stop() {
        QMutexLocker lock(&mutex);
        stopRequested = true;
        if (link)
            QMetaObject::invokeMethod(
                link, [link = link] { link->cancel(); }, Qt::QueuedConnection);
    }
    void attach(RadioLink* attached) {
        QMutexLocker lock(&mutex);
        link = attached;
        if (stopRequested)
            QMetaObject::invokeMethod(
                attached, [attached] { attached->cancel(); }, Qt::QueuedConnection);
    }
    void detach() {
        QMutexLocker lock(&mutex);
        link = nullptr;
    }

    QMutex mutex;
    RadioLink* link = nullptr;
    bool stopRequested = false;
};

namespace {

// A radio's observer: its reports cross to the fleet's thread as signals.
class FleetObserver : public JobObserver {
public:
    FleetObserver(RadioFleet& fleet, int index) : m_fleet(fleet), m_index(index) {}
    void progress(int percent) override {
        QMetaObject::invokeMethod(
            &m_fleet,
            [fleet = &m_fleet, index = m_index, percent] {
                emit fleet->progressed(index, percent);
            },
            Qt::QueuedConnection);
    }
    void phaseStarted(WritePhase phase) override {
        QMetaObject::invokeMethod(
            &m_fleet,
            [fleet = &m_fleet, index = m_index, phase] { emit fleet->phaseStarted(index, phase); },
            Qt::QueuedConnection);
    }

private:
    RadioFleet& m_fleet;
    int m_index;
};

} // namespace

RadioFleet::RadioFleet(std::vector<FleetRadio> radios, QObject* parent)
    : QObject(parent), m_radios(std::move(radios)) {
    for (size_t i = 0; i < m_radios.size(); ++i)
        m_controls.push_back(std::make_unique<Control>());
}

RadioFleet::~RadioFleet() {
    stop();
    for (const auto& thread : m_threads)
        thread->wait();
}

void RadioFleet::runRadio(int index, const Work& work) {
    FleetRadio& radio = m_radios[size_t(index)];
    QElapsedTimer clock;
    clock.start();
    SerialPort port;
    SerialLink link(port);
    port.setPort(std::max(comNumberOf(radio.name), 1), radio.device);
    if (const Status opened = port.open(); !opened) {
        radio.failure = opened.message();
        radio.portFailed = true;
    } else {
        Control& control = *m_controls[size_t(index)];
        control.attach(&link);
        FleetObserver observer(*this, index);
        work(radio, link, observer);
        control.detach();
    }
    port.close();
    radio.elapsedMs = clock.elapsed();
}

void RadioFleet::start(Work work) {
    const auto shared = std::make_shared<Work>(std::move(work));
    for (size_t i = 0; i < m_radios.size(); ++i) {
        if (!m_radios[i].failure.isEmpty())
            continue;
        const int index = int(i);
        m_threads.emplace_back(
            QThread::create([this, index, shared] { runRadio(index, *shared); }));
        connect(m_threads.back().get(), &QThread::finished, this, [this, index] {
            emit radioFinished(index);
            if (--m_running == 0)
                emit finished();
        });
        ++m_running;
    }
    if (m_running == 0) {
        QMetaObject::invokeMethod(this, &RadioFleet::finished, Qt::QueuedConnection);
        return;
    }
    for (const auto& thread : m_threads)
        thread->start();
}

void RadioFleet::stop() {
    for (const auto& control : m_controls)
        control->stop();
}

} // namespace zev
