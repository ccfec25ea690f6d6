#pragma once

#include <QList>
#include <QTableView>

#include <functional>
#include <utility>

namespace zev {

// The grid of the channel editor (StringGrid1). The first row and column are fixed cells that
// can never be selected. Every move of the selected cell first asks the selection guard, which
// may refuse it; only then does the selection move and the grid report how it was moved. A mouse
// click always asks and reports, even on the cell already selected; keys, the wheel and the row
// labels only when they really move.
//
// Besides the selected cell the grid keeps the channel rows that the row commands (copy, paste,
// delete) work on; the selected cell's row is always among them. A click on a row label
// ("01" to "16") selects that row, Shift+click the rows from the anchor to it, Ctrl+click adds
// or removes the row; the selected cell goes to the clicked row in its column.
class ChannelGrid : public QTableView {
    Q_OBJECT
public:
    enum class MoveSource { Click, Keyboard, Wheel, RowLabel };

    struct Cell {
        int column = 0;
        int row = 0;
        bool operator==(const Cell&) const = default;
    };

    explicit ChannelGrid(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

    // Called before the selected cell changes; returning false keeps it where it is.
    void setSelectionGuard(std::function<bool()> guard) { m_guard = std::move(guard); }

    Cell selectedCell() const;
    // The selected channel rows in ascending order; empty before the grid has a model. A
    // Shift+click or a Shift+move selects the rows from the anchor to the selected cell, any
    // other move of the selected cell that row alone.
    QList<int> selectedRows() const;
    bool inSelectedRows(int row) const { return m_rows.contains(row); }
    // Whether the row labels show the selection: more than one row, or a row picked by its label.
    bool showsRowSelection() const { return m_rows.size() > 1 || m_rowsByLabel; }
    // Moves the selection as a click would (guard, move, report); returns whether it moved.
    bool selectCell(Cell cell, MoveSource source);
    // The cell's rectangle in the coordinates of `widget`, an ancestor of the grid.
    QRect cellRect(Cell cell, const QWidget* widget) const;

signals:
    void cellSelected(zev::ChannelGrid::MoveSource source);
    void characterTyped(QChar character);
    void focusEntered();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    bool isFixed(Cell cell) const;
    void clickRowLabel(int row, Qt::KeyboardModifiers modifiers);
    // Guard, move, select the rows, report; without a move only the rows change.
    bool moveTo(Cell cell, MoveSource source, const QList<int>& rows, int anchor);
    QList<int> rowRange(int from, int to) const;

    std::function<bool()> m_guard;
    QList<int> m_rows;   // ascending
    int m_anchorRow = 1; // where a Shift+click or Shift+move extends from
    bool m_rowsByLabel = false;
    bool m_extending = false; // the move under way extends the row range
    int m_wheelRemainder = 0;
};

} // namespace zev
