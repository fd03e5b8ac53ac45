#include "authoring/StringGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

TStringGrid::TStringGrid(QWidget *parent)
    : QAbstractScrollArea(parent), m_color(palette().color(QPalette::Base))
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(false);
    SetColCount(5);
    SetRowCount(5);
}

void TStringGrid::SetColCount(int count)
{
    count = std::max(count, 1);
    m_colWidths.resize(std::size_t(count), m_defaultColWidth);
    m_cells.resize(std::size_t(count), std::vector<QString>(m_rowHeights.size()));
    if (m_fixedCols >= count)
        m_fixedCols = count - 1;
    clampCurrent();
}

void TStringGrid::SetRowCount(int count)
{
    count = std::max(count, 1);
    m_rowHeights.resize(std::size_t(count), m_defaultRowHeight);
    for (auto &column : m_cells)
        column.resize(std::size_t(count));
    if (m_fixedRows >= count)
        m_fixedRows = count - 1;
    clampCurrent();
}

void TStringGrid::SetFixedCols(int count)
{
    m_fixedCols = std::clamp(count, 0, ColCount() - 1);
    clampCurrent();
}

void TStringGrid::SetFixedRows(int count)
{
    m_fixedRows = std::clamp(count, 0, RowCount() - 1);
    clampCurrent();
}

void TStringGrid::SetOptions(TGridOptions options)
{
    m_options = options;
    Invalidate();
}

void TStringGrid::SetDefaultColWidth(int width)
{
    m_defaultColWidth = std::max(width, 0);
    std::fill(m_colWidths.begin(), m_colWidths.end(), m_defaultColWidth);
    updateScrollBars();
    Invalidate();
}

void TStringGrid::SetDefaultRowHeight(int height)
{
    m_defaultRowHeight = std::max(height, 0);
    std::fill(m_rowHeights.begin(), m_rowHeights.end(), m_defaultRowHeight);
    updateScrollBars();
    Invalidate();
}

int TStringGrid::ColWidths(int col) const
{
    return col >= 0 && col < ColCount() ? m_colWidths[std::size_t(col)] : 0;
}

int TStringGrid::RowHeights(int row) const
{
    return row >= 0 && row < RowCount() ? m_rowHeights[std::size_t(row)] : 0;
}

void TStringGrid::SetColWidths(int col, int width)
{
    if (col < 0 || col >= ColCount())
        return;
    m_colWidths[std::size_t(col)] = width;
    updateScrollBars();
    Invalidate();
}

void TStringGrid::SetRowHeights(int row, int height)
{
    if (row < 0 || row >= RowCount())
        return;
    m_rowHeights[std::size_t(row)] = height;
    updateScrollBars();
    Invalidate();
}

void TStringGrid::SetGridLineWidth(int width)
{
    m_lineWidth = std::max(width, 0);
    updateScrollBars();
    Invalidate();
}

int TStringGrid::VertLineWidth() const
{
    return (Options() & (goFixedVertLine | goVertLine)) ? m_lineWidth : 0;
}

int TStringGrid::HorzLineWidth() const
{
    return (Options() & (goFixedHorzLine | goHorzLine)) ? m_lineWidth : 0;
}

void TStringGrid::SetColor(const QColor &color)
{
    m_color = color;
    Invalidate();
}

QString TStringGrid::Cells(int col, int row) const
{
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount())
        return QString();
    return m_cells[std::size_t(col)][std::size_t(row)];
}

void TStringGrid::SetCells(int col, int row, const QString &text)
{
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount())
        return;
    m_cells[std::size_t(col)][std::size_t(row)] = text;
    Invalidate();
}

QString TStringGrid::GetEditText(int col, int row) const
{
    QString text = Cells(col, row);
    if (OnGetEditText)
        OnGetEditText(const_cast<TStringGrid *>(this), col, row, &text);
    return text;
}

void TStringGrid::SetCol(int col) { MoveCurrent(col, m_row, true); }

void TStringGrid::SetRow(int row) { MoveCurrent(m_col, row, true); }

TRect TStringGrid::Selection() const
{
    TRect r{std::min(m_anchorCol, m_col), std::min(m_anchorRow, m_row), std::max(m_anchorCol, m_col),
            std::max(m_anchorRow, m_row)};
    if (Options() & goRowSelect) {
        r.Left = m_fixedCols;
        r.Right = ColCount() - 1;
    }
    return r;
}

