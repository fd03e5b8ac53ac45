// The Tidy option model built from the settings file's default tables, and
// the quick reference that documents it.
#include "TidyTestHelpers.h"
#include "validation/TidyOptionDefaults.h"
#include "validation/TidyOptionModel.h"

#include <QFile>
#include <QTemporaryDir>
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
    // Catches an option filed under no class: the grid would never show it.
    void everyOptionHasAClass()
    {
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

    // Catches a value offered by the value list or the add-option dialog that
    // Tidy 5 rejects (it would be ignored with a complaint, the run going on
    // with Tidy's own default).
    void everyOfferedValueIsAcceptedByTidy5()
    {
        REQUIRE_TIDY();
        QByteArray lines;
        for (const TidyOption &option : model.options()) {
            for (const QString &value : model.valuesOf(option.type))
                lines += option.name.toUtf8() + ": " + value.toUtf8() + "\n";
        }
        QVERIFY(!lines.isEmpty());
        QTemporaryDir dir;
        QVERIFY(WriteBytes(dir.filePath("all.cfg"), lines) && WriteBytes(dir.filePath("page.htm"), "<p>x</p>\n"));
        const TidyProcessRun run = RunTidyProcess({"-config", dir.filePath("all.cfg"), "-q", "-e", dir.filePath("page.htm")});
        QVERIFY(run.finished);
        // Options Tidy 5 no longer knows are kept for Tidy 4; their values are not in question.
        for (const QByteArray &line : run.standardError.split('\n')) {
            if (line.startsWith("Config:"))
                QVERIFY2(line.contains("unknown option"), line.constData());
        }
        // Only an enumerated type has a list to offer.
        for (const TidyValueType type : {Type::tpTagNames, Type::tpString, Type::tpInteger, Type::tpNone})
            QVERIFY(model.valuesOf(type).isEmpty() && !TidyOptionModel::IsEnumerated(type));
    }

    // Catches a proposal that is not the default's own value: confirmed unchanged, it
    // would switch the option to the opposite of Tidy's default.
    void defaults_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("empty entry") << "alt-text" << "" << "";
        QTest::newRow("single letter") << "drop-proprietary-attributes" << "n" << "no";
        // Tidy 5 takes none of the list for it: the first item.
        QTest::newRow("case kept") << "newline" << "Platformdependent" << "LF";
        // A name that ends another name must not take that one's entry.
        QTest::newRow("indent after indent-cdata") << "indent" << "no" << "no";
        QTest::newRow("wrap after punctuation-wrap") << "wrap" << "68" << "68";
        QTest::newRow("unknown") << "no-such-option" << "" << "";
    }
    void defaults()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, proposed);
        QCOMPARE(model.defaultOf(name), value);
        QCOMPARE(model.proposedValueOf(name), proposed);
    }

    // Catches a default taken for the first, longer item it begins ("cr" for CRLF).
    void proposalPrefersTheItemTheDefaultNamesWhole()
    {
        TidyOptionTables t;
        t.tpNewline = QStringList{"newline"};
        t.tpDefVal = QStringList{"newline:cr"};
        t.ItemsCBNewLine = "LF;CRLF;CR";
        QCOMPARE(TidyOptionModel(t).proposedValueOf("newline"), QString("CR"));
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
        const QString page = QString::fromUtf8(ReadBytes(path));
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
