#include "channeleditor.h"

#include "errorbox.h"
#include "plan/frequency.h"
#include "plan/rowedit.h"
#include "plan/vocabulary.h"
#include "planmodel.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

namespace zev {

namespace {

constexpr QSize BodySize(640, 349);
constexpr QRect GridGeometry(8, 8, 625, 297);
constexpr QSize FrequencyEditorSize(80, 18);
constexpr int TonePickerWidth = 92;
constexpr QSize ButtonSize(83, 25);
constexpr int ButtonTop = 312;

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isEnter(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// Cells that a click changes or opens the picker for; the keyboard can act on them only as a click.
bool isClickCell(int column) {
    switch (column) {
    case PlanModel::RxTone:
    case PlanModel::TxTone:
    case PlanModel::Power:
    case PlanModel::ScanAdd:
    case PlanModel::BusyLock:
        return true;
    default:
        return false;
    }
}

} // namespace

ChannelEditor::ChannelEditor(PlanModel& plan, QWidget* parent) : ChildWindow(parent), m_plan(plan) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("信道编辑"));
    buildControls();
    connectControls();
}

// The base classes destroy the controls after this part of the object is gone: nothing they
// report on the way may reach the editor any more. (The plan is left alone: it may be gone.)
ChannelEditor::~ChannelEditor() {
    m_frequencyEditor->removeEventFilter(this);
    m_tonePicker->removeEventFilter(this);
    m_grid->setSelectionGuard({});
    m_grid->disconnect(this);
    disconnect(this, nullptr, this, nullptr);
}

void ChannelEditor::buildControls() {
    m_body = new QWidget;
    m_body->setFixedSize(BodySize);

    m_grid = new ChannelGrid(m_body);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_grid->setGeometry(GridGeometry);
    m_grid->setModel(&m_plan);

    m_frequencyEditor = new QLineEdit(m_body);
    m_frequencyEditor->setObjectName(QStringLiteral("bsSkinEdit1"));
    m_frequencyEditor->setFixedSize(FrequencyEditorSize);
    m_frequencyEditor->setAlignment(Qt::AlignCenter);
    m_frequencyEditor->setMaxLength(FrequencyTextLength);
    // Only the key filter may put text in: no paste from a menu, no drops, no input method.
    m_frequencyEditor->setContextMenuPolicy(Qt::NoContextMenu);
    m_frequencyEditor->setAcceptDrops(false);
    m_frequencyEditor->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_frequencyEditor->hide();
    m_frequencyEditor->installEventFilter(this);

    m_tonePicker = new QComboBox(m_body);
    m_tonePicker->setObjectName(QStringLiteral("ComboBox1"));
    m_tonePicker->setFixedWidth(TonePickerWidth);
    m_tonePicker->addItems(m_plan.toneList());
    m_tonePicker->hide();
    m_tonePicker->installEventFilter(this);
    // Screen readers on Linux take a combo box's name from its label relation, not from its
    // accessible name: a label that is never shown names the picker after its cell.
    m_tonePickerLabel = new QLabel(m_body);
    m_tonePickerLabel->setObjectName(QStringLiteral("TonePickerLabel"));
    m_tonePickerLabel->setBuddy(m_tonePicker);
    m_tonePickerLabel->hide();

    auto addButton = [this](const char* name, const QString& text, int left) {
        auto* button = new QPushButton(text, m_body);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(QRect(QPoint(left, ButtonTop), ButtonSize));
        return button;
    };
    m_exitButton = addButton("TeButton1", QStringLiteral("退出"), 8);
    m_moveUpButton = addButton("TeButton2", QStringLiteral("信道上移"), 344);
    m_moveDownButton = addButton("TeButton3", QStringLiteral("信道下移"), 448);
    m_deleteButton = addButton("TeButton4", QStringLiteral("信道删除"), 552);

    // Tab goes from the grid through the buttons, the commands first; the overlays are reached
    // only through the grid.
    m_frequencyEditor->setFocusPolicy(Qt::ClickFocus);
    m_tonePicker->setFocusPolicy(Qt::ClickFocus);
    setTabOrder(m_grid, m_moveUpButton);
    setTabOrder(m_moveUpButton, m_moveDownButton);
    setTabOrder(m_moveDownButton, m_deleteButton);
    setTabOrder(m_deleteButton, m_exitButton);

    m_body->setFocusProxy(m_grid);
    setWidget(m_body);
    wordTexts();
}

