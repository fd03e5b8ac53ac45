// Document tabs: the component set of a document, the active document, the status
// bar, closing, the tab menu, dropped files and the view options.
#include "core/reMainForm.h"
#include "dialogs/MessageBoxes.h"

#include "documents/TDocument.h"

#include "core/Highlighters.h"
#include "core/ImageList.h"
#include "program/MessagesKandrix.h"
#include "program/uDivStartVK.h"
#include "dialogs/UserDialogs.h"
#include "util/ManageOpenFileList.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
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

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
const char *const kDocumentNumber = "DocumentNumber";
const char *const kImageIndex = "ImageIndex";

QString statusCaret(int line, int column)
{
    return QString::asprintf("%4d:%4d", line, column);
}
} // namespace

int TMainForm::DocumentNumberOf(QWidget *container)
{
    if (!container)
        return -1;
    const QVariant v = container->property(kDocumentNumber);
    return v.isValid() ? v.toInt() : -1;
}

TDocument *TMainForm::DocumentOf(QWidget *container)
{
    return container ? container->findChild<TDocument *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

TDocument *TMainForm::ActiveDocument() const
{
    return DocumentOf(PageControlMemos->currentWidget());
}

QList<TDocument *> TMainForm::Documents() const
{
    QList<TDocument *> documents;
    for (int i = 0; i < PageControlMemos->count(); ++i) {
        if (TDocument *document = DocumentOf(PageControlMemos->widget(i)))
            documents << document;
    }
    return documents;
}

QWidget *TMainForm::ContainerOfNumber(int number) const
{
    return PageControlMemos->findChild<QWidget *>(QStringLiteral("TBContainer_%1").arg(number));
}

bool TMainForm::DocumentPageInFront() const
{
    return DocumentNumberOf(PageControlMemos->currentWidget()) >= 0;
}

QString TMainForm::DocumentFileName(QWidget *container) const
{
    if (!container)
        return {};
    const QString path = container->toolTip();
    if (!path.isEmpty())
        return QFileInfo(path).fileName();
    const int index = PageControlMemos->indexOf(container);
    return index >= 0 ? PageControlMemos->tabText(index) : QString();
}

void TMainForm::SetContainerImage(QWidget *container, int imageIndex)
{
    if (!container)
        return;
    container->setProperty(kImageIndex, imageIndex);
    const int index = PageControlMemos->indexOf(container);
    if (index >= 0)
        PageControlMemos->setTabIcon(index, ImageList1(imageIndex));
}

int TMainForm::ContainerImage(QWidget *container) const
{
    if (!container)
        return -1;
    const QVariant v = container->property(kImageIndex);
    return v.isValid() ? v.toInt() : -1;
}

void TMainForm::CreateTabSheetAndEditor()
{
    const int n = DocumentNumber;
    auto *container = new QWidget(PageControlMemos);
    container->setObjectName(QStringLiteral("TBContainer_%1").arg(n));
    container->setProperty(kDocumentNumber, n);
    auto *containerLayout = new QVBoxLayout(container);
    containerLayout->setContentsMargins(0, 0, 0, 0);

    auto *inner = new QTabWidget(container);
    inner->setObjectName("SubPC_" + container->objectName());
    inner->setTabPosition(QTabWidget::South);
    inner->setDocumentMode(true);
    containerLayout->addWidget(inner);

    auto *editorPage = new QWidget(inner);
    editorPage->setObjectName(QStringLiteral("TBSynEdit_%1_%2").arg(n).arg(0));
    auto *editorLayout = new QVBoxLayout(editorPage);
    editorLayout->setContentsMargins(0, 0, 0, 0);
    auto *editor = new QsciScintilla(editorPage);
    editor->setObjectName(QStringLiteral("SynEdit_%1").arg(n));
    editor->setUtf8(true);
    editor->setEolMode(QsciScintilla::EolUnix);
    editor->setMarginType(0, QsciScintilla::NumberMargin);
    editor->setMarginWidth(0, QStringLiteral("0000000"));
    editor->setMarginLineNumbers(0, true);
    editor->setMarginWidth(1, 0);
    editor->setTabWidth(8);
    editor->setIndentationsUseTabs(true);
    editor->setScrollWidth(2048);
    editor->setScrollWidthTracking(true);
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    ApplyHighlighter(editor, DocumentText::HighlighterKind::Multi);
    editor->setModified(false);
    editorLayout->addWidget(editor);
    inner->addTab(editorPage, ImageList1(imgEditorPage), STBEditorCaption);

    auto *previewPage = new QWidget(inner);
    previewPage->setObjectName(QStringLiteral("TBWebBrowser_%1_%2").arg(n).arg(1));
    auto *previewLayout = new QVBoxLayout(previewPage);
    previewLayout->setContentsMargins(0, 0, 0, 0);
    previewLayout->setSpacing(0);
    auto *bar = new QFrame(previewPage);
    bar->setObjectName(QStringLiteral("PanelWBOutput_%1").arg(n));
    bar->setFixedHeight(26);
    bar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto *label = new QLabel(bar);
    label->setObjectName(QStringLiteral("LabelFileType_%1").arg(n));
    label->move(100, 7);
    label->hide();
    auto *back = new QPushButton(bar);
    back->setObjectName(QStringLiteral("ButtonWBOutputPrevious_%1").arg(n));
    back->setIcon(ImageList1(imgPrevious));
    back->setGeometry(8, 3, 20, 20);
    auto *forward = new QPushButton(bar);
    forward->setObjectName(QStringLiteral("ButtonWBOutputNext_%1").arg(n));
    forward->setIcon(ImageList1(imgNext));
    forward->setGeometry(32, 3, 20, 20);
    auto *reload = new QPushButton(SReload, bar);
    reload->setObjectName(QStringLiteral("ButtonWBReload_%1").arg(n));
    reload->setIcon(ImageList1(imgReload));
    reload->setGeometry(80, 3, 90, 20);
    previewLayout->addWidget(bar);
    auto *browser = new QWebEngineView(previewPage);
    browser->setObjectName(QStringLiteral("WebBrowser_%1").arg(n));
    browser->setAcceptDrops(false);
    browser->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, JavascriptEnabled);
    previewLayout->addWidget(browser, 1);
    inner->addTab(previewPage, ImageList1(imgPreviewPage), SPreview);

    connectEditor(editor);
    InstallDocumentHooks(new TDocument(n, container, editor, browser));

    ActiveContainer = container;
    ActiveEditorSheet = editorPage;
    ActivePreviewSheet = previewPage;
    ActiveSynEdit = editor;
    ActiveWebBrowser = browser;
    const int index = PageControlMemos->addTab(container, QString());
    SetContainerImage(container, imgDocSaved);
    // Showing the new tab makes it the active document.
    if (PageControlMemos->currentIndex() == index)
        TBSynEditDynShow(container);
    else
        PageControlMemos->setCurrentIndex(index);
    ActiveLabelFileType = label;
    ActiveButtonWBReload = reload;
    ++DocumentNumber;
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
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
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

void TMainForm::SetActiveTTabSheets(QWidget *container)
{
    const int n = DocumentNumberOf(container);
    if (n < 0)
        return;
    ActiveEditorSheet = container->findChild<QWidget *>(QStringLiteral("TBSynEdit_%1_%2").arg(n).arg(0));
    ActivePreviewSheet = container->findChild<QWidget *>(QStringLiteral("TBWebBrowser_%1_%2").arg(n).arg(1));
    ActiveSynEdit = container->findChild<QsciScintilla *>(QStringLiteral("SynEdit_%1").arg(n));
    ActiveWebBrowser = container->findChild<QWebEngineView *>(QStringLiteral("WebBrowser_%1").arg(n));
    ActiveLabelFileType = container->findChild<QLabel *>(QStringLiteral("LabelFileType_%1").arg(n));
    ActiveButtonWBReload = container->findChild<QPushButton *>(QStringLiteral("ButtonWBReload_%1").arg(n));
    if (auto *inner = container->findChild<QTabWidget *>("SubPC_" + container->objectName())) {
        inner->setTabText(0, STBEditorCaption);
        inner->setTabText(1, SPreview);
    }
    if (ActiveButtonWBReload)
        ActiveButtonWBReload->setText(SReload);
}

void TMainForm::TBSynEditDynShow(QWidget *sender)
{
    // The results of a run belong to the document it ran on: counts and icon go too.
    ResetTidyErrors();
    ActiveContainer = sender;
    SetActiveTTabSheets(sender);
    ActualizeFileType();
    PreviewLoaded = 0;
    if (ActiveSynEdit) {
        QFont font(CBFont->currentText());
        font.setPointSize(SEFontSize->value());
        font.setStyleHint(QFont::Monospace);
        ApplyEditorFont(ActiveSynEdit, font);
        ShowHiddenChars(ButtonShowHiddenChars->isChecked());
        ActiveSynEdit->setWrapMode(ButtonWordWrap->isChecked() ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
        ApplyGutterColors(ActiveSynEdit);
        auto *inner = sender->findChild<QTabWidget *>("SubPC_" + sender->objectName());
        if (inner && inner->currentWidget() == ActiveEditorSheet)
            ActiveSynEdit->setFocus();
    }
    ActualiseSynEditStatus();
    ActualizeStatusBar();
    SetCBCharset();
    SearchZoneToWholeDocument();
}

QWidget *TMainForm::ContainerOfEditor(QsciScintilla *editor) const
{
    return ContainerOfNumber(editor->objectName().mid(int(qstrlen("SynEdit_"))).toInt());
}

void TMainForm::ShowCaretStatus(QsciScintilla *editor)
{
    int line = 0;
    int index = 0;
    editor->getCursorPosition(&line, &index);
    SavedCaretY = line + 1;
    SavedCaretX = index + 1;
    StatusPanel(0)->setText(statusCaret(SavedCaretY, SavedCaretX));
}

void TMainForm::ShowModifiedStatus(QsciScintilla *editor)
{
    const bool modified = editor->isModified();
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
    if (!sender)
        return;
    // The tab that holds the editor shows the mark, whichever tab is in front.
    if (changes & scModified)
        SetContainerImage(ContainerOfEditor(sender), sender->isModified() ? imgDocModified : imgDocSaved);
    // The panels and buttons show the document in front.
    if (sender != ActiveSynEdit)
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
    if (!ActiveSynEdit)
        return;
    ShowCaretStatus(ActiveSynEdit);
    ShowModifiedStatus(ActiveSynEdit);
    SetContainerImage(ActiveContainer, ActiveSynEdit->isModified() ? imgDocModified : imgDocSaved);
    ShowUndoRedoStatus(ActiveSynEdit);
}

void TMainForm::ActualizeStatusBar()
{
    if (!ActiveSynEdit)
        return;
    StatusPanel(1)->setText(ActiveSynEdit->isModified() ? SEditModify : QString());
    StatusPanel(2)->setText(ActiveSynEdit->overwriteMode() ? QString() : SEditInsert);
    StatusPanel(3)->setText(SelectionStatusText(ActiveSynEdit));
    StatusPanel(4)->setText(ActiveLabelFileType ? ActiveLabelFileType->text() : QString());
}

bool TMainForm::SaveBeforeExit()
{
    if (!ActiveSynEdit || !ActiveSynEdit->isModified())
        return true;
    const QString text = FormatMessageText(SWarningSaveChanges, {DocumentFileName(ActiveContainer)});
    const auto answer = Dialogs().message(QMessageBox::Question, QStringLiteral("Confirmation"), text,
                                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::Yes)
        MenuSaveAsClick();
    return true;
}

void TMainForm::PopUpCloseClick()
{
    if (!DocumentPageInFront() || PageControlMemos->count() <= 1)
        return;
    if (!SaveBeforeExit())
        return;
    closeActiveContainer();
}

void TMainForm::closeActiveContainer()
{
    QWidget *container = PageControlMemos->currentWidget();
    const bool hide = PageControlMemos->count() > 2;
    if (hide)
        PageControlMemos->setUpdatesEnabled(false);
    m_closing = true;
    PageControlMemos->removeTab(PageControlMemos->indexOf(container));
    m_closing = false;
    container->deleteLater();
    container->setParent(nullptr);
    if (PageControlMemos->count() > 1) {
        QWidget *last = PageControlMemos->widget(PageControlMemos->count() - 1);
        if (PageControlMemos->currentWidget() == last)
            TBSynEditDynShow(last);
        else
            PageControlMemos->setCurrentWidget(last);
    } else {
        ActiveContainer = nullptr;
        ActiveEditorSheet = nullptr;
        ActivePreviewSheet = nullptr;
        ActiveSynEdit = nullptr;
        ActiveWebBrowser = nullptr;
        ActiveLabelFileType = nullptr;
        ActiveButtonWBReload = nullptr;
        PageControlMemos->setCurrentIndex(0);
        TBTidyConfigShow();
    }
    if (hide)
        PageControlMemos->setUpdatesEnabled(true);
}

void TMainForm::PopUpTabSheetPopup()
{
    const bool document = DocumentPageInFront();
    for (const char *name : {"PopupSave", "PopupSaveAs", "PopupRenameFile", "PopupPath", "PopUpClose"})
        Action(name)->setVisible(document);
}

void TMainForm::PopupRenameFileClick()
{
    if (!DocumentPageInFront() || !ActiveContainer)
        return;
    const QString oldPath = ActiveContainer->toolTip();
    if (oldPath.isEmpty())
        return;
    QString name = QFileInfo(oldPath).fileName();
    if (!Dialogs().inputText(SRenameFile, SEnterNewNameFile, &name))
        return;
    const QString newPath = QFileInfo(oldPath).absolutePath() + "/" + name;
    QString reason;
    if (QFileInfo::exists(newPath) && newPath != oldPath) {
        reason = QString::fromLocal8Bit(std::strerror(EEXIST));
    } else if (std::rename(QFile::encodeName(oldPath).constData(), QFile::encodeName(newPath).constData()) != 0) {
        reason = QString::fromLocal8Bit(std::strerror(errno));
    }
    if (!reason.isEmpty()) {
        ShowMessageKind(0, FormatMessageText(SErrorRename, {reason}));
        return;
    }
    const int index = PageControlMemos->indexOf(ActiveContainer);
    PageControlMemos->setTabText(index, QFileInfo(name).fileName());
    ActiveContainer->setToolTip(newPath);
    SetContainerImage(ActiveContainer, imgSaveIdle);
    RenameInRecentFiles(oldPath, newPath);
    RecentFileListCreateMenu();
}

void TMainForm::PopupPathClick()
{
    if (!DocumentPageInFront() || !ActiveContainer)
        return;
    const QString path = ActiveContainer->toolTip();
    ShowMessageKind(0, path.isEmpty() ? PageControlMemos->tabText(PageControlMemos->indexOf(ActiveContainer)) : path);
}

void TMainForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (m_acceptDrops && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    event->acceptProposedAction();
    DropFiles(paths);
}

void TMainForm::DropFiles(const QStringList &paths)
{
    for (const QString &path : paths) {
        if (IsSameFile(path)) {
            OpenTabOfTheFile(path);
            return;
        }
        CreateTabSheetAndEditor();
        OpenFile(path);
    }
}

void TMainForm::ButtonWordWrapClick()
{
    if (!ActiveSynEdit)
        return;
    ActiveSynEdit->setWrapMode(ButtonWordWrap->isChecked() ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
    ActiveSynEdit->setCursorPosition(0, 0);
}

void TMainForm::ButtonShowHiddenCharsClick()
{
    ShowHiddenChars(ButtonShowHiddenChars->isChecked());
}

void TMainForm::ShowHiddenChars(bool show)
{
    if (!ActiveSynEdit)
        return;
    ActiveSynEdit->setWhitespaceVisibility(show ? QsciScintilla::WsVisible : QsciScintilla::WsInvisible);
    ActiveSynEdit->setEolVisibility(show);
}

void TMainForm::SEFontSizeChange()
{
    if (!ActiveSynEdit)
        return;
    QFont font = EditorFont(ActiveSynEdit);
    font.setPointSize(SEFontSize->value());
    ApplyEditorFont(ActiveSynEdit, font);
}

void TMainForm::CBFontChange()
{
    if (!ActiveSynEdit)
        return;
    QFont font = EditorFont(ActiveSynEdit);
    font.setFamily(CBFont->currentText());
    ApplyEditorFont(ActiveSynEdit, font);
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
