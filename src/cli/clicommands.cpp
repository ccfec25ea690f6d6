#include "clicommands.h"

#include "app/inifile.h"
#include "app/languagepack.h"
#include "app/planlanguage.h"
#include "app/programdirectory.h"
#include "app/settings.h"
#include "app/textids.h"
#include "app/translations.h"
#include "chanfile/backups.h"
#include "chanfile/channelcsv.h"
#include "chanfile/channelfile.h"
#include "chanfile/channellistfile.h"
#include "chanfile/plancompare.h"
#include "channelsheet.h"
#include "clilanguage.h"
#include "clireport.h"
#include "interruption.h"
#include "plan/band.h"
#include "plan/channelplan.h"
#include "plan/modellist.h"
#include "planview.h"
#include "radio/linkserial.h"
#include "radio/portdiagnosis.h"
#include "radio/portlist.h"
#include "radio/portprobe.h"
#include "radio/readprocedure.h"
#include "radio/serialport.h"
#include "radio/writecheck.h"
#include "radio/writejob.h"
#include "textwidth.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QMutex>
#include <QSaveFile>
#include <QThread>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <unistd.h>
#include <vector>

namespace zev::cli {

namespace {

// The plan in the chosen language, with its notes printed.
void prepare(const Arguments& arguments, ChannelPlan& plan) {
    for (const QString& note : applyLanguage(arguments.language, plan).notes)
        printError(note);
}

int fail(const QString& message) {
    printError(message);
    return ExitFailure;
}

QString oneLine(const QString& text) {
    return QString(text).replace(QLatin1Char('\n'), QStringLiteral("; "));
}

// COM1 to COM4 as the window's settings map them.
std::array<QString, 4> settingsPortDevices() {
    return loadPortDevices(IniFile(ProgramFiles::forThisRun().settingsFile()));
}

// The device a --port names, if it can be opened now.
Result<QString> resolveRadioPort(const QString& name) {
    PortEnvironment environment;
    environment.comDevices = settingsPortDevices();
    if (name.compare(QLatin1String("auto"), Qt::CaseInsensitive) == 0)
        environment.ports = presentPorts();
    const Result<QString> device = resolvePortName(name, environment);
    if (!device)
        return Status::failure(device.message());
    // The same check as the window's before it opens a radio dialog.
    if (const PortDiagnosis diagnosis = diagnosePort(device.value());
        diagnosis.outcome != ProbeOutcome::Free)
        return Status::failure(portProblemText(diagnosis));
    return device.value();
}

// Everything a session over the serial port needs, opened in order.
struct Line {
    SerialPort port;
    SerialLink link{port};
    FrameTrace trace;
    // Ctrl-C ends the session at its next wait: no half-sent frame, no file after a read.
    Interruption interruption{[this] { link.cancel(); }};

