// Tool windows act on the document in front as the user brings one after another forward:
// the one clicked last, the last one shown while the Tidy page is in front where the tool
// searches it, and none at all, silently, once every document is closed.
#include "MainFormTestSupport.h"

#include "documents/TDocumentTabs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>

class TestToolWindowDocument : public QObject, MainFormFixture {
    Q_OBJECT

    QTabWidget *tabs() const { return Control<QTabWidget>(form, "PageControlMemos"); }

    // A click on the page's tab.
    void bringForward(QWidget *page)
    {
        QTabBar *bar = tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tabs()->indexOf(page)).center());
        QCOMPARE(tabs()->currentWidget(), page);
    }

    TDocument *newDocument(const QString &text)
    {
        QTest::mouseClick(Control<QToolButton>(form, "ButtonNew"), Qt::LeftButton);
        TDocument *document = TDocumentTabs::documentOf(tabs()->currentWidget());
        document->editor()->setText(text);
        return document;
    }

    // Opens the tool on the document in front.
    void open(const QString &tool)
    {
        if (tool == "optimizer")
            QTest::mouseClick(Control<QToolButton>(form, "ButtonOptimizer"), Qt::LeftButton);
        else if (tool == "search")
            form->findChild<QAction *>("MenuReplace")->trigger();
    }

    // What the user does in the tool; each changes a document's text.
    void act(const QString &tool)
    {
        if (tool == "optimizer") {
            Control<QCheckBox>(form, "CBLowerCase_Tags")->setChecked(true);
            QTest::mouseClick(Control<QPushButton>(form, "ButtonApply"), Qt::LeftButton);
        } else if (tool == "search") {
            Control<QComboBox>(form, "CBRep_FindText")->setEditText("<P>");
            Control<QComboBox>(form, "CBRep_ReplaceText")->setEditText("<Q>");
            Control<QCheckBox>(form, "CBRep_ConfirmReplacements")->setChecked(false);
            Control<QPushButton>(form, "ButtonReplaceAll")->click();
        } else {
            Control<QToolButton>(form, "Button_P")->click();
        }
    }

private slots:
    void init() { QVERIFY(SetUp()); }
    void cleanup() { TearDown(); }

    void toolFollowsTheDocumentInFront_data()
    {
        QTest::addColumn<QString>("tool");
        // The Tidy page in front leaves the last document shown searched.
        QTest::addColumn<bool>("actsBehindTheTidyPage");
        QTest::newRow("optimizer") << "optimizer" << false;
        QTest::newRow("search and replace") << "search" << true;
        QTest::newRow("insertion tool bar") << "insertion" << false;
    }
    void toolFollowsTheDocumentInFront()
    {
        QFETCH(QString, tool);
        QFETCH(bool, actsBehindTheTidyPage);
        const QString original = QStringLiteral("<P>text</P>");
        TDocument *first = newDocument(original);
        TDocument *second = newDocument(original);
        open(tool);

        bringForward(first->container());
        act(tool);
        QVERIFY(first->text() != original);
        QCOMPARE(second->text(), original);

        first->editor()->setText(original);
        bringForward(Control<QWidget>(form, "TBTidyConfig"));
        act(tool);
        QCOMPARE(first->text() != original, actsBehindTheTidyPage);
        QCOMPARE(second->text(), original);

        DiscardChanges(form.get());
        while (documents(form).size() > 0) {
            bringForward(documents(form).constFirst()->container());
            form->findChild<QAction *>("PopUpClose")->trigger();
        }
        dialogs->asked.clear();
        act(tool);
        QCOMPARE(dialogs->texts(), QStringList());
    }
};

VK_WINDOW_TEST_MAIN(TestToolWindowDocument)
#include "tst_toolwindowdocument.moc"
