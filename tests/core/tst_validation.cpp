// Validation through the main window, as a user runs it: Analyze, Clean and Undo
// Clean from the Tidy menu, the error list and its double click, with the real
// HTML Tidy 5 and with stand-in validators for what the real one rarely does.
#include "MainFormTestSupport.h"

#include "documents/EditorText.h"
#include "program/MessagesKandrix.h"
#include "program/uDivStartVK.h"
#include "util/DocumentText.h"
#include "validation/TidyReport.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QSplitter>
#include <QTextEdit>
#include <Qsci/qsciscintilla.h>
#include <cerrno>
#include <cstring>
#include <memory>

namespace {
const QByteArray brokenPage = "<!DOCTYPE html>\n<html>\n<head>\n<title>t</title>\n</head>\n<body>\n"
                              "<p>Some <b>bold text</p>\n<foo>x</foo>\n\t\t<p>tab <i>x</p>\n</body>\n</html>\n";
const QByteArray validPage = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                             "<title>Fine</title>\n</head>\n<body>\n<p>All good.</p>\n</body>\n</html>\n";
// Tidy can fix this one: missing end tags. In ANSI.
const QByteArray fixablePage = "<!DOCTYPE html>\n<html>\n<head>\n<title>caf\xe9</title>\n</head>\n<body>\n"
                               "<ul><li>one<li>two</ul>\n<p>\x80 text\n</body>\n</html>\n";
// Only a warning (an implicit end tag), no error.
const QByteArray warningPage = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<title>W</title>\n</head>\n<body>\n"
                               "<p>one <b>two</p>\n</body>\n</html>\n";

// Notes what the status bar's panel 4 says whenever a message is shown.
struct StatusNotingDialogs : ScriptedDialogs {
    TMainForm *form = nullptr;
    QStringList panel4;
    QMessageBox::StandardButton message(QMessageBox::Icon icon, const QString &caption, const QString &text,
                                        QMessageBox::StandardButtons buttons) override
    {
        panel4 << statusText(form, 4);
        return ScriptedDialogs::message(icon, caption, text, buttons);
    }
};
} // namespace

class TestValidation : public QObject, MainFormFixture {
    Q_OBJECT

    QListView *list() const { return form->findChild<QListView *>("GridErrors"); }
    QsciScintilla *editor() const { return currentDocument(form)->editor(); }
    QString documentPath() const { return currentDocument(form) ? currentDocument(form)->path() : QString(); }
    QString info() const { return form->findChild<QTextEdit *>("MemoInfo")->toPlainText(); }
    QComboBox *configList() const { return form->findChild<QComboBox *>("CBConfigTidy"); }
    QWidget *errorPanel() const { return form->findChild<QWidget *>("PanelGridErrors"); }
    QString copyPath() const { return TemporaryCopyPath(form.get()); }
    void trigger(const char *name) { ::trigger(form, QString::fromLatin1(name)); }

    QStringList listedMessages() const
    {
        QStringList rows;
        for (int i = 0; i < list()->model()->rowCount(); ++i)
            rows << list()->model()->index(i, 0).data().toString();
        return rows;
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

    void doubleClickRow(int row)
    {
        const QModelIndex index = list()->model()->index(row, 0);
        list()->scrollTo(index);
        QCoreApplication::processEvents();
        const QPoint point = list()->visualRect(index).center();
        // A widget's double click event comes after the press of the first click.
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, point);
    }

    void openPage(const QString &relative, const QByteArray &bytes)
    {
        QVERIFY(folder->write(relative, bytes));
        OpenThroughDialog(form.get(), dialogs.get(), folder->file(relative));
        QCOMPARE(documentPath(), folder->file(relative));
    }

    void useConfiguration(const QByteArray &lines)
    {
        QVERIFY(folder->write("config/test-run.cfg", lines));
        child<TTidyConfigPage *>(form, "TBTidyConfig")->CBTidyConfigInit();
        const int index = configList()->findText("test-run.cfg");
        QVERIFY(index >= 0);
        configList()->setCurrentIndex(index);
        emit configList()->activated(index);
    }

    // A shell script in place of Tidy 5; it is called as
    // tidy -config CFG -f REPORT -e|-m COPY.
    void placeStandIn(const QByteArray &script) { QVERIFY(WriteScript(Paths().Tidy5Exe, script)); }

private slots:
    void init() { QVERIFY(SetUp()); }
    void cleanup() { TearDown(); }

