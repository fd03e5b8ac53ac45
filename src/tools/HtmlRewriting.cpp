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
    while (i < tag.size() && !isBlank(tag.at(i)) && tag.at(i) != u'>' && tag.at(i) != u'/')
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

// A piece of a page as a browser reads it. A quoted attribute value belongs to its
// tag whatever it holds; a "<" that cannot begin a tag is text; a comment runs to its
// "-->"; the content of script, style, textarea and title holds no tags.
enum class Part {
    Text,
    Tag,          // an element's start or end tag
    Comment,      // "<!--" through "-->"
    Declaration,  // "<!" or "<?" through its ">"; "</" not followed by a letter too
    Code,         // a PHP or ASP block, when those are kept
    Raw,          // the content of script, style, textarea or title
    Unfinished,   // markup never closed: the rest of the text
};

struct Token {
    Token(Part part = Part::Text, int start = -1, int end = -1, const QString &name = QString())
        : part(part), start(start), end(end), name(name)
    {
    }
    Part part;
    int start;
    int end;
    QString name;  // of a tag or of the element whose raw content this is, lower case
    bool endTag = false;
};

// Where a browser stands within a tag, character by character: a quote opens a value
// only where a value begins, after a name and its "="; names and unquoted values run to a
// blank or ">" (names to "=" and "/" too).
struct TagReading {
    enum State { TagName, Between, Name, AfterName, BeforeValue, Quoted, Unquoted } state = TagName;
    QChar quote;

    // `c` is any character but the ">" that ends the tag outside a quoted value.
    void take(QChar c)
    {
        if (state == Quoted) {
            if (c == quote)
                state = Between;
            return;
        }
        const bool blank = isBlank(c);
        switch (state) {
        case TagName:
            if (blank || c == u'/')
                state = Between;
            break;
        case Between:
            if (!blank && c != u'/')
                state = Name;
            break;
        case Name:
        case AfterName:
            if (c == u'=')
                state = BeforeValue;
            else if (c == u'/')
                state = Between;
            else
                state = blank ? AfterName : Name;
            break;
        case BeforeValue:
            if (isQuote(c)) {
                quote = c;
                state = Quoted;
            } else if (!blank) {
                state = Unquoted;
            }
            break;
        case Unquoted:
            if (blank)
                state = Between;
            break;
        case Quoted: break;
        }
    }

    // Code stands where any character of a name or a value could.
    void takeCode()
    {
        if (state == Between || state == AfterName)
            state = Name;
        else if (state == BeforeValue)
            state = Unquoted;
    }
};

bool isRawElement(const QString &name)
{
    return name == u"script" || name == u"style" || name == u"textarea" || name == u"title";
}

// Elements whose whitespace is part of their content.
bool keepsBlanks(const QString &name)
{
    return name == u"pre" || name == u"textarea" || name == u"script" || name == u"style";
}

// Whether a "<" of the text, put before this character, would begin markup.
bool opensMarkup(QChar next)
{
    return isAsciiLetter(next) || next == u'/' || next == u'!' || next == u'?' || next == u'%';
}

class PageScanner {
public:
    PageScanner(const QString &text, bool phpAsp) : text(text), n(int(text.size())), phpAsp(phpAsp) {}

