#include "documents/DocumentFiles.h"

#include "dialogs/MessageBoxes.h"
#include "dialogs/UserDialogs.h"
#include "documents/DocumentFile.h"
#include "documents/TDocument.h"
#include "documents/TDocumentTabs.h"
#include "program/MessagesKandrix.h"
#include "util/DocumentStream.h"
#include "util/DocumentText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <Qsci/qsciscintilla.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

using namespace DocumentText;

namespace {
FileOutcome outcomeOf(TDocument *document, FileOutcome::Result result, const QString &reason = QString())
{
    FileOutcome outcome;
    outcome.result = result;
    outcome.reason = reason;
    outcome.document = document;
    return outcome;
}

FileOutcome failed(TDocument *document, int messageKind, const QString &reason)
{
    ShowMessageKind(messageKind, reason);
    return outcomeOf(document, FileOutcome::Result::Failed, reason);
}

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath() + "/";
}

// Charset declarations lie among the first lines of a page.
constexpr int CharsetLinesExamined = 102;
constexpr qsizetype CharsetHeadBytes = 1024 * 1024;
} // namespace

DocumentFiles::DocumentFiles(TDocumentTabs *tabs, RecentFileSlots &recent, NewDocument newDocument, QObject *parent)
    : QObject(parent), m_tabs(tabs), m_recent(recent), m_newDocument(std::move(newDocument))
{
    if (!m_newDocument)
        m_newDocument = [this] { return m_tabs->create(false); };
}

void DocumentFiles::setEncodingCaption(std::function<QString(const QString &)> caption)
{
    m_encodingCaption = std::move(caption);
}

void DocumentFiles::addToRecentFiles(const QString &path)
{
    if (IsInRecentFiles(path, m_recent))
        return;
    AddToRecentFiles(path, m_recent);
    emit recentFilesChanged();
}

QString DocumentFiles::SaveAsProposal(const TDocument *document)
{
    return document->isUntitled() ? document->fileName() : document->path();
}

FileOutcome DocumentFiles::OpenDocument(const QString &path)
{
    if (TDocument *open = m_tabs->findByPath(path)) {
        m_tabs->setCurrent(open);
        return outcomeOf(open, FileOutcome::Result::Done);
    }
    // Checked first: a file that cannot be read leaves no empty tab behind.
    DocumentReader reader;
    switch (reader.open(path)) {
    case DocumentReader::Problem::None:
        break;
    case DocumentReader::Problem::TooLarge:
        return failed(nullptr, 2, FormatMessageText(SFileTooLarge, {path}));
    default:
        return failed(nullptr, 2, reader.error());
    }
    TDocument *document = m_newDocument();
    QsciScintilla *editor = document->editor();
    if (LoadEditorFile(editor, reader) != DocumentReader::Problem::None) {
        m_tabs->close(document);
        return failed(nullptr, 2, reader.error());
    }
    document->setLossyRead(!reader.lossless());
    document->setHighlighter(GetHighlihter(path));
    document->setEncoding(reader.encoding());
    document->setLineBreak(EditorLineBreak(editor));
    addToRecentFiles(path);
    document->setPath(path);
    document->rememberFileState();
    document->setModified(false);
    document->setPreviewLoaded(false);
    FileOutcome outcome = outcomeOf(document, FileOutcome::Result::Done);
    outcome.read = true;
    return outcome;
}

FileOutcome DocumentFiles::OpenThroughDialog(const QString &start, const QString &filter)
{
    int filterIndex = 1;
    const QStringList chosen = Dialogs().openFiles(FOpenDialogTitle, start, filter, &filterIndex, false);
    if (chosen.isEmpty())
        return outcomeOf(nullptr, FileOutcome::Result::Cancelled);
    FileOutcome outcome = OpenDocument(chosen.first());
    outcome.chosenPath = chosen.first();
    return outcome;
}

