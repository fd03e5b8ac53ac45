#include "tools/HtmlRewriting.h"

#include <QStringDecoder>
#include <array>

namespace HtmlRewriting {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

bool isAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

char16_t asciiLower(char16_t u)
{
    return (u >= u'A' && u <= u'Z') ? char16_t(u + 32) : u;
}

// The markers and names searched for are ASCII, and no character of the ANSI code
// page lower-cases to ASCII, so an ASCII comparison is the locale's comparison.
bool matchesAt(const QString &text, int at, QStringView pattern)
{
    if (at < 0 || at + pattern.size() > text.size())
        return false;
    for (int k = 0; k < pattern.size(); ++k) {
        if (asciiLower(text.at(at + k).unicode()) != asciiLower(pattern.at(k).unicode()))
            return false;
    }
    return true;
}

int findNoCase(const QString &text, QStringView pattern, int from = 0)
{
    if (pattern.isEmpty())
        return from;
    const char16_t first = asciiLower(pattern.at(0).unicode());
    const int last = int(text.size() - pattern.size());
    for (int i = qMax(0, from); i <= last; ++i) {
        if (asciiLower(text.at(i).unicode()) == first && matchesAt(text, i, pattern))
            return i;
    }
    return -1;
}

bool containsNoCase(const QString &text, QStringView pattern)
{
    return findNoCase(text, pattern) >= 0;
}

bool equalsNoCase(const QString &text, QStringView pattern)
{
    return text.size() == pattern.size() && matchesAt(text, 0, pattern);
}

// The element name of a tag ("<B class=x>" and "</b>" give "b"), lower case; empty
// for comments, declarations and processing instructions.
QString tagName(const QString &tag, bool *endTag = nullptr)
{
    int i = 1;
    const bool end = i < tag.size() && tag.at(i) == u'/';
    if (end)
        ++i;
    if (endTag)
        *endTag = end;
    if (i >= tag.size() || !isAsciiLetter(tag.at(i)))
        return QString();
    const int start = i;
    while (i < tag.size() && !isBlank(tag.at(i)) && tag.at(i) != u'>' && tag.at(i) != u'/' && !isQuote(tag.at(i)))
        ++i;
    QString name = tag.mid(start, i - start);
    for (QChar &c : name)
        c = QChar(asciiLower(c.unicode()));
    return name;
}

bool isElementTag(const QString &tag)
{
    return !tagName(tag).isEmpty();
}

bool hasPhpAspMarker(const QString &tag)
{
    for (int i = 0; i + 1 < tag.size(); ++i) {
        const QChar a = tag.at(i), b = tag.at(i + 1);
        if ((a == u'<' && (b == u'?' || b == u'%')) || ((a == u'?' || a == u'%') && b == u'>'))
            return true;
    }
    return false;
}

// The end of the PHP or ASP block that starts at `at` ("<?" or "<%"): the index after
// its closing marker, or -1 when it is never closed.
int phpAspBlockEnd(const QString &text, int at)
{
    const QStringView close = text.at(at + 1) == u'?' ? QStringView(u"?>") : QStringView(u"%>");
    const int found = int(text.indexOf(close, at + 2));
    return found < 0 ? -1 : found + 2;
}

bool startsPhpAspBlock(const QString &text, int at)
{
    return at + 1 < text.size() && text.at(at) == u'<' && (text.at(at + 1) == u'?' || text.at(at + 1) == u'%');
}

// The "<" of the script's end tag at or after `from`, or the text's length.
int scriptEnd(const QString &text, int from)
{
    for (int at = findNoCase(text, u"</script", from); at >= 0; at = findNoCase(text, u"</script", at + 1)) {
        const int after = at + 8;
        if (after >= text.size() || isBlank(text.at(after)) || text.at(after) == u'>' || text.at(after) == u'/')
            return at;
    }
    return int(text.size());
}

// One pass of the line-break rule over the piece: each break after a closing
// double quote, a letter or ! , . : ; ? becomes a blank, any other is deleted, and
// the character that a deletion moves into place is not looked at in this pass.
QString breakPass(const QString &piece, QChar lineBreak)
{
    QString out;
    out.reserve(piece.size());
    bool inQuote = false;
    const int n = int(piece.size());
    for (int k = 0; k < n; ++k) {
        const QChar c = piece.at(k);
        const QChar before = out.isEmpty() ? QChar() : out.back();
        if (before == u'"')
            inQuote = !inQuote;
        if (c != lineBreak) {
            out += c;
            continue;
        }
        const bool closedQuote = before == u'"' && !inQuote;
        const bool keepsBlank = isAsciiLetter(before) || QStringView(u"!,.:;?").contains(before);
        if (closedQuote || keepsBlank) {
            out += u' ';
        } else if (k + 1 < n) {
            out += piece.at(++k);
        }
    }
    return out;
}

QString deleteLineBreaks(QString piece, QChar lineBreak)
{
    while (piece.contains(lineBreak))
        piece = breakPass(piece, lineBreak);
    return piece;
}

QString collapseBlanks(const QString &piece)
{
    QString out;
    out.reserve(piece.size());
    for (const QChar c : piece) {
        if (c == u' ' && !out.isEmpty() && out.back() == u' ')
            continue;
        out += c;
    }
    return out;
}

// An attribute found in a tag: its name's first character through its value's end.
struct Span {
    int start = -1;
    int end = -1;
};

// Finds the attribute `name` (without "=") among the tag's attributes that have a
// value. Names are whole names, and quoted values are skipped, so "data-target="
// or a value holding "target=" never match "target".
// The search starts at `from`, a place between attributes, or after the tag's name.
Span findAttribute(const QString &tag, QStringView name, int from = -1)
{
    const int n = int(tag.size());
    int i = from;
    if (i < 0) {
        i = 1;
        if (i < n && tag.at(i) == u'/')
            ++i;
        while (i < n && !isBlank(tag.at(i)) && tag.at(i) != u'>' && !isQuote(tag.at(i)))
            ++i;
    }
    while (i < n) {
        const QChar c = tag.at(i);
        if (isBlank(c) || c == u'>' || c == u'/' || c == u'=') {
            ++i;
            continue;
        }
        if (isQuote(c)) {
            const int close = int(tag.indexOf(c, i + 1));
            i = close < 0 ? n : close + 1;
            continue;
        }
        const int nameStart = i;
        while (i < n && !isBlank(tag.at(i)) && tag.at(i) != u'=' && tag.at(i) != u'>' && !isQuote(tag.at(i))
               && !(tag.at(i) == u'/' && i + 1 < n && tag.at(i + 1) == u'>'))
            ++i;
        const int nameEnd = i;
        int j = i;
        while (j < n && isBlank(tag.at(j)))
            ++j;
        if (j >= n || tag.at(j) != u'=')
            continue;
        ++j;
        while (j < n && isBlank(tag.at(j)))
            ++j;
        int valueEnd = j;
        if (j < n && isQuote(tag.at(j))) {
            const int close = int(tag.indexOf(tag.at(j), j + 1));
            if (close >= 0) {
                valueEnd = close + 1;
            } else {
                // An unclosed value runs to the tag's end.
                valueEnd = n;
                while (valueEnd > j + 1 && (tag.at(valueEnd - 1) == u'>' || tag.at(valueEnd - 1) == u'/'))
                    --valueEnd;
            }
        } else {
            while (valueEnd < n && !isBlank(tag.at(valueEnd)) && tag.at(valueEnd) != u'>')
                ++valueEnd;
            if (valueEnd > j && tag.at(valueEnd - 1) == u'/' && valueEnd < n && tag.at(valueEnd) == u'>')
                --valueEnd;
        }
        if (nameEnd - nameStart == name.size() && matchesAt(tag, nameStart, name))
            return Span{nameStart, valueEnd};
        i = valueEnd;
    }
    return Span{};
}

QStringView withoutEquals(const QString &name)
{
    QStringView view(name);
    return view.endsWith(u'=') ? view.chopped(1) : view;
}

// Start tags of the swap pairs: each rule turns one bare start tag into another,
// in this order, so with both boxes of a pair "<b>" ends as "<b>".
struct Swap {
    bool OptimizerOptions::*box;
    const char16_t *from;
    const char16_t *to;
    const char16_t *element;
};

const Swap Swaps[] = {
    {&OptimizerOptions::CB_b_strong, u"<b>", u"<strong>", u"strong"},
    {&OptimizerOptions::CB_strong_b, u"<strong>", u"<b>", u"b"},
    {&OptimizerOptions::CB_i_em, u"<i>", u"<em>", u"em"},
    {&OptimizerOptions::CB_em_i, u"<em>", u"<i>", u"i"},
    {&OptimizerOptions::CB_u_del, u"<u>", u"<del class=\"u\">", u"del"},
    {&OptimizerOptions::CB_del_u, u"<del class=\"u\">", u"<u>", u"u"},
};

bool anySwap(const OptimizerOptions &o)
{
    for (const Swap &swap : Swaps) {
        if (o.*(swap.box))
            return true;
    }
    return false;
}

bool isSwapElement(const QString &name)
{
    return name == u"b" || name == u"strong" || name == u"i" || name == u"em" || name == u"u" || name == u"del";
}

QString swapTags(const QString &tag, const OptimizerOptions &o, TagSwapState *swaps)
{
    bool endTag = false;
    const QString name = tagName(tag, &endTag);
    if (!isSwapElement(name) || tag.endsWith(u"/>"))
        return tag;
    if (endTag) {
        if (!swaps)
            return tag;
        QStringList &open = swaps->open[name];
        if (open.isEmpty())
            return tag;
        const QString becomes = open.takeLast();
        // Only the name changes: what follows it in the tag stays.
        return becomes.isEmpty() ? tag : QStringLiteral("</") + becomes + tag.mid(2 + name.size());
    }
    QString result = tag;
    QString becomes;
    for (const Swap &swap : Swaps) {
        if (o.*(swap.box) && equalsNoCase(result, QStringView(swap.from))) {
            result = QString::fromUtf16(swap.to);
            becomes = QString::fromUtf16(swap.element);
        }
    }
    if (swaps)
        swaps->open[name].append(becomes);
    return result;
}

// "<x>" becomes "<x />".
QString slashed(const QString &tag)
{
    return tag.chopped(1) + QStringLiteral(" />");
}

// "<x />" and "<x/>" become "<x>".
QString unslashed(const QString &tag)
{
    QString result = tag.chopped(2) + u'>';
    if (result.endsWith(u" >"))
        result.remove(result.size() - 2, 1);
    return result;
}

QString emptyElements(QString tag, const QString &name, const OptimizerOptions &o)
{
    if (o.CBSlash_tags && equalsNoCase(tag, u"<br>"))
        tag = QStringLiteral("<br />");
    if (o.CBUnslash_tags && equalsNoCase(tag, u"<br />"))
        tag = QStringLiteral("<br>");
    if (o.CBSlash_tags && equalsNoCase(tag, u"<hr>"))
        tag = slashed(tag);
    for (const QString &element : {QStringLiteral("hr"), QStringLiteral("input"), QStringLiteral("img")}) {
        if (name != element)
            continue;
        if (element != u"hr" && o.CBSlash_tags && !tag.endsWith(u"/>"))
            tag = slashed(tag);
        if (o.CBUnslash_tags && tag.endsWith(u"/>"))
            tag = unslashed(tag);
    }
    return tag;
}

// Lower-cases [from, to) of the tag.
void lowerRange(QString &tag, int from, int to)
{
    for (int i = from; i < to; ++i)
        tag[i] = LowCase(tag.at(i));
}

// The lower-case map of the ANSI code page: characters it holds whose lower case it
// holds too. Everything else maps to itself.
struct AnsiLowerCase {
    std::array<char16_t, 0x10000> map{};
    AnsiLowerCase()
    {
        for (int u = 0; u < 0x10000; ++u)
            map[u] = char16_t(u);
        QByteArray all(256, 0);
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        QStringDecoder decode("windows-1252");
        const QString held = decode(all);
        for (const QChar c : held) {
            const QChar lower = c.toLower();
            if (lower != c && c != QChar::ReplacementCharacter && held.contains(lower))
                map[c.unicode()] = lower.unicode();
        }
        for (char16_t u = u'A'; u <= u'Z'; ++u)
            map[u] = char16_t(u + 32);
    }
};

} // namespace

