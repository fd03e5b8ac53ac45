#include "core/ValidationPart.h"

#include "core/ErrorPanel.h"
#include "core/TidyConfigPage.h"
#include "dialogs/MessageBoxes.h"
#include "documents/CleanBackup.h"
#include "documents/DocumentFile.h"
#include "documents/EditorText.h"
#include "documents/TDocument.h"
#include "program/MessagesKandrix.h"
#include "program/uDivStartVK.h"
#include "util/DocumentText.h"
#include "util/uDivFiles.h"
#include "validation/TidyRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextEdit>
#include <Qsci/qsciscintilla.h>

namespace {
// Tags the clean's step in the editor's undo history.
constexpr int CleanUndoMark = 0x434C4E;

// The editor's own text, not a copy: nothing changes it while Tidy runs.
QByteArray EditorBytes(QsciScintilla *editor)
{
    const QByteArrayView buffer = EditorBuffer(editor);
    return QByteArray::fromRawData(buffer.data(), buffer.size());
}
} // namespace

TValidationPart::TValidationPart(TTidyConfigPage *page, TErrorPanel *panel, std::unique_ptr<TValidationFrame> frame,
                                 QObject *parent)
    : QObject(parent), m_page(page), m_panel(panel), m_frame(std::move(frame)), m_copy(Paths().TmpDir, Paths().TmpDocName)
{
    setObjectName("ValidationPart");
}

TValidationPart::~TValidationPart() = default;

void TValidationPart::Analyze(TDocument *document, int tidyVersion)
{
    if (!document)
        return;
    document->showEditorPage();
    if (!m_panel->isVisible())
        m_frame->ShowErrorPanel();
    CallTidy(document, 0, tidyVersion);
}

void TValidationPart::Clean(TDocument *document, int tidyVersion)
{
    if (!document)
        return;
    document->showEditorPage();
    // The backup holds the text exactly, whatever the document's encoding.
    QString error;
    if (!CleanBackup(Paths().BeforeCleanFile).Write(document, &error)) {
        ShowMessageKind(2, error);
        return;
    }
    m_cleanedDocument = document;
    CallTidy(document, 1, tidyVersion);
}

void TValidationPart::UndoClean(TDocument *document)
{
    // The backup belongs to the document that was cleaned.
    const CleanBackup backup(Paths().BeforeCleanFile);
    if (!document || document != m_cleanedDocument || !backup.Exists())
        return;
    // Undone in the editor, the document is modified exactly when its text differs from the
    // last saved one, whether or not it was saved since the clean.
    if (!UndoPastMark(document->editor(), CleanUndoMark)) {
        QString error;
        const std::optional<QString> text = backup.Read(&error);
        if (!text) {
            ShowMessageKind(2, error);
            return;
        }
        if (*text != document->text())
            SetEditorText(document->editor(), *text);
    }
    m_panel->reset();
    m_frame->ActualizeStatusBar();
}

void TValidationPart::NewTmpFile(TDocument *document)
{
    MoveTemporaryCopy(!document || document->isUntitled() ? Paths().TmpDir : QFileInfo(document->path()).absolutePath() + "/");
}

void TValidationPart::MoveTemporaryCopy(const QString &folder)
{
    m_copy.MoveTo(folder);
}

QString TValidationPart::WriteTemporaryCopy(TDocument *document)
{
    NewTmpFile(document);
    QString error;
    const auto write = [&](const QString &path) {
        return WriteTidyCopy(path, EditorBuffer(document->editor()), document->encoding(), nullptr, &error);
    };
    if (!m_copy.Write(write)) {
        ShowMessageKind(2, error);
        return QString();
    }
    return m_copy.Path();
}

void TValidationPart::DeleteTemporaryFiles()
{
    m_copy.Remove();
    for (const QString &path : {Paths().StderrFile, Paths().TidyConfigTmpFile, Paths().AppPath + "stderr.txt", Paths().BeforeCleanFile}) {
        if (!path.isEmpty() && QFileInfo::exists(path))
            QFile::remove(path);
    }
}