    bool next(Token &token)
    {
        if (!raw.isEmpty()) {
            token = Token(Part::Raw, pos, rawEnd(), raw);
            raw.clear();
            pos = token.end;
            if (token.end > token.start)
                return true;
        }
        if (pos >= n)
            return false;
        Part part = Part::Text;
        int lt = pos;
        for (;; ++lt) {
            lt = int(text.indexOf(u'<', lt));
            if (lt < 0 || markupAt(lt, &part))
                break;
        }
        if (lt != pos) {
            token = Token(Part::Text, pos, lt < 0 ? n : lt);
            pos = token.end;
            return true;
        }
        const int end = markupEnd(lt, part);
        if (end < 0) {
            token = Token(Part::Unfinished, lt, n);
        } else {
            token = Token(part, lt, end);
            if (part == Part::Tag) {
                prolog = false;
                const QString tag = text.mid(lt, end - lt);
                token.name = tagName(tag, &token.endTag);
                if (!token.endTag && isRawElement(token.name))
                    raw = token.name;
            }
        }
        pos = token.end;
        return true;
    }

private:
    bool markupAt(int lt, Part *part) const
    {
        if (lt + 1 >= n)
            return false;
        const QChar c = text.at(lt + 1);
        if (phpAsp && (c == u'?' || c == u'%'))
            *part = Part::Code;
        else if (c == u'!')
            *part = matchesAt(text, lt, u"<!--") ? Part::Comment : Part::Declaration;
        else if (c == u'?')
            *part = Part::Declaration;
        else if (c == u'/')
            *part = lt + 2 < n && isAsciiLetter(text.at(lt + 2)) ? Part::Tag : Part::Declaration;
        else if (isAsciiLetter(c))
            *part = Part::Tag;
        else
            return false;
        return true;
    }

    // The index after the markup that starts at `lt`, or -1 when it never ends.
    int markupEnd(int lt, Part part)
    {
        switch (part) {
        case Part::Code: return phpAspBlockEnd(text, lt);
        case Part::Comment: {
            const int close = int(text.indexOf(u"-->", lt + 2));
            return close < 0 ? -1 : close + 3;
        }
        case Part::Declaration:
            if (matchesAt(text, lt, u"<!doctype"))
                return doctypeEnd(lt);
            return after(int(text.indexOf(u'>', lt + 1)));
        case Part::Tag: return tagEnd(lt);
        default: return -1;
        }
    }

    static int after(int found, int length = 1) { return found < 0 ? -1 : found + length; }

    // A PHP or ASP block inside a tag belongs to it: returns the index after it, or
    // `i` when none starts there, or -1 when it is never closed.
    int pastCode(int i) const
    {
        return phpAsp && startsPhpAspBlock(text, i) ? phpAspBlockEnd(text, i) : i;
    }

    // A tag ends at the first ">" outside a quoted value.
    int tagEnd(int lt) const
    {
        TagReading reading;
        for (int i = text.at(lt + 1) == u'/' ? lt + 2 : lt + 1; i < n;) {
            const int code = pastCode(i);
            if (code < 0)
                return -1;
            if (code != i) {
                reading.takeCode();
                i = code;
                continue;
            }
            const QChar c = text.at(i++);
            if (c == u'>' && reading.state != TagReading::Quoted)
                return i;
            reading.take(c);
        }
        return -1;
    }

    // A DOCTYPE ends at its first ">", unless it is the page's first, stands before
    // every element and a bracketed internal subset opens before that ">": then it ends
    // at the ">" after the subset's "]". The subset holds only declarations, processing
    // instructions, comments, parameter-entity references and blanks; anything else
    // leaves the DOCTYPE at its first ">".
    int doctypeEnd(int lt)
    {
        const int first = int(text.indexOf(u'>', lt + 1));
        if (first < 0)
            return -1;
        const bool subsetAllowed = prolog && !doctypeSeen;
        doctypeSeen = true;
        int open = -1;
        QChar quote;
        for (int i = lt + 2; subsetAllowed && open < 0 && i < first; ++i) {
            const QChar c = text.at(i);
            if (!quote.isNull())
                quote = c == quote ? QChar() : quote;
            else if (isQuote(c))
                quote = c;
            else if (c == u'[')
                open = i;
        }
        const int end = open < 0 ? -1 : subsetEnd(open + 1);
        return end < 0 ? first + 1 : end;
    }

