#include "plan/channelplan.h"

#include <QCoreApplication>

namespace zev {

ChannelPlan::ChannelPlan(QObject* parent) : QAbstractTableModel(parent) {
    for (int row = 1; row < RowCount; ++row)
        m_cells[row][Label] = QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
    for (Option option : allOptions)
        m_optionItems[optionSlot(option)] = zev::optionItems(option, m_words, m_optionTexts);
}

bool ChannelPlan::inTable(int column, int row) {
    return column >= 0 && column < ColumnCount && row >= 0 && row < RowCount;
}

QString ChannelPlan::cell(int column, int row) const {
    return inTable(column, row) ? m_cells[row][column] : QString();
}

void ChannelPlan::setCell(int column, int row, const QString& text) {
    if (!inTable(column, row) || m_cells[row][column] == text)
        return;
    m_cells[row][column] = text;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

ChannelRow ChannelPlan::channel(int row) const {
    ChannelRow cells;
    for (int column = RxFrequency; column <= BusyLock; ++column)
        cells[column - 1] = cell(column, row);
    return cells;
}

void ChannelPlan::setChannel(int row, const ChannelRow& cells) {
    for (int column = RxFrequency; column <= BusyLock; ++column)
        setCell(column, row, cells[column - 1]);
}

void ChannelPlan::clearChannel(int row) {
    setChannel(row, ChannelRow{});
}

void ChannelPlan::clearTable() {
    // Column by column, as the reset empties them.
    for (int column = RxFrequency; column <= BusyLock; ++column)
        for (int row = 1; row < RowCount; ++row)
            setCell(column, row, QString());
}

void ChannelPlan::swapChannels(int row, int otherRow) {
    if (row < 1 || row > ChannelCount || otherRow < 1 || otherRow > ChannelCount)
        return;
    const ChannelRow first = channel(row);
    setChannel(row, channel(otherRow));
    setChannel(otherRow, first);
}

void ChannelPlan::setHeader(const std::array<QString, ColumnCount>& titles) {
    for (int column = 0; column < ColumnCount; ++column)
        setCell(column, 0, titles[column]);
}

int ChannelPlan::optionIndex(Option option) const {
    return m_optionIndices[optionSlot(option)];
}

void ChannelPlan::setOptionIndex(Option option, int index) {
    const int slot = optionSlot(option);
    if (index < 0 || index >= m_optionItems[slot].size())
        index = -1;
    if (m_optionIndices[slot] == index)
        return;
    m_optionIndices[slot] = index;
    emit optionChanged(option);
}

QString ChannelPlan::optionText(Option option) const {
    const int index = optionIndex(option);
    return index < 0 ? QString() : m_optionItems[optionSlot(option)].at(index);
}

QStringList ChannelPlan::optionItems(Option option) const {
    return m_optionItems[optionSlot(option)];
}

OptionIndices ChannelPlan::optionIndices() const {
    return m_optionIndices;
}

void ChannelPlan::setOptionIndices(const OptionIndices& indices) {
    for (Option option : allOptions)
        setOptionIndex(option, indices[optionSlot(option)]);
}

void ChannelPlan::setWords(const Words& words) {
    m_words = words;
}

void ChannelPlan::rebuildOptionLists(const OptionTexts& texts) {
    m_optionTexts = texts;
    for (Option option : allOptions) {
        if (option == Option::Squelch)
            continue; // the digits never change
        const int slot = optionSlot(option);
        m_optionItems[slot] = zev::optionItems(option, m_words, m_optionTexts);
        emit optionItemsChanged(option);
    }
}

void ChannelPlan::dropToneHead() {
    if (m_tones.size() == builtinTones().size() + 1) {
        m_tones.removeFirst();
        emit toneListChanged();
    }
}

void ChannelPlan::insertToneHead(const QString& offWord) {
    m_tones.prepend(offWord);
    emit toneListChanged();
}

void ChannelPlan::reset() {
    setOptionIndices(resetOptionIndices);
    clearTable();
}

void ChannelPlan::togglePower(int row) {
    setCell(Power, row, cell(Power, row) == m_words.high ? m_words.low : m_words.high);
}

void ChannelPlan::toggleFlag(int column, int row) {
    setCell(column, row, cell(column, row) == m_words.off ? m_words.on : m_words.off);
}

void ChannelPlan::reword() {
    for (int row = 1; row <= ChannelCount; ++row) {
        for (int column : {RxTone, TxTone, Power, ScanAdd, BusyLock}) {
            const WordMeaning meaning = recogniseWord(cell(column, row));
            QString word;
            if (column == Power) {
                if (meaning == WordMeaning::High)
                    word = m_words.high;
                else if (meaning == WordMeaning::Low)
                    word = m_words.low;
            } else if (meaning == WordMeaning::Off) {
                word = m_words.off;
            } else if (meaning == WordMeaning::On && (column == ScanAdd || column == BusyLock)) {
                word = m_words.on;
            }
            if (!word.isNull())
                setCell(column, row, word);
        }
    }
}

int ChannelPlan::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : RowCount;
}

int ChannelPlan::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ChannelPlan::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cell(index.column(), index.row());
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags ChannelPlan::flags(const QModelIndex& index) const {
    // Cells are selectable but never edited in place: the editor lays its own controls over them.
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QString columnName(int column) {
    // The English pack's header titles.
    switch (column) {
    case ChannelPlan::RxFrequency:
        return QCoreApplication::translate("zev::Vocabulary", "RX Freq");
    case ChannelPlan::RxTone:
        return QCoreApplication::translate("zev::Vocabulary", "RX Tone");
    case ChannelPlan::TxFrequency:
        return QCoreApplication::translate("zev::Vocabulary", "TX Freq");
    case ChannelPlan::TxTone:
        return QCoreApplication::translate("zev::Vocabulary", "TX Tone");
    case ChannelPlan::Power:
        return QCoreApplication::translate("zev::Vocabulary", "Power");
    case ChannelPlan::ScanAdd:
        return QCoreApplication::translate("zev::Vocabulary", "Scan Add");
    case ChannelPlan::BusyLock:
        return QCoreApplication::translate("zev::Vocabulary", "Busy Lock");
    }
    return {};
}

} // namespace zev