void ChannelEditor::wordTexts() {
    m_grid->setAccessibleName(tr("Channel table"));
    m_grid->setAccessibleDescription(
        tr("Arrow keys move between the cells. In a frequency cell type the frequency in MHz; "
           "Space or Enter opens the list of a tone cell and switches a power or flag cell. Tab "
           "goes on to the buttons."));
    m_frequencyEditor->setAccessibleDescription(
        tr("Type the frequency in MHz; Enter confirms it, Esc abandons it."));
    m_tonePicker->setAccessibleDescription(
        tr("Pick the tone with the arrow keys; Enter takes it, Esc keeps the cell as it was."));
    if (m_current.row >= 1) {
        // An overlay that is shown takes the column title of the new language.
        if (m_frequencyEditor->isVisible())
            nameOverlay(m_frequencyEditor);
        if (m_tonePicker->isVisible())
            nameOverlay(m_tonePicker);
    }
}

// The frame's size is known only once the window sits in the frame window: the window then
// takes the size that fits its body exactly, as a fixed border would.
void ChannelEditor::showEvent(QShowEvent* event) {
    ChildWindow::showEvent(event);
    if (!m_sizedToBody && !isMinimized() && !isMaximized()) {
        m_sizedToBody = true;
        resize(sizeHint());
    }
}

void ChannelEditor::connectControls() {
    m_grid->setSelectionGuard([this] { return selectionAboutToChange(); });
    connect(m_grid, &ChannelGrid::cellSelected, this, &ChannelEditor::cellSelected);
    connect(m_grid, &ChannelGrid::characterTyped, this, &ChannelEditor::gridCharacterTyped);
    connect(m_grid, &ChannelGrid::focusEntered, this, &ChannelEditor::hideTonePicker);
    connect(&m_plan, &PlanModel::toneListChanged, this, &ChannelEditor::reloadToneList);
    connect(m_exitButton, &QPushButton::clicked, this, &ChannelEditor::close);
    connect(m_moveUpButton, &QPushButton::clicked, this, [this] { moveChannel(-1); });
    connect(m_moveDownButton, &QPushButton::clicked, this, [this] { moveChannel(1); });
    connect(m_deleteButton, &QPushButton::clicked, this, &ChannelEditor::deleteChannel);
    connect(this, &QMdiSubWindow::windowStateChanged, this, &ChannelEditor::windowStateChanged);
}

bool ChannelEditor::confirmPendingEntry() {
    if (m_tonePicker->isVisible()) {
        commitTonePicker();
        hideTonePicker();
    }
    Cell failedCell;
    if (Status status = commitPendingFrequency(failedCell); !status.ok()) {
        refuseEntry(status, failedCell);
        return false;
    }
    emit entryCommitted();
    // An editor that stays open shows what its cell now holds, as after Enter.
    if (m_frequencyEditor->isVisible()) {
        m_textCopiedToCell = m_plan.cell(m_current.column, m_current.row);
        m_frequencyEditor->setText(m_textCopiedToCell);
    }
    return true;
}

void ChannelEditor::resetOverlays() {
    // Cleared first: the picker commits as it loses the focus, and it must not reach the new plan.
    m_current = {};
    m_typedCell = {};
    m_pickerRow = 0;
    hideTonePicker();
    hideFrequencyEditor();
    m_frequencyEditor->clear();
    m_textCopiedToCell.clear();
}

void ChannelEditor::closeEvent(QCloseEvent* event) {
    // A cell that is no number keeps the window open, with the editor over it.
    if (!confirmPendingEntry()) {
        event->ignore();
        return;
    }
    ChildWindow::closeEvent(event);
}