    // The index after the "]>" that closes an internal subset whose content begins at
    // `i`, or -1.
    int subsetEnd(int i) const
    {
        for (;;) {
            while (i < n && isBlank(text.at(i)))
                ++i;
            if (i >= n)
                return -1;
            if (text.at(i) == u']') {
                do
                    ++i;
                while (i < n && isBlank(text.at(i)));
                return i < n && text.at(i) == u'>' ? i + 1 : -1;
            }
            int next = -1;
            if (matchesAt(text, i, u"<!--")) {
                next = after(int(text.indexOf(u"-->", i + 4)), 3);
            } else if (matchesAt(text, i, u"<?")) {
                next = after(int(text.indexOf(u"?>", i + 2)), 2);
            } else if (matchesAt(text, i, u"<!")) {
                QChar quote;
                for (int j = i + 2; next < 0 && j < n; ++j) {
                    const QChar c = text.at(j);
                    if (!quote.isNull())
                        quote = c == quote ? QChar() : quote;
                    else if (isQuote(c))
                        quote = c;
                    else if (c == u'>')
                        next = j + 1;
                }
            } else if (text.at(i) == u'%') {
                const int semicolon = int(text.indexOf(u';', i + 1));
                next = semicolon > i + 1 ? semicolon + 1 : -1;
                for (int j = i + 1; next > 0 && j < semicolon; ++j) {
                    if (isBlank(text.at(j)) || text.at(j) == u'<' || text.at(j) == u']')
                        next = -1;
                }
            }
            if (next < 0)
                return -1;
            i = next;
        }
    }

    // The "<" of the raw element's end tag, or the text's end.
    int rawEnd() const
    {
        const QString close = QStringLiteral("</") + raw;
        for (int at = findNoCase(text, close, pos); at >= 0; at = findNoCase(text, close, at + 1)) {
            const int after = at + int(close.size());
            if (after >= n || isBlank(text.at(after)) || text.at(after) == u'>' || text.at(after) == u'/')
                return at;
        }
        return n;
    }

    const QString &text;
    const int n;
    const bool phpAsp;
    int pos = 0;
    QString raw;
    bool prolog = true;  // no element seen yet
    bool doctypeSeen = false;
};

// An attribute found in a tag: its name's first character through its value's end.
struct Span {
    int start = -1;
    int end = -1;
};

// One attribute of a tag, with or without a value.
struct Attribute {
    int nameStart = -1;
    int nameEnd = -1;
    int end = -1;
    bool hasValue = false;
};

// Where the attributes begin: after the tag's name.
int attributesStart(const QString &tag)
{
    const int n = int(tag.size());
    int i = 1;
    if (i < n && tag.at(i) == u'/')
        ++i;
    while (i < n && !isBlank(tag.at(i)) && tag.at(i) != u'>' && tag.at(i) != u'/')
        ++i;
    return i;
}

// The attribute at or after `i`, a place between attributes; `i` moves past it. As a
// browser reads it: a name's first character may be any, the rest runs to a blank, "/",
// "=" or ">"; a value is quoted only when it begins with a quote. nameStart is -1 when
// none is left.
Attribute nextAttribute(const QString &tag, int &i)
{
    const int n = int(tag.size());
    while (i < n && (isBlank(tag.at(i)) || tag.at(i) == u'/'))
        ++i;
    if (i >= n || tag.at(i) == u'>')
        return Attribute{};
    Attribute a;
    a.nameStart = i++;
    while (i < n && !isBlank(tag.at(i)) && tag.at(i) != u'=' && tag.at(i) != u'>' && tag.at(i) != u'/')
        ++i;
    a.nameEnd = a.end = i;
    int j = i;
    while (j < n && isBlank(tag.at(j)))
        ++j;
    if (j >= n || tag.at(j) != u'=')
        return a;
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
        // The slash of an empty element's end is not part of the value.
        if (valueEnd > j && tag.at(valueEnd - 1) == u'/' && valueEnd < n && tag.at(valueEnd) == u'>')
            --valueEnd;
    }
    a.hasValue = true;
    a.end = i = valueEnd;
    return a;
}

