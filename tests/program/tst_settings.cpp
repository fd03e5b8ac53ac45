// Settings file: first-run text, reading rules with the stop on a bad number,
// the round trip of every value, recent and last files, encodings.
#include "TestSupport.h"
#include "program/VkSettings.h"
#include "program/uDivStartVK.h"
#include "platform/Platform.h"
#include "util/uDivApplication.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QtTest>
#include <memory>

namespace {

QString crlf(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

TidyOptionTables smallTables()
{
    TidyOptionTables t;
    t.ItemsCBDocType = "omit;auto;strict;transitional;user";
    t.ItemsCBAutoBool = "auto;yes;no";
    t.ItemsCBRepeatedAttributes = "keep-first;keep-last";
    t.ItemsCBAccessibilityCheck = "0;1;2;3";
    t.ItemsCBSortAttributes = "none;alpha";
    t.ItemsCBCharEncoding = "raw;ascii;utf8";
    t.ItemsCBNewLine = "LF;CRLF;CR";
    t.ItemsCBBoolean = "yes;no";
    t.tpAutoBool = {"merge-divs", "show-body-only"};
    t.tpEncoding = {"char-encoding"};
    t.tpDocType = {"doctype"};
    t.tpTagNames = {"new-pre-tags"};
    t.tpRepeatedAttributes = {"repeated-attributes"};
    t.tpNewline = {"newline"};
    t.tpAccessibilityCheck = {"accessibility-check"};
    t.tpSortAttributes = {"sort-attributes"};
    t.tpString = {"css-prefix"};
    t.tpInteger = {"wrap"};
    t.tpBoolean = {"add-xml-decl", "quiet"};
    t.tpDefVal = {"alt-text:", "newline:Platformdependent", "wrap:68"};
    t.clHTML_XHTML_XML = {"alt-text", "doctype"};
    t.clDiagnostics = {"show-errors"};
    t.clPrettyPrint = {"wrap"};
    t.clCharacterEncoding = {"newline"};
    t.clMiscellaneous = {"quiet"};
    return t;
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> folder;

    QString makeFile(const QString &name)
    {
        folder->write("docs/" + name, "x");
        return folder->file("docs/" + name);
    }

private slots:
    void init()
    {
        folder = std::make_unique<TempProgramFolder>();
        QVERIFY(folder->isValid());
    }
    void cleanup() { folder.reset(); }

    // The first-run file must read back as a first run: counted once, the window kept on the
    // screen, its "Class:" sections and tables read; written back without the "Class:" titles.
    void firstRunFileReadsBack()
    {
        VkSettings s;
        const QString first = FirstRunSettingsText(smallTables(), 33, -5);
        QVERIFY(first.contains("\r\n[Class:Diagnostics]\r\nclDiagnostics=show-errors\r\n"));
        QCOMPARE(ReadSettingsText(EncodeSettingsText(first), s), SettingsReadStatus::Completed);
        QCOMPARE(s.RunCount, 1);
        QCOMPARE(s.FormTop, 33);
        QCOMPARE(s.FormLeft, 0);
        QVERIFY(!s.PanelGridErrorsWidth && !s.PanelGridErrorsHeight);
        QVERIFY(s.ShowNewVersion && s.MenuShowErrorsComments && s.MenuTidy5);
        QVERIFY(!s.GridErrorToLeft && !s.MenuEnableJavascript && !s.MenuTidy4 && !s.WindowMaximized);
        QCOMPARE(s.LastOpenFolder, folder->path());
        QCOMPARE(s.FTidyConfigFile, folder->path() + "config/auto-settings.cfg");
        QCOMPARE(s.Tidy.tpBoolean, QStringList({"add-xml-decl", "quiet"}));
        QCOMPARE(s.Tidy.clDiagnostics, QStringList{"show-errors"});
        QCOMPARE(s.Tidy.ItemsCBNewLine, QString("LF;CRLF;CR"));
        QCOMPARE(s.HelpFileName, folder->path() + "help/help_en.htm");

        // Written back at exit: Rns=1, the user's language and the default value lower-cased.
        const QString saved = SaveSettingsText(s);
        QVERIFY(saved.contains("\r\nRns=1\r\n"));
        QVERIFY(saved.contains("\r\nLanguage=de\r\n"));
        QVERIFY(saved.contains("\r\ntpDefVal=newline:platformdependent\r\n"));
        QVERIFY(saved.contains("\r\n[Diagnostics]\r\n"));
        QVERIFY(!saved.contains("[Class:"));
    }

    // An empty file is a first run: it takes the user's language, de (see main).
    void languageAfterReading_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("shipped");  // a language file besides English
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("runCount");
        QTest::addColumn<QString>("fileCode");
        QTest::newRow("first run, no German file") << QByteArray() << "" << "de" << 1 << "en";
        QTest::newRow("first run, German file") << QByteArray() << "de" << "de" << 1 << "de";
        QTest::newRow("later run keeps the file's language")
            << QByteArray("Language=fr\r\nRns=3\r\n") << "fr" << "fr" << 4 << "fr";
        // Counting past the largest number overflowed into a negative count.
        QTest::newRow("run count at its largest stays there")
            << QByteArray("Language=fr\r\nRns=2147483647\r\n") << "fr" << "fr" << 2147483647 << "fr";
    }

    void languageAfterReading()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, shipped);
        QFETCH(QString, code);
        QFETCH(int, runCount);
        QFETCH(QString, fileCode);
        if (!shipped.isEmpty())
            folder->write("language/lang_" + shipped + ".txt", "FLanguage=" + shipped.toLatin1() + "\r\n");
        VkSettings s;
        QCOMPARE(ReadSettingsText(text, s), SettingsReadStatus::Completed);
        QCOMPARE(s.Language, code);
        QCOMPARE(s.RunCount, runCount);
        QCOMPARE(s.LanguageFileName, folder->path() + "language/lang_" + fileCode + ".txt");
    }

    // A bad number taken as 0, or a good one refused, would change the window or lose later lines.
    void numberLines_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("negative") << "FormLeft" << "-8" << true;
        QTest::newRow("plus") << "FormLeft" << "+12" << true;
        QTest::newRow("leading blank") << "FormLeft" << " 640" << true;
        QTest::newRow("letters") << "SEFontSize" << "abc" << false;
        QTest::newRow("letters in the run count") << "Rns" << "abc" << false;
        QTest::newRow("empty") << "FormWidth" << "" << false;
        QTest::newRow("trailing letters") << "FormWidth" << "12px" << false;
        QTest::newRow("too large") << "FormWidth" << "99999999999" << false;
        QTest::newRow("one above the range") << "FormWidth" << "2147483648" << false;
        QTest::newRow("lowest in the range") << "FormLeft" << "-2147483648" << true;
        QTest::newRow("sign only") << "FormWidth" << "-" << false;
    }

    // A good number is read on; a bad one ends the reading silently: later lines and the
    // closing steps are skipped.
    void numberLines()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(bool, accepted);
        folder->write("language/lang_fr.txt", "FLanguage=fr\r\n");
        const QString englishFile = VkSettings().LanguageFileName;
        const QString text = crlf({"Language=fr", key == "Rns" ? "FormTop=7" : "Rns=4", "tpBoolean=Wrap",
                                   "clPrettyPrint=Indent", key + "=" + value, "CBFont=Later",
                                   "ItemsCBBoolean=later", "MenuTidy4=True"});
        VkSettings s;
        if (accepted) {
            QCOMPARE(ReadSettingsText(text.toLatin1(), s), SettingsReadStatus::Completed);
            QCOMPARE(s.FormLeft, value.toInt());
            QCOMPARE(s.CBFont, QString("Later"));
            QCOMPARE(s.RunCount, 5);
            return;
        }
        QCOMPARE(ReadSettingsText(text.toLatin1(), s), SettingsReadStatus::StoppedAtNumber);
        QCOMPARE(s.CBFont, QString("Courier New"));
        QVERIFY(s.Tidy.ItemsCBBoolean.isEmpty());
        QVERIFY(!s.MenuTidy4);
        QCOMPARE(s.Language, QString("fr"));                    // read before the bad line
        QCOMPARE(s.LanguageFileName, englishFile);              // but the file names are not rebuilt
        QCOMPARE(s.RunCount, key == "Rns" ? 0 : 4);             // not incremented
        QCOMPARE(s.Tidy.tpBoolean, QStringList{"Wrap"});        // type names keep their case
        QCOMPARE(s.Tidy.clPrettyPrint, QStringList{"indent"});  // class names are lower-cased at once
    }

    // Blanks around a line but not in its key; comments, stray and unknown lines skipped; the
    // last value list wins while repeated type names accumulate. (Line ends: see tst_util.)
    void readingRules()
    {
        const QByteArray text = QByteArrayList{"[Interface]", "FormWidth=901", "", "FDFindItem=a", "FDFindItem=b",
                                               "Rns=2", "Language = fr", ";CBFont=Commented", "//CBFont=Commented",
                                               "CBFont", "cbfont=lower", "  \t CBFont= Padded \t", "Unknown=1",
                                               "ItemsCBBoolean=yes;no", "ItemsCBBoolean=no;yes", "tpBoolean=wrap",
                                               "tpBoolean=Wrap", "tpDefVal=a:x;b:Y", "tpString=alt-text; ;title ",
                                               "ItemsCBNewLine=LF;CRLF"}
                                    .join("\r\n");
        VkSettings s;
        QCOMPARE(ReadSettingsText(text, s), SettingsReadStatus::Completed);
        QCOMPARE(s.FormWidth, 901);
        QCOMPARE(s.FDFindItem, QStringList({"a", "b"}));
        QCOMPARE(s.RunCount, 3);
        QCOMPARE(s.Language, QString("en"));      // "Language " is no key
        QCOMPARE(s.CBFont, QString(" Padded"));  // the line is trimmed, the value is not
        QCOMPARE(s.Tidy.ItemsCBBoolean, QString("no;yes"));
        QCOMPARE(s.Tidy.ItemsCBNewLine, QString("LF;CRLF"));  // value lists keep their case
        QCOMPARE(s.Tidy.tpBoolean, QStringList({"wrap", "wrap"}));
        QCOMPARE(s.Tidy.tpDefVal, QStringList({"a:x", "b:y"}));
        // Blanks around a name kept it from ever matching its option.
        QCOMPARE(s.Tidy.tpString, QStringList({"alt-text", "title"}));
    }

    // A missing or unreadable file must leave the built-in values alone.
    void fileThatCannotBeLoaded()
    {
        VkSettings s;
        const QString englishFile = s.LanguageFileName;
        s.RunCount = 5;
        QDir().mkpath(folder->file("velkandrix.ini"));  // a folder where the file should be
        QCOMPARE(ReadSettingsFile(folder->file("velkandrix.ini"), s), SettingsReadStatus::NotLoaded);
        QCOMPARE(ReadSettingsFile(folder->file("missing.ini"), s), SettingsReadStatus::NotLoaded);
        QCOMPARE(s.RunCount, 5);
        QCOMPARE(s.LanguageFileName, englishFile);
    }

    // A minimized state restored as such would start the program out of sight.
    // (A maximized one comes back: see the round trip.)
    void minimizedOpensNormally()
    {
        VkSettings s;
        ReadSettingsText("WindowState=wsMinimized\r\n", s);
        QVERIFY(!s.WindowMaximized);
    }

    // Files deleted since the last run would reopen as error boxes and empty tabs.
    void goneFilesAreDropped()
    {
        const QString kept = makeFile("kept.html");
        const QString gone = makeFile("gone.html");
        VkSettings s;
        s.RecentFiles[0] = gone;
        s.RecentFiles[1] = kept;
        s.LastFiles = {gone, QString(), kept};
        const QString text = SaveSettingsText(s);
        QVERIFY(text.contains("ItemRecentFiles=" + gone));
        QFile::remove(gone);

        VkSettings back;
        ReadSettingsText(EncodeSettingsText(text), back);
        QCOMPARE(back.RecentFiles[0], kept);
        QVERIFY(back.RecentFiles[1].isEmpty());
        QCOMPARE(back.LastFiles, QStringList{kept});
        QVERIFY(back.HasLastFiles);

        // Writing drops them too, and untitled documents have no line at all.
        const QString again = SaveSettingsText(s);
        QVERIFY(!again.contains(gone));
        QVERIFY(again.contains("[LastFiles]\r\nItemLastFiles=" + kept + "\r\n\r\n[RecentFiles]\r\n"));
    }

    // A key the writer writes but the reader misses (or the reverse) loses the user's value
    // at the next exit: every value set apart from its built-in one must survive a round trip.
    void everyValueSurvivesARoundTrip()
    {
        VkSettings s;
        s.Language = "fr";
        s.FTidyConfigFile = "/cfg/my.cfg";
        s.RunCount = 7;
        s.ShowNewVersion = false;
        s.VersionCheckAddress = "http://127.0.0.1:8080/v.php";
        s.ThemeName = "dark";
        s.WindowState = "wsMaximized";
        s.FormWidth = 1000;
        s.FormHeight = 700;
        s.FormTop = 10;
        s.FormLeft = 20;
        s.PanelGridErrorsWidth = 250;
        s.PanelGridErrorsHeight = 122;
        s.SEFontSize = 11;
        s.CBFont = "DejaVu Sans Mono";
        s.MenuShowErrorsComments = false;
        s.GridErrorToLeft = true;
        s.MenuEnableJavascript = true;
        s.MenuTidy4 = true;
        s.MenuTidy5 = false;
        s.LastOpenFolder = "/home/me/";
        s.LastImageFolder = "/home/me/img/";
        s.CBStartingWith = {"<b>", "<i>"};
        s.CBEndingWith = {"<strong>"};
        s.Tidy = smallTables();
        s.FDFindItem = {"find"};
        s.RDFindItem = {"old"};
        s.RDReplaceItem = {"new"};
        s.LastFiles = {makeFile("a.html")};
        for (int i = 0; i < 10; ++i)
            s.RecentFiles[i] = makeFile(QString("recent%1.html").arg(i));
        QString text = SaveSettingsText(s);
        // Recent files are written oldest first, so that the newest is read last.
        QVERIFY(text.endsWith("ItemRecentFiles=" + s.RecentFiles[0] + "\r\n"));
        QVERIFY(text.indexOf(s.RecentFiles[9]) < text.indexOf(s.RecentFiles[8]));

        VkSettings back;
        QCOMPARE(ReadSettingsText(EncodeSettingsText(text), back), SettingsReadStatus::Completed);
        QCOMPARE(back.RecentFiles, s.RecentFiles);
        QVERIFY(back.WindowMaximized);
        QCOMPARE(back.FTidyConfigFile, QString("/cfg/my.cfg"));
        text.replace("Rns=7", "Rns=8").replace("Platformdependent", "platformdependent");
        QCOMPARE(SaveSettingsText(back), text);
    }

    // An entry holding a line break would split into lines of its own, one of which
    // could pose as another key.
    void lineBreaksCannotInjectKeys()
    {
        VkSettings s;
        s.Language = "en";
        s.RunCount = 2;
        s.FDFindItem = {"first", "two\r\nLanguage=xx", "last"};
        s.CBFont = "Mono\nRns=abc";
        VkSettings back;
        QCOMPARE(ReadSettingsText(EncodeSettingsText(SaveSettingsText(s)), back), SettingsReadStatus::Completed);
        QCOMPARE(back.FDFindItem, QStringList({"first", "last"}));
        QCOMPARE(back.Language, QString("en"));
        QCOMPARE(back.CBFont, QString("Mono"));
        QCOMPARE(back.RunCount, 3);
    }

    void encoding_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ANSI") << QString::fromUtf8("/home/andré/") << QByteArray("LastOpenFolder=/home/andr\xE9/\r\n");
        QTest::newRow("beyond ANSI") << QString::fromUtf8("/home/日本/")
                                     << QByteArray("LastOpenFolder=/home/\xE6\x97\xA5\xE6\x9C\xAC/\r\n");
        // Its ANSI bytes C3 A9 read as UTF-8 "é": the folder changed on the next start.
        QTest::newRow("ANSI that reads as UTF-8") << QString::fromUtf8("/home/CafÃ©/")
                                                  << QByteArray("LastOpenFolder=/home/Caf\xC3\x83\xC2\xA9/\r\n");
    }

    // Text that ANSI holds is written as other installations write it; anything else
    // goes to UTF-8 rather than losing or changing characters.
    void encoding()
    {
        QFETCH(QString, folder);
        QFETCH(QByteArray, bytes);
        VkSettings s;
        s.LastOpenFolder = folder;
        QVERIFY(EncodeSettingsText(SaveSettingsText(s)).contains(bytes));
        VkSettings back;
        ReadSettingsText(bytes, back);
        QCOMPARE(back.LastOpenFolder, folder);
    }

    // A help or quick reference file missing in the chosen language falls back to English.
    void missingFilesFallBackToEnglish()
    {
        folder->write("language/lang_fr.txt", "x");
        QFile::remove(folder->path() + "help/help_fr.htm");
        VkSettings s;
        s.LanguageFileName = folder->path() + "language/lang_fr.txt";
        s.HelpFileName = folder->path() + "help/help_fr.htm";
        s.QuickRefFileName = folder->path() + "quickref/tidy_quickref_fr.htm";
        CheckIfVelKandrixFilesExists(s);
        QCOMPARE(s.LanguageFileName, folder->path() + "language/lang_fr.txt");
        QCOMPARE(s.HelpFileName, folder->path() + "help/help_en.htm");
        QCOMPARE(s.QuickRefFileName, folder->path() + "quickref/tidy_quickref_en.htm");
    }

    // The paths follow the folder they are set from, and stay while in use.
    void pathsAreSetOnlyWhileNotInUse()
    {
        QCOMPARE(Paths().Tidy5Exe, folder->path() + "tidy5/tidy");
        {
            ProgramPathsInUse inUse;
            QVERIFY(!InitProgramPaths("/elsewhere"));
            QCOMPARE(Paths().AppPath, folder->path());
        }
        QVERIFY(InitProgramPaths("/elsewhere"));
        QCOMPARE(Paths().IniFileName, QString("/elsewhere/velkandrix.ini"));
    }

    // The stored browser setting of the user must never be overwritten.
    void browserEmulationIsWrittenOnlyWhenMissing()
    {
        const QString group = "FEATURE_BROWSER_EMULATION";
        const QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        QVERIFY(!UserStoreHasValue(group, name));
        ActivateBrowserEmulation();
        QCOMPARE(UserStoreValue(group, name), QString("0"));
        SetUserStoreValue(group, name, "11001");
        ActivateBrowserEmulation();
        QCOMPARE(UserStoreValue(group, name), QString("11001"));
    }
};

int main(int argc, char **argv)
{
    // The first-run language comes from the user's locale: make it German, for
    // which no language file is shipped.
    qputenv("LC_ALL", "de_DE.UTF-8");
    qputenv("LANG", "de_DE.UTF-8");
    QCoreApplication app(argc, argv);
    TestSettings test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settings.moc"
