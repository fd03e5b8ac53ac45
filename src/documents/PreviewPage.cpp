#include "documents/PreviewPage.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>
#include <QWebEngineFindTextResult>
#include <QWebEngineView>

TPreviewPage::TPreviewPage(QObject *parent) : QWebEnginePage(parent) {}

void TPreviewPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                            int lineNumber, const QString &sourceID)
{
    if (!m_silent)
        QWebEnginePage::javaScriptConsoleMessage(level, message, lineNumber, sourceID);
}

bool TPreviewPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (isMainFrame)
        emit navigationStarted(url, type);
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

TPreviewFindBar::TPreviewFindBar(QWebEngineView *browser) : QFrame(browser), m_browser(browser)
{
    setObjectName("PreviewFindBar");
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    m_text = new QLineEdit(this);
    m_text->setObjectName("PreviewFindText");
    m_text->setMinimumWidth(180);
    m_text->setClearButtonEnabled(true);
    auto button = [this, layout](const QString &name, Qt::ArrowType arrow, const QString &glyph) {
        auto *b = new QToolButton(this);
        b->setObjectName(name);
        b->setAutoRaise(true);
        if (arrow != Qt::NoArrow)
            b->setArrowType(arrow);
        else
            b->setText(glyph);
        layout->addWidget(b);
        return b;
    };
    layout->addWidget(m_text);
    QToolButton *previous = button("PreviewFindPrevious", Qt::UpArrow, QString());
    QToolButton *next = button("PreviewFindNext", Qt::DownArrow, QString());
    QToolButton *closeButton = button("PreviewFindClose", Qt::NoArrow, QStringLiteral("\u00D7"));
    connect(m_text, &QLineEdit::textChanged, this, [this] { find(false); });
    connect(previous, &QToolButton::clicked, this, [this] { find(true); });
    connect(next, &QToolButton::clicked, this, [this] { find(false); });
    connect(closeButton, &QToolButton::clicked, this, &TPreviewFindBar::dismiss);
    m_text->installEventFilter(this);
    browser->installEventFilter(this);
}

TPreviewFindBar *TPreviewFindBar::Open(QWebEngineView *browser)
{
    auto *bar = browser->findChild<TPreviewFindBar *>(QString(), Qt::FindDirectChildrenOnly);
    if (!bar)
        bar = new TPreviewFindBar(browser);
    bar->adjustSize();
    bar->place();
    bar->show();
    bar->raise();
    bar->m_text->setFocus();
    bar->m_text->selectAll();
    return bar;
}

void TPreviewFindBar::place()
{
    move(qMax(0, m_browser->width() - width() - 16), 4);
}

void TPreviewFindBar::find(bool backward)
{
    const QString what = m_text->text();
    const QWebEnginePage::FindFlags flags = backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags();
    QPointer<QLineEdit> text = m_text;
    m_browser->page()->findText(what, flags, [text, what](const QWebEngineFindTextResult &result) {
        if (!text)
            return;
        // A text the page does not hold shows in red.
        text->setStyleSheet(!what.isEmpty() && result.numberOfMatches() == 0
                                ? QStringLiteral("QLineEdit { background: #FFC8C8; }")
                                : QString());
    });
}

void TPreviewFindBar::dismiss()
{
    m_browser->page()->findText(QString());
    hide();
    m_browser->setFocus();
}

bool TPreviewFindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_browser && event->type() == QEvent::Resize)
        place();
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            find(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            dismiss();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}
