#include "channelsheet.h"

#include "chanfile/filesystemerror.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

namespace zev {

namespace {

QString cell(const QString& text) {
    return text.toHtmlEscaped();
}

// A receipt to hand over with the radio: when, where and how the plan went in, and which plan.
QString receiptFooter(const WriteRecord& record) {
    const std::pair<const char*, QString> lines[] = {
        {QT_TRANSLATE_NOOP("zev::ChannelSheet", "Written"),
         record.time.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss 'UTC'"))},
        {QT_TRANSLATE_NOOP("zev::ChannelSheet", "Device"), record.device},
        {QT_TRANSLATE_NOOP("zev::ChannelSheet", "Result"), writelog::outcomeText(record.outcome)},
        {QT_TRANSLATE_NOOP("zev::ChannelSheet", "Plan SHA-256"), record.planSha256},
    };
    QString html = QStringLiteral("<hr><table cellspacing='0' cellpadding='2'>");
    for (const auto& [label, value] : lines)
        html +=
            QStringLiteral("<tr><td><b>%1:</b></td><td>%2</td></tr>")
                .arg(cell(QCoreApplication::translate("zev::ChannelSheet", label)), cell(value));
    return html + QStringLiteral("</table>");
}

} // namespace

QString channelSheetHtml(const Plan& plan, const Wording& wording, const SheetLabels& labels,
                         const SheetReceipt& receipt) {
    QString html = QStringLiteral("<html><body>");
    html +=
        QStringLiteral("<h2>%1</h2>")
            .arg(cell(QCoreApplication::translate("zev::ChannelSheet", "RH-4800 channel sheet")));
    html +=
        QStringLiteral("<p><b>%1:</b> %2</p>")
            .arg(cell(QCoreApplication::translate("zev::ChannelSheet", "Band")), cell(plan.band));

    html += QStringLiteral("<table cellspacing='0' cellpadding='3'>");
    for (int i = 0; i < OptionCount; ++i)
        html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                    .arg(cell(labels.options[i]),
                         cell(wording.optionText(allOptions[i], plan.options[i])));
    html += QStringLiteral("</table><p></p>");

    html += QStringLiteral("<table border='1' cellspacing='0' cellpadding='4' width='100%'><tr>");
    for (const QString& title : labels.columnTitles)
        html += QStringLiteral("<th>%1</th>").arg(cell(title));
    html += QStringLiteral("</tr>");
    for (int row = 1; row <= Plan::ChannelCount; ++row) {
        html += QStringLiteral("<tr><td align='center'>%1</td>").arg(row, 2, 10, QLatin1Char('0'));
        for (const QString& text : plan.channel(row))
            html += QStringLiteral("<td align='center'>%1</td>").arg(cell(text));
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");
    if (receipt)
        html += receiptFooter(*receipt);
    html += QStringLiteral("</body></html>");
    return html;
}

void printChannelSheet(QPagedPaintDevice& device, const Plan& plan, const Wording& wording,
                       const SheetLabels& labels, const SheetReceipt& receipt) {
    QTextDocument document;
    QFont font = document.defaultFont();
    // Small enough that the 16 rows and the options always share one page.
    font.setPointSize(10);
    document.setDefaultFont(font);
    // A frequency broken over two lines reads as two numbers.
    document.setDefaultStyleSheet(QStringLiteral("td, th { white-space: nowrap; }"));
    document.setHtml(channelSheetHtml(plan, wording, labels, receipt));
    document.print(&device);
}

Status writeChannelSheetPdf(const QString& path, const Plan& plan, const Wording& wording,
                            const SheetLabels& labels, const SheetReceipt& receipt) {
    // Made in memory first: the file goes the way of every other file the program writes.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setTitle(QCoreApplication::translate("zev::ChannelSheet", "RH-4800 channel sheet"));
        writer.setCreator(QCoreApplication::applicationName());
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        printChannelSheet(writer, plan, wording, labels, receipt);
    }
    return writeFileAtomically(path, pdf.data());
}

} // namespace zev
