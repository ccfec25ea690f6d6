#pragma once

#include "radiodialog.h"

#include "radio/session.h"

#include <QStringList>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zev {

// The read and the write dialog: one button that starts the transfer, a progress bar and a
// status bar whose panel 0 names the program and panel 1 counts the successful transfers.
// The transfer itself is installed with setProcedure(); it reports through setProgress(),
// setSuccessCount() and showTransferFailure().
class TransferDialog : public RadioDialog {
    Q_OBJECT
public:
    QPushButton* startButton() const { return m_button; }
    void setProcedure(Procedure procedure) { m_procedure = std::move(procedure); }

    void setProgress(int percent);
    // Panel 1: the success label followed by the count in decimal.
    void setSuccessCount(int count);
    // The transfer failure message in a plain box with an OK button, with paragraphs below it:
    // why the transfer failed and what to check, then what it left behind.
    void showTransferFailure(const QStringList& paragraphs = {});
    // The user stopped the transfer by closing the dialog: transferStopped(message) follows once
    // the dialog has closed, so that it is said where the user is looking then.
    void noteTransferStopped(const QString& message);

    // What a screen reader hears of a session: what it is doing while it runs, then how it
    // ended. The progress bar carries it as its name; the start button, which takes the focus
    // back at the end, as its description.
    void announce(const QString& state);
    void announceOutcome(SessionOutcome outcome);
    QString announcement() const;
    // The idle progress bar's name in the language of the messages.
    void wordProgress();

signals:
    void transferStopped(const QString& message);

protected:
    TransferDialog(Workspace& workspace, const QString& buttonText, QWidget* parent);
    void hideEvent(QHideEvent* event) override;
    // Announced as a session starts.
    virtual QString busyText() const;

private:
    void start();

    Procedure m_procedure;
    QString m_stopMessage;
    QPushButton* m_button;
    QProgressBar* m_progressBar;
    QLabel* m_successPanel;
};

} // namespace zev