void TValidationPart::CallTidy(TDocument *document, int mode, int tidyVersion)
{
    if (!document)
        return;
    QsciScintilla *editor = document->editor();
    if (!editor || EditorBuffer(editor).isEmpty())
        return;
    if (!m_page->HasConfigurationChosen()) {
        ShowMessageKind(0, SNoConfigFileFound);
        return;
    }
    const bool tidy4 = tidyVersion == 4;
    if (tidy4 && EditorBytes(editor).contains("<!DOCTYPE html>")) {
        ShowMessageKind(0, SSelectTidy5);
        return;
    }
    m_frame->ShowRunWaiting();
    m_panel->reset();
    m_panel->info()->clear();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    const QString exe = tidy4 ? Paths().Tidy4Exe : Paths().Tidy5Exe;
    if (!QFileInfo::exists(exe)) {
        // The whole path: the bare name "tidy" does not say which version is missing, nor where.
        ShowMessageKind(0, FormatMessageText(SStringNotFound, {QDir::toNativeSeparators(exe)}));
        // No run happened: "Please wait" must not stay in place of the encoding.
        m_frame->ActualizeStatusBar();
        if (document->editor())
            m_frame->ShowCaretStatus(document->editor());
        return;
    }
    NewTmpFile(document);

    TidyRunRequest request;
    request.executable = exe;
    request.tidyVersion = tidy4 ? 4 : 5;
    request.clean = mode == 1;
    request.utf8 = EditorBytes(editor);
    request.encoding = document->encoding();
    request.lineBreak = document->lineBreakText();
    request.options = m_page->Configuration();
    request.model = &m_page->Options();
    request.configPath = Paths().TidyConfigTmpFile;
    request.reportPath = Paths().StderrFile;
    request.timeoutMs = m_timeoutMs;
    TidyRunResult result;
    m_copy.Write([&](const QString &copy) {
        request.copyPath = copy;
        result = RunTidy(request);
        return result.outcome != TidyRunOutcome::CopyNotWritten;
    });

    switch (result.outcome) {
    case TidyRunOutcome::ConfigNotWritten:
    case TidyRunOutcome::CopyNotWritten:
        ShowMessageKind(2, result.error);
        m_frame->ActualizeStatusBar();
        return;
    case TidyRunOutcome::NotStarted:
    case TidyRunOutcome::TimedOut:
        ShowMessageKind(0, STidyTimeOut);
        break;
    default:
        break;
    }
    LoadGridErrors(result, document, request.tidyVersion);
    if (result.outcome == TidyRunOutcome::Crashed)
        ShowMessageKind(2, FormatMessageText(STidyCrashed, {QString::number(result.exitSignal)}));
    else if (result.outcome == TidyRunOutcome::AbnormalExit)
        ShowMessageKind(2, FormatMessageText(STidyExitStatus, {QString::number(result.exitStatus)}));

    if (mode == 1 && document->editor()) {
        if (result.rewritten) {
            SetEditorText(document->editor(), result.cleanedText, CleanUndoMark);
        } else if (result.refused) {
            ShowMessageKind(0, SCleanRefused);
        } else if (result.emptied) {
            ShowMessageKind(2, SCleanEmptied);
        }
    }
    m_frame->ActualizeStatusBar();
    if (QsciScintilla *shown = document->editor()) {
        shown->setFocus();
        int line = 0;
        int index = 0;
        shown->getCursorPosition(&line, &index);
        // The caret as the status handler last stored it, from 1.
        const int savedLine = document->savedCaretY() - 1;
        const int savedIndex = document->savedCaretX() - 1;
        if (line != savedLine || index != savedIndex)
            shown->setCursorPosition(qMax(0, savedLine), qMax(0, savedIndex));
        // The run emptied the caret panel; a caret that did not move sends no update.
        m_frame->ShowCaretStatus(shown);
    }
    // The wait text goes with the end of the run, and the panel stays empty until the
    // status bar is next brought up to date.
    m_frame->ShowRunEnded();
}

void TValidationPart::LoadGridErrors(const TidyRunResult &result, TDocument *document, int tidyVersion)
{
    QStringList notes = result.complaints;
    if (result.outcome == TidyRunOutcome::Crashed)
        notes.prepend(FormatMessageText(STidyCrashed, {QString::number(result.exitSignal)}));
    else if (result.outcome == TidyRunOutcome::AbnormalExit)
        notes.prepend(FormatMessageText(STidyExitStatus, {QString::number(result.exitStatus)}));
    if (!result.report) {
        if (!notes.isEmpty())
            m_panel->showInfo(notes, QString());
        return;
    }
    const TidyReport &report = *result.report;
    const TidyResultIcon icon = result.icon();
    m_panel->showReport(report, document, TidyTabSize(m_page->Configuration()), notes,
                        TidyInfoPaneText(report, TidyReportHeader(tidyVersion), icon));
    m_frame->ShowRunResult(int(icon), TidyCountsText(report.errors, report.warnings));
}
