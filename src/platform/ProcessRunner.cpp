#include "platform/ProcessRunner.h"

#include <QProcess>

ProcessResult RunProcess(const QString &program, const QStringList &arguments, int timeoutMs,
                         const QString &workingFolder)
{
    ProcessResult result;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(10000)) {
        result.errorText = process.errorString();
        return result;
    }
    result.started = true;
    if (!process.waitForFinished(timeoutMs)) {
        result.timedOut = true;
        process.kill();
        process.waitForFinished(5000);
        return result;
    }
    result.standardError = process.readAllStandardError();
    // After a crash, Qt's exit code holds the signal's number.
    if (process.exitStatus() == QProcess::CrashExit) {
        result.crashed = true;
        result.exitSignal = process.exitCode();
    } else {
        result.exitCode = process.exitCode();
    }
    return result;
}
