// The optimizer's rewriting passes on texts: tag rules, DOCTYPE, size reduction,
// comment and tag deletion, and the cases where a careless pass would loop, eat
// text or rewrite what it must leave alone.
#include "TestSupport.h"

#include "tools/HtmlRewriting.h"

#include <QtTest>

using namespace HtmlRewriting;

namespace {

// Every box off, so that each case names what it switches on.
OptimizerOptions none()
{
    OptimizerOptions o;
    o.CBSlash_MetaLink = false;
    o.CBDelete_Img_Border = false;
    o.CBDelete_Table_Border = false;
    o.CBIgnore_Scripts = false;
    o.CBIgnore_PhpAsp = false;
    return o;
}

// Options from box names, on top of none().
OptimizerOptions with(const QStringList &boxes)
{
    OptimizerOptions o = none();
    const std::pair<const char *, bool OptimizerOptions::*> all[] = {
        {"SlashMeta", &OptimizerOptions::CBSlash_MetaLink},
        {"UnslashMeta", &OptimizerOptions::CBUnslash_MetaLink},
        {"Slash", &OptimizerOptions::CBSlash_tags},
        {"Unslash", &OptimizerOptions::CBUnslash_tags},
        {"b_strong", &OptimizerOptions::CB_b_strong},
        {"strong_b", &OptimizerOptions::CB_strong_b},
        {"i_em", &OptimizerOptions::CB_i_em},
        {"em_i", &OptimizerOptions::CB_em_i},
        {"u_del", &OptimizerOptions::CB_u_del},
        {"del_u", &OptimizerOptions::CB_del_u},
        {"LowerTags", &OptimizerOptions::CBLowerCase_Tags},
        {"LowerAttributes", &OptimizerOptions::CBLowerCase_Attributes},
        {"LowerValues", &OptimizerOptions::CBLowerCase_AttributesValue},
        {"CR", &OptimizerOptions::CBDelete_LineBreak13},
        {"LF", &OptimizerOptions::CBDelete_LineBreak10},
        {"Tabs", &OptimizerOptions::CBDelete_Tabs},
        {"Spaces", &OptimizerOptions::CBDelete_ExtraSpaces},
        {"Comments", &OptimizerOptions::CBDelete_Comments},
        {"DelTarget", &OptimizerOptions::CB_del_target},
        {"JsTarget", &OptimizerOptions::CB_target_javascript},
        {"ImgBorder", &OptimizerOptions::CBDelete_Img_Border},
        {"TableBorder", &OptimizerOptions::CBDelete_Table_Border},
        {"Scripts", &OptimizerOptions::CBIgnore_Scripts},
        {"Php", &OptimizerOptions::CBIgnore_PhpAsp},
        {"DeleteTags", &OptimizerOptions::CBDeleteHtmlTags},
    };
    for (const QString &box : boxes) {
        bool found = false;
        for (const auto &[name, member] : all) {
            if (box == QLatin1String(name)) {
                o.*member = true;
                found = true;
            }
        }
        if (!found)
            qFatal("unknown box %s", qPrintable(box));
    }
    return o;
}

// Every box that rewrites, for the cases where nothing may change.
QStringList everything()
{
    return {"SlashMeta", "Slash", "b_strong", "i_em", "u_del", "LowerTags", "LowerAttributes", "LowerValues",
            "CR", "LF", "Tabs", "Spaces", "JsTarget", "ImgBorder", "TableBorder"};
}

const QString Onclick = QStringLiteral("onclick=\"window.open(this.href); return false;\"");

} // namespace

class TestRewriting : public QObject {
    Q_OBJECT

private slots:
    // Tags and text through the scanner: each case is one rewriting rule or one
    // fault of a naive rule.
    void processText_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("expected");

