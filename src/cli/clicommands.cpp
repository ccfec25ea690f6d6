#include "clicommands.h"

#include "app/inifile.h"
#include "app/languagepack.h"
#include "app/planlanguage.h"
#include "app/programdirectory.h"
#include "app/settings.h"
#include "app/textids.h"
#include "app/translations.h"
#include "chanfile/channelfile.h"
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
#include "radio/readprocedure.h"
#include "radio/serialport.h"
#include "radio/writecheck.h"
#include "radio/writejob.h"
#include "textwidth.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

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
        PortEnvironment environment;
        environment.comDevices = settingsPortDevices();
        if (arguments.port.compare(QLatin1String("auto"), Qt::CaseInsensitive) == 0)
            environment.ports = presentPorts();
        const Result<QString> device = resolvePortName(arguments.port, environment);
        if (!device)
            return Status::failure(device.message());
        // The same check as the window's before it opens a radio dialog.
        if (const PortDiagnosis diagnosis = diagnosePort(device.value());
            diagnosis.outcome != ProbeOutcome::Free)
            return Status::failure(portProblemText(diagnosis));
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

int runRead(const Arguments& arguments) {
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
    if (result.succeeded())
        return ExitSuccess;
    if (result.session.outcome == SessionOutcome::Cancelled)
        return fail(sessionFailure(QStringLiteral("write"), result.session));
    switch (result.phase) {
    case WritePhase::Backup:
        return fail(QStringLiteral("write failed: the radio's plan could not be backed up, so "
                                   "nothing was written: ") +
                    oneLine(result.session.reason) +
                    QStringLiteral(" (--no-backup writes without a backup)"));
    case WritePhase::Write:
        break;
    case WritePhase::Verify:
        if (!result.differences.isEmpty())
            return fail(QStringLiteral("write failed: the radio does not hold what was "
                                       "written:\n") +
                        describeFirst(result.differences, ShownDifferences, describeWriteMismatch)
                            .join(QLatin1Char('\n')));
        return fail(QStringLiteral("write done, but the radio could not be read back to check "
                                   "it: ") +
                    oneLine(result.session.reason));
    }
    return fail(sessionFailure(QStringLiteral("write"), result.session));
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
