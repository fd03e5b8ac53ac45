// The optimizer's passes with the boxes taken from the input's first bytes: every run ends,
// text outside tags is kept, and characters that the ANSI code page cannot hold are neither
// made, changed nor dropped where nothing may drop them.
//
// Bytes 0-3: the check boxes (one bit each), the "fr"/empty language and whether the free
// replacement runs; byte 4: the DOCTYPE choice; byte 5: the lengths of "This:" and "To:",
// taken from the start of the text. The rest is the document, as UTF-8.
//
// Which passes may change text outside tags: the size reduction (line breaks, tabs and
// blanks: only those characters), comment deletion, tag deletion, the free replacement, and
// the DOCTYPE replacement (the new head, and the blanks and line break after the old
// DOCTYPE and html start tag). The tag pass changes tags only.
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

// The text outside tags as a reader sees it: a "<" opens a tag that runs to the next ">";
// a "<" with no ">" after it opens nothing.
QString outsideTags(const QString &text)
{
    QString out;
    qsizetype i = 0;
    for (;;) {
        const qsizetype lt = text.indexOf(u'<', i);
        const qsizetype gt = lt < 0 ? -1 : text.indexOf(u'>', lt + 1);
        if (gt < 0)
            break;
        out += QStringView(text).sliced(i, lt - i);
        i = gt + 1;
    }
    out += QStringView(text).sliced(i);
    return out;
}

QString withoutBlanks(QString text)
{
    text.remove(u' ');
    text.remove(u'\t');
    text.remove(u'\r');
    text.remove(u'\n');
    return text;
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
    o.dtd = Dtd(FuzzTakeByte(data, size) % 9);
    const uint8_t lengths = FuzzTakeByte(data, size);
    const QString text = QString::fromUtf8(FuzzBytes(data, size));
    if (replacement) {
        o.StartingWith = text.left(lengths & 7);
        o.EndingWith = text.mid(lengths & 7, lengths >> 4);
    }

    // The tag pass: text outside tags stays; the size reduction touches only blanks, tabs
    // and line breaks. It neither makes nor changes characters outside the code page, and
    // only the attribute deletions drop any.
    const QString tagged = ProcessText(text, o);
    const bool reduces = o.CBDelete_LineBreak13 || o.CBDelete_LineBreak10 || o.CBDelete_Tabs || o.CBDelete_ExtraSpaces;
    if (reduces)
        FUZZ_CHECK_TEXT(withoutBlanks(outsideTags(tagged)), withoutBlanks(outsideTags(text)));
    else
        FUZZ_CHECK_TEXT(outsideTags(tagged), outsideTags(text));
    const bool deletesAttributes =
        o.CB_del_target || o.CB_target_javascript || o.CBDelete_Img_Border || o.CBDelete_Table_Border;
    if (deletesAttributes)
        FUZZ_CHECK(isSubsequence(outsideAnsi(tagged), outsideAnsi(text)));
    else
        FUZZ_CHECK_TEXT(outsideAnsi(tagged), outsideAnsi(text));

    // The whole run, every pass. Without the free replacement, what it holds outside the
    // code page comes from the document, in its order; and when there is no old DOCTYPE or
    // html start tag (looked for after the tag pass, which makes "< html" into "<html"), no
    // comment deletion and no tag deletion, it is the tag pass's text under the new head.
    const QString optimized = OptimizeText(text, o);
    if (o.StartingWith.isEmpty() || o.EndingWith.isEmpty()) {
        FUZZ_CHECK(isSubsequence(outsideAnsi(optimized), outsideAnsi(text)));
        const bool oldHead =
            tagged.contains(u"<!doctype", Qt::CaseInsensitive) || tagged.contains(u"<html", Qt::CaseInsensitive);
        if (!oldHead && !o.CBDelete_Comments && !o.CBDeleteHtmlTags)
            FUZZ_CHECK(optimized.endsWith(tagged));
    }
    return 0;
}