        // Tag replacement.
        QTest::newRow("bold becomes strong") << "<B>x</B>" << QStringList{"b_strong"} << "<strong>x</strong>";
        QTest::newRow("bold with attribute stays") << "<b class=\"x\">t</b>" << QStringList{"b_strong"}
                                                   << "<b class=\"x\">t</b>";
        QTest::newRow("end tag follows its own start tag")
            << "<b>a<b id=\"k\">b</b>c</b>" << QStringList{"b_strong"} << "<strong>a<b id=\"k\">b</b>c</strong>";
        QTest::newRow("both boxes of a pair") << "<b>x</b><strong>y</strong>" << QStringList{"b_strong", "strong_b"}
                                              << "<b>x</b><b>y</b>";
        QTest::newRow("italic") << "<i>x</i>" << QStringList{"i_em"} << "<em>x</em>";
        QTest::newRow("em to italic") << "<em>x</em><em class=\"c\">y</em>" << QStringList{"em_i"}
                                      << "<i>x</i><em class=\"c\">y</em>";
        QTest::newRow("underline to del") << "<u>x</u>" << QStringList{"u_del"} << "<del class=\"u\">x</del>";
        QTest::newRow("plain del keeps its end tag") << "<del>x</del>" << QStringList{"del_u"} << "<del>x</del>";
        QTest::newRow("del of class u back to u") << "<del class=\"u\">x</del><del>y</del>" << QStringList{"del_u"}
                                                  << "<u>x</u><del>y</del>";
        QTest::newRow("stray end tag stays") << "x</b>" << QStringList{"b_strong"} << "x</b>";

        // Slash style.
        QTest::newRow("slash meta and link") << "<meta charset=\"utf-8\"><link rel=\"a\" href=\"b\">"
                                             << QStringList{"SlashMeta"}
                                             << "<meta charset=\"utf-8\" /><link rel=\"a\" href=\"b\" />";
        QTest::newRow("unslash meta") << "<meta charset=\"utf-8\" />" << QStringList{"UnslashMeta"}
                                      << "<meta charset=\"utf-8\">";
        QTest::newRow("slash br hr img input") << "<BR><hr><img src=\"a\"><input type=\"text\"><hr class=\"x\">"
                                               << QStringList{"Slash"}
                                               << "<br /><hr /><img src=\"a\" /><input type=\"text\" /><hr class=\"x\">";
        QTest::newRow("unslash br hr img input") << "<br /><hr class=\"x\" /><img src=\"a\"/><input type=\"t\" />"
                                                 << QStringList{"Unslash"}
                                                 << "<br><hr class=\"x\"><img src=\"a\"><input type=\"t\">";

        // Attributes.
        QTest::newRow("img border, last attribute") << "<img src=\"a.gif\" border=\"0\">" << QStringList{"ImgBorder"}
                                                    << "<img src=\"a.gif\" >";
        QTest::newRow("img border and slash") << "<img src=\"a.gif\" border=\"0\">"
                                              << QStringList{"ImgBorder", "Slash"} << "<img src=\"a.gif\" />";
        QTest::newRow("table border") << "<table border=1 width=\"5\">" << QStringList{"TableBorder"}
                                      << "<table width=\"5\">";
        QTest::newRow("target to onclick") << "<a href=\"x\" target=\"_blank\" class=\"c\">"
                                           << QStringList{"JsTarget"} << "<a href=\"x\" " + Onclick + " class=\"c\">";
        QTest::newRow("last target to onclick") << "<a href=\"x\" target=\"_blank\">" << QStringList{"JsTarget"}
                                                << "<a href=\"x\" " + Onclick + ">";
        QTest::newRow("delete target") << "<a target=_top href=\"x\">" << QStringList{"DelTarget"} << "<a href=\"x\">";
        QTest::newRow("every target goes") << "<a target=\"a\" href=\"x\" target=b>" << QStringList{"DelTarget"}
                                           << "<a href=\"x\" >";
        QTest::newRow("data-target is another attribute") << "<a data-target=\"x\" href=\"y\">"
                                                          << QStringList{"DelTarget"} << "<a data-target=\"x\" href=\"y\">";
        QTest::newRow("border= inside a value") << "<img alt=\"border=2\" src=\"a\">" << QStringList{"ImgBorder"}
                                                << "<img alt=\"border=2\" src=\"a\">";
        QTest::newRow("blank inside the value") << "<a target=\"my frame\" href=\"x\">" << QStringList{"DelTarget"}
                                                << "<a href=\"x\">";
        QTest::newRow("area is not an anchor") << "<area target=\"f\">" << QStringList{"DelTarget"}
                                               << "<area target=\"f\">";

