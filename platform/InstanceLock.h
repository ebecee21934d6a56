#pragma once

#include <QString>

#include <memory>

class QLockFile;

/// Tells whether another copy of the program runs from the same program folder. The lock is held for as
/// long as this object lives; a copy that crashed leaves a stale lock that the next start takes over.
class InstanceLock
{
public:
    InstanceLock();
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    /// Takes the lock for this program folder; false when a live copy holds it.
    bool TryAcquire(const QString& programFolder);
    bool IsHeld() const;

    /// The lock file used for a program folder (in the temporary folder, so any user can write it).
    static QString LockPath(const QString& programFolder);

private:
    std::unique_ptr<QLockFile> m_lock;
};
