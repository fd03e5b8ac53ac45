#pragma once
// Token scanners of the lexers. A scanner styles one line (or a part of one) of UTF-8 text:
// it starts in the state the previous line ended in, writes one style byte per text byte and
// returns the state it ends in. States are plain ints, so the lexer can keep one per line and
// restart at any line.
#include "themes/SyntaxStyles.h"

#include <cstring>

namespace SyntaxScan {

// Styles s[from, to) into st[from, to); to is the end of the line, past its line break.
using LineScanner = int (*)(const char *s, int from, int to, int state, quint8 *st);

// HTML with JavaScript, CSS and PHP inside it.
int MultiLine(const char *s, int from, int to, int state, quint8 *st);
// The single languages.
int HtmlLine(const char *s, int from, int to, int state, quint8 *st);
int CssLine(const char *s, int from, int to, int state, quint8 *st);
int JsLine(const char *s, int from, int to, int state, quint8 *st);
int PhpLine(const char *s, int from, int to, int state, quint8 *st);
int XmlLine(const char *s, int from, int to, int state, quint8 *st);
int SqlLine(const char *s, int from, int to, int state, quint8 *st);
int CppLine(const char *s, int from, int to, int state, quint8 *st);
int PasLine(const char *s, int from, int to, int state, quint8 *st);
int AsmLine(const char *s, int from, int to, int state, quint8 *st);
int BatLine(const char *s, int from, int to, int state, quint8 *st);

// Pieces the multi-language scanner puts together. The JavaScript and CSS scanners stop at
// `to` wherever it falls; HTML also stops after the tag that opens a script or style block,
// PHP after its closing "?>".
enum class HtmlRegion { Html, Script, Style };
int ScanJs(const char *s, int from, int to, int state, quint8 *st);
int ScanCss(const char *s, int from, int to, int state, quint8 *st);
// Returns where it stopped; *region tells which block a "<script>" or "<style>" tag opened.
int ScanHtml(const char *s, int from, int to, int &state, quint8 *st, bool embedded,
             HtmlRegion *region);
// Returns where it stopped; *closed when it stopped after "?>" (embedded PHP only).
int ScanPhp(const char *s, int from, int to, int &state, quint8 *st, bool embedded, bool *closed);

// Character classes and small helpers shared by the scanners.
namespace Chars {

enum : quint8 { Space = 1, Digit = 2, Alpha = 4, Hex = 8, Word = 16, NameExtra = 32 };

struct Table {
    quint8 bits[256];
    constexpr Table() : bits()
    {
        for (int c = 0; c < 256; ++c) {
            quint8 b = 0;
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v')
                b |= Space;
            if (c >= '0' && c <= '9')
                b |= Digit | Hex | Word | NameExtra;
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80)
                b |= Alpha | Word | NameExtra;
            if ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))
                b |= Hex;
            if (c == '-' || c == '.' || c == ':')
                b |= NameExtra;
            bits[c] = b;
        }
    }
};
inline constexpr Table kTable{};

inline bool is(char c, quint8 bit)
{
    return (kTable.bits[quint8(c)] & bit) != 0;
}
inline bool isSpace(char c) { return is(c, Space); }
inline bool isDigit(char c) { return is(c, Digit); }
inline bool isHex(char c) { return is(c, Hex); }
// Letters, '_' and every byte of a multi-byte character.
inline bool isWordStart(char c) { return is(c, Alpha); }
inline bool isWordChar(char c) { return is(c, Word); }
// Characters of tag and attribute names after the first.
inline bool isNameChar(char c) { return is(c, NameExtra); }
inline bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

inline char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

// The text at s[i] starts with the lower-case word, ignoring case, within to.
inline bool startsWithCI(const char *s, int i, int to, const char *word, int length)
{
    if (to - i < length)
        return false;
    for (int k = 0; k < length; ++k) {
        if (lower(s[i + k]) != word[k])
            return false;
    }
    return true;
}

