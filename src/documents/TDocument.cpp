#include "documents/TDocument.h"

#include "documents/EditorText.h"

#include <QFileInfo>
#include <QTabWidget>
#include <QWebEngineView>
#include <QWidget>
#include <Qsci/qsciscintilla.h>

TDocument::TDocument(int number, QWidget *container, QsciScintilla *editor, QWebEngineView *browser)
    : QObject(container), m_number(number), m_container(container), m_editor(editor), m_browser(browser)
{
    setObjectName(QStringLiteral("Document_%1").arg(number));
    // First of all who hear of it: the tab shows the new state, no longer the rename.
    connect(this, &TDocument::modifiedChanged, this, [this] { m_renamed = false; });
    if (editor)
        connect(editor, &QsciScintilla::modificationChanged, this, [this] { emit modifiedChanged(isModified()); });
}

void TDocument::setPages(QTabWidget *pages, QWidget *editorPage, QWidget *previewPage)
{
    m_pages = pages;
    m_editorPage = editorPage;
    m_previewPage = previewPage;
}

bool TDocument::previewShown() const
{
    return m_pages && m_pages->currentWidget() && m_pages->currentWidget() == m_previewPage;
}

void TDocument::showEditorPage()
{
    if (m_pages && m_editorPage)
        m_pages->setCurrentWidget(m_editorPage);
}

void TDocument::setPath(const QString &path)
{
    if (path == m_path)
        return;
    m_path = path;
    emit pathChanged();
}

void TDocument::rename(const QString &path)
{
    m_renamed = !isModified();
    if (path == m_path)
        emit pathChanged();
    else
        setPath(path);
}

void TDocument::setUntitledCaption(const QString &caption)
{
    if (caption == m_untitledCaption)
        return;
    m_untitledCaption = caption;
    if (m_path.isEmpty())
        emit pathChanged();
}

QString TDocument::fileName() const
{
    return m_path.isEmpty() ? m_untitledCaption : QFileInfo(m_path).fileName();
}

void TDocument::rememberFileState()
{
    const QFileInfo file(m_path);
    m_fileSize = file.exists() ? file.size() : -1;
    m_fileTime = file.exists() ? file.lastModified() : QDateTime();
}

bool TDocument::fileChangedOutside() const
{
    const QFileInfo file(m_path);
    return !m_path.isEmpty() && file.exists() && (file.size() != m_fileSize || file.lastModified() != m_fileTime);
}

void TDocument::setEncoding(const QString &encoding)
{
    if (encoding == m_encoding)
        return;
    m_encoding = encoding;
    emit encodingChanged();
}

void TDocument::setLineBreak(LineBreak lineBreak)
{
    m_lineBreak = lineBreak;
    if (!m_editor)
        return;
    switch (lineBreak) {
    case LineBreak::CRLF: m_editor->setEolMode(QsciScintilla::EolWindows); break;
    case LineBreak::CR: m_editor->setEolMode(QsciScintilla::EolMac); break;
    case LineBreak::LF: m_editor->setEolMode(QsciScintilla::EolUnix); break;
    }
}

QString TDocument::lineBreakText() const
{
    switch (m_lineBreak) {
    case LineBreak::CRLF: return QStringLiteral("\r\n");
    case LineBreak::CR: return QStringLiteral("\r");
    case LineBreak::LF: break;
    }
    return QStringLiteral("\n");
}

TDocument::LineBreak TDocument::DetectLineBreak(const QString &text)
{
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'\n')
            return LineBreak::LF;
        if (text.at(i) == u'\r')
            return i + 1 < text.size() && text.at(i + 1) == u'\n' ? LineBreak::CRLF : LineBreak::CR;
    }
    return LineBreak::LF;
}

void TDocument::chooseEncoding(const QString &encoding)
{
    if (encoding == m_encoding)
        return;
    const bool before = isModified();
    m_encodingChosen = true;
    setEncoding(encoding);
    if (!before)
        emit modifiedChanged(true);
}

bool TDocument::isModified() const
{
    return m_encodingChosen || (m_editor && m_editor->isModified());
}

void TDocument::setModified(bool modified)
{
    const bool before = isModified();
    const bool editorBefore = m_editor && m_editor->isModified();
    if (!modified)
        m_encodingChosen = false;
    if (m_editor)
        m_editor->setModified(modified);
    // The editor signals its own changes; a cleared encoding choice is told here.
    const bool editorAfter = m_editor && m_editor->isModified();
    if (editorBefore == editorAfter && before != isModified())
        emit modifiedChanged(isModified());
}

void TDocument::setHighlighter(DocumentText::HighlighterKind kind)
{
    if (kind == m_highlighter)
        return;
    m_highlighter = kind;
    emit highlighterChanged(kind);
}

void TDocument::setSavedCaret(int line, int column)
{
    m_savedCaretY = line;
    m_savedCaretX = column;
}

QString TDocument::text() const
{
    return m_editor ? EditorText(m_editor) : QString();
}