    Status open(const Arguments& arguments) {
        if (const Status traced = trace.open(arguments.tracePath); !traced)
            return traced;
        const Result<QString> device = resolveRadioPort(arguments.port);
        if (!device)
            return Status::failure(device.message());
        port.setPort(std::max(comNumberOf(arguments.port), 1), device.value());
        if (const Status opened = port.open(); !opened)
            return opened;
        if (const QString refused = port.lowLatencyProblem(); !refused.isEmpty())
            trace.note(QStringLiteral("low latency mode refused by %1: %2")
                           .arg(resolveDevicePath(device.value()), refused));
        trace.attach(link);
        return Status::success();
    }
};

// Why a session did not succeed, for the one line on stderr; a stop by Ctrl-C says what it
// left behind.
QString sessionFailure(const QString& command, const SessionResult& result) {
    if (result.outcome == SessionOutcome::Cancelled)
        return QStringLiteral("interrupted: ") + oneLine(result.reason);
    return command + QStringLiteral(" failed: ") + oneLine(result.reason);
}

} // namespace

namespace {

// Written by length, never as a C string: nothing in a text can end it early.
void printText(const QString& text, std::FILE* stream) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

void printError(const QString& message) {
    QStringList lines = message.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = visibleText(line);
    printText(QStringLiteral("zev4800-cli: ") + lines.join(QLatin1Char('\n')) + QLatin1Char('\n'),
              stderr);
}

namespace {

// The one message of a write job that did not succeed.
QString writeFailure(const WriteJobResult& result) {
    if (result.session.outcome == SessionOutcome::Cancelled)
        return sessionFailure(QStringLiteral("write"), result.session);
    switch (result.phase) {
    case WritePhase::Backup:
        return QStringLiteral("write failed: the radio's plan could not be backed up, so "
                              "nothing was written: ") +
               oneLine(result.session.reason) +
               QStringLiteral(" (--no-backup writes without a backup)");
    case WritePhase::Write:
        break;
    case WritePhase::Verify:
        if (!result.differences.isEmpty())
            return QStringLiteral("write failed: the radio does not hold what was written:\n") +
                   describeFirst(result.differences, ShownDifferences, describeWriteMismatch)
                       .join(QLatin1Char('\n'));
        return QStringLiteral("write done, but the radio could not be read back to check it: ") +
               oneLine(result.session.reason);
    }
    return sessionFailure(QStringLiteral("write"), result.session);
}

int runReadMany(const Arguments& arguments);
int runWriteMany(const Arguments& arguments, const ChannelPlan& plan, const QString& band);

} // namespace

int runRead(const Arguments& arguments) {
    if (!arguments.outputDirectory.isEmpty())
        return runReadMany(arguments);
    ChannelPlan plan;
    ModelList models;
    prepare(arguments, plan);
    Line line;
    if (const Status opened = line.open(arguments); !opened)
        return fail(QStringLiteral("read failed: ") + opened.message());
    SessionResult result;
    {
        ProgressReport progress(arguments.progress, QStringLiteral("reading"));
        result = readRadio(line.link, plan, models, progress.callback());
    }
    line.port.close();
    if (!result.succeeded())
        return fail(sessionFailure(QStringLiteral("read"), result));
    if (const Status saved = saveChannelFile(arguments.output, channelFileFromPlan(plan, models));
        !saved)
        return fail(QStringLiteral("read succeeded but the file was not saved: ") +
                    oneLine(saved.message()));
    return ExitSuccess;
}

int runWrite(const Arguments& arguments) {
    ChannelPlan plan;
    ModelList models;
    prepare(arguments, plan);
    if (const Status opened = openChannelFile(arguments.file, plan, models); !opened)
        return fail(oneLine(opened.message()));
    const QString band = models.currentText();
    // Checked before the port is touched; the write checks again before it sends.
    if (const Status check = checkPlanForWrite(plan, band); !check)
        return fail(QStringLiteral("write refused: ") + oneLine(check.message()));
    // Written all the same: the band only warns.
    for (const OutOfBandChannel& channel : outOfBandChannels(plan, band))
        printError(QStringLiteral("warning: %1 (outside the band %2)")
                       .arg(describeOutOfBand(channel), band));
    if (arguments.ports.size() > 1)
        return runWriteMany(arguments, plan, band);
    Line line;
    if (const Status opened = line.open(arguments); !opened)
        return fail(QStringLiteral("write failed: ") + opened.message());
    WriteJobSettings settings;
    settings.backup = arguments.backup;
    settings.verify = arguments.verify;
    settings.backupDirectory = arguments.backupDirectory;
    settings.device = arguments.port;
    WriteJobResult result;
    {
        // Each session gets its own line of progress, the write keeps the one it always had.
        std::optional<ProgressReport> progress;
        const auto report = [&progress](int percent) {
            if (const ProgressCallback show = progress ? progress->callback() : ProgressCallback())
                show(percent);
        };
        WriteJobHooks hooks;
        hooks.phaseStarted = [&](WritePhase phase) {
            progress.reset();
            progress.emplace(arguments.progress,
                             phase == WritePhase::Backup  ? QStringLiteral("backing up")
                             : phase == WritePhase::Write ? QStringLiteral("writing")
                                                          : QStringLiteral("verifying"));
        };
        hooks.writeProgress = report;
        hooks.readProgress = report;
        result = runWriteJob(line.link, plan, band, settings, hooks);
    }
    line.port.close();
    if (!result.backupPath.isEmpty())
        printText(QStringLiteral("backup of the radio: %1\n").arg(result.backupPath), stdout);
    return result.succeeded() ? ExitSuccess : fail(writeFailure(result));
}

int runPorts() {
    const std::array<QString, 4> comDevices = settingsPortDevices();
    QList<PresentPort> ports = presentPorts();
    // A port the settings name but the system does not enumerate (a pseudo-terminal) is listed
    // too, while it exists.
    for (const QString& mapped : comDevices) {
        const QString node = resolveDevicePath(mapped);
        const bool listed = std::any_of(ports.cbegin(), ports.cend(),
                                        [&](const PresentPort& p) { return p.device == node; });
        if (!listed && !mapped.isEmpty() && QFileInfo::exists(node)) {
            PresentPort port;
            port.device = node;
            port.stableName = stableNameOf(node);
            ports.append(port);
        }
    }
    if (ports.isEmpty()) {
        printText(QStringLiteral("No serial ports are present.\n"), stdout);
        return ExitSuccess;
    }
    QString text;
    for (const PresentPort& port : ports) {
        QStringList coms;
        for (int number = 1; number <= 4; ++number) {
            const QString mapped = comDevices[number - 1];
            if (!mapped.isEmpty() && resolveDevicePath(mapped) == port.device)
                coms << QStringLiteral("COM%1").arg(number);
        }
        const PortDiagnosis diagnosis = diagnosePort(port.device);
        QString state;
        switch (diagnosis.outcome) {
        case ProbeOutcome::Free:
            state = QStringLiteral("free");
            break;
        case ProbeOutcome::Busy:
            state = QStringLiteral("in use");
            if (const PortHolder& holder = diagnosis.holder; holder.processId > 0)
                state += holder.program.isEmpty()
                             ? QStringLiteral(" (process %1)").arg(holder.processId)
                             : QStringLiteral(" by %1 (process %2)")
                                   .arg(holder.program)
                                   .arg(holder.processId);
            break;
        case ProbeOutcome::PermissionDenied:
            state = QStringLiteral("permission denied (group %1)").arg(diagnosis.group);
            break;
        case ProbeOutcome::Missing:
            state = QStringLiteral("gone");
            break;
        }
        const auto field = [&text](const char* label, const QString& value) {
            if (!value.isEmpty())
                text += QStringLiteral("  %1 %2\n").arg(QLatin1String(label), -13).arg(value);
        };
        text += port.device + QLatin1Char('\n');
        field("stable name:", port.stableName);
        field("adapter:", port.description);
        field("maker:", port.manufacturer);
        field("USB id:", port.usbId());
        field("state:", state);
        field("settings:", coms.join(QStringLiteral(", ")));
    }
    printText(text, stdout);
    return ExitSuccess;
}

int runShow(const Arguments& arguments) {
    ChannelPlan plan;
    ModelList models;
    prepare(arguments, plan);
    if (const Status opened = openChannelFile(arguments.file, plan, models); !opened)
        return fail(oneLine(opened.message()));
    printText(formatPlan(plan, models.currentText()), stdout);
    return ExitSuccess;
}

int runSheet(const Arguments& arguments) {
    ChannelPlan plan;
    ModelList models;
    const LanguageChoice choice = applyLanguage(arguments.language, plan);
    for (const QString& note : choice.notes)
        printError(note);
    if (const Status opened = openChannelFile(arguments.file, plan, models); !opened)
        return fail(oneLine(opened.message()));
    // The sheet is read by the radio's owner, so it speaks the chosen language throughout: the
    // options as the options window labels them, the sheet's own words from the messages.
    const ProgramFiles files = ProgramFiles::forThisRun();
    const QString packName = zev::packName(choice.language);
    const std::optional<LanguagePack> pack =
        LanguagePack::load(files.folderOf(packFileName(packName)), packName);
    Translations translations;
    translations.install(files.folderOf(messagesFileName(packName)), choice.language);
    SheetLabels labels;
    for (int i = 0; i < OptionCount; ++i) {
        const QString packed = pack ? pack->text(TextId::OptionLabelFirst + i) : QString();
        labels.options[i] = packed.isEmpty() ? optionName(allOptions[i]) : packed;
    }
    const QStringList header = channelHeader(plan);
    for (int column = 0; column < ChannelPlan::ColumnCount; ++column)
        labels.columnTitles[column] = header.at(column);
    if (const Status written =
            writeChannelSheetPdf(arguments.sheetPath, plan, models.currentText(), labels);
        !written)
        return fail(written.message());
    return ExitSuccess;
}

int runDiff(const Arguments& arguments) {
    ChannelPlan plan;
    prepare(arguments, plan);
    const Result<ChannelFile> first = loadChannelFile(arguments.file);
    if (!first) {
        printError(oneLine(first.message()));
        return ExitUsage;
    }
    ChannelFile second;
    if (arguments.port.isEmpty()) {
        const Result<ChannelFile> other = loadChannelFile(arguments.otherFile);
        if (!other) {
            printError(oneLine(other.message()));
            return ExitUsage;
        }
        second = other.value();
    } else {
        Line line;
        if (const Status opened = line.open(arguments); !opened) {
            printError(QStringLiteral("read failed: ") + opened.message());
            return ExitUsage;
        }
        RadioReading reading;
        {
            ProgressReport progress(arguments.progress, QStringLiteral("reading"));
            reading = readRadioPlan(line.link, plan, progress.callback());
        }
        line.port.close();
        if (!reading.session.succeeded()) {
            printError(sessionFailure(QStringLiteral("read"), reading.session));
            return ExitUsage;
        }
        second = reading.plan;
    }
    const QList<PlanDifference> differences = comparePlans(first.value(), second);
    QString text;
    for (const PlanDifference& difference : differences)
        text += visibleText(describeChange(difference)) + QLatin1Char('\n');
    printText(text, stdout);
    return differences.isEmpty() ? ExitSuccess : ExitFailure;
}

} // namespace zev::cli

namespace zev::cli {

int runExport(const Arguments& arguments) {
    ChannelPlan plan;
    ModelList models;
    prepare(arguments, plan);
    if (const Status opened = openChannelFile(arguments.file, plan, models); !opened)
        return fail(oneLine(opened.message()));
    if (const Status written =
            writeChannelList(arguments.otherFile, csv::exportChannels(planChannels(plan)));
        !written)
        return fail(QStringLiteral("export failed: %1").arg(written.message()));
    return ExitSuccess;
}

int runImport(const Arguments& arguments) {
    ChannelPlan plan;
    ModelList models;
    prepare(arguments, plan);
    const Result<QByteArray> read = readChannelList(arguments.file);
    if (!read)
        return fail(QStringLiteral("import refused: %1").arg(read.message()));
    const QByteArray& bytes = read.value();
    csv::ImportOptions options;
    options.renumber = arguments.renumber;
    options.words = plan.words();
    options.separator = decimalSeparator();
    const Result<csv::Imported> imported = csv::importChannels(bytes, options);
    if (!imported)
        return fail(QStringLiteral("import refused: %1: %2")
                        .arg(arguments.file, oneLine(imported.message())));
    for (const csv::RowNote& note : imported->notes)
        printError(QStringLiteral("note: ") + csv::describe({note}));
    if (!imported->problems.isEmpty()) {
        const QString problems = csv::describe(imported->problems);
        if (!arguments.skipBadRows)
            return fail(QStringLiteral("import refused, nothing was saved; these rows cannot go "
                                       "into the radio (--skip-bad-rows saves the others):\n") +
                        problems);
        printError(QStringLiteral("rows left out:\n") + problems);
    }
    for (int row = 1; row <= ChannelPlan::ChannelCount; ++row)
        if (const std::optional<ChannelRow>& channel = imported->channels[size_t(row - 1)])
            plan.setChannel(row, *channel);
    models.applyBand(arguments.band.isEmpty() ? QString(FactoryBand) : arguments.band);
    if (const Status saved =
            saveChannelFile(arguments.otherFile, channelFileFromPlan(plan, models));
        !saved)
        return fail(oneLine(saved.message()));
    return ExitSuccess;
}

} // namespace zev::cli

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
            task->failure = command + QStringLiteral(" failed: ") + device.message();
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
                task.failure = command + QStringLiteral(" failed: ") + opened.message();
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
    if (failed.isEmpty())
        return ExitSuccess;
    return fail(QStringLiteral("%1 of %2 radios failed: %3")
                    .arg(failed.size())
                    .arg(tasks.size())
                    .arg(failed.join(QStringLiteral(", "))));
}

