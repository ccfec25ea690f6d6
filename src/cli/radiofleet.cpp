#include "radiofleet.h"

#include "chanfile/backups.h"
#include "chanfile/channelfile.h"
#include "clicommands.h"
#include "clijson.h"
#include "clisupport.h"
#include "clitext.h"
#include "interruption.h"
#include "jobs/radiofleet.h"
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

using RadioTasks = std::vector<FleetRadio>;

// Every --port resolved before any session starts; a port that cannot be used fails its own
// radio only. Two names for one device would have two sessions fight over one line.
Result<RadioTasks> radioTasks(const Arguments& arguments, const QString& refused) {
    RadioTasks tasks;
    QStringList nodes;
    for (const QString& name : arguments.ports) {
        FleetRadio task;
        task.name = name;
        if (const Result<QString> device = resolveRadioPort(name); device) {
            task.device = device.value();
            const QString node = resolveDevicePath(task.device);
            if (const qsizetype earlier = nodes.indexOf(node); earlier >= 0)
                return Status::failure(
                    refused.arg(CliText::tr("--port %1 and --port %2 are the same port")
                                    .arg(arguments.ports.at(earlier), name)));
            nodes.append(node);
        } else {
            task.failure = device.message();
            task.portFailed = true;
            nodes.append(QString());
        }
        tasks.push_back(task);
    }
    return tasks;
}

