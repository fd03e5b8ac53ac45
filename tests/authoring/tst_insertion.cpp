// The insertion primitives on a bare editor, the link routine, the generator hand-over and
// the generators' tag bar.
#include "TestSupport.h"

#include "authoring/HtmlInsert.h"
#include "authoring/TGeneratorTagBar.h"
#include "authoring/TInsertionCommands.h"
#include "program/MessagesKandrix.h"
#include "documents/EditorText.h"
#include "documents/TDocument.h"

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>
#include <QImage>
#include <QMenu>
#include <QToolButton>
#include <Qsci/qsciscintilla.h>
#include <memory>

namespace {
// A document of its own: a container, its editor, no preview.
struct Doc {
    QWidget container;
    QsciScintilla *editor = new QsciScintilla(&container);
    TDocument *document = new TDocument(0, &container, editor, nullptr);

    explicit Doc(const QString &text, TDocument::LineBreak lineBreak = TDocument::LineBreak::LF)
    {
        document->setLineBreak(lineBreak);
        LoadEditorText(editor, text);
    }
    // Selects the first occurrence of a text (or places the caret before it when select is false).
    void select(const QString &part, bool select = true)
    {
        const QString all = EditorText(editor);
        const long from = EditorLength(all.left(all.indexOf(part)));
        const long to = select ? from + EditorLength(part) : from;
        editor->SendScintilla(QsciScintillaBase::SCI_SETSEL, from, to);
    }
    QString text() const { return EditorText(editor); }
    // The text before the caret.
    QString beforeCaret() const
    {
        return editor->text(0, int(editor->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS)));
    }
    void undo() { editor->undo(); }
};
} // namespace