void TStringGrid::SetSelection(const TRect &selection)
{
    m_anchorCol = selection.Left;
    m_anchorRow = selection.Top;
    m_col = selection.Right;
    m_row = selection.Bottom;
    clampCurrent();
    scrollIntoView(m_col, m_row);
    Invalidate();
}

void TStringGrid::SetTopRow(int row)
{
    row = std::clamp(row, m_fixedRows, std::max(m_fixedRows, maxTopRow()));
    if (row == m_topRow)
        return;
    m_topRow = row;
    m_syncingScrollBars = true;
    verticalScrollBar()->setValue(row);
    m_syncingScrollBars = false;
    TopLeftChanged();
    Invalidate();
}

void TStringGrid::SetLeftCol(int col)
{
    col = std::clamp(col, m_fixedCols, std::max(m_fixedCols, maxLeftCol()));
    if (col == m_leftCol)
        return;
    m_leftCol = col;
    m_syncingScrollBars = true;
    horizontalScrollBar()->setValue(col);
    m_syncingScrollBars = false;
    TopLeftChanged();
    Invalidate();
}

int TStringGrid::VisibleColCount() const
{
    int n = 0;
    for (int c = m_leftCol; c < ColCount() && ColLeft(c) >= 0; ++c)
        ++n;
    return n;
}

int TStringGrid::VisibleRowCount() const
{
    int n = 0;
    for (int r = m_topRow; r < RowCount() && RowTop(r) >= 0; ++r)
        ++n;
    return n;
}

int TStringGrid::ColLeft(int col) const
{
    if (col < 0 || col >= ColCount())
        return -1;
    const int line = VertLineWidth();
    int x = 0;
    if (col < m_fixedCols) {
        for (int c = 0; c < col; ++c)
            x += ColWidths(c) + line;
        return x;
    }
    if (col < m_leftCol)
        return -1;
    for (int c = 0; c < m_fixedCols; ++c)
        x += ColWidths(c) + line;
    for (int c = m_leftCol; c < col; ++c)
        x += ColWidths(c) + line;
    return x < viewport()->width() ? x : -1;
}

int TStringGrid::RowTop(int row) const
{
    if (row < 0 || row >= RowCount())
        return -1;
    const int line = HorzLineWidth();
    int y = 0;
    if (row < m_fixedRows) {
        for (int r = 0; r < row; ++r)
            y += RowHeights(r) + line;
        return y;
    }
    if (row < m_topRow)
        return -1;
    for (int r = 0; r < m_fixedRows; ++r)
        y += RowHeights(r) + line;
    for (int r = m_topRow; r < row; ++r)
        y += RowHeights(r) + line;
    return y < viewport()->height() ? y : -1;
}

TRect TStringGrid::CellRect(int col, int row) const
{
    const int x = ColLeft(col);
    const int y = RowTop(row);
    if (x < 0 || y < 0)
        return TRect();
    return TRect{x, y, x + ColWidths(col), y + RowHeights(row)};
}

namespace {
// The column (row) whose band holds a coordinate: the fixed ones, then the scrolling ones
// from the first shown; -1 for none.
template <typename Size>
int bandAt(int at, int fixed, int first, int count, int limit, int line, Size size)
{
    int edge = 0;
    for (int i = 0; i < fixed && i < count; ++i) {
        const int next = edge + size(i) + line;
        if (at >= edge && at < next)
            return i;
        edge = next;
    }
    for (int i = std::max(first, fixed); i < count && edge < limit; ++i) {
        const int next = edge + size(i) + line;
        if (at >= edge && at < next)
            return i;
        edge = next;
    }
    return -1;
}
} // namespace

bool TStringGrid::MouseToCell(const QPoint &point, int *col, int *row) const
{
    const int foundCol = bandAt(point.x(), m_fixedCols, m_leftCol, ColCount(), viewport()->width(), VertLineWidth(),
                                [this](int c) { return ColWidths(c); });
    const int foundRow = bandAt(point.y(), m_fixedRows, m_topRow, RowCount(), viewport()->height(), HorzLineWidth(),
                                [this](int r) { return RowHeights(r); });
    if (foundCol < 0 || foundRow < 0)
        return false;
    *col = foundCol;
    *row = foundRow;
    return true;
}

void TStringGrid::MoveColumn(int from, int to)
{
    if (from < 0 || from >= ColCount() || to < 0 || to >= ColCount() || from == to)
        return;
    const int width = m_colWidths[std::size_t(from)];
    m_colWidths.erase(m_colWidths.begin() + from);
    m_colWidths.insert(m_colWidths.begin() + to, width);
    ColumnMoved(from, to);
}