        // Lower case.
        QTest::newRow("meta lower case") << "<META NAME=\"Author\" CONTENT=\"Me\">"
                                         << QStringList{"SlashMeta", "LowerTags"}
                                         << "<meta NAME=\"Author\" CONTENT=\"Me\" />";
        QTest::newRow("meta attributes lower case") << "<META NAME=\"Author\" CONTENT=\"Me\">"
                                                    << QStringList{"SlashMeta", "LowerTags", "LowerAttributes"}
                                                    << "<meta name=\"Author\" content=\"Me\" />";
        QTest::newRow("tag name ends at a line break") << "<IMG\nSRC=\"A.GIF\">" << QStringList{"LowerTags"}
                                                       << "<img\nSRC=\"A.GIF\">";
        QTest::newRow("attribute after a line break") << "<IMG\nSRC=\"A.GIF\">"
                                                      << QStringList{"LowerTags", "LowerAttributes"}
                                                      << "<img\nsrc=\"A.GIF\">";
        QTest::newRow("single-quoted values stay") << "<P TITLE='X Y=Z' CLASS=\"Q R\">"
                                                   << QStringList{"LowerTags", "LowerAttributes"}
                                                   << "<p title='X Y=Z' class=\"Q R\">";
        QTest::newRow("values lower case") << "<P TITLE=\"X\">" << QStringList{"LowerValues"} << "<P TITLE=\"x\">";
        QTest::newRow("values of a link stay") << "<A HREF=\"Page.HTML\">" << QStringList{"LowerValues"}
                                               << "<A HREF=\"Page.HTML\">";
        QTest::newRow("comment wording stays") << "<!-- Made By Me -->" << QStringList{"LowerTags", "LowerAttributes"}
                                               << "<!-- Made By Me -->";
        QTest::newRow("bare style tag spared") << "<STYLE>p{}</STYLE><STYLE TYPE=\"t\">"
                                               << QStringList{"LowerTags", "LowerAttributes"}
                                               << "<STYLE>p{}</STYLE><style type=\"t\">";

        // Cleaning and size reduction.
        QTest::newRow("blanks in tags") << "<a   href = \"x\"  >" << QStringList{} << "<a href=\"x\">";
        QTest::newRow("blanks in values stay") << "<img alt=\"a  = b\" >" << QStringList{} << "<img alt=\"a  = b\">";
        QTest::newRow("CR LF after a comma") << "one,\r\nword" << QStringList{"CR", "LF"} << "one, word";
        QTest::newRow("CR LF after a digit") << "12\r\n34" << QStringList{"CR", "LF"} << "1234";
        QTest::newRow("line break after a tag") << "<p>\r\nx" << QStringList{"CR", "LF"} << "<p>x";
        QTest::newRow("LF alone keeps the CR") << "a\r\nb" << QStringList{"LF"} << "a\rb";
        QTest::newRow("after a closing quote") << "say \"x\"\ny" << QStringList{"LF"} << "say \"x\" y";
        QTest::newRow("repeated breaks") << "a\n\n\n\nb" << QStringList{"LF"} << "a b";
        QTest::newRow("tabs and spaces") << "a\t\tb    c" << QStringList{"Tabs", "Spaces"} << "ab c";

        // Nothing may be lost or looped on.
        QTest::newRow("unfinished tag at the end stays") << "<P>x  <B CLASS=\"Y\"  and more"
                                                         << QStringList{"LowerTags", "Spaces"}
                                                         << "<p>x <B CLASS=\"Y\"  and more";
        QTest::newRow("lone < keeps the rest") << "a < b" << QStringList{} << "a < b";

