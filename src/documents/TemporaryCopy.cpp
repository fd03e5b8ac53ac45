#include "documents/TemporaryCopy.h"

#include <QFile>
#include <QFileInfo>

namespace {
QString key(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}
} // namespace

TemporaryCopy::TemporaryCopy(const QString &ownFolder, const QString &name)
    : m_ownFolder(ownFolder), m_name(name), m_path(ownFolder + name)
{
}

bool TemporaryCopy::isOurs(const QString &path) const
{
    return !path.isEmpty() && (m_chosen.contains(key(path)) || key(path) == key(ownPath()));
}

bool TemporaryCopy::remove(const QString &path) const
{
    if (!isOurs(path) || !QFileInfo::exists(path))
        return false;
    return QFile::remove(path);
}

bool TemporaryCopy::Remove()
{
    return remove(m_path);
}

void TemporaryCopy::moveToPath(const QString &wanted)
{
    QString next = wanted;
    if (!m_chosen.contains(key(next)) && QFileInfo::exists(next))
        next = ownPath();
    if (key(next) == key(m_path))
        return;
    m_chosen.insert(key(next));
    remove(m_path);
    m_path = next;
}

void TemporaryCopy::MoveTo(const QString &folder)
{
    moveToPath(folder + m_name);
}

bool TemporaryCopy::Write(const std::function<bool(const QString &path)> &write)
{
    if (write(m_path))
        return true;
    if (key(m_path) == key(ownPath()))
        return false;
    moveToPath(ownPath());
    return write(m_path);
}
