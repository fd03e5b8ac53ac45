// The insertion commands' place in the main window.
#include "core/reMainForm.h"

#include "authoring/TInsertionCommands.h"

#include <QAction>

void TMainForm::buildInsertion(QWidget *htmlTags, QWidget *tablesLists, QWidget *forms, QWidget *attributes)
{
    TInsertionCommands::Host host;
    host.openDialogFilter = [this] { return OpenDialogFilter; };
    host.generatedHtml = &m_generatedHtml;
    host.lastImageFolder = &m_settings.LastImageFolder;
    m_insertion = new TInsertionCommands(this, host);
    connect(m_insertion, &TInsertionCommands::containerGeneratorRequested, this, &TMainForm::ShowGeneratorContainer);
    connect(m_insertion, &TInsertionCommands::tableGeneratorRequested, this, &TMainForm::ShowGeneratorTable);
    connect(m_insertion, &TInsertionCommands::formTableRequested, this, &TMainForm::ShowFormTable);
    m_insertion->BuildToolBars(htmlTags, tablesLists, forms, attributes);
    m_insertion->BuildEditorPopup(PopupHtmlTagsAndAttributes);
    m_insertion->ConnectToolsMenu(Action("MenuContainerEditor"), Action("MenuTableEditor"));
}