    // The list, Tidy's own counts, the icon and the summary come from this run's report.
    void analyzeListsTidysMessages()
    {
        openPage("my site/page.html", brokenPage);
        trigger("MenuAnalyze");
        QVERIFY(dialogs->asked.isEmpty());
        QVERIFY(listedMessages().contains("line 8 column 1 - Error: <foo> is not recognized!"));
        QCOMPARE(statusText(form, 6), TidyCountsText(1, 7));
        QCOMPARE(StatusIcon(form.get()), StatusIconOf(int(TidyResultIcon::Errors)));
        QVERIFY(info().startsWith(TidyReportHeader(5)));
        // The summary in lower case; the list keeps Tidy's lines as they are.
        QVERIFY(info().contains("tidy found 7 warnings and 1 error!"));
        QCOMPARE(copyPath(), folder->file("my site/tmptid.htm"));
    }

    // Tidy reads the copy in the document's own encoding, as the file on disk has it.
    void theCopyKeepsTheDocumentsEncoding_data()
    {
        QTest::addColumn<QString>("encoding");
        for (const char *encoding : {"Ansi", "UTF8Bom", "LittleEndian", "BigEndian"})
            QTest::newRow(encoding) << QString::fromLatin1(encoding);
    }

    void theCopyKeepsTheDocumentsEncoding()
    {
        QFETCH(QString, encoding);
        QByteArray bytes;
        QVERIFY(DocumentText::EncodeText(QString::fromLatin1(fixablePage), encoding, &bytes));
        openPage("encoded/page.html", bytes);
        QCOMPARE(currentDocument(form)->encoding(), encoding);
        trigger("MenuAnalyze");
        QCOMPARE(copyPath(), folder->file("encoded/tmptid.htm"));
        QCOMPARE(folder->read("encoded/tmptid.htm"), bytes);
    }

    void resultIcon_data()
    {
        QTest::addColumn<QByteArray>("configuration");
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<int>("icon");
        // The report is empty; only Tidy's exit status tells of the warnings.
        QTest::newRow("quiet, warnings hidden") << QByteArray("quiet: yes\r\nshow-warnings: no\r\n") << warningPage
                                                << int(TidyResultIcon::Warnings);
        QTest::newRow("quiet, valid page") << QByteArray("quiet: yes\r\n") << validPage << int(TidyResultIcon::Success);
    }

    void resultIcon()
    {
        QFETCH(QByteArray, configuration);
        QFETCH(QByteArray, page);
        QFETCH(int, icon);
        useConfiguration(configuration);
        openPage("icon.html", page);
        trigger("MenuAnalyze");
        QCOMPARE(StatusIcon(form.get()), StatusIconOf(icon));
        QCOMPARE(info().contains(FValidationSuccess), icon == int(TidyResultIcon::Success));
    }

    void jumpSelectsFromTheColumnToTheLineEnd_data()
    {
        QTest::addColumn<QByteArray>("configuration");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("selected");
        QTest::newRow("plain") << QByteArray() << QByteArray("<p>Some <b>bold text</p>") << "<b>bold text</p>";
        QTest::newRow("tabs, size 4") << QByteArray("tab-size: 4\r\n") << QByteArray("\t\t<p>tab <i>x</p>")
                                      << "<i>x</p>";
    }

    void jumpSelectsFromTheColumnToTheLineEnd()
    {
        QFETCH(QByteArray, configuration);
        QFETCH(QByteArray, line);
        QFETCH(QString, selected);
        if (!configuration.isEmpty())
            useConfiguration(configuration);
        openPage("jump.html", "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>J</title>\n"
                              "</head>\n<body>\n" + line + "\n</body>\n</html>\n");
        trigger("MenuAnalyze");
        const int row = rowContaining("line 8 column");
        QVERIFY2(row >= 0, qPrintable(listedMessages().join('\n')));
        // The jump brings the document forward from the Tidy page.
        documentPages(form)->setCurrentIndex(0);
        doubleClickRow(row);
        QCOMPARE(documentPath(), folder->file("jump.html"));
        int lineFrom, indexFrom, lineTo, indexTo;
        editor()->getSelection(&lineFrom, &indexFrom, &lineTo, &indexTo);
        QCOMPARE(lineFrom, 7);
        QCOMPARE(editor()->selectedText(), selected);
    }

