// The Edit menu and the editors' Cut, Copy and Paste, search dispatch, printing and
// printer set-up, and each document's preview page.
#include "core/reMainForm.h"
#include "core/EditorPrinter.h"
#include "core/ValidationPart.h"

#include "dialogs/MessageBoxes.h"
#include "program/MessagesKandrix.h"
#include "program/uDivStartVK.h"
#include "documents/PreviewPage.h"
#include "documents/TDocument.h"
#include "documents/TDocumentTabs.h"
#include "dialogs/UserDialogs.h"
#include "tools/ReSearchReplaceSE.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <Qsci/qsciscintilla.h>

namespace {
const char *const kEditItems[] = {"MenuUndo", "MenuRedo", "MenuCut", "MenuCopy", "MenuPaste",
                                  "MenuDelete", "MenuSearch", "MenuSearchNext", "MenuReplace", "MenuSelectAll"};

// Refreshes the search zone when the user releases a key or a mouse button in an editor.
class EditorReleaseFilter : public QObject {
public:
    explicit EditorReleaseFilter(TMainForm *form) : QObject(form), m_form(form)
    {
        setObjectName("EditorReleaseFilter");
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyRelease || event->type() == QEvent::MouseButtonRelease) {
            auto *editor = qobject_cast<QsciScintilla *>(watched);
            if (!editor && watched->parent())
                editor = qobject_cast<QsciScintilla *>(watched->parent());
            if (editor)
                m_form->EditorMouseKeyUp(editor);
        }
        return false;
    }

private:
    TMainForm *m_form;
};

} // namespace

void TMainForm::ConnectEditCommands()
{
    const QList<QPair<const char *, void (TMainForm::*)()>> handlers = {
        {"MenuUndo", &TMainForm::MenuUndoClick},         {"MenuRedo", &TMainForm::MenuRedoClick},
        {"MenuCut", &TMainForm::MenuCutClick},           {"MenuCopy", &TMainForm::MenuCopyClick},
        {"MenuPaste", &TMainForm::MenuPasteClick},       {"MenuDelete", &TMainForm::MenuDeleteClick},
        {"MenuSelectAll", &TMainForm::MenuSelectAllClick}, {"MenuSearch", &TMainForm::MenuSearchClick},
        {"MenuSearchNext", &TMainForm::MenuSearchNextClick}, {"MenuReplace", &TMainForm::MenuReplaceClick},
        {"PopupCut", &TMainForm::MenuCutClick},          {"PopupCopy", &TMainForm::MenuCopyClick},
        {"PopupPaste", &TMainForm::MenuPasteClick},      {"MenuPrint", &TMainForm::MenuPrintClick},
        {"MenuPrinterSetup", &TMainForm::MenuPrinterSetupClick},
    };
    for (const auto &handler : handlers) {
        if (QAction *action = Action(handler.first))
            connect(action, &QAction::triggered, this, handler.second);
    }
    // The search keys work wherever the focus is in the window; the editing keys stay the editor's.
    for (const char *name : {"MenuSearch", "MenuSearchNext", "MenuReplace"}) {
        QAction *action = Action(name);
        action->setShortcutContext(Qt::WindowShortcut);
        QWidget::addAction(action);
    }
    if (auto *edit = findChild<QMenu *>("MenuEdit")) {
        connect(edit, &QMenu::aboutToShow, this, &TMainForm::MenuEditClick);
        // Closed, the items are all live again: each command checks what is in front itself.
        connect(edit, &QMenu::aboutToHide, this, [this] {
            for (const char *name : kEditItems)
                Action(name)->setEnabled(true);
        });
    }
    connect(PopupHtmlTagsAndAttributes, &QMenu::aboutToShow, this, &TMainForm::MenuEditSub);

    // A document tab whose preview is in front shows the current text.
    connect(PageControlMemos, &QTabWidget::currentChanged, this, [this] {
        if (TDocument *document = ActiveDocument(); document && PreviewShown(document))
            TBPreviewShow();
    });

    SynEditPrint1 = std::make_shared<TEditorPrinter>();
    PreviewPrinter = std::make_shared<QPrinter>();
}

