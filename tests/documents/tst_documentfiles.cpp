// A document's file work without the main window: what each command reports back is what
// the window acts on (a tab kept, a folder remembered, a menu rebuilt, a close allowed).
#include "TestSupport.h"

#include "documents/DocumentFiles.h"
#include "documents/RecentFilesMenu.h"
#include "documents/TDocument.h"
#include "documents/TDocumentTabs.h"
#include "util/DocumentText.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>

using Result = FileOutcome::Result;
Q_DECLARE_METATYPE(FileOutcome::Result)

class TestDocumentFiles : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<QTabWidget> tabWidget;
    TDocumentTabs *tabs = nullptr;
    RecentFileSlots recent;
    DocumentFiles *files = nullptr;

    QString file(const QString &name) const { return dir->filePath(name); }
    FileDialogSettings settings() const { return {dir->path() + "/", {}, {}, {}}; }
    TDocument *edited(const QString &text)
    {
        TDocument *document = tabs->create(false);
        document->setEncoding(DocumentText::Utf8);
        document->editor()->setText(text);
        return document;
    }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        dialogs = std::make_unique<ScriptedDialogs>();
        tabWidget = std::make_unique<QTabWidget>();
        tabs = new TDocumentTabs(tabWidget.get(), tabWidget.get());
        recent = {};
        files = new DocumentFiles(tabs, recent, {}, tabWidget.get());
    }

    void cleanup()
    {
        tabWidget.reset();
        dialogs.reset();
        dir.reset();
    }

    // An open that fails, before or while reading, reports the system's reason and leaves
    // neither a tab nor a recent file.
    void aFailedOpenLeavesNothing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("error");
        QTest::newRow("missing") << "missing.html" << ENOENT;
        // Opens, but its first bytes cannot be read.
        QTest::newRow("unreadable") << "/proc/self/mem" << EIO;
    }

    void aFailedOpenLeavesNothing()
    {
        QFETCH(QString, path);
        QFETCH(int, error);
        const FileOutcome outcome = files->OpenDocument(QDir(dir->path()).filePath(path));
        QCOMPARE(outcome.result, Result::Failed);
        QVERIFY2(outcome.reason.contains(QString::fromLocal8Bit(std::strerror(error))), qPrintable(outcome.reason));
        QCOMPARE(dialogs->texts(), QStringList{outcome.reason});
        QVERIFY(tabs->documents().isEmpty());
        QVERIFY(recent[0].isEmpty());
    }

    // An open that reads the file puts it in front of the recent files, and says so once.
    void openPutsTheFileInTheRecentFiles()
    {
        FileOutcome outcome;
        QVERIFY(WriteBytes(file("page.css"), "p {}"));
        QSignalSpy recentChanged(files, &DocumentFiles::recentFilesChanged);
        for (bool first : {true, false}) {
            outcome = files->OpenDocument(file("page.css"));
            QVERIFY(outcome.done() && outcome.read == first && !outcome.document->isModified());
        }
        QCOMPARE(recent[0], file("page.css"));
        QCOMPARE(recentChanged.count(), 1);
    }

    // Save As tells the window whether the dialog was reached and which file it wrote, and
    // says so once the file is written; a save that does not happen leaves the document
    // untitled and modified.
    void saveAsOutcomes_data()
    {
        QTest::addColumn<QList<QMessageBox::StandardButton>>("answers");
        QTest::addColumn<QString>("chosen");  // empty cancels the dialog
        QTest::addColumn<Result>("result");
        QTest::addColumn<bool>("dialogShown");
        const QList<QMessageBox::StandardButton> none;
        QTest::newRow("written") << none << "new.html" << Result::Done << true;
        QTest::newRow("dialog cancelled") << none << "" << Result::Cancelled << true;
        QTest::newRow("overwrite cancelled") << none << "old.html" << Result::Cancelled << true;
        QTest::newRow("folder gone") << none << "gone/new.html" << Result::Failed << true;
        QTest::newRow("open in another tab") << QList{QMessageBox::Yes} << "open.html" << Result::Failed << true;
        QTest::newRow("losing characters declined") << none << "new.html" << Result::Cancelled << false;
    }

    void saveAsOutcomes()
    {
        QFETCH(QList<QMessageBox::StandardButton>, answers);
        QFETCH(QString, chosen);
        QFETCH(Result, result);
        QFETCH(bool, dialogShown);
        QVERIFY(WriteBytes(file("old.html"), "old"));
        QVERIFY(WriteBytes(file("open.html"), "open"));
        QVERIFY(files->OpenDocument(file("open.html")).done());
        TDocument *document = edited(QString::fromUtf8("caf\xc3\xa9 \xe4\xb8\xad"));
        document->setEncoding(QTest::currentDataTag() == QByteArray("losing characters declined") ? DocumentText::Ansi
                                                                                                  : DocumentText::Utf8);
        dialogs->answers = answers;
        if (!chosen.isEmpty())
            dialogs->saveAnswers << file(chosen);

        QSignalSpy written(files, &DocumentFiles::saved);
        const FileOutcome outcome = files->SaveFileAs(document, "Untitled1.html", settings());
        QCOMPARE(outcome.result, result);
        QCOMPARE(written.count(), result == Result::Done ? 1 : 0);
        if (result == Result::Done)
            QCOMPARE(written.first().at(1).toString(), file(chosen));
        QCOMPARE(outcome.dialogShown, dialogShown);
        QCOMPARE(outcome.chosenPath, result == Result::Done ? file(chosen) : QString());
        QCOMPARE(dialogs->saveProposals, dialogShown ? QStringList{file("Untitled1.html")} : QStringList());
        QCOMPARE(recent[0], result == Result::Done ? file(chosen) : file("open.html"));
        QCOMPARE(document->isUntitled(), result != Result::Done);
        QCOMPARE(document->isModified(), result != Result::Done);
        QCOMPARE(ReadBytes(file("old.html")), QByteArray("old"));
        QCOMPARE(ReadBytes(file("open.html")), QByteArray("open"));
        if (result == Result::Failed)
            QCOMPARE(dialogs->texts().last(), outcome.reason);
    }

    // The question before closing: only a document that was saved or is not to be saved may go.
    void closingAsksFirst_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<Result>("result");
        QTest::newRow("no") << QMessageBox::No << "" << Result::Done;
        QTest::newRow("cancel") << QMessageBox::Cancel << "" << Result::Cancelled;
        QTest::newRow("yes, saved") << QMessageBox::Yes << "kept.html" << Result::Done;
        QTest::newRow("yes, dialog cancelled") << QMessageBox::Yes << "" << Result::Cancelled;
        QTest::newRow("yes, write failed") << QMessageBox::Yes << "gone/kept.html" << Result::Failed;
    }

    void closingAsksFirst()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(QString, chosen);
        QFETCH(Result, result);
        TDocument *document = edited("text");
        document->setPath(file("doc.html"));
        tabs->setCurrent(edited("other"));
        dialogs->answers << answer;
        if (!chosen.isEmpty())
            dialogs->saveAnswers << file(chosen);
        QCOMPARE(files->SaveBeforeExit(document, settings()).result, result);
        QCOMPARE(ReadBytes(file("kept.html")), result == Result::Done && !chosen.isEmpty() ? "text" : QByteArray());
        // Yes saves as, in front, proposing the document's own file.
        QCOMPARE(tabs->current()->text(), QString(answer == QMessageBox::Yes ? "text" : "other"));
        QCOMPARE(dialogs->saveProposals, answer == QMessageBox::Yes ? QStringList{file("doc.html")} : QStringList());
        // An unmodified document goes without a question.
        document->setModified(false);
        QVERIFY(files->SaveBeforeExit(document, {}).done());
        QCOMPARE(dialogs->asked.size(), 1 + (result == Result::Failed));
    }

    // The charset list shows what the page declares; picking another rewrites the declaration
    // as one undo step and leaves the caret where it was.
    void theDeclaredCharset()
    {
        const QString page = "<html><head>\n<meta charset=\"utf-8\">\n</head>\n<body>x</body>";
        TDocument *document = edited(page);
        const QStringList items = DocumentText::CBCharsetItems();
        QCOMPARE(DocumentFiles::DeclaredCharsetIndex(document), items.indexOf("utf-8"));
        document->editor()->setCursorPosition(3, 4);
        QVERIFY(DocumentFiles::ReplaceDeclaredCharset(document, "latin1"));
        QCOMPARE(DocumentFiles::DeclaredCharsetIndex(document), items.indexOf("latin1"));
        int line = -1;
        int index = -1;
        document->editor()->getCursorPosition(&line, &index);
        QCOMPARE(QPoint(index, line), QPoint(4, 3));
        document->editor()->undo();
        QCOMPARE(document->text(), page);
        QVERIFY(!DocumentFiles::ReplaceDeclaredCharset(edited("<p>none</p>"), "latin1"));
    }

    // A rename follows the file in the recent files given, not in another list.
    void renameFollowsTheFileInTheRecentFiles()
    {
        QVERIFY(WriteBytes(file("a.html"), "a"));
        TDocument *document = files->OpenDocument(file("a.html")).document;
        QSignalSpy recentChanged(files, &DocumentFiles::recentFilesChanged);
        dialogs->textAnswers << "b.html";
        QVERIFY(files->Rename(document).done());
        QCOMPARE(recent[0], file("b.html"));
        QCOMPARE(recentChanged.count(), 1);
    }

    // The menu's positions count filled slots only, and a gone file is not offered to open.
    void recentMenuPositionsSkipEmptySlots()
    {
        QVERIFY(WriteBytes(file("a.html"), "a"));
        recent[1] = file("a.html");
        recent[4] = file("gone.html");
        recent[7] = file("a.html");
        QMenu menu;
        TRecentFilesMenu recentMenu(&menu, recent);
        recentMenu.Rebuild();
        QSignalSpy chosen(&recentMenu, &TRecentFilesMenu::chosen);
        menu.findChild<QAction *>("ItemRecentFiles_2")->trigger();
        QCOMPARE(chosen.takeFirst().at(0).toInt(), 2);
        QCOMPARE(recentMenu.FileAt(0), file("a.html"));
        QCOMPARE(recentMenu.FileAt(1), QString());
        QCOMPARE(recentMenu.FileAt(2), file("a.html"));
        QCOMPARE(recentMenu.FileAt(3), QString());
    }
};

VK_WINDOW_TEST_MAIN(TestDocumentFiles)
#include "tst_documentfiles.moc"
