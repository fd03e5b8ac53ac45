#include "authoring/ZColorStringGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextLayout>
#include <QWheelEvent>
#include <algorithm>
#include <array>

// ---- TCellStyle -------------------------------------------------------------------------

TCellStyle::TCellStyle(TZColorStringGrid *grid) : m_grid(grid)
{
    if (grid) {
        m_font.Font = grid->font();
        m_font.Color = grid->palette().color(QPalette::WindowText);
    }
}

void TCellStyle::changed(bool discardPicture)
{
    if (!m_grid)
        return;
    if (discardPicture)
        m_grid->DiscardMergePicture();
    m_grid->Repaint();
}

void TCellStyle::Assign(const TCellStyle &source)
{
    if (&source == this)
        return;
    m_bgColor = source.m_bgColor;
    m_rotate = source.m_rotate;
    m_font = source.m_font;
    m_hAlign = source.m_hAlign;
    m_vAlign = source.m_vAlign;
    m_wordWrap = source.m_wordWrap;
    m_sizingHeight = source.m_sizingHeight;
    m_sizingWidth = source.m_sizingWidth;
    m_border = source.m_border;
    m_indentH = source.m_indentH;
    m_indentV = source.m_indentV;
    if (m_grid)
        m_grid->DiscardMergePicture();
}

void TCellStyle::SetFont(const TFont &font)
{
    m_font = font;
    if (!m_grid)
        return;
    m_grid->DiscardMergePicture();
    m_grid->FitCellToText(m_grid->Col(), m_grid->Row());
    m_grid->Repaint();
}

void TCellStyle::SetBGColor(const QColor &color)
{
    m_bgColor = color;
    changed(true);
}

void TCellStyle::SetHorizontalAlignment(TAlignment alignment)
{
    if (alignment == m_hAlign)
        return;
    m_hAlign = alignment;
    changed(true);
}

void TCellStyle::SetVerticalAlignment(TVerticalAlignment alignment)
{
    if (alignment == m_vAlign)
        return;
    m_vAlign = alignment;
    changed(true);
}

void TCellStyle::SetBorderCellStyle(TBorderCellStyle border)
{
    if (border == m_border)
        return;
    m_border = border;
    changed(false);
}

void TCellStyle::SetIndentH(std::uint8_t indent)
{
    if (indent == m_indentH)
        return;
    m_indentH = indent;
    changed(true);
}

void TCellStyle::SetIndentV(std::uint8_t indent)
{
    if (indent == m_indentV)
        return;
    m_indentV = indent;
    changed(true);
}

void TCellStyle::SetRotate(int degrees)
{
    if (degrees == m_rotate)
        return;
    m_rotate = degrees;
    changed(true);
}

// ---- option objects ---------------------------------------------------------------------

TSelectColor::TSelectColor(TZColorStringGrid *grid)
    : m_grid(grid), m_bgColor(grid->palette().color(QPalette::Highlight))
{
}

void TSelectColor::SetBGColor(const QColor &color)
{
    if (color == m_bgColor)
        return;
    m_bgColor = color;
    m_grid->Repaint();
}

void TSelectColor::SetColoredSelect(bool on)
{
    if (on == m_coloredSelect)
        return;
    m_coloredSelect = on;
    m_grid->Repaint();
}

void TSelectColor::SetUseFocusRect(bool on)
{
    if (on == m_useFocusRect)
        return;
    m_useFocusRect = on;
    m_grid->Repaint();
}

void TLineDesign::SetLineColor(const QColor &color)
{
    if (color == m_lineColor)
        return;
    m_lineColor = color;
    m_grid->Repaint();
}

void TLineDesign::SetLineUpColor(const QColor &color)
{
    if (color == m_upColor)
        return;
    m_upColor = color;
    m_grid->Repaint();
}

void TLineDesign::SetLineDownColor(const QColor &color)
{
    if (color == m_downColor)
        return;
    m_downColor = color;
    m_grid->Repaint();
}

void TInplaceEditorOptions::apply()
{
    TZInplaceEditor *editor = m_grid->InplaceEditor();
    if (m_useCellStyle || !editor)
        return;
    editor->SetWordWrap(m_wordWrap);
    editor->SetBorder(m_borderStyle);
    editor->SetAlignment(m_alignment);
    editor->SetColors(m_bgColor, m_fontColor);
}

void TInplaceEditorOptions::SetFontColor(const QColor &color)
{
    m_fontColor = color;
    apply();
}

void TInplaceEditorOptions::SetBGColor(const QColor &color)
{
    m_bgColor = color;
    apply();
}

