// JavaScript and PHP scanners.
#include "themes/SyntaxScanners.h"
#include "themes/SyntaxWords.h"

namespace SyntaxScan {

using namespace Chars;
using A = SyntaxAttri;

namespace {

enum JsMode { JsCode, JsBlockComment, JsLineComment, JsStringSQ, JsStringDQ, JsTemplate };
// Set after a value: a "/" that follows divides instead of starting a regular expression.
constexpr int JsAfterValue = 8;

// End of the regular expression literal starting at i, or -1 when the line holds none.
int regexEnd(const char *s, int i, int to)
{
    bool inClass = false;
    for (int k = i + 1; k < to; ++k) {
        const char c = s[k];
        if (isLineEnd(c))
            return -1;
        if (c == '\\') {
            ++k;
        } else if (c == '[') {
            inClass = true;
        } else if (c == ']') {
            inClass = false;
        } else if (c == '/' && !inClass) {
            return skipWord(s, k + 1, to);
        }
    }
    return -1;
}

// End of a quoted string's part from i; sets *closed when the closing quote was found. A line
// break ends the string unless escaped or `multiLine`.
int stringEnd(const char *s, int i, int to, char quote, bool multiLine, bool *closed)
{
    *closed = false;
    while (i < to) {
        const char c = s[i];
        if (c == '\\') {
            // An escaped CR LF continues the string as one escape.
            i += (i + 2 < to && s[i + 1] == '\r' && s[i + 2] == '\n') ? 3 : 2;
            continue;
        }
        if (c == quote) {
            *closed = true;
            return i + 1;
        }
        if (!multiLine && isLineEnd(c)) {
            *closed = true;
            return i;
        }
        ++i;
    }
    return to;
}

bool isJsValueWord(const char *s, int length)
{
    static const WordSet values({"this", "super", "true", "false", "null"}, true);
    return values.contains(s, length);
}

} // namespace

int ScanJs(const char *s, int i, int to, int state, quint8 *st)
{
    int mode = state & 7;
    bool afterValue = (state & JsAfterValue) != 0;
    while (i < to) {
        switch (mode) {
        case JsBlockComment: {
            bool found = false;
            const int j = findPairEnd(s, i, to, '*', '/', &found);
            fill(st, i, j, StyleByte(A::JS_Comment));
            i = j;
            if (found)
                mode = JsCode;
            continue;
        }
        case JsLineComment: {
            const int j = lineEndFrom(s, i, to);
            fill(st, i, j, StyleByte(A::JS_Comment));
            i = j;
            if (j < to)
                mode = JsCode;
            continue;
        }
        case JsStringSQ:
        case JsStringDQ:
        case JsTemplate: {
            const char quote = mode == JsStringSQ ? '\'' : mode == JsStringDQ ? '"' : '`';
            bool closed = false;
            const int j = stringEnd(s, i, to, quote, mode == JsTemplate, &closed);
            fill(st, i, j, StyleByte(A::JS_String));
            i = j;
            if (closed) {
                mode = JsCode;
                afterValue = true;
            }
            continue;
        }
        default:
            break;
        }

        const char c = s[i];
        if (isSpace(c)) {
            const int j = skipSpaces(s, i, to);
            fill(st, i, j, StyleByte(A::JS_Space));
            i = j;
        } else if (c == '/' && i + 1 < to && s[i + 1] == '/') {
            mode = JsLineComment;
        } else if (c == '/' && i + 1 < to && s[i + 1] == '*') {
            fill(st, i, i + 2, StyleByte(A::JS_Comment));
            i += 2;
            mode = JsBlockComment;
        } else if (c == '/' && !afterValue && regexEnd(s, i, to) > 0) {
            const int j = regexEnd(s, i, to);
            fill(st, i, j, StyleByte(A::JS_String));
            i = j;
            afterValue = true;
        } else if (c == '\'' || c == '"' || c == '`') {
            mode = c == '\'' ? JsStringSQ : c == '"' ? JsStringDQ : JsTemplate;
            st[i++] = StyleByte(A::JS_String);
        } else if (isDigit(c) || (c == '.' && i + 1 < to && isDigit(s[i + 1]))) {
            const int j = numberEnd(s, i, to);
            fill(st, i, j, StyleByte(A::JS_Number));
            i = j;
            afterValue = true;
        } else if (isWordStart(c) || c == '$') {
            int j = i + 1;
            while (j < to && (isWordChar(s[j]) || s[j] == '$'))
                ++j;
            const int length = j - i;
            A attri = A::JS_Identifier;
            afterValue = true;
            if (SyntaxWords::JsKeywords().contains(s + i, length)) {
                attri = A::JS_Key;
                afterValue = isJsValueWord(s + i, length);
            } else if (SyntaxWords::JsEvents().contains(s + i, length)) {
                attri = A::JS_Event;
            } else if (SyntaxWords::JsNonReserved().contains(s + i, length)) {
                attri = A::JS_NonReservedKey;
            }
            fill(st, i, j, StyleByte(attri));
            i = j;
        } else {
            st[i++] = StyleByte(A::JS_Symbol);
            afterValue = c == ')' || c == ']';
        }
    }
    return mode | (afterValue ? JsAfterValue : 0);
}

int JsLine(const char *s, int from, int to, int state, quint8 *st)
{
    return ScanJs(s, from, to, state, st);
}

namespace {

enum PhpMode { PhpCode, PhpBlockComment, PhpLineComment, PhpStringSQ, PhpStringDQ, PhpBacktick };

bool isPhpClose(const char *s, int i, int to)
{
    return s[i] == '?' && i + 1 < to && s[i + 1] == '>';
}

// A double-quoted string from i with its "$name" parts as variables.
int phpInterpolated(const char *s, int i, int to, char quote, quint8 *st, bool *closed)
{
    *closed = false;
    while (i < to) {
        const char c = s[i];
        if (c == '\\') {
            const int j = i + 2 <= to ? i + 2 : to;
            fill(st, i, j, StyleByte(A::PHP_String));
            i = j;
        } else if (c == quote) {
            st[i++] = StyleByte(A::PHP_String);
            *closed = true;
            return i;
        } else if (c == '$' && i + 1 < to && isWordStart(s[i + 1])) {
            const int j = skipWord(s, i + 1, to);
            fill(st, i, j, StyleByte(A::PHP_Variable));
            i = j;
        } else {
            st[i++] = StyleByte(A::PHP_String);
        }
    }
    return to;
}

} // namespace

int ScanPhp(const char *s, int i, int to, int &state, quint8 *st, bool embedded, bool *closed)
{
    *closed = false;
    int mode = state & 7;
    while (i < to) {
        switch (mode) {
        case PhpBlockComment: {
            bool found = false;
            const int j = findPairEnd(s, i, to, '*', '/', &found);
            fill(st, i, j, StyleByte(A::PHP_Comment));
            i = j;
            if (found)
                mode = PhpCode;
            continue;
        }
        case PhpLineComment: {
            // "?>" ends PHP even inside a line comment.
            int j = i;
            while (j < to && !isLineEnd(s[j]) && !(embedded && isPhpClose(s, j, to)))
                ++j;
            fill(st, i, j, StyleByte(A::PHP_Comment));
            i = j;
            if (j < to)
                mode = PhpCode;
            continue;
        }
        case PhpStringSQ:
        case PhpStringDQ:
        case PhpBacktick: {
            bool done = false;
            int j;
            if (mode == PhpStringSQ) {
                j = stringEnd(s, i, to, '\'', true, &done);
                fill(st, i, j, StyleByte(A::PHP_String));
            } else {
                j = phpInterpolated(s, i, to, mode == PhpStringDQ ? '"' : '`', st, &done);
            }
            i = j;
            if (done)
                mode = PhpCode;
            continue;
        }
        default:
            break;
        }

        const char c = s[i];
        if (embedded && isPhpClose(s, i, to)) {
            fill(st, i, i + 2, MarkerByte(Sch_PHP));
            state = PhpCode;
            *closed = true;
            return i + 2;
        }
        if (isSpace(c)) {
            const int j = skipSpaces(s, i, to);
            fill(st, i, j, StyleByte(A::PHP_Space));
            i = j;
        } else if ((c == '#' && !(i + 1 < to && s[i + 1] == '['))
                   || (c == '/' && i + 1 < to && s[i + 1] == '/')) {
            mode = PhpLineComment;
        } else if (c == '/' && i + 1 < to && s[i + 1] == '*') {
            fill(st, i, i + 2, StyleByte(A::PHP_Comment));
            i += 2;
            mode = PhpBlockComment;
        } else if (c == '\'' || c == '"' || c == '`') {
            mode = c == '\'' ? PhpStringSQ : c == '"' ? PhpStringDQ : PhpBacktick;
            st[i++] = StyleByte(A::PHP_String);
        } else if (c == '$' && i + 1 < to && isWordStart(s[i + 1])) {
            const int j = skipWord(s, i + 1, to);
            fill(st, i, j, StyleByte(A::PHP_Variable));
            i = j;
        } else if (isDigit(c) || (c == '.' && i + 1 < to && isDigit(s[i + 1]))) {
            const int j = numberEnd(s, i, to);
            fill(st, i, j, StyleByte(A::PHP_Number));
            i = j;
        } else if (isWordStart(c)) {
            const int j = skipWord(s, i, to);
            fill(st, i, j,
                 StyleByte(SyntaxWords::PhpKeywords().contains(s + i, j - i) ? A::PHP_Key
                                                                             : A::PHP_Identifier));
            i = j;
        } else {
            st[i++] = StyleByte(A::PHP_Symbol);
        }
    }
    state = mode;
    return to;
}

int PhpLine(const char *s, int from, int to, int state, quint8 *st)
{
    bool closed = false;
    ScanPhp(s, from, to, state, st, false, &closed);
    return state;
}

} // namespace SyntaxScan
