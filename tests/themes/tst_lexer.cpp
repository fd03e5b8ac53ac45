// The editors' lexers: which style each token gets, how the styles follow the shared colour
// model, and that styling piece by piece after edits gives what styling all at once gives.
#include "themes/SyntaxColorModel.h"
#include "themes/SyntaxColorSettings.h"
#include "themes/SyntaxLexer.h"
#include "themes/SyntaxPaintColors.h"
#include "themes/SyntaxStyles.h"

#include "TestSupport.h"

#include <Qsci/qsciscintilla.h>

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using Base = QsciScintillaBase;

Q_DECLARE_METATYPE(SyntaxAttri)
Q_DECLARE_METATYPE(SyntaxLexerKind)

namespace {

// An HTML page with every embedded language, PHP also inside an attribute and a script.
const char *const kPage =
    "<!DOCTYPE html>\n"
    "<html>\n"
    "<head>\n"
    "<style type=\"text/css\">\n"
    "@media screen {\n"
    "  h1 { color: #ff0000; colr: red; margin: 12px; font-weight: bold; }\n"
    "}\n"
    "/* css note */\n"
    "</style>\n"
    "<script type=\"text/javascript\">\n"
    "function f(a) { // js note\n"
    "  var n = <?php echo 7 ?>;\n"
    "  return document.title + 'text' + 42 / a;\n"
    "}\n"
    "</script>\n"
    "</head>\n"
    "<body onload=\"f(1)\">\n"
    "<div class=\"main\">Hello &amp; <foo>bye</foo></div>\n"
    "<!-- page note -->\n"
    "<a href=\"<?= $url ?>\">link</a>\n"
    "<?php\n"
    "$x = \"a $y\"; # php note\n"
    "?>\n"
    "</body>\n"
    "</html>\n";

int styleAt(QsciScintilla &editor, int pos)
{
    return int(editor.SendScintilla(Base::SCI_GETSTYLEAT, static_cast<unsigned long>(pos)));
}

QByteArray styleBytes(QsciScintilla &editor)
{
    const int length = editor.length();
    QByteArray bytes(length, '\0');
    for (int i = 0; i < length; ++i)
        bytes[i] = char(styleAt(editor, i));
    return bytes;
}

void styleAll(QsciScintilla &editor)
{
    editor.SendScintilla(Base::SCI_COLOURISE, 0ul, -1l);
}

// Styles from the first unstyled position to the end in small steps, as scrolling would.
void styleInSteps(QsciScintilla &editor, int step)
{
    const int length = editor.length();
    for (;;) {
        const long done = editor.SendScintilla(Base::SCI_GETENDSTYLED);
        if (done >= length)
            break;
        editor.SendScintilla(Base::SCI_COLOURISE, static_cast<unsigned long>(done),
                             qMin<long>(length, done + step));
    }
}

std::unique_ptr<QsciScintilla> makeEditor(SyntaxLexerKind kind, SyntaxColorModel *model,
                                          const QByteArray &text)
{
    auto editor = std::make_unique<QsciScintilla>();
    editor->setUtf8(true);
    editor->setLexer(new SyntaxLexer(kind, model, editor.get()));
    editor->setText(QString::fromUtf8(text));
    styleAll(*editor);
    return editor;
}

QColor styleFore(QsciScintilla &editor, int style)
{
    const long bgr = editor.SendScintilla(Base::SCI_STYLEGETFORE, static_cast<unsigned long>(style));
    return TColorToQColor(TColor(bgr));
}

QColor styleBack(QsciScintilla &editor, int style)
{
    const long bgr = editor.SendScintilla(Base::SCI_STYLEGETBACK, static_cast<unsigned long>(style));
    return TColorToQColor(TColor(bgr));
}

// The editor keeps the font weight negated (a Qt weight, not one of its own).
bool styleBold(QsciScintilla &editor, int style)
{
    const long weight = editor.SendScintilla(Base::SCI_STYLEGETWEIGHT, static_cast<unsigned long>(style));
    return qAbs(weight) >= QFont::DemiBold;
}

bool styleFlag(QsciScintilla &editor, int message, int style)
{
    return editor.SendScintilla(message, static_cast<unsigned long>(style)) != 0;
}

QString styleName(int style)
{
    const int marker = SyntaxMarkerOfStyle(style);
    if (marker >= 0)
        return QStringLiteral("marker %1").arg(marker);
    const SyntaxAttri attri = SyntaxAttriOfStyle(style);
    return attri == SyntaxAttri::Count ? QStringLiteral("style %1").arg(style) : SyntaxAttriKey(attri);
}

} // namespace

