#include "util/CharsetDeclarations.h"

namespace CharsetDeclarations {

namespace {

bool isSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
           || c == QLatin1Char('\r') || c == QLatin1Char('\f');
}

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

int skipSpaces(const QString &t, int i)
{
    while (i < t.size() && isSpace(t[i]))
        ++i;
    return i;
}

bool startsWithCI(const QString &t, int i, QLatin1String word)
{
    return i <= t.size() && QStringView(t).sliced(i).startsWith(word, Qt::CaseInsensitive);
}

bool sameCI(const QString &t, int from, int to, QLatin1String word)
{
    return QStringView(t).sliced(from, to - from).compare(word, Qt::CaseInsensitive) == 0;
}

// A charset name: something, and nothing that belongs to markup or another attribute.
bool isCharsetName(const QString &t, int from, int to)
{
    if (from >= to)
        return false;
    for (int k = from; k < to; ++k) {
        const QChar c = t[k];
        if (isSpace(c) || c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('"')
            || c == QLatin1Char('\'') || c == QLatin1Char(';') || c == QLatin1Char('{')
            || c == QLatin1Char('}'))
            return false;
    }
    return true;
}

struct Attribute {
    int NameStart;
    int NameEnd;
    int ValueStart;  // -1 without a value
    int ValueEnd;
};

// Reads a tag's attributes from i to its end, ">" (or "?>" for a processing instruction).
// Returns the position after the end, or -1 when the text ends inside the tag.
int readAttributes(const QString &t, int i, bool pi, QVector<Attribute> *attributes)
{
    const int n = t.size();
    for (;;) {
        i = skipSpaces(t, i);
        if (i >= n)
            return -1;
        if (pi ? t[i] == QLatin1Char('?') && i + 1 < n && t[i + 1] == QLatin1Char('>')
               : t[i] == QLatin1Char('>'))
            return i + (pi ? 2 : 1);
        const int nameStart = i;
        while (i < n && !isSpace(t[i]) && t[i] != QLatin1Char('=') && t[i] != QLatin1Char('>')
               && t[i] != QLatin1Char('/') && t[i] != QLatin1Char('?'))
            ++i;
        if (i == nameStart) {
            ++i; // a stray "/", "=" or "?"
            continue;
        }
        Attribute a{nameStart, i, -1, -1};
        int k = skipSpaces(t, i);
        if (k < n && t[k] == QLatin1Char('=')) {
            k = skipSpaces(t, k + 1);
            if (k >= n)
                return -1;
            if (t[k] == QLatin1Char('"') || t[k] == QLatin1Char('\'')) {
                const int close = t.indexOf(t[k], k + 1);
                if (close < 0)
                    return -1;
                a.ValueStart = k + 1;
                a.ValueEnd = close;
                i = close + 1;
            } else {
                a.ValueStart = k;
                while (k < n && !isSpace(t[k]) && t[k] != QLatin1Char('>'))
                    ++k;
                a.ValueEnd = k;
                i = k;
            }
        }
        attributes->append(a);
    }
}

const Attribute *attribute(const QString &t, const QVector<Attribute> &attributes, QLatin1String name)
{
    for (const Attribute &a : attributes) {
        if (a.ValueStart >= 0 && sameCI(t, a.NameStart, a.NameEnd, name))
            return &a;
    }
    return nullptr;
}

// A meta tag from start to end: its charset attribute, or the charset in the content of
// the http-equiv="Content-Type" form.
void metaDeclaration(const QString &t, int start, int end, const QVector<Attribute> &attributes,
                     QVector<Declaration> *found)
{
    if (const Attribute *charset = attribute(t, attributes, QLatin1String("charset"))) {
        if (isCharsetName(t, charset->ValueStart, charset->ValueEnd))
            found->append({start, end, charset->ValueStart, charset->ValueEnd, -1});
        return;
    }
    const Attribute *equiv = attribute(t, attributes, QLatin1String("http-equiv"));
    const Attribute *content = attribute(t, attributes, QLatin1String("content"));
    if (!equiv || !content || !sameCI(t, equiv->ValueStart, equiv->ValueEnd, QLatin1String("content-type")))
        return;
    const QStringView value = QStringView(t).sliced(content->ValueStart, content->ValueEnd - content->ValueStart);
    const int at = int(value.indexOf(QLatin1String("charset"), 0, Qt::CaseInsensitive));
    if (at < 0)
        return;
    int k = content->ValueStart + at + 7;
    while (k < content->ValueEnd && isSpace(t[k]))
        ++k;
    if (k >= content->ValueEnd || t[k] != QLatin1Char('='))
        return;
    ++k;
    while (k < content->ValueEnd && isSpace(t[k]))
        ++k;
    int e = k;
    while (e < content->ValueEnd && !isSpace(t[e]) && t[e] != QLatin1Char(';'))
        ++e;
    if (isCharsetName(t, k, e))
        found->append({start, end, k, e, equiv->ValueStart});
}

// "@charset "name";" at i.
void cssDeclaration(const QString &t, int i, QVector<Declaration> *found)
{
    const int valueStart = i + 10;
    const int close = t.indexOf(QLatin1Char('"'), valueStart);
    if (close < 0 || !isCharsetName(t, valueStart, close))
        return;
    const int end = close + 1 < t.size() && t[close + 1] == QLatin1Char(';') ? close + 2 : close + 1;
    found->append({i, end, valueStart, close, -1});
}

// Start of the line with index maxLines, or the text's end.
int linesEnd(const QString &t, int maxLines)
{
    const int n = t.size();
    int lines = 0;
    for (int k = 0; k < n; ++k) {
        if (t[k] == QLatin1Char('\n') || (t[k] == QLatin1Char('\r') && !(k + 1 < n && t[k + 1] == QLatin1Char('\n')))) {
            if (++lines == maxLines)
                return k + 1;
        }
    }
    return n;
}

} // namespace

