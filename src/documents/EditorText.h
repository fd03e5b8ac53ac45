#pragma once
// Text access and positions of a QScintilla editor, in one place.
#include <QString>

class QsciScintilla;

// The whole text, NUL characters included (QsciScintilla::text() stops at the first NUL).
QString EditorText(QsciScintilla *editor);
// Replaces the whole text, NUL characters included, as one undo step; a mark other than 0
// tags the step so that UndoPastMark finds it again.
void SetEditorText(QsciScintilla *editor, const QString &text, int undoMark = 0);
// Undoes the editor's steps back to and including the one tagged with the mark, so the
// modified state follows the save point. False, with nothing changed, when the mark is
// not in the editor's undo history.
bool UndoPastMark(QsciScintilla *editor, int undoMark);
// The editor's own UTF-8 bytes, without a copy into a QString.
QByteArray EditorUtf8(QsciScintilla *editor);
// Loads a text with no undo history (a freshly opened document).
void LoadEditorText(QsciScintilla *editor, const QString &text);
// Positions (character, line) counted from 1 to QScintilla's (line, index) from 0 and back.
void CaretToLineIndex(int character, int line, int *lineIndex, int *index);
void LineIndexToCaret(int lineIndex, int index, int *character, int *line);
// Text positions (character, line), counted from 1, where a character is one UTF-16 unit
// of the line (an emoji counts two), to the editor's byte position and back. A position
// past the end of its line stops at the line's end.
long EditorPosition(QsciScintilla *editor, int character, int line);
void EditorTextPosition(QsciScintilla *editor, long position, int *character, int *line);
// The byte length in the editor of a text (QScintilla counts UTF-8 bytes).
long EditorLength(const QString &text);
