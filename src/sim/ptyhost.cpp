#include "ptyhost.h"

#include "radio/hex.h"
#include "radio/memoryimage.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/signalfd.h>
#include <termios.h>
#include <unistd.h>

namespace zev::sim {

namespace {

constexpr int BitsPerByte = 10; // 8N1: start bit, eight data bits, stop bit
// Bytes are handed on in packets, as a USB serial adapter does, not one wake-up per byte: a
// bench of 32 radios on two cores otherwise spends its time waking simulators. A packet never
// goes before its last byte's line time, and the last byte of a reply or a frame is never held.
constexpr int PacketBytes = 16;

QString systemError(const QString& what) {
    return QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errno)));
}

bool makeRaw(int fd) {
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0)
        return false;
    ::cfmakeraw(&settings);
    return ::tcsetattr(fd, TCSANOW, &settings) == 0;
}

} // namespace

PtyHost::PtyHost(HostOptions options) : m_options(std::move(options)) {}

PtyHost::~PtyHost() {
    for (const int fd : {m_master, m_slave, m_signals}) {
        if (fd >= 0)
            ::close(fd);
    }
}

Status PtyHost::open() {
    QByteArray image;
    if (const Status loaded = loadImage(image); !loaded)
        return loaded;
    m_radio = RadioSimulator(image, m_options.faults);
    m_radio.setFrameLogging(!m_options.tracePath.isEmpty());

    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
        return Status::failure(systemError(QStringLiteral("Cannot open a pseudo-terminal")));
    m_terminalPath = QString::fromLocal8Bit(name);
    // Raw both ways: no echo of our replies back to us, no line editing of binary frames.
    if (!makeRaw(m_slave) || !makeRaw(m_master))
        return Status::failure(systemError(QStringLiteral("Cannot set %1 raw").arg(name)));
    const int flags = ::fcntl(m_master, F_GETFL);
    if (flags < 0 || ::fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0)
        return Status::failure(
            systemError(QStringLiteral("Cannot make the terminal non-blocking")));
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);

    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    m_signals = ::signalfd(-1, &stopSignals, SFD_CLOEXEC | SFD_NONBLOCK);
    if (m_signals < 0)
        return Status::failure(systemError(QStringLiteral("Cannot watch for stop signals")));

    if (!m_options.tracePath.isEmpty()) {
        m_trace.setFileName(m_options.tracePath);
        if (!m_trace.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            return Status::failure(QStringLiteral("Cannot write the trace %1: %2")
                                       .arg(m_options.tracePath, m_trace.errorString()));
    }
    if (const Status linked = makeLink(); !linked)
        return linked;
    m_start = Clock::now();
    m_inboundLineFree = m_outboundLineFree = m_lastActivity = m_start;
    trace(m_start, QStringLiteral("# radio on %1").arg(m_terminalPath));
    return Status::success();
}

Status PtyHost::loadImage(QByteArray& image) const {
    const QString& path = m_options.imagePath;
    if (!path.isEmpty() && QFileInfo::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return Status::failure(
                QStringLiteral("Cannot read the image %1: %2").arg(path, file.errorString()));
        image = file.readAll();
        if (image.size() != MemoryImage::Size)
            return Status::failure(
                QStringLiteral("The image %1 holds %2 bytes; a memory image holds %3.")
                    .arg(path)
                    .arg(image.size())
                    .arg(MemoryImage::Size));
        return Status::success();
    }
    switch (m_options.startImage) {
    case HostOptions::StartImage::Factory:
        image = RadioSimulator::factoryImage();
        break;
    case HostOptions::StartImage::Demo:
        image = RadioSimulator::demoImage();
        break;
    case HostOptions::StartImage::Erased:
        image = RadioSimulator::erasedImage();
        break;
    }
    return Status::success();
}

Status PtyHost::saveImage() {
    m_savedWrites = m_radio.blocksWritten();
    if (m_options.imagePath.isEmpty())
        return Status::success();
    // Written beside the file and renamed over it: a reader never sees half an image.
    QSaveFile file(m_options.imagePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(m_radio.image()) != MemoryImage::Size ||
        !file.commit())
        return Status::failure(QStringLiteral("Cannot save the image %1: %2")
                                   .arg(m_options.imagePath, file.errorString()));
    return Status::success();
}

