#include "severalradiosdialog.h"

#include "app/inifile.h"
#include "app/settings.h"
#include "errorbox.h"
#include "jobs/radiofleet.h"
#include "radio/portlist.h"
#include "workspace.h"
#include "writedialog.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zev {

namespace {

enum Column { PortColumn, ProgressColumn, ResultColumn };

// The out-of-band question, once for all the radios, over the dialog.
class SeveralRadiosQuestion : public JobObserver {
public:
    explicit SeveralRadiosQuestion(QWidget* parent) : m_parent(parent) {}
    bool confirmOutsideBand(const QString& band, const QStringList& channels) override {
        return WriteDialog::askOutsideBand(m_parent, band, channels);
    }

private:
    QWidget* m_parent;
};

QString oneLine(const QString& text) {
    return QString(text).replace(QLatin1Char('\n'), QStringLiteral("; "));
}

} // namespace

SeveralRadiosDialog::SeveralRadiosDialog(Workspace& workspace, IniFile& settingsFile,
                                         QString planFile, QWidget* parent)
    : QDialog(parent), m_workspace(workspace), m_settingsFile(settingsFile),
      m_planFile(std::move(planFile)) {
    setObjectName(QStringLiteral("SeveralRadiosDialog"));
    setWindowTitle(tr("Write to several radios"));
    m_table = new QTableWidget(0, 3, this);
    m_table->setObjectName(QStringLiteral("RadiosTable"));
    m_table->setHorizontalHeaderLabels({tr("Port"), tr("Progress"), tr("Result")});
    m_table->verticalHeader()->hide();
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(ResultColumn, QHeaderView::Stretch);
    m_table->setMinimumWidth(640);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("SummaryLabel"));
    m_summary->setWordWrap(true);
    m_write = new QPushButton(tr("Write"), this);
    m_write->setObjectName(QStringLiteral("WriteButton"));
    m_stop = new QPushButton(tr("Stop"), this);
    m_stop->setObjectName(QStringLiteral("StopButton"));
    m_stop->setEnabled(false);
    m_close = new QPushButton(tr("Close"), this);
    m_close->setObjectName(QStringLiteral("CloseButton"));
    connect(m_write, &QPushButton::clicked, this, &SeveralRadiosDialog::writeTicked);
    connect(m_stop, &QPushButton::clicked, this, &SeveralRadiosDialog::stop);
    connect(m_close, &QPushButton::clicked, this, &SeveralRadiosDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_write);
    buttons->addWidget(m_stop);
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    auto* tableLabel = new QLabel(tr("Tick the radios to write the current plan to:"), this);
    layout->addWidget(tableLabel);
    layout->addWidget(m_table);
    m_table->setAccessibleName(tableLabel->text()); // the label above it, for screen readers
    layout->addWidget(m_summary);
    layout->addLayout(buttons);
    listPorts();
}

SeveralRadiosDialog::~SeveralRadiosDialog() = default;

void SeveralRadiosDialog::listPorts() {
    const QStringList ticked = loadSeveralPorts(m_settingsFile);
    const QList<PresentPort> ports = presentAndMappedPorts(m_workspace.portDevices);
    m_table->setRowCount(int(ports.size()));
    for (int row = 0; row < ports.size(); ++row) {
        const PresentPort& port = ports.at(row);
        QString label = port.device;
        if (!port.stableName.isEmpty())
            label += QStringLiteral(" (%1)").arg(QFileInfo(port.stableName).fileName());
        auto* item = new QTableWidgetItem(label);
        item->setData(Qt::UserRole, port.device);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(ticked.contains(port.device) ? Qt::Checked : Qt::Unchecked);
        m_table->setItem(row, PortColumn, item);
        auto* bar = new QProgressBar(m_table);
        bar->setObjectName(QStringLiteral("ProgressBar%1").arg(row + 1));
        bar->setRange(0, 100);
        bar->setValue(0);
        m_table->setCellWidget(row, ProgressColumn, bar);
        m_table->setItem(row, ResultColumn, new QTableWidgetItem());
    }
    m_table->resizeColumnToContents(PortColumn);
    m_summary->setText(ports.isEmpty() ? tr("No serial ports are present.") : QString());
}

QStringList SeveralRadiosDialog::devices() const {
    QStringList devices;
    for (int row = 0; row < m_table->rowCount(); ++row)
        devices << m_table->item(row, PortColumn)->data(Qt::UserRole).toString();
    return devices;
}

bool SeveralRadiosDialog::isWriting() const {
    return m_fleet && m_fleet->isRunning();
}

