#include "cliarguments.h"
#include "clicommands.h"

#include <QCoreApplication>

#include <cstdio>

using namespace zev;

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zev4800-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEV_VERSION));

    const Result<cli::Arguments> arguments = cli::parseArguments(app.arguments());
    if (!arguments) {
        cli::printError(arguments.message() + QStringLiteral(" (try 'zev4800-cli --help')"));
        return cli::ExitUsage;
    }
    switch (arguments->command) {
    case cli::Command::Help:
        std::fputs(qPrintable(cli::usageText()), stdout);
        return cli::ExitSuccess;
    case cli::Command::Version:
        std::printf("zev4800-cli %s\n", ZEV_VERSION);
        return cli::ExitSuccess;
    case cli::Command::Read:
        return cli::runRead(arguments.value());
    case cli::Command::Write:
        return cli::runWrite(arguments.value());
    case cli::Command::Show:
        return cli::runShow(arguments.value());
    case cli::Command::Diff:
        return cli::runDiff(arguments.value());
    case cli::Command::Ports:
        return cli::runPorts();
    }
    return cli::ExitUsage;
}