void TMainForm::InstallDocumentHooks(TDocument *document)
{
    QObject *filter = findChild<QObject *>("EditorReleaseFilter", Qt::FindDirectChildrenOnly);
    if (!filter)
        filter = new EditorReleaseFilter(this);
    if (QsciScintilla *editor = document->editor()) {
        editor->installEventFilter(filter);
        editor->viewport()->installEventFilter(filter);
    }
    const QPointer<TDocument> guard(document);
    if (QTabWidget *inner = document->pages()) {
        connect(inner, &QTabWidget::currentChanged, this, [this, guard, inner](int index) {
            if (guard && inner->widget(index) == guard->previewPage() && guard == ActiveDocument())
                TBPreviewShow();
        });
    }
    const int n = document->number();
    QWidget *container = document->container();
    if (auto *back = container->findChild<QPushButton *>(QStringLiteral("ButtonWBOutputPrevious_%1").arg(n)))
        connect(back, &QPushButton::clicked, this, &TMainForm::ButtonWBOutputPreviousClick);
    if (auto *forward = container->findChild<QPushButton *>(QStringLiteral("ButtonWBOutputNext_%1").arg(n)))
        connect(forward, &QPushButton::clicked, this, &TMainForm::ButtonWBOutputNextClick);
    if (auto *reload = container->findChild<QPushButton *>(QStringLiteral("ButtonWBReload_%1").arg(n)))
        connect(reload, &QPushButton::clicked, this, &TMainForm::ButtonWBReload);
}

TSearchReplaceSE *TMainForm::SearchReplaceSE()
{
    if (!m_searchWindow) {
        m_searchWindow = new TSearchReplaceSE(this);
        m_searchWindow->SetRecentEntries(m_settings.FDFindItem, m_settings.RDFindItem, m_settings.RDReplaceItem);
        connect(m_searchWindow, &TSearchReplaceSE::recentEntriesChanged, this, [this] {
            m_settings.FDFindItem = m_searchWindow->FindItems();
            m_settings.RDFindItem = m_searchWindow->ReplaceFindItems();
            m_settings.RDReplaceItem = m_searchWindow->ReplaceReplaceItems();
        });
    }
    return m_searchWindow;
}

TDocument *TMainForm::EditDocument() const
{
    return DocumentTabs()->lastCurrent();
}

bool TMainForm::TidyPageInFront() const
{
    return PageControlMemos->currentWidget() == TBTidyConfig;
}

bool TMainForm::PreviewShown(TDocument *document)
{
    QTabWidget *inner = document ? document->pages() : nullptr;
    return inner && inner->currentWidget() && inner->currentWidget() == document->previewPage();
}

void TMainForm::MenuEditClick()
{
    MenuEditSub();
}

void TMainForm::MenuEditSub()
{
    TDocument *document = EditDocument();
    QsciScintilla *editor = document ? document->editor() : nullptr;
    const bool editorInFront = editor && !TidyPageInFront() && !PreviewShown(document);
    const bool other = document && !editorInFront;
    const bool selection = editorInFront && editor->hasSelectedText();
    const QMimeData *clipboard = QApplication::clipboard()->mimeData();
    const bool pasteable = editorInFront && clipboard && clipboard->hasText();
    const QList<QPair<const char *, bool>> states = {
        {"MenuUndo", editorInFront && editor->isUndoAvailable()},
        {"MenuRedo", editorInFront && editor->isRedoAvailable()},
        {"MenuCut", selection},
        {"PopupCut", selection},
        {"MenuCopy", selection || other},
        {"PopupCopy", selection || other},
        {"MenuPaste", pasteable},
        {"PopupPaste", pasteable},
        {"MenuDelete", editorInFront},
        {"MenuSearch", editorInFront || other},
        {"MenuSearchNext", editorInFront},
        {"MenuReplace", editorInFront},
        {"MenuSelectAll", editorInFront || other},
    };
    for (const auto &state : states) {
        if (QAction *action = Action(state.first))
            action->setEnabled(state.second);
    }
}

namespace {
// The editor of the document in front when its editor page is shown; null otherwise.
QsciScintilla *editorInFront(TMainForm *form, TDocument *document)
{
    if (!document || form->TidyPageInFront() || TMainForm::PreviewShown(document))
        return nullptr;
    return document->editor();
}

QWebEngineView *browserInFront(TDocument *document)
{
    return document && TMainForm::PreviewShown(document) ? document->browser() : nullptr;
}
} // namespace

