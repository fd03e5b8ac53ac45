// The main window's state across starts on a real display: what the settings file keeps
// of its place, size and maximized state, of the error panel and of the menus' choices,
// and which window a box belongs to once the search window has asked one.
#include "DesktopSupport.h"
#include "MainFormTestSupport.h"

#include "program/VkSettings.h"
#include "tools/ReSearchReplaceSE.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QWindow>

class TestWindowState : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<TMainForm> form;

    const QPoint place{150, 120};
    const QSize size{1000, 640};

    // A file as a user leaves it between two runs, with the given [Interface] lines.
    bool writeSettings(const QString &interfaceLines, const QRect &frame = {})
    {
        const QRect window = frame.isValid() ? frame : QRect(place, size);
        const QString text = QStringLiteral("[General]\r\nLanguage=en\r\nRns=4\r\n[Interface]\r\n"
                                            "FormWidth=%1\r\nFormHeight=%2\r\nFormTop=%3\r\nFormLeft=%4\r\n")
                                 .arg(window.width())
                                 .arg(window.height())
                                 .arg(window.top())
                                 .arg(window.left()) +
                             interfaceLines;
        return folder->write("velkandrix.ini", text.toUtf8());
    }

    bool start()
    {
        form = StartMainForm(true);
        return form != nullptr;
    }

    // Closes the window as the user does and reads back what it wrote.
    VkSettings closeAndRead()
    {
        CloseMainForm(form);
        VkSettings stored;
        if (ReadSettingsFile(folder->file("velkandrix.ini"), stored) != SettingsReadStatus::Completed)
            qWarning("the settings file written at exit does not read back whole");
        return stored;
    }

    // Where the error panel sits beside the document area, in the window's coordinates.
    QRect inWindow(QWidget *widget) const { return QRect(widget->mapTo(form.get(), QPoint()), widget->size()); }
    QWidget *errorPanel() const { return form->findChild<QWidget *>("PanelGridErrors"); }

