#include "authoring/TGeneratorHtmlTable.h"

#include "authoring/GeneratorWidgets.h"
#include "authoring/TGeneratorTagBar.h"
#include "authoring/ZColorStringGrid.h"
#include "documents/EditorText.h"
#include "program/MessagesKandrix.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <Qsci/qsciscintilla.h>

TGeneratorHtmlTable::TGeneratorHtmlTable(QString *generatedHtml, LinkContext links, QWidget *parent)
    : TGeneratorDialog(generatedHtml, parent)
{
    setObjectName(QStringLiteral("GeneratorHtmlTable"));
    setWindowTitle(tr("Html table generator"));
    setSizeGripEnabled(true);

    auto *options = new QWidget(this);
    auto *optionsLayout = new QVBoxLayout(options);
    optionsLayout->setContentsMargins(0, 0, 0, 0);

    GBTable = new QGroupBox(options);
    GBTable->setObjectName(QStringLiteral("GBTable"));
    auto *table = new QFormLayout(GBTable);
    LabelCols = new QLabel(GBTable);
    LabelCols->setObjectName(QStringLiteral("LabelCols"));
    SENumCols = NewSpinBox(QStringLiteral("SENumCols"), 1, 1000, 4, GBTable);
    LabelRows = new QLabel(GBTable);
    LabelRows->setObjectName(QStringLiteral("LabelRows"));
    SENumRows = NewSpinBox(QStringLiteral("SENumRows"), 1, 1000, 4, GBTable);
    table->addRow(LabelCols, SENumCols);
    table->addRow(LabelRows, SENumRows);
    EditWidth = NewNumberBox(QStringLiteral("EditWidth"), QStringLiteral("0"), GBTable);
    EditHeight = NewNumberBox(QStringLiteral("EditHeight"), QStringLiteral("0"), GBTable);
    EditMargin = NewNumberBox(QStringLiteral("EditMargin"), QStringLiteral("0"), GBTable);
    table->addRow(tr("Width:"), EditWidth);
    table->addRow(tr("Height:"), EditHeight);
    table->addRow(tr("Margin:"), EditMargin);
    LabelByDefault = new QLabel(GBTable);
    LabelByDefault->setObjectName(QStringLiteral("LabelByDefault"));
    table->addRow(LabelByDefault);
    SHBackgroundColor = new TColorShape(QStringLiteral("SHBackgroundColor"), Qt::white, GBTable);
    ButtonColorBackground = NewDialogButton(QStringLiteral("ButtonColorBackground"), tr("Background..."), GBTable);
    table->addRow(ShapeWithButton(SHBackgroundColor, ButtonColorBackground));
    CBHorizontalAlign = new QComboBox(GBTable);
    CBHorizontalAlign->setObjectName(QStringLiteral("CBHorizontalAlign"));
    CBHorizontalAlign->addItems({QStringLiteral("left"), QStringLiteral("center"), QStringLiteral("right")});
    table->addRow(tr("Alignment:"), CBHorizontalAlign);
    CBCollapse = new QCheckBox(tr("Border-collapse"), GBTable);
    CBCollapse->setObjectName(QStringLiteral("CBCollapse"));
    table->addRow(CBCollapse);
    optionsLayout->addWidget(GBTable);

    GBBorder = new QGroupBox(options);
    GBBorder->setObjectName(QStringLiteral("GBBorder"));
    auto *border = new QFormLayout(GBBorder);
    // A negative width would write borders the browser rejects.
    SEBorderWidth = NewSpinBox(QStringLiteral("SEBorderWidth"), 0, 1000, 1, GBBorder);
    CBBorderStyle = NewBorderStyleBox(QStringLiteral("CBBorderStyle"), GBBorder);
    SHBorderColor = new TColorShape(QStringLiteral("SHBorderColor"), Qt::black, GBBorder);
    ButtonColorBorder = NewDialogButton(QStringLiteral("ButtonColorBorder"), tr("Colour..."), GBBorder);
    border->addRow(tr("Width:"), SEBorderWidth);
    border->addRow(tr("Style:"), CBBorderStyle);
    border->addRow(ShapeWithButton(SHBorderColor, ButtonColorBorder));
    optionsLayout->addWidget(GBBorder);

    GBMergeCells = new QGroupBox(options);
    GBMergeCells->setObjectName(QStringLiteral("GBMergeCells"));
    auto *merge = new QVBoxLayout(GBMergeCells);
    ButtonMerge = NewDialogButton(QStringLiteral("ButtonMerge"), tr("Merge / split selection"), GBMergeCells);
    merge->addWidget(ButtonMerge);
    optionsLayout->addWidget(GBMergeCells);
    optionsLayout->addStretch();

    ButtonStart = NewDialogButton(QStringLiteral("ButtonStart"), tr("Start"), options);
    ButtonReset = NewDialogButton(QStringLiteral("ButtonReset"), tr("Reset"), options);
    ButtonReset->setToolTip(tr("Reset"));
    ButtonInsert = NewDialogButton(QStringLiteral("ButtonInsert"), tr("Insert"), options);
    ButtonCancel = NewDialogButton(QStringLiteral("ButtonCancel"), tr("Cancel"), options);
    for (QPushButton *b : {ButtonStart, ButtonReset, ButtonInsert, ButtonCancel})
        optionsLayout->addWidget(b);

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    TBDraft = new QWidget(PageControl);
    TBDraft->setObjectName(QStringLiteral("TBDraft"));
    TBPreview = new QWidget(PageControl);
    TBPreview->setObjectName(QStringLiteral("TBPreview"));
    PageControl->addTab(TBDraft, tr("Draft"));
    PageControl->addTab(TBPreview, tr("Preview"));

    auto *draft = new QVBoxLayout(TBDraft);
    Grid = new TZColorStringGrid(TBDraft);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->SetFixedCols(0);
    Grid->SetFixedRows(0);
    // Range selection with the mouse; the grid shows the layout only, nothing is typed into it.
    Grid->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect);
    Grid->LineDesign()->SetLineColor(Qt::black);
    Grid->InplaceEditorOptions()->SetBGColor(Qt::magenta);
    Grid->InplaceEditorOptions()->SetAlignment(taCenter);
    Grid->SetColor(palette().color(QPalette::Base));
    Grid->DefaultCellStyle()->SetBGColor(palette().color(QPalette::Base));
    Grid->OnClick = [this](TStringGrid *) { GridClick(); };
    draft->addWidget(Grid, 3);
    LabelCellSelected = new QLabel(TBDraft);
    LabelCellSelected->setObjectName(QStringLiteral("LabelCellSelected"));
    draft->addWidget(LabelCellSelected);

    ToolBar1 = new QToolBar(TBDraft);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    SECellBorderWidth = NewSpinBox(QStringLiteral("SECellBorderWidth"), 0, 1000, 1, ToolBar1);
    SECellBorderWidth->setToolTip(tr("Cell border width"));
    CBCellBorderStyle = NewBorderStyleBox(QStringLiteral("CBCellBorderStyle"), ToolBar1);
    PanelCellBorderColor = new TColorShape(QStringLiteral("PanelCellBorderColor"), Qt::black, ToolBar1);
    PanelCellBorderColor->setToolTip(tr("Cell border colour"));
    PanelCellBackgroundColor = new TColorShape(QStringLiteral("PanelCellBackgroundColor"), Qt::white, ToolBar1);
    PanelCellBackgroundColor->setToolTip(tr("Cell background colour"));
    SEPaddingAllCells = NewSpinBox(QStringLiteral("SEPaddingAllCells"), 0, 1000, 2, ToolBar1);
    SEPaddingAllCells->setToolTip(tr("Sets the padding for all cells"));
    ToolBar1->addWidget(new QLabel(tr(" Cell border: "), ToolBar1));
    ToolBar1->addWidget(SECellBorderWidth);
    ToolBar1->addWidget(CBCellBorderStyle);
    ToolBar1->addWidget(PanelCellBorderColor);
    ToolBar1->addWidget(new QLabel(tr(" Background: "), ToolBar1));
    ToolBar1->addWidget(PanelCellBackgroundColor);
    ToolBar1->addWidget(new QLabel(tr(" Padding: "), ToolBar1));
    ToolBar1->addWidget(SEPaddingAllCells);
    draft->addWidget(ToolBar1);

    SynEdit1 = new QsciScintilla(TBDraft);
    SynEdit1->setObjectName(QStringLiteral("SynEdit1"));
    SynEdit1->setUtf8(true);
    SynEdit1->setEolMode(QsciScintilla::EolWindows);
    SynEdit1->setMarginType(0, QsciScintilla::NumberMargin);
    SynEdit1->setMarginWidth(0, QStringLiteral("0000"));
    LoadEditorText(SynEdit1, QStringLiteral("&nbsp;"));
    TagBar = new TGeneratorTagBar(TGeneratorTagBar::Generator::Table, SynEdit1, std::move(links), TBDraft);
    draft->addWidget(TagBar);
    draft->addWidget(SynEdit1, 2);

    new QVBoxLayout(TBPreview);
    Preview = new TGeneratorPreview(TBPreview);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(options);
    layout->addWidget(PageControl, 1);
    resize(900, 640);

    connect(SENumCols, &QSpinBox::valueChanged, this, &TGeneratorHtmlTable::SENumColsChange);
    connect(SENumRows, &QSpinBox::valueChanged, this, &TGeneratorHtmlTable::SENumRowsChange);
    connect(ButtonColorBackground, &QPushButton::clicked, this, [this] { ChooseShapeColor(SHBackgroundColor); });
    connect(ButtonColorBorder, &QPushButton::clicked, this, [this] { ChooseShapeColor(SHBorderColor); });
    connect(PanelCellBorderColor, &TColorShape::clicked, this, [this] { ChooseShapeColor(PanelCellBorderColor); });
    connect(PanelCellBackgroundColor, &TColorShape::clicked, this,
            [this] { ChooseShapeColor(PanelCellBackgroundColor); });
    connect(ButtonMerge, &QPushButton::clicked, this, &TGeneratorHtmlTable::ButtonMergeClick);
    connect(ButtonStart, &QPushButton::clicked, this, &TGeneratorHtmlTable::ButtonStartClick);
    connect(ButtonReset, &QPushButton::clicked, this, &TGeneratorHtmlTable::ButtonResetClick);
    ConnectCloseButtons(ButtonInsert, ButtonCancel);

    Grid->SetColCount(SENumCols->value());
    Grid->SetRowCount(SENumRows->value());
    InitCellState();
    firstCellCurrent();
}

