#include "roweditdialogs.h"

#include "errorbox.h"
#include "plan/frequency.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zev {

namespace {

// "01, 02, 05": the channels the command works on.
QString channelNumbers(const QList<int>& channels) {
    QStringList numbers;
    for (const int channel : channels)
        numbers << QStringLiteral("%1").arg(channel, 2, 10, QLatin1Char('0'));
    return numbers.join(QStringLiteral(", "));
}

QDialogButtonBox* okCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->setObjectName(QStringLiteral("ButtonBox"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

// The first item of each choice leaves the cells as they are.
std::optional<QString> chosenText(const QComboBox* box) {
    return box->currentIndex() > 0 ? std::optional<QString>(box->currentText()) : std::nullopt;
}

std::optional<bool> chosenFlag(const QComboBox* box) {
    return box->currentIndex() > 0 ? std::optional<bool>(box->currentIndex() == 1) : std::nullopt;
}

} // namespace

SetRowsDialog::SetRowsDialog(const Wording& wording, const QList<int>& channels, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("SetRowsDialog"));
    setWindowTitle(tr("Set for selected rows"));
    const Words& words = wording.words;
    m_rxTone = choiceBox("RxToneBox", wording.tones);
    m_txTone = choiceBox("TxToneBox", wording.tones);
    m_sameTone = new QCheckBox(tr("TX tone as RX tone"), this);
    m_sameTone->setObjectName(QStringLiteral("SameToneBox"));
    m_power = choiceBox("PowerBox", {words.high, words.low});
    m_scanAdd = choiceBox("ScanAddBox", {words.on, words.off});
    m_busyLock = choiceBox("BusyLockBox", {words.on, words.off});
    connect(m_sameTone, &QCheckBox::toggled, this, &SetRowsDialog::followRxTone);
    connect(m_rxTone, &QComboBox::currentIndexChanged, this, &SetRowsDialog::followRxTone);

    auto* channelsLabel = new QLabel(tr("Used channels among %1").arg(channelNumbers(channels)));
    channelsLabel->setObjectName(QStringLiteral("ChannelsLabel"));
    channelsLabel->setWordWrap(true);
    auto* form = new QFormLayout;
    const ColumnTitles titles = wording.columnTitles();
    const auto title = [&titles](int column) {
        const QString packed = titles[column - 1];
        return packed.isEmpty() ? columnName(column) : packed;
    };
    form->addRow(title(Plan::RxTone), m_rxTone);
    form->addRow(title(Plan::TxTone), m_txTone);
    form->addRow(QString(), m_sameTone);
    form->addRow(title(Plan::Power), m_power);
    form->addRow(title(Plan::ScanAdd), m_scanAdd);
    form->addRow(title(Plan::BusyLock), m_busyLock);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(channelsLabel);
    layout->addLayout(form);
    layout->addWidget(okCancel(this));
}

QComboBox* SetRowsDialog::choiceBox(const char* name, const QStringList& items) {
    auto* box = new QComboBox(this);
    box->setObjectName(QLatin1String(name));
    box->addItem(tr("(unchanged)"));
    box->addItems(items);
    return box;
}

void SetRowsDialog::followRxTone() {
    m_txTone->setEnabled(!m_sameTone->isChecked());
    if (m_sameTone->isChecked())
        m_txTone->setCurrentIndex(m_rxTone->currentIndex());
}

RowSettings SetRowsDialog::settings() const {
    RowSettings settings;
    settings.rxTone = chosenText(m_rxTone);
    settings.txTone = chosenText(m_txTone);
    settings.highPower = chosenFlag(m_power); // High is the first word, as On is
    settings.scanAdd = chosenFlag(m_scanAdd);
    settings.busyLock = chosenFlag(m_busyLock);
    return settings;
}

FillFrequenciesDialog::FillFrequenciesDialog(const QList<int>& channels, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FillFrequenciesDialog"));
    setWindowTitle(tr("Fill frequencies"));
    m_start = new QLineEdit(this);
    m_start->setObjectName(QStringLiteral("StartEdit"));
    m_start->setPlaceholderText(QStringLiteral("446%100625").arg(decimalSeparator()));
    m_step = new QComboBox(this);
    m_step->setObjectName(QStringLiteral("StepBox"));
    m_step->setEditable(true);
    for (const char* step : {"12.5", "25", "5", "6.25", "10", "20", "50", "100"})
        m_step->addItem(QString::fromLatin1(step).replace(QLatin1Char('.'), decimalSeparator()));
    m_useOffset = new QCheckBox(tr("TX offset (MHz)"), this);
    m_useOffset->setObjectName(QStringLiteral("OffsetCheck"));
    m_offset = new QLineEdit(this);
    m_offset->setObjectName(QStringLiteral("OffsetEdit"));
    m_offset->setPlaceholderText(QStringLiteral("-5, +0%10.6").arg(decimalSeparator()));
    m_offset->setEnabled(false);
    // Its label is the check box, which names no field for a screen reader.
    m_offset->setAccessibleName(m_useOffset->text());
    connect(m_useOffset, &QCheckBox::toggled, m_offset, &QWidget::setEnabled);
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("ProblemLabel"));
    m_problem->setWordWrap(true);

    auto* channelsLabel =
        new QLabel(tr("RX = TX frequencies for channels %1").arg(channelNumbers(channels)));
    channelsLabel->setObjectName(QStringLiteral("ChannelsLabel"));
    channelsLabel->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(tr("First frequency (MHz)"), m_start);
    form->addRow(tr("Step (kHz)"), m_step);
    form->addRow(m_useOffset, m_offset);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(channelsLabel);
    layout->addLayout(form);
    layout->addWidget(m_problem);
    layout->addWidget(okCancel(this));
}

Result<FrequencyFill> FillFrequenciesDialog::fill() const {
    FrequencyFill fill;
    const std::optional<qint64> start = typedHertz(m_start->text(), HertzPerMHz, false);
    if (!start)
        return Status::failure(
            tr("The first frequency '%1' is not a number of MHz.").arg(m_start->text()));
    const std::optional<qint64> step = typedHertz(m_step->currentText(), 1000, false);
    if (!step || *step == 0)
        return Status::failure(
            tr("The step '%1' is not a number of kHz.").arg(m_step->currentText()));
    fill.startHz = *start;
    fill.stepHz = *step;
    if (m_useOffset->isChecked()) {
        const std::optional<qint64> offset = typedHertz(m_offset->text(), HertzPerMHz, true);
        if (!offset)
            return Status::failure(
                tr("The offset '%1' is not a number of MHz.").arg(m_offset->text()));
        fill.offsetHz = *offset;
    }
    return fill;
}

void FillFrequenciesDialog::accept() {
    if (const Result<FrequencyFill> taken = fill(); !taken) {
        m_problem->setText(taken.message());
        return;
    }
    QDialog::accept();
}

} // namespace zev
