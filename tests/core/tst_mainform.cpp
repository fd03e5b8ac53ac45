// The main window on the offscreen platform: start-up, document tabs, status bar,
// closing and shut-down, driven as a user would.
#include "MainFormTestSupport.h"

#include "core/ImageList.h"
#include "documents/EditorText.h"
#include "program/uDivStartVK.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QWebEngineView>

class TestMainForm : public QObject, MainFormFixture {
    Q_OBJECT


    QWidget *container(int number) const { return ContainerOfNumber(form.get(), number); }

private slots:
    void init() { QVERIFY(SetUp()); }
    void cleanup() { TearDown(); }

    // Reused numbers would give two tabs widgets of the same name; closing must bring a document forward.
    void closingBringsTheLastDocumentForward()
    {
        form->DocumentTabs()->create(false);
        form->DocumentTabs()->create(false);
        documentPages(form)->setCurrentWidget(container(1));
        action(form, "MenuCloseActiveTab")->trigger();
        QVERIFY(!container(1));
        QCOMPARE(currentDocument(form)->container(), container(2));
        form->DocumentTabs()->create(false);
        QCOMPARE(currentDocument(form)->number(), 3);
    }

    // A stale status bar, tab picture or Save item would misreport whether work is saved.
    void statusFollowsTypingAndSaving()
    {
        // An opened file: loading it must leave the editor telling its changes.
        QVERIFY(folder->write("empty.html", ""));
        OpenThroughDialog(form.get(), dialogs.get(), folder->file("empty.html"));
        QsciScintilla *editor = currentEditor(form);
        QCOMPARE(TabPicture(currentDocument(form)), 0);
        QVERIFY(!action(form, "MenuSave")->isEnabled());
        editor->setFocus();
        QTest::keyClicks(editor, "hello");
        QCOMPARE(statusText(form, 1), SEditModify);
        QCOMPARE(TabPicture(currentDocument(form)), 28);
        QVERIFY(action(form, "MenuSave")->isEnabled());
        QVERIFY(action(form, "PopupSave")->isEnabled());
        QTRY_COMPARE(statusText(form, 0), QStringLiteral("   1:   6"));
        QCOMPARE(statusText(form, 3), QStringLiteral("0/5"));
        QVERIFY(!allSaved(form));
        // Delete leaves the caret in place: only the editor's change notice updates the count.
        QTest::keyClick(editor, Qt::Key_Home);
        QTest::keyClick(editor, Qt::Key_Delete);
        QCOMPARE(statusText(form, 3), QStringLiteral("0/4"));

        // Five characters of a longer text selected.
        editor->setText(QString(120, 'x'));
        editor->setSelection(0, 2, 0, 7);
        QCOMPARE(statusText(form, 3), QStringLiteral("5/120"));

        // A save clears the editor's flag; everything follows.
        editor->setModified(false);
        QCOMPARE(statusText(form, 1), QString());
        QCOMPARE(TabPicture(currentDocument(form)), 0);
        QVERIFY(!action(form, "MenuSave")->isEnabled());
        QVERIFY(allSaved(form));

        // The Insert key empties panel 2; the next caret move shows the indicator again.
        QTest::keyClick(editor, Qt::Key_Insert);
        QCOMPARE(statusText(form, 2), QString());
        QVERIFY(editor->overwriteMode());
        QTest::keyClick(editor, Qt::Key_Right);
        QCOMPARE(statusText(form, 2), SEditInsert);
    }

    // Changing a background editor must mark its own tab, not the one in front.
    void modifiedMarkStaysOnItsOwnTab()
    {
        QsciScintilla *first = currentEditor(form);
        form->DocumentTabs()->create(false);
        first->setText("changed");
        QCOMPARE(TabPicture(form.get(), 0), 28);
        QCOMPARE(TabPicture(form.get(), 1), 0);
    }

