#include "commandtable.h"

#include "jobs/writelog.h"
#include "plan/band.h"
#include "plan/rowedit.h"

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

Status storeFirstEntry(Arguments& arguments, const QStringList& values) {
    bool number = false;
    const int entry = values.last().toInt(&number);
    if (!number)
        return Status::failure(
            QCoreApplication::translate("zev::cli::CommandLine", "--from takes a number, not '%1'")
                .arg(values.last()));
    arguments.firstEntry = entry;
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
    QT_TRANSLATE_NOOP(
        "zev::cli::CommandLine",
        "Channel file to save to (replaced if it exists): read saves the radio's plan "
        "there; set saves the changed plan there and leaves FILE.z81 as it is."),
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
                      "english or chinese: the language of help, messages and tables, and the "
                      "words and option texts of the plans written. Default: the environment's "
                      "(LANGUAGE, else LC_ALL, LC_MESSAGES or LANG: Chinese for a zh locale, "
                      "English for any other), else the installed language (install.Log beside "
                      "the program, else in ../share/zev4800), Chinese if that cannot be read."),
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
const OptionSpec Json{
    "json", nullptr,
    QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                      "show, diff, ports, log, read, write, clone: print one JSON document on "
                      "stdout in place of the text, frequencies in Hz (the man page lists its "
                      "keys). Errors stay on stderr and in the exit status."),
    storeSwitch<&Arguments::json, true>};
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
                      "import, stock: the band of the channel file (default 136-174MHz)."),
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
Status storeChannels(Arguments& arguments, const QStringList& values) {
    const Result<QList<int>> channels = parseChannelList(values.last());
    if (!channels)
        return Status::failure(QStringLiteral("--channels: ") + channels.message());
    arguments.channels = channels.value();
    return Status::success();
}

// on/off and high/low as the set command takes them.
template <std::optional<bool> Arguments::*field>
Status storeChoice(Arguments& arguments, const QStringList& values, const char* option,
                   const char* yes, const char* no) {
    const QString value = values.last().toLower();
    if (value == QLatin1String(yes) || value == QLatin1String(no)) {
        arguments.*field = value == QLatin1String(yes);
        return Status::success();
    }
    return Status::failure(
        QCoreApplication::translate("zev::cli::CommandLine", "--%1 takes %2 or %3, not '%4'")
            .arg(QLatin1String(option), QLatin1String(yes), QLatin1String(no), values.last()));
}

Status storePower(Arguments& arguments, const QStringList& values) {
    return storeChoice<&Arguments::highPower>(arguments, values, "power", "high", "low");
}
Status storeScanAdd(Arguments& arguments, const QStringList& values) {
    return storeChoice<&Arguments::scanAdd>(arguments, values, "scan-add", "on", "off");
}
Status storeBusyLock(Arguments& arguments, const QStringList& values) {
    return storeChoice<&Arguments::busyLock>(arguments, values, "busy-lock", "on", "off");
}

const OptionSpec Channels{
    "channels", "LIST",
    QT_TRANSLATE_NOOP("zev::cli::CommandLine", "set: the channels to change, such as 1-4,7,9."),
    storeChannels};
const OptionSpec ToneBoth{"tone", "TONE",
                          QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                            "set: RX and TX tone: a CTCSS tone such as 88.5, a "
                                            "DCS code such as D023N, or OFF."),
                          storeText<&Arguments::tone>};
const OptionSpec RxTone{"rx-tone", "TONE",
                        QT_TRANSLATE_NOOP("zev::cli::CommandLine", "set: the RX tone alone."),
                        storeText<&Arguments::rxTone>};
const OptionSpec TxTone{"tx-tone", "TONE",
                        QT_TRANSLATE_NOOP("zev::cli::CommandLine", "set: the TX tone alone."),
                        storeText<&Arguments::txTone>};
const OptionSpec PowerLevel{
    "power", "high|low", QT_TRANSLATE_NOOP("zev::cli::CommandLine", "set: the power."), storePower};
const OptionSpec ScanAdd{"scan-add", "on|off",
                         QT_TRANSLATE_NOOP("zev::cli::CommandLine", "set: Scan Add."),
                         storeScanAdd};
const OptionSpec BusyLock{"busy-lock", "on|off",
                          QT_TRANSLATE_NOOP("zev::cli::CommandLine", "set: Busy Lock."),
                          storeBusyLock};
