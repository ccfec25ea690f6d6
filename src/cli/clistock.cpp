#include "clicommands.h"

#include "chanfile/channelcsv.h"
#include "chanfile/channelfile.h"
#include "chanfile/channellistfile.h"
#include "clisupport.h"
#include "clitext.h"
#include "plan/band.h"
#include "plan/frequency.h"
#include "plan/stocklists.h"
#include "plan/wording.h"
#include "textwidth.h"

#include <QStringList>

namespace zev::cli {

namespace {

int refuse(const QString& message) {
    printError(message);
    return ExitUsage;
}

// A frequency of the listing as a plan would hold it.
QString planText(qint64 hertz) {
    const Result<ListedFrequency> frequency = listedFrequency(hertz, decimalSeparator());
    return frequency ? frequency->cell : formatMhz(hertz);
}

QString listing(const QString& band) {
    const BandEdges edges = parseBand(band).value_or(BandEdges{});
    QList<QStringList> rows = {{CliText::tr("NAME"), CliText::tr("LIST"), CliText::tr("REGION"),
                                CliText::tr("MHz"), CliText::tr("CHANNELS"),
                                CliText::tr("IN %1").arg(band)}};
    for (const StockList& list : stockLists()) {
        const int inBand = list.entriesIn(edges);
        const QString fits = inBand == list.size() ? CliText::tr("yes")
                             : inBand == 0         ? CliText::tr("no")
                                           : CliText::tr("%1 of %2").arg(inBand).arg(list.size());
        rows.append({QLatin1String(list.key), list.titleText(), list.regionText(),
                     QStringLiteral("%1-%2").arg(planText(list.lowestHertz()),
                                                 planText(list.highestHertz())),
                     QString::number(list.size()), fits});
    }
    return alignedLines(rows).join(QLatin1Char('\n')) + QLatin1Char('\n');
}

bool isChannelList(const QString& path) {
    return path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
}

} // namespace

int runStock(const Arguments& arguments) {
    const QString band = arguments.band.isEmpty() ? QString(FactoryBand) : arguments.band;
    if (arguments.stockList.isEmpty()) {
        if (arguments.firstEntry)
            return refuse(CliText::tr("--from needs a list name"));
        printText(listing(band), stdout);
        return ExitSuccess;
    }
    const StockList* list = findStockList(arguments.stockList);
    if (!list) {
        QStringList keys;
        for (const StockList& known : stockLists())
            keys << QLatin1String(known.key);
        return refuse(CliText::tr("unknown stock list '%1'; the lists are %2")
                          .arg(arguments.stockList, keys.join(QStringLiteral(", "))));
    }
    const int firstEntry = arguments.firstEntry.value_or(1);
    if (const Status checked = checkFirstEntry(*list, firstEntry); !checked)
        return refuse(QStringLiteral("--from: ") + checked.message());
    Wording wording;
    prepare(arguments, wording);
    const Result<StockPlan> made =
        makeStockPlan(*list, firstEntry, band, wording.words, decimalSeparator());
    if (!made)
        return fail(CliText::tr("stock failed: %1").arg(made.message()));
    for (const QString& note : made->notes)
        printError(CliText::tr("note: %1").arg(note));
    const Plan& plan = made->plan;
    QStringList outside;
    for (const OutOfBandChannel& channel : outOfBandChannels(plan))
        outside << describeOutOfBand(channel);
    warnOutsideBand(plan.band, outside);

    const QString& path = arguments.otherFile;
    const Status saved =
        isChannelList(path)
            ? writeChannelList(path,
                               csv::exportChannels(plan.channels, {made->names, made->comments}))
            : saveChannelFile(path, plan, wording.selectorTexts(plan.options));
    if (!saved)
        return fail(CliText::tr("stock failed: %1").arg(oneLine(saved.message())));
    return ExitSuccess;
}

} // namespace zev::cli
