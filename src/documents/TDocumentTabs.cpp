#include "documents/TDocumentTabs.h"

#include "documents/PreviewPage.h"
#include "documents/TDocument.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qsciscintilla.h>

#include <algorithm>

namespace {
const char *const kImageIndex = "ImageIndex";

QString labelName(int n) { return QStringLiteral("LabelFileType_%1").arg(n); }
QString reloadName(int n) { return QStringLiteral("ButtonWBReload_%1").arg(n); }

QsciScintilla *newEditor(QWidget *page, int n)
{
    auto *editor = new QsciScintilla(page);
    editor->setObjectName(QStringLiteral("SynEdit_%1").arg(n));
    editor->setUtf8(true);
    // New documents use this platform's line breaks; an opened file sets its own.
    editor->setEolMode(QsciScintilla::EolUnix);
    editor->setMarginType(0, QsciScintilla::NumberMargin);
    editor->setMarginWidth(0, QStringLiteral("0000000"));
    editor->setMarginLineNumbers(0, true);
    editor->setMarginWidth(1, 0);
    editor->setTabWidth(8);
    editor->setIndentationsUseTabs(true);
    editor->setScrollWidth(2048);
    editor->setScrollWidthTracking(true);
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    // Ctrl+D and Ctrl+U belong to the pop-up menu's insertions, not to the editor's
    // own commands (duplicate line, lower case), which would take them first.
    for (const QKeyCombination key : {Qt::CTRL | Qt::Key_D, Qt::CTRL | Qt::Key_U}) {
        for (QsciCommand *command : editor->standardCommands()->commands()) {
            if (command->key() == key.toCombined())
                command->setKey(0);
            if (command->alternateKey() == key.toCombined())
                command->setAlternateKey(0);
        }
    }
    return editor;
}

// The preview's browser, below the bar of its page.
void addBrowser(TDocument *document, bool javascriptEnabled)
{
    QWidget *page = document->previewPage();
    auto *browser = new QWebEngineView(page);
    browser->setObjectName(QStringLiteral("WebBrowser_%1").arg(document->number()));
    browser->setAcceptDrops(false);
    auto *preview = new TPreviewPage(browser);
    preview->setSilent(!javascriptEnabled);
    preview->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, javascriptEnabled);
    browser->setPage(preview);
    static_cast<QVBoxLayout *>(page->layout())->addWidget(browser, 1);
    // At once, not at the next turn of the event loop: the page is being shown.
    browser->show();
    document->setBrowser(browser);
}
} // namespace

TDocumentTabs::TDocumentTabs(QTabWidget *tabs, QObject *parent) : QObject(parent), m_tabs(tabs)
{
    connect(tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (!m_closing)
            announce(documentOf(m_tabs->widget(index)));
    });
}

void TDocumentTabs::announce(TDocument *document)
{
    if (document)
        m_lastCurrent = document;
    emit currentChanged(document);
}

bool TDocumentTabs::eventFilter(QObject *watched, QEvent *event)
{
    // The editor widget throws (and the program ends) on one key press that brings several
    // characters beyond ASCII, as some input methods send: the text is put in as typed.
    if (event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent *>(event)->text();
        const bool several = text.size() > 1 && !(text.size() == 2 && text.at(0).isHighSurrogate());
        const bool beyondAscii = std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= 0x80; });
        auto *editor = qobject_cast<QsciScintilla *>(watched);
        if (editor && several && beyondAscii && !editor->isReadOnly()) {
            editor->SendScintilla(QsciScintillaBase::SCI_REPLACESEL, 0ul, text.toUtf8().constData());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void TDocumentTabs::setLook(const Look &look)
{
    m_look = look;
    for (TDocument *document : documents()) {
        showCaptions(document);
        showState(document);
    }
}

TDocument *TDocumentTabs::documentOf(QWidget *page)
{
    return page ? page->findChild<TDocument *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

QList<TDocument *> TDocumentTabs::documents() const
{
    QList<TDocument *> list;
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (TDocument *document = documentOf(m_tabs->widget(i)))
            list << document;
    }
    return list;
}

TDocument *TDocumentTabs::current() const
{
    return documentOf(m_tabs->currentWidget());
}

void TDocumentTabs::setCurrent(TDocument *document)
{
    if (document && document->container())
        m_tabs->setCurrentWidget(document->container());
}

bool TDocumentTabs::SameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    if (a == b)
        return true;
    const QFileInfo ia(a);
    const QFileInfo ib(b);
    // Links, "." and ".." name the same file; a file gone from disk is compared by its clean path.
    const QString ca = ia.canonicalFilePath();
    const QString cb = ib.canonicalFilePath();
    if (!ca.isEmpty() && !cb.isEmpty())
        return ca == cb;
    return QDir::cleanPath(ia.absoluteFilePath()) == QDir::cleanPath(ib.absoluteFilePath());
}

TDocument *TDocumentTabs::findByPath(const QString &path) const
{
    for (TDocument *document : documents()) {
        if (SameFile(document->path(), path))
            return document;
    }
    return nullptr;
}

