#pragma once
// One open document: its file, encoding, line breaks and modified state, and the
// widgets that show it. Commands that act on "the active document" take one of
// these; it is a child of its tab, so a QPointer to it empties when the tab closes.
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>

#include <QTabWidget>
#include <QWidget>
#include <QWebEngineView>
#include <Qsci/qsciscintilla.h>

#include "util/DocumentText.h"

class TDocument : public QObject {
    Q_OBJECT
public:
    enum class LineBreak { LF, CRLF, CR };

    TDocument(int number, QWidget *container, QsciScintilla *editor, QWebEngineView *browser);

    // The per-document number that names its widgets; it only grows.
    int number() const { return m_number; }
    QWidget *container() const { return m_container; }
    QsciScintilla *editor() const { return m_editor; }
    // The preview's browser: none until the preview page is first shown, since the first
    // browser starts the browser engine's processes.
    QWebEngineView *browser() const { return m_browser; }
    void setBrowser(QWebEngineView *browser) { m_browser = browser; }
    // The inner tabs of the document's page: the editor page and the preview page.
    QTabWidget *pages() const { return m_pages; }
    QWidget *editorPage() const { return m_editorPage; }
    QWidget *previewPage() const { return m_previewPage; }
    void setPages(QTabWidget *pages, QWidget *editorPage, QWidget *previewPage);
    // Brings the editor page to the front of the document's inner tabs.
    void showEditorPage();
    // The preview page is in front of the editor page.
    bool previewShown() const;

    // Full path; empty while the document is untitled.
    QString path() const { return m_path; }
    void setPath(const QString &path);
    bool isUntitled() const { return m_path.isEmpty(); }
    // The file was renamed to this path. An unmodified document shows it as renamed until
    // its modified state next changes.
    void rename(const QString &path);
    bool isRenamed() const { return m_renamed; }
    // The caption of an untitled document ("Untitled1.html").
    QString untitledCaption() const { return m_untitledCaption; }
    void setUntitledCaption(const QString &caption);
    // The name shown on the tab: the path's file name, else the untitled caption.
    QString fileName() const;
    // Takes note of the file's size and modification time, once the document has read or
    // written it.
    void rememberFileState();
    // True when the file is there but no longer the one the document last read or wrote:
    // another program changed it. A deleted file is not a changed one.
    bool fileChangedOutside() const;

    // One of the encoding names of DocumentText ("Ansi", "UTF8", ...).
    QString encoding() const { return m_encoding; }
    void setEncoding(const QString &encoding);
    // The user's choice of another encoding: like an edit, it waits for a save, so the
    // document reads as modified until then.
    void chooseEncoding(const QString &encoding);

    // True while the text lacks bytes of its file that did not decode in its encoding:
    // saving would write something else in their place.
    bool lossyRead() const { return m_lossyRead; }
    void setLossyRead(bool lossy) { m_lossyRead = lossy; }

    LineBreak lineBreak() const { return m_lineBreak; }
    // Also sets the editor's mode, so new lines typed match the file's.
    void setLineBreak(LineBreak lineBreak);
    // The line break's characters: "\r\n", "\r" or "\n".
    QString lineBreakText() const;
    // The style of the first line break in the text; LF when there is none.
    static LineBreak DetectLineBreak(const QString &text);

    // Read from the editor (and a chosen encoding not yet saved), never from a tab picture.
    bool isModified() const;
    void setModified(bool modified);

    // The whole text, NUL characters included.
    QString text() const;

    // The syntax colouring its editor follows, chosen by the file's extension.
    DocumentText::HighlighterKind highlighter() const { return m_highlighter; }
    void setHighlighter(DocumentText::HighlighterKind kind);

    // The caret's line and column (from 1) as of the editor's last status change: a
    // validation run puts the caret back there.
    int savedCaretY() const { return m_savedCaretY; }
    int savedCaretX() const { return m_savedCaretX; }
    void setSavedCaret(int line, int column);

    // True once the preview has navigated to the temporary copy, so that later showings
    // only refresh it; opening the document, showing its tab and reloading clear it.
    bool previewLoaded() const { return m_previewLoaded; }
    void setPreviewLoaded(bool loaded) { m_previewLoaded = loaded; }

signals:
    void pathChanged();
    void encodingChanged();
    void modifiedChanged(bool modified);
    void highlighterChanged(DocumentText::HighlighterKind kind);

private:
    int m_number;
    QPointer<QWidget> m_container;
    QPointer<QsciScintilla> m_editor;
    QPointer<QWebEngineView> m_browser;
    bool m_encodingChosen = false;
    bool m_lossyRead = false;
    bool m_renamed = false;
    QPointer<QTabWidget> m_pages;
    QPointer<QWidget> m_editorPage;
    QPointer<QWidget> m_previewPage;
    QString m_path;
    QString m_untitledCaption;
    qint64 m_fileSize = -1;
    QDateTime m_fileTime;
    QString m_encoding;
    LineBreak m_lineBreak = LineBreak::LF;
    DocumentText::HighlighterKind m_highlighter = DocumentText::HighlighterKind::Multi;
    int m_savedCaretY = 1;
    int m_savedCaretX = 1;
    bool m_previewLoaded = false;
};
