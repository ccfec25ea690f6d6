#pragma once

#include "radio/link.h"

namespace zev {

class SerialPort;

// The link over the real serial port. A wait runs a local event loop, so the windows stay
// responsive and the port's receive event is handled inside it.
class SerialLink : public RadioLink {
    Q_OBJECT
public:
    explicit SerialLink(SerialPort& port, QObject* parent = nullptr);

    QString description() const override;

protected:
    QString transportProblem() const override;
    void setThreshold(int bytes) override;
    void transmit(const QByteArray& bytes) override;
    void runWait(int milliseconds, bool watchFlag) override;

private:
    SerialPort& m_port;
};

} // namespace zev
