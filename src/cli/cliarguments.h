#pragma once

#include "app/language.h"
#include "status.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace zev::cli {

enum class Command {
    Read,
    Write,
    Clone,
    Show,
    Diff,
    Ports,
    Doctor,
    Sheet,
    Export,
    Import,
    Set,
    Stock,
    Log,
    Help,
    Version
};

struct Arguments {
    Command command = Command::Help;
    QString port;                     // read, write: a device, a by-id name, COM1-COM4 or auto
    QStringList ports;                // every --port given (clone: --to), port being the first
    QString fromPort;                 // clone: the master radio
    QString output;                   // read
    QString outputDirectory;          // read: one file per radio, named by its device
    QString file;                     // write, show, diff; export's plan, import's list
    QString otherFile;                // diff of two files; export's list, import's and stock's plan
    QString stockList;                // stock: the list's name; empty: list them all
    std::optional<int> firstEntry;    // stock: the list's entry that becomes channel 1
    QString band;                     // import, stock; empty: the factory band
    bool renumber = false;            // import
    bool skipBadRows = false;         // import
    QString sheetPath;                // sheet: the PDF to write
    QString record;                   // sheet: the time of the write log line for the footer
    QString logPath;                  // write, log, sheet; empty: the default write log
    int last = 0;                     // log: the newest lines to print; 0: all
    bool backup = true;               // write
    bool verify = true;               // write
    QString backupDirectory;          // write; empty: the default folder
    std::optional<Language> language; // --lang, else the environment's; unset: the installed one
    QString tracePath;
    bool progress = false;
    bool json = false; // show, diff, ports, log, read, write, clone: a JSON document on stdout
    // set: the channels and what to set on them
    QList<int> channels;
    QString tone; // RX and TX alike
    QString rxTone;
    QString txTone;
    std::optional<bool> highPower;
    std::optional<bool> scanAdd;
    std::optional<bool> busyLock;
    QString frequency; // the first channel's; with step
    QString step;      // kHz
    QString offset;    // TX offset in MHz, signed
};

// The command line, program name first. Fails with a one-line reason.
Result<Arguments> parseArguments(const QStringList& arguments);
QString usageText();
// What the last --lang of a command line asks for, even of one the parser refuses, so that the
// refusal speaks that language; nullopt when there is none that names a language.
std::optional<Language> languageOption(const QStringList& arguments);

} // namespace zev::cli
