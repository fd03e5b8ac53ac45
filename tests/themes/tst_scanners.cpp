// The style the syntax scanners give every character of short texts: tags, attributes,
// strings, comments, numbers, colours, regular expressions and embedded blocks, in upper and
// lower case, over line ends as the lexer scans them (each line from the state of the last).
#include "themes/SyntaxScanners.h"
#include "themes/SyntaxStyles.h"

#include <QtTest>
#include <utility>
#include <vector>

using A = SyntaxAttri;

namespace {

// What a text is scanned as. HtmlJs, HtmlCss and HtmlPhp are the page scanner (HTML with
// blocks of the other languages); they differ only in which language the row's lower-case
// marks stand for.
enum class Dialect { Html, HtmlJs, HtmlCss, HtmlPhp, Css, Js, Php, Xml, Sql, Cpp, Pas, Asm, Bat };

// A row gives one mark per byte of its text. Each language has its own marks below; in the
// page scanner HTML takes them in upper case, the embedded language in lower case with '_'
// for its blanks, '*' is the marker of a script or style block and '?' the PHP marker.
// A line break of the text has one in the marks too and, like '.', is not checked: nobody
// sees the style of a line end, and '.' stands for PHP inside a script or style.
using Legend = std::vector<std::pair<char, A>>;

const Legend kHtml = {{' ', A::HTML_Space}, {'k', A::HTML_Key},   {'u', A::HTML_UndefKey},
                      {'i', A::HTML_Identifier}, {'y', A::HTML_Symbol}, {'v', A::HTML_Value},
                      {'t', A::HTML_Text},  {'c', A::HTML_Comment}, {'&', A::HTML_And}};
const Legend kJs = {{' ', A::JS_Space},  {'k', A::JS_Key},    {'i', A::JS_Identifier},
                    {'y', A::JS_Symbol}, {'n', A::JS_Number}, {'s', A::JS_String},
                    {'c', A::JS_Comment}, {'e', A::JS_Event}, {'r', A::JS_NonReservedKey}};
const Legend kPhp = {{' ', A::PHP_Space},  {'k', A::PHP_Key},    {'i', A::PHP_Identifier},
                     {'y', A::PHP_Symbol}, {'n', A::PHP_Number}, {'s', A::PHP_String},
                     {'c', A::PHP_Comment}, {'$', A::PHP_Variable}};
const Legend kCss = {{' ', A::CSS_Space},  {'k', A::CSS_Key},      {'y', A::CSS_Symbol},
                     {'n', A::CSS_Number}, {'s', A::CSS_String},   {'c', A::CSS_Comment},
                     {'#', A::CSS_Color},  {'p', A::CSS_Property}, {'u', A::CSS_UndefProperty},
                     {'t', A::CSS_Text},   {'v', A::CSS_Value}};
const Legend kXml = {{' ', A::XML_Space},     {'e', A::XML_Element},   {'a', A::XML_Attribute},
                     {'v', A::XML_AttributeValue}, {'A', A::XML_NamespaceAttribute},
                     {'V', A::XML_NamespaceAttributeValue}, {'d', A::XML_DocType},
                     {'x', A::XML_CDATA},     {'c', A::XML_Comment},   {'?', A::XML_ProcessingInstruction},
                     {'&', A::XML_EntityRef}, {'y', A::XML_Symbol},    {'t', A::XML_Text}};
const Legend kSql = {{' ', A::SQL_Space},   {'k', A::SQL_Key},     {'i', A::SQL_Identifier},
                     {'y', A::SQL_Symbol},  {'n', A::SQL_Number},  {'s', A::SQL_String},
                     {'c', A::SQL_Comment}, {'!', A::SQL_ConditionalComment},
                     {'d', A::SQL_DataType}, {'f', A::SQL_Function}, {'x', A::SQL_Exception},
                     {'g', A::SQL_DefaultPackage}, {'q', A::SQL_DelimitedIdentifier},
                     {'l', A::SQL_PLSQL},   {'+', A::SQL_SQLPlus}, {'t', A::SQL_TableName},
                     {'$', A::SQL_Variable}};
const Legend kCpp = {{' ', A::CPP_Space},  {'k', A::CPP_Key},    {'i', A::CPP_Identifier},
                     {'y', A::CPP_Symbol}, {'n', A::CPP_Number}, {'s', A::CPP_String},
                     {'c', A::CPP_Comment}, {'a', A::CPP_Asm},   {'\'', A::CPP_Char},
                     {'#', A::CPP_Direc},  {'f', A::CPP_Float},  {'x', A::CPP_Hex},
                     {'o', A::CPP_Octal},  {'!', A::CPP_Invalid}};
const Legend kPas = {{' ', A::PAS_Space},  {'k', A::PAS_Key},    {'i', A::PAS_Identifier},
                     {'y', A::PAS_Symbol}, {'n', A::PAS_Number}, {'s', A::PAS_String},
                     {'c', A::PAS_Comment}, {'a', A::PAS_Asm},   {'\'', A::PAS_Char},
                     {'d', A::PAS_Directive}, {'f', A::PAS_Float}, {'x', A::PAS_Hex}};
const Legend kAsm = {{' ', A::ASM_Space},  {'k', A::ASM_Key},    {'i', A::ASM_Identifier},
                     {'y', A::ASM_Symbol}, {'n', A::ASM_Number}, {'s', A::ASM_String},
                     {'c', A::ASM_Comment}};
const Legend kBat = {{' ', A::BAT_Space},  {'k', A::BAT_Key},    {'i', A::BAT_Identifier},
                     {'n', A::BAT_Number}, {'c', A::BAT_Comment}, {'$', A::BAT_Variable}};

using Marks = std::vector<std::pair<char, int>>;

Marks marksOf(const Legend &legend)
{
    Marks marks;
    for (const auto &[c, attri] : legend)
        marks.push_back({c, SyntaxStyleOf(attri)});
    return marks;
}

Marks pageMarks(const Legend &inner, int scheme)
{
    Marks marks;
    for (const auto &[c, attri] : kHtml)
        marks.push_back({char(QChar::toUpper(uint(c))), SyntaxStyleOf(attri)});
    for (const auto &[c, attri] : inner)
        marks.push_back({c == ' ' ? '_' : c, SyntaxStyleOf(attri)});
    if (scheme != Sch_PHP)
        marks.push_back({'*', SyntaxMarkerStyle(scheme)});
    marks.push_back({'?', SyntaxMarkerStyle(Sch_PHP)});
    return marks;
}

std::pair<SyntaxScan::LineScanner, Marks> dialect(Dialect d)
{
    using namespace SyntaxScan;
    switch (d) {
    case Dialect::Html: return {HtmlLine, marksOf(kHtml)};
    case Dialect::HtmlJs: return {MultiLine, pageMarks(kJs, Sch_Javascript)};
    case Dialect::HtmlCss: return {MultiLine, pageMarks(kCss, Sch_CSS)};
    case Dialect::HtmlPhp: return {MultiLine, pageMarks(kPhp, Sch_PHP)};
    case Dialect::Css: return {CssLine, marksOf(kCss)};
    case Dialect::Js: return {JsLine, marksOf(kJs)};
    case Dialect::Php: return {PhpLine, marksOf(kPhp)};
    case Dialect::Xml: return {XmlLine, marksOf(kXml)};
    case Dialect::Sql: return {SqlLine, marksOf(kSql)};
    case Dialect::Cpp: return {CppLine, marksOf(kCpp)};
    case Dialect::Pas: return {PasLine, marksOf(kPas)};
    case Dialect::Asm: return {AsmLine, marksOf(kAsm)};
    case Dialect::Bat: return {BatLine, marksOf(kBat)};
    }
    return {};
}

// Styles the text line by line as the lexer does: a line ends after LF, CR LF or CR.
QByteArray scan(SyntaxScan::LineScanner scanner, const QByteArray &text)
{
    QByteArray styles(text.size(), '\xFF');
    auto *st = reinterpret_cast<quint8 *>(styles.data());
    int state = 0;
    for (int pos = 0; pos < text.size();) {
        int next = pos;
        while (next < text.size() && text[next] != '\n' && text[next] != '\r')
            ++next;
        if (next < text.size())
            next += text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n' ? 2 : 1;
        state = scanner(text.constData(), pos, next, state, st);
        pos = next;
    }
    return styles;
}

void row(Dialect d, const char *name, const char *text, const char *marks)
{
    QTest::newRow(name) << d << QByteArray(text) << QByteArray(marks);
}

void columns()
{
    QTest::addColumn<Dialect>("dialect");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("marks");
}

// The scanned styles written as marks, '~' for a style the legend has not.
void checkMarks(Dialect d, const QByteArray &text, const QByteArray &want)
{
    QCOMPARE(want.size(), text.size());
    const auto [scanner, marks] = dialect(d);
    const QByteArray styles = scan(scanner, text);
    QByteArray got(text.size(), '~');
    for (int i = 0; i < text.size(); ++i) {
        if (want[i] == '\n' || want[i] == '.') {
            QVERIFY2(want[i] == '.' || text[i] == '\n', "line breaks of the marks and the text agree");
            got[i] = want[i];
            continue;
        }
        for (const auto &[c, style] : marks) {
            if (style == quint8(styles[i])) {
                got[i] = c;
                break;
            }
        }
    }
    QCOMPARE(got, want);
}

} // namespace

