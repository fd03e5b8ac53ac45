// Language files: the message catalogue, the component texts, the language code,
// and the shipped English and French files.
#include "TestSupport.h"
#include "program/LanguageFile.h"
#include "program/MessagesKandrix.h"
#include "program/VkSettings.h"
#include "program/uDivStartVK.h"
#include "util/uDivFiles.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>
#include <memory>

Q_DECLARE_METATYPE(LanguageTexts)

static bool operator==(const LanguageText &a, const LanguageText &b)
{
    return a.component == b.component && a.property == b.property && a.text == b.text;
}

namespace {

QString describe(const LanguageTexts &texts)
{
    QStringList out;
    for (const LanguageText &t : texts)
        out << t.component + "." + t.property + "=" + t.text;
    return out.join(" | ");
}

// The %s / %d placeholders of a template, in order.
QString placeholders(const QString &text)
{
    QString out;
    static const QRegularExpression re("%[sd]");
    auto it = re.globalMatch(QString(text).replace("%%", ""));
    while (it.hasNext())
        out += it.next().captured();
    return out;
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> folder;

    LanguageTexts readShipped(const QString &code, VkSettings *settings = nullptr)
    {
        LanguageTexts texts;
        ClearMessages();
        if (!ReadLanguageFile(folder->file("language/lang_" + code + ".txt"), &texts, settings))
            qWarning("lang_%s.txt is missing", qPrintable(code));
        return texts;
    }

private slots:
    void init()
    {
        folder = std::make_unique<TempProgramFolder>();
        QVERIFY(folder->isValid());
        ClearMessages();
    }
    void cleanup() { folder.reset(); }

    // One row per kind of line the reader must get right: key syntax, comments, a value taken
    // as it stands, and each way a key reaches its components.
    void componentTexts_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<LanguageTexts>("expected");
        QTest::newRow("caption with hot key") << QByteArray("MenuFile=&Fichier")
                                              << LanguageTexts{{"MenuFile", "caption", "&Fichier"}};
        QTest::newRow("blanks around the key") << QByteArray("MenuFile = File") << LanguageTexts{};
        QTest::newRow("key case matters") << QByteArray("menufile=File") << LanguageTexts{};
        QTest::newRow("no equals sign") << QByteArray("MenuFile") << LanguageTexts{};
        QTest::newRow("cut goes to the popup too")
            << QByteArray("MenuCut=Cu&t")
            << LanguageTexts{{"MenuCut", "caption", "Cu&t"}, {"PopupCut", "caption", "Cu&t"}};
        QTest::newRow("languages item") << QByteArray("MenuLanguages=&Language...")
                                        << LanguageTexts{{"MenuLanguage", "caption", "&Language..."}};
        QTest::newRow("web site names the product") << QByteArray("MenuWebsite=&Web site of")
                                                    << LanguageTexts{{"MenuWebsite", "caption", "&Web site of VelKandrix"}};
        QTest::newRow("hint key") << QByteArray("ButtonNew.Hint=New")
                                  << LanguageTexts{{"ButtonNew", "hint", "New"}};
        QTest::newRow("quick start") << QByteArray("lgLine03=Three")
                                     << LanguageTexts{{"lgLine03", "text", "Three"}};
        QTest::newRow("message only") << QByteArray("SWait=Wait") << LanguageTexts{};
        QTest::newRow("two keys, one hint, later wins")
            << QByteArray("SInternalLink=A\r\nButtonLinkInternal.Hint=B")
            << LanguageTexts{{"ButtonLinkInternal", "hint", "A"}, {"ButtonLinkInternal", "hint", "B"}};
    }

    void componentTexts()
    {
        QFETCH(QByteArray, line);
        QFETCH(LanguageTexts, expected);
        const LanguageTexts texts = ReadLanguageText(line);
        QVERIFY2(texts == expected, qPrintable(describe(texts)));
    }

    // The multi-line message must collect its lines afresh at each reading, never pile them up.
    void saveInUnicodeCollectsLines()
    {
        ReadLanguageText("SSaveInUnicode=A\r\nSSaveInUnicode=B\r\n");
        QCOMPARE(SSaveInUnicode, QString("\r\nA\r\nB"));
        // Each reading starts the text again, even from a file without the key.
        ReadLanguageText("SSaveInUnicode=C\n");
        QCOMPARE(SSaveInUnicode, QString("\r\nC"));
        ReadLanguageText("SWait=x");
        QCOMPARE(SSaveInUnicode, QString());
    }

    // A partial translation must not blank the texts it lacks.
    void secondFileKeepsTextsItLacks()
    {
        folder->write("language/first.txt", "SWait=First wait\r\nSReload=First reload\r\n");
        folder->write("language/second.txt", "SReload=Second reload\r\n");
        QVERIFY(ReadLanguageFile(folder->file("language/first.txt")));
        QVERIFY(ReadLanguageFile(folder->file("language/second.txt")));
        QCOMPARE(SWait, QString("First wait"));
        QCOMPARE(SReload, QString("Second reload"));
    }