// --- commit -----------------------------------------------------------------------------------

Status ChannelEditor::normaliseCell(int column, int row) {
    Result<QString> normalised = normaliseFrequency(m_plan.cell(column, row), decimalSeparator());
    if (!normalised)
        return Status::failure(normalised.message());
    m_plan.setCell(column, row, normalised.value());
    return Status::success();
}

Status ChannelEditor::commitCurrentCell(Cell& failedCell) {
    Status status = commitCell(failedCell);
    if (status.ok())
        m_typedCell = {};
    return status;
}

Status ChannelEditor::commitCell(Cell& failedCell) {
    const int column = m_current.column;
    const int row = m_current.row;
    if (row < 1)
        return Status::success();
    if (m_plan.isUsed(row) && m_plan.cell(PlanModel::RxTone, row).isEmpty()) {
        failedCell = {PlanModel::RxFrequency, row};
        // A channel without RX tone has just been entered: it gets the new-channel defaults.
        if (Status status = normaliseCell(PlanModel::RxFrequency, row); !status.ok())
            return status;
        m_plan.setChannel(row,
                          newChannel(m_plan.cell(PlanModel::RxFrequency, row), m_plan.words()));
        return Status::success();
    }
    const bool frequencyColumn =
        column == PlanModel::RxFrequency || column == PlanModel::TxFrequency;
    failedCell = m_current;
    if (frequencyColumn && !m_plan.cell(column, row).isEmpty())
        return normaliseCell(column, row);
    if (!m_plan.isUsed(row))
        m_plan.clearChannel(row);
    return Status::success();
}

Status ChannelEditor::commitPendingFrequency(Cell& failedCell) {
    if (m_current.column != PlanModel::RxFrequency && m_current.column != PlanModel::TxFrequency)
        return Status::success();
    return commitCurrentCell(failedCell);
}

bool ChannelEditor::commitOrReport() {
    Cell failedCell;
    Status status = commitCurrentCell(failedCell);
    if (status.ok()) {
        emit entryCommitted();
        return true;
    }
    refuseEntry(status, failedCell);
    return false;
}

void ChannelEditor::refuseEntry(const Status& failure, Cell failedCell) {
    const QString refused = takeBackTypedText(failedCell);
    reportFailure(failure);
    offerCorrection(failedCell, refused, true);
}

// What was typed never stays in the plan when its commit fails: the cell gets back what it held
// when the entry began. A text that came from a file or the radio stays.
QString ChannelEditor::takeBackTypedText(Cell failedCell) {
    const QString refused = m_plan.cell(failedCell.column, failedCell.row);
    if (failedCell == m_typedCell) {
        m_plan.setCell(failedCell.column, failedCell.row, m_textBeforeEdit);
        m_typedCell = {};
    }
    return refused;
}

// Every later commit fails on the same text, and a click on its cell commits first: without the
// editor laid over it again the user could never reach the text to correct it. The editor holds
// the refused text, to be corrected rather than typed again.
void ChannelEditor::offerCorrection(Cell failedCell, const QString& refused, bool takeFocus) {
    hideTonePicker();
    m_current = failedCell;
    showFrequencyEditor();
    m_frequencyEditor->setText(refused);
    m_textCopiedToCell = refused;
    if (takeFocus)
        m_frequencyEditor->setFocus(Qt::OtherFocusReason);
}

void ChannelEditor::reportFailure(const Status& failure) {
    showErrorBox(this, failure.message());
}

// --- grid -------------------------------------------------------------------------------------

bool ChannelEditor::selectionAboutToChange() {
    return commitOrReport();
}

void ChannelEditor::cellSelected(ChannelGrid::MoveSource source) {
    // Moving by keys or wheel must not change values on the way, so only a click flips a cell
    // or opens the picker; frequency cells open their editor either way.
    runClickBehaviour(source == ChannelGrid::MoveSource::Click);
}