class TestInsertion : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ClearMessages(); }

    // Each primitive builds its markup around the selection, leaves caret and selection where
    // the user continues, and is undone in one step, also next to multi-byte characters.
    void primitives_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("primitive");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("beforeCaret");
        QTest::addColumn<QString>("selectedAfter");
        QTest::newRow("empty tag keeps the selected text after it")
            << "abc" << "abc" << "open" << "<br>" << "<br>abc" << "<br>" << "";
        QTest::newRow("closed tag around the selection") << "abc" << "abc" << "closed" << "<p>" << "<p>abc</p>"
                                                         << "<p>abc" << "abc";
        QTest::newRow("closed tag with nothing selected") << "" << "" << "closed" << "<p>" << "<p></p>" << "<p>" << "";
        QTest::newRow("attribute: caret before the value") << "x" << "x" << "attribute" << "id=\"\"" << " id=\"x\""
                                                           << " id=\"" << "";
        QTest::newRow("hot-key markers stripped") << "abc" << "abc" << "closed" << "<&&&p>" << "<&p>abc</&p>"
                                                  << "<&p>abc" << "abc";
        const QString rich = QString::fromUtf8("\xc3\xa9\xf0\x9f\x98\x80" "abc\xf0\x9f\x98\x80\xc3\xa9");
        QTest::newRow("between an accent, an emoji and another") << rich << "abc" << "closed" << "<b>"
            << QString::fromUtf8("\xc3\xa9\xf0\x9f\x98\x80<b>abc</b>\xf0\x9f\x98\x80\xc3\xa9")
            << QString::fromUtf8("\xc3\xa9\xf0\x9f\x98\x80<b>abc") << "abc";
        QTest::newRow("attribute after an emoji") << QString::fromUtf8("\xf0\x9f\x98\x80x") << "x" << "attribute"
            << "title=\"\"" << QString::fromUtf8("\xf0\x9f\x98\x80 title=\"x\"")
            << QString::fromUtf8("\xf0\x9f\x98\x80 title=\"") << "";
        QTest::newRow("block replaces the selection, the caret after it") << "a\r\nbc\r\nd" << "bc" << "block"
            << QString::fromUtf8("<li>\xc3\xa9\r\n</li>") << QString::fromUtf8("a\r\n<li>\xc3\xa9\r\n</li>\r\nd")
            << QString::fromUtf8("a\r\n<li>\xc3\xa9\r\n</li>") << "";
        QTest::newRow("line starting with tabs") << "\t\tabc" << "abc" << "closed" << "<em>" << "\t\t<em>abc</em>"
                                                 << "\t\t<em>abc" << "abc";
    }

    void primitives()
    {
        QFETCH(QString, text);
        QFETCH(QString, selected);
        QFETCH(QString, primitive);
        QFETCH(QString, argument);
        QFETCH(QString, result);
        QFETCH(QString, beforeCaret);
        QFETCH(QString, selectedAfter);
        Doc doc(text, TDocument::LineBreak::CRLF);
        doc.select(selected);
        if (primitive == "open")
            HtmlOpenEmptyTg(doc.document, argument);
        else if (primitive == "closed")
            HtmlClosedTg(doc.document, argument);
        else if (primitive == "attribute")
            HtmlAttribt(doc.document, argument);
        else
            HtmlInsertBloc(doc.document, argument);
        QCOMPARE(doc.text(), result);
        QCOMPARE(doc.beforeCaret(), beforeCaret);
        QCOMPARE(doc.editor->selectedText(), selectedAfter);
        doc.undo();
        QCOMPARE(doc.text(), text);
        doc.undo();
        QCOMPARE(doc.text(), text);
    }

    // Typing, an insertion, typing: each Undo takes back exactly one of them, and Redo
    // brings them back; the insertion never merges with the typing around it.
    void insertionIsOneUndoStepBetweenTyping()
    {
        Doc doc("");
        QTest::keyClicks(doc.editor, "ab");
        HtmlClosedTg(doc.document, "<p>");
        QTest::keyClicks(doc.editor, "cd");
        QCOMPARE(doc.text(), QStringLiteral("ab<p>cd</p>"));
        doc.undo();
        QCOMPARE(doc.text(), QStringLiteral("ab<p></p>"));
        doc.undo();
        QCOMPARE(doc.text(), QStringLiteral("ab"));
        doc.editor->redo();
        QCOMPARE(doc.text(), QStringLiteral("ab<p></p>"));
    }

    // The optimizer's road: a range given in text positions (characters counted in UTF-16
    // units, as a line shows them) is replaced as one step.
    void addToUndoListReplacesARangeOfTextPositions()
    {
        Doc doc(QString::fromUtf8("\xf0\x9f\x98\x80 one\ntwo \xc3\xa9 three"));
        AddToUndoList(doc.document, 4, 1, 5, 2, "X");
        QCOMPARE(doc.text(), QString::fromUtf8("\xf0\x9f\x98\x80 X\xc3\xa9 three"));
        doc.undo();
        QCOMPARE(doc.text(), QString::fromUtf8("\xf0\x9f\x98\x80 one\ntwo \xc3\xa9 three"));
    }

    // Without a document the primitives must do nothing rather than crash.
    void noDocumentChangesNothing()
    {
        HtmlClosedTg(static_cast<TDocument *>(nullptr), "<p>");
        AddToUndoList(static_cast<TDocument *>(nullptr), 1, 1, 1, 1, "x");
    }

    // Exactly one option, the first, is preselected, also when it is the only one.
    void firstOptionAloneIsSelected()
    {
        for (int options : {1, 3}) {
            const QString markup = SelectMarkup(options);
            QCOMPARE(markup.count("<option"), options);
            QCOMPARE(markup.count("selected="), 1);
            QVERIFY(markup.indexOf("selected=") < markup.indexOf("</option>"));
        }
    }

    // Links work in a browser: relative where one exists, characters that would end the
    // attribute or change the URL's meaning encoded, an absolute file: URL across roots.
    void linkToFile_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("link");
        QTest::newRow("special characters") << "/site/index.html" << "/site/my pics/\"a\" #1 100% & co.png"
                                            << "./my%20pics/%22a%22%20%231%20100%25%20%26%20co.png";
        QTest::newRow("folders differ by case") << "/site/index.html" << "/Site/a.png" << "../Site/a.png";
        QTest::newRow("another drive") << "C:/site/index.html" << "D:/img/a b.png" << "file:///D:/img/a%20b.png";
        QTest::newRow("same drive") << "c:/site/index.html" << "C:/site/img/a.png" << "./img/a.png";
        QTest::newRow("network share") << "/site/index.html" << "//server/share/a.png" << "file://server/share/a.png";
    }

    void linkToFile()
    {
        QFETCH(QString, document);
        QFETCH(QString, target);
        QFETCH(QString, link);
        QCOMPARE(LinkToFile(document, target), link);
    }

    // The generator's markup goes in place of the selection as one step; an empty hand-over
    // (Cancel) or none leaves text and selection alone; with no document the generator is not
    // opened.
    void generatorHandOver()
    {
        Doc doc("abc");
        QString generated;
        int opened = 0;
        QString handed;
        TInsertionCommands::Host host;
        host.generatedHtml = &generated;
        TInsertionCommands commands(nullptr, host);
        commands.setDocument(doc.document);
        connect(&commands, &TInsertionCommands::tableGeneratorRequested, this, [&] {
            ++opened;
            generated = handed;
        });

        doc.select("b");
        commands.ButtonTableEditorClick();
        QCOMPARE(doc.text(), QStringLiteral("abc"));
        QCOMPARE(doc.editor->selectedText(), QStringLiteral("b"));

        handed = "<table></table>";
        commands.ButtonTableEditorClick();
        QCOMPARE(doc.text(), QStringLiteral("a<table></table>c"));
        doc.undo();
        QCOMPARE(doc.text(), QStringLiteral("abc"));

        // Markup left from an earlier use never goes in again, even when no generator answers.
        generated = "<p>old</p>";
        commands.PopUpEditorContainerClick();
        QCOMPARE(doc.text(), QStringLiteral("abc"));

        commands.setDocument(nullptr);
        commands.ButtonTableEditorClick();
        QCOMPARE(opened, 2);
    }

    // Check boxes, radio buttons and buttons are numbered each from 1 on their own: the
    // first reads 1, the next of its kind 2, whatever of other kinds came between; a click
    // without a document inserts nothing and uses no number.
    void formControlsAreNumberedByKind_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("last");
        QTest::newRow("first check box") << QStringList{"check"} << "> Checkbox 1</label>";
        QTest::newRow("first radio button") << QStringList{"radio"} << "> Radio button 1</label>";
        QTest::newRow("first button") << QStringList{"button"} << "value=\"Button 1\">";
        QTest::newRow("second check box") << QStringList{"check", "check"} << "> Checkbox 2</label>";
        QTest::newRow("radio button after check boxes") << QStringList{"check", "check", "radio"}
                                                        << "> Radio button 1</label>";
        QTest::newRow("button after the others") << QStringList{"check", "radio", "radio", "button"}
                                                 << "value=\"Button 1\">";
        QTest::newRow("third radio button among others")
            << QStringList{"radio", "button", "radio", "check", "radio"} << "> Radio button 3</label>";
        QTest::newRow("check box after others") << QStringList{"radio", "button", "check", "button", "check"}
                                                << "> Checkbox 2</label>";
        QTest::newRow("check box without a document") << QStringList{"none", "check", "doc", "check"}
                                                      << "> Checkbox 1</label>";
        QTest::newRow("radio button without a document") << QStringList{"none", "radio", "doc", "radio"}
                                                         << "> Radio button 1</label>";
        QTest::newRow("button without a document") << QStringList{"none", "button", "doc", "button"}
                                                   << "value=\"Button 1\">";
    }
    void formControlsAreNumberedByKind()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, last);
        Doc doc("");
        TInsertionCommands commands(nullptr, {});
        commands.setDocument(doc.document);
        for (const QString &click : clicks) {
            doc.editor->selectAll();
            if (click == "none")
                commands.setDocument(nullptr);
            else if (click == "doc")
                commands.setDocument(doc.document);
            else if (click == "check")
                commands.ButtonFormCheckClick();
            else if (click == "radio")
                commands.ButtonFormRadioClick();
            else
                commands.ButtonFormButtonClick();
        }
        QVERIFY2(doc.text().endsWith(last), qPrintable(doc.text()));
    }

    // The generators' bar: an empty tag replaces the selection, the picture has no closing
    // slash and leaves the image folder alone, the container's break button does nothing,
    // its colour dialog keeps its own last colour, and every button has its picture.
    void generatorTagBar()
    {
        TempProgramFolder folder;
        ScriptedDialogs dialogs;
        Doc page("");
        page.document->setPath(folder.file("index.html"));
        QImage(5, 7, QImage::Format_RGB32).save(folder.file("a.png"));
        Doc editor("abc");
        LinkContext links{[] { return QStringLiteral("All|*"); }};
        TGeneratorTagBar table(TGeneratorTagBar::Generator::Table, editor.editor, links);
        TGeneratorTagBar container(TGeneratorTagBar::Generator::Container, editor.editor, links);
        table.setDocument(page.document);
        container.setDocument(page.document);

        editor.select("abc");
        table.findChild<QToolButton *>("ButtonPageBreak")->click();
        QCOMPARE(editor.text(), QStringLiteral("<br>"));

        editor.select("br", false);
        container.findChild<QToolButton *>("ButtonPageBreak")->click();
        QCOMPARE(editor.text(), QStringLiteral("<br>"));

        dialogs.openAnswers << QStringList{folder.file("a.png")};
        table.findChild<QToolButton *>("ButtonImage")->click();
        QCOMPARE(editor.text(), QStringLiteral("<<img src=\"./a.png\" width=\"5\" height=\"7\" alt=\"\">br>"));

        dialogs.colorAnswers << QColor(0x12, 0x34, 0x56);
        editor.select("<");
        table.findChild<QToolButton *>("ButtonColors")->click();
        table.findChild<QToolButton *>("ButtonColors")->click();
        QCOMPARE(dialogs.colorsOffered, (QList<QColor>{Qt::black, QColor(0x12, 0x34, 0x56)}));
        container.findChild<QToolButton *>("ButtonColors")->click();
        QCOMPARE(dialogs.colorsOffered.last(), QColor(Qt::black));
        QVERIFY(editor.text().startsWith("<span style=\"color:#123456\"><</span>"));
        for (QToolButton *button : container.findChildren<QToolButton *>())
            QVERIFY2(!button->icon().isNull(), qPrintable(button->objectName()));
    }

    // A button whose Hint is a tag ("<b>") showed an empty tool tip: the tag was read as markup.
    void markupHintShowsInItsToolTip()
    {
        Doc editor("");
        LinkContext links{[] { return QString(); }};
        TGeneratorTagBar bar(TGeneratorTagBar::Generator::Table, editor.editor, links);
        bar.show();
        QToolButton *bold = bar.findChild<QToolButton *>("ButtonBolds");
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), bold->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(bold, &help);
        QTextDocument shown;
        shown.setHtml(QToolTip::text());
        QCOMPARE(shown.toPlainText(), bold->toolTip());
        QToolTip::hideText();
    }
};

VK_WINDOW_TEST_MAIN(TestInsertion)
#include "tst_insertion.moc"
