// Scanners of SQL, C++, Pascal, assembler and batch files.
#include "themes/SyntaxScanners.h"
#include "themes/SyntaxWords.h"

namespace SyntaxScan {

using namespace Chars;
using A = SyntaxAttri;
namespace W = SyntaxWords;

namespace {

// Position after the closing quote from i (a doubled quote stays inside), or to;
// *found when it was there.
int doubledQuoteEnd(const char *s, int i, int to, char quote, bool *found)
{
    while (i < to) {
        const void *p = std::memchr(s + i, quote, size_t(to - i));
        if (!p)
            break;
        i = int(static_cast<const char *>(p) - s) + 1;
        if (i < to && s[i] == quote) {
            ++i;
            continue;
        }
        *found = true;
        return i;
    }
    *found = false;
    return to;
}

// Position after the character from i, or to.
int findCharEnd(const char *s, int i, int to, char c, bool *found)
{
    if (i >= to) {
        *found = false;
        return to;
    }
    const void *p = std::memchr(s + i, c, size_t(to - i));
    *found = p != nullptr;
    return p ? int(static_cast<const char *>(p) - s) + 1 : to;
}

} // namespace

// ---------------------------------------------------------------- SQL

namespace {
enum SqlMode { SqlCode, SqlComment, SqlConditional, SqlString, SqlQuoted, SqlBackQuoted };
// The previous word ("FROM", "JOIN", ...) makes the next identifier a table name.
constexpr int kSqlTableNext = 8;

A sqlWordAttri(const char *w, int n)
{
    if (W::SqlDataTypes().contains(w, n))
        return A::SQL_DataType;
    if (W::SqlFunctions().contains(w, n))
        return A::SQL_Function;
    if (W::SqlExceptions().contains(w, n))
        return A::SQL_Exception;
    if (W::SqlDefaultPackages().contains(w, n))
        return A::SQL_DefaultPackage;
    if (W::SqlPlsql().contains(w, n))
        return A::SQL_PLSQL;
    if (W::SqlKeywords().contains(w, n))
        return A::SQL_Key;
    return A::SQL_Identifier;
}
} // namespace

int SqlLine(const char *s, int i, int to, int state, quint8 *st)
{
    int mode = state & 7;
    bool tableNext = (state & kSqlTableNext) != 0;
    bool firstToken = true;
    while (i < to) {
        if (mode != SqlCode) {
            bool found = false;
            int j;
            A attri;
            if (mode == SqlComment || mode == SqlConditional) {
                j = findPairEnd(s, i, to, '*', '/', &found);
                attri = mode == SqlComment ? A::SQL_Comment : A::SQL_ConditionalComment;
            } else if (mode == SqlString) {
                j = doubledQuoteEnd(s, i, to, '\'', &found);
                attri = A::SQL_String;
            } else {
                j = doubledQuoteEnd(s, i, to, mode == SqlQuoted ? '"' : '`', &found);
                attri = A::SQL_DelimitedIdentifier;
            }
            fill(st, i, j, StyleByte(attri));
            i = j;
            if (found)
                mode = SqlCode;
            firstToken = false;
            continue;
        }
        const char c = s[i];
        if (isSpace(c)) {
            const int j = skipSpaces(s, i, to);
            fill(st, i, j, StyleByte(A::SQL_Space));
            i = j;
            continue;
        }
        const bool first = firstToken;
        firstToken = false;
        if (c == '-' && i + 1 < to && s[i + 1] == '-') {
            const int j = lineEndFrom(s, i, to);
            fill(st, i, j, StyleByte(A::SQL_Comment));
            i = j;
        } else if (c == '/' && i + 1 < to && s[i + 1] == '*') {
            mode = i + 2 < to && s[i + 2] == '!' ? SqlConditional : SqlComment;
            fill(st, i, i + 2, StyleByte(mode == SqlComment ? A::SQL_Comment : A::SQL_ConditionalComment));
            i += 2;
        } else if (c == '\'') {
            st[i++] = StyleByte(A::SQL_String);
            mode = SqlString;
        } else if (c == '"' || c == '`') {
            st[i++] = StyleByte(A::SQL_DelimitedIdentifier);
            mode = c == '"' ? SqlQuoted : SqlBackQuoted;
        } else if (c == '[') {
            bool found = false;
            const int j = findCharEnd(s, i, lineEndFrom(s, i, to), ']', &found);
            if (found) {
                fill(st, i, j, StyleByte(A::SQL_DelimitedIdentifier));
                i = j;
            } else {
                st[i++] = StyleByte(A::SQL_Symbol);
            }
        } else if ((c == '@' || c == ':' || c == '&' || c == '$') && i + 1 < to
                   && (isWordStart(s[i + 1]) || (c == '@' && s[i + 1] == '@'))) {
            const int j = skipWord(s, c == '@' && s[i + 1] == '@' ? i + 2 : i + 1, to);
            fill(st, i, j, StyleByte(A::SQL_Variable));
            i = j;
        } else if (isDigit(c) || (c == '.' && i + 1 < to && isDigit(s[i + 1]))) {
            const int j = numberEnd(s, i, to);
            fill(st, i, j, StyleByte(A::SQL_Number));
            i = j;
        } else if (isWordStart(c)) {
            int j = skipWord(s, i, to);
            const int n = j - i;
            A attri = sqlWordAttri(s + i, n);
            if (first && W::SqlPlus().contains(s + i, n)) {
                attri = A::SQL_SQLPlus;
                // SQL*Plus "REM" comments out its line.
                if ((n == 3 && startsWithCI(s, i, j, "rem", 3))
                    || (n == 6 && startsWithCI(s, i, j, "remark", 6))) {
                    attri = A::SQL_Comment;
                    j = lineEndFrom(s, i, to);
                }
            } else if (tableNext && attri == A::SQL_Identifier) {
                attri = A::SQL_TableName;
            }
            tableNext = W::SqlTableIntroducers().contains(s + i, n);
            fill(st, i, j, StyleByte(attri));
            i = j;
        } else {
            st[i++] = StyleByte(A::SQL_Symbol);
        }
    }
    return mode | (tableNext ? kSqlTableNext : 0);
}

// ---------------------------------------------------------------- C++

namespace {
enum CppMode { CppCode, CppComment, CppString };
// A preprocessor line ended with "\", so the next line goes on with it.
constexpr int kCppDirective = 8;
// Inside "asm { ... }".
constexpr int kCppAsmBlock = 16;

// End of a directive's text: the line end or the start of a comment.
int directiveEnd(const char *s, int i, int to)
{
    while (i < to && !isLineEnd(s[i])
           && !(s[i] == '/' && i + 1 < to && (s[i + 1] == '/' || s[i + 1] == '*')))
        ++i;
    return i;
}

bool endsWithBackslash(const char *s, int from, int lineEnd)
{
    while (lineEnd > from && (s[lineEnd - 1] == ' ' || s[lineEnd - 1] == '\t'))
        --lineEnd;
    return lineEnd > from && s[lineEnd - 1] == '\\';
}

A cppNumberAttri(const char *s, int i, int j)
{
    if (s[i] == '0' && j - i > 1 && (s[i + 1] == 'x' || s[i + 1] == 'X'))
        return A::CPP_Hex;
    for (int k = i; k < j; ++k) {
        if (s[k] == '.' || s[k] == 'e' || s[k] == 'E' || s[k] == 'f' || s[k] == 'F')
            return A::CPP_Float;
    }
    if (s[i] == '0' && j - i > 1 && isDigit(s[i + 1]))
        return A::CPP_Octal;
    return A::CPP_Number;
}
} // namespace

int CppLine(const char *s, int i, int to, int state, quint8 *st)
{
    int mode = state & 7;
    bool directive = (state & kCppDirective) != 0;
    bool asmBlock = (state & kCppAsmBlock) != 0;
    const int lineStart = i;
    bool firstToken = true;
    if (directive && mode == CppCode) {
        const int j = directiveEnd(s, i, to);
        fill(st, i, j, StyleByte(A::CPP_Direc));
        directive = j == lineEndFrom(s, i, to) && endsWithBackslash(s, lineStart, j);
        i = j;
        firstToken = false;
    } else {
        directive = false;
    }
    while (i < to) {
        if (mode == CppComment) {
            bool found = false;
            const int j = findPairEnd(s, i, to, '*', '/', &found);
            fill(st, i, j, StyleByte(A::CPP_Comment));
            i = j;
            if (found)
                mode = CppCode;
            continue;
        }
        if (mode == CppString) {
            bool done = false;
            const int j = endOfQuoted(s, i, to, '"', &done);
            fill(st, i, j, StyleByte(A::CPP_String));
            i = j;
            if (done)
                mode = CppCode;
            continue;
        }
        const char c = s[i];
        if (isSpace(c)) {
            const int j = skipSpaces(s, i, to);
            fill(st, i, j, StyleByte(A::CPP_Space));
            i = j;
            continue;
        }
        const bool first = firstToken;
        firstToken = false;
        if (c == '/' && i + 1 < to && s[i + 1] == '/') {
            const int j = lineEndFrom(s, i, to);
            fill(st, i, j, StyleByte(A::CPP_Comment));
            i = j;
        } else if (c == '/' && i + 1 < to && s[i + 1] == '*') {
            fill(st, i, i + 2, StyleByte(A::CPP_Comment));
            i += 2;
            mode = CppComment;
        } else if (asmBlock) {
            if (c == '}') {
                st[i++] = StyleByte(A::CPP_Symbol);
                asmBlock = false;
            } else {
                int j = i + 1;
                while (j < to && s[j] != '}' && !isLineEnd(s[j])
                       && !(s[j] == '/' && j + 1 < to && (s[j + 1] == '/' || s[j + 1] == '*')))
                    ++j;
                fill(st, i, j, StyleByte(A::CPP_Asm));
                i = j;
            }
        } else if (c == '#' && first) {
            const int j = directiveEnd(s, i, to);
            fill(st, i, j, StyleByte(A::CPP_Direc));
            directive = j == lineEndFrom(s, i, to) && endsWithBackslash(s, lineStart, j);
            i = j;
        } else if (c == '"') {
            st[i++] = StyleByte(A::CPP_String);
            mode = CppString;
        } else if (c == '\'') {
            int j = i + 1;
            while (j < to && s[j] != '\'' && !isLineEnd(s[j]))
                j += s[j] == '\\' ? 2 : 1;
            j = j < to && s[j] == '\'' ? j + 1 : (j < to ? j : to);
            fill(st, i, j, StyleByte(A::CPP_Char));
            i = j;
        } else if (isDigit(c) || (c == '.' && i + 1 < to && isDigit(s[i + 1]))) {
            const int j = numberEnd(s, i, to);
            fill(st, i, j, StyleByte(cppNumberAttri(s, i, j)));
            i = j;
        } else if (isWordStart(c) && quint8(c) < 0x80) {
            const int j = skipWord(s, i, to);
            const bool key = W::CppKeywords().contains(s + i, j - i);
            fill(st, i, j, StyleByte(key ? A::CPP_Key : A::CPP_Identifier));
            const int n = j - i;
            const bool isAsm = key && ((n == 3 && startsWith(s, i, j, "asm", 3))
                                       || (n == 4 && startsWith(s, i, j, "_asm", 4))
                                       || (n == 5 && startsWith(s, i, j, "__asm", 5)));
            i = j;
            if (isAsm) {
                const int k = skipSpaces(s, i, lineEndFrom(s, i, to));
                if (k < to && s[k] == '{') {
                    fill(st, i, k, StyleByte(A::CPP_Space));
                    st[k] = StyleByte(A::CPP_Symbol);
                    i = k + 1;
                    asmBlock = true;
                } else if (k < to && s[k] != '(' && !isLineEnd(s[k])) {
                    // One-line form: "__asm mov eax, 1"
                    const int e = directiveEnd(s, k, to);
                    fill(st, i, k, StyleByte(A::CPP_Space));
                    fill(st, k, e, StyleByte(A::CPP_Asm));
                    i = e;
                }
            }
        } else if (c == '@' || c == '$' || c == '`' || c == '\\' || quint8(c) >= 0x80) {
            st[i++] = StyleByte(A::CPP_Invalid);
        } else {
            st[i++] = StyleByte(A::CPP_Symbol);
        }
    }
    return mode | (directive ? kCppDirective : 0) | (asmBlock ? kCppAsmBlock : 0);
}

// ---------------------------------------------------------------- Pascal

namespace {
enum PasMode { PasCode, PasBraceComment, PasParenComment, PasBraceDirective, PasParenDirective };
// Between "asm" and its "end".
constexpr int kPasAsm = 8;
} // namespace

int PasLine(const char *s, int i, int to, int state, quint8 *st)
{
    int mode = state & 7;
    bool inAsm = (state & kPasAsm) != 0;
    while (i < to) {
        if (mode != PasCode) {
            bool found = false;
            const bool brace = mode == PasBraceComment || mode == PasBraceDirective;
            const int j = brace ? findCharEnd(s, i, to, '}', &found)
                                : findPairEnd(s, i, to, '*', ')', &found);
            const bool directive = mode == PasBraceDirective || mode == PasParenDirective;
            fill(st, i, j, StyleByte(directive ? A::PAS_Directive : A::PAS_Comment));
            i = j;
            if (found)
                mode = PasCode;
            continue;
        }
        const char c = s[i];
        if (isSpace(c)) {
            const int j = skipSpaces(s, i, to);
            fill(st, i, j, StyleByte(A::PAS_Space));
            i = j;
        } else if (c == '/' && i + 1 < to && s[i + 1] == '/') {
            const int j = lineEndFrom(s, i, to);
            fill(st, i, j, StyleByte(A::PAS_Comment));
            i = j;
        } else if (c == '{') {
            mode = i + 1 < to && s[i + 1] == '$' ? PasBraceDirective : PasBraceComment;
            st[i++] = StyleByte(mode == PasBraceDirective ? A::PAS_Directive : A::PAS_Comment);
        } else if (c == '(' && i + 1 < to && s[i + 1] == '*') {
            mode = i + 2 < to && s[i + 2] == '$' ? PasParenDirective : PasParenComment;
            fill(st, i, i + 2, StyleByte(mode == PasParenDirective ? A::PAS_Directive : A::PAS_Comment));
            i += 2;
        } else if (inAsm) {
            if (isWordStart(c)) {
                const int j = skipWord(s, i, to);
                const bool end = j - i == 3 && startsWithCI(s, i, j, "end", 3);
                fill(st, i, j, StyleByte(end ? A::PAS_Key : A::PAS_Asm));
                inAsm = !end;
                i = j;
            } else {
                st[i++] = StyleByte(A::PAS_Asm);
            }
        } else if (c == '\'') {
            bool found = false;
            const int j = doubledQuoteEnd(s, i + 1, lineEndFrom(s, i, to), '\'', &found);
            fill(st, i, j, StyleByte(A::PAS_String));
            i = j;
        } else if (c == '#' && i + 1 < to && (isDigit(s[i + 1]) || s[i + 1] == '$')) {
            int j = i + 1;
            if (s[j] == '$') {
                ++j;
                while (j < to && isHex(s[j]))
                    ++j;
            } else {
                while (j < to && isDigit(s[j]))
                    ++j;
            }
            fill(st, i, j, StyleByte(A::PAS_Char));
            i = j;
        } else if (c == '$' && i + 1 < to && isHex(s[i + 1])) {
            int j = i + 1;
            while (j < to && isHex(s[j]))
                ++j;
            fill(st, i, j, StyleByte(A::PAS_Hex));
            i = j;
        } else if (isDigit(c)) {
            int j = i;
            bool isFloat = false;
            while (j < to && isDigit(s[j]))
                ++j;
            if (j + 1 < to && s[j] == '.' && isDigit(s[j + 1])) {
                isFloat = true;
                j += 2;
                while (j < to && isDigit(s[j]))
                    ++j;
            }
            if (j < to && (s[j] == 'e' || s[j] == 'E')) {
                int k = j + 1;
                if (k < to && (s[k] == '+' || s[k] == '-'))
                    ++k;
                if (k < to && isDigit(s[k])) {
                    isFloat = true;
                    j = k;
                    while (j < to && isDigit(s[j]))
                        ++j;
                }
            }
            fill(st, i, j, StyleByte(isFloat ? A::PAS_Float : A::PAS_Number));
            i = j;
        } else if (isWordStart(c)) {
            const int j = skipWord(s, i, to);
            const bool key = W::PasKeywords().contains(s + i, j - i);
            fill(st, i, j, StyleByte(key ? A::PAS_Key : A::PAS_Identifier));
            if (key && j - i == 3 && startsWithCI(s, i, j, "asm", 3))
                inAsm = true;
            i = j;
        } else {
            st[i++] = StyleByte(A::PAS_Symbol);
        }
    }
    return mode | (inAsm ? kPasAsm : 0);
}

// ---------------------------------------------------------------- Assembler

int AsmLine(const char *s, int i, int to, int, quint8 *st)
{
    while (i < to) {
        const char c = s[i];
        if (isSpace(c)) {
            const int j = skipSpaces(s, i, to);
            fill(st, i, j, StyleByte(A::ASM_Space));
            i = j;
        } else if (c == ';') {
            const int j = lineEndFrom(s, i, to);
            fill(st, i, j, StyleByte(A::ASM_Comment));
            i = j;
        } else if (c == '"' || c == '\'') {
            bool found = false;
            const int j = findCharEnd(s, i + 1, lineEndFrom(s, i, to), c, &found);
            fill(st, i, j, StyleByte(A::ASM_String));
            i = j;
        } else if (isDigit(c)) {
            const int j = numberEnd(s, i, to);
            fill(st, i, j, StyleByte(A::ASM_Number));
            i = j;
        } else if (isWordStart(c) || (c == '.' && i + 1 < to && isWordStart(s[i + 1]))) {
            const int start = c == '.' ? i + 1 : i;
            const int j = skipWord(s, start, to);
            const bool key = W::AsmKeywords().contains(s + start, j - start);
            fill(st, i, j, StyleByte(key ? A::ASM_Key : A::ASM_Identifier));
            i = j;
        } else {
            st[i++] = StyleByte(A::ASM_Symbol);
        }
    }
    return 0;
}

// ---------------------------------------------------------------- Batch

int BatLine(const char *s, int i, int to, int, quint8 *st)
{
    const int lineEnd = lineEndFrom(s, i, to);
    int k = skipSpaces(s, i, lineEnd);
    fill(st, i, k, StyleByte(A::BAT_Space));
    i = k;
    if (i < lineEnd && s[i] == '@') {
        st[i++] = StyleByte(A::BAT_Key);
    }
    // "::" and "rem" comment out the whole line.
    const bool remark = startsWithCI(s, i, lineEnd, "rem", 3)
                        && (i + 3 == lineEnd || isSpace(s[i + 3]));
    if (startsWith(s, i, lineEnd, "::", 2) || remark) {
        fill(st, i, lineEnd, StyleByte(A::BAT_Comment));
        i = lineEnd;
    }
    while (i < to) {
        const char c = s[i];
        if (isSpace(c)) {
            const int j = skipSpaces(s, i, to);
            fill(st, i, j, StyleByte(A::BAT_Space));
            i = j;
        } else if (c == '%') {
            int j = i + 1;
            if (j < lineEnd && s[j] == '%' && j + 1 < lineEnd && !isSpace(s[j + 1])) {
                j += 2; // %%i
            } else if (j < lineEnd && (isDigit(s[j]) || s[j] == '*')) {
                ++j; // %1, %*
            } else if (j < lineEnd && s[j] == '~') {
                ++j; // %~dp0
                while (j < lineEnd && isWordStart(s[j]))
                    ++j;
                if (j < lineEnd && (isDigit(s[j]) || s[j] == '$'))
                    ++j;
            } else {
                bool found = false;
                const int e = findCharEnd(s, j, lineEnd, '%', &found);
                j = found && e - j > 1 ? e : i + 1; // %NAME%
            }
            fill(st, i, j, StyleByte(j > i + 1 ? A::BAT_Variable : A::BAT_Identifier));
            i = j;
        } else if (c == '!' && i + 1 < lineEnd && isWordStart(s[i + 1])) {
            const int e = skipWord(s, i + 1, lineEnd);
            const bool delayed = e < lineEnd && s[e] == '!';
            const int j = delayed ? e + 1 : i + 1;
            fill(st, i, j, StyleByte(delayed ? A::BAT_Variable : A::BAT_Identifier));
            i = j;
        } else if (isDigit(c)) {
            int j = i;
            while (j < to && isDigit(s[j]))
                ++j;
            const bool number = j >= to || !isWordChar(s[j]);
            if (!number)
                j = skipWord(s, j, to);
            fill(st, i, j, StyleByte(number ? A::BAT_Number : A::BAT_Identifier));
            i = j;
        } else if (isWordStart(c)) {
            const int j = skipWord(s, i, to);
            fill(st, i, j,
                 StyleByte(W::BatKeywords().contains(s + i, j - i) ? A::BAT_Key : A::BAT_Identifier));
            i = j;
        } else {
            st[i++] = StyleByte(A::BAT_Identifier);
        }
    }
    return 0;
}

} // namespace SyntaxScan
