#pragma once

#include "transferdialog.h"

#include "jobs/writejob.h"

#include <QStringList>

class QLabel;

namespace zev {

// The write dialog (TForm3): writes the plan and the selected band into the radio.
class WriteDialog : public TransferDialog {
    Q_OBJECT
public:
    explicit WriteDialog(Workspace& workspace, QWidget* parent = nullptr);

    // Asks whether to write channels that lie outside the band, one line each; Cancel is the
    // default. True on OK.
    bool confirmOutsideBand(const QString& band, const QStringList& channels);
    // The same question over any window, for writes to several radios.
    static bool askOutsideBand(QWidget* parent, const QString& band, const QStringList& channels);

    // The line under the bar: what the write is doing now, then where the backup went (nothing
    // without a backup).
    void showPhase(WritePhase phase);
    void showBackup(const QString& path);
    QString phaseText() const;
    // A backup that could not be made, or a radio that does not hold what was written.
    void showJobFailure(const WriteJobResult& result);
    // Why the write log did not take the write's line, under the phase line, until the next
    // write; empty hides it. The write's own outcome stands.
    void showLogProblem(const QString& problem);
    QString logProblemText() const;

protected:
    void hideEvent(QHideEvent* event) override;
    QString busyText() const override;

private:
    QLabel* m_phase;
    QLabel* m_logProblem;
};

} // namespace zev
