#pragma once
// The colour model that every editor follows: the ten highlighted languages with
// their 106 named attributes, the three language markers of the multi-language
// highlighter, the common colours and the name of the current theme.
#include "util/VelKandrixUtils.h"

#include <QObject>
#include <QString>
#include <QStringView>
#include <array>

// Languages in the order of the language list and of the theme file.
enum class SyntaxLanguage : int { HTML, JS, PHP, CSS, XML, SQL, CPP, PAS, ASM, BAT, Count };
constexpr int SyntaxLanguageCount = int(SyntaxLanguage::Count);

// X(language key prefix, attribute name), in theme-file order.
#define VK_SYNTAX_ATTRIBUTES(X)                                                                   \
    X(HTML, And) X(HTML, Comment) X(HTML, Identifier) X(HTML, Key) X(HTML, Space)                 \
    X(HTML, Symbol) X(HTML, Text) X(HTML, UndefKey) X(HTML, Value)                                \
    X(JS, Comment) X(JS, Event) X(JS, Identifier) X(JS, Key) X(JS, NonReservedKey) X(JS, Number)  \
    X(JS, Space) X(JS, String) X(JS, Symbol)                                                      \
    X(PHP, Comment) X(PHP, Identifier) X(PHP, Key) X(PHP, Number) X(PHP, Space) X(PHP, String)    \
    X(PHP, Symbol) X(PHP, Variable)                                                               \
    X(CSS, Color) X(CSS, Comment) X(CSS, Key) X(CSS, Number) X(CSS, Property) X(CSS, Space)       \
    X(CSS, String) X(CSS, Symbol) X(CSS, Text) X(CSS, UndefProperty) X(CSS, Value)                \
    X(XML, Attribute) X(XML, AttributeValue) X(XML, CDATA) X(XML, Comment) X(XML, DocType)        \
    X(XML, Element) X(XML, EntityRef) X(XML, NamespaceAttribute) X(XML, NamespaceAttributeValue)  \
    X(XML, ProcessingInstruction) X(XML, Space) X(XML, Symbol) X(XML, Text)                       \
    X(SQL, Comment) X(SQL, ConditionalComment) X(SQL, DataType) X(SQL, DefaultPackage)            \
    X(SQL, DelimitedIdentifier) X(SQL, Exception) X(SQL, Function) X(SQL, Identifier)             \
    X(SQL, Key) X(SQL, Number) X(SQL, PLSQL) X(SQL, Space) X(SQL, SQLPlus) X(SQL, String)         \
    X(SQL, Symbol) X(SQL, TableName) X(SQL, Variable)                                             \
    X(CPP, Asm) X(CPP, Char) X(CPP, Comment) X(CPP, Direc) X(CPP, Float) X(CPP, Hex)              \
    X(CPP, Identifier) X(CPP, Invalid) X(CPP, Key) X(CPP, Number) X(CPP, Octal) X(CPP, Space)     \
    X(CPP, String) X(CPP, Symbol)                                                                 \
    X(PAS, Asm) X(PAS, Char) X(PAS, Comment) X(PAS, Directive) X(PAS, Float) X(PAS, Hex)          \
    X(PAS, Identifier) X(PAS, Key) X(PAS, Number) X(PAS, Space) X(PAS, String) X(PAS, Symbol)     \
    X(ASM, Comment) X(ASM, Identifier) X(ASM, Key) X(ASM, Number) X(ASM, Space) X(ASM, String)    \
    X(ASM, Symbol)                                                                                \
    X(BAT, Comment) X(BAT, Identifier) X(BAT, Key) X(BAT, Number) X(BAT, Space) X(BAT, Variable)

// One value per attribute, named <prefix>_<name> (HTML_And ... BAT_Variable); the value is
// the attribute's index in theme-file order, so lexers can index arrays with it.
enum class SyntaxAttri : int {
#define VK_SYNTAX_ATTRI_ENUM(lang, name) lang##_##name,
    VK_SYNTAX_ATTRIBUTES(VK_SYNTAX_ATTRI_ENUM)
#undef VK_SYNTAX_ATTRI_ENUM
    Count
};
constexpr int SyntaxAttriCount = int(SyntaxAttri::Count);
static_assert(SyntaxAttriCount == 106, "the theme file has 106 attribute lines");

