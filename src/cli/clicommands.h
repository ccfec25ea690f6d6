#pragma once

#include "cliarguments.h"

namespace zev::cli {

constexpr int ExitSuccess = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

// Each runs one command to its end and returns the exit status; messages go to stderr as
// "zev4800-cli: ..." lines, the table of show to stdout.
int runRead(const Arguments& arguments);
int runWrite(const Arguments& arguments);
// The master radio read (its plan kept like a backup), then written to every target at once.
int runClone(const Arguments& arguments);
int runShow(const Arguments& arguments);
int runSheet(const Arguments& arguments); // needs a QGuiApplication
// Exit status as diff's: 0 equal, 1 different, 2 an error.
int runDiff(const Arguments& arguments);
int runPorts(const Arguments& arguments);
// What stands between the user and the radio, a line for each check; 0 only when it answered.
int runDoctor(const Arguments& arguments);
// A channel file's used channels as a CSV channel list, and a channel file made from one.
int runExport(const Arguments& arguments);
int runImport(const Arguments& arguments);
// Tones, power, flags or frequencies set on many channels of a channel file at once.
int runSet(const Arguments& arguments);
// The stock lists, or a channel file or CSV channel list made from one.
int runStock(const Arguments& arguments);
// The write log as a table on stdout; its damaged lines named on stderr.
int runLog(const Arguments& arguments);

// A line on stderr, prefixed with the program name.
void printError(const QString& message);

} // namespace zev::cli
