#include "authoring/GeneratorWidgets.h"
#include "authoring/TGeneratorTagBar.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QPushButton>

#include "dialogs/UserDialogs.h"
#include "documents/PreviewPage.h"

#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QWebEngineSettings>
#include <QWebEngineView>

TColorShape::TColorShape(const QString &name, const QColor &color, QWidget *parent) : QFrame(parent), m_color(color)
{
    setObjectName(name);
    setFrameShape(QFrame::Box);
    setFixedSize(40, 20);
}

void TColorShape::SetColor(const QColor &color)
{
    m_color = color;
    update();
}

QString TColorShape::ColorText() const
{
    return m_color.name().toUpper();
}

void TColorShape::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    p.fillRect(contentsRect(), m_color);
}

void TColorShape::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void ChooseShapeColor(TColorShape *shape)
{
    QColor color = shape->Color();
    if (Dialogs().color(&color) && color.isValid())
        shape->SetColor(color);
}

QLineEdit *NewNumberBox(const QString &name, const QString &text, QWidget *parent)
{
    auto *box = new QLineEdit(text, parent);
    box->setObjectName(name);
    // Digits only, also when pasted: a pasted word could not be read as a size.
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,6}")), box));
    box->setMaximumWidth(70);
    return box;
}

bool NumberOf(const QLineEdit *box, int *value)
{
    bool ok = false;
    *value = box->text().toInt(&ok);
    return ok;
}

QSpinBox *NewSpinBox(const QString &name, int minimum, int maximum, int value, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

QComboBox *NewBorderStyleBox(const QString &name, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems({QStringLiteral("none"), QStringLiteral("solid"), QStringLiteral("dotted"), QStringLiteral("dashed"),
                   QStringLiteral("double"), QStringLiteral("groove"), QStringLiteral("ridge"), QStringLiteral("inset"),
                   QStringLiteral("outset"), QStringLiteral("hidden"), QStringLiteral("initial"),
                   QStringLiteral("inherit")});
    box->setCurrentIndex(1);
    box->setMaxVisibleItems(box->count());
    return box;
}

QString CaptionText(const QString &message, const QString &design)
{
    return message.isEmpty() ? design : message;
}

TGeneratorPreview::TGeneratorPreview(QWidget *host, int timeLimitMs) : QObject(host), m_host(host)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(timeLimitMs);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_gaveUp = true;
        if (m_browser)
            m_browser->stop();
        emit finished(false);
    });
}

QWebEngineView *TGeneratorPreview::Browser()
{
    if (m_browser)
        return m_browser;
    m_browser = new QWebEngineView(m_host);
    m_browser->setObjectName(QStringLiteral("WebBrowser1"));
    m_browser->setPage(new TPreviewPage(m_browser));
    m_browser->setAcceptDrops(false);
    SetJavascript(m_javascript);
    connect(m_browser, &QWebEngineView::loadProgress, this, [this] {
        if (m_timer.isActive())
            m_timer.start();
    });
    connect(m_browser, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (!m_timer.isActive())
            return;
        m_timer.stop();
        emit finished(ok);
    });
    if (!m_host->layout())
        (new QVBoxLayout(m_host))->setContentsMargins(0, 0, 0, 0);
    m_host->layout()->addWidget(m_browser);
    m_browser->show();
    return m_browser;
}

void TGeneratorPreview::SetJavascript(bool enabled)
{
    m_javascript = enabled;
    if (!m_browser)
        return;
    m_browser->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, enabled);
    if (auto *page = qobject_cast<TPreviewPage *>(m_browser->page()))
        page->setSilent(!enabled);
}

void TGeneratorPreview::LoadHTMLFromStr(const QString &text)
{
    m_gaveUp = false;
    m_timer.stop();
    if (text.isEmpty()) {
        // No browser yet shows nothing already.
        if (m_browser)
            m_browser->setUrl(QUrl(QStringLiteral("about:blank")));
        return;
    }
    // Through a file, not a data URL, so a large table still previews. The byte-order mark
    // tells the browser the text is UTF-8 when the markup declares no charset.
    if (!m_folder)
        m_folder = std::make_unique<QTemporaryDir>();
    QFile file(m_folder->filePath(QStringLiteral("preview.html")));
    const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    m_timer.start();
    if (m_folder->isValid() && file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size()
        && file.flush()) {
        file.close();
        // A fresh URL each time, so the same markup loads again rather than being skipped.
        QUrl url = QUrl::fromLocalFile(file.fileName());
        url.setQuery(QStringLiteral("t=%1").arg(QDateTime::currentMSecsSinceEpoch()));
        Browser()->load(url);
    } else {
        Browser()->setHtml(text);
    }
}

QPushButton *NewDialogButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QHBoxLayout *ShapeWithButton(TColorShape *shape, QPushButton *button)
{
    auto *row = new QHBoxLayout;
    row->addWidget(shape);
    row->addWidget(button);
    row->addStretch();
    return row;
}

TGeneratorDialog::TGeneratorDialog(QString *generatedHtml, QWidget *parent)
    : QDialog(parent), m_generatedHtml(generatedHtml)
{
}

void TGeneratorDialog::SetJavascript(bool enabled)
{
    Preview->SetJavascript(enabled);
}

void TGeneratorDialog::setDocument(TDocument *document)
{
    TagBar->setDocument(document);
}

void TGeneratorDialog::ConnectCloseButtons(QPushButton *insert, QPushButton *cancel)
{
    connect(insert, &QPushButton::clicked, this, [this] {
        CloseButton = QStringLiteral("ButtonInsert");
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        CloseButton = QStringLiteral("ButtonCancel");
        reject();
    });
}

void TGeneratorDialog::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        FormShow();
        // Placed anew over the main window, it came back moved by its own frame. The inside's
        // place is known even before a window manager has said how large the frame is.
        if (m_place)
            setGeometry(*m_place);
    } else if (!visible && isVisible()) {
        m_place = geometry();
    }
    QDialog::setVisible(visible);
}

void TGeneratorDialog::done(int result)
{
    // Only Insert hands the markup over; any other way out leaves nothing to insert.
    if (CloseButton != QLatin1String("ButtonInsert") && m_generatedHtml)
        m_generatedHtml->clear();
    CloseButton.clear();
    QDialog::done(result);
}