// A line per radio on stderr: redrawn in place on a terminal, one line a milestone otherwise.
class FleetProgress {
public:
    FleetProgress(bool enabled, const RadioTasks& tasks)
        : m_terminal(::isatty(STDERR_FILENO) == 1) {
        m_enabled = enabled || m_terminal;
        for (const FleetRadio& task : tasks) {
            m_names.append(task.name);
            m_width = std::max(m_width, displayWidth(task.name));
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

// The session of one radio on its open link; it sets the radio's failure and file.
using RadioWork = RadioFleet::Work;

// Runs work on every radio at once and returns when all have ended, with each radio's outcome.
// Ctrl-C stops every session at its next wait.
void runFleet(RadioTasks& tasks, const Arguments& arguments, const QString& activity,
              const RadioWork& work) {
    FleetProgress progress(arguments.progress, tasks);
    RadioFleet fleet(tasks);
    std::vector<QString> activities(tasks.size(), activity);
    QObject::connect(&fleet, &RadioFleet::phaseStarted, &fleet,
                     [&activities](int index, WritePhase phase) {
                         activities[size_t(index)] = phaseActivity(phase);
                     });
    QObject::connect(&fleet, &RadioFleet::progressed, &fleet, [&](int index, int percent) {
        progress.show(index,
                      QStringLiteral("%1 %2%").arg(activities[size_t(index)]).arg(percent, 3));
    });
    QObject::connect(&fleet, &RadioFleet::radioFinished, &fleet, [&](int index) {
        progress.show(index, fleet.radios()[size_t(index)].failure.isEmpty()
                                 ? CliText::tr("done")
                                 : CliText::tr("failed"));
    });
    for (size_t i = 0; i < tasks.size(); ++i)
        if (!tasks[i].failure.isEmpty())
            progress.show(int(i), CliText::tr("failed"));
    QEventLoop loop;
    QObject::connect(&fleet, &RadioFleet::finished, &loop, &QEventLoop::quit);
    Interruption interruption([&fleet] { fleet.stop(); });
    fleet.start(work);
    loop.exec();
    tasks = fleet.radios();
}

// What --json shows of the fleet: the command, the radios with what each kept under fileKey,
// and head's fields.
struct FleetDocument {
    QString command;
    QString fileKey;
    QJsonObject head;
};

// The table of port, result and time on stdout (with --json the document), each failure on
// stderr, and the exit status. failedText words the failure of a port that could not be used
// ("read failed: %1").
int reportFleet(const Arguments& arguments, const RadioTasks& tasks, const QString& fileTitle,
                const QString& failedText, const FleetDocument& document) {
    QList<QStringList> rows{
        {CliText::tr("port"), CliText::tr("result"), CliText::tr("time"), fileTitle}};
    QStringList failed;
    for (const FleetRadio& task : tasks) {
        const bool ok = task.failure.isEmpty();
        if (!ok)
            failed.append(task.name);
        rows.append({visibleText(task.name), ok ? CliText::tr("ok") : CliText::tr("failed"),
                     QStringLiteral("%1 s").arg(double(task.elapsedMs) / 1000.0, 5, 'f', 1),
                     visibleText(task.file)});
    }
    if (arguments.json) {
        QJsonObject results = json::results(document.command, tasks, document.fileKey);
        for (auto field = document.head.begin(); field != document.head.end(); ++field)
            results.insert(field.key(), field.value());
        json::print(results);
    } else {
        printText(alignedLines(rows).join(QLatin1Char('\n')) + QLatin1Char('\n'), stdout);
    }
    for (const FleetRadio& task : tasks)
        if (!task.failure.isEmpty())
            printError(task.name + QStringLiteral(": ") +
                       (task.portFailed ? failedText.arg(task.failure) : task.failure));
    // The same log fails the same way for every radio: said once.
    QStringList warnings;
    for (const FleetRadio& task : tasks)
        if (!task.warning.isEmpty() && !warnings.contains(task.warning))
            warnings.append(task.warning);
    for (const QString& warning : warnings)
        printError(warning);
    if (failed.isEmpty())
        return ExitSuccess;
    return fail(CliText::tr("%1 of %2 radios failed: %3")
                    .arg(failed.size())
                    .arg(tasks.size())
                    .arg(failed.join(QStringLiteral(", "))));
}

} // namespace

int runWriteMany(const Arguments& arguments, const WriteJob& job, const LoggedPlan& plan,
                 const QString& command, const QJsonObject& head) {
    Result<RadioTasks> tasks = radioTasks(arguments, CliText::tr("write refused: %1"));
    if (!tasks)
        return fail(tasks.message());
    const QString logPath = writeLogPath(arguments);
    // The job and its plan are shared by the threads and only read. Each thread adds its radio's
    // line to the log as its write ends.
    runFleet(tasks.value(), arguments, QString(),
             [&](FleetRadio& task, RadioLink& link, JobObserver& observer) {
                 const WriteJobSettings settings = writeJobSettings(arguments, task.name);
                 const WriteJobResult result = job.run(link, settings, observer);
                 task.file = result.backupPath;
                 if (!result.succeeded())
                     task.failure = writeFailure(result);
                 task.warning =
                     logWrite(logPath, writelog::recordOfJob(plan, task.name, task.device, result,
                                                             settings.verify));
             });
    for (FleetRadio& task : tasks.value())
        if (task.portFailed)
            task.warning = logWrite(
                logPath, writelog::recordOfFailure(plan, task.name,
                                                   task.device.isEmpty() ? task.name : task.device,
                                                   task.failure));
    return reportFleet(arguments, tasks.value(), CliText::tr("backup"),
                       CliText::tr("write failed: %1"), {command, QStringLiteral("backup"), head});
}

int runReadMany(const Arguments& arguments) {
    Wording wording;
    prepare(arguments, wording);
    if (!QDir().mkpath(arguments.outputDirectory))
        return fail(
            CliText::tr("read failed: cannot make the folder %1").arg(arguments.outputDirectory));
    Result<RadioTasks> tasks = radioTasks(arguments, CliText::tr("read refused: %1"));
    if (!tasks)
        return fail(tasks.message());
    const QDir folder(arguments.outputDirectory);
    runFleet(tasks.value(), arguments, CliText::tr("reading"),
             [&](FleetRadio& task, RadioLink& link, JobObserver& observer) {
                 const RadioReading reading = readRadioPlan(link, wording, observer);
                 if (!reading.session.succeeded()) {
                     task.failure = sessionFailure(CliText::tr("read failed: %1"), reading.session);
                     return;
                 }
                 const QString path =
                     folder.filePath(backups::deviceName(task.device) + QStringLiteral(".z81"));
                 if (const Status saved = saveChannelFile(
                         path, reading.plan, wording.selectorTexts(reading.plan.options));
                     !saved)
                     task.failure = CliText::tr("read succeeded but the file was not saved: %1")
                                        .arg(oneLine(saved.message()));
                 else
                     task.file = path;
             });
    return reportFleet(arguments, tasks.value(), CliText::tr("file"),
                       CliText::tr("read failed: %1"),
                       {QStringLiteral("read"), QStringLiteral("file"), {}});
}

} // namespace zev::cli
