// Validation with HTML Tidy: Analyze, Clean, Undo Clean, the report and the jump.
#include "core/reMainForm.h"
#include "dialogs/MessageBoxes.h"

#include "util/DocumentText.h"
#include "documents/EditorText.h"
#include "program/MessagesKandrix.h"
#include "program/uDivStartVK.h"
#include "documents/TDocument.h"
#include "documents/TemporaryCopy.h"
#include "platform/ProcessRunner.h"
#include "validation/TidyConfigFile.h"
#include "util/uDivFiles.h"
#include "validation/TidyReport.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <Qsci/qsciscintilla.h>

#include <algorithm>

namespace {
// Code points before a UTF-16 index: QScintilla counts characters, not UTF-16 units.
int codePointIndex(const QString &text, int utf16Index)
{
    int count = 0;
    for (int i = 0; i < utf16Index && i < text.size(); ++i) {
        if (!text[i].isLowSurrogate())
            ++count;
    }
    return count;
}

QString lineWithoutBreak(QString line)
{
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line;
}
} // namespace

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
    if (!ActiveSynEdit())
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
    if (!ActiveSynEdit())
        return;
    ShowEditorPage();
    // The backup holds the text exactly, whatever the document's encoding.
    QString error;
    if (!WriteFileReplacing(BeforeCleanFile, EditorUtf8(ActiveSynEdit()), &error)) {
        ShowMessageKind(2, error);
        return;
    }
    BeforeCleanDocument = ActiveDocument()->number();
    CallTidy(1);
}

void TMainForm::ButtonCancelChangesClick()
{
    if (!ActiveSynEdit() || !QFileInfo::exists(BeforeCleanFile))
        return;
    // The backup belongs to the document that was cleaned.
    if (ActiveDocument()->number() != BeforeCleanDocument)
        return;
    QFile backup(BeforeCleanFile);
    if (!backup.open(QIODevice::ReadOnly)) {
        ShowMessageKind(2, backup.errorString());
        return;
    }
    SetEditorText(ActiveSynEdit(), QString::fromUtf8(backup.readAll()));
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
    QsciScintilla *editor = ActiveSynEdit();
    if (!editor || editor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH) == 0)
        return;
    if (CBConfigTidy->currentText().isEmpty()) {
        ShowMessageKind(0, SNoConfigFileFound);
        return;
    }
    const bool tidy4 = TidyVersion4();
    if (tidy4 && EditorText(editor).contains(QLatin1String("<!DOCTYPE html>"))) {
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
        ShowMessageKind(0, FormatMessageText(SStringNotFound, {QFileInfo(exe).fileName()}));
        return;
    }
    const QString encoding = ActiveDocument()->encoding();
    QString error;
    if (!WriteRunConfig(encoding, &error)) {
        ShowMessageKind(2, error);
        ActualizeStatusBar();
        return;
    }
    LastRunTabSize = TidyTabSize(TidyGridConfig);
    TmpDocFile = NewTmpFile(TmpDocFile);
    if (!WriteTemporaryCopy(editor, encoding)) {
        ActualizeStatusBar();
        return;
    }
    const QByteArray copyBefore = mode == 1 ? ReadBytes(TmpDocFile) : QByteArray();

    // A report left by an earlier run must never be shown as this run's.
    QFile::remove(StderrFile);
    const ProcessResult first = RunTidy(exe, mode == 0 ? "-e" : "-m");
    if (!first.started || first.timedOut) {
        ShowMessageKind(0, STidyTimeOut);
        FinishTidyRun(editor);
        return;
    }
    LoadGridErrors(StderrFile);

    if (mode == 1) {
        const QByteArray copyAfter = ReadBytes(TmpDocFile);
        if (copyAfter.isEmpty() || copyAfter == copyBefore) {
            // Tidy writes nothing when the page has errors: the text stays as it was.
            ShowMessageKind(0, SCleanRefused);
        } else {
            const QString cleaned = DocumentText::DecodeText(copyAfter, encoding);
            if (cleaned != EditorText(editor)) {
                SetEditorText(editor, cleaned);
                editor->setModified(true);
            }
            QFile::remove(StderrFile);
            const ProcessResult second = RunTidy(exe, "-e");
            if (!second.started || second.timedOut)
                ShowMessageKind(0, STidyTimeOut);
            else
                LoadGridErrors(StderrFile);
        }
    }
    FinishTidyRun(editor);
}