const OptionSpec Frequency{
    "frequency", "MHZ",
    QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                      "set: RX = TX frequency of the first channel listed; each next one a --step "
                      "higher. Unused channels get the new-channel defaults."),
    storeText<&Arguments::frequency>};
const OptionSpec Step{"step", "KHZ",
                      QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                        "set: the step between channels, such as 12.5 or 25."),
                      storeText<&Arguments::step>};
const OptionSpec Offset{"offset", "MHZ",
                        QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                          "set: TX = RX plus this offset, such as -5 or +0.6."),
                        storeText<&Arguments::offset>};
const OptionSpec From{"from", "PORT",
                      QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                        "clone: the master radio's port, named as --port is."),
                      storeText<&Arguments::fromPort>};
const OptionSpec To{"to", "PORT",
                    QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                      "clone: a radio to write the master's plan to; give one "
                                      "--to for each."),
                    storePorts};

const OptionSpec FirstEntry{
    "from", "N",
    QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                      "stock: the entry of a list longer than 16 channels that becomes channel 1 "
                      "(default 1)."),
    storeFirstEntry};
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

Status checkSet(const Arguments& arguments) {
    const auto refused = [](const char* text) {
        return Status::failure(QCoreApplication::translate("zev::cli::CommandLine", text));
    };
    if (!arguments.tone.isEmpty() && (!arguments.rxTone.isEmpty() || !arguments.txTone.isEmpty()))
        return refused(
            QT_TRANSLATE_NOOP("zev::cli::CommandLine", "--tone excludes --rx-tone and --tx-tone"));
    if (arguments.frequency.isEmpty() != arguments.step.isEmpty())
        return refused(
            QT_TRANSLATE_NOOP("zev::cli::CommandLine", "--frequency and --step go together"));
    if (!arguments.offset.isEmpty() && arguments.frequency.isEmpty())
        return refused(
            QT_TRANSLATE_NOOP("zev::cli::CommandLine", "--offset needs --frequency and --step"));
    if (arguments.tone.isEmpty() && arguments.rxTone.isEmpty() && arguments.txTone.isEmpty() &&
        !arguments.highPower && !arguments.scanAdd && !arguments.busyLock &&
        arguments.frequency.isEmpty())
        return refused(QT_TRANSLATE_NOOP(
            "zev::cli::CommandLine",
            "set needs something to set: a tone, --power, --scan-add, --busy-lock or "
            "--frequency with --step"));
    return Status::success();
}

Status checkClone(const Arguments& arguments) {
    if (!arguments.tracePath.isEmpty())
        return Status::failure(
            QCoreApplication::translate("zev::cli::CommandLine", "--trace takes one --port"));
    return Status::success();
}