class TestLexer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pageTokens_data();
    void pageTokens();
    void singleLanguages_data();
    void singleLanguages();
    void markerFonts();
    void modelChangeReachesEveryEditor();
    void emptyAreaTakesTheWhitespaceBackground_data();
    void emptyAreaTakesTheWhitespaceBackground();
    void readableColours();
    void editorFontKeepsStyleBits();
    void themeFontStylesReachEditor_data();
    void themeFontStylesReachEditor();
    void incrementalMatchesWhole_data();
    void incrementalMatchesWhole();
    void unclosedQuotesEndAtTheLine_data();
    void unclosedQuotesEndAtTheLine();

private:
    SyntaxColorModel m_model;
};

void TestLexer::initTestCase()
{
    SyntaxColorSettings::OriginSettings(m_model);
}

void TestLexer::pageTokens_data()
{
    QTest::addColumn<QByteArray>("token");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("style");
    const auto row = [](const char *token, int offset, int style) {
        QTest::addRow("%s @%d", token, offset) << QByteArray(token) << offset << style;
    };
    const auto a = [](SyntaxAttri attri) { return SyntaxStyleOf(attri); };
    using A = SyntaxAttri;
    row("<!DOCTYPE", 0, a(A::HTML_Key));
    row("<div", 0, a(A::HTML_Key));
    row("</div>", 5, a(A::HTML_Key));
    row("<foo", 1, a(A::HTML_UndefKey));
    row("class=", 0, a(A::HTML_Identifier));
    row("class=", 5, a(A::HTML_Symbol));
    row("\"main\"", 1, a(A::HTML_Value));
    row("Hello", 0, a(A::HTML_Text));
    row("&amp;", 2, a(A::HTML_And));
    row("<!-- page", 6, a(A::HTML_Comment));
    // CSS inside <style>
    row("<style", 0, SyntaxMarkerStyle(Sch_CSS));
    row("\"text/css\">", 10, SyntaxMarkerStyle(Sch_CSS));
    row("@media", 1, a(A::CSS_Key));
    row("h1", 0, a(A::CSS_Text));
    row("color:", 0, a(A::CSS_Property));
    row("color:", 5, a(A::CSS_Symbol));
    row("colr:", 0, a(A::CSS_UndefProperty));
    row("#ff0000", 3, a(A::CSS_Color));
    row("12px", 2, a(A::CSS_Number));
    row("bold", 0, a(A::CSS_Value));
    row("/* css", 4, a(A::CSS_Comment));
    row("</style>", 7, SyntaxMarkerStyle(Sch_CSS));
    // JavaScript inside <script>, PHP inside the script
    row("<script", 3, SyntaxMarkerStyle(Sch_Javascript));
    row("function", 0, a(A::JS_Key));
    row("// js", 3, a(A::JS_Comment));
    row("document", 0, a(A::JS_NonReservedKey));
    row("title", 0, a(A::JS_Identifier));
    row("'text'", 2, a(A::JS_String));
    row("42", 0, a(A::JS_Number));
    row("/ a;", 0, a(A::JS_Symbol));
    row("<?php echo 7", 0, SyntaxMarkerStyle(Sch_PHP));
    row("echo 7", 0, a(A::PHP_Key));
    row("7 ?>;", 0, a(A::PHP_Number));
    row("7 ?>;", 2, SyntaxMarkerStyle(Sch_PHP));
    row("7 ?>;", 4, a(A::JS_Symbol));
    row("</script>", 8, SyntaxMarkerStyle(Sch_Javascript));
    // PHP inside an attribute value and on its own
    row("<?= $url", 4, a(A::PHP_Variable));
    row("$url ?>\">", 7, a(A::HTML_Value));
    row("$url ?>\">", 8, a(A::HTML_Key));
    row("\"a $y\"", 0, a(A::PHP_String));
    row("\"a $y\"", 3, a(A::PHP_Variable));
    row("# php", 2, a(A::PHP_Comment));
    row("?>\n</body>", 0, SyntaxMarkerStyle(Sch_PHP));
    row("</body>", 2, a(A::HTML_Key));
}

