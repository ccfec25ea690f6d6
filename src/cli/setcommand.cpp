// zev4800-cli set: many channels of a channel file changed at once.

#include "chanfile/channelfile.h"
#include "chanfile/plancompare.h"
#include "clicommands.h"
#include "clisupport.h"
#include "plan/frequency.h"
#include "plan/rowedit.h"
#include "plan/wording.h"
#include "textwidth.h"

#include <QCoreApplication>

namespace zev::cli {

namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("zev::cli::CommandLine", text);
}

// A number of the given unit in hertz; a sign only where signedValue is true.
Result<qint64> hertzOf(const QString& text, qint64 unit, bool signedValue, const char* option) {
    const std::optional<qint64> hertz = typedHertz(text, unit, signedValue);
    if (!hertz)
        return Status::failure(
            translated(QT_TRANSLATE_NOOP("zev::cli::CommandLine", "--%1 takes a number, not '%2'"))
                .arg(QLatin1String(option), text));
    return *hertz;
}

Result<RowSettings> rowSettings(const Arguments& arguments, const Words& words) {
    RowSettings settings;
    const auto tone = [&words](const QString& typed, std::optional<QString>& cell) -> Status {
        if (typed.isEmpty())
            return Status::success();
        const Result<QString> taken = toneCell(typed, words);
        if (!taken)
            return Status::failure(taken.message());
        cell = taken.value();
        return Status::success();
    };
    if (const Status status = tone(arguments.tone, settings.rxTone); !status)
        return status;
    settings.txTone = settings.rxTone;
    if (const Status status = tone(arguments.rxTone, settings.rxTone); !status)
        return status;
    if (const Status status = tone(arguments.txTone, settings.txTone); !status)
        return status;
    settings.highPower = arguments.highPower;
    settings.scanAdd = arguments.scanAdd;
    settings.busyLock = arguments.busyLock;
    return settings;
}

} // namespace

int runSet(const Arguments& arguments) {
    Wording wording;
    const Result<LoadedChannelFile> loaded = loadPlanFile(arguments, wording);
    if (!loaded)
        return fail(loaded.message());
    const Plan before = worded(loaded->plan, wording);

    const Result<RowSettings> settings = rowSettings(arguments, wording.words);
    if (!settings)
        return fail(translated(QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                                 "set refused, nothing was saved: %1"))
                        .arg(settings.message()));
    Plan after = withRowSettings(before, arguments.channels, settings.value(), wording.words);
    if (!arguments.frequency.isEmpty()) {
        FrequencyFill fill;
        const Result<qint64> start = hertzOf(arguments.frequency, HertzPerMHz, false, "frequency");
        const Result<qint64> step = hertzOf(arguments.step, 1000, false, "step");
        const Result<qint64> offset = arguments.offset.isEmpty()
                                          ? Result<qint64>(0)
                                          : hertzOf(arguments.offset, HertzPerMHz, true, "offset");
        for (const Result<qint64>* value : {&start, &step, &offset})
            if (!*value)
                return fail(translated(QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                                         "set refused, nothing was saved: %1"))
                                .arg(value->message()));
        fill = {start.value(), step.value(), offset.value()};
        const Result<Plan> filled = withFilledFrequencies(after, arguments.channels, fill,
                                                          wording.words, decimalSeparator());
        if (!filled)
            return fail(translated(QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                                     "set refused, nothing was saved: %1"))
                            .arg(filled.message()));
        after = filled.value();
    }

    const QString target = arguments.output.isEmpty() ? arguments.file : arguments.output;
    if (const Status saved = saveChannelFile(target, after, wording.selectorTexts(after.options));
        !saved)
        return fail(oneLine(saved.message()));
    QString text;
    for (const PlanDifference& difference : comparePlans(before, after))
        text += visibleText(describeChange(difference)) + QLatin1Char('\n');
    printText(text, stdout);
    return ExitSuccess;
}

} // namespace zev::cli
