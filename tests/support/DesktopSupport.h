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
