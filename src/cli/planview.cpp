#include "planview.h"

#include "chanfile/plancompare.h"
#include "clitext.h"
#include "plan/plan.h"
#include "plan/wording.h"
#include "textwidth.h"

#include <QStringList>

#include <algorithm>

namespace zev::cli {

QStringList channelHeader(const Wording& wording) {
    QStringList header;
    for (const QString& title : wording.header)
        header.append(visibleText(title));
    if (std::any_of(header.cbegin(), header.cend(),
                    [](const QString& title) { return title.isEmpty(); })) {
        // A pack without header titles: the columns by the names messages use.
        header = {CliText::tr("CH")};
        for (int column = Plan::RxFrequency; column <= Plan::BusyLock; ++column)
            header.append(columnName(column));
    }
    return header;
}

QString formatPlan(const Plan& plan, const Wording& wording) {
    QString text = CliText::tr("Band: %1").arg(visibleText(plan.band)) + QStringLiteral("\n\n");

    QList<QStringList> options;
    for (const Option option : allOptions) {
        const int index = plan.options[optionSlot(option)];
        options.append({CliText::tr("%1:").arg(optionName(option)),
                        index < 0 ? QStringLiteral("-") : QString::number(index),
                        visibleText(wording.optionText(option, index))});
    }
    for (const QString& line : alignedLines(options))
        text += line + QLatin1Char('\n');
    text += QLatin1Char('\n');

    QList<QStringList> channels = {channelHeader(wording)};
    for (int row = 1; row <= Plan::ChannelCount; ++row) {
        QStringList cells = {QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'))};
        for (const QString& cell : plan.channel(row))
            cells.append(visibleText(cell));
        channels.append(cells);
    }
    for (const QString& line : alignedLines(channels))
        text += line + QLatin1Char('\n');
    return text;
}

} // namespace zev::cli
