#pragma once
// The optimizer's rewriting passes: text in, text out, no widgets. They work on
// characters and substrings, not on a parsed document. Characters that the ANSI
// code page (Windows-1252) cannot hold pass through every pass unchanged.
#include <QHash>
#include <QString>
#include <QStringList>

namespace HtmlRewriting {

// The DOCTYPE choices, in the order of the optimizer's radio buttons.
enum class Dtd {
    None,
    Html5,
    Html401Transitional,
    Html401Strict,
    Html401Frameset,
    Xhtml10Transitional,
    Xhtml10Strict,
    Xhtml10Frameset,
    Xhtml11,
};

// The state of the optimizer's boxes, named after them.
struct OptimizerOptions {
    Dtd dtd = Dtd::Html5;
    bool CBDeclaration_Language = true;
    QString EditDeclaration_Language = QStringLiteral("fr");

    bool CBSlash_MetaLink = true;
    bool CBUnslash_MetaLink = false;
    bool CBSlash_tags = false;
    bool CBUnslash_tags = false;

    bool CB_b_strong = false;
    bool CB_i_em = false;
    bool CB_u_del = false;
    bool CB_strong_b = false;
    bool CB_em_i = false;
    bool CB_del_u = false;

    bool CBLowerCase_Tags = false;
    bool CBLowerCase_Attributes = false;
    bool CBLowerCase_AttributesValue = false;

    bool CBDelete_LineBreak13 = false;
    bool CBDelete_LineBreak10 = false;
    bool CBDelete_Tabs = false;
    bool CBDelete_ExtraSpaces = false;
    bool CBDelete_Comments = false;

    bool CB_del_target = false;
    bool CB_target_javascript = false;
    bool CBDelete_Img_Border = true;
    bool CBDelete_Table_Border = true;
    bool CBIgnore_Scripts = true;
    bool CBIgnore_PhpAsp = true;
    bool CBDeleteHtmlTags = false;

    // The free literal replacement ("This:" and "To:"); an empty "To:" replaces nothing.
    QString StartingWith;
    QString EndingWith;

    // Line break written after the new DOCTYPE and html start tag, and inside the
    // two-line DOCTYPEs: the document's own, so a file keeps one style.
    QString LineBreak = QStringLiteral("\r\n");
};

// Which swapped start tags are still open, so that an end tag follows its start
// tag: per element name (lower case), the element each open start tag became,
// or an empty name when it was left as it was.
struct TagSwapState {
    QHash<QString, QStringList> open;
};

// Apply's passes in their order: tags and text, DOCTYPE, comments, all tags,
// the free replacement.
QString OptimizeText(const QString &text, const OptimizerOptions &options);

// Sends every tag through ProcessTag and every stretch between tags through
// ReduceSize. A "<" without a ">" after it starts a tail that is kept as it is.
QString ProcessText(const QString &text, const OptimizerOptions &options);
// One tag, from "<" through ">". Without a swap state end tags are never swapped.
QString ProcessTag(const QString &tag, const OptimizerOptions &options, TagSwapState *swaps = nullptr);
QString CleanTag(const QString &tag);
QString ReduceSize(const QString &piece, const OptimizerOptions &options);
QString ReplaceDTD(const QString &text, const OptimizerOptions &options);
// The new DOCTYPE and html start tag, each followed by the line break (empty parts stay empty).
QString DtdPart(const OptimizerOptions &options);
QString HtmlPart(const OptimizerOptions &options);
// Deletes the first block from the start marker through the first end marker at
// or after it, and the blanks and one line break after it. Unchanged when either
// marker is missing.
QString DeleteTagBlock(const QString &text, const QString &startMarker, const QString &endMarker);
// Deletes every closed comment block; an unclosed one stays.
QString DeleteComments(const QString &text);
// Every tag becomes one blank. A "<" without a ">" after it and a ">" outside a
// tag stay; with the ignore options, script contents and PHP/ASP blocks stay too.
QString DeleteHtmlTags(const QString &text, const OptimizerOptions &options);

QString LowerCaseTag(const QString &tag);
QString LowerCaseAttributes(const QString &tag);
QString LowerCaseAttributesValues(const QString &tag);
// The name is given with its "=" ("target="). Only a whole attribute name outside
// quoted values matches; the attribute goes with its value and the blanks after it.
QString DeleteAttribute(const QString &tag, const QString &name);
// The attribute with its value is replaced by the new text.
QString ReplaceAttribute(const QString &tag, const QString &name, const QString &newText);

// The character lower-cased as the ANSI code page does; others stay as they are.
QChar LowCase(QChar c);

} // namespace HtmlRewriting
