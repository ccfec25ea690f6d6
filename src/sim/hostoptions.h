#pragma once

#include "sim/simulator.h"
#include "status.h"

#include <QString>
#include <QStringList>

namespace zev::sim {

struct HostOptions {
    enum class StartImage { Factory, Demo, Erased };

    QString imagePath; // loaded when it exists, saved after every stored write and at exit
    QString linkPath;  // symbolic link to the pty, removed at exit
    QString tracePath;
    StartImage startImage = StartImage::Factory;
    int baud = 9600; // 0: no pacing
    int latencyMs = 0;
    // Longer than any pause inside a working session (every wait ends at the reply), shorter
    // than the programmer's entry retries, so a session a failure left open never locks the
    // radio out. 0: a session never times out.
    int sessionTimeoutMs = 1000;
    SimulatorFaults faults;
    bool helpRequested = false;
};

// The command line, program name first. Fails with a message naming the bad option.
Result<HostOptions> parseHostOptions(const QStringList& arguments);
QString hostHelpText();

} // namespace zev::sim