void TInplaceEditorOptions::SetBorderStyle(TBorderStyle style)
{
    m_borderStyle = style;
    apply();
}

void TInplaceEditorOptions::SetAlignment(TAlignment alignment)
{
    m_alignment = alignment;
    apply();
}

void TInplaceEditorOptions::SetWordWrap(bool on)
{
    m_wordWrap = on;
    apply();
}

void TInplaceEditorOptions::SetUseCellStyle(bool on)
{
    m_useCellStyle = on;
    apply();
}

// ---- TMergeCells ------------------------------------------------------------------------

namespace {
bool within(int v, int lo, int hi) { return v >= lo && v <= hi; }

// A corner of a inside b, by the per-axis test the list has always used.
bool cornerInside(const TRect &a, const TRect &b)
{
    return (within(a.Left, b.Left, b.Right) || within(a.Right, b.Left, b.Right))
           && (within(a.Top, b.Top, b.Bottom) || within(a.Bottom, b.Top, b.Bottom));
}

bool intersects(const TRect &a, const TRect &b)
{
    return a.Left <= b.Right && b.Left <= a.Right && a.Top <= b.Bottom && b.Top <= a.Bottom;
}

// The four edges of a cell range, each as a one-cell-wide range.
std::array<TRect, 4> edges(const TRect &r)
{
    return {TRect{r.Left, r.Top, r.Left, r.Bottom}, TRect{r.Left, r.Top, r.Right, r.Top},
            TRect{r.Right, r.Top, r.Right, r.Bottom}, TRect{r.Left, r.Bottom, r.Right, r.Bottom}};
}

bool edgesTouch(const TRect &merge, const TRect &selection)
{
    for (const TRect &m : edges(merge))
        for (const TRect &s : edges(selection))
            if (intersects(m, s))
                return true;
    return false;
}

TRect unite(const TRect &a, const TRect &b)
{
    return TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                 std::max(a.Bottom, b.Bottom)};
}
} // namespace

int TMergeCells::Add(int col1, int row1, int col2, int row2)
{
    return AddRect(TRect{std::min(col1, col2), std::min(row1, row2), std::max(col1, col2), std::max(row1, row2)});
}

int TMergeCells::AddRect(const TRect &r)
{
    const int cols = m_grid->ColCount();
    const int rows = m_grid->RowCount();
    if (r.Left < 0 || r.Top < 0 || r.Right > cols - 1 || r.Bottom > rows - 1 || r.Left > cols - 1
        || r.Top > rows - 1)
        return Outside;
    if (r.Left == r.Right && r.Top == r.Bottom)
        return SingleCell;
    for (const TRect &m : m_rects)
        if (cornerInside(m, r) || cornerInside(r, m))
            return Overlaps;
    const int fixedCols = m_grid->FixedCols();
    const int fixedRows = m_grid->FixedRows();
    const bool straddlesRows = r.Top < fixedRows && fixedRows <= r.Bottom;
    if (r.Left >= fixedCols && straddlesRows)
        return StraddlesFixed;
    if (r.Left < fixedCols && (fixedCols <= r.Right || straddlesRows))
        return StraddlesFixed;
    m_rects.push_back(r);
    m_grid->DiscardMergePicture();
    m_grid->Repaint();
    return Added;
}

bool TMergeCells::Delete(int index)
{
    if (index < 0 || index >= Count())
        return false;
    m_rects.erase(m_rects.begin() + index);
    m_grid->DiscardMergePicture();
    m_grid->Repaint();
    return true;
}

void TMergeCells::Clear()
{
    m_rects.clear();
    m_grid->DiscardMergePicture();
    m_grid->Repaint();
}

int TMergeCells::IndexOf(int col, int row) const
{
    for (int i = 0; i < Count(); ++i) {
        const TRect &m = m_rects[std::size_t(i)];
        if (within(col, m.Left, m.Right) && within(row, m.Top, m.Bottom))
            return i;
    }
    return -1;
}

int TMergeCells::IndexOfOrigin(int col, int row) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_rects[std::size_t(i)].Left == col && m_rects[std::size_t(i)].Top == row)
            return i;
    return -1;
}

TRect TMergeCells::GetRect(int index) const
{
    return index >= 0 && index < Count() ? m_rects[std::size_t(index)] : TRect();
}

