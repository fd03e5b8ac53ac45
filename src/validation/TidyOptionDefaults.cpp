#include "validation/TidyOptionDefaults.h"

namespace {
QStringList words(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}
} // namespace

TidyOptionTables DefaultTidyOptionTables()
{
    TidyOptionTables t;
    t.ItemsCBDocType = QStringLiteral("omit;auto;strict;transitional;user");
    t.ItemsCBAutoBool = QStringLiteral("auto;yes;no");
    t.ItemsCBRepeatedAttributes = QStringLiteral("keep-first;keep-last");
    t.ItemsCBAccessibilityCheck = QStringLiteral("0;1;2;3");
    t.ItemsCBSortAttributes = QStringLiteral("none;alpha");
    t.ItemsCBCharEncoding = QStringLiteral(
        "raw;ascii;latin0;latin1;utf8;iso2022;mac;win1252;ibm858;utf16le;utf16be;utf16;big5;shiftjis");
    t.ItemsCBNewLine = QStringLiteral("LF;CRLF;CR");
    t.ItemsCBBoolean = QStringLiteral("yes;no");

    t.tpAutoBool = words("merge-divs merge-spans show-body-only indent output-bom");
    t.tpEncoding = words("char-encoding input-encoding output-encoding");
    t.tpDocType = words("doctype");
    t.tpTagNames = words("new-blocklevel-tags new-empty-tags new-inline-tags new-pre-tags");
    t.tpRepeatedAttributes = words("repeated-attributes");
    t.tpNewline = words("newline");
    t.tpAccessibilityCheck = words("accessibility-check");
    t.tpSortAttributes = words("sort-attributes");
    t.tpString = words("css-prefix language gnu-emacs-file slide-style");
    t.tpInteger = words("show-errors indent-spaces tab-size wrap");
    t.tpBoolean = words(
        "add-xml-decl add-xml-space anchor-as-name assume-xml-procins bare clean coerce-endtags "
        "decorate-inferred-ul drop-empty-elements drop-empty-paras drop-font-tags "
        "drop-proprietary-attributes enclose-block-text enclose-text escape-cdata fix-backslash "
        "fix-bad-comments fix-uri gdoc hide-comments hide-endtags indent-cdata input-xml "
        "join-classes join-styles literal-attributes logical-emphasis lower-literals "
        "merge-emphasis ncr numeric-entities omit-optional-tags output-html output-xhtml "
        "output-xml preserve-entities quote-ampersand quote-marks quote-nbsp replace-color "
        "uppercase-attributes uppercase-tags word-2000 show-info show-warnings break-before-br "
        "indent-attributes indent-with-tabs markup punctuation-wrap split vertical-space "
        "wrap-asp wrap-attributes wrap-jste wrap-php wrap-script-literals wrap-sections "
        "ascii-chars force-output gnu-emacs keep-time quiet tidy-mark write-back");

    t.tpDefVal = words(
        "add-xml-decl:no add-xml-space:no alt-text: anchor-as-name:yes assume-xml-procins:no "
        "bare:no clean:no coerce-endtags:yes css-prefix: decorate-inferred-ul:no doctype:auto "
        "drop-empty-elements:yes drop-empty-paras:yes drop-font-tags:no "
        "drop-proprietary-attributes:n enclose-block-text:no enclose-text:no escape-cdata:no "
        "fix-backslash:yes fix-bad-comments:yes fix-uri:yes gdoc:no hide-comments:no "
        "hide-endtags:no indent-cdata:no input-xml:no join-classes:no join-styles:yes "
        "literal-attributes:no logical-emphasis:no lower-literals:yes merge-divs:auto "
        "merge-emphasis:yes merge-spans:auto ncr:yes new-blocklevel-tags: new-empty-tags: "
        "new-inline-tags: new-pre-tags: numeric-entities:no omit-optional-tags:no "
        "output-html:no output-xhtml:no output-xml:no preserve-entities:no quote-ampersand:yes "
        "quote-marks:no quote-nbsp:yes repeated-attributes:keep-last replace-color:no "
        "show-body-only:no uppercase-attributes:no uppercase-tags:no word-2000:no "
        "accessibility-check:0 show-errors:6 show-info:yes show-warnings:yes break-before-br:no "
        "indent:no indent-attributes:no indent-spaces:2 indent-with-tabs:no markup:yes "
        "punctuation-wrap:no sort-attributes:none split:no tab-size:8 vertical-space:no wrap:68 "
        "wrap-asp:yes wrap-attributes:no wrap-jste:yes wrap-php:yes wrap-script-literals:no "
        "wrap-sections:yes ascii-chars:no char-encoding:ascii input-encoding:latin1 language: "
        "newline:Platformdependent output-bom:auto output-encoding:ascii error-file: "
        "force-output:no gnu-emacs:no gnu-emacs-file: keep-time:no output-file: quiet:no "
        "slide-style: tidy-mark:yes write-back:no");

    t.clHTML_XHTML_XML = words(
        "add-xml-decl add-xml-space alt-text anchor-as-name assume-xml-procins bare clean "
        "coerce-endtags css-prefix decorate-inferred-ul doctype drop-empty-elements "
        "drop-empty-paras drop-font-tags drop-proprietary-attributes enclose-block-text "
        "enclose-text escape-cdata fix-backslash fix-bad-comments fix-uri gdoc hide-comments "
        "hide-endtags indent-cdata input-xml join-classes join-styles literal-attributes "
        "logical-emphasis lower-literals merge-divs merge-emphasis merge-spans ncr "
        "new-blocklevel-tags new-empty-tags new-inline-tags new-pre-tags numeric-entities "
        "omit-optional-tags output-html output-xhtml output-xml preserve-entities "
        "quote-ampersand quote-marks quote-nbsp repeated-attributes replace-color show-body-only "
        "uppercase-attributes uppercase-tags word-2000");
    t.clDiagnostics = words("accessibility-check show-errors show-info show-warnings");
    t.clPrettyPrint = words(
        "break-before-br indent indent-attributes indent-spaces indent-with-tabs markup "
        "punctuation-wrap sort-attributes split tab-size vertical-space wrap wrap-asp "
        "wrap-attributes wrap-jste wrap-php wrap-script-literals wrap-sections");
    t.clCharacterEncoding = words(
        "ascii-chars char-encoding input-encoding language newline output-bom output-encoding");
    t.clMiscellaneous = words(
        "error-file force-output gnu-emacs gnu-emacs-file keep-time output-file quiet "
        "slide-style tidy-mark write-back");
    return t;
}
