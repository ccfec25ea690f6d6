#pragma once

#include "jobs/writelog.h"

#include <QDialog>
#include <QList>

#include <optional>

class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTableWidget;

namespace zev {

// The write log as a table, newest write first, narrowed by date (from, to, both included, in
// local time) and device. For the selected line it asks for the plan written or the backup made
// before it to be opened, and for the receipt of the write to be printed or saved as PDF; the
// main window does each, so the dialog itself changes nothing.
class WriteHistoryDialog : public QDialog {
    Q_OBJECT
public:
    explicit WriteHistoryDialog(QWidget* parent = nullptr);

    // Reads the log at path and shows all of it: the dates span its writes, every device.
    void load(const QString& path);
    // The record of the selected line, if one is selected and shown.
    std::optional<WriteRecord> selectedRecord() const;

signals:
    void openPlanRequested(const QString& path);
    void openBackupRequested(const QString& path);
    void printReceiptRequested(const WriteRecord& record);
    void exportReceiptRequested(const WriteRecord& record);

private:
    void showRecords();
    void updateButtons();

    QList<WriteRecord> m_records; // newest first
    QTableWidget* m_table;
    QDateEdit* m_from;
    QDateEdit* m_to;
    QComboBox* m_device;
    QLabel* m_problems;
    QPushButton* m_openPlan;
    QPushButton* m_openBackup;
    QPushButton* m_printReceipt;
    QPushButton* m_exportReceipt;
};

} // namespace zev
