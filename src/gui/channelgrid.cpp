#include "channelgrid.h"

#include "contrast.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QWheelEvent>
#include <qdrawutil.h>

#include <algorithm>
#include <array>

namespace zev {

namespace {

constexpr std::array<int, 8> ColumnWidths = {35, 80, 90, 80, 91, 77, 60, 99};
constexpr int RowHeight = 16;
constexpr int WheelStep = 120; // one notch of an ordinary wheel
constexpr int CurrentFrameWidth = 2;

bool isFixedIndex(const QModelIndex& index) {
    return index.row() == 0 || index.column() == 0;
}

// Fixed cells look like buttons. The selected cell keeps the cells' colour (no highlight colour),
// so its text reads as in every other cell; a frame marks it, in the highlight colour while the
// grid has the focus. The style's focus frame cannot serve: many styles draw it only after a Tab.
class ChannelCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        painter->save();
        const bool fixed = isFixedIndex(index);
        const bool selected = !fixed && (opt.state & QStyle::State_Selected);
        // The labels of the rows that the row commands work on stand out.
        const auto* grid = qobject_cast<const ChannelGrid*>(opt.widget);
        const bool inRange = grid && index.column() == 0 && grid->showsRowSelection() &&
                             grid->inSelectedRows(index.row());
        // A disabled grid (while a radio dialog is open) still shows the plan: its text keeps
        // enough contrast to read, whatever the palette's disabled colours.
        const auto drawIn = [&](QPalette::ColorRole fill, QPalette::ColorRole text) {
            painter->setPen(
                readableOn(opt.palette.color(text), opt.palette.color(fill), TextContrast));
        };
        if (fixed) {
            const QPalette::ColorRole fill = inRange ? QPalette::Highlight : QPalette::Button;
            qDrawShadePanel(painter, opt.rect, opt.palette, inRange, 1, &opt.palette.brush(fill));
            drawIn(fill, inRange ? QPalette::HighlightedText : QPalette::ButtonText);
        } else {
            painter->fillRect(opt.rect, opt.palette.brush(QPalette::Base));
            drawIn(QPalette::Base, QPalette::Text);
        }
        painter->drawText(opt.rect, Qt::AlignCenter, opt.text);
        if (selected) {
            const bool focused = opt.state & QStyle::State_HasFocus;
            QPen frame(opt.palette.color(focused ? QPalette::Highlight : QPalette::Mid),
                       CurrentFrameWidth);
            frame.setJoinStyle(Qt::MiterJoin);
            painter->setPen(frame);
            painter->setBrush(Qt::NoBrush);
            const qreal inset = CurrentFrameWidth / 2.0;
            painter->drawRect(QRectF(opt.rect).adjusted(inset, inset, -inset, -inset));
        }
        painter->restore();
    }
};

} // namespace

ChannelGrid::ChannelGrid(QWidget* parent) : QTableView(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setDragEnabled(false);
    setAutoScroll(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setItemDelegate(new ChannelCellDelegate(this));
}

void ChannelGrid::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    if (!model)
        return;
    for (int column = 0; column < int(ColumnWidths.size()); ++column)
        setColumnWidth(column, ColumnWidths[column]);
    // Like any grid with fixed cells, the selection starts on the first cell that is not fixed.
    selectionModel()->setCurrentIndex(model->index(1, 1), QItemSelectionModel::ClearAndSelect);
    m_rows = {1};
    m_anchorRow = 1;
}

ChannelGrid::Cell ChannelGrid::selectedCell() const {
    const QModelIndex index = currentIndex();
    return index.isValid() ? Cell{index.column(), index.row()} : Cell{};
}

QList<int> ChannelGrid::selectedRows() const {
    return m_rows;
}

QList<int> ChannelGrid::rowRange(int from, int to) const {
    QList<int> rows;
    for (int row = qMin(from, to); row <= qMax(from, to); ++row)
        rows << row;
    return rows;
}

bool ChannelGrid::isFixed(Cell cell) const {
    return cell.row < 1 || cell.column < 1 || !model() || cell.row >= model()->rowCount() ||
           cell.column >= model()->columnCount();
}

bool ChannelGrid::selectCell(Cell cell, MoveSource source) {
    if (isFixed(cell))
        return false;
    if (source != MoveSource::Click && cell == selectedCell())
        return false;
    if (m_extending)
        return moveTo(cell, source, rowRange(m_anchorRow, cell.row), m_anchorRow);
    return moveTo(cell, source, {cell.row}, cell.row);
}

