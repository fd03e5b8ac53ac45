#include "TestSupport.h"

#include "program/uDivStartVK.h"
#include "platform/Platform.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QVariant>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

void PrepareWindowTestEnvironment()
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

HangWatchdog::HangWatchdog(const QString &what, int seconds)
{
    const QByteArray text = what.toUtf8();
    m_thread = std::thread([this, text, seconds] {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_left.wait_for(lock, std::chrono::seconds(seconds), [this] { return m_done; })) {
            std::fprintf(stderr, "FAIL!  : %s did not finish within %d s (hang)\n", text.constData(),
                         seconds);
            std::fflush(stderr);
            std::_Exit(3);
        }
    });
}

HangWatchdog::~HangWatchdog()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_done = true;
    }
    m_left.notify_one();
    m_thread.join();
}

QString BuiltProgramFolder()
{
    return QStringLiteral(VK_BUILD_BIN_DIR);
}

namespace {
bool copyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString relative = QDir(from).relativeFilePath(info.filePath());
        const QString target = to + "/" + relative;
        if (info.isSymLink()) {
            QFile::link(info.symLinkTarget(), target);
        } else if (info.isDir()) {
            QDir().mkpath(target);
        } else if (info.isFile()) {
            // The program and test executables are not part of the folder's data.
            if (info.isExecutable() && info.suffix().isEmpty())
                continue;
            if (!QFile::copy(info.filePath(), target))
                return false;
            QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
        }
    }
    return true;
}
} // namespace

TempProgramFolder::TempProgramFolder()
{
    if (!m_dir.isValid())
        return;
    const QString bin = BuiltProgramFolder();
    const QStringList folders = {"tmp", "config", "highlighters", "templates", "language",
                                 "help", "quickref", "wallpaper", "tidy5"};
    for (const QString &folder : folders) {
        if (QFileInfo::exists(bin + "/" + folder))
            copyTree(bin + "/" + folder, m_dir.path() + "/" + folder);
        else
            QDir().mkpath(m_dir.path() + "/" + folder);
    }
    m_pathsSet = InitProgramPaths(path());
    SetUserStoreFile(path() + "user-store.ini");
}

TempProgramFolder::~TempProgramFolder()
{
    InitProgramPaths();
    SetUserStoreFile(QString());
}

bool TempProgramFolder::isValid() const
{
    return m_dir.isValid() && m_pathsSet;
}

QString TempProgramFolder::path() const
{
    return m_dir.path() + "/";
}

QString TempProgramFolder::file(const QString &relative) const
{
    return path() + relative;
}

bool WriteBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray ReadBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteScript(const QString &path, const QByteArray &body)
{
    QFile::remove(path);
    return WriteBytes(path, "#!/bin/sh\n" + body + "\n")
           && QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
}

bool TempProgramFolder::write(const QString &relative, const QByteArray &bytes) const
{
    return WriteBytes(file(relative), bytes);
}

QByteArray TempProgramFolder::read(const QString &relative) const
{
    return ReadBytes(file(relative));
}

ScriptedDialogs::ScriptedDialogs()
{
    SetDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    SetDialogs(nullptr);
}

QMessageBox::StandardButton ScriptedDialogs::message(QMessageBox::Icon icon, const QString &caption,
                                                     const QString &text,
                                                     QMessageBox::StandardButtons buttons)
{
    asked.append({icon, caption, text, buttons});
    if (!answers.isEmpty())
        return answers.takeFirst();
    if (buttons & QMessageBox::Cancel)
        return QMessageBox::Cancel;
    if (buttons & QMessageBox::No)
        return QMessageBox::No;
    return QMessageBox::Ok;
}

QStringList ScriptedDialogs::openFiles(const QString &title, const QString &folder, const QString &,
                                       int *filterIndex, bool)
{
    openTitles << title;
    openFolders << folder;
    openFilterIndexes << (filterIndex ? *filterIndex : 0);
    return openAnswers.isEmpty() ? QStringList() : openAnswers.takeFirst();
}

QString ScriptedDialogs::saveFile(const QString &, const QString &proposed, const QString &, int *)
{
    saveProposals << proposed;
    return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
}

bool ScriptedDialogs::color(QColor *inOut)
{
    colorsOffered << *inOut;
    if (colorAnswers.isEmpty())
        return false;
    const QColor c = colorAnswers.takeFirst();
    if (!c.isValid())
        return false;
    *inOut = c;
    return true;
}

bool ScriptedDialogs::inputText(const QString &, const QString &label, QString *inOut)
{
    inputLabels << label;
    if (textAnswers.isEmpty())
        return false;
    const QVariant v = textAnswers.takeFirst();
    if (v.isNull())
        return false;
    *inOut = v.toString();
    return true;
}

bool ScriptedDialogs::font(QFont *)
{
    return false;
}

bool ScriptedDialogs::printer(QPrinter *printer, bool)
{
    const bool accepted = printerAnswers.isEmpty() ? false : printerAnswers.takeFirst();
    if (accepted && !printerFiles.isEmpty())
        printer->setOutputFileName(printerFiles.takeFirst());
    return accepted;
}

QStringList ScriptedDialogs::texts() const
{
    QStringList out;
    for (const Asked &a : asked)
        out << a.text;
    return out;
}
