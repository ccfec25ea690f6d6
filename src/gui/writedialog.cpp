#include "writedialog.h"

#include "app/builtintexts.h"
#include "app/textids.h"
#include "radio/failureadvice.h"

#include <QDir>
#include <QFileInfo>
#include <QHideEvent>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

namespace zev {

namespace {

constexpr QSize plainSize(340, 150);

} // namespace

WriteDialog::WriteDialog(Workspace& workspace, QWidget* parent)
    : TransferDialog(workspace, builtinWriteButton(), parent) {
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(builtinText(TextId::WriteCommand));
    m_phase = new QLabel;
    m_phase->setObjectName(QStringLiteral("PhaseLabel"));
    m_phase->setContentsMargins(12, 0, 12, 0);
    m_logProblem = new QLabel;
    m_logProblem->setObjectName(QStringLiteral("WriteLogProblemLabel"));
    m_logProblem->setContentsMargins(12, 0, 12, 0);
    m_logProblem->setWordWrap(true);
    m_logProblem->hide();
    // Above the status bar, the last item of the dialog's column.
    if (auto* column = qobject_cast<QVBoxLayout*>(layout())) {
        column->insertWidget(column->count() - 1, m_phase);
        column->insertWidget(column->count() - 1, m_logProblem);
    }
    setFixedSize(plainSize);
}

void WriteDialog::showPhase(WritePhase phase) {
    switch (phase) {
    case WritePhase::Backup:
        m_phase->setText(tr("Backing up the radio..."));
        break;
    case WritePhase::Write:
        m_phase->setText(tr("Writing..."));
        break;
    case WritePhase::Verify:
        m_phase->setText(tr("Checking what the radio holds..."));
        break;
    }
    m_phase->setToolTip(QString());
    announce(m_phase->text());
}

QString WriteDialog::busyText() const {
    return tr("Writing...");
}

void WriteDialog::showBackup(const QString& path) {
    m_phase->setText(path.isEmpty() ? QString() : tr("Backup: %1").arg(QFileInfo(path).fileName()));
    m_phase->setToolTip(QDir::toNativeSeparators(path));
}

QString WriteDialog::phaseText() const {
    return m_phase->text();
}

void WriteDialog::showJobFailure(const WriteJobResult& result) {
    QString text;
    if (result.phase == WritePhase::Backup)
        text = tr("No backup of the radio could be made, so nothing was written.") +
               QStringLiteral("\n\n") +
               sessionFailureAdvice(result.session).join(QLatin1Char('\n')) +
               QStringLiteral("\n\n") +
               tr("To write without a backup, turn off \"Back up the radio before writing\" in "
                  "the Options menu.");
    else if (!result.mismatches.isEmpty())
        text = tr("The write went through, but the radio does not hold what was written:") +
               QLatin1Char('\n') +
               describeByteMismatches(result.mismatches, ShownDifferences).join(QLatin1Char('\n'));
    else
        text = tr("The write went through, but the radio could not be read back to check it.") +
               QStringLiteral("\n\n") +
               sessionFailureAdvice(result.session).join(QLatin1Char('\n'));
    QMessageBox box(QMessageBox::Critical, tr("Write not confirmed"), text, QMessageBox::Ok, this);
    if (result.phase == WritePhase::Backup)
        box.setWindowTitle(tr("Nothing written"));
    box.exec();
}

void WriteDialog::showLogProblem(const QString& problem) {
    m_logProblem->setText(problem);
    m_logProblem->setToolTip(problem);
    m_logProblem->setVisible(!problem.isEmpty());
    // Taller by the lines the problem takes; nothing to answer, so nothing stands in the way.
    const int extra = problem.isEmpty()
                          ? 0
                          : m_logProblem->heightForWidth(plainSize.width()) + layout()->spacing();
    setFixedSize(plainSize.width(), plainSize.height() + extra);
}

QString WriteDialog::logProblemText() const {
    return m_logProblem->text();
}

void WriteDialog::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) {
        m_phase->clear();
        showLogProblem(QString());
    }
    TransferDialog::hideEvent(event);
}

bool WriteDialog::confirmOutsideBand(const QString& band, const QStringList& channels) {
    return askOutsideBand(this, band, channels);
}

bool WriteDialog::askOutsideBand(QWidget* parent, const QString& band,
                                 const QStringList& channels) {
    const QString text =
        tr("These channels lie outside the band %1 of the selected model:").arg(band) +
        QLatin1Char('\n') + channels.join(QLatin1Char('\n')) + QStringLiteral("\n\n") +
        tr("The radio may not work on these frequencies. Write anyway?");
    QMessageBox box(QMessageBox::Warning, tr("Outside the band"), text,
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

} // namespace zev
