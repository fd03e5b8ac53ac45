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

// Reads the text as a browser does: a "<" begins a tag only before a letter, "/", "!"
// or "?"; a quoted attribute value belongs to its tag (a quote opens a value only right
// after a name's "="); a comment runs to its "-->"; the
// content of script, style, textarea and title holds no tags. Every tag goes through
// ProcessTag and the text between tags through ReduceSize, except the content of pre,
// textarea, script and style, whose blanks are part of it. Script and style code
// passes unchanged, and so does markup that is never closed.
QString ProcessText(const QString &text, const OptimizerOptions &options);
// One tag, from "<" through ">". Without a swap state end tags are never swapped.
QString ProcessTag(const QString &tag, const OptimizerOptions &options, TagSwapState *swaps = nullptr);
QString CleanTag(const QString &tag);
// Deletes the line breaks, tabs and extra spaces that the options name. A run of blanks
// that loses all its characters between two others becomes one blank, so words stay
// apart; `before` and `after` are the characters around the piece (a blank where there
// is none).
QString ReduceSize(const QString &piece, const OptimizerOptions &options, QChar before = QChar(u' '),
                   QChar after = QChar(u' '));
// The chosen DOCTYPE and html start tag in place of the first ones of the text, each
// taken out with the blanks and line break after it (a DOCTYPE through its internal
// subset). With PHP/ASP spared, a page whose DOCTYPE or html start tag holds code keeps
// its head as it is.
QString ReplaceDTD(const QString &text, const OptimizerOptions &options);
// The new DOCTYPE and html start tag, each followed by the line break (empty parts stay
// empty). The html start tag keeps the old one's attributes but its language, and its
// xmlns where it writes one.
QString DtdPart(const OptimizerOptions &options);
QString HtmlPart(const OptimizerOptions &options, const QString &oldTag = QString());
// Deletes every closed comment with the blanks and line break after it (one blank stays
// between two words), except conditional comments and comment markers that are code:
// inside script, style, textarea and title, attribute values and, with their option,
// PHP/ASP blocks.
QString DeleteComments(const QString &text, const OptimizerOptions &options);
// Every tag and comment becomes one blank. Markup never closed, a "<" or ">" that is
// text, the content of script and style and, with their option, PHP/ASP blocks stay.
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
