// The optimizer's passes with the boxes taken from the input's first bytes: every run ends,
// the text a reader sees is kept, and characters that the ANSI code page cannot hold are
// neither made, changed nor dropped where nothing may drop them.
//
// Bytes 0-3: the check boxes (one bit each), the "fr"/empty language, whether the free
// replacement runs and whether only the size-reduction boxes count; byte 4: the DOCTYPE
// choice; byte 5: the lengths of "This:" and "To:", taken from the start of the text. The
// rest is the document, as UTF-8.
//
// The page is read here as a browser reads it, independently of the passes: the visible text
// (outside tags, comments and declarations, and outside script and style), and the content
// of pre, textarea, script and style, whose every blank counts. The tag pass changes tags
// only, and blanks where the size reduction may. With only the size-reduction boxes, the
// whole run leaves the visible text as a reader sees it (blanks collapsed) and the content
// of those four elements exactly as it was.
#include "FuzzSupport.h"

#include "tools/HtmlRewriting.h"
#include "util/DocumentText.h"

#include <bitset>

using namespace HtmlRewriting;
using O = OptimizerOptions;

namespace {

bool O::*const Boxes[] = {
    &O::CBDeclaration_Language, &O::CBSlash_MetaLink, &O::CBUnslash_MetaLink, &O::CBSlash_tags,
    &O::CBUnslash_tags, &O::CB_b_strong, &O::CB_i_em, &O::CB_u_del, &O::CB_strong_b, &O::CB_em_i, &O::CB_del_u,
    &O::CBLowerCase_Tags, &O::CBLowerCase_Attributes, &O::CBLowerCase_AttributesValue, &O::CBDelete_LineBreak13,
    &O::CBDelete_LineBreak10, &O::CBDelete_Tabs, &O::CBDelete_ExtraSpaces, &O::CBDelete_Comments,
    &O::CB_del_target, &O::CB_target_javascript, &O::CBDelete_Img_Border, &O::CBDelete_Table_Border,
    &O::CBIgnore_Scripts, &O::CBIgnore_PhpAsp, &O::CBDeleteHtmlTags,
};
constexpr int BoxCount = int(sizeof(Boxes) / sizeof(Boxes[0]));

// Whether the ANSI code page holds the UTF-16 code unit: it comes back from a round trip.
bool inAnsi(QChar c)
{
    static const std::bitset<0x10000> held = [] {
        std::bitset<0x10000> bits;
        for (int u = 0; u < 0x10000; ++u) {
            const QString one(1, QChar(char16_t(u)));
            QByteArray bytes;
            bits[size_t(u)] = DocumentText::EncodeText(one, DocumentText::Ansi, &bytes)
                              && DocumentText::DecodeText(bytes, DocumentText::Ansi) == one;
        }
        return bits;
    }();
    return held[c.unicode()];
}

QString outsideAnsi(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (!inAnsi(c))
            out += c;
    }
    return out;
}

bool isSubsequence(const QString &part, const QString &whole)
{
    qsizetype k = 0;
    for (const QChar c : whole) {
        if (k < part.size() && part.at(k) == c)
            ++k;
    }
    return k == part.size();
}

