#pragma once

#include "jobs/jobobserver.h"

#include <QMutex>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QThread;

namespace zev {

class RadioLink;

// One radio of several, as the fleet reports it.
struct FleetRadio {
    QString name;    // as the user named its port (COM1, /dev/ttyUSB0, a by-id name)
    QString device;  // the device the name stands for
    QString failure; // set before the start: the radio is not started; set by the work otherwise
    QString file;    // what the work kept: a backup, the plan read
    qint64 elapsedMs = 0;
    bool portFailed = false; // the failure is the port's: it did not open
    QString warning;         // besides the outcome, such as a write log that took no line
};

// Several radios at once, each in a thread of its own with its own port, link and event loop, so
// that a radio that is silent or gone holds up no other. The window's Write to several radios…
// and the command line's read, write and clone of several radios all run here. Progress and
// phases come as signals in the thread that made the fleet.
class RadioFleet : public QObject {
    Q_OBJECT
public:
    // The session of one radio on its open link; it sets the radio's failure and file and
    // reports through the observer.
    using Work = std::function<void(FleetRadio& radio, RadioLink& link, JobObserver& observer)>;

    explicit RadioFleet(std::vector<FleetRadio> radios, QObject* parent = nullptr);
    ~RadioFleet() override; // stops every session and waits for it

    // Starts every radio without a failure; finished comes when all have ended (at once when
    // none could start).
    void start(Work work);
    // Every session stops at its next wait, and each radio in programming mode gets its end
    // frame. A radio not yet running stops before its first frame.
    void stop();
    bool isRunning() const { return m_running > 0; }
    // Each radio's outcome; read it once the radio has finished.
    const std::vector<FleetRadio>& radios() const { return m_radios; }

signals:
    void progressed(int index, int percent);
    void phaseStarted(int index, zev::WritePhase phase);
    void radioFinished(int index);
    void finished();

private:
    struct Control;
    void runRadio(int index, const Work& work);

    std::vector<FleetRadio> m_radios;
    std::vector<std::unique_ptr<Control>> m_controls;
    std::vector<std::unique_ptr<QThread>> m_threads;
    int m_running = 0;
};

} // namespace zev
