// New, open and save: templates, encodings, charset declarations, recent files.
#include "core/reMainForm.h"
#include "dialogs/MessageBoxes.h"

#include "util/DocumentStream.h"
#include "util/DocumentText.h"
#include "documents/DocumentFile.h"
#include "documents/EditorText.h"
#include "documents/TDocument.h"
#include "documents/TDocumentTabs.h"
#include "core/Highlighters.h"
#include "program/MessagesKandrix.h"
#include "program/uDivStartVK.h"
#include "platform/Platform.h"
#include "dialogs/UserDialogs.h"
#include "util/ManageOpenFileList.h"
#include "util/VelKandrixUtils.h"
#include "util/uDivFiles.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QTabWidget>
#include <Qsci/qsciscintilla.h>

using namespace DocumentText;

namespace {
NewDocKind kindOfSender(QObject *sender)
{
    const QString name = sender ? sender->objectName() : QString();
    if (name == "MenuNewDocHTML4")
        return NewDocKind::Html4Strict;
    if (name == "NewDocCss")
        return NewDocKind::Css;
    if (name == "NewDocPHP")
        return NewDocKind::Php;
    if (name == "NewDocTXT")
        return NewDocKind::Txt;
    return NewDocKind::Html5;
}
// A named document proposes its whole path, so that Save As opens in its folder.
QString SaveAsProposal(const TDocument *document)
{
    return document->isUntitled() ? document->fileName() : document->path();
}
} // namespace

void TMainForm::MenuNewDocClick(QObject *sender)
{
    ResetAndNew();
    CreateTabSheetAndEditor();
    TDocument *document = ActiveDocument();
    const NewDocKind kind = kindOfSender(sender);
    NewDocExtension = DocumentText::NewDocExtension(kind);
    ApplyHighlighter(document->editor(), HighlighterKind::Multi);
    LoadEditorText(document->editor(), NewDocTemplate(kind, LanguageCode));
    document->setLineBreak(TDocument::LineBreak::LF);
    // The templates declare UTF-8, so the document is written in UTF-8.
    document->setEncoding(Utf8);
    ActualizeFileType();
    document->setModified(false);
    document->setUntitledCaption(UntitledCaption(SUntitled, m_documents->takeUntitledNumber(), kind));
    ActualizeStatusBar();
    SetCBCharset();
}

void TMainForm::MenuOpenClick()
{
    OpenThroughDialog(QString());
}

void TMainForm::MenuBlankWebsiteTemplateClick()
{
    OpenThroughDialog(TemplatesDir + "index.php");
}

void TMainForm::OpenThroughDialog(const QString &presetFile)
{
    int filterIndex = 1;
    const QString start = presetFile.isEmpty() ? LastOpenFolder : presetFile;
    const QStringList chosen = Dialogs().openFiles(FOpenDialogTitle, start, OpenDialogFilter, &filterIndex, false);
    if (chosen.isEmpty())
        return;
    const QString path = chosen.first();
    if (!IsSameFile(path))
        LastOpenFolder = QFileInfo(path).absolutePath() + "/";
    OpenDocument(path);
}

// Opens a file for reading; says why when it cannot be, or is more than the editor can hold.
static bool OpenReaderOrSay(const QString &path, DocumentReader *reader)
{
    switch (reader->open(path)) {
    case DocumentReader::Problem::None:
        return true;
    case DocumentReader::Problem::TooLarge:
        ShowMessageKind(2, FormatMessageText(SFileTooLarge, {path}));
        return false;
    default:
        ShowMessageKind(2, reader->error());
        return false;
    }
}

bool TMainForm::OpenDocument(const QString &path)
{
    if (TDocument *open = m_documents->findByPath(path)) {
        m_documents->setCurrent(open);
        return true;
    }
    // Checked first: a file that cannot be read leaves no empty tab behind.
    DocumentReader reader;
    if (!OpenReaderOrSay(path, &reader))
        return false;
    CreateTabSheetAndEditor();
    TDocument *document = ActiveDocument();
    if (LoadEditorFile(document->editor(), reader) != DocumentReader::Problem::None) {
        m_documents->close(document);
        ShowMessageKind(2, reader.error());
        return false;
    }
    document->setLossyRead(!reader.lossless());
    ShowOpenedFile(path, reader.encoding(), document);
    return true;
}

void TMainForm::ShowOpenedFile(const QString &path, const QString &encoding, TDocument *document)
{
    ResetTidyErrors();
    QsciScintilla *editor = document->editor();
    GetHighlihter(path, editor);
    document->setEncoding(encoding);
    ActualizeFileType();
    document->setLineBreak(EditorLineBreak(editor));
    if (!IsInRecentFiles(path, RecentFiles)) {
        AddToRecentFiles(path, RecentFiles);
        RecentFileListCreateMenu();
    }
    document->setPath(path);
    document->rememberFileState();
    MoveTemporaryCopy(QFileInfo(path).absolutePath() + "/");
    document->setModified(false);
    PreviewLoaded = 0;
    ActualizeStatusBar();
    SetCBCharset();
    editor->setFocus();
}

