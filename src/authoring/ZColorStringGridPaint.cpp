// How the colour string grid paints: every cell with its own style, a merge as one
// picture copied part by part, grid lines only on a merge's outer edges, raised and
// lowered borders, the coloured selection and the focus rectangle.
#include "authoring/ZColorStringGrid.h"

#include <QPaintEvent>
#include <QPainter>

struct TZColorStringGrid::PaintContext {
    QPainter &painter;
    int vline = 0;
    int hline = 0;
};

namespace {
// A one-pixel line from a point up to (not including) an end point, like the classic
// LineTo: horizontal or vertical only.
void pixelLine(QPainter &p, int x1, int y1, int x2, int y2, const QColor &color)
{
    if (x1 == x2 && y2 > y1)
        p.fillRect(x1, y1, 1, y2 - y1, color);
    else if (y1 == y2 && x2 > x1)
        p.fillRect(x1, y1, x2 - x1, 1, color);
}

QRect toQRect(const TRect &r) { return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }
} // namespace

bool TZColorStringGrid::InSelection(int col, int row) const
{
    const TRect s = Selection();
    return col >= s.Left && col <= s.Right && row >= s.Top && row <= s.Bottom;
}

TRect TZColorStringGrid::MergeScreenRect(int index) const
{
    // Where the merge lies on the viewport, even where it is scrolled out of view.
    const TRect m = MergeCells()->GetRect(index);
    const int vline = VertLineWidth();
    const int hline = HorzLineWidth();
    const auto colX = [&](int col) {
        int x = 0;
        if (col < FixedCols()) {
            for (int c = 0; c < col; ++c)
                x += ColWidths(c) + vline;
            return x;
        }
        for (int c = 0; c < FixedCols(); ++c)
            x += ColWidths(c) + vline;
        for (int c = LeftCol(); c < col; ++c)
            x += ColWidths(c) + vline;
        for (int c = col; c < LeftCol(); ++c)
            x -= ColWidths(c) + vline;
        return x;
    };
    const auto rowY = [&](int row) {
        int y = 0;
        if (row < FixedRows()) {
            for (int r = 0; r < row; ++r)
                y += RowHeights(r) + hline;
            return y;
        }
        for (int r = 0; r < FixedRows(); ++r)
            y += RowHeights(r) + hline;
        for (int r = TopRow(); r < row; ++r)
            y += RowHeights(r) + hline;
        for (int r = row; r < TopRow(); ++r)
            y -= RowHeights(r) + hline;
        return y;
    };
    const int x = colX(m.Left);
    const int y = rowY(m.Top);
    return TRect{x, y, x + MergeCells()->MergeWidth(index), y + MergeCells()->MergeHeight(index)};
}

