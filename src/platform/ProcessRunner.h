#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

struct ProcessResult {
    bool started = false;   // false when the program could not be started
    bool timedOut = false;  // killed after the time limit
    bool crashed = false;   // ended by a signal
    int exitCode = -1;      // the exit status of a program that ended normally
    int exitSignal = 0;     // the signal that ended a program that crashed
    QByteArray standardError;
    QString errorText;      // the system's reason when it did not start
};

// Runs a program with an argument list (no shell) and waits for its end, at most
// timeoutMs milliseconds; a program still running then is killed.
ProcessResult RunProcess(const QString &program, const QStringList &arguments, int timeoutMs,
                         const QString &workingFolder = QString());
