// Document tabs: the component set of a document, the active document, the status
// bar, closing, the tab menu, dropped files and the view options.
#include "core/reMainForm.h"
#include "dialogs/MessageBoxes.h"

#include "documents/TDocument.h"
#include "documents/TDocumentTabs.h"

#include "core/Highlighters.h"
#include "core/ImageList.h"
#include "program/MessagesKandrix.h"
#include "program/uDivStartVK.h"
#include "documents/DocumentFiles.h"

#include <QAction>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <Qsci/qscilexer.h>
#include <Qsci/qsciscintilla.h>

namespace {
QString statusCaret(int line, int column)
{
    return QString::asprintf("%4d:%4d", line, column);
}
} // namespace

TDocument *TMainForm::ActiveDocument() const
{
    return m_documents ? m_documents->current() : nullptr;
}

QList<TDocument *> TMainForm::Documents() const
{
    return m_documents ? m_documents->documents() : QList<TDocument *>();
}

QsciScintilla *TMainForm::ActiveSynEdit() const
{
    TDocument *document = ActiveDocument();
    return document ? document->editor() : nullptr;
}

bool TMainForm::DocumentPageInFront() const
{
    return ActiveDocument() != nullptr;
}

void TMainForm::ApplyDocumentLook()
{
    TDocumentTabs::Look look;
    look.saved = ImageList1(imgDocSaved);
    look.modified = ImageList1(imgDocModified);
    look.renamed = ImageList1(imgDocRenamed);
    look.savedIndex = imgDocSaved;
    look.modifiedIndex = imgDocModified;
    look.renamedIndex = imgDocRenamed;
    look.editorPage = ImageList1(imgEditorPage);
    look.previewPage = ImageList1(imgPreviewPage);
    look.back = ImageList1(imgPrevious);
    look.forward = ImageList1(imgNext);
    look.reload = ImageList1(imgReload);
    look.editorCaption = STBEditorCaption;
    look.previewCaption = SPreview;
    look.reloadCaption = SReload;
    m_documents->setLook(look);
}

void TMainForm::CreateTabSheetAndEditor()
{
    // The new tab comes to the front, which makes it the active document.
    m_documents->create(m_settings.MenuEnableJavascript);
}

void TMainForm::connectEditor(QsciScintilla *editor)
{
    connect(editor, &QsciScintilla::modificationChanged, this,
            [this, editor] { SynEditStatusChange(editor, scModified); });
    connect(editor, &QsciScintilla::cursorPositionChanged, this,
            [this, editor] { SynEditStatusChange(editor, scCaretX | scCaretY); });
    connect(editor, &QsciScintilla::selectionChanged, this,
            [this, editor] { SynEditStatusChange(editor, scSelection); });
    connect(editor, &QsciScintilla::textChanged, this,
            [this, editor] { SynEditStatusChange(editor, scSelection); });
    connect(editor, &QWidget::customContextMenuRequested, this,
            [this, editor](const QPoint &pos) { PopupHtmlTagsAndAttributes->popup(editor->mapToGlobal(pos)); });
    editor->installEventFilter(this);
    // Files dropped on the editor open as files dropped on the window; text drops stay the editor's.
    editor->viewport()->installEventFilter(this);
}

