#include "core/FixedDialogBorder.h"

#include <QDialog>
#include <QEvent>
#include <QTimer>

namespace {

// Brings a minimised box back at once. A manager that minimises a modal box takes its owner
// down with it, or leaves the owner up and blocked with nothing on screen to answer; either
// way both come back, as neither can be minimised while the box waits for an answer.
class RefuseMinimise : public QObject {
public:
    explicit RefuseMinimise(QDialog *dialog) : QObject(dialog), m_dialog(dialog) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_dialog && event->type() == QEvent::WindowStateChange && m_dialog->isMinimized()) {
            // Once the manager's change has been taken in.
            QTimer::singleShot(0, this, [this] {
                if (!m_dialog->isMinimized())
                    return;
                if (QWidget *owner = m_dialog->parentWidget() ? m_dialog->parentWidget()->window() : nullptr)
                    restore(owner);
                restore(m_dialog);
            });
        }
        return false;
    }

private:
    static void restore(QWidget *window)
    {
        if (window->isMinimized())
            window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    }

    QDialog *m_dialog;
};

} // namespace

void UseFixedDialogBorder(QDialog *dialog, const QSize &size, Qt::WindowFlags extra)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint | extra);
    dialog->setFixedSize(size);
    dialog->installEventFilter(new RefuseMinimise(dialog));
}