    // Closing a modified document keeps it unless the user said No or the save succeeded:
    // Yes followed by a cancelled or failed save closed the tab or the program, and the text was gone.
    void closingFollowsTheAnswer_data()
    {
        QTest::addColumn<bool>("program");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveAs");  // empty: the save dialog is cancelled
        QTest::addColumn<bool>("closed");
        const int yes = QMessageBox::Yes;
        QTest::newRow("tab, Cancel") << false << int(QMessageBox::Cancel) << "" << false;
        QTest::newRow("tab, No") << false << int(QMessageBox::No) << "" << true;
        QTest::newRow("tab, Yes, saved") << false << yes << "page.html" << true;
        QTest::newRow("tab, Yes, save cancelled") << false << yes << "" << false;
        QTest::newRow("tab, Yes, save fails") << false << yes << "no/such/folder/page.html" << false;
        QTest::newRow("program, Yes, save cancelled") << true << yes << "" << false;
        QTest::newRow("program, Yes, save fails") << true << yes << "no/such/folder/page.html" << false;
    }

    void closingFollowsTheAnswer()
    {
        QFETCH(bool, program);
        QFETCH(int, answer);
        QFETCH(QString, saveAs);
        QFETCH(bool, closed);
        currentEditor(form)->setFocus();
        QTest::keyClicks(currentEditor(form), "typed");
        dialogs->answers << QMessageBox::StandardButton(answer);
        if (!saveAs.isEmpty())
            dialogs->saveAnswers << folder->file(saveAs);
        if (program)
            QCOMPARE(form->close(), closed);
        else
            action(form, "MenuCloseActiveTab")->trigger();
        QCOMPARE(dialogs->asked[0].text, FormatMessageText(SWarningSaveChanges, {"Untitled1.html"}));
        QCOMPARE(dialogs->asked[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (closed) {
            QVERIFY(!currentDocument(form));
            if (answer == QMessageBox::Yes)
                QVERIFY(folder->read(saveAs).contains("typed"));
        } else {
            QVERIFY(currentDocument(form));
            QVERIFY(currentDocument(form)->isModified());
            QVERIFY(currentDocument(form)->text().contains("typed"));
        }
    }

    // The editor's own Ctrl+D (duplicate line) and Ctrl+U (lower case) took the keys.
    void ctrlDAndCtrlUReachThePopupItems_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("key");
        QTest::newRow("Ctrl+D") << "PopupDel_1" << int(Qt::Key_D);
        QTest::newRow("Ctrl+U") << "PopupUnderline" << int(Qt::Key_U);
    }

    void ctrlDAndCtrlUReachThePopupItems()
    {
        QFETCH(QString, item);
        QFETCH(int, key);
        QSignalSpy triggered(action(form, item), &QAction::triggered);
        currentEditor(form)->setFocus();
        QTest::keyClick(currentEditor(form), Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(triggered.size(), 1);
    }

    void popupShortcutsBeatTheMenuBarHotKeys_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "lang_en.txt";
        QTest::newRow("French") << "lang_fr.txt";
    }

    // The French menu bar's "É&dition" and "O&ptions" took Alt+D and Alt+P from the editor:
    // the first press opened a menu, the next ones were ambiguous and inserted nothing.
    void popupShortcutsBeatTheMenuBarHotKeys()
    {
        QFETCH(QString, language);
        chooseLanguage(form, dialogs.get(), folder.get(), language);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QsciScintilla *editor = currentEditor(form);
        editor->clear();
        editor->setFocus();
        for (const Qt::Key key : {Qt::Key_D, Qt::Key_D, Qt::Key_P, Qt::Key_P}) {
            QTest::keyClick(editor, key, Qt::AltModifier);
            QVERIFY(!QApplication::activePopupWidget());
        }
        const QString text = editor->text();
        QCOMPARE(text.count("<div>"), 2);
        QCOMPARE(text.count("<p>"), 2);
        // Away from the editor the menu bar keeps its hot key.
        child<QComboBox *>(form, "CBFont")->setFocus();
        QTest::keyClick(child<QComboBox *>(form, "CBFont"), language == "lang_fr.txt" ? Qt::Key_D : Qt::Key_E, Qt::AltModifier);
        QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget *>(form->findChild<QMenu *>("MenuEdit")));
        QApplication::activePopupWidget()->close();
        QCOMPARE(editor->text(), text);
    }

