// Tidy configuration files: format, round trips, the run configuration, and
// what the real Tidy 5 makes of them.
#include "TidyTestHelpers.h"
#include "validation/TidyConfigFile.h"
#include "validation/TidyOptionDefaults.h"
#include "validation/TidyReport.h"
#include "util/DocumentText.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
QString longTagList(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QStringLiteral("custom-element-%1").arg(i);
    return names.join(", ");
}
} // namespace

class TstTidyConfig : public QObject {
    Q_OBJECT

private:
    TidyOptionModel model{DefaultTidyOptionTables()};

private slots:
    void writesCommentsThenOptionsByClass()
    {
        TidyConfiguration config;
        config.setComments({"first", " second"});
        config.setValue("tidy-mark", "no");
        config.setValue("indent", "auto");
        config.setValue("indent-spaces", "2");
        config.setValue("doctype", "auto");
        config.setValue("mute", "TRIM_EMPTY_ELEMENT");  // Tidy 5 knows it, the model does not
        config.setValue("show-info", "yes");
        QCOMPARE(config.toBytes(model),
                 QByteArray("//first\r\n// second\r\n"
                            "doctype: auto\r\n"
                            "show-info: yes\r\n"
                            "indent-spaces: 2\r\nindent: auto\r\n"
                            "tidy-mark: no\r\n"
                            "mute: TRIM_EMPTY_ELEMENT\r\n"));
        const QList<TidyConfigBlock> blocks = config.blocks(model);
        QCOMPARE(blocks.size(), 4);
        QCOMPARE(blocks.at(2).title, QString("PRETTY PRINT"));
        QCOMPARE(blocks.at(2).entries.size(), 2);
        QCOMPARE(config.unclassified(model).size(), 1);
    }