int TMergeCells::MergeWidth(int index) const
{
    if (index < 0 || index >= Count())
        return -1;
    const TRect &m = m_rects[std::size_t(index)];
    int width = 0;
    for (int c = m.Left; c <= m.Right; ++c)
        width += m_grid->ColWidths(c);
    if (m_grid->Options() & (goFixedVertLine | goVertLine))
        width += (m.Right - m.Left) * m_grid->GridLineWidth();
    return width;
}

int TMergeCells::MergeHeight(int index) const
{
    if (index < 0 || index >= Count())
        return -1;
    const TRect &m = m_rects[std::size_t(index)];
    int height = 0;
    for (int r = m.Top; r <= m.Bottom; ++r)
        height += m_grid->RowHeights(r);
    if (m_grid->Options() & (goFixedHorzLine | goHorzLine))
        height += (m.Bottom - m.Top) * m_grid->GridLineWidth();
    return height;
}

void TMergeCells::ExpandSelection(bool apply, TRect *rect) const
{
    TRect s = m_grid->Selection();
    if (m_grid->Options() & goRowSelect) {
        s.Left = m_grid->FixedCols();
        s.Right = m_grid->ColCount() - 1;
    }
    std::vector<bool> taken(m_rects.size(), false);
    for (bool grew = true; grew;) {
        grew = false;
        for (std::size_t i = 0; i < m_rects.size(); ++i) {
            if (taken[i] || !edgesTouch(m_rects[i], s))
                continue;
            taken[i] = true;
            s = unite(s, m_rects[i]);
            grew = true;
            break;  // start again from the first merge not yet taken
        }
    }
    if (apply)
        m_grid->SetSelection(s);
    if (rect)
        *rect = s;
}

// ---- TZColorStringGrid: model -------------------------------------------------------------

TZColorStringGrid::TZColorStringGrid(QWidget *parent)
    : TStringGrid(parent), m_fixedColor(palette().color(QPalette::Button))
{
    m_defaultStyle = std::make_unique<TCellStyle>(this);
    m_defaultStyle->SetBGColor(Color());
    m_defaultFixedStyle = std::make_unique<TCellStyle>(this);
    m_defaultFixedStyle->SetBGColor(m_fixedColor);
    m_outsideStyle = std::make_unique<TCellStyle>(nullptr);
    m_selectedColors = std::make_unique<TSelectColor>(this);
    m_merges = std::make_unique<TMergeCells>(this);
    m_lineDesign = std::make_unique<TLineDesign>(this);
    m_editor = new TZInplaceEditor(this);
    m_editorOptions = std::make_unique<TInplaceEditorOptions>(this);
    m_styles.resize(std::size_t(ColCount()));
    for (auto &column : m_styles)
        column.resize(std::size_t(RowCount()));
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

TZColorStringGrid::~TZColorStringGrid()
{
    // The editor goes first, while the grid it reports to is still whole.
    delete m_editor;
    m_editor = nullptr;
}

void TZColorStringGrid::SetColCount(int count)
{
    count = std::max(count, 1);
    // Styles of removed columns go with them; new columns start empty.
    m_styles.resize(std::size_t(count));
    for (auto &column : m_styles)
        column.resize(std::size_t(RowCount()));
    TStringGrid::SetColCount(count);
}

void TZColorStringGrid::SetRowCount(int count)
{
    count = std::max(count, 1);
    for (auto &column : m_styles)
        column.resize(std::size_t(count));
    TStringGrid::SetRowCount(count);
}

TGridOptions TZColorStringGrid::Options() const
{
    return TStringGrid::Options() | (m_editing ? unsigned(goEditing) : 0u);
}

void TZColorStringGrid::SetOptions(TGridOptions options)
{
    // The grid keeps the editing switch itself: only its own editor ever opens.
    m_editing = options & goEditing;
    TStringGrid::SetOptions(options & ~unsigned(goEditing));
    if (!editorAllowed())
        HideInplaceEditor();
}

void TZColorStringGrid::SetFixedColor(const QColor &color)
{
    m_fixedColor = color;
    m_defaultFixedStyle->SetBGColor(color);
    Repaint();
}

TCellStyle *TZColorStringGrid::CellStyle(int col, int row)
{
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) {
        m_outsideStyle->Assign(*m_defaultStyle);
        return m_outsideStyle.get();
    }
    std::unique_ptr<TCellStyle> &style = m_styles[std::size_t(col)][std::size_t(row)];
    if (!style) {
        // Filled before it belongs to the grid: a style made while painting must not throw
        // away the merge pictures of that paint.
        style = std::make_unique<TCellStyle>(this);
        style->m_grid = nullptr;
        style->Assign(col >= FixedCols() && row >= FixedRows() ? *m_defaultStyle : *m_defaultFixedStyle);
        style->m_grid = this;
    }
    return style.get();
}

