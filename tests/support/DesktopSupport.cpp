#include "DesktopSupport.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
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

namespace {
// The output of xprop with these arguments; a null string when it fails.
QString xprop(const QStringList &arguments)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), arguments);
    if (!xprop.waitForFinished(10000) || xprop.exitStatus() != QProcess::NormalExit || xprop.exitCode() != 0) {
        qWarning("xprop failed: %s", xprop.readAllStandardError().constData());
        return QString();
    }
    return QString::fromLatin1(xprop.readAllStandardOutput());
}

// Tells whether a window was minimised, however briefly.
class MinimisedWatch : public QObject {
public:
    explicit MinimisedWatch(QWidget *window) : m_window(window) { window->installEventFilter(this); }
    bool minimised = false;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::WindowStateChange && m_window->isMinimized())
            minimised = true;
        return false;
    }

private:
    QWidget *m_window;
};
} // namespace

bool StackedAbove(QWidget *window, QWidget *other)
{
    // The manager's list of its windows, bottom first.
    const QString out = xprop({"-root", "_NET_CLIENT_LIST_STACKING"});
    QList<WId> stacking;
    for (const QRegularExpressionMatch &id : QRegularExpression("0x[0-9a-f]+").globalMatch(out))
        stacking << id.captured().toULongLong(nullptr, 16);
    const qsizetype above = stacking.indexOf(window->winId());
    const qsizetype below = stacking.indexOf(other->winId());
    return above >= 0 && below >= 0 && above > below;
}

QString WindowProperty(QWidget *window, const QString &property)
{
    const QString out = xprop({"-id", QString::number(window->winId()), property});
    if (out.isNull())
        return out;
    const qsizetype equals = out.indexOf(QLatin1String(" = "));
    return equals < 0 ? QStringLiteral("") : out.mid(equals + 3).trimmed();
}

QList<quint32> MotifHints(QWidget *window)
{
    QList<quint32> numbers;
    for (const QString &number : WindowProperty(window, QStringLiteral("_MOTIF_WM_HINTS")).split(QLatin1String(", ")))
        numbers << number.toUInt(nullptr, 0);
    return numbers;
}

bool MinimisedByManager(QWidget *window)
{
    MinimisedWatch watch(window);
    // Openbox now and then lets a request pass that comes soon after the window appeared.
    for (int attempt = 0; attempt < 5 && !watch.minimised; ++attempt) {
        window->windowHandle()->setWindowStates(Qt::WindowNoState);
        window->windowHandle()->showMinimized();
        if (QTest::qWaitFor([&watch] { return watch.minimised; }, 1000))
            break;
    }
    return watch.minimised;
}
