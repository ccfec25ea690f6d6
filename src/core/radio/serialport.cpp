#include "radio/serialport.h"

#include "radio/portdiagnosis.h"

#include <QCoreApplication>
#include <QSerialPort>

#include <cerrno>
#include <cstring>
#include <linux/serial.h>
#include <sys/ioctl.h>

namespace zev {

namespace {
constexpr int closeFlushMs = 500;

// A USB serial adapter holds each reply for its latency timer (16 ms on FTDI chips) unless the
// driver is asked for low latency, which needs no special rights. Returns why not, or empty.
QString requestLowLatency(int handle) {
    serial_struct line{};
    if (::ioctl(handle, TIOCGSERIAL, &line) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    if (line.flags & ASYNC_LOW_LATENCY)
        return QString();
    line.flags |= ASYNC_LOW_LATENCY;
    if (::ioctl(handle, TIOCSSERIAL, &line) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    return QString();
}
} // namespace

SerialPort::SerialPort(QObject* parent) : QObject(parent), m_port(new QSerialPort(this)) {
    connect(m_port, &QSerialPort::readyRead, this, &SerialPort::onReadyRead);
    connect(m_port, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError error) { onError(error); });
}

SerialPort::~SerialPort() = default;

void SerialPort::setPort(int number, const QString& device) {
    m_number = number;
    m_device = device;
}

int SerialPort::portNumber() const {
    return m_number;
}

QString SerialPort::device() const {
    return m_device;
}

Status SerialPort::open() {
    if (m_port->isOpen())
        return Status::success();
    if (m_device.isEmpty())
        return Status::failure(
            QCoreApplication::translate("zev::SerialPort", "No device is set for COM%1")
                .arg(m_number));
    const QString node = resolveDevicePath(m_device);
    // Another holder's lock file or exclusive mode keeps the port: root, whom the exclusive mode
    // does not stop, must not open past it. A lock file of a program that is gone is cleared on
    // the way, since QSerialPort would refuse the port for a while because of it.
    const bool held = probePort(node) == ProbeOutcome::Busy;
    m_port->setPortName(node);
    m_port->setBaudRate(QSerialPort::Baud9600);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (held || !m_port->open(QIODevice::ReadWrite)) {
        QString reason = m_port->errorString();
        m_port->clearError();
        // Qt says "Permission error while locking the device" for a port that is merely busy.
        if (const PortDiagnosis diagnosis = diagnosePort(node);
            diagnosis.outcome != ProbeOutcome::Free)
            reason = portProblemText(diagnosis);
        return Status::failure(
            QCoreApplication::translate("zev::SerialPort", "Cannot open %1 (COM%2): %3")
                .arg(m_device)
                .arg(m_number)
                .arg(reason));
    }
    m_failureReported = false;
    m_lowLatencyProblem = requestLowLatency(m_port->handle());
    // A pseudo-terminal has no modem lines and refuses these; the line works without them.
    m_port->setDataTerminalReady(true);
    m_port->setRequestToSend(false);
    // What arrived while the line was closed (the late answer to a session broken off by a
    // close) belongs to no exchange of this opening.
    m_port->clear(QSerialPort::Input);
    m_port->clearError();
    return Status::success();
}

void SerialPort::close() {
    if (!m_port->isOpen())
        return;
    // The last frame of a session (the end frame) must reach the radio before the line closes.
    if (m_port->bytesToWrite() > 0)
        m_port->waitForBytesWritten(closeFlushMs);
    m_port->close();
}

QString SerialPort::lowLatencyProblem() const {
    return m_lowLatencyProblem;
}

bool SerialPort::isOpen() const {
    return m_port->isOpen();
}

void SerialPort::setThreshold(int bytes) {
    m_threshold = bytes;
}

int SerialPort::threshold() const {
    return m_threshold;
}

void SerialPort::send(const QByteArray& bytes) {
    if (!m_port->isOpen() || bytes.isEmpty())
        return;
    m_port->write(bytes);
    m_port->flush();
}

void SerialPort::send(char byte) {
    send(QByteArray(1, byte));
}

void SerialPort::onReadyRead() {
    // Smaller pieces stay in the port's buffer until the whole reply is there.
    if (m_threshold <= 0 || m_port->bytesAvailable() < m_threshold)
        return;
    emit received(m_port->readAll());
}

void SerialPort::onError(int error) {
    switch (error) {
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::ResourceError:
        break;
    default:
        return; // refused modem lines on a pty and the like do not stop the line
    }
    if (m_failureReported || !m_port->isOpen())
        return;
    m_failureReported = true;
    // A vanished far end keeps reporting the error on every read: stop reading at once.
    m_port->close();
    emit failed(QCoreApplication::translate("zev::SerialPort",
                                            "The connection on %1 (COM%2) was lost: the device "
                                            "is gone or no longer answers")
                    .arg(m_device)
                    .arg(m_number));
}

} // namespace zev
