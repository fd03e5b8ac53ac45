// The search and replace window on a real editor, driven through its boxes and buttons.
#include "TestSupport.h"

#include "program/MessagesKandrix.h"
#include "documents/TDocument.h"
#include "tools/ReSearchReplaceSE.h"
#include "tools/SearchZone.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QVBoxLayout>
#include <Qsci/qsciscintilla.h>
#include <functional>
#include <memory>

// Scripted answers; the second question is answered only after a step the user takes meanwhile.
class DialogsActingMeanwhile : public ScriptedDialogs {
public:
    std::function<void()> meanwhile;
    QMessageBox::StandardButton message(QMessageBox::Icon icon, const QString &caption, const QString &text,
                                        QMessageBox::StandardButtons buttons) override
    {
        if (asked.size() == 1 && meanwhile)
            meanwhile();
        return ScriptedDialogs::message(icon, caption, text, buttons);
    }
};

class TestSearchReplace : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedDialogs> dialogs;
    QPointer<QWidget> container;
    QsciScintilla *editor = nullptr;
    TDocument *document = nullptr;
    std::unique_ptr<TSearchReplaceSE> window;

    void open(const QString &text)
    {
        container = new QWidget;
        auto *layout = new QVBoxLayout(container);
        editor = new QsciScintilla(container);
        editor->setUtf8(true);
        layout->addWidget(editor);
        document = new TDocument(0, container, editor, nullptr);
        editor->setText(text);
        container->resize(600, 400);
        container->show();
        window = std::make_unique<TSearchReplaceSE>();
        window->setDocument(document);
    }
    // The caret (and the selection's other end) as (character, line), both from 1.
    void select(int fromCharacter, int fromLine, int toCharacter, int toLine)
    {
        editor->setSelection(fromLine - 1, fromCharacter - 1, toLine - 1, toCharacter - 1);
    }
    void caretAt(int character, int line) { editor->setCursorPosition(line - 1, character - 1); }
    void showPage(int page) { window->ShowPage(page); }
    void search(const QString &text)
    {
        Control<QComboBox>(window, "CBSea_FindText")->setEditText(text);
        QTest::mouseClick(Control<QPushButton>(window, "ButtonSearch"), Qt::LeftButton);
    }
    void replaceTexts(const QString &find, const QString &with)
    {
        Control<QComboBox>(window, "CBRep_FindText")->setEditText(find);
        Control<QComboBox>(window, "CBRep_ReplaceText")->setEditText(with);
    }
    QPair<int, int> selection() const
    {
        return {int(editor->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART)),
                int(editor->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND))};
    }
    QString lastMessage() const { return dialogs->texts().value(dialogs->texts().size() - 1); }

