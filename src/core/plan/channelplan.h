#pragma once

#include "plan/vocabulary.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <array>

namespace zev {

// The seven plan cells of one channel row, columns 1 to 7.
using ChannelRow = std::array<QString, 7>;

// The channel plan: the 17 x 8 channel table (header row, label column, 16 channels) and the
// seven function options, with the words and lists of the active language. Every window and
// procedure reads and writes the plan here; there is no second copy.
class ChannelPlan : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int RowCount = 17;
    static constexpr int ColumnCount = 8;
    static constexpr int ChannelCount = 16;
    enum Column { Label, RxFrequency, RxTone, TxFrequency, TxTone, Power, ScanAdd, BusyLock };

    explicit ChannelPlan(QObject* parent = nullptr);

    // Cells, addressed as (column, row) like the grid.
    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);
    ChannelRow channel(int row) const;
    void setChannel(int row, const ChannelRow& cells);
    bool isUsed(int row) const { return !cell(RxFrequency, row).isEmpty(); }
    void clearChannel(int row);
    void clearTable();
    void swapChannels(int row, int otherRow);
    void setHeader(const std::array<QString, ColumnCount>& titles);

    // Function options.
    int optionIndex(Option option) const;
    void setOptionIndex(Option option, int index); // an index outside the list means no selection
    QString optionText(Option option) const;
    QStringList optionItems(Option option) const;
    OptionIndices optionIndices() const;
    void setOptionIndices(const OptionIndices& indices);

    // Language: the words, the option item lists (indices kept) and the tone list head.
    const Words& words() const { return m_words; }
    void setWords(const Words& words);
    void rebuildOptionLists(const OptionTexts& texts);
    const OptionTexts& optionTexts() const { return m_optionTexts; }
    const QStringList& toneList() const { return m_tones; }
    void dropToneHead();                         // removes the off item when the list has 259
    void insertToneHead(const QString& offWord); // inserts the off item at index 0

    // Plan operations.
    void reset();
    void togglePower(int row);
    void toggleFlag(int column, int row);
    void reword(); // recognised words of either language become the active language's words

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    void optionChanged(zev::Option option);
    void optionItemsChanged(zev::Option option);
    void toneListChanged();

private:
    static bool inTable(int column, int row);

    std::array<std::array<QString, ColumnCount>, RowCount> m_cells;
    Words m_words = chineseWords();
    OptionTexts m_optionTexts = chineseOptionTexts();
    std::array<QStringList, OptionCount> m_optionItems;
    OptionIndices m_optionIndices = startupOptionIndices;
    QStringList m_tones = builtinTones();
};

// The name of plan column 1 to 7 in messages: the English pack's header title ("RX Freq"),
// translated.
QString columnName(int column);

} // namespace zev
