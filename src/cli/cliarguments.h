#pragma once

#include "app/language.h"
#include "status.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace zev::cli {

enum class Command { Read, Write, Show, Diff, Ports, Sheet, Export, Import, Log, Help, Version };

struct Arguments {
    Command command = Command::Help;
    QString port;                     // read, write: a device, a by-id name, COM1-COM4 or auto
    QStringList ports;                // every --port given, port being the first
    QString output;                   // read
    QString outputDirectory;          // read: one file per radio, named by its device
    QString file;                     // write, show, diff; export's plan, import's list
    QString otherFile;                // diff of two files; export's list, import's plan
    QString band;                     // import; empty: the factory band
    bool renumber = false;            // import
    bool skipBadRows = false;         // import
    QString sheetPath;                // sheet: the PDF to write
    QString record;                   // sheet: the time of the write log line for the footer
    QString logPath;                  // write, log, sheet; empty: the default write log
    int last = 0;                     // log: the newest lines to print; 0: all
    bool backup = true;               // write
    bool verify = true;               // write
    QString backupDirectory;          // write; empty: the default folder
    std::optional<Language> language; // unset: the installed language
    QString tracePath;
    bool progress = false;
};

// The command line, program name first. Fails with a one-line reason.
Result<Arguments> parseArguments(const QStringList& arguments);
QString usageText();

} // namespace zev::cli