struct SyntaxLanguageInfo {
    const char *Item;    // entry of the language list: "HTML", "Javascript", ...
    const char *Section; // section header of the theme file: "[HTML]", "[JS]", ...
    const char *Prefix;  // key prefix without its dot: "HTML", "JS", ...
    SyntaxAttri First;   // first attribute of the language
    int Count;           // number of its attributes
};

const SyntaxLanguageInfo &SyntaxLanguageInfoOf(SyntaxLanguage language);
// The language whose list entry equals the text exactly; Count when none does.
SyntaxLanguage FindSyntaxLanguage(QStringView item);

SyntaxLanguage SyntaxAttriLanguage(SyntaxAttri attri);
// Display name: "And", "UndefKey", "NamespaceAttributeValue", ...
QString SyntaxAttriName(SyntaxAttri attri);
// Theme-file key: "HTML.AndAttri", "CPP.DirecAttri", ...
QString SyntaxAttriKey(SyntaxAttri attri);
// The attribute of the language whose display name equals the text exactly; Count when none.
SyntaxAttri FindSyntaxAttri(SyntaxLanguage language, QStringView name);
// The attribute whose theme-file key equals the text exactly; Count when none.
SyntaxAttri FindSyntaxAttriByKey(QStringView key);

// Font style bits of an attribute.
enum FontStyleBit : int { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
constexpr int fsAllStyles = fsBold | fsItalic | fsUnderline | fsStrikeOut;

struct HighlighterAttribute {
    TColor Foreground = clNone;
    TColor Background = clNone;
    int Style = 0;

    bool operator==(const HighlighterAttribute &other) const
    {
        return Foreground == other.Foreground && Background == other.Background
               && Style == other.Style;
    }
    bool operator!=(const HighlighterAttribute &other) const { return !(*this == other); }
};

// Schemes of the multi-language highlighter, by number.
enum SchemeNumber : int { Sch_Javascript = 0, Sch_CSS = 1, Sch_PHP = 2 };
constexpr int SchemeCount = 3;

// The shared model. Every setter that changes a value notifies through changed(); inside an
// update bracket the notification is held back and sent once when the outermost bracket closes.
class SyntaxColorModel : public QObject {
    Q_OBJECT
public:
    explicit SyntaxColorModel(QObject *parent = nullptr);

    const HighlighterAttribute &Attri(SyntaxAttri attri) const { return m_attri[size_t(attri)]; }
    void SetAttri(SyntaxAttri attri, const HighlighterAttribute &value);
    void SetForeground(SyntaxAttri attri, TColor color);
    void SetBackground(SyntaxAttri attri, TColor color);
    void SetStyle(SyntaxAttri attri, int style);

    // Marker attribute of a scheme (0 to 2). The marker's style is not part of a theme: the
    // PHP marker is bold from the start and stays so.
    const HighlighterAttribute &MarkerAttri(int scheme) const { return m_marker[size_t(scheme)]; }
    void SetMarkerForeground(int scheme, TColor color);
    void SetMarkerBackground(int scheme, TColor color);

    TColor GeneralBackColor() const { return m_generalBackColor; }
    void SetGeneralBackColor(TColor color);
    TColor GutterBorderColor() const { return m_gutterBorderColor; }
    void SetGutterBorderColor(TColor color);
    TColor GutterColor() const { return m_gutterColor; }
    void SetGutterColor(TColor color);
    QString ThemeName() const { return m_themeName; }
    void SetThemeName(const QString &name);

    // Update bracket; brackets nest. Prefer SyntaxColorUpdate, which closes on every exit.
    void BeginUpdate();
    void EndUpdate();
    bool IsUpdating() const { return m_updateDepth > 0; }

signals:
    void changed();

private:
    void touched();

    std::array<HighlighterAttribute, SyntaxAttriCount> m_attri;
    std::array<HighlighterAttribute, SchemeCount> m_marker;
    TColor m_generalBackColor = clNone;
    TColor m_gutterBorderColor = clNone;
    TColor m_gutterColor = clNone;
    QString m_themeName;
    int m_updateDepth = 0;
    bool m_pending = false;
};

// Holds a model's update bracket open for one scope, exceptions included.
class SyntaxColorUpdate {
public:
    explicit SyntaxColorUpdate(SyntaxColorModel &model) : m_model(model) { m_model.BeginUpdate(); }
    ~SyntaxColorUpdate() { m_model.EndUpdate(); }
    SyntaxColorUpdate(const SyntaxColorUpdate &) = delete;
    SyntaxColorUpdate &operator=(const SyntaxColorUpdate &) = delete;

private:
    SyntaxColorModel &m_model;
};