void TZColorStringGrid::SetDefaultCellStyle(const TCellStyle &style)
{
    m_defaultStyle->Assign(style);
    SetColor(style.BGColor());
    Repaint();
}

void TZColorStringGrid::SetDefaultFixedCellStyle(const TCellStyle &style)
{
    m_defaultFixedStyle->Assign(style);
    m_fixedColor = style.BGColor();
    Repaint();
}

TZColorStringGrid::TCellLayout TZColorStringGrid::CellLayout(const TCellStyle &style) const
{
    TCellLayout layout;
    layout.HAlign = style.HorizontalAlignment() == taCenter ? 1 : style.HorizontalAlignment() == taRightJustify ? 2 : 0;
    layout.VAlign = style.VerticalAlignment() == vaTop ? 0 : style.VerticalAlignment() == vaBottom ? 2 : 1;
    layout.WordWrap = m_useCellWordWrap ? style.WordWrap() : m_wordWrap;
    if (m_useCellSizingHeight ? style.SizingHeight() : m_sizingHeight)
        layout.SizingFlags |= tfGrowHeight;
    if (m_useCellSizingWidth ? style.SizingWidth() : m_sizingWidth)
        layout.SizingFlags |= tfGrowWidth;
    return layout;
}

void TZColorStringGrid::FitCellToText(int col, int row)
{
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount())
        return;
    TCellStyle *style = CellStyle(col, row);
    const TCellLayout layout = CellLayout(*style);
    if (!layout.SizingFlags)
        return;
    const int merge = m_merges->IndexOf(col, row);
    const int w = merge >= 0 ? m_merges->MergeWidth(merge) : ColWidths(col);
    const int h = merge >= 0 ? m_merges->MergeHeight(merge) : RowHeights(row);
    TRect rect{0, 0, w, h};
    const TFontMeasurer measurer(style->Font().Font, viewport());
    LayoutTextInRect(measurer, Cells(col, row), layout.HAlign, layout.VAlign, layout.WordWrap, rect, style->IndentH(),
                     style->IndentV(), layout.SizingFlags | tfMeasureOnly, 0, style->Rotate());
    if (rect.Width() > w)
        SetColWidths(col, ColWidths(col) + rect.Width() - w);
    if (rect.Height() > h)
        SetRowHeights(row, RowHeights(row) + rect.Height() - h);
}

void TZColorStringGrid::SetCellText(int col, int row, const QString &text)
{
    if (text == Cells(col, row))
        return;
    SetCells(col, row, text);
    FitCellToText(col, row);
    if (OnSetEditText)
        OnSetEditText(this, col, row, text);
    DiscardMergePicture();
    Repaint();
}

void TZColorStringGrid::DiscardMergePicture() { m_mergePictures.clear(); }

void TZColorStringGrid::DeleteColumn(int col)
{
    if (col < 0 || col >= ColCount())
        return;
    TStringGrid::DeleteColumn(col);
}

void TZColorStringGrid::DeleteRow(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    TStringGrid::DeleteRow(row);
}

void TZColorStringGrid::ColumnMoved(int from, int to)
{
    auto column = std::move(m_styles[std::size_t(from)]);
    m_styles.erase(m_styles.begin() + from);
    m_styles.insert(m_styles.begin() + to, std::move(column));
    DiscardMergePicture();
    Repaint();
    TStringGrid::ColumnMoved(from, to);
}

void TZColorStringGrid::RowMoved(int from, int to)
{
    for (auto &column : m_styles) {
        auto style = std::move(column[std::size_t(from)]);
        column.erase(column.begin() + from);
        column.insert(column.begin() + to, std::move(style));
    }
    DiscardMergePicture();
    Repaint();
    TStringGrid::RowMoved(from, to);
}

// ---- selection rules around merges ---------------------------------------------------------