void TMainForm::OpenLastFiles(const QStringList &lastFiles)
{
    for (const QString &path : lastFiles)
        OpenDocument(path);
}

bool TMainForm::IsSameFile(const QString &path)
{
    return m_documents->findByPath(path) != nullptr;
}

void TMainForm::OpenTabOfTheFile(const QString &path)
{
    m_documents->setCurrent(m_documents->findByPath(path));
}

void TMainForm::GetHighlihter(const QString &path, QsciScintilla *editor)
{
    ApplyHighlighter(editor, DocumentText::GetHighlihter(path));
}

// The Encoding page's buttons with the encoding each stands for.
static QList<QPair<QRadioButton *, QString>> encodingButtons(const TMainForm *form)
{
    return {{form->RBAnsi, Ansi},
            {form->RBUtf8, Utf8},
            {form->RBUtf8Bom, Utf8Bom},
            {form->RBUtf16LE, LittleEndian},
            {form->RBUtf16BE, BigEndian}};
}

bool TMainForm::ConfirmEncodingHoldsText(TDocument *document)
{
    // Bytes of the file that did not decode are lost as surely as characters ANSI lacks.
    const bool ansi = document->encoding() == Ansi;
    if (!document->lossyRead() && (!ansi || Utf8FitsInAnsi(EditorBuffer(document->editor()))))
        return true;
    // ANSI writes "?"; a Unicode encoding writes the replacement character the editor shows.
    QString question = SSaveInUnicode;
    if (!ansi) {
        QString name = document->encoding();
        for (const auto &b : encodingButtons(this)) {
            if (b.second == document->encoding())
                name = b.first->text();
        }
        QByteArray mark;
        QByteArray replacement;
        EncodeText(QString(), document->encoding(), &mark);
        EncodeText(QString(QChar::ReplacementCharacter), document->encoding(), &replacement);
        question = FormatMessageText(SSaveUndecodedBytes,
                                     {name, QString::fromLatin1(replacement.mid(mark.size()).toHex(' ').toUpper())});
    }
    const auto answer = Dialogs().message(QMessageBox::Question, QStringLiteral("Confirmation"), question,
                                          QMessageBox::Ignore | QMessageBox::Cancel);
    return answer == QMessageBox::Ignore;
}

bool TMainForm::ConfirmReplacingChangedFile(TDocument *document)
{
    if (!document->fileChangedOutside())
        return true;
    const auto answer = Dialogs().message(QMessageBox::Warning, QStringLiteral("Confirmation"),
                                          FormatMessageText(SFileChangedOutside, {document->path()}),
                                          QMessageBox::Yes | QMessageBox::Cancel);
    return answer == QMessageBox::Yes;
}

bool TMainForm::MenuSaveClick()
{
    TDocument *document = ActiveDocument();
    if (!document)
        return false;
    bool saved = false;
    if (document->isUntitled()) {
        saved = SaveFileAs(document->fileName());
    } else if (QFileInfo::exists(document->path())) {
        // Save asks, as Save As does, before characters the encoding cannot hold are lost.
        saved = ConfirmReplacingChangedFile(document) && ConfirmEncodingHoldsText(document) &&
                SaveFileAsType(document->path(), document);
        if (saved) {
            document->setModified(false);
            document->rememberFileState();
        }
    } else {
        ShowMessageKind(3, SFileNotFound);
        saved = SaveFileAs(SaveAsProposal(document));
    }
    ActualizeStatusBar();
    return saved;
}

bool TMainForm::MenuSaveAsClick()
{
    TDocument *document = ActiveDocument();
    return document && SaveFileAs(SaveAsProposal(document));
}

bool TMainForm::SaveFileAs(const QString &proposed)
{
    TDocument *document = ActiveDocument();
    if (!document)
        return false;
    if (!ConfirmEncodingHoldsText(document))
        return false;
    const QFileInfo proposedInfo(proposed);
    // A named document's folder, even when its file is gone.
    const QString folder = proposedInfo.isAbsolute() && proposedInfo.dir().exists() ? proposedInfo.absolutePath() + "/"
                                                                                    : LastOpenFolder;
    int filterIndex = 1;
    QString path = Dialogs().saveFile(FSaveDialogTitle, folder + proposedInfo.fileName(), SaveDialogFilter, &filterIndex);
    if (path.isEmpty()) {
        ActualizeStatusBar();
        return false;
    }
    if (QFileInfo(path).suffix().isEmpty() && !NewDocExtension.isEmpty())
        path += "." + NewDocExtension;
    // Two tabs on one file would overwrite each other's saves.
    if (TDocument *other = m_documents->findByPath(path); other && other != document) {
        ShowMessageKind(3, FormatMessageText(SFileOpenInAnotherTab, {path}));
        ActualizeStatusBar();
        return false;
    }
    if (!ConfirmOverwrite(path) || !SaveFileAsType(path, document)) {
        ActualizeStatusBar();
        return false;
    }
    LastOpenFolder = QFileInfo(path).absolutePath() + "/";
    document->setPath(path);
    document->rememberFileState();
    document->setModified(false);
    GetHighlihter(path, document->editor());
    ActualiseSynEditStatus();
    if (!IsInRecentFiles(path, RecentFiles)) {
        AddToRecentFiles(path, RecentFiles);
        RecentFileListCreateMenu();
    }
    ActualizeStatusBar();
    return true;
}

