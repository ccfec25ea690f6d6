#include "hostoptions.h"
#include "ptyhost.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>
#include <pthread.h>

using namespace zev;

namespace {

void printError(const QString& message) {
    std::fprintf(stderr, "rh4800-sim: %s\n", qPrintable(message));
}

} // namespace

int main(int argc, char* argv[]) {
    // The host takes SIGTERM and SIGINT through a signalfd; they are blocked before anything
    // could start a thread that would receive them instead.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    // An ignored signal never reaches the signalfd; a shell starts background jobs ignoring SIGINT.
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGPIPE, SIG_IGN);

    QCoreApplication app(argc, argv);
    const Result<sim::HostOptions> options = sim::parseHostOptions(app.arguments());
    if (!options) {
        printError(options.message() + QStringLiteral(" Try --help."));
        return 2;
    }
    if (options->helpRequested) {
        std::fputs(qPrintable(sim::hostHelpText()), stdout);
        return 0;
    }

    sim::PtyHost host(options.value());
    if (const Status opened = host.open(); !opened) {
        printError(opened.message());
        return 1;
    }
    // The first line is the terminal for the programmer to open.
    std::printf("%s\n", qPrintable(host.terminalPath()));
    std::fflush(stdout);

    const Status ran = host.run();
    const Status closed = host.close();
    for (const Status* status : {&ran, &closed}) {
        if (!status->ok())
            printError(status->message());
    }
    return ran.ok() && closed.ok() ? 0 : 1;
}
