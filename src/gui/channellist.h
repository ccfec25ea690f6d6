#pragma once

#include "chanfile/channelcsv.h"
#include "chanfile/channellistfile.h"
#include "status.h"

#include <QString>

#include <optional>

class QWidget;

namespace zev {

// The windows' side of channel lists (the spreadsheet layout): files, the questions around an
// import and the rows that go into the plan.

// Asks for the import's options, showing the file; nullopt when the user cancels.
std::optional<bool> askRenumber(QWidget* parent, const QString& path, bool renumber);

// The rows of a list read (csv::importChannels, csv::readPastedRows) that are to go into the
// plan. A text that is no channel list, or one without a row the radio can hold, is reported;
// rows left out are listed and the user chooses between taking the others and cancelling.
// Nullopt: nothing is to change.
std::optional<csv::Imported> acceptedRows(QWidget* parent, const Result<csv::Imported>& imported);

// The notes on the rows taken (off-raster frequencies), when there are any.
void showNotes(QWidget* parent, const csv::Imported& imported);

} // namespace zev
