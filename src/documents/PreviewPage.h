#pragma once
// The page of a document's preview: silent unless the user allows scripts, and a
// small find bar over it in place of a browser's find dialog.
#include <QFrame>
#include <QWebEnginePage>

class QLineEdit;
class QWebEngineView;

class TPreviewPage : public QWebEnginePage {
    Q_OBJECT
public:
    explicit TPreviewPage(QObject *parent = nullptr);
    // While silent, script errors and messages are not shown.
    void setSilent(bool silent) { m_silent = silent; }
    bool isSilent() const { return m_silent; }

signals:
    // Every navigation of the main frame: a fresh one or a reload.
    void navigationStarted(const QUrl &url, QWebEnginePage::NavigationType type);

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
                                  const QString &sourceID) override;
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    bool m_silent = true;
};

// Searches the shown page; Enter finds the next match, Shift+Enter the previous, Escape closes.
class TPreviewFindBar : public QFrame {
    Q_OBJECT
public:
    // The browser's find bar, made on first use, shown with the focus in its text box.
    static TPreviewFindBar *Open(QWebEngineView *browser);
    QLineEdit *text() const { return m_text; }
    void find(bool backward);
    void dismiss();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit TPreviewFindBar(QWebEngineView *browser);
    void place();

    QWebEngineView *m_browser;
    QLineEdit *m_text;
};
