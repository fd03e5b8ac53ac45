// The View, Options and Help menus, the about box and the version check, driven as a user would.
#include "LocalServer.h"
#include "MainFormTestSupport.h"

#include "core/reAbout.h"
#include "program/VkNewversion.h"
#include "util/VelKandrixUtils.h"
#include "program/VkSettings.h"
#include "program/uDivStartVK.h"

#include <QAction>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QNetworkProxy>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextEdit>
#include <QTimer>
#include <QWebEngineView>

class TestMenus : public QObject, MainFormFixture {
    Q_OBJECT

    QList<QUrl> opened;

    TVersionCheck *check() const { return form->findChild<TVersionCheck *>(); }
    QWidget *newVersionDialog() const { return form->findChild<QDialog *>("NewVersionExists"); }

    void restartAskingAt(const LocalServer &server) { QVERIFY(RestartWithSetting("VersionCheckAddress", server.address())); }

    // Runs the check against the server the way the timer does, and waits for its end.
    bool runCheck(LocalServer &server)
    {
        restartAskingAt(server);
        runTimer(form, "TimerActualize");
        if (!check())
            return false;
        QSignalSpy finished(check(), &TVersionCheck::Finished);
        return finished.wait(10000);
    }

public slots:
    void openUrl(const QUrl &url) { opened << url; }

private slots:
    void initTestCase()
    {
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        for (const char *scheme : {"http", "https", "file"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "openUrl");
    }
    void cleanupTestCase()
    {
        for (const char *scheme : {"http", "https", "file"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    void init()
    {
        opened.clear();
        QVERIFY(SetUp());
    }
    void cleanup()
    {
        TearDown();
    }

    // An exclusive group never unchecks its checked item: clicking Tidy 5 while checked kept Tidy 5.
    void clickingTheCheckedTidySwitchesVersion()
    {
        QAction *tidy4 = action(form, "MenuTidy4");
        QAction *tidy5 = action(form, "MenuTidy5");
        QVERIFY(tidy5->isChecked());
        tidy5->trigger();
        QVERIFY(tidy4->isChecked() && !tidy5->isChecked());
        QVERIFY(action(form, "MenuTidy4")->isChecked());
        tidy4->trigger();
        QVERIFY(!tidy4->isChecked() && tidy5->isChecked());
    }

    // Hiding the error panel left the last run's counts and messages behind it.
    void hidingTheErrorPanelClearsTheLastRun()
    {
        child<QLabel *>(form, "StatusBar1_Panel6")->setText("3 errors");
        auto *info = form->findChild<QTextEdit *>("MemoInfo");
        QWidget *panel = form->findChild<QWidget *>("PanelGridErrors");
        info->setPlainText("line 1 column 1 - Warning");
        action(form, "MenuShowErrorsComments")->trigger();
        QVERIFY(!panel->isVisible());
        QVERIFY(!action(form, "MenuErrorEditorToLeft")->isEnabled());
        QVERIFY(statusText(form, 6).isEmpty());
        QVERIFY(info->toPlainText().isEmpty());
        action(form, "MenuShowErrorsComments")->trigger();
        QVERIFY(panel->isVisible());
        QVERIFY(action(form, "MenuErrorEditorToLeft")->isEnabled());
    }

    // At the window's smallest width a tool page's bar folded its last buttons behind an arrow
    // that opens nothing, and the encoding row drew its controls over one another.
    void everyToolPageFitsAtTheSmallestWidth()
    {
        form->show();
        form->resize(1, form->height());
        QTest::qWait(0);
        for (int i = 0; i < child<QTabWidget *>(form, "PageControlHaut")->count(); ++i) {
            child<QTabWidget *>(form, "PageControlHaut")->setCurrentIndex(i);
            QTest::qWait(0);
            QWidget *page = child<QTabWidget *>(form, "PageControlHaut")->widget(i);
            QVERIFY2(page->width() >= page->sizeHint().width(), qPrintable(page->objectName()));
        }
    }

    void helpOpensThePageOrSaysItIsMissing_data()
    {
        QTest::addColumn<bool>("present");
        QTest::newRow("page present") << true;
        QTest::newRow("page missing") << false;
    }

    // A missing page must be reported, not handed to the desktop to fail there.
    void helpOpensThePageOrSaysItIsMissing()
    {
        QFETCH(bool, present);
        QVERIFY(QFile::exists(form->Settings().HelpFileName));
        if (!present)
            QVERIFY(QFile::remove(form->Settings().HelpFileName));
        QTest::keyClick(form.get(), Qt::Key_F1);
        if (present) {
            QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(form->Settings().HelpFileName)});
            QVERIFY(dialogs->asked.isEmpty());
        } else {
            QVERIFY(opened.isEmpty());
            QCOMPARE(dialogs->texts(), QStringList{SHelpNotFound});
        }
    }

    // Each web command must hand its own web address to the desktop.
    void webLinksGoToTheDesktop()
    {
        for (const char *name : {"MenuWebsite", "MenuTidySourceForge", "MenuTidyHtmlpedia"})
            action(form, name)->trigger();
        QCOMPARE(opened.size(), 3);
        QCOMPARE(opened.first(), QUrl(WebsiteAddress));
        QVERIFY(opened[1] != opened[2] && opened[1].scheme().startsWith("http") && opened[2].isValid());
    }

    void aboutBox_data()
    {
        QTest::addColumn<bool>("wallpaper");
        QTest::newRow("with its picture") << true;
        QTest::newRow("picture missing") << false;
    }

    // The box shows the full version and opens the site; a missing picture must not stop it.
    void aboutBox()
    {
        QFETCH(bool, wallpaper);
        if (!wallpaper)
            QVERIFY(QFile::remove(Paths().WallpaperFile));
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto *about = qobject_cast<TAbout *>(QApplication::activeModalWidget());
            QVERIFY(about);
            seen = true;
            QCOMPARE(about->findChild<QLabel *>("LabelSoftVersion")->text(), "v. " + FullVersion);
            QCOMPARE(about->findChild<QLabel *>("ImageWallpaper")->pixmap().isNull(), !wallpaper);
            about->grab().save(QStringLiteral("/tmp/vk-about-%1.png").arg(wallpaper));
            QTest::mouseClick(about->findChild<QLabel *>("LabelWebsite"), Qt::LeftButton);
            QTest::mouseClick(about->findChild<QPushButton *>("ButtonClose"), Qt::LeftButton);
        });
        HangWatchdog watchdog("about box", 30);
        action(form, "MenuAbout")->trigger();
        QVERIFY(seen);
        QCOMPARE(opened, QList<QUrl>{QUrl(WebsiteAddress)});
    }

