#include "platform/SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

SingleInstance::SingleInstance(const QString &name)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QString fileName = name;
    fileName.replace(' ', '_');
    if (folder.isEmpty()) {
        // The temp folder is shared: keep the lock per user, and out of other users' way.
        folder = QDir::tempPath();
        fileName += "-" + QString::number(getuid());
    }
    m_path = folder + "/" + fileName + ".lock";
    m_lock = std::make_unique<QLockFile>(m_path);
    // A held lock never goes stale; only a dead owner's lock is taken over.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    release();
}

bool SingleInstance::acquire()
{
    // QLockFile fails a second tryLock by its own holder.
    if (m_lock->isLocked())
        return true;
    if (m_lock->tryLock(0))
        return true;
    if (m_lock->error() == QLockFile::LockFailedError && m_lock->removeStaleLockFile())
        return m_lock->tryLock(0);
    return false;
}

void SingleInstance::release()
{
    if (m_lock && m_lock->isLocked())
        m_lock->unlock();
}

QString SingleInstance::lockPath() const
{
    return m_path;
}
