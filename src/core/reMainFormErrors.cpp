// The error panel: the list of Tidy's messages and the information pane.
#include "core/reMainForm.h"

#include "core/ErrorPanel.h"

#include <QAction>
#include <QFrame>
#include <QSplitter>
#include <QTextEdit>

void TMainForm::GridErrorsReset()
{
    PanelGridErrors->reset();
}

void TMainForm::GridErrorsSize()
{
    // The list view sizes its rows itself; only the pane needs a repaint.
    PanelGridErrors->info()->viewport()->update();
}

void TMainForm::GridErrorsDblClick()
{
    PanelGridErrors->jumpToRow(PanelGridErrors->currentRow());
}

void TMainForm::PanelGridErrorReplace()
{
    const bool left = m_settings.GridErrorToLeft;
    SplitterPanelGridError->setOrientation(left ? Qt::Horizontal : Qt::Vertical);
    PanelGridErrors->splitter()->setOrientation(left ? Qt::Vertical : Qt::Horizontal);
    // The error panel sits before the documents when docked left, after them at the bottom.
    SplitterPanelGridError->insertWidget(left ? 0 : 1, PanelGridErrors);
    PanelGridErrors->splitter()->setStretchFactor(0, 1);
    PanelGridErrors->splitter()->setStretchFactor(1, 0);
    const int total = (left ? SplitterPanelGridError->width() : SplitterPanelGridError->height());
    int panel;
    if (left)
        panel = m_errorPanelDefaultSize ? width() * 25 / 100 : m_settings.PanelGridErrorsWidth.value_or(0);
    else
        panel = m_errorPanelDefaultSize ? 122 : m_settings.PanelGridErrorsHeight.value_or(122);
    if (panel <= 0)
        panel = left ? width() * 25 / 100 : 122;
    panel = qMin(panel, qMax(0, total - 50));
    if (left)
        SplitterPanelGridError->setSizes({panel, qMax(0, total - panel)});
    else
        SplitterPanelGridError->setSizes({qMax(0, total - panel), panel});
    const int info = left ? 220 : 335;
    const int inner = left ? PanelGridErrors->height() : PanelGridErrors->width();
    PanelGridErrors->splitter()->setSizes({qMax(0, inner - info), info});
    m_errorPanelDefaultSize = false;
    m_settings.PanelGridErrorsWidth = left ? panel : PanelGridErrors->width();
    m_settings.PanelGridErrorsHeight = left ? PanelGridErrors->height() : panel;
    GridErrorsSize();
    GridTidyConfigSize();
    PanelGridErrors->info()->viewport()->update();
}

void TMainForm::ButtonCloseGridErrorsClick()
{
    PanelGridErrors->hide();
    Action("MenuShowErrorsComments")->setChecked(false);
}