private slots:
    void init()
    {
        folder = std::make_unique<TempProgramFolder>();
        dialogs = std::make_unique<ScriptedDialogs>();
        for (QString &slot : RecentFiles)
            slot.clear();
    }
    void cleanup()
    {
        CloseMainForm(form);
        Dialogs().parentWindow = nullptr;
        dialogs.reset();
        folder.reset();
    }

    // Moved and resized by the user, the window comes back so at the next start.
    void aNormalWindowComesBackWithItsPlaceAndSize()
    {
        QVERIFY(writeSettings("WindowState=wsNormal\r\n"));
        QVERIFY(start());
        QTRY_COMPARE(FrameTopLeft(form.get()), place);
        QCOMPARE(form->size(), size);

        const QPoint moved = place + QPoint(60, 45);
        const QSize resized(1060, 700);
        form->move(form->pos() + QPoint(60, 45));
        form->resize(resized);
        QTRY_COMPARE(FrameTopLeft(form.get()), moved);
        QTRY_COMPARE(form->size(), resized);
        VkSettings stored = closeAndRead();
        QCOMPARE(stored.WindowState, QStringLiteral("wsNormal"));
        QCOMPARE(QRect(stored.FormLeft, stored.FormTop, stored.FormWidth, stored.FormHeight), QRect(moved, resized));

        QVERIFY(start());
        QVERIFY(!form->isMaximized());
        QTRY_COMPARE(FrameTopLeft(form.get()), moved);
        QCOMPARE(form->size(), resized);
        QVERIFY(dialogs->asked.isEmpty());
    }

    void aMaximizedWindowKeepsItsNormalGeometry_data()
    {
        QTest::addColumn<bool>("byWindowManager");
        QTest::newRow("maximized by the program") << false;
        QTest::newRow("maximized by the window manager") << true;
    }
    // A maximized window stored the screen's size as its own: back to normal at the next
    // start it filled the screen, and its place was the screen's corner.
    void aMaximizedWindowKeepsItsNormalGeometry()
    {
        QFETCH(bool, byWindowManager);
        QVERIFY(writeSettings("WindowState=wsNormal\r\n"));
        QVERIFY(start());
        QTRY_COMPARE(FrameTopLeft(form.get()), place);
        if (byWindowManager)
            form->windowHandle()->setWindowStates(Qt::WindowMaximized);
        else
            form->showMaximized();
        QTRY_VERIFY(form->isMaximized());
        QTRY_VERIFY(form->width() > size.width() && form->height() > size.height());

        // Twice: the second run started maximized and never saw its normal geometry.
        for (int run = 0; run < 2; ++run) {
            VkSettings stored = closeAndRead();
            QCOMPARE(stored.WindowState, QStringLiteral("wsMaximized"));
            QCOMPARE(QRect(stored.FormLeft, stored.FormTop, stored.FormWidth, stored.FormHeight), QRect(place, size));
            QVERIFY(start());
            QTRY_VERIFY(form->isMaximized());
            QTRY_VERIFY(form->width() > size.width());
        }
        form->showNormal();
        QTRY_VERIFY(!form->isMaximized());
        QTRY_COMPARE(form->size(), size);
        QTRY_COMPARE(FrameTopLeft(form.get()), place);
        VkSettings stored = closeAndRead();
        QCOMPARE(stored.WindowState, QStringLiteral("wsNormal"));
        QVERIFY(dialogs->asked.isEmpty());
    }

    void theErrorPanelKeepsItsSideAndSize_data()
    {
        QTest::addColumn<bool>("left");
        QTest::newRow("at the bottom") << false;
        QTest::newRow("docked left") << true;
    }
    // The side comes back; a size the user dragged is kept through a resize of the window
    // and stored as the panel has it.
    void theErrorPanelKeepsItsSideAndSize()
    {
        QFETCH(bool, left);
        // Wide enough for a quarter of it beside the documents.
        const QRect frame(20, 20, 1200, 800);
        QVERIFY(writeSettings(QStringLiteral("GridErrorToLeft=%1\r\n").arg(left ? "True" : "False"), frame));
        QVERIFY(start());
        QWidget *panel = errorPanel();
        QVERIFY(panel->isVisible());
        QCOMPARE(action(form, "MenuErrorEditorToLeft")->isChecked(), left);
        const QRect documents = inWindow(documentPages(form));
        QTRY_VERIFY(left ? inWindow(panel).right() < documents.left() : inWindow(panel).top() > documents.bottom());
        // Its default size at start: a quarter of the window's width, or 122 pixels high.
        QCOMPARE(left ? panel->width() : panel->height(), left ? form->width() * 25 / 100 : 122);

        // The user drags the splitter 60 pixels towards the documents.
        auto *splitter = form->findChild<QSplitter *>("SplitterPanelGridError");
        QVERIFY(splitter);
        QWidget *handle = splitter->handle(1);
        const int before = left ? panel->width() : panel->height();
        const QPoint grip = handle->rect().center();
        const QPoint step = left ? QPoint(60, 0) : QPoint(0, -60);
        QTest::mousePress(handle, Qt::LeftButton, {}, grip);
        QTest::mouseMove(handle, grip + step);
        QTest::mouseRelease(handle, Qt::LeftButton, {}, grip);
        QTRY_COMPARE(left ? panel->width() : panel->height(), before + 60);
        form->resize(frame.size() - QSize(40, 30));
        QTRY_COMPARE(form->size(), frame.size() - QSize(40, 30));
        QCOMPARE(left ? panel->width() : panel->height(), before + 60);
        const QSize dragged = panel->size();

        VkSettings stored = closeAndRead();
        QCOMPARE(stored.GridErrorToLeft, left);
        QVERIFY(stored.PanelGridErrorsWidth && stored.PanelGridErrorsHeight);
        QCOMPARE(QSize(*stored.PanelGridErrorsWidth, *stored.PanelGridErrorsHeight), dragged);

        // Switched by the menu, the other side comes back at the next start.
        QVERIFY(start());
        action(form, "MenuErrorEditorToLeft")->trigger();
        QTRY_VERIFY(!left ? inWindow(errorPanel()).right() < inWindow(documentPages(form)).left()
                          : inWindow(errorPanel()).top() > inWindow(documentPages(form)).bottom());
        QCOMPARE(closeAndRead().GridErrorToLeft, !left);
        QVERIFY(start());
        QCOMPARE(action(form, "MenuErrorEditorToLeft")->isChecked(), !left);
        QVERIFY(dialogs->asked.isEmpty());
    }

    // Closed by its button, the panel stays closed at the next start until the menu shows
    // it again.
    void aClosedErrorPanelStaysClosed()
    {
        QVERIFY(writeSettings(QString()));
        QVERIFY(start());
        QTest::mouseClick(errorPanel()->findChild<QAbstractButton *>("ButtonCloseGridErrors"), Qt::LeftButton);
        QVERIFY(!errorPanel()->isVisible());
        QVERIFY(!closeAndRead().MenuShowErrorsComments);

        QVERIFY(start());
        QVERIFY(!errorPanel()->isVisible());
        QVERIFY(!action(form, "MenuShowErrorsComments")->isChecked());
        QVERIFY(!action(form, "MenuErrorEditorToLeft")->isEnabled());
        action(form, "MenuShowErrorsComments")->trigger();
        QVERIFY(errorPanel()->isVisible());
        QVERIFY(action(form, "MenuErrorEditorToLeft")->isEnabled());
        QTRY_VERIFY(errorPanel()->height() > 50);
        QVERIFY(closeAndRead().MenuShowErrorsComments);
    }

    void menuChoicesComeBack_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<bool>("tidy4");
        QTest::addColumn<bool>("javascript");
        QTest::addColumn<int>("fontSize");
        QTest::newRow("Tidy 4 alone") << "MenuTidy4=True\r\nMenuTidy5=False\r\n" << true << false << 9;
        QTest::newRow("both ticked by hand") << "MenuTidy4=True\r\nMenuTidy5=True\r\n" << false << false << 9;
        QTest::newRow("neither ticked") << "MenuTidy4=False\r\nMenuTidy5=False\r\n" << false << false << 9;
        QTest::newRow("scripts on, larger font")
            << "MenuEnableJavascript=True\r\nSEFontSize=14\r\nMenuTidy4=True\r\nMenuTidy5=False\r\n" << true << true << 14;
        // Reading stops at a number that is none: what came before stays, nothing after counts.
        QTest::newRow("a malformed number")
            << "SEFontSize=13\r\nMenuEnableJavascript=True\r\nFormWidth=wide\r\nMenuTidy4=True\r\nMenuTidy5=False\r\n"
            << false << true << 13;
        QTest::newRow("empty values") << "MenuTidy4=True\r\nMenuTidy5=\r\nMenuEnableJavascript=\r\n" << true << false << 9;
        QTest::newRow("stray lines") << "this line holds no value\r\n=True\r\nMenuTidy4 =True\r\n ; MenuTidy4=True\r\n"
                                        "   SEFontSize=11   \r\n"
                                     << false << false << 11;
    }
    // A hand-edited file starts with exactly one Tidy version chosen, Tidy 5 unless Tidy 4
    // alone is ticked, and the next file says the same.
    void menuChoicesComeBack()
    {
        QFETCH(QString, lines);
        QFETCH(bool, tidy4);
        QFETCH(bool, javascript);
        QFETCH(int, fontSize);
        QVERIFY(writeSettings(lines));
        for (int run = 0; run < 2; ++run) {
            QVERIFY(start());
            QCOMPARE(action(form, "MenuTidy4")->isChecked(), tidy4);
            QCOMPARE(action(form, "MenuTidy5")->isChecked(), !tidy4);
            QCOMPARE(action(form, "MenuEnableJavascript")->isChecked(), javascript);
            QCOMPARE(child<QSpinBox *>(form, "SEFontSize")->value(), fontSize);
            QCOMPARE(form->size(), size);
            const VkSettings stored = closeAndRead();
            QCOMPARE(stored.MenuTidy4, tidy4);
            QCOMPARE(stored.MenuTidy5, !tidy4);
            QCOMPARE(stored.MenuEnableJavascript, javascript);
            QCOMPARE(stored.SEFontSize, fontSize);
        }
        QVERIFY(dialogs->asked.isEmpty());
    }

    // A box of the search window belongs to it while it is shown; closed, the boxes of the
    // main window came up over the place where it had been, apart from the main window.
    void boxesBelongToTheMainWindowAgainOnceTheSearchWindowIsClosed()
    {
        dialogs.reset();   // real boxes
        QVERIFY(writeSettings(QString()));
        QVERIFY(QFile::remove(folder->file("help/help_en.htm")));
        QVERIFY(start());
        currentDocument(form)->editor()->setText("one two one");
        action(form, "MenuSearch")->trigger();
        TSearchReplaceSE *window = child<TSearchReplaceSE *>(form, "SearchReplaceSE");
        QVERIFY(QTest::qWaitForWindowExposed(window));
        Control<QComboBox>(window, "CBSea_FindText")->setEditText("four");

        struct Shown {
            QWidget *parent;
            bool overTheMainWindow;
        };
        QList<Shown> shown;
        BoxCloser boxes([&](QMessageBox *box) {
            shown << Shown{box->parentWidget(), StackedAbove(box, form.get()) &&
                                                    form->frameGeometry().contains(box->frameGeometry().center())};
        });
        QTest::mouseClick(Control<QPushButton>(window, "ButtonSearch"), Qt::LeftButton);
        QTRY_COMPARE(shown.size(), 1);
        QCOMPARE(shown[0].parent, window);
        window->close();
        QTRY_VERIFY(!window->isVisible());

        // Search next for the same text, and a help file gone: both from the main window.
        action(form, "MenuSearchNext")->trigger();
        QTRY_COMPARE(shown.size(), 2);
        action(form, "MenuHelpIndex")->trigger();
        QTRY_COMPARE(shown.size(), 3);
        for (int i = 1; i < 3; ++i) {
            QCOMPARE(shown[i].parent, form.get());
            QVERIFY(shown[i].overTheMainWindow);
        }
        QCOMPARE(boxes.texts[1], FormatMessageText(SStringNotFound, {"four"}));
        QCOMPARE(boxes.texts[2], SHelpNotFound);
    }
};

VK_WINDOW_TEST_MAIN(TestWindowState)
#include "tst_windowstate_wm.moc"
