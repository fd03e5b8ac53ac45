#include "core/Highlighters.h"

#include <Qsci/qscilexerbatch.h>
#include <Qsci/qscilexercpp.h>
#include <Qsci/qscilexercss.h>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qscilexerjavascript.h>
#include <Qsci/qscilexerpascal.h>
#include <Qsci/qscilexersql.h>
#include <Qsci/qscilexerxml.h>
#include <Qsci/qsciscintilla.h>

using DocumentText::HighlighterKind;

namespace {
const char *const kHighlighter = "HighlighterKind";

QsciLexer *makeLexer(HighlighterKind kind, QObject *parent)
{
    switch (kind) {
    case HighlighterKind::Css: return new QsciLexerCSS(parent);
    case HighlighterKind::JScript: return new QsciLexerJavaScript(parent);
    case HighlighterKind::Xml: return new QsciLexerXML(parent);
    case HighlighterKind::Bat: return new QsciLexerBatch(parent);
    case HighlighterKind::Cpp: return new QsciLexerCPP(parent);
    case HighlighterKind::Pas: return new QsciLexerPascal(parent);
    case HighlighterKind::Sql: return new QsciLexerSQL(parent);
    case HighlighterKind::Asm: return nullptr;
    default: return new QsciLexerHTML(parent);
    }
}
} // namespace

void ApplyHighlighter(QsciScintilla *editor, HighlighterKind kind)
{
    if (editor->property(kHighlighter).isValid() && EditorHighlighter(editor) == kind)
        return;
    const QFont font = editor->font();
    QsciLexer *old = editor->lexer();
    QsciLexer *lexer = makeLexer(kind, editor);
    if (lexer) {
        lexer->setDefaultFont(font);
        lexer->setFont(font);
    }
    editor->setLexer(lexer);
    delete old;
    editor->setProperty(kHighlighter, int(kind));
    editor->setMarginsFont(font);
}

HighlighterKind EditorHighlighter(QsciScintilla *editor)
{
    return HighlighterKind(editor->property(kHighlighter).toInt());
}