    void cleanRewritesAndUndoCleanRestoresTextAndState()
    {
        openPage("clean.html", fixablePage);
        const QString original = EditorText(editor());
        trigger("MenuClean");
        const QString cleaned = EditorText(editor());
        QVERIFY(cleaned.contains("</li>"));
        QVERIFY(cleaned.contains(QString::fromUtf8("caf\xc3\xa9")));
        QVERIFY(editor()->isModified());
        // The second run checked the cleaned text.
        QCOMPARE(StatusIcon(form.get()), StatusIconOf(int(TidyResultIcon::Success)));
        // One undo step in the editor gives the original back.
        editor()->undo();
        QCOMPARE(EditorText(editor()), original);
        editor()->redo();
        // Typed after the clean: undone with it.
        QTest::keyClicks(editor(), "typed");

        trigger("MenuUndoAllChanges");
        QCOMPARE(EditorText(editor()), original);
        QVERIFY(!editor()->isModified());
        QVERIFY(listedMessages().isEmpty());

        // Saved after the clean: the text given back differs from the file, so it waits for a save.
        trigger("MenuClean");
        QVERIFY(save(form));
        trigger("MenuUndoAllChanges");
        QCOMPARE(EditorText(editor()), original);
        QVERIFY(action(form, "MenuSave")->isEnabled());
        trigger("MenuCloseActiveTab");
        QCOMPARE(dialogs->texts(), QStringList{FormatMessageText(SWarningSaveChanges, {"clean.html"})});
    }

    // The clean undone in the editor and the text typed in since: the backup still gives
    // back the text from before the clean.
    void undoCleanAfterTheCleanWasUndoneInTheEditor()
    {
        openPage("undone.html", fixablePage);
        const QString original = EditorText(editor());
        trigger("MenuClean");
        editor()->undo();
        QCOMPARE(EditorText(editor()), original);
        QTest::keyClicks(editor(), "typed");
        trigger("MenuUndoAllChanges");
        QCOMPARE(EditorText(editor()), original);
    }

