// The Tidy option model built from the settings file's default tables, and
// the quick reference that documents it.
#include "TidyTestHelpers.h"
#include "validation/TidyOptionDefaults.h"
#include "validation/TidyOptionModel.h"

#include <QtTest>

using Type = TidyValueType;
using Class = TidyOptionClass;
Q_DECLARE_METATYPE(TidyValueType)
Q_DECLARE_METATYPE(TidyOptionClass)

class TstTidyOptions : public QObject {
    Q_OBJECT

private:
    TidyOptionModel model{DefaultTidyOptionTables()};

private slots:
    // Catches a lost or misfiled option: the grid would miss a row or put it
    // under the wrong title.
    void classesHoldTheirOptionsInOrder()
    {
        QCOMPARE(model.options().size(), 93);
        QCOMPARE(model.optionsOfClass(Class::clHTML_XHTML_XML).size(), 54);
        QCOMPARE(model.optionsOfClass(Class::clDiagnostics),
                 QStringList({"accessibility-check", "show-errors", "show-info", "show-warnings"}));
        QCOMPARE(model.optionsOfClass(Class::clPrettyPrint).size(), 18);
        QCOMPARE(model.optionsOfClass(Class::clPrettyPrint).first(), QString("break-before-br"));
        QCOMPARE(model.optionsOfClass(Class::clCharacterEncoding),
                 QStringList({"ascii-chars", "char-encoding", "input-encoding", "language", "newline",
                              "output-bom", "output-encoding"}));
        QCOMPARE(model.optionsOfClass(Class::clMiscellaneous).size(), 10);
        for (const TidyOption &option : model.options())
            QVERIFY2(option.optionClass != Class::clNone, qPrintable(option.name));
    }

