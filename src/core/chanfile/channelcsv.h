#pragma once

#include "plan/plan.h"
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

using Channels = std::array<ChannelRow, Plan::ChannelCount>;

// Larger than any channel list: a spreadsheet's export of 16 memories is a few kilobytes.
constexpr qint64 MaxListBytes = 1024 * 1024;

// The Name and Comment a list gives each channel; the plan has no place for them.
struct ChannelNames {
    std::array<QString, Plan::ChannelCount> names;
    std::array<QString, Plan::ChannelCount> comments;
};

// One row per used channel, Location = channel number; frequencies in MHz with six decimals and
// "." whatever the locale; words of either language are read by meaning. UTF-8, CR LF. A cell
// that a spreadsheet would run as a formula (it starts with =, +, -, @, a tab or CR) is written
// with a leading ', except the layout's own signed values (Duplex + and -, CrossMode ->Tone).
QByteArray exportChannels(const Channels& channels, const ChannelNames& names = {});

// The listed channels (1 to 16) in the same layout, in the order given, an empty one as a row
// with its Location only: rows copied with empty ones between them paste with the same gaps.
QByteArray exportChannelRows(const Channels& channels, const QList<int>& listed,
                             const ChannelNames& names = {});

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
    std::array<std::optional<ChannelRow>, Plan::ChannelCount> channels;
    std::array<int, Plan::ChannelCount> rows{}; // the list row of each channel given
    QList<RowNote> problems; // rows left out, with the reason: none is dropped unsaid
    QList<RowNote> notes;    // rows taken with a change (an off-raster frequency or tone)
};

// Takes ",", ";" or a tab as the separator (whichever the header uses), quoted fields, UTF-8 with
// or without a byte-order mark, CR LF or LF, and a cell with the ' that the export puts before a
// formula's first character as the cell without it. Fails when the text is not a channel list
// (no header with a Frequency column, not UTF-8) or a quote never closes. Any other row with
// content that gives no channel is listed in problems, except a row with a Location only read
// without renumbering: an empty channel, as the list leaves it anyway.
Result<Imported> importChannels(const QByteArray& bytes, const ImportOptions& options);

// The plan with the list's channels. An import gives the plan exactly the list's channels, the
// others emptied; a paste changes only the channels it names. Band and options stay.
Plan withImportedChannels(Plan plan, const Imported& list);
Plan withPastedChannels(Plan plan, const Imported& rows);

// Whether the list gives at least one channel (or, for a paste, an empty row).
bool givesChannels(const Imported& list);

// "row 7: the tone 123.4 is not in the tone list", one per line.
QString describe(const QList<RowNote>& notes);

// A field as the lists write it: after a ' where a spreadsheet would run it as a formula, quoted
// where it holds a comma, a quote or a line end.
QString listField(const QString& text);
// The text of a field as read, without the ' that listField put before a formula.
QString fieldText(QStringView field);
// The fields of a line of comma-separated fields; nullopt when a quote never closes or the line
// holds more than one record.
std::optional<QStringList> splitListLine(const QString& line);

} // namespace zev::csv
