#pragma once

#include "status.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QSerialPort;

namespace zev {

// The one serial line to the radio: 9600 baud 8N1, no flow control, DTR on, RTS off. It hands
// over received bytes in one piece once at least the threshold wait, on the thread that owns it.
class SerialPort : public QObject {
    Q_OBJECT
public:
    explicit SerialPort(QObject* parent = nullptr);
    ~SerialPort() override;

    // Port number 1 to 4 and the device behind it. Takes effect at the next open; a link (a
    // /dev/serial/by-id name) is followed at each open, so it keeps finding the same cable.
    void setPort(int number, const QString& device);
    int portNumber() const;
    QString device() const;

    // A failure says what stands in the way and what to do about it.
    [[nodiscard]] Status open();
    void close();
    bool isOpen() const;

    // Why the driver did not switch to low latency at the last open (a pseudo-terminal has no
    // such mode); empty when it did.
    QString lowLatencyProblem() const;

    // received() comes once at least this many bytes wait; 0 or less means never.
    void setThreshold(int bytes);
    int threshold() const;

    // Sending on a closed port does nothing.
    void send(const QByteArray& bytes);
    void send(char byte);

signals:
    void received(const QByteArray& bytes); // every byte waiting, the receive buffer emptied
    void failed(const QString& message);    // the line broke; the port is closed already

private:
    void onReadyRead();
    void onError(int error);

    QSerialPort* m_port;
    int m_number = 1;
    QString m_device;
    int m_threshold = 1;
    bool m_failureReported = false;
    QString m_lowLatencyProblem;
};

} // namespace zev
