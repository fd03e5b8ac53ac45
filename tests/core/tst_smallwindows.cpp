// The plain-table dialog, the HTML entities window and the image-resize calculator,
// opened from the main window as a user does.
#include "MainFormTestSupport.h"

#include "authoring/THTMLEntitiesList.h"
#include "documents/EditorText.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QWebEngineView>

class TestSmallWindows : public QObject, MainFormFixture {
    Q_OBJECT

    TDocument *doc() const { return currentDocument(form); }
    QString text() const { return EditorText(doc()->editor()); }
    // Answers the next modal dialog.
    void whenModal(std::function<void(QDialog *)> act)
    {
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [timer, act] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                timer->deleteLater();
                timer->stop();
                act(dialog);
            }
        });
        timer->start(20);
    }
    void plainTable(std::function<void(QDialog *)> act)
    {
        whenModal(act);
        action(form, "PopupBlankTable")->trigger();
    }

private slots:
    void init()
    {
        QVERIFY(SetUp());
        newDocument(form);
        doc()->setLineBreak(TDocument::LineBreak::CRLF);
        LoadEditorText(doc()->editor(), QString());
    }
    void cleanup() { TearDown(); }

    // Catches a wrong skeleton, line breaks after the closing tag, and an insertion that
    // takes more than one undo.
    void plainTableIsOneUndoStep()
    {
        plainTable([](QDialog *d) {
            d->findChild<QSpinBox *>("SENumCols")->setValue(2);
            d->findChild<QSpinBox *>("SENumRows")->setValue(1);
            d->findChild<QPushButton *>("ButtonOK")->click();
        });
        QCOMPARE(text(), QStringLiteral("<table summary=\"\">\r\n  <tr>\r\n    <td></td>\r\n    <td></td>\r\n"
                                        "  </tr>\r\n</table>"));
        doc()->editor()->undo();
        QCOMPARE(text(), QString());
    }

    // Catches markup a generator left behind being inserted again.
    void cancelInsertsNothing()
    {
        plainTable([](QDialog *d) { d->findChild<QPushButton *>("ButtonOK")->click(); });
        QVERIFY(!text().isEmpty());
        currentEditor(form)->clear();
        plainTable([](QDialog *d) { d->findChild<QPushButton *>("ButtonCancel")->click(); });
        QCOMPARE(text(), QString());
    }

    // Catches a window placed away from the main window's right edge, a Close that destroys
    // it, and a Copy that does not reach the clipboard.
    void entitiesWindowBesideTheMainWindow()
    {
        form->setGeometry(100, 80, 900, 700);
        QTest::mouseClick(form->findChild<QToolButton *>("ButtonHTMLEntitiesList"), Qt::LeftButton);
        auto *window = form->findChild<THTMLEntitiesList *>("HTMLEntitiesList");
        QVERIFY(window && window->isVisible() && !window->isModal());
        const QRect main = form->frameGeometry();
        const QRect placed = window->frameGeometry();
        QCOMPARE(placed.right(), main.right() - 5);
        QCOMPARE(placed.top(), main.top() + 45);
        QCOMPARE(placed.height(), main.height() - 55);

        QSignalSpy loaded(Control<QWebEngineView>(window, "WebBrowser1"), &QWebEngineView::loadFinished);
        QVERIFY(loaded.wait(20000) && loaded.first().first().toBool());
        QApplication::clipboard()->clear();
        Control<QWebEngineView>(window, "WebBrowser1")->triggerPageAction(QWebEnginePage::SelectAll);
        Control<QAction>(window, "MenuCopy")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::clipboard()->text().contains("&nbsp;"), 10000);

        Control<QAction>(window, "MenuClose")->trigger();
        QVERIFY(!window->isVisible());
        action(form, "MenuHTMLEntities")->trigger();
        QCOMPARE(form->findChild<THTMLEntitiesList *>("HTMLEntitiesList"), window);
        QVERIFY(window->isVisible());
    }

    // Catches a calculator made afresh at each opening, which loses what was typed.
    void calculatorKeepsItsValuesWhenOpenedAgain()
    {
        QTest::mouseClick(form->findChild<QToolButton *>("ButtonImageResize"), Qt::LeftButton);
        auto *width = form->findChild<QLineEdit *>("EditWidthCurrent");
        QVERIFY(width && width->isVisible());
        QTest::keyClicks(width, "640");
        width->window()->close();
        action(form, "MenuImageResizingCalculator")->trigger();
        width = form->findChild<QLineEdit *>("EditWidthCurrent");
        QVERIFY(width->isVisible());
        QCOMPARE(width->text(), QStringLiteral("640"));
    }
};

QTEST_MAIN(TestSmallWindows)
#include "tst_smallwindows.moc"
