#include "plan/wording.h"

namespace zev {

QStringList Wording::optionItems(Option option) const {
    return zev::optionItems(option, words, optionTexts);
}

QString Wording::optionText(Option option, int index) const {
    return optionItems(option).value(index);
}

int Wording::listedIndex(Option option, int index) const {
    return index >= 0 && index < optionItems(option).size() ? index : -1;
}

SelectorTexts Wording::selectorTexts(const OptionIndices& indices) const {
    SelectorTexts texts;
    for (Option option : allOptions)
        texts[optionSlot(option)] = optionText(option, indices[optionSlot(option)]);
    return texts;
}

ColumnTitles Wording::columnTitles() const {
    ColumnTitles titles;
    for (int column = Plan::RxFrequency; column <= Plan::BusyLock; ++column)
        titles[column - 1] = header[column];
    return titles;
}

void Wording::dropToneHead() {
    if (tones.size() == builtinTones().size() + 1)
        tones.removeFirst();
}

void Wording::insertToneHead(const QString& offWord) {
    tones.prepend(offWord);
}

ChannelRow reworded(ChannelRow cells, const Words& words) {
    for (int column : {Plan::RxTone, Plan::TxTone, Plan::Power, Plan::ScanAdd, Plan::BusyLock}) {
        QString& cell = cells[column - 1];
        const WordMeaning meaning = recogniseWord(cell);
        if (column == Plan::Power) {
            if (meaning == WordMeaning::High)
                cell = words.high;
            else if (meaning == WordMeaning::Low)
                cell = words.low;
        } else if (meaning == WordMeaning::Off) {
            cell = words.off;
        } else if (meaning == WordMeaning::On &&
                   (column == Plan::ScanAdd || column == Plan::BusyLock)) {
            cell = words.on;
        }
    }
    return cells;
}

Plan worded(Plan plan, const Wording& wording) {
    for (Option option : allOptions) {
        int& index = plan.options[optionSlot(option)];
        index = wording.listedIndex(option, index);
    }
    for (ChannelRow& cells : plan.channels)
        cells = reworded(cells, wording.words);
    return plan;
}

} // namespace zev
