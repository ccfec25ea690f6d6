#include "radio/writecheck.h"

#include "plan/excerpt.h"
#include "plan/frequency.h"
#include "plan/plan.h"
#include "plan/tone.h"
#include "plan/vocabulary.h"
#include "radio/codec.h"

#include <QCoreApplication>

namespace zev {

namespace {

bool isPowerWord(const QString& text, const Words& words) {
    const WordMeaning meaning = recogniseWord(text, words);
    return meaning == WordMeaning::High || meaning == WordMeaning::Low;
}

bool isFlagWord(const QString& text, const Words& words) {
    const WordMeaning meaning = recogniseWord(text, words);
    return meaning == WordMeaning::On || meaning == WordMeaning::Off;
}

// A whole sentence for each kind of cell, so that a translation can order its parts freely.
struct Field {
    Plan::Column column;
    const char* notValid; // %1 channel, %2 field name, %3 cell text
};

constexpr Field fields[] = {
    {Plan::RxFrequency, QT_TRANSLATE_NOOP("zev::WriteCheck", "%1: %2 '%3' is not a frequency")},
    {Plan::RxTone, QT_TRANSLATE_NOOP("zev::WriteCheck", "%1: %2 '%3' is not a tone")},
    {Plan::TxFrequency, QT_TRANSLATE_NOOP("zev::WriteCheck", "%1: %2 '%3' is not a frequency")},
    {Plan::TxTone, QT_TRANSLATE_NOOP("zev::WriteCheck", "%1: %2 '%3' is not a tone")},
    {Plan::Power, QT_TRANSLATE_NOOP("zev::WriteCheck", "%1: %2 '%3' is not a power word")},
    {Plan::ScanAdd, QT_TRANSLATE_NOOP("zev::WriteCheck", "%1: %2 '%3' is not an on/off word")},
    {Plan::BusyLock, QT_TRANSLATE_NOOP("zev::WriteCheck", "%1: %2 '%3' is not an on/off word")},
};

bool isValid(Plan::Column column, const QString& text, const Words& words) {
    switch (column) {
    case Plan::RxFrequency:
    case Plan::TxFrequency:
        return isFrequencyText(text);
    case Plan::RxTone:
    case Plan::TxTone:
        return parseTone(text, words).has_value();
    case Plan::Power:
        return isPowerWord(text, words);
    default:
        return isFlagWord(text, words);
    }
}

} // namespace

QStringList channelProblems(const ChannelRow& cells, const Words& words, int channel,
                            const ColumnTitles& titles) {
    QStringList problems;
    const bool used = !cells[Plan::RxFrequency - 1].isEmpty();
    const QString label = QCoreApplication::translate("zev::WriteCheck", "Channel %1")
                              .arg(channel, 2, 10, QLatin1Char('0'));
    for (const Field& field : fields) {
        const QString text = cells[field.column - 1];
        const QString& title = titles[field.column - 1];
        const QString name = title.isEmpty() ? columnName(field.column) : title;
        if (text.isEmpty()) {
            if (used && field.column != Plan::TxFrequency)
                problems.append(QCoreApplication::translate("zev::WriteCheck", "%1: %2 is empty")
                                    .arg(label, name));
            continue;
        }
        if (!isValid(field.column, text, words))
            problems.append(QCoreApplication::translate("zev::WriteCheck", field.notValid)
                                .arg(label, name, excerpt(text)));
    }
    return problems;
}

QStringList writeProblems(const Plan& plan, const Wording& wording) {
    QStringList problems;
    const ColumnTitles titles = wording.columnTitles();
    for (int row = 1; row <= Plan::ChannelCount; ++row)
        problems << channelProblems(plan.channel(row), wording.words, row, titles);
    if (const Status options = codec::checkOptions(plan.options); !options)
        problems << options.message().split(QLatin1Char('\n'));
    if (const Status status = codec::checkBand(plan.band); !status)
        problems.append(status.message());
    return problems;
}

Status checkPlanForWrite(const Plan& plan, const Wording& wording) {
    const QStringList problems = writeProblems(plan, wording);
    if (problems.isEmpty())
        return Status::success();
    return Status::failure(problems.join(QLatin1Char('\n')));
}

} // namespace zev