    void typeAndClassOfOption_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<TidyValueType>("type");
        QTest::addColumn<QString>("title");
        QTest::newRow("autobool") << "merge-divs" << Type::tpAutoBool << "HTML XHTML XML";
        QTest::newRow("indent is autobool, not boolean") << "indent" << Type::tpAutoBool << "PRETTY PRINT";
        QTest::newRow("tag names") << "new-pre-tags" << Type::tpTagNames << "HTML XHTML XML";
        QTest::newRow("boolean") << "write-back" << Type::tpBoolean << "MISCELLANEOUS";
        QTest::newRow("string") << "css-prefix" << Type::tpString << "HTML XHTML XML";
        QTest::newRow("integer") << "tab-size" << Type::tpInteger << "PRETTY PRINT";
        QTest::newRow("no type") << "alt-text" << Type::tpNone << "HTML XHTML XML";
        QTest::newRow("unknown") << "no-such-option" << Type::tpNone << "";
        QTest::newRow("upper case name") << "Indent" << Type::tpAutoBool << "PRETTY PRINT";
    }
    void typeAndClassOfOption()
    {
        QFETCH(QString, name);
        QFETCH(TidyValueType, type);
        QFETCH(QString, title);
        QCOMPARE(model.typeOf(name), type);
        QCOMPARE(model.classTitleOf(name), title);
    }

    // Each editor must offer exactly its type's values, in the table's order.
    void eachTypeOffersExactlyItsValues_data()
    {
        QTest::addColumn<TidyValueType>("type");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("autobool") << Type::tpAutoBool << QStringList{"auto", "yes", "no"};
        QTest::newRow("doctype") << Type::tpDocType
                                 << QStringList{"omit", "auto", "strict", "transitional", "user"};
        QTest::newRow("repeated") << Type::tpRepeatedAttributes << QStringList{"keep-first", "keep-last"};
        QTest::newRow("access") << Type::tpAccessibilityCheck << QStringList{"0", "1", "2", "3"};
        QTest::newRow("sort") << Type::tpSortAttributes << QStringList{"none", "alpha"};
        QTest::newRow("newline") << Type::tpNewline << QStringList{"LF", "CRLF", "CR"};
        QTest::newRow("boolean") << Type::tpBoolean << QStringList{"yes", "no"};
        QTest::newRow("encoding") << Type::tpEncoding
                                  << QStringList{"raw", "ascii", "latin0", "latin1", "utf8", "iso2022",
                                                 "mac", "win1252", "ibm858", "utf16le", "utf16be",
                                                 "utf16", "big5", "shiftjis"};
        QTest::newRow("tag names") << Type::tpTagNames << QStringList{};
        QTest::newRow("string") << Type::tpString << QStringList{};
        QTest::newRow("integer") << Type::tpInteger << QStringList{};
        QTest::newRow("none") << Type::tpNone << QStringList{};
    }
    void eachTypeOffersExactlyItsValues()
    {
        QFETCH(TidyValueType, type);
        QFETCH(QStringList, values);
        QCOMPARE(model.valuesOf(type), values);
        QCOMPARE(TidyOptionModel::IsEnumerated(type), !values.isEmpty());
    }

    void defaults_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::newRow("empty entry") << "alt-text" << "";
        QTest::newRow("single letter") << "drop-proprietary-attributes" << "n";
        QTest::newRow("case kept") << "newline" << "Platformdependent";
        // A name that ends another name must not take that one's entry.
        QTest::newRow("indent after indent-cdata") << "indent" << "no";
        QTest::newRow("wrap after punctuation-wrap") << "wrap" << "68";
        QTest::newRow("unknown") << "no-such-option" << "";
    }
    void defaults()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        QCOMPARE(model.defaultOf(name), value);
    }

    void tablesFromAnotherSettingsFile()
    {
        TidyOptionTables t;
        t.tpTagNames = QStringList{"Both"};
        t.tpBoolean = QStringList{"both", "orphan"};
        t.tpDefVal = QStringList{"both: a , b ", "both:second", "Orphan"};
        t.clPrettyPrint = QStringList{" Both "};
        t.ItemsCBBoolean = "yes;no;";
        const TidyOptionModel m(t);
        // In two type lists: the first in the grid's order decides.
        QCOMPARE(m.typeOf("both"), Type::tpTagNames);
        QCOMPARE(m.defaultOf("both"), QString("a , b"));
        QCOMPARE(m.classTitleOf("both"), QString("PRETTY PRINT"));
        // Typed but in no class: no title, so the add dialog has no block for it.
        QCOMPARE(m.classTitleOf("orphan"), QString());
        QCOMPARE(m.defaultOf("orphan"), QString());
        QCOMPARE(m.valuesOf(Type::tpBoolean), QStringList({"yes", "no"}));
        QCOMPARE(m.typedOptionNames(), QStringList({"both", "orphan"}));
    }

    void typedOptionNamesLeaveOutUntypedOnes()
    {
        const QStringList names = model.typedOptionNames();
        QCOMPARE(names.size(), 90);
        QVERIFY(!names.contains("alt-text") && !names.contains("error-file") && !names.contains("output-file"));
    }

    void semicolonListAndHeaders()
    {
        QVERIFY(TidyOptionModel::IsInSemicolonList("indent", "indent-spaces;indent;"));
        QVERIFY(!TidyOptionModel::IsInSemicolonList("indent", "indent-spaces;"));
        // Only a title itself is a header: a value that holds one is not.
        QVERIFY(TidyOptionModel::IsClassHeader("PRETTY PRINT"));
        QVERIFY(!TidyOptionModel::IsClassHeader("alt-text: PRETTY PRINT"));
        QVERIFY(!TidyOptionModel::IsClassHeader("pretty print"));
    }

    void valueCheck_data()
    {
        QTest::addColumn<TidyValueType>("type");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("valid");
        QTest::newRow("integer") << Type::tpInteger << "68" << true;
        QTest::newRow("integer empty") << Type::tpInteger << "" << false;
        QTest::newRow("integer sign") << Type::tpInteger << "-1" << false;
        QTest::newRow("integer letters") << Type::tpInteger << "12a" << false;
        QTest::newRow("integer too long") << Type::tpInteger << "1234567890" << false;
        QTest::newRow("string") << Type::tpString << "my-prefix #1 // ; x" << true;
        QTest::newRow("string line break") << Type::tpString << "a\nb" << false;
        QTest::newRow("string tab") << Type::tpString << "a\tb" << true;
        QTest::newRow("doctype quoted") << Type::tpDocType << "\"-//W3C//DTD HTML 4.01//EN\"" << true;
    }
    void valueCheck()
    {
        QFETCH(TidyValueType, type);
        QFETCH(QString, value);
        QFETCH(bool, valid);
        QCOMPARE(TidyOptionModel::IsValidValue(type, value), valid);
    }

    // The offline reference must keep up with the model: every option, its
    // class and its default.
    void quickRefDescribesEveryOption()
    {
        const QString path = QFINDTESTDATA("../../data/quickref/tidy_quickref_en.htm");
        QVERIFY(!path.isEmpty());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString page = QString::fromUtf8(file.readAll());
        for (TidyOptionClass optionClass : TidyOptionModel::Classes()) {
            const int section = page.indexOf(">" + TidyOptionModel::ClassTitle(optionClass) + "</h2>");
            QVERIFY(section > 0);
            int sectionEnd = page.indexOf("<h2", section);
            if (sectionEnd < 0)
                sectionEnd = page.size();
            for (const QString &name : model.optionsOfClass(optionClass)) {
                const int row = page.indexOf("<tr id=\"" + name + "\">");
                QVERIFY2(row > section && row < sectionEnd, qPrintable(name));
                const QString rowText = page.mid(row, page.indexOf("</tr>", row) - row);
                QVERIFY2(rowText.contains("<td class=\"default\">" + model.defaultOf(name) + "</td>"),
                         qPrintable(name));
            }
        }
    }

    void quickRefIsValidHtml()
    {
        REQUIRE_TIDY();
        const TidyProcessRun run = RunTidyProcess({"-q", "-e", QFINDTESTDATA("../../data/quickref/tidy_quickref_en.htm")});
        QVERIFY(run.finished);
        QVERIFY2(run.standardError.isEmpty(), run.standardError.constData());
        QCOMPARE(run.exitCode, 0);
    }
};

QTEST_GUILESS_MAIN(TstTidyOptions)
#include "tst_tidyoptions.moc"