    // With no document left, document commands must do nothing instead of crashing.
    void noDocumentLeft()
    {
        action(form, "MenuCloseActiveTab")->trigger();  // unmodified: no question
        QCOMPARE(documentPages(form)->count(), 1);
        QCOMPARE(documentPages(form)->currentWidget(), form->findChild<QWidget *>("TBTidyConfig"));
        QVERIFY(!currentEditor(form));
        QVERIFY(!currentDocument(form));
        // Document commands do nothing now.
        action(form, "MenuCloseActiveTab")->trigger();
        action(form, "PopupPath")->trigger();
        action(form, "PopupRenameFile")->trigger();
        child<QToolButton *>(form, "ButtonWordWrap")->click();
        child<QSpinBox *>(form, "SEFontSize")->stepUp();
        QVERIFY(dialogs->asked.isEmpty());
        QCOMPARE(documentPages(form)->count(), 1);
        auto *tabMenu = child<QMenu *>(form, "PopUpTabSheet");
        tabMenu->popup(form->mapToGlobal(QPoint(10, 10)));
        QVERIFY(!action(form, "PopUpClose")->isVisible());
        tabMenu->hide();
    }

    // Renaming onto a taken name must change nothing; a rename keeps unsaved edits marked.
    void renameMovesTheFile()
    {
        const QString oldPath = folder->file("page.html");
        QVERIFY(folder->write("page.html", "<p>x</p>"));
        QVERIFY(folder->write("taken.html", "other"));
        currentDocument(form)->setPath(oldPath);
        currentEditor(form)->setFocus();
        QTest::keyClicks(currentEditor(form), "typed");

        // A name that is taken fails with the system's reason and changes nothing.
        dialogs->textAnswers << QStringLiteral("taken.html");
        action(form, "PopupRenameFile")->trigger();
        QCOMPARE(dialogs->asked.size(), 1);
        const QString withoutReason = FormatMessageText(SErrorRename, {QString()});
        QVERIFY(dialogs->asked[0].text.size() > withoutReason.size());
        QVERIFY(dialogs->asked[0].text.contains("exists"));
        QCOMPARE(currentDocument(form)->path(), oldPath);
        QCOMPARE(folder->read("taken.html"), QByteArray("other"));

        dialogs->textAnswers << QStringLiteral("renamed.html");
        action(form, "PopupRenameFile")->trigger();
        QVERIFY(!QFile::exists(oldPath));
        QCOMPARE(folder->read("renamed.html"), QByteArray("<p>x</p>"));
        QCOMPARE(currentDocument(form)->path(), folder->file("renamed.html"));
        QCOMPARE(documentPages(form)->tabText(documentPages(form)->currentIndex()), QStringLiteral("renamed.html"));
        // Edits not yet saved stay marked after a rename, and closing still asks about them.
        QCOMPARE(TabPicture(currentDocument(form)), 28);
        dialogs->answers << QMessageBox::Cancel;
        QVERIFY(!form->close());
        QCOMPARE(dialogs->asked.size(), 2);

        // Cancel does nothing.
        dialogs->textAnswers << QVariant();
        action(form, "PopupRenameFile")->trigger();
        QVERIFY(QFile::exists(folder->file("renamed.html")));
    }

    // A saved document renamed shows it on its tab, picture and icon, until it next changes;
    // a failed rename shows nothing.
    void renameShowsOnTheTabUntilTheNextChange()
    {
        QVERIFY(folder->write("page.html", "<p>x</p>"));
        QVERIFY(folder->write("taken.html", "other"));
        OpenThroughDialog(form.get(), dialogs.get(), folder->file("page.html"));
        TDocument *document = currentDocument(form);
        const auto tabIcon = [this] {
            return documentPages(form)->tabIcon(documentPages(form)->currentIndex()).pixmap(16, 16).toImage();
        };
        dialogs->textAnswers << QStringLiteral("taken.html");
        action(form, "PopupRenameFile")->trigger();
        QCOMPARE(TabPicture(document), 0);

        dialogs->textAnswers << QStringLiteral("renamed.html");
        action(form, "PopupRenameFile")->trigger();
        QCOMPARE(TabPicture(document), 29);
        QCOMPARE(tabIcon(), ImageList1(imgDocRenamed).pixmap(16, 16).toImage());
        currentEditor(form)->setFocus();
        QTest::keyClicks(currentEditor(form), "y");
        QCOMPARE(TabPicture(document), 28);
        action(form, "MenuSave")->trigger();
        QCOMPARE(TabPicture(document), 0);
        QCOMPARE(tabIcon(), ImageList1(imgDocSaved).pixmap(16, 16).toImage());
    }