Q_DECLARE_METATYPE(Dialect)

class TestScanners : public QObject {
    Q_OBJECT
private slots:
    void markup_data();
    void markup() { checkRow(); }
    void styleSheets_data();
    void styleSheets() { checkRow(); }
    void scripts_data();
    void scripts() { checkRow(); }
    void otherLanguages_data();
    void otherLanguages() { checkRow(); }

private:
    static void checkRow()
    {
        QFETCH(Dialect, dialect);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, marks);
        checkMarks(dialect, text, marks);
    }
};

void TestScanners::markup_data()
{
    columns();
    using D = Dialect;
    row(D::Html, "known tags in any case",
        "<DIV>a</Div><br/>",
        "kkkkktkkkkkkkkkkk");
    row(D::Html, "self-closing tags",
        "<img src=a /><br />",
        "kkkk iiiyv kkkkk kk");
    row(D::Html, "unknown tag closed on the next line",
        "<foo\n"
        "id=1>t",
        "uuuu\n"
        "iiyvut");
    row(D::Html, "comment over lines",
        "<!-- a\n"
        "b -->c",
        "cccccc\n"
        "ccccct");
    row(D::Html, "character references",
        "&lt;&#60;&#X3C;&#;&x &amp",
        "&&&&&&&&&&&&&&&ttttt tttt");
    row(D::Html, "a tag left open ends at the next one",
        "<a href=\"x\"<b>y",
        "kk iiiiyvvvkkkt");
    row(D::Html, "unquoted value ends at the bracket",
        "<td width=50%>x",
        "kkk iiiiiyvvvkt");
    row(D::Html, "quoted value over lines",
        "<p title='a\n"
        "b'>c",
        "kk iiiiiyvv\n"
        "vvkt");
    row(D::Html, "document type",
        "<!DOCTYPE html>",
        "kkkkkkkkk iiiik");

    row(D::HtmlJs, "upper-case script block",
        "<SCRIPT>a = b / c;</SCRIPT>",
        "********i_y_i_y_iy*********");
    row(D::HtmlCss, "mixed-case style block",
        "<Style>P { Color: RED }</sTyle>",
        "*******t_y_pppppy_vvv_y********");
    row(D::HtmlJs, "script tag over two lines",
        "<script\n"
        " type=\"x\">var s;\n"
        "</script>",
        "*******\n"
        " IIIIYVVV*kkk_iy\n"
        "*********");
    row(D::HtmlJs, "self-closed script opens no block",
        "<script src=\"a.js\"/><b>x</b>",
        "******* IIIYVVVVVV**KKKTKKKK");
    row(D::HtmlJs, "closing script tag with a blank",
        "<script>a</script >b",
        "********i**********T");
    row(D::HtmlJs, "script comment over lines",
        "<script>/* a\n"
        "b */ c</script>",
        "********cccc\n"
        "cccc_i*********");
    row(D::HtmlJs, "script closed inside its comment",
        "<script>/* a</script>hi",
        "********cccc*********TT");
    row(D::HtmlCss, "style closed inside its comment",
        "<style>/* a</style>hi",
        "*******cccc********TT");
    row(D::HtmlCss, "style block of rules over lines",
        "<style>\n"
        "@media print {\n"
        "  a { color: #abcd }\n"
        "}\n"
        "</style>",
        "*******\n"
        "kkkkkk_vvvvv_y\n"
        "__t_y_pppppy_#####_y\n"
        "y\n"
        "********");
    row(D::HtmlPhp, "upper-case PHP opener",
        "<?PHP echo 1 ?>",
        "?????_kkkk_n_??");
    row(D::HtmlPhp, "short echo tag",
        "<?=$a?>",
        "???$$??");
    row(D::HtmlPhp, "PHP in an attribute value",
        "<a href=\"<?=$u?>\">x</a>",
        "KK IIIIYV???$$??VKTKKKK");
    row(D::HtmlPhp, "PHP comment over lines",
        "<?php /* a\n"
        "b */ $c ?>x",
        "?????_cccc\n"
        "cccc_$$_??T");
    row(D::HtmlPhp, "PHP line comment ends at the closer",
        "<?php // c ?><b>",
        "?????_ccccc??KKK");
    row(D::HtmlPhp, "PHP attribute and hash comment",
        "<?php #[A] f(); # c ?>x",
        "?????_yyiy_iyyy_cccc??T");
    row(D::HtmlJs, "script string goes on after PHP",
        "<script>s = '<?=$a?>b';</script>",
        "********i_y_s???..??ssy*********");
    row(D::HtmlJs, "script line comment goes on after PHP",
        "<script>// a <?=1?> b\n"
        "c</script>",
        "********ccccc???.??cc\n"
        "i*********");
    row(D::HtmlCss, "style value goes on after PHP",
        "<style>a { color: <?=$c?>; }</style>",
        "*******t_y_pppppy_???..??y_y********");

    row(D::Xml, "document type with an internal subset",
        "<!DOCTYPE a [<!ENTITY b \"c\">]><a/>",
        "ddddddddddddddddddddddddddddddyeyy");
    row(D::Xml, "internal subset over lines",
        "<!DOCTYPE a [\n"
        "<!ENTITY b \"c\">\n"
        "]>\n"
        "<a>t</a>",
        "ddddddddddddd\n"
        "ddddddddddddddd\n"
        "dd\n"
        "yeytyyey");
    row(D::Xml, "CDATA holding ] and >",
        "<![CDATA[a]>b]]>c",
        "xxxxxxxxxxxxxxxxt");
    row(D::Xml, "processing instruction",
        "<?xml version=\"1.0\"?><a>",
        "?????????????????????yey");
    row(D::Xml, "processing instruction over lines",
        "<?p a\n"
        "b?>c",
        "?????\n"
        "???t");
    row(D::Xml, "namespace declarations",
        "<a xmlns=\"u\" xmlns:b='v' b:c=\"w\" xmlnsx=\"z\">",
        "ye AAAAAyVVV AAAAAAAyVVV aaayvvv aaaaaayvvvy");
    row(D::Xml, "entity references",
        "&amp;&#1;&#xA;&bad x",
        "&&&&&&&&&&&&&&tttt t");
    row(D::Xml, "comment over lines",
        "<!-- a\n"
        "b -->c",
        "cccccc\n"
        "ccccct");
    row(D::Xml, "closing and empty tags",
        "<a></a ><b/>",
        "yeyyye yyeyy");
    row(D::Xml, "attribute value over lines",
        "<a b=\"c\n"
        "d\">e",
        "ye ayvv\n"
        "vvyt");
}