void TestLexer::pageTokens()
{
    QFETCH(QByteArray, token);
    QFETCH(int, offset);
    QFETCH(int, style);
    const QByteArray page(kPage);
    const int at = page.indexOf(token);
    QVERIFY2(at >= 0 && page.indexOf(token, at + 1) < 0, "the token occurs once");
    auto editor = makeEditor(SyntaxLexerKind::Multi, &m_model, page);
    QCOMPARE(styleName(styleAt(*editor, at + offset)), styleName(style));
}

void TestLexer::singleLanguages_data()
{
    QTest::addColumn<SyntaxLexerKind>("kind");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("token");
    QTest::addColumn<SyntaxAttri>("attri");
    using K = SyntaxLexerKind;
    using A = SyntaxAttri;
    const QByteArray css = "@import url(a.css);\na:hover, .x > p {\n  -webkit-transition: none !important;\n  --gap: 2em;\n}\n";
    QTest::newRow("css at-rule") << K::Css << css << QByteArray("@import") << A::CSS_Key;
    QTest::newRow("css url") << K::Css << css << QByteArray("a.css") << A::CSS_String;
    QTest::newRow("css prefixed") << K::Css << css << QByteArray("-webkit-transition") << A::CSS_Property;
    QTest::newRow("css custom") << K::Css << css << QByteArray("--gap") << A::CSS_Property;
    QTest::newRow("css important") << K::Css << css << QByteArray("!important") << A::CSS_Key;
    const QByteArray js = "/* a\n b */ if (x) { y = /re+/g.exec(s); onclick = `t\nu`; }\n";
    QTest::newRow("js comment lines") << K::JScript << js << QByteArray(" b */") << A::JS_Comment;
    QTest::newRow("js regex") << K::JScript << js << QByteArray("/re+/g") << A::JS_String;
    QTest::newRow("js event") << K::JScript << js << QByteArray("onclick") << A::JS_Event;
    QTest::newRow("js template lines") << K::JScript << js << QByteArray("u`") << A::JS_String;
    const QByteArray xml = "<?xml version=\"1.0\"?>\n<root xmlns:a=\"urn:x\" id='1'>&lt;<![CDATA[ <b> ]]><!-- c --></root>\n";
    QTest::newRow("xml pi") << K::Xml << xml << QByteArray("version") << A::XML_ProcessingInstruction;
    QTest::newRow("xml element") << K::Xml << xml << QByteArray("root") << A::XML_Element;
    QTest::newRow("xml ns attr") << K::Xml << xml << QByteArray("xmlns:a") << A::XML_NamespaceAttribute;
    QTest::newRow("xml ns value") << K::Xml << xml << QByteArray("urn:x") << A::XML_NamespaceAttributeValue;
    QTest::newRow("xml attr") << K::Xml << xml << QByteArray("id") << A::XML_Attribute;
    QTest::newRow("xml entity") << K::Xml << xml << QByteArray("&lt;") << A::XML_EntityRef;
    QTest::newRow("xml cdata") << K::Xml << xml << QByteArray(" <b> ") << A::XML_CDATA;
    QTest::newRow("xml comment") << K::Xml << xml << QByteArray(" c ") << A::XML_Comment;
    const QByteArray sql = "SELECT COUNT(*), name FROM users WHERE id = :id -- c\n  AND note = 'it''s'; /*! hint */\n";
    QTest::newRow("sql key") << K::Sql << sql << QByteArray("SELECT") << A::SQL_Key;
    QTest::newRow("sql function") << K::Sql << sql << QByteArray("COUNT") << A::SQL_Function;
    QTest::newRow("sql table") << K::Sql << sql << QByteArray("users") << A::SQL_TableName;
    QTest::newRow("sql variable") << K::Sql << sql << QByteArray(":id") << A::SQL_Variable;
    QTest::newRow("sql string") << K::Sql << sql << QByteArray("'it''s'") << A::SQL_String;
    QTest::newRow("sql conditional") << K::Sql << sql << QByteArray("hint") << A::SQL_ConditionalComment;
    const QByteArray cpp = "#define M(a) \\\n  (a + 1)\nint x = 0x1F + 017 + 1.5f; char c = 'q'; // c\n";
    QTest::newRow("cpp directive continued") << K::Cpp << cpp << QByteArray("(a + 1)") << A::CPP_Direc;
    QTest::newRow("cpp key") << K::Cpp << cpp << QByteArray("int") << A::CPP_Key;
    QTest::newRow("cpp hex") << K::Cpp << cpp << QByteArray("0x1F") << A::CPP_Hex;
    QTest::newRow("cpp octal") << K::Cpp << cpp << QByteArray("017") << A::CPP_Octal;
    QTest::newRow("cpp float") << K::Cpp << cpp << QByteArray("1.5f") << A::CPP_Float;
    QTest::newRow("cpp char") << K::Cpp << cpp << QByteArray("'q'") << A::CPP_Char;
    const QByteArray pas = "{$R+} (* c *) begin s := 'a''b' + #13 + $FF; asm mov ax, 1 end; x := 1.5 end.\n";
    QTest::newRow("pas directive") << K::Pas << pas << QByteArray("{$R+}") << A::PAS_Directive;
    QTest::newRow("pas comment") << K::Pas << pas << QByteArray("(* c *)") << A::PAS_Comment;
    QTest::newRow("pas string") << K::Pas << pas << QByteArray("'a''b'") << A::PAS_String;
    QTest::newRow("pas char") << K::Pas << pas << QByteArray("#13") << A::PAS_Char;
    QTest::newRow("pas hex") << K::Pas << pas << QByteArray("$FF") << A::PAS_Hex;
    QTest::newRow("pas asm") << K::Pas << pas << QByteArray("mov") << A::PAS_Asm;
    QTest::newRow("pas float") << K::Pas << pas << QByteArray("1.5") << A::PAS_Float;
    const QByteArray asmText = "start: mov eax, 0FFh ; c\n  db \"s\"\n";
    QTest::newRow("asm key") << K::Asm << asmText << QByteArray("mov") << A::ASM_Key;
    QTest::newRow("asm identifier") << K::Asm << asmText << QByteArray("start") << A::ASM_Identifier;
    QTest::newRow("asm number") << K::Asm << asmText << QByteArray("0FFh") << A::ASM_Number;
    QTest::newRow("asm comment") << K::Asm << asmText << QByteArray("; c") << A::ASM_Comment;
    const QByteArray bat = "@echo off\nrem note\nset X=%PATH% %1 %%i !Y!\n";
    QTest::newRow("bat key") << K::Bat << bat << QByteArray("echo") << A::BAT_Key;
    QTest::newRow("bat rem") << K::Bat << bat << QByteArray("note") << A::BAT_Comment;
    QTest::newRow("bat env") << K::Bat << bat << QByteArray("%PATH%") << A::BAT_Variable;
    QTest::newRow("bat arg") << K::Bat << bat << QByteArray("%1") << A::BAT_Variable;
    QTest::newRow("bat for") << K::Bat << bat << QByteArray("%%i") << A::BAT_Variable;
    QTest::newRow("bat delayed") << K::Bat << bat << QByteArray("!Y!") << A::BAT_Variable;
    const QByteArray php = "<?php function f($a) { return 'x' . \"$a\"; } // c ?> y\n";
    QTest::newRow("php key") << K::Php << php << QByteArray("function") << A::PHP_Key;
    QTest::newRow("php var") << K::Php << php << QByteArray("$a") << A::PHP_Variable;
    QTest::newRow("php comment to the end") << K::Php << php << QByteArray("?> y") << A::PHP_Comment;
    const QByteArray html = "<script>var a;</script>\n";
    QTest::newRow("html alone: script is a tag") << K::Html << html << QByteArray("<script") << A::HTML_Key;
    QTest::newRow("html alone: no javascript") << K::Html << html << QByteArray("var") << A::HTML_Text;
}

