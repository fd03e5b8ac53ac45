#pragma once
// A document's file and its editor: the file's text goes straight into the editor's
// buffer and is written back from it, with no whole copy of the text on the way.
#include "documents/TDocument.h"
#include "util/DocumentStream.h"

#include <QByteArrayView>

class QsciScintilla;

// The editor's own UTF-8 text, without a copy; valid until the text changes.
QByteArrayView EditorBuffer(QsciScintilla *editor);
// Reads an opened file into the editor, replacing its text, with no undo history.
DocumentText::DocumentReader::Problem LoadEditorFile(QsciScintilla *editor, DocumentText::DocumentReader &reader);
// The style of the editor's first line break; LF when there is none.
TDocument::LineBreak EditorLineBreak(QsciScintilla *editor);
