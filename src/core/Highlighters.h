#pragma once
// The highlighter each editor gets, chosen by the document's kind.
#include "util/DocumentText.h"

class QsciScintilla;
class SyntaxColorModel;

// The colour model that lexers made from now on follow (the main window's). Without one,
// editors follow a model of the built-in colours.
void SetHighlighterModel(SyntaxColorModel *model);
SyntaxColorModel *HighlighterModel();

// Gives the editor a new lexer of the kind; every editor follows the same colour model, so a
// colour change shows in all of them at once.
void ApplyHighlighter(QsciScintilla *editor, DocumentText::HighlighterKind kind);
