#include "sheetcommands.h"

#include "chanfile/channelfile.h"
#include "channeleditor.h"
#include "channelsheet.h"
#include "errorbox.h"
#include "optionswindow.h"
#include "plandocument.h"
#include "workspace.h"
#include "writehistorydialog.h"

#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

#include <functional>

namespace zev {

SheetCommands::SheetCommands(Workspace& workspace, PlanDocument& document, ChannelEditor& editor,
                             const OptionsWindow& optionsWindow, QWidget* window)
    : m_workspace(workspace), m_document(document), m_editor(editor),
      m_optionsWindow(optionsWindow), m_window(window) {}

SheetCommands::~SheetCommands() = default;

void SheetCommands::refreshWriteHistory() {
    if (m_writeHistory && m_writeHistory->isVisible())
        m_writeHistory->load(writelog::defaultPath());
}

namespace {

// The sheet in the words the windows show: the options window's labels and the grid's titles.
SheetLabels windowSheetLabels(const PlanModel& plan, const OptionsWindow& options) {
    SheetLabels labels;
    for (int i = 0; i < OptionCount; ++i) {
        const auto* label = options.findChild<QLabel*>(QStringLiteral("Label%1").arg(i + 1));
        labels.options[i] = label ? label->text() : QString();
    }
    for (int column = 0; column < PlanModel::ColumnCount; ++column)
        labels.columnTitles[column] = plan.cell(column, 0);
    return labels;
}

} // namespace

Status SheetCommands::exportSheetPdfTo(const QString& path) {
    return writeChannelSheetPdf(path, m_workspace.currentPlan(), m_workspace.plan.wording(),
                                windowSheetLabels(m_workspace.plan, m_optionsWindow));
}

void SheetCommands::exportSheetPdf() {
    if (!m_editor.confirmPendingEntry())
        return;
    const QString path = m_document.askSavePath(FileDialogKind::Pdf);
    if (path.isEmpty())
        return;
    if (Status written = exportSheetPdfTo(path); !written)
        showErrorBox(m_window, written.message());
    else
        m_document.rememberFolderOf(path);
}

namespace {

// The printer the user picks for an A4 sheet; print runs only when one was picked.
void printOnChosenPrinter(QWidget* parent, const std::function<void(QPrinter&)>& print) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintSheetDialog"));
    if (dialog.exec() == QDialog::Accepted)
        print(printer);
}

} // namespace

void SheetCommands::printSheet() {
    if (!m_editor.confirmPendingEntry())
        return;
    printOnChosenPrinter(m_window, [this](QPrinter& printer) {
        printChannelSheet(printer, m_workspace.currentPlan(), m_workspace.plan.wording(),
                          windowSheetLabels(m_workspace.plan, m_optionsWindow));
    });
}

void SheetCommands::showWriteHistory() {
    // Made anew each time: the log as it is now, in the language of the messages now.
    m_writeHistory = std::make_unique<WriteHistoryDialog>(m_window);
    WriteHistoryDialog* history = m_writeHistory.get();
    PlanDocument* document = &m_document;
    connect(history, &WriteHistoryDialog::openPlanRequested, document, &PlanDocument::openFile);
    connect(history, &WriteHistoryDialog::openBackupRequested, document, &PlanDocument::openFile);
    connect(history, &WriteHistoryDialog::printReceiptRequested, this,
            &SheetCommands::printReceipt);
    connect(history, &WriteHistoryDialog::exportReceiptRequested, this,
            &SheetCommands::exportReceiptPdf);
    history->load(writelog::defaultPath());
    history->show();
}

namespace {

// The plan of a write's receipt: its file in the window's words, if it still holds the plan
// written.
Result<Plan> receiptPlan(const WriteRecord& record, const Wording& wording) {
    const Result<LoadedChannelFile> opened = readChannelFile(record.planFile);
    if (!opened)
        return Status::failure(opened.message());
    const Plan plan = worded(opened->plan, wording);
    if (const Status same = writelog::checkLoggedPlan(record.planFile, plan, wording, record);
        !same)
        return same;
    return plan;
}

} // namespace

Status SheetCommands::exportReceiptPdfTo(const WriteRecord& record, const QString& path) {
    const Wording& wording = m_workspace.plan.wording();
    const Result<Plan> plan = receiptPlan(record, wording);
    if (!plan)
        return Status::failure(plan.message());
    return writeChannelSheetPdf(path, plan.value(), wording,
                                windowSheetLabels(m_workspace.plan, m_optionsWindow), record);
}

void SheetCommands::exportReceiptPdf(const WriteRecord& record) {
    QWidget* history = m_writeHistory.get();
    const QString path = m_document.askSavePath(FileDialogKind::Pdf);
    if (path.isEmpty())
        return;
    if (Status written = exportReceiptPdfTo(record, path); !written)
        showErrorBox(history, written.message());
    else
        m_document.rememberFolderOf(path);
}

void SheetCommands::printReceipt(const WriteRecord& record) {
    QWidget* history = m_writeHistory.get();
    const Wording& wording = m_workspace.plan.wording();
    const Result<Plan> plan = receiptPlan(record, wording);
    if (!plan) {
        showErrorBox(history, plan.message());
        return;
    }
    printOnChosenPrinter(history, [&](QPrinter& printer) {
        printChannelSheet(printer, plan.value(), wording,
                          windowSheetLabels(m_workspace.plan, m_optionsWindow), record);
    });
}

} // namespace zev