QChar LowCase(QChar c)
{
    static const AnsiLowerCase table;
    return QChar(table.map[c.unicode()]);
}

QString CleanTag(const QString &tag)
{
    // Outside quoted values: runs of blanks become one blank; a blank after "<" or
    // "=", or before "=", an opening double quote or ">", goes. Values stay as written.
    if (!tag.contains(u' '))
        return tag;
    QString out;
    out.reserve(tag.size());
    const int n = int(tag.size());
    QChar quote;
    for (int i = 0; i < n; ++i) {
        const QChar c = tag.at(i);
        if (!quote.isNull()) {
            out += c;
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u' ') {
            // A run of blanks is decided once, as a whole: it becomes one blank or none.
            int next = i + 1;
            while (next < n && tag.at(next) == u' ')
                ++next;
            const bool afterOpen = !out.isEmpty() && (out.back() == u'<' || out.back() == u'=');
            const bool beforeClose = next < n && (tag.at(next) == u'=' || tag.at(next) == u'"' || tag.at(next) == u'>');
            if (!afterOpen && !beforeClose)
                out += c;
            i = next - 1;
            continue;
        }
        if (isQuote(c))
            quote = c;
        out += c;
    }
    return out;
}

QString ReduceSize(const QString &piece, const OptimizerOptions &o)
{
    QString out = piece;
    if (o.CBDelete_LineBreak13)
        out = deleteLineBreaks(out, u'\r');
    if (o.CBDelete_LineBreak10)
        out = deleteLineBreaks(out, u'\n');
    if (o.CBDelete_Tabs)
        out.remove(u'\t');
    if (o.CBDelete_ExtraSpaces)
        out = collapseBlanks(out);
    return out;
}