private slots:
    void initTestCase()
    {
        SStringNotFound = QStringLiteral("Cannot find \"%s\".");
        SOccurencesFinded = QStringLiteral("Occurrences found: %d");
        SConfirmReplace = QStringLiteral("Replace this occurrence?");
    }
    void init() { dialogs = std::make_unique<ScriptedDialogs>(); }
    void cleanup()
    {
        window.reset();
        delete container;
        dialogs.reset();
    }

    // Each press finds the next match in the search's direction (a backward search once went
    // forwards), the press after the last says so, and the next starts again. A zone from the
    // caret to the caret runs from there to the document's edge in the search's direction.
    void findNextGoesThroughTheZoneAndStartsAgain_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPoint>("caret");  // (character, line) from 1
        QTest::addColumn<bool>("backward");
        QTest::addColumn<bool>("endAtCaret");
        QTest::addColumn<QList<int>>("hits");
        const QString text = "foo one\nfoo two\nthree foo";
        QTest::newRow("forward") << text << QPoint(1, 1) << false << false << QList<int>{0, 8, 22};
        QTest::newRow("backward") << "foo foo\nfoo" << QPoint(4, 2) << true << false << QList<int>{8, 4, 0};
        QTest::newRow("forward from the caret to itself") << text << QPoint(2, 1) << false << true << QList<int>{8, 22};
        QTest::newRow("backward from the caret to itself") << text << QPoint(2, 3) << true << true << QList<int>{8, 0};
    }
    void findNextGoesThroughTheZoneAndStartsAgain()
    {
        QFETCH(QString, text);
        QFETCH(QPoint, caret);
        QFETCH(bool, backward);
        QFETCH(QList<int>, hits);
        open(text);
        caretAt(caret.x(), caret.y());
        showPage(0);
        if (backward)
            QTest::mouseClick(Control<QRadioButton>(window, "CBRep_Backward"), Qt::LeftButton);
        QFETCH(bool, endAtCaret);
        if (endAtCaret)
            QTest::mouseClick(Control<QRadioButton>(window, "CBSea_EndSelection"), Qt::LeftButton);
        QCOMPARE(Control<QRadioButton>(window, "CBSea_Backward")->isChecked(), backward);
        for (int hit : hits) {
            search("foo");
            QCOMPARE(selection(), qMakePair(hit, hit + 3));
        }
        QVERIFY(dialogs->asked.isEmpty());
        search("foo");
        QCOMPARE(lastMessage(), QStringLiteral("Cannot find \"foo\"."));
        QVERIFY(!editor->hasSelectedText());
        search("foo");
        QCOMPARE(selection(), qMakePair(hits.first(), hits.first() + 3));
    }

    // The zone proposed from the selection: wrong choices search the wrong part of the text.
    void zoneProposal_data()
    {
        QTest::addColumn<QList<int>>("sel");
        QTest::addColumn<bool>("beginCursor");
        QTest::addColumn<bool>("endCursor");
        QTest::addColumn<QString>("beginCaption");
        QTest::addColumn<QString>("endCaption");
        QTest::newRow("a few words") << QList<int>{5, 1, 3, 2} << true << true << "Curseur [1: 5]" << "Curseur [2: 3]";
        QTest::newRow("caret at the end") << QList<int>{4, 3, 4, 3} << false << true << "Curseur [3: 4]" << "Curseur [3: 4]";
        QTest::newRow("caret inside") << QList<int>{2, 2, 2, 2} << true << false << "Curseur [2: 2]" << "Curseur [2: 2]";
        QTest::newRow("up to the end") << QList<int>{3, 1, 4, 3} << true << false << "Curseur [1: 3]" << "Curseur [3: 4]";
        QTest::newRow("from the start") << QList<int>{1, 1, 2, 1} << false << true << "Curseur [1: 1]" << "Curseur [1: 2]";
    }
    void zoneProposal()
    {
        QFETCH(QList<int>, sel);
        QFETCH(bool, beginCursor);
        QFETCH(bool, endCursor);
        open("first line\nsecond\nend");
        select(sel[0], sel[1], sel[2], sel[3]);
        showPage(1);
        QCOMPARE(Control<QRadioButton>(window, "CBRep_BeginSelection")->isChecked(), beginCursor);
        QCOMPARE(Control<QRadioButton>(window, "CBRep_BeginDocument")->isChecked(), !beginCursor);
        QCOMPARE(Control<QRadioButton>(window, "CBRep_EndSelection")->isChecked(), endCursor);
        QCOMPARE(Control<QRadioButton>(window, "CBRep_EndDocument")->isChecked(), !endCursor);
        QTEST(Control<QRadioButton>(window, "CBSea_BeginSelection")->text(), "beginCaption");
        QTEST(Control<QRadioButton>(window, "CBRep_EndSelection")->text(), "endCaption");
    }

    // Replace all stays inside the user's zone, reaches its last matches however the text grows or
    // shrinks, reports the count and leaves the grown zone selected.
    void replaceAllInsideTheSelection_data()
    {
        QTest::addColumn<QString>("with");
        QTest::newRow("longer") << "foofoofoo";
        QTest::newRow("shorter") << "x";
        QTest::newRow("holding the text") << "<foo>";
    }
    void replaceAllInsideTheSelection()
    {
        QFETCH(QString, with);
        const QString line = QStringLiteral("foo a foo b foo");
        open(QStringList{line, line, line, line}.join('\n'));
        select(1, 2, line.size() + 1, 3);
        showPage(1);
        replaceTexts("foo", with);
        QTest::mouseClick(Control<QPushButton>(window, "ButtonReplaceAll"), Qt::LeftButton);
        QString changed = line;
        changed.replace("foo", with);
        QCOMPARE(editor->text(), QStringList({line, changed, changed, line}).join('\n'));
        QCOMPARE(lastMessage(), QStringLiteral("Occurrences found: 6"));
        const int start = int(line.size()) + 1;
        QCOMPARE(selection(), qMakePair(start, start + 2 * int(changed.size()) + 1));
        QCOMPARE(Control<QRadioButton>(window, "CBRep_EndSelection")->text(), QStringLiteral("Curseur [3: %1]").arg(changed.size() + 1));
    }

    // Every occurrence is asked about, the first included; No everywhere changes nothing.
    void confirmedReplaceAll_data()
    {
        QTest::addColumn<QList<QMessageBox::StandardButton>>("answers");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QString>("count");
        using B = QMessageBox;
        QTest::newRow("no to all") << QList<B::StandardButton>{B::No, B::No, B::No} << "foo foo foo" << 3 << "0";
        QTest::newRow("yes to all") << QList<B::StandardButton>{B::Yes, B::Yes, B::Yes} << "bars bars bars" << 3 << "3";
        QTest::newRow("cancel keeps what was done") << QList<B::StandardButton>{B::Yes, B::Cancel} << "bars foo foo" << 2 << "1";
        QTest::newRow("skip the middle") << QList<B::StandardButton>{B::Yes, B::No, B::Yes} << "bars foo bars" << 3 << "2";
    }
    void confirmedReplaceAll()
    {
        QFETCH(QList<QMessageBox::StandardButton>, answers);
        open("foo foo foo");
        // The first occurrence selected: it is asked about and counted like the others.
        select(1, 1, 4, 1);
        showPage(1);
        Control<QRadioButton>(window, "CBRep_EndDocument")->setChecked(true);
        Control<QRadioButton>(window, "CBRep_BeginDocument")->setChecked(true);
        QTest::mouseClick(Control<QCheckBox>(window, "CBRep_ConfirmReplacements"), Qt::LeftButton);
        // Longer than the match: the zone's end follows each replacement.
        replaceTexts("foo", "bars");
        dialogs->answers = answers;
        QTest::mouseClick(Control<QPushButton>(window, "ButtonReplaceAll"), Qt::LeftButton);
        QTEST(editor->text(), "result");
        const QStringList texts = dialogs->texts();
        QTEST(int(texts.count("Replace this occurrence?")), "questions");
        QFETCH(QString, count);
        QCOMPARE(texts.last(), "Occurrences found: " + count);
    }

    // Matches differing in case, accented letters included, are found, selected and replaced
    // only with match case off.
    void matchCase_data()
    {
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<int>("firstHit");
        QTest::addColumn<QString>("afterReplace");
        QTest::newRow("off") << false << 0 << QString::fromUtf8("x \xc3\xa9t\xc3\xa9 \xc3\x89T\xc3\x89");
        QTest::newRow("on") << true << 6 << QString::fromUtf8("\xc3\x89t\xc3\xa9 \xc3\xa9t\xc3\xa9 \xc3\x89T\xc3\x89");
    }
    void matchCase()
    {
        QFETCH(bool, matchCase);
        const QString lower = QString::fromUtf8("\xc3\xa9t\xc3\xa9");
        open(QString::fromUtf8("\xc3\x89t\xc3\xa9 \xc3\xa9t\xc3\xa9 \xc3\x89T\xc3\x89"));
        caretAt(1, 1);
        showPage(0);
        if (matchCase)
            QTest::mouseClick(Control<QCheckBox>(window, "CBSea_MatchCase"), Qt::LeftButton);
        QCOMPARE(Control<QCheckBox>(window, "CBRep_MatchCase")->isChecked(), matchCase);
        search(lower);
        QTEST(selection().first, "firstHit");
        // Replace on a selection that differs only in case.
        select(1, 1, 4, 1);
        showPage(1);
        Control<QRadioButton>(window, "CBRep_BeginDocument")->setChecked(true);
        replaceTexts(lower, "x");
        QTest::mouseClick(Control<QPushButton>(window, "ButtonReplace"), Qt::LeftButton);
        QTEST(editor->text(), "afterReplace");
    }

    // Replace one: the first press selects, the next replaces, the next finds the following one
    // (not the text just put in).
    void replaceOneTakesTwoPresses()
    {
        open("foo foo");
        caretAt(1, 1);
        showPage(1);
        replaceTexts("foo", "foo2");
        QTest::mouseClick(Control<QPushButton>(window, "ButtonReplace"), Qt::LeftButton);
        QCOMPARE(selection(), qMakePair(0, 3));
        QCOMPARE(editor->text(), QStringLiteral("foo foo"));
        QTest::mouseClick(Control<QPushButton>(window, "ButtonReplace"), Qt::LeftButton);
        QCOMPARE(editor->text(), QStringLiteral("foo2 foo"));
        QTest::mouseClick(Control<QPushButton>(window, "ButtonReplace"), Qt::LeftButton);
        QCOMPARE(selection(), qMakePair(5, 8));
        QTest::mouseClick(Control<QPushButton>(window, "ButtonReplace"), Qt::LeftButton);
        QCOMPARE(editor->text(), QStringLiteral("foo2 foo2"));
        QVERIFY(dialogs->asked.isEmpty());
    }

    // An empty text finds nothing and says so like any text not found, without looping in place;
    // Replace puts nothing in at the caret (where an empty selection equals the empty text).
    void emptyTextFindsNothing_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("selected");
        QTest::newRow("search from the caret") << 0 << false;
        QTest::newRow("search in a selection") << 0 << true;
        QTest::newRow("replace at the caret") << 1 << false;
        QTest::newRow("replace a selection") << 1 << true;
    }
    void emptyTextFindsNothing()
    {
        QFETCH(int, page);
        QFETCH(bool, selected);
        open("abc");
        if (selected)
            select(1, 1, 3, 1);
        else
            caretAt(2, 1);
        showPage(page);
        replaceTexts(QString(), "x");
        QTest::mouseClick(page == 0 ? Control<QPushButton>(window, "ButtonSearch") : Control<QPushButton>(window, "ButtonReplace"), Qt::LeftButton);
        QCOMPARE(dialogs->texts(), QStringList{QStringLiteral("Cannot find \"\".")});
        QCOMPARE(editor->text(), QStringLiteral("abc"));
        QVERIFY(!editor->hasSelectedText());
        showPage(1);
        QTest::mouseClick(Control<QPushButton>(window, "ButtonReplaceAll"), Qt::LeftButton);
        QCOMPARE(editor->text(), QStringLiteral("abc"));
        QCOMPARE(lastMessage(), QStringLiteral("Occurrences found: 0"));
    }

    // Replace all up to the document's end leaves the caret after the last replacement made, as
    // replacing one by one would, with or without questions, and is undone in one step.
    void replaceAllLeavesTheCaretAfterTheLastReplacement_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("with");
        QTest::addColumn<bool>("backward");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("caret");
        const QString text = "foo a foo\nb foo c";
        QTest::newRow("longer") << text << "food" << false << false << 18;
        QTest::newRow("shorter") << text << "x" << false << false << 9;
        QTest::newRow("at the document's end") << "a foo\nfoo" << "xy" << false << false << 7;
        QTest::newRow("backwards: the first in the text") << text << "food" << true << false << 4;
        QTest::newRow("confirmed one by one") << text << "food" << false << true << 18;
    }
    void replaceAllLeavesTheCaretAfterTheLastReplacement()
    {
        QFETCH(QString, text);
        QFETCH(QString, with);
        QFETCH(bool, confirm);
        open(text);
        caretAt(1, 1);
        showPage(1);
        QFETCH(bool, backward);
        Control<QRadioButton>(window, "CBRep_Backward")->setChecked(backward);
        Control<QCheckBox>(window, "CBRep_ConfirmReplacements")->setChecked(confirm);
        dialogs->answers = {QMessageBox::Yes, QMessageBox::Yes, QMessageBox::Yes};
        replaceTexts("foo", with);
        QTest::mouseClick(Control<QPushButton>(window, "ButtonReplaceAll"), Qt::LeftButton);
        QCOMPARE(editor->text(), QString(text).replace("foo", with));
        QVERIFY(!editor->hasSelectedText());
        QTEST(int(editor->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS)), "caret");
        editor->undo();
        QCOMPARE(editor->text(), text);
    }

    // A question answered after another document came forward ends the run, and what it replaced
    // stays one undo step apart from the edits that follow in its document.
    void replaceAllEndsWhenTheDocumentChanges()
    {
        open("foo foo");
        dialogs.reset();
        auto *acting = new DialogsActingMeanwhile;
        dialogs.reset(acting);
        QWidget other;
        auto *otherEditor = new QsciScintilla(&other);
        TDocument otherDocument(1, &other, otherEditor, nullptr);
        acting->meanwhile = [&] { window->setDocument(&otherDocument); };
        acting->answers = {QMessageBox::Yes, QMessageBox::Yes};
        caretAt(1, 1);
        showPage(1);
        Control<QCheckBox>(window, "CBRep_ConfirmReplacements")->setChecked(true);
        replaceTexts("foo", "x");
        QTest::mouseClick(Control<QPushButton>(window, "ButtonReplaceAll"), Qt::LeftButton);
        QCOMPARE(editor->text(), QStringLiteral("x foo"));
        editor->SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, 0UL, "new ");
        editor->undo();
        QCOMPARE(editor->text(), QStringLiteral("x foo"));
    }

    // The window's keys act on the boxes and buttons instead of the boxes' own editing keys.
    void keys()
    {
        open("foo bar foo");
        caretAt(1, 1);
        showPage(0);
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        Control<QComboBox>(window, "CBSea_FindText")->setEditText("bar");
        QTest::keyClick(Control<QComboBox>(window, "CBSea_FindText"), Qt::Key_Return);
        QCOMPARE(selection(), qMakePair(4, 7));
        Control<QComboBox>(window, "CBSea_FindText")->setEditText("foo");
        QTest::keyClick(Control<QComboBox>(window, "CBSea_FindText"), Qt::Key_F3);
        QCOMPARE(selection(), qMakePair(0, 3));
        // The list holds "foo" then "bar": Ctrl+Z brings back the newest entry.
        QTest::keyClick(Control<QComboBox>(window, "CBSea_FindText"), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(Control<QComboBox>(window, "CBSea_FindText")->currentText(), QString());
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("foo"));
        QApplication::clipboard()->setText("pasted");
        QTest::keyClick(Control<QComboBox>(window, "CBSea_FindText"), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Control<QComboBox>(window, "CBSea_FindText")->currentText(), QStringLiteral("pasted"));
        QTest::keyClick(Control<QComboBox>(window, "CBSea_FindText"), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Control<QComboBox>(window, "CBSea_FindText")->currentText(), QStringLiteral("foo"));
        // Enter on the Replace page presses "Remplacer".
        showPage(1);
        Control<QRadioButton>(window, "CBRep_EndDocument")->setChecked(true);
        replaceTexts("bar", "baz");
        QTest::keyClick(Control<QComboBox>(window, "CBRep_FindText"), Qt::Key_Return);
        QTest::keyClick(Control<QComboBox>(window, "CBRep_FindText"), Qt::Key_Return);
        QCOMPARE(editor->text(), QStringLiteral("foo baz foo"));
    }

    // Recent entries: newest first, each once, and the window says when they change (for the settings file).
    // A list read longer than the window would grow it keeps its length: one in, one out.
    void recentEntries()
    {
        open("a b");
        QStringList stored;
        for (int i = 0; i < 40; ++i)
            stored << QString::number(i);
        window->SetRecentEntries({}, stored, {});
        QSignalSpy changed(window.get(), &TSearchReplaceSE::recentEntriesChanged);
        showPage(0);
        for (const char *text : {"a", "b", "a"})
            search(text);
        QCOMPARE(window->FindItems(), (QStringList{"a", "b"}));
        QCOMPARE(changed.count(), 3);
        showPage(1);
        replaceTexts("a", "x");
        QTest::mouseClick(Control<QPushButton>(window, "ButtonReplaceAll"), Qt::LeftButton);
        QCOMPARE(window->ReplaceFindItems().size(), stored.size());
        QCOMPARE(Control<QComboBox>(window, "CBRep_FindText")->count(), stored.size());
    }

    // The search stays inside its bounds and measures a match in the text, whose length may
    // differ from the searched text's once the case is folded.
    void findLiteral_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("what");
        QTest::addColumn<bool>("down");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<int>("begin");  // -1: no match
        QTest::addColumn<int>("end");
        const QString kelvin = QString::fromUtf8("a\xe2\x84\xaa\r");
        QTest::newRow("backwards, a match just past the end") << kelvin << "\r" << false << true << -1 << -1;
        QTest::newRow("forwards, a match just past the end") << kelvin << "\r" << true << true << -1 << -1;
        QTest::newRow("folded to a shorter character") << kelvin << "k" << true << false << 1 << 4;
    }
    void findLiteral()
    {
        QFETCH(QString, text);
        QFETCH(int, begin);
        QFETCH(int, end);
        QFETCH(QString, what);
        QFETCH(bool, down);
        QFETCH(bool, matchCase);
        // The last byte lies past the bounds.
        const QByteArray bytes = text.toUtf8();
        const std::optional<TextMatch> match = FindLiteral(bytes, what, 0, bytes.size() - 1, down, matchCase);
        QCOMPARE(match ? qMakePair(int(match->begin), int(match->end)) : qMakePair(-1, -1), qMakePair(begin, end));
    }

    // The question stays on the screen, 10 pixels from an edge it would cross.
    void questionPosition_data()
    {
        QTest::addColumn<QPoint>("caret");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("middle") << QPoint(300, 300) << QPoint(325, 200);
        QTest::newRow("above the top") << QPoint(300, 50) << QPoint(325, 10);
        QTest::newRow("left of the screen") << QPoint(-60, 300) << QPoint(10, 200);
        QTest::newRow("right of the screen") << QPoint(1200, 300) << QPoint(824, 200);
    }
    void questionPosition()
    {
        QFETCH(QPoint, caret);
        QTEST(QuestionPosition(caret, QSize(1024, 768)), "expected");
    }

    // The window leaves the line of a hit it covers: below it, or above it near the screen's bottom.
    void windowMovesOffTheHit()
    {
        const QSize window(365, 245);
        QCOMPARE(WindowTopOffHit({100, 100}, {50, 50}, window, {400, 400}, 1000), std::optional<int>(425));
        QCOMPARE(WindowTopOffHit({100, 100}, {50, 50}, window, {400, 800}, 1000), std::optional<int>(545));
        QCOMPARE(WindowTopOffHit({100, 400}, {50, 50}, window, {400, 400}, 1000), std::nullopt);
        QCOMPARE(WindowTopOffHit({10, 100}, {50, 50}, window, {400, 400}, 1000), std::nullopt);
    }
};

VK_WINDOW_TEST_MAIN(TestSearchReplace)
#include "tst_searchreplace.moc"
