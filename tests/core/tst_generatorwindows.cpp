// The generators opened from the main window's menu: what they hand back goes into the
// document in front as one undo step, and leaving them otherwise changes nothing.
#include "MainFormTestSupport.h"
#include "GeneratorTestSupport.h"

#include "authoring/TGeneratorContainer.h"
#include "authoring/TGeneratorHtmlTable.h"
#include "authoring/ZColorStringGrid.h"
#include "documents/EditorText.h"
#include "validation/TidyReport.h"

#include <QAction>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QToolButton>
#include <QTimer>
#include <functional>

class TestGeneratorWindows : public QObject, MainFormFixture {
    Q_OBJECT

    // Opens a generator from its menu item and acts in it while it is shown modally.
    void useGenerator(const QString &menuItem, const std::function<void(QDialog *)> &act)
    {
        bool acted = false;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            acted = true;
            act(dialog);
            if (dialog->isVisible())
                dialog->close();
        });
        action(form, menuItem)->trigger();
        QVERIFY(acted);
    }

    static void click(QDialog *dialog, const char *name)
    {
        QTest::mouseClick(dialog->findChild<QPushButton *>(name), Qt::LeftButton);
    }

    QsciScintilla *startWith(const QString &text)
    {
        TDocument *document = currentDocument(form);
        LoadEditorText(document->editor(), text);
        document->editor()->SendScintilla(QsciScintillaBase::SCI_SETSEL, 1, 2);
        return document->editor();
    }

    // One row for each generator, by its menu item.
    static void bothGenerators()
    {
        QTest::addColumn<QString>("menuItem");
        QTest::newRow("container") << "MenuContainerEditor";
        QTest::newRow("table") << "MenuTableEditor";
    }

private slots:
    void init() { QVERIFY(SetUp()); }
    void cleanup() { TearDown(); }

    // Cancel and the window's close button after Start leave text and selection alone;
    // Insert puts the markup of the last Start in place of the selection, undone in one step.
    void containerInsertedAsOneStep()
    {
        QsciScintilla *editor = startWith(QStringLiteral("abc"));
        for (const char *leave : {"ButtonCancel", ""}) {
            useGenerator(QStringLiteral("MenuContainerEditor"), [leave](QDialog *dialog) {
                click(dialog, "ButtonStart");
                if (*leave)
                    click(dialog, leave);
            });
            QCOMPARE(EditorText(editor), QStringLiteral("abc"));
            QCOMPARE(editor->selectedText(), QStringLiteral("b"));
        }
        useGenerator(QStringLiteral("MenuContainerEditor"), [](QDialog *dialog) {
            click(dialog, "ButtonStart");
            click(dialog, "ButtonInsert");
        });
        QVERIFY(EditorText(editor).startsWith(QStringLiteral("a<div style=\"")));
        QVERIFY(EditorText(editor).endsWith(QStringLiteral("Your text\n</div>c")));
        editor->undo();
        QCOMPARE(EditorText(editor), QStringLiteral("abc"));
    }

    // Both generators' previews follow the menu's JavaScript switch as it is when the
    // generator opens: allowed at the first opening, not at the next.
    void previewsFollowTheJavascriptSwitch_data() { bothGenerators(); }
    void previewsFollowTheJavascriptSwitch()
    {
        QFETCH(QString, menuItem);
        QAction *javascript = action(form, QStringLiteral("MenuEnableJavascript"));
        for (const bool allowed : {true, false}) {
            if (javascript->isChecked() != allowed)
                javascript->trigger();
            useGenerator(menuItem, [allowed](QDialog *dialog) {
                auto *editor = dialog->findChild<QsciScintilla *>(QStringLiteral("SynEdit1"));
                editor->selectAll();
                QTest::keyClicks(editor, QStringLiteral("<b id=\"s\">%1</b><script>document.getElementById('s')"
                                                        ".textContent = 'on'</script>")
                                             .arg(allowed ? "wait" : "off"));
                click(dialog, "ButtonStart");
                QTRY_COMPARE_WITH_TIMEOUT(ShownPage(dialog->findChild<QWebEngineView *>(),
                                                    "document.getElementById('s').textContent"),
                                          QString(allowed ? "on" : "off"), 120000);
            });
        }
    }

    // The generator's links are relative to the document in front, at its first opening and
    // after another document came forward.
    void generatorLinksFromTheDocumentInFront_data() { bothGenerators(); }
    void generatorLinksFromTheDocumentInFront()
    {
        QFETCH(QString, menuItem);
        QVERIFY(folder->write("one/page.html", "<p>one</p>"));
        QVERIFY(folder->write("one/target.html", "<p>target</p>"));
        QVERIFY(folder->write("two/page.html", "<p>two</p>"));
        OpenThroughDialog(form.get(), dialogs.get(), folder->file("one/page.html"));
        TDocument *first = currentDocument(form.get());
        OpenThroughDialog(form.get(), dialogs.get(), folder->file("two/page.html"));
        auto link = [this, &menuItem] {
            dialogs->openAnswers << QStringList{folder->file("one/target.html")};
            QString linked;
            useGenerator(menuItem, [&linked](QDialog *dialog) {
                auto *editor = Control<QsciScintilla>(dialog, "SynEdit1");
                editor->selectAll();
                Control<QToolButton>(dialog, "ButtonLinkInternal")->click();
                linked = EditorText(editor);
            });
            return linked.section(u'>', 0, 0);
        };
        QCOMPARE(link(), QStringLiteral("<a href=\"../one/target.html\" title=\"\""));

        auto *tabs = Control<QTabWidget>(form, "PageControlMemos");
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {},
                          tabs->tabBar()->tabRect(tabs->indexOf(first->container())).center());
        QCOMPARE(link(), QStringLiteral("<a href=\"./target.html\" title=\"\""));
    }

    // A table with a merge over two rows and two columns goes into a page as one step, and
    // Tidy finds no error in it.
    void tableInsertedAndValid()
    {
        const QByteArray page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                                "<title>T</title>\n</head>\n<body>\n@\n</body>\n</html>\n";
        QVERIFY(folder->write("page.html", page));
        OpenThroughDialog(form.get(), dialogs.get(), folder->file("page.html"));
        QsciScintilla *editor = currentDocument(form)->editor();
        const long at = EditorText(editor).indexOf('@');
        editor->SendScintilla(QsciScintillaBase::SCI_SETSEL, at, at + 1);

        useGenerator(QStringLiteral("MenuTableEditor"), [](QDialog *dialog) {
            auto *table = qobject_cast<TGeneratorHtmlTable *>(dialog);
            QVERIFY(table);
            Control<QSpinBox>(table, "SENumCols")->setValue(3);
            Control<QSpinBox>(table, "SENumRows")->setValue(2);
            Control<TZColorStringGrid>(table, "Grid")->SetSelection(TRect{0, 0, 1, 1});
            click(dialog, "ButtonMerge");
            click(dialog, "ButtonStart");
            click(dialog, "ButtonInsert");
        });
        QVERIFY(EditorText(editor).contains(QStringLiteral("colspan=\"2\" rowspan=\"2\"")));
        action(form, QStringLiteral("MenuAnalyze"))->trigger();
        QCOMPARE(statusText(form, 6), TidyCountsText(0, 1)); // the summary attribute, which HTML5 calls obsolete
        editor->undo();
        QCOMPARE(EditorText(editor).toUtf8(), page);
    }
};

VK_WINDOW_TEST_MAIN(TestGeneratorWindows)
#include "tst_generatorwindows.moc"
