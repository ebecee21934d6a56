#pragma once

#include <QString>

#include <memory>

class QLockFile;

/// Tells whether another copy of the program runs from the same program folder. The lock lives with the
/// files it protects: beside kirvo.ini where that folder can be written, otherwise in the user's runtime
/// folder under a name made from the program folder. It is held for as long as this object lives; a copy
/// that crashed leaves a stale lock that the next start takes over.
class InstanceLock
{
public:
    enum class Result {
        Acquired, // this copy holds the lock
        HeldByAnotherCopy, // a live copy holds it: this one must end
        Unchecked, // no lock could be made or read: nobody can tell, so this copy runs
    };

    InstanceLock();
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    /// Takes the lock for this program folder.
    Result TryAcquire(const QString& programFolder);
    bool IsHeld() const;
    /// Why the last TryAcquire gave Unchecked, for a note on standard error.
    QString Reason() const { return m_reason; }

    /// The lock file used for a program folder: beside its settings file when the folder can be written,
    /// otherwise in the runtime folder (empty when there is none).
    static QString LockPath(const QString& programFolder);

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_reason;
};
