#pragma once
// The document tabs: builds each document's tab (editor page and preview page),
// owns the documents, knows the one in front and finds one by its file.
// The tabs only show what the documents hold: caption and hint from the path,
// the picture from the modified state, the hidden label from the encoding.
#include <QIcon>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QTabWidget;
class QWidget;
class TDocument;

class TDocumentTabs : public QObject {
    Q_OBJECT
public:
    // Pictures and captions of the tabs, given by the window (they come from its
    // picture list and language file).
    struct Look {
        QIcon saved, modified, renamed, editorPage, previewPage, back, forward, reload;
        int savedIndex = 0;
        int modifiedIndex = 28;
        int renamedIndex = 29;
        QString editorCaption, previewCaption, reloadCaption;
    };

    explicit TDocumentTabs(QTabWidget *tabs, QObject *parent = nullptr);

    QTabWidget *tabWidget() const { return m_tabs; }
    void setLook(const Look &look);
    const Look &look() const { return m_look; }

    // Builds a document with its tab at the end and brings it to the front. Its preview's
    // browser is built when the preview page is first shown, scripts on or off as given.
    TDocument *create(bool javascriptEnabled);
    // Removes the document and its tab; the last tab comes to the front.
    void close(TDocument *document);

    QList<TDocument *> documents() const;
    // The document in front; null when the page in front is no document.
    TDocument *current() const;
    void setCurrent(TDocument *document);
    // The document last in front, kept while a page that is no document is in front.
    TDocument *lastCurrent() const { return m_lastCurrent; }
    // The open document of that file (the same file under another spelling too); null when none.
    TDocument *findByPath(const QString &path) const;
    // The number of the next untitled document (1, 2, ...).
    int takeUntitledNumber() { return ++m_untitledCount; }

    static TDocument *documentOf(QWidget *page);
    // Both paths name the same file.
    static bool SameFile(const QString &a, const QString &b);

signals:
    // A document was built, before its tab is shown.
    void documentCreated(TDocument *document);
    // The page in front changed; null when it is no document.
    void currentChanged(TDocument *document);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void announce(TDocument *document);
    void showState(TDocument *document);
    void showCaptions(TDocument *document);

    QPointer<QTabWidget> m_tabs;
    Look m_look;
    QPointer<TDocument> m_lastCurrent;
    int m_nextNumber = 0;
    int m_untitledCount = 0;
    bool m_closing = false;
};