void TZColorStringGrid::AdjustRowSelection(int key)
{
    if (!(Options() & goRowSelect))
        return;
    // The rows of every merge reached from the current row.
    int top = Row();
    int bottom = Row();
    std::vector<bool> used(std::size_t(m_merges->Count()), false);
    for (bool grew = true; grew;) {
        grew = false;
        for (int i = 0; i < m_merges->Count(); ++i) {
            const TRect m = m_merges->GetRect(i);
            if (used[std::size_t(i)] || !(within(top, m.Top, m.Bottom) || within(bottom, m.Top, m.Bottom)))
                continue;
            used[std::size_t(i)] = true;
            top = std::min(top, m.Top);
            bottom = std::max(bottom, m.Bottom);
            grew = true;
        }
    }
    const TRect sel{AnchorCol(), AnchorRow(), Col(), Row()};
    if ((sel.Top == top && sel.Bottom == bottom) || (sel.Top == bottom && sel.Bottom == top) 
        || (key != Qt::Key_Up && key != Qt::Key_Down)) {
        SetSelection(sel);
        return;
    }
    if (key == Qt::Key_Up)
        SetSelection(TRect{sel.Left, bottom, sel.Right, top});
    else
        SetSelection(TRect{sel.Left, top, sel.Right, bottom});
}

bool TZColorStringGrid::SelectCell(int col, int row)
{
    if (m_merges->IndexOf(Col(), Row()) >= 0 || m_merges->IndexOf(col, row) >= 0)
        Repaint();
    if (alwaysShowEditor()) {
        HideInplaceEditor();
    } else if (m_editor->isVisible()) {
        HideInplaceEditor();
        if (isEnabled() && isVisible())
            setFocus();
    }
    return TStringGrid::SelectCell(col, row);
}

void TZColorStringGrid::TopLeftChanged()
{
    TStringGrid::TopLeftChanged();
    if (m_editor && m_editor->isVisible())
        HideInplaceEditor();
    Repaint();
}

bool TZColorStringGrid::GridKeyDownWithMerges(QKeyEvent *event)
{
    const int merge = m_merges->IndexOf(Col(), Row());
    const TRect m = m_merges->GetRect(merge);
    const bool moved = GridKeyDown(event);
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const int key = event->key();
    const auto growSelection = [&](bool swapRows, bool swapCols) {
        TRect grown;
        m_merges->ExpandSelection(false, &grown);
        if (grown != Selection()) {
            if (swapRows)
                std::swap(grown.Top, grown.Bottom);
            if (swapCols)
                std::swap(grown.Left, grown.Right);
            SetSelection(grown);
        }
        if (Options() & goRowSelect)
            Repaint();
    };
    switch (key) {
    case Qt::Key_Down:
        if (shift) {
            growSelection(false, false);
        } else {
            if (merge >= 0 && Row() < RowCount() - 1)
                SetRow(m.Bottom + 1 <= RowCount() - 1 ? m.Bottom + 1 : m.Bottom);
            AdjustRowSelection(Qt::Key_Down);
        }
        break;
    case Qt::Key_Up:
        if (shift) {
            growSelection(true, false);
        } else {
            if (merge >= 0 && Row() > FixedRows())
                SetRow(m.Top > FixedRows() ? m.Top - 1 : m.Top);
            AdjustRowSelection(Qt::Key_Up);
        }
        break;
    case Qt::Key_Right:
        if (shift) {
            growSelection(false, false);
        } else {
            if (merge >= 0 && Col() < ColCount() - 1)
                SetCol(m.Right + 1 <= ColCount() - 1 ? m.Right + 1 : m.Right);
            AdjustRowSelection(Qt::Key_Down);
        }
        break;
    case Qt::Key_Left:
        if (shift) {
            growSelection(false, true);
        } else {
            if (merge >= 0 && Col() > FixedCols())
                SetCol(m.Left > FixedCols() ? m.Left - 1 : m.Left);
            AdjustRowSelection(Qt::Key_Up);
        }
        break;
    case Qt::Key_PageUp:
        if (!shift)
            AdjustRowSelection(Qt::Key_Up);
        break;
    case Qt::Key_PageDown:
        if (!shift)
            AdjustRowSelection(Qt::Key_Down);
        break;
    case Qt::Key_F2:
        if (editorAllowed()) {
            ShowInplaceEditor();
            m_editor->moveCursor(QTextCursor::End);
        }
        break;
    default: break;
    }
    return moved;
}

void TZColorStringGrid::KeyPress(QKeyEvent *event)
{
    QString text = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        text = QStringLiteral("\r");
    if (text.isEmpty())
        return;
    QChar key = text.at(0);
    if (OnKeyPress)
        OnKeyPress(this, &key);
    if (key.isNull() || !editorAllowed())
        return;
    if (key == QLatin1Char('\r')) {
        ShowInplaceEditor();
        if (m_editor->isVisible())
            m_editor->selectAll();
    } else if (key.unicode() > 32) {
        ShowInplaceEditor();
        if (m_editor->isVisible()) {
            m_editor->setPlainText(QString(key));
            m_editor->moveCursor(QTextCursor::End);
        }
    }
}

