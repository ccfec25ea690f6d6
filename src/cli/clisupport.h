#pragma once

#include "app/language.h"
#include "chanfile/channelfile.h"
#include "cliarguments.h"
#include "jobs/writejob.h"
#include "jobs/writelog.h"
#include "radio/session.h"
#include "status.h"

#include <QString>

#include <array>
#include <cstdio>

// What the commands share: the language, the port a --port names, and how they report.
namespace zev::cli {

// The wording of the chosen language, with its notes printed; the language chosen.
Language prepare(const Arguments& arguments, Wording& wording);
// prepare, then the channel file of the arguments as it was read; the failure in one line.
// worded() gives its plan as the window would show it.
[[nodiscard]] Result<LoadedChannelFile> loadPlanFile(const Arguments& arguments, Wording& wording);
// The message on stderr; the exit status of a failure.
int fail(const QString& message);
QString oneLine(const QString& text);
// One warning on stderr for each channel outside the band, as describeOutOfBand words it.
void warnOutsideBand(const QString& band, const QStringList& channels);
// Written by length, never as a C string: nothing in a text can end it early.
void printText(const QString& text, std::FILE* stream);

// COM1 to COM4 as the window's settings map them.
std::array<QString, 4> settingsPortDevices();
// The device a --port names, if it can be opened now.
Result<QString> resolveRadioPort(const QString& name);

// Why a session did not succeed, for the one line on stderr: failed with the reason for its %1
// ("read failed: %1"), then what to check; a stop by Ctrl-C says what it left behind.
QString sessionFailure(const QString& failed, const SessionResult& result);
// The one message of a write job that did not succeed.
QString writeFailure(const WriteJobResult& result);
// The write job the switches ask for, on the radio behind device (as --port named it).
WriteJobSettings writeJobSettings(const Arguments& arguments, const QString& device);
// What a phase of the write job does, for its line of progress.
QString phaseActivity(WritePhase phase);

// The write log that --log names, or the default one.
QString writeLogPath(const Arguments& arguments);
// The plan of the arguments' channel file as the write log names it.
LoggedPlan loggedPlanOf(const Arguments& arguments, const Plan& plan, const Wording& wording);
// Adds the record to the write log. The write stands whatever happens to its line: a log that
// cannot be written gives the warning to show, otherwise the result is empty.
QString logWrite(const QString& logPath, const std::optional<WriteRecord>& record);

} // namespace zev::cli
