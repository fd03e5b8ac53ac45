#pragma once
// TZColorStringGrid: a string grid with a style per cell (font, background, alignment,
// indents, rotation, word wrap, sizing, raised or lowered border), merged cells shown and
// selected as one, a coloured selection, its own grid-line colours and a multi-line
// in-place editor.
//
// Merging what the user selected, and reading merges back:
//     const TRect s = grid->Selection();          // cell indexes, Left <= Right, Top <= Bottom
//     int code = grid->MergeCells()->Add(s.Left, s.Top, s.Right, s.Bottom);
//     // 0 merged, 1 outside the grid, 2 overlaps a merge, 3 a single cell, 4 straddles the fixed cells
//     int i = grid->MergeCells()->IndexOf(col, row);       // the merge holding a cell, -1 for none
//     if (i >= 0) grid->MergeCells()->Delete(i);           // unmerge it
//     for (int i = 0; i < grid->MergeCells()->Count(); ++i)
//         TRect r = grid->MergeCells()->GetRect(i);        // inclusive columns and rows, in adding order
// IndexOfOrigin(col, row) finds the merge whose top-left cell that is. Merges do not follow
// ColCount/RowCount changes, nor moved columns or rows: Clear() them when the layout changes.
// The selection grows to whole merges as the user selects; ExpandSelection does the same
// on demand.
#include "authoring/StringGrid.h"
#include "authoring/zcftext.h"

#include <QPixmap>
#include <QPlainTextEdit>
#include <cstdint>
#include <map>
#include <memory>

class TZColorStringGrid;
class QPainter;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment { vaTop, vaCenter, vaBottom };
enum TBorderCellStyle { sgLowered, sgRaised, sgNone };
enum TBorderStyle { bsNone, bsSingle };

// The style of one cell, and the grid's two templates for new styles.
class TCellStyle {
public:
    // A style of the grid starts with the grid's font; one without a grid notifies no one.
    explicit TCellStyle(TZColorStringGrid *grid = nullptr);
    TCellStyle(const TCellStyle &) = delete;
    TCellStyle &operator=(const TCellStyle &) = delete;

    // Copies background, rotation, font and the alignment, wrap, sizing, border and indent fields.
    void Assign(const TCellStyle &source);
    void AssignTo(TCellStyle &target) const { target.Assign(*this); }
    void AssignTo(TFont &target) const { target = m_font; }
    void AssignFont(const TFont &font) { SetFont(font); }

    const TFont &Font() const { return m_font; }
    void SetFont(const TFont &font);
    QColor BGColor() const { return m_bgColor; }
    void SetBGColor(const QColor &color);
    TAlignment HorizontalAlignment() const { return m_hAlign; }
    void SetHorizontalAlignment(TAlignment alignment);
    TVerticalAlignment VerticalAlignment() const { return m_vAlign; }
    void SetVerticalAlignment(TVerticalAlignment alignment);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool on) { m_wordWrap = on; }
    bool SizingHeight() const { return m_sizingHeight; }
    void SetSizingHeight(bool on) { m_sizingHeight = on; }
    bool SizingWidth() const { return m_sizingWidth; }
    void SetSizingWidth(bool on) { m_sizingWidth = on; }
    TBorderCellStyle BorderCellStyle() const { return m_border; }
    void SetBorderCellStyle(TBorderCellStyle border);
    std::uint8_t IndentH() const { return m_indentH; }
    void SetIndentH(std::uint8_t indent);
    std::uint8_t IndentV() const { return m_indentV; }
    void SetIndentV(std::uint8_t indent);
    int Rotate() const { return m_rotate; }
    void SetRotate(int degrees);

    TZColorStringGrid *Grid() const { return m_grid; }

