// The insertion tool bars, their drop-down menus and the editors' pop-up menu, used as a
// user does on the main window.
#include "MainFormTestSupport.h"

#include "authoring/InsertionWidgets.h"
#include "authoring/TInsertionCommands.h"
#include "program/LanguageFile.h"
#include "program/MessagesKandrix.h"
#include "documents/EditorText.h"
#include "documents/TDocument.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QSpinBox>
#include <QToolButton>
#include <Qsci/qsciscintilla.h>

namespace {
const QStringList InsertionPages = {"TBHtmlTags", "TBTableLists", "TBForms", "TBAttributes"};
// These open modal windows; their hand-over is tested with a stand-in generator.
const QStringList WindowOpeners = {"ButtonContainer", "PopUpEditorContainer", "ButtonTableEditor", "PopupEditorTable",
                                   "PopupBlankTable"};
} // namespace

class TestInsertionCommands : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<TMainForm> form;
    QString pagePath;

    TDocument *doc() const { return currentDocument(form); }
    QsciScintilla *editor() const { return doc()->editor(); }
    QString text() const { return EditorText(editor()); }
    QString beforeCaret() const
    {
        return editor()->text(0, int(editor()->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS)));
    }
    // The saved page in front holding only the text, all of it selected, with no undo history.
    void page(const QString &content, TDocument::LineBreak lineBreak = TDocument::LineBreak::LF)
    {
        form->DocumentTabs()->setCurrent(form->DocumentTabs()->findByPath(pagePath));
        doc()->setLineBreak(lineBreak);
        LoadEditorText(editor(), content);
        editor()->selectAll();
    }
    void use(QObject *component)
    {
        if (auto *button = qobject_cast<QAbstractButton *>(component))
            button->click();
        else if (auto *action = qobject_cast<QAction *>(component))
            action->trigger();
    }
    void use(const QString &name) { use(component(name)); }
    QObject *component(const QString &name) const { return form->findChild<QObject *>(name); }
    void clearDialogs()
    {
        dialogs.reset();
        dialogs = std::make_unique<ScriptedDialogs>();
    }

    // Every button of the insertion pages, the items of their drop-down menus and the
    // insertion items of the pop-up menu.
    QStringList insertionComponents() const
    {
        QStringList names;
        auto items = [&names](QMenu *menu) {
            for (QAction *a : menu->actions()) {
                if (!a->isSeparator() && a->isEnabled() && !a->objectName().isEmpty())
                    names << a->objectName();
            }
        };
        for (const QString &pageName : InsertionPages) {
            for (QAbstractButton *b : form->findChild<QWidget *>(pageName)->findChildren<QAbstractButton *>()) {
                if (b->objectName().startsWith("qt_"))
                    continue;
                names << b->objectName();
                if (auto *tool = qobject_cast<QToolButton *>(b); tool && tool->menu())
                    items(tool->menu());
            }
        }
        items(child<QMenu *>(form, "PopupHtmlTagsAndAttributes"));
        for (const char *edit : {"PopupCut", "PopupCopy", "PopupPaste"})
            names.removeAll(edit);
        return names;
    }

