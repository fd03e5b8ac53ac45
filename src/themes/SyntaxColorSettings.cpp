#include "themes/SyntaxColorSettings.h"

#include "util/uDivFiles.h"
#include "util/uDivIni.h"

#include <QFileInfo>
#include <array>

namespace {

constexpr int hexDigit(char c)
{
    return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// "#RRGGBB" to 0x00BBGGRR, at compile time.
constexpr TColor rgb(const char *text)
{
    TColor value = 0;
    for (int pair = 0; pair < 3; ++pair) {
        const int hi = hexDigit(text[1 + 2 * pair]);
        const int lo = hexDigit(text[2 + 2 * pair]);
        value |= TColor(hi * 16 + lo) << (8 * pair);
    }
    return value;
}
static_assert(rgb("#FFEBCD") == 0xCDEBFF);

constexpr TColor WT = clWindowText;
constexpr int plain = 0;
constexpr int bold = fsBold;
constexpr int italic = fsItalic;

struct BuiltIn {
    SyntaxAttri Attri;
    TColor Foreground;
    int Style;
};

using A = SyntaxAttri;
constexpr BuiltIn kBuiltIn[] = {
    {A::HTML_And, rgb("#FF0000"), plain},
    {A::HTML_Comment, rgb("#008000"), italic},
    {A::HTML_Identifier, WT, plain},
    {A::HTML_Key, rgb("#800080"), bold},
    {A::HTML_Space, rgb("#000000"), plain},
    {A::HTML_Symbol, WT, bold},
    {A::HTML_Text, WT, plain},
    {A::HTML_UndefKey, rgb("#FF0000"), bold},
    {A::HTML_Value, rgb("#0000FF"), plain},
    {A::JS_Comment, rgb("#0000FF"), italic},
    {A::JS_Event, WT, plain},
    {A::JS_Identifier, WT, bold},
    {A::JS_Key, rgb("#008000"), bold},
    {A::JS_NonReservedKey, WT, plain},
    {A::JS_Number, rgb("#FF00FF"), plain},
    {A::JS_Space, rgb("#000000"), plain},
    {A::JS_String, WT, italic},
    {A::JS_Symbol, WT, plain},
    {A::PHP_Comment, rgb("#0000FF"), italic},
    {A::PHP_Identifier, WT, bold},
    {A::PHP_Key, rgb("#008000"), bold},
    {A::PHP_Number, rgb("#FF00FF"), plain},
    {A::PHP_Space, rgb("#000000"), plain},
    {A::PHP_String, WT, italic},
    {A::PHP_Symbol, WT, plain},
    {A::PHP_Variable, WT, bold},
    {A::CSS_Color, WT, plain},
    {A::CSS_Comment, rgb("#0000FF"), italic},
    {A::CSS_Key, rgb("#8000FF"), bold},
    {A::CSS_Number, WT, plain},
    {A::CSS_Property, WT, bold},
    {A::CSS_Space, rgb("#000000"), plain},
    {A::CSS_String, WT, plain},
    {A::CSS_Symbol, WT, plain},
    {A::CSS_Text, WT, plain},
    {A::CSS_UndefProperty, rgb("#8000FF"), bold},
    {A::CSS_Value, rgb("#0080FF"), plain},
    {A::XML_Attribute, rgb("#800000"), plain},
    {A::XML_AttributeValue, rgb("#000080"), bold},
    {A::XML_CDATA, rgb("#808000"), italic},
    {A::XML_Comment, rgb("#808080"), bold | italic},
    {A::XML_DocType, rgb("#0000FF"), italic},
    {A::XML_Element, rgb("#800000"), bold},
    {A::XML_EntityRef, rgb("#0000FF"), bold},
    {A::XML_NamespaceAttribute, rgb("#FF0000"), plain},
    {A::XML_NamespaceAttributeValue, rgb("#FF0000"), bold},
    {A::XML_ProcessingInstruction, rgb("#0000FF"), plain},
    {A::XML_Space, rgb("#000000"), plain},
    {A::XML_Symbol, rgb("#0000FF"), plain},
    {A::XML_Text, WT, bold},
    {A::SQL_Comment, WT, italic},
    {A::SQL_ConditionalComment, WT, italic},
    {A::SQL_DataType, WT, bold},
    {A::SQL_DefaultPackage, WT, bold},
    {A::SQL_DelimitedIdentifier, WT, plain},
    {A::SQL_Exception, WT, italic},
    {A::SQL_Function, WT, bold},
    {A::SQL_Identifier, WT, plain},
    {A::SQL_Key, WT, bold},
    {A::SQL_Number, WT, plain},
    {A::SQL_PLSQL, WT, bold},
    {A::SQL_Space, rgb("#000000"), plain},
    {A::SQL_SQLPlus, WT, bold},
    {A::SQL_String, WT, plain},
    {A::SQL_Symbol, WT, plain},
    {A::SQL_TableName, WT, plain},
    {A::SQL_Variable, WT, plain},
    {A::CPP_Asm, WT, plain},
    {A::CPP_Char, WT, plain},
    {A::CPP_Comment, rgb("#000080"), italic},
    {A::CPP_Direc, WT, plain},
    {A::CPP_Float, WT, plain},
    {A::CPP_Hex, WT, plain},
    {A::CPP_Identifier, WT, plain},
    {A::CPP_Invalid, WT, plain},
    {A::CPP_Key, WT, bold},
    {A::CPP_Number, WT, plain},
    {A::CPP_Octal, WT, plain},
    {A::CPP_Space, rgb("#000000"), plain},
    {A::CPP_String, WT, italic},
    {A::CPP_Symbol, WT, plain},
    {A::PAS_Asm, WT, plain},
    {A::PAS_Char, WT, plain},
    {A::PAS_Comment, rgb("#000080"), italic},
    {A::PAS_Directive, WT, italic},
    {A::PAS_Float, WT, plain},
    {A::PAS_Hex, WT, plain},
    {A::PAS_Identifier, WT, plain},
    {A::PAS_Key, WT, bold},
    {A::PAS_Number, WT, plain},
    {A::PAS_Space, rgb("#000000"), plain},
    {A::PAS_String, WT, italic},
    {A::PAS_Symbol, WT, plain},
    {A::ASM_Comment, rgb("#000080"), italic},
    {A::ASM_Identifier, WT, plain},
    {A::ASM_Key, WT, bold},
    {A::ASM_Number, WT, plain},
    {A::ASM_Space, rgb("#000000"), plain},
    {A::ASM_String, WT, italic},
    {A::ASM_Symbol, WT, plain},
    {A::BAT_Comment, rgb("#000080"), italic},
    {A::BAT_Identifier, WT, plain},
    {A::BAT_Key, WT, bold},
    {A::BAT_Number, rgb("#0000FF"), plain},
    {A::BAT_Space, rgb("#000000"), plain},
    {A::BAT_Variable, rgb("#008000"), plain},
};

constexpr bool builtInInOrder()
{
    if (sizeof(kBuiltIn) / sizeof(kBuiltIn[0]) != size_t(SyntaxAttriCount))
        return false;
    for (int i = 0; i < SyntaxAttriCount; ++i) {
        if (int(kBuiltIn[i].Attri) != i)
            return false;
    }
    return true;
}
static_assert(builtInInOrder(), "one built-in row per attribute, in theme-file order");

constexpr TColor kBuiltInBackground = rgb("#FFFFFF");
constexpr TColor kXmlCommentBackground = rgb("#C0C0C0");
constexpr TColor kMarkerForeground = rgb("#000080");
constexpr TColor kMarkerBackground = rgb("#FFEBCD");

const char *const kMarkerKeys[SchemeCount][2] = {
    {"Items[0].F", "Items[0].B"},
    {"Items[1].F", "Items[1].B"},
    {"Items[2].F", "Items[2].B"},
};

QString attriLine(SyntaxAttri attri, const HighlighterAttribute &a)
{
    const QLatin1Char sep(';');
    return SyntaxAttriKey(attri) + QLatin1Char('=') + ColorToHtmlHex(a.Foreground) + sep
           + ColorToHtmlHex(a.Background) + sep + BoolToText((a.Style & fsBold) != 0) + sep
           + BoolToText((a.Style & fsItalic) != 0) + sep
           + BoolToText((a.Style & fsUnderline) != 0) + sep
           + BoolToText((a.Style & fsStrikeOut) != 0) + sep;
}

// The theme reader keeps six field slots; what a line does not fill stays from earlier lines.
constexpr int kFieldSlots = 6;

void applyAttriLine(SyntaxColorModel &model, SyntaxAttri attri,
                    const std::array<QString, kFieldSlots> &slot)
{
    // Every field is converted before anything changes, so a bad colour leaves the
    // attribute whole.
    HighlighterAttribute a;
    a.Foreground = HtmlHexToColor(slot[0]);
    a.Background = HtmlHexToColor(slot[1]);
    a.Style = (TextToBool(slot[2]) ? fsBold : 0) | (TextToBool(slot[3]) ? fsItalic : 0)
              | (TextToBool(slot[4]) ? fsUnderline : 0) | (TextToBool(slot[5]) ? fsStrikeOut : 0);
    model.SetAttri(attri, a);
}

void applyKeyedLine(SyntaxColorModel &model, const QString &line, QStringView key,
                    const std::array<QString, kFieldSlots> &slot)
{
    if (key == QLatin1String("SynBackColor")) {
        model.SetGeneralBackColor(HtmlHexToColor(ValueOfLine(line)));
        return;
    }
    if (key == QLatin1String("GutterBorderColor")) {
        model.SetGutterBorderColor(HtmlHexToColor(ValueOfLine(line)));
        return;
    }
    if (key == QLatin1String("GutterColor")) {
        model.SetGutterColor(HtmlHexToColor(ValueOfLine(line)));
        return;
    }
    for (int scheme = 0; scheme < SchemeCount; ++scheme) {
        if (key == QLatin1String(kMarkerKeys[scheme][0])) {
            model.SetMarkerForeground(scheme, HtmlHexToColor(ValueOfLine(line)));
            return;
        }
        if (key == QLatin1String(kMarkerKeys[scheme][1])) {
            model.SetMarkerBackground(scheme, HtmlHexToColor(ValueOfLine(line)));
            return;
        }
    }
    const SyntaxAttri attri = FindSyntaxAttriByKey(key);
    if (attri != SyntaxAttri::Count)
        applyAttriLine(model, attri, slot);
}

} // namespace

namespace SyntaxColorSettings {

void OriginSettings(SyntaxColorModel &model)
{
    SyntaxColorUpdate bracket(model);
    model.SetGeneralBackColor(rgb("#FFFFFF"));
    model.SetGutterBorderColor(rgb("#FFFFFF"));
    model.SetGutterColor(rgb("#F0F0F0"));
    for (int scheme = 0; scheme < SchemeCount; ++scheme) {
        model.SetMarkerForeground(scheme, kMarkerForeground);
        model.SetMarkerBackground(scheme, kMarkerBackground);
    }
    for (const BuiltIn &row : kBuiltIn) {
        HighlighterAttribute a;
        a.Foreground = row.Foreground;
        a.Background =
            row.Attri == SyntaxAttri::XML_Comment ? kXmlCommentBackground : kBuiltInBackground;
        a.Style = row.Style;
        model.SetAttri(row.Attri, a);
    }
}

QStringList ThemeFileLines(const SyntaxColorModel &model)
{
    QStringList lines;
    lines.reserve(140);
    lines << QStringLiteral("[BACKGROUND]")
          << QStringLiteral("SynBackColor=") + ColorToHtmlHex(model.GeneralBackColor())
          << QString() << QStringLiteral("[GUTTER]")
          << QStringLiteral("GutterBorderColor=") + ColorToHtmlHex(model.GutterBorderColor())
          << QStringLiteral("GutterColor=") + ColorToHtmlHex(model.GutterColor()) << QString()
          << QStringLiteral("[SCHEMES]");
    for (int scheme = 0; scheme < SchemeCount; ++scheme) {
        const HighlighterAttribute &marker = model.MarkerAttri(scheme);
        lines << QLatin1String(kMarkerKeys[scheme][0]) + QLatin1Char('=')
                     + ColorToHtmlHex(marker.Foreground)
              << QLatin1String(kMarkerKeys[scheme][1]) + QLatin1Char('=')
                     + ColorToHtmlHex(marker.Background);
    }
    for (int l = 0; l < SyntaxLanguageCount; ++l) {
        const SyntaxLanguageInfo &info = SyntaxLanguageInfoOf(SyntaxLanguage(l));
        lines << QString() << QLatin1String(info.Section);
        for (int i = int(info.First); i < int(info.First) + info.Count; ++i)
            lines << attriLine(SyntaxAttri(i), model.Attri(SyntaxAttri(i)));
    }
    return lines;
}

void SaveSettings(const SyntaxColorModel &model, const QString &fileName)
{
    QByteArray bytes;
    for (const QString &line : ThemeFileLines(model))
        bytes += line.toLatin1() + "\r\n";

    QString error;
    if (!WriteFileReplacing(fileName, bytes, &error))
        throw ThemeFileError(error);
}

void ReadSettingsText(SyntaxColorModel &model, const QString &text)
{
    std::array<QString, kFieldSlots> slot;
    SyntaxColorUpdate bracket(model);
    const QStringList rawLines = SplitSettingsLines(text);
    for (int number = 1; number <= rawLines.size(); ++number) {
        const QString line = TrimSettingsLine(rawLines[number - 1]);
        if (IsSkippedSettingsLine(line) || line.startsWith(QLatin1Char('[')))
            continue;
        try {
            // The value text loses the line's last character, the writer's closing ";".
            const int eq = line.indexOf(QLatin1Char('='));
            const QString valueText = line.left(line.size() - 1).mid(eq + 1);
            if (!valueText.isEmpty()) {
                QStringList parts = valueText.split(QLatin1Char(';'));
                if (parts.last().isEmpty())
                    parts.removeLast();
                // Fields past the sixth have no slot and are dropped.
                for (int i = 0; i < parts.size() && i < kFieldSlots; ++i)
                    slot[size_t(i)] = parts.at(i);
            }

            if (eq >= 0)
                applyKeyedLine(model, line, QStringView(line).left(eq), slot);
        } catch (const ConvertError &error) {
            throw ConvertError(QStringLiteral("line %1: %2").arg(number).arg(QString::fromUtf8(error.what())));
        }
    }
}

void ReadSettings(SyntaxColorModel &model, const QString &fileName)
{
    if (!QFileInfo(fileName).isFile())
        return;
    try {
        ReadSettingsText(model, QString::fromLatin1(ReadFileToString(fileName)));
    } catch (const ConvertError &error) {
        // The user must know which file to mend, and where.
        throw ConvertError(fileName + QStringLiteral(", ") + QString::fromUtf8(error.what()));
    }
}

void SetGeneralBackground(SyntaxColorModel &model, TColor color, TColor langMarkFont)
{
    SyntaxColorUpdate bracket(model);
    for (int scheme = 0; scheme < SchemeCount; ++scheme) {
        model.SetMarkerForeground(scheme, langMarkFont);
        model.SetMarkerBackground(scheme, color);
    }
    for (int i = 0; i < SyntaxAttriCount; ++i)
        model.SetBackground(SyntaxAttri(i), color);
}

void SetGeneralBackground(SyntaxColorModel &model, TColor color)
{
    SetGeneralBackground(model, color, model.MarkerAttri(Sch_Javascript).Foreground);
}

bool OpenTheme(SyntaxColorModel &model, const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    SyntaxColorUpdate bracket(model);
    ReadSettings(model, path);
    model.SetThemeName(RemoveFileExt(info.fileName()));
    return true;
}

} // namespace SyntaxColorSettings
