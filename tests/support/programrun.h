#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

// Running the built programs as separate processes.
namespace testsupport {

// A generous limit that only stops a broken run from hanging; nothing measures time with it.
constexpr int ProcessLimitMs = 10'000;

// The folder the build puts its programs and language packs in, with a final '/'.
QString binaryFolder();
// A program or file the build put there.
QString binaryPath(const QString& name);

struct ProgramRun {
    int exitCode = -1; // -1: it crashed or did not end in time
    QByteArray out;
    QByteArray err;
};

// Runs program to its end; a sanitizer report on its standard error shows in the test's output.
ProgramRun
runProgram(const QString& program, const QStringList& arguments,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
           const QString& workingDirectory = QString());

// The environment the tests run zev4800-cli in: the system's, but in English whatever language
// the test run's locale names (only LC_MESSAGES=C of the variables that choose its language).
QProcessEnvironment cliEnvironment();

// zev4800-cli with these arguments, in cliEnvironment().
ProgramRun runCli(const QStringList& arguments);

// Runs body in a forked child (for process limits or another user) and returns what it returned.
QString inChild(const std::function<QString()>& body);

// A sanitizer stops a process with its report on standard error, which the tests that read that
// channel would otherwise keep to themselves.
void showSanitizerReport(const QByteArray& errorOutput);

} // namespace testsupport
