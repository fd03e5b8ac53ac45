// Validation with HTML Tidy: Analyze, Clean, Undo Clean, the report and the jump.
#include "core/reMainForm.h"
#include "dialogs/MessageBoxes.h"

#include "core/ErrorPanel.h"
#include "documents/DocumentFile.h"
#include "documents/EditorText.h"
#include "documents/TDocument.h"
#include "documents/TemporaryCopy.h"
#include "program/MessagesKandrix.h"
#include "program/uDivStartVK.h"
#include "util/uDivFiles.h"
#include "validation/TidyRun.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <Qsci/qsciscintilla.h>

namespace {
// Tags the clean's step in the editor's undo history.
constexpr int CleanUndoMark = 0x434C4E;
} // namespace

bool TMainForm::WriteTemporaryCopy(QsciScintilla *editor, const QString &encoding)
{
    QString error;
    const auto write = [&](const QString &path) {
        return WriteTidyCopy(path, EditorBuffer(editor), encoding, nullptr, &error);
    };
    if (!TemporaryCopy::Write(&TmpDocFile, TmpDir + TmpDocName, write)) {
        ShowMessageKind(2, error);
        return false;
    }
    return true;
}

bool TMainForm::TidyVersion4() const
{
    return Action("MenuTidy4")->isChecked();
}

void TMainForm::ShowEditorPage()
{
    if (TDocument *document = ActiveDocument())
        document->showEditorPage();
}

void TMainForm::ButtonAnalyzeClick()
{
    if (!ActiveDocument())
        return;
    ShowEditorPage();
    if (!PanelGridErrors->isVisible()) {
        Action("MenuShowErrorsComments")->setChecked(true);
        PanelGridErrors->show();
        PanelGridErrorReplace();
    }
    CallTidy(0);
}

void TMainForm::ButtonCleanClick()
{
    TDocument *document = ActiveDocument();
    if (!document)
        return;
    ShowEditorPage();
    // The backup holds the text exactly, whatever the document's encoding.
    QString error;
    const QByteArrayView buffer = EditorBuffer(document->editor());
    if (!WriteFileReplacing(BeforeCleanFile, QByteArray::fromRawData(buffer.data(), buffer.size()), &error)) {
        ShowMessageKind(2, error);
        return;
    }
    m_cleanedDocument = document;
    CallTidy(1);
}

void TMainForm::ButtonCancelChangesClick()
{
    TDocument *document = ActiveDocument();
    // The backup belongs to the document that was cleaned.
    if (!document || document != m_cleanedDocument || !QFileInfo::exists(BeforeCleanFile))
        return;
    // Undone in the editor, the document is modified exactly when its text differs from the
    // last saved one, whether or not it was saved since the clean.
    if (!UndoPastMark(document->editor(), CleanUndoMark)) {
        QFile backup(BeforeCleanFile);
        if (!backup.open(QIODevice::ReadOnly)) {
            ShowMessageKind(2, backup.errorString());
            return;
        }
        const QString text = DocumentText::Utf8Text(backup.readAll());
        if (text != document->text())
            SetEditorText(document->editor(), text);
    }
    GridErrorsReset();
    ActualizeStatusBar();
}

QString TMainForm::NewTmpFile(const QString &oldPath)
{
    TDocument *document = ActiveDocument();
    const QString folder = !document || document->isUntitled() ? TmpDir
                                                               : QFileInfo(document->path()).absolutePath() + "/";
    return TemporaryCopy::Move(oldPath, folder + TmpDocName, TmpDir + TmpDocName);
}

void TMainForm::CallTidy(int mode)
{
    CallTidy(ActiveDocument(), mode);
}

