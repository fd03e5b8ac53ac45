#pragma once
#include <QApplication>

// The application object: an exception that leaves an event handler is shown
// in an error box titled with the application title, and the program goes on.
class TVelKandrixApplication : public QApplication {
    Q_OBJECT
public:
    TVelKandrixApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

// The application title (captions of the error boxes).
QString ApplicationTitle();
void SetApplicationTitle(const QString &title);

// The text shown for an exception: a "." is appended when the message's last
// character sorts after ".".
QString ExceptionBoxText(const QString &message);
void ShowException(const QString &message);

// Program entry: single-instance guard, splash window, windows, message loop.
int RunVelKandrix(int argc, char **argv);
