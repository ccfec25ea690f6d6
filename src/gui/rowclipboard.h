#pragma once

#include "chanfile/channelpaste.h"

#include <QList>

#include <optional>

class QWidget;

namespace zev {

class PlanModel;

// Channel rows on the clipboard as the list layout's text (header and rows), so that they move
// between the channel grid, a spreadsheet and another window of this program.

// Puts the channel rows on the clipboard, in order; Location is the channel. An empty row is
// there too, holding only its Location, so that a paste keeps the gap.
void copyChannelRows(const PlanModel& plan, const QList<int>& rows);

// The clipboard's rows as they go into the plan from channel row on, one after the other as a
// spreadsheet pastes, whatever their Location; a copied empty row empties its channel. Problems
// are handled as an import's are; nullopt when nothing is to change.
std::optional<csv::PastedRows> clipboardRows(QWidget* parent, const Words& words, int row);

// The notes on the rows taken and the rows dropped, when there are any.
void showPasteNotes(QWidget* parent, const csv::PastedRows& pasted);

} // namespace zev
