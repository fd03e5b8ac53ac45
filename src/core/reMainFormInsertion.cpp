// The insertion commands' place in the main window.
#include "core/reMainForm.h"

#include "authoring/TInsertionCommands.h"
#include "documents/TDocument.h"

#include <QAction>

void TMainForm::buildInsertion(QWidget *htmlTags, QWidget *tablesLists, QWidget *forms, QWidget *attributes)
{
    TInsertionCommands::Host host;
    host.activeDocument = [this] {
        TDocument *document = ActiveDocument();
        // Links are made from the document's path; older tabs kept it only in their hint.
        if (document && document->isUntitled() && document->container() && !document->container()->toolTip().isEmpty())
            document->setPath(document->container()->toolTip());
        return document;
    };
    host.openDialogFilter = [this] { return OpenDialogFilter; };
    host.showContainerGenerator = [this] { ShowGeneratorContainer(); };
    host.showTableGenerator = [this] { ShowGeneratorTable(); };
    host.showFormTable = [this] { ShowFormTable(); };
    host.generatedHtml = &GeneratedHtml;
    host.lastImageFolder = &LastImageFolder;
    m_insertion = new TInsertionCommands(this, host);
    m_insertion->BuildToolBars(htmlTags, tablesLists, forms, attributes);
    m_insertion->BuildEditorPopup(PopupHtmlTagsAndAttributes);
    m_insertion->ConnectToolsMenu(Action("MenuContainerEditor"), Action("MenuTableEditor"));
}
