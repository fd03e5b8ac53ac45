// The error panel: the list of Tidy's messages and the information pane.
#include "core/reMainForm.h"

#include <QAction>
#include <QFrame>
#include <QHeaderView>
#include <QSplitter>
#include <QTableWidget>
#include <QTextEdit>

void TMainForm::GridErrorsReset()
{
    GridErrors->clearContents();
    GridErrorsSize();
    ErrorRowCount = 0;
}

void TMainForm::GridErrorsSize()
{
    MemoInfo->viewport()->update();
    GridErrors->setColumnWidth(0, qMax(0, GridErrors->viewport()->width() - 1));
    const int rowHeight = GridErrors->verticalHeader()->defaultSectionSize();
    const int visibleRows = rowHeight > 0 ? GridErrors->viewport()->height() / rowHeight + 1 : 1;
    GridErrors->setRowCount(qMax(visibleRows, ErrorRowCount));
}

void TMainForm::PanelGridErrorReplace()
{
    const bool left = GridErrorToLeft;
    SplitterPanelGridError->setOrientation(left ? Qt::Horizontal : Qt::Vertical);
    SplitterGridErrors->setOrientation(left ? Qt::Vertical : Qt::Horizontal);
    // The error panel sits before the documents when docked left, after them at the bottom.
    SplitterPanelGridError->insertWidget(left ? 0 : 1, PanelGridErrors);
    SplitterGridErrors->setStretchFactor(0, 1);
    SplitterGridErrors->setStretchFactor(1, 0);
    const int total = (left ? SplitterPanelGridError->width() : SplitterPanelGridError->height());
    int panel;
    if (left)
        panel = ErrorPanelDefaultSize ? width() * 25 / 100 : PanelGridErrorsWidth;
    else
        panel = ErrorPanelDefaultSize ? 122 : PanelGridErrorsHeight;
    if (panel <= 0)
        panel = left ? width() * 25 / 100 : 122;
    panel = qMin(panel, qMax(0, total - 50));
    if (left)
        SplitterPanelGridError->setSizes({panel, qMax(0, total - panel)});
    else
        SplitterPanelGridError->setSizes({qMax(0, total - panel), panel});
    const int info = left ? 220 : 335;
    const int inner = left ? PanelGridErrors->height() : PanelGridErrors->width();
    SplitterGridErrors->setSizes({qMax(0, inner - info), info});
    ErrorPanelDefaultSize = false;
    PanelGridErrorsWidth = left ? panel : PanelGridErrors->width();
    PanelGridErrorsHeight = left ? PanelGridErrors->height() : panel;
    GridErrorsSize();
    GridTidyConfigSize();
    MemoInfo->viewport()->update();
}

void TMainForm::ButtonCloseGridErrorsClick()
{
    PanelGridErrors->hide();
    Action("MenuShowErrorsComments")->setChecked(false);
}
