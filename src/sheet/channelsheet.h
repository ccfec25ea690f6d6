#pragma once

#include "plan/channelplan.h"
#include "plan/vocabulary.h"
#include "status.h"

#include <QString>

#include <array>

class QPagedPaintDevice;

namespace zev {

// The words around the plan's values, in the active language, as the caller's interface
// shows them.
struct SheetLabels {
    std::array<QString, OptionCount> options;                   // in allOptions order
    std::array<QString, ChannelPlan::ColumnCount> columnTitles; // the channel table's header
};

// The sheet as rich text: band, the seven options with their texts, the 16 channel rows.
QString channelSheetHtml(const ChannelPlan& plan, const QString& band, const SheetLabels& labels);

// One A4 page on any paged device (a printer or a PDF writer) set up by the caller.
void printChannelSheet(QPagedPaintDevice& device, const ChannelPlan& plan, const QString& band,
                       const SheetLabels& labels);

// The sheet as a one-page A4 PDF at path, written as writeFileAtomically writes (a path that is
// there but no plain file is refused). Needs a QGuiApplication (for the fonts).
[[nodiscard]] Status writeChannelSheetPdf(const QString& path, const ChannelPlan& plan,
                                          const QString& band, const SheetLabels& labels);

} // namespace zev
