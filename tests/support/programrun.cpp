#include "programrun.h"

#include <QProcess>

#include <sys/wait.h>
#include <unistd.h>

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

QProcessEnvironment cliEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        environment.remove(QLatin1String(variable));
    environment.insert(QStringLiteral("LC_MESSAGES"), QStringLiteral("C"));
    return environment;
}

ProgramRun runCli(const QStringList& arguments) {
    return runProgram(binaryPath(QStringLiteral("zev4800-cli")), arguments, cliEnvironment());
}

QString inChild(const std::function<QString()>& body) {
    int fds[2];
    if (pipe(fds) != 0)
        return QStringLiteral("<pipe failed>");
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const QByteArray out = body().toUtf8();
        const ssize_t written = write(fds[1], out.constData(), out.size());
        _exit(written == out.size() ? 0 : 1);
    }
    close(fds[1]);
    QByteArray result;
    char buffer[512];
    ssize_t got;
    while ((got = read(fds[0], buffer, sizeof buffer)) > 0)
        result.append(buffer, got);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return QStringLiteral("<child failed>");
    return QString::fromUtf8(result);
}

void showSanitizerReport(const QByteArray& errorOutput) {
    if (errorOutput.contains("runtime error:") || errorOutput.contains("Sanitizer"))
        qWarning("%s", errorOutput.constData());
}

} // namespace testsupport
