#include "app/programdirectory.h"
#include "app/translations.h"
#include "cliarguments.h"
#include "clicommands.h"
#include "clilanguage.h"
#include "clitext.h"
#include "completions.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QProcessEnvironment>

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

    // The shell completions the build installs, made from the command table; not a command of
    // the help: `completions bash|zsh|fish [FILE]`.
    if ((rawArguments.size() == 3 || rawArguments.size() == 4) &&
        rawArguments.at(1) == QLatin1String("completions"))
        if (const std::optional<cli::Shell> shell = cli::shellNamed(rawArguments.at(2))) {
            QFile output;
            bool opened = false;
            if (rawArguments.size() == 4) {
                output.setFileName(rawArguments.at(3));
                opened = output.open(QIODevice::WriteOnly | QIODevice::Truncate);
            } else {
                opened = output.open(stdout, QIODevice::WriteOnly);
            }
            if (!opened || output.write(cli::completionScript(*shell).toUtf8()) < 0) {
                cli::printError(output.errorString());
                return cli::ExitFailure;
            }
            return cli::ExitSuccess;
        }

    // Help, messages, tables and the plan's words in one language: --lang, else the
    // environment's, else the installed one. Even a refused command line is refused in it.
    // (--help stands for the whole command line, so the parser keeps no --lang beside it.)
    std::optional<Language> requested =
        early && early->language ? early->language : cli::languageOption(rawArguments);
    if (!requested)
        requested = cli::environmentLanguage(QProcessEnvironment::systemEnvironment());
    const Language language = cli::chooseLanguage(requested).language;
    Translations translations;
    translations.install(ProgramFiles::forThisRun().folderOf(messagesFileName(packName(language))),
                         language);

    Result<cli::Arguments> parsed = cli::parseArguments(app.arguments());
    if (!parsed) {
        cli::printError(cli::CliText::tr("%1 (try 'zev4800-cli --help')").arg(parsed.message()));
        return cli::ExitUsage;
    }
    cli::Arguments arguments = parsed.value();
    arguments.language = requested;
    switch (arguments.command) {
    case cli::Command::Help:
        std::fputs(qPrintable(cli::usageText()), stdout);
        return cli::ExitSuccess;
    case cli::Command::Version:
        std::printf("zev4800-cli %s\n", ZEV_VERSION);
        return cli::ExitSuccess;
    case cli::Command::Read:
        return cli::runRead(arguments);
    case cli::Command::Write:
        return cli::runWrite(arguments);
    case cli::Command::Clone:
        return cli::runClone(arguments);
    case cli::Command::Show:
        return cli::runShow(arguments);
    case cli::Command::Diff:
        return cli::runDiff(arguments);
    case cli::Command::Ports:
        return cli::runPorts(arguments);
    case cli::Command::Doctor:
        return cli::runDoctor(arguments);
    case cli::Command::Sheet:
        return cli::runSheet(arguments);
    case cli::Command::Export:
        return cli::runExport(arguments);
    case cli::Command::Import:
        return cli::runImport(arguments);
    case cli::Command::Set:
        return cli::runSet(arguments);
    case cli::Command::Stock:
        return cli::runStock(arguments);
    case cli::Command::Log:
        return cli::runLog(arguments);
    }
    return cli::ExitUsage;
}
