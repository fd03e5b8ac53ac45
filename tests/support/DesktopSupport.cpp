#include "DesktopSupport.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
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

bool StackedAbove(QWidget *window, QWidget *other)
{
    // The manager's list of its windows, bottom first.
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {"-root", "_NET_CLIENT_LIST_STACKING"});
    if (!xprop.waitForFinished(10000) || xprop.exitStatus() != QProcess::NormalExit || xprop.exitCode() != 0) {
        qWarning("xprop failed: %s", xprop.readAllStandardError().constData());
        return false;
    }
    QList<WId> stacking;
    const QString out = QString::fromLatin1(xprop.readAllStandardOutput());
    for (const QRegularExpressionMatch &id : QRegularExpression("0x[0-9a-f]+").globalMatch(out))
        stacking << id.captured().toULongLong(nullptr, 16);
    const qsizetype above = stacking.indexOf(window->winId());
    const qsizetype below = stacking.indexOf(other->winId());
    return above >= 0 && below >= 0 && above > below;
}