void TestLexer::singleLanguages()
{
    QFETCH(SyntaxLexerKind, kind);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, token);
    QFETCH(SyntaxAttri, attri);
    const int at = text.indexOf(token);
    QVERIFY(at >= 0);
    auto editor = makeEditor(kind, &m_model, text);
    for (int i = at; i < at + token.size(); ++i)
        QCOMPARE(styleName(styleAt(*editor, i)), SyntaxAttriKey(attri));
}

// The PHP marker is bold and stays so whatever a theme says; the other markers are not.
void TestLexer::markerFonts()
{
    SyntaxLexer lexer(SyntaxLexerKind::Multi, &m_model);
    QVERIFY(lexer.font(SyntaxMarkerStyle(Sch_PHP)).bold());
    QVERIFY(!lexer.font(SyntaxMarkerStyle(Sch_Javascript)).bold());
    // Each lexer describes (and so sets up) only its own languages' styles.
    SyntaxLexer css(SyntaxLexerKind::Css, &m_model);
    QVERIFY(css.description(SyntaxStyleOf(SyntaxAttri::HTML_Key)).isEmpty());
    QCOMPARE(css.description(SyntaxStyleOf(SyntaxAttri::CSS_Key)), QStringLiteral("CSS.KeyAttri"));
}

// One change of the model reaches a .js editor and the script of an HTML editor at once.
void TestLexer::modelChangeReachesEveryEditor()
{
    SyntaxColorModel model;
    SyntaxColorSettings::OriginSettings(model);
    auto js = makeEditor(SyntaxLexerKind::JScript, &model, "function f() {}\n");
    auto page = makeEditor(SyntaxLexerKind::Multi, &model, kPage);
    const int key = SyntaxStyleOf(SyntaxAttri::JS_Key);
    QVERIFY(styleBold(*js, key));

    model.SetAttri(SyntaxAttri::JS_Key, {0x3399CC, 0x101010, fsItalic});
    for (QsciScintilla *editor : {js.get(), page.get()}) {
        QCOMPARE(styleFore(*editor, key), QColor(0xCC, 0x99, 0x33));
        QCOMPARE(styleBack(*editor, key), QColor(0x10, 0x10, 0x10));
        QVERIFY(!styleBold(*editor, key));
        QVERIFY(editor->SendScintilla(Base::SCI_STYLEGETITALIC, static_cast<unsigned long>(key)));
    }
    // Markers follow too.
    model.SetMarkerBackground(Sch_Javascript, 0x00FF00);
    QCOMPARE(styleBack(*page, SyntaxMarkerStyle(Sch_Javascript)), QColor(0x00, 0xFF, 0x00));
}