TDocument *TDocumentTabs::create(bool javascriptEnabled)
{
    const int n = m_nextNumber++;
    auto *container = new QWidget(m_tabs);
    container->setObjectName(QStringLiteral("TBContainer_%1").arg(n));
    auto *containerLayout = new QVBoxLayout(container);
    containerLayout->setContentsMargins(0, 0, 0, 0);

    auto *inner = new QTabWidget(container);
    inner->setObjectName("SubPC_" + container->objectName());
    inner->setTabPosition(QTabWidget::South);
    inner->setDocumentMode(true);
    containerLayout->addWidget(inner);

    auto *editorPage = new QWidget(inner);
    editorPage->setObjectName(QStringLiteral("TBSynEdit_%1_%2").arg(n).arg(0));
    auto *editorLayout = new QVBoxLayout(editorPage);
    editorLayout->setContentsMargins(0, 0, 0, 0);
    QsciScintilla *editor = newEditor(editorPage, n);
    editorLayout->addWidget(editor);
    inner->addTab(editorPage, m_look.editorPage, QString());

    auto *previewPage = new QWidget(inner);
    previewPage->setObjectName(QStringLiteral("TBWebBrowser_%1_%2").arg(n).arg(1));
    auto *previewLayout = new QVBoxLayout(previewPage);
    previewLayout->setContentsMargins(0, 0, 0, 0);
    previewLayout->setSpacing(0);
    auto *bar = new QFrame(previewPage);
    bar->setObjectName(QStringLiteral("PanelWBOutput_%1").arg(n));
    bar->setFixedHeight(26);
    bar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto *label = new QLabel(bar);
    label->setObjectName(labelName(n));
    label->move(100, 7);
    label->hide();
    auto *back = new QPushButton(bar);
    back->setObjectName(QStringLiteral("ButtonWBOutputPrevious_%1").arg(n));
    back->setIcon(m_look.back);
    back->setGeometry(8, 3, 20, 20);
    auto *forward = new QPushButton(bar);
    forward->setObjectName(QStringLiteral("ButtonWBOutputNext_%1").arg(n));
    forward->setIcon(m_look.forward);
    forward->setGeometry(32, 3, 20, 20);
    auto *reload = new QPushButton(bar);
    reload->setObjectName(reloadName(n));
    reload->setIcon(m_look.reload);
    reload->setGeometry(80, 3, 90, 20);
    previewLayout->addWidget(bar);
    inner->addTab(previewPage, m_look.previewPage, QString());

    editor->installEventFilter(this);
    auto *document = new TDocument(n, container, editor, nullptr);
    document->setPages(inner, editorPage, previewPage);
    // The browser comes with the first showing of the preview, before anyone who waits for
    // that showing hears of it.
    connect(inner, &QTabWidget::currentChanged, document, [document, javascriptEnabled](int index) {
        if (!document->browser() && index >= 0 && document->pages()->widget(index) == document->previewPage())
            addBrowser(document, javascriptEnabled);
    });
    document->setModified(false);
    connect(document, &TDocument::pathChanged, this, [this, document] { showState(document); });
    connect(document, &TDocument::encodingChanged, this, [this, document] { showState(document); });
    connect(document, &TDocument::modifiedChanged, this, [this, document] { showState(document); });
    showCaptions(document);
    emit documentCreated(document);

    const int index = m_tabs->addTab(container, QString());
    showState(document);
    if (m_tabs->currentIndex() == index)
        announce(document);
    else
        m_tabs->setCurrentIndex(index);
    return document;
}

void TDocumentTabs::showCaptions(TDocument *document)
{
    if (QTabWidget *inner = document->pages()) {
        inner->setTabText(0, m_look.editorCaption);
        inner->setTabText(1, m_look.previewCaption);
    }
    if (auto *reload = document->container()->findChild<QPushButton *>(reloadName(document->number())))
        reload->setText(m_look.reloadCaption);
}

void TDocumentTabs::showState(TDocument *document)
{
    QWidget *container = document->container();
    if (!container)
        return;
    const bool modified = document->isModified();
    const bool renamed = !modified && document->isRenamed();
    const int picture = modified ? m_look.modifiedIndex : renamed ? m_look.renamedIndex : m_look.savedIndex;
    container->setProperty(kImageIndex, picture);
    if (auto *label = container->findChild<QLabel *>(labelName(document->number())))
        label->setText(document->encoding());
    const int index = m_tabs->indexOf(container);
    if (index < 0)
        return;
    m_tabs->setTabText(index, document->fileName());
    m_tabs->setTabToolTip(index, document->path());
    m_tabs->setTabIcon(index, modified ? m_look.modified : renamed ? m_look.renamed : m_look.saved);
}

void TDocumentTabs::close(TDocument *document)
{
    if (!document || !document->container())
        return;
    QWidget *container = document->container();
    const bool many = m_tabs->count() > 2;
    if (many)
        m_tabs->setUpdatesEnabled(false);
    m_closing = true;
    m_tabs->removeTab(m_tabs->indexOf(container));
    m_closing = false;
    container->setParent(nullptr);
    container->deleteLater();
    // The document is gone at once for those who ask, not at the next event loop turn.
    delete document;
    const int last = m_tabs->count() - 1;
    if (last >= 0) {
        if (m_tabs->currentIndex() == last)
            announce(documentOf(m_tabs->widget(last)));
        else
            m_tabs->setCurrentIndex(last);
    } else {
        announce(nullptr);
    }
    if (many)
        m_tabs->setUpdatesEnabled(true);
}
