#pragma once

#include <QString>

#include <memory>

class QLockFile;

/// Tells whether another copy of the program uses the same settings and people files. The lock lives with the
/// files it protects: beside kirvo.ini where that folder can be written, otherwise in the user's runtime
/// folder under a name made from the folder of the files. It is held for as long as this object lives; a copy
/// that crashed leaves a stale lock that the next start takes over, and so does a lock file that names no
/// copy at all (empty or damaged). Where something other than a file stands in the lock's place (a folder, a
/// pipe, a device, a link leading to one of those or to nothing), it is left alone and the lock goes to the
/// runtime folder instead, where every later start on the same files looks too.
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

    /// Takes the lock for the folder of the settings and people files. Never waits on what stands at the
    /// lock's place (a pipe nobody writes to).
    Result TryAcquire(const QString& folder);
    bool IsHeld() const;
    /// The lock file the last TryAcquire took or found held by another copy; empty when it gave Unchecked.
    /// A later start finds the running copy by this name.
    QString Path() const { return m_path; }
    /// What the last TryAcquire could not do as usual, for a note on standard error: why it gave Unchecked,
    /// or why the lock is not in its usual place. Empty when all went as usual.
    QString Reason() const { return m_reason; }

    /// The lock file used for a folder of settings and people files: beside the settings file when the folder
    /// can be written, otherwise in the runtime folder (empty when there is none).
    static QString LockPath(const QString& folder);
    /// The lock file in the runtime folder for a folder of settings and people files (empty without a runtime
    /// folder).
    static QString RuntimeLockPath(const QString& folder);

private:
    Result Take(const QString& path);

    std::unique_ptr<QLockFile> m_lock;
    QString m_path;
    QString m_reason;
};