QString LowerCaseTag(const QString &tag)
{
    QString out = tag;
    int end = 0;
    while (end < out.size() && !isBlank(out.at(end)) && !isQuote(out.at(end)))
        ++end;
    lowerRange(out, 0, end);
    return out;
}

QString LowerCaseAttributes(const QString &tag)
{
    QString out = tag;
    QChar quote;
    bool inName = false;
    for (int i = 0; i < out.size(); ++i) {
        const QChar c = out.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (isQuote(c)) {
            quote = c;
        } else if (isBlank(c)) {
            inName = true;
        } else if (c == u'=') {
            inName = false;
        } else if (inName) {
            out[i] = LowCase(c);
        }
    }
    return out;
}

QString LowerCaseAttributesValues(const QString &tag)
{
    // Double-quoted values only: a single-quoted one keeps its case.
    QString out = tag;
    bool inValue = false;
    for (QChar &c : out) {
        if (c == u'"')
            inValue = !inValue;
        else if (inValue)
            c = LowCase(c);
    }
    return out;
}

namespace {

// Deletes the first attribute of that name, or every one, in one walk.
QString deleteAttributes(const QString &tag, const QString &name, bool all)
{
    QString out;
    int from = -1;
    int copied = 0;
    for (Span span = findAttribute(tag, withoutEquals(name)); span.start >= 0;
         span = findAttribute(tag, withoutEquals(name), from)) {
        // The blanks after it go; the last attribute leaves the blank before it.
        int end = span.end;
        while (end < tag.size() && isBlank(tag.at(end)))
            ++end;
        out += QStringView(tag).mid(copied, span.start - copied);
        copied = from = end;
        if (!all)
            break;
    }
    if (from < 0)
        return tag;
    out += QStringView(tag).mid(copied);
    return out;
}

} // namespace