private:
    friend class TZColorStringGrid;
    void changed(bool discardPicture);

    TZColorStringGrid *m_grid;
    TFont m_font;
    QColor m_bgColor = Qt::black;
    TAlignment m_hAlign = taLeftJustify;
    TVerticalAlignment m_vAlign = vaCenter;
    bool m_wordWrap = false;
    bool m_sizingHeight = false;
    bool m_sizingWidth = false;
    TBorderCellStyle m_border = sgNone;
    std::uint8_t m_indentH = 2;
    std::uint8_t m_indentV = 0;
    int m_rotate = 0;
};

// Selection colours and the focus-rectangle switch.
class TSelectColor {
public:
    explicit TSelectColor(TZColorStringGrid *grid);
    QColor BGColor() const { return m_bgColor; }
    void SetBGColor(const QColor &color);
    QColor FontColor() const { return m_fontColor; }
    void SetFontColor(const QColor &color) { m_fontColor = color; }
    bool ColoredSelect() const { return m_coloredSelect; }
    void SetColoredSelect(bool on);
    bool UseFocusRect() const { return m_useFocusRect; }
    void SetUseFocusRect(bool on);

private:
    TZColorStringGrid *m_grid;
    QColor m_bgColor;
    QColor m_fontColor = Qt::white;
    bool m_coloredSelect = true;
    bool m_useFocusRect = true;
};

// Grid-line colour and the two sides of raised and lowered borders.
class TLineDesign {
public:
    explicit TLineDesign(TZColorStringGrid *grid) : m_grid(grid) {}
    QColor LineColor() const { return m_lineColor; }
    void SetLineColor(const QColor &color);
    QColor LineUpColor() const { return m_upColor; }
    void SetLineUpColor(const QColor &color);
    QColor LineDownColor() const { return m_downColor; }
    void SetLineDownColor(const QColor &color);

private:
    TZColorStringGrid *m_grid;
    QColor m_lineColor{0x80, 0x80, 0x80};
    QColor m_upColor = Qt::white;
    QColor m_downColor = Qt::black;
};

// How the in-place editor looks when it does not follow the cell's style.
class TInplaceEditorOptions {
public:
    explicit TInplaceEditorOptions(TZColorStringGrid *grid) : m_grid(grid) {}
    QColor FontColor() const { return m_fontColor; }
    void SetFontColor(const QColor &color);
    QColor BGColor() const { return m_bgColor; }
    void SetBGColor(const QColor &color);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle style);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool on);
    bool UseCellStyle() const { return m_useCellStyle; }
    void SetUseCellStyle(bool on);

private:
    void apply();

    TZColorStringGrid *m_grid;
    QColor m_fontColor = Qt::black;
    QColor m_bgColor = Qt::white;
    TBorderStyle m_borderStyle = bsNone;
    TAlignment m_alignment = taLeftJustify;
    bool m_wordWrap = true;
    bool m_useCellStyle = true;
};

// The merged rectangles of a grid, in the order they were added. Each holds at least two
// cells, lies inside the grid when added and does not straddle the fixed cells.
class TMergeCells {
public:
    enum Result { Added = 0, Outside = 1, Overlaps = 2, SingleCell = 3, StraddlesFixed = 4 };

    explicit TMergeCells(TZColorStringGrid *grid) : m_grid(grid) {}
    // Any two opposite corner cells.
    int Add(int col1, int row1, int col2, int row2);
    int AddRect(const TRect &rect);
    bool Delete(int index);
    void Clear();
    int IndexOf(int col, int row) const;
    int IndexOfOrigin(int col, int row) const;
    // All zeros outside the list.
    TRect GetRect(int index) const;
    // Pixel size with the lines inside the merge; -1 outside the list.
    int MergeWidth(int index) const;
    int MergeHeight(int index) const;
    // Grows the grid's selection to whole merges; with apply the grid takes it.
    void ExpandSelection(bool apply, TRect *rect) const;
    int Count() const { return int(m_rects.size()); }

private:
    TZColorStringGrid *m_grid;
    std::vector<TRect> m_rects;
};

class TZInplaceEditor;

class TZColorStringGrid : public TStringGrid {
    Q_OBJECT
public:
    explicit TZColorStringGrid(QWidget *parent = nullptr);
    ~TZColorStringGrid() override;