void TGeneratorHtmlTable::FormShow()
{
    setWindowTitle(CaptionText(SGeneratorTable_Caption, tr("Html table generator")));
    LabelCols->setText(CaptionText(SColumns, tr("Columns:")));
    LabelRows->setText(CaptionText(SRows, tr("Rows:")));
    LabelByDefault->setText(CaptionText(SLabelByDefault, tr("0 = default value")));
    GBMergeCells->setTitle(CaptionText(SGBMergeCells, tr("Merge cells")));
    GBTable->setTitle(CaptionText(STable, tr("Table")));
    GBBorder->setTitle(CaptionText(SGBBorder, tr("Border")));
    ButtonMerge->setText(CaptionText(::ButtonMerge, tr("Merge / split selection")));
    ButtonStart->setText(CaptionText(SStart, tr("Start")));
    PageControl->setTabText(PageControl->indexOf(TBDraft), CaptionText(STBDraft_Caption, tr("Draft")));
    PageControl->setTabText(PageControl->indexOf(TBPreview), CaptionText(SPreview, tr("Preview")));
    ButtonInsert->setText(CaptionText(SInsert, tr("Insert")));
    ButtonCancel->setText(CaptionText(SCancel, tr("Cancel")));
    TagBar->ApplyMessageTexts();

    Grid->SetColCount(SENumCols->value());
    Grid->SetRowCount(SENumRows->value());
    // The layout starts afresh from the first cell; the editor keeps what it holds, and
    // that goes into the first cell.
    firstCellCurrent();
    PageControl->setCurrentWidget(TBDraft);
    InitCellState();
    Grid->Repaint();
    Preview->LoadHTMLFromStr(QString());
    if (m_generatedHtml)
        m_generatedHtml->clear();
}

