#include "ptypair.h"

#include <QElapsedTimer>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

namespace testsupport {

PtyPair::PtyPair() {
    char name[256] = {};
    int slave = -1;
    if (::openpty(&m_master, &slave, name, nullptr, nullptr) != 0) {
        m_master = -1;
        return;
    }
    m_slavePath = QString::fromLocal8Bit(name);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    // The test keeps no handle on the slave: the port's open must be the only one.
    ::close(slave);
}

PtyPair::~PtyPair() {
    closeMaster();
}

bool PtyPair::write(const QByteArray& bytes) {
    return ::write(m_master, bytes.constData(), bytes.size()) == bytes.size();
}

QByteArray PtyPair::readAvailable() {
    QByteArray bytes;
    char buffer[256];
    for (;;) {
        const ssize_t count = ::read(m_master, buffer, sizeof buffer);
        if (count <= 0)
            break;
        bytes.append(buffer, count);
    }
    return bytes;
}

QByteArray PtyPair::read(int count, int limitMs) {
    QByteArray bytes;
    QElapsedTimer timer;
    timer.start();
    while (bytes.size() < count && timer.elapsed() < limitMs) {
        if (hasInput(50))
            bytes += readAvailable();
    }
    return bytes;
}

bool PtyPair::hasInput(int limitMs) {
    pollfd fd{m_master, POLLIN, 0};
    return ::poll(&fd, 1, limitMs) > 0 && (fd.revents & POLLIN);
}

void PtyPair::closeMaster() {
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

} // namespace testsupport
