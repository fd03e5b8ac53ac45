#include "DesktopSupport.h"

#include <QApplication>
#include <QTest>
#include <QWindow>

BoxCloser::BoxCloser(std::function<void(QMessageBox *)> look)
{
    QObject::connect(&m_timer, &QTimer::timeout, [this, look] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->windowHandle() || !box->windowHandle()->isExposed())
            return;
        if (look)
            look(box);
        texts << box->text();
        box->accept();
    });
    m_timer.start(100);
}

QPoint FrameTopLeft(QWidget *window)
{
    // Until the manager has framed the window, Qt takes the inside for the frame.
    if (!QTest::qWaitFor([window] { return window->frameGeometry() != window->geometry(); }))
        return QPoint(-1, -1);
    return window->frameGeometry().topLeft();
}
