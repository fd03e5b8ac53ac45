#pragma once
// Helpers of the tests run on a real display with a window manager (tests named *_wm).
#include <QMessageBox>
#include <QPoint>
#include <QStringList>
#include <QTimer>
#include <functional>

// Closes every real modal message box once it is on screen, after handing it to a look.
class BoxCloser {
public:
    explicit BoxCloser(std::function<void(QMessageBox *)> look = {});
    // The texts of the boxes closed so far.
    QStringList texts;

private:
    QTimer m_timer;
};

// The top-left of a window's frame once the window manager has framed it.
QPoint FrameTopLeft(QWidget *window);

// True when the window manager stacks the window above the other one.
bool StackedAbove(QWidget *window, QWidget *other);

// A property of a window as xprop shows it, the text after " = " ("" when it is not set);
// a null string when xprop fails.
QString WindowProperty(QWidget *window, const QString &property);

// The numbers of a window's _MOTIF_WM_HINTS: flags, functions, decorations, ...
QList<quint32> MotifHints(QWidget *window);

// Asks the window manager to minimise a window, as its title bar's button does; true once the
// manager did, however briefly.
bool MinimisedByManager(QWidget *window);
