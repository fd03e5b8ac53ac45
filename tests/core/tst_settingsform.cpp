// The settings and language files as the main window reads and writes them.
#include "MainFormTestSupport.h"

#include "program/MessagesKandrix.h"
#include "program/VkSettings.h"
#include "core/reMainForm.h"
#include "program/uDivStartVK.h"
#include "util/ManageOpenFileList.h"
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
#include <QTabWidget>
#include <QTextEdit>
#include <Qsci/qsciscintilla.h>
#include <memory>

class TestSettingsForm : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<ScriptedDialogs> dialogs;

    std::unique_ptr<TMainForm> startForm() { return StartMainForm(); }

    static QString line(const QByteArray &file, const QByteArray &key)
    {
        for (const QByteArray &l : file.split('\n')) {
            if (l.startsWith(key + "="))
                return QString::fromLatin1(l.mid(key.size() + 1)).trimmed();
        }
        return QString();
    }

private slots:
    void init()
    {
        for (QString &slot : RecentFiles)
            slot.clear();
        folder = std::make_unique<TempProgramFolder>();
        dialogs = std::make_unique<ScriptedDialogs>();
        ClearMessages();
    }

    void cleanup()
    {
        dialogs.reset();
        folder.reset();
    }

    void firstStartWritesTheFirstRunFile()
    {
        QVERIFY(!QFile::exists(folder->file("velkandrix.ini")));
        auto form = startForm();
        QVERIFY(form);
        const QByteArray written = folder->read("velkandrix.ini");
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const int top = qMax(0, (screen.height() - 600) / 2);
        const int left = qMax(0, (screen.width() - 840) / 2);
        QCOMPARE(written, EncodeSettingsText(FirstRunSettingsText(DefaultTidyOptionTables(), top, left)));
        QVERIFY(written.contains("\r\n"));
        QCOMPARE(form->width(), 840);
        QCOMPARE(form->height(), 600);
        QCOMPARE(form->RunCount, 1);
        // The language file was read: messages and captions have texts.
        QVERIFY(!SUntitled.isEmpty());
        QVERIFY(!form->QuickStartTexts[0].isEmpty());
        QVERIFY(form->MemoInfo->toPlainText().contains(form->QuickStartTexts[0]));

        // At exit the whole file is rewritten from the current state.
        form->SEFontSize->setValue(12);
        form->Action("MenuTidy4")->setChecked(true);
        form->ActiveDocument()->setModified(false);
        QVERIFY(form->close());
        const QByteArray saved = folder->read("velkandrix.ini");
        QCOMPARE(line(saved, "Rns"), QStringLiteral("1"));
        QCOMPARE(line(saved, "SEFontSize"), QStringLiteral("12"));
        QCOMPARE(line(saved, "MenuTidy4"), QStringLiteral("True"));
        QVERIFY(saved.contains("tpDefVal=newline:platformdependent\r\n"));

        // A second start reads it back.
        auto again = startForm();
        QVERIFY(again);
        QCOMPARE(again->SEFontSize->value(), 12);
        QVERIFY(again->Action("MenuTidy4")->isChecked());
        QVERIFY(!again->Action("MenuTidy5")->isChecked());
        QCOMPARE(again->RunCount, 2);
        DiscardChanges(again.get());
        again->close();
    }

    void aBadNumberStopsTheReading()
    {
        QVERIFY(folder->write("velkandrix.ini",
                              "[General]\r\nLanguage=fr\r\nRns=4\r\n[Interface]\r\nFormWidth=abc\r\n"
                              "FormHeight=500\r\nSEFontSize=14\r\n"));
        auto form = startForm();
        QVERIFY(form);
        // Later lines unread, closing steps skipped: the interface stays English.
        QCOMPARE(form->SEFontSize->value(), 9);
        QCOMPARE(form->RunCount, 4);
        QCOMPARE(LanguageFileName, AppPath + "language/lang_en.txt");
        DiscardChanges(form.get());
        form->close();
    }

    void lastFilesAreReopened()
    {
        // A ";" in a path split it in two at the next start: two errors, two empty tabs.
        QVERIFY(folder->write("a;1.html", "<p>a</p>"));
        QVERIFY(folder->write("b.html", "<p>b</p>"));
        auto form = startForm();
        QVERIFY(form);
        dialogs->openAnswers << QStringList{folder->file("a;1.html")} << QStringList{folder->file("b.html")};
        form->Action("MenuOpen")->trigger();
        form->Action("MenuOpen")->trigger();
        form->PageControlMemos->setCurrentIndex(1);
        form->Action("MenuCloseActiveTab")->trigger();
        QVERIFY(form->close());
        const QByteArray saved = folder->read("velkandrix.ini");
        QVERIFY(saved.contains("ItemLastFiles=" + folder->file("a;1.html").toUtf8()));
        QVERIFY(saved.contains("ItemRecentFiles=" + folder->file("b.html").toUtf8()));

        QFile::remove(folder->file("b.html"));
        auto again = startForm();
        QVERIFY(again);
        QVERIFY(dialogs->asked.isEmpty());
        QCOMPARE(again->Documents().size(), 1);
        QCOMPARE(again->ActiveDocument()->path(), folder->file("a;1.html"));
        // A vanished file is dropped from the recent list.
        QCOMPARE(RecentFiles[0], folder->file("a;1.html"));
        QVERIFY(RecentFiles[1].isEmpty());
        again->close();
    }

    void aSettingsFileThatCannotBeWrittenIsReported()
    {
        auto form = startForm();
        QVERIFY(form);
        // The settings path becomes a folder: writing must fail, the program still closes.
        QFile::remove(IniFileName);
        QVERIFY(QDir().mkpath(IniFileName));
        form->ActiveDocument()->setModified(false);
        QVERIFY(form->close());
        QCOMPARE(dialogs->asked.size(), 1);
        QCOMPARE(dialogs->asked[0].icon, QMessageBox::Critical);
        QVERIFY(!dialogs->asked[0].text.isEmpty());
    }

    void aFullDiskKeepsTheOldSettingsFile()
    {
        auto form = startForm();
        QVERIFY(form);
        const QByteArray before = folder->read("velkandrix.ini");
        QVERIFY(!before.isEmpty());
        form->SEFontSize->setValue(15);
        DiscardChanges(form.get());
        {
            FileSizeLimit limit(64);
            QVERIFY(form->close());
        }
        QCOMPARE(dialogs->asked.size(), 1);
        QCOMPARE(dialogs->asked[0].icon, QMessageBox::Critical);
        QCOMPARE(folder->read("velkandrix.ini"), before);
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
        auto form = startForm();
        QVERIFY(form);
        QCOMPARE(form->SEFontSize->value(), 13);
        form->OpenLanguageFile(folder->file("language/lang_f16.txt"));
        QVERIFY(form->Action("MenuFile")->text().contains("Fichier"));
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
        auto form = startForm();
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
        QVERIFY(folder->write("velkandrix.ini", "[General]\r\nLanguage=en\r\n[Interface]\r\nFormWidth=700\r\n"));
        auto form = startForm();
        QVERIFY(form);
        QCOMPARE(form->width(), 700);
        QVERIFY(form->PanelGridErrors->isVisible());
        QVERIFY(form->Action("MenuShowErrorsComments")->isChecked());
        QCOMPARE(form->SEFontSize->value(), 9);
        QVERIFY(form->Action("MenuTidy5")->isChecked());
        DiscardChanges(form.get());
        QVERIFY(form->close());
    }

    // The window crept up by its title bar at every start, until the title bar was off the screen.
    void theWindowComesBackWhereItWasLeft()
    {
        auto form = startForm();
        QVERIFY(form);
        form->move(150, 120);
        QTRY_COMPARE(form->frameGeometry().topLeft(), QPoint(150, 120));
        const QRect left = form->frameGeometry();
        QVERIFY(form->close());
        form.reset();
        for (int start = 0; start < 2; ++start) {
            auto again = startForm();
            QVERIFY(again);
            QTRY_COMPARE(again->frameGeometry(), left);
            QVERIFY(again->close());
        }
    }

    // A position stored on a screen that is gone left the window out of reach.
    void aWindowOffEveryScreenComesBackOnOne()
    {
        QVERIFY(folder->write("velkandrix.ini", "[General]\r\nLanguage=en\r\n[Interface]\r\nFormWidth=600\r\n"
                                                "FormHeight=400\r\nFormTop=-5000\r\nFormLeft=9000\r\n"));
        auto form = startForm();
        QVERIFY(form);
        bool onAScreen = false;
        for (QScreen *screen : QGuiApplication::screens())
            onAScreen = onAScreen || screen->availableGeometry().contains(form->frameGeometry().topLeft());
        QVERIFY(onAScreen);
        QVERIFY(form->close());
    }

    void anotherLanguageRecaptionsTheMenus()
    {
        auto form = startForm();
        QVERIFY(form);
        const QString english = form->Action("MenuFile")->text();
        const QString untitledEnglish = SUntitled;
        form->OpenLanguageFile(AppPath + "language/lang_fr.txt");
        QCOMPARE(LanguageCode, QStringLiteral("fr"));
        QVERIFY(form->Action("MenuFile")->text() != english);
        QVERIFY(form->Action("MenuFile")->text().contains("Fichier"));
        QVERIFY(SUntitled != untitledEnglish);
        QCOMPARE(form->menuBar()->actions().first()->text(), form->Action("MenuFile")->text());
        DiscardChanges(form.get());
        form->close();
    }
};

VK_WINDOW_TEST_MAIN(TestSettingsForm)
#include "tst_settingsform.moc"
