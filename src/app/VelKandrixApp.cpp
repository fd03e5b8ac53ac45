#include "app/VelKandrixApp.h"

#include "core/reMainForm.h"
#include "platform/SingleInstance.h"
#include "platform/UserDialogs.h"

#include <QApplication>

int RunVelKandrix(int argc, char **argv)
{
    QApplication app(argc, argv);
    SingleInstance instance(QStringLiteral("VelKandrix Freeware"));
    if (!instance.acquire()) {
        Dialogs().message(QMessageBox::NoIcon, QStringLiteral("VelKandrix"),
                          QStringLiteral("VelKandrix is already in use."), QMessageBox::Ok);
        return 0;
    }
    TMainForm form;
    form.show();
    const int rc = app.exec();
    instance.release();
    return rc;
}