bool white(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

bool letter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// A page as a reader sees it: its visible text, and the content of each pre (its text),
// textarea, script and style element.
struct Reading {
    QString visible;
    QStringList exact;
    QString firstHtmlTag;
};

class Reader {
public:
    Reader(const QString &page, bool code) : t(page), n(page.size()), code(code) {}

    Reading read()
    {
        qsizetype i = 0;
        while (i < n) {
            if (t.at(i) != u'<' || i + 1 == n) {
                text(t.at(i++));
                continue;
            }
            const QChar d = t.at(i + 1);
            if (code && (d == u'?' || d == u'%'))
                i = after(t.indexOf(d == u'?' ? u"?>" : u"%>", i + 2), 2);
            else if (t.sliced(i).startsWith(u"<!--"))
                i = after(t.indexOf(u"-->", i + 2), 3);
            else if (t.sliced(i).startsWith(u"<!doctype", Qt::CaseInsensitive))
                i = doctype(i);
            else if (d == u'!' || d == u'?' || (d == u'/' && !(i + 2 < n && letter(t.at(i + 2)))))
                i = after(t.indexOf(u'>', i + 1), 1);
            else if (letter(d) || d == u'/')
                i = tag(i);
            else
                text(t.at(i++));
        }
        return r;
    }

private:
    void text(QChar c)
    {
        r.visible += c;
        if (pre > 0)
            r.exact.last() += c;
    }

    qsizetype after(qsizetype found, qsizetype length) const { return found < 0 ? n : found + length; }

    // The next character, or past a PHP/ASP block that starts here.
    qsizetype step(qsizetype j) const
    {
        if (code && j + 1 < n && t.at(j) == u'<' && (t.at(j + 1) == u'?' || t.at(j + 1) == u'%'))
            return after(t.indexOf(t.at(j + 1) == u'?' ? u"?>" : u"%>", j + 2), 2);
        return j + 1;
    }

    // Up to its first ">", or, for the first DOCTYPE before any element, past a bracketed
    // internal subset of declarations, processing instructions, comments and
    // parameter-entity references.
    qsizetype doctype(qsizetype i)
    {
        const qsizetype first = t.indexOf(u'>', i);
        if (first < 0)
            return n;
        qsizetype open = -1;
        QChar quote;
        const bool subset = elements == 0 && doctypes++ == 0;
        for (qsizetype j = i; subset && j < first && open < 0; ++j) {
            const QChar c = t.at(j);
            if (!quote.isNull() || c == u'"' || c == u'\'')
                quote = quote == c ? QChar() : quote.isNull() ? c : quote;
            else if (c == u'[')
                open = j;
        }
        for (qsizetype j = open + 1; open >= 0 && j < n;) {
            const QStringView rest = QStringView(t).sliced(j);
            qsizetype next = -1;
            if (white(t.at(j))) {
                next = j + 1;
            } else if (t.at(j) == u']') {
                for (next = j + 1; next < n && white(t.at(next));)
                    ++next;
                return next < n && t.at(next) == u'>' ? next + 1 : first + 1;
            } else if (rest.startsWith(u"<!--")) {
                next = t.indexOf(u"-->", j + 4);
                next = next < 0 ? -1 : next + 3;
            } else if (rest.startsWith(u"<?")) {
                next = t.indexOf(u"?>", j + 2);
                next = next < 0 ? -1 : next + 2;
            } else if (rest.startsWith(u"<!")) {
                QChar q;
                for (qsizetype k = j + 2; k < n && next < 0; ++k) {
                    if (!q.isNull() || t.at(k) == u'"' || t.at(k) == u'\'')
                        q = q == t.at(k) ? QChar() : q.isNull() ? t.at(k) : q;
                    else if (t.at(k) == u'>')
                        next = k + 1;
                }
            } else if (t.at(j) == u'%') {
                qsizetype k = j + 1;
                while (k < n && t.at(k) != u';' && !white(t.at(k)) && t.at(k) != u'<' && t.at(k) != u']')
                    ++k;
                next = k < n && k > j + 1 && t.at(k) == u';' ? k + 1 : -1;
            }
            if (next < 0)
                break;
            j = next;
        }
        return first + 1;
    }

    // Attributes as a browser reads them: a name (its first character whatever it is),
    // then maybe "=" and a value, quoted only when it begins with a quote.
    qsizetype tag(qsizetype i)
    {
        const bool end = t.at(i + 1) == u'/';
        qsizetype j = end ? i + 2 : i + 1;
        const qsizetype nameStart = j;
        while (j < n && !white(t.at(j)) && t.at(j) != u'/' && t.at(j) != u'>')
            j = step(j);
        const QString name = t.sliced(nameStart, qMin(j, n) - nameStart).toLower();
        ++elements;
        for (;;) {
            while (j < n && (white(t.at(j)) || t.at(j) == u'/'))
                ++j;
            if (j >= n)
                return n;
            if (t.at(j) == u'>')
                break;
            j = step(j);
            while (j < n && !white(t.at(j)) && t.at(j) != u'/' && t.at(j) != u'>' && t.at(j) != u'=')
                j = step(j);
            while (j < n && white(t.at(j)))
                ++j;
            if (j >= n || t.at(j) != u'=')
                continue;
            ++j;
            while (j < n && white(t.at(j)))
                ++j;
            if (j < n && (t.at(j) == u'"' || t.at(j) == u'\'')) {
                const QChar quote = t.at(j);
                for (j = j + 1; j < n && t.at(j) != quote;)
                    j = step(j);
                j = qMin(j + 1, n);
            } else {
                while (j < n && !white(t.at(j)) && t.at(j) != u'>')
                    j = step(j);
            }
        }
        ++j;
        if (name == u"html" && !end && r.firstHtmlTag.isEmpty())
            r.firstHtmlTag = t.sliced(i, j - i);
        if (name == u"pre") {
            if (!end && pre++ == 0)
                r.exact << QString();
            else if (end && pre > 0)
                --pre;
        }
        const bool raw = name == u"script" || name == u"style" || name == u"textarea" || name == u"title";
        if (end || !raw)
            return j;
        // Up to the end tag: text (textarea, title) or code (script, style), never tags.
        qsizetype close = j;
        for (;; ++close) {
            close = t.indexOf(QStringLiteral("</") + name, close, Qt::CaseInsensitive);
            const qsizetype past = close + name.size() + 2;
            if (close < 0 || past >= n || white(t.at(past)) || t.at(past) == u'/' || t.at(past) == u'>')
                break;
        }
        const QString content = t.sliced(j, (close < 0 ? n : close) - j);
        if (name != u"title")
            r.exact << content;
        if (name == u"textarea" || name == u"title")
            r.visible += content;
        return close < 0 ? n : close;
    }

    const QString &t;
    const qsizetype n;
    const bool code;
    int pre = 0;
    int elements = 0;
    int doctypes = 0;
    Reading r;
};

// Blanks as a reader sees them: a run is one blank, and none at the ends.
QString collapsed(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (!white(c))
            out += c;
        else if (!out.isEmpty() && out.back() != u' ')
            out += u' ';
    }
    if (out.endsWith(u' '))
        out.chop(1);
    return out;
}

