#pragma once
// The insertion primitives on an editor: each puts its markup in place of the selection
// as exactly one undo step and places the caret and selection as its markup says.
#include "authoring/InsertionMarkup.h"

class QsciScintilla;
class TDocument;

// Puts newText in place of the text between two text positions (character, line, from 1)
// as one undo step kept apart from the steps before and after it; one Undo puts the old
// text back. The editor gets the keyboard focus. The optimizer records through it too.
void AddToUndoList(QsciScintilla *editor, int startCharacter, int startLine, int endCharacter, int endLine,
                   const QString &newText);
void AddToUndoList(TDocument *document, int startCharacter, int startLine, int endCharacter, int endLine,
                   const QString &newText);

// Where the primitives differ: the main window's document editor, or a generator
// dialog's own editor (an empty tag there replaces the selection).
enum class InsertionTarget { Document, GeneratorEditor };

void HtmlInsertBloc(QsciScintilla *editor, const QString &text);
void HtmlOpenEmptyTg(QsciScintilla *editor, const QString &tag, InsertionTarget target = InsertionTarget::Document);
void HtmlClosedTg(QsciScintilla *editor, const QString &tag);
void HtmlAttribt(QsciScintilla *editor, const QString &attribute);
void HtmlDoubleTag(QsciScintilla *editor, const QString &opening, const QString &closing);

// The same on a document's editor; a null document (none open) changes nothing.
void HtmlInsertBloc(TDocument *document, const QString &text);
void HtmlOpenEmptyTg(TDocument *document, const QString &tag);
void HtmlClosedTg(TDocument *document, const QString &tag);
void HtmlAttribt(TDocument *document, const QString &attribute);
void HtmlDoubleTag(TDocument *document, const QString &opening, const QString &closing);

// The selected text of the editor's main selection.
QString SelectedText(QsciScintilla *editor);
// Puts an insertion in place of the main selection as one undo step and selects as it says.
// Block texts take the editor's own line breaks.
void ApplyInsertion(QsciScintilla *editor, const Insertion &insertion);
