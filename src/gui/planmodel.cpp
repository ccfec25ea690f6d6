#include "planmodel.h"

namespace zev {

PlanModel::PlanModel(QObject* parent) : QAbstractTableModel(parent) {
    m_plan.options = startupOptionIndices;
    for (Option option : allOptions)
        m_optionItems[optionSlot(option)] = m_wording.optionItems(option);
}

bool PlanModel::inTable(int column, int row) {
    return column >= 0 && column < ColumnCount && row >= 0 && row < RowCount;
}

void PlanModel::cellChanged(int column, int row) {
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void PlanModel::setPlan(const Plan& plan) {
    const Plan shown = worded(plan, m_wording);
    m_plan.band = shown.band;
    setOptionIndices(shown.options);
    for (int row = 1; row <= ChannelCount; ++row)
        setChannel(row, shown.channel(row));
}

QString PlanModel::cell(int column, int row) const {
    if (!inTable(column, row))
        return QString();
    if (row == 0)
        return m_wording.header[size_t(column)];
    if (column == Label)
        return QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
    return m_plan.cell(column, row);
}

QString PlanModel::cellName(int column, int row) const {
    if (!inTable(column, row) || row == 0)
        return cell(column, row);
    const QString channel = cell(Label, row);
    if (column == Label)
        return tr("Channel %1").arg(channel);
    return tr("Channel %1, %2").arg(channel, cell(column, 0));
}

QString PlanModel::accessibleText(int column, int row) const {
    if (row == 0 || column == Label)
        return cellName(column, row);
    const QString value = cell(column, row);
    return tr("Channel %1, %2, %3")
        .arg(cell(Label, row), cell(column, 0), value.isEmpty() ? tr("empty") : value);
}

void PlanModel::setCell(int column, int row, const QString& text) {
    if (!inTable(column, row) || (column == Label && row > 0) || cell(column, row) == text)
        return;
    if (row == 0)
        m_wording.header[size_t(column)] = text;
    else
        m_plan.setCell(column, row, text);
    cellChanged(column, row);
}

ChannelRow PlanModel::channel(int row) const {
    return row >= 1 && row <= ChannelCount ? m_plan.channel(row) : ChannelRow{};
}

void PlanModel::setChannel(int row, const ChannelRow& cells) {
    for (int column = RxFrequency; column <= BusyLock; ++column)
        setCell(column, row, cells[column - 1]);
}

void PlanModel::clearChannel(int row) {
    setChannel(row, ChannelRow{});
}

void PlanModel::clearTable() {
    // Column by column, as the reset empties them.
    for (int column = RxFrequency; column <= BusyLock; ++column)
        for (int row = 1; row < RowCount; ++row)
            setCell(column, row, QString());
}

void PlanModel::swapChannels(int row, int otherRow) {
    if (row < 1 || row > ChannelCount || otherRow < 1 || otherRow > ChannelCount)
        return;
    const ChannelRow first = channel(row);
    setChannel(row, channel(otherRow));
    setChannel(otherRow, first);
}

void PlanModel::setHeader(const std::array<QString, ColumnCount>& titles) {
    for (int column = 0; column < ColumnCount; ++column) {
        if (m_wording.header[size_t(column)] == titles[size_t(column)])
            continue;
        m_wording.header[size_t(column)] = titles[size_t(column)];
        cellChanged(column, 0);
    }
}

int PlanModel::optionIndex(Option option) const {
    return m_plan.options[optionSlot(option)];
}

void PlanModel::setOptionIndex(Option option, int index) {
    const int slot = optionSlot(option);
    if (index < 0 || index >= m_optionItems[slot].size())
        index = -1;
    if (m_plan.options[slot] == index)
        return;
    m_plan.options[slot] = index;
    emit optionChanged(option);
}

QString PlanModel::optionText(Option option) const {
    return m_optionItems[optionSlot(option)].value(optionIndex(option));
}

QStringList PlanModel::optionItems(Option option) const {
    return m_optionItems[optionSlot(option)];
}

void PlanModel::setOptionIndices(const OptionIndices& indices) {
    for (Option option : allOptions)
        setOptionIndex(option, indices[optionSlot(option)]);
}

void PlanModel::setWording(const Wording& wording) {
    const Wording before = m_wording;
    m_wording.words = wording.words;
    rebuildOptionLists(wording.optionTexts);
    setHeader(wording.header);
    if (before.tones != wording.tones) {
        m_wording.tones = wording.tones;
        emit toneListChanged();
    }
}

void PlanModel::setWords(const Words& words) {
    m_wording.words = words;
}

void PlanModel::rebuildOptionLists(const OptionTexts& texts) {
    m_wording.optionTexts = texts;
    for (Option option : allOptions) {
        if (option == Option::Squelch)
            continue; // the digits never change
        m_optionItems[optionSlot(option)] = m_wording.optionItems(option);
        emit optionItemsChanged(option);
    }
}

void PlanModel::dropToneHead() {
    const qsizetype before = m_wording.tones.size();
    m_wording.dropToneHead();
    if (m_wording.tones.size() != before)
        emit toneListChanged();
}

void PlanModel::insertToneHead(const QString& offWord) {
    m_wording.insertToneHead(offWord);
    emit toneListChanged();
}

void PlanModel::reset() {
    setOptionIndices(resetOptionIndices);
    clearTable();
}

void PlanModel::togglePower(int row) {
    const Words& words = m_wording.words;
    setCell(Power, row, cell(Power, row) == words.high ? words.low : words.high);
}

void PlanModel::toggleFlag(int column, int row) {
    const Words& words = m_wording.words;
    setCell(column, row, cell(column, row) == words.off ? words.on : words.off);
}

void PlanModel::reword() {
    for (int row = 1; row <= ChannelCount; ++row)
        setChannel(row, reworded(channel(row), m_wording.words));
}

int PlanModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : RowCount;
}

int PlanModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PlanModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cell(index.column(), index.row());
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role == Qt::AccessibleTextRole)
        return accessibleText(index.column(), index.row());
    return {};
}

Qt::ItemFlags PlanModel::flags(const QModelIndex& index) const {
    // Cells are selectable but never edited in place: the editor lays its own controls over them.
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void showPlan(const Plan& plan, PlanModel& model, BandList& bands) {
    bands.applyBand(plan.band);
    model.setPlan(plan);
}

} // namespace zev
