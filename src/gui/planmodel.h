#pragma once

#include "plan/bandlist.h"
#include "plan/plan.h"
#include "plan/wording.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <array>

namespace zev {

// The channel table as the window shows it: 17 x 8 cells, the header row and the row labels
// around the current plan's 16 channels, and the plan's options with the lists of the active
// wording. Windows read and edit the plan through it; a plan value goes in and out whole.
class PlanModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int RowCount = 17;
    static constexpr int ColumnCount = 8;
    static constexpr int ChannelCount = Plan::ChannelCount;
    using Column = Plan::Column;
    static constexpr Column Label = Plan::Label;
    static constexpr Column RxFrequency = Plan::RxFrequency;
    static constexpr Column RxTone = Plan::RxTone;
    static constexpr Column TxFrequency = Plan::TxFrequency;
    static constexpr Column TxTone = Plan::TxTone;
    static constexpr Column Power = Plan::Power;
    static constexpr Column ScanAdd = Plan::ScanAdd;
    static constexpr Column BusyLock = Plan::BusyLock;

    explicit PlanModel(QObject* parent = nullptr);

    // The whole plan. Setting one changes only the cells and options that differ, so the
    // table keeps its selection; options the lists lack have no selection, and the words of
    // either language become the active ones.
    const Plan& plan() const { return m_plan; }
    void setPlan(const Plan& plan);
    void setBand(const QString& band) { m_plan.band = band; }

    // Cells, addressed as (column, row) like the grid; row 0 is the header, column 0 the labels.
    QString cell(int column, int row) const;
    // What a screen reader calls a channel's cell, in the active language: "Channel 03, RX Freq".
    // Its Qt::AccessibleTextRole adds the value: "Channel 03, RX Freq, 156.80000"; a row label
    // reads "Channel 03", a header cell its column title.
    QString cellName(int column, int row) const;
    void setCell(int column, int row, const QString& text);
    ChannelRow channel(int row) const;
    void setChannel(int row, const ChannelRow& cells);
    bool isUsed(int row) const { return m_plan.isUsed(row); }
    void clearChannel(int row);
    void clearTable();
    void swapChannels(int row, int otherRow);
    void setHeader(const std::array<QString, ColumnCount>& titles);

    // Function options.
    int optionIndex(Option option) const;
    void setOptionIndex(Option option, int index); // an index outside the list means no selection
    QString optionText(Option option) const;
    QStringList optionItems(Option option) const;
    OptionIndices optionIndices() const { return m_plan.options; }
    void setOptionIndices(const OptionIndices& indices);

    // Language: the words, the option item lists (indices kept) and the tone list head.
    const Wording& wording() const { return m_wording; }
    void setWording(const Wording& wording);
    const Words& words() const { return m_wording.words; }
    void setWords(const Words& words);
    void rebuildOptionLists(const OptionTexts& texts);
    const QStringList& toneList() const { return m_wording.tones; }
    void dropToneHead();
    void insertToneHead(const QString& offWord);

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
    QString accessibleText(int column, int row) const;
    void cellChanged(int column, int row);

    Plan m_plan;
    Wording m_wording;
    // The item lists the selectors show; rebuilt only when the option texts change.
    std::array<QStringList, OptionCount> m_optionItems;
};

// Puts a whole plan in place, not a reset: its band looked up or appended and selected (the title
// follows bands.bandApplied), then its options and channels in the model's wording.
void showPlan(const Plan& plan, PlanModel& model, BandList& bands);

} // namespace zev
