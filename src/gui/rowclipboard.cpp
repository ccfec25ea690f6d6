#include "rowclipboard.h"

#include "channellist.h"
#include "errorbox.h"
#include "planmodel.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QMessageBox>
#include <QMimeData>

namespace zev {

void copyChannelRows(const PlanModel& plan, const QList<int>& rows) {
    csv::Channels channels;
    for (int row = 1; row <= PlanModel::ChannelCount; ++row)
        channels[size_t(row - 1)] = plan.channel(row);
    const QByteArray text = csv::exportChannelRows(channels, rows);
    auto* data = new QMimeData;
    data->setText(QString::fromUtf8(text));
    // Spreadsheets that know the type take the cells without asking how to split them.
    data->setData(QStringLiteral("text/csv"), text);
    QApplication::clipboard()->setMimeData(data);
}

std::optional<csv::PastedRows> clipboardRows(QWidget* parent, const Words& words, int row) {
    const std::optional<csv::Imported> list = acceptedRows(
        parent, csv::readPastedRows(QApplication::clipboard()->text(), words, decimalSeparator()));
    if (!list)
        return std::nullopt;
    return csv::placePastedRows(*list, row);
}

void showPasteNotes(QWidget* parent, const csv::PastedRows& pasted) {
    if (!pasted.dropped.isEmpty())
        QMessageBox::information(
            parent, programTitle(),
            QCoreApplication::translate("zev::ChannelList",
                                        "These rows would go past channel 16 and were not "
                                        "pasted:") +
                QLatin1Char('\n') + csv::describe(pasted.dropped));
    showNotes(parent, pasted.rows);
}

} // namespace zev