private slots:
    void initTestCase()
    {
        ClearMessages();
        folder = std::make_unique<TempProgramFolder>();
        dialogs = std::make_unique<ScriptedDialogs>();
        form = StartMainForm();
        QVERIFY(form);
        QDir().mkpath(folder->file("site/img"));
        QVERIFY(QImage(37, 23, QImage::Format_RGB32).save(folder->file("site/img/a.png")));
        pagePath = folder->file("site/page.html");
        dialogs->saveAnswers << pagePath;
        QVERIFY(saveAs(form));
    }

    void cleanupTestCase()
    {
        CloseMainForm(form);
        dialogs.reset();
        folder.reset();
    }

    void init() { clearDialogs(); }

    // A block takes the document's line breaks (mixed ones would follow otherwise), holds the
    // count asked for, has no line break after it, and the caret lands right after it.
    void listFollowsTheDocumentsLineBreaks_data()
    {
        QTest::addColumn<int>("lineBreak");
        QTest::addColumn<QString>("eol");
        QTest::newRow("CR LF") << int(TDocument::LineBreak::CRLF) << "\r\n";
        QTest::newRow("LF") << int(TDocument::LineBreak::LF) << "\n";
    }
    void listFollowsTheDocumentsLineBreaks()
    {
        QFETCH(int, lineBreak);
        QFETCH(QString, eol);
        page("abc", TDocument::LineBreak(lineBreak));
        form->findChild<QSpinBox *>("SENumRows")->setValue(3);
        use("ButtonList_UL");
        QCOMPARE(text(), "<ul>" + eol + "<li></li>" + eol + "<li></li>" + eol + "<li></li>" + eol + "</ul>");
        QCOMPARE(beforeCaret(), text());
    }

    // The counters are shared by all documents: the third check box of a run reads 3.
    void checkboxesAreNumberedAcrossDocuments()
    {
        page("");
        use("ButtonFormCheck");
        const int first = text().section("Checkbox ", 1).section('<', 0, 0).toInt();
        use("ButtonFormCheck");
        newDocument(form);
        use("ButtonFormCheck");
        QVERIFY(text().contains(QStringLiteral("> Checkbox %1</label>").arg(first + 2)));
        DiscardChanges(form.get());
        trigger(form, "PopUpClose");
    }

    // The colour dialog opens on black the first time, then on the colour chosen last;
    // Cancel inserts nothing.
    void colourInASpan()
    {
        page("abc");
        dialogs->colorAnswers << QColor(255, 0, 0);
        use("ButtonColors");
        QCOMPARE(text(), QStringLiteral("<span style=\"color:#FF0000\">abc</span>"));
        QCOMPARE(editor()->selectedText(), QStringLiteral("abc"));
        use("PopupHTMLColor_02");
        QCOMPARE(dialogs->colorsOffered, (QList<QColor>{Qt::black, QColor(255, 0, 0)}));
        QCOMPARE(text(), QStringLiteral("<span style=\"color:#FF0000\">abc</span>"));
    }

    // A picture beside the page links relatively with its real size; a picture whose size
    // cannot be read has no width and height. The image folder follows the choice, without
    // a trailing separator, and File > Open still offers its own filter and title.
    void imagesAndLinks()
    {
        page("");
        const QString imageFolder = form->Settings().LastImageFolder;
        dialogs->openAnswers << QStringList{folder->file("site/img/a.png")};
        use("ButtonImage");
        QCOMPARE(text(), QStringLiteral("<img src=\"./img/a.png\" width=\"37\" height=\"23\" alt=\"\" />"));
        QCOMPARE(dialogs->openFolders, QStringList{imageFolder});
        QCOMPARE(dialogs->openFilterIndexes, QList<int>{11});
        QCOMPARE(form->Settings().LastImageFolder, folder->file("site/img"));

        page("");
        QVERIFY(folder->write("site/img/broken file.png", "xyz"));
        dialogs->openAnswers << QStringList{folder->file("site/img/broken file.png")};
        use("ButtonFormImg");
        QCOMPARE(text(), QStringLiteral("<input type=\"image\" src=\"./img/broken%20file.png\" alt=\"\">"));
        QCOMPARE(dialogs->openFolders.last(), folder->file("site/img"));

        page("abc");
        dialogs->openAnswers << QStringList{folder->file("other & more.html")};
        use("ButtonLinkInternal");
        QCOMPARE(text(), QStringLiteral("<a href=\"../other%20%26%20more.html\" title=\"\">abc</a>"));
        QCOMPARE(dialogs->openFilterIndexes.last(), 2);
        QCOMPARE(dialogs->openFolders.last(), QDir::currentPath());

        trigger(form, "MenuOpen");
        QCOMPARE(dialogs->openTitles.last(), FOpenDialogTitle);
        QCOMPARE(dialogs->openFilterIndexes.last(), 1);
    }

    // An untitled document has no folder to link from: the message, and nothing else.
    void untitledDocumentCannotLink()
    {
        newDocument(form);
        const QString before = text();
        for (const char *name : {"ButtonLinkInternal", "ButtonImage", "ButtonFormImg"})
            use(name);
        QCOMPARE(dialogs->texts(), QStringList(3, FSaveFileInFirst));
        QVERIFY(dialogs->openTitles.isEmpty());
        QCOMPARE(text(), before);
        trigger(form, "PopUpClose");
    }

    // Every button and item inserts its own markup, built from its Hint when it is
    // Hint-driven, and is undone in one step.
    void everyComponentInsertsItsMarkup_data()
    {
        QTest::addColumn<QString>("name");
        const QStringList names = insertionComponents();
        QVERIFY(!names.isEmpty());
        for (const QString &name : names) {
            if (!WindowOpeners.contains(name))
                QTest::newRow(qPrintable(name)) << name;
        }
    }

    void everyComponentInsertsItsMarkup()
    {
        QFETCH(QString, name);
        page("abc");
        dialogs->colorAnswers << QColor(0, 128, 255);
        dialogs->openAnswers << QStringList{folder->file("site/img/a.png")};
        QObject *c = component(name);
        const QString hint = HintOf(c);
        const QString primitive = c->property(MarkupHintProperty).toString();
        use(c);
        QString expected;
        if (primitive == "ClosedTag") {
            const QString inner = hint.mid(1, hint.size() - 2);
            expected = "<" + inner + ">abc</" + inner + ">";
        } else if (primitive == "OpenEmptyTag") {
            expected = hint + "abc";
        } else if (primitive == "Attribute") {
            expected = " " + hint.chopped(1) + "abc\"";
        } else if (primitive == "Block") {
            expected = hint;
        }
        if (!expected.isEmpty())
            QCOMPARE(text(), expected);
        else
            QVERIFY2(text() != "abc" && !text().isEmpty(), qPrintable(text()));
        QVERIFY(dialogs->asked.isEmpty());
        editor()->undo();
        QCOMPARE(text(), QStringLiteral("abc"));
        editor()->undo();
        QCOMPARE(text(), QStringLiteral("abc"));
    }

    // With the Tidy page in front there is no document: no command asks anything or
    // changes any text.
    void noDocumentNoInsertion()
    {
        page("abc");
        documentPages(form)->setCurrentIndex(0);
        QVERIFY(!currentDocument(form));
        dialogs->colorAnswers << QColor(Qt::red);
        dialogs->openAnswers << QStringList{folder->file("site/img/a.png")};
        for (const QString &name : insertionComponents())
            use(name);
        use(action(form, "MenuTableEditor"));
        QVERIFY(dialogs->asked.isEmpty());
        QVERIFY(dialogs->colorsOffered.isEmpty());
        QVERIFY(dialogs->openTitles.isEmpty());
        form->DocumentTabs()->setCurrent(form->DocumentTabs()->findByPath(pagePath));
        QCOMPARE(text(), QStringLiteral("abc"));
    }

    // Opening the pop-up menu enables Cut for a selection only; its shortcuts reach its items.
    void popupMenuAndShortcuts()
    {
        page("abc");
        editor()->setCursorPosition(0, 1);
        child<QMenu *>(form, "PopupHtmlTagsAndAttributes")->popup(QPoint(0, 0));
        QVERIFY(!action(form, "PopupCut")->isEnabled());
        child<QMenu *>(form, "PopupHtmlTagsAndAttributes")->hide();
        editor()->selectAll();
        child<QMenu *>(form, "PopupHtmlTagsAndAttributes")->popup(QPoint(0, 0));
        QVERIFY(action(form, "PopupCut")->isEnabled());
        child<QMenu *>(form, "PopupHtmlTagsAndAttributes")->hide();

        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        editor()->setFocus();
        editor()->selectAll();
        QTest::keyClick(editor(), Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(text(), QStringLiteral("<b>abc</b>"));
        QTest::keyClick(editor(), Qt::Key_P, Qt::AltModifier);
        QCOMPARE(text(), QStringLiteral("<b><p>abc</p></b>"));
    }

    // A translation changes tool tips and the count boxes' captions, never the markup a
    // Hint-driven button inserts.
    void languageFileKeepsMarkupHints()
    {
        chooseLanguage(form, dialogs.get(), folder.get(), "lang_xx.txt",
                       {"Button_P.Hint=Paragraph", "ButtonJustify.Hint=Justify it", "PanelRows=Rows:"});
        QCOMPARE(HintOf(component("Button_P")), QStringLiteral("<p>"));
        QCOMPARE(HintOf(component("ButtonJustify")), QStringLiteral("Justify it"));
        QCOMPARE(form->findChild<QWidget *>("PanelRows")->findChild<QLabel *>()->text(), QStringLiteral("Rows:"));
    }

    // A page made only with the tool bars passes HTML Tidy without errors.
    void pageFromToolBarsPassesTidy()
    {
        page("");
        auto type = [this](const QString &t) { QTest::keyClicks(editor(), t); };
        auto toEnd = [this] { editor()->SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND); };
        auto newLine = [&] {
            toEnd();
            QTest::keyClick(editor(), Qt::Key_Return);
        };
        use("PopupTitle_H1");
        type("Title");
        newLine();
        use("Button_P");
        type("Some ");
        use("ButtonBolds");
        type("bold");
        toEnd();
        newLine();
        use("ButtonAnchors");
        type("Anchor");
        newLine();
        form->findChild<QSpinBox *>("SENumRows")->setValue(2);
        use("ButtonList_OL");
        newLine();
        dialogs->colorAnswers << QColor(10, 20, 30);
        use("ButtonJustifyCenter");
        use("ButtonColors");
        type("coloured");
        newLine();
        dialogs->openAnswers << QStringList{folder->file("site/img/a.png")};
        use("ButtonImage");
        newLine();
        use("ButtonForm");
        editor()->SendScintilla(QsciScintillaBase::SCI_LINEUP);
        for (const char *name : {"ButtonFormInputText", "ButtonFormCheck", "ButtonFormSelect", "ButtonFormSubmit"})
            use(name);
        const QString file = folder->file("site/tidy-check.html");
        QVERIFY(folder->write("site/tidy-check.html", text().toUtf8()));
        QProcess tidy;
        tidy.start(folder->file("tidy5/tidy"), {"-q", "-e", file});
        QVERIFY(tidy.waitForFinished(30000));
        const QString report = QString::fromUtf8(tidy.readAllStandardError());
        QVERIFY2(tidy.exitStatus() == QProcess::NormalExit && tidy.exitCode() < 2, qPrintable(report + text()));
        QVERIFY2(!report.contains("Error:"), qPrintable(report));
    }
};

VK_WINDOW_TEST_MAIN(TestInsertionCommands)
#include "tst_insertioncommands.moc"
