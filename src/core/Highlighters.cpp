#include "core/Highlighters.h"

#include "themes/SyntaxColorModel.h"
#include "themes/SyntaxColorSettings.h"
#include "themes/SyntaxLexer.h"

#include <Qsci/qsciscintilla.h>

#include <QCoreApplication>
#include <QPointer>

using DocumentText::HighlighterKind;

namespace {
QPointer<SyntaxColorModel> &sharedModel()
{
    static QPointer<SyntaxColorModel> model;
    return model;
}

SyntaxLexerKind lexerKind(HighlighterKind kind)
{
    switch (kind) {
    case HighlighterKind::Html: return SyntaxLexerKind::Html;
    case HighlighterKind::Css: return SyntaxLexerKind::Css;
    case HighlighterKind::JScript: return SyntaxLexerKind::JScript;
    case HighlighterKind::Php: return SyntaxLexerKind::Php;
    case HighlighterKind::Xml: return SyntaxLexerKind::Xml;
    case HighlighterKind::Bat: return SyntaxLexerKind::Bat;
    case HighlighterKind::Cpp: return SyntaxLexerKind::Cpp;
    case HighlighterKind::Pas: return SyntaxLexerKind::Pas;
    case HighlighterKind::Asm: return SyntaxLexerKind::Asm;
    case HighlighterKind::Sql: return SyntaxLexerKind::Sql;
    case HighlighterKind::Multi: break;
    }
    return SyntaxLexerKind::Multi;
}
} // namespace

void SetHighlighterModel(SyntaxColorModel *model)
{
    sharedModel() = model;
}

SyntaxColorModel *HighlighterModel()
{
    if (!sharedModel()) {
        auto *model = new SyntaxColorModel(QCoreApplication::instance());
        SyntaxColorSettings::OriginSettings(*model);
        sharedModel() = model;
    }
    return sharedModel();
}

void ApplyHighlighter(QsciScintilla *editor, HighlighterKind kind)
{
    QsciLexer *old = editor->lexer();
    const QFont font = old ? old->defaultFont() : editor->font();
    auto *lexer = new SyntaxLexer(lexerKind(kind), HighlighterModel(), editor);
    lexer->setDefaultFont(font);
    lexer->setFont(font);
    editor->setLexer(lexer);
    delete old;
    // The text still carries the old lexer's styles: mark it all unstyled, so what is shown
    // gets styled anew and the rest when it comes into view.
    editor->recolor(0, 0);
    editor->setMarginsFont(font);
}