    // Shut-down must ask about every modified document, and Cancel must write nothing.
    void shutDownAsksForEachModifiedDocumentInOrder()
    {
        newDocument(form);
        newDocument(form);
        container(0)->findChild<QsciScintilla *>()->setText("a");
        container(2)->findChild<QsciScintilla *>()->setText("c");
        const QByteArray settingsBefore = folder->read("velkandrix.ini");
        dialogs->answers << QMessageBox::No << QMessageBox::Cancel;
        QVERIFY(!form->close());
        QCOMPARE(dialogs->asked.size(), 2);
        QCOMPARE(dialogs->asked[0].text, FormatMessageText(SWarningSaveChanges, {"Untitled1.html"}));
        QCOMPARE(dialogs->asked[1].text, FormatMessageText(SWarningSaveChanges, {"Untitled3.html"}));
        // Cancel keeps everything: nothing written, documents intact.
        QCOMPARE(folder->read("velkandrix.ini"), settingsBefore);
        QCOMPARE(container(2)->findChild<QsciScintilla *>()->text(), QStringLiteral("c"));

        dialogs->asked.clear();
        DiscardChanges(form.get());
        QVERIFY(form->close());
        QVERIFY(dialogs->asked.isEmpty());
    }

    // Temporary files left behind would clutter the user's folders.
    void shutDownDeletesTemporaryFiles()
    {
        const QString copy = TemporaryCopyPath(form.get());
        for (const QString &path : {Paths().StderrFile, copy, Paths().TidyConfigTmpFile, Paths().BeforeCleanFile}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(form->close());
        for (const QString &path : {Paths().StderrFile, copy, Paths().TidyConfigTmpFile, Paths().BeforeCleanFile})
            QVERIFY2(!QFile::exists(path), qPrintable(path));
    }

    // View options must reach the editor in front and every tab opened later.
    void viewOptionsActOnTheActiveEditor()
    {
        QsciScintilla *editor = currentEditor(form);
        editor->setText("one two three");
        editor->setCursorPosition(0, 5);
        child<QToolButton *>(form, "ButtonWordWrap")->click();
        QCOMPARE(editor->wrapMode(), QsciScintilla::WrapWord);
        int line = -1, index = -1;
        editor->getCursorPosition(&line, &index);
        QCOMPARE(index, 0);
        child<QToolButton *>(form, "ButtonShowHiddenChars")->click();
        QCOMPARE(editor->whitespaceVisibility(), QsciScintilla::WsVisible);
        child<QSpinBox *>(form, "SEFontSize")->setValue(14);
        QCOMPARE(editorFont(editor).pointSize(), 14);
        // A new tab takes the current view options when shown.
        form->DocumentTabs()->create(false);
        QCOMPARE(currentEditor(form)->wrapMode(), QsciScintilla::WrapWord);
        QCOMPARE(editorFont(currentEditor(form)).pointSize(), 14);
    }

    // A picture missing from the resources, or under another name, leaves its button blank.
    void everyPictureIsFound()
    {
        for (int index = 0; index <= imgDeleteOption; ++index)
            QVERIFY2(ImageListPixmap(index, 20).deviceIndependentSize() == QSizeF(20, 20), qPrintable(QString::number(index)));
        for (QToolButton *button : form->findChildren<QToolButton *>(QRegularExpression("^Button")))
            QVERIFY2(!button->icon().isNull(), qPrintable(button->objectName()));
    }
};

VK_WINDOW_TEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
