#include "mainwindow.h"
#include "startupoptions.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>

namespace {

bool asksForHelp(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--help" || argument == "-help" || argument == "-h")
            return true;
    }
    return false;
}

// Without a display Qt would stop with a platform plugin error that tells a user little.
bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void printLine(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char* argv[]) {
    if (asksForHelp(argc, argv)) {
        std::fputs(zev::commandLineHelp().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!hasDisplay()) {
        printLine(stderr, QStringLiteral("zev4800 needs a graphical display; run it on a desktop, "
                                         "or under a virtual display with: xvfb-run "
                                         "./build/bin/zev4800"));
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZEV4800"));
    // The desktop file's name lets Wayland desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zev4800.ZEV4800"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zev4800.svg")));
    // Qt has taken its own options (-platform, -style, ...) out of the arguments by now.
    const zev::Result<zev::StartupOptions> options = zev::parseCommandLine(app.arguments());
    if (!options) {
        printLine(stderr,
                  QStringLiteral("zev4800: %1\nTry 'zev4800 --help'.").arg(options.message()));
        return 2;
    }

    zev::MainWindow window(options.value());
    QObject::connect(&window, &zev::MainWindow::firstPainted, &window, [&] {
        if (options->reportStartup)
            printLine(stdout, QStringLiteral("first-paint"));
        if (!options->screenshotFile.isEmpty()) {
            // Once the paint in progress is done, so the picture shows the finished window.
            QTimer::singleShot(0, &window, [&] {
                const bool saved = window.grab().save(options->screenshotFile, "PNG");
                if (!saved)
                    printLine(stderr, QStringLiteral("zev4800: cannot write the screenshot %1")
                                          .arg(options->screenshotFile));
                app.exit(saved ? 0 : 1);
            });
        }
    });
    window.show();
    const int exitCode = app.exec();
    // Closing the window wrote the settings; a run that ended with it open (the screenshot) has
    // not yet.
    if (window.isVisible())
        window.writeSettings();
    return exitCode;
}