void TestLexer::emptyAreaTakesTheWhitespaceBackground_data()
{
    QTest::addColumn<SyntaxLexerKind>("kind");
    QTest::addColumn<SyntaxAttri>("space");
    QTest::addColumn<SyntaxAttri>("otherSpace");
    QTest::newRow("html page") << SyntaxLexerKind::Multi << SyntaxAttri::HTML_Space << SyntaxAttri::JS_Space;
    QTest::newRow("css") << SyntaxLexerKind::Css << SyntaxAttri::CSS_Space << SyntaxAttri::HTML_Space;
    QTest::newRow("batch") << SyntaxLexerKind::Bat << SyntaxAttri::BAT_Space << SyntaxAttri::CSS_Space;
}

// The editor's empty area takes the background of its language's whitespace (of HTML in a
// page); the common background of a theme is no editor's colour.
void TestLexer::emptyAreaTakesTheWhitespaceBackground()
{
    QFETCH(SyntaxLexerKind, kind);
    QFETCH(SyntaxAttri, space);
    QFETCH(SyntaxAttri, otherSpace);
    SyntaxColorModel model;
    SyntaxColorSettings::OriginSettings(model);
    auto editor = makeEditor(kind, &model, "x\n");
    const QColor before = styleBack(*editor, Base::STYLE_DEFAULT);
    model.SetGeneralBackColor(0x202020);
    model.SetBackground(otherSpace, 0x00FF00);
    QCOMPARE(styleBack(*editor, Base::STYLE_DEFAULT), before);
    model.SetBackground(space, 0x302010);
    QCOMPARE(styleBack(*editor, Base::STYLE_DEFAULT), QColor(0x10, 0x20, 0x30));
}

