#pragma once

#include <QTableView>

#include <functional>
#include <utility>

namespace zev {

// The grid of the channel editor (StringGrid1). The first row and column are fixed cells that
// can never be selected. Every move of the selected cell first asks the selection guard, which
// may refuse it; only then does the selection move and the grid report how it was moved. A mouse
// click always asks and reports, even on the cell already selected; keys and the wheel only when
// they really move.
class ChannelGrid : public QTableView {
    Q_OBJECT
public:
    enum class MoveSource { Click, Keyboard, Wheel };

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
    // The channel rows from the anchor to the selected cell, first to last: a Shift+click or a
    // Shift+move extends the range, any other move starts it anew at the selected row.
    std::pair<int, int> selectedRows() const;
    bool inSelectedRows(int row) const;
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
    std::function<bool()> m_guard;
    int m_anchorRow = 1;
    bool m_extending = false; // the move under way extends the row range
    int m_wheelRemainder = 0;
};

} // namespace zev
