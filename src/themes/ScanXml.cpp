// XML scanner.
#include "themes/SyntaxScanners.h"

namespace SyntaxScan {

using namespace Chars;
using A = SyntaxAttri;

namespace {

enum XmlMode {
    XmlText,
    XmlAttr,
    XmlAfterEq,
    XmlValueDQ,
    XmlValueSQ,
    XmlComment,
    XmlCData,
    XmlPI,
    XmlDocType
};
// The attribute being read declares a namespace ("xmlns", "xmlns:x").
constexpr int kNamespace = 0x10;
// Inside the internal subset "[...]" of a document type declaration.
constexpr int kSubset = 0x20;

// Position after the terminator, or to; *found when it was there.
int findEnd(const char *s, int i, int to, const char *terminator, int length, bool *found)
{
    while (i < to) {
        const void *p = std::memchr(s + i, terminator[0], size_t(to - i));
        if (!p)
            break;
        i = int(static_cast<const char *>(p) - s);
        if (startsWith(s, i, to, terminator, length)) {
            *found = true;
            return i + length;
        }
        ++i;
    }
    *found = false;
    return to;
}

bool isXmlNameStart(char c)
{
    return isWordStart(c) || c == ':';
}

} // namespace

int XmlLine(const char *s, int i, int to, int state, quint8 *st)
{
    int mode = state & 0xF;
    if (mode > XmlDocType)
        mode = XmlText;
    bool ns = (state & kNamespace) != 0;
    bool subset = (state & kSubset) != 0;
    while (i < to) {
        const char c = s[i];
        switch (mode) {
        case XmlText:
            if (c == '<') {
                if (startsWith(s, i, to, "<!--", 4)) {
                    fill(st, i, i + 4, StyleByte(A::XML_Comment));
                    i += 4;
                    mode = XmlComment;
                } else if (startsWith(s, i, to, "<![CDATA[", 9)) {
                    fill(st, i, i + 9, StyleByte(A::XML_CDATA));
                    i += 9;
                    mode = XmlCData;
                } else if (startsWith(s, i, to, "<!", 2)) {
                    fill(st, i, i + 2, StyleByte(A::XML_DocType));
                    i += 2;
                    mode = XmlDocType;
                    subset = false;
                } else if (startsWith(s, i, to, "<?", 2)) {
                    fill(st, i, i + 2, StyleByte(A::XML_ProcessingInstruction));
                    i += 2;
                    mode = XmlPI;
                } else {
                    int j = i + 1;
                    if (j < to && s[j] == '/')
                        ++j;
                    fill(st, i, j, StyleByte(A::XML_Symbol));
                    i = j;
                    if (j < to && isXmlNameStart(s[j])) {
                        while (j < to && isNameChar(s[j]))
                            ++j;
                        fill(st, i, j, StyleByte(A::XML_Element));
                        i = j;
                        mode = XmlAttr;
                    }
                }
            } else if (c == '&') {
                const int j = entityEnd(s, i, to);
                if (j > 0) {
                    fill(st, i, j, StyleByte(A::XML_EntityRef));
                    i = j;
                } else {
                    st[i++] = StyleByte(A::XML_Text);
                }
            } else if (isSpace(c)) {
                const int j = skipSpaces(s, i, to);
                fill(st, i, j, StyleByte(A::XML_Space));
                i = j;
            } else {
                int j = i + 1;
                while (j < to && s[j] != '<' && s[j] != '&' && !isSpace(s[j]))
                    ++j;
                fill(st, i, j, StyleByte(A::XML_Text));
                i = j;
            }
            break;
        case XmlAttr:
        case XmlAfterEq:
            if (isSpace(c)) {
                const int j = skipSpaces(s, i, to);
                fill(st, i, j, StyleByte(A::XML_Space));
                i = j;
            } else if (c == '>' || (c == '/' && i + 1 < to && s[i + 1] == '>')) {
                const int j = c == '>' ? i + 1 : i + 2;
                fill(st, i, j, StyleByte(A::XML_Symbol));
                i = j;
                mode = XmlText;
                ns = false;
            } else if (c == '"' || c == '\'') {
                st[i++] = StyleByte(ns ? A::XML_NamespaceAttributeValue : A::XML_AttributeValue);
                mode = c == '"' ? XmlValueDQ : XmlValueSQ;
            } else if (c == '=') {
                st[i++] = StyleByte(A::XML_Symbol);
                mode = XmlAfterEq;
            } else if (isXmlNameStart(c)) {
                int j = i + 1;
                while (j < to && isNameChar(s[j]))
                    ++j;
                ns = (j - i == 5 || (j - i > 5 && s[i + 5] == ':'))
                     && startsWith(s, i, to, "xmlns", 5);
                fill(st, i, j, StyleByte(ns ? A::XML_NamespaceAttribute : A::XML_Attribute));
                i = j;
                mode = XmlAttr;
            } else {
                st[i++] = StyleByte(A::XML_Symbol);
            }
            break;
        case XmlValueDQ:
        case XmlValueSQ: {
            const char quote = mode == XmlValueDQ ? '"' : '\'';
            const void *p = std::memchr(s + i, quote, size_t(to - i));
            const int j = p ? int(static_cast<const char *>(p) - s) + 1 : to;
            fill(st, i, j, StyleByte(ns ? A::XML_NamespaceAttributeValue : A::XML_AttributeValue));
            i = j;
            if (p) {
                mode = XmlAttr;
                ns = false;
            }
            break;
        }
        case XmlComment:
        case XmlCData:
        case XmlPI: {
            const char *terminator = mode == XmlComment ? "-->" : mode == XmlCData ? "]]>" : "?>";
            bool found = false;
            const int j = findEnd(s, i, to, terminator, mode == XmlPI ? 2 : 3, &found);
            fill(st, i, j,
                 StyleByte(mode == XmlComment ? A::XML_Comment
                           : mode == XmlCData ? A::XML_CDATA
                                              : A::XML_ProcessingInstruction));
            i = j;
            if (found)
                mode = XmlText;
            break;
        }
        case XmlDocType: {
            int j = i;
            while (j < to && !(s[j] == '>' && !subset)) {
                if (s[j] == '[')
                    subset = true;
                else if (s[j] == ']')
                    subset = false;
                ++j;
            }
            if (j < to) {
                ++j;
                mode = XmlText;
            }
            fill(st, i, j, StyleByte(A::XML_DocType));
            i = j;
            break;
        }
        }
    }
    return mode | (ns ? kNamespace : 0) | (subset ? kSubset : 0);
}

} // namespace SyntaxScan
