#include "startupoptions.h"

#include <QCommandLineParser>

namespace zev {

namespace {

const QString portOption = QStringLiteral("port");
const QString serviceOption = QStringLiteral("service");
const QString screenshotOption = QStringLiteral("screenshot");
const QString reportOption = QStringLiteral("report-startup");

Status addPortDevice(const QString& value, std::map<int, QString>& devices) {
    const qsizetype equals = value.indexOf(QLatin1Char('='));
    bool isNumber = false;
    const int number = equals > 0 ? value.left(equals).toInt(&isNumber) : 0;
    const QString device = equals > 0 ? value.mid(equals + 1) : QString();
    if (!isNumber || number < 1 || number > 4 || device.isEmpty())
        return Status::failure(
            QStringLiteral("--port %1: expected N=DEVICE with N from 1 to 4, for example "
                           "--port 1=/dev/ttyACM0")
                .arg(value));
    devices[number] = device;
    return Status::success();
}

} // namespace

Result<StartupOptions> parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption({portOption, QString(), QStringLiteral("N=DEVICE")});
    parser.addOption({serviceOption, QString()});
    parser.addOption({screenshotOption, QString(), QStringLiteral("FILE")});
    parser.addOption({reportOption, QString()});
    if (!parser.parse(arguments))
        return Status::failure(parser.errorText());
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return Status::failure(QStringLiteral("Unexpected argument: %1").arg(files.at(1)));

    StartupOptions options;
    options.serviceMode = parser.isSet(serviceOption);
    options.reportStartup = parser.isSet(reportOption);
    options.screenshotFile = parser.value(screenshotOption);
    options.channelFile = files.value(0);
    for (const QString& value : parser.values(portOption)) {
        if (Status status = addPortDevice(value, options.portDevices); !status)
            return status;
    }
    return options;
}

QString commandLineHelp() {
    return QStringLiteral(
        "Usage: zev4800 [options] [FILE.z81]\n"
        "Programming tool for the RH-4800 handheld radio.\n"
        "\n"
        "Options:\n"
        "  --port N=DEVICE    use DEVICE for COMN (N = 1 to 4) in this run; repeatable.\n"
        "                     Without it, keys com1..com4 of section [ports] in myini.ini,\n"
        "                     else /dev/ttyUSB0 to /dev/ttyUSB3.\n"
        "  --service          enable Power adjust.\n"
        "  --screenshot FILE  save a picture of the main window to FILE (PNG) and quit.\n"
        "  --report-startup   print \"first-paint\" when the main window is first painted.\n"
        "  -h, --help         show this help.\n"
        "FILE.z81 is a channel file to open at start.\n");
}

} // namespace zev
