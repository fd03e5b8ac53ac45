#include "authoring/HtmlInsert.h"

#include "documents/EditorText.h"
#include "documents/TDocument.h"

#include <Qsci/qsciscintilla.h>

namespace {
QsciScintilla *editorOf(TDocument *document)
{
    return document ? document->editor() : nullptr;
}

void mainSelection(QsciScintilla *editor, long *start, long *end)
{
    const long main = editor->SendScintilla(QsciScintillaBase::SCI_GETMAINSELECTION);
    *start = editor->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONNSTART, main);
    *end = editor->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONNEND, main);
}

QString editorLineBreak(QsciScintilla *editor)
{
    switch (editor->eolMode()) {
    case QsciScintilla::EolWindows: return QStringLiteral("\r\n");
    case QsciScintilla::EolMac: return QStringLiteral("\r");
    case QsciScintilla::EolUnix: break;
    }
    return QStringLiteral("\n");
}
} // namespace

void AddToUndoList(QsciScintilla *editor, int startCharacter, int startLine, int endCharacter, int endLine,
                   const QString &newText)
{
    if (!editor || editor->isReadOnly())
        return;
    long start = EditorPosition(editor, startCharacter, startLine);
    long end = EditorPosition(editor, endCharacter, endLine);
    if (end < start)
        std::swap(start, end);
    const QByteArray bytes = newText.toUtf8();
    // The group keeps the replacement one step, apart from typing before and after it.
    editor->beginUndoAction();
    editor->SendScintilla(QsciScintillaBase::SCI_SETTARGETRANGE, start, end);
    editor->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, long(bytes.size()), bytes.constData());
    editor->endUndoAction();
    editor->setFocus();
}

void AddToUndoList(TDocument *document, int startCharacter, int startLine, int endCharacter, int endLine,
                   const QString &newText)
{
    AddToUndoList(editorOf(document), startCharacter, startLine, endCharacter, endLine, newText);
}

QString SelectedText(QsciScintilla *editor)
{
    long start = 0;
    long end = 0;
    mainSelection(editor, &start, &end);
    if (end <= start)
        return QString();
    return editor->text(int(start), int(end));
}

void ApplyInsertion(QsciScintilla *editor, const Insertion &insertion)
{
    if (!editor || editor->isReadOnly())
        return;
    long start = 0;
    long end = 0;
    mainSelection(editor, &start, &end);
    int startCharacter = 0, startLine = 0, endCharacter = 0, endLine = 0;
    EditorTextPosition(editor, start, &startCharacter, &startLine);
    EditorTextPosition(editor, end, &endCharacter, &endLine);
    AddToUndoList(editor, startCharacter, startLine, endCharacter, endLine, insertion.text);
    const long from = start + EditorLength(insertion.text.left(insertion.selectionStart));
    const long to = from + EditorLength(insertion.text.mid(insertion.selectionStart, insertion.selectionLength));
    editor->SendScintilla(QsciScintillaBase::SCI_SETSEL, from, to);
}

void HtmlInsertBloc(QsciScintilla *editor, const QString &text)
{
    if (!editor)
        return;
    QString ownBreaks = text;
    ownBreaks.replace(QLatin1String("\r\n"), editorLineBreak(editor));
    ApplyInsertion(editor, BlockInsertion(ownBreaks));
}

void HtmlOpenEmptyTg(QsciScintilla *editor, const QString &tag, InsertionTarget target)
{
    if (!editor)
        return;
    ApplyInsertion(editor, OpenEmptyTagInsertion(StripHotKeys(tag), SelectedText(editor),
                                                 target == InsertionTarget::Document));
}

void HtmlClosedTg(QsciScintilla *editor, const QString &tag)
{
    if (editor)
        ApplyInsertion(editor, ClosedTagInsertion(StripHotKeys(tag), SelectedText(editor)));
}

void HtmlAttribt(QsciScintilla *editor, const QString &attribute)
{
    if (editor)
        ApplyInsertion(editor, AttributeInsertion(StripHotKeys(attribute), SelectedText(editor)));
}

void HtmlDoubleTag(QsciScintilla *editor, const QString &opening, const QString &closing)
{
    if (editor)
        ApplyInsertion(editor, DoubleTagInsertion(opening, closing, SelectedText(editor)));
}

void HtmlInsertBloc(TDocument *document, const QString &text)
{
    HtmlInsertBloc(editorOf(document), text);
}

void HtmlOpenEmptyTg(TDocument *document, const QString &tag)
{
    HtmlOpenEmptyTg(editorOf(document), tag);
}

void HtmlClosedTg(TDocument *document, const QString &tag)
{
    HtmlClosedTg(editorOf(document), tag);
}

void HtmlAttribt(TDocument *document, const QString &attribute)
{
    HtmlAttribt(editorOf(document), attribute);
}

void HtmlDoubleTag(TDocument *document, const QString &opening, const QString &closing)
{
    HtmlDoubleTag(editorOf(document), opening, closing);
}
