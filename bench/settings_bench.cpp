// Times loading and saving the settings with a 1,000-model list in a settings file of about
// 1 MB, most of it lines the program does not know and must keep.
#include "app/settings.h"
#include "benchsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

QByteArray largeSettingsFile(int modelCount) {
    QByteArray bytes("; kept by hand\r\n[open]\r\ncom=2\r\n[history]\r\n");
    for (int line = 0; bytes.size() < 1000 * 1000; ++line)
        bytes += "entry" + QByteArray::number(line) + '=' + QByteArray(90, 'x') + "\r\n";
    bytes += "[list1]\r\nlistnow=3\r\nlistcount=" + QByteArray::number(modelCount - 1) + "\r\n";
    for (int index = 0; index < modelCount; ++index)
        bytes += "combo" + QByteArray::number(index) + "=400-470MHz\r\n";
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? QString(argv[1]).toInt() : 5;
    const int modelCount = 1000;
    QTemporaryDir work;
    const QString path = work.filePath(zev::settingsFileName());
    const QByteArray original = largeSettingsFile(modelCount);

    QList<double> loads;
    QList<double> saves;
    for (int run = 0; run < runs; ++run) {
        if (!writeFile(path, original)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        zev::IniFile file(path);
        QElapsedTimer clock;
        clock.start();
        zev::AppSettings settings = zev::loadSettings(file);
        loads.append(clock.nsecsElapsed() / 1e9);
        if (settings.bands.size() != modelCount) {
            std::fprintf(stderr, "loaded %lld bands, not %d\n",
                         static_cast<long long>(settings.bands.size()), modelCount);
            return 1;
        }
        settings.bands.append(QStringLiteral("136-174MHz")); // one key more than the file has
        clock.restart();
        const zev::Status saved = zev::saveSettings(file, settings);
        saves.append(clock.nsecsElapsed() / 1e9);
        if (!saved) {
            std::fprintf(stderr, "%s\n", qPrintable(saved.message()));
            return 1;
        }
    }
    std::printf("settings, %d bands in a %.2f MB file, median of %d\n", modelCount,
                original.size() / 1e6, runs);
    std::printf("  load: %7.4f s\n", bench::median(loads));
    std::printf("  save: %7.4f s\n", bench::median(saves));
    return 0;
}
