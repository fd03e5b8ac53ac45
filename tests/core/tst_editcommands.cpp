// The Edit menu, the search commands, printing and the preview page of the main window,
// driven as a user would.
#include "MainFormTestSupport.h"
#include "core/DocumentPrinting.h"

#include "core/EditorPrinter.h"
#include "documents/PreviewPage.h"
#include "program/uDivStartVK.h"
#include "tools/ReSearchReplaceSE.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QWebEngineView>

namespace {
// The font of the editor's first style and its tab width.
QPair<QByteArray, long> printState(QsciScintillaBase *editor)
{
    char font[64] = {};
    editor->SendScintilla(QsciScintillaBase::SCI_STYLEGETFONT, 0UL, font);
    return {font, editor->SendScintilla(QsciScintillaBase::SCI_GETTABWIDTH)};
}

// Notes that state while a page is laid out.
struct PrintProbe : TEditorPrinter {
    QsciScintillaBase *editor = nullptr;
    QPair<QByteArray, long> seen;
    int printRange(QsciScintillaBase *e, QPainter &painter, int from, int to) override
    {
        editor = e;
        return TEditorPrinter::printRange(e, painter, from, to);
    }
    void formatPage(QPainter &, bool, QRect &, int) override { seen = printState(editor); }
};
} // namespace

class TestEditCommands : public QObject, MainFormFixture {
    Q_OBJECT

    TDocument *document() const { return currentDocument(form); }
    TDocumentPrinting *printing() const { return child<TDocumentPrinting *>(form, "DocumentPrinting"); }
    QTabWidget *innerPages(TDocument *doc) const
    {
        return doc->container()->findChild<QTabWidget *>("SubPC_" + doc->container()->objectName());
    }
    void showPreview(TDocument *doc, bool show = true) { innerPages(doc)->setCurrentIndex(show ? 1 : 0); }
    TPreviewPage *page(TDocument *doc) const { return qobject_cast<TPreviewPage *>(doc->browser()->page()); }
    QStringList enabledEditItems()
    {
        auto *menu = form->findChild<QMenu *>("MenuEdit");
        emit menu->aboutToShow();
        QStringList enabled;
        for (QAction *action : menu->actions()) {
            if (!action->isSeparator() && action->isEnabled())
                enabled << action->objectName();
        }
        emit menu->aboutToHide();
        return enabled;
    }
    QString pageText(QWebEngineView *browser)
    {
        QString text;
        bool done = false;
        browser->page()->toPlainText([&](const QString &t) {
            text = t;
            done = true;
        });
        if (!QTest::qWaitFor([&] { return done; }, 10000))
            return QStringLiteral("<no answer>");
        return text.trimmed();
    }
    static QWebEnginePage::NavigationType typeOf(const QSignalSpy &spy, int i)
    {
        return spy.at(i).at(1).value<QWebEnginePage::NavigationType>();
    }

private slots:
    void init() { QVERIFY(SetUp()); }
    void cleanup() { TearDown(); }

    // No browser runs before a preview is shown. The first showing navigates to a fresh
    // copy, later showings reload it with the new text, and after another document was
    // shown it navigates again.
    void previewNavigatesOnceThenReloads()
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            QVERIFY(!window->findChild<QWebEngineView *>());
        TDocument *first = document();
        first->editor()->setText("<p>first</p>");
        showPreview(first);
        QSignalSpy navigations(page(first), &TPreviewPage::navigationStarted);
        QSignalSpy loaded(first->browser(), &QWebEngineView::loadFinished);
        QTRY_COMPARE_WITH_TIMEOUT(loaded.count(), 1, 15000);
        QCOMPARE(navigations.count(), 1);
        QCOMPARE(typeOf(navigations, 0), QWebEnginePage::NavigationTypeTyped);
        QCOMPARE(TemporaryCopyPath(form.get()), Paths().TmpDir + "tmptid.htm");
        QCOMPARE(first->browser()->url(), QUrl::fromLocalFile(TemporaryCopyPath(form.get())));
        QCOMPARE(pageText(first->browser()), QStringLiteral("first"));