void TestScanners::styleSheets_data()
{
    columns();
    using D = Dialect;
    row(D::Css, "colours by their number of digits",
        "a {\n"
        " color: #abc;\n"
        " color: #ABCD;\n"
        " color: #aabbcc;\n"
        " color: #AaBbCcDd;\n"
        " color: #abcde;\n"
        " color: #abcx;\n"
        "}",
        "t y\n"
        " pppppy ####y\n"
        " pppppy #####y\n"
        " pppppy #######y\n"
        " pppppy #########y\n"
        " pppppy vvvvvvy\n"
        " pppppy vvvvvy\n"
        "y");
    row(D::Css, "numbers with units and signs",
        "a { margin: -1.5em .5em 0 +2px; width: 50% }",
        "t y ppppppy nnnnnn nnnn n nnnny pppppy nnn y");
    row(D::Css, "important in any case",
        "a { color: red !IMPORTANT; top: 0 ! important }",
        "t y pppppy vvv kkkkkkkkkky pppy n kkkkkkkkkkk y");
    row(D::Css, "address in any case",
        "a { background: URL(a.png) no-repeat }",
        "t y ppppppppppy vvvysssssy vvvvvvvvv y");
    row(D::Css, "blocks of rules and of declarations",
        "@media screen\n"
        "{\n"
        " .a { color: red }\n"
        " .b { top: 0 }\n"
        "}\n"
        "@font-face { color: x }\n"
        "@media (min-width: 600px) { }\n"
        "b { }",
        "kkkkkk vvvvvv\n"
        "y\n"
        " tt y pppppy vvv y\n"
        " tt y pppy n y\n"
        "y\n"
        "kkkkkkkkkk y pppppy v y\n"
        "kkkkkk yvvvvvvvvvy nnnnny y y\n"
        "t y y");
    row(D::Css, "at-sign inside a value",
        "a { color: @x; top: 0 }",
        "t y pppppy yvy pppy n y");
    row(D::Css, "comments in a selector and over lines",
        "a/* b */,i{}\n"
        "/* c\n"
        "d */ p {}",
        "tcccccccytyy\n"
        "cccc\n"
        "cccc t yy");
    row(D::Css, "nested rule and the end of a declaration",
        "a { color: red } b { }\n"
        "a { b { color: red } }",
        "t y pppppy vvv y t y y\n"
        "t y t y pppppy vvv y y");
    row(D::Css, "strings with escaped quotes",
        "a { content: \"x\\\"y\" 'z' }",
        "t y pppppppy ssssss sss y");
    row(D::Css, "selectors and combinators",
        "ul > li + a ~ b, .c:hover {}",
        "tt y tt y t y ty tttttttt yy");
    row(D::Css, "properties in any case, prefixed, custom and unknown",
        "a { COLOR: x; -moz-box-sizing: x; --gap: x; colr: x; -moz-colr: x }",
        "t y pppppy vy pppppppppppppppy vy pppppy vy uuuuy vy uuuuuuuuuy v y");
}