void TGeneratorHtmlTable::InitCellState()
{
    Grid->MergeCells()->Clear();
    const int columns = Grid->ColCount();
    const int rows = Grid->RowCount();
    // Cells that stay keep their styles through resizes and later uses.
    Cells.resize(columns);
    for (QVector<TCellState> &column : Cells) {
        column.resize(rows);
        for (TCellState &cell : column)
            cell.Content = QStringLiteral("&nbsp;");
    }
}

void TGeneratorHtmlTable::firstCellCurrent()
{
    CurrentCol = 0;
    CurrentRow = 0;
    Grid->SetSelection(TRect{0, 0, 0, 0});
    showCellLabel();
}

void TGeneratorHtmlTable::showCellLabel()
{
    LabelCellSelected->setText(QStringLiteral(" %1 [%2,%3]")
                                   .arg(CaptionText(SCellSelected, tr("Selected cell")))
                                   .arg(CurrentCol + 1)
                                   .arg(CurrentRow + 1));
}

void TGeneratorHtmlTable::showCurrentCell()
{
    showCellLabel();
    ReadCellEditorData();
}

bool TGeneratorHtmlTable::inMatrix(int col, int row) const
{
    return col >= 0 && col < Cells.size() && row >= 0 && row < Cells[col].size();
}

