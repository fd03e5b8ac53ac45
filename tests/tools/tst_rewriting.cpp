// The optimizer's rewriting passes on texts: tag rules, DOCTYPE, size reduction,
// comment and tag deletion, and the cases where a careless pass would loop, eat
// text or rewrite what it must leave alone.
#include "tools/HtmlRewriting.h"

#include <QtTest>

using namespace HtmlRewriting;

using O = OptimizerOptions;
Q_DECLARE_METATYPE(HtmlRewriting::OptimizerOptions)

namespace {

// Only the boxes named are on, so that each case says what it switches on.
O on(std::initializer_list<bool O::*> boxes)
{
    O o;
    for (bool O::*box : {&O::CBSlash_MetaLink, &O::CBDelete_Img_Border, &O::CBDelete_Table_Border,
                         &O::CBIgnore_Scripts, &O::CBIgnore_PhpAsp})
        o.*box = false;
    for (bool O::*box : boxes)
        o.*box = true;
    return o;
}

// Every box that rewrites, for the cases where nothing may change; with one more.
O everything(bool O::*also = nullptr)
{
    O o = on({&O::CBSlash_MetaLink, &O::CBSlash_tags, &O::CB_b_strong, &O::CB_i_em, &O::CB_u_del,
              &O::CBLowerCase_Tags, &O::CBLowerCase_Attributes, &O::CBLowerCase_AttributesValue,
              &O::CBDelete_LineBreak13, &O::CBDelete_LineBreak10, &O::CBDelete_Tabs, &O::CBDelete_ExtraSpaces,
              &O::CB_target_javascript, &O::CBDelete_Img_Border, &O::CBDelete_Table_Border});
    if (also)
        o.*also = true;
    return o;
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
        QTest::addColumn<O>("options");
        QTest::addColumn<QString>("expected");

        // Tag replacement.
        QTest::newRow("bold, but not with an attribute") << "<B>x</B><b class=\"x\">t</b>" << on({&O::CB_b_strong})
                                                         << "<strong>x</strong><b class=\"x\">t</b>";
        QTest::newRow("end tag follows its own start tag")
            << "<b>a<b id=\"k\">b</b>c</b>" << on({&O::CB_b_strong}) << "<strong>a<b id=\"k\">b</b>c</strong>";
        QTest::newRow("both boxes of a pair") << "<b>x</b><strong>y</strong>" << on({&O::CB_b_strong, &O::CB_strong_b})
                                              << "<b>x</b><b>y</b>";
        QTest::newRow("italic and underline") << "<i>x</i title=\"日本\"><u>y</u>" << on({&O::CB_i_em, &O::CB_u_del})
                                              << "<em>x</em title=\"日本\"><del class=\"u\">y</del>";
        QTest::newRow("del of class u only") << "<del class=\"u\">x</del><del>y</del>" << on({&O::CB_del_u})
                                             << "<u>x</u><del>y</del>";
        QTest::newRow("stray end tag stays") << "x</b>" << on({&O::CB_b_strong}) << "x</b>";

        // Slash style.
        QTest::newRow("slash meta and link") << "<meta charset=\"utf-8\"><link rel=\"a\" href=\"b\">"
                                             << on({&O::CBSlash_MetaLink})
                                             << "<meta charset=\"utf-8\" /><link rel=\"a\" href=\"b\" />";
        QTest::newRow("unslash meta") << "<meta charset=\"utf-8\" />" << on({&O::CBUnslash_MetaLink})
                                      << "<meta charset=\"utf-8\">";
        QTest::newRow("slash br hr img input") << "<BR><hr><img src=\"a\"><input type=\"text\"><hr class=\"x\">"
                                               << on({&O::CBSlash_tags})
                                               << "<br /><hr /><img src=\"a\" /><input type=\"text\" /><hr class=\"x\">";
        QTest::newRow("unslash br hr img input") << "<br /><hr class=\"x\" /><img src=\"a\"/><input type=\"t\" />"
                                                 << on({&O::CBUnslash_tags})
                                                 << "<br><hr class=\"x\"><img src=\"a\"><input type=\"t\">";

        // Attributes.
        QTest::newRow("img border, last attribute") << "<img src=\"a.gif\" border=\"0\">" << on({&O::CBDelete_Img_Border})
                                                    << "<img src=\"a.gif\" >";
        QTest::newRow("img border and slash") << "<img src=\"a.gif\" border=\"0\">"
                                              << on({&O::CBDelete_Img_Border, &O::CBSlash_tags}) << "<img src=\"a.gif\" />";
        QTest::newRow("table border, not bordercolor") << "<table bordercolor=\"#0\" border=1 width=\"5\">"
                                                       << on({&O::CBDelete_Table_Border})
                                                       << "<table bordercolor=\"#0\" width=\"5\">";
        QTest::newRow("target to onclick") << "<a href=\"x\" target=\"_blank\" class=\"c\">"
                                           << on({&O::CB_target_javascript}) << "<a href=\"x\" " + Onclick + " class=\"c\">";
        QTest::newRow("last target to onclick") << "<a href=\"x\" target=\"_blank\">" << on({&O::CB_target_javascript})
                                                << "<a href=\"x\" " + Onclick + ">";
        QTest::newRow("every target goes") << "<a target=\"a\" href=\"x\" target=b>" << on({&O::CB_del_target})
                                           << "<a href=\"x\" >";
        QTest::newRow("data-target is another attribute") << "<a data-target=\"x\" href=\"y\">"
                                                          << on({&O::CB_del_target}) << "<a data-target=\"x\" href=\"y\">";
        QTest::newRow("border= inside a value") << "<img alt=\"border=2\" src=\"a\">" << on({&O::CBDelete_Img_Border})
                                                << "<img alt=\"border=2\" src=\"a\">";
        QTest::newRow("blank inside the value") << "<a target=\"my frame\" href=\"x\">" << on({&O::CB_del_target})
                                                << "<a href=\"x\">";
        QTest::newRow("target of a map area goes") << "<AREA href=\"x\" target=\"_top\" shape=\"rect\">"
                                                   << on({&O::CB_del_target}) << "<AREA href=\"x\" shape=\"rect\">";
        QTest::newRow("target of a map area to onclick") << "<area href=\"x\" target=\"_top\">"
                                                         << on({&O::CB_target_javascript})
                                                         << "<area href=\"x\" " + Onclick + ">";

        // Lower case.
        QTest::newRow("meta attributes lower case")
            << "<META NAME=\"Author\" CONTENT=\"Me\">"
            << on({&O::CBSlash_MetaLink, &O::CBLowerCase_Tags, &O::CBLowerCase_Attributes})
            << "<meta name=\"Author\" content=\"Me\" />";
        QTest::newRow("name and attribute after a line break, unquoted value")
            << "<IMG\nSRC=Photo.JPG>" << on({&O::CBLowerCase_Tags, &O::CBLowerCase_Attributes}) << "<img\nsrc=Photo.JPG>";
        QTest::newRow("single-quoted values stay") << "<P TITLE='X Y=Z' CLASS=\"Q R\">"
                                                   << on({&O::CBLowerCase_Tags, &O::CBLowerCase_Attributes})
                                                   << "<p title='X Y=Z' class=\"Q R\">";
        QTest::newRow("double-quoted values lower case") << "<P TITLE=\"X\" ALT='Y'>"
                                                         << on({&O::CBLowerCase_AttributesValue})
                                                         << "<P TITLE=\"x\" ALT='Y'>";
        QTest::newRow("values of a link stay") << "<A HREF=\"Page.HTML\">" << on({&O::CBLowerCase_AttributesValue})
                                               << "<A HREF=\"Page.HTML\">";
        QTest::newRow("comment wording stays") << "<!-- Made By Me -->"
                                               << on({&O::CBLowerCase_Tags, &O::CBLowerCase_Attributes})
                                               << "<!-- Made By Me -->";
        QTest::newRow("bare style tag spared") << "<STYLE>p{}</STYLE><STYLE TYPE=\"t\">"
                                               << on({&O::CBLowerCase_Tags, &O::CBLowerCase_Attributes})
                                               << "<STYLE>p{}</STYLE><style type=\"t\">";

        // Cleaning and size reduction.
        QTest::newRow("blanks in tags") << "<link   href = \"x\"  title= 5 >" << on({}) << "<link href=\"x\" title=5>";
        QTest::newRow("blanks in values stay") << "<img alt=\"a  = b\" >" << on({}) << "<img alt=\"a  = b\">";
        QTest::newRow("CR LF after a comma, a digit, a tag")
            << "one,\r\nword 12\r\n34<p>\r\nx" << on({&O::CBDelete_LineBreak13, &O::CBDelete_LineBreak10})
            << "one, word 12 34<p> x";
        QTest::newRow("LF alone keeps the CR") << "a\r\nb" << on({&O::CBDelete_LineBreak10}) << "a\rb";
        QTest::newRow("after a closing quote") << "say \"x\"\ny" << on({&O::CBDelete_LineBreak10}) << "say \"x\" y";
        QTest::newRow("repeated breaks") << "a\n\n\n\nb" << on({&O::CBDelete_LineBreak10}) << "a b";
        QTest::newRow("tabs and spaces") << "a\t\tb    c" << on({&O::CBDelete_Tabs, &O::CBDelete_ExtraSpaces}) << "a b c";

        // Deleted blanks must not run words together, nor reach into text whose blanks count.
        const O breaks = on({&O::CBDelete_LineBreak13, &O::CBDelete_LineBreak10});
        const O reduce = on({&O::CBDelete_LineBreak13, &O::CBDelete_LineBreak10, &O::CBDelete_Tabs,
                             &O::CBDelete_ExtraSpaces});
        QTest::newRow("words of a paragraph") << "<p>un café\r\nnoir en 1999\r\nà Paris</p>" << breaks
                                              << "<p>un café noir en 1999 à Paris</p>";
        QTest::newRow("word after an end tag") << "<a href=\"a.htm\">cats</a>\r\nsome text" << breaks
                                               << "<a href=\"a.htm\">cats</a> some text";
        QTest::newRow("tab between words, tab beside a blank") << "x\txxx \ty" << on({&O::CBDelete_Tabs})
                                                               << "x xxx y";
        QTest::newRow("break at the start and the end of the text") << "\r\nab\r\n" << breaks << "ab";
        QTest::newRow("preformatted text") << "<pre>\nline 1\nline 2\n</pre>\n<PRE CLASS=\"x\">a    b\r\n\t<b>c</b>  d</PRE>"
                                           << reduce
                                           << "<pre>\nline 1\nline 2\n</pre> <PRE CLASS=\"x\">a    b\r\n\t<b>c</b>  d</PRE>";
        QTest::newRow("pre inside pre") << "<pre><pre>a</pre>  b</pre>  c" << reduce << "<pre><pre>a</pre>  b</pre> c";
        QTest::newRow("textarea holds text, not tags") << "<textarea>\n  <B>x</B>\t</textarea>"
                                                       << everything(&O::CBIgnore_Scripts)
                                                       << "<textarea>\n  <B>x</B>\t</textarea>";
        QTest::newRow("script and style code without the ignore box")
            << "<script>\nvar a = 1\nvar b  =\t2\n</script><style type=\"text/css\">\np  { color: red }\n</style>"
            << reduce
            << "<script>\nvar a = 1\nvar b  =\t2\n</script><style type=\"text/css\">\np  { color: red }\n</style>";
        QTest::newRow("title is text: its blanks go") << "<title>a  \r\n<b></title>" << reduce << "<title>a <b></title>";

        // A "<" before a blank is text, and a ">" in a quoted value does not end its tag.
        QTest::newRow("< and > in prose") << "<p>if x < Y and Z > 3 then</p>" << on({&O::CBLowerCase_Tags})
                                          << "<p>if x < Y and Z > 3 then</p>";
        QTest::newRow("> inside a quoted value") << "<img alt=\"a > b\" src=\"x.gif\"><img alt='>' SRC=y>"
                                                 << on({&O::CBSlash_tags, &O::CBLowerCase_Attributes})
                                                 << "<img alt=\"a > b\" src=\"x.gif\" /><img alt='>' src=y />";
        QTest::newRow("a quote not after = opens no value") << "<p title=it's>a<B class \"x>b</B>"
                                                            << on({&O::CBLowerCase_Tags})
                                                            << "<p title=it's>a<b class \"x>b</b>";

        // Nothing may be lost or looped on.
        QTest::newRow("unfinished tag at the end stays") << "<P>x  <B CLASS=\"Y\"  and more"
                                                         << on({&O::CBLowerCase_Tags, &O::CBDelete_ExtraSpaces})
                                                         << "<p>x <B CLASS=\"Y\"  and more";
        QTest::newRow("lone < keeps the rest") << "a < b" << on({}) << "a < b";

        // Scripts and PHP/ASP.
        QTest::newRow("script code passes unchanged")
            << "<SCRIPT TYPE=\"text/javascript\">\nfor (i=0; i<N; i++) { F(); } // Loop\nNext();\n</SCRIPT>\n<P>"
            << everything(&O::CBIgnore_Scripts)
            << "<SCRIPT TYPE=\"text/javascript\">\nfor (i=0; i<N; i++) { F(); } // Loop\nNext();\n</SCRIPT> <p>";
        QTest::newRow("script without its end tag") << "<script>if (a<B) x();"
                                                    << on({&O::CBIgnore_Scripts, &O::CBLowerCase_Tags})
                                                    << "<script>if (a<B) x();";
        QTest::newRow("PHP block passes unchanged") << "<?php if ($A > 1) { echo '<B>  x'; } ?>\n<B>"
                                                    << everything(&O::CBIgnore_PhpAsp)
                                                    << "<?php if ($A > 1) { echo '<B>  x'; } ?> <strong>";
        QTest::newRow("tag holding PHP stays") << "<A  HREF=\"<?= $U ?>\">" << everything(&O::CBIgnore_PhpAsp)
                                               << "<A  HREF=\"<?= $U ?>\">";
        QTest::newRow("PHP not spared with its box off") << "<?php if ($A  > 1) ?>x" << on({})
                                                         << "<?php if ($A> 1) ?>x";
        QTest::newRow("ASP block") << "<% If A > B Then %>" << everything(&O::CBIgnore_PhpAsp) << "<% If A > B Then %>";
        QTest::newRow("unclosed PHP at the end") << "<p><?php echo 1;\n" << everything(&O::CBIgnore_PhpAsp)
                                                 << "<p><?php echo 1;\n";
    }