bool ChannelGrid::moveTo(Cell cell, MoveSource source, const QList<int>& rows, int anchor) {
    const bool moves = source == MoveSource::Click || cell != selectedCell();
    if (moves) {
        if (m_guard && !m_guard())
            return false;
        selectionModel()->setCurrentIndex(model()->index(cell.row, cell.column),
                                          QItemSelectionModel::ClearAndSelect);
    }
    m_rows = rows;
    m_anchorRow = anchor;
    m_rowsByLabel = source == MoveSource::RowLabel;
    viewport()->update();
    if (moves)
        emit cellSelected(source);
    return moves;
}

void ChannelGrid::clickRowLabel(int row, Qt::KeyboardModifiers modifiers) {
    const Cell selected = selectedCell();
    Cell target{qMax(1, selected.column), row};
    QList<int> rows;
    int anchor = row;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        rows = rowRange(m_anchorRow, row);
        anchor = m_anchorRow;
    } else if (modifiers.testFlag(Qt::ControlModifier)) {
        rows = m_rows;
        if (!rows.contains(row)) {
            rows << row;
            std::sort(rows.begin(), rows.end());
        } else if (rows.size() > 1) {
            // Taken out of the selection; the selected cell stays on a row that is still in it.
            rows.removeOne(row);
            target.row = rows.contains(selected.row) ? selected.row : rows.first();
            anchor = target.row;
        }
    } else {
        rows = {row};
    }
    moveTo(target, MoveSource::RowLabel, rows, anchor);
}

QRect ChannelGrid::cellRect(Cell cell, const QWidget* widget) const {
    if (!model())
        return {};
    const QRect rect = visualRect(model()->index(cell.row, cell.column));
    return QRect(viewport()->mapTo(widget, rect.topLeft()), rect.size());
}

void ChannelGrid::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.column() == 0 && index.row() >= 1) {
        clickRowLabel(index.row(), event->modifiers());
        return;
    }
    m_extending = event->modifiers().testFlag(Qt::ShiftModifier);
    if (index.isValid())
        selectCell({index.column(), index.row()}, MoveSource::Click);
    m_extending = false;
}

// The selection moves on the press only: no dragging a range, no second click on a double click.
void ChannelGrid::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}

void ChannelGrid::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

void ChannelGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void ChannelGrid::keyPressEvent(QKeyEvent* event) {
    CursorAction action;
    switch (event->key()) {
    case Qt::Key_Up:
        action = MoveUp;
        break;
    case Qt::Key_Down:
        action = MoveDown;
        break;
    case Qt::Key_Left:
        action = MoveLeft;
        break;
    case Qt::Key_Right:
        action = MoveRight;
        break;
    case Qt::Key_Home:
        action = MoveHome;
        break;
    case Qt::Key_End:
        action = MoveEnd;
        break;
    case Qt::Key_PageUp:
        action = MovePageUp;
        break;
    case Qt::Key_PageDown:
        action = MovePageDown;
        break;
    default:
        if (!event->text().isEmpty()) {
            event->accept();
            emit characterTyped(event->text().front());
        } else {
            event->ignore();
        }
        return;
    }
    event->accept();
    const QModelIndex target = moveCursor(action, event->modifiers() & ~Qt::ShiftModifier);
    m_extending = event->modifiers().testFlag(Qt::ShiftModifier);
    if (target.isValid())
        selectCell({qMax(1, target.column()), qMax(1, target.row())}, MoveSource::Keyboard);
    m_extending = false;
}

void ChannelGrid::wheelEvent(QWheelEvent* event) {
    event->accept();
    m_wheelRemainder += event->angleDelta().y();
    while (qAbs(m_wheelRemainder) >= WheelStep) {
        const int direction = m_wheelRemainder > 0 ? -1 : 1; // away from the user moves up
        m_wheelRemainder += direction * WheelStep;
        Cell cell = selectedCell();
        cell.row += direction;
        if (isFixed(cell) || !selectCell(cell, MoveSource::Wheel)) {
            m_wheelRemainder = 0;
            break;
        }
    }
}

void ChannelGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    emit focusEntered();
}

} // namespace zev