// Window text and missing colours become readable colours on the attribute's background.
void TestLexer::readableColours()
{
    SyntaxColorModel model;
    SyntaxColorSettings::OriginSettings(model);
    auto editor = makeEditor(SyntaxLexerKind::Css, &model, "a { color: red; }\n");
    const int text = SyntaxStyleOf(SyntaxAttri::CSS_Text);
    model.SetAttri(SyntaxAttri::CSS_Text, {clWindowText, 0x000000, 0});
    QVERIFY(ColorContrast(styleFore(*editor, text), Qt::black) >= 4.5);
    model.SetAttri(SyntaxAttri::CSS_Text, {clWindowText, 0xFFFFFF, 0});
    QVERIFY(ColorContrast(styleFore(*editor, text), Qt::white) >= 4.5);
    // No background of its own: the whitespace's background shows.
    model.SetBackground(SyntaxAttri::CSS_Space, 0x402010);
    model.SetAttri(SyntaxAttri::CSS_Text, {clNone, clNone, 0});
    QCOMPARE(styleBack(*editor, text), QColor(0x10, 0x20, 0x40));
    QVERIFY(ColorContrast(styleFore(*editor, text), QColor(0x10, 0x20, 0x40)) >= 4.5);
}

// The main window sets the editor font on the lexer; bold and italic stay the attributes'.
void TestLexer::editorFontKeepsStyleBits()
{
    auto editor = makeEditor(SyntaxLexerKind::Multi, &m_model, kPage);
    QFont font(QStringLiteral("Monospace"));
    font.setPointSize(13);
    editor->lexer()->setDefaultFont(font);
    editor->lexer()->setFont(font);
    QCOMPARE(editor->lexer()->defaultFont().pointSize(), 13);
    const int key = SyntaxStyleOf(SyntaxAttri::HTML_Key);         // bold
    const int comment = SyntaxStyleOf(SyntaxAttri::HTML_Comment); // italic
    const int text = SyntaxStyleOf(SyntaxAttri::HTML_Text);       // plain
    for (int style : {key, comment, text})
        QCOMPARE(int(editor->SendScintilla(Base::SCI_STYLEGETSIZE, static_cast<unsigned long>(style))), 13);
    QVERIFY(styleBold(*editor, key));
    QVERIFY(!styleBold(*editor, text));
    QVERIFY(editor->SendScintilla(Base::SCI_STYLEGETITALIC, static_cast<unsigned long>(comment)));
}

void TestLexer::themeFontStylesReachEditor_data()
{
    QTest::addColumn<int>("bits");
    QTest::newRow("plain") << 0;
    QTest::newRow("bold") << int(fsBold);
    QTest::newRow("italic") << int(fsItalic);
    QTest::newRow("underline") << int(fsUnderline);
    QTest::newRow("strike-out") << int(fsStrikeOut);
    QTest::newRow("all") << int(fsAllStyles);
}

