#include "documents/TemporaryCopy.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {
// Paths chosen while no file was there: whatever lies there later is the program's copy.
QSet<QString> &chosenPaths()
{
    static QSet<QString> paths;
    return paths;
}

QString key(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

bool isOurs(const QString &path)
{
    return !path.isEmpty() && chosenPaths().contains(key(path));
}
} // namespace

namespace TemporaryCopy {

bool Remove(const QString &path, const QString &ownPath)
{
    if (path.isEmpty() || !(isOurs(path) || key(path) == key(ownPath)) || !QFileInfo::exists(path))
        return false;
    return QFile::remove(path);
}

QString Move(const QString &oldPath, const QString &wanted, const QString &fallback)
{
    QString next = wanted;
    if (!isOurs(next) && QFileInfo::exists(next))
        next = fallback;  // the program's own folder
    if (key(next) == key(oldPath))
        return oldPath;
    chosenPaths().insert(key(next));
    Remove(oldPath, fallback);
    return next;
}

bool Write(QString *path, const QString &fallback, const std::function<bool(const QString &path)> &write)
{
    if (write(*path))
        return true;
    if (key(*path) == key(fallback))
        return false;
    *path = Move(*path, fallback, fallback);
    return write(*path);
}

} // namespace TemporaryCopy
