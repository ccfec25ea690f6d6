#pragma once

#include "channelgrid.h"
#include "childwindow.h"

#include "status.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zev {

class PlanModel;

// The channel editor (TForm2): the channel table in a grid, with a frequency editor and a
// tone picker laid over the cell being edited. Nobody types into a cell: the frequency editor
// writes the cell as the user types and the commit normalises it when the selection leaves.
class ChannelEditor : public ChildWindow {
    Q_OBJECT
public:
    explicit ChannelEditor(PlanModel& plan, QWidget* parent = nullptr);
    ~ChannelEditor() override;

    // Commits what the user typed or picked and has not confirmed yet, as leaving the window
    // does. False when a cell is no number or a frequency the radio cannot hold: the failure has
    // been reported, the frequency editor lies over the cell for correction, and the caller must
    // not go on.
    bool confirmPendingEntry();
    // After the plan was replaced: no overlay shown, no text and no current cell left behind
    // that a later commit could write into the new plan.
    void resetOverlays();
    // True while the frequency editor writes what is being typed into the plan.
    bool isTypingIntoPlan() const { return m_typingIntoPlan; }
    // The names and descriptions a screen reader gives the grid and the overlays, in the language
    // of the messages.
    void wordTexts();

signals:
    // What the user typed has been committed to the plan, changed by the commit or not.
    void entryCommitted();

public:
    // The channel rows the row commands (copy, paste, delete) work on, in ascending order.
    QList<int> selectedRows() const { return m_grid->selectedRows(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    using Cell = ChannelGrid::Cell;

    void buildControls();
    void connectControls();

    // The grid's notifications.
    bool selectionAboutToChange();
    void cellSelected(ChannelGrid::MoveSource source);
    void gridCharacterTyped(QChar character);

    // The commit of the current cell (commitCell does the work, commitCurrentCell also notes
    // that no typed text is pending any more) and the normalisation of one frequency cell. A
    // failure names the frequency cell that is no number or one the radio cannot hold.
    [[nodiscard]] Status commitCurrentCell(Cell& failedCell);
    [[nodiscard]] Status commitCell(Cell& failedCell);
    [[nodiscard]] Status normaliseCell(int column, int row);
    // The commit of the current cell when it is a frequency cell, as leaving the window does.
    [[nodiscard]] Status commitPendingFrequency(Cell& failedCell);
    // Commits; a refused cell is reported and the caller must not go on.
    bool commitOrReport();
    // A failed commit: the typed text taken back out of the plan, the failure reported, and the
    // editor laid over the failed cell with that text, for the correction.
    void refuseEntry(const Status& failure, Cell failedCell);
    QString takeBackTypedText(Cell failedCell);
    void reportFailure(const Status& failure);
    void offerCorrection(Cell failedCell, const QString& refused, bool takeFocus);

    void runClickBehaviour(bool flipValues);
    void showFrequencyEditor();
    void openTonePicker();
    void hideFrequencyEditor();
    void hideTonePicker();
    void commitTonePicker();
    void placeOverCell(QWidget* overlay);
    void nameOverlay(QWidget* overlay);

    bool frequencyEditorKeyPress(QKeyEvent* event);
    void frequencyEditorEnter();
    void abandonFrequencyEntry();
    bool tonePickerKeyPress(QKeyEvent* event);

    void moveChannel(int step);
    void deleteChannel();
    void windowStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState);
    void reloadToneList();

    PlanModel& m_plan;
    QWidget* m_body = nullptr;
    ChannelGrid* m_grid = nullptr;
    QLineEdit* m_frequencyEditor = nullptr;
    QComboBox* m_tonePicker = nullptr;
    QLabel* m_tonePickerLabel = nullptr; // never shown: names the picker for screen readers
    QPushButton* m_exitButton = nullptr;
    QPushButton* m_moveUpButton = nullptr;
    QPushButton* m_moveDownButton = nullptr;
    QPushButton* m_deleteButton = nullptr;

    Cell m_current;             // the cell the editor works on; row 0 means none yet
    int m_pickerRow = 0;        // the row whose tone cell the picker edits
    QString m_textBeforeEdit;   // the cell's text when the frequency editor was laid over it
    QString m_textCopiedToCell; // the editor's text when it last reached the cell, or came from it
    Cell m_typedCell;           // the cell holding typed text that no commit has taken yet
    bool m_sizedToBody = false;
    bool m_typingIntoPlan = false;
};

} // namespace zev