void TestScanners::scripts_data()
{
    columns();
    using D = Dialect;
    row(D::Js, "division after a closing bracket",
        "a = b[0] / 2 / c;",
        "i y iyny y n y iy");
    row(D::Js, "division after a value",
        "(a) / 2 / x; 4 / 2 / 1; this / 2 / x",
        "yiy y n y iy n y n y ny kkkk y n y i");
    row(D::Js, "regular expressions",
        "x = /[/]\\//g; return /a b/i.test(s)",
        "i y ssssssssy kkkkkk ssssssyiiiiyiy");
    row(D::Js, "strings, escapes and a template over lines",
        "s = 'it\\'s' + \"a\\\"b\" + `t\n"
        "u` / 2 / x",
        "i y sssssss y ssssss y ss\n"
        "ss y n y i");
    row(D::Js, "numbers",
        "1e-3 + 0x1F + .5 + 1.5E+3 + 10n",
        "nnnn y nnnn y nn y nnnnnn y nnn");
    row(D::Js, "words",
        "$('p').onclick = document.IF;",
        "iysssyyeeeeeee y rrrrrrrryiiy");
    row(D::Js, "comments over lines",
        "a /* b *\n"
        "* c **/ d // e",
        "i cccccc\n"
        "ccccccc i cccc");

    row(D::Php, "attributes and comments",
        "#[Pure] function f() {} # c\n"
        "// d\n"
        "ECHO 1;",
        "yyiiiiy kkkkkkkk iyy yy ccc\n"
        "cccc\n"
        "kkkk ny");
    row(D::Php, "variables in strings",
        "\"a $b \\$c $5 {$d}\" . 'e $f\n"
        "g' . `ls $h`",
        "sss$$sssssssss$$ss y sssss\n"
        "ss y ssss$$s");
    row(D::Php, "numbers",
        "0x1F + 1.5 + .5 + 1e3",
        "nnnn y nnn y nn y nnn");
    row(D::Php, "comment over lines",
        "/* a\n"
        "b */ $c",
        "cccc\n"
        "cccc $$");
}