void TMainForm::CallTidy(TDocument *document, int mode)
{
    if (!document)
        return;
    if (!document->editor() || EditorBuffer(document->editor()).isEmpty())
        return;
    const auto text = [document] {
        const QByteArrayView buffer = EditorBuffer(document->editor());
        return QByteArray::fromRawData(buffer.data(), buffer.size());
    };
    if (!TBTidyConfig->HasConfigurationChosen()) {
        ShowMessageKind(0, SNoConfigFileFound);
        return;
    }
    const bool tidy4 = TidyVersion4();
    if (tidy4 && text().contains("<!DOCTYPE html>")) {
        ShowMessageKind(0, SSelectTidy5);
        return;
    }
    StatusPanel(4)->setText(SWait);
    StatusPanel(0)->clear();
    StatusPanel(6)->clear();
    GridErrorsReset();
    MemoInfo->clear();
    SetStatusIcon(-1);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    const QString exe = tidy4 ? Tidy4Exe : Tidy5Exe;
    if (!QFileInfo::exists(exe)) {
        // The whole path: the bare name "tidy" does not say which version is missing, nor where.
        ShowMessageKind(0, FormatMessageText(SStringNotFound, {QDir::toNativeSeparators(exe)}));
        // No run happened: "Please wait" must not stay in place of the encoding.
        ActualizeStatusBar();
        if (QsciScintilla *editor = document->editor())
            ShowCaretStatus(editor);
        return;
    }
    TmpDocFile = NewTmpFile(TmpDocFile);

    TidyRunRequest request;
    request.executable = exe;
    request.tidyVersion = tidy4 ? 4 : 5;
    request.clean = mode == 1;
    // The editor's own text, not a copy: nothing changes it while Tidy runs.
    request.utf8 = text();
    request.encoding = document->encoding();
    request.lineBreak = document->lineBreakText();
    request.options = TBTidyConfig->Configuration();
    request.model = &TBTidyConfig->Options();
    request.configPath = TidyConfigTmpFile;
    request.reportPath = StderrFile;
    request.timeoutMs = TidyTimeoutMs;
    TidyRunResult result;
    TemporaryCopy::Write(&TmpDocFile, TmpDir + TmpDocName, [&](const QString &copy) {
        request.copyPath = copy;
        result = RunTidy(request);
        return result.outcome != TidyRunOutcome::CopyNotWritten;
    });

    switch (result.outcome) {
    case TidyRunOutcome::ConfigNotWritten:
    case TidyRunOutcome::CopyNotWritten:
        ShowMessageKind(2, result.error);
        ActualizeStatusBar();
        return;
    case TidyRunOutcome::NotStarted:
    case TidyRunOutcome::TimedOut:
        ShowMessageKind(0, STidyTimeOut);
        break;
    default:
        break;
    }
    LoadGridErrors(result, document);
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
    ActualizeStatusBar();
    if (QsciScintilla *editor = document->editor()) {
        editor->setFocus();
        int line = 0;
        int index = 0;
        editor->getCursorPosition(&line, &index);
        const int savedLine = document->savedCaretY() - 1;
        const int savedIndex = document->savedCaretX() - 1;
        if (line != savedLine || index != savedIndex)
            editor->setCursorPosition(qMax(0, savedLine), qMax(0, savedIndex));
        // The run emptied the caret panel; a caret that did not move sends no update.
        ShowCaretStatus(editor);
    }
    // The wait text goes with the end of the run, and the panel stays empty until the
    // status bar is next brought up to date.
    StatusPanel(4)->clear();
}

void TMainForm::LoadGridErrors(const TidyRunResult &result, TDocument *document)
{
    QStringList notes = result.complaints;
    if (result.outcome == TidyRunOutcome::Crashed)
        notes.prepend(FormatMessageText(STidyCrashed, {QString::number(result.exitSignal)}));
    else if (result.outcome == TidyRunOutcome::AbnormalExit)
        notes.prepend(FormatMessageText(STidyExitStatus, {QString::number(result.exitStatus)}));
    if (!result.report) {
        if (!notes.isEmpty())
            PanelGridErrors->showInfo(notes, QString());
        return;
    }
    const TidyReport &report = *result.report;
    const TidyResultIcon icon = result.icon();
    PanelGridErrors->showReport(report, document, TidyTabSize(TBTidyConfig->Configuration()), notes,
                                TidyInfoPaneText(report, TidyReportHeader(TidyVersion4() ? 4 : 5), icon));
    SetStatusIcon(int(icon));
    StatusPanel(6)->setText(TidyCountsText(report.errors, report.warnings));
}
