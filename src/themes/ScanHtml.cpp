// HTML scanner and the multi-language scanner that hands the parts inside <script>, <style>
// and <? ?> to the JavaScript, CSS and PHP scanners.
#include "themes/SyntaxScanners.h"
#include "themes/SyntaxWords.h"

namespace SyntaxScan {

using namespace Chars;
using A = SyntaxAttri;

namespace {

enum HtmlMode { HtmlText, HtmlAttr, HtmlAfterEq, HtmlValueDQ, HtmlValueSQ, HtmlComment };
// What the tag being read is: it decides the colour of its brackets and what follows it.
enum HtmlTag { TagKnown, TagUnknown, TagScript, TagStyle };

quint8 tagStyle(int tag)
{
    switch (tag) {
    case TagKnown: return StyleByte(A::HTML_Key);
    case TagUnknown: return StyleByte(A::HTML_UndefKey);
    case TagScript: return MarkerByte(Sch_Javascript);
    default: return MarkerByte(Sch_CSS);
    }
}

bool isTagNameStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A tag starts at s[i] == '<': "<name", "</name" or "<!name".
bool startsTag(const char *s, int i, int to)
{
    int k = i + 1;
    if (k < to && (s[k] == '/' || s[k] == '!'))
        ++k;
    return k < to && isTagNameStart(s[k]);
}

} // namespace

int ScanHtml(const char *s, int i, int to, int &state, quint8 *st, bool embedded,
             HtmlRegion *region)
{
    *region = HtmlRegion::Html;
    int mode = state & 7;
    if (mode > HtmlComment)
        mode = HtmlText;
    int tag = (state >> 3) & 3;
    while (i < to) {
        const char c = s[i];
        switch (mode) {
        case HtmlText:
            if (c == '<') {
                if (startsWith(s, i, to, "<!--", 4)) {
                    fill(st, i, i + 4, StyleByte(A::HTML_Comment));
                    i += 4;
                    mode = HtmlComment;
                } else if (startsTag(s, i, to)) {
                    const bool closing = s[i + 1] == '/';
                    const int nameStart = closing ? i + 2 : i + 1;
                    int j = nameStart + 1;
                    while (j < to && isNameChar(s[j]))
                        ++j;
                    const int length = j - nameStart;
                    if (embedded && !closing && length == 6
                        && startsWithCI(s, nameStart, j, "script", 6))
                        tag = TagScript;
                    else if (embedded && !closing && length == 5
                             && startsWithCI(s, nameStart, j, "style", 5))
                        tag = TagStyle;
                    else
                        tag = SyntaxWords::HtmlTags().contains(s + nameStart, length) ? TagKnown
                                                                                     : TagUnknown;
                    fill(st, i, j, tagStyle(tag));
                    i = j;
                    mode = HtmlAttr;
                } else {
                    st[i++] = StyleByte(A::HTML_Text);
                }
            } else if (c == '&') {
                const int j = entityEnd(s, i, to);
                if (j > 0) {
                    fill(st, i, j, StyleByte(A::HTML_And));
                    i = j;
                } else {
                    st[i++] = StyleByte(A::HTML_Text);
                }
            } else if (isSpace(c)) {
                const int j = skipSpaces(s, i, to);
                fill(st, i, j, StyleByte(A::HTML_Space));
                i = j;
            } else {
                int j = i + 1;
                while (j < to && s[j] != '<' && s[j] != '&' && !isSpace(s[j]))
                    ++j;
                fill(st, i, j, StyleByte(A::HTML_Text));
                i = j;
            }
            break;
        case HtmlAttr:
        case HtmlAfterEq:
            if (isSpace(c)) {
                const int j = skipSpaces(s, i, to);
                fill(st, i, j, StyleByte(A::HTML_Space));
                i = j;
            } else if (c == '>' || (c == '/' && i + 1 < to && s[i + 1] == '>')) {
                // "/>" closes the element too, so a self-closed script opens no block.
                const int j = c == '>' ? i + 1 : i + 2;
                fill(st, i, j, tagStyle(tag));
                i = j;
                mode = HtmlText;
                if (embedded && c == '>' && (tag == TagScript || tag == TagStyle)) {
                    *region = tag == TagScript ? HtmlRegion::Script : HtmlRegion::Style;
                    state = HtmlText;
                    return i;
                }
            } else if (c == '"' || c == '\'') {
                st[i++] = StyleByte(A::HTML_Value);
                mode = c == '"' ? HtmlValueDQ : HtmlValueSQ;
            } else if (c == '<' && startsTag(s, i, to)) {
                // A tag left open: the new tag ends it, so one missing ">" spoils no more.
                mode = HtmlText;
            } else if (mode == HtmlAfterEq) {
                int j = i + 1;
                while (j < to && !isSpace(s[j]) && s[j] != '>')
                    ++j;
                fill(st, i, j, StyleByte(A::HTML_Value));
                i = j;
                if (j < to)
                    mode = HtmlAttr;
            } else if (c == '=') {
                st[i++] = StyleByte(A::HTML_Symbol);
                mode = HtmlAfterEq;
            } else if (isNameChar(c)) {
                int j = i + 1;
                while (j < to && isNameChar(s[j]))
                    ++j;
                fill(st, i, j, StyleByte(A::HTML_Identifier));
                i = j;
            } else {
                st[i++] = StyleByte(A::HTML_Symbol);
            }
            break;
        case HtmlValueDQ:
        case HtmlValueSQ: {
            const char quote = mode == HtmlValueDQ ? '"' : '\'';
            const void *p = std::memchr(s + i, quote, size_t(to - i));
            const int j = p ? int(static_cast<const char *>(p) - s) + 1 : to;
            fill(st, i, j, StyleByte(A::HTML_Value));
            i = j;
            if (p)
                mode = HtmlAttr;
            break;
        }
        case HtmlComment: {
            int j = i;
            bool found = false;
            while (j < to) {
                const void *p = std::memchr(s + j, '-', size_t(to - j));
                if (!p) {
                    j = to;
                    break;
                }
                j = int(static_cast<const char *>(p) - s);
                if (startsWith(s, j, to, "-->", 3)) {
                    j += 3;
                    found = true;
                    break;
                }
                ++j;
            }
            fill(st, i, j, StyleByte(A::HTML_Comment));
            i = j;
            if (found)
                mode = HtmlText;
            break;
        }
        }
    }
    state = mode | (tag << 3);
    return to;
}

int HtmlLine(const char *s, int from, int to, int state, quint8 *st)
{
    HtmlRegion region;
    ScanHtml(s, from, to, state, st, false, &region);
    return state;
}

namespace {

// The state of the multi-language scanner: the block the text is in (plain HTML, script or
// style) with that language's own state, and whether PHP has the text, with PHP's state. PHP
// can open anywhere, even inside a script or an attribute value; when it closes, the text
// around it goes on where it stopped.
constexpr int kRegionBits = 0x3;
constexpr int kInPhp = 0x4;
constexpr int kOuterShift = 3;
constexpr int kOuterMask = 0x3FFF;
constexpr int kPhpShift = 17;
constexpr int kPhpMask = 0xFF;

// Start of the next "<?", or of the closer of the block (when there is one) as *isCloser.
int findBreak(const char *s, int i, int to, const char *closer, int closerLength, bool *isCloser)
{
    *isCloser = false;
    while (i < to) {
        const void *p = std::memchr(s + i, '<', size_t(to - i));
        if (!p)
            return to;
        i = int(static_cast<const char *>(p) - s);
        if (i + 1 < to && s[i + 1] == '?')
            return i;
        if (closer && startsWithCI(s, i, to, closer, closerLength)
            && !(i + closerLength < to && isNameChar(s[i + closerLength]))) {
            *isCloser = true;
            return i;
        }
        ++i;
    }
    return to;
}

// Length of the PHP opener at i: "<?php", "<?=" or "<?".
int phpOpenerLength(const char *s, int i, int to)
{
    if (startsWithCI(s, i + 2, to, "php", 3) && !(i + 5 < to && isWordChar(s[i + 5])))
        return 5;
    if (i + 2 < to && s[i + 2] == '=')
        return 3;
    return 2;
}

} // namespace

int MultiLine(const char *s, int i, int to, int state, quint8 *st)
{
    HtmlRegion region = HtmlRegion(state & kRegionBits);
    if (region > HtmlRegion::Style)
        region = HtmlRegion::Html;
    bool inPhp = (state & kInPhp) != 0;
    int outer = (state >> kOuterShift) & kOuterMask;
    int php = (state >> kPhpShift) & kPhpMask;

    while (i < to) {
        if (inPhp) {
            bool closed = false;
            i = ScanPhp(s, i, to, php, st, true, &closed);
            if (closed)
                inPhp = false;
            continue;
        }
        const char *closer = region == HtmlRegion::Script ? "</script"
                             : region == HtmlRegion::Style ? "</style"
                                                           : nullptr;
        const int closerLength = region == HtmlRegion::Script ? 8 : 7;
        bool isCloser = false;
        const int stop = findBreak(s, i, to, closer, closerLength, &isCloser);
        if (i < stop) {
            switch (region) {
            case HtmlRegion::Html: {
                HtmlRegion opened;
                i = ScanHtml(s, i, stop, outer, st, true, &opened);
                if (opened != HtmlRegion::Html) {
                    region = opened;
                    outer = 0;
                }
                continue;
            }
            case HtmlRegion::Script:
                outer = ScanJs(s, i, stop, outer, st);
                break;
            case HtmlRegion::Style:
                outer = ScanCss(s, i, stop, outer, st);
                break;
            }
            i = stop;
        }
        if (i >= to)
            break;
        if (isCloser) {
            // The closing tag, with its ">" when the line has it.
            int j = i + closerLength;
            const int k = skipSpaces(s, j, to);
            if (k < to && s[k] == '>')
                j = k + 1;
            fill(st, i, j, MarkerByte(region == HtmlRegion::Script ? Sch_Javascript : Sch_CSS));
            i = j;
            region = HtmlRegion::Html;
            outer = 0;
        } else {
            const int j = i + phpOpenerLength(s, i, to);
            fill(st, i, j, MarkerByte(Sch_PHP));
            i = j;
            inPhp = true;
            php = 0;
        }
    }
    return int(region) | (inPhp ? kInPhp : 0) | ((outer & kOuterMask) << kOuterShift)
           | ((php & kPhpMask) << kPhpShift);
}

} // namespace SyntaxScan
