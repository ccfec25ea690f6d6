#include "writehistorydialog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace zev {

namespace {

enum Column {
    TimeColumn,
    PortColumn,
    DeviceColumn,
    ResultColumn,
    BandColumn,
    PlanColumn,
    HashColumn,
    BackupColumn,
    ReasonColumn,
    ColumnCount
};

// Enough digits to tell plans apart at a glance; the tip and the receipt have them all.
constexpr int ShownHashDigits = 12;

QDate localDate(const WriteRecord& record) {
    return record.time.toLocalTime().date();
}

// The log names files by their absolute path; "(window)" is none.
bool isFile(const QString& path) {
    const QFileInfo info(path);
    return info.isAbsolute() && info.isFile();
}

QTableWidgetItem* cell(const QString& text, const QString& tip = QString()) {
    auto* item = new QTableWidgetItem(text);
    item->setToolTip(tip.isEmpty() ? text : tip);
    return item;
}

} // namespace

WriteHistoryDialog::WriteHistoryDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("WriteHistoryDialog"));
    setWindowTitle(tr("Write history"));

    auto* filters = new QHBoxLayout;
    const auto dateEdit = [this](const char* name) {
        auto* edit = new QDateEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        connect(edit, &QDateEdit::dateChanged, this, &WriteHistoryDialog::showRecords);
        return edit;
    };
    m_from = dateEdit("FromDateEdit");
    m_to = dateEdit("ToDateEdit");
    m_device = new QComboBox(this);
    m_device->setObjectName(QStringLiteral("DeviceFilter"));
    m_device->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(m_device, &QComboBox::currentIndexChanged, this, &WriteHistoryDialog::showRecords);
    auto* fromLabel = new QLabel(tr("From:"), this);
    fromLabel->setBuddy(m_from);
    auto* toLabel = new QLabel(tr("To:"), this);
    toLabel->setBuddy(m_to);
    auto* deviceLabel = new QLabel(tr("Device:"), this);
    deviceLabel->setBuddy(m_device);
    filters->addWidget(fromLabel);
    filters->addWidget(m_from);
    filters->addWidget(toLabel);
    filters->addWidget(m_to);
    filters->addWidget(deviceLabel);
    filters->addWidget(m_device, 1);

    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("WriteHistoryTable"));
    m_table->setAccessibleName(windowTitle()); // for screen readers
    m_table->setHorizontalHeaderLabels({tr("Time"), tr("Port"), tr("Device"), tr("Result"),
                                        tr("Band"), tr("Plan"), tr("SHA-256"), tr("Backup"),
                                        tr("Reason")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setMinimumSize(760, 300);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &WriteHistoryDialog::updateButtons);

    m_problems = new QLabel(this);
    m_problems->setObjectName(QStringLiteral("WriteLogProblems"));
    m_problems->setWordWrap(true);
    m_problems->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("CloseButton"));
    const auto action = [this, buttons](const char* name, const QString& text) {
        auto* button = buttons->addButton(text, QDialogButtonBox::ActionRole);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        return button;
    };
    m_openPlan = action("OpenPlanButton", tr("Open plan"));
    m_openBackup = action("OpenBackupButton", tr("Open backup"));
    m_printReceipt = action("PrintReceiptButton", tr("Print receipt..."));
    m_exportReceipt = action("ExportReceiptButton", tr("Export receipt PDF..."));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_openPlan, &QPushButton::clicked, this, [this] {
        if (const std::optional<WriteRecord> record = selectedRecord())
            emit openPlanRequested(record->planFile);
    });
    connect(m_openBackup, &QPushButton::clicked, this, [this] {
        if (const std::optional<WriteRecord> record = selectedRecord())
            emit openBackupRequested(record->backupPath);
    });
    connect(m_printReceipt, &QPushButton::clicked, this, [this] {
        if (const std::optional<WriteRecord> record = selectedRecord())
            emit printReceiptRequested(*record);
    });
    connect(m_exportReceipt, &QPushButton::clicked, this, [this] {
        if (const std::optional<WriteRecord> record = selectedRecord())
            emit exportReceiptRequested(*record);
    });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_problems);
    layout->addWidget(buttons);
    updateButtons();
}

void WriteHistoryDialog::load(const QString& path) {
    m_records.clear();
    QStringList problems;
    if (const Result<writelog::Contents> read = writelog::read(path); !read) {
        problems << read.message();
    } else {
        m_records = read->records;
        problems = read->problems;
    }
    std::reverse(m_records.begin(), m_records.end());
    m_problems->setText(problems.join(QLatin1Char('\n')));
    m_problems->setVisible(!problems.isEmpty());

    // The filters span the log, and the table fills once, at the end.
    const QSignalBlocker blockFrom(m_from);
    const QSignalBlocker blockTo(m_to);
    const QSignalBlocker blockDevice(m_device);
    QDate oldest = QDate::currentDate();
    QDate newest = oldest;
    QStringList devices;
    for (const WriteRecord& record : m_records) {
        oldest = std::min(oldest, localDate(record));
        newest = std::max(newest, localDate(record));
        if (!devices.contains(record.device))
            devices << record.device;
    }
    devices.sort();
    m_from->setDate(oldest);
    m_to->setDate(newest);
    m_device->clear();
    m_device->addItem(tr("All devices"));
    for (const QString& device : devices)
        m_device->addItem(device, device);
    showRecords();
}

void WriteHistoryDialog::showRecords() {
    const QString device = m_device->currentData().toString();
    m_table->setRowCount(0);
    for (qsizetype index = 0; index < m_records.size(); ++index) {
        const WriteRecord& record = m_records.at(index);
        const QDate date = localDate(record);
        if (date < m_from->date() || date > m_to->date() ||
            (!device.isEmpty() && record.device != device))
            continue;
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        QTableWidgetItem* time =
            cell(record.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                 writelog::timeText(record.time));
        time->setData(Qt::UserRole, int(index));
        m_table->setItem(row, TimeColumn, time);
        m_table->setItem(row, PortColumn, cell(record.port));
        m_table->setItem(row, DeviceColumn, cell(record.device));
        m_table->setItem(row, ResultColumn, cell(writelog::outcomeText(record.outcome)));
        m_table->setItem(row, BandColumn, cell(record.band));
        m_table->setItem(row, PlanColumn, cell(QDir::toNativeSeparators(record.planFile)));
        m_table->setItem(row, HashColumn,
                         cell(record.planSha256.left(ShownHashDigits), record.planSha256));
        m_table->setItem(row, BackupColumn,
                         cell(QFileInfo(record.backupPath).fileName(),
                              QDir::toNativeSeparators(record.backupPath)));
        m_table->setItem(
            row, ReasonColumn,
            cell(QString(record.reason).replace(QLatin1Char('\n'), QStringLiteral("; ")),
                 record.reason));
    }
    m_table->resizeColumnsToContents();
    updateButtons();
}

std::optional<WriteRecord> WriteHistoryDialog::selectedRecord() const {
    const QList<QTableWidgetItem*> selected = m_table->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    const QTableWidgetItem* time = m_table->item(selected.first()->row(), TimeColumn);
    return m_records.at(time->data(Qt::UserRole).toInt());
}

void WriteHistoryDialog::updateButtons() {
    const std::optional<WriteRecord> record = selectedRecord();
    // A plan from the window that was no saved file cannot be opened again, nor shown on a sheet.
    const bool plan = record && isFile(record->planFile);
    m_openPlan->setEnabled(plan);
    m_printReceipt->setEnabled(plan);
    m_exportReceipt->setEnabled(plan);
    m_openBackup->setEnabled(record && isFile(record->backupPath));
}

} // namespace zev