void TGeneratorHtmlTable::SENumColsChange()
{
    if (SENumCols->text().isEmpty())
        return;
    Grid->SetColCount(SENumCols->value());
    layoutResized();
}

void TGeneratorHtmlTable::SENumRowsChange()
{
    if (SENumRows->text().isEmpty())
        return;
    Grid->SetRowCount(SENumRows->value());
    layoutResized();
}

void TGeneratorHtmlTable::layoutResized()
{
    InitCellState();
    // A current cell that was cut off gives way to the grid's, which the editor's text
    // then belongs to; otherwise the current cell and the editor stay as they are.
    if (!inMatrix(CurrentCol, CurrentRow)) {
        const TRect selection = Grid->Selection();
        CurrentCol = selection.Left;
        CurrentRow = selection.Top;
        showCellLabel();
    }
    Grid->Repaint();
}

TRect TGeneratorHtmlTable::GridSelection()
{
    TRect selection = Grid->Selection();
    const bool downOneColumn = selection.Left == selection.Right && selection.Top != selection.Bottom;
    if (!downOneColumn) {
        const int merge = Grid->MergeCells()->IndexOf(Grid->Col(), Grid->Row());
        if (merge >= 0) {
            selection = Grid->MergeCells()->GetRect(merge);
            if (selection != Grid->Selection()) {
                m_settingUp = true;
                Grid->SetSelection(selection);
                m_settingUp = false;
            }
        }
    }
    return selection;
}

void TGeneratorHtmlTable::GridClick()
{
    if (m_settingUp)
        return;
    SaveCellEditorSetting();
    const TRect selection = GridSelection();
    CurrentCol = selection.Left;
    CurrentRow = selection.Top;
    showCurrentCell();
}

void TGeneratorHtmlTable::SaveCellEditorSetting()
{
    // After the layout shrank the current cell may be gone: nothing is written outside it.
    if (!inMatrix(CurrentCol, CurrentRow))
        return;
    TCellState &cell = Cells[CurrentCol][CurrentRow];
    cell.Content = EditorText(SynEdit1);
    cell.Style = CellStyle(SECellBorderWidth->value(), CBCellBorderStyle->currentText(),
                           PanelCellBorderColor->ColorText(), PanelCellBackgroundColor->ColorText());
}