    // Values that the older format cut or lost must come back unchanged, and a
    // second save must give the same bytes.
    void valuesSurviveSaveAndReload_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::newRow("quoted doctype") << "doctype" << "\"-//W3C//DTD HTML 4.01//EN\"";
        QTest::newRow("hash") << "alt-text" << "picture #3";
        QTest::newRow("slashes") << "css-prefix" << "a//b";
        QTest::newRow("semicolon") << "alt-text" << "one; two";
        QTest::newRow("class title") << "alt-text" << "PRETTY PRINT";
        QTest::newRow("long string not cut") << "alt-text" << QString(120, QLatin1Char('x')) + ", y";
        QTest::newRow("empty") << "alt-text" << "";
        QTest::newRow("non-ASCII") << "alt-text" << QString::fromUtf8("café — 東京");
        QTest::newRow("long tag list") << "new-blocklevel-tags" << longTagList(40);
        QTest::newRow("tags without blanks") << "new-inline-tags" << longTagList(12).remove(' ');
        QTest::newRow("tags with two blanks") << "new-inline-tags" << longTagList(12).replace(", ", ",  ");
        QTest::newRow("namespaced tags") << "new-inline-tags" << "o:p, " + longTagList(6) + ", v:shape";
        QTest::newRow("one very long name") << "new-empty-tags" << "a, " + QString(80, 'z') + ", b";
        QTest::newRow("comment-like piece") << "new-pre-tags" << longTagList(3) + ", //x, #y, " + longTagList(3);
    }
    void valuesSurviveSaveAndReload()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        TidyConfiguration config;
        config.setComments({"a comment"});
        QVERIFY(config.setValue(name, value));
        config.setValue("wrap", "0");

        QTemporaryDir dir;
        const QString path = dir.filePath("saved.cfg");
        QVERIFY(config.save(path, model));
        TidyConfiguration reloaded;
        QVERIFY(TidyConfiguration::Load(path, &reloaded));
        QCOMPARE(reloaded.value(name), value);
        QCOMPARE(reloaded.entries().size(), 2);
        QCOMPARE(reloaded.comments(), QStringList{"a comment"});
        QCOMPARE(reloaded.toBytes(model), ReadBytes(path));
        QVERIFY(reloaded.sameAs(config));
        reloaded.setValue("wrap", "1");
        QVERIFY(!reloaded.sameAs(config));
    }

    void onlyTagListsAreCutAtCommas()
    {
        TidyConfiguration config;
        config.setValue("new-blocklevel-tags", longTagList(20));
        config.setValue("alt-text", longTagList(5));
        const QStringList lines = config.toText(model).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.first(), "alt-text: " + longTagList(5));
        const QStringList tags = lines.mid(1);
        QVERIFY(tags.size() > 3);
        QVERIFY(tags.first().startsWith("new-blocklevel-tags: custom-element-0,"));
        for (int i = 0; i < tags.size(); ++i) {
            QVERIFY2(tags.at(i).size() <= TidyConfiguration::WrapWidth, qPrintable(tags.at(i)));
            if (i > 0)
                QVERIFY(tags.at(i).startsWith("  ") && !tags.at(i).contains(':'));
            if (i + 1 < tags.size())
                QVERIFY(tags.at(i).endsWith(','));
        }
    }

    void readingRules()
    {
        const TidyConfiguration config = TidyConfiguration::FromBytes(
            "// comment one\r\n"
            "#hash comment\n"
            "  // indented comment\r\n"
            "Indent: yes\r\n"                      // upper case: an option, not a comment
            "new-blocklevel-tags: article,\r\n"
            "  aside, nav\r\n"                     // continuation of the older writer
            "WRAP: 72\r\n"
            "wrap: 0\r\n"                          // the later line wins, as for Tidy
            "\r\n"
            "no colon here\r\n"                    // after an option: continues it
            "alt-text:a#b // c\r\n");
        QCOMPARE(config.comments(), QStringList({" comment one", "hash comment", " indented comment"}));
        QCOMPARE(config.value("indent"), QString("yes"));
        QCOMPARE(config.value("new-blocklevel-tags"), QString("article,aside, nav"));
        QCOMPARE(config.value("wrap"), QString("0no colon here"));
        QCOMPARE(config.value("alt-text"), QString("a#b // c"));
        QCOMPARE(config.entries().size(), 4);
    }

    // A comment between an option and its continuation line cut the value in two.
    void aCommentDoesNotEndAContinuedValue()
    {
        const TidyConfiguration config = TidyConfiguration::FromBytes(
            "new-blocklevel-tags: article,\r\n"
            "// the list goes on\r\n"
            "  aside, nav\r\n");
        QCOMPARE(config.value("new-blocklevel-tags"), QString("article,aside, nav"));
        QCOMPARE(config.comments(), QStringList{" the list goes on"});
    }

    void addingAnExistingOptionMakesNoDuplicate()
    {
        TidyConfiguration config;
        QVERIFY(config.addOption("Indent", "auto"));
        QVERIFY(!config.addOption("indent", "yes"));
        QVERIFY(!config.addOption(" INDENT ", "no"));
        QCOMPARE(config.entries().size(), 1);
        QCOMPARE(config.value("indent"), QString("auto"));
        QVERIFY(!config.addOption("", "x"));
        QVERIFY(!config.addOption("a:b", "x"));
        QVERIFY(!config.addOption("//x", "x"));
        QVERIFY(config.setValue("indent", "yes\r\nwrap: 0"));
        QCOMPARE(config.value("indent"), QString("yes  wrap: 0"));
        QVERIFY(config.removeOption("INDENT"));
        QVERIFY(config.entries().isEmpty());
    }

    void encodingsOfConfigFiles()
    {
        // Older installations wrote ANSI; this one writes what Tidy 5 reads.
        QCOMPARE(TidyConfiguration::FromBytes("alt-text: caf\xe9\r\n").value("alt-text"), QString::fromUtf8("café"));
        QCOMPARE(TidyConfiguration::FromBytes("\xef\xbb\xbf" "alt-text: caf\xc3\xa9\r\n").value("alt-text"),
                 QString::fromUtf8("café"));
        TidyConfiguration config;
        config.setValue("alt-text", QString::fromUtf8("café"));
        QCOMPARE(config.toBytes(model), QByteArray("alt-text: caf\xc3\xa9\r\n"));
        // A name that begins with U+FEFF is no mark of the file.
        TidyConfiguration marked;
        QVERIFY(marked.setValue(QChar(0xFEFF) + QString("x-opt"), "1"));
        QVERIFY(TidyConfiguration::FromBytes(marked.toBytes(model)).sameAs(marked));

        TidyConfiguration untouched;
        untouched.setValue("wrap", "1");
        QVERIFY(!TidyConfiguration::Load("/nonexistent/none.cfg", &untouched));
        QCOMPARE(untouched.value("wrap"), QString("1"));
    }

    void runConfigSetsTheDocumentEncoding_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("tidyName");
        QTest::addColumn<QString>("bom");
        QTest::newRow("Ansi") << "Ansi" << "win1252" << "no";
        QTest::newRow("UTF8") << "UTF8" << "utf8" << "no";
        QTest::newRow("UTF8Bom") << "UTF8Bom" << "utf8" << "yes";
        QTest::newRow("LittleEndian") << "LittleEndian" << "utf16le" << "yes";
        QTest::newRow("BigEndian") << "BigEndian" << "utf16be" << "yes";
    }
    void runConfigSetsTheDocumentEncoding()
    {
        QFETCH(QString, encoding);
        QFETCH(QString, tidyName);
        QFETCH(QString, bom);
        QCOMPARE(TidyEncodingName(encoding), tidyName);
        QCOMPARE(TidyOutputBom(encoding), bom);

        TidyConfiguration current;
        current.setComments({"mine"});
        current.setValue("char-encoding", "ascii");
        current.setValue("output-encoding", "ascii");
        current.setValue("indent", "auto");
        current.setValue("new-inline-tags", longTagList(10));
        QTemporaryDir dir;
        const QString path = dir.filePath("tidy-cfg.tmp");
        QVERIFY(WriteTidyRunConfig(path, current, model, encoding));
        const QString text = QString::fromUtf8(ReadBytes(path));
        QVERIFY(text.startsWith("//mine\r\n"));
        QVERIFY(text.contains("\r\nindent: auto\r\n"));
        QVERIFY(text.contains("input-encoding: " + tidyName + "\r\n"));
        QVERIFY(text.contains("output-encoding: " + tidyName + "\r\n"));
        QVERIFY(text.contains("output-bom: " + bom + "\r\n"));
        QVERIFY(!text.contains("char-encoding"));
        QCOMPARE(TidyConfiguration::FromText(text).value("new-inline-tags"), longTagList(10));
        // The current options themselves are not changed.
        QCOMPARE(current.value("output-encoding"), QString("ascii"));
    }

    void unknownEncodingAndTabSize()
    {
        TidyConfiguration current;
        current.setValue("char-encoding", "latin1");
        QCOMPARE(TidyRunConfig(current, "utf-8").entries(), current.entries());
        QCOMPARE(TidyTabSize(current), 8);
        current.setValue("tab-size", "0");  // Tidy then counts a tab as one column
        QCOMPARE(TidyTabSize(current), 0);
        current.setValue("tab-size", "four");
        QCOMPARE(TidyTabSize(current), 8);
    }

    // Tidy must read the copy in the encoding it was written in, and a clean
    // must write it back in the same one.
    void tidyReadsAndCleansTheCopyInItsEncoding_data()
    {
        runConfigSetsTheDocumentEncoding_data();
    }
    void tidyReadsAndCleansTheCopyInItsEncoding()
    {
        REQUIRE_TIDY();
        QFETCH(QString, encoding);
        const QString page = QString::fromUtf8(
            "<!DOCTYPE html>\n<html lang=\"fr\"><head><title>Café</title></head>\n"
            "<body><p>5 € Crème <b>brûlée</p></body></html>\n");
        QByteArray bytes;
        QVERIFY(DocumentText::EncodeText(page, encoding, &bytes));
        QTemporaryDir dir;
        const QString copy = dir.filePath("tmptid.htm");
        QVERIFY(WriteBytes(copy, bytes));
        TidyConfiguration config = TidyConfiguration::FromBytes(ReadBytes(QFINDTESTDATA("../../data/config/auto-settings.cfg")));
        const QString cfg = dir.filePath("tidy-cfg.tmp");
        const QString report = dir.filePath("stderr.txt");
        QVERIFY(WriteTidyRunConfig(cfg, config, model, encoding));
        QVERIFY(RunTidyProcess({"-config", cfg, "-f", report, "-m", copy}).finished);

        const std::optional<TidyReport> parsed = TidyReport::Load(report);
        QVERIFY(parsed.has_value());
        QCOMPARE(parsed->errors, 0);
        QCOMPARE(parsed->warnings, 1);  // the missing </b>, and no encoding complaint
        QVERIFY(parsed->hasSummary);

        const QByteArray cleaned = ReadBytes(copy);
        QCOMPARE(DocumentText::DetectEncoding(cleaned), encoding);
        const QString text = DocumentText::DecodeText(cleaned, encoding);
        // The euro sign tells Windows-1252 from Latin-1.
        QVERIFY2(text.contains(QString::fromUtf8("5 € Crème <b>brûlée</b>")), qPrintable(text));
        QVERIFY(text.contains(QString::fromUtf8("<title>Café</title>")));
    }
};

QTEST_GUILESS_MAIN(TstTidyConfig)
#include "tst_tidyconfig.moc"
