#include "documents/EditorText.h"

#include "util/DocumentStream.h"

#include <Qsci/qsciscintilla.h>

QString EditorText(QsciScintilla *editor)
{
    const long length = editor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    const auto *data = reinterpret_cast<const char *>(
        editor->SendScintilla(QsciScintillaBase::SCI_GETCHARACTERPOINTER));
    if (!data || length <= 0)
        return QString();
    return DocumentText::Utf8Text(QByteArrayView(data, length));
}

QByteArray EditorUtf8(QsciScintilla *editor)
{
    const long length = editor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    const auto *data = reinterpret_cast<const char *>(
        editor->SendScintilla(QsciScintillaBase::SCI_GETCHARACTERPOINTER));
    if (!data || length <= 0)
        return QByteArray();
    return QByteArray(data, int(length));
}

namespace {
void appendText(QsciScintilla *editor, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    if (!bytes.isEmpty())
        editor->SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, static_cast<unsigned long>(bytes.size()),
                              bytes.constData());
}
} // namespace

void SetEditorText(QsciScintilla *editor, const QString &text, int undoMark)
{
    editor->beginUndoAction();
    editor->SendScintilla(QsciScintillaBase::SCI_CLEARALL);
    appendText(editor, text);
    // After the change: a mark first would leave the save point without telling the editor.
    if (undoMark != 0)
        editor->SendScintilla(QsciScintillaBase::SCI_ADDUNDOACTION, static_cast<unsigned long>(undoMark), 0L);
    editor->endUndoAction();
}

bool UndoPastMark(QsciScintilla *editor, int undoMark)
{
    // The editor names a tagged step when it undoes it.
    bool found = false;
    const QMetaObject::Connection watch = QObject::connect(
        editor, &QsciScintillaBase::SCN_MODIFIED, editor,
        [&found, undoMark](int, int type, const char *, int, int, int, int, int, int token, int) {
            if ((type & QsciScintillaBase::SC_MOD_CONTAINER) && token == undoMark)
                found = true;
        });
    int undone = 0;
    while (!found && editor->isUndoAvailable()) {
        editor->undo();
        ++undone;
    }
    QObject::disconnect(watch);
    if (!found) {
        while (undone-- > 0)
            editor->redo();
    }
    return found;
}

void LoadEditorText(QsciScintilla *editor, const QString &text)
{
    const bool readOnly = editor->isReadOnly();
    editor->setReadOnly(false);
    editor->SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0L);
    editor->SendScintilla(QsciScintillaBase::SCI_CLEARALL);
    appendText(editor, text);
    editor->SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 1L);
    editor->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    editor->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, 0L);
    editor->setReadOnly(readOnly);
}

void CaretToLineIndex(int character, int line, int *lineIndex, int *index)
{
    *lineIndex = qMax(0, line - 1);
    *index = qMax(0, character - 1);
}

void LineIndexToCaret(int lineIndex, int index, int *character, int *line)
{
    *line = lineIndex + 1;
    *character = index + 1;
}

long EditorPosition(QsciScintilla *editor, int character, int line)
{
    const long lineCount = editor->SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT);
    const long lineIndex = qBound(0L, long(line) - 1, lineCount - 1);
    const long lineStart = editor->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, lineIndex);
    const long lineEnd = editor->SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, lineIndex);
    const long units = qMax(0, character - 1);
    const long limit = editor->SendScintilla(QsciScintillaBase::SCI_COUNTCODEUNITS, lineStart, lineEnd);
    if (units >= limit)
        return lineEnd;
    return editor->SendScintilla(QsciScintillaBase::SCI_POSITIONRELATIVECODEUNITS, lineStart, units);
}

void EditorTextPosition(QsciScintilla *editor, long position, int *character, int *line)
{
    const long lineIndex = editor->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, position);
    const long lineStart = editor->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, lineIndex);
    *line = int(lineIndex) + 1;
    *character = int(editor->SendScintilla(QsciScintillaBase::SCI_COUNTCODEUNITS, lineStart, position)) + 1;
}

long EditorLength(const QString &text)
{
    return text.toUtf8().size();
}
