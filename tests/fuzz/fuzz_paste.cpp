// Whatever the clipboard holds and wherever it goes, a paste changes only channels from its row
// on, one after the other; every row with a frequency gets a channel, a place past the last
// channel or a reason; and the channels it gives copy and paste back unchanged. The first byte
// chooses the row (low four bits), the words (bit 4) and the decimal separator (bit 5).

#include "chanfile/channelpaste.h"
#include "fuzzcheck.h"

using namespace zev;

namespace {

bool hasFrequency(const std::optional<ChannelRow>& channel) {
    return channel && !(*channel)[Plan::RxFrequency - 1].isEmpty();
}

} // namespace

ZEV_FUZZ_TARGET(paste) {
    if (size == 0)
        return 0;
    const int row = 1 + (data[0] & 0x0F);
    const Words words = data[0] & 0x10 ? chineseWords() : englishWords();
    const QChar separator = data[0] & 0x20 ? QLatin1Char(',') : QLatin1Char('.');
    const QString text = QString::fromUtf8(fuzz::inputBytes(data + 1, size - 1));
    const Result<csv::Imported> list = csv::readPastedRows(text, words, separator);
    if (!list)
        return 0;
    for (const QList<csv::RowNote>* notes : {&list->problems, &list->notes})
        for (const csv::RowNote& note : *notes)
            FUZZ_CHECK(note.row >= 2 && !note.text.isEmpty(), note.text);

    const csv::PastedRows pasted = csv::placePastedRows(list.value(), row);
    int given = 0;
    int placed = 0;
    for (int channel = 1; channel <= Plan::ChannelCount; ++channel) {
        given += hasFrequency(list->channels[channel - 1]) ? 1 : 0;
        placed += hasFrequency(pasted.rows.channels[channel - 1]) ? 1 : 0;
    }
    FUZZ_CHECK(given == placed + pasted.dropped.size(),
               QStringLiteral("%1 rows, %2 placed, %3 dropped")
                   .arg(given)
                   .arg(placed)
                   .arg(pasted.dropped.size()));
    for (const csv::RowNote& dropped : pasted.dropped)
        FUZZ_CHECK(dropped.row >= 2, dropped.text);

    // The channels pasted: a block from the row on, nothing before it.
    QList<int> copied;
    for (int channel = 1; channel <= Plan::ChannelCount; ++channel) {
        const bool taken = pasted.rows.channels[channel - 1].has_value();
        FUZZ_CHECK(!taken || channel >= row, QStringLiteral("channel %1").arg(channel));
        FUZZ_CHECK(!taken || copied.isEmpty() || copied.last() == channel - 1,
                   QStringLiteral("gap before channel %1").arg(channel));
        if (taken)
            copied << channel;
    }
    if (copied.isEmpty())
        return 0;

    csv::Channels channels;
    for (int channel : copied)
        channels[channel - 1] = *pasted.rows.channels[channel - 1];
    const Result<csv::Imported> again = csv::readPastedRows(
        QString::fromUtf8(csv::exportChannelRows(channels, copied)), words, separator);
    FUZZ_CHECK(again.ok() && again->problems.isEmpty() && again->notes.isEmpty(),
               again.ok() ? csv::describe(again->problems + again->notes) : again.message());
    const csv::PastedRows back = csv::placePastedRows(again.value(), row);
    FUZZ_CHECK(back.dropped.isEmpty(), csv::describe(back.dropped));
    for (int channel = 1; channel <= Plan::ChannelCount; ++channel)
        FUZZ_CHECK(back.rows.channels[channel - 1] == pasted.rows.channels[channel - 1],
                   QStringLiteral("channel %1").arg(channel));
    return 0;
}