void TestScanners::otherLanguages_data()
{
    columns();
    using D = Dialect;
    row(D::Sql, "table names, also on the next line",
        "select name from users u join\n"
        "  orders where id = :id",
        "kkkkkk iiii kkkk ttttt i kkkk\n"
        "  tttttt kkkkk ii y $$$");
    row(D::Sql, "strings and delimited names",
        "'it''s' \"a b\" `c` [d e] [f",
        "sssssss qqqqq qqq qqqqq yi");
    row(D::Sql, "comments",
        "-- a\n"
        "/*! b */ /* c\n"
        "d */ x",
        "cccc\n"
        "!!!!!!!! cccc\n"
        "cccc i");
    row(D::Sql, "remark only as the first word",
        "REM note\n"
        "select count(*) rem from t",
        "cccccccc\n"
        "kkkkkk fffffyyy iii kkkk t");
    row(D::Sql, "procedural words",
        "declare x varchar2(10); begin dbms_output.put_line(@@rowcount); exception when no_data_found",
        "lllllll i ddddddddynnyy lllll gggggggggggyiiiiiiiiy$$$$$$$$$$yy lllllllll kkkk xxxxxxxxxxxxx");

    row(D::Cpp, "numbers",
        "0x1E 1e5 017 0 1.5f 2. 10UL 0b1",
        "xxxx fff ooo n ffff ff nnnn nnn");
    row(D::Cpp, "characters and strings",
        "'a' '\\'' \"a\\\"b\" L'x'",
        "''' '''' ssssss i'''");
    row(D::Cpp, "directives",
        "#include <a.h> // c\n"
        "#define A \\  \n"
        "  1\n"
        "int a; @",
        "###############cccc\n"
        "#############\n"
        "###\n"
        "kkk iy !");
    row(D::Cpp, "assembler",
        "__asm { mov eax, 1 }\n"
        "__asm mov eax, 1\n"
        "_asm(x)",
        "kkkkk y aaaaaaaaaaay\n"
        "kkkkk aaaaaaaaaa\n"
        "kkkkyiy");

    row(D::Pas, "numbers and ranges",
        "1..10 1.5e3 2E-1 $FF #13#$0A",
        "nyynn fffff ffff xxx '''''''");
    row(D::Pas, "comments and directives",
        "{$R+} (*$I-*) { a } (* b\n"
        "c *) // d",
        "ddddd ddddddd ccccc cccc\n"
        "cccc cccc");
    row(D::Pas, "assembler up to its end in any case",
        "asm mov ax, 1 END; x := 'a''b'",
        "kkk aaa aaa a kkky i yy ssssss");

    row(D::Asm, "directives, labels, numbers and strings",
        ".model small\n"
        "start: mov ax, 0FFh ; c\n"
        "db 'a', \"b\"",
        "kkkkkk iiiii\n"
        "iiiiiy kkk kky nnnn ccc\n"
        "kk sssy sss");

    row(D::Bat, "remarks",
        "REM a\n"
        "@rem b\n"
        ":: c\n"
        "remote x",
        "ccccc\n"
        "kccccc\n"
        "cccc\n"
        "iiiiii i");
    row(D::Bat, "variables",
        "echo %~dp0 %1 %%i !x! %PATH% 100% 2\n"
        "echo 5%% off",
        "kkkk $$$$$ $$ $$$ $$$ $$$$$$ nnni n\n"
        "kkkk nii kkk");
}

QTEST_APPLESS_MAIN(TestScanners)
#include "tst_scanners.moc"