inline bool startsWith(const char *s, int i, int to, const char *word, int length)
{
    return to - i >= length && std::memcmp(s + i, word, size_t(length)) == 0;
}

// The end of a quoted string whose text starts (after its opening quote) at i. The string
// ends past its closing quote or at a line break no backslash escapes (*ended true, the
// break not part of it); otherwise it goes on past to. A backslash escapes the next
// character, a CR LF pair as one.
inline int endOfQuoted(const char *s, int i, int to, char quote, bool *ended)
{
    *ended = false;
    int j = i;
    while (j < to) {
        if (s[j] == '\\') {
            j += j + 2 < to && s[j + 1] == '\r' && s[j + 2] == '\n' ? 3 : 2;
        } else if (s[j] == quote) {
            *ended = true;
            return j + 1;
        } else if (isLineEnd(s[j])) {
            *ended = true;
            return j;
        } else {
            ++j;
        }
    }
    return to;
}

inline int skipSpaces(const char *s, int i, int to)
{
    while (i < to && isSpace(s[i]))
        ++i;
    return i;
}

inline int skipWord(const char *s, int i, int to)
{
    while (i < to && isWordChar(s[i]))
        ++i;
    return i;
}

inline int lineEndFrom(const char *s, int i, int to)
{
    while (i < to && !isLineEnd(s[i]))
        ++i;
    return i;
}

// Position after the first occurrence of the two characters, or to when there is none.
inline int findPairEnd(const char *s, int i, int to, char a, char b, bool *found)
{
    while (i < to) {
        const void *p = std::memchr(s + i, a, size_t(to - i));
        if (!p)
            break;
        i = int(static_cast<const char *>(p) - s);
        if (i + 1 < to && s[i + 1] == b) {
            *found = true;
            return i + 2;
        }
        ++i;
    }
    *found = false;
    return to;
}

inline void fill(quint8 *st, int from, int to, quint8 style)
{
    if (to > from)
        std::memset(st + from, style, size_t(to - from));
}

// End of a C-like number starting at i: hexadecimal, decimal with fraction and exponent,
// and any suffix letters.
inline int numberEnd(const char *s, int i, int to)
{
    if (s[i] == '0' && i + 1 < to && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        i += 2;
        while (i < to && (isHex(s[i]) || s[i] == '_'))
            ++i;
        return skipWord(s, i, to);
    }
    while (i < to && (isDigit(s[i]) || s[i] == '_'))
        ++i;
    if (i + 1 < to && s[i] == '.' && isDigit(s[i + 1])) {
        ++i;
        while (i < to && (isDigit(s[i]) || s[i] == '_'))
            ++i;
    } else if (i < to && s[i] == '.') {
        ++i;
    }
    if (i < to && (s[i] == 'e' || s[i] == 'E')) {
        int k = i + 1;
        if (k < to && (s[k] == '+' || s[k] == '-'))
            ++k;
        if (k < to && isDigit(s[k]))
            i = k;
    }
    return skipWord(s, i, to);
}

// End of a character reference "&name;", "&#123;" or "&#x1F;" starting at i; -1 when the
// text there is none.
inline int entityEnd(const char *s, int i, int to)
{
    int k = i + 1;
    if (k < to && s[k] == '#') {
        ++k;
        const bool hex = k < to && (s[k] == 'x' || s[k] == 'X');
        if (hex)
            ++k;
        const int digits = k;
        while (k < to && (hex ? isHex(s[k]) : isDigit(s[k])))
            ++k;
        if (k == digits)
            return -1;
    } else {
        if (k >= to || !((s[k] >= 'a' && s[k] <= 'z') || (s[k] >= 'A' && s[k] <= 'Z')))
            return -1;
        while (k < to && ((s[k] >= 'a' && s[k] <= 'z') || (s[k] >= 'A' && s[k] <= 'Z')
                          || isDigit(s[k])))
            ++k;
    }
    return k < to && s[k] == ';' ? k + 1 : -1;
}

} // namespace Chars
} // namespace SyntaxScan