void TMainForm::MenuUndoClick()
{
    QsciScintilla *editor = editorInFront(this, EditDocument());
    if (!editor)
        return;
    editor->undo();
    if (m_searchWindow) {
        m_searchWindow->SetRangeEndToTextEnd();
        if (m_searchWindow->isVisible())
            m_searchWindow->AutoSetting();
    }
}

void TMainForm::MenuRedoClick()
{
    QsciScintilla *editor = editorInFront(this, EditDocument());
    if (!editor)
        return;
    editor->redo();
    editor->viewport()->update();
    if (m_searchWindow) {
        m_searchWindow->SetRangeEndToTextEnd();
        if (m_searchWindow->isVisible())
            m_searchWindow->AutoSetting();
    }
}

void TMainForm::MenuCutClick()
{
    if (TidyPageInFront())
        return;
    TDocument *document = EditDocument();
    if (QWebEngineView *browser = browserInFront(document))
        browser->triggerPageAction(QWebEnginePage::Cut);
    else if (QsciScintilla *editor = editorInFront(this, document))
        editor->cut();
}

void TMainForm::MenuCopyClick()
{
    TDocument *document = EditDocument();
    if (!document)
        return;
    if (QWebEngineView *browser = browserInFront(document))
        browser->triggerPageAction(QWebEnginePage::Copy);
    else if (document->editor())
        document->editor()->copy();
}

void TMainForm::MenuPasteClick()
{
    if (TidyPageInFront())
        return;
    TDocument *document = EditDocument();
    if (QWebEngineView *browser = browserInFront(document)) {
        browser->triggerPageAction(QWebEnginePage::Paste);
        return;
    }
    QsciScintilla *editor = editorInFront(this, document);
    if (!editor)
        return;
    editor->paste();
    editor->viewport()->update();
    if (m_searchWindow) {
        int line = 0;
        int index = 0;
        editor->getCursorPosition(&line, &index);
        m_searchWindow->SetRangeBegin(TextPos{index + 1, line + 1});
        if (m_searchWindow->isVisible())
            m_searchWindow->AutoSetting();
    }
}

void TMainForm::MenuDeleteClick()
{
    QsciScintilla *editor = editorInFront(this, EditDocument());
    if (!editor)
        return;
    if (editor->hasSelectedText())
        editor->removeSelectedText();
    if (m_searchWindow) {
        m_searchWindow->SetRangeEndToTextEnd();
        if (m_searchWindow->isVisible())
            m_searchWindow->AutoSetting();
    }
}

void TMainForm::MenuSelectAllClick()
{
    TDocument *document = EditDocument();
    if (!document)
        return;
    if (QWebEngineView *browser = browserInFront(document))
        browser->triggerPageAction(QWebEnginePage::SelectAll);
    else if (document->editor())
        document->editor()->selectAll();
    if (m_searchWindow) {
        m_searchWindow->SetRangeBegin(TextPos{1, 1});
        if (m_searchWindow->isVisible())
            m_searchWindow->AutoSetting();
    }
}

void TMainForm::MenuSearchClick()
{
    TDocument *document = EditDocument();
    if (!document)
        return;
    if (PreviewShown(document)) {
        WBFindDialog();
        return;
    }
    SearchReplaceSE()->FPageIndex = 0;
    ShowFormReplaceSE();
}

void TMainForm::MenuReplaceClick()
{
    if (!editorInFront(this, EditDocument()))
        return;
    SearchReplaceSE()->FPageIndex = 1;
    ShowFormReplaceSE();
}

void TMainForm::MenuSearchNextClick()
{
    TDocument *document = EditDocument();
    if (!editorInFront(this, document))
        return;
    if (m_searchWindow && !m_searchWindow->FindText().isEmpty()) {
        m_searchWindow->SetDocument(document);
        m_searchWindow->FindDialogFind();
    } else {
        MenuSearchClick();
    }
}

void TMainForm::ShowFormReplaceSE()
{
    TDocument *document = EditDocument();
    if (!document)
        return;
    TSearchReplaceSE *window = SearchReplaceSE();
    window->SetDocument(document);
    if (!window->isVisible()) {
        // Near the top right of the documents, below the tool bars.
        const QPoint documents = PageControlMemos->mapToGlobal(QPoint(0, 0));
        window->adjustSize();
        window->move(frameGeometry().right() - window->frameGeometry().width() - 40, documents.y() + 50);
    }
    window->ShowPage(window->FPageIndex);
}