bool TMainForm::WriteTemporaryCopy(QsciScintilla *editor, const QString &encoding)
{
    // The editor holds UTF-8 already: UTF-8 copies, and ANSI copies of pure ASCII text,
    // are its bytes as they stand.
    const QByteArray utf8 = EditorUtf8(editor);
    const bool direct = encoding == DocumentText::Utf8 || encoding == DocumentText::Utf8Bom ||
                        (encoding == DocumentText::Ansi &&
                         std::all_of(utf8.cbegin(), utf8.cend(), [](char c) { return uchar(c) < 0x80; }));
    if (!direct)
        return SaveFileAsType(TmpDocFile, ActiveDocument());
    QFile copy(TmpDocFile);
    const QByteArray bom = encoding == DocumentText::Utf8Bom ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    if (!copy.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) || copy.write(bom) != bom.size() ||
        copy.write(utf8) != utf8.size()) {
        ShowMessageKind(2, copy.errorString());
        return false;
    }
    return true;
}

ProcessResult TMainForm::RunTidy(const QString &exe, const QString &modeSwitch)
{
    const QStringList arguments = {"-config", TidyConfigTmpFile, "-f", StderrFile, modeSwitch, TmpDocFile};
    return RunProcess(exe, arguments, TidyTimeoutMs);
}

void TMainForm::FinishTidyRun(QsciScintilla *editor)
{
    ActualizeStatusBar();
    if (editor) {
        editor->setFocus();
        int line = 0;
        int index = 0;
        editor->getCursorPosition(&line, &index);
        if (line != SavedCaretY - 1 || index != SavedCaretX - 1)
            editor->setCursorPosition(qMax(0, SavedCaretY - 1), qMax(0, SavedCaretX - 1));
    }
}

QByteArray TMainForm::ReadBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TMainForm::LoadGridErrors(const QString &reportFile)
{
    const std::optional<TidyReport> report = TidyReport::Load(reportFile);
    if (!report)
        return;
    GridErrorsReset();
    // Messages stand in consecutive rows, so none is hidden below the row count.
    ErrorRowCount = report->messages.size();
    GridErrorsSize();
    for (int i = 0; i < report->messages.size(); ++i)
        GridErrors->setItem(i, 0, new QTableWidgetItem(report->messages[i].text));
    SetStatusIcon(int(report->icon()));
    // Plain text: the quick start's bold must not carry over into the report.
    MemoInfo->clear();
    QTextCursor(MemoInfo->document())
        .insertText(TidyInfoPaneText(*report, TidyReportHeader(TidyVersion4() ? 4 : 5)), QTextCharFormat());
    StatusPanel(6)->setText(TidyCountsText(report->errors, report->warnings));
    if (GridErrors->rowCount() > 0)
        GridErrors->setCurrentCell(0, 0);
}

void TMainForm::GridErrorsDblClick()
{
    QTableWidgetItem *item = GridErrors->item(ErrorGridRow, 0);
    if (!item || !ActiveSynEdit())
        return;
    const std::optional<TidyPosition> position = TidyMessagePosition(item->text());
    if (!position)
        return;
    QsciScintilla *editor = ActiveSynEdit();
    const int line = qBound(0, position->line - 1, qMax(0, editor->lines() - 1));
    const QString text = lineWithoutBreak(editor->text(line));
    const int start = codePointIndex(text, TidyColumnToIndex(text, position->column, LastRunTabSize));
    const int end = codePointIndex(text, text.size());
    ShowEditorPage();
    editor->setCursorPosition(line, start);
    editor->setSelection(line, start, line, end);
    editor->setFocus();
}

