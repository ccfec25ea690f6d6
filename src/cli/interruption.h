#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace zev::cli {

// Turns the first Ctrl-C (SIGINT) into a call on the event loop while it lives, so that a session
// in progress ends cleanly instead of the process dying mid-frame. SIGTERM and a second Ctrl-C
// end the program at once.
class Interruption : public QObject {
    Q_OBJECT
public:
    explicit Interruption(std::function<void()> onInterrupt);
    ~Interruption() override;
    Interruption(const Interruption&) = delete;
    Interruption& operator=(const Interruption&) = delete;

private:
    std::function<void()> m_onInterrupt;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace zev::cli
