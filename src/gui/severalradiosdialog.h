#pragma once

#include "jobs/writejob.h"
#include "jobs/writelog.h"

#include <QDialog>
#include <QStringList>

#include <memory>
#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace zev {

class IniFile;
class RadioFleet;
struct Workspace;

// Edit > Write to several radios…: the serial ports present, each with a check box (the last
// choice ticked again), and the current plan written to every ticked radio at once by the same
// jobs as a single write, each with its own backup and verification. A bar and a result line
// per radio; Stop ends every session, each radio getting its end frame.
class SeveralRadiosDialog : public QDialog {
    Q_OBJECT
public:
    // planFile: how the write log names the plan (the document's file or "(window)").
    SeveralRadiosDialog(Workspace& workspace, IniFile& settingsFile, QString planFile,
                        QWidget* parent = nullptr);
    ~SeveralRadiosDialog() override;

    // The ports listed, in row order.
    QStringList devices() const;
    bool isWriting() const;

    void writeTicked();
    void stop();

protected:
    void reject() override; // Close and Esc stop a running write first

private:
    void listPorts();
    void showProgress(int index, int percent);
    void showPhase(int index, WritePhase phase);
    void showResult(int index);
    void finishWrite();
    int rowOf(int index) const { return m_rows.at(index); }

    Workspace& m_workspace;
    IniFile& m_settingsFile;
    QString m_planFile;
    QTableWidget* m_table;
    QLabel* m_summary;
    QPushButton* m_write;
    QPushButton* m_stop;
    QPushButton* m_close;
    std::unique_ptr<RadioFleet> m_fleet;
    std::optional<WriteJob> m_job;
    LoggedPlan m_logged;
    std::vector<WriteJobResult> m_results; // by fleet index, filled in the radios' threads
    QList<int> m_rows;                     // the table row of each fleet index
};

} // namespace zev
