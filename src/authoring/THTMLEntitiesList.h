#pragma once
// The HTML entities window: the entity reference page beside the main window, from which
// a selection can be copied. It stays alive between showings; Close only hides it.
#include <QWidget>
#include <functional>

class QAction;
class QMenuBar;
class QWebEngineView;

class THTMLEntitiesList : public QWidget {
    Q_OBJECT
public:
    // mainWindow: the window it is placed against (also its owner).
    explicit THTMLEntitiesList(QWidget *mainWindow);

    // How a page is loaded into a browser; the main window's loader when set.
    std::function<void(QWebEngineView *, const QString &)> LoadPage;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void MenuCopyClick();
    void MenuCloseClick();

    QMenuBar *MainMenu1 = nullptr;
    QAction *MenuClose = nullptr;
    QAction *MenuCopy = nullptr;
    QWidget *PanelMain = nullptr;
    QWebEngineView *WebBrowser1 = nullptr;

    QWidget *m_mainWindow;
};