void ChannelEditor::runClickBehaviour(bool flipValues) {
    hideTonePicker();
    hideFrequencyEditor();
    m_current = m_grid->selectedCell();
    const int column = m_current.column;
    const int row = m_current.row;
    const bool used = m_plan.isUsed(row);
    switch (column) {
    case PlanModel::RxFrequency:
        showFrequencyEditor();
        break;
    case PlanModel::TxFrequency:
        if (used)
            showFrequencyEditor();
        break;
    case PlanModel::RxTone:
    case PlanModel::TxTone:
        if (used && flipValues)
            openTonePicker();
        break;
    case PlanModel::Power:
        if (used && flipValues)
            m_plan.togglePower(row);
        break;
    case PlanModel::ScanAdd:
    case PlanModel::BusyLock:
        if (used && flipValues)
            m_plan.toggleFlag(column, row);
        break;
    default:
        break;
    }
}

void ChannelEditor::gridCharacterTyped(QChar character) {
    const Cell selected = m_grid->selectedCell();
    if ((character == QLatin1Char(' ') || isEnter(character)) && isClickCell(selected.column)) {
        m_grid->selectCell(selected, ChannelGrid::MoveSource::Click);
        return;
    }
    const bool frequencyCell =
        m_current.column == PlanModel::RxFrequency ||
        (m_current.column == PlanModel::TxFrequency && m_plan.isUsed(m_current.row));
    if (!frequencyCell || m_frequencyEditor->isHidden())
        return;
    if (isEnter(character)) {
        m_frequencyEditor->setFocus();
    } else if (isAsciiDigit(character)) {
        m_frequencyEditor->setText(character);
        m_frequencyEditor->setFocus();
        m_frequencyEditor->setCursorPosition(1);
    }
}

// --- overlays ---------------------------------------------------------------------------------

void ChannelEditor::placeOverCell(QWidget* overlay) {
    // The grid's cell rectangle in the window body (the grid's origin and frame included),
    // centred vertically so that the taller overlay covers the whole cell.
    const QRect cell = m_grid->cellRect(m_current, m_body);
    overlay->move(cell.left(), cell.top() + (cell.height() - overlay->height()) / 2);
    nameOverlay(overlay);
}

// A screen reader says which cell an overlay edits: "Channel 03, RX Freq".
void ChannelEditor::nameOverlay(QWidget* overlay) {
    const QString name = m_plan.cellName(m_current.column, m_current.row);
    overlay->setAccessibleName(name);
    if (overlay == m_tonePicker)
        m_tonePickerLabel->setText(name);
}

void ChannelEditor::showFrequencyEditor() {
    placeOverCell(m_frequencyEditor);
    m_textBeforeEdit = m_plan.cell(m_current.column, m_current.row);
    m_textCopiedToCell = m_textBeforeEdit;
    m_frequencyEditor->setText(m_textBeforeEdit);
    m_frequencyEditor->show();
    m_frequencyEditor->raise();
}

void ChannelEditor::openTonePicker() {
    {
        // No item when the cell holds a tone the list does not offer: leaving then keeps the cell.
        const QSignalBlocker blocker(m_tonePicker);
        m_tonePicker->setCurrentIndex(
            m_tonePicker->findText(m_plan.cell(m_current.column, m_current.row)));
    }
    m_pickerRow = m_current.row;
    placeOverCell(m_tonePicker);
    m_tonePicker->show();
    m_tonePicker->raise();
    m_tonePicker->setFocus(Qt::OtherFocusReason);
}

// An overlay that holds the focus hands it to the grid before it goes, so the focus never
// wanders to the buttons and the picker commits on the way out.
void ChannelEditor::hideFrequencyEditor() {
    if (m_frequencyEditor->hasFocus())
        m_grid->setFocus(Qt::OtherFocusReason);
    m_frequencyEditor->hide();
}

void ChannelEditor::hideTonePicker() {
    if (m_tonePicker->hasFocus())
        m_grid->setFocus(Qt::OtherFocusReason);
    m_tonePicker->hide();
}