bool TMainForm::SaveFileAsType(const QString &path, TDocument *document)
{
    QString error;
    if (!SaveUtf8AsType(path, EditorBuffer(document->editor()), document->encoding(), &error)) {
        // The document keeps its text and its modified mark.
        ShowMessageKind(2, error);
        return false;
    }
    // The file now holds what the document holds.
    document->setLossyRead(false);
    return true;
}

void TMainForm::ShowFileType(const QString &encoding)
{
    if (TDocument *document = ActiveDocument())
        document->setEncoding(encoding);
    ActualizeFileType();
}

void TMainForm::ActualizeFileType()
{
    const QString name = ActiveDocument() ? ActiveDocument()->encoding() : QString();
    for (const auto &b : encodingButtons(this)) {
        b.first->setAutoExclusive(false);
        b.first->setChecked(b.second == name);
        b.first->setAutoExclusive(true);
    }
}

void TMainForm::EncodingRadioClick(const QString &encoding)
{
    // The text is not converted: the next save writes in this encoding.
    if (TDocument *document = ActiveDocument())
        document->chooseEncoding(encoding);
    ActualiseSynEditStatus();
    ActualizeStatusBar();
}

namespace {
// Charset declarations lie among the first lines of a page.
constexpr int CharsetLinesExamined = 102;
constexpr qsizetype CharsetHeadBytes = 1024 * 1024;

QString HeadText(QsciScintilla *editor)
{
    const QByteArrayView buffer = EditorBuffer(editor);
    return Utf8Text(buffer.first(HeadLength(buffer, CharsetLinesExamined, CharsetHeadBytes)));
}
} // namespace

void TMainForm::SetCBCharset()
{
    TDocument *document = ActiveDocument();
    if (!document)
        return;
    const int index = DocumentText::SetCBCharset(HeadText(document->editor()));
    if (index != NoCharsetChange) {
        CBCharset->blockSignals(true);
        CBCharset->setCurrentIndex(index);
        CBCharset->blockSignals(false);
    }
}

void TMainForm::CBCharsetChange()
{
    TDocument *document = ActiveDocument();
    if (!document)
        return;
    QsciScintilla *editor = document->editor();
    const QByteArrayView buffer = EditorBuffer(editor);
    const qsizetype headLength = HeadLength(buffer, CharsetLinesExamined, CharsetHeadBytes);
    QString newHead;
    if (!ReplaceCharsetInDocument(Utf8Text(buffer.first(headLength)), CBCharset->currentText(), &newHead))
        return;
    int line = 0;
    int index = 0;
    editor->getCursorPosition(&line, &index);
    // Only the head changes; the rest of a large page is not copied.
    const QByteArray bytes = newHead.toUtf8();
    editor->beginUndoAction();
    editor->SendScintilla(QsciScintillaBase::SCI_SETTARGETRANGE, 0UL, static_cast<long>(headLength));
    editor->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()),
                          bytes.constData());
    editor->endUndoAction();
    editor->setCursorPosition(line, index);
    document->setModified(true);
}

void TMainForm::RecentFileListCreateMenu()
{
    MenuRecentFiles->clear();
    int position = 0;
    for (int slot = 0; slot < 10; ++slot) {
        if (RecentFiles[slot].isEmpty())
            continue;
        ++position;
        QAction *item = MenuRecentFiles->addAction(QStringLiteral("%1. %2").arg(position).arg(
            ShortenPathForMenu(RecentFiles[slot], 50)));
        item->setObjectName(QStringLiteral("ItemRecentFiles_%1").arg(position - 1));
        connect(item, &QAction::triggered, this, [this, position] { ItemRecentFilesClick(position - 1); });
    }
    MenuRecentFiles->setEnabled(position > 0);
    if (position > 0) {
        MenuRecentFiles->addSeparator();
        QAction *erase = MenuRecentFiles->addAction(QStringLiteral("Erase Recent Files List"));
        erase->setObjectName("EraseRecentFiles");
        connect(erase, &QAction::triggered, this, &TMainForm::EraseRecentFilesClick);
    }
}

void TMainForm::ItemRecentFilesClick(int position)
{
    // The position among the filled slots names the slot.
    int filled = -1;
    QString path;
    for (const QString &slot : RecentFiles) {
        if (!slot.isEmpty() && ++filled == position) {
            path = slot;
            break;
        }
    }
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    OpenDocument(path);
}

void TMainForm::EraseRecentFilesClick()
{
    for (QString &slot : RecentFiles)
        slot.clear();
    MenuRecentFiles->clear();
    MenuRecentFiles->setEnabled(false);
}