    // Turning scripts on changed nothing on the preview in front until it was shown again.
    void javascriptReachesTheOpenPreview()
    {
        TDocument *doc = currentDocument(form);
        doc->editor()->setText("<html><head><title>off</title></head><body><script>document.title = 'on';"
                               "</script></body></html>");
        auto *inner = doc->container()->findChild<QTabWidget *>("SubPC_" + doc->container()->objectName());
        inner->setCurrentIndex(1);
        QSignalSpy loaded(doc->browser(), &QWebEngineView::loadFinished);
        QTRY_COMPARE_WITH_TIMEOUT(loaded.count(), 1, 15000);
        QCOMPARE(doc->browser()->title(), QStringLiteral("off"));
        action(form, "MenuEnableJavascript")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(doc->browser()->title(), QStringLiteral("on"), 15000);
        CloseMainForm(form);
        QVERIFY(folder->read("velkandrix.ini").contains("\r\nMenuEnableJavascript=True\r\n"));
    }

    void versionCheckActsOnlyOnOldVersion_data()
    {
        QTest::addColumn<int>("headStatus");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("dialog");
        QTest::newRow("old version") << 200 << QByteArray("<html><ver>OldVersion</ver></html>") << true;
        QTest::newRow("current version") << 200 << QByteArray("<ver>2.0.2.0</ver>") << false;
        QTest::newRow("no tags") << 200 << QByteArray("OldVersion") << false;
        QTest::newRow("head not found") << 404 << QByteArray("<ver>OldVersion</ver>") << false;
        QTest::newRow("service moved") << 301 << QByteArray("<ver>OldVersion</ver>") << false;
    }