    // Tidy refuses a page with errors; an already clean page is no refusal.
    void cleanWithoutRewrite_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<bool>("crlf");
        QTest::newRow("errors") << brokenPage << true << false;
        QTest::newRow("already clean") << QByteArray() << false << false;
        QTest::newRow("already clean, CR LF") << QByteArray() << false << true;
    }

    void cleanWithoutRewrite()
    {
        QFETCH(QByteArray, page);
        QFETCH(bool, refused);
        QFETCH(bool, crlf);
        if (page.isEmpty()) {
            // What Tidy itself writes for a valid page cleans to the same text.
            openPage("tidy.html", validPage);
            trigger("MenuClean");
            QVERIFY(save(form));
            page = folder->read("tidy.html");
            if (crlf)
                page.replace("\n", "\r\n");
            dialogs->asked.clear();
        }
        openPage("unchanged.html", page);
        // A second Clean meets the same page: the same answer, never a copy said to be emptied.
        for (int run = 1; run <= 2; ++run) {
            trigger("MenuClean");
            QCOMPARE(folder->read("unchanged.html"), page);
            QCOMPARE(EditorText(editor()), QString::fromUtf8(page));
            QCOMPARE(dialogs->texts(), refused ? QStringList(run, SCleanRefused) : QStringList());
            QVERIFY(!editor()->isModified());
        }
        // Undo Clean leaves the unchanged document unmodified.
        trigger("MenuUndoAllChanges");
        QVERIFY(!editor()->isModified());
    }

    // Tidy writes LF; the cleaned text takes the document's own line break, as the
    // lines typed after it do, so the saved file holds one kind only.
    void cleanKeepsTheDocumentsLineBreak_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("lineBreak");
        QTest::addColumn<QByteArray>("configuration");
        QTest::newRow("UTF-8, CR LF") << "UTF8" << "\r\n" << QByteArray();
        QTest::newRow("UTF-16, CR LF") << "LittleEndian" << "\r\n" << QByteArray();
        QTest::newRow("UTF-8, CR") << "UTF8" << "\r" << QByteArray();
        QTest::newRow("UTF-8, LF, Tidy told to write CR LF") << "UTF8" << "\n" << QByteArray("newline: CRLF\r\n");
    }

    void cleanKeepsTheDocumentsLineBreak()
    {
        QFETCH(QString, encoding);
        QFETCH(QString, lineBreak);
        QFETCH(QByteArray, configuration);
        if (!configuration.isEmpty())
            useConfiguration(configuration);
        QString text = QString::fromLatin1(fixablePage);
        text.replace("\n", lineBreak);
        QByteArray bytes;
        QVERIFY(DocumentText::EncodeText(text, encoding, &bytes));
        openPage("breaks.html", bytes);
        QCOMPARE(currentDocument(form)->encoding(), encoding);
        trigger("MenuClean");
        QVERIFY(EditorText(editor()).contains("</li>"));
        editor()->setCursorPosition(1, 0);
        QTest::keyClicks(editor(), "<!-- typed -->");
        QTest::keyClick(editor(), Qt::Key_Return);
        QVERIFY(save(form));
        QString saved = DocumentText::DecodeText(folder->read("breaks.html"), encoding);
        QVERIFY(saved.contains("</li>" + lineBreak) && saved.contains("<!-- typed -->" + lineBreak));
        // Tidy writes no empty line for this page: a CR LF is one line break, not two.
        QVERIFY(!saved.contains(lineBreak + lineBreak));
        saved.remove(lineBreak);
        QVERIFY(!saved.contains('\n') && !saved.contains('\r'));
    }

    // Tidy ends well but leaves the copy empty: the document keeps its text, and the user is told.
    void cleanToAnEmptyCopyKeepsTheText()
    {
        openPage("emptied.html", validPage);
        placeStandIn(": > \"$6\"\n");
        trigger("MenuClean");
        QCOMPARE(dialogs->texts(), QStringList{SCleanEmptied});
        QCOMPARE(EditorText(editor()), QString::fromLatin1(validPage));
        QVERIFY(!editor()->isModified());
    }

    // An ANSI document holding characters Windows-1252 cannot hold: Tidy gets a UTF-8 copy.
    void cleanKeepsCharactersTheEncodingCannotHold()
    {
        openPage("ansi.html", "<!DOCTYPE html>\n<html>\n<head>\n<title>A</title>\n</head>\n<body>\n<ul><li>x\n"
                              "</body>\n</html>\n");
        QCOMPARE(currentDocument(form)->encoding(), QStringLiteral("Ansi"));
        editor()->setCursorPosition(6, 8);
        editor()->insert(QString::fromUtf8("\xe4\xb8\xad\xe6\x96\x87 \xe2\x9c\x93"));
        trigger("MenuClean");
        QVERIFY(EditorText(editor()).contains("</li>"));
        QVERIFY(EditorText(editor()).contains(QString::fromUtf8("\xe4\xb8\xad\xe6\x96\x87 \xe2\x9c\x93")));
        QCOMPARE(StatusIcon(form.get()), StatusIconOf(int(TidyResultIcon::Success)));
    }

    void configurationComplaintsHeadTheInformationPane()
    {
        useConfiguration("newline: platformdependent\r\n");
        openPage("complaint.html", validPage);
        trigger("MenuAnalyze");
        QVERIFY2(info().startsWith("Config: missing or malformed argument for option: newline"), qPrintable(info()));
        QCOMPARE(info().count("newline"), 1);
    }

    void undoCleanOnlyForTheCleanedDocument()
    {
        openPage("a.html", fixablePage);
        trigger("MenuClean");
        openPage("b.html", validPage);
        const QString b = EditorText(editor());
        trigger("MenuUndoAllChanges");
        QCOMPARE(EditorText(editor()), b);
    }

    // A folder where the copy cannot be created (gone here, which stops root too).
    void aFolderThatTakesNoCopyIsAnalysedFromTmp()
    {
        openPage("gone/page.html", brokenPage);
        QVERIFY(QDir(folder->file("gone")).removeRecursively());
        trigger("MenuAnalyze");
        QVERIFY(dialogs->asked.isEmpty());
        QCOMPARE(copyPath(), Paths().TmpDir + "tmptid.htm");
        QVERIFY(rowContaining("Error: <foo>") >= 0);
    }

    void untitledCopyLivesInTmp()
    {
        LoadEditorText(editor(), QString::fromLatin1(validPage));
        trigger("MenuAnalyze");
        QCOMPARE(copyPath(), Paths().TmpDir + "tmptid.htm");
        dialogs->saveAnswers << folder->file("saved.html");
        QVERIFY(saveAs(form));
        trigger("MenuAnalyze");
        QCOMPARE(copyPath(), folder->file("tmptid.htm"));
        QVERIFY(!QFile::exists(Paths().TmpDir + "tmptid.htm"));
    }

    void guardsStopTheRun()
    {
        // An empty editor: nothing at all.
        LoadEditorText(editor(), QString());
        trigger("MenuAnalyze");
        QVERIFY(dialogs->asked.isEmpty());

        // Tidy 4 and an HTML5 doctype.
        LoadEditorText(editor(), QString::fromLatin1(validPage));
        action(form, "MenuTidy4")->setChecked(true);
        trigger("MenuAnalyze");
        QCOMPARE(dialogs->texts().value(0), SSelectTidy5);

        // Lower case passes the guard, then Tidy 4 is missing here.
        dialogs->asked.clear();
        LoadEditorText(editor(), "<!doctype html><p>x</p>");
        trigger("MenuAnalyze");
        QCOMPARE(dialogs->texts().value(0), FormatMessageText(SStringNotFound, {Paths().Tidy4Exe}));
        action(form, "MenuTidy5")->setChecked(true);

        dialogs->asked.clear();
        configList()->setCurrentIndex(-1);
        trigger("MenuAnalyze");
        QCOMPARE(dialogs->texts().value(0), SNoConfigFileFound);
    }

    // A Tidy 4 placed by the user: its report form, and the header names version 4.
    void aTidy4ReportIsRead()
    {
        const QString stored = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/../validation/data/tidy4_errors.txt";
        QVERIFY(WriteScript(Paths().Tidy4Exe, "cp '" + stored.toUtf8() + "' \"$4\""));
        action(form, "MenuTidy4")->setChecked(true);
        openPage("old.html", "<html><body><p>x <b>y</p><blink>z</blink></body></html>\n");
        trigger("MenuAnalyze");
        QVERIFY(dialogs->asked.isEmpty());
        QVERIFY(listedMessages().contains("line 9 column 1 - Error: <blink> is not recognized!"));
        QCOMPARE(StatusIcon(form.get()), StatusIconOf(int(TidyResultIcon::Errors)));
        QVERIFY(info().startsWith(TidyReportHeader(4)));
    }

    // A validator that fails is never shown as a success, and its copy never reaches the editor.
    void failingValidator_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<bool>("clean");
        QTest::addColumn<QString>("message");  // empty: none
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("icon");
        QTest::newRow("crash before the report") << QByteArray("kill -SEGV $$\n") << false << "11" << 0 << -1;
        QTest::newRow("crash after a partial report")
            << QByteArray("printf 'line 1 column 1 - Warning: one\\nline 2 column 1 - Warning: two\\n' > \"$4\"\n"
                          "kill -SEGV $$\n")
            << false << "11" << 2 << int(TidyResultIcon::Warnings);
        QTest::newRow("crash after a complete clean report")
            << QByteArray("printf 'No warnings or errors were found.\\n' > \"$4\"\nkill -ABRT $$\n") << false << "6" << 0
            << -1;
        QTest::newRow("unknown exit status") << QByteArray("printf 'No warnings or errors were found.\\n' > \"$4\"\nexit 3\n")
                                             << false << "3" << 0 << -1;
        QTest::newRow("no report, exit 0") << QByteArray("exit 0\n") << false << QString() << 0 << -1;
        QTest::newRow("clean: truncates the copy, then crashes")
            << QByteArray("printf '<html>' > \"$6\"\nkill -SEGV $$\n") << true << "11" << 0 << -1;
    }

    void failingValidator()
    {
        QFETCH(QByteArray, script);
        QFETCH(bool, clean);
        QFETCH(QString, message);
        QFETCH(int, rows);
        QFETCH(int, icon);
        STidyCrashed = "crashed %d";
        STidyExitStatus = "exit status %d";
        openPage("failing.html", validPage);
        // A successful run first: nothing of it may remain.
        trigger("MenuAnalyze");
        QCOMPARE(StatusIcon(form.get()), StatusIconOf(int(TidyResultIcon::Success)));
        placeStandIn(script);
        trigger(clean ? "MenuClean" : "MenuAnalyze");
        const QStringList texts = dialogs->texts();
        if (message.isEmpty()) {
            QVERIFY(texts.isEmpty());
        } else {
            QCOMPARE(texts.size(), 1);
            QVERIFY(texts[0].endsWith(" " + message));
            QVERIFY(info().startsWith(texts[0]));
        }
        QCOMPARE(listedMessages().size(), rows);
        QCOMPARE(StatusIcon(form.get()), StatusIconOf(icon));
        QCOMPARE(EditorText(editor()), QString::fromLatin1(validPage));
        QVERIFY(!editor()->isModified());
    }

    // The status bar says the run is on until it ends, while a message of the run is read too.
    void theWaitTextShowsUntilTheRunEnds()
    {
        openPage("wait.html", validPage);
        placeStandIn("kill -SEGV $$\n");
        dialogs.reset();
        auto noting = std::make_unique<StatusNotingDialogs>();
        noting->form = form.get();
        const StatusNotingDialogs *seen = noting.get();
        dialogs = std::move(noting);
        SWait = "waiting";
        trigger("MenuAnalyze");
        QCOMPARE(seen->panel4, QStringList{"waiting"});
        QCOMPARE(statusText(form, 4), QString());
    }

    // A full disk: the copy cannot be written, so Tidy is not run.
    void copyThatCannotBeWrittenRunsNoTidy()
    {
        placeStandIn("touch \"$6.ran\"\n");
        openPage("full.html", validPage + QByteArray(4000, ' '));
        {
            FileSizeLimit limit(1024);
            trigger("MenuAnalyze");
        }
        QCOMPARE(dialogs->texts().size(), 1);
        // The copy's path and the system's reason.
        QVERIFY(dialogs->texts()[0].contains(copyPath()) && dialogs->texts()[0].endsWith(std::strerror(EFBIG)));
        QVERIFY(!QFile::exists(copyPath() + ".ran"));
        QCOMPARE(StatusIcon(form.get()), StatusIconOf(-1));
    }

    void aValidatorThatNeverEndsIsStopped()
    {
        placeStandIn("exec sleep 600\n");
        ValidationPartOf(form.get())->SetTimeoutMs(500);
        openPage("slow.html", validPage);
        QElapsedTimer timer;
        timer.start();
        trigger("MenuAnalyze");
        QVERIFY(timer.elapsed() < 30000);
        QCOMPARE(dialogs->texts().value(0), STidyTimeOut);
        QVERIFY(listedMessages().isEmpty());
    }

    void errorPanelClosesAndDocksLeft()
    {
        openPage("panel.html", brokenPage);
        QTest::mouseClick(form->findChild<QWidget *>("ButtonCloseGridErrors"), Qt::LeftButton);
        QVERIFY(!errorPanel()->isVisible());
        QVERIFY(!action(form, "MenuShowErrorsComments")->isChecked());
        // Analyze brings the panel back.
        trigger("MenuAnalyze");
        QVERIFY(errorPanel()->isVisible());
        QVERIFY(action(form, "MenuShowErrorsComments")->isChecked());

        trigger("MenuErrorEditorToLeft");
        auto *splitter = form->findChild<QSplitter *>("SplitterPanelGridError");
        QCOMPARE(splitter->widget(0), errorPanel());
        QCOMPARE(errorPanel()->width(), form->width() * 25 / 100);
        trigger("MenuErrorEditorToLeft");
        QCOMPARE(splitter->widget(1), errorPanel());
    }

    // A new user: Analyze, double-click the error, fix it, Analyze again.
    void fixingAnErrorLeavesOneMessageFewer()
    {
        openPage("user.html", brokenPage);
        trigger("MenuAnalyze");
        const int before = listedMessages().size();
        doubleClickRow(rowContaining("Error: <foo>"));
        QCOMPARE(editor()->selectedText(), QStringLiteral("<foo>x</foo>"));
        editor()->replaceSelectedText("<span>x</span>");
        // A message that names no place does nothing.
        doubleClickRow(rowContaining("Info:"));
        QCOMPARE(EditorText(editor()).count("<span>x</span>"), 1);
        trigger("MenuAnalyze");
        QVERIFY(listedMessages().size() < before);
        QCOMPARE(rowContaining("<foo>"), -1);
    }
};

VK_WINDOW_TEST_MAIN(TestValidation)
#include "tst_validation.moc"
