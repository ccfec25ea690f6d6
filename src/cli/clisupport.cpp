#include "clisupport.h"

#include "app/inifile.h"
#include "app/programdirectory.h"
#include "app/settings.h"
#include "chanfile/channelfile.h"
#include "chanfile/plancompare.h"
#include "clicommands.h"
#include "clilanguage.h"
#include "clitext.h"
#include "jobs/writeadvice.h"
#include "plan/plan.h"
#include "plan/wording.h"
#include "radio/failureadvice.h"
#include "radio/portdiagnosis.h"
#include "radio/portlist.h"
#include "radio/portprobe.h"
#include "textwidth.h"

#include <QFileInfo>

#include <array>
#include <cstdio>

namespace zev::cli {

// The wording of the chosen language, with its notes printed.
Language prepare(const Arguments& arguments, Wording& wording) {
    const LanguageChoice choice = applyLanguage(arguments.language, wording);
    for (const QString& note : choice.notes)
        printError(note);
    return choice.language;
}

Result<LoadedChannelFile> loadPlanFile(const Arguments& arguments, Wording& wording) {
    prepare(arguments, wording);
    Result<LoadedChannelFile> opened = readChannelFile(arguments.file);
    if (!opened)
        return Status::failure(oneLine(opened.message()));
    return opened;
}

int fail(const QString& message) {
    printError(message);
    return ExitFailure;
}

QString oneLine(const QString& text) {
    return QString(text).replace(QLatin1Char('\n'), QStringLiteral("; "));
}

void warnOutsideBand(const QString& band, const QStringList& channels) {
    for (const QString& channel : channels)
        printError(CliText::tr("warning: %1 (outside the band %2)").arg(channel, band));
}

std::array<QString, 4> settingsPortDevices() {
    return loadPortDevices(IniFile(ProgramFiles::forThisRun().settingsFile()));
}

// The device a --port names, if it can be opened now.
Result<QString> resolveRadioPort(const QString& name) {
    PortEnvironment environment;
    environment.comDevices = settingsPortDevices();
    if (name.compare(QLatin1String("auto"), Qt::CaseInsensitive) == 0)
        environment.ports = presentPorts();
    const Result<QString> device = resolvePortName(name, environment);
    if (!device)
        return Status::failure(device.message());
    // The same check as the window's before it opens a radio dialog.
    if (const PortDiagnosis diagnosis = diagnosePort(device.value());
        diagnosis.outcome != ProbeOutcome::Free)
        return Status::failure(portProblemText(diagnosis));
    return device.value();
}

// Why a session did not succeed, for the one line on stderr; a stop by Ctrl-C says what it
// left behind.
namespace {

// What to check, on a line of its own below the failure.
QString withCheck(const SessionResult& result) {
    const QString check = whatToCheck(result);
    return check.isEmpty() ? QString() : QLatin1Char('\n') + check;
}

} // namespace

QString sessionFailure(const QString& failed, const SessionResult& result) {
    if (result.outcome == SessionOutcome::Cancelled)
        return CliText::tr("interrupted: %1").arg(oneLine(result.reason));
    return failed.arg(oneLine(result.reason)) + withCheck(result);
}

// Written by length, never as a C string: nothing in a text can end it early.
void printText(const QString& text, std::FILE* stream) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

void printError(const QString& message) {
    QStringList lines = message.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = visibleText(line);
    printText(QStringLiteral("zev4800-cli: ") + lines.join(QLatin1Char('\n')) + QLatin1Char('\n'),
              stderr);
}

// The one message of a write job that did not succeed.
QString writeFailure(const WriteJobResult& result) {
    const auto writeSessionFailure = [&result] {
        return QStringList(
                   QStringList{sessionFailure(CliText::tr("write failed: %1"), result.session)} +
                   partialWriteAdvice(result))
            .join(QLatin1Char('\n'));
    };
    if (result.session.outcome == SessionOutcome::Cancelled)
        return writeSessionFailure();
    switch (result.phase) {
    case WritePhase::Backup:
        return CliText::tr("write failed: the radio's plan could not be backed up, so nothing was "
                           "written: %1 (--no-backup writes without a backup)")
                   .arg(oneLine(result.session.reason)) +
               withCheck(result.session);
    case WritePhase::Write:
        break;
    case WritePhase::Verify:
        if (!result.mismatches.isEmpty())
            return CliText::tr("write failed: the radio does not hold what was written:") +
                   QLatin1Char('\n') +
                   describeByteMismatches(result.mismatches, ShownDifferences)
                       .join(QLatin1Char('\n'));
        return CliText::tr("write done, but the radio could not be read back to check it: %1")
                   .arg(oneLine(result.session.reason)) +
               withCheck(result.session);
    }
    return writeSessionFailure();
}

WriteJobSettings writeJobSettings(const Arguments& arguments, const QString& device) {
    WriteJobSettings settings;
    settings.backup = arguments.backup;
    settings.verify = arguments.verify;
    settings.backupDirectory = arguments.backupDirectory;
    settings.device = device;
    return settings;
}

QString phaseActivity(WritePhase phase) {
    switch (phase) {
    case WritePhase::Backup:
        return CliText::tr("backing up");
    case WritePhase::Write:
        return CliText::tr("writing");
    case WritePhase::Verify:
        return CliText::tr("verifying");
    }
    return {};
}

QString writeLogPath(const Arguments& arguments) {
    return arguments.logPath.isEmpty() ? writelog::defaultPath() : arguments.logPath;
}

LoggedPlan loggedPlanOf(const Arguments& arguments, const Plan& plan, const Wording& wording) {
    // Absolute: the log is read from anywhere, the window's history too.
    return writelog::loggedPlan(plan, wording, QFileInfo(arguments.file).absoluteFilePath());
}

QString logWrite(const QString& logPath, const std::optional<WriteRecord>& record) {
    if (!record)
        return QString();
    const Status logged = writelog::append(logPath, *record);
    return logged ? QString() : CliText::tr("warning: %1").arg(oneLine(logged.message()));
}

} // namespace zev::cli
