// The document tabs: the tab shows what the document holds, documents are found by
// their file, and the tab in front is announced.
#include "TestSupport.h"

#include "documents/TDocument.h"
#include "documents/TDocumentTabs.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <Qsci/qsciscintilla.h>

class TestDocumentTabs : public QObject {
    Q_OBJECT

private slots:
    // A tab that showed a stale caption, hint, picture or encoding would mislead the user.
    void theTabShowsTheDocumentsState()
    {
        QTabWidget tabs;
        TDocumentTabs documents(&tabs);
        TDocument *document = documents.create(false);
        document->setUntitledCaption("Untitled1.html");
        QCOMPARE(tabs.tabText(0), QStringLiteral("Untitled1.html"));
        document->setPath("/some/where/page.html");
        QCOMPARE(tabs.tabText(0), QStringLiteral("page.html"));
        QCOMPARE(tabs.tabToolTip(0), QStringLiteral("/some/where/page.html"));
        document->setEncoding("UTF8Bom");
        QCOMPARE(document->container()->findChild<QLabel *>("LabelFileType_0")->text(), QStringLiteral("UTF8Bom"));

        const int modified = documents.look().modifiedIndex;
        QCOMPARE(document->container()->property("ImageIndex").toInt(), documents.look().savedIndex);
        document->editor()->setText("typed");
        QCOMPARE(document->container()->property("ImageIndex").toInt(), modified);
    }

    // Two tabs on one file: the later save would overwrite the other's edits.
    void aFileIsFoundUnderAnySpelling()
    {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("sub")));
        QFile file(dir.filePath("a.html"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(QFile::link(dir.filePath("a.html"), dir.filePath("link.html")));

        QTabWidget tabs;
        TDocumentTabs documents(&tabs);
        TDocument *untitled = documents.create(false);
        TDocument *document = documents.create(false);
        document->setPath(dir.filePath("a.html"));
        QCOMPARE(documents.findByPath(dir.filePath("sub/../a.html")), document);
        QCOMPARE(documents.findByPath(dir.filePath("link.html")), document);
        QCOMPARE(documents.findByPath(dir.filePath("b.html")), nullptr);
        QCOMPARE(documents.findByPath(QString()), nullptr);
        Q_UNUSED(untitled);
    }

    // Whoever follows the document in front must hear of every change, closing included.
    void theDocumentInFrontIsAnnounced()
    {
        QTabWidget tabs;
        tabs.addTab(new QWidget, "fixed page");
        TDocumentTabs documents(&tabs);
        QSignalSpy spy(&documents, &TDocumentTabs::currentChanged);
        TDocument *first = documents.create(false);
        TDocument *second = documents.create(false);
        QCOMPARE(documents.current(), second);
        QCOMPARE(spy.last().at(0).value<TDocument *>(), second);
        documents.setCurrent(first);
        QCOMPARE(spy.last().at(0).value<TDocument *>(), first);
        tabs.setCurrentIndex(0);
        QCOMPARE(documents.current(), nullptr);
        QCOMPARE(spy.last().at(0).value<TDocument *>(), nullptr);

        // Closing the one in front: it is gone at once, and the last tab comes forward.
        documents.setCurrent(first);
        QPointer<TDocument> gone = first;
        spy.clear();
        documents.close(first);
        QVERIFY(gone.isNull());
        QCOMPARE(documents.documents(), QList<TDocument *>{second});
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.last().at(0).value<TDocument *>(), second);
    }

    // One key press bringing several characters beyond ASCII made the editor throw: the program ended.
    void severalCharactersInOneKeyPressAreTyped()
    {
        QTabWidget tabs;
        TDocumentTabs documents(&tabs);
        TDocument *document = documents.create(false);
        document->editor()->setText("ab");
        document->editor()->setCursorPosition(0, 1);
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("\xe4\xb8\xad\xe6\x96\x87 \xe2\x9c\x93"));
        QApplication::sendEvent(document->editor(), &press);
        QCOMPARE(document->text(), QString::fromUtf8("a\xe4\xb8\xad\xe6\x96\x87 \xe2\x9c\x93" "b"));
    }
};

VK_WINDOW_TEST_MAIN(TestDocumentTabs)
#include "tst_documenttabs.moc"
