#pragma once
#include <QByteArray>
#include <QString>
#include <functional>
#include <stdexcept>

class QFileDevice;

// Raised when a file cannot be opened for reading.
class FileOpenError : public std::runtime_error {
public:
    explicit FileOpenError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

// The whole content, byte for byte; throws FileOpenError when the file cannot be opened.
QByteArray ReadFileToString(const QString &path);
// Replaces the file with the bytes in one step: they are written beside it and renamed
// over it, so a failure at any point (full disk, missing folder) keeps the old file.
// When the folder cannot hold that temporary file but the file is writable, it is
// written in place. The file keeps its permissions (the replacement takes them). False with the reason in *error.
bool WriteFileReplacing(const QString &path, const QByteArray &bytes, QString *error = nullptr);
// The same, with the bytes handed over by write() in as many calls as produce() makes; a
// false from produce() or a short write leaves the old file as it was.
bool WriteFileReplacing(const QString &path,
                        const std::function<bool(const std::function<bool(const char *, qsizetype)> &write)> &produce,
                        QString *error = nullptr);
// Writes all the bytes to an open file. A short write (a full disk) is followed by another,
// so that the system's reason for stopping is what the file's errorString() tells.
bool WriteWhole(QFileDevice &file, const char *data, qsizetype size);
// The name without the extension that follows its last "/".
QString RemoveFileExt(const QString &name);
