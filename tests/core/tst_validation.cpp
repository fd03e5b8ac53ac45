// Validation through the main window with the real HTML Tidy 5: Analyze, the error
// list and the jump, Clean and Undo Clean, the guards and the time limit.
#include "MainFormTestSupport.h"

#include "util/DocumentText.h"
#include "documents/EditorText.h"
#include "program/MessagesKandrix.h"
#include "core/reMainForm.h"
#include "program/uDivStartVK.h"
#include "validation/TidyReport.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <Qsci/qsciscintilla.h>
#include <memory>

namespace {
const QByteArray brokenPage = "<!DOCTYPE html>\n<html>\n<head>\n<title>t</title>\n</head>\n<body>\n"
                              "<p>Some <b>bold text</p>\n<foo>x</foo>\n\t\t<p>tab <i>x</p>\n</body>\n</html>\n";
const QByteArray validPage = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                             "<title>Fine</title>\n</head>\n<body>\n<p>All good.</p>\n</body>\n</html>\n";
// Tidy can fix this one: missing end tags and no title.
const QByteArray fixablePage = "<!DOCTYPE html>\n<html>\n<head>\n<title>caf\xc3\xa9</title>\n</head>\n<body>\n"
                               "<ul><li>one<li>two</ul>\n<p>\xe2\x82\xac text\n</body>\n</html>\n";
} // namespace

class TestValidation : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<TMainForm> form;

    QStringList listedMessages() const
    {
        QStringList rows;
        for (int i = 0; i < form->GridErrors->rowCount(); ++i) {
            if (QTableWidgetItem *item = form->GridErrors->item(i, 0))
                rows << item->text();
        }
        return rows;
    }

    void openPage(const QString &relative, const QByteArray &bytes)
    {
        QVERIFY(folder->write(relative, bytes));
        OpenThroughDialog(form.get(), dialogs.get(), folder->file(relative));
        QCOMPARE(form->ActiveDocument()->path(), folder->file(relative));
    }

    int rowContaining(const QString &text) const
    {
        const QStringList rows = listedMessages();
        for (int i = 0; i < rows.size(); ++i) {
            if (rows[i].contains(text))
                return i;
        }
        return -1;
    }

