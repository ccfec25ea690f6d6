#include "hostoptions.h"

#include "radio/memoryimage.h"

#include <QCommandLineParser>

namespace zev::sim {

namespace {

struct NumberOption {
    const char* name;
    const char* valueName;
    const char* description;
};

const NumberOption BaudOption = {"baud", "N",
                                 "Line rate for pacing both directions, 10 bits a byte "
                                 "(default 9600); 0 turns pacing off."};
const NumberOption LatencyOption = {"latency", "MS", "Turnaround added before every reply."};
const NumberOption SessionTimeoutOption = {
    "session-timeout", "MS",
    "Quiet time after which the radio drops a session and waits for a new entry frame "
    "(default 1000); 0: never."};
const NumberOption NoAnswerOption = {"no-answer-at", "K",
                                     "The K-th frame (from 1, entry frames included) is lost: "
                                     "neither acted on nor answered."};
const NumberOption WrongByteOption = {"wrong-byte-at", "K",
                                      "The answer to the K-th frame has its first byte inverted."};
const NumberOption HangUpOption = {"hang-up-after", "K",
                                   "After K frames the radio goes dead for good."};
const NumberOption ReplyDelayOption = {"reply-delay", "MS",
                                       "Every answer comes this late (a fault of the radio)."};

const NumberOption numberOptions[] = {BaudOption,      LatencyOption,   SessionTimeoutOption,
                                      NoAnswerOption,  WrongByteOption, HangUpOption,
                                      ReplyDelayOption};

const char* const Description =
    "Simulates an RH-4800 radio on its programming cable: a pseudo-terminal that answers the\n"
    "programming protocol over a 1024-byte memory image. The first line printed is the\n"
    "terminal's path. Runs until SIGTERM or SIGINT, then saves the image and exits.\n"
    "\n"
    "The memory image starts as a factory radio (band 136-174MHz, default options, no\n"
    "channels) unless --image names an existing file, --demo or --erased.\n"
    "\n"
    "Trace lines: elapsed milliseconds, a direction (\">\" to the radio, \"<\" from it) and the\n"
    "bytes in hex; \"> ... skipped\" marks bytes that start no frame, \"#\" lines are notes.";

void setUp(QCommandLineParser& parser) {
    parser.setApplicationDescription(QString::fromLatin1(Description));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addOption({"image",
                      "Raw 1024-byte memory image: loaded if it exists, saved after "
                      "every stored write and at exit.",
                      "FILE"});
    parser.addOption({"demo", "Start from a demo image with a few channels."});
    parser.addOption({"erased", "Start from erased memory (every byte 0xFF)."});
    parser.addOption(
        {"link", "Make a symbolic link to the terminal here (removed at exit).", "PATH"});
    parser.addOption({"trace", "Write a trace of every frame and reply to FILE.", "FILE"});
    parser.addOption({"silent", "The radio never answers."});
    parser.addOption({"wrong-id", "The radio answers the entry frame with a wrong "
                                  "identification."});
    parser.addOption({"store-nothing", "The radio acknowledges every write and stores none."});
    parser.addOption({"corrupt-store",
                      "A write that covers memory address ADDR (decimal, or hex with 0x) "
                      "stores that byte inverted.",
                      "ADDR"});
    for (const NumberOption& option : numberOptions)
        parser.addOption({QString::fromLatin1(option.name), QString::fromLatin1(option.description),
                          QString::fromLatin1(option.valueName)});
}

Result<int> number(const QCommandLineParser& parser, const NumberOption& option, int fallback) {
    const QString name = QString::fromLatin1(option.name);
    if (!parser.isSet(name))
        return fallback;
    const QString text = parser.value(name);
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0)
        return Status::failure(
            QStringLiteral("--%1: \"%2\" is not a whole number of 0 or more.").arg(name, text));
    return value;
}

} // namespace

Result<HostOptions> parseHostOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    setUp(parser);
    if (!parser.parse(arguments))
        return Status::failure(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return Status::failure(QStringLiteral("Unexpected argument \"%1\".")
                                   .arg(parser.positionalArguments().constFirst()));
    HostOptions options;
    if (parser.isSet(QStringLiteral("help"))) {
        options.helpRequested = true;
        return options;
    }
    if (parser.isSet(QStringLiteral("demo")) && parser.isSet(QStringLiteral("erased")))
        return Status::failure(QStringLiteral("--demo and --erased exclude each other."));
    options.imagePath = parser.value(QStringLiteral("image"));
    options.linkPath = parser.value(QStringLiteral("link"));
    options.tracePath = parser.value(QStringLiteral("trace"));
    if (parser.isSet(QStringLiteral("demo")))
        options.startImage = HostOptions::StartImage::Demo;
    if (parser.isSet(QStringLiteral("erased")))
        options.startImage = HostOptions::StartImage::Erased;
    options.faults.silent = parser.isSet(QStringLiteral("silent"));
    options.faults.wrongIdentification = parser.isSet(QStringLiteral("wrong-id"));
    options.faults.storeNothing = parser.isSet(QStringLiteral("store-nothing"));
    if (parser.isSet(QStringLiteral("corrupt-store"))) {
        const QString text = parser.value(QStringLiteral("corrupt-store"));
        bool ok = false;
        const int address = text.toInt(&ok, 0);
        if (!ok || address < 0 || address >= MemoryImage::Size)
            return Status::failure(
                QStringLiteral("--corrupt-store: \"%1\" is not a memory address (0 to 0x3FF).")
                    .arg(text));
        options.faults.corruptStoreAt = address;
    }

    const struct {
        const NumberOption& option;
        int& target;
    } numbers[] = {{BaudOption, options.baud},
                   {LatencyOption, options.latencyMs},
                   {SessionTimeoutOption, options.sessionTimeoutMs},
                   {NoAnswerOption, options.faults.noAnswerAtFrame},
                   {WrongByteOption, options.faults.wrongByteAtFrame},
                   {HangUpOption, options.faults.hangUpAfterFrames},
                   {ReplyDelayOption, options.faults.replyDelayMs}};
    for (const auto& entry : numbers) {
        const Result<int> value = number(parser, entry.option, entry.target);
        if (!value)
            return Status::failure(value.message());
        entry.target = value.value();
    }
    return options;
}

QString hostHelpText() {
    QCommandLineParser parser;
    setUp(parser);
    return parser.helpText();
}

} // namespace zev::sim