bool DocumentFiles::ConfirmEncodingHoldsText(TDocument *document)
{
    // Bytes of the file that did not decode are lost as surely as characters ANSI lacks.
    const bool ansi = document->encoding() == Ansi;
    if (!document->lossyRead() && (!ansi || Utf8FitsInAnsi(EditorBuffer(document->editor()))))
        return true;
    // ANSI writes "?"; a Unicode encoding writes the replacement character the editor shows.
    QString question = SSaveInUnicode;
    if (!ansi) {
        const QString name = m_encodingCaption ? m_encodingCaption(document->encoding()) : document->encoding();
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

bool DocumentFiles::ConfirmReplacingChangedFile(TDocument *document)
{
    if (!document->fileChangedOutside())
        return true;
    const auto answer = Dialogs().message(QMessageBox::Warning, QStringLiteral("Confirmation"),
                                          FormatMessageText(SFileChangedOutside, {document->path()}),
                                          QMessageBox::Yes | QMessageBox::Cancel);
    return answer == QMessageBox::Yes;
}

FileOutcome DocumentFiles::MenuSave(TDocument *document, const FileDialogSettings &settings)
{
    if (!document)
        return outcomeOf(nullptr, FileOutcome::Result::Cancelled);
    if (document->isUntitled())
        return SaveFileAs(document, document->fileName(), settings);
    if (!QFileInfo::exists(document->path())) {
        ShowMessageKind(3, SFileNotFound);
        return SaveFileAs(document, SaveAsProposal(document), settings);
    }
    // Save asks, as Save As does, before characters the encoding cannot hold are lost.
    if (!ConfirmReplacingChangedFile(document) || !ConfirmEncodingHoldsText(document))
        return outcomeOf(document, FileOutcome::Result::Cancelled);
    FileOutcome outcome = SaveFileAsType(document->path(), document);
    if (outcome.done()) {
        document->setModified(false);
        document->rememberFileState();
    }
    return outcome;
}

FileOutcome DocumentFiles::SaveFileAs(TDocument *document, const QString &proposed, const FileDialogSettings &settings)
{
    if (!document || !ConfirmEncodingHoldsText(document))
        return outcomeOf(document, FileOutcome::Result::Cancelled);
    const QFileInfo proposedInfo(proposed);
    // A named document's folder, even when its file is gone.
    const QString folder = proposedInfo.isAbsolute() && proposedInfo.dir().exists() ? proposedInfo.absolutePath() + "/"
                                                                                    : settings.lastOpenFolder;
    int filterIndex = 1;
    QString path = Dialogs().saveFile(FSaveDialogTitle, folder + proposedInfo.fileName(), settings.saveFilter, &filterIndex);
    FileOutcome outcome = outcomeOf(document, FileOutcome::Result::Cancelled);
    if (!path.isEmpty()) {
        if (QFileInfo(path).suffix().isEmpty() && !settings.defaultExtension.isEmpty())
            path += "." + settings.defaultExtension;
        // Two tabs on one file would overwrite each other's saves.
        if (TDocument *other = m_tabs->findByPath(path); other && other != document)
            outcome = failed(document, 3, FormatMessageText(SFileOpenInAnotherTab, {path}));
        else if (ConfirmOverwrite(path))
            outcome = SaveFileAsType(path, document);
    }
    outcome.dialogShown = true;
    if (!outcome.done())
        return outcome;
    outcome.chosenPath = path;
    document->setPath(path);
    document->rememberFileState();
    document->setModified(false);
    document->setHighlighter(GetHighlihter(path));
    addToRecentFiles(path);
    return outcome;
}

FileOutcome DocumentFiles::SaveFileAsType(const QString &path, TDocument *document)
{
    QString error;
    // The document keeps its text and its modified mark.
    if (!SaveUtf8AsType(path, EditorBuffer(document->editor()), document->encoding(), &error))
        return failed(document, 2, error);
    // The file now holds what the document holds.
    document->setLossyRead(false);
    emit saved(document, path);
    return outcomeOf(document, FileOutcome::Result::Done);
}

FileOutcome DocumentFiles::SaveBeforeExit(TDocument *document, const FileDialogSettings &settings)
{
    if (!document || !document->isModified())
        return outcomeOf(document, FileOutcome::Result::Done);
    const QString text = FormatMessageText(SWarningSaveChanges, {document->fileName()});
    const auto answer = Dialogs().message(QMessageBox::Question, QStringLiteral("Confirmation"), text,
                                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return outcomeOf(document, FileOutcome::Result::Cancelled);
    if (answer != QMessageBox::Yes)
        return outcomeOf(document, FileOutcome::Result::Done);
    // The document the dialog is about comes to the front. A save that is cancelled or
    // fails keeps the document, and its text, open.
    m_tabs->setCurrent(document);
    return SaveFileAs(document, SaveAsProposal(document), settings);
}

FileOutcome DocumentFiles::Rename(TDocument *document)
{
    if (!document || document->isUntitled())
        return outcomeOf(document, FileOutcome::Result::Cancelled);
    const QString oldPath = document->path();
    QString name = QFileInfo(oldPath).fileName();
    if (!Dialogs().inputText(SRenameFile, SEnterNewNameFile, &name))
        return outcomeOf(document, FileOutcome::Result::Cancelled);
    const QString newPath = folderOf(oldPath) + name;
    QString reason;
    if (QFileInfo::exists(newPath) && newPath != oldPath) {
        reason = QString::fromLocal8Bit(std::strerror(EEXIST));
    } else if (std::rename(QFile::encodeName(oldPath).constData(), QFile::encodeName(newPath).constData()) != 0) {
        reason = QString::fromLocal8Bit(std::strerror(errno));
    }
    if (!reason.isEmpty())
        return failed(document, 0, FormatMessageText(SErrorRename, {reason}));
    // Only the name changes: edits not yet saved stay marked as such.
    document->rename(newPath);
    RenameInRecentFiles(oldPath, newPath, m_recent);
    emit recentFilesChanged();
    return outcomeOf(document, FileOutcome::Result::Done);
}

namespace {
QString HeadText(QsciScintilla *editor)
{
    const QByteArrayView buffer = EditorBuffer(editor);
    return Utf8Text(buffer.first(HeadLength(buffer, CharsetLinesExamined, CharsetHeadBytes)));
}
} // namespace

int DocumentFiles::DeclaredCharsetIndex(TDocument *document)
{
    return SetCBCharset(HeadText(document->editor()));
}

bool DocumentFiles::ReplaceDeclaredCharset(TDocument *document, const QString &charset)
{
    QsciScintilla *editor = document->editor();
    const QByteArrayView buffer = EditorBuffer(editor);
    const qsizetype headLength = HeadLength(buffer, CharsetLinesExamined, CharsetHeadBytes);
    QString newHead;
    if (!ReplaceCharsetInDocument(Utf8Text(buffer.first(headLength)), charset, &newHead))
        return false;
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
    return true;
}