private slots:
    void init()
    {
        folder = std::make_unique<TempProgramFolder>();
        dialogs = std::make_unique<ScriptedDialogs>();
        form = StartMainForm();
        QVERIFY(form);
        QVERIFY(!form->CBConfigTidy->currentText().isEmpty());
    }

    void cleanup()
    {
        CloseMainForm(form);
        dialogs.reset();
        folder.reset();
    }

    void analyzeListsTidysMessages()
    {
        openPage("my site/page.html", brokenPage);
        form->ButtonAnalyzeClick();
        QVERIFY(dialogs->asked.isEmpty());
        const QStringList rows = listedMessages();
        QVERIFY(rows.contains("line 7 column 9 - Warning: missing </b> before </p>"));
        QVERIFY(rows.contains("line 8 column 1 - Error: <foo> is not recognized!"));
        // Tidy's own counts, the error icon and Tidy's summary.
        QCOMPARE(form->StatusPanelText(6), TidyCountsText(1, 7));
        QCOMPARE(form->StatusIconIndex, 8);
        const QString info = form->MemoInfo->toPlainText();
        QVERIFY(info.startsWith(TidyReportHeader(5)));
        QVERIFY(info.contains("Tidy found 7 warnings and 1 error!"));
        // The report is plain text, whatever the quick start left in the pane.
        QTextCursor end(form->MemoInfo->document());
        end.movePosition(QTextCursor::End);
        QVERIFY(!end.charFormat().font().bold());
        // The copy sat beside the document, and the caret is back in the editor.
        QCOMPARE(TmpDocFile, folder->file("my site/tmptid.htm"));
        QCOMPARE(form->StatusPanelText(4), DocumentText::Ansi);
    }

    void aValidPageShowsSuccess()
    {
        openPage("ok.html", validPage);
        form->ButtonAnalyzeClick();
        QCOMPARE(form->StatusIconIndex, 7);
        QVERIFY(form->MemoInfo->toPlainText().contains(FValidationSuccess));
        QCOMPARE(form->StatusPanelText(6), TidyCountsText(0, 0));
    }

    void doubleClickSelectsFromTheColumnToTheEnd()
    {
        openPage("jump.html", brokenPage);
        form->ButtonAnalyzeClick();
        int row = rowContaining("line 7 column 9");
        QVERIFY(row >= 0);
        form->ErrorGridRow = row;
        form->GridErrorsDblClick();
        int lineFrom, indexFrom, lineTo, indexTo;
        form->ActiveSynEdit()->getSelection(&lineFrom, &indexFrom, &lineTo, &indexTo);
        QCOMPARE(lineFrom, 6);
        QCOMPARE(form->ActiveSynEdit()->selectedText(), QStringLiteral("<b>bold text</p>"));

        // On a tab-indented line Tidy counts columns with tabs expanded.
        row = rowContaining("line 9 column 24");
        QVERIFY(row >= 0);
        form->ErrorGridRow = row;
        form->GridErrorsDblClick();
        QCOMPARE(form->ActiveSynEdit()->selectedText(), QStringLiteral("<i>x</p>"));

        // A line that names no position does nothing.
        row = rowContaining("Info:");
        QVERIFY(row >= 0);
        form->ActiveSynEdit()->setCursorPosition(0, 0);
        form->ErrorGridRow = row;
        form->GridErrorsDblClick();
        QVERIFY(!form->ActiveSynEdit()->hasSelectedText());
    }

    void cleanRewritesAsOneUndoStepAndUndoCleanRestores()
    {
        openPage("clean.html", fixablePage);
        const QString original = EditorText(form->ActiveSynEdit());
        form->ButtonCleanClick();
        const QString cleaned = EditorText(form->ActiveSynEdit());
        QVERIFY(cleaned != original);
        QVERIFY(cleaned.contains("</li>"));
        QVERIFY(cleaned.contains(QString::fromUtf8("caf\xc3\xa9")));
        QVERIFY(cleaned.contains(QString::fromUtf8("\xe2\x82\xac")));
        QVERIFY(form->ActiveSynEdit()->isModified());
        // The second run checked the cleaned text.
        QCOMPARE(form->StatusIconIndex, 7);
        // One undo step gives the original back.
        form->ActiveSynEdit()->undo();
        QCOMPARE(EditorText(form->ActiveSynEdit()), original);
        form->ActiveSynEdit()->redo();
        QCOMPARE(EditorText(form->ActiveSynEdit()), cleaned);

        form->ButtonCancelChangesClick();
        QCOMPARE(EditorText(form->ActiveSynEdit()), original);
        QVERIFY(listedMessages().isEmpty());
        // Saving gives the file back byte for byte.
        QVERIFY(form->MenuSaveClick());
        QCOMPARE(folder->read("clean.html"), fixablePage);
    }

    void cleanRefusedOnErrorsKeepsTheText()
    {
        openPage("refused.html", brokenPage);
        const QString original = EditorText(form->ActiveSynEdit());
        form->ButtonCleanClick();
        QCOMPARE(EditorText(form->ActiveSynEdit()), original);
        QVERIFY(dialogs->texts().contains(SCleanRefused));
        QCOMPARE(form->StatusIconIndex, 8);
    }

    void undoCleanOnlyForTheCleanedDocument()
    {
        openPage("a.html", fixablePage);
        form->ButtonCleanClick();
        openPage("b.html", validPage);
        const QString b = EditorText(form->ActiveSynEdit());
        form->ButtonCancelChangesClick();
        QCOMPARE(EditorText(form->ActiveSynEdit()), b);
    }

    void untitledCopyLivesInTmp()
    {
        LoadEditorText(form->ActiveSynEdit(), QString::fromLatin1(validPage));
        form->ButtonAnalyzeClick();
        QCOMPARE(TmpDocFile, TmpDir + "tmptid.htm");
        QVERIFY(QFile::exists(TmpDocFile));
        dialogs->saveAnswers << folder->file("saved.html");
        QVERIFY(form->MenuSaveAsClick());
        form->ButtonAnalyzeClick();
        QCOMPARE(TmpDocFile, folder->file("tmptid.htm"));
        QVERIFY(!QFile::exists(TmpDir + "tmptid.htm"));
        // Analysing again keeps the copy where it is.
        form->ButtonAnalyzeClick();
        QVERIFY(QFile::exists(folder->file("tmptid.htm")));
    }

    void guardsStopTheRun()
    {
        // An empty editor: nothing at all.
        LoadEditorText(form->ActiveSynEdit(), QString());
        form->ButtonAnalyzeClick();
        QVERIFY(dialogs->asked.isEmpty());

        // Tidy 4 and an HTML5 doctype.
        LoadEditorText(form->ActiveSynEdit(), QString::fromLatin1(validPage));
        form->Action("MenuTidy4")->setChecked(true);
        form->ButtonAnalyzeClick();
        QCOMPARE(dialogs->texts().value(0), SSelectTidy5);

        // Lower case passes the guard, then Tidy 4 is missing here.
        dialogs->asked.clear();
        LoadEditorText(form->ActiveSynEdit(), "<!doctype html><p>x</p>");
        form->ButtonAnalyzeClick();
        QCOMPARE(dialogs->texts().value(0), FormatMessageText(SStringNotFound, {"tidy"}));
        form->Action("MenuTidy5")->setChecked(true);

        // No configuration chosen.
        dialogs->asked.clear();
        form->CBConfigTidy->setCurrentIndex(-1);
        form->ButtonAnalyzeClick();
        QCOMPARE(dialogs->texts().value(0), SNoConfigFileFound);
    }

    // A Tidy 4 placed by the user: its report form, and the header names version 4.
    void aTidy4ReportIsRead()
    {
        const QString stored = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/../validation/data/tidy4_errors.txt";
        QVERIFY(QFile::exists(stored));
        QVERIFY(folder->write("tidy4/tidy", "#!/bin/sh\n# -config FILE -f REPORT ...\ncp '" + stored.toUtf8() + "' \"$4\"\n"));
        QFile::setPermissions(Tidy4Exe, QFile::permissions(Tidy4Exe) | QFile::ExeOwner);
        form->Action("MenuTidy4")->setChecked(true);
        openPage("old.html", "<html><body><p>x <b>y</p><blink>z</blink></body></html>\n");
        form->ButtonAnalyzeClick();
        QVERIFY(dialogs->asked.isEmpty());
        QVERIFY(listedMessages().contains("line 9 column 1 - Error: <blink> is not recognized!"));
        QCOMPARE(form->StatusPanelText(6), TidyCountsText(1, 3));
        QCOMPARE(form->StatusIconIndex, 8);
        QVERIFY(form->MemoInfo->toPlainText().startsWith(TidyReportHeader(4)));
    }

    void oldReportIsNeverShownAsNew()
    {
        // A validator that writes no report: the previous run's report must not come back.
        openPage("x.html", brokenPage);
        form->ButtonAnalyzeClick();
        QVERIFY(!listedMessages().isEmpty());
        QFile::remove(Tidy5Exe);
        QVERIFY(folder->write("tidy5/tidy", "#!/bin/sh\nexit 0\n"));
        QFile::setPermissions(Tidy5Exe, QFile::permissions(Tidy5Exe) | QFile::ExeOwner);
        form->ButtonAnalyzeClick();
        QVERIFY(listedMessages().isEmpty());
        QCOMPARE(form->StatusIconIndex, -1);
    }

    void aValidatorThatNeverEndsIsStopped()
    {
        QFile::remove(Tidy5Exe);
        QVERIFY(folder->write("tidy5/tidy", "#!/bin/sh\nexec sleep 600\n"));
        QFile::setPermissions(Tidy5Exe, QFile::permissions(Tidy5Exe) | QFile::ExeOwner);
        form->TidyTimeoutMs = 500;
        openPage("slow.html", validPage);
        QElapsedTimer timer;
        timer.start();
        form->ButtonAnalyzeClick();
        QVERIFY(timer.elapsed() < 30000);
        QCOMPARE(dialogs->texts().value(0), STidyTimeOut);
        QVERIFY(listedMessages().isEmpty());
    }

    void errorPanelClosesAndDocksLeft()
    {
        openPage("panel.html", brokenPage);
        form->ButtonCloseGridErrorsClick();
        QVERIFY(!form->PanelGridErrors->isVisible());
        QVERIFY(!form->Action("MenuShowErrorsComments")->isChecked());
        // Analyze brings the panel back.
        form->ButtonAnalyzeClick();
        QVERIFY(form->PanelGridErrors->isVisible());
        QVERIFY(form->Action("MenuShowErrorsComments")->isChecked());

        form->Action("MenuErrorEditorToLeft")->trigger();
        QVERIFY(form->GridErrorToLeft);
        QCOMPARE(form->SplitterPanelGridError->orientation(), Qt::Horizontal);
        QCOMPARE(form->SplitterPanelGridError->widget(0), form->PanelGridErrors);
        QCOMPARE(form->PanelGridErrors->width(), form->width() * 25 / 100);
        form->Action("MenuErrorEditorToLeft")->trigger();
        QCOMPARE(form->SplitterPanelGridError->orientation(), Qt::Vertical);
        QCOMPARE(form->SplitterPanelGridError->widget(1), form->PanelGridErrors);
        QCOMPARE(form->PanelGridErrors->height(), 122);
    }

    // A new user: open a real page, Analyze, double-click the first error, fix it, Analyze again.
    void fixingAnErrorLeavesOneMessageFewer()
    {
        openPage("user.html", brokenPage);
        form->ButtonAnalyzeClick();
        const int before = listedMessages().size();
        const int row = rowContaining("Error: <foo>");
        form->ErrorGridRow = row;
        form->GridErrorsDblClick();
        QCOMPARE(form->ActiveSynEdit()->selectedText(), QStringLiteral("<foo>x</foo>"));
        form->ActiveSynEdit()->replaceSelectedText("<span>x</span>");
        form->ButtonAnalyzeClick();
        QVERIFY(listedMessages().size() < before);
        QCOMPARE(rowContaining("<foo>"), -1);
    }
};

VK_WINDOW_TEST_MAIN(TestValidation)
#include "tst_validation.moc"
