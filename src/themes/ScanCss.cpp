// CSS scanner: selectors, at-rules, declarations and values, in nested blocks.
#include "themes/SyntaxScanners.h"
#include "themes/SyntaxWords.h"

namespace SyntaxScan {

using namespace Chars;
using A = SyntaxAttri;

namespace {

enum CssMode { CssCode, CssComment, CssStringSQ, CssStringDQ };
enum CssContext { CssSelector, CssDeclaration, CssValue, CssAtPrelude };
constexpr int kMaxDepth = 7;
constexpr int kTrackedDepth = 4;

// The state, unpacked: the mode, what the code means here, the block depth, which of the
// first blocks hold rules (a "@media" block) rather than declarations, and whether the
// at-rule being read opens such a block.
struct CssState {
    int Mode;
    int Context;
    int Depth;
    int RuleBlocks;
    bool AtRuleHoldsRules;

    explicit CssState(int state)
        : Mode(state & 3), Context((state >> 2) & 3), Depth((state >> 4) & 7),
          RuleBlocks((state >> 7) & 15), AtRuleHoldsRules((state >> 11) & 1)
    {
    }
    int pack() const
    {
        return Mode | (Context << 2) | (Depth << 4) | (RuleBlocks << 7) | (int(AtRuleHoldsRules) << 11);
    }
    bool holdsRules(int depth) const
    {
        return depth >= 1 && depth <= kTrackedDepth && ((RuleBlocks >> (depth - 1)) & 1);
    }
    int contextInBlock() const
    {
        return Depth > 0 && !holdsRules(Depth) ? CssDeclaration : CssSelector;
    }
    void open()
    {
        const bool rules = Context == CssAtPrelude && AtRuleHoldsRules;
        if (Depth < kMaxDepth)
            ++Depth;
        if (Depth <= kTrackedDepth) {
            const int bit = 1 << (Depth - 1);
            RuleBlocks = rules ? (RuleBlocks | bit) : (RuleBlocks & ~bit);
        }
        AtRuleHoldsRules = false;
        Context = rules ? CssSelector : CssDeclaration;
    }
    void close()
    {
        if (Depth > 0)
            --Depth;
        AtRuleHoldsRules = false;
        Context = contextInBlock();
    }
};

bool isCssNameChar(char c)
{
    return isWordChar(c) || c == '-';
}

int cssNameEnd(const char *s, int i, int to)
{
    while (i < to && isCssNameChar(s[i]))
        ++i;
    return i;
}

bool isKnownProperty(const char *s, int length)
{
    if (length > 2 && s[0] == '-' && s[1] == '-')
        return true; // custom property
    static const char *const prefixes[] = {"-webkit-", "-moz-", "-ms-", "-o-"};
    for (const char *prefix : prefixes) {
        const int n = int(std::strlen(prefix));
        if (length > n && startsWithCI(s, 0, length, prefix, n))
            return SyntaxWords::CssProperties().contains(s + n, length - n);
    }
    return SyntaxWords::CssProperties().contains(s, length);
}

// Inside a declaration block a name followed by "{" on its line starts a nested rule.
bool startsNestedRule(const char *s, int i, int to)
{
    for (; i < to && !isLineEnd(s[i]); ++i) {
        if (s[i] == '{')
            return true;
        if (s[i] == ';' || s[i] == '}')
            return false;
    }
    return false;
}

// A number with its unit: "12px", "-.5em", "100%".
int cssNumberEnd(const char *s, int i, int to)
{
    if (s[i] == '+' || s[i] == '-')
        ++i;
    while (i < to && isDigit(s[i]))
        ++i;
    if (i + 1 < to && s[i] == '.' && isDigit(s[i + 1])) {
        ++i;
        while (i < to && isDigit(s[i]))
            ++i;
    }
    if (i < to && s[i] == '%')
        return i + 1;
    return cssNameEnd(s, i, to);
}

bool startsCssNumber(const char *s, int i, int to)
{
    int k = i;
    if (s[k] == '+' || s[k] == '-')
        ++k;
    if (k < to && s[k] == '.')
        ++k;
    return k < to && isDigit(s[k]);
}

// A word of a value or an at-rule; an unquoted address "url(images/a.png)" is a string.
int cssWord(const char *s, int i, int to, quint8 *st)
{
    int j = cssNameEnd(s, i, to);
    fill(st, i, j, StyleByte(A::CSS_Value));
    if (j - i == 3 && startsWithCI(s, i, to, "url", 3) && j < to && s[j] == '(') {
        st[j++] = StyleByte(A::CSS_Symbol);
        const int k = skipSpaces(s, j, to);
        if (k < to && s[k] != '\'' && s[k] != '"') {
            int e = k;
            while (e < to && s[e] != ')' && !isLineEnd(s[e]))
                ++e;
            fill(st, j, e, StyleByte(A::CSS_String));
            j = e;
        }
    }
    return j;
}

} // namespace

int ScanCss(const char *s, int i, int to, int state, quint8 *st)
{
    CssState cs(state);
    while (i < to) {
        if (cs.Mode == CssComment) {
            bool found = false;
            const int j = findPairEnd(s, i, to, '*', '/', &found);
            fill(st, i, j, StyleByte(A::CSS_Comment));
            i = j;
            if (found)
                cs.Mode = CssCode;
            continue;
        }
        if (cs.Mode == CssStringSQ || cs.Mode == CssStringDQ) {
            const char quote = cs.Mode == CssStringSQ ? '\'' : '"';
            bool done = false;
            const int j = endOfQuoted(s, i, to, quote, &done);
            fill(st, i, j, StyleByte(A::CSS_String));
            i = j;
            if (done)
                cs.Mode = CssCode;
            continue;
        }

        const char c = s[i];
        if (isSpace(c)) {
            const int j = skipSpaces(s, i, to);
            fill(st, i, j, StyleByte(A::CSS_Space));
            i = j;
            continue;
        }
        if (c == '/' && i + 1 < to && s[i + 1] == '*') {
            fill(st, i, i + 2, StyleByte(A::CSS_Comment));
            i += 2;
            cs.Mode = CssComment;
            continue;
        }
        if (c == '\'' || c == '"') {
            st[i++] = StyleByte(A::CSS_String);
            cs.Mode = c == '\'' ? CssStringSQ : CssStringDQ;
            continue;
        }
        if (c == '{') {
            st[i++] = StyleByte(A::CSS_Symbol);
            cs.open();
            continue;
        }
        if (c == '}') {
            st[i++] = StyleByte(A::CSS_Symbol);
            cs.close();
            continue;
        }
        if (c == '@' && cs.Context != CssValue) {
            const int j = cssNameEnd(s, i + 1, to);
            fill(st, i, j, StyleByte(A::CSS_Key));
            cs.AtRuleHoldsRules = SyntaxWords::CssRuleBlockAtRules().contains(s + i + 1, j - i - 1);
            cs.Context = CssAtPrelude;
            i = j;
            continue;
        }

        switch (cs.Context) {
        case CssSelector:
            if (c == ',' || c == '>' || c == '+' || c == '~' || c == '(' || c == ')' || c == ';') {
                st[i++] = StyleByte(A::CSS_Symbol);
            } else {
                int j = i + 1;
                while (j < to && !isSpace(s[j]) && s[j] != '{' && s[j] != '}' && s[j] != ','
                       && s[j] != '>' && s[j] != '+' && s[j] != '~' && s[j] != '(' && s[j] != ')'
                       && s[j] != ';' && s[j] != '\'' && s[j] != '"'
                       && !(s[j] == '/' && j + 1 < to && s[j + 1] == '*'))
                    ++j;
                fill(st, i, j, StyleByte(A::CSS_Text));
                i = j;
            }
            break;
        case CssDeclaration:
            if (isCssNameChar(c)) {
                const int j = cssNameEnd(s, i, to);
                if (startsNestedRule(s, j, to)) {
                    cs.Context = CssSelector;
                    continue;
                }
                fill(st, i, j,
                     StyleByte(isKnownProperty(s + i, j - i) ? A::CSS_Property : A::CSS_UndefProperty));
                i = j;
            } else {
                if (c == ':')
                    cs.Context = CssValue;
                st[i++] = StyleByte(A::CSS_Symbol);
            }
            break;
        case CssValue:
            if (c == ';') {
                st[i++] = StyleByte(A::CSS_Symbol);
                cs.Context = CssDeclaration;
            } else if (c == '#' && i + 1 < to && isHex(s[i + 1])) {
                int j = i + 1;
                while (j < to && isHex(s[j]))
                    ++j;
                const int digits = j - i - 1;
                const bool color = (digits == 3 || digits == 4 || digits == 6 || digits == 8)
                                   && !(j < to && isCssNameChar(s[j]));
                j = cssNameEnd(s, j, to);
                fill(st, i, j, StyleByte(color ? A::CSS_Color : A::CSS_Value));
                i = j;
            } else if (startsCssNumber(s, i, to)) {
                const int j = cssNumberEnd(s, i, to);
                fill(st, i, j, StyleByte(A::CSS_Number));
                i = j;
            } else if (c == '!') {
                const int k = skipSpaces(s, i + 1, to);
                if (startsWithCI(s, k, to, "important", 9)) {
                    fill(st, i, k + 9, StyleByte(A::CSS_Key));
                    i = k + 9;
                } else {
                    st[i++] = StyleByte(A::CSS_Symbol);
                }
            } else if (isCssNameChar(c)) {
                i = cssWord(s, i, to, st);
            } else {
                st[i++] = StyleByte(A::CSS_Symbol);
            }
            break;
        case CssAtPrelude:
            if (c == ';') {
                st[i++] = StyleByte(A::CSS_Symbol);
                cs.AtRuleHoldsRules = false;
                cs.Context = cs.contextInBlock();
            } else if (startsCssNumber(s, i, to)) {
                const int j = cssNumberEnd(s, i, to);
                fill(st, i, j, StyleByte(A::CSS_Number));
                i = j;
            } else if (isCssNameChar(c)) {
                i = cssWord(s, i, to, st);
            } else {
                st[i++] = StyleByte(A::CSS_Symbol);
            }
            break;
        }
    }
    return cs.pack();
}

int CssLine(const char *s, int from, int to, int state, quint8 *st)
{
    return ScanCss(s, from, to, state, st);
}

} // namespace SyntaxScan