void TMainForm::SearchZoneToWholeDocument()
{
    if (!m_searchWindow)
        return;
    m_searchWindow->SetDocument(ActiveDocument());
    m_searchWindow->ZoneToWholeDocument();
}

void TMainForm::EditorMouseKeyUp(QsciScintilla *editor)
{
    if (m_searchWindow && m_searchWindow->isVisible() && m_searchWindow->Document() &&
        m_searchWindow->Document()->editor() == editor)
        m_searchWindow->AutoSetting();
}

void TMainForm::WBFindDialog()
{
    TDocument *document = EditDocument();
    if (document && document->browser())
        TPreviewFindBar::Open(document->browser());
}

void TMainForm::MenuPrintClick()
{
    if (TidyPageInFront())
        return;
    TDocument *document = EditDocument();
    if (!document)
        return;
    if (QWebEngineView *browser = browserInFront(document)) {
        if (!Dialogs().printer(PreviewPrinter.get(), false))
            return;
        // The page prints in the background; the printer stays with it until it is done.
        auto printer = PreviewPrinter;
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = connect(browser, &QWebEngineView::printFinished, this, [this, printer, connection](bool ok) {
            disconnect(*connection);
            if (!ok)
                ShowMessageKind(2, tr("The page could not be printed."));
        });
        browser->print(PreviewPrinter.get());
        return;
    }
    QsciScintilla *editor = document->editor();
    if (!editor)
        return;
    const QString path = document->path();
    SynEditPrint1->setDocName(path.isEmpty() ? QString() : QFileInfo(path).fileName());
    if (SynEditPrint1->printRange(editor) == 0) {
        // A printer that did not start would refuse every later choice until a restart.
        SynEditPrint1 = SynEditPrint1->Renewed();
        ShowMessageKind(2, tr("The document could not be printed: no printer is ready."));
    }
}

void TMainForm::MenuPrinterSetupClick()
{
    if (TidyPageInFront())
        return;
    TDocument *document = EditDocument();
    if (!document)
        return;
    if (browserInFront(document))
        Dialogs().printer(PreviewPrinter.get(), true);
    else
        Dialogs().printer(SynEditPrint1.get(), false);
}

void TMainForm::LoadHtmlPage(QWebEngineView *browser, const QString &path)
{
    if (!browser)
        return;
    const QUrl url = path.startsWith(QLatin1String("about:")) || path.contains(QLatin1String("://"))
                         ? QUrl(path)
                         : QUrl::fromLocalFile(path);
    browser->load(url);
}

void TMainForm::TBPreviewShow()
{
    if (TidyPageInFront())
        return;
    TDocument *document = ActiveDocument();
    if (!document || !document->editor() || !document->browser())
        return;
    QWebEngineView *browser = document->browser();
    if (document->editor()->length() == 0) {
        LoadHtmlPage(browser, QStringLiteral("about:blank"));
        // The browser no longer shows the copy: the next showing navigates to it again.
        document->setPreviewLoaded(false);
        return;
    }
    browser->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, m_settings.MenuEnableJavascript);
    if (auto *page = qobject_cast<TPreviewPage *>(browser->page()))
        page->setSilent(!m_settings.MenuEnableJavascript);
    const QString copy = m_validation->WriteTemporaryCopy(document);
    if (copy.isEmpty())
        return;
    if (!document->previewLoaded()) {
        LoadHtmlPage(browser, copy);
        document->setPreviewLoaded(true);
    } else {
        browser->triggerPageAction(QWebEnginePage::ReloadAndBypassCache);
    }
}

void TMainForm::ButtonWBReload()
{
    if (TDocument *document = ActiveDocument())
        document->setPreviewLoaded(false);
    TBPreviewShow();
}

void TMainForm::ButtonWBOutputPreviousClick()
{
    TDocument *document = ActiveDocument();
    if (QWebEngineView *browser = browserInFront(document))
        browser->back();
}

void TMainForm::ButtonWBOutputNextClick()
{
    TDocument *document = ActiveDocument();
    if (QWebEngineView *browser = browserInFront(document))
        browser->forward();
}
