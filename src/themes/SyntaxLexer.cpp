#include "themes/SyntaxLexer.h"

#include "themes/SyntaxPaintColors.h"
#include "themes/SyntaxScanners.h"
#include "themes/SyntaxStyles.h"

#include <Qsci/qsciscintilla.h>

#include <QGuiApplication>
#include <QPalette>
#include <cstring>

namespace {

struct KindInfo {
    const char *Name;
    SyntaxScan::LineScanner Scanner;
    SyntaxLanguage Languages[4];
    int LanguageCount;
    bool Markers;
};

const KindInfo &kindInfo(SyntaxLexerKind kind)
{
    using L = SyntaxLanguage;
    using namespace SyntaxScan;
    static const KindInfo kinds[] = {
        {"HTML", MultiLine, {L::HTML, L::JS, L::PHP, L::CSS}, 4, true},
        {"HTML", HtmlLine, {L::HTML}, 1, false},
        {"CSS", CssLine, {L::CSS}, 1, false},
        {"JavaScript", JsLine, {L::JS}, 1, false},
        {"PHP", PhpLine, {L::PHP}, 1, false},
        {"XML", XmlLine, {L::XML}, 1, false},
        {"Batch", BatLine, {L::BAT}, 1, false},
        {"C++", CppLine, {L::CPP}, 1, false},
        {"Pascal", PasLine, {L::PAS}, 1, false},
        {"ASM", AsmLine, {L::ASM}, 1, false},
        {"SQL", SqlLine, {L::SQL}, 1, false},
    };
    return kinds[int(kind)];
}

// End of the line starting at pos: after its LF, CR LF or CR, or len.
int lineEnd(const char *text, int pos, int len)
{
    const void *lf = std::memchr(text + pos, '\n', size_t(len - pos));
    const int end = lf ? int(static_cast<const char *>(lf) - text) : len;
    const void *cr = std::memchr(text + pos, '\r', size_t(end - pos));
    if (cr) {
        const int at = int(static_cast<const char *>(cr) - text);
        return at + 1 < len && text[at + 1] == '\n' ? at + 2 : at + 1;
    }
    return lf ? end + 1 : len;
}

} // namespace

SyntaxLexer::SyntaxLexer(SyntaxLexerKind kind, SyntaxColorModel *model, QObject *parent)
    : QsciLexerCustom(parent), m_kind(kind), m_model(model)
{
    const KindInfo &info = kindInfo(kind);
    for (int n = 0; n < info.LanguageCount; ++n) {
        const SyntaxLanguageInfo &l = SyntaxLanguageInfoOf(info.Languages[n]);
        for (int i = 0; i < l.Count; ++i)
            m_uses[size_t(SyntaxStyleOf(SyntaxAttri(int(l.First) + i)))] = true;
    }
    if (info.Markers) {
        for (int scheme = 0; scheme < SchemeCount; ++scheme)
            m_uses[size_t(SyntaxMarkerStyle(scheme))] = true;
    }
    m_baseFont = QsciLexer::defaultFont();
    setDefaultPaper(generalPaper());
    setDefaultColor(generalText());
    if (model)
        connect(model, &SyntaxColorModel::changed, this, &SyntaxLexer::refreshStyles);
}

SyntaxLexer::~SyntaxLexer() = default;

bool SyntaxLexer::usesStyle(int style) const
{
    return style >= 0 && style < int(m_uses.size()) && m_uses[size_t(style)];
}

const char *SyntaxLexer::language() const
{
    return kindInfo(m_kind).Name;
}

QString SyntaxLexer::description(int style) const
{
    if (!usesStyle(style))
        return QString();
    const int scheme = SyntaxMarkerOfStyle(style);
    if (scheme >= 0) {
        static const char *const names[SchemeCount] = {"Javascript marker", "CSS marker", "PHP marker"};
        return QLatin1String(names[scheme]);
    }
    return SyntaxAttriKey(SyntaxAttriOfStyle(style));
}

const HighlighterAttribute *SyntaxLexer::attributeOf(int style) const
{
    if (!m_model)
        return nullptr;
    const int scheme = SyntaxMarkerOfStyle(style);
    if (scheme >= 0)
        return &m_model->MarkerAttri(scheme);
    const SyntaxAttri attri = SyntaxAttriOfStyle(style);
    return attri == SyntaxAttri::Count ? nullptr : &m_model->Attri(attri);
}

QPalette SyntaxLexer::palette() const
{
    return editor() ? editor()->palette() : QGuiApplication::palette();
}

QColor SyntaxLexer::generalPaper() const
{
    // The empty area takes the background of the main language's whitespace; the common
    // background of the model reaches the editors only through the attributes.
    const QPalette pal = palette();
    const QColor base = pal.color(QPalette::Active, QPalette::Base);
    if (!m_model)
        return base;
    const SyntaxAttri space = FindSyntaxAttri(kindInfo(m_kind).Languages[0], u"Space");
    return AttributeBackColor(m_model->Attri(space), base, pal);
}

