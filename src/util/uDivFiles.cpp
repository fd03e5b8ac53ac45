#include "util/uDivFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QByteArray ReadFileToString(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    return file.readAll();
}

QString RemoveFileExt(const QString &name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const int slash = name.lastIndexOf(QLatin1Char('/'));
    if (dot < 0 || dot < slash)
        return name;
    return name.left(dot);
}

bool WriteWhole(QFileDevice &file, const char *data, qsizetype size)
{
    while (size > 0) {
        const qint64 written = file.write(data, size);
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

bool WriteFileReplacing(const QString &path, const QByteArray &bytes, QString *error)
{
    return WriteFileReplacing(
        path, [&bytes](const auto &write) { return write(bytes.constData(), bytes.size()); }, error);
}

bool WriteFileReplacing(const QString &path,
                        const std::function<bool(const std::function<bool(const char *, qsizetype)> &write)> &produce,
                        QString *error)
{
    QSaveFile file(path);
    // A writable file in a folder that cannot hold a temporary file is written in place.
    file.setDirectWriteFallback(true);
    // Unbuffered: a short write hidden in the buffer would not be reported by commit().
    const auto write = [&file](const char *data, qsizetype size) { return WriteWhole(file, data, size); };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || !produce(write) || !file.commit()) {
        if (error)
            *error = QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}
