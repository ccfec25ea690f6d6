#include "clicommands.h"

#include "clisupport.h"
#include "radiofleet.h"

#include "app/inifile.h"
#include "app/languagepack.h"
#include "app/planlanguage.h"
#include "app/programdirectory.h"
#include "app/settings.h"
#include "app/textids.h"
#include "chanfile/backups.h"
#include "chanfile/channelcsv.h"
#include "chanfile/channelfile.h"
#include "chanfile/channellistfile.h"
#include "chanfile/plancompare.h"
#include "channelsheet.h"
#include "clijson.h"
#include "clilanguage.h"
#include "clireport.h"
#include "clitext.h"
#include "interruption.h"
#include "jobs/comparejob.h"
#include "jobs/radiofleet.h"
#include "jobs/readjob.h"
#include "jobs/writejob.h"
#include "plan/band.h"
#include "plan/plan.h"
#include "plan/wording.h"
#include "planview.h"
#include "radio/filecheck.h"
#include "radio/linkserial.h"
#include "radio/portdiagnosis.h"
#include "radio/portlist.h"
#include "radio/portprobe.h"
#include "radio/serialport.h"
#include "textwidth.h"
#include "writelogview.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

namespace zev::cli {

namespace {

// Everything a session over the serial port needs, opened in order.
struct Line {
    SerialPort port;
    SerialLink link{port};
    FrameTrace trace;
    // Ctrl-C ends the session at its next wait: no half-sent frame, no file after a read.
    Interruption interruption{[this] { link.cancel(); }};

    QString device; // what the port names, once known

