#include "commandtable.h"

#include "jobs/writelog.h"
#include "plan/band.h"

#include <QCoreApplication>

namespace zev::cli {

namespace {

template <QString Arguments::*field>
Status storeText(Arguments& arguments, const QStringList& values) {
    arguments.*field = values.last();
    return Status::success();
}

template <bool Arguments::*field, bool value>
Status storeSwitch(Arguments& arguments, const QStringList&) {
    arguments.*field = value;
    return Status::success();
}

template <Command command> Status storeCommand(Arguments& arguments, const QStringList&) {
    arguments.command = command;
    return Status::success();
}

Status storePorts(Arguments& arguments, const QStringList& values) {
    arguments.ports = values;
    arguments.port = values.first();
    return Status::success();
}

Status storeLanguage(Arguments& arguments, const QStringList& values) {
    for (const QString& name : values) {
        if (name == QStringLiteral("english"))
            arguments.language = Language::English;
        else if (name == QStringLiteral("chinese"))
            arguments.language = Language::Chinese;
        else
            return Status::failure(
                QCoreApplication::translate("zev::cli::CommandLine",
                                            "--lang takes english or chinese, not '%1'")
                    .arg(name));
    }
    return Status::success();
}

Status storeBand(Arguments& arguments, const QStringList& values) {
    arguments.band = values.last();
    if (!parseBand(arguments.band))
        return Status::failure(
            QCoreApplication::translate("zev::cli::CommandLine",
                                        "--band takes a band such as 136-174MHz, not '%1'")
                .arg(arguments.band));
    return Status::success();
}

Status storeLast(Arguments& arguments, const QStringList& values) {
    bool number = false;
    arguments.last = values.last().toInt(&number);
    if (!number || arguments.last < 1)
        return Status::failure(
            QCoreApplication::translate("zev::cli::CommandLine",
                                        "--last takes a number of lines from 1 up, not '%1'")
                .arg(values.last()));
    return Status::success();
}

Status storeRecord(Arguments& arguments, const QStringList& values) {
    arguments.record = values.last();
    if (!writelog::parseTime(arguments.record).isValid())
        return Status::failure(
            QCoreApplication::translate("zev::cli::CommandLine",
                                        "--record takes the time of a line of the write log, "
                                        "such as 2026-12-10T14:35:01.123Z, not '%1'")
                .arg(arguments.record));
    return Status::success();
}

const OptionSpec Port{
    "port", "PORT",
    QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                      "The cable's port: a device (/dev/ttyUSB0), its stable name in "
                      "/dev/serial/by-id, COM1 to COM4 as myini.ini maps them, or auto for the "
                      "one USB serial adapter present."),
    storePorts};
const OptionSpec Output{
    "output", "FILE",
    QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                      "Channel file to save the read to (replaced if it exists)."),
    storeText<&Arguments::output>};
const OptionSpec OutputDirectory{
    "output-dir", "DIR",
    QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                      "read: save each radio's plan as DIR/DEVICE.z81, DEVICE being the port's "
                      "path below /dev (ttyUSB0, pts-7)."),
    storeText<&Arguments::outputDirectory>};
const OptionSpec Lang{
    "lang", "LANGUAGE",
    QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                      "english or chinese: words and option texts of the plan. Default: the "
                      "installed language (install.Log beside the program, else in "
                      "../share/zev4800), Chinese if that cannot be read."),
    storeLanguage};
const OptionSpec Trace{"trace", "FILE",
                       QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                         "Write every frame to FILE: elapsed ms, '>' sent or '<' "
                                         "received, bytes in hex."),
                       storeText<&Arguments::tracePath>};
const OptionSpec Progress{"progress", nullptr,
                          QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                            "Show progress on stderr (the default when stderr is "
                                            "a terminal)."),
                          storeSwitch<&Arguments::progress, true>};
const OptionSpec NoBackup{"no-backup", nullptr,
                          QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                            "write: do not read and keep the radio's plan first."),
                          storeSwitch<&Arguments::backup, false>};
const OptionSpec BackupDirectory{
    "backup-dir", "DIR",
    QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                      "write: keep backups in DIR (default $XDG_DATA_HOME/zev4800/backups; the "
                      "newest 100 are kept)."),
    storeText<&Arguments::backupDirectory>};
