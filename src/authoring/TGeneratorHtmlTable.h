#pragma once
// The table generator: the user lays out a table on a grid, merges and splits cells, gives
// each cell its content, border and background, sets the table's options, and gets CSS-
// styled table markup, previewed in the dialog and handed back through the main window's
// generated markup when closed with Insert. One instance serves the program's run: the
// table options stay between uses; the layout's contents and merges start afresh at every
// showing and whenever the column or row count changes.
#include "authoring/GeneratorMarkup.h"
#include "authoring/GeneratorWidgets.h"
#include "authoring/InsertionWidgets.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolBar;
class QsciScintilla;
class TZColorStringGrid;
struct TRect;

class TGeneratorHtmlTable : public TGeneratorDialog {
    Q_OBJECT
public:
    TGeneratorHtmlTable(QString *generatedHtml, LinkContext links, QWidget *parent = nullptr);

    void FormShow() override;
    void GenerateHTML();

    // Indexed by column, then row; always the grid's size.
    CellMatrix Cells;

private:
    int CurrentCol = 0;
    int CurrentRow = 0;
    void InitCellState();
    void SENumColsChange();
    void SENumRowsChange();
    void GridClick();
    // The selection, grown to the merged area the current cell lies in (a selection down one
    // column is left as it is).
    TRect GridSelection();
    void SaveCellEditorSetting();
    void ReadCellEditorData();
    void ButtonMergeClick();
    void ButtonStartClick();
    void ButtonResetClick();
    // The table boxes as the markup reads them; false when a size box is empty.
    bool Options(TableOptions *options) const;

    QGroupBox *GBTable = nullptr;
    QLabel *LabelCols = nullptr;
    QSpinBox *SENumCols = nullptr;
    QLabel *LabelRows = nullptr;
    QSpinBox *SENumRows = nullptr;
    QLineEdit *EditWidth = nullptr;
    QLineEdit *EditHeight = nullptr;
    QLineEdit *EditMargin = nullptr;
    QLabel *LabelByDefault = nullptr;
    TColorShape *SHBackgroundColor = nullptr;
    QPushButton *ButtonColorBackground = nullptr;
    QComboBox *CBHorizontalAlign = nullptr;
    QCheckBox *CBCollapse = nullptr;
    QGroupBox *GBBorder = nullptr;
    QSpinBox *SEBorderWidth = nullptr;
    QComboBox *CBBorderStyle = nullptr;
    TColorShape *SHBorderColor = nullptr;
    QPushButton *ButtonColorBorder = nullptr;
    QGroupBox *GBMergeCells = nullptr;
    QPushButton *ButtonMerge = nullptr;
    QPushButton *ButtonStart = nullptr;
    QPushButton *ButtonReset = nullptr;
    QPushButton *ButtonInsert = nullptr;
    QPushButton *ButtonCancel = nullptr;
    QTabWidget *PageControl = nullptr;
    QWidget *TBDraft = nullptr;
    QWidget *TBPreview = nullptr;
    TZColorStringGrid *Grid = nullptr;
    QLabel *LabelCellSelected = nullptr;
    QToolBar *ToolBar1 = nullptr;
    QSpinBox *SECellBorderWidth = nullptr;
    QComboBox *CBCellBorderStyle = nullptr;
    TColorShape *PanelCellBorderColor = nullptr;
    TColorShape *PanelCellBackgroundColor = nullptr;
    QSpinBox *SEPaddingAllCells = nullptr;
    QsciScintilla *SynEdit1 = nullptr;

    // The first cell current, in the grid and the label alike.
    void firstCellCurrent();
    // After a count change: contents and merges afresh, the current cell kept where it can be.
    void layoutResized();
    void showCellLabel();
    void showCurrentCell();
    bool inMatrix(int col, int row) const;

    bool m_settingUp = false;
};
