#include "InstanceLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>

#include "ProgramFolder.h"

namespace {

// True while the process recorded in a lock file still exists on this machine.
bool HolderIsAlive(const QLockFile& lock)
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock.getLockInfo(&pid, &host, &application) || pid <= 0) {
        return false;
    }
#ifdef Q_OS_UNIX
    // Another user's live process answers "not permitted"; only "no such process" means it is gone.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
#else
    return true;
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
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) {
        return QString();
    }
    const QString canonical = info.absoluteFilePath();
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
    const QString path = LockPath(folder);
    if (path.isEmpty()) {
        m_reason = QStringLiteral("no folder to keep the lock in");
        return Result::Unchecked;
    }
    auto lock = std::make_unique<QLockFile>(path);
    // Zero stale time: only the recorded process's death frees the lock, never its age.
    lock->setStaleLockTime(0);
    if (lock->tryLock(200)) {
        m_lock = std::move(lock);
        return Result::Acquired;
    }
    if (lock->error() == QLockFile::LockFailedError && HolderIsAlive(*lock)) {
        return Result::HeldByAnotherCopy;
    }
    // A lock that cannot be made, or a dead copy's lock that cannot be removed, tells nothing about
    // another copy.
    m_reason = lock->error() == QLockFile::LockFailedError ? QStringLiteral("a stale lock cannot be removed: ") + path
                                                           : QStringLiteral("cannot create ") + path;
    return Result::Unchecked;
}

bool InstanceLock::IsHeld() const
{
    return m_lock && m_lock->isLocked();
}
