#include "radiofleet.h"

#include "chanfile/backups.h"
#include "chanfile/channelfile.h"
#include "clicommands.h"
#include "clisupport.h"
#include "interruption.h"
#include "jobs/readjob.h"
#include "jobs/writejob.h"
#include "plan/plan.h"
#include "plan/wording.h"
#include "radio/linkserial.h"
#include "radio/portlist.h"
#include "radio/portprobe.h"
#include "radio/serialport.h"
#include "textwidth.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMutex>
#include <QThread>

#include <algorithm>
#include <functional>
#include <memory>
#include <unistd.h>
#include <vector>

namespace zev::cli {

namespace {

// One radio of several. Its session runs in a thread of its own with its own event loop, port
// and link, so a radio that is silent or gone holds up no other.
struct RadioTask {
    QString name;    // as --port gave it
    QString device;  // what it names
    QString failure; // empty while all goes well
    QString file;    // the backup kept, or the plan read
    qint64 elapsedMs = 0;
    QString portProblem; // why the port could not be used: the work never ran
    QString logWarning;  // the write log could not take the radio's line

    // Ctrl-C reaches a session through its link, in the link's own thread; a stop asked for
    // before the link exists reaches it at its first wait.
    void stop() {
        QMutexLocker lock(&m_mutex);
        m_stopRequested = true;
        if (m_link)
            QMetaObject::invokeMethod(
                m_link, [link = m_link] { link->cancel(); }, Qt::QueuedConnection);
    }
    void attach(RadioLink* link) {
        QMutexLocker lock(&m_mutex);
        m_link = link;
        if (m_stopRequested)
            QMetaObject::invokeMethod(
                link, [link] { link->cancel(); }, Qt::QueuedConnection);
    }
    void detach() {
        QMutexLocker lock(&m_mutex);
        m_link = nullptr;
    }

private:
    QMutex m_mutex;
    RadioLink* m_link = nullptr;
    bool m_stopRequested = false;
};

using RadioTasks = std::vector<std::unique_ptr<RadioTask>>;

// Every --port resolved before any session starts; a port that cannot be used fails its own
// radio only. Two names for one device would have two sessions fight over one line.
Result<RadioTasks> radioTasks(const Arguments& arguments, const QString& command) {
    RadioTasks tasks;
    QStringList nodes;
    for (const QString& name : arguments.ports) {
        auto task = std::make_unique<RadioTask>();
        task->name = name;
        if (const Result<QString> device = resolveRadioPort(name); device) {
            task->device = device.value();
            const QString node = resolveDevicePath(task->device);
            if (const qsizetype earlier = nodes.indexOf(node); earlier >= 0)
                return Status::failure(
                    QStringLiteral("%1 refused: --port %2 and --port %3 are the same port")
                        .arg(command, arguments.ports.at(earlier), name));
            nodes.append(node);
        } else {
            task->portProblem = device.message();
            task->failure = command + QStringLiteral(" failed: ") + task->portProblem;
            nodes.append(QString());
        }
        tasks.push_back(std::move(task));
    }
    return tasks;
}

// A line per radio on stderr: redrawn in place on a terminal, one line a milestone otherwise.
class FleetProgress {
public:
    FleetProgress(bool enabled, const RadioTasks& tasks)
        : m_terminal(::isatty(STDERR_FILENO) == 1) {
        m_enabled = enabled || m_terminal;
        for (const auto& task : tasks) {
            m_names.append(task->name);
            m_width = std::max(m_width, displayWidth(task->name));
        }
        m_lines.resize(m_names.size());
    }

