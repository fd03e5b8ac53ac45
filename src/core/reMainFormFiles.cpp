// New, open and save: templates, the Encoding page, charset declarations, recent files.
// The file work is the documents'; these handlers show what came of it.
#include "core/reMainForm.h"

#include "documents/DocumentFiles.h"
#include "documents/EditorText.h"
#include "documents/RecentFilesMenu.h"
#include "documents/TDocument.h"
#include "documents/TDocumentTabs.h"
#include "core/Highlighters.h"
#include "program/MessagesKandrix.h"
#include "program/uDivStartVK.h"
#include "util/DocumentText.h"
#include "util/ManageOpenFileList.h"

#include <QComboBox>
#include <QFileInfo>
#include <QRadioButton>
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
} // namespace

QList<QPair<QRadioButton *, QString>> TMainForm::EncodingButtons() const
{
    return {{RBAnsi, Ansi}, {RBUtf8, Utf8}, {RBUtf8Bom, Utf8Bom}, {RBUtf16LE, LittleEndian}, {RBUtf16BE, BigEndian}};
}

void TMainForm::MenuNewDocClick(QObject *sender)
{
    ResetAndNew();
    CreateTabSheetAndEditor();
    TDocument *document = ActiveDocument();
    const NewDocKind kind = kindOfSender(sender);
    m_newDocExtension = DocumentText::NewDocExtension(kind);
    document->setHighlighter(HighlighterKind::Multi);
    LoadEditorText(document->editor(), NewDocTemplate(kind, m_settings.Language));
    document->setLineBreak(TDocument::LineBreak::LF);
    // The templates declare UTF-8, so the document is written in UTF-8.
    document->setEncoding(Utf8);
    ActualizeFileType();
    document->setModified(false);
    document->setUntitledCaption(UntitledCaption(SUntitled, m_documents->takeUntitledNumber(), kind));
    ActualizeStatusBar();
    SetCBCharset();
}

void TMainForm::buildDocumentFiles()
{
    m_files = new DocumentFiles(m_documents, m_settings.RecentFiles, [this] {
        CreateTabSheetAndEditor();
        return ActiveDocument();
    }, this);
    m_files->setObjectName("DocumentFiles");
    m_files->setEncodingCaption([this](const QString &encoding) {
        for (const auto &b : EncodingButtons()) {
            if (b.second == encoding)
                return b.first->text();
        }
        return encoding;
    });
    m_recentMenu = new TRecentFilesMenu(MenuRecentFiles, m_settings.RecentFiles, this);
    connect(m_files, &DocumentFiles::recentFilesChanged, this, &TMainForm::RecentFileListCreateMenu);
    connect(m_recentMenu, &TRecentFilesMenu::chosen, this, &TMainForm::ItemRecentFilesClick);
    connect(m_recentMenu, &TRecentFilesMenu::eraseChosen, this, &TMainForm::EraseRecentFilesClick);
}

FileDialogSettings TMainForm::FileSettings() const
{
    return {m_settings.LastOpenFolder, OpenDialogFilter, SaveDialogFilter, m_newDocExtension};
}

void TMainForm::MenuOpenClick()
{
    OpenThroughDialog(QString());
}

void TMainForm::MenuBlankWebsiteTemplateClick()
{
    OpenThroughDialog(Paths().TemplatesDir + "index.php");
}

void TMainForm::OpenThroughDialog(const QString &presetFile)
{
    const FileOutcome outcome = m_files->OpenThroughDialog(presetFile.isEmpty() ? m_settings.LastOpenFolder : presetFile,
                                                           OpenDialogFilter);
    // The folder of a file that was not open already, whether it opens or not.
    if (!outcome.chosenPath.isEmpty() && (outcome.read || !outcome.done()))
        m_settings.LastOpenFolder = QFileInfo(outcome.chosenPath).absolutePath() + "/";
    Opened(outcome);
}

bool TMainForm::OpenDocument(const QString &path)
{
    return Opened(m_files->OpenDocument(path));
}

bool TMainForm::Opened(const FileOutcome &outcome)
{
    if (outcome.read)
        ShowOpenedFile(outcome.document);
    return outcome.done();
}

void TMainForm::ShowOpenedFile(TDocument *document)
{
    ResetTidyErrors();
    ActualizeFileType();
    MoveTemporaryCopy(QFileInfo(document->path()).absolutePath() + "/");
    ActualizeStatusBar();
    SetCBCharset();
    document->editor()->setFocus();
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

bool TMainForm::MenuSaveClick()
{
    TDocument *document = ActiveDocument();
    if (!document)
        return false;
    const bool saved = SavedAs(m_files->MenuSave(document, FileSettings()));
    ActualizeStatusBar();
    return saved;
}

bool TMainForm::MenuSaveAsClick()
{
    TDocument *document = ActiveDocument();
    return document && SaveFileAs(DocumentFiles::SaveAsProposal(document));
}

bool TMainForm::SaveFileAs(const QString &proposed)
{
    return SavedAs(m_files->SaveFileAs(ActiveDocument(), proposed, FileSettings()));
}

bool TMainForm::SavedAs(const FileOutcome &outcome)
{
    if (!outcome.chosenPath.isEmpty()) {
        m_settings.LastOpenFolder = QFileInfo(outcome.chosenPath).absolutePath() + "/";
        ActualiseSynEditStatus();
    }
    // Questions answered before the save dialog leave the status bar as it was.
    if (outcome.dialogShown)
        ActualizeStatusBar();
    return outcome.done();
}

bool TMainForm::SaveFileAsType(const QString &path, TDocument *document)
{
    return m_files->SaveFileAsType(path, document).done();
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
    for (const auto &b : EncodingButtons()) {
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

void TMainForm::SetCBCharset()
{
    TDocument *document = ActiveDocument();
    if (!document)
        return;
    const int index = DocumentFiles::DeclaredCharsetIndex(document);
    if (index != NoCharsetChange) {
        CBCharset->blockSignals(true);
        CBCharset->setCurrentIndex(index);
        CBCharset->blockSignals(false);
    }
}

void TMainForm::CBCharsetChange()
{
    if (TDocument *document = ActiveDocument())
        DocumentFiles::ReplaceDeclaredCharset(document, CBCharset->currentText());
}

void TMainForm::RecentFileListCreateMenu()
{
    m_recentMenu->Rebuild();
}

void TMainForm::ItemRecentFilesClick(int position)
{
    const QString path = m_recentMenu->FileAt(position);
    if (!path.isEmpty())
        OpenDocument(path);
}

void TMainForm::EraseRecentFilesClick()
{
    m_recentMenu->Erase();
}