// The bold, italic, underline and strike-out of a theme's attribute reach an editor open while
// the theme is read (after another theme had the opposite), one opened after, and both after
// the editor font changes. The editor shows no strike-out: the lexer's font carries it.
void TestLexer::themeFontStylesReachEditor()
{
    QFETCH(int, bits);
    const auto themeText = [](int style) {
        const auto field = [style](int bit) {
            return QLatin1String(style & bit ? "True;" : "False;");
        };
        return QStringLiteral("[CSS]\r\nCSS.PropertyAttri=#000080;#FFFFFF;") + field(fsBold)
               + field(fsItalic) + field(fsUnderline) + field(fsStrikeOut) + QStringLiteral("\r\n");
    };
    SyntaxColorModel model;
    SyntaxColorSettings::OriginSettings(model);
    const QByteArray text = "a { color: red }\n";
    auto open = makeEditor(SyntaxLexerKind::Css, &model, text);
    SyntaxColorSettings::ReadSettingsText(model, themeText(fsAllStyles & ~bits));
    SyntaxColorSettings::ReadSettingsText(model, themeText(bits));
    auto opened = makeEditor(SyntaxLexerKind::Css, &model, text);
    QCOMPARE(model.Attri(SyntaxAttri::CSS_Property).Style, bits);

    const int style = SyntaxStyleOf(SyntaxAttri::CSS_Property);
    const auto check = [&](const char *when) {
        for (QsciScintilla *editor : {open.get(), opened.get()}) {
            const QString where = QStringLiteral("%1, editor opened %2")
                                      .arg(QLatin1String(when),
                                           QLatin1String(editor == open.get() ? "before" : "after"));
            QVERIFY2(styleBold(*editor, style) == ((bits & fsBold) != 0), qPrintable(where));
            QVERIFY2(styleFlag(*editor, Base::SCI_STYLEGETITALIC, style) == ((bits & fsItalic) != 0),
                     qPrintable(where));
            QVERIFY2(styleFlag(*editor, Base::SCI_STYLEGETUNDERLINE, style)
                         == ((bits & fsUnderline) != 0),
                     qPrintable(where));
            QVERIFY2(editor->lexer()->font(style).strikeOut() == ((bits & fsStrikeOut) != 0),
                     qPrintable(where));
        }
    };
    check("the theme read");
    QFont font(QStringLiteral("Monospace"));
    font.setPointSize(11);
    for (QsciScintilla *editor : {open.get(), opened.get()})
        editor->lexer()->setFont(font);
    check("the font changed");
}

void TestLexer::incrementalMatchesWhole_data()
{
    QTest::addColumn<QByteArray>("insert");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("removeAgain");
    const auto row = [](const char *name, const char *insert, const char *before, bool remove) {
        QTest::newRow(name) << QByteArray(insert) << QByteArray(before) << remove;
    };
    row("script opened in the body", "<script>\n", "<div class", false);
    row("script opened then removed", "<script>\n", "<div class", true);
    row("style opened in the head", "<style>\n", "<script type", false);
    row("php opened", "<?php\n", "<body", false);
    row("php closed early", "?>\n", "  return", false);
    row("html comment opened", "<!--\n", "</head>", false);
    row("css comment opened", "/*\n", "  h1", false);
    row("js comment opened", "/*\n", "  return", false);
    row("js string left open", "'\\\n", "  return", false);
    row("script closed early", "</script>\n", "  var n", false);
    row("tag left open", "<p class=\"x\n", "<!-- page", true);
}

// Styling only from the edit on, a few lines at a time, ends with the styles a fresh
// editor gets from styling the final text in one go.
void TestLexer::incrementalMatchesWhole()
{
    QFETCH(QByteArray, insert);
    QFETCH(QByteArray, before);
    QFETCH(bool, removeAgain);
    QByteArray page(kPage);
    const int at = page.indexOf(before);
    QVERIFY(at >= 0);

    auto editor = makeEditor(SyntaxLexerKind::Multi, &m_model, page);
    editor->SendScintilla(Base::SCI_INSERTTEXT, static_cast<unsigned long>(at), insert.constData());
    styleInSteps(*editor, 23);
    page.insert(at, insert);
    if (removeAgain) {
        editor->SendScintilla(Base::SCI_DELETERANGE, static_cast<unsigned long>(at), long(insert.size()));
        styleInSteps(*editor, 7);
        page.remove(at, insert.size());
    }
    QCOMPARE(editor->text().toUtf8(), page);
    auto whole = makeEditor(SyntaxLexerKind::Multi, &m_model, page);
    const QByteArray got = styleBytes(*editor);
    const QByteArray want = styleBytes(*whole);
    for (int i = 0; i < want.size(); ++i) {
        if (got[i] != want[i])
            QFAIL(qPrintable(QStringLiteral("byte %1: %2 instead of %3")
                                 .arg(i)
                                 .arg(styleName(quint8(got[i])), styleName(quint8(want[i])))));
    }
}

