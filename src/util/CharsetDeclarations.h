#pragma once
// The charset declarations of a document: a meta tag's charset (its charset attribute, or
// the charset in the content of an http-equiv="Content-Type" tag), the XML declaration's
// encoding, and a CSS @charset rule at the start of a style sheet. Only these count; the
// same words in text, in other tags or in comments are not declarations.
#include <QString>
#include <QVector>

namespace CharsetDeclarations {

struct Declaration {
    // The whole tag or rule, lower-cased when the declaration is rewritten.
    int DeclStart = 0;
    int DeclEnd = 0;
    // The charset name itself.
    int ValueStart = 0;
    int ValueEnd = 0;
    // The http-equiv value of the Content-Type form, written "Content-Type"; -1 when none.
    int HttpEquivStart = -1;
};

// The declarations, in text order, among the first maxLines lines and before the end of
// the head ("</head>").
QVector<Declaration> Find(const QString &text, int maxLines);

// The text with every declaration's charset replaced and that declaration lower-cased
// (with "Content-Type" kept as written); everything else stays as it is.
QString Rewrite(const QString &text, const QVector<Declaration> &declarations,
                const QString &charset);

} // namespace CharsetDeclarations