const OptionSpec NoVerify{"no-verify", nullptr,
                          QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                            "write: do not read the radio back after the write."),
                          storeSwitch<&Arguments::verify, false>};
const OptionSpec Band{
    "band", "BAND",
    QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                      "import: the band of the channel file (default 136-174MHz)."),
    storeBand};
const OptionSpec Renumber{
    "renumber", nullptr,
    QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                      "import: the first 16 rows with a frequency become channels 1 to 16, "
                      "whatever their Location."),
    storeSwitch<&Arguments::renumber, true>};
const OptionSpec SkipBadRows{
    "skip-bad-rows", nullptr,
    QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                      "import: save the other rows when some cannot be held."),
    storeSwitch<&Arguments::skipBadRows, true>};
const OptionSpec Log{
    "log", "FILE",
    QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                      "write, log, sheet: the write log, a line for every radio written (default "
                      "$XDG_STATE_HOME/zev4800/writes.csv, or ~/.local/state/zev4800/writes.csv)."),
    storeText<&Arguments::logPath>};
const OptionSpec Last{"last", "N",
                      QT_TRANSLATE_NOOP("zev::cli::CommandLine", "log: only the newest N lines."),
                      storeLast};
const OptionSpec Record{
    "record", "TIME",
    QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                      "sheet: add a footer with the date, device, result and plan hash of the "
                      "write that the log's line of that time records (the time as log shows "
                      "it): a receipt of the write. The channel file must hold the plan written."),
    storeRecord};
const OptionSpec Help{"help", nullptr,
                      QT_TRANSLATE_NOOP("zev::cli::CommandLine", "Show this text."),
                      storeCommand<Command::Help>, "h"};
const OptionSpec Version{"version", nullptr,
                         QT_TRANSLATE_NOOP("zev::cli::CommandLine", "Show the version."),
                         storeCommand<Command::Version>};

const FileSpec Plan{"FILE.z81", &Arguments::file};
const char* const NoChannelFile =
    QT_TRANSLATE_NOOP("zev::cli::CommandLine", "no channel file given");

// A trace is one file and follows one radio.
Status checkOneTrace(const Arguments& arguments) {
    if (arguments.ports.size() > 1 && !arguments.tracePath.isEmpty())
        return Status::failure(
            QCoreApplication::translate("zev::cli::CommandLine", "--trace takes one --port"));
    return Status::success();
}

Status checkRead(const Arguments& arguments) {
    if (Status status = checkOneTrace(arguments); !status)
        return status;
    if (arguments.ports.size() > 1 && !arguments.output.isEmpty())
        return Status::failure(QCoreApplication::translate(
            "zev::cli::CommandLine",
            "a read from several radios needs --output-dir, not --output"));
    if (!arguments.output.isEmpty() && !arguments.outputDirectory.isEmpty())
        return Status::failure(QCoreApplication::translate(
            "zev::cli::CommandLine", "--output and --output-dir exclude each other"));
    return Status::success();
}

Status checkDiff(const Arguments& arguments) {
    if (arguments.ports.size() > 1)
        return Status::failure(QCoreApplication::translate(
            "zev::cli::CommandLine", "only read and write take several --port"));
    return Status::success();
}