void TStringGrid::MoveRow(int from, int to)
{
    if (from < 0 || from >= RowCount() || to < 0 || to >= RowCount() || from == to)
        return;
    const int height = m_rowHeights[std::size_t(from)];
    m_rowHeights.erase(m_rowHeights.begin() + from);
    m_rowHeights.insert(m_rowHeights.begin() + to, height);
    RowMoved(from, to);
}

void TStringGrid::DeleteColumn(int col)
{
    if (col < 0 || col >= ColCount())
        return;
    // Widths stay by position: only the contents move to the end before it is cut off.
    ColumnMoved(col, ColCount() - 1);
    SetColCount(ColCount() - 1);
}

void TStringGrid::DeleteRow(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    RowMoved(row, RowCount() - 1);
    SetRowCount(RowCount() - 1);
}

bool TStringGrid::SelectCell(int col, int row)
{
    bool can = true;
    if (OnSelectCell)
        OnSelectCell(this, col, row, &can);
    return can;
}

void TStringGrid::TopLeftChanged()
{
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

void TStringGrid::ColumnMoved(int from, int to)
{
    auto column = std::move(m_cells[std::size_t(from)]);
    m_cells.erase(m_cells.begin() + from);
    m_cells.insert(m_cells.begin() + to, std::move(column));
    Invalidate();
}

void TStringGrid::RowMoved(int from, int to)
{
    for (auto &column : m_cells) {
        QString text = column[std::size_t(from)];
        column.erase(column.begin() + from);
        column.insert(column.begin() + to, text);
    }
    Invalidate();
}

bool TStringGrid::MoveCurrent(int col, int row, bool moveAnchor)
{
    col = std::clamp(col, m_fixedCols, ColCount() - 1);
    row = std::clamp(row, m_fixedRows, RowCount() - 1);
    if ((col != m_col || row != m_row) && !SelectCell(col, row))
        return false;
    m_col = col;
    m_row = row;
    if (moveAnchor || !(Options() & goRangeSelect)) {
        m_anchorCol = col;
        m_anchorRow = row;
    }
    scrollIntoView(col, row);
    Invalidate();
    return true;
}

bool TStringGrid::GridKeyDown(QKeyEvent *event)
{
    const bool extend = (event->modifiers() & Qt::ShiftModifier) && (Options() & goRangeSelect);
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool rowSelect = Options() & goRowSelect;
    const int page = std::max(1, VisibleRowCount() - 1);
    int col = m_col;
    int row = m_row;
    switch (event->key()) {
    case Qt::Key_Up: --row; break;
    case Qt::Key_Down: ++row; break;
    case Qt::Key_Left:
        if (!rowSelect)
            --col;
        break;
    case Qt::Key_Right:
        if (!rowSelect)
            ++col;
        break;
    case Qt::Key_PageUp: row -= page; break;
    case Qt::Key_PageDown: row += page; break;
    case Qt::Key_Home:
        col = m_fixedCols;
        if (ctrl)
            row = m_fixedRows;
        break;
    case Qt::Key_End:
        col = ColCount() - 1;
        if (ctrl)
            row = RowCount() - 1;
        break;
    default: return false;
    }
    return MoveCurrent(col, row, !extend);
}

bool TStringGrid::GridMouseDown(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    setFocus(Qt::MouseFocusReason);
    int col = 0;
    int row = 0;
    if (!MouseToCell(event->position().toPoint(), &col, &row) || col < m_fixedCols || row < m_fixedRows)
        return false;
    const bool extend = (event->modifiers() & Qt::ShiftModifier) && (Options() & goRangeSelect);
    if (!MoveCurrent(col, row, !extend))
        return false;
    m_dragging = Options() & goRangeSelect;
    return true;
}

void TStringGrid::GridMouseMove(QMouseEvent *event)
{
    if (!m_dragging || !(event->buttons() & Qt::LeftButton))
        return;
    int col = 0;
    int row = 0;
    if (MouseToCell(event->position().toPoint(), &col, &row))
        MoveCurrent(std::max(col, m_fixedCols), std::max(row, m_fixedRows), false);
}

void TStringGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragging && event->button() == Qt::LeftButton) {
        m_dragging = false;
        if (OnClick)
            OnClick(this);
    }
}

