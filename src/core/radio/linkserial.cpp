#include "radio/linkserial.h"

#include "radio/serialport.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace zev {

SerialLink::SerialLink(SerialPort& port, QObject* parent) : RadioLink(parent), m_port(port) {
    connect(&m_port, &SerialPort::received, this,
            [this](const QByteArray& bytes) { deliver(bytes); });
    connect(&m_port, &SerialPort::failed, this,
            [this](const QString& message) { failTransport(message); });
}

QString SerialLink::description() const {
    return m_port.device();
}

QString SerialLink::transportProblem() const {
    if (m_port.isOpen())
        return {};
    return QCoreApplication::translate("zev::RadioLink", "the port %1 is not open")
        .arg(m_port.device());
}

void SerialLink::setThreshold(int bytes) {
    m_port.setThreshold(bytes);
}

void SerialLink::transmit(const QByteArray& bytes) {
    m_port.send(bytes);
}

void SerialLink::runWait(int milliseconds, bool watchFlag) {
    if (watchFlag && replyFlag()) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    limit.setTimerType(Qt::PreciseTimer);
    connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(this, &RadioLink::interrupted, &loop, &QEventLoop::quit);
    // The receive handler has set the flag by the time this runs: the loop ends after the
    // event that brought the reply.
    if (watchFlag)
        connect(this, &RadioLink::bytesReceived, &loop, &QEventLoop::quit);
    limit.start(milliseconds);
    loop.exec();
}

} // namespace zev