void TestLexer::unclosedQuotesEndAtTheLine_data()
{
    QTest::addColumn<SyntaxLexerKind>("kind");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("token");
    QTest::addColumn<SyntaxAttri>("attri");
    using K = SyntaxLexerKind;
    using A = SyntaxAttri;
    const auto row = [](const char *name, K kind, const char *text, const char *token, A attri) {
        QTest::newRow(name) << kind << QByteArray(text) << QByteArray(token) << attri;
    };
    row("css quote, LF", K::Css, "\"\n", "\"", A::CSS_String);
    row("css quote, CR LF", K::Css, "\"\r\nb{}", "b", A::CSS_Text);
    row("css quote in a value", K::Css, "p { color: 'red\n}\nb {}", "b", A::CSS_Text);
    row("css escaped line break", K::Css, "a { content: \"x\\\n y\" }", " y", A::CSS_String);
    row("style block quote", K::Multi, "<style>\"\n", "\"", A::CSS_String);
    row("style block, text after", K::Multi, "<style>\"\nb{}</style>", "b", A::CSS_Text);
    row("cpp quote, LF", K::Cpp, "\"\nx", "x", A::CPP_Identifier);
    row("cpp quote, CR LF", K::Cpp, "\"\r\nx", "x", A::CPP_Identifier);
    row("cpp quote, CR", K::Cpp, "\"\rx", "x", A::CPP_Identifier);
    row("cpp escaped LF", K::Cpp, "\"a\\\nx\"", "x", A::CPP_String);
    row("cpp escaped CR LF", K::Cpp, "\"a\\\r\nx\"", "x", A::CPP_String);
    row("cpp backslash last", K::Cpp, "\"\\", "\\", A::CPP_String);
    row("js quote", K::JScript, "'\nx", "x", A::JS_Identifier);
    row("php quote", K::Php, "\"\nx", "x", A::PHP_String);
    row("xml value", K::Xml, "<a b=\"\nx", "x", A::XML_AttributeValue);
    row("html value", K::Html, "<a b=\"\nx", "x", A::HTML_Value);
    row("sql quote", K::Sql, "'\nx", "x", A::SQL_String);
    row("pascal quote", K::Pas, "'\nx", "x", A::PAS_Identifier);
    row("asm quote", K::Asm, "\"\nx", "x", A::ASM_Identifier);
}

// An opening quote with no closing one froze the program: the string scanner stopped at the
// line end and the scanner stayed there. Opening such a text and typing after it must end
// (a watchdog fails the test otherwise), and the string ends where the language says.
void TestLexer::unclosedQuotesEndAtTheLine()
{
    QFETCH(SyntaxLexerKind, kind);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, token);
    QFETCH(SyntaxAttri, attri);
    HangWatchdog watchdog(QTest::currentDataTag(), 20);
    auto editor = makeEditor(kind, &m_model, text);
    const int at = text.lastIndexOf(token);
    QVERIFY(at >= 0);
    for (int i = at; i < at + token.size(); ++i)
        QCOMPARE(styleName(styleAt(*editor, i)), SyntaxAttriKey(attri));

    // Typing quotes and line breaks at the start, in the middle and at the end.
    for (const char *typed : {"\"", "'", "\n", "\\", "\r\n\""}) {
        for (const int pos : {0, editor->length() / 2, editor->length()}) {
            editor->SendScintilla(Base::SCI_INSERTTEXT, static_cast<unsigned long>(pos), typed);
            styleInSteps(*editor, 3);
        }
    }
    QCOMPARE(long(editor->SendScintilla(Base::SCI_GETENDSTYLED)), long(editor->length()));
}

QTEST_MAIN(TestLexer)
#include "tst_lexer.moc"