bool O::*const SizeBoxes[] = {&O::CBDelete_LineBreak13, &O::CBDelete_LineBreak10, &O::CBDelete_Tabs,
                              &O::CBDelete_ExtraSpaces, &O::CBDelete_Comments};
bool O::*const FreeBoxes[] = {&O::CBDeclaration_Language, &O::CBIgnore_Scripts, &O::CBIgnore_PhpAsp};

// Only the size-reduction boxes, the language and the ignore boxes keep their state.
O sizeOnly(const O &o)
{
    O only;
    for (bool O::*box : Boxes)
        only.*box = false;
    for (bool O::*box : SizeBoxes)
        only.*box = o.*box;
    for (bool O::*box : FreeBoxes)
        only.*box = o.*box;
    only.dtd = o.dtd;
    only.EditDeclaration_Language = o.EditDeclaration_Language;
    return only;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    uint32_t bits = 0;
    for (int k = 0; k < 4; ++k)
        bits |= uint32_t(FuzzTakeByte(data, size)) << (8 * k);
    O o;
    for (int k = 0; k < BoxCount; ++k)
        o.*Boxes[k] = bits & (1u << k);
    o.EditDeclaration_Language = bits & (1u << BoxCount) ? QString() : QStringLiteral("fr");
    const bool replacement = bits & (1u << (BoxCount + 1));
    const bool sizeBoxesOnly = bits & (1u << (BoxCount + 2));
    if (sizeBoxesOnly)
        o = sizeOnly(o);
    o.dtd = Dtd(FuzzTakeByte(data, size) % 9);
    const uint8_t lengths = FuzzTakeByte(data, size);
    const QString text = QString::fromUtf8(FuzzBytes(data, size));
    if (replacement && !sizeBoxesOnly) {
        o.StartingWith = text.left(lengths & 7);
        o.EndingWith = text.mid(lengths & 7, lengths >> 4);
    }

    // The tag pass: visible text stays, but for the blanks that the size reduction may take
    // (never all of a run between two words); the content of pre, textarea, script and style
    // stays exactly. It neither makes nor changes characters outside the code page, and only
    // the attribute deletions drop any.
    const Reading page = Reader(text, o.CBIgnore_PhpAsp).read();
    const QString tagged = ProcessText(text, o);
    const Reading taggedPage = Reader(tagged, o.CBIgnore_PhpAsp).read();
    const bool reduces = o.CBDelete_LineBreak13 || o.CBDelete_LineBreak10 || o.CBDelete_Tabs || o.CBDelete_ExtraSpaces;
    if (reduces)
        FUZZ_CHECK_TEXT(collapsed(taggedPage.visible), collapsed(page.visible));
    else
        FUZZ_CHECK_TEXT(taggedPage.visible, page.visible);
    FUZZ_CHECK(taggedPage.exact == page.exact);
    const bool deletesAttributes =
        o.CB_del_target || o.CB_target_javascript || o.CBDelete_Img_Border || o.CBDelete_Table_Border;
    if (deletesAttributes)
        FUZZ_CHECK(isSubsequence(outsideAnsi(tagged), outsideAnsi(text)));
    else
        FUZZ_CHECK_TEXT(outsideAnsi(tagged), outsideAnsi(text));

    // The whole run, every pass. With only the size-reduction boxes, a reader sees the same
    // page. Without the free replacement, what it holds outside the code page comes from the
    // document, in its order, but for the old html start tag's attributes, which move to the
    // head; and when there is no old DOCTYPE or html start tag (looked for after the tag pass),
    // no comment deletion and no tag deletion, it is the tag pass's text under the new head.
    const QString optimized = OptimizeText(text, o);
    bool onlySize = o.StartingWith.isEmpty() || o.EndingWith.isEmpty();
    for (bool O::*box : Boxes)
        onlySize = onlySize && o.*box == sizeOnly(o).*box;
    if (onlySize) {
        const Reading result = Reader(optimized, o.CBIgnore_PhpAsp).read();
        FUZZ_CHECK_TEXT(collapsed(result.visible), collapsed(page.visible));
        FUZZ_CHECK(result.exact == page.exact);
    }
    if (o.StartingWith.isEmpty() || o.EndingWith.isEmpty()) {
        FUZZ_CHECK(isSubsequence(outsideAnsi(optimized), outsideAnsi(taggedPage.firstHtmlTag + text)));
        const bool oldHead =
            tagged.contains(u"<!doctype", Qt::CaseInsensitive) || tagged.contains(u"<html", Qt::CaseInsensitive);
        if (!oldHead && !o.CBDelete_Comments && !o.CBDeleteHtmlTags)
            FUZZ_CHECK(optimized.endsWith(tagged));
    }
    return 0;
}