        showPreview(first, false);
        first->editor()->setText("<p>second</p>");
        showPreview(first);
        QTRY_COMPARE_WITH_TIMEOUT(loaded.count(), 2, 15000);
        QCOMPARE(navigations.count(), 2);
        QCOMPARE(typeOf(navigations, 1), QWebEnginePage::NavigationTypeReload);
        QCOMPARE(pageText(first->browser()), QStringLiteral("second"));

        newDocument(form);
        QVERIFY(document() != first);
        documentPages(form)->setCurrentWidget(first->container());
        QTRY_COMPARE_WITH_TIMEOUT(loaded.count(), 3, 15000);
        QCOMPARE(navigations.count(), 3);
        QCOMPARE(typeOf(navigations, 2), QWebEnginePage::NavigationTypeTyped);

        // The reload button navigates afresh too.
        QTest::mouseClick(first->container()->findChild<QPushButton *>(
                              QStringLiteral("ButtonWBReload_%1").arg(first->number())),
                          Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(loaded.count(), 4, 15000);
        QCOMPARE(typeOf(navigations, 3), QWebEnginePage::NavigationTypeTyped);
    }

    // The copy lies beside the document, in the document's encoding.
    void previewCopyIsBesideTheDocumentInItsEncoding()
    {
        QVERIFY(folder->write("site/page.html", bytes({0xFF, 0xFE, '<', 0, 'b', 0, '>', 0, 0xE9, 0, '<', 0, '/', 0,
                                                       'b', 0, '>', 0})));
        OpenThroughDialog(form.get(), dialogs.get(), folder->file("site/page.html"));
        TDocument *doc = document();
        showPreview(doc);
        QSignalSpy loaded(doc->browser(), &QWebEngineView::loadFinished);
        QCOMPARE(TemporaryCopyPath(form.get()), folder->file("site/tmptid.htm"));
        QCOMPARE(folder->read("site/tmptid.htm").left(4), bytes({0xFF, 0xFE, '<', 0}));
        QTRY_COMPARE_WITH_TIMEOUT(loaded.count(), 1, 15000);
        QCOMPARE(pageText(doc->browser()), QStringLiteral("\u00E9"));

        // A folder that takes no copy (gone here, which stops root too): the program's own serves.
        showPreview(doc, false);
        QVERIFY(QDir(folder->file("site")).removeRecursively());
        showPreview(doc);
        QCOMPARE(TemporaryCopyPath(form.get()), Paths().TmpDir + "tmptid.htm");
        QVERIFY(dialogs->asked.isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(loaded.count(), 2, 15000);
    }

    // Relative links and pictures: the document brought back to the front previews a copy
    // beside itself, not beside the document opened last.
    void previewCopyFollowsTheDocumentInFront()
    {
        QVERIFY(folder->write("a/page.html", "<p>a</p>"));
        QVERIFY(folder->write("b/page.html", "<p>b</p>"));
        OpenThroughDialog(form.get(), dialogs.get(), folder->file("a/page.html"));
        TDocument *a = document();
        OpenThroughDialog(form.get(), dialogs.get(), folder->file("b/page.html"));
        QCOMPARE(TemporaryCopyPath(form.get()), folder->file("b/tmptid.htm"));
        documentPages(form)->setCurrentWidget(a->container());
        showPreview(a);
        QSignalSpy loaded(a->browser(), &QWebEngineView::loadFinished);
        QTRY_COMPARE_WITH_TIMEOUT(loaded.count(), 1, 15000);
        QCOMPARE(a->browser()->url(), QUrl::fromLocalFile(folder->file("a/tmptid.htm")));
        QCOMPARE(pageText(a->browser()), QStringLiteral("a"));
    }

    // An empty document shows a blank page and writes no copy.
    void emptyDocumentPreviewsBlank()
    {
        TDocument *doc = document();
        doc->editor()->clear();
        QFile::remove(Paths().TmpDir + "tmptid.htm");
        showPreview(doc);
        QSignalSpy loaded(doc->browser(), &QWebEngineView::loadFinished);
        QTRY_COMPARE_WITH_TIMEOUT(loaded.count(), 1, 15000);
        QCOMPARE(doc->browser()->url(), QUrl("about:blank"));
        QVERIFY(!QFile::exists(Paths().TmpDir + "tmptid.htm"));
    }

    // What the Edit menu offers depends on what is in front.
    void editMenuFollowsTheContext()
    {
        TDocument *doc = document();
        doc->editor()->setText("abc");
        doc->editor()->setSelection(0, 0, 0, 2);
        QVERIFY(enabledEditItems().contains("MenuCut"));
        showPreview(doc);
        QCOMPARE(enabledEditItems(), (QStringList{"MenuCopy", "MenuSearch", "MenuSelectAll"}));
        documentPages(form)->setCurrentWidget(form->findChild<QWidget *>("TBTidyConfig"));
        QCOMPARE(enabledEditItems(), (QStringList{"MenuCopy", "MenuSearch", "MenuSelectAll"}));
        // Closed, the menu leaves the items live for their keys.
        QVERIFY(action(form, "MenuSearchNext")->isEnabled());
    }

    // Cut, Paste, Undo and Delete do nothing on the Tidy page or the preview.
    void editCommandsLeaveHiddenEditorsAlone()
    {
        TDocument *doc = document();
        doc->editor()->setText("abc");
        doc->editor()->selectAll();
        const QString before = doc->editor()->text();
        // Each on its own: an Undo after a Delete would hide the Delete.
        documentPages(form)->setCurrentWidget(form->findChild<QWidget *>("TBTidyConfig"));
        for (const char *name : {"MenuCut", "MenuPaste", "MenuDelete", "MenuUndo"}) {
            action(form, name)->trigger();
            QCOMPARE(doc->editor()->text(), before);
        }
        documentPages(form)->setCurrentWidget(doc->container());
        showPreview(doc);
        for (const char *name : {"MenuCut", "MenuDelete", "MenuUndo"}) {
            action(form, name)->trigger();
            QCOMPARE(doc->editor()->text(), before);
        }
    }

    // F3 with no search text opens the window; with one it finds the next match and
    // leaves the window as it is.
    void searchNextFindsOrOpens()
    {
        TDocument *doc = document();
        doc->editor()->setText("foo bar foo");
        doc->editor()->setCursorPosition(0, 0);
        doc->editor()->setFocus();
        QTest::keyClick(doc->editor(), Qt::Key_F3);
        TSearchReplaceSE *window = child<TSearchReplaceSE *>(form, "SearchReplaceSE");
        QVERIFY(window->isVisible());
        QCOMPARE(Control<QTabWidget>(window, "PageControlSearchReplace")->currentWidget(), Control<QWidget>(window, "TBSearch"));
        Control<QComboBox>(window, "CBSea_FindText")->setEditText("foo");
        QTest::mouseClick(Control<QPushButton>(window, "ButtonSearch"), Qt::LeftButton);
        QCOMPARE(doc->editor()->selectedText(), QStringLiteral("foo"));
        window->hide();
        form->activateWindow();
        doc->editor()->setFocus();
        QTest::keyClick(doc->editor(), Qt::Key_F3);
        QVERIFY(!window->isVisible());
        int line = 0, from = 0, toLine = 0, to = 0;
        doc->editor()->getSelection(&line, &from, &toLine, &to);
        QCOMPARE(from, 8);
        // The text searched is kept for the settings file.
        QCOMPARE(form->Settings().FDFindItem.value(0), QStringLiteral("foo"));
        QVERIFY(dialogs->asked.isEmpty());
    }

    // While the window is visible, releasing a key or the mouse in the editor proposes the
    // zone afresh; showing another document makes the zone that whole document.
    void zoneFollowsTheEditor()
    {
        TDocument *doc = document();
        doc->editor()->setText("one two\nthree");
        trigger(form, "MenuReplace");
        TSearchReplaceSE *window = child<TSearchReplaceSE *>(form, "SearchReplaceSE");
        QCOMPARE(Control<QTabWidget>(window, "PageControlSearchReplace")->currentWidget(), Control<QWidget>(window, "TBReplace"));
        doc->editor()->setCursorPosition(0, 4);
        QTest::keyClick(doc->editor(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(Control<QRadioButton>(window, "CBRep_BeginSelection")->text(), QStringLiteral("Curseur [1: 5]"));
        QCOMPARE(Control<QRadioButton>(window, "CBRep_EndSelection")->text(), QStringLiteral("Curseur [2: 1]"));
        QVERIFY(Control<QRadioButton>(window, "CBRep_EndSelection")->isChecked());
        doc->editor()->setSelection(0, 0, 0, 3);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(doc->editor()->viewport(), &release);
        QCOMPARE(Control<QRadioButton>(window, "CBRep_EndSelection")->text(), QStringLiteral("Curseur [1: 4]"));
        QVERIFY(Control<QRadioButton>(window, "CBRep_BeginDocument")->isChecked());
        newDocument(form);
        QCOMPARE(window->Document(), document());
        QVERIFY(Control<QRadioButton>(window, "CBRep_BeginDocument")->isChecked() && Control<QRadioButton>(window, "CBRep_EndDocument")->isChecked());
    }

    // After the last document closes the search commands and Copy do nothing, and the
    // window that searched it touches nothing.
    void nothingToSearchAfterTheLastDocument()
    {
        document()->editor()->setText("foo");
        trigger(form, "MenuSearch");
        TSearchReplaceSE *window = child<TSearchReplaceSE *>(form, "SearchReplaceSE");
        Control<QComboBox>(window, "CBSea_FindText")->setEditText("foo");
        window->hide();
        DiscardChanges(form.get());
        trigger(form, "PopUpClose");
        QTRY_VERIFY(!window->Document());
        QVERIFY(!currentDocument(form) && !form->DocumentTabs()->lastCurrent());
        QVERIFY(enabledEditItems().isEmpty());
        for (const char *name : {"MenuSearchNext", "MenuSearch", "MenuReplace", "MenuCopy", "MenuSelectAll",
                                 "MenuPrint", "MenuPrinterSetup"})
            action(form, name)->trigger();
        QVERIFY(!window->isVisible());
        Control<QComboBox>(window, "CBRep_FindText")->setEditText("foo");
        for (QPushButton *button : {Control<QPushButton>(window, "ButtonSearch"), Control<QPushButton>(window, "ButtonReplace"), Control<QPushButton>(window, "ButtonReplaceAll")})
            button->click();
        window->AutoSetting();
        window->FindDialogFind();
        QVERIFY(dialogs->asked.isEmpty());
    }

    // The editor prints at once, titled with the file name, empty while untitled, in the body
    // font with tabs 8 wide; the editor keeps its own.
    void printingTitlesWithTheFileName()
    {
        QVERIFY(folder->write("page.html", "<p>printed</p>"));
        auto probe = std::make_shared<PrintProbe>();
        printing()->SetEditorPrinter(probe);
        printing()->EditorPrinter()->setOutputFormat(QPrinter::PdfFormat);
        printing()->EditorPrinter()->setOutputFileName(folder->file("untitled.pdf"));
        document()->editor()->setTabWidth(3);
        const QPair<QByteArray, long> shown = printState(document()->editor());
        action(form, "MenuPrint")->trigger();
        QCOMPARE(probe->seen, qMakePair(QByteArray("Tahoma"), 8L));
        QCOMPARE(printState(document()->editor()), shown);
        QCOMPARE(printing()->EditorPrinter()->docName(), QString());
        QVERIFY(QFile(folder->file("untitled.pdf")).size() > 0);
        OpenThroughDialog(form.get(), dialogs.get(), folder->file("page.html"));
        printing()->EditorPrinter()->setOutputFileName(folder->file("page.pdf"));
        action(form, "MenuPrint")->trigger();
        QCOMPARE(printing()->EditorPrinter()->docName(), QStringLiteral("page.html"));
        QVERIFY(QFile(folder->file("page.pdf")).size() > 0);
        // The preview prints through its dialog: cancelled, nothing is printed.
        showPreview(document());
        dialogs->printerAnswers << false;
        action(form, "MenuPrint")->trigger();
        QVERIFY(dialogs->printerAnswers.isEmpty());
        QVERIFY(dialogs->asked.isEmpty());
    }

    // Printing gave the styles that name no font an empty name: the editor's lines grew for
    // the rest of the session.
    void printingLeavesTheEditorAsItWas()
    {
        QsciScintilla *editor = document()->editor();
        editor->setText("<p>one</p>\n\t<b>two</b>\n");
        printing()->EditorPrinter()->setOutputFormat(QPrinter::PdfFormat);
        printing()->EditorPrinter()->setOutputFileName(folder->file("page.pdf"));
        const long lineHeight = editor->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0UL);
        const QImage shown = editor->grab().toImage();
        action(form, "MenuPrint")->trigger();
        QVERIFY(QFile(folder->file("page.pdf")).size() > 0);
        QCOMPARE(editor->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0UL), lineHeight);
        QCOMPARE(editor->grab().toImage(), shown);
    }

    // A printer that did not start printed nothing and said nothing, and refused the file
    // chosen afterwards until a restart.
    void failedPrintIsToldAndTheNextOneWorks()
    {
        document()->editor()->setText("<p>printed</p>");
        printing()->EditorPrinter()->setOutputFileName(QString());
        printing()->EditorPrinter()->setOutputFormat(QPrinter::PdfFormat);
        printing()->EditorPrinter()->setPageOrientation(QPageLayout::Landscape);
        action(form, "MenuPrint")->trigger();
        QCOMPARE(dialogs->asked.size(), 1);
        QCOMPARE(dialogs->asked[0].icon, QMessageBox::Critical);
        // The user's choices stay.
        QCOMPARE(printing()->EditorPrinter()->pageLayout().orientation(), QPageLayout::Landscape);

        dialogs->printerAnswers << true;
        dialogs->printerFiles << folder->file("chosen.pdf");
        action(form, "MenuPrinterSetup")->trigger();
        action(form, "MenuPrint")->trigger();
        QCOMPARE(dialogs->asked.size(), 1);
        QVERIFY(QFile(folder->file("chosen.pdf")).size() > 0);
    }

    // Search with the preview in front opens the find bar over the page.
    void searchOnThePreviewOpensItsFindBar()
    {
        TDocument *doc = document();
        doc->editor()->setText("<p>find me</p>");
        showPreview(doc);
        action(form, "MenuSearch")->trigger();
        auto *bar = doc->browser()->findChild<TPreviewFindBar *>();
        QVERIFY(bar && bar->isVisible());
        auto *searchWindow = child<TSearchReplaceSE *>(form, "SearchReplaceSE");
        QVERIFY(!searchWindow || !searchWindow->isVisible());
        QTest::keyClick(bar->text(), Qt::Key_Escape);
        QVERIFY(!bar->isVisible());
    }

    // Scripts run in the preview only when the user allowed them.
    void scriptsOnlyWhenEnabled_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("shown");
        QTest::newRow("off") << false << "static";
        QTest::newRow("on") << true << "script";
    }
    void scriptsOnlyWhenEnabled()
    {
        QFETCH(bool, enabled);
        if (enabled)
            action(form, "MenuEnableJavascript")->trigger();
        TDocument *doc = document();
        doc->editor()->setText("<p id=p>static</p><script>document.getElementById('p').textContent='script'</script>");
        showPreview(doc);
        QSignalSpy loaded(doc->browser(), &QWebEngineView::loadFinished);
        QTRY_COMPARE_WITH_TIMEOUT(loaded.count(), 1, 15000);
        QTEST(pageText(doc->browser()), "shown");
        QCOMPARE(page(doc)->isSilent(), !enabled);
    }
};

VK_WINDOW_TEST_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
