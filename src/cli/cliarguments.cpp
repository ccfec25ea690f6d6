#include "cliarguments.h"

#include "plan/band.h"

namespace zev::cli {

QString usageText() {
    return QStringLiteral(
        "Usage: zev4800-cli read --port PORT --output FILE.z81 [options]\n"
        "       zev4800-cli read --port PORT [--port PORT...] --output-dir DIR [options]\n"
        "       zev4800-cli write --port PORT [--port PORT...] FILE.z81 [options]\n"
        "       zev4800-cli show FILE.z81 [options]\n"
        "       zev4800-cli diff FILE.z81 OTHER.z81 [options]\n"
        "       zev4800-cli diff --port PORT FILE.z81 [options]\n"
        "       zev4800-cli ports\n"
        "       zev4800-cli sheet FILE.z81 SHEET.pdf [options]\n"
        "       zev4800-cli export FILE.z81 LIST.csv [options]\n"
        "       zev4800-cli import LIST.csv FILE.z81 [options]\n"
        "\n"
        "Programs an RH-4800 radio through its programming cable.\n"
        "\n"
        "Commands:\n"
        "  read    Read the radio's band, channels and options and save them as a channel\n"
        "          file. A failed read writes no file.\n"
        "  write   Write a channel file (band, options and 16 channels) to the radio. The\n"
        "          whole plan is checked first; a plan with faults is refused and nothing\n"
        "          is sent. A channel outside the file's band is written with a warning.\n"
        "          First the radio is read and its plan saved as a backup (the path is\n"
        "          printed); after the write the radio is read back and compared with the\n"
        "          file, and any difference fails the write.\n"
        "  show    Print a channel file as a table, then list on stderr, by line, what\n"
        "          in it the radio would refuse (exit status 1 when there is any).\n"
        "  diff    Print every cell, option and band in which two channel files differ,\n"
        "          or (with --port) the file and the radio, as 'CH03 RX Freq: A -> B'.\n"
        "          Words of either language compare by meaning.\n"
        "  export  Save the used channels of a channel file as a CSV channel list, one row\n"
        "          per channel, Location being the channel number.\n"
        "  import  Make a channel file from a CSV channel list (',' or ';' separated,\n"
        "          UTF-8): each row goes to the channel its Location names. Rows the radio\n"
        "          cannot hold are listed by row number and nothing is saved, unless\n"
        "          --skip-bad-rows. Lists over 1 MiB are refused.\n"
        "  ports   List the serial ports present: device, stable name, adapter, USB id,\n"
        "          whether it is in use, and the COM port the settings map to it.\n"
        "  sheet   Write a channel file as a one-page A4 PDF to print: band, options and\n"
        "          the 16 channels, in the language of --lang.\n"
        "\n"
        "With several --port options, read and write work on all the radios at once,\n"
        "each on its own; a table of port, result and time follows, and the exit\n"
        "status is 0 only when every radio succeeded.\n"
        "\n"
        "Ctrl-C stops a read or write at its next step and takes the radio out of\n"
        "programming mode; a second Ctrl-C, or SIGTERM, ends the program at once.\n"
        "\n"
        "Options:\n"
        "  --port PORT         The cable's port: a device (/dev/ttyUSB0), its stable name\n"
        "                      in /dev/serial/by-id, COM1 to COM4 as myini.ini maps them,\n"
        "                      or auto for the one USB serial adapter present.\n"
        "  --output FILE       Channel file to save the read to (replaced if it exists).\n"
        "  --output-dir DIR    read: save each radio's plan as DIR/DEVICE.z81, DEVICE\n"
        "                      being the port's path below /dev (ttyUSB0, pts-7).\n"
        "  --lang LANGUAGE     english or chinese: words and option texts of the plan.\n"
        "                      Default: the installed language (install.Log beside the\n"
        "                      program, else in ../share/zev4800), Chinese if that cannot\n"
        "                      be read.\n"
        "  --trace FILE        Write every frame to FILE: elapsed ms, '>' sent or '<'\n"
        "                      received, bytes in hex.\n"
        "  --progress          Show progress on stderr (the default when stderr is a\n"
        "                      terminal).\n"
        "  --no-backup         write: do not read and keep the radio's plan first.\n"
        "  --backup-dir DIR    write: keep backups in DIR (default\n"
        "                      $XDG_DATA_HOME/zev4800/backups; the newest 100 are kept).\n"
        "  --no-verify         write: do not read the radio back after the write.\n"
        "  --band BAND         import: the band of the channel file (default 136-174MHz).\n"
        "  --renumber          import: the first 16 rows with a frequency become channels\n"
        "                      1 to 16, whatever their Location.\n"
        "  --skip-bad-rows     import: save the other rows when some cannot be held.\n"
        "  -h, --help          Show this text.\n"
        "  --version           Show the version.\n"
        "\n"
        "Exit status: 0 success, 1 the command failed (radio, file or plan), 2 bad usage.\n"
        "diff: 0 the plans are equal, 1 they differ, 2 an error.\n");
}

Result<Arguments> parseArguments(const QStringList& arguments) {
    Arguments parsed;
    QStringList positional;
    QStringList switchesForWrite;
    QStringList switchesForImport;
    bool commandSeen = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString argument = arguments.at(i);
        QString value;
        bool hasInlineValue = false;
        if (argument.startsWith(QStringLiteral("--")) && argument.contains(QLatin1Char('='))) {
            const qsizetype equals = argument.indexOf(QLatin1Char('='));
            value = argument.mid(equals + 1);
            argument = argument.left(equals);
            hasInlineValue = true;
        }
        const auto takeValue = [&]() -> std::optional<QString> {
            if (hasInlineValue)
                return value;
            if (i + 1 >= arguments.size())
                return std::nullopt;
            return arguments.at(++i);
        };
        if (argument == QStringLiteral("-h") || argument == QStringLiteral("--help")) {
            parsed.command = Command::Help;
            return parsed;
        }
        if (argument == QStringLiteral("--version")) {
            parsed.command = Command::Version;
            return parsed;
        }
        if (argument == QStringLiteral("--progress")) {
            parsed.progress = true;
            continue;
        }
        if (argument == QStringLiteral("--renumber") ||
            argument == QStringLiteral("--skip-bad-rows")) {
            (argument == QStringLiteral("--renumber") ? parsed.renumber : parsed.skipBadRows) =
                true;
            switchesForImport.append(argument);
            continue;
        }
        if (argument == QStringLiteral("--no-backup") ||
            argument == QStringLiteral("--no-verify")) {
            (argument == QStringLiteral("--no-backup") ? parsed.backup : parsed.verify) = false;
            switchesForWrite.append(argument);
            continue;
        }
        QString* target = nullptr;
        QString languageName;
        QString portName;
        if (argument == QStringLiteral("--port"))
            target = &portName;
        else if (argument == QStringLiteral("--output-dir"))
            target = &parsed.outputDirectory;
        else if (argument == QStringLiteral("--band")) {
            target = &parsed.band;
            switchesForImport.append(argument);
        } else if (argument == QStringLiteral("--output"))
            target = &parsed.output;
        else if (argument == QStringLiteral("--trace"))
            target = &parsed.tracePath;
        else if (argument == QStringLiteral("--lang"))
            target = &languageName;
        else if (argument == QStringLiteral("--backup-dir")) {
            target = &parsed.backupDirectory;
            switchesForWrite.append(argument);
        }
        if (target) {
            const std::optional<QString> taken = takeValue();
            if (!taken || taken->isEmpty())
                return Status::failure(QStringLiteral("%1 needs a value").arg(argument));
            *target = *taken;
            if (target == &portName)
                parsed.ports.append(portName);
            if (target == &languageName) {
                if (languageName == QStringLiteral("english"))
                    parsed.language = Language::English;
                else if (languageName == QStringLiteral("chinese"))
                    parsed.language = Language::Chinese;
                else
                    return Status::failure(
                        QStringLiteral("--lang takes english or chinese, not '%1'")
                            .arg(languageName));
            }
            continue;
        }
        if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1)
            return Status::failure(QStringLiteral("unknown option '%1'").arg(argument));
        if (!commandSeen) {
            commandSeen = true;
            if (argument == QStringLiteral("read"))
                parsed.command = Command::Read;
            else if (argument == QStringLiteral("write"))
                parsed.command = Command::Write;
            else if (argument == QStringLiteral("show"))
                parsed.command = Command::Show;
            else if (argument == QStringLiteral("diff"))
                parsed.command = Command::Diff;
            else if (argument == QStringLiteral("ports"))
                parsed.command = Command::Ports;
            else if (argument == QStringLiteral("sheet"))
                parsed.command = Command::Sheet;
            else if (argument == QStringLiteral("export"))
                parsed.command = Command::Export;
            else if (argument == QStringLiteral("import"))
                parsed.command = Command::Import;
            else
                return Status::failure(QStringLiteral("unknown command '%1'").arg(argument));
            continue;
        }
        positional.append(argument);
    }

    if (!commandSeen)
        return Status::failure(QStringLiteral("no command given"));
    if (!parsed.ports.isEmpty())
        parsed.port = parsed.ports.first();
    if (parsed.command != Command::Write && !switchesForWrite.isEmpty())
        return Status::failure(QStringLiteral("%1 belongs to write").arg(switchesForWrite.first()));
    if (parsed.command != Command::Import && !switchesForImport.isEmpty())
        return Status::failure(
            QStringLiteral("%1 belongs to import").arg(switchesForImport.first()));
    if (parsed.command != Command::Read && !parsed.outputDirectory.isEmpty())
        return Status::failure(QStringLiteral("--output-dir belongs to read"));
    if (parsed.ports.size() > 1) {
        if (parsed.command != Command::Read && parsed.command != Command::Write)
            return Status::failure(QStringLiteral("only read and write take several --port"));
        if (!parsed.tracePath.isEmpty())
            return Status::failure(QStringLiteral("--trace takes one --port"));
        if (parsed.command == Command::Read && !parsed.output.isEmpty())
            return Status::failure(
                QStringLiteral("a read from several radios needs --output-dir, not --output"));
    }
    if (parsed.command == Command::Export || parsed.command == Command::Import) {
        const QString command =
            parsed.command == Command::Export ? QStringLiteral("export") : QStringLiteral("import");
        if (positional.size() > 2)
            return Status::failure(
                QStringLiteral("unexpected argument '%1'").arg(positional.last()));
        if (positional.size() < 2)
            return Status::failure(
                parsed.command == Command::Export
                    ? QStringLiteral("export needs a channel file and a CSV file")
                    : QStringLiteral("import needs a CSV file and a channel file"));
        if (!parsed.ports.isEmpty())
            return Status::failure(QStringLiteral("%1 takes no --port").arg(command));
        if (!parsed.output.isEmpty())
            return Status::failure(QStringLiteral("--output belongs to read"));
        if (!parsed.band.isEmpty() && !parseBand(parsed.band))
            return Status::failure(
                QStringLiteral("--band takes a band such as 136-174MHz, not '%1'")
                    .arg(parsed.band));
        parsed.file = positional.first();
        parsed.otherFile = positional.at(1);
        return parsed;
    }
    if (parsed.command == Command::Diff) {
        const qsizetype files = parsed.port.isEmpty() ? 2 : 1;
        if (positional.size() > files)
            return Status::failure(
                QStringLiteral("unexpected argument '%1'").arg(positional.last()));
        if (positional.size() < files)
            return Status::failure(files == 2
                                       ? QStringLiteral("diff needs two channel files, or --port "
                                                        "PORT and one")
                                       : QStringLiteral("no channel file given"));
        parsed.file = positional.first();
        if (files == 2)
            parsed.otherFile = positional.at(1);
        if (!parsed.output.isEmpty())
            return Status::failure(QStringLiteral("--output belongs to read"));
        return parsed;
    }
    if (parsed.command == Command::Sheet) {
        if (positional.size() > 2)
            return Status::failure(
                QStringLiteral("unexpected argument '%1'").arg(positional.last()));
        if (positional.size() < 2)
            return Status::failure(QStringLiteral("sheet needs a channel file and a PDF file"));
        if (!parsed.port.isEmpty())
            return Status::failure(QStringLiteral("sheet takes no --port"));
        if (!parsed.output.isEmpty())
            return Status::failure(QStringLiteral("--output belongs to read"));
        parsed.file = positional.at(0);
        parsed.sheetPath = positional.at(1);
        return parsed;
    }
    const bool takesFile = parsed.command == Command::Write || parsed.command == Command::Show;
    if (positional.size() > (takesFile ? 1 : 0))
        return Status::failure(QStringLiteral("unexpected argument '%1'").arg(positional.last()));
    if (takesFile) {
        if (positional.isEmpty())
            return Status::failure(QStringLiteral("no channel file given"));
        parsed.file = positional.first();
    }
    const bool usesPort = parsed.command == Command::Read || parsed.command == Command::Write;
    if (usesPort && parsed.port.isEmpty())
        return Status::failure(QStringLiteral("--port PORT is required"));
    if (!usesPort && !parsed.port.isEmpty())
        return Status::failure(QStringLiteral("%1 takes no --port")
                                   .arg(parsed.command == Command::Show ? QStringLiteral("show")
                                                                        : QStringLiteral("ports")));
    if (parsed.command == Command::Read && parsed.output.isEmpty() &&
        parsed.outputDirectory.isEmpty())
        return Status::failure(QStringLiteral("--output FILE is required"));
    if (!parsed.output.isEmpty() && !parsed.outputDirectory.isEmpty())
        return Status::failure(QStringLiteral("--output and --output-dir exclude each other"));
    if (parsed.command != Command::Read && !parsed.output.isEmpty())
        return Status::failure(QStringLiteral("--output belongs to read"));
    return parsed;
}

} // namespace zev::cli
