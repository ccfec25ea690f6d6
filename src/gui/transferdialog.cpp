#include "transferdialog.h"

#include "app/builtintexts.h"
#include "app/textids.h"
#include "errorbox.h"
#include "workspace.h"

#include <QHideEvent>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include <utility>

namespace zev {

TransferDialog::TransferDialog(Workspace& workspace, const QString& buttonText, QWidget* parent)
    : RadioDialog(workspace, parent) {
    m_button = new QPushButton(buttonText);
    m_button->setObjectName(QStringLiteral("Button1"));
    m_button->setFixedSize(97, 33);
    connect(m_button, &QPushButton::clicked, this, &TransferDialog::start);

    m_progressBar = new QProgressBar;
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    wordProgress();

    auto* statusBar = new QStatusBar;
    statusBar->setObjectName(QStringLiteral("StatusBar1"));
    statusBar->setSizeGripEnabled(false);
    auto* programPanel = new QLabel;
    programPanel->setObjectName(QStringLiteral("StatusBar1Panel0"));
    m_successPanel = new QLabel(builtinText(TextId::SuccessLabel));
    m_successPanel->setObjectName(QStringLiteral("StatusBar1Panel1"));
    statusBar->addWidget(programPanel, 3);
    statusBar->addWidget(m_successPanel, 2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 12, 0, 0);
    layout->addWidget(m_button, 0, Qt::AlignHCenter);
    auto* barRow = new QVBoxLayout;
    barRow->setContentsMargins(12, 8, 12, 8);
    barRow->addWidget(m_progressBar);
    layout->addLayout(barRow);
    layout->addWidget(statusBar);
    setFixedSize(340, 130);
}

void TransferDialog::setProgress(int percent) {
    m_progressBar->setValue(percent);
}

void TransferDialog::setSuccessCount(int count) {
    m_successPanel->setText(workspace().texts.successLabel + QString::number(count));
}

void TransferDialog::showTransferFailure(const QStringList& paragraphs) {
    QStringList text{workspace().texts.transferFailed};
    for (const QString& paragraph : paragraphs)
        if (!paragraph.isEmpty())
            text << paragraph;
    QMessageBox box(QMessageBox::NoIcon, programTitle(), text.join(QStringLiteral("\n\n")),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("TransferFailureBox"));
    box.exec();
}

void TransferDialog::noteTransferStopped(const QString& message) {
    m_stopMessage = message;
}

void TransferDialog::announce(const QString& state) {
    m_progressBar->setAccessibleName(state);
    m_button->setAccessibleDescription(state);
}

void TransferDialog::announceOutcome(SessionOutcome outcome) {
    switch (outcome) {
    case SessionOutcome::Success:
        announce(tr("Finished successfully."));
        break;
    case SessionOutcome::Failed:
        announce(tr("Failed."));
        break;
    case SessionOutcome::Refused:
        announce(tr("Not started."));
        break;
    case SessionOutcome::Cancelled:
        announce(tr("Stopped."));
        break;
    }
}

QString TransferDialog::announcement() const {
    return m_progressBar->accessibleName();
}

void TransferDialog::wordProgress() {
    if (!isBusy())
        announce(tr("Progress"));
}

QString TransferDialog::busyText() const {
    return tr("Reading from the radio...");
}

void TransferDialog::start() {
    const bool hadFocus = m_button->hasFocus();
    m_button->setEnabled(false);
    m_stopMessage.clear();
    announce(busyText());
    runProcedure(m_procedure);
    m_button->setEnabled(true);
    // Disabling took the focus away: it comes back, so that the same key starts the next session.
    if (hadFocus && isVisible())
        m_button->setFocus(Qt::OtherFocusReason);
    if (!m_stopMessage.isEmpty())
        emit transferStopped(std::exchange(m_stopMessage, {}));
}

void TransferDialog::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) {
        setProgress(0);
        setSuccessCount(0);
        wordProgress();
    }
    RadioDialog::hideEvent(event);
}

} // namespace zev
