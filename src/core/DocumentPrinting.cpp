#include "core/DocumentPrinting.h"

#include "core/EditorPrinter.h"
#include "dialogs/MessageBoxes.h"
#include "dialogs/UserDialogs.h"
#include "documents/TDocument.h"

#include <QFileInfo>
#include <QPrinter>
#include <QWebEngineView>
#include <Qsci/qsciscintilla.h>

TDocumentPrinting::TDocumentPrinting(QObject *parent)
    : QObject(parent), m_editorPrinter(std::make_shared<TEditorPrinter>()),
      m_previewPrinter(std::make_shared<QPrinter>())
{
    setObjectName("DocumentPrinting");
}

TDocumentPrinting::~TDocumentPrinting() = default;

QWebEngineView *TDocumentPrinting::BrowserInFront(TDocument *document)
{
    return document && document->previewShown() ? document->browser() : nullptr;
}

void TDocumentPrinting::Print(TDocument *document)
{
    if (!document)
        return;
    if (QWebEngineView *browser = BrowserInFront(document)) {
        if (!Dialogs().printer(m_previewPrinter.get(), false))
            return;
        // The page prints in the background; the printer stays with it until it is done.
        auto printer = m_previewPrinter;
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = connect(browser, &QWebEngineView::printFinished, this, [printer, connection](bool ok) {
            disconnect(*connection);
            if (!ok)
                ShowMessageKind(2, tr("The page could not be printed."));
        });
        browser->print(m_previewPrinter.get());
        return;
    }
    QsciScintilla *editor = document->editor();
    if (!editor)
        return;
    const QString path = document->path();
    m_editorPrinter->setDocName(path.isEmpty() ? QString() : QFileInfo(path).fileName());
    if (m_editorPrinter->printRange(editor) == 0) {
        // A printer that did not start would refuse every later choice until a restart.
        m_editorPrinter = m_editorPrinter->Renewed();
        ShowMessageKind(2, tr("The document could not be printed: no printer is ready."));
    }
}

void TDocumentPrinting::PrinterSetup(TDocument *document)
{
    if (!document)
        return;
    if (BrowserInFront(document))
        Dialogs().printer(m_previewPrinter.get(), true);
    else
        Dialogs().printer(m_editorPrinter.get(), false);
}
