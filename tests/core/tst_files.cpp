// New, open and save through the main window: nothing the user typed may be lost.
#include "MainFormTestSupport.h"

#include "util/DocumentStream.h"
#include "util/DocumentText.h"
#include "documents/EditorText.h"
#include "program/uDivStartVK.h"
#include "themes/SyntaxLexer.h"

#include <QAction>
#include <QKeyEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QMenu>
#include <QRadioButton>
#include <QStringEncoder>

#include <cerrno>
#include <cstring>

class TestFiles : public QObject, MainFormFixture {
    Q_OBJECT

    QString tabText() const { return documentPages(form)->tabText(documentPages(form)->currentIndex()); }
    QString encoding() const { return currentDocument(form)->encoding(); }

    void openThroughDialog(const QString &path) { OpenThroughDialog(form.get(), dialogs.get(), path); }

    // Drags files over the editor in front and drops them there; false when the drag is refused.
    bool dropOnTheEditor(const QStringList &paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        QWidget *viewport = currentEditor(form)->viewport();
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &drop);
        return true;
    }

private slots:
    void init()
    {
        QVERIFY(SetUp());
        QVERIFY(RestartWithSetting("LastOpenFolder", QString()));
    }

    void cleanup() { TearDown(); }

    // A new document of another kind must take that kind's template, caption and extension.
    void newDocumentsFromTemplates()
    {
        action(form, "NewDocCss")->trigger();
        QCOMPARE(tabText(), SUntitled + "2.css");
        QVERIFY(currentDocument(form)->text().startsWith("@charset"));
        QVERIFY(!currentDocument(form)->isModified());
        // Saving an untitled document proposes its caption, and the dialog's default extension is the kind's.
        dialogs->saveAnswers << folder->file("style");
        QVERIFY(save(form));
        QVERIFY(dialogs->saveProposals.value(0).endsWith(SUntitled + "2.css"));
        QCOMPARE(currentDocument(form)->path(), folder->file("style.css"));
        // The file it wrote is its own: the next save asks nothing.
        QTest::keyClicks(currentEditor(form), "x");
        QVERIFY(save(form));
    }

    // A document saved in each encoding and opened again gives back the same text.
    void roundTripThroughEveryEncoding_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bom");
        const QString rich = QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac 5\r\n\xe4\xb8\xad\xe6\x96\x87 \xf0\x9f\x98\x80\nend");
        QTest::newRow("utf8") << DocumentText::Utf8 << "RBUtf8" << rich << QByteArray();
        QTest::newRow("utf8bom") << DocumentText::Utf8Bom << "RBUtf8Bom" << rich << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("le") << DocumentText::LittleEndian << "RBUtf16LE" << rich << QByteArray("\xFF\xFE");
        QTest::newRow("be") << DocumentText::BigEndian << "RBUtf16BE" << rich << QByteArray("\xFE\xFF");
        QTest::newRow("ansi") << DocumentText::Ansi << "RBAnsi" << QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac \xc5\x93\r\nx") << QByteArray();
    }

    void roundTripThroughEveryEncoding()
    {
        QFETCH(QString, encoding);
        QFETCH(QString, button);
        QFETCH(QString, text);
        QFETCH(QByteArray, bom);
        SetEditorText(currentEditor(form), text);
        child<QRadioButton *>(form, button)->click();
        const QString path = folder->file("docs/page.html");
        QDir().mkpath(folder->file("docs"));
        dialogs->saveAnswers << path;
        QVERIFY(saveAs(form));
        QVERIFY(!currentDocument(form)->isModified());
        QCOMPARE(currentDocument(form)->path(), path);
        QCOMPARE(tabText(), QStringLiteral("page.html"));
        const QByteArray bytes = folder->read("docs/page.html");
        QVERIFY(bytes.startsWith(bom));

        action(form, "MenuCloseActiveTab")->trigger();
        QVERIFY(!form->DocumentTabs()->findByPath(path));
        openThroughDialog(path);
        QCOMPARE(currentDocument(form)->text(), text);
        if (encoding != DocumentText::Utf8 || !bom.isEmpty()) {
            QCOMPARE(encoding, this->encoding());
            // The Encoding page shows what was read.
            QVERIFY(child<QRadioButton *>(form, button)->isChecked());
        }
        QVERIFY(!currentDocument(form)->isModified());
    }

    // Save wrote "?" for every character ANSI cannot hold, and U+FFFD for bytes that did not
    // decode, without a word, and marked the document saved. The question about bytes that did
    // not decode then spoke of ANSI and "?" in a Unicode document.
    void saveAsksBeforeLosingCharacters_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("saved");
        QTest::addColumn<bool>("asksAgain");  // the document still holds what the file cannot
        QTest::addColumn<QByteArray>("replacement");  // what Ignore writes for an undecoded byte
        QTest::newRow("ANSI") << QByteArray("<p>plain</p>\n") << QString::fromUtf8("\xe4\xb8\xad\xe6\x96\x87 \xe2\x9c\x93")
                              << QByteArray("<p>?? ?plain</p>\n") << true << QByteArray();
        QTest::newRow("undecoded byte") << QByteArray("\xEF\xBB\xBF<p>abc\xFF</p>\n") << "x"
                                        << QByteArray("\xEF\xBB\xBF<p>xabc\xEF\xBF\xBD</p>\n") << false
                                        << QByteArray("\xEF\xBF\xBD");
        for (const bool le : {true, false}) {
            auto utf16 = QStringEncoder(le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
            const QByteArray mark = le ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
            const QByteArray replacement = utf16.encode(QChar(QChar::ReplacementCharacter));
            QTest::newRow(le ? "UTF-16 LE, odd byte" : "UTF-16 BE, odd byte")
                << mark + utf16.encode(u"<p>abc</p>\n") + "A" << "x" << mark + utf16.encode(u"<p>xabc</p>\n") + replacement
                << false << replacement;
        }
    }

    void saveAsksBeforeLosingCharacters()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, typed);
        QFETCH(QByteArray, saved);
        QFETCH(bool, asksAgain);
        QFETCH(QByteArray, replacement);
        QVERIFY(folder->write("page.html", content));
        openThroughDialog(folder->file("page.html"));
        QsciScintilla *editor = currentEditor(form);
        editor->setCursorPosition(0, 3);
        for (const QChar ch : typed) {
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, ch);
            QApplication::sendEvent(editor, &key);
        }
        dialogs->answers << QMessageBox::Cancel;
        action(form, "MenuSave")->trigger();
        QCOMPARE(dialogs->asked.size(), 1);
        QCOMPARE(dialogs->asked[0].buttons, QMessageBox::Ignore | QMessageBox::Cancel);
        const QString question = dialogs->asked[0].text;
        if (replacement.isEmpty()) {
            QCOMPARE(question, SSaveInUnicode);
        } else {
            // The document's encoding as the Encoding page names it, and the bytes Ignore writes.
            QString shown;
            for (QRadioButton *button : {child<QRadioButton *>(form, "RBUtf8"), child<QRadioButton *>(form, "RBUtf8Bom"), child<QRadioButton *>(form, "RBUtf16LE"), child<QRadioButton *>(form, "RBUtf16BE")})
                shown = button->isChecked() ? button->text() : shown;
            QVERIFY(!shown.isEmpty());
            QCOMPARE(question, FormatMessageText(SSaveUndecodedBytes, {shown, replacement.toHex(' ').toUpper()}));
            QVERIFY2(!question.contains("ANSI") && !question.contains("\"?\""), qPrintable(question));
        }
        QCOMPARE(folder->read("page.html"), content);
        QVERIFY(currentDocument(form)->isModified());

        // Save As asks before its dialog; Cancel shows no dialog.
        dialogs->answers << QMessageBox::Cancel;
        QVERIFY(!saveAs(form));
        QVERIFY(dialogs->saveProposals.isEmpty());

        dialogs->answers << QMessageBox::Ignore;
        action(form, "MenuSave")->trigger();
        QCOMPARE(folder->read("page.html"), saved);
        QVERIFY(!currentDocument(form)->isModified());
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, "y");
        QApplication::sendEvent(editor, &key);
        action(form, "MenuSave")->trigger();
        QCOMPARE(dialogs->asked.size(), asksAgain ? 4 : 3);
    }

    // Every line typed got LF whatever the file used: the saved file had mixed line breaks.
    // A file without line breaks, like a new document, takes LF.
    void aDocumentKeepsItsLineBreaks_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("eol");
        QTest::newRow("CR LF") << QByteArray("<p>a</p>\r\n<p>b</p>\r\n") << QByteArray("\r\n");
        QTest::newRow("LF") << QByteArray("<p>a</p>\n<p>b</p>\n") << QByteArray("\n");
        QTest::newRow("CR") << QByteArray("<p>a</p>\r<p>b</p>\r") << QByteArray("\r");
        QTest::newRow("none") << QByteArray("<p>a</p>") << QByteArray("\n");
    }

    void aDocumentKeepsItsLineBreaks()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, eol);
        QVERIFY(folder->write("page.html", content));
        openThroughDialog(folder->file("page.html"));
        QsciScintilla *editor = currentEditor(form);
        editor->setFocus();
        editor->setCursorPosition(0, 8);
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, "<p>new</p>");
        action(form, "MenuSave")->trigger();
        QCOMPARE(folder->read("page.html"), content.left(8) + eol + "<p>new</p>" + content.mid(8));
    }

    // A stray byte after valid UTF-8 opened as UTF-8: an unedited save turned it into EF BF BD.
    void anUneditedSaveWritesTheBytesBack()
    {
        const QByteArray content = "caf\xC3\xA9 " + QByteArray(20000, 'a') + "\xE9t\xE9\n";
        QVERIFY(folder->write("mixed.txt", content));
        openThroughDialog(folder->file("mixed.txt"));
        QCOMPARE(currentDocument(form)->encoding(), DocumentText::Ansi);
        QVERIFY(save(form));
        QCOMPARE(folder->read("mixed.txt"), content);
    }

    // Choosing another encoding was dropped unless the text was also edited: Save stayed
    // disabled and closing asked nothing.
    void aChosenEncodingWaitsForASave()
    {
        QVERIFY(folder->write("page.html", "caf\xC3\xA9\n"));
        openThroughDialog(folder->file("page.html"));
        TDocument *document = currentDocument(form);
        child<QRadioButton *>(form, "RBUtf16LE")->click();
        QVERIFY(document->isModified());
        action(form, "MenuSave")->trigger();
        const QByteArray utf16 = bytes({0xFF, 0xFE, 'c', 0, 'a', 0, 'f', 0, 0xE9, 0, '\n', 0});
        QCOMPARE(folder->read("page.html"), utf16);
        QVERIFY(!document->isModified());
        QVERIFY(!action(form, "MenuSave")->isEnabled());

        child<QRadioButton *>(form, "RBAnsi")->click();
        dialogs->answers << QMessageBox::No;
        action(form, "MenuCloseActiveTab")->trigger();
        QCOMPARE(dialogs->asked.size(), 1);
        QCOMPARE(folder->read("page.html"), utf16);
    }

    // Another program wrote the file after it was opened: Save replaced its text without a word.
    void saveAsksBeforeReplacingAFileChangedOutside_data()
    {
        QTest::addColumn<QByteArray>("outside");
        QTest::addColumn<int>("later");  // seconds added to the file's time
        // As long as the saved "ab<p>v1</p>", or longer.
        QTest::newRow("same size, later") << QByteArray("<p>v222</p>") << 60;
        QTest::newRow("longer, same time") << QByteArray("<p>v2222</p>") << 0;
    }

    void saveAsksBeforeReplacingAFileChangedOutside()
    {
        QFETCH(QByteArray, outside);
        QFETCH(int, later);
        const QString path = folder->file("ext.html");
        QVERIFY(folder->write("ext.html", "<p>v1</p>"));
        openThroughDialog(path);
        // The document's own saves ask nothing.
        for (const char *typed : {"a", "b"}) {
            QTest::keyClicks(currentEditor(form), typed);
            QVERIFY(save(form));
        }
        QTest::keyClicks(currentEditor(form), "c");
        const QDateTime time = QFileInfo(path).lastModified();
        QVERIFY(folder->write("ext.html", outside));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(time.addSecs(later), QFileDevice::FileModificationTime));

        QVERIFY(!save(form));
        QCOMPARE(dialogs->texts(), QStringList{FormatMessageText(SFileChangedOutside, {path})});
        QCOMPARE(folder->read("ext.html"), outside);
        QVERIFY(currentDocument(form)->isModified());
        dialogs->answers << QMessageBox::Yes;
        QVERIFY(save(form));
        QCOMPARE(folder->read("ext.html"), QByteArray("abc<p>v1</p>"));
    }

    // A named document whose file is gone: a warning, then Save As, which opened in the last
    // folder used, and Enter saved there.
    void saveAsOpensInTheDocumentsFolder()
    {
        QDir().mkpath(folder->file("site"));
        QVERIFY(folder->write("site/page.html", "<p>x</p>"));
        openThroughDialog(folder->file("site/page.html"));
        // Another folder was used since: Save As still proposes the document's own.
        QVERIFY(folder->write("other.html", "<p>o</p>"));
        TDocument *page = currentDocument(form);
        openThroughDialog(folder->file("other.html"));
        form->DocumentTabs()->setCurrent(page);
        QTest::keyClicks(currentEditor(form), "y");
        QVERIFY(QFile::remove(folder->file("site/page.html")));
        dialogs->answers << QMessageBox::Yes;
        QVERIFY(!form->close());
        QVERIFY(!save(form));
        QCOMPARE(dialogs->texts().last(), SFileNotFound);
        QCOMPARE(dialogs->saveProposals, QStringList(2, folder->file("site/page.html")));
        QVERIFY(currentDocument(form)->isModified());
    }

    // Save As onto an existing file must ask, and Cancel must leave the file alone.
    void overwriteAsksAndCancelWritesNothing()
    {
        QVERIFY(folder->write("exists.html", "old"));
        SetEditorText(currentEditor(form), "new");
        dialogs->saveAnswers << folder->file("exists.html");
        dialogs->answers << QMessageBox::Cancel;
        QVERIFY(!saveAs(form));
        QCOMPARE(dialogs->asked.size(), 1);
        QVERIFY(dialogs->asked[0].text.contains(folder->file("exists.html")));
        QCOMPARE(folder->read("exists.html"), QByteArray("old"));
        QVERIFY(currentDocument(form)->isModified());
        QVERIFY(currentDocument(form)->path().isEmpty());
    }

    // A save that fails says so and leaves the document modified with its text intact.
    void failedSaveKeepsTheDocument()
    {
        SetEditorText(currentEditor(form), "precious");
        dialogs->saveAnswers << folder->file("gone/folder/page.html");
        QVERIFY(!saveAs(form));
        QCOMPARE(dialogs->asked.size(), 1);
        QCOMPARE(dialogs->asked[0].icon, QMessageBox::Critical);
        QVERIFY(currentDocument(form)->isModified());
        QCOMPARE(TabPicture(currentDocument(form)), 28);
        QCOMPARE(currentDocument(form)->text(), QStringLiteral("precious"));
        QVERIFY(currentDocument(form)->path().isEmpty());

        // A full disk: the old file stays whole and the document stays modified.
        QVERIFY(folder->write("full.html", "old text"));
        SetEditorText(currentEditor(form), QString(4096, 'x'));
        dialogs->saveAnswers << folder->file("full.html");
        dialogs->answers << QMessageBox::Yes;
        {
            FileSizeLimit limit(1024);
            QVERIFY(!saveAs(form));
        }
        // The system's reason, not "Unknown error".
        QVERIFY2(dialogs->texts().last().endsWith(std::strerror(EFBIG)), qPrintable(dialogs->texts().last()));
        QCOMPARE(folder->read("full.html"), QByteArray("old text"));
        QVERIFY(currentDocument(form)->isModified());
    }

    // A missing, binary or very large file must neither leave a broken tab nor lose bytes.
    void openingProblemFiles()
    {
        // Unreadable: an error, and no empty tab left behind that would save as nothing.
        SetEditorText(currentEditor(form), "mine");
        const int pages = documentPages(form)->count();
        openThroughDialog(folder->file("missing.html"));
        QCOMPARE(dialogs->asked.size(), 1);
        QCOMPARE(dialogs->asked[0].icon, QMessageBox::Critical);
        QCOMPARE(documentPages(form)->count(), pages);
        QCOMPARE(documentPages(form)->widget(1)->findChild<QsciScintilla *>()->text(), QStringLiteral("mine"));

        // Binary content with NUL bytes survives a load and a save unchanged.
        QByteArray binary;
        for (int i = 0; i < 4096; ++i)
            binary.append(char(i % 128));
        QVERIFY(folder->write("data.bin", binary));
        openThroughDialog(folder->file("data.bin"));
        QCOMPARE(encoding(), QStringLiteral("Ansi"));
        QCOMPARE(currentDocument(form)->text().size(), binary.size());
        QVERIFY(save(form));
        QCOMPARE(folder->read("data.bin"), binary);

        // A large file opens.
        QByteArray big;
        const QByteArray line = "<p class=\"x\">Some text of a paragraph &amp; more.</p>\n";
        while (big.size() < 20 * 1024 * 1024)
            big.append(line);
        QVERIFY(folder->write("big.html", big));
        openThroughDialog(folder->file("big.html"));
        QCOMPARE(currentEditor(form)->lines(), big.count('\n') + 1);
    }

    // A file larger than the editor can hold: refused with a message before reading, nothing changes.
    void aFileAboveTheLimitIsRefused()
    {
        QFile huge(folder->file("huge.html"));
        // Sparse: no disk space is taken.
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(DocumentText::DocumentReader::DefaultSizeLimit + 1));
        huge.close();
        SetEditorText(currentEditor(form), "mine");
        const int pages = documentPages(form)->count();
        const TDocument *before = currentDocument(form);
        openThroughDialog(huge.fileName());
        QCOMPARE(dialogs->texts().value(0), FormatMessageText(SFileTooLarge, {huge.fileName()}));
        QCOMPARE(documentPages(form)->count(), pages);
        QCOMPARE(currentDocument(form), before);
        QCOMPARE(currentDocument(form)->text(), QStringLiteral("mine"));
    }

    // Pieces of a large file: a surrogate pair or a CR LF split between two pieces was damaged,
    // or a save from an edited buffer (its gap inside the text) wrote the wrong bytes.
    void largeFilesKeepEveryByte_data()
    {
        QTest::addColumn<QString>("encoding");
        for (const QString &encoding : DocumentText::EncodingNames())
            QTest::newRow(qPrintable(encoding)) << encoding;
    }

    void largeFilesKeepEveryByte()
    {
        QFETCH(QString, encoding);
        // Odd-sized units so that every kind of character meets every piece boundary.
        const QString unit = encoding == DocumentText::Ansi ? QString::fromUtf8("\xc3\xa9\xe2\x82\xac ab\r\n")
                                                            : QString::fromUtf8("\xc3\xa9\xe2\x82\xac a\xf0\x9f\x98\x80\r\n");
        QString text;
        while (text.size() < 5 * 1024 * 1024)
            text += unit;
        QByteArray bytes;
        QVERIFY(DocumentText::EncodeText(text, encoding, &bytes));
        QVERIFY(folder->write("large.html", bytes));
        openThroughDialog(folder->file("large.html"));
        QCOMPARE(encoding, this->encoding());
        QVERIFY(currentDocument(form)->text() == text);
        QVERIFY(!currentDocument(form)->isModified());
        QVERIFY(!currentEditor(form)->isUndoAvailable());

        // Typed in the middle: the editor's text is then in two parts around its gap.
        const int line = text.size() / unit.size() / 2;
        currentEditor(form)->setCursorPosition(line, 0);
        QTest::keyClicks(currentEditor(form), "<b>");
        text.insert(line * unit.size(), QStringLiteral("<b>"));
        QVERIFY(save(form));
        QVERIFY(DocumentText::EncodeText(text, encoding, &bytes));
        QVERIFY(folder->read("large.html") == bytes);
    }

    // Two tabs on one file: the later save overwrites the other's edits. A drop ends at an open file.
    void aFileIsNeverOpenTwice()
    {
        for (const char *name : {"one.html", "two.html", "three.html"})
            QVERIFY(folder->write(name, name));
        QDir().mkpath(folder->file("sub"));
        openThroughDialog(folder->file("one.html"));
        openThroughDialog(folder->file("two.html"));
        const int pages = documentPages(form)->count();
        openThroughDialog(folder->file("sub/../one.html"));
        QCOMPARE(currentDocument(form)->path(), folder->file("one.html"));
        QVERIFY(dropOnTheEditor({folder->file("./one.html")}));
        child<QMenu *>(form, "MenuRecentFiles")->actions().first()->trigger();
        openThroughDialog(folder->file("one.html"));
        openThroughDialog(folder->file("one.html"));
        QCOMPARE(documentPages(form)->count(), pages);

        QVERIFY(dropOnTheEditor({folder->file("two.html"), folder->file("three.html")}));
        QCOMPARE(currentDocument(form)->path(), folder->file("two.html"));
        QVERIFY(!form->DocumentTabs()->findByPath(folder->file("three.html")));
    }

    // Save As onto a file open in another tab made two tabs on one file, each save
    // overwriting the other's.
    void saveAsNeverTakesAFileOpenInAnotherTab()
    {
        QVERIFY(folder->write("one.html", "one"));
        openThroughDialog(folder->file("one.html"));
        newDocument(form);
        SetEditorText(currentEditor(form), "other");
        dialogs->saveAnswers << folder->file("one.html");
        dialogs->answers << QMessageBox::Yes;  // an overwrite question, if one were asked
        QVERIFY(!saveAs(form));
        QCOMPARE(folder->read("one.html"), QByteArray("one"));
        QVERIFY(currentDocument(form)->isUntitled());
        QVERIFY(currentDocument(form)->isModified());
        QVERIFY(dialogs->asked.last().text.contains(folder->file("one.html")));
    }

    // Files dropped on the editor, most of the window, were not opened.
    void filesDroppedOnTheEditorOpen()
    {
        QVERIFY(folder->write("dropped.html", "<p>dropped</p>"));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(folder->file("dropped.html"))});
        QVERIFY(dropOnTheEditor({folder->file("dropped.html")}));
        QCOMPARE(currentDocument(form)->path(), folder->file("dropped.html"));
        QCOMPARE(currentDocument(form)->text(), QStringLiteral("<p>dropped</p>"));
    }

    // The copy follows the opened document; opening another deleted a "tmptid.htm" of the user's.
    void theTemporaryCopyNeverTakesTheUsersFile()
    {
        QDir().mkpath(folder->file("site"));
        QDir().mkpath(folder->file("mine"));
        QVERIFY(folder->write("site/index.html", "<p>hi</p>"));
        QVERIFY(folder->write("mine/tmptid.htm", "the user's own"));
        QVERIFY(folder->write("mine/index.html", "<p>mine</p>"));
        openThroughDialog(folder->file("site/index.html"));
        QCOMPARE(TemporaryCopyPath(form.get()), folder->file("site/tmptid.htm"));
        action(form, "MenuAnalyze")->trigger();
        QVERIFY(QFile::exists(TemporaryCopyPath(form.get())));
        openThroughDialog(folder->file("mine/index.html"));
        QVERIFY(!QFile::exists(folder->file("site/tmptid.htm")));
        action(form, "MenuAnalyze")->trigger();
        openThroughDialog(folder->file("site/index.html"));
        QCOMPARE(folder->read("mine/tmptid.htm"), QByteArray("the user's own"));
    }

    // The editor colours a file by its extension from the open on, and anew after Save As
    // under another extension.
    void theEditorColoursByTheFilesKind()
    {
        const auto kind = [this] {
            const auto *lexer = qobject_cast<SyntaxLexer *>(currentEditor(form)->lexer());
            return lexer ? int(lexer->kind()) : -1;
        };
        QCOMPARE(kind(), int(SyntaxLexerKind::Multi));
        QVERIFY(folder->write("style.css", "p { color: red }"));
        openThroughDialog(folder->file("style.css"));
        QCOMPARE(kind(), int(SyntaxLexerKind::Css));
        dialogs->saveAnswers << folder->file("script.js");
        QVERIFY(saveAs(form));
        QCOMPARE(kind(), int(SyntaxLexerKind::JScript));
        QCOMPARE(currentDocument(form)->highlighter(), DocumentText::HighlighterKind::JScript);
    }

    // The open dialog starts in the folder of the last file chosen there or saved as; a file
    // that was open already leaves it as it was.
    void theOpenDialogStartsWhereTheLastFileWasChosen()
    {
        for (const char *name : {"a/one.html", "b/two.html"})
            QVERIFY(folder->write(name, name));
        QDir().mkpath(folder->file("c"));
        const auto nextStart = [this] {
            dialogs->openAnswers << QStringList();
            trigger(form, "MenuOpen");
            return dialogs->openFolders.last();
        };
        openThroughDialog(folder->file("a/one.html"));
        openThroughDialog(folder->file("b/two.html"));
        openThroughDialog(folder->file("a/one.html"));
        QCOMPARE(nextStart(), folder->file("b/"));
        openThroughDialog(folder->file("gone/page.html"));
        QCOMPARE(nextStart(), folder->file("gone/"));
        dialogs->saveAnswers << folder->file("c/three.html");
        QVERIFY(saveAs(form));
        QCOMPARE(nextStart(), folder->file("c/"));
    }

    // An opened page shows the charset it declares; a save shows the encoding again where a
    // validation run had emptied its panel.
    void openAndSaveShowTheDocumentsState()
    {
        QVERIFY(folder->write("latin.html", "<html><head><meta charset=\"iso-8859-1\"></head></html>\n"));
        openThroughDialog(folder->file("latin.html"));
        QCOMPARE(form->findChild<QComboBox *>("CBCharset")->currentText(), QStringLiteral("iso-8859-1"));
        action(form, "MenuAnalyze")->trigger();
        QCOMPARE(statusText(form, 4), QString());
        QTest::keyClicks(currentEditor(form), "x");
        QVERIFY(save(form));
        QCOMPARE(statusText(form, 4), DocumentText::Ansi);
    }

    // The recent files menu must list newest first, reopen a closed file and skip a vanished one.
    void recentFilesMenu()
    {
        QVERIFY(!child<QMenu *>(form, "MenuRecentFiles")->isEnabled());
        for (const char *name : {"a.html", "b.html", "c.html"}) {
            QVERIFY(folder->write(name, name));
            openThroughDialog(folder->file(name));
        }
        // Newest first, numbered from 1.
        QList<QAction *> items = child<QMenu *>(form, "MenuRecentFiles")->actions();
        QVERIFY(items[0]->text().startsWith("1. ") && items[0]->text().endsWith("c.html"));
        QVERIFY(items[2]->text().startsWith("3. ") && items[2]->text().endsWith("a.html"));

        // The first item opens the newest file when it is not open.
        documentPages(form)->setCurrentIndex(documentPages(form)->count() - 1);
        action(form, "MenuCloseActiveTab")->trigger();
        QVERIFY(!form->DocumentTabs()->findByPath(folder->file("c.html")));
        items[0]->trigger();
        QCOMPARE(currentDocument(form)->path(), folder->file("c.html"));

        // A vanished file does nothing.
        QFile::remove(folder->file("a.html"));
        const int pages = documentPages(form)->count();
        items[2]->trigger();
        QCOMPARE(documentPages(form)->count(), pages);

        child<QMenu *>(form, "MenuRecentFiles")->actions().last()->trigger();
        QVERIFY(!child<QMenu *>(form, "MenuRecentFiles")->isEnabled());
        CloseMainForm(form);
        QVERIFY(!folder->read("velkandrix.ini").contains("ItemRecentFiles="));
    }

    // The charset list must rewrite the declaration, and touch nothing when there is none.
    void charsetListRewritesTheDeclaration()
    {
        SetEditorText(currentEditor(form),
                      "<html><head>\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n</head>");
        currentDocument(form)->setModified(false);
        chooseItem(child<QComboBox *>(form, "CBCharset"), "iso-8859-1");
        QCOMPARE(currentEditor(form)->text(1),
                 QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">\n"));
        QVERIFY(currentDocument(form)->isModified());

        // Without a declaration nothing changes.
        trigger(form, "NewDocTXT");
        SetEditorText(currentEditor(form), "plain");
        currentDocument(form)->setModified(false);
        chooseItem(child<QComboBox *>(form, "CBCharset"), "latin1");
        QCOMPARE(currentDocument(form)->text(), QStringLiteral("plain"));
        QVERIFY(!currentDocument(form)->isModified());
    }
};

VK_WINDOW_TEST_MAIN(TestFiles)
#include "tst_files.moc"
