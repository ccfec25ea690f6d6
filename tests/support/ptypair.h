#pragma once

#include <QByteArray>
#include <QString>

namespace testsupport {

// A pseudo-terminal whose master end the test holds, playing the far end of the line; the code
// under test opens the slave as its serial device.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool isValid() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }

    bool write(const QByteArray& bytes);
    // Whatever the slave side has sent so far.
    QByteArray readAvailable();
    // Waits until count bytes have arrived or limitMs has passed, and returns what came.
    QByteArray read(int count, int limitMs = 5000);
    // Whether a byte arrives within limitMs.
    bool hasInput(int limitMs);
    // The far end gone, as a pulled cable.
    void closeMaster();

private:
    int m_master = -1;
    QString m_slavePath;
};

} // namespace testsupport