    void SetColCount(int count) override;
    void SetRowCount(int count) override;
    TGridOptions Options() const override;
    void SetOptions(TGridOptions options) override;
    QColor FixedColor() const { return m_fixedColor; }
    void SetFixedColor(const QColor &color);

    // The cell's style, made from the right template on first use. Outside the grid: a
    // detached copy of DefaultCellStyle, so changes through it reach nothing.
    TCellStyle *CellStyle(int col, int row);
    TCellStyle *DefaultCellStyle() { return m_defaultStyle.get(); }
    TCellStyle *DefaultFixedCellStyle() { return m_defaultFixedStyle.get(); }
    void SetDefaultCellStyle(const TCellStyle &style);
    void SetDefaultFixedCellStyle(const TCellStyle &style);
    TMergeCells *MergeCells() { return m_merges.get(); }
    const TMergeCells *MergeCells() const { return m_merges.get(); }
    TLineDesign *LineDesign() { return m_lineDesign.get(); }
    TSelectColor *SelectedColors() { return m_selectedColors.get(); }
    TInplaceEditorOptions *InplaceEditorOptions() { return m_editorOptions.get(); }
    TZInplaceEditor *InplaceEditor() { return m_editor; }

    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool on) { m_wordWrap = on; }
    bool UseCellWordWrap() const { return m_useCellWordWrap; }
    void SetUseCellWordWrap(bool on) { m_useCellWordWrap = on; }
    bool SizingHeight() const { return m_sizingHeight; }
    void SetSizingHeight(bool on) { m_sizingHeight = on; }
    bool SizingWidth() const { return m_sizingWidth; }
    void SetSizingWidth(bool on) { m_sizingWidth = on; }
    bool UseCellSizingHeight() const { return m_useCellSizingHeight; }
    void SetUseCellSizingHeight(bool on) { m_useCellSizingHeight = on; }
    bool UseCellSizingWidth() const { return m_useCellSizingWidth; }
    void SetUseCellSizingWidth(bool on) { m_useCellSizingWidth = on; }

    // Alignment codes, word wrap and sizing flags of a cell for the text routine.
    struct TCellLayout {
        int HAlign = 0;
        int VAlign = 1;
        bool WordWrap = false;
        int SizingFlags = 0;
    };
    TCellLayout CellLayout(const TCellStyle &style) const;

    // Widens the column and heightens the row so the cell's text fits (never shrinks).
    virtual void FitCellToText(int col, int row);
    // With row selection, makes the selection cover whole merges of the current row.
    virtual void AdjustRowSelection(int key);
    // Lays the editor over the current cell or merge and shows it; a repaint places it
    // without taking the focus from whatever holds it.
    virtual void PlaceInplaceEditor(bool takeFocus = true);
    virtual void ShowInplaceEditor();
    virtual void HideInplaceEditor();

    // Writes a cell's text, fits the cell and tells OnSetEditText.
    void SetCellText(int col, int row, const QString &text);

    void DeleteColumn(int col) override;
    void DeleteRow(int row) override;

    // Forgets the rendered merge pictures (any style or merge change).
    void DiscardMergePicture();
    void Repaint() { Invalidate(); }
    bool Editing() const { return m_editing; }

    using DrawCellEvent = std::function<void(TZColorStringGrid *, int col, int row, const TRect &rect,
                                             TGridDrawState state)>;
    // The painter draws where the cell is drawn, its pen black and its brush the cell's
    // background; what the handler changes on it is put back after.
    using DrawCellCanvasEvent = std::function<void(TZColorStringGrid *, int col, int row, const TRect &rect,
                                                   TGridDrawState state, QPainter *cellCanvas)>;
    DrawCellCanvasEvent OnBeforeTextDrawCell;  // before a plain cell's text, on the grid's painter
    DrawCellCanvasEvent OnBeforeTextDrawMergeCell;  // before a merge's text, on its picture
    DrawCellCanvasEvent OnDrawMergeCell;  // after a merge is rendered
    DrawCellEvent OnDrawCell;  // after a plain cell is drawn
    std::function<void(TZColorStringGrid *, QMouseEvent *)> OnMouseDown;

    // The last mouse-down point in viewport pixels.
    QPoint LastMouseDown() const { return m_lastMouseDown; }

