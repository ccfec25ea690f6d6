#include "rowclipboard.h"

#include "channellist.h"
#include "plan/channelplan.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QMessageBox>
#include <QMimeData>

namespace zev {

void copyChannelRows(const ChannelPlan& plan, const QList<int>& rows) {
    csv::Channels channels;
    for (int row = 1; row <= ChannelPlan::ChannelCount; ++row)
        channels[size_t(row - 1)] = plan.channel(row);
    const QByteArray text = csv::exportChannelRows(channels, rows);
    auto* data = new QMimeData;
    data->setText(QString::fromUtf8(text));
    // Spreadsheets that know the type take the cells without asking how to split them.
    data->setData(QStringLiteral("text/csv"), text);
    QApplication::clipboard()->setMimeData(data);
}

std::optional<PastedRows> clipboardRows(QWidget* parent, const Words& words, int row) {
    const QByteArray text = QApplication::clipboard()->text().toUtf8();
    const std::optional<csv::Imported> list =
        acceptedRows(parent, text, {true, words, decimalSeparator(), true});
    if (!list)
        return std::nullopt;
    PastedRows pasted;
    for (int index = 0; index < ChannelPlan::ChannelCount; ++index) {
        const std::optional<ChannelRow>& channel = list->channels[size_t(index)];
        if (!channel)
            continue;
        if (row + index <= ChannelPlan::ChannelCount)
            pasted.rows.channels[size_t(row + index - 1)] = channel;
        else if (!(*channel)[ChannelPlan::RxFrequency - 1].isEmpty())
            ++pasted.dropped; // an empty row past the last channel loses nothing
    }
    pasted.rows.notes = list->notes;
    return pasted;
}

void showPasteNotes(QWidget* parent, const PastedRows& pasted) {
    if (pasted.dropped > 0)
        QMessageBox::information(
            parent, QStringLiteral("ZEV4800"),
            QCoreApplication::translate("zev::ChannelList",
                                        "Rows that would go past channel 16 were not pasted: %1.")
                .arg(pasted.dropped));
    showNotes(parent, pasted.rows);
}

} // namespace zev