QColor SyntaxLexer::generalText() const
{
    return AttributeTextColor({clWindowText, clNone, 0}, generalPaper(), palette());
}

QColor SyntaxLexer::color(int style) const
{
    const HighlighterAttribute *attri = attributeOf(style);
    return attri ? AttributeTextColor(*attri, generalPaper(), palette()) : generalText();
}

QColor SyntaxLexer::paper(int style) const
{
    const HighlighterAttribute *attri = attributeOf(style);
    return attri ? AttributeBackColor(*attri, generalPaper(), palette()) : generalPaper();
}

QFont SyntaxLexer::font(int style) const
{
    QFont f = m_baseFont;
    const HighlighterAttribute *attri = attributeOf(style);
    const int bits = attri ? attri->Style : 0;
    f.setBold((bits & fsBold) != 0);
    f.setItalic((bits & fsItalic) != 0);
    f.setUnderline((bits & fsUnderline) != 0);
    f.setStrikeOut((bits & fsStrikeOut) != 0);
    return f;
}

bool SyntaxLexer::eolFill(int) const
{
    return false;
}

void SyntaxLexer::setEditor(QsciScintilla *editor)
{
    QsciLexerCustom::setEditor(editor);
    // The editor takes every style from the lexer when it installs it.
    for (Applied &applied : m_applied)
        applied.Valid = false;
    m_lineStates.clear();
    m_knownLines = 0;
    // A caret that stays visible on a dark background.
    if (editor)
        editor->setCaretForegroundColor(generalText());
}

void SyntaxLexer::setFont(const QFont &font, int)
{
    m_baseFont = font;
    for (int style = 0; style < int(m_uses.size()); ++style) {
        if (!usesStyle(style))
            continue;
        const QFont f = this->font(style);
        m_applied[size_t(style)].Font = f;
        emit fontChanged(f, style);
    }
}

void SyntaxLexer::refreshStyles()
{
    const QColor paper = generalPaper();
    const QColor text = generalText();
    if (defaultPaper() != paper)
        setDefaultPaper(paper);
    if (defaultColor() != text)
        setDefaultColor(text);
    for (int style = 0; style < int(m_uses.size()); ++style) {
        if (!usesStyle(style))
            continue;
        Applied &applied = m_applied[size_t(style)];
        const QColor fore = color(style);
        const QColor back = this->paper(style);
        const QFont f = font(style);
        if (!applied.Valid || applied.Fore != fore)
            emit colorChanged(fore, style);
        if (!applied.Valid || applied.Back != back)
            emit paperChanged(back, style);
        if (!applied.Valid || applied.Font != f)
            emit fontChanged(f, style);
        applied = {true, fore, back, f};
    }
    if (QsciScintilla *ed = editor())
        ed->setCaretForegroundColor(text);
}

void SyntaxLexer::styleText(int start, int end)
{
    QsciScintilla *ed = editor();
    if (!ed)
        return;
    using Base = QsciScintillaBase;
    const int length = int(ed->SendScintilla(Base::SCI_GETLENGTH));
    end = qMin(end, length);
    int line = int(ed->SendScintilla(Base::SCI_LINEFROMPOSITION, start));
    if (line > m_knownLines) {
        // Text styled before this lexer came (or by someone else): its line states are
        // unknown, so start where they end.
        line = m_knownLines;
        start = int(ed->SendScintilla(Base::SCI_POSITIONFROMLINE, line));
    }
    if (start >= end)
        return;
    // Whole lines only: the scanners keep their state from one line end to the next.
    const int lastLine = int(ed->SendScintilla(Base::SCI_LINEFROMPOSITION, end));
    if (end > int(ed->SendScintilla(Base::SCI_POSITIONFROMLINE, lastLine))) {
        const int next = int(ed->SendScintilla(Base::SCI_POSITIONFROMLINE, lastLine + 1));
        end = next < 0 || next > length ? length : next;
    }
    const int len = end - start;
    const char *text =
        reinterpret_cast<const char *>(ed->SendScintilla(Base::SCI_GETRANGEPOINTER, start, len));
    if (!text)
        return;
    if (m_styles.size() < size_t(len))
        m_styles.resize(size_t(len));
    quint8 *st = m_styles.data();

    const size_t lineCount = size_t(ed->SendScintilla(Base::SCI_GETLINECOUNT));
    if (m_lineStates.size() < lineCount)
        m_lineStates.resize(lineCount);
    int state = line > 0 ? m_lineStates[size_t(line - 1)] : 0;
    const SyntaxScan::LineScanner scan = kindInfo(m_kind).Scanner;
    for (int pos = 0; pos < len; ++line) {
        const int next = lineEnd(text, pos, len);
        state = scan(text, pos, next, state, st);
        m_lineStates[size_t(line)] = state;
        pos = next;
    }
    m_knownLines = qMax(m_knownLines, line);
    startStyling(start);
    ed->SendScintilla(Base::SCI_SETSTYLINGEX, static_cast<unsigned long>(len),
                      reinterpret_cast<const char *>(st));
}
