#pragma once

#include <QDialog>

#include <functional>

namespace zev {

struct Workspace;

// A dialog that stays on top and does not block the rest of the program. The main window
// disables itself and the two child windows while one is open; closed() tells it when to enable
// them again, however the dialog was closed (button, close box, Escape).
class StayOnTopDialog : public QDialog {
    Q_OBJECT
public:
    explicit StayOnTopDialog(QWidget* parent = nullptr);

signals:
    void closed();

protected:
    void hideEvent(QHideEvent* event) override;
};

// A dialog that talks to the radio: it opens the shared serial line when shown and closes it
// when it closes. Closing it while one of its procedures runs cancels the session; the dialog
// closes once the procedure has returned, so the line is never closed under a running wait.
class RadioDialog : public StayOnTopDialog {
    Q_OBJECT
public:
    using Procedure = std::function<void()>;

    explicit RadioDialog(Workspace& workspace, QWidget* parent = nullptr);

    Workspace& workspace() const { return m_workspace; }
    bool isBusy() const { return m_busy; }

    void reject() override;

protected:
    // Runs procedure; a close meanwhile cancels the session and takes effect once it returns.
    // A procedure never runs twice at once.
    void runProcedure(const Procedure& procedure);

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void requestClose();

    Workspace& m_workspace;
    bool m_busy = false;
    bool m_closeRequested = false;
};

} // namespace zev

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
    void setProcedure(Procedure procedure) { m_procedure = std::move(procedure); }

    void setProgress(int percent);
    int progress() const;
    // Panel 1: the success label followed by the count in decimal.
    void setSuccessCount(int count);
    // The transfer failure message in a plain box with an OK button.
    void showTransferFailure();
    // The user stopped the transfer by closing the dialog: transferStopped(message) follows once
    // the dialog has closed, so that it is said where the user is looking then.
    void noteTransferStopped(const QString& message);

    QPushButton* startButton() const { return m_button; }
    QString successPanelText() const;

signals:
    void transferStopped(const QString& message);

protected:
    TransferDialog(Workspace& workspace, const QString& buttonText, QWidget* parent);
    void hideEvent(QHideEvent* event) override;

private:
    void start();

    Procedure m_procedure;
    QString m_stopMessage;
    QPushButton* m_button;
    QProgressBar* m_progressBar;
    QLabel* m_programPanel;
    QLabel* m_successPanel;
};

} // namespace zev