QString DeleteAttribute(const QString &tag, const QString &name)
{
    return deleteAttributes(tag, name, false);
}

QString ReplaceAttribute(const QString &tag, const QString &name, const QString &newText)
{
    const Span span = findAttribute(tag, withoutEquals(name));
    if (span.start < 0)
        return tag;
    return tag.left(span.start) + newText + tag.mid(span.end);
}

QString ProcessTag(const QString &tag, const OptimizerOptions &o, TagSwapState *swaps)
{
    // PHP and ASP are code: a tag that holds them is left exactly as it is.
    if (o.CBIgnore_PhpAsp && hasPhpAspMarker(tag))
        return tag;
    QString t = CleanTag(tag);
    const QString name = tagName(t);
    if (o.CBIgnore_Scripts && name == u"script")
        return t;
    if (containsNoCase(t, u"<style>") || containsNoCase(t, u"</style>"))
        return t;

    if (o.CBSlash_MetaLink && (name == u"meta" || name == u"link") && !t.endsWith(u"/>"))
        t = slashed(t);
    if (o.CBUnslash_MetaLink) {
        if ((name == u"meta" || name == u"link") && t.endsWith(u"/>"))
            t = t.chopped(2) + u'>';
        if (t.endsWith(u" >"))
            t.remove(t.size() - 2, 1);
    }
    if (anySwap(o))
        t = swapTags(t, o, swaps);
    t = emptyElements(t, name, o);

    if (name == u"a" && o.CB_target_javascript) {
        t = ReplaceAttribute(t, QStringLiteral("target="),
                             QStringLiteral("onclick=\"window.open(this.href); return false;\""));
    }
    const auto deleteAll = [&t](const QString &attribute) { t = deleteAttributes(t, attribute, true); };
    if (name == u"a" && (o.CB_target_javascript || o.CB_del_target))
        deleteAll(QStringLiteral("target="));
    if (name == u"img" && o.CBDelete_Img_Border)
        deleteAll(QStringLiteral("border="));
    if (name == u"table" && o.CBDelete_Table_Border)
        deleteAll(QStringLiteral("border="));

    // Comments and declarations keep their wording.
    if (isElementTag(t)) {
        if (o.CBLowerCase_Tags)
            t = LowerCaseTag(t);
        if (o.CBLowerCase_Attributes)
            t = LowerCaseAttributes(t);
        if (o.CBLowerCase_AttributesValue && !containsNoCase(t, u"href"))
            t = LowerCaseAttributesValues(t);
    }
    return ReduceSize(t, o);
}

