#include "interruption.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace zev::cli {

namespace {

// The write end of the pipe the signal handler wakes the event loop through.
int wakeFd = -1;
volatile sig_atomic_t interrupted = 0;

void onSignal(int signalNumber) {
    // SIGTERM, and Ctrl-C when the first one has not ended the program, end it at once whatever
    // it is doing (it may be stuck outside the event loop): the default action, as if the program
    // had no handler. The signal is blocked until the handler returns, then delivered.
    if (signalNumber == SIGTERM || interrupted) {
        ::signal(signalNumber, SIG_DFL);
        ::raise(signalNumber);
        return;
    }
    interrupted = 1;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeFd, &byte, 1);
}

void setHandler(void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

} // namespace

Interruption::Interruption(std::function<void()> onInterrupt)
    : m_onInterrupt(std::move(onInterrupt)) {
    int fds[2];
    if (wakeFd >= 0 || ::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // without the pipe a signal keeps its default effect
    wakeFd = fds[1];
    interrupted = 0;
    m_notifier = new QSocketNotifier(fds[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char drained[16];
        while (::read(static_cast<int>(m_notifier->socket()), drained, sizeof drained) > 0) {
        }
        m_onInterrupt();
    });
    setHandler(onSignal);
}

Interruption::~Interruption() {
    if (!m_notifier)
        return;
    setHandler(SIG_DFL);
    ::close(static_cast<int>(m_notifier->socket()));
    ::close(wakeFd);
    wakeFd = -1;
}

} // namespace zev::cli