void TZColorStringGrid::keyPressEvent(QKeyEvent *event)
{
    if (GridKeyDownWithMerges(event) && OnClick)
        OnClick(this);
    KeyPress(event);
    event->accept();
}

void TZColorStringGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    bool clicked = false;
    if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ShiftModifier)) {
        int col = 0;
        int row = 0;
        if (MouseToCell(point, &col, &row)) {
            SetSelection(TRect{std::max(col, FixedCols()), std::max(row, FixedRows()), Col(), Row()});
            m_merges->ExpandSelection(true, nullptr);
            Repaint();
        }
        if (OnMouseDown)
            OnMouseDown(this, event);
        setFocus(Qt::MouseFocusReason);
        clicked = true;
    } else {
        if (OnMouseDown)
            OnMouseDown(this, event);
        clicked = GridMouseDown(event);
        m_dragStartCell = QPoint(Col(), Row());
    }
    m_lastMouseDown = point;
    AdjustRowSelection(Qt::Key_Down);
    if (m_editor->isVisible())
        PlaceInplaceEditor();
    if (clicked && OnClick)
        OnClick(this);
}

void TZColorStringGrid::growSelectionOnDrag()
{
    TRect grown;
    m_merges->ExpandSelection(false, &grown);
    if (grown == Selection())
        return;
    // The anchor goes to the corner on the side where the drag began, so the drag goes on
    // from it; the current cell to the opposite corner.
    const bool rightward = Col() >= m_dragStartCell.x();
    const bool downward = Row() >= m_dragStartCell.y();
    SetSelection(TRect{rightward ? grown.Left : grown.Right, downward ? grown.Top : grown.Bottom,
                       rightward ? grown.Right : grown.Left, downward ? grown.Bottom : grown.Top});
    Repaint();
}

void TZColorStringGrid::mouseMoveEvent(QMouseEvent *event)
{
    const TRect before = Selection();
    GridMouseMove(event);
    if (Selection() != before) {
        growSelectionOnDrag();
        Repaint();
    }
    AdjustRowSelection(Qt::Key_Down);
}

void TZColorStringGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (OnDblClick)
        OnDblClick(this);
    if (!editorAllowed())
        return;
    int col = 0;
    int row = 0;
    const bool onCell = MouseToCell(event->position().toPoint(), &col, &row);
    const int merge = m_merges->IndexOf(Col(), Row());
    const bool onCurrent = onCell
                           && ((col == Col() && row == Row())
                               || (merge >= 0 && merge == m_merges->IndexOf(col, row)));
    if (!m_editor->isVisible()) {
        if (onCurrent)
            ShowInplaceEditor();
    } else if (onCurrent) {
        PlaceInplaceEditor();
    } else {
        HideInplaceEditor();
    }
}

bool TZColorStringGrid::WheelStep(bool down)
{
    const QPoint before(Col(), Row());
    const int merge = m_merges->IndexOf(Col(), Row());
    const TRect m = m_merges->GetRect(merge);
    bool handled = down ? GridWheelDown() : GridWheelUp();
    if (merge >= 0) {
        if (down) {
            handled = m.Bottom < RowCount() - 2;
            if (handled)
                SetRow(m.Bottom + 1);
        } else {
            handled = m.Top > FixedRows();
            if (handled)
                SetRow(m.Top - 1);
        }
    }
    AdjustRowSelection(down ? Qt::Key_Down : Qt::Key_Up);
    // Like every other move of the current cell, a wheel step is told to the grid's user.
    if (QPoint(Col(), Row()) != before && OnClick)
        OnClick(this);
    return handled;
}

void TZColorStringGrid::wheelEvent(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    if (WheelStep(delta < 0))
        event->accept();
    else
        event->ignore();
}

void TZColorStringGrid::focusInEvent(QFocusEvent *event)
{
    if (!m_editor) {
        TStringGrid::focusInEvent(event);
        return;
    }
    if (m_editor->m_state == TZInplaceEditor::Idle) {
        if (alwaysShowEditor())
            PlaceInplaceEditor();
        TStringGrid::focusInEvent(event);
    } else {
        m_editor->m_state = TZInplaceEditor::Idle;
    }
    Repaint();
}

void TZColorStringGrid::focusOutEvent(QFocusEvent *event)
{
    if (m_editor && m_editor->hasFocus() && m_editor->m_state != TZInplaceEditor::HandingFocus) {
        m_editor->m_state = TZInplaceEditor::TookFocus;
        return;
    }
    TStringGrid::focusOutEvent(event);
    Repaint();
}

