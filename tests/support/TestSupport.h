#pragma once
// Shared test helpers: a temporary program folder and scripted dialogs.
#include "dialogs/UserDialogs.h"

#include <QApplication>
#include <QColor>
#include <QTest>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <initializer_list>
#include <sys/resource.h>
#include <memory>
#include <condition_variable>
#include <mutex>
#include <thread>

// A temporary copy of the built program folder (data folders and the Tidy link),
// installed as the program's folder so no test touches a real settings file. Made
// before the main window: the paths cannot change while a window uses them, and the
// folder is not valid then.
class TempProgramFolder {
public:
    TempProgramFolder();
    ~TempProgramFolder();
    bool isValid() const;
    // The folder, ending with "/".
    QString path() const;
    QString file(const QString &relative) const;
    // Writes bytes to a file below the folder, creating its folders.
    bool write(const QString &relative, const QByteArray &bytes) const;
    QByteArray read(const QString &relative) const;

private:
    QTemporaryDir m_dir;
    bool m_pathsSet = false;
};

// The built program folder (bin/ of the build).
QString BuiltProgramFolder();

// Whole files: the writer creates missing folders; a file that cannot be read is empty.
bool WriteBytes(const QString &path, const QByteArray &bytes);
QByteArray ReadBytes(const QString &path);
// A shell script made executable, standing in for an outside program.
bool WriteScript(const QString &path, const QByteArray &body);

// Answers questions and dialogs from queues and records what was asked.
class ScriptedDialogs : public UserDialogs {
public:
    struct Asked {
        QMessageBox::Icon icon;
        QString caption;
        QString text;
        QMessageBox::StandardButtons buttons;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // Queued answers; when a queue is empty a message gets its escape answer
    // (Cancel, else No, else OK) and a file dialog is cancelled.
    QList<QMessageBox::StandardButton> answers;
    QList<QStringList> openAnswers;
    QStringList saveAnswers;
    QList<QColor> colorAnswers;   // an invalid colour cancels
    QList<QVariant> textAnswers;  // a null QVariant cancels
    QList<bool> printerAnswers;
    // Files chosen with "Print to file" in the printer dialogs answered OK, in turn.
    QStringList printerFiles;

    QList<Asked> asked;
    QStringList openTitles;
    QStringList openFolders;
    QList<int> openFilterIndexes;
    QList<QColor> colorsOffered;
    QStringList saveProposals;
    QStringList inputLabels;

    QMessageBox::StandardButton message(QMessageBox::Icon icon, const QString &caption,
                                        const QString &text,
                                        QMessageBox::StandardButtons buttons) override;
    QStringList openFiles(const QString &title, const QString &folder, const QString &filter,
                          int *filterIndex, bool multiple) override;
    QString saveFile(const QString &title, const QString &proposed, const QString &filter,
                     int *filterIndex) override;
    bool color(QColor *inOut) override;
    bool inputText(const QString &caption, const QString &label, QString *inOut) override;
    bool font(QFont *inOut) override;
    bool printer(QPrinter *printer, bool pageSetup) override;

    // Texts of all messages shown so far.
    QStringList texts() const;
};

// The control of that objectName in a window (held by pointer, unique_ptr or QPointer), as a
// user finds it by its name; the test program stops with the name when the window has none.
template <typename T, typename Window> T *Control(const Window &window, const char *name)
{
    T *control = (&*window)->template findChild<T *>(QLatin1String(name));
    if (!control)
        qFatal("no %s named %s", T::staticMetaObject.className(), name);
    return control;
}

// Bytes written as numbers, for file headers and encodings.
inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

// Lowers the file size limit of this process for one scope, so that writes fail midway
// (a full disk) even for root, for whom permission bits are no obstacle.
struct FileSizeLimit {
    rlimit old{};
    void (*handler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit lim{bytes, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, handler);
    }
};

// Ends the test program with a message when the scope is not left in time: a hang fails
// the test at once instead of stalling the whole run.
class HangWatchdog {
public:
    HangWatchdog(const QString &what, int seconds);
    ~HangWatchdog();

private:
    std::mutex m_mutex;
    std::condition_variable m_left;
    bool m_done = false;
    std::thread m_thread;
};

// Offscreen platform, shared GL contexts, and no preview sandbox when running as root.
void PrepareWindowTestEnvironment();

// A test main for window tests: the preview engine needs shared GL contexts
// before the application object exists.
#define VK_WINDOW_TEST_MAIN(TestClass)                                  \
    int main(int argc, char **argv)                                      \
    {                                                                    \
        PrepareWindowTestEnvironment();                                  \
        QApplication app(argc, argv);                                    \
        TestClass test;                                                  \
        return QTest::qExec(&test, argc, argv);                          \
    }
