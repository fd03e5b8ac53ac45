#pragma once
// The highlighter each editor gets, chosen by the document's kind.
#include "core/DocumentText.h"

class QsciScintilla;

// Gives the editor the lexer of the kind; every editor of a kind follows the same colours.
void ApplyHighlighter(QsciScintilla *editor, DocumentText::HighlighterKind kind);
DocumentText::HighlighterKind EditorHighlighter(QsciScintilla *editor);
