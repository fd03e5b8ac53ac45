// The settings and language files as the main window reads and writes them.
#include "MainFormTestSupport.h"

#include "program/VkSettings.h"
#include "program/uDivStartVK.h"
#include "validation/TidyOptionDefaults.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QStringEncoder>
#include <QSpinBox>
#include <QTextEdit>

class TestSettingsForm : public QObject, MainFormFixture {
    Q_OBJECT

    static QString line(const QByteArray &file, const QByteArray &key)
    {
        for (const QByteArray &l : file.split('\n')) {
            if (l.startsWith(key + "="))
                return QString::fromLatin1(l.mid(key.size() + 1)).trimmed();
        }
        return QString();
    }

private slots:
    void init() { QVERIFY(SetUp(false)); }
    void cleanup() { TearDown(); }

    // A first start must write the first-run file centred on the screen, and what the user
    // changed must come back at the next start.
    void firstStartWritesTheFirstRunFile()
    {
        QVERIFY(!QFile::exists(folder->file("velkandrix.ini")));
        auto form = StartMainForm();
        QVERIFY(form);
        const QByteArray written = folder->read("velkandrix.ini");
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const int top = qMax(0, (screen.height() - 600) / 2);
        const int left = qMax(0, (screen.width() - 840) / 2);
        QCOMPARE(written, EncodeSettingsText(FirstRunSettingsText(DefaultTidyOptionTables(), top, left)));
        QCOMPARE(form->Settings().RunCount, 1);
        // The language file was read: the quick start text is shown.
        const QString quickStart = line(folder->read("language/lang_en.txt"), "lgQuickStart");
        QVERIFY(!quickStart.isEmpty());
        QVERIFY(form->findChild<QTextEdit *>("MemoInfo")->toPlainText().contains(quickStart));

        // At exit the whole file is rewritten from the current state.
        child<QSpinBox *>(form, "SEFontSize")->setValue(12);
        action(form, "MenuTidy4")->setChecked(true);
        currentDocument(form)->setModified(false);
        QVERIFY(form->close());
        const QByteArray saved = folder->read("velkandrix.ini");
        QCOMPARE(line(saved, "Rns"), QStringLiteral("1"));
        QCOMPARE(line(saved, "SEFontSize"), QStringLiteral("12"));
        QCOMPARE(line(saved, "MenuTidy4"), QStringLiteral("True"));
        QVERIFY(saved.contains("tpDefVal=newline:platformdependent\r\n"));

        // A second start reads it back.
        auto again = StartMainForm();
        QVERIFY(again);
        QCOMPARE(child<QSpinBox *>(again, "SEFontSize")->value(), 12);
        QVERIFY(action(again, "MenuTidy4")->isChecked());
        QVERIFY(!action(again, "MenuTidy5")->isChecked());
        QCOMPARE(again->Settings().RunCount, 2);
        DiscardChanges(again.get());
        again->close();
    }

    // A ";" in a path split it in two at the next start: two errors, two empty tabs.
    void lastFilesAreReopened()
    {
        QVERIFY(folder->write("a;1.html", "<p>a</p>"));
        QVERIFY(folder->write("b.html", "<p>b</p>"));
        auto form = StartMainForm();
        QVERIFY(form);
        dialogs->openAnswers << QStringList{folder->file("a;1.html")} << QStringList{folder->file("b.html")};
        action(form, "MenuOpen")->trigger();
        action(form, "MenuOpen")->trigger();
        documentPages(form)->setCurrentIndex(1);
        action(form, "MenuCloseActiveTab")->trigger();
        QVERIFY(form->close());
        const QByteArray saved = folder->read("velkandrix.ini");
        QVERIFY(saved.contains("ItemLastFiles=" + folder->file("a;1.html").toUtf8()));
        QVERIFY(saved.contains("ItemRecentFiles=" + folder->file("b.html").toUtf8()));

        QFile::remove(folder->file("b.html"));
        auto again = StartMainForm();
        QVERIFY(again);
        QVERIFY(dialogs->asked.isEmpty());
        QCOMPARE(documents(again).size(), 1);
        QCOMPARE(currentDocument(again)->path(), folder->file("a;1.html"));
        // A vanished file is dropped from the recent list.
        QCOMPARE(again->Settings().RecentFiles[0], folder->file("a;1.html"));
        QVERIFY(again->Settings().RecentFiles[1].isEmpty());
        again->close();
    }