void TStringGrid::KeyUp(int *key, Qt::KeyboardModifiers shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TStringGrid::keyReleaseEvent(QKeyEvent *event)
{
    int key = event->key();
    if (!event->isAutoRepeat())
        KeyUp(&key, event->modifiers());
    event->accept();
}

bool TStringGrid::GridWheelDown()
{
    if (m_row < RowCount() - 1)
        MoveCurrent(m_col, m_row + 1, true);
    return true;
}

bool TStringGrid::GridWheelUp()
{
    if (m_row > m_fixedRows)
        MoveCurrent(m_col, m_row - 1, true);
    return true;
}

void TStringGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void TStringGrid::scrollContentsBy(int, int)
{
    if (m_syncingScrollBars)
        return;
    m_topRow = std::clamp(verticalScrollBar()->value(), m_fixedRows, std::max(m_fixedRows, RowCount() - 1));
    m_leftCol = std::clamp(horizontalScrollBar()->value(), m_fixedCols, std::max(m_fixedCols, ColCount() - 1));
    TopLeftChanged();
    Invalidate();
}

int TStringGrid::maxTopRow() const
{
    int room = viewport()->height();
    for (int r = 0; r < m_fixedRows; ++r)
        room -= RowHeights(r) + HorzLineWidth();
    int top = RowCount() - 1;
    int used = RowHeights(top) + HorzLineWidth();
    while (top - 1 >= m_fixedRows && used + RowHeights(top - 1) + HorzLineWidth() <= room) {
        --top;
        used += RowHeights(top) + HorzLineWidth();
    }
    return std::max(top, m_fixedRows);
}

int TStringGrid::maxLeftCol() const
{
    int room = viewport()->width();
    for (int c = 0; c < m_fixedCols; ++c)
        room -= ColWidths(c) + VertLineWidth();
    int left = ColCount() - 1;
    int used = ColWidths(left) + VertLineWidth();
    while (left - 1 >= m_fixedCols && used + ColWidths(left - 1) + VertLineWidth() <= room) {
        --left;
        used += ColWidths(left) + VertLineWidth();
    }
    return std::max(left, m_fixedCols);
}

void TStringGrid::updateScrollBars()
{
    m_syncingScrollBars = true;
    const int maxTop = maxTopRow();
    const int maxLeft = maxLeftCol();
    verticalScrollBar()->setRange(m_fixedRows, maxTop);
    verticalScrollBar()->setPageStep(std::max(1, VisibleRowCount() - 1));
    horizontalScrollBar()->setRange(m_fixedCols, maxLeft);
    horizontalScrollBar()->setPageStep(std::max(1, VisibleColCount() - 1));
    const int top = std::clamp(m_topRow, m_fixedRows, maxTop);
    const int left = std::clamp(m_leftCol, m_fixedCols, maxLeft);
    verticalScrollBar()->setValue(top);
    horizontalScrollBar()->setValue(left);
    m_syncingScrollBars = false;
    if (top != m_topRow || left != m_leftCol) {
        m_topRow = top;
        m_leftCol = left;
        TopLeftChanged();
    }
}

void TStringGrid::clampCurrent()
{
    const auto clampCol = [this](int c) { return std::clamp(c, m_fixedCols, ColCount() - 1); };
    const auto clampRow = [this](int r) { return std::clamp(r, m_fixedRows, RowCount() - 1); };
    m_col = clampCol(m_col);
    m_anchorCol = clampCol(m_anchorCol);
    m_row = clampRow(m_row);
    m_anchorRow = clampRow(m_anchorRow);
    m_topRow = clampRow(m_topRow);
    m_leftCol = clampCol(m_leftCol);
    updateScrollBars();
    Invalidate();
}

void TStringGrid::scrollIntoView(int col, int row)
{
    if (row >= m_fixedRows) {
        if (row < m_topRow) {
            SetTopRow(row);
        } else {
            const int room = viewport()->height();
            while (m_topRow < row) {
                const int y = RowTop(row);
                if (y >= 0 && y + RowHeights(row) <= room)
                    break;
                SetTopRow(m_topRow + 1);
                if (m_topRow >= maxTopRow())
                    break;
            }
        }
    }
    if (col >= m_fixedCols) {
        if (col < m_leftCol) {
            SetLeftCol(col);
        } else {
            const int room = viewport()->width();
            while (m_leftCol < col) {
                const int x = ColLeft(col);
                if (x >= 0 && x + ColWidths(col) <= room)
                    break;
                SetLeftCol(m_leftCol + 1);
                if (m_leftCol >= maxLeftCol())
                    break;
            }
        }
    }
}
