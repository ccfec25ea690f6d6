#include "clicommands.h"

#include "app/inifile.h"
#include "app/programdirectory.h"
#include "app/settings.h"
#include "clisupport.h"
#include "interruption.h"
#include "jobs/connectioncheck.h"
#include "radio/portlist.h"

namespace zev::cli {

namespace {

// The port a --port names; without one the one USB serial adapter present, or else the port the
// window uses, so that a cable that has vanished is still looked for where it should be.
Result<QString> doctorDevice(const QString& name) {
    const IniFile settings(ProgramFiles::forThisRun().settingsFile());
    PortEnvironment environment;
    environment.comDevices = loadPortDevices(settings);
    environment.ports = presentPorts();
    if (!name.isEmpty())
        return resolvePortName(name, environment);
    if (const Result<QString> adapter = resolvePortName(QStringLiteral("auto"), environment))
        return adapter;
    return environment.comDevices[size_t(loadSettings(settings).port - 1)];
}

} // namespace

int runDoctor(const Arguments& arguments) {
    const Result<QString> device = doctorDevice(arguments.port);
    if (!device)
        return fail(device.message());
    CheckStop stop;
    const Interruption interruption([&stop] { stop.stop(); });
    const ConnectionCheck check = checkConnection(device.value(), &stop);
    printText(connectionCheckText(check).join(QLatin1Char('\n')) + QLatin1Char('\n'), stdout);
    return check.radioAnswered ? ExitSuccess : ExitFailure;
}

} // namespace zev::cli
