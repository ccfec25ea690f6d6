#include "stocklistdialog.h"

#include "app/mnemonic.h"
#include "plan/band.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace zev {

namespace {

enum PreviewColumn { NameColumn, RxColumn, TxColumn, BandColumn, PreviewColumns };

} // namespace

StockListDialog::StockListDialog(const Words& words, const QString& band, QWidget* parent)
    : QDialog(parent), m_words(words), m_band(band) {
    setObjectName(QStringLiteral("StockListDialog"));
    setWindowTitle(tr("New from stock list"));
    auto* layout = new QVBoxLayout(this);

    auto* listsLabel = new QLabel(tr("&Channel lists:"), this);
    layout->addWidget(listsLabel);
    m_lists = new QListWidget(this);
    m_lists->setObjectName(QStringLiteral("StockLists"));
    for (const StockList& list : stockLists())
        m_lists->addItem(
            tr("%1 (%2, %3 channels)").arg(list.titleText(), list.regionText()).arg(list.size()));
    listsLabel->setBuddy(m_lists);
    // An item view takes its name from itself, not from its label.
    m_lists->setAccessibleName(plainCaption(listsLabel->text()));
    // Every list at once: the preview below takes the rest.
    m_lists->setFixedHeight(m_lists->sizeHintForRow(0) * m_lists->count() +
                            2 * m_lists->frameWidth() + 4);
    layout->addWidget(m_lists);

    auto* entryRow = new QHBoxLayout;
    auto* entryLabel = new QLabel(tr("&First entry:"), this);
    entryLabel->setObjectName(QStringLiteral("StockFirstEntryLabel"));
    m_firstEntry = new QSpinBox(this);
    m_firstEntry->setObjectName(QStringLiteral("StockFirstEntry"));
    m_firstEntry->setToolTip(tr("The entry of the list that becomes channel 1"));
    entryLabel->setBuddy(m_firstEntry);
    entryRow->addWidget(entryLabel);
    entryRow->addWidget(m_firstEntry);
    entryRow->addStretch();
    layout->addLayout(entryRow);

    m_preview = new QTableWidget(Plan::ChannelCount, PreviewColumns, this);
    m_preview->setObjectName(QStringLiteral("StockPreview"));
    m_preview->setHorizontalHeaderLabels(
        {tr("Name"), columnName(Plan::RxFrequency), columnName(Plan::TxFrequency), tr("Band")});
    QStringList labels;
    for (int row = 1; row <= Plan::ChannelCount; ++row)
        labels << QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
    m_preview->setVerticalHeaderLabels(labels);
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->setSelectionMode(QAbstractItemView::NoSelection);
    m_preview->setFocusPolicy(Qt::NoFocus);
    m_preview->horizontalHeader()->setStretchLastSection(true);
    // All 16 rows in view.
    m_preview->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_preview->setMinimumHeight(
        m_preview->verticalHeader()->defaultSectionSize() * Plan::ChannelCount +
        m_preview->horizontalHeader()->sizeHint().height() + 2 * m_preview->frameWidth() + 2);
    layout->addWidget(m_preview, 1);

    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("StockNote"));
    m_note->setWordWrap(true);
    layout->addWidget(m_note);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->setObjectName(QStringLiteral("StockButtons"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(m_buttons);

    connect(m_lists, &QListWidget::currentRowChanged, this, &StockListDialog::chooseList);
    connect(m_firstEntry, &QSpinBox::valueChanged, this, &StockListDialog::showPreview);
    m_lists->setCurrentRow(0);
    m_lists->setFocus();
    resize(560, sizeHint().height());
}

void StockListDialog::chooseList() {
    const int index = m_lists->currentRow();
    const std::span<const StockList> lists = stockLists();
    const int last = index >= 0 ? lists[size_t(index)].lastFirstEntry() : 1;
    {
        // One preview for the new list, not one for its old entry in between.
        const QSignalBlocker blocker(m_firstEntry);
        m_firstEntry->setRange(1, last);
        m_firstEntry->setValue(1);
    }
    m_firstEntry->setEnabled(last > 1);
    showPreview();
}

void StockListDialog::showPreview() {
    const int index = m_lists->currentRow();
    m_made.reset();
    m_preview->clearContents();
    m_note->clear();
    if (index >= 0) {
        const Result<StockPlan> made =
            makeStockPlan(stockLists()[size_t(index)], m_firstEntry->value(), m_band, m_words,
                          decimalSeparator());
        if (made)
            m_made = made.value();
        else
            m_note->setText(made.message());
    }
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(m_made.has_value());
    if (!m_made)
        return;

    const Plan& plan = m_made->plan;
    const QList<OutOfBandChannel> outside = outOfBandChannels(plan);
    for (int row = 1; row <= Plan::ChannelCount; ++row) {
        const bool out = std::any_of(outside.cbegin(), outside.cend(),
                                     [row](const OutOfBandChannel& c) { return c.channel == row; });
        const QStringList cells = {
            m_made->names[size_t(row - 1)], plan.cell(Plan::RxFrequency, row),
            plan.cell(Plan::TxFrequency, row), out ? tr("outside") : QString()};
        for (int column = 0; column < PreviewColumns; ++column)
            m_preview->setItem(row - 1, column, new QTableWidgetItem(cells.at(column)));
    }
    m_preview->resizeColumnsToContents();

    QStringList lines;
    if (!outside.isEmpty())
        lines << tr("%1 of these channels lie outside the band %2; they are kept, and Write "
                    "warns about them.")
                     .arg(outside.size())
                     .arg(m_band);
    else if (parseBand(m_band))
        lines << tr("Every channel lies in the band %1.").arg(m_band);
    if (!m_made->notes.isEmpty())
        lines << tr("Not held exactly:") << m_made->notes;
    m_note->setText(lines.join(QLatin1Char('\n')));
}

} // namespace zev