void TZColorStringGrid::paintEvent(QPaintEvent *)
{
    // A repaint keeps the editor over the current cell (which may have moved, scrolled or
    // grown with the text), but never takes the focus.
    if (m_editor->isVisible() || alwaysShowEditor())
        PlaceInplaceEditor(false);
    m_mergePictures.clear();
    QPainter painter(viewport());
    PaintContext ctx{painter, VertLineWidth(), HorzLineWidth()};
    DrawCells(ctx);

    if (hasFocus() && m_selectedColors->UseFocusRect()) {
        TRect focus;
        bool draw = false;
        if (!(Options() & goRowSelect)) {
            if (!(m_editing && (Options() & goAlwaysShowEditor))) {
                const int merge = m_merges->IndexOf(Col(), Row());
                focus = merge >= 0 ? MergeScreenRect(merge) : CellRect(Col(), Row());
                draw = focus.Right > focus.Left;
            }
        } else {
            const TRect s = Selection();
            const TRect first = CellRect(s.Left, s.Top);
            const TRect last = CellRect(s.Right, s.Bottom);
            focus = TRect{first.Left, first.Top, last.Right, last.Bottom};
            draw = first.Right > first.Left && last.Right > last.Left;
        }
        if (draw) {
            painter.save();
            painter.setPen(QPen(m_lineDesign->LineDownColor(), 1, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRect(focus.Left, focus.Top, focus.Width() - 1, focus.Height() - 1));
            painter.restore();
        }
    }
}

void TZColorStringGrid::DrawCells(PaintContext &ctx)
{
    std::vector<int> fixedCols;
    std::vector<int> cols;
    std::vector<int> fixedRows;
    std::vector<int> rows;
    for (int c = 0; c < FixedCols(); ++c)
        fixedCols.push_back(c);
    for (int c = LeftCol(); c < ColCount() && ColLeft(c) >= 0; ++c)
        cols.push_back(c);
    for (int r = 0; r < FixedRows(); ++r)
        fixedRows.push_back(r);
    for (int r = TopRow(); r < RowCount() && RowTop(r) >= 0; ++r)
        rows.push_back(r);

    const auto area = [&](const std::vector<int> &areaCols, const std::vector<int> &areaRows, bool fixed) {
        for (int r : areaRows) {
            for (int c : areaCols) {
                const TRect rect = CellRect(c, r);
                if (ColWidths(c) < 0 || rect.Right <= rect.Left)
                    continue;
                TGridDrawState state = fixed ? unsigned(gdFixed) : 0u;
                if (!fixed && InSelection(c, r))
                    state |= gdSelected;
                if (c == Col() && r == Row() && hasFocus())
                    state |= gdFocused;
                const int merge = m_merges->IndexOf(c, r);
                if (merge >= 0)
                    DrawMergePart(ctx, merge, c, r, rect, state);
                else
                    DrawPlainCell(ctx, c, r, rect, state);
            }
        }
    };
    area(fixedCols, fixedRows, true);
    area(cols, fixedRows, true);
    area(fixedCols, rows, true);
    area(cols, rows, false);

    // Past the last column and below the last row: the grid colour.
    int right = 0;
    int bottom = 0;
    for (int c : fixedCols)
        right = std::max(right, CellRect(c, 0).Right + ctx.vline);
    for (int c : cols)
        right = std::max(right, ColLeft(c) + ColWidths(c) + ctx.vline);
    for (int r : fixedRows)
        bottom = std::max(bottom, RowTop(r) + RowHeights(r) + ctx.hline);
    for (int r : rows)
        bottom = std::max(bottom, RowTop(r) + RowHeights(r) + ctx.hline);
    const QRect all = viewport()->rect();
    ctx.painter.fillRect(QRect(right, 0, all.width() - right, all.height()), Color());
    ctx.painter.fillRect(QRect(0, bottom, right, all.height() - bottom), Color());
}

void TZColorStringGrid::DrawPlainCell(PaintContext &ctx, int col, int row, const TRect &rect, TGridDrawState state)
{
    QPainter &p = ctx.painter;
    DrawCellContent(p, col, row, rect, state, false);
    if (GridLineWidth() > 0) {
        const QColor line = m_lineDesign->LineColor();
        if (ctx.hline > 0)
            p.fillRect(QRect(rect.Left, rect.Bottom, rect.Right + ctx.vline - rect.Left, ctx.hline), line);
        if (ctx.vline > 0)
            p.fillRect(QRect(rect.Right, rect.Top, ctx.vline, rect.Bottom + ctx.hline - rect.Top), line);
    }
    const TBorderCellStyle border = CellStyle(col, row)->BorderCellStyle();
    if (border == sgRaised)
        Draw3DFrame(p, rect, m_lineDesign->LineUpColor(), m_lineDesign->LineDownColor());
    else if (border == sgLowered)
        Draw3DFrame(p, rect, m_lineDesign->LineDownColor(), m_lineDesign->LineUpColor());
    if (OnDrawCell)
        OnDrawCell(this, col, row, rect, state);
}

void TZColorStringGrid::Draw3DFrame(QPainter &p, const TRect &r, const QColor &light, const QColor &dark)
{
    pixelLine(p, r.Left, r.Top, r.Left, r.Bottom, light);
    pixelLine(p, r.Left, r.Top, r.Right, r.Top, light);
    pixelLine(p, r.Right - 1, r.Top + 1, r.Right - 1, r.Bottom, dark);
    pixelLine(p, r.Left + 1, r.Bottom - 1, r.Right, r.Bottom - 1, dark);
}

void TZColorStringGrid::DrawMergePart(PaintContext &ctx, int index, int col, int row, const TRect &rect,
                                      TGridDrawState state)
{
    QPainter &p = ctx.painter;
    const TRect m = m_merges->GetRect(index);
    const TRect part{rect.Left, rect.Top, rect.Right + ctx.vline, rect.Bottom + ctx.hline};

    auto found = m_mergePictures.find(index);
    if (found == m_mergePictures.end()) {
        // Rendered once per paint, and only as far as it is visible: a huge merge costs no
        // more than the viewport.
        const TRect screen = MergeScreenRect(index);
        const QRect whole(screen.Left, screen.Top, screen.Width() + ctx.vline, screen.Height() + ctx.hline);
        const QRect visible = whole.intersected(viewport()->rect());
        MergePicture entry;
        entry.origin = visible.topLeft();
        if (!visible.isEmpty()) {
            const TRect sel = Selection();
            const bool selected = (sel.Left >= m.Left && sel.Left <= m.Right && sel.Top >= m.Top && sel.Top <= m.Bottom)
                                  || (m.Left >= sel.Left && m.Left <= sel.Right && m.Top >= sel.Top
                                      && m.Top <= sel.Bottom);
            TGridDrawState mergeState = (state & ~unsigned(gdSelected)) | (selected ? unsigned(gdSelected) : 0u);
            entry.picture = QPixmap(visible.size());
            entry.picture.fill(Color());
            QPainter pp(&entry.picture);
            pp.translate(screen.Left - visible.left(), screen.Top - visible.top());
            const TRect inPicture{0, 0, screen.Width(), screen.Height()};
            DrawCellContent(pp, m.Left, m.Top, inPicture, mergeState, true);
            if (OnDrawMergeCell && inPicture.Width() > 0 && inPicture.Height() > 0)
                OnDrawMergeCell(this, m.Left, m.Top, inPicture, mergeState, &pp);
        }
        found = m_mergePictures.emplace(index, std::move(entry)).first;
    }
    const MergePicture &picture = found->second;
    if (!picture.picture.isNull()) {
        const QRect target = toQRect(part);
        p.drawPixmap(target.topLeft(), picture.picture, target.translated(-picture.origin));
    }

    // Lines only on the merge's outer edges.
    const TBorderCellStyle border = CellStyle(m.Left, m.Top)->BorderCellStyle();
    const QColor up = m_lineDesign->LineUpColor();
    const QColor down = m_lineDesign->LineDownColor();
    const QColor light = border == sgRaised ? up : down;
    const QColor dark = border == sgRaised ? down : up;
    const bool framed = border != sgNone;
    const QColor line = m_lineDesign->LineColor();
    if (col == m.Right) {
        if (ctx.vline > 0)
            p.fillRect(QRect(rect.Right, rect.Top, ctx.vline, rect.Bottom + ctx.hline - rect.Top), line);
        if (framed)
            pixelLine(p, rect.Right - 1, rect.Top, rect.Right - 1, rect.Bottom + ctx.hline, dark);
    }
    if (col == m.Left && framed)
        pixelLine(p, rect.Left, row == m.Top ? rect.Top : rect.Top - ctx.hline, rect.Left, rect.Bottom, light);
    const int rightEnd = col == m.Right ? rect.Right : rect.Right + ctx.vline;
    if (row == m.Bottom) {
        if (ctx.hline > 0)
            p.fillRect(QRect(rect.Left, rect.Bottom, rect.Right + ctx.vline - rect.Left, ctx.hline), line);
        if (framed)
            pixelLine(p, rect.Left, rect.Bottom - 1, rightEnd, rect.Bottom - 1, dark);
    }
    if (row == m.Top && framed)
        pixelLine(p, rect.Left, rect.Top, rightEnd, rect.Top, light);
}

void TZColorStringGrid::DrawCellContent(QPainter &painter, int col, int row, TRect rect, TGridDrawState state,
                                        bool merged)
{
    TCellStyle *style = CellStyle(col, row);
    QColor text = style->Font().Color;
    QColor background = style->BGColor();
    if (m_selectedColors->ColoredSelect() && !(Options() & goAlwaysShowEditor)
        && (InSelection(col, row) || (state & gdSelected))) {
        background = m_selectedColors->BGColor();
        text = m_selectedColors->FontColor();
    }
    painter.fillRect(toQRect(rect), background);
    // Under a visible editor only the background shows.
    if (m_editor->isVisible() && col == Col() && row == Row())
        return;
    if (const DrawCellCanvasEvent &before = merged ? OnBeforeTextDrawMergeCell : OnBeforeTextDrawCell) {
        painter.save();
        painter.setPen(Qt::black);
        painter.setBrush(background);
        before(this, col, row, rect, state, &painter);
        painter.restore();
    }
    const TCellLayout layout = CellLayout(*style);
    DrawTextInRect(&painter, Cells(col, row), &style->Font().Font, text, layout.HAlign, layout.VAlign,
                   layout.WordWrap, rect, style->IndentH(), style->IndentV(), layout.SizingFlags | tfNoClip, 0,
                   style->Rotate());
}