namespace {

bool reduces(const OptimizerOptions &o)
{
    return o.CBDelete_LineBreak13 || o.CBDelete_LineBreak10 || o.CBDelete_Tabs || o.CBDelete_ExtraSpaces;
}

void appendReduced(QString &out, const QString &text, int from, int to, const OptimizerOptions &o)
{
    if (to <= from)
        return;
    if (reduces(o))
        out += ReduceSize(text.mid(from, to - from), o);
    else
        out += QStringView(text).mid(from, to - from);
}

} // namespace

QString ProcessText(const QString &text, const OptimizerOptions &o)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    TagSwapState swaps;
    const int n = int(text.size());
    int pieceStart = 0;
    int i = 0;
    while (i < n) {
        i = int(text.indexOf(u'<', i));
        if (i < 0)
            break;
        if (o.CBIgnore_PhpAsp && startsPhpAspBlock(text, i)) {
            const int end = phpAspBlockEnd(text, i);
            appendReduced(out, text, pieceStart, i, o);
            out += QStringView(text).mid(i, (end < 0 ? n : end) - i);
            pieceStart = i = end < 0 ? n : end;
            continue;
        }
        // The tag runs to the next ">"; a PHP/ASP block inside it is part of it.
        int close = i + 1;
        while (close < n && text.at(close) != u'>') {
            if (o.CBIgnore_PhpAsp && startsPhpAspBlock(text, close)) {
                const int end = phpAspBlockEnd(text, close);
                close = end < 0 ? n : end;
            } else {
                ++close;
            }
        }
        if (close >= n)
            break;
        appendReduced(out, text, pieceStart, i, o);
        const QString tag = text.mid(i, close + 1 - i);
        out += ProcessTag(tag, o, &swaps);
        pieceStart = i = close + 1;
        // A script's code passes as it is, up to its end tag.
        bool endTag = false;
        if (o.CBIgnore_Scripts && tagName(tag, &endTag) == u"script" && !endTag && !tag.endsWith(u"/>")) {
            const int end = scriptEnd(text, i);
            out += QStringView(text).mid(i, end - i);
            pieceStart = i = end;
        }
    }
    if (i < 0 || i >= n) {
        appendReduced(out, text, pieceStart, n, o);
    } else {
        // An unfinished tag at the end stays as it is.
        appendReduced(out, text, pieceStart, i, o);
        out += QStringView(text).mid(i);
    }
    return out;
}