const CommandSpec commands[] = {
    {.command = Command::Read,
     .word = "read",
     .description = QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                      "Read the radio's band, channels and options and save them "
                                      "as a channel file. A failed read writes no file."),
     .options = {&Port, &Output, &OutputDirectory},
     .forms = {{.synopsis = "--port PORT --output FILE.z81", .required = {&Port, &Output}},
               {.synopsis = "--port PORT [--port PORT...] --output-dir DIR",
                .required = {&Port},
                .chosenBy = &OutputDirectory}},
     .check = checkRead},
    {.command = Command::Write,
     .word = "write",
     .description = QT_TRANSLATE_NOOP(
         "zev::cli::CommandLine",
         "Write a channel file (band, options and 16 channels) to the radio. The whole plan is "
         "checked first; a plan with faults is refused and nothing is sent. A channel outside the "
         "file's band is written with a warning. First the radio is read and its plan saved as a "
         "backup (the path is printed); after the write the radio is read back and compared with "
         "the file, and any difference fails the write."),
     .options = {&Port, &NoBackup, &BackupDirectory, &NoVerify, &Log},
     .forms = {{.synopsis = "--port PORT [--port PORT...]",
                .required = {&Port},
                .files = {Plan},
                .missingFiles = NoChannelFile}},
     .check = checkOneTrace},
    {.command = Command::Show,
     .word = "show",
     .description =
         QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                           "Print a channel file as a table, then list on stderr, by line, what in "
                           "it the radio would refuse (exit status 1 when there is any)."),
     .forms = {{.files = {Plan}, .missingFiles = NoChannelFile}}},
    {.command = Command::Diff,
     .word = "diff",
     .description = QT_TRANSLATE_NOOP(
         "zev::cli::CommandLine",
         "Print every cell, option and band in which two channel files differ, or (with --port) "
         "the file and the radio, as 'CH03 RX Freq: A -> B'. Words of either language compare "
         "by meaning."),
     .options = {&Port},
     .forms = {{.files = {Plan, {"OTHER.z81", &Arguments::otherFile}},
                .missingFiles =
                    QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                      "diff needs two channel files, or --port PORT and one")},
               {.synopsis = "--port PORT",
                .files = {Plan},
                .missingFiles = NoChannelFile,
                .chosenBy = &Port}},
     .check = checkDiff},
    {.command = Command::Export,
     .word = "export",
     .description = QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                      "Save the used channels of a channel file as a CSV channel "
                                      "list, one row per channel, Location being the channel "
                                      "number."),
     .forms = {{.files = {Plan, {"LIST.csv", &Arguments::otherFile}},
                .missingFiles = QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                                  "export needs a channel file and a CSV file")}}},
    {.command = Command::Import,
     .word = "import",
     .description = QT_TRANSLATE_NOOP(
         "zev::cli::CommandLine",
         "Make a channel file from a CSV channel list (',' or ';' separated, UTF-8): each row "
         "goes to the channel its Location names. Rows the radio cannot hold are listed by row "
         "number and nothing is saved, unless --skip-bad-rows. Lists over 1 MiB are refused."),
     .options = {&Band, &Renumber, &SkipBadRows},
     .forms = {{.files = {{"LIST.csv", &Arguments::file}, {"FILE.z81", &Arguments::otherFile}},
                .missingFiles = QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                                  "import needs a CSV file and a channel file")}}},
    {.command = Command::Ports,
     .word = "ports",
     .description = QT_TRANSLATE_NOOP(
         "zev::cli::CommandLine",
         "List the serial ports present: device, stable name, adapter, USB id, whether it is in "
         "use, and the COM port the settings map to it."),
     .forms = {{}}},
    {.command = Command::Sheet,
     .word = "sheet",
     .description = QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                      "Write a channel file as a one-page A4 PDF to print: band, "
                                      "options and the 16 channels, in the language of --lang."),
     .options = {&Record, &Log},
     .forms = {{.files = {Plan, {"SHEET.pdf", &Arguments::sheetPath}},
                .missingFiles = QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                                  "sheet needs a channel file and a PDF file")}}},
    {.command = Command::Log,
     .word = "log",
     .description = QT_TRANSLATE_NOOP(
         "zev::cli::CommandLine",
         "Print the write log as a table, oldest first: the time (UTC, as --record takes it), "
         "port, device, result (verified, written, failed, stopped), band, plan file, the first "
         "12 digits of the plan's SHA-256, backup and the reason of a failure. Damaged lines are "
         "left out and named on stderr."),
     .options = {&Last, &Log},
     .forms = {{}}},
};

const OptionSpec* const common[] = {&Lang, &Trace, &Progress};
const OptionSpec* const program[] = {&Help, &Version};

} // namespace

std::span<const CommandSpec> commandSpecs() {
    return commands;
}

std::span<const OptionSpec* const> commonOptions() {
    return common;
}

std::span<const OptionSpec* const> programOptions() {
    return program;
}

} // namespace zev::cli
