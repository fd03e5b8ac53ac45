// The insertion commands' place in the main window.
#include "core/reMainForm.h"

#include "authoring/TInsertionCommands.h"

#include <QAction>

void TMainForm::buildInsertion(QWidget *htmlTags, QWidget *tablesLists, QWidget *forms, QWidget *attributes)
{
    TInsertionCommands::Host host;
    host.activeDocument = [this] { return ActiveDocument(); };
    host.openDialogFilter = [this] { return OpenDialogFilter; };
    host.showContainerGenerator = [this] { ShowGeneratorContainer(); };
    host.showTableGenerator = [this] { ShowGeneratorTable(); };
    host.showFormTable = [this] { ShowFormTable(); };
    host.generatedHtml = &m_generatedHtml;
    host.lastImageFolder = &m_settings.LastImageFolder;
    m_insertion = new TInsertionCommands(this, host);
    m_insertion->BuildToolBars(htmlTags, tablesLists, forms, attributes);
    m_insertion->BuildEditorPopup(PopupHtmlTagsAndAttributes);
    m_insertion->ConnectToolsMenu(Action("MenuContainerEditor"), Action("MenuTableEditor"));
}
