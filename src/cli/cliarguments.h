#pragma once

#include "app/language.h"
#include "status.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace zev::cli {

enum class Command { Read, Write, Show, Diff, Ports, Sheet, Help, Version };

struct Arguments {
    Command command = Command::Help;
    QString port;                     // read, write: a device, a by-id name, COM1-COM4 or auto
    QString output;                   // read
    QString file;                     // write, show, diff
    QString otherFile;                // diff of two files
    QString sheetPath;                // sheet: the PDF to write
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
