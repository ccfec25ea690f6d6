#pragma once

#include "status.h"

#include <QString>
#include <QStringList>

#include <map>

namespace zev {

// How one run of zev4800 was asked to start.
struct StartupOptions {
    QString programDirectory;           // empty: the folder of the program file
    std::map<int, QString> portDevices; // --port N=DEVICE, for this run only
    bool serviceMode = false;           // --service: Power adjust can be chosen
    QString screenshotFile;             // --screenshot FILE
    bool reportStartup = false;         // --report-startup
    QString channelFile;                // a .z81 file to open once the window is shown
};

// arguments as QCoreApplication::arguments() gives them, the program name first.
Result<StartupOptions> parseCommandLine(const QStringList& arguments);
QString commandLineHelp();

} // namespace zev