// ---- in-place editor ----------------------------------------------------------------------

void TZColorStringGrid::PlaceInplaceEditor(bool takeFocus)
{
    if (!editorAllowed())
        return;
    const int merge = m_merges->IndexOf(Col(), Row());
    const TRect m = m_merges->GetRect(merge);
    if (merge >= 0 && (Col() != m.Left || Row() != m.Top))
        SetSelection(TRect{m.Left, m.Top, m.Left, m.Top});
    QRect place;
    if (!editorGeometry(&place)) {
        HideInplaceEditor();
        return;
    }
    TCellStyle *style = CellStyle(Col(), Row());
    m_editor->m_loading = true;
    if (m_editor->toPlainText() != Cells(Col(), Row()))
        m_editor->setPlainText(Cells(Col(), Row()));
    m_editor->m_loading = false;
    m_editor->SetBorder(m_editorOptions->BorderStyle());
    m_editor->setFont(style->Font().Font);
    if (m_editorOptions->UseCellStyle()) {
        m_editor->SetColors(style->BGColor(), style->Font().Color);
        m_editor->SetAlignment(style->HorizontalAlignment());
    } else {
        m_editor->SetColors(m_editorOptions->BGColor(), m_editorOptions->FontColor());
        m_editor->SetAlignment(m_editorOptions->Alignment());
        m_editor->SetWordWrap(m_editorOptions->WordWrap());
    }
    m_editor->setGeometry(place);
    m_editor->show();
    m_editor->raise();
    if (takeFocus)
        m_editor->setFocus(Qt::OtherFocusReason);
}

bool TZColorStringGrid::editorGeometry(QRect *place) const
{
    const TRect r = CellRect(Col(), Row());
    if (r.Left == 0 && r.Right == 0)
        return false;
    const int merge = m_merges->IndexOf(Col(), Row());
    const QRect room = viewport()->geometry();
    const int left = room.left() + r.Left;
    const int top = room.top() + r.Top;
    // Kept inside the viewport, so it never covers the scroll bars.
    const int width = std::min(merge >= 0 ? m_merges->MergeWidth(merge) : ColWidths(Col()), room.right() + 1 - left);
    const int height = std::min(merge >= 0 ? m_merges->MergeHeight(merge) : RowHeights(Row()), room.bottom() + 1 - top);
    if (width <= 0 || height <= 0)
        return false;
    *place = QRect(left, top, width, height);
    return true;
}

void TZColorStringGrid::ShowInplaceEditor()
{
    PlaceInplaceEditor();
    if (!m_editor->isVisible())
        return;
    const QString text = GetEditText(Col(), Row());
    if (m_editor->toPlainText() != text) {
        m_editor->m_loading = true;
        m_editor->setPlainText(text);
        m_editor->m_loading = false;
    }
}

void TZColorStringGrid::HideInplaceEditor()
{
    if (m_editor)
        m_editor->hide();
}

TZInplaceEditor::TZInplaceEditor(TZColorStringGrid *grid) : QPlainTextEdit(grid), m_grid(grid)
{
    setObjectName(QStringLiteral("InplaceEditor"));
    setFocusPolicy(Qt::ClickFocus);
    setTabChangesFocus(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The text sits where the cell draws it, so a cell fitted to its text fits the editor too.
    document()->setDocumentMargin(0);
    SetBorder(bsNone);
    hide();
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_loading && isVisible())
            m_grid->SetCellText(m_grid->Col(), m_grid->Row(), toPlainText());
    });
}

// The setters leave an unchanged editor alone: every repaint of the grid goes through
// them, and a relaid editor would repaint the grid again.
void TZInplaceEditor::SetAlignment(TAlignment alignment)
{
    QTextOption option = document()->defaultTextOption();
    const Qt::Alignment wanted = alignment == taCenter         ? Qt::AlignHCenter
                                 : alignment == taRightJustify ? Qt::AlignRight
                                                               : Qt::AlignLeft;
    if (option.alignment() == wanted)
        return;
    option.setAlignment(wanted);
    document()->setDefaultTextOption(option);
}

void TZInplaceEditor::SetWordWrap(bool on)
{
    const LineWrapMode wanted = on ? WidgetWidth : NoWrap;
    if (lineWrapMode() != wanted)
        setLineWrapMode(wanted);
}

