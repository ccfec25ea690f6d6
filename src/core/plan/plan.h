#pragma once

#include "plan/vocabulary.h"

#include <QString>

#include <array>

namespace zev {

// The seven plan cells of one channel row, columns 1 to 7.
using ChannelRow = std::array<QString, 7>;

// One channel plan, as a value: the band, the seven option indices and the 16 channel rows,
// each cell the text the user sees. Read, Open, Import, Paste and New make one; Save, Write,
// Export, Compare, the check and the sheet take one; undo keeps them.
struct Plan {
    static constexpr int ChannelCount = 16;
    // The cell columns as the channel table numbers them; column 0 is the table's row label.
    enum Column { Label, RxFrequency, RxTone, TxFrequency, TxTone, Power, ScanAdd, BusyLock };

    QString band;            // the model selector's text
    OptionIndices options{}; // by option, -1 = no selection
    std::array<ChannelRow, ChannelCount> channels;

    // Cells addressed as the table does: column 1 to 7, row 1 to 16; empty elsewhere.
    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);
    const ChannelRow& channel(int row) const { return channels[size_t(row - 1)]; }
    void setChannel(int row, const ChannelRow& cells) { channels[size_t(row - 1)] = cells; }
    int optionIndex(Option option) const { return options[optionSlot(option)]; }
    void setOptionIndex(Option option, int index) { options[optionSlot(option)] = index; }
    bool isUsed(int row) const { return !cell(RxFrequency, row).isEmpty(); }

    bool operator==(const Plan&) const = default;
};

// A channel just entered with this RX frequency, as it is completed: the same TX frequency, no
// tones, high power, scan add on, busy lock off.
ChannelRow newChannel(const QString& rxFrequency, const Words& words);

// The name of plan column 1 to 7 in messages: the English pack's header title ("RX Freq"),
// translated.
QString columnName(int column);

} // namespace zev
