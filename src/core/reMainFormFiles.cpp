// New, open and save: templates, encodings, charset declarations, recent files.
#include "core/reMainForm.h"
#include "dialogs/MessageBoxes.h"

#include "util/DocumentText.h"
#include "documents/EditorText.h"
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
} // namespace

QStringList TMainForm::DocumentPaths() const
{
    QStringList paths;
    for (int i = 1; i < PageControlMemos->count(); ++i)
        paths << PageControlMemos->widget(i)->toolTip();
    return paths;
}

void TMainForm::MenuNewDocClick(QObject *sender)
{
    ResetAndNew();
    CreateTabSheetAndEditor();
    ++UntitledCount;
    const NewDocKind kind = kindOfSender(sender);
    NewDocExtension = DocumentText::NewDocExtension(kind);
    ApplyHighlighter(ActiveSynEdit, HighlighterKind::Multi);
    LoadEditorText(ActiveSynEdit, NewDocTemplate(kind, LanguageCode));
    // The templates declare UTF-8, so the document is written in UTF-8.
    ShowFileType(Utf8);
    ActiveSynEdit->setModified(false);
    PageControlMemos->setTabText(PageControlMemos->indexOf(ActiveContainer),
                                 UntitledCaption(SUntitled, UntitledCount, kind));
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
    if (IsSameFile(path)) {
        OpenTabOfTheFile(path);
        return;
    }
    LastOpenFolder = QFileInfo(path).absolutePath() + "/";
    CreateTabSheetAndEditor();
    OpenFile(path);
    OpenTabOfTheFile(path);
}

bool TMainForm::OpenFile(const QString &path)
{
    ResetTidyErrors();
    if (!ActiveSynEdit)
        return false;
    GetHighlihter(path, ActiveSynEdit);
    QString text;
    QString encoding;
    QString error;
    if (!LoadDocument(path, &text, &encoding, &error)) {
        // The tab stays, empty; the user learns why.
        ShowMessageKind(2, error);
        return false;
    }
    ShowFileType(encoding);
    LoadEditorText(ActiveSynEdit, text);
    if (!IsInRecentFiles(path, RecentFiles)) {
        AddToRecentFiles(path, RecentFiles);
        RecentFileListCreateMenu();
    }
    PageControlMemos->setTabText(PageControlMemos->indexOf(ActiveContainer), QFileInfo(path).fileName());
    ActiveContainer->setToolTip(path);
    MoveTemporaryCopy(QFileInfo(path).absolutePath() + "/");
    ActiveSynEdit->setModified(false);
    PreviewLoaded = 0;
    ActualizeStatusBar();
    SetCBCharset();
    ActiveSynEdit->setFocus();
    return true;
}

void TMainForm::MoveTemporaryCopy(const QString &folder)
{
    const QString newPath = folder + TmpDocName;
    if (newPath == TmpDocFile)
        return;
    if (!TmpDocFile.isEmpty() && QFileInfo::exists(TmpDocFile))
        QFile::remove(TmpDocFile);
    TmpDocFile = newPath;
}

void TMainForm::OpenLastFiles(const QString &lastFilesList)
{
    const QStringList paths = QString(lastFilesList).replace(';', '\n').split('\n', Qt::SkipEmptyParts);
    for (const QString &path : paths) {
        CreateTabSheetAndEditor();
        OpenFile(path);
    }
}

bool TMainForm::IsSameFile(const QString &path)
{
    return DocumentText::IsSameFile(DocumentPaths(), path);
}

void TMainForm::OpenTabOfTheFile(const QString &path)
{
    const int index = IndexOfSameFile(DocumentPaths(), path);
    if (index >= 0)
        PageControlMemos->setCurrentIndex(index + 1);
}

void TMainForm::GetHighlihter(const QString &path, QsciScintilla *editor)
{
    ApplyHighlighter(editor, DocumentText::GetHighlihter(path));
}

bool TMainForm::MenuSaveClick()
{
    if (!DocumentPageInFront() || !ActiveSynEdit)
        return false;
    const QString path = ActiveContainer->toolTip();
    bool saved = false;
    if (path.isEmpty()) {
        saved = SaveFileAs(PageControlMemos->tabText(PageControlMemos->indexOf(ActiveContainer)));
    } else if (QFileInfo::exists(path)) {
        saved = SaveFileAsType(path, ActiveSynEdit);
        if (saved) {
            ActiveSynEdit->setModified(false);
            SetContainerImage(ActiveContainer, 0);
        }
    } else {
        ShowMessageKind(3, SFileNotFound);
        saved = SaveFileAs(QFileInfo(path).fileName());
    }
    ActualizeStatusBar();
    return saved;
}

bool TMainForm::MenuSaveAsClick()
{
    if (!DocumentPageInFront() || !ActiveSynEdit)
        return false;
    const QString path = ActiveContainer->toolTip();
    return SaveFileAs(path.isEmpty() ? PageControlMemos->tabText(PageControlMemos->indexOf(ActiveContainer))
                                     : QFileInfo(path).fileName());
}