protected:
    bool SelectCell(int col, int row) override;
    void TopLeftChanged() override;
    void ColumnMoved(int from, int to) override;
    void RowMoved(int from, int to) override;

    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    friend class TZInplaceEditor;
    friend class TInplaceEditorOptions;

    // Key handling shared by the grid and keys the editor hands over.
    bool GridKeyDownWithMerges(QKeyEvent *event);
    void KeyPress(QKeyEvent *event);
    // Wheel handling; true when handled. A move of the current cell raises OnClick.
    bool WheelStep(bool down);
    void growSelectionOnDrag();
    // Where the editor goes over the current cell or merge, cut to the viewport; false when
    // the cell is out of view.
    bool editorGeometry(QRect *place) const;
    bool editorAllowed() const { return m_editing && !(Options() & goRowSelect); }
    bool alwaysShowEditor() const { return editorAllowed() && (Options() & goAlwaysShowEditor); }

    // Painting (ZColorStringGridPaint.cpp).
    struct PaintContext;
    void DrawCells(PaintContext &ctx);
    void DrawPlainCell(PaintContext &ctx, int col, int row, const TRect &rect, TGridDrawState state);
    void DrawMergePart(PaintContext &ctx, int index, int col, int row, const TRect &rect, TGridDrawState state);
    void DrawCellContent(QPainter &painter, int col, int row, TRect rect, TGridDrawState state, bool merged);
    void Draw3DFrame(QPainter &painter, const TRect &rect, const QColor &light, const QColor &dark);
    TRect MergeScreenRect(int index) const;
    bool InSelection(int col, int row) const;

    std::vector<std::vector<std::unique_ptr<TCellStyle>>> m_styles;  // [column][row]
    std::unique_ptr<TCellStyle> m_defaultStyle;
    std::unique_ptr<TCellStyle> m_defaultFixedStyle;
    std::unique_ptr<TCellStyle> m_outsideStyle;
    std::unique_ptr<TMergeCells> m_merges;
    std::unique_ptr<TLineDesign> m_lineDesign;
    std::unique_ptr<TSelectColor> m_selectedColors;
    std::unique_ptr<TInplaceEditorOptions> m_editorOptions;
    TZInplaceEditor *m_editor = nullptr;
    QColor m_fixedColor;
    bool m_editing = false;
    bool m_wordWrap = false;
    bool m_useCellWordWrap = false;
    bool m_sizingHeight = false;
    bool m_sizingWidth = false;
    bool m_useCellSizingHeight = false;
    bool m_useCellSizingWidth = false;
    QPoint m_lastMouseDown;
    QPoint m_dragStartCell{-1, -1};
    // Merge pictures rendered during the current paint, by merge index; each covers only
    // the merge's visible part.
    struct MergePicture {
        QPixmap picture;
        QPoint origin;  // viewport position of the picture's top-left pixel
    };
    std::map<int, MergePicture> m_mergePictures;
};

// The multi-line editor laid over the current cell or merge; every change goes straight
// into the cell.
class TZInplaceEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    enum State { Idle = 0, TookFocus = 1, HandingFocus = 3, PassingKey = 33 };

    explicit TZInplaceEditor(TZColorStringGrid *grid);
    int EditorState() const { return m_state; }
    void SetAlignment(TAlignment alignment);
    void SetWordWrap(bool on);
    void SetBorder(TBorderStyle style);
    void SetColors(const QColor &background, const QColor &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    friend class TZColorStringGrid;
    void passKeyToGrid(QKeyEvent *event);

    TZColorStringGrid *m_grid;
    int m_state = Idle;
    bool m_loading = false;  // set while the grid fills the editor
};