QVector<Declaration> Find(const QString &t, int maxLines)
{
    QVector<Declaration> found;
    const int n = t.size();
    const int limit = linesEnd(t, maxLines);
    const QLatin1String cssRule("@charset \"");
    const int first = skipSpaces(t, 0);
    if (startsWithCI(t, first, cssRule))
        cssDeclaration(t, first, &found);

    int i = 0;
    while (i < limit) {
        const int lt = int(t.indexOf(QLatin1Char('<'), i));
        if (lt < 0 || lt >= limit || lt + 1 >= n)
            break;
        i = lt;
        const QChar next = t[i + 1];
        if (startsWithCI(t, i, QLatin1String("<!--"))) {
            const int end = int(t.indexOf(QLatin1String("-->"), i + 4));
            if (end < 0)
                break;
            i = end + 3;
            continue;
        }
        if (next == QLatin1Char('?')) {
            const bool xml = i == first && startsWithCI(t, i, QLatin1String("<?xml")) && i + 5 < n && isSpace(t[i + 5]);
            if (xml) {
                QVector<Attribute> attributes;
                const int end = readAttributes(t, i + 5, true, &attributes);
                if (end < 0)
                    break;
                const Attribute *encoding = attribute(t, attributes, QLatin1String("encoding"));
                if (encoding && isCharsetName(t, encoding->ValueStart, encoding->ValueEnd))
                    found.append({i, end, encoding->ValueStart, encoding->ValueEnd, -1});
                i = end;
                continue;
            }
            const int end = int(t.indexOf(QLatin1String("?>"), i + 2));
            if (end < 0)
                break;
            i = end + 2;
            continue;
        }
        if (next == QLatin1Char('!')) {
            const int end = int(t.indexOf(QLatin1Char('>'), i + 2));
            if (end < 0)
                break;
            i = end + 1;
            continue;
        }
        const bool closing = next == QLatin1Char('/');
        const int nameStart = closing ? i + 2 : i + 1;
        if (nameStart >= n || !isAsciiLetter(t[nameStart])) {
            ++i;
            continue;
        }
        int nameEnd = nameStart;
        while (nameEnd < n && !isSpace(t[nameEnd]) && t[nameEnd] != QLatin1Char('>') && t[nameEnd] != QLatin1Char('/'))
            ++nameEnd;
        QVector<Attribute> attributes;
        const int end = readAttributes(t, nameEnd, false, &attributes);
        if (end < 0)
            break;
        if (closing) {
            if (sameCI(t, nameStart, nameEnd, QLatin1String("head")))
                break;
            i = end;
            continue;
        }
        const bool selfClosed = end >= 2 && t[end - 2] == QLatin1Char('/');
        const bool script = sameCI(t, nameStart, nameEnd, QLatin1String("script"));
        const bool style = sameCI(t, nameStart, nameEnd, QLatin1String("style"));
        if (sameCI(t, nameStart, nameEnd, QLatin1String("meta"))) {
            metaDeclaration(t, i, end, attributes, &found);
        } else if ((script || style) && !selfClosed) {
            // Their text is no markup; a style sheet may start with its own @charset.
            if (style) {
                const int k = skipSpaces(t, end);
                if (startsWithCI(t, k, cssRule))
                    cssDeclaration(t, k, &found);
            }
            const int close = int(t.indexOf(script ? QLatin1String("</script") : QLatin1String("</style"), end,
                                            Qt::CaseInsensitive));
            if (close < 0)
                break;
            i = close;
            continue;
        }
        i = end;
    }
    return found;
}

QString Rewrite(const QString &text, const QVector<Declaration> &declarations, const QString &charset)
{
    QString out;
    out.reserve(text.size());
    int pos = 0;
    for (const Declaration &d : declarations) {
        out += QStringView(text).sliced(pos, d.DeclStart - pos);
        QString decl = text.mid(d.DeclStart, d.DeclEnd - d.DeclStart);
        for (QChar &c : decl) {
            if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                c = QChar(c.unicode() + ('a' - 'A'));
        }
        if (d.HttpEquivStart >= 0)
            decl.replace(d.HttpEquivStart - d.DeclStart, 12, QLatin1String("Content-Type"));
        decl.replace(d.ValueStart - d.DeclStart, d.ValueEnd - d.ValueStart, charset);
        out += decl;
        pos = d.DeclEnd;
    }
    out += QStringView(text).sliced(pos);
    return out;
}

} // namespace CharsetDeclarations