Status PtyHost::makeLink() {
    if (m_options.linkPath.isEmpty())
        return Status::success();
    const QByteArray link = QFile::encodeName(m_options.linkPath);
    const QFileInfo existing(m_options.linkPath);
    // A link left by a host that was killed is replaced; anything else is not ours to remove.
    if (existing.isSymLink()) {
        if (::unlink(link.constData()) != 0)
            return Status::failure(
                systemError(QStringLiteral("Cannot replace the link %1").arg(m_options.linkPath)));
    } else if (existing.exists()) {
        return Status::failure(QStringLiteral("%1 exists and is not a symbolic link; not replaced.")
                                   .arg(m_options.linkPath));
    }
    if (::symlink(QFile::encodeName(m_terminalPath).constData(), link.constData()) != 0)
        return Status::failure(
            systemError(QStringLiteral("Cannot make the link %1").arg(m_options.linkPath)));
    m_linkMade = true;
    return Status::success();
}

Status PtyHost::close() {
    Status saved = saveImage();
    if (m_linkMade) {
        // Only our own link goes: another host may have taken the name since.
        if (QFileInfo(m_options.linkPath).symLinkTarget() == QFileInfo(m_terminalPath).filePath())
            ::unlink(QFile::encodeName(m_options.linkPath).constData());
        m_linkMade = false;
    }
    trace(Clock::now(), QStringLiteral("# stopped"));
    m_trace.close();
    return saved;
}

Status PtyHost::run() {
    for (;;) {
        const Clock::time_point now = Clock::now();
        deliverArrived(now);
        if (const Status sent = sendDue(now); !sent)
            return sent;
        checkSessionTimeout(now);

        pollfd fds[2] = {
            {m_master, static_cast<short>(POLLIN | (m_outputBlocked ? POLLOUT : 0)), 0},
            {m_signals, POLLIN, 0}};
        const Clock::time_point deadline = nextDeadline();
        timespec timeout{};
        timespec* timeoutPointer = nullptr;
        if (deadline != Clock::time_point::max()) {
            const auto wait = std::max(Clock::duration::zero(), deadline - Clock::now());
            const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait);
            timeout.tv_sec = seconds.count();
            timeout.tv_nsec =
                std::chrono::duration_cast<std::chrono::nanoseconds>(wait - seconds).count();
            timeoutPointer = &timeout;
        }
        if (::ppoll(fds, 2, timeoutPointer, nullptr) < 0) {
            if (errno == EINTR)
                continue;
            return Status::failure(systemError(QStringLiteral("Waiting on the terminal failed")));
        }
        if (fds[1].revents & POLLIN)
            return hearTheRest();
        if (fds[0].revents & POLLOUT)
            m_outputBlocked = false;
        if (fds[0].revents & POLLIN) {
            if (const Status read = readTerminal(Clock::now()); !read)
                return read;
        }
    }
}

// Bytes the programmer sent before the stop are heard first, whatever their pace: a trace or an
// image saved at exit then holds everything that was sent.
Status PtyHost::hearTheRest() {
    if (const Status read = readTerminal(Clock::now()); !read)
        return read;
    if (!m_inbound.empty())
        deliverArrived(std::max(Clock::now(), m_inbound.back().arrives));
    return Status::success();
}

PtyHost::Clock::duration PtyHost::byteTime() const {
    if (m_options.baud <= 0)
        return Clock::duration::zero();
    return std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(
        static_cast<long long>(BitsPerByte) * 1'000'000'000LL / m_options.baud));
}

Status PtyHost::readTerminal(Clock::time_point now) {
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(m_master, buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                return Status::success();
            return Status::failure(systemError(QStringLiteral("Reading the terminal failed")));
        }
        if (count == 0)
            return Status::success();
        // Each byte takes its line time after the one before it.
        for (ssize_t i = 0; i < count; ++i) {
            m_inboundLineFree = std::max(now, m_inboundLineFree) + byteTime();
            m_inbound.push_back({m_inboundLineFree, buffer[i]});
        }
    }
}

