// The boxes and generator windows of the main window as a window manager shows them.
#include "DesktopSupport.h"
#include "LocalServer.h"
#include "MainFormTestSupport.h"

#include <QAction>
#include <QDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QWindow>
#include <functional>

class TestWindows : public QObject, MainFormFixture {
    Q_OBJECT

    // Triggers the menu item and acts in the modal window it opens once the manager has
    // framed it.
    void useModal(const QString &menuItem, const std::function<void(QDialog *)> &act)
    {
        bool acted = false;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            acted = true;
            const auto leave = qScopeGuard([dialog] { dialog->reject(); });
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            QTRY_VERIFY(!WindowProperty(dialog, "_NET_FRAME_EXTENTS").isEmpty());
            act(dialog);
        });
        HangWatchdog watchdog(menuItem, 60);
        action(form, menuItem)->trigger();
        QVERIFY(acted);
    }

private slots:
    void init()
    {
        QVERIFY(SetUp());
        // Boxes of a window the manager has not taken in yet are handled as without an owner.
        QTRY_VERIFY(!WindowProperty(form.get(), "_NET_FRAME_EXTENTS").isEmpty());
    }
    void cleanup() { TearDown(); }

    void generatorComesBackWhereItWas_data()
    {
        QTest::addColumn<QString>("menuItem");
        QTest::newRow("table generator") << "MenuTableEditor";
        QTest::newRow("container generator") << "MenuContainerEditor";
    }
    // Shown again, a generator moved down and right by its frame; moved by the user, it
    // comes back where it was moved to.
    void generatorComesBackWhereItWas()
    {
        QFETCH(QString, menuItem);
        QRect first;
        useModal(menuItem, [&](QDialog *dialog) { first = dialog->geometry(); });
        for (const QPoint by : {QPoint(0, 0), QPoint(40, 30)}) {
            useModal(menuItem, [&](QDialog *dialog) {
                QCOMPARE(dialog->geometry(), first);
                dialog->windowHandle()->setPosition(dialog->windowHandle()->position() + by);
                QTRY_COMPARE(dialog->geometry(), first.translated(by));
            });
            if (QTest::currentTestFailed())
                return;
            first.translate(by);
        }
        useModal(menuItem, [&](QDialog *dialog) { QCOMPARE(dialog->geometry(), first); });
    }

    void boxHasAFixedDialogBorder_data()
    {
        QTest::addColumn<bool>("newVersion");
        QTest::newRow("about box") << false;
        QTest::newRow("new-version box") << true;
    }
    // No minimise or maximise buttons are asked for, and the manager may neither maximise nor
    // resize the box. Minimised anyway (openbox offers it for every dialog), the box took the
    // main window down with it, or left it blocked with no box on screen: both come back.
    void boxHasAFixedDialogBorder()
    {
        QFETCH(bool, newVersion);
        const auto check = [this](QDialog *box) {
            const QList<quint32> motif = MotifHints(box);
            QCOMPARE(motif.size(), 5);
            QCOMPARE(motif[0] & 3u, 3u);     // functions and decorations given
            QCOMPARE(motif[1] & 0x18u, 0u);  // neither minimise nor maximise
            QCOMPARE(motif[2] & 0x60u, 0u);  // no such buttons
            const QString allowed = WindowProperty(box, "_NET_WM_ALLOWED_ACTIONS");
            QVERIFY2(allowed.contains("_NET_WM_ACTION_CLOSE"), qPrintable(allowed));
            for (const char *action : {"_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT",
                                       "_NET_WM_ACTION_RESIZE"})
                QVERIFY2(!allowed.contains(action), qPrintable(allowed));

            QVERIFY(MinimisedByManager(box));
            QTRY_VERIFY(box->windowHandle()->isExposed() && !box->isMinimized());
            QTRY_VERIFY(form->windowHandle()->isExposed() && !form->isMinimized());
        };
        if (!newVersion) {
            useModal("MenuAbout", check);
            return;
        }
        // The box the version check shows when the service names a newer version.
        LocalServer server;
        server.body = "<ver>OldVersion</ver>";
        QVERIFY(RestartWithSetting("VersionCheckAddress", server.address()));
        QTRY_VERIFY(!WindowProperty(form.get(), "_NET_FRAME_EXTENTS").isEmpty());
        runTimer(form, "TimerActualize");
        QDialog *box = nullptr;
        QTRY_VERIFY((box = form->findChild<QDialog *>("NewVersionExists")));
        QVERIFY(QTest::qWaitForWindowExposed(box));
        QTRY_VERIFY(!WindowProperty(box, "_NET_FRAME_EXTENTS").isEmpty());
        check(box);
        box->close();
    }
};

VK_WINDOW_TEST_MAIN(TestWindows)
#include "tst_windows_wm.moc"