void TZInplaceEditor::SetBorder(TBorderStyle style)
{
    const int wanted = style == bsNone ? int(QFrame::NoFrame) : QFrame::Box | QFrame::Plain;
    if (frameStyle() != wanted)
        setFrameStyle(wanted);
}

void TZInplaceEditor::SetColors(const QColor &background, const QColor &text)
{
    QPalette p = palette();
    if (p.color(QPalette::Base) == background && p.color(QPalette::Text) == text)
        return;
    p.setColor(QPalette::Base, background);
    p.setColor(QPalette::Text, text);
    setPalette(p);
}

void TZInplaceEditor::passKeyToGrid(QKeyEvent *event)
{
    m_state = PassingKey;
    const bool moved = m_grid->GridKeyDownWithMerges(event);
    if (m_grid->alwaysShowEditor()) {
        m_grid->ShowInplaceEditor();
    } else {
        m_grid->HideInplaceEditor();
        m_grid->setFocus(Qt::OtherFocusReason);
    }
    m_state = Idle;
    event->accept();
    if (moved && m_grid->OnClick)
        m_grid->OnClick(m_grid);
}

void TZInplaceEditor::keyPressEvent(QKeyEvent *event)
{
    const QTextCursor cursor = textCursor();
    const int key = event->key();
    const bool atStart = cursor.atStart() && !cursor.hasSelection();
    const bool atEnd = cursor.atEnd() && !cursor.hasSelection();
    // Line of the caret within its block's layout, and that block's line count.
    const QTextBlock block = cursor.block();
    const QTextLayout *layout = block.layout();
    const QTextLine line = layout ? layout->lineForTextPosition(cursor.positionInBlock()) : QTextLine();
    const int lineNumber = line.isValid() ? line.lineNumber() : 0;
    const int lineCount = layout && layout->lineCount() > 0 ? layout->lineCount() : 1;
    const bool firstLine = block == document()->firstBlock() && lineNumber == 0;
    const bool lastLine = block == document()->lastBlock() && lineNumber == lineCount - 1;
    if ((key == Qt::Key_Left && atStart) || (key == Qt::Key_Right && atEnd) || (key == Qt::Key_Up && firstLine)
        || (key == Qt::Key_Down && lastLine) || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
        passKeyToGrid(event);
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        m_grid->SetCellText(m_grid->Col(), m_grid->Row(), toPlainText());
        QChar enter(QLatin1Char('\r'));
        if (m_grid->OnKeyPress)
            m_grid->OnKeyPress(m_grid, &enter);
        if (!m_grid->alwaysShowEditor()) {
            m_state = HandingFocus;
            m_grid->HideInplaceEditor();
            m_grid->setFocus(Qt::OtherFocusReason);
            m_state = Idle;
        }
        event->accept();
        return;
    }
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape) {
        event->accept();
        return;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() && m_grid->OnKeyPress) {
        QChar c = text.at(0);
        m_grid->OnKeyPress(m_grid, &c);
        if (c.isNull()) {
            event->accept();
            return;
        }
        if (c != text.at(0)) {
            insertPlainText(QString(c));
            event->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TZInplaceEditor::keyReleaseEvent(QKeyEvent *event)
{
    int key = event->key();
    if (!event->isAutoRepeat())
        m_grid->KeyUp(&key, event->modifiers());
    if (key != 0)  // else taken by the grid's handler
        QPlainTextEdit::keyReleaseEvent(event);
    // Not on to the grid, whose handler has had it.
    event->accept();
}

void TZInplaceEditor::wheelEvent(QWheelEvent *event)
{
    m_state = PassingKey;
    m_grid->HideInplaceEditor();
    const int delta = event->angleDelta().y();
    const bool handled = delta != 0 && m_grid->WheelStep(delta < 0);
    if (m_grid->alwaysShowEditor())
        m_grid->ShowInplaceEditor();
    else
        m_grid->setFocus(Qt::OtherFocusReason);
    m_state = Idle;
    event->setAccepted(handled);
}

void TZInplaceEditor::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_grid->OnDblClick)
        m_grid->OnDblClick(m_grid);
    event->accept();
}

void TZInplaceEditor::focusInEvent(QFocusEvent *event)
{
    m_state = TookFocus;
    QPlainTextEdit::focusInEvent(event);
}

void TZInplaceEditor::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    m_grid->DiscardMergePicture();
    // Another window coming forward or a context menu leaves the editor as it is.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (QApplication::focusWidget() != m_grid && m_state != PassingKey) {
        m_state = HandingFocus;
        hide();
        m_grid->Repaint();
        m_state = Idle;
    }
}
