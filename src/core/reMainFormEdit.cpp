// The Edit menu and the editors' Cut, Copy and Paste, search dispatch, printing and
// printer set-up, and each document's preview page.
#include "core/reMainForm.h"
#include "core/DocumentPrinting.h"
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
#include <QPushButton>
#include <QTabWidget>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <Qsci/qsciscintilla.h>

#include <functional>

namespace {
const char *const kEditItems[] = {"MenuUndo", "MenuRedo", "MenuCut", "MenuCopy", "MenuPaste",
                                  "MenuDelete", "MenuSearch", "MenuSearchNext", "MenuReplace", "MenuSelectAll"};

// Refreshes the search zone when the user releases a key or a mouse button in an editor.
class EditorReleaseFilter : public QObject {
public:
    EditorReleaseFilter(std::function<void(QsciScintilla *)> released, QObject *parent)
        : QObject(parent), m_released(std::move(released))
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
                m_released(editor);
        }
        return false;
    }

private:
    std::function<void(QsciScintilla *)> m_released;
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

    m_printing = new TDocumentPrinting(this);
}

void TMainForm::InstallDocumentHooks(TDocument *document)
{
    QObject *filter = findChild<QObject *>("EditorReleaseFilter", Qt::FindDirectChildrenOnly);
    if (!filter)
        filter = new EditorReleaseFilter([this](QsciScintilla *editor) { EditorMouseKeyUp(editor); }, this);
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
        m_searchWindow->setDocument(EditDocument());
        connect(m_documents, &TDocumentTabs::currentChanged, m_searchWindow, &TSearchReplaceSE::setDocument);
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
    return document && document->previewShown();
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

QsciScintilla *TMainForm::EditorInFront(TDocument *document) const
{
    if (!document || TidyPageInFront() || PreviewShown(document))
        return nullptr;
    return document->editor();
}

namespace {
QWebEngineView *browserInFront(TDocument *document)
{
    return document && document->previewShown() ? document->browser() : nullptr;
}
} // namespace

void TMainForm::MenuUndoClick()
{
    QsciScintilla *editor = EditorInFront(EditDocument());
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
    QsciScintilla *editor = EditorInFront(EditDocument());
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
    else if (QsciScintilla *editor = EditorInFront(document))
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
    QsciScintilla *editor = EditorInFront(document);
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
    QsciScintilla *editor = EditorInFront(EditDocument());
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
    if (!EditorInFront(EditDocument()))
        return;
    SearchReplaceSE()->FPageIndex = 1;
    ShowFormReplaceSE();
}

void TMainForm::MenuSearchNextClick()
{
    TDocument *document = EditDocument();
    if (!EditorInFront(document))
        return;
    if (m_searchWindow && !m_searchWindow->FindText().isEmpty()) {
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
    if (!window->isVisible()) {
        // Near the top right of the documents, below the tool bars.
        const QPoint documents = PageControlMemos->mapToGlobal(QPoint(0, 0));
        window->adjustSize();
        window->move(frameGeometry().right() - window->frameGeometry().width() - 40, documents.y() + 50);
    }
    window->ShowPage(window->FPageIndex);
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
    if (!TidyPageInFront())
        m_printing->Print(EditDocument());
}

void TMainForm::MenuPrinterSetupClick()
{
    if (!TidyPageInFront())
        m_printing->PrinterSetup(EditDocument());
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