namespace {
QStringList droppedFiles(const QMimeData *data)
{
    QStringList paths;
    if (data && data->hasUrls()) {
        for (const QUrl &url : data->urls()) {
            if (url.isLocalFile())
                paths << url.toLocalFile();
        }
    }
    return paths;
}
} // namespace

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (m_acceptDrops && (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
                          event->type() == QEvent::Drop)) {
        auto *drop = static_cast<QDropEvent *>(event);
        const QStringList paths = droppedFiles(drop->mimeData());
        if (!paths.isEmpty() && qobject_cast<QsciScintilla *>(watched->parent())) {
            drop->acceptProposedAction();
            if (event->type() == QEvent::Drop)
                DropFiles(paths);
            return true;
        }
    }
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        // The pop-up menu's shortcuts belong to the editors, and come first there.
        auto *key = static_cast<QKeyEvent *>(event);
        if (qobject_cast<QsciScintilla *>(watched)) {
            if (QAction *action = EditorShortcutOf(key)) {
                if (event->type() == QEvent::ShortcutOverride)
                    event->accept();
                else
                    action->trigger();
                return true;
            }
        }
    }
    if (event->type() == QEvent::KeyPress) {
        auto *editor = qobject_cast<QsciScintilla *>(watched);
        auto *key = static_cast<QKeyEvent *>(event);
        if (editor && key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier) {
            editor->setOverwriteMode(!editor->overwriteMode());
            SynEditStatusChange(editor, scInsertMode);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

QAction *TMainForm::EditorShortcutOf(const QKeyEvent *key) const
{
    if (key->key() == 0 || key->key() == Qt::Key_unknown)
        return nullptr;
    const QKeySequence pressed(key->keyCombination());
    for (QAction *action : m_editorShortcuts) {
        if (action && action->isEnabled() && action->shortcut() == pressed)
            return action;
    }
    return nullptr;
}

void TMainForm::TBSynEditDynShow(TDocument *document)
{
    // The results of a run belong to the document it ran on: counts and icon go too.
    ResetTidyErrors();
    ActualizeFileType();
    document->setPreviewLoaded(false);
    QsciScintilla *editor = document->editor();
    QFont font(CBFont->currentText());
    font.setPointSize(SEFontSize->value());
    font.setStyleHint(QFont::Monospace);
    ApplyEditorFont(editor, font);
    ShowHiddenChars(ButtonShowHiddenChars->isChecked());
    editor->setWrapMode(ButtonWordWrap->isChecked() ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
    ApplyGutterColors(editor);
    if (document->pages() && document->pages()->currentWidget() == document->editorPage())
        editor->setFocus();
    ActualiseSynEditStatus();
    ActualizeStatusBar();
    SetCBCharset();
}

void TMainForm::ShowCaretStatus(QsciScintilla *editor)
{
    int line = 0;
    int index = 0;
    editor->getCursorPosition(&line, &index);
    for (TDocument *document : Documents()) {
        if (document->editor() == editor)
            document->setSavedCaret(line + 1, index + 1);
    }
    StatusPanel(0)->setText(statusCaret(line + 1, index + 1));
}

void TMainForm::ShowModifiedStatus(QsciScintilla *editor)
{
    const TDocument *document = ActiveDocument();
    const bool modified = document && document->editor() == editor ? document->isModified() : editor->isModified();
    StatusPanel(1)->setText(modified ? SEditModify : QString());
    Action("MenuSave")->setEnabled(modified);
    Action("PopupSave")->setEnabled(modified);
    ButtonSave->setIcon(ImageList1(modified ? imgSaveActive : imgSaveIdle));
}

void TMainForm::ShowUndoRedoStatus(QsciScintilla *editor)
{
    Action("MenuUndo")->setIcon(ImageList1(editor->isUndoAvailable() ? imgUndo : imgUndoOff));
    Action("MenuRedo")->setIcon(ImageList1(editor->isRedoAvailable() ? imgRedo : imgRedoOff));
}

void TMainForm::SynEditStatusChange(QsciScintilla *sender, int changes)
{
    // The panels and buttons show the document in front; its tab shows its own mark.
    if (!sender || sender != ActiveSynEdit())
        return;
    ShowCaretStatus(sender);
    if (changes & scModified)
        ShowModifiedStatus(sender);
    StatusPanel(2)->setText((changes & scInsertMode) ? QString() : SEditInsert);
    StatusPanel(3)->setText(SelectionStatusText(sender));
    ShowUndoRedoStatus(sender);
}

QString TMainForm::SelectionStatusText(QsciScintilla *editor)
{
    // Characters are counted on the editor's UTF-8 bytes: every byte that does not continue a character.
    const long length = editor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    const auto *data = reinterpret_cast<const uchar *>(
        editor->SendScintilla(QsciScintillaBase::SCI_GETCHARACTERPOINTER));
    auto count = [data](long from, long to) {
        long n = 0;
        for (long i = from; i < to; ++i)
            n += (data[i] & 0xC0) != 0x80;
        return n;
    };
    const long selStart = editor->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART);
    const long selEnd = editor->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND);
    const long characters = data ? count(0, length) : 0;
    const long selected = data ? count(selStart, selEnd) : 0;
    return QStringLiteral("%1/%2").arg(selected).arg(characters);
}

void TMainForm::ActualiseSynEditStatus()
{
    QsciScintilla *editor = ActiveSynEdit();
    if (!editor)
        return;
    ShowCaretStatus(editor);
    ShowModifiedStatus(editor);
    ShowUndoRedoStatus(editor);
}

void TMainForm::ActualizeStatusBar()
{
    TDocument *document = ActiveDocument();
    if (!document)
        return;
    QsciScintilla *editor = document->editor();
    StatusPanel(1)->setText(document->isModified() ? SEditModify : QString());
    StatusPanel(2)->setText(editor->overwriteMode() ? QString() : SEditInsert);
    StatusPanel(3)->setText(SelectionStatusText(editor));
    StatusPanel(4)->setText(document->encoding());
}

bool TMainForm::SaveBeforeExit(TDocument *document)
{
    return SavedAs(m_files->SaveBeforeExit(document, FileSettings()));
}

void TMainForm::PopUpCloseClick()
{
    // The Tidy configuration page stays.
    TDocument *document = ActiveDocument();
    if (document && PageControlMemos->count() > 1 && SaveBeforeExit(document))
        m_documents->close(document);
}

void TMainForm::PopUpTabSheetPopup()
{
    const bool document = DocumentPageInFront();
    for (const char *name : {"PopupSave", "PopupSaveAs", "PopupRenameFile", "PopupPath", "PopUpClose"})
        Action(name)->setVisible(document);
}

void TMainForm::PopupRenameFileClick()
{
    m_files->Rename(ActiveDocument());
}

void TMainForm::PopupPathClick()
{
    if (TDocument *document = ActiveDocument())
        ShowMessageKind(0, document->isUntitled() ? document->fileName() : document->path());
}

void TMainForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (m_acceptDrops && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    DropFiles(droppedFiles(event->mimeData()));
}

void TMainForm::DropFiles(const QStringList &paths)
{
    for (const QString &path : paths) {
        // A file already open ends the drop there, its tab in front.
        if (IsSameFile(path)) {
            OpenTabOfTheFile(path);
            return;
        }
        OpenDocument(path);
    }
}

void TMainForm::ButtonWordWrapClick()
{
    QsciScintilla *editor = ActiveSynEdit();
    if (!editor)
        return;
    editor->setWrapMode(ButtonWordWrap->isChecked() ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
    editor->setCursorPosition(0, 0);
}

void TMainForm::ButtonShowHiddenCharsClick()
{
    ShowHiddenChars(ButtonShowHiddenChars->isChecked());
}

void TMainForm::ShowHiddenChars(bool show)
{
    QsciScintilla *editor = ActiveSynEdit();
    if (!editor)
        return;
    editor->setWhitespaceVisibility(show ? QsciScintilla::WsVisible : QsciScintilla::WsInvisible);
    editor->setEolVisibility(show);
}

void TMainForm::SEFontSizeChange()
{
    QsciScintilla *editor = ActiveSynEdit();
    if (!editor)
        return;
    QFont font = EditorFont(editor);
    font.setPointSize(SEFontSize->value());
    ApplyEditorFont(editor, font);
}

void TMainForm::CBFontChange()
{
    QsciScintilla *editor = ActiveSynEdit();
    if (!editor)
        return;
    QFont font = EditorFont(editor);
    font.setFamily(CBFont->currentText());
    ApplyEditorFont(editor, font);
}

void TMainForm::ApplyEditorFont(QsciScintilla *editor, const QFont &font)
{
    editor->setFont(font);
    if (QsciLexer *lexer = editor->lexer()) {
        lexer->setDefaultFont(font);
        lexer->setFont(font);
    }
    editor->setMarginsFont(font);
}

QFont TMainForm::EditorFont(QsciScintilla *editor)
{
    return editor->lexer() ? editor->lexer()->defaultFont() : editor->font();
}
