#include "chanfile/plancompare.h"

#include "plan/frequency.h"
#include "plan/plan.h"

#include <QCoreApplication>

namespace zev {

namespace {

bool isFrequencyColumn(int column) {
    return column == Plan::RxFrequency || column == Plan::TxFrequency;
}

// What a cell says, in one spelling: words by meaning, the decimal mark as a point.
QString meaning(int column, const QString& cell) {
    const QString text = cell.trimmed();
    if (const WordMeaning word = recogniseWord(text); word != WordMeaning::None)
        return QStringLiteral("\x01%1").arg(static_cast<int>(word));
    if (isFrequencyColumn(column) && isFrequencyText(text))
        return QString::number(frequencyHz(text).value_or(0));
    return column == Plan::RxTone || column == Plan::TxTone ? text : cell;
}

ChannelRow effectiveRow(const ChannelRow& row) {
    return row[Plan::RxFrequency - 1].isEmpty() ? ChannelRow{} : row;
}

QString shown(const QString& text) {
    return text.isEmpty() ? QCoreApplication::translate("zev::PlanCompare", "(empty)") : text;
}

QString subject(const PlanDifference& difference) {
    switch (difference.kind) {
    case PlanDifference::Kind::Cell:
        return QStringLiteral("CH%1 %2")
            .arg(difference.channel, 2, 10, QLatin1Char('0'))
            .arg(columnName(difference.column));
    case PlanDifference::Kind::Option:
        return optionName(difference.option);
    case PlanDifference::Kind::Band:
        return QCoreApplication::translate("zev::PlanCompare", "Band");
    }
    return {};
}

} // namespace

QList<PlanDifference> comparePlans(const Plan& before, const Plan& after) {
    QList<PlanDifference> differences;
    for (int channel = 1; channel <= Plan::ChannelCount; ++channel) {
        const ChannelRow left = effectiveRow(before.channels[channel - 1]);
        const ChannelRow right = effectiveRow(after.channels[channel - 1]);
        for (int column = Plan::RxFrequency; column <= Plan::BusyLock; ++column) {
            const QString& a = left[column - 1];
            const QString& b = right[column - 1];
            if (meaning(column, a) != meaning(column, b))
                differences.append(
                    {PlanDifference::Kind::Cell, channel, column, Option::Squelch, a, b});
        }
    }
    for (const Option option : allOptions) {
        const int slot = static_cast<int>(option);
        if (before.options[slot] != after.options[slot])
            differences.append({PlanDifference::Kind::Option, 0, 0, option,
                                QString::number(before.options[slot]),
                                QString::number(after.options[slot])});
    }
    if (before.band != after.band)
        differences.append(
            {PlanDifference::Kind::Band, 0, 0, Option::Squelch, before.band, after.band});
    return differences;
}

QString describeChange(const PlanDifference& difference) {
    return QStringLiteral("%1: %2 -> %3")
        .arg(subject(difference), shown(difference.before), shown(difference.after));
}

QStringList describeFirst(const QList<PlanDifference>& differences, int limit,
                          QString (*describe)(const PlanDifference&)) {
    QStringList lines;
    for (qsizetype index = 0; index < differences.size() && index < limit; ++index)
        lines.append(describe(differences.at(index)));
    if (differences.size() > limit)
        lines.append(QCoreApplication::translate("zev::PlanCompare", "... and %1 more")
                         .arg(differences.size() - limit));
    return lines;
}

} // namespace zev