QString DtdPart(const OptimizerOptions &o)
{
    const QString br = o.LineBreak;
    const auto html4 = [&br](const char *publicId, const char *path) {
        return QStringLiteral("<!DOCTYPE HTML PUBLIC \"%1\"%2   \"http://www.w3.org%3\">")
            .arg(QLatin1String(publicId), br, QLatin1String(path));
    };
    const auto xhtml = [&br](const char *publicId, const char *path, const char *gap = "") {
        return QStringLiteral("<!DOCTYPE html PUBLIC \"%1\"%2%3   \"http://www.w3.org%4\">")
            .arg(QLatin1String(publicId), QLatin1String(gap), br, QLatin1String(path));
    };
    QString part;
    switch (o.dtd) {
    case Dtd::None: return QString();
    case Dtd::Html5: part = QStringLiteral("<!doctype html>"); break;
    case Dtd::Html401Transitional:
        part = html4("-//W3C//DTD HTML 4.01 Transitional//EN", "/TR/html4/loose.dtd");
        break;
    case Dtd::Html401Strict: part = html4("-//W3C//DTD HTML 4.01//EN", "/TR/html4/strict.dtd"); break;
    case Dtd::Html401Frameset: part = html4("-//W3C//DTD HTML 4.01 Frameset//EN", "/TR/html4/frameset.dtd"); break;
    case Dtd::Xhtml10Transitional:
        part = xhtml("-//W3C//DTD XHTML 1.0 Transitional//EN", "/TR/xhtml1/DTD/xhtml1-transitional.dtd");
        break;
    case Dtd::Xhtml10Strict:
        part = xhtml("-//W3C//DTD XHTML 1.0 Strict//EN", "/TR/xhtml1/DTD/xhtml1-strict.dtd");
        break;
    case Dtd::Xhtml10Frameset:
        part = xhtml("-//W3C//DTD XHTML 1.0 Frameset//EN", "/TR/xhtml1/DTD/xhtml1-frameset.dtd");
        break;
    case Dtd::Xhtml11: part = xhtml("-//W3C//DTD XHTML 1.1//EN", "/TR/xhtml11/DTD/xhtml11.dtd", " "); break;
    }
    return part + br;
}

QString HtmlPart(const OptimizerOptions &o)
{
    const QString &lang = o.EditDeclaration_Language;
    QString part = QStringLiteral("<html>");
    switch (o.dtd) {
    case Dtd::None:
        if (o.CBDeclaration_Language)
            part = QStringLiteral("<html lang=\"%1\">").arg(lang);
        break;
    case Dtd::Html5:
    case Dtd::Html401Transitional:
    case Dtd::Html401Strict:
    case Dtd::Html401Frameset:
        if (!lang.isEmpty())
            part = QStringLiteral("<html lang=\"%1\">").arg(lang);
        break;
    case Dtd::Xhtml10Transitional:
    case Dtd::Xhtml10Strict:
    case Dtd::Xhtml10Frameset:
    case Dtd::Xhtml11:
        if (!lang.isEmpty())
            part = QStringLiteral("<html lang=\"%1\" xml:lang=\"%1\" xmlns=\"http://www.w3.org/1999/xhtml\">").arg(lang);
        break;
    }
    return part + o.LineBreak;
}


namespace {

// The end of a deleted block extended over the blanks after it and one line break.
int extendOverBreak(const QString &text, int end)
{
    const int n = int(text.size());
    while (end < n && text.at(end) == u' ')
        ++end;
    if (end < n && text.at(end) == u'\r') {
        ++end;
        if (end < n && text.at(end) == u'\n')
            ++end;
    }
    if (end < n && text.at(end) == u'\n') {
        ++end;
        if (end < n && text.at(end) == u'\r')
            ++end;
    }
    return end;
}

} // namespace

