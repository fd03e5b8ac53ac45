#pragma once
#include <QString>
#include <memory>

class QLockFile;

// A per-user lock standing in for the named mutex; a lock left by a killed
// process is taken over, so it never blocks the next start.
class SingleInstance {
public:
    explicit SingleInstance(const QString &name);
    ~SingleInstance();
    // False when another running process holds the lock.
    bool acquire();
    void release();
    QString lockPath() const;

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_path;
};
