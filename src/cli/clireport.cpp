#include "clireport.h"

#include "chanfile/filesystemerror.h"
#include "clisupport.h"
#include "clitext.h"
#include "radio/hex.h"
#include "radio/link.h"

#include <cstdio>
#include <unistd.h>

namespace zev::cli {

Status FrameTrace::open(const QString& path) {
    m_clock.start();
    if (path.isEmpty())
        return Status::success();
    // A pipe without a reader would hold the program up before the session starts.
    if (const Status opened = openPlainFileForWriting(m_file, path); !opened)
        return Status::failure(CliText::tr("cannot write the trace: %1").arg(opened.message()));
    return Status::success();
}

void FrameTrace::attach(RadioLink& link) {
    if (!m_file.isOpen())
        return;
    QObject::connect(&link, &RadioLink::bytesSent, &link,
                     [this](const QByteArray& bytes) { write('>', bytes); });
    QObject::connect(&link, &RadioLink::bytesReceived, &link,
                     [this](const QByteArray& bytes) { write('<', bytes); });
}

void FrameTrace::note(const QString& text) {
    if (!m_file.isOpen())
        return;
    m_file.write(QStringLiteral("# %1\n").arg(text).toUtf8());
    m_file.flush();
}

void FrameTrace::write(char direction, const QByteArray& bytes) {
    const QString line = QStringLiteral("%1 %2 %3\n")
                             .arg(m_clock.elapsed())
                             .arg(QLatin1Char(direction))
                             .arg(bytesToHex(bytes));
    m_file.write(line.toLatin1());
    m_file.flush();
}

ProgressReport::ProgressReport(bool enabled, QString activity)
    : m_terminal(::isatty(STDERR_FILENO) == 1), m_activity(std::move(activity)) {
    m_enabled = enabled || m_terminal;
}

ProgressReport::~ProgressReport() {
    if (m_shown && m_terminal)
        std::fputc('\n', stderr);
}

ProgressCallback ProgressReport::callback() {
    if (!m_enabled)
        return {};
    return [this](int percent) { show(percent); };
}

void ProgressReport::show(int percent) {
    const QByteArray text = QStringLiteral("%1 %2%").arg(m_activity).arg(percent, 3).toLocal8Bit();
    if (m_terminal)
        std::fprintf(stderr, "\r%s", text.constData());
    else
        std::fprintf(stderr, "%s\n", text.constData());
    std::fflush(stderr);
    m_shown = true;
}

JobProgress::JobProgress(bool enabled, const QString& activity) : m_enabled(enabled) {
    if (!activity.isEmpty())
        m_report.emplace(m_enabled, activity);
}

void JobProgress::progress(int percent) {
    if (const ProgressCallback show = m_report ? m_report->callback() : ProgressCallback())
        show(percent);
}

void JobProgress::phaseStarted(WritePhase phase) {
    m_report.reset();
    m_report.emplace(m_enabled, phaseActivity(phase));
}

} // namespace zev::cli
