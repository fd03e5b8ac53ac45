// Where the window manager puts the main window and its boxes, with real boxes as a user
// gets them.
#include "DesktopSupport.h"
#include "MainFormTestSupport.h"

#include "program/VkSettings.h"
#include "tools/ReSearchReplaceSE.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QWebEngineView>

class TestPlacement : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<BoxCloser> boxes;
    std::unique_ptr<TMainForm> form;

    // Where the window was left.
    const QPoint place{150, 120};

    bool writeSettings(const QStringList &lastFiles = {})
    {
        QString text = QStringLiteral("[General]\r\n[Interface]\r\nFormTop=%1\r\nFormLeft=%2\r\n[LastFiles]\r\n")
                           .arg(place.y())
                           .arg(place.x());
        for (const QString &file : lastFiles)
            text += "ItemLastFiles=" + folder->file(file) + "\r\n";
        return folder->write("velkandrix.ini", text.toUtf8());
    }

    // Started as the program starts it: its boxes belong to it.
    bool start()
    {
        form = StartMainForm(true);
        return form != nullptr;
    }

    void close()
    {
        CloseMainForm(form);
        Dialogs().parentWindow = nullptr;
    }

private slots:
    void init()
    {
        folder = std::make_unique<TempProgramFolder>();
        boxes = std::make_unique<BoxCloser>();
    }
    void cleanup()
    {
        close();
        boxes.reset();
        folder.reset();
    }

    // The window crept up by its title bar at every start: its frame's place was stored, and
    // the inside of the window put there at the next start. Left maximized, it crept down.
    void theWindowComesBackWhereItWasLeft()
    {
        QVERIFY(writeSettings());
        for (int run = 0; run < 4; ++run) {
            QVERIFY(start());
            if (form->isMaximized())
                form->showNormal();
            QTRY_COMPARE(FrameTopLeft(form.get()), place);
            if (run == 1) {
                form->showMaximized();
                QTRY_VERIFY(form->frameGeometry().topLeft() != place);
            }
            close();
            VkSettings stored;
            QVERIFY(ReadSettingsFile(folder->file("velkandrix.ini"), stored) == SettingsReadStatus::Completed);
            QCOMPARE(QPoint(stored.FormLeft, stored.FormTop), place);
        }
    }

    void nothingShownMovesTheWindow_data()
    {
        QTest::addColumn<QStringList>("lastFiles");
        QTest::newRow("first preview") << QStringList{"page.html"};
        QTest::newRow("box at start") << QStringList{"large.html", "page.html"};
    }
    // The first preview makes the window anew, and so did a box shown while it started
    // (a last file now too large): the window came back elsewhere.
    void nothingShownMovesTheWindow()
    {
        QFETCH(QStringList, lastFiles);
        QFile large(folder->file("large.html"));
        QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(qint64(3) << 30));
        large.close();
        QVERIFY(folder->write("page.html", "<p>page</p>\n"));
        QVERIFY(writeSettings(lastFiles));
        QVERIFY(start());
        QCOMPARE(boxes->texts.size(), lastFiles.size() - 1);
        QTRY_COMPARE(FrameTopLeft(form.get()), place);
        // Moved by the user, it stays there.
        const QPoint moved = place + QPoint(40, 30);
        form->move(form->pos() + QPoint(40, 30));
        QTRY_COMPARE(FrameTopLeft(form.get()), moved);

        TDocument *document = currentDocument(form);
        // The browser is made when the preview is first shown; it loads after that.
        document->container()->findChild<QTabWidget *>()->setCurrentIndex(1);
        QSignalSpy loaded(document->browser(), &QWebEngineView::loadFinished);
        QVERIFY(loaded.wait(20000));
        QTRY_COMPARE(FrameTopLeft(form.get()), moved);
    }

    void searchBoxesAreNotUnderTheSearchWindow_data()
    {
        QTest::addColumn<QString>("find");
        QTest::addColumn<bool>("all");
        QTest::addColumn<bool>("confirm");
        QTest::newRow("replace count") << "one" << true << false;
        QTest::newRow("question and count") << "one" << true << true;
        QTest::newRow("not found") << "four" << false << false;
    }
    // The search window stays on top: boxes over the main window came up under it.
    void searchBoxesAreNotUnderTheSearchWindow()
    {
        QFETCH(QString, find);
        QFETCH(bool, all);
        QFETCH(bool, confirm);
        QVERIFY(start());
        currentDocument(form)->editor()->setText("one two one");
        trigger(form, "MenuReplace");
        TSearchReplaceSE *window = child<TSearchReplaceSE *>(form, "SearchReplaceSE");
        QVERIFY(QTest::qWaitForWindowExposed(window));
        // Over the middle of the main window, where a box over the main window comes up.
        window->move(form->geometry().center() - window->rect().center());
        Control<QComboBox>(window, "CBRep_FindText")->setEditText(find);
        Control<QComboBox>(window, "CBRep_ReplaceText")->setEditText("three");
        Control<QCheckBox>(window, "CBRep_ConfirmReplacements")->setChecked(confirm);
        QStringList under;
        boxes = std::make_unique<BoxCloser>([&](QMessageBox *box) {
            if (!StackedAbove(box, window))
                under << box->text();
        });
        QTest::mouseClick(all ? Control<QPushButton>(window, "ButtonReplaceAll") : Control<QPushButton>(window, "ButtonReplace"), Qt::LeftButton);
        QVERIFY(!boxes->texts.isEmpty());
        QCOMPARE(under, QStringList());
    }
};

VK_WINDOW_TEST_MAIN(TestPlacement)
#include "tst_placement_wm.moc"