void SeveralRadiosDialog::writeTicked() {
    if (isWriting())
        return;
    std::vector<FleetRadio> radios;
    QStringList ticked;
    m_rows.clear();
    for (int row = 0; row < m_table->rowCount(); ++row) {
        QTableWidgetItem* item = m_table->item(row, PortColumn);
        if (item->checkState() != Qt::Checked)
            continue;
        FleetRadio radio;
        radio.device = item->data(Qt::UserRole).toString();
        radio.name = radio.device;
        radios.push_back(radio);
        ticked << radio.device;
        m_rows << row;
        qobject_cast<QProgressBar*>(m_table->cellWidget(row, ProgressColumn))->setValue(0);
        m_table->item(row, ResultColumn)->setText(QString());
        m_table->item(row, ResultColumn)->setToolTip(QString());
    }
    if (radios.empty()) {
        m_summary->setText(tr("Tick at least one radio."));
        return;
    }
    if (Status saved = saveSeveralPorts(m_settingsFile, ticked); !saved)
        showErrorBox(this, saved.message());

    // Checked and asked about once, before any radio is touched.
    SeveralRadiosQuestion question(this);
    m_job.emplace(m_workspace.currentPlan(), m_workspace.plan.wording(), question);
    if (const Status& check = m_job->check(); !check) {
        showErrorBox(this, check.message());
        return;
    }
    if (m_job->declined())
        return;
    m_results.assign(radios.size(), WriteJobResult{});
    m_fleet = std::make_unique<RadioFleet>(std::move(radios));
    connect(m_fleet.get(), &RadioFleet::progressed, this, &SeveralRadiosDialog::showProgress);
    connect(m_fleet.get(), &RadioFleet::phaseStarted, this, &SeveralRadiosDialog::showPhase);
    connect(m_fleet.get(), &RadioFleet::radioFinished, this, &SeveralRadiosDialog::showResult);
    connect(m_fleet.get(), &RadioFleet::finished, this, &SeveralRadiosDialog::finishWrite);
    m_write->setEnabled(false);
    m_stop->setEnabled(true);
    m_summary->setText(tr("Writing to %n radio(s)...", nullptr, int(m_rows.size())));
    const WriteJob& job = *m_job;
    WriteJobSettings settings = m_workspace.writeJob;
    m_logged =
        writelog::loggedPlan(m_workspace.currentPlan(), m_workspace.plan.wording(), m_planFile);
    // Each radio's line goes to the write log as its write ends, from its own thread.
    m_fleet->start([&job, settings, this](FleetRadio& radio, RadioLink& link,
                                          JobObserver& observer) {
        WriteJobSettings own = settings;
        own.device = radio.device;
        const int index = int(&radio - &m_fleet->radios().front());
        WriteJobResult result = job.run(link, own, observer);
        radio.file = result.backupPath;
        if (!result.succeeded())
            radio.failure = result.session.reason;
        if (const std::optional<WriteRecord> record =
                writelog::recordOfJob(m_logged, radio.name, radio.device, result, own.verify))
            if (const Status logged = writelog::append(writelog::defaultPath(), *record); !logged)
                radio.warning = logged.message();
        m_results[size_t(index)] = std::move(result);
    });
}

void SeveralRadiosDialog::showProgress(int index, int percent) {
    qobject_cast<QProgressBar*>(m_table->cellWidget(rowOf(index), ProgressColumn))
        ->setValue(percent);
}

void SeveralRadiosDialog::showPhase(int index, WritePhase phase) {
    QString text;
    switch (phase) {
    case WritePhase::Backup:
        text = tr("backing up");
        break;
    case WritePhase::Write:
        text = tr("writing");
        break;
    case WritePhase::Verify:
        text = tr("verifying");
        break;
    }
    m_table->item(rowOf(index), ResultColumn)->setText(text);
}

void SeveralRadiosDialog::showResult(int index) {
    const FleetRadio& radio = m_fleet->radios()[size_t(index)];
    const WriteJobResult& result = m_results[size_t(index)];
    QString text;
    if (radio.portFailed)
        text = tr("failed: %1").arg(oneLine(radio.failure));
    else if (result.succeeded())
        text = m_workspace.writeJob.verify ? tr("verified") : tr("written, not checked");
    else if (result.session.outcome == SessionOutcome::Cancelled)
        text = tr("stopped: %1").arg(oneLine(result.session.reason));
    else
        text = tr("failed: %1").arg(oneLine(result.session.reason));
    QString details = text;
    if (!radio.file.isEmpty()) {
        text += QStringLiteral("  ") + tr("backup %1").arg(QFileInfo(radio.file).fileName());
        details += QLatin1Char('\n') + QDir::toNativeSeparators(radio.file);
    }
    QTableWidgetItem* item = m_table->item(rowOf(index), ResultColumn);
    item->setText(text);
    item->setToolTip(details);
    if (result.succeeded())
        qobject_cast<QProgressBar*>(m_table->cellWidget(rowOf(index), ProgressColumn))
            ->setValue(100);
}

void SeveralRadiosDialog::finishWrite() {
    int succeeded = 0;
    QString logProblem;
    for (size_t i = 0; i < m_results.size(); ++i) {
        const FleetRadio& radio = m_fleet->radios()[i];
        if (radio.portFailed) {
            const WriteRecord record =
                writelog::recordOfFailure(m_logged, radio.name, radio.device, radio.failure);
            if (const Status logged = writelog::append(writelog::defaultPath(), record); !logged)
                logProblem = logged.message();
        } else if (m_results[i].succeeded()) {
            ++succeeded;
        }
        if (!radio.warning.isEmpty())
            logProblem = radio.warning;
    }
    QString summary = tr("%1 of %2 radios written.").arg(succeeded).arg(m_results.size());
    if (!logProblem.isEmpty())
        summary += QLatin1Char('\n') + logProblem;
    m_summary->setText(summary);
    m_write->setEnabled(true);
    m_stop->setEnabled(false);
}

void SeveralRadiosDialog::stop() {
    if (m_fleet)
        m_fleet->stop();
}

void SeveralRadiosDialog::reject() {
    if (isWriting()) {
        // Every radio gets its end frame before the dialog goes.
        stop();
        QEventLoop loop;
        connect(m_fleet.get(), &RadioFleet::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    QDialog::reject();
}

} // namespace zev
