#pragma once

#include <QByteArray>
#include <QString>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

// A pseudo-terminal whose master end the test holds; the port under test opens the slave.
class PtyPair {
public:
    PtyPair() {
        char name[256] = {};
        if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
            return;
        m_slavePath = QString::fromLocal8Bit(name);
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
        // The test keeps no handle on the slave: the port's open must be the only one.
        ::close(m_slave);
        m_slave = -1;
    }
    ~PtyPair() { closeMaster(); }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool isValid() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }

    bool write(const QByteArray& bytes) {
        return ::write(m_master, bytes.constData(), bytes.size()) == bytes.size();
    }

    // Whatever the slave side has sent so far.
    QByteArray readAvailable() {
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

    void closeMaster() {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
};
