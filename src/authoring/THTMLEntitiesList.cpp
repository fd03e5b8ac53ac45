#include "authoring/THTMLEntitiesList.h"

#include "program/MessagesKandrix.h"
#include "program/uDivStartVK.h"

#include <QAction>
#include <QMenuBar>
#include <QShowEvent>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

THTMLEntitiesList::THTMLEntitiesList(QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("HTMLEntitiesList"));
    setWindowTitle(QStringLiteral("HTML Entities"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MenuClose = MainMenu1->addAction(tr("&Close"));
    MenuClose->setObjectName(QStringLiteral("MenuClose"));
    MenuCopy = MainMenu1->addAction(tr("&Copy"));
    MenuCopy->setObjectName(QStringLiteral("MenuCopy"));
    layout->setMenuBar(MainMenu1);
    PanelMain = new QWidget(this);
    PanelMain->setObjectName(QStringLiteral("PanelMain"));
    auto *panelLayout = new QVBoxLayout(PanelMain);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    WebBrowser1 = new QWebEngineView(PanelMain);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setAcceptDrops(false);
    panelLayout->addWidget(WebBrowser1);
    layout->addWidget(PanelMain, 1);
    connect(MenuCopy, &QAction::triggered, this, &THTMLEntitiesList::MenuCopyClick);
    connect(MenuClose, &QAction::triggered, this, &THTMLEntitiesList::MenuCloseClick);
    resize(320, 453 + MainMenu1->sizeHint().height());
}

void THTMLEntitiesList::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void THTMLEntitiesList::FormShow()
{
    if (m_mainWindow) {
        // Against the main window's right edge, just below its title bar.
        const QRect main = m_mainWindow->frameGeometry();
        const QRect frame = frameGeometry();
        const int frameExtra = frame.height() - height();
        const int left = main.left() + main.width() - (frame.width() + 5);
        resize(width(), qMax(100, main.height() - 55 - frameExtra));
        move(left, main.top() + 45);
    }
    if (LoadPage)
        LoadPage(WebBrowser1, Paths().EntitiesListFile);
    else
        WebBrowser1->load(QUrl::fromLocalFile(Paths().EntitiesListFile));
    setWindowTitle(SHTMLEntitiesList.isEmpty() ? QStringLiteral("HTML Entities") : SHTMLEntitiesList);
    if (!SClose.isEmpty())
        MenuClose->setText(SClose);
    if (!SCopy.isEmpty())
        MenuCopy->setText(SCopy);
}

void THTMLEntitiesList::MenuCopyClick()
{
    WebBrowser1->triggerPageAction(QWebEnginePage::Copy);
}

void THTMLEntitiesList::MenuCloseClick()
{
    hide();
}
