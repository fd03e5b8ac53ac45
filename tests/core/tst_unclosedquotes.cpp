// Files whose text leaves a quote open once froze the whole program as soon as they were
// shown: opening them, and typing into them, must leave the window responsive.
#include "MainFormTestSupport.h"

#include "documents/EditorText.h"


class TestUnclosedQuotes : public QObject, MainFormFixture {
    Q_OBJECT

private slots:
    void init() { QVERIFY(SetUp()); }

    void cleanup() { TearDown(); }

    void openAndType_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("css") << "a.css" << QByteArray("\"\n");
        QTest::newRow("style block") << "a.html" << QByteArray("<style>\"\n");
        QTest::newRow("c++") << "a.cpp" << QByteArray("\"\nx");
        QTest::newRow("c++ CR LF") << "b.cpp" << QByteArray("\"\r\nx");
        QTest::newRow("empty css") << "b.css" << QByteArray();
        QTest::newRow("empty page") << "b.html" << QByteArray("<style>\n</style>\n");
    }

    // The opened file is shown (and so styled); then a quote, a line break and more text
    // are typed where the freeze began. A hang ends the test program with a failure.
    void openAndType()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        HangWatchdog watchdog(name, 60);
        QVERIFY(folder->write(name, content));
        OpenThroughDialog(form.get(), dialogs.get(), folder->file(name));
        QCOMPARE(currentDocument(form)->path(), folder->file(name));
        QsciScintilla *editor = currentEditor(form);
        QVERIFY(editor);
        editor->grab();
        QCOMPARE(EditorText(editor).toUtf8(), content);

        editor->setFocus();
        editor->setCursorPosition(0, content.startsWith("<style>") ? 7 : 0);
        QTest::keyClicks(editor, "\"");
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, "x'");
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, "y");
        editor->SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0ul, -1l);
        editor->grab();
        // Lines typed take the file's own line breaks.
        const QString eol = content.contains("\r\n") ? "\r\n" : "\n";
        QVERIFY(EditorText(editor).contains("\"" + eol + "x'" + eol + "y"));
        QCOMPARE(long(editor->SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED)), long(editor->length()));
        QVERIFY(editor->isModified());
    }
};

VK_WINDOW_TEST_MAIN(TestUnclosedQuotes)
#include "tst_unclosedquotes.moc"
