#pragma once
// A string grid: cell texts, column widths and row heights, fixed (non-scrolling) leading
// columns and rows, a current cell and a selection rectangle with its anchor, scrolling by
// whole cells. It paints nothing itself; subclasses paint the viewport. Navigation keys,
// clicks, drags and the wheel move the current cell; the virtual hooks let a subclass see
// and refuse moves and follow column and row moves.
#include "authoring/zcftext.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QString>
#include <functional>
#include <vector>

enum TGridOption : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6,
    goColSizing = 1u << 7,
    goRowMoving = 1u << 8,
    goColMoving = 1u << 9,
    goEditing = 1u << 10,
    goTabs = 1u << 11,
    goRowSelect = 1u << 12,
    goAlwaysShowEditor = 1u << 13,
    goThumbTracking = 1u << 14,
};
using TGridOptions = unsigned;

enum TGridDrawStateBit : unsigned { gdSelected = 1u, gdFocused = 2u, gdFixed = 4u };
using TGridDrawState = unsigned;

class TStringGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TStringGrid(QWidget *parent = nullptr);

    int ColCount() const { return int(m_colWidths.size()); }
    int RowCount() const { return int(m_rowHeights.size()); }
    virtual void SetColCount(int count);
    virtual void SetRowCount(int count);
    int FixedCols() const { return m_fixedCols; }
    int FixedRows() const { return m_fixedRows; }
    void SetFixedCols(int count);
    void SetFixedRows(int count);
    virtual TGridOptions Options() const { return m_options; }
    virtual void SetOptions(TGridOptions options);

    int DefaultColWidth() const { return m_defaultColWidth; }
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void SetDefaultColWidth(int width);
    void SetDefaultRowHeight(int height);
    int ColWidths(int col) const;
    int RowHeights(int row) const;
    void SetColWidths(int col, int width);
    void SetRowHeights(int row, int height);
    int GridLineWidth() const { return m_lineWidth; }
    void SetGridLineWidth(int width);
    // Width of the vertical lines and height of the horizontal ones as the options draw them.
    int VertLineWidth() const;
    int HorzLineWidth() const;

    // The grid colour (background of scrolling cells and of the area past the last cell).
    QColor Color() const { return m_color; }
    void SetColor(const QColor &color);

    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString &text);

    int Col() const { return m_col; }
    int Row() const { return m_row; }
    // Moves the current cell there and collapses the selection onto it (when allowed).
    void SetCol(int col);
    void SetRow(int row);
    // The selection, normalised; setting it puts the anchor at its first corner and the
    // current cell at its second.
    TRect Selection() const;
    void SetSelection(const TRect &selection);
    int AnchorCol() const { return m_anchorCol; }
    int AnchorRow() const { return m_anchorRow; }

    int TopRow() const { return m_topRow; }
    int LeftCol() const { return m_leftCol; }
    void SetTopRow(int row);
    void SetLeftCol(int col);
    // Cells fully or partly visible in the scrolling area.
    int VisibleColCount() const;
    int VisibleRowCount() const;

    // The cell's rectangle in viewport pixels; all zeros when it is out of view.
    TRect CellRect(int col, int row) const;
    // The cell under a viewport point; false when there is none.
    bool MouseToCell(const QPoint &point, int *col, int *row) const;

    void MoveColumn(int from, int to);
    void MoveRow(int from, int to);
    virtual void DeleteColumn(int col);
    virtual void DeleteRow(int row);

    // Events, named as users of the grid know them.
    std::function<void(TStringGrid *)> OnClick;
    std::function<void(TStringGrid *)> OnDblClick;
    std::function<void(TStringGrid *, int col, int row, bool *canSelect)> OnSelectCell;
    std::function<void(TStringGrid *)> OnTopLeftChanged;
    std::function<void(TStringGrid *, int col, int row, const QString &text)> OnSetEditText;
    std::function<void(TStringGrid *, int col, int row, QString *text)> OnGetEditText;
    std::function<void(TStringGrid *, QChar *key)> OnKeyPress;
    // Once per key let go (not for auto-repeat); a handler may set the key to 0 to take it.
    std::function<void(TStringGrid *, int *key, Qt::KeyboardModifiers shift)> OnKeyUp;

    // The text the editor starts from (the cell's, through OnGetEditText).
    QString GetEditText(int col, int row) const;

protected:
    // Whether the current cell may move to the cell; the default asks OnSelectCell.
    virtual bool SelectCell(int col, int row);
    virtual void TopLeftChanged();
    // Notifications after a column or row has moved; the default moves the texts.
    virtual void ColumnMoved(int from, int to);
    virtual void RowMoved(int from, int to);
    // The toolkit part of key handling: moves the current cell for navigation keys; true
    // when it moved (callers then tell OnClick, once their own rules have run).
    bool GridKeyDown(QKeyEvent *event);
    // The toolkit part of mouse handling: click and drag move the current cell.
    bool GridMouseDown(QMouseEvent *event);
    void GridMouseMove(QMouseEvent *event);
    // The toolkit part of the wheel: the current row moves by one; true when it moved.
    bool GridWheelDown();
    bool GridWheelUp();
    // The key-up handling: tells OnKeyUp.
    void KeyUp(int *key, Qt::KeyboardModifiers shift);
    // Moves the current cell; with moveAnchor the selection collapses onto it. Scrolls it
    // into view. False when SelectCell refused.
    bool MoveCurrent(int col, int row, bool moveAnchor);
    void Invalidate() { viewport()->update(); }

    // Left edge of the column in viewport pixels, -1 when out of view.
    int ColLeft(int col) const;
    int RowTop(int row) const;

    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

    // Set while a drag selection goes on.
    bool m_dragging = false;

private:
    void updateScrollBars();
    void clampCurrent();
    void scrollIntoView(int col, int row);
    int maxTopRow() const;
    int maxLeftCol() const;

    std::vector<int> m_colWidths;
    std::vector<int> m_rowHeights;
    std::vector<std::vector<QString>> m_cells;  // [column][row]
    int m_fixedCols = 1;
    int m_fixedRows = 1;
    TGridOptions m_options = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 24;
    int m_lineWidth = 1;
    QColor m_color;
    int m_col = 1;
    int m_row = 1;
    int m_anchorCol = 1;
    int m_anchorRow = 1;
    int m_topRow = 1;
    int m_leftCol = 1;
    bool m_syncingScrollBars = false;
};