// diff --port and doctor look at one radio.
Status checkOnePort(const Arguments& arguments) {
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
     .options = {&Port, &Output, &OutputDirectory, &Json},
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
     .options = {&Port, &NoBackup, &BackupDirectory, &NoVerify, &Log, &Json},
     .forms = {{.synopsis = "--port PORT [--port PORT...]",
                .required = {&Port},
                .files = {Plan},
                .missingFiles = NoChannelFile}},
     .check = checkOneTrace},
    {.command = Command::Clone,
     .word = "clone",
     .description = QT_TRANSLATE_NOOP(
         "zev::cli::CommandLine",
         "Read the master radio and keep its plan as a backup file (the path is printed), then "
         "write that plan to every --to radio at once, each with its own backup and verification "
         "as write does, and print the same table. A master that cannot be read writes nothing."),
     .options = {&From, &To, &NoBackup, &BackupDirectory, &NoVerify, &Json},
     .forms = {{.synopsis = "--from PORT --to PORT [--to PORT...]", .required = {&From, &To}}},
     .check = checkClone},
    {.command = Command::Show,
     .word = "show",
     .description =
         QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                           "Print a channel file as a table, then list on stderr, by line, what in "
                           "it the radio would refuse (exit status 1 when there is any)."),
     .options = {&Json},
     .forms = {{.files = {Plan}, .missingFiles = NoChannelFile}}},
    {.command = Command::Diff,
     .word = "diff",
     .description = QT_TRANSLATE_NOOP(
         "zev::cli::CommandLine",
         "Print every cell, option and band in which two channel files differ, or (with --port) "
         "the file and the radio, as 'CH03 RX Freq: A -> B'. Words of either language compare "
         "by meaning."),
     .options = {&Port, &Json},
     .forms = {{.files = {Plan, {"OTHER.z81", &Arguments::otherFile}},
                .missingFiles =
                    QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                      "diff needs two channel files, or --port PORT and one")},
               {.synopsis = "--port PORT",
                .files = {Plan},
                .missingFiles = NoChannelFile,
                .chosenBy = &Port}},
     .check = checkOnePort},
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
    {.command = Command::Set,
     .word = "set",
     .description = QT_TRANSLATE_NOOP(
         "zev::cli::CommandLine",
         "Set tones, power, Scan Add or Busy Lock on every used channel listed, or fill the "
         "listed channels' frequencies from a start and a step, in a channel file. Changes the "
         "file in place (replaced whole, never half written) unless --output is given, and prints "
         "the changed cells as diff does. A value the channel editor would refuse is refused, "
         "naming the channel, and nothing is saved."),
     .options = {&Channels, &ToneBoth, &RxTone, &TxTone, &PowerLevel, &ScanAdd, &BusyLock,
                 &Frequency, &Step, &Offset, &Output},
     .forms = {{.synopsis = "--channels LIST",
                .required = {&Channels},
                .files = {Plan},
                .missingFiles = NoChannelFile}},
     .check = checkSet},
    {.command = Command::Ports,
     .word = "ports",
     .description = QT_TRANSLATE_NOOP(
         "zev::cli::CommandLine",
         "List the serial ports present: device, stable name, adapter, USB id, whether it is in "
         "use, and the COM port the settings map to it."),
     .options = {&Json},
     .forms = {{}}},
    {.command = Command::Doctor,
     .word = "doctor",
     .description = QT_TRANSLATE_NOOP(
         "zev::cli::CommandLine",
         "Go through what stands between you and the radio, a line for each check with what to "
         "do where one fails: the port is there (and its stable name), you may open it, nothing "
         "else holds it, ModemManager and brltty are not in the way, the driver takes "
         "low-latency mode, and the radio answers the entry handshake and the band read "
         "(nothing is written; a radio left in programming mode is brought out of it). Without "
         "--port: the one USB serial adapter present, else the window's COM port. Exit status 0 "
         "only when the radio answered."),
     .options = {&Port},
     .forms = {{.synopsis = "[--port PORT]"}},
     .check = checkOnePort},
    {.command = Command::Sheet,
     .word = "sheet",
     .description = QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                      "Write a channel file as a one-page A4 PDF to print: band, "
                                      "options and the 16 channels, in the language of --lang."),
     .options = {&Record, &Log},
     .forms = {{.files = {Plan, {"SHEET.pdf", &Arguments::sheetPath}},
                .missingFiles = QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                                  "sheet needs a channel file and a PDF file")}}},
    {.command = Command::Stock,
     .word = "stock",
     .description = QT_TRANSLATE_NOOP(
         "zev::cli::CommandLine",
         "Without a name: list the built-in lists of licence-free and common channels (pmr446, "
         "china-409, frs-gmrs, murs, lpd433, noaa, marine) with their region, frequencies, "
         "channel count and how many the band holds. With one: start a plan from that list, its "
         "channels in order from channel 1, as new channels with the options of a new plan; "
         "channels outside the band are kept with a warning. A file ending in .csv gets the "
         "channels as a CSV channel list with their names."),
     .options = {&Band, &FirstEntry},
     .forms = {{},
               {.files = {{"NAME", &Arguments::stockList}, {"OUT.z81", &Arguments::otherFile}},
                .missingFiles = QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                                  "stock needs a list name and a file to write, "
                                                  "or nothing to list the lists")}}},
    {.command = Command::Log,
     .word = "log",
     .description = QT_TRANSLATE_NOOP(
         "zev::cli::CommandLine",
         "Print the write log as a table, oldest first: the time (UTC, as --record takes it), "
         "port, device, result (verified, written, failed, stopped), band, plan file, the first "
         "12 digits of the plan's SHA-256, backup and the reason of a failure. Damaged lines are "
         "left out and named on stderr."),
     .options = {&Last, &Log, &Json},
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