    Status open(const Arguments& arguments) {
        device = arguments.port;
        if (const Status traced = trace.open(arguments.tracePath); !traced)
            return traced;
        const Result<QString> resolved = resolveRadioPort(arguments.port);
        if (!resolved)
            return Status::failure(resolved.message());
        device = resolved.value();
        port.setPort(std::max(comNumberOf(arguments.port), 1), device);
        if (const Status opened = port.open(); !opened)
            return opened;
        if (const QString refused = port.lowLatencyProblem(); !refused.isEmpty())
            trace.note(QStringLiteral("low latency mode refused by %1: %2")
                           .arg(resolveDevicePath(device), refused));
        trace.attach(link);
        return Status::success();
    }
};

// No one to ask here: each channel outside the band is warned about and written all the same.
class BandWarnings : public JobObserver {
public:
    bool confirmOutsideBand(const QString& band, const QStringList& channels) override {
        warnOutsideBand(band, channels);
        return JobObserver::confirmOutsideBand(band, channels);
    }
};

// One radio's outcome: its failure on stderr, and the document of --json.
int reportRadio(const Arguments& arguments, const QString& command, const FleetRadio& radio,
                const QString& fileKey) {
    if (arguments.json)
        json::print(json::results(command, {radio}, fileKey));
    return radio.failure.isEmpty() ? ExitSuccess : fail(radio.failure);
}

// The radio of --port read into --output; the failure, if any, in the radio.
void readInto(const Arguments& arguments, const Wording& wording, FleetRadio& radio) {
    Line line;
    const Status opened = line.open(arguments);
    radio.device = line.device;
    if (!opened) {
        radio.failure = CliText::tr("read failed: %1").arg(opened.message());
        return;
    }
    RadioReading reading;
    {
        JobProgress progress(arguments.progress, CliText::tr("reading"));
        reading = readRadioPlan(line.link, wording, progress);
    }
    line.port.close();
    if (!reading.session.succeeded()) {
        radio.failure = sessionFailure(CliText::tr("read failed: %1"), reading.session);
        return;
    }
    if (const Status saved = saveChannelFile(arguments.output, reading.plan,
                                             wording.selectorTexts(reading.plan.options));
        !saved) {
        radio.failure = CliText::tr("read succeeded but the file was not saved: %1")
                            .arg(oneLine(saved.message()));
        return;
    }
    radio.file = arguments.output;
}

} // namespace

int runRead(const Arguments& arguments) {
    if (!arguments.outputDirectory.isEmpty())
        return runReadMany(arguments);
    Wording wording;
    prepare(arguments, wording);
    FleetRadio radio;
    radio.name = arguments.port;
    QElapsedTimer clock;
    clock.start();
    readInto(arguments, wording, radio);
    radio.elapsedMs = clock.elapsed();
    return reportRadio(arguments, QStringLiteral("read"), radio, QStringLiteral("file"));
}

int runWrite(const Arguments& arguments) {
    Wording wording;
    const Result<LoadedChannelFile> loaded = loadPlanFile(arguments, wording);
    if (!loaded)
        return fail(loaded.message());
    // Checked and warned about before any port is touched, once for every radio.
    BandWarnings warnings;
    const Plan plan = worded(loaded->plan, wording);
    const WriteJob job(plan, wording, warnings);
    if (const Status& check = job.check(); !check)
        return fail(CliText::tr("write refused: %1").arg(oneLine(check.message())));
    const LoggedPlan logged = loggedPlanOf(arguments, plan, wording);
    if (arguments.ports.size() > 1)
        return runWriteMany(arguments, job, logged);
    const QString logPath = writeLogPath(arguments);
    FleetRadio radio;
    radio.name = arguments.port;
    QElapsedTimer clock;
    clock.start();
    Line line;
    if (const Status opened = line.open(arguments); !opened) {
        if (const QString warning =
                logWrite(logPath, writelog::recordOfFailure(logged, arguments.port, line.device,
                                                            opened.message()));
            !warning.isEmpty())
            printError(warning);
        radio.device = line.device;
        radio.failure = CliText::tr("write failed: %1").arg(opened.message());
        return reportRadio(arguments, QStringLiteral("write"), radio, QStringLiteral("backup"));
    }
    const WriteJobSettings settings = writeJobSettings(arguments, arguments.port);
    WriteJobResult result;
    {
        // Each session gets its own line of progress, the write keeps the one it always had.
        JobProgress progress(arguments.progress);
        result = job.run(line.link, settings, progress);
    }
    line.port.close();
    radio.device = line.device;
    radio.elapsedMs = clock.elapsed();
    radio.file = result.backupPath;
    if (!result.backupPath.isEmpty() && !arguments.json)
        printText(CliText::tr("backup of the radio: %1").arg(result.backupPath) + QLatin1Char('\n'),
                  stdout);
    if (const QString warning =
            logWrite(logPath, writelog::recordOfJob(logged, arguments.port, line.device, result,
                                                    settings.verify));
        !warning.isEmpty())
        printError(warning);
    if (!result.succeeded())
        radio.failure = writeFailure(result);
    return reportRadio(arguments, QStringLiteral("write"), radio, QStringLiteral("backup"));
}

int runClone(const Arguments& arguments) {
    Wording wording;
    prepare(arguments, wording);
    Arguments master = arguments;
    master.port = arguments.fromPort;
    master.ports = {arguments.fromPort};
    // The master is never among the radios written to.
    if (const Result<QString> device = resolveRadioPort(arguments.fromPort); device)
        for (const QString& target : arguments.ports)
            if (const Result<QString> other = resolveRadioPort(target);
                other && resolveDevicePath(other.value()) == resolveDevicePath(device.value()))
                return fail(CliText::tr("clone refused: --from %1 and --to %2 are the same port")
                                .arg(arguments.fromPort, target));
    // The master as --json shows it; a master that fails ends the clone with no radio written.
    FleetRadio masterRadio;
    masterRadio.name = arguments.fromPort;
    QElapsedTimer clock;
    clock.start();
    const auto masterFailed = [&](const QString& message) {
        masterRadio.failure = message;
        masterRadio.elapsedMs = clock.elapsed();
        if (arguments.json) {
            QJsonObject document = json::results(QStringLiteral("clone"), {}, QString());
            document[QStringLiteral("succeeded")] = false;
            document[QStringLiteral("master")] =
                json::radios({masterRadio}, QStringLiteral("plan")).first();
            json::print(document);
        }
        return fail(message);
    };
    Line line;
    const Status opened = line.open(master);
    masterRadio.device = line.device;
    if (!opened)
        return masterFailed(CliText::tr("clone failed: the master radio could not be read, "
                                        "nothing was written: %1")
                                .arg(opened.message()));
    RadioReading reading;
    {
        JobProgress progress(arguments.progress, CliText::tr("reading the master"));
        reading = readRadioPlan(line.link, wording, progress);
    }
    line.port.close();
    if (!reading.session.succeeded())
        return masterFailed(CliText::tr("clone failed: the master radio could not be read, "
                                        "nothing was written: %1")
                                .arg(oneLine(reading.session.reason)));
    const QString directory = arguments.backupDirectory.isEmpty() ? backups::defaultDirectory()
                                                                  : arguments.backupDirectory;
    const Result<QString> kept = backups::save(
        directory, reading.plan, wording.selectorTexts(reading.plan.options), line.port.device());
    if (!kept)
        return masterFailed(CliText::tr("clone failed: the master's plan could not be kept, "
                                        "nothing was written: %1")
                                .arg(oneLine(kept.message())));
    masterRadio.file = kept.value();
    masterRadio.elapsedMs = clock.elapsed();
    if (!arguments.json)
        printText(CliText::tr("plan of the master radio: %1").arg(kept.value()) + QLatin1Char('\n'),
                  stdout);
    BandWarnings warnings;
    const WriteJob job(reading.plan, wording, warnings);
    if (const Status& check = job.check(); !check)
        return fail(
            CliText::tr("clone refused, nothing was written: %1").arg(oneLine(check.message())));
    // The log names the master's kept plan as the plan written.
    Arguments named = arguments;
    named.file = kept.value();
    const QJsonObject head{
        {QStringLiteral("master"), json::radios({masterRadio}, QStringLiteral("plan")).first()}};
    return runWriteMany(arguments, job, loggedPlanOf(named, reading.plan, wording),
                        QStringLiteral("clone"), head);
}

int runPorts(const Arguments& arguments) {
    const std::array<QString, 4> comDevices = settingsPortDevices();
    // A port the settings name but the system does not enumerate (a pseudo-terminal) is listed
    // too, while it exists.
    const QList<PresentPort> ports = presentAndMappedPorts(comDevices);
    if (ports.isEmpty() && !arguments.json) {
        printText(CliText::tr("No serial ports are present.") + QLatin1Char('\n'), stdout);
        return ExitSuccess;
    }
    QString text;
    QJsonArray listed;
    for (const PresentPort& port : ports) {
        QStringList coms;
        QJsonArray comNumbers;
        for (int number = 1; number <= 4; ++number) {
            const QString mapped = comDevices[number - 1];
            if (!mapped.isEmpty() && resolveDevicePath(mapped) == port.device) {
                coms << QStringLiteral("COM%1").arg(number);
                comNumbers.append(number);
            }
        }
        const PortDiagnosis diagnosis = diagnosePort(port.device);
        const PortHolder& holder = diagnosis.holder;
        QString state;
        QString stateKey;
        switch (diagnosis.outcome) {
        case ProbeOutcome::Free:
            state = CliText::tr("free");
            stateKey = QStringLiteral("free");
            break;
        case ProbeOutcome::Busy:
            if (holder.processId <= 0)
                state = CliText::tr("in use");
            else if (holder.program.isEmpty())
                state = CliText::tr("in use (process %1)").arg(holder.processId);
            else
                state = CliText::tr("in use by %1 (process %2)")
                            .arg(holder.program)
                            .arg(holder.processId);
            stateKey = QStringLiteral("inUse");
            break;
        case ProbeOutcome::PermissionDenied:
            state = CliText::tr("permission denied (group %1)").arg(diagnosis.group);
            stateKey = QStringLiteral("permissionDenied");
            break;
        case ProbeOutcome::Missing:
            state = CliText::tr("gone");
            stateKey = QStringLiteral("gone");
            break;
        }
        const auto orNull = [](const QString& value) {
            return value.isEmpty() ? QJsonValue() : QJsonValue(value);
        };
        const bool held = diagnosis.outcome == ProbeOutcome::Busy && holder.processId > 0;
        listed.append(QJsonObject{
            {"device", port.device},
            {"stableName", orNull(port.stableName)},
            {"adapter", orNull(port.description)},
            {"maker", orNull(port.manufacturer)},
            {"usbId", orNull(port.usbId())},
            {"vendorId", port.vendorId ? QJsonValue(int(*port.vendorId)) : QJsonValue()},
            {"productId", port.productId ? QJsonValue(int(*port.productId)) : QJsonValue()},
            {"state", stateKey},
            {"stateText", state},
            {"program", held ? orNull(holder.program) : QJsonValue()},
            {"processId", held ? QJsonValue(double(holder.processId)) : QJsonValue()},
            {"group", orNull(diagnosis.group)},
            {"com", comNumbers}});
        const auto field = [&text](const QString& label, const QString& value) {
            if (!value.isEmpty())
                text += QStringLiteral("  ") + padded(label, 13) + QLatin1Char(' ') + value +
                        QLatin1Char('\n');
        };
        text += port.device + QLatin1Char('\n');
        field(CliText::tr("stable name:"), port.stableName);
        field(CliText::tr("adapter:"), port.description);
        field(CliText::tr("maker:"), port.manufacturer);
        field(CliText::tr("USB id:"), port.usbId());
        field(CliText::tr("state:"), state);
        field(CliText::tr("settings:"), coms.join(QStringLiteral(", ")));
    }
    if (arguments.json)
        json::print(QJsonObject{{"ports", listed}});
    else
        printText(text, stdout);
    return ExitSuccess;
}

int runShow(const Arguments& arguments) {
    Wording wording;
    const Result<LoadedChannelFile> loaded = loadPlanFile(arguments, wording);
    if (!loaded)
        return fail(loaded.message());
    const Plan plan = worded(loaded->plan, wording);
    // Shown all the same: the plan is what the window would open.
    const QStringList problems =
        channelFileProblems(arguments.file, loaded.value(), wording.words, wording.columnTitles());
    if (arguments.json) {
        QJsonObject document = json::plan(plan, wording);
        document[QStringLiteral("file")] = arguments.file;
        document[QStringLiteral("problems")] = json::strings(problems);
        json::print(document);
    } else {
        printText(formatPlan(plan, wording), stdout);
    }
    for (const QString& problem : problems)
        printError(problem);
    return problems.isEmpty() ? ExitSuccess : ExitFailure;
}

int runSheet(const Arguments& arguments) {
    Wording wording;
    const Language language = prepare(arguments, wording);
    const Result<LoadedChannelFile> opened = readChannelFile(arguments.file);
    if (!opened)
        return fail(oneLine(opened.message()));
    const Plan plan = worded(opened->plan, wording);
    SheetReceipt receipt;
    if (!arguments.record.isEmpty()) {
        const Result<WriteRecord> record =
            writelog::findRecord(writeLogPath(arguments), arguments.record);
        if (!record)
            return fail(CliText::tr("sheet refused: %1").arg(oneLine(record.message())));
        if (const Status same =
                writelog::checkLoggedPlan(arguments.file, plan, wording, record.value());
            !same)
            return fail(CliText::tr("sheet refused: %1").arg(oneLine(same.message())));
        receipt = record.value();
    }
    // The sheet is read by the radio's owner, so it speaks the chosen language throughout: the
    // options as the options window labels them, the sheet's own words from the messages (the
    // program's translations, installed at its start).
    const ProgramFiles files = ProgramFiles::forThisRun();
    const QString packName = zev::packName(language);
    const std::optional<LanguagePack> pack =
        LanguagePack::load(files.folderOf(packFileName(packName)), packName);
    SheetLabels labels;
    for (int i = 0; i < OptionCount; ++i) {
        const QString packed = pack ? pack->text(TextId::OptionLabelFirst + i) : QString();
        labels.options[i] = packed.isEmpty() ? optionName(allOptions[i]) : packed;
    }
    const QStringList header = channelHeader(wording);
    for (int column = 0; column < int(labels.columnTitles.size()); ++column)
        labels.columnTitles[column] = header.at(column);
    if (const Status written =
            writeChannelSheetPdf(arguments.sheetPath, plan, wording, labels, receipt);
        !written)
        return fail(written.message());
    return ExitSuccess;
}

int runLog(const Arguments& arguments) {
    const QString path = writeLogPath(arguments);
    const Result<writelog::Contents> read = writelog::read(path);
    if (!read)
        return fail(oneLine(read.message()));
    for (const QString& problem : read->problems)
        printError(CliText::tr("warning: %1").arg(problem));
    QList<WriteRecord> records = read->records;
    if (arguments.last > 0 && records.size() > arguments.last)
        records = records.mid(records.size() - arguments.last);
    if (arguments.json) {
        QJsonArray lines;
        for (const WriteRecord& record : records)
            lines.append(json::writeRecord(record));
        json::print(QJsonObject{
            {"log", path}, {"records", lines}, {"problems", json::strings(read->problems)}});
    } else if (records.isEmpty())
        printText(CliText::tr("No write is logged in %1.").arg(path) + QLatin1Char('\n'), stdout);
    else
        printText(formatWriteLog(records), stdout);
    return ExitSuccess;
}

int runDiff(const Arguments& arguments) {
    Wording wording;
    prepare(arguments, wording);
    const Result<Plan> first = loadChannelFile(arguments.file);
    if (!first) {
        printError(oneLine(first.message()));
        return ExitUsage;
    }
    QList<PlanDifference> differences;
    if (arguments.port.isEmpty()) {
        const Result<Plan> other = loadChannelFile(arguments.otherFile);
        if (!other) {
            printError(oneLine(other.message()));
            return ExitUsage;
        }
        differences = comparePlans(first.value(), other.value());
    } else {
        Line line;
        if (const Status opened = line.open(arguments); !opened) {
            printError(CliText::tr("read failed: %1").arg(opened.message()));
            return ExitUsage;
        }
        RadioComparison compared;
        {
            JobProgress progress(arguments.progress, CliText::tr("reading"));
            compared = compareWithRadio(line.link, first.value(), wording, progress);
        }
        line.port.close();
        if (!compared.session.succeeded()) {
            printError(sessionFailure(CliText::tr("read failed: %1"), compared.session));
            return ExitUsage;
        }
        differences = compared.differences;
    }
    if (arguments.json) {
        json::print(QJsonObject{{"equal", differences.isEmpty()},
                                {"differences", json::differences(differences)}});
    } else {
        QString text;
        for (const PlanDifference& difference : differences)
            text += visibleText(describeChange(difference)) + QLatin1Char('\n');
        printText(text, stdout);
    }
    return differences.isEmpty() ? ExitSuccess : ExitFailure;
}

int runExport(const Arguments& arguments) {
    Wording wording;
    const Result<LoadedChannelFile> loaded = loadPlanFile(arguments, wording);
    if (!loaded)
        return fail(loaded.message());
    if (const Status written = writeChannelList(
            arguments.otherFile, csv::exportChannels(worded(loaded->plan, wording).channels));
        !written)
        return fail(CliText::tr("export failed: %1").arg(written.message()));
    return ExitSuccess;
}

int runImport(const Arguments& arguments) {
    Wording wording;
    prepare(arguments, wording);
    const Result<QByteArray> read = readChannelList(arguments.file);
    if (!read)
        return fail(CliText::tr("import refused: %1").arg(read.message()));
    const QByteArray& bytes = read.value();
    csv::ImportOptions options;
    options.renumber = arguments.renumber;
    options.words = wording.words;
    options.separator = decimalSeparator();
    const Result<csv::Imported> imported = csv::importChannels(bytes, options);
    if (!imported)
        return fail(
            CliText::tr("import refused: %1: %2").arg(arguments.file, oneLine(imported.message())));
    for (const csv::RowNote& note : imported->notes)
        printError(CliText::tr("note: %1").arg(csv::describe({note})));
    if (!csv::givesChannels(imported.value())) {
        QString message = CliText::tr(
            "import refused, nothing was saved; the list has no row the radio can hold");
        if (!imported->problems.isEmpty())
            message += QStringLiteral(":\n") + csv::describe(imported->problems);
        return fail(message);
    }
    if (!imported->problems.isEmpty()) {
        const QString problems = csv::describe(imported->problems);
        if (!arguments.skipBadRows)
            return fail(CliText::tr("import refused, nothing was saved; these rows cannot go into "
                                    "the radio (--skip-bad-rows saves the others):") +
                        QLatin1Char('\n') + problems);
        printError(CliText::tr("rows left out:") + QLatin1Char('\n') + problems);
    }
    // The options a plan has before anything is opened or read.
    Plan plan;
    plan.options = startupOptionIndices;
    plan.band = arguments.band.isEmpty() ? QString(FactoryBand) : arguments.band;
    plan = csv::withImportedChannels(plan, imported.value());
    if (const Status saved =
            saveChannelFile(arguments.otherFile, plan, wording.selectorTexts(plan.options));
        !saved)
        return fail(oneLine(saved.message()));
    return ExitSuccess;
}

} // namespace zev::cli