void TGeneratorHtmlTable::ReadCellEditorData()
{
    if (!inMatrix(CurrentCol, CurrentRow))
        return;
    const TCellState &cell = Cells[CurrentCol][CurrentRow];
    LoadEditorText(SynEdit1, cell.Content);
    const CellStyleSettings settings = ReadCellStyle(cell.Style);
    SECellBorderWidth->setValue(settings.borderWidth);
    CBCellBorderStyle->setCurrentText(settings.borderStyle);
    const QColor border(settings.borderColor);
    PanelCellBorderColor->SetColor(border.isValid() ? border : QColor(Qt::black));
    const QColor background(settings.backgroundColor);
    PanelCellBackgroundColor->SetColor(background.isValid() ? background : QColor(Qt::white));
}

void TGeneratorHtmlTable::ButtonMergeClick()
{
    SaveCellEditorSetting();
    const TRect s = GridSelection();
    bool found = false;
    for (int c = s.Left; c <= s.Right; ++c) {
        for (int r = s.Top; r <= s.Bottom; ++r) {
            const int merge = Grid->MergeCells()->IndexOf(c, r);
            if (merge >= 0) {
                Grid->MergeCells()->Delete(merge);
                found = true;
            }
        }
    }
    // A single cell, or a rectangle the grid refuses, is left as it is.
    if (!found)
        Grid->MergeCells()->Add(s.Left, s.Top, s.Right, s.Bottom);
    Grid->DiscardMergePicture();
    Grid->Repaint();
    // The merged area's first cell is the one its content belongs to.
    const TRect now = GridSelection();
    CurrentCol = now.Left;
    CurrentRow = now.Top;
    showCurrentCell();
    if (Grid->focusPolicy() != Qt::NoFocus && Grid->isEnabled())
        Grid->setFocus();
}

bool TGeneratorHtmlTable::Options(TableOptions *o) const
{
    if (!NumberOf(EditWidth, &o->width) || !NumberOf(EditHeight, &o->height) || !NumberOf(EditMargin, &o->margin))
        return false;
    o->backgroundColor = SHBackgroundColor->ColorText();
    o->horizontalAlign = CBHorizontalAlign->currentText();
    o->borderWidth = SEBorderWidth->value();
    o->borderStyle = CBBorderStyle->currentText();
    o->borderColor = SHBorderColor->ColorText();
    o->collapse = CBCollapse->isChecked();
    o->paddingAllCells = SEPaddingAllCells->value();
    return true;
}

void TGeneratorHtmlTable::ButtonStartClick()
{
    GenerateHTML();
    PageControl->setCurrentWidget(TBPreview);
}

void TGeneratorHtmlTable::GenerateHTML()
{
    // What the user last typed or chose for the current cell counts.
    SaveCellEditorSetting();
    TableOptions options;
    if (!Options(&options))
        return;
    QList<QRect> merges;
    for (int i = 0; i < Grid->MergeCells()->Count(); ++i) {
        const TRect r = Grid->MergeCells()->GetRect(i);
        merges << QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom));
    }
    const QString markup = TableMarkup(options, Cells, merges);
    if (m_generatedHtml)
        *m_generatedHtml = markup;
    Preview->LoadHTMLFromStr(markup);
}

void TGeneratorHtmlTable::ButtonResetClick()
{
    EditWidth->setText(QStringLiteral("0"));
    EditHeight->setText(QStringLiteral("0"));
    EditMargin->setText(QStringLiteral("0"));
    SHBackgroundColor->SetColor(Qt::white);
    CBHorizontalAlign->setCurrentText(QStringLiteral("left"));
    SEBorderWidth->setValue(1);
    CBBorderStyle->setCurrentText(QStringLiteral("solid"));
    SHBorderColor->SetColor(Qt::black);
    SEPaddingAllCells->setValue(2);
    Preview->LoadHTMLFromStr(QString());
    // Contents and merges start afresh; the current cell and the editor's text stay.
    InitCellState();
    PageControl->setCurrentWidget(TBDraft);
    Grid->Repaint();
    SECellBorderWidth->setValue(1);
    CBCellBorderStyle->setCurrentText(QStringLiteral("solid"));
    PanelCellBorderColor->SetColor(Qt::black);
    PanelCellBackgroundColor->SetColor(Qt::white);
}