void ChannelEditor::commitTonePicker() {
    if (m_tonePicker->isHidden() || m_pickerRow < 1 || m_current.column < 1)
        return;
    if (m_tonePicker->currentIndex() >= 0)
        m_plan.setCell(m_current.column, m_pickerRow, m_tonePicker->currentText());
}

void ChannelEditor::reloadToneList() {
    const QSignalBlocker blocker(m_tonePicker);
    const QString picked =
        m_tonePicker->currentIndex() >= 0 ? m_tonePicker->currentText() : QString();
    m_tonePicker->clear();
    m_tonePicker->addItems(m_plan.toneList());
    m_tonePicker->setCurrentIndex(picked.isNull() ? -1 : m_tonePicker->findText(picked));
}

bool ChannelEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_frequencyEditor) {
        if (event->type() == QEvent::KeyPress)
            return frequencyEditorKeyPress(static_cast<QKeyEvent*>(event));
        // A click into the editor of an inactive window activates it, which hands the focus to
        // the grid; the clicked editor then takes it back, as the click came last.
        if (event->type() == QEvent::MouseButtonPress && !m_frequencyEditor->hasFocus())
            m_frequencyEditor->setFocus(Qt::MouseFocusReason);
        // The middle button pastes the selection past the key filter.
        if ((event->type() == QEvent::MouseButtonPress ||
             event->type() == QEvent::MouseButtonRelease) &&
            static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton)
            return true;
        // A release that changed nothing copies nothing: the release of the Enter that closed
        // a refusal would put the refused text back into the cell.
        if (event->type() == QEvent::KeyRelease && m_current.column >= 1 && m_current.row >= 1 &&
            m_frequencyEditor->text() != m_textCopiedToCell) {
            m_textCopiedToCell = m_frequencyEditor->text();
            m_typingIntoPlan = true;
            m_plan.setCell(m_current.column, m_current.row, m_textCopiedToCell);
            m_typingIntoPlan = false;
            m_typedCell = m_current;
        }
    } else if (watched == m_tonePicker) {
        if (event->type() == QEvent::KeyPress)
            return tonePickerKeyPress(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            commitTonePicker();
            m_tonePicker->hide();
        }
    }
    return ChildWindow::eventFilter(watched, event);
}

// Returns true when the key is used up here.
bool ChannelEditor::frequencyEditorKeyPress(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        frequencyEditorEnter();
        return true;
    }
    if (event->key() == Qt::Key_Escape) {
        abandonFrequencyEntry();
        return true;
    }
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        // The entry is confirmed as by Enter; Tab then goes on to the buttons as from the grid,
        // Shift+Tab stays in the grid.
        frequencyEditorEnter();
        if (event->key() == Qt::Key_Tab && m_grid->hasFocus())
            focusNextChild();
        return true;
    }
    // A paste (Ctrl+V, Shift+Insert) would put text in that no key filter has seen.
    if (event->matches(QKeySequence::Paste))
        return true;
    // Copy changes nothing; its control character must not reach the filter, which refuses it.
    if (event->matches(QKeySequence::Copy))
        return false;
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete ||
        event->text().isEmpty())
        return false; // Backspace, Delete, and keys that type nothing (caret moves)
    const QChar typed = event->text().front();
    const std::optional<QChar> accepted =
        filterFrequencyKey(typed, m_frequencyEditor->text(), decimalSeparator());
    if (!accepted)
        return true;
    if (*accepted == typed)
        return false;
    // The other format's separator key: the editor shows the user's separator.
    m_frequencyEditor->insert(QString(*accepted));
    return true;
}

void ChannelEditor::frequencyEditorEnter() {
    hideFrequencyEditor();
    m_grid->setFocus(Qt::OtherFocusReason);
    if (!commitOrReport())
        return;
    // After a correction the editor lies over a cell the grid has not selected: it comes back
    // over that cell, and no click lands on the selected one (it could flip a power or flag).
    if (m_current != m_grid->selectedCell()) {
        showFrequencyEditor();
        return;
    }
    runClickBehaviour(true);
}

