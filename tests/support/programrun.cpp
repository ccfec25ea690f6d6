#include "programrun.h"

#include <QProcess>

namespace testsupport {

QString binaryFolder() {
    return qEnvironmentVariable("ZEV_BIN_DIR") + QLatin1Char('/');
}

QString binaryPath(const QString& name) {
    return binaryFolder() + name;
}

ProgramRun runProgram(const QString& program, const QStringList& arguments,
                      const QProcessEnvironment& environment, const QString& workingDirectory) {
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(program, arguments);
    ProgramRun run;
    // A whole radio session at the line's pace fits well inside a minute.
    if (!process.waitForFinished(60'000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    showSanitizerReport(run.err);
    return run;
}

ProgramRun runCli(const QStringList& arguments) {
    return runProgram(binaryPath(QStringLiteral("zev4800-cli")), arguments);
}

void showSanitizerReport(const QByteArray& errorOutput) {
    if (errorOutput.contains("runtime error:") || errorOutput.contains("Sanitizer"))
        qWarning("%s", errorOutput.constData());
}

} // namespace testsupport
