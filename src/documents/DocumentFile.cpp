#include "documents/DocumentFile.h"

#include <Qsci/qsciscintilla.h>

using DocumentText::DocumentReader;

QByteArrayView EditorBuffer(QsciScintilla *editor)
{
    const long length = editor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    const auto *data = reinterpret_cast<const char *>(
        editor->SendScintilla(QsciScintillaBase::SCI_GETCHARACTERPOINTER));
    if (!data || length <= 0)
        return QByteArrayView();
    return QByteArrayView(data, length);
}

namespace {
class EditorSink : public DocumentText::Utf8Sink {
public:
    explicit EditorSink(QsciScintilla *editor) : m_editor(editor) {}
    void reserve(qint64 bytes) override
    {
        // Room for the whole text at once, and some to spare: the buffer grows by copying
        // itself, even when asked for its contents with no room left.
        m_editor->SendScintilla(QsciScintillaBase::SCI_ALLOCATE, static_cast<unsigned long>(bytes + bytes / 64 + 65536));
    }
    void append(const char *data, qsizetype size) override
    {
        if (size > 0)
            m_editor->SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, static_cast<unsigned long>(size), data);
    }
    void clear() override { m_editor->SendScintilla(QsciScintillaBase::SCI_CLEARALL); }

private:
    QsciScintilla *m_editor;
};
} // namespace

DocumentReader::Problem LoadEditorFile(QsciScintilla *editor, DocumentReader &reader)
{
    const bool readOnly = editor->isReadOnly();
    editor->setReadOnly(false);
    editor->SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0L);
    editor->SendScintilla(QsciScintillaBase::SCI_CLEARALL);
    EditorSink sink(editor);
    // Each change notice counts the characters before the change (for accessibility): on
    // every piece that would count the whole text read so far again.
    const long eventMask = editor->SendScintilla(QsciScintillaBase::SCI_GETMODEVENTMASK);
    editor->SendScintilla(QsciScintillaBase::SCI_SETMODEVENTMASK, 0L);
    const DocumentReader::Problem problem = reader.read(sink);
    editor->SendScintilla(QsciScintillaBase::SCI_SETMODEVENTMASK, static_cast<unsigned long>(eventMask));
    editor->SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 1L);
    editor->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    editor->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, 0L);
    editor->setReadOnly(readOnly);
    emit editor->textChanged();
    return problem;
}

TDocument::LineBreak EditorLineBreak(QsciScintilla *editor)
{
    const QByteArrayView text = EditorBuffer(editor);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\n')
            return TDocument::LineBreak::LF;
        if (text[i] == '\r')
            return i + 1 < text.size() && text[i + 1] == '\n' ? TDocument::LineBreak::CRLF : TDocument::LineBreak::CR;
    }
    return TDocument::LineBreak::LF;
}