    // Only a HEAD answered 200 may be followed by the GET (a redirection is not followed),
    // and only "OldVersion" brings the dialog.
    void versionCheckActsOnlyOnOldVersion()
    {
        QFETCH(int, headStatus);
        QFETCH(QByteArray, body);
        QFETCH(bool, dialog);
        LocalServer server;
        server.headStatus = headStatus;
        server.body = body;
        QVERIFY(runCheck(server));
        QStringList expected{"HEAD /version.php"};
        if (headStatus == 200)
            expected << "GET /version.php?A=" + KeepDigits(FullVersion);
        QCOMPARE(server.requests, expected);
        QCOMPARE(newVersionDialog() != nullptr, dialog);
        QVERIFY(!child<QTimer *>(form, "TimerActualize")->isActive());
    }

    // The reminder switched off in the dialog must stay off at the next start.
    void dontShowAgainIsKeptAtExit()
    {
        LocalServer server;
        server.body = "<ver>OldVersion</ver>";
        QVERIFY(runCheck(server));
        QWidget *dialog = newVersionDialog();
        QVERIFY(dialog && dialog->isVisible());
        dialog->findChild<QCheckBox *>("CB_DontShowThisMessage")->setChecked(true);
        QTest::mouseClick(dialog->findChild<QPushButton *>("ButtonNo"), Qt::LeftButton);
        QVERIFY(opened.isEmpty());
        CloseMainForm(form);
        QVERIFY(folder->read("velkandrix.ini").contains("\r\nShowNewVersion=False\r\n"));
        // Switched off, the next start arms no timer and asks nothing.
        form = StartMainForm();
        QVERIFY(!child<QTimer *>(form, "TimerActualize")->isActive());
        restartAskingAt(server);
        runTimer(form, "TimerActualize");
        QTest::qWait(300);
        QCOMPARE(server.requests.size(), 2);
    }

    void yesOpensTheDownloadPageOfTheLanguage_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("french");
        QTest::newRow("fr") << "fr" << true;
        QTest::newRow("de") << "de" << false;
    }

    void yesOpensTheDownloadPageOfTheLanguage()
    {
        QFETCH(QString, code);
        QFETCH(bool, french);
        LocalServer server;
        server.body = "<ver>OldVersion</ver>";
        QVERIFY(RestartWithSetting("Language", code));
        QVERIFY(runCheck(server));
        QTest::mouseClick(newVersionDialog()->findChild<QPushButton *>("ButtonYes"), Qt::LeftButton);
        QCOMPARE(opened, QList<QUrl>{QUrl(french ? DownloadPageFR : DownloadPageEN)});
        QVERIFY(form->Settings().ShowNewVersion);
    }

    // The check once froze the window while the server kept silent. It must give up by itself,
    // and one still waiting at exit must end quietly: no dialog over a closing program, no crash.
    void silentServerNeitherHangsNorShowsAnything()
    {
        LocalServer server;
        server.silent = true;
        restartAskingAt(server);
        {
            HangWatchdog watchdog("version check", 5);
            runTimer(form, "TimerActualize");
        }
        QSignalSpy finished(check(), &TVersionCheck::Finished);
        // Each request gives up after ten seconds.
        QVERIFY(finished.wait(15000));
        QCOMPARE(finished.first().first().toString(), QString());

        runTimer(form, "TimerActualize");
        QTRY_COMPARE(server.requests.size(), 2);
        CloseMainForm(form);
        QTest::qWait(100);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

VK_WINDOW_TEST_MAIN(TestMenus)
#include "tst_menus.moc"