void PtyHost::deliverArrived(Clock::time_point now) {
    // Byte by byte in the order they came off the line, so that a quiet spell between two of
    // them ends the session before the later one is heard, however late this loop got round
    // to noticing.
    bool heard = false;
    while (!m_inbound.empty() && m_inbound.front().arrives <= now) {
        const InboundByte byte = m_inbound.front();
        m_inbound.pop_front();
        dropQuietSession(byte.arrives);
        const int framesBefore = m_radio.framesReceived();
        for (const SimulatorReply& reply : m_radio.receive(QByteArray(1, byte.byte))) {
            // From the byte's line time, not from when this loop took it in: a byte heard late in
            // a packet is answered on time.
            const auto ready =
                byte.arrives + std::chrono::milliseconds(m_options.latencyMs + reply.delayMs);
            const auto starts = std::max(ready, m_outboundLineFree);
            m_outboundLineFree = starts + byteTime() * static_cast<Clock::rep>(reply.bytes.size());
            m_outbound.push_back({starts, reply.bytes});
        }
        // Quiet counts from the last byte the radio took in: one that completed a frame or is
        // held as the start of one. Skipped bytes do not keep a session alive, so entry frames
        // repeated into a session that was broken off still see it end.
        if (m_radio.framesReceived() != framesBefore || m_radio.partialFrame())
            m_lastActivity = byte.arrives;
        heard = true;
    }
    if (!heard)
        return;
    traceFrames(now);
    if (m_radio.blocksWritten() != m_savedWrites) {
        if (const Status saved = saveImage(); !saved)
            qWarning("rh4800-sim: %s", qPrintable(saved.message()));
    }
}

void PtyHost::traceFrames(Clock::time_point at) {
    for (const SimulatorFrame& frame : m_radio.takeFrameLog())
        trace(at, QStringLiteral("> ") + bytesToHex(frame.bytes) +
                      (frame.recognised ? QString() : QStringLiteral(" skipped")));
}

Status PtyHost::sendDue(Clock::time_point now) {
    while (!m_outbound.empty() && !m_outputBlocked) {
        OutboundReply& reply = m_outbound.front();
        if (reply.starts > now)
            return Status::success();
        // A byte reaches the far end when its line time is over; the rest wait for their turn.
        qsizetype due = reply.bytes.size();
        if (byteTime() > Clock::duration::zero())
            due = std::min<qsizetype>(due, (now - reply.starts) / byteTime());
        if (due <= reply.sent)
            return Status::success();
        if (reply.sent == 0)
            trace(now, QStringLiteral("< ") + bytesToHex(reply.bytes));
        while (reply.sent < due) {
            const ssize_t written =
                ::write(m_master, reply.bytes.constData() + reply.sent, due - reply.sent);
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                if (errno == EAGAIN || errno == EWOULDBLOCK) {
                    m_outputBlocked = true;
                    return Status::success();
                }
                return Status::failure(systemError(QStringLiteral("Writing the terminal failed")));
            }
            reply.sent += written;
        }
        m_lastActivity = now;
        if (reply.sent < reply.bytes.size())
            return Status::success();
        m_outbound.pop_front();
    }
    return Status::success();
}

void PtyHost::checkSessionTimeout(Clock::time_point now) {
    if (m_inbound.empty() && m_outbound.empty())
        dropQuietSession(now);
}

void PtyHost::dropQuietSession(Clock::time_point at) {
    if (m_options.sessionTimeoutMs <= 0 || !m_radio.sessionOpen() || !m_outbound.empty())
        return;
    if (at - m_lastActivity < std::chrono::milliseconds(m_options.sessionTimeoutMs))
        return;
    traceFrames(at); // what was heard before the quiet spell
    m_radio.abandonSession();
    traceFrames(at); // the partial frame it forgot
    trace(at,
          QStringLiteral("# session dropped after %1 ms of quiet").arg(m_options.sessionTimeoutMs));
}

PtyHost::Clock::time_point PtyHost::nextDeadline() const {
    Clock::time_point deadline = Clock::time_point::max();
    if (!m_inbound.empty())
        deadline = std::min({deadline, m_inbound.back().arrives,
                             m_inbound.front().arrives + byteTime() * (PacketBytes - 1)});
    if (!m_outbound.empty() && !m_outputBlocked) {
        const OutboundReply& reply = m_outbound.front();
        const qsizetype packetEnd = std::min(reply.bytes.size(), reply.sent + PacketBytes);
        deadline =
            std::min(deadline, reply.starts + byteTime() * static_cast<Clock::rep>(packetEnd));
    }
    if (m_options.sessionTimeoutMs > 0 && m_radio.sessionOpen() && m_inbound.empty() &&
        m_outbound.empty())
        deadline = std::min(deadline,
                            m_lastActivity + std::chrono::milliseconds(m_options.sessionTimeoutMs));
    return deadline;
}

void PtyHost::trace(Clock::time_point at, const QString& line) {
    if (!m_trace.isOpen())
        return;
    const double elapsedMs = std::chrono::duration<double, std::milli>(at - m_start).count();
    m_trace.write(QStringLiteral("%1 %2\n").arg(elapsedMs, 0, 'f', 3).arg(line).toUtf8());
    m_trace.flush();
}

} // namespace zev::sim