    void processText()
    {
        QFETCH(QString, input);
        QFETCH(O, options);
        QFETCH(QString, expected);
        QCOMPARE(ProcessText(input, options), expected);
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
        QTest::newRow("none with language") << int(Dtd::None) << true << "" << "<!doctype html>\r\n" + body
                                            << "<html lang=\"\">\r\n" + body;
        QTest::newRow("none without language") << int(Dtd::None) << false << "fr"
                                               << "<!DOCTYPE html>\r\n<html lang=\"x\">" + body
                                               << "<html>\r\n" + body;
        QTest::newRow("html attributes but the language kept")
            << int(Dtd::Html5) << true << "fr" << "<!DOCTYPE html>\n<html dir=\"rtl\" lang=\"ar\" xml:lang=\"ar\">" + body
            << "<!doctype html>\r\n<html lang=\"fr\" dir=\"rtl\">\r\n" + body;
        QTest::newRow("XHTML keeps the other namespaces")
            << int(Dtd::Xhtml10Strict) << true << "fr"
            << "<html xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:o=\"urn:o\" itemscope itemtype=\"http://s.org/W\">" + body
            << "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"\r\n"
               "   \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n"
               "<html lang=\"fr\" xml:lang=\"fr\" xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:o=\"urn:o\" itemscope "
               "itemtype=\"http://s.org/W\">\r\n" + body;
        QTest::newRow("DOCTYPE with an internal subset")
            << int(Dtd::Html5) << false << ""
            << "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" \"x.dtd\" [\n"
               " <!ENTITY myURI \"http://a/b?c=]>\">\n]>\n<html>" + body
            << "<!doctype html>\r\n<html>\r\n" + body;
        QTest::newRow("a head that PHP writes stays")
            << int(Dtd::Html5) << true << "fr" << "<!DOCTYPE html>\n<html lang=\"<?php echo $l ?>\">" + body
            << "<!DOCTYPE html>\n<html lang=\"<?php echo $l ?>\">" + body;
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
        O o = on({&O::CBIgnore_PhpAsp});
        o.dtd = Dtd(dtd);
        o.CBDeclaration_Language = languageBox;
        o.EditDeclaration_Language = language;
        QCOMPARE(ReplaceDTD(input, o), expected);
    }

