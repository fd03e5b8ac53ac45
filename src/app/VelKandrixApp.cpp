#include "app/VelKandrixApp.h"

#include "app/reSplash.h"
#include "core/reMainForm.h"
#include "platform/SingleInstance.h"
#include "program/uDivStartVK.h"
#include "dialogs/UserDialogs.h"

#include <QTimer>

#include <cstdio>
#include <exception>
#include <unistd.h>

namespace {
QString applicationTitle;

// Says on standard output when the window is first painted, for the start-up benchmark.
class FirstPaintReport : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Once the painted picture is on screen, not before.
            QTimer::singleShot(0, this, [] {
                std::puts("window shown");
                std::fflush(stdout);
            });
        }
        return false;
    }
};
} // namespace

QString ApplicationTitle()
{
    return applicationTitle;
}

void SetApplicationTitle(const QString &title)
{
    applicationTitle = title;
}

TVelKandrixApplication::TVelKandrixApplication(int &argc, char **argv) : QApplication(argc, argv) {}

QString ExceptionBoxText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QChar('.'))
        return message + ".";
    return message;
}

void ShowException(const QString &message)
{
    Dialogs().message(QMessageBox::Critical, ApplicationTitle(), ExceptionBoxText(message),
                      QMessageBox::Ok);
}

bool TVelKandrixApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        ShowException(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowException(QStringLiteral("Unknown error"));
    }
    return false;
}

int RunVelKandrix(int argc, char **argv)
{
    // The preview engine refuses to start as root unless its sandbox is off.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // Pages are drawn in software: an OpenGL driver loaded for the previews alone would
    // hold some 50 MB from the start, whether or not a preview is ever shown.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TVelKandrixApplication app(argc, argv);
    SingleInstance instance(QStringLiteral("VelKandrix Freeware"));
    if (!instance.acquire()) {
        Dialogs().message(QMessageBox::NoIcon, QStringLiteral("VelKandrix"),
                          QStringLiteral("VelKandrix is already in use."), QMessageBox::Ok);
        return 0;
    }
    auto *splash = new TSplash;
    splash->show();
    splash->repaint();
    QApplication::setApplicationName(QStringLiteral("VelKandrix"));
    SetApplicationTitle(QStringLiteral("VelKandrix Freeware"));
    InitProgramPaths();
    TMainForm form;
    Dialogs().parentWindow = &form;
    if (qEnvironmentVariableIsSet("VK_REPORT_SHOWN"))
        form.installEventFilter(new FirstPaintReport(&form));
    form.show();
    const int rc = app.exec();
    delete splash;
    instance.release();
    return rc;
}