namespace {

bool deleteTagBlock(QString &text, const QString &startMarker, const QString &endMarker)
{
    const int start = findNoCase(text, startMarker);
    if (start < 0)
        return false;
    const int endAt = findNoCase(text, endMarker, start);
    if (endAt < 0)
        return false;
    const int end = extendOverBreak(text, endAt + int(endMarker.size()));
    text.remove(start, end - start);
    return true;
}

} // namespace

QString DeleteTagBlock(const QString &text, const QString &startMarker, const QString &endMarker)
{
    QString result = text;
    deleteTagBlock(result, startMarker, endMarker);
    return result;
}

QString ReplaceDTD(const QString &text, const OptimizerOptions &o)
{
    QString rest = text;
    deleteTagBlock(rest, QStringLiteral("<!DOCTYPE"), QStringLiteral(">"));
    deleteTagBlock(rest, QStringLiteral("<html"), QStringLiteral(">"));
    return rest.prepend(DtdPart(o) + HtmlPart(o));
}

QString DeleteComments(const QString &text)
{
    // One walk instead of deleting the first comment over and over. The text is read
    // from `in`; a deletion may join "<!" and "--" into a new comment start, so the
    // last characters written are read again after each deletion.
    static const QString open = QStringLiteral("<!--");
    static const QString close = QStringLiteral("-->");
    QString in = text;
    QString out;
    out.reserve(text.size());
    int r = 0;
    const int n = int(in.size());
    while (r < n) {
        const int start = int(in.indexOf(open, r));
        if (start < 0)
            break;
        const int closeAt = int(in.indexOf(close, start));
        if (closeAt < 0)
            break;
        out += QStringView(in).mid(r, start - r);
        r = extendOverBreak(in, closeAt + 3);
        // Give back what could begin a comment together with the text after the block.
        for (int k = 3; k >= 1; --k) {
            if (out.size() >= k && out.endsWith(QStringView(open).left(k)) && r + (4 - k) <= n
                && QStringView(in).mid(r).startsWith(QStringView(open).mid(k))) {
                r -= k;
                for (int m = 0; m < k; ++m)
                    in[r + m] = out.at(out.size() - k + m);
                out.chop(k);
                break;
            }
        }
    }
    out += QStringView(in).mid(r);
    return out;
}

QString DeleteHtmlTags(const QString &text, const OptimizerOptions &o)
{
    QString out;
    out.reserve(text.size());
    const int n = int(text.size());
    int i = 0;
    while (i < n) {
        const int lt = int(text.indexOf(u'<', i));
        if (lt < 0)
            break;
        out += QStringView(text).mid(i, lt - i);
        if (o.CBIgnore_PhpAsp && startsPhpAspBlock(text, lt)) {
            const int end = phpAspBlockEnd(text, lt);
            out += QStringView(text).mid(lt, (end < 0 ? n : end) - lt);
            i = end < 0 ? n : end;
            continue;
        }
        const int gt = int(text.indexOf(u'>', lt + 1));
        if (gt < 0) {
            i = lt;
            break;
        }
        out += u' ';
        i = gt + 1;
        bool endTag = false;
        const QString tag = text.mid(lt, gt + 1 - lt);
        if (o.CBIgnore_Scripts && tagName(tag, &endTag) == u"script" && !endTag && !tag.endsWith(u"/>")) {
            const int end = scriptEnd(text, i);
            out += QStringView(text).mid(i, end - i);
            i = end;
        }
    }
    out += QStringView(text).mid(i);
    return out;
}

QString OptimizeText(const QString &text, const OptimizerOptions &o)
{
    QString result = ProcessText(text, o);
    result = ReplaceDTD(result, o);
    if (o.CBDelete_Comments)
        result = DeleteComments(result);
    if (o.CBDeleteHtmlTags)
        result = DeleteHtmlTags(result, o);
    if (!o.StartingWith.isEmpty() && !o.EndingWith.isEmpty())
        result.replace(o.StartingWith, o.EndingWith, Qt::CaseSensitive);
    return result;
}

} // namespace HtmlRewriting