    // Comment deletion must take every comment and its line end, and never eat text after an unclosed one.
    void deleteBlocks_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("comment with blanks and CR LF after it") << "a<!-- x -->  \r\nb" << "a b";
        QTest::newRow("LF CR after it") << "a<!--x-->\n\rb" << "a b";
        QTest::newRow("comment on a line of its own") << "a\r\n<!-- x -->\r\nb" << "a\r\nb";
        QTest::newRow("stray end before the comment") << "a --> b<!-- c -->d" << "a --> bd";
        QTest::newRow("every comment") << "<!--1-->a<!--2-->b<!---->c" << "abc";
        QTest::newRow("markers inside a declaration") << "<!<!-- x -->-- y -->z" << "<!<!-- x -->-- y -->z";
        QTest::newRow("a deletion must not make a tag") << "<<!-- x -->b<!-- y --> c" << "<<!-- x -->b c";
        QTest::newRow("unclosed comment stays") << "a<!--b-->c<!-- d" << "ac<!-- d";
        QTest::newRow("style and script bodies are code")
            << "<style type=\"text/css\"><!--\np { color: red }\n--></style><script><!--\ndocument.write(\"Hello\");\n//--></script>"
            << "<style type=\"text/css\"><!--\np { color: red }\n--></style><script><!--\ndocument.write(\"Hello\");\n//--></script>";
        QTest::newRow("conditional comments stay")
            << "<!--[if lt IE 9]><script src=\"h.js\"></script><![endif]--><!--[if !IE]><!--><p>x</p><!--<![endif]-->"
            << "<!--[if lt IE 9]><script src=\"h.js\"></script><![endif]--><!--[if !IE]><!--><p>x</p><!--<![endif]-->";
        QTest::newRow("markers in a value or a textarea are text")
            << "<a title=\"<!-- x -->\"><textarea><!-- y --></textarea>"
            << "<a title=\"<!-- x -->\"><textarea><!-- y --></textarea>";
        QTest::newRow("in pre the line break after it stays") << "<pre>a<!-- x -->\nb</pre>" << "<pre>a\nb</pre>";
    }

    void deleteBlocks()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(DeleteComments(input, O()), expected);
    }

    // Tag deletion must leave text, a lone "<" and what scripts or PHP hold.
    void deleteHtmlTags_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<O>("options");
        QTest::addColumn<QString>("expected");
        QTest::newRow("tags become blanks") << "<p>a<b>b</b></p>" << on({}) << " a b  ";
        QTest::newRow("> in text stays") << "<p>5 > 3" << on({}) << " 5 > 3";
        QTest::newRow("< without > keeps the rest") << "<p>a < b and c" << on({}) << " a < b and c";
        QTest::newRow("script code stays") << "<script>if (a<b) c();</script>" << on({&O::CBIgnore_Scripts})
                                           << " if (a<b) c(); ";
        QTest::newRow("PHP stays") << "<p><?php $a->b(); ?></p>" << on({&O::CBIgnore_PhpAsp}) << " <?php $a->b(); ?> ";
        QTest::newRow("PHP with its box off") << "<?php $a->b(); ?>" << on({}) << " b(); ?>";
    }

    void deleteHtmlTags()
    {
        QFETCH(QString, input);
        QFETCH(O, options);
        QFETCH(QString, expected);
        QCOMPARE(DeleteHtmlTags(input, options), expected);
    }

    // Apply's chain on a text without tags: reduced, headed, replaced (an empty "To:" box is
    // checked on the optimizer window).
    void optimizeTextWithoutTags()
    {
        O o = on({&O::CBDelete_LineBreak13, &O::CBDelete_LineBreak10, &O::CBDelete_ExtraSpaces});
        o.StartingWith = QStringLiteral("cat");
        o.EndingWith = QStringLiteral("dog");
        QCOMPARE(OptimizeText(QStringLiteral("a  cat,\r\nCat 1\r\n2"), o),
                 QStringLiteral("<!doctype html>\r\n<html lang=\"fr\">\r\na dog, Cat 1 2"));
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
    }
};

QTEST_GUILESS_MAIN(TestRewriting)
#include "tst_rewriting.moc"