    void show(int index, const QString& text) {
        m_lines[index] = text;
        if (!m_enabled)
            return;
        QString output;
        if (!m_terminal) {
            output = QStringLiteral("%1: %2\n").arg(m_names.at(index), text);
        } else {
            if (m_drawn)
                output = QStringLiteral("\x1b[%1A").arg(m_names.size());
            for (qsizetype i = 0; i < m_names.size(); ++i)
                output += QStringLiteral("\r\x1b[K") + padded(m_names.at(i)) + QLatin1String("  ") +
                          m_lines.at(i) + QLatin1Char('\n');
            m_drawn = true;
        }
        printText(output, stderr);
    }

private:
    QString padded(const QString& name) const { return cli::padded(visibleText(name), m_width); }

    bool m_enabled;
    bool m_terminal;
    bool m_drawn = false;
    int m_width = 4;
    QStringList m_names;
    QStringList m_lines;
};

// A radio's line of progress: what its job is doing and how far it has come.
class StatusLine : public JobObserver {
public:
    explicit StatusLine(std::function<void(const QString&)> status, QString activity = {})
        : m_status(std::move(status)), m_activity(std::move(activity)) {}
    void progress(int percent) override {
        m_status(QStringLiteral("%1 %2%").arg(m_activity).arg(percent, 3));
    }
    void phaseStarted(WritePhase phase) override { m_activity = phaseActivity(phase); }

private:
    std::function<void(const QString&)> m_status;
    QString m_activity;
};

// The session of one radio on its open link; it sets the task's failure and file. Status lines
// go to the radio's line of progress.
using RadioWork = std::function<void(RadioTask& task, RadioLink& link,
                                     const std::function<void(const QString&)>& status)>;

// Runs work on every radio at once and returns when all have ended. Ctrl-C stops every session
// at its next wait.
void runFleet(RadioTasks& tasks, const Arguments& arguments, const QString& command,
              const RadioWork& work) {
    FleetProgress progress(arguments.progress, tasks);
    QObject relay; // progress from the threads is drawn in this one
    QEventLoop loop;
    int running = 0;
    std::vector<std::unique_ptr<QThread>> threads;
    for (size_t i = 0; i < tasks.size(); ++i) {
        RadioTask& task = *tasks[i];
        const int index = int(i);
        if (!task.failure.isEmpty()) {
            progress.show(index, QStringLiteral("failed"));
            continue;
        }
        const auto status = [&relay, &progress, index](const QString& text) {
            QMetaObject::invokeMethod(
                &relay, [&progress, index, text] { progress.show(index, text); },
                Qt::QueuedConnection);
        };
        threads.emplace_back(QThread::create([&task, &work, command, status] {
            QElapsedTimer clock;
            clock.start();
            SerialPort port;
            SerialLink link(port);
            port.setPort(std::max(comNumberOf(task.name), 1), task.device);
            if (const Status opened = port.open(); !opened) {
                task.portProblem = opened.message();
                task.failure = command + QStringLiteral(" failed: ") + task.portProblem;
            } else {
                task.attach(&link);
                work(task, link, status);
                task.detach();
            }
            port.close();
            task.elapsedMs = clock.elapsed();
            status(task.failure.isEmpty() ? QStringLiteral("done") : QStringLiteral("failed"));
        }));
        QObject::connect(threads.back().get(), &QThread::finished, &loop, [&] {
            if (--running == 0)
                loop.quit();
        });
        ++running;
    }
    Interruption interruption([&tasks] {
        for (const auto& task : tasks)
            task->stop();
    });
    for (const auto& thread : threads)
        thread->start();
    if (running > 0)
        loop.exec();
    for (const auto& thread : threads)
        thread->wait();
    QCoreApplication::sendPostedEvents(&relay, QEvent::MetaCall);
}

// The table of port, result and time on stdout, each failure on stderr, and the exit status.
int reportFleet(const RadioTasks& tasks, const QString& fileTitle) {
    int width = 4;
    for (const auto& task : tasks)
        width = std::max(width, displayWidth(task->name));
    QString table = padded(QStringLiteral("port"), width) + QStringLiteral("  result     time  ") +
                    fileTitle + QLatin1Char('\n');
    QStringList failed;
    for (const auto& task : tasks) {
        const bool ok = task->failure.isEmpty();
        if (!ok)
            failed.append(task->name);
        const QString row = QStringLiteral("  %1  %2 s  %3")
                                .arg(ok ? QStringLiteral("ok    ") : QStringLiteral("failed"))
                                .arg(double(task->elapsedMs) / 1000.0, 5, 'f', 1)
                                .arg(visibleText(task->file));
        table += padded(visibleText(task->name), width) +
                 row.trimmed().prepend(QLatin1String("  ")) + QLatin1Char('\n');
    }
    printText(table, stdout);
    for (const auto& task : tasks)
        if (!task->failure.isEmpty())
            printError(task->name + QStringLiteral(": ") + task->failure);
    // The same log fails the same way for every radio: said once.
    QStringList warnings;
    for (const auto& task : tasks)
        if (!task->logWarning.isEmpty() && !warnings.contains(task->logWarning))
            warnings.append(task->logWarning);
    for (const QString& warning : warnings)
        printError(warning);
    if (failed.isEmpty())
        return ExitSuccess;
    return fail(QStringLiteral("%1 of %2 radios failed: %3")
                    .arg(failed.size())
                    .arg(tasks.size())
                    .arg(failed.join(QStringLiteral(", "))));
}

} // namespace

int runWriteMany(const Arguments& arguments, const WriteJob& job, const LoggedPlan& plan) {
    Result<RadioTasks> tasks = radioTasks(arguments, QStringLiteral("write"));
    if (!tasks)
        return fail(tasks.message());
    const QString logPath = writeLogPath(arguments);
    // The job and its plan are shared by the threads and only read. Each thread adds its radio's
    // line to the log as its write ends.
    runFleet(tasks.value(), arguments, QStringLiteral("write"),
             [&](RadioTask& task, RadioLink& link, const auto& status) {
                 StatusLine line(status);
                 const WriteJobSettings settings = writeJobSettings(arguments, task.name);
                 const WriteJobResult result = job.run(link, settings, line);
                 task.file = result.backupPath;
                 if (!result.succeeded())
                     task.failure = writeFailure(result);
                 task.logWarning =
                     logWrite(logPath, writelog::recordOfJob(plan, task.name, task.device, result,
                                                             settings.verify));
             });
    for (const auto& task : tasks.value())
        if (!task->portProblem.isEmpty())
            task->logWarning = logWrite(
                logPath, writelog::recordOfFailure(
                             plan, task->name, task->device.isEmpty() ? task->name : task->device,
                             task->portProblem));
    return reportFleet(tasks.value(), QStringLiteral("backup"));
}

int runReadMany(const Arguments& arguments) {
    Wording wording;
    prepare(arguments, wording);
    if (!QDir().mkpath(arguments.outputDirectory))
        return fail(QStringLiteral("read failed: cannot make the folder %1")
                        .arg(arguments.outputDirectory));
    Result<RadioTasks> tasks = radioTasks(arguments, QStringLiteral("read"));
    if (!tasks)
        return fail(tasks.message());
    const QDir folder(arguments.outputDirectory);
    runFleet(tasks.value(), arguments, QStringLiteral("read"),
             [&](RadioTask& task, RadioLink& link, const auto& status) {
                 StatusLine line(status, QStringLiteral("reading"));
                 const RadioReading reading = readRadioPlan(link, wording, line);
                 if (!reading.session.succeeded()) {
                     task.failure = sessionFailure(QStringLiteral("read"), reading.session);
                     return;
                 }
                 const QString path =
                     folder.filePath(backups::deviceName(task.device) + QStringLiteral(".z81"));
                 if (const Status saved = saveChannelFile(
                         path, reading.plan, wording.selectorTexts(reading.plan.options));
                     !saved)
                     task.failure = QStringLiteral("read succeeded but the file was not saved: ") +
                                    oneLine(saved.message());
                 else
                     task.file = path;
             });
    return reportFleet(tasks.value(), QStringLiteral("file"));
}

} // namespace zev::cli
