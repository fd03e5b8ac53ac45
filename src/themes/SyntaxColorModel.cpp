#include "themes/SyntaxColorModel.h"

#include <QHash>

namespace {

struct AttriInfo {
    SyntaxLanguage Language;
    const char *Name;
};

constexpr AttriInfo kAttri[] = {
#define VK_SYNTAX_ATTRI_INFO(lang, name) {SyntaxLanguage::lang, #name},
    VK_SYNTAX_ATTRIBUTES(VK_SYNTAX_ATTRI_INFO)
#undef VK_SYNTAX_ATTRI_INFO
};
static_assert(sizeof(kAttri) / sizeof(kAttri[0]) == size_t(SyntaxAttriCount));

constexpr SyntaxLanguageInfo kLanguages[SyntaxLanguageCount] = {
    {"HTML", "[HTML]", "HTML", SyntaxAttri::HTML_And, 9},
    {"Javascript", "[JS]", "JS", SyntaxAttri::JS_Comment, 9},
    {"PHP", "[PHP]", "PHP", SyntaxAttri::PHP_Comment, 8},
    {"CSS", "[CSS]", "CSS", SyntaxAttri::CSS_Color, 11},
    {"XML", "[XML]", "XML", SyntaxAttri::XML_Attribute, 13},
    {"SQL", "[SQL]", "SQL", SyntaxAttri::SQL_Comment, 17},
    {"C++", "[CPP]", "CPP", SyntaxAttri::CPP_Asm, 14},
    {"Pascal", "[PAS]", "PAS", SyntaxAttri::PAS_Asm, 12},
    {"ASM", "[ASM]", "ASM", SyntaxAttri::ASM_Comment, 7},
    {"Batch", "[BAT]", "BAT", SyntaxAttri::BAT_Comment, 6},
};

// The language table and the attribute list must describe the same blocks.
constexpr bool languagesMatchAttributes()
{
    int next = 0;
    for (int l = 0; l < SyntaxLanguageCount; ++l) {
        if (int(kLanguages[l].First) != next)
            return false;
        for (int i = 0; i < kLanguages[l].Count; ++i) {
            if (kAttri[next + i].Language != SyntaxLanguage(l))
                return false;
        }
        next += kLanguages[l].Count;
    }
    return next == SyntaxAttriCount;
}
static_assert(languagesMatchAttributes());

const QHash<QString, SyntaxAttri> &keyIndex()
{
    static const QHash<QString, SyntaxAttri> index = [] {
        QHash<QString, SyntaxAttri> h;
        for (int i = 0; i < SyntaxAttriCount; ++i)
            h.insert(SyntaxAttriKey(SyntaxAttri(i)), SyntaxAttri(i));
        return h;
    }();
    return index;
}

} // namespace

const SyntaxLanguageInfo &SyntaxLanguageInfoOf(SyntaxLanguage language)
{
    return kLanguages[int(language)];
}

SyntaxLanguage FindSyntaxLanguage(QStringView item)
{
    for (int l = 0; l < SyntaxLanguageCount; ++l) {
        if (item == QLatin1String(kLanguages[l].Item))
            return SyntaxLanguage(l);
    }
    return SyntaxLanguage::Count;
}

SyntaxLanguage SyntaxAttriLanguage(SyntaxAttri attri)
{
    return kAttri[int(attri)].Language;
}

QString SyntaxAttriName(SyntaxAttri attri)
{
    return QLatin1String(kAttri[int(attri)].Name);
}

QString SyntaxAttriKey(SyntaxAttri attri)
{
    const AttriInfo &info = kAttri[int(attri)];
    return QLatin1String(kLanguages[int(info.Language)].Prefix) + QLatin1Char('.')
           + QLatin1String(info.Name) + QLatin1String("Attri");
}

SyntaxAttri FindSyntaxAttri(SyntaxLanguage language, QStringView name)
{
    if (language == SyntaxLanguage::Count)
        return SyntaxAttri::Count;
    const SyntaxLanguageInfo &info = kLanguages[int(language)];
    for (int i = int(info.First); i < int(info.First) + info.Count; ++i) {
        if (name == QLatin1String(kAttri[i].Name))
            return SyntaxAttri(i);
    }
    return SyntaxAttri::Count;
}

SyntaxAttri FindSyntaxAttriByKey(QStringView key)
{
    return keyIndex().value(key.toString(), SyntaxAttri::Count);
}

SyntaxColorModel::SyntaxColorModel(QObject *parent) : QObject(parent)
{
    // The multi-language highlighter's markers as it is set up: navy on a light
    // almond, the PHP marker bold.
    for (HighlighterAttribute &marker : m_marker) {
        marker.Foreground = 0x800000;
        marker.Background = 0xCDEBFF;
    }
    m_marker[Sch_PHP].Style = fsBold;
}

void SyntaxColorModel::touched()
{
    if (m_updateDepth > 0)
        m_pending = true;
    else
        emit changed();
}

void SyntaxColorModel::SetAttri(SyntaxAttri attri, const HighlighterAttribute &value)
{
    HighlighterAttribute &a = m_attri[size_t(attri)];
    HighlighterAttribute v = value;
    v.Style &= fsAllStyles;
    if (a == v)
        return;
    a = v;
    touched();
}

void SyntaxColorModel::SetForeground(SyntaxAttri attri, TColor color)
{
    HighlighterAttribute a = Attri(attri);
    a.Foreground = color;
    SetAttri(attri, a);
}

void SyntaxColorModel::SetBackground(SyntaxAttri attri, TColor color)
{
    HighlighterAttribute a = Attri(attri);
    a.Background = color;
    SetAttri(attri, a);
}

void SyntaxColorModel::SetStyle(SyntaxAttri attri, int style)
{
    HighlighterAttribute a = Attri(attri);
    a.Style = style;
    SetAttri(attri, a);
}

void SyntaxColorModel::SetMarkerForeground(int scheme, TColor color)
{
    TColor &c = m_marker[size_t(scheme)].Foreground;
    if (c == color)
        return;
    c = color;
    touched();
}

void SyntaxColorModel::SetMarkerBackground(int scheme, TColor color)
{
    TColor &c = m_marker[size_t(scheme)].Background;
    if (c == color)
        return;
    c = color;
    touched();
}

void SyntaxColorModel::SetGeneralBackColor(TColor color)
{
    if (m_generalBackColor == color)
        return;
    m_generalBackColor = color;
    touched();
}

void SyntaxColorModel::SetGutterBorderColor(TColor color)
{
    if (m_gutterBorderColor == color)
        return;
    m_gutterBorderColor = color;
    touched();
}

void SyntaxColorModel::SetGutterColor(TColor color)
{
    if (m_gutterColor == color)
        return;
    m_gutterColor = color;
    touched();
}

void SyntaxColorModel::SetThemeName(const QString &name)
{
    if (m_themeName == name)
        return;
    m_themeName = name;
    touched();
}

void SyntaxColorModel::BeginUpdate()
{
    ++m_updateDepth;
}

void SyntaxColorModel::EndUpdate()
{
    if (m_updateDepth == 0)
        return;
    if (--m_updateDepth == 0 && m_pending) {
        m_pending = false;
        emit changed();
    }
}