    // The help page follows the language; the quick reference exists in English only.
    void languageCodeAndHelpPage()
    {
        VkSettings s;
        ReadLanguageText("FLanguage=de\r\n", &s);
        QCOMPARE(s.Language, QString("de"));
        QCOMPARE(s.HelpFileName, folder->path() + "help/help_de.htm");   // whether or not it exists
        QCOMPARE(s.QuickRefFileName, folder->path() + "quickref/tidy_quickref_en.htm");
        // The quick reference stays English whatever the language.
        s.QuickRefFileName = folder->path() + "quickref/tidy_quickref_fr.htm";
        ReadLanguageText("FLanguage=fr\r\n", &s);
        QCOMPARE(s.QuickRefFileName, folder->path() + "quickref/tidy_quickref_en.htm");
    }

    // A byte-order mark is no part of the first key. (ANSI and UTF-8 without a mark: the
    // settings tests, which share the decoding.)
    void byteOrderMarkIsSkipped()
    {
        const LanguageTexts texts = ReadLanguageText("\xEF\xBB\xBFMenuEdit=\xC3\x89&dition");
        QCOMPARE(texts.size(), 1);
        QCOMPARE(texts.first().text, QString::fromUtf8("É&dition"));
    }

    // A missing file must leave the texts already read; an unreadable one must say so.
    void missingOrUnreadableFileChangesNothing()
    {
        ReadLanguageText("SSaveInUnicode=Kept\r\n");
        LanguageTexts texts{{"x", "caption", "y"}};
        QVERIFY(!ReadLanguageFile(folder->file("language/lang_xx.txt"), &texts));
        QCOMPARE(texts.size(), 1);
        QDir().mkpath(folder->file("language/lang_zz.txt"));
        QVERIFY_THROWS_EXCEPTION(FileOpenError, ReadLanguageFile(folder->file("language/lang_zz.txt")));
        QCOMPARE(SSaveInUnicode, QString("\r\nKept"));
    }

    void shippedFiles_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("en") << "en";
        QTest::newRow("fr") << "fr";
    }

    // Every key a shipped file holds is one the reader knows (a misspelt key is
    // silently ignored), and every key the reader knows has a text.
    void shippedFiles()
    {
        QFETCH(QString, code);
        const QByteArray bytes = folder->read("language/lang_" + code + ".txt");
        QVERIFY(!bytes.isEmpty());
        QVERIFY2(!bytes.contains("\r\r") && bytes.count('\n') == bytes.count("\r\n"), "lines end in CR LF");

        const QStringList known = LanguageFileKeys();
        QSet<QString> present;
        for (const QByteArray &raw : bytes.split('\n')) {
            const QString line = QString::fromUtf8(raw).trimmed();
            if (line.isEmpty() || line.startsWith(';') || line.startsWith("//"))
                continue;
            const QString key = line.section('=', 0, 0);
            QVERIFY2(known.contains(key), qPrintable("unknown key " + key));
            present.insert(key);
        }
        for (const QString &key : known)
            QVERIFY2(present.contains(key), qPrintable("missing key " + key));

        VkSettings settings;
        const LanguageTexts texts = readShipped(code, &settings);
        QCOMPARE(settings.Language, code);
        for (const QString &key : MessageKeys())
            QVERIFY2(!MessageByKey(key)->isEmpty(), qPrintable("empty message " + key));
        for (const LanguageText &t : texts)
            QVERIFY2(!t.text.trimmed().isEmpty(), qPrintable("empty text for " + t.component));
    }

    // The English captions of the insertion pages and the table generator.
    void shippedEnglishCaptions()
    {
        QHash<QString, QString> captions;
        for (const LanguageText &t : readShipped("en"))
            if (t.property == "caption")
                captions.insert(t.component, t.text);
        QCOMPARE(captions.value("TBHtmlTags"), QString("Html Tags"));
        QCOMPARE(captions.value("TBTableLists"), QString("Tables and Lists"));
        QCOMPARE(captions.value("TBForms"), QString("Form"));
        QCOMPARE(captions.value("TBAttributes"), QString("Html Attributes"));
        QCOMPARE(SGeneratorTable_Caption, QString("Html table generator"));
    }

    // The program passes arguments to these templates; wrong placeholders would show the wrong
    // text or drop the argument, and a stray one in any other text would print garbage.
    void shippedPlaceholders()
    {
        const QHash<QString, QString> templates = {
            {"SWarningSaveChanges", "%s"}, {"SWarningOverwriteFile", "%s"}, {"SErrorRename", "%s"},
            {"SStringNotFound", "%s"},     {"SValidationByTidy", "%s"},     {"SOccurencesFinded", "%d"},
            {"STidyCrashed", "%d"},        {"STidyExitStatus", "%d"},       {"SSettingsKeptAside", "%s%s"}, {"SFileOpenInAnotherTab", "%s"}, {"SFileChangedOutside", "%s"},
            {"SFileTooLarge", "%s"}, {"SNoProgramToOpen", "%s"}, {"SSaveUndecodedBytes", "%s%s"},
            {"SConfigFileMissing", "%s"}};
        for (const QString code : {"en", "fr"}) {
            const LanguageTexts texts = readShipped(code);
            for (const QString &key : MessageKeys())
                QVERIFY2(placeholders(*MessageByKey(key)) == templates.value(key), qPrintable(code + " " + key));
            for (const LanguageText &t : texts)
                QVERIFY2(placeholders(t.text).isEmpty(), qPrintable(code + " " + t.component));
        }
    }
};

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
