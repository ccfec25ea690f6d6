#pragma once

#include "plan/channelplan.h"
#include "plan/vocabulary.h"
#include "status.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// Channel lists in the comma-separated layout that spreadsheets and other radio programming tools
// exchange: a header row, then one row per memory, columns found by their header name.
namespace zev::csv {

using Channels = std::array<ChannelRow, ChannelPlan::ChannelCount>;

// One row per used channel, Location = channel number; frequencies in MHz with six decimals and
// "." whatever the locale; words of either language are read by meaning. UTF-8, CR LF.
QByteArray exportChannels(const Channels& channels);

// The listed channels (1 to 16) in the same layout, in the order given, an empty one as a row
// with its Location only: rows copied with empty ones between them paste with the same gaps.
QByteArray exportChannelRows(const Channels& channels, const QList<int>& listed);

// A remark about one row of the list; row 1 is the header.
struct RowNote {
    int row = 0;
    QString text;
};

struct ImportOptions {
    bool renumber = false; // the first 16 rows with a frequency become channels 1 to 16
    Words words;           // the words the new cells are written with
    QChar separator = QLatin1Char('.');
    // With renumber: a row without a frequency that is not blank (an empty channel as
    // exportChannelRows writes it) takes the next channel too, as an empty row.
    bool keepEmptyRows = false;
};

struct Imported {
    // By channel; an empty row (keepEmptyRows) empties its channel.
    std::array<std::optional<ChannelRow>, ChannelPlan::ChannelCount> channels;
    QList<RowNote> problems; // rows the radio cannot hold; they are left out
    QList<RowNote> notes;    // rows taken with a change (an off-raster frequency)
};

// Takes ",", ";" or a tab as the separator (whichever the header uses), quoted fields, UTF-8 with
// or without a byte-order mark, CR LF or LF. Fails only when the text is not a channel list at all
// (no header with a Frequency column); a row the radio cannot hold is listed in problems.
Result<Imported> importChannels(const QByteArray& bytes, const ImportOptions& options);

// "row 7: the tone 123.4 is not in the tone list", one per line.
QString describe(const QList<RowNote>& notes);

} // namespace zev::csv
