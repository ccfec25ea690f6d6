#pragma once

#include "status.h"

#include <QObject>

#include <memory>

class QWidget;

namespace zev {

class ChannelEditor;
class OptionsWindow;
class PlanDocument;
class WriteHistoryDialog;
struct WriteRecord;
struct Workspace;

// The printed channel sheet and the write history: Print…, Export PDF…, Write history… and a
// write's receipt, in the words the windows show.
class SheetCommands : public QObject {
    Q_OBJECT
public:
    SheetCommands(Workspace& workspace, PlanDocument& document, ChannelEditor& editor,
                  const OptionsWindow& optionsWindow, QWidget* window);
    ~SheetCommands() override;

    void printSheet();
    void exportSheetPdf();
    // The channel sheet of the plan as a one-page PDF at path, in the active language.
    [[nodiscard]] Status exportSheetPdfTo(const QString& path);

    void showWriteHistory();
    // An open write history shows the writes made since it was opened.
    void refreshWriteHistory();
    // The write history as Write history… last opened it; null before.
    WriteHistoryDialog* writeHistoryDialog() const { return m_writeHistory.get(); }

    // The receipt of a write: the sheet of the plan file it wrote, with its footer, as a PDF at
    // path. Refused when the file no longer holds the plan written.
    [[nodiscard]] Status exportReceiptPdfTo(const WriteRecord& record, const QString& path);
    void printReceipt(const WriteRecord& record);
    void exportReceiptPdf(const WriteRecord& record);

private:
    Workspace& m_workspace;
    PlanDocument& m_document;
    ChannelEditor& m_editor;
    const OptionsWindow& m_optionsWindow;
    QWidget* m_window;
    std::unique_ptr<WriteHistoryDialog> m_writeHistory;
};

} // namespace zev
