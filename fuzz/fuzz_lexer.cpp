// The lexer over a real editor (offscreen). The first byte picks the lexer, the next ones
// an edit; the rest is the text. Styling the text at once styles every byte with the
// lexer's own styles; styling it in small steps gives the same; and an insertion styled
// from the edit on, then taken away again, leaves the styles as they were.
#include "FuzzSupport.h"

#include "themes/SyntaxColorModel.h"
#include "themes/SyntaxColorSettings.h"
#include "themes/SyntaxLexer.h"

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <memory>

namespace {

using Base = QsciScintillaBase;

// Texts that change what the lines below them are: openers and closers of every language.
const char *const kInsertions[] = {
    "\"", "'", "`", "\\", "\n", "\r", "/*", "*/", "<!--", "-->", "<style>", "</style>", "<script>",
    "</script>", "<?php", "?>", "{", "}", "(*", "*)", "<![CDATA[", "]]>", "#define x \\", "<a b=\"",
};
constexpr int kInsertionCount = int(sizeof kInsertions / sizeof kInsertions[0]);

struct Editors {
    SyntaxColorModel model;
    std::unique_ptr<QsciScintilla> editors[2];
};

Editors *g_editors = nullptr;

QsciScintilla *editorFor(int slot, SyntaxLexerKind kind)
{
    auto &editor = g_editors->editors[slot];
    if (!editor) {
        editor = std::make_unique<QsciScintilla>();
        // The editors live through the whole run: no undo history to pile up.
        editor->SendScintilla(Base::SCI_SETUNDOCOLLECTION, 0ul);
    }
    auto *lexer = qobject_cast<SyntaxLexer *>(editor->lexer());
    if (!lexer || lexer->kind() != kind) {
        editor->setUtf8(true);
        editor->setLexer(new SyntaxLexer(kind, &g_editors->model, editor.get()));
        delete lexer;
    }
    return editor.get();
}

void setBytes(QsciScintilla *editor, const QByteArray &bytes)
{
    editor->SendScintilla(Base::SCI_CLEARALL);
    editor->SendScintilla(Base::SCI_APPENDTEXT, static_cast<unsigned long>(bytes.size()), bytes.constData());
}

QByteArray styles(QsciScintilla *editor)
{
    const int length = editor->length();
    QByteArray out(length, '\0');
    for (int i = 0; i < length; ++i)
        out[i] = char(editor->SendScintilla(Base::SCI_GETSTYLEAT, static_cast<unsigned long>(i)));
    return out;
}

void styleInSteps(QsciScintilla *editor, int step)
{
    const long length = editor->length();
    for (int guard = 0; guard <= length + 1; ++guard) {
        const long done = editor->SendScintilla(Base::SCI_GETENDSTYLED);
        if (done >= length)
            return;
        editor->SendScintilla(Base::SCI_COLOURISE, static_cast<unsigned long>(done), qMin(length, done + step));
    }
    FUZZ_CHECK(!"styling in steps never reached the end");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_lexer";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);
    g_editors = new Editors;
    SyntaxColorSettings::OriginSettings(g_editors->model);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto kind = SyntaxLexerKind(FuzzTakeByte(data, size) % (int(SyntaxLexerKind::Sql) + 1));
    const int step = 1 + FuzzTakeByte(data, size) % 40;
    const char *insertion = kInsertions[FuzzTakeByte(data, size) % kInsertionCount];
    const int where = FuzzTakeByte(data, size);
    const QByteArray text = FuzzBytes(data, size);

    QsciScintilla *first = editorFor(0, kind);
    setBytes(first, text);
    first->SendScintilla(Base::SCI_COLOURISE, 0ul, -1l);
    FUZZ_CHECK(first->SendScintilla(Base::SCI_GETENDSTYLED) == first->length());
    const QByteArray whole = styles(first);
    const auto *lexer = static_cast<SyntaxLexer *>(first->lexer());
    for (char style : whole)
        FUZZ_CHECK(lexer->usesStyle(quint8(style)));

    QsciScintilla *second = editorFor(1, kind);
    setBytes(second, text);
    styleInSteps(second, step);
    FUZZ_CHECK(styles(second) == whole);

    // Insert, style from there, take it away, style again: as before.
    // At the start or the end of a line: both are character boundaries.
    const long at = long(size_t(where >> 1) * size_t(text.size()) / 127);
    const long line = first->SendScintilla(Base::SCI_LINEFROMPOSITION, static_cast<unsigned long>(at));
    const long insertAt = first->SendScintilla((where & 1) ? Base::SCI_GETLINEENDPOSITION : Base::SCI_POSITIONFROMLINE,
                                               static_cast<unsigned long>(line));
    first->SendScintilla(Base::SCI_INSERTTEXT, static_cast<unsigned long>(insertAt), insertion);
    styleInSteps(first, step);
    first->SendScintilla(Base::SCI_DELETERANGE, static_cast<unsigned long>(insertAt), long(qstrlen(insertion)));
    styleInSteps(first, step);
    FUZZ_CHECK(first->SendScintilla(Base::SCI_GETTEXTLENGTH) == text.size());
    FUZZ_CHECK(styles(first) == whole);
    return 0;
}