// The cell followed the typing: it gets back the text it had when the editor was laid over it.
void ChannelEditor::abandonFrequencyEntry() {
    if (m_current.column >= 1 && m_current.row >= 1)
        m_plan.setCell(m_current.column, m_current.row, m_textBeforeEdit);
    m_typedCell = {};
    m_textCopiedToCell = m_textBeforeEdit;
    m_frequencyEditor->setText(m_textBeforeEdit);
    m_grid->setFocus(Qt::OtherFocusReason);
}

bool ChannelEditor::tonePickerKeyPress(QKeyEvent* event) {
    if (event->text().isEmpty() || event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        return false; // arrows and the like pick another item as usual
    if (event->key() == Qt::Key_Escape) {
        // Back to the cell's own item, so that the commit on the way out keeps the cell.
        const QSignalBlocker blocker(m_tonePicker);
        m_tonePicker->setCurrentIndex(
            m_tonePicker->findText(m_plan.cell(m_current.column, m_pickerRow)));
    }
    // Any character closes the picker as Enter would; the grid's gain of focus commits it.
    m_grid->setFocus(Qt::OtherFocusReason);
    m_tonePicker->hide();
    return true;
}

// --- buttons ----------------------------------------------------------------------------------

void ChannelEditor::moveChannel(int step) {
    if (!commitOrReport())
        return;
    hideFrequencyEditor();
    hideTonePicker();
    const int row = m_current.row;
    const int target = row + step;
    if (m_current.column >= 1 && !m_plan.cell(m_current.column, row).isEmpty() && row >= 1 &&
        target >= 1 && target <= PlanModel::ChannelCount) {
        m_plan.swapChannels(row, target);
        m_current.row = target; // the current cell follows the channel; the selection stays
    }
    if (step < 0 && m_current.row == 0)
        m_current.row = 1;
}

void ChannelEditor::deleteChannel() {
    hideTonePicker();
    if (m_current.row == 0)
        return;
    // Several selected rows are emptied together, one step to undo. A single row is the current
    // one, which a move command may have carried away from the grid's selection.
    const QList<int> rows = m_grid->selectedRows();
    if (rows.size() > 1) {
        for (int row : rows)
            m_plan.clearChannel(row);
    } else {
        m_plan.clearChannel(m_current.row);
    }
    // Back to column 1 of the selected row, through column 2 when column 1 is current, so that
    // the frequency editor opens again over that row's (possibly just emptied) RX frequency.
    const int row = m_grid->selectedCell().row;
    auto selectColumn = [this, row](int column) {
        const Cell target{column, row};
        return m_grid->selectedCell() == target ||
               m_grid->selectCell(target, ChannelGrid::MoveSource::Click);
    };
    if (m_current.column == PlanModel::RxFrequency && !selectColumn(PlanModel::RxTone))
        return;
    selectColumn(PlanModel::RxFrequency);
}

// --- activation -------------------------------------------------------------------------------

void ChannelEditor::windowStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState) {
    const bool wasActive = oldState.testFlag(Qt::WindowActive);
    const bool isActive = newState.testFlag(Qt::WindowActive);
    if (isActive && !wasActive) {
        m_grid->setFocus(Qt::ActiveWindowFocusReason);
    } else if (wasActive && !isActive) {
        // The focus already went to the other window: hide without handing it back.
        m_frequencyEditor->hide();
        Cell failedCell;
        Status status = commitPendingFrequency(failedCell);
        // Reported once the activation change is over, not in the middle of it; the focus stays
        // with the window the user went to.
        if (!status.ok())
            QTimer::singleShot(0, this,
                               [this, failedCell, refused = takeBackTypedText(failedCell),
                                message = status.message()] {
                                   reportFailure(Status::failure(message));
                                   offerCorrection(failedCell, refused, false);
                               });
    }
}

} // namespace zev