int runWriteMany(const Arguments& arguments, const ChannelPlan& plan, const QString& band) {
    Result<RadioTasks> tasks = radioTasks(arguments, QStringLiteral("write"));
    if (!tasks)
        return fail(tasks.message());
    // The plan is shared by the threads and only read.
    runFleet(tasks.value(), arguments, QStringLiteral("write"),
             [&](RadioTask& task, RadioLink& link, const auto& status) {
                 WriteJobSettings settings;
                 settings.backup = arguments.backup;
                 settings.verify = arguments.verify;
                 settings.backupDirectory = arguments.backupDirectory;
                 settings.device = task.name;
                 QString activity;
                 const auto report = [&](int percent) {
                     status(QStringLiteral("%1 %2%").arg(activity).arg(percent, 3));
                 };
                 WriteJobHooks hooks;
                 hooks.phaseStarted = [&](WritePhase phase) {
                     activity = phase == WritePhase::Backup  ? QStringLiteral("backing up")
                                : phase == WritePhase::Write ? QStringLiteral("writing")
                                                             : QStringLiteral("verifying");
                 };
                 hooks.writeProgress = report;
                 hooks.readProgress = report;
                 const WriteJobResult result = runWriteJob(link, plan, band, settings, hooks);
                 task.file = result.backupPath;
                 if (!result.succeeded())
                     task.failure = writeFailure(result);
             });
    return reportFleet(tasks.value(), QStringLiteral("backup"));
}

