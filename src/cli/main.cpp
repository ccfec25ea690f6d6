#include "cliarguments.h"
#include "clicommands.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

using namespace zev;

int main(int argc, char* argv[]) {
    // The sheet lays out text and so needs fonts, which only a GUI application has; it needs no
    // screen, so it runs on the offscreen platform unless told otherwise.
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments.append(QString::fromLocal8Bit(argv[i]));
    const Result<cli::Arguments> early = cli::parseArguments(rawArguments);
    const bool drawsSheet = early && early->command == cli::Command::Sheet;
    if (drawsSheet && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> application =
        drawsSheet ? std::make_unique<QGuiApplication>(argc, argv)
                   : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication& app = *application;
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
    case cli::Command::Clone:
        return cli::runClone(arguments.value());
    case cli::Command::Show:
        return cli::runShow(arguments.value());
    case cli::Command::Diff:
        return cli::runDiff(arguments.value());
    case cli::Command::Ports:
        return cli::runPorts();
    case cli::Command::Doctor:
        return cli::runDoctor(arguments.value());
    case cli::Command::Sheet:
        return cli::runSheet(arguments.value());
    case cli::Command::Export:
        return cli::runExport(arguments.value());
    case cli::Command::Import:
        return cli::runImport(arguments.value());
    case cli::Command::Set:
        return cli::runSet(arguments.value());
    case cli::Command::Stock:
        return cli::runStock(arguments.value());
    case cli::Command::Log:
        return cli::runLog(arguments.value());
    }
    return cli::ExitUsage;
}
