#pragma once

#include "chanfile/channelcsv.h"
#include "status.h"

#include <QList>
#include <QString>

namespace zev::csv {

// Channel rows pasted as text (the list layout's header and rows): copied from the channel grid,
// a spreadsheet or another window of this program.

// The text read as a paste reads it: the rows one after the other whatever their Location, a
// copied empty row as an empty channel. Refused before any reading when larger than a channel
// list may be.
Result<Imported> readPastedRows(const QString& text, const Words& words, QChar separator);

struct PastedRows {
    Imported rows;          // by the channel they go to
    QList<RowNote> dropped; // rows with a frequency that would have gone past the last channel
};

// The list's rows placed from channel row (1 to 16) on; notes and problems go along.
PastedRows placePastedRows(const Imported& list, int row);

} // namespace zev::csv
