#pragma once

#include "plan/plan.h"
#include "plan/vocabulary.h"

#include <QString>
#include <QStringList>

#include <array>

namespace zev {

// The names of columns 1 to 7 as a fault names them: the titles of the channel table's header row.
using ColumnTitles = std::array<QString, 7>;
// The option selectors' texts, by option; the channel file writes them beside the indices.
using SelectorTexts = std::array<QString, OptionCount>;

// The language a plan is shown in: the four words, the option item texts, the channel table's
// header row and the tone picker's list. A language pack changes it; the plan keeps its cells.
struct Wording {
    Words words = chineseWords();
    OptionTexts optionTexts = chineseOptionTexts();
    std::array<QString, 8> header; // row label title, then the titles of columns 1 to 7
    QStringList tones = builtinTones();

    QStringList optionItems(Option option) const;
    QString optionText(Option option, int index) const; // empty without a selection
    int listedIndex(Option option, int index) const;    // -1 when the list has no such item
    SelectorTexts selectorTexts(const OptionIndices& indices) const;
    ColumnTitles columnTitles() const;

    void dropToneHead();                         // removes the off item when the list has 259
    void insertToneHead(const QString& offWord); // inserts the off item at index 0

    bool operator==(const Wording&) const = default;
};

// The power and flag cells of a row in these words, whichever language they were written in.
ChannelRow reworded(ChannelRow cells, const Words& words);

// A plan as this wording shows it: options the lists lack have no selection, and the words of
// either language become these words. A file saved under the other language (or a state kept
// before a language switch) then toggles at the first click.
Plan worded(Plan plan, const Wording& wording);

} // namespace zev