    // A settings file that cannot be written must be reported, keep its old content and
    // never keep the program from closing.
    void aFailedSettingsWriteIsReported_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("a folder in its place") << false;
        QTest::newRow("full disk") << true;
    }

    void aFailedSettingsWriteIsReported()
    {
        QFETCH(bool, fullDisk);
        auto form = StartMainForm();
        QVERIFY(form);
        const QByteArray before = folder->read("velkandrix.ini");
        child<QSpinBox *>(form, "SEFontSize")->setValue(15);
        DiscardChanges(form.get());
        if (fullDisk) {
            FileSizeLimit limit(64);
            QVERIFY(form->close());
            QCOMPARE(folder->read("velkandrix.ini"), before);
        } else {
            QFile::remove(Paths().IniFileName);
            QVERIFY(QDir().mkpath(Paths().IniFileName));
            QVERIFY(form->close());
        }
        QCOMPARE(dialogs->asked.size(), 1);
        QCOMPARE(dialogs->asked[0].icon, QMessageBox::Critical);
        QVERIFY(!dialogs->asked[0].text.isEmpty());
    }

    // A settings or language file saved as UTF-16 read as empty: the user's settings were lost at exit.
    void utf16FilesAreRead_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QByteArray>("mark");
        QTest::newRow("little-endian") << "UTF-16LE" << QByteArray("\xFF\xFE");
        QTest::newRow("big-endian") << "UTF-16BE" << QByteArray("\xFE\xFF");
    }

    void utf16FilesAreRead()
    {
        QFETCH(QString, encoding);
        QFETCH(QByteArray, mark);
        QStringEncoder encoder(encoding.toLatin1().constData());
        QVERIFY(folder->write("velkandrix.ini", mark + encoder.encode(QStringLiteral(
                                                    "[General]\r\nLanguage=en\r\n[Interface]\r\nSEFontSize=13\r\n"))));
        const QString french = QString::fromUtf8(folder->read("language/lang_fr.txt"));
        QVERIFY(folder->write("language/lang_f16.txt", mark + encoder.encode(french)));
        auto form = StartMainForm();
        QVERIFY(form);
        QCOMPARE(child<QSpinBox *>(form, "SEFontSize")->value(), 13);
        const QString untitledEnglish = SUntitled;
        chooseLanguage(form, dialogs.get(), folder.get(), "lang_f16.txt");
        // Menus and messages take the new language.
        QCOMPARE(form->menuBar()->actions().first()->text(), action(form, "MenuFile")->text());
        QVERIFY(action(form, "MenuFile")->text().contains("Fichier"));
        QVERIFY(SUntitled != untitledEnglish);
        DiscardChanges(form.get());
        QVERIFY(form->close());
        QVERIFY(dialogs->asked.isEmpty());
    }

    // A file that could not be read was replaced at exit by one with the built-in values only.
    void anUnreadableSettingsFileIsKeptAside()
    {
        QString text = "[General]\r\nLanguage=en\r\n[Interface]\r\n";
        for (int i = 0; i < 400; ++i)
            text += QStringLiteral("Item%1=value %1\r\n").arg(i);
        // UTF-16 without its byte-order mark: nothing can be made of it.
        const QByteArray unreadable = QStringEncoder(QStringEncoder::Utf16LE).encode(text);
        QVERIFY(folder->write("velkandrix.ini", unreadable));
        auto form = StartMainForm();
        QVERIFY(form);
        DiscardChanges(form.get());
        QVERIFY(form->close());
        QCOMPARE(folder->read("velkandrix.ini.old"), unreadable);
        QCOMPARE(dialogs->asked.size(), 1);
        QVERIFY(dialogs->asked[0].text.contains(folder->file("velkandrix.ini.old")));
        // The settings of the session are written in its place, and read on the next start.
        QVERIFY(folder->read("velkandrix.ini").contains("[General]"));
    }

    // A planted fault that dropped the built-in value of a missing key went unnoticed.
    void missingKeysKeepTheirBuiltInValues()
    {
        QVERIFY(folder->write("velkandrix.ini", "[General]\r\nLanguage=en\r\n[Interface]\r\nFormWidth=1000\r\n"));
        auto form = StartMainForm();
        QVERIFY(form);
        QCOMPARE(form->width(), 1000);
        QVERIFY(form->findChild<QWidget *>("PanelGridErrors")->isVisible());
        QVERIFY(action(form, "MenuShowErrorsComments")->isChecked());
        QCOMPARE(child<QSpinBox *>(form, "SEFontSize")->value(), 9);
        QVERIFY(action(form, "MenuTidy5")->isChecked());
        DiscardChanges(form.get());
        QVERIFY(form->close());
    }

    void choicesSurviveTheNextStart_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("checked");
        QTest::newRow("JavaScript in previews") << "MenuEnableJavascript" << "MenuEnableJavascript" << true;
        QTest::newRow("error panel on the left") << "MenuErrorEditorToLeft" << "GridErrorToLeft" << true;
        QTest::newRow("error panel hidden") << "MenuShowErrorsComments" << "MenuShowErrorsComments" << false;
        QTest::newRow("Tidy 4") << "MenuTidy4" << "MenuTidy4" << true;
    }

    // A choice of the Options and View menus is written at exit and checked again at the
    // next start; a choice kept only by its menu item was lost.
    void choicesSurviveTheNextStart()
    {
        QFETCH(QString, action);
        QFETCH(QString, key);
        QFETCH(bool, checked);
        form = StartMainForm();
        QVERIFY(form);
        form->findChild<QAction *>(action)->trigger();
        QCOMPARE(form->findChild<QAction *>(action)->isChecked(), checked);
        CloseMainForm(form);
        QCOMPARE(line(folder->read("velkandrix.ini"), key.toLatin1()), checked ? "True" : "False");
        form = StartMainForm();
        QVERIFY(form);
        QCOMPARE(form->findChild<QAction *>(action)->isChecked(), checked);
    }

    // The language and the Tidy configuration chosen while the program runs are the ones
    // it starts with next time.
    void languageAndConfigurationOfTheNextStart()
    {
        QVERIFY(folder->write("config/mine.cfg", folder->read("config/auto-settings.cfg")));
        form = StartMainForm();
        QVERIFY(form);
        dialogs->openAnswers << QStringList{folder->file("language/lang_fr.txt")};
        form->findChild<QAction *>("MenuLanguage")->trigger();
        auto *configs = form->findChild<QComboBox *>("CBConfigTidy");
        configs->setCurrentIndex(configs->findText("mine.cfg"));
        emit configs->activated(configs->currentIndex());
        CloseMainForm(form);
        const QByteArray saved = folder->read("velkandrix.ini");
        QCOMPARE(line(saved, "Language"), QStringLiteral("fr"));
        QCOMPARE(line(saved, "FTidyConfigFile"), folder->file("config/mine.cfg"));

        form = StartMainForm();
        QVERIFY(form);
        QCOMPARE(form->findChild<QAction *>("MenuFile")->text(), QStringLiteral("&Fichier"));
        QCOMPARE(form->findChild<QComboBox *>("CBConfigTidy")->currentText(), QStringLiteral("mine.cfg"));
    }

    // The window starts with the folder's files and keeps them until it closes: pointing the
    // paths elsewhere meanwhile is refused.
    void pathsStayWhileTheWindowLives()
    {
        form = StartMainForm();
        QVERIFY(form);
        QVERIFY(!InitProgramPaths(QDir::tempPath()));
        QCOMPARE(Paths().IniFileName, folder->file("velkandrix.ini"));
        CloseMainForm(form);
        QVERIFY(QFile::exists(folder->file("velkandrix.ini")));
        QVERIFY(InitProgramPaths(folder->path()));
    }

    // A position stored on a screen that is gone left the window out of reach.
    void aWindowOffEveryScreenComesBackOnOne()
    {
        QVERIFY(folder->write("velkandrix.ini", "[General]\r\nLanguage=en\r\n[Interface]\r\nFormWidth=600\r\n"
                                                "FormHeight=400\r\nFormTop=-5000\r\nFormLeft=9000\r\n"));
        auto form = StartMainForm();
        QVERIFY(form);
        bool onAScreen = false;
        for (QScreen *screen : QGuiApplication::screens())
            onAScreen = onAScreen || screen->availableGeometry().contains(form->frameGeometry().topLeft());
        QVERIFY(onAScreen);
        QVERIFY(form->close());
    }
};

VK_WINDOW_TEST_MAIN(TestSettingsForm)
#include "tst_settingsform.moc"