// Finds the attribute `name` (without "=") among the tag's attributes that have a
// value. Names are whole names, and quoted values are skipped, so "data-target="
// or a value holding "target=" never match "target".
// The search starts at `from`, a place between attributes, or after the tag's name.
Span findAttribute(const QString &tag, QStringView name, int from = -1)
{
    int i = from < 0 ? attributesStart(tag) : from;
    for (Attribute a = nextAttribute(tag, i); a.nameStart >= 0; a = nextAttribute(tag, i)) {
        if (a.hasValue && a.nameEnd - a.nameStart == name.size() && matchesAt(tag, a.nameStart, name))
            return Span{a.nameStart, a.end};
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
    // Outside quoted values: a run of blanks becomes one blank, or none where that reads
    // the same: before ">", before the "=" after a name, and after an "=" that opens a
    // value (so also before the value's quote). Values stay as written.
    if (!tag.contains(u' '))
        return tag;
    QString out;
    out.reserve(tag.size());
    const int n = int(tag.size());
    TagReading reading;
    for (int i = tag.startsWith(u"</") ? 2 : 1, copied = 0; i <= n; ++i) {
        if (i == n) {
            out += QStringView(tag).mid(copied);
            break;
        }
        const QChar c = tag.at(i);
        if (c != u' ' || reading.state == TagReading::Quoted) {
            reading.take(c);
            continue;
        }
        int next = i + 1;
        while (next < n && tag.at(next) == u' ')
            ++next;
        const QChar after = next < n ? tag.at(next) : QChar();
        const bool none = after == u'>' || reading.state == TagReading::BeforeValue
                          || (reading.state == TagReading::Name && after == u'=');
        out += QStringView(tag).mid(copied, i - copied);
        if (!none)
            out += u' ';
        reading.take(c);
        copied = next;
        i = next - 1;
    }
    return out;
}

namespace {

bool reduces(const OptimizerOptions &o)
{
    return o.CBDelete_LineBreak13 || o.CBDelete_LineBreak10 || o.CBDelete_Tabs || o.CBDelete_ExtraSpaces;
}

} // namespace

QString ReduceSize(const QString &piece, const OptimizerOptions &o, QChar before, QChar after)
{
    if (!reduces(o))
        return piece;
    const auto deleted = [&o](QChar c) {
        return (c == u'\r' && o.CBDelete_LineBreak13) || (c == u'\n' && o.CBDelete_LineBreak10)
               || (c == u'\t' && o.CBDelete_Tabs);
    };
    QString out;
    out.reserve(piece.size());
    const int n = int(piece.size());
    for (int i = 0; i < n;) {
        if (!isBlank(piece.at(i))) {
            out += piece.at(i++);
            continue;
        }
        // A run of blanks is decided as a whole: what it keeps keeps the words apart;
        // when it keeps nothing and stood between two words, one blank does.
        const bool wordBefore = i > 0 || !isBlank(before);
        const qsizetype kept = out.size();
        for (; i < n && isBlank(piece.at(i)); ++i) {
            const QChar c = piece.at(i);
            const bool extraSpace = c == u' ' && o.CBDelete_ExtraSpaces && out.size() > kept && out.back() == u' ';
            if (!deleted(c) && !extraSpace)
                out += c;
        }
        const bool wordAfter = i < n || !isBlank(after);
        if (out.size() == kept && wordBefore && wordAfter)
            out += u' ';
    }
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
    bool deleted = false;
    for (Span span = findAttribute(tag, withoutEquals(name)); span.start >= 0;
         span = findAttribute(tag, withoutEquals(name), from)) {
        // The blanks after it go; the last attribute leaves the blank before it.
        int end = span.end;
        while (end < tag.size() && isBlank(tag.at(end)))
            ++end;
        from = end;
        // A stray "=" after it would become the value of the name before it.
        if (end < tag.size() && tag.at(end) == u'=')
            continue;
        out += QStringView(tag).mid(copied, span.start - copied);
        copied = end;
        deleted = true;
        if (!all)
            break;
    }
    if (!deleted)
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

    // Every tag whose name starts with "a": links and image-map areas alike.
    const bool link = name.startsWith(u'a');
    if (link && o.CB_target_javascript) {
        t = ReplaceAttribute(t, QStringLiteral("target="),
                             QStringLiteral("onclick=\"window.open(this.href); return false;\""));
    }
    const auto deleteAll = [&t](const QString &attribute) { t = deleteAttributes(t, attribute, true); };
    if (link && (o.CB_target_javascript || o.CB_del_target))
        deleteAll(QStringLiteral("target="));
    if (name == u"img" && o.CBDelete_Img_Border)
        deleteAll(QStringLiteral("border="));
    if (name == u"table" && o.CBDelete_Table_Border)
        deleteAll(QStringLiteral("border="));

    // Declarations keep their wording.
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

// Counts the pre elements open around the scanner's place.
void trackPre(const Token &token, int &depth)
{
    if (token.part == Part::Tag && token.name == u"pre")
        depth = token.endTag ? qMax(0, depth - 1) : depth + 1;
}

} // namespace

QString ProcessText(const QString &text, const OptimizerOptions &o)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    TagSwapState swaps;
    PageScanner scanner(text, o.CBIgnore_PhpAsp);
    int preDepth = 0;
    for (Token token; scanner.next(token);) {
        const QString piece = text.mid(token.start, token.end - token.start);
        switch (token.part) {
        case Part::Tag:
        case Part::Declaration: out += ProcessTag(piece, o, &swaps); break;
        case Part::Code:
        case Part::Unfinished: out += piece; break;
        case Part::Text:
        case Part::Comment:
        case Part::Raw:
            if (preDepth == 0 && !keepsBlanks(token.name)) {
                const QChar before = token.start > 0 ? text.at(token.start - 1) : QChar(u' ');
                const QChar after = token.end < text.size() ? text.at(token.end) : QChar(u' ');
                out += ReduceSize(piece, o, before, after);
            } else {
                out += piece;
            }
            break;
        }
        trackPre(token, preDepth);
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

QString HtmlPart(const OptimizerOptions &o, const QString &oldTag)
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
    // The old tag's other attributes (direction, namespaces, microdata...) follow as
    // written; its language gives way to the chosen one, even when none is written.
    const bool setsNamespace = part.contains(u" xmlns=");
    const int end = int(oldTag.endsWith(u'>') ? oldTag.size() - 1 : oldTag.size());
    int copied = oldTag.isEmpty() ? 0 : attributesStart(oldTag);
    QString others;
    int i = copied;
    for (Attribute a = nextAttribute(oldTag, i); a.nameStart >= 0 && a.nameStart < end; a = nextAttribute(oldTag, i)) {
        const QString name = oldTag.mid(a.nameStart, a.nameEnd - a.nameStart).toLower();
        if (name != u"lang" && name != u"xml:lang" && !(setsNamespace && name == u"xmlns"))
            continue;
        others += QStringView(oldTag).mid(copied, a.nameStart - copied);
        copied = qMin(a.end, end);
        while (copied < end && isBlank(oldTag.at(copied)))
            ++copied;
    }
    others += QStringView(oldTag).mid(copied, end - copied);
    int first = 0, last = int(others.size());
    while (first < last && isBlank(others.at(first)))
        ++first;
    while (last > first && isBlank(others.at(last - 1)))
        --last;
    if (last > first)
        part.insert(part.size() - 1, u' ' + others.mid(first, last - first));
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

// Copies the text up to the block [start, end) to `out` and skips the block: with
// `alsoBreak`, the blanks and the line break after it too, leaving one blank when they
// stood between two words. A block whose going would make a "<" of the text begin
// markup stays. Returns whether it went.
bool cutBlock(QString &out, const QString &text, int &copied, int start, int end, bool alsoBreak)
{
    out += QStringView(text).mid(copied, start - copied);
    const int after = alsoBreak ? extendOverBreak(text, end) : end;
    // Nothing before or after the block counts as a blank.
    const QChar before = out.isEmpty() ? QChar(u' ') : out.back();
    const QChar next = after < text.size() ? text.at(after) : QChar(u' ');
    const bool apart = after > end && !isBlank(before) && !isBlank(next);
    if (!apart && before == u'<' && opensMarkup(next)) {
        copied = start;
        return false;
    }
    if (apart)
        out += u' ';
    copied = after;
    return true;
}

// Conditional comments hold markup for some browsers: "<!--[if ...]>" and the
// "<!--<![endif]-->" that closes the form other browsers read.
bool isConditionalComment(const QString &text, const Token &comment)
{
    return matchesAt(text, comment.start + 4, u"[if") || matchesAt(text, comment.start + 4, u"<![endif]");
}

} // namespace

QString ReplaceDTD(const QString &text, const OptimizerOptions &o)
{
    // The first DOCTYPE and the first html start tag, as the page's markup holds them.
    // When either holds PHP or ASP and those are spared, or cannot go without making a
    // "<" of the text begin markup, the page keeps its head as it is.
    struct Found {
        Token token;
        bool inPre = false;
    } doctype, html;
    PageScanner scanner(text, o.CBIgnore_PhpAsp);
    int preDepth = 0;
    for (Token token; (doctype.token.start < 0 || html.token.start < 0) && scanner.next(token);) {
        Found *found = nullptr;
        if (token.part == Part::Declaration && matchesAt(text, token.start, u"<!doctype"))
            found = &doctype;
        else if (token.part == Part::Tag && token.name == u"html" && !token.endTag)
            found = &html;
        if (found && found->token.start < 0)
            *found = Found{token, preDepth > 0};
        trackPre(token, preDepth);
    }
    const auto holdsCode = [&](const Token &token) {
        return token.start >= 0 && o.CBIgnore_PhpAsp && hasPhpAspMarker(text.mid(token.start, token.end - token.start));
    };
    if (holdsCode(doctype.token) || holdsCode(html.token))
        return text;
    const bool htmlFirst = html.token.start < doctype.token.start || doctype.token.start < 0;
    QString rest;
    rest.reserve(text.size());
    int copied = 0;
    for (Found *block : {htmlFirst ? &html : &doctype, htmlFirst ? &doctype : &html}) {
        const Token &token = block->token;
        if (token.start >= 0 && !cutBlock(rest, text, copied, token.start, token.end, !block->inPre))
            return text;
    }
    rest += QStringView(text).mid(copied);
    const QString oldHtml = html.token.start < 0 ? QString() : text.mid(html.token.start, html.token.end - html.token.start);
    return DtdPart(o) + HtmlPart(o, oldHtml) + rest;
}

QString DeleteComments(const QString &text, const OptimizerOptions &o)
{
    // Comment markers inside scripts, styles, values and PHP blocks are code, not comments.
    QString out;
    out.reserve(text.size());
    int copied = 0;
    PageScanner scanner(text, o.CBIgnore_PhpAsp);
    int preDepth = 0;
    for (Token token; scanner.next(token);) {
        if (token.part == Part::Comment && !isConditionalComment(text, token))
            cutBlock(out, text, copied, token.start, token.end, preDepth == 0);
        trackPre(token, preDepth);
    }
    out += QStringView(text).mid(copied);
    return out;
}

QString DeleteHtmlTags(const QString &text, const OptimizerOptions &o)
{
    QString out;
    out.reserve(text.size());
    PageScanner scanner(text, o.CBIgnore_PhpAsp);
    for (Token token; scanner.next(token);) {
        if (token.part == Part::Tag || token.part == Part::Comment || token.part == Part::Declaration)
            out += u' ';
        else
            out += QStringView(text).mid(token.start, token.end - token.start);
    }
    return out;
}

QString OptimizeText(const QString &text, const OptimizerOptions &o)
{
    QString result = ProcessText(text, o);
    result = ReplaceDTD(result, o);
    if (o.CBDelete_Comments)
        result = DeleteComments(result, o);
    if (o.CBDeleteHtmlTags)
        result = DeleteHtmlTags(result, o);
    if (!o.StartingWith.isEmpty() && !o.EndingWith.isEmpty())
        result.replace(o.StartingWith, o.EndingWith, Qt::CaseSensitive);
    return result;
}

} // namespace HtmlRewriting
