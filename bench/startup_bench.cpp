// Starts zev4800 headless several times and prints the median time from process start to the
// main window's first paint, and the resident memory once the program is idle.
#include "benchsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? QString(argv[1]).toInt() : 7;
    const QString binDir = QCoreApplication::applicationDirPath();

    // Run a copy of the program from its own folder so the benchmark never touches the
    // settings beside the real build.
    QTemporaryDir home;
    for (const char* name : {"zev4800", "chinese.qm", "english.qm", "install.Log"})
        QFile::copy(binDir + "/" + name, home.filePath(QString::fromLatin1(name)));

    QList<double> paintMs;
    QList<double> residentMiB;
    for (int run = 0; run < runs; ++run) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        program.start(home.filePath("zev4800"), {"--report-startup"});
        bool painted = false;
        while (!painted && program.waitForReadyRead(10000))
            painted = program.readAll().contains("first-paint");
        if (!painted) {
            std::fprintf(stderr, "run %d: no first paint: %s\n", run + 1,
                         program.readAllStandardError().constData());
            return 1;
        }
        paintMs << clock.nsecsElapsed() / 1e6;
        QThread::msleep(1000);
        QCoreApplication::processEvents();
        residentMiB << bench::residentMiB(program.processId());
        program.terminate();
        program.waitForFinished(5000);
    }
    std::printf("zev4800 start-up over %d runs (headless)\n", runs);
    std::printf("  first paint, median: %7.1f ms   (target <= 150 ms)\n", bench::median(paintMs));
    std::printf("  resident when idle, median: %5.1f MiB (target <= 60 MB)\n",
                bench::median(residentMiB));
    return 0;
}
