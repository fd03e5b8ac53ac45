#pragma once
// Running the real HTML Tidy 5 from the validation tests.
#include "TestSupport.h"

#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>

// The program's tidy5/tidy link when the build laid it out, else the system's tidy.
inline QString TidyExecutable()
{
    const QString built = BuiltProgramFolder() + "/tidy5/tidy";
    if (QFileInfo(built).isExecutable())
        return built;
    if (QFileInfo(QStringLiteral("/usr/bin/tidy")).isExecutable())
        return QStringLiteral("/usr/bin/tidy");
    return QString();
}

struct TidyProcessRun {
    bool finished = false;
    int exitCode = -1;
    QByteArray standardError;
};

inline TidyProcessRun RunTidyProcess(const QStringList &arguments)
{
    TidyProcessRun run;
    QProcess process;
    process.start(TidyExecutable(), arguments);
    run.finished = process.waitForFinished(30000);
    if (!run.finished)
        process.kill();
    run.exitCode = process.exitCode();
    run.standardError = process.readAllStandardError();
    return run;
}

#define REQUIRE_TIDY()                                                    \
    do {                                                                  \
        if (TidyExecutable().isEmpty())                                   \
            QFAIL("HTML Tidy 5 not found: install the Debian package tidy"); \
    } while (0)