bool TMainForm::SaveFileAs(const QString &proposed)
{
    if (!DocumentPageInFront() || !ActiveSynEdit)
        return false;
    const QString encoding = ActiveLabelFileType ? ActiveLabelFileType->text() : QString();
    if (encoding == Ansi && !FitsInAnsi(EditorText(ActiveSynEdit))) {
        const auto answer = Dialogs().message(QMessageBox::Question, QStringLiteral("Confirmation"), SSaveInUnicode,
                                              QMessageBox::Ignore | QMessageBox::Cancel);
        if (answer != QMessageBox::Ignore)
            return false;
    }
    const QFileInfo proposedInfo(proposed);
    const QString folder = proposedInfo.isAbsolute() && proposedInfo.exists() ? proposedInfo.absolutePath() + "/"
                                                                              : LastOpenFolder;
    int filterIndex = 1;
    QString path = Dialogs().saveFile(FSaveDialogTitle, folder + proposedInfo.fileName(), SaveDialogFilter, &filterIndex);
    if (path.isEmpty()) {
        ActualizeStatusBar();
        return false;
    }
    if (QFileInfo(path).suffix().isEmpty() && !NewDocExtension.isEmpty())
        path += "." + NewDocExtension;
    if (!ConfirmOverwrite(path)) {
        ActualizeStatusBar();
        return false;
    }
    if (!SaveFileAsType(path, ActiveSynEdit)) {
        ActualizeStatusBar();
        return false;
    }
    LastOpenFolder = QFileInfo(path).absolutePath() + "/";
    ActiveContainer->setToolTip(path);
    PageControlMemos->setTabText(PageControlMemos->indexOf(ActiveContainer), QFileInfo(path).fileName());
    ActiveSynEdit->setModified(false);
    SetContainerImage(ActiveContainer, 0);
    GetHighlihter(path, ActiveSynEdit);
    ActualiseSynEditStatus();
    if (!IsInRecentFiles(path, RecentFiles)) {
        AddToRecentFiles(path, RecentFiles);
        RecentFileListCreateMenu();
    }
    ActualizeStatusBar();
    return true;
}

bool TMainForm::SaveFileAsType(const QString &path, QsciScintilla *editor)
{
    const QString encoding = ActiveLabelFileType ? ActiveLabelFileType->text() : QString();
    QString error;
    if (!DocumentText::SaveFileAsType(path, EditorText(editor), encoding, &error)) {
        // The document keeps its text and its modified mark.
        ShowMessageKind(2, error);
        return false;
    }
    return true;
}

void TMainForm::ShowFileType(const QString &encoding)
{
    if (ActiveLabelFileType)
        ActiveLabelFileType->setText(encoding);
    ActualizeFileType();
}

void TMainForm::ActualizeFileType()
{
    const QString name = ActiveLabelFileType ? ActiveLabelFileType->text() : QString();
    const QList<QPair<QRadioButton *, QString>> buttons = {
        {RBAnsi, Ansi}, {RBUtf8, Utf8}, {RBUtf8Bom, Utf8Bom}, {RBUtf16LE, LittleEndian}, {RBUtf16BE, BigEndian}};
    for (const auto &b : buttons) {
        b.first->setAutoExclusive(false);
        b.first->setChecked(b.second == name);
        b.first->setAutoExclusive(true);
    }
}

void TMainForm::EncodingRadioClick(const QString &encoding)
{
    // Only the label changes: the next save writes in this encoding.
    if (ActiveLabelFileType)
        ActiveLabelFileType->setText(encoding);
    ActualizeStatusBar();
}

void TMainForm::SetCBCharset()
{
    if (!ActiveSynEdit)
        return;
    const int index = DocumentText::SetCBCharset(EditorText(ActiveSynEdit));
    if (index != NoCharsetChange) {
        CBCharset->blockSignals(true);
        CBCharset->setCurrentIndex(index);
        CBCharset->blockSignals(false);
    }
}

void TMainForm::CBCharsetChange()
{
    if (!ActiveSynEdit || !DocumentPageInFront())
        return;
    QString newText;
    if (!ReplaceCharsetInDocument(EditorText(ActiveSynEdit), CBCharset->currentText(), &newText))
        return;
    int line = 0;
    int index = 0;
    ActiveSynEdit->getCursorPosition(&line, &index);
    SetEditorText(ActiveSynEdit, newText);
    ActiveSynEdit->setCursorPosition(line, index);
    ActiveSynEdit->setModified(true);
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
    if (!IsSameFile(path)) {
        CreateTabSheetAndEditor();
        OpenFile(path);
    }
    OpenTabOfTheFile(path);
}

void TMainForm::EraseRecentFilesClick()
{
    for (QString &slot : RecentFiles)
        slot.clear();
    MenuRecentFiles->clear();
    MenuRecentFiles->setEnabled(false);
}