        // Scripts and PHP/ASP.
        QTest::newRow("script code passes unchanged")
            << "<SCRIPT TYPE=\"text/javascript\">\nfor (i=0; i<N; i++) { F(); } // Loop\nNext();\n</SCRIPT>\n<P>"
            << (everything() << "Scripts")
            << "<SCRIPT TYPE=\"text/javascript\">\nfor (i=0; i<N; i++) { F(); } // Loop\nNext();\n</SCRIPT><p>";
        QTest::newRow("script without its end tag") << "<script>if (a<B) x();" << QStringList{"Scripts", "LowerTags"}
                                                    << "<script>if (a<B) x();";
        QTest::newRow("PHP block passes unchanged") << "<?php if ($A > 1) { echo '<B>  x'; } ?>\n<B>"
                                                    << (everything() << "Php")
                                                    << "<?php if ($A > 1) { echo '<B>  x'; } ?><strong>";
        QTest::newRow("tag holding PHP stays") << "<A  HREF=\"<?= $U ?>\">" << (everything() << "Php")
                                               << "<A  HREF=\"<?= $U ?>\">";
        QTest::newRow("ASP block") << "<% If A > B Then %>" << (everything() << "Php") << "<% If A > B Then %>";
        QTest::newRow("unclosed PHP at the end") << "<p><?php echo 1;\n" << (everything() << "Php")
                                                 << "<p><?php echo 1;\n";
    }

    void processText()
    {
        QFETCH(QString, input);
        QFETCH(QStringList, boxes);
        QFETCH(QString, expected);
        QCOMPARE(ProcessText(input, with(boxes)), expected);
    }

    // The DOCTYPE and html start tag at the head, the old ones gone.
    void replaceDtd_data()
    {
        QTest::addColumn<int>("dtd");
        QTest::addColumn<bool>("languageBox");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");

        const QString body = QStringLiteral("<head></head>");
        QTest::newRow("HTML 5 replaces an upper-case DOCTYPE")
            << int(Dtd::Html5) << false << "en" << "<!DOCTYPE HTML PUBLIC \"x\">\r\n<HTML>\r\n" + body
            << "<!doctype html>\r\n<html lang=\"en\">\r\n" + body;
        QTest::newRow("without a DOCTYPE") << int(Dtd::Html5) << true << "" << body << "<!doctype html>\r\n<html>\r\n" + body;
        QTest::newRow("HTML 4.01 strict")
            << int(Dtd::Html401Strict) << true << "de" << "<!doctype html>\n<html lang=\"fr\">\n" + body
            << "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\"\r\n   \"http://www.w3.org/TR/html4/strict.dtd\">\r\n"
               "<html lang=\"de\">\r\n" + body;
        QTest::newRow("XHTML 1.0 strict")
            << int(Dtd::Xhtml10Strict) << false << "fr" << body
            << "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"\r\n"
               "   \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n"
               "<html lang=\"fr\" xml:lang=\"fr\" xmlns=\"http://www.w3.org/1999/xhtml\">\r\n" + body;
        QTest::newRow("XHTML 1.1 has a blank before the break")
            << int(Dtd::Xhtml11) << true << "" << body
            << "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" \r\n"
               "   \"http://www.w3.org/TR/xhtml11/DTD/xhtml11.dtd\">\r\n<html>\r\n" + body;
        QTest::newRow("HTML 4.01 frameset")
            << int(Dtd::Html401Frameset) << true << "" << body
            << "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Frameset//EN\"\r\n"
               "   \"http://www.w3.org/TR/html4/frameset.dtd\">\r\n<html>\r\n" + body;
        QTest::newRow("none with language") << int(Dtd::None) << true << "" << "<!doctype html>\r\n" + body
                                            << "<html lang=\"\">\r\n" + body;
        QTest::newRow("none without language") << int(Dtd::None) << false << "fr"
                                               << "<!DOCTYPE html>\r\n<html lang=\"x\">" + body
                                               << "<html>\r\n" + body;
        QTest::newRow("unclosed DOCTYPE is kept") << int(Dtd::Html5) << false << "" << "<!DOCTYPE html"
                                                  << "<!doctype html>\r\n<html>\r\n<!DOCTYPE html";
    }

    void replaceDtd()
    {
        QFETCH(int, dtd);
        QFETCH(bool, languageBox);
        QFETCH(QString, language);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        OptimizerOptions o = none();
        o.dtd = Dtd(dtd);
        o.CBDeclaration_Language = languageBox;
        o.EditDeclaration_Language = language;
        QCOMPARE(ReplaceDTD(input, o), expected);
    }

    // A document's own line break is used throughout the new head.
    void dtdFollowsTheLineBreak()
    {
        OptimizerOptions o = none();
        o.dtd = Dtd::Html401Transitional;
        o.LineBreak = QStringLiteral("\n");
        QCOMPARE(ReplaceDTD(QStringLiteral("x"), o),
                 QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"\n"
                                "   \"http://www.w3.org/TR/html4/loose.dtd\">\n<html lang=\"fr\">\nx"));
    }

    void deleteBlocks_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("comment with blanks and CR LF after it") << "a<!-- x -->  \r\nb" << "ab";
        QTest::newRow("LF CR after it") << "a<!--x-->\n\rb" << "ab";
        QTest::newRow("stray end before the comment") << "a --> b<!-- c -->d" << "a --> bd";
        QTest::newRow("every comment") << "<!--1-->a<!--2-->b<!---->c" << "abc";
        QTest::newRow("a comment made by a deletion") << "<!<!-- x -->-- y -->z" << "z";
        QTest::newRow("unclosed comment stays") << "a<!--b-->c<!-- d" << "ac<!-- d";
    }

    void deleteBlocks()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(DeleteComments(input), expected);
    }

    void deleteHtmlTags_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("tags become blanks") << "<p>a<b>b</b></p>" << QStringList{} << " a b  ";
        QTest::newRow("> in text stays") << "<p>5 > 3" << QStringList{} << " 5 > 3";
        QTest::newRow("< without > keeps the rest") << "<p>a < b and c" << QStringList{} << " a < b and c";
        QTest::newRow("script code stays") << "<script>if (a<b) c();</script>" << QStringList{"Scripts"}
                                           << " if (a<b) c(); ";
        QTest::newRow("PHP stays") << "<p><?php $a->b(); ?></p>" << QStringList{"Php"} << " <?php $a->b(); ?> ";
    }

    void deleteHtmlTags()
    {
        QFETCH(QString, input);
        QFETCH(QStringList, boxes);
        QFETCH(QString, expected);
        QCOMPARE(DeleteHtmlTags(input, with(boxes)), expected);
    }

    // Apply's chain on a text without tags: reduced, headed, replaced.
    void optimizeTextWithoutTags()
    {
        OptimizerOptions o = with({"CR", "LF", "Spaces"});
        o.StartingWith = QStringLiteral("cat");
        o.EndingWith = QStringLiteral("dog");
        QCOMPARE(OptimizeText(QStringLiteral("a  cat,\r\nCat 1\r\n2"), o),
                 QStringLiteral("<!doctype html>\r\n<html lang=\"fr\">\r\na dog, Cat 12"));
        o.EndingWith.clear();
        QVERIFY(OptimizeText(QStringLiteral("cat"), o).endsWith(QStringLiteral("cat")));
    }

    // Attribute helpers on their own, where a tag has no end.
    void attributeAtTheEnd()
    {
        QCOMPARE(DeleteAttribute(QStringLiteral("<img border=0"), QStringLiteral("border=")), QStringLiteral("<img "));
        QCOMPARE(DeleteAttribute(QStringLiteral("<img border=\"0"), QStringLiteral("border=")), QStringLiteral("<img "));
        QCOMPARE(ReplaceAttribute(QStringLiteral("<a target=x"), QStringLiteral("target="), QStringLiteral("t")),
                 QStringLiteral("<a t"));
        QCOMPARE(DeleteAttribute(QStringLiteral("<img src=\"a\">"), QStringLiteral("border=")),
                 QStringLiteral("<img src=\"a\">"));
    }

    // Characters the ANSI code page cannot hold come back as they were; those it
    // holds are lower-cased as it does.
    void charactersOutsideTheCodePage()
    {
        QCOMPARE(LowCase(QChar(u'É')), QChar(u'é'));
        QCOMPARE(LowCase(QChar(u'Š')), QChar(u'š'));
        QCOMPARE(LowCase(QChar(u'Ł')), QChar(u'Ł'));
        QCOMPARE(LowCase(QChar(u'Ω')), QChar(u'Ω'));
        const QString text = QStringLiteral("<P TITLE=\"ŁÉ€😀\" DATA-Ω=\"1\">Ωmega łódź 😀 €</P>");
        QCOMPARE(ProcessText(text, with(everything())),
                 QStringLiteral("<p title=\"Łé€😀\" data-Ω=\"1\">Ωmega łódź 😀 €</p>"));
    }
};

QTEST_GUILESS_MAIN(TestRewriting)
#include "tst_rewriting.moc"
