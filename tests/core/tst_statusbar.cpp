// The status bar's count of selected and of all characters, for documents in every
// encoding and with characters beyond ASCII, as the user selects with the keyboard.
#include "MainFormTestSupport.h"

#include "util/DocumentText.h"

#include <QInputMethodEvent>
#include <QStringEncoder>

class TestStatusBar : public QObject, MainFormFixture {
    Q_OBJECT

    QString counts() const { return statusText(form, 3); }
    static QString counts(int selected, int all) { return QStringLiteral("%1/%2").arg(selected).arg(all); }

    void keys(Qt::Key key, Qt::KeyboardModifiers modifiers, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(currentEditor(form), key, modifiers);
    }

    TDocument *open(const QString &name, const QByteArray &bytes)
    {
        if (!folder->write(name, bytes))
            return nullptr;
        OpenThroughDialog(form.get(), dialogs.get(), folder->file(name));
        TDocument *document = currentDocument(form);
        return document && document->path() == folder->file(name) ? document : nullptr;
    }

private slots:
    void init() { QVERIFY(SetUp()); }
    void cleanup() { TearDown(); }

    void charactersAreCountedNotBytes_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<int>("characters");
        const QString text = QStringLiteral("é中\r\nx\U0001F600y");   // 7 characters, 14 UTF-8 bytes
        QTest::newRow("ANSI") << QByteArray("a\xE9\r\nx\x80y") << DocumentText::Ansi << 7;
        QTest::newRow("UTF-8") << text.toUtf8() << DocumentText::Utf8 << 7;
        QTest::newRow("UTF-8, line feeds") << QString(text).remove('\r').toUtf8() << DocumentText::Utf8 << 6;
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + text.toUtf8() << DocumentText::Utf8Bom << 7;
        QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFE") + QStringEncoder(QStringEncoder::Utf16LE).encode(text)
                                   << DocumentText::LittleEndian << 7;
        QTest::newRow("UTF-16 BE") << QByteArray("\xFE\xFF") + QStringEncoder(QStringEncoder::Utf16BE).encode(text)
                                   << DocumentText::BigEndian << 7;
    }
    // Every row has two characters, a line break and three characters, the last two beyond
    // ASCII and one beyond the first plane in the Unicode rows: bytes, UTF-16 units or a
    // lost line break give other counts.
    void charactersAreCountedNotBytes()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, encoding);
        QFETCH(int, characters);
        QVERIFY(open("page.txt", file));
        QCOMPARE(statusText(form, 4), encoding);
        QCOMPARE(counts(), counts(0, characters));

        // Forwards from the start, backwards from the end, then everything.
        keys(Qt::Key_Home, Qt::ControlModifier);
        keys(Qt::Key_Right, Qt::ShiftModifier, 2);
        QCOMPARE(counts(), counts(2, characters));
        keys(Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(counts(), counts(0, characters));
        keys(Qt::Key_Left, Qt::ShiftModifier, 2);
        QCOMPARE(counts(), counts(2, characters));
        // Across the line break: one step, two characters when it is CR LF.
        keys(Qt::Key_Left, Qt::ShiftModifier, 2);
        QCOMPARE(counts(), counts(characters - 2, characters));
        keys(Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(counts(), counts(characters, characters));

        // Typed over the selection, and then selected back.
        // A key, then a character from an input method, as emoji pickers give them.
        QTest::sendKeyEvent(QTest::Click, currentEditor(form), Qt::Key_unknown, QStringLiteral("ü"), Qt::NoModifier);
        QInputMethodEvent picked;
        picked.setCommitString(QStringLiteral("\U0001F600"));
        QApplication::sendEvent(currentEditor(form), &picked);
        QCOMPARE(counts(), counts(0, 2));
        keys(Qt::Key_Left, Qt::ShiftModifier, 1);
        QCOMPARE(counts(), counts(1, 2));
    }

    // The counts are the front document's: another tab's editing and selection stay its own.
    void countsFollowTheDocumentInFront()
    {
        TDocument *first = open("first.html", "\xC3\xA9t\xC3\xA9");
        QVERIFY(first);
        keys(Qt::Key_End, Qt::ControlModifier);
        keys(Qt::Key_Left, Qt::ShiftModifier, 1);
        QCOMPARE(counts(), counts(1, 3));
        TDocument *second = open("second.html", QStringLiteral("\U0001F600\U0001F600 \u4E2D").toUtf8());
        QVERIFY(second);
        QCOMPARE(counts(), counts(0, 4));

        first->editor()->append(QStringLiteral("ßß"));
        QCOMPARE(counts(), counts(0, 4));
        documentPages(form)->setCurrentWidget(first->container());
        QCOMPARE(counts(), counts(1, 5));
        documentPages(form)->setCurrentWidget(second->container());
        QCOMPARE(counts(), counts(0, 4));
    }
};

VK_WINDOW_TEST_MAIN(TestStatusBar)
#include "tst_statusbar.moc"