int runReadMany(const Arguments& arguments) {
    ChannelPlan plan;
    prepare(arguments, plan);
    if (!QDir().mkpath(arguments.outputDirectory))
        return fail(QStringLiteral("read failed: cannot make the folder %1")
                        .arg(arguments.outputDirectory));
    Result<RadioTasks> tasks = radioTasks(arguments, QStringLiteral("read"));
    if (!tasks)
        return fail(tasks.message());
    const QDir folder(arguments.outputDirectory);
    runFleet(tasks.value(), arguments, QStringLiteral("read"),
             [&](RadioTask& task, RadioLink& link, const auto& status) {
                 const RadioReading reading = readRadioPlan(link, plan, [&](int percent) {
                     status(QStringLiteral("reading %1%").arg(percent, 3));
                 });
                 if (!reading.session.succeeded()) {
                     task.failure = sessionFailure(QStringLiteral("read"), reading.session);
                     return;
                 }
                 const QString path =
                     folder.filePath(backups::deviceName(task.device) + QStringLiteral(".z81"));
                 if (const Status saved = saveChannelFile(path, reading.plan); !saved)
                     task.failure = QStringLiteral("read succeeded but the file was not saved: ") +
                                    oneLine(saved.message());
                 else
                     task.file = path;
             });
    return reportFleet(tasks.value(), QStringLiteral("file"));
}

} // namespace

} // namespace zev::cli
