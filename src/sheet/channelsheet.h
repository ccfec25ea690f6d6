#pragma once

#include "jobs/writelog.h"
#include "plan/plan.h"
#include "plan/wording.h"
#include "status.h"

#include <QString>

#include <array>
#include <optional>

class QPagedPaintDevice;

namespace zev {

// The words around the plan's values, in the active language, as the caller's interface
// shows them.
struct SheetLabels {
    std::array<QString, OptionCount> options; // in allOptions order
    std::array<QString, 8> columnTitles;      // the channel table's header, label column first
};

// A write the sheet is the receipt of: its footer says when, to which device, how it ended and
// the hash of the plan written. The caller makes sure the plan is the one written.
using SheetReceipt = std::optional<WriteRecord>;

// The sheet as rich text: band, the seven options with their texts in the given wording, the
// 16 channel rows, and the receipt's footer.
QString channelSheetHtml(const Plan& plan, const Wording& wording, const SheetLabels& labels,
                         const SheetReceipt& receipt = std::nullopt);

// One A4 page on any paged device (a printer or a PDF writer) set up by the caller.
void printChannelSheet(QPagedPaintDevice& device, const Plan& plan, const Wording& wording,
                       const SheetLabels& labels, const SheetReceipt& receipt = std::nullopt);

// The sheet as a one-page A4 PDF at path, written as writeFileAtomically writes (a path that is
// there but no plain file is refused). Needs a QGuiApplication (for the fonts).
[[nodiscard]] Status writeChannelSheetPdf(const QString& path, const Plan& plan,
                                          const Wording& wording, const SheetLabels& labels,
                                          const SheetReceipt& receipt = std::nullopt);

} // namespace zev
