#pragma once

#include <QString>

#include <memory>

class QLockFile;

/// Tells whether another copy of the program uses the same settings and people files. The lock lives with the
/// files it protects: beside kirvo.ini where that folder can be written, otherwise in the user's runtime
/// folder under a name made from the folder of the files. It is held for as long as this object lives; a copy
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

    /// Takes the lock for the folder of the settings and people files.
    Result TryAcquire(const QString& folder);
    bool IsHeld() const;
    /// Why the last TryAcquire gave Unchecked, for a note on standard error.
    QString Reason() const { return m_reason; }

    /// The lock file used for a folder of settings and people files: beside the settings file when the folder
    /// can be written, otherwise in the runtime folder (empty when there is none).
    static QString LockPath(const QString& folder);

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_reason;
};
