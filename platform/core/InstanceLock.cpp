#include "InstanceLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QSysInfo>

#include <cerrno>
#include <csignal>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "ProgramFolder.h"

namespace {

// A lock names its copy in a few short lines; anything far larger was never one, and is not read whole.
constexpr qint64 MaxLockBytes = 4096;

// What stands where a lock file goes. Only its kind is looked at, never its contents: a pipe would make the
// reader wait for a writer for ever, a device may answer without end.
enum class Place {
    Free, // nothing
    File, // a regular file, or a link to one
    Other, // a folder, pipe, device or socket, or a link to one of those or to nothing
};

Place PlaceOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        return info.isSymLink() ? Place::Other : Place::Free;
    }
    return info.isFile() ? Place::File : Place::Other;
}

bool Oversized(const QString& path)
{
    return QFileInfo(path).size() > MaxLockBytes;
}

// What a lock file says about the copy that made it.
enum class Holder {
    Alive, // a process of that id runs here, or the copy runs on another machine and nobody here can tell
    Gone, // no process of that id runs here
    Unknown, // the file names no copy: empty, damaged, or not a lock at all
};

Holder HolderOf(const QLockFile& lock)
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock.getLockInfo(&pid, &host, &application) || pid <= 0) {
        return Holder::Unknown;
    }
    if (!host.isEmpty() && host != QSysInfo::machineHostName()) {
        return Holder::Alive;
    }
#ifdef Q_OS_UNIX
    // Another user's live process answers "not permitted"; only "no such process" means it is gone.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH ? Holder::Alive : Holder::Gone;
#else
    return Holder::Alive;
#endif
}

enum class Removal {
    Done, // the left lock is gone (or another start replaced it meanwhile): the place may be tried again
    Held, // a live process keeps the file locked, as every copy keeps the lock it holds
    Failed,
};

// Removes a lock left by a copy that is gone or that names none, unless a live process keeps it locked (as a
// copy does while it writes its lines, or after someone damaged them). The toolkit's own removal opens the
// file for writing, which a lock left by the program run with other rights (sudo) refuses though its folder
// lets it go; the advisory lock works on any open file. The name is removed only while it still names the
// file locked here, so a fresh lock another start made meanwhile stays.
Removal RemoveLeftLock(const QString& path)
{
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT ? Removal::Done : Removal::Failed;
    }
    Removal result = Removal::Failed;
    struct stat opened
    {
    };
    struct stat named
    {
    };
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        result = Removal::Failed;
    } else if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        result = errno == EWOULDBLOCK ? Removal::Held : Removal::Failed;
    } else if (::stat(name.constData(), &named) != 0 || named.st_dev != opened.st_dev
               || named.st_ino != opened.st_ino) {
        result = Removal::Done;
    } else if (::unlink(name.constData()) == 0) {
        result = Removal::Done;
    }
    ::close(fd);
    return result;
#else
    QLockFile lock(path);
    return lock.removeStaleLockFile() ? Removal::Done : Removal::Failed;
#endif
}

} // namespace

InstanceLock::InstanceLock() = default;
InstanceLock::~InstanceLock() = default;

QString InstanceLock::LockPath(const QString& folder)
{
    const QFileInfo info(folder);
    if (info.isDir() && info.isWritable()) {
        return ProgramFolder::CompanionFile(folder, QStringLiteral(".lock"));
    }
    return RuntimeLockPath(folder);
}

QString InstanceLock::RuntimeLockPath(const QString& folder)
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) {
        return QString();
    }
    const QString canonical = QFileInfo(folder).absoluteFilePath();
    const QByteArray hash = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return runtime + QLatin1Char('/') + ProgramFolder::ProductName() + QLatin1Char('-') + QString::fromLatin1(hash)
        + QLatin1String(".lock");
}

InstanceLock::Result InstanceLock::TryAcquire(const QString& folder)
{
    m_reason.clear();
    if (IsHeld()) {
        return Result::Acquired;
    }
    m_path.clear();
    QString path = LockPath(folder);
    if (path.isEmpty()) {
        m_reason = QStringLiteral("no folder to keep the lock in");
        return Result::Unchecked;
    }
    if (PlaceOf(path) == Place::Other) {
        // Left as it is, for its owner to see to. Every start on these files meets the same thing there and
        // so looks in the runtime folder too.
        const QString runtime = RuntimeLockPath(folder);
        if (runtime.isEmpty() || runtime == path || PlaceOf(runtime) == Place::Other) {
            m_reason = path + QStringLiteral(" is not a file, and there is no other place for the lock");
            return Result::Unchecked;
        }
        m_reason = path + QStringLiteral(" is not a file; the lock is kept in ") + runtime + QStringLiteral(" instead");
        path = runtime;
    }
    return Take(path);
}

InstanceLock::Result InstanceLock::Take(const QString& path)
{
    // A lock left behind is removed once and the place tried again.
    for (int round = 0; round < 2; ++round) {
        auto lock = std::make_unique<QLockFile>(path);
        // Zero stale time: only the recorded process's death frees the lock, never its age.
        lock->setStaleLockTime(0);
        Holder holder = Holder::Unknown;
        if (!Oversized(path)) {
            if (lock->tryLock(200)) {
                m_lock = std::move(lock);
                m_path = path;
                return Result::Acquired;
            }
            if (lock->error() != QLockFile::LockFailedError) {
                m_reason = QStringLiteral("cannot create ") + path;
                return Result::Unchecked;
            }
            holder = HolderOf(*lock);
        }
        if (holder == Holder::Alive) {
            m_path = path;
            return Result::HeldByAnotherCopy;
        }
        switch (RemoveLeftLock(path)) {
            case Removal::Done:
                continue;
            case Removal::Held:
                m_path = path;
                return Result::HeldByAnotherCopy;
            case Removal::Failed:
                break;
        }
        m_reason = (holder == Holder::Gone ? QStringLiteral("a stale lock cannot be removed: ")
                                           : QStringLiteral("a lock that names no copy cannot be replaced: "))
            + path;
        return Result::Unchecked;
    }
    m_reason = QStringLiteral("the lock names no copy however often it is replaced: ") + path;
    return Result::Unchecked;
}

bool InstanceLock::IsHeld() const
{
    return m_lock && m_lock->isLocked();
}
