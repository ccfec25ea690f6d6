// Whatever a channel list holds, every channel taken from it exports and imports back unchanged,
// and every reason for leaving a row out names a row of the list.

#include "chanfile/channelcsv.h"
#include "fuzzcheck.h"

using namespace zev;

ZEV_FUZZ_TARGET(channelcsv) {
    const QByteArray bytes = fuzz::inputBytes(data, size);
    const csv::ImportOptions options{size % 2 == 1, englishWords(), QLatin1Char('.')};
    const Result<csv::Imported> list = csv::importChannels(bytes, options);
    if (!list)
        return 0;
    for (const csv::RowNote& problem : list->problems)
        FUZZ_CHECK(problem.row >= 2 && !problem.text.isEmpty(), problem.text);

    csv::Channels channels;
    for (int channel = 0; channel < Plan::ChannelCount; ++channel)
        if (list->channels[channel])
            channels[channel] = *list->channels[channel];
    const Result<csv::Imported> again =
        csv::importChannels(csv::exportChannels(channels), {false, englishWords(), '.'});
    FUZZ_CHECK(again.ok() && again->problems.isEmpty() && again->notes.isEmpty(),
               csv::describe(again.ok() ? again->problems : QList<csv::RowNote>{}));
    for (int channel = 0; channel < Plan::ChannelCount; ++channel)
        FUZZ_CHECK(again->channels[channel] == list->channels[channel],
                   QStringLiteral("channel %1").arg(channel + 1));
    return 0;
}
