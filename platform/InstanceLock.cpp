#include "InstanceLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include "ProgramFolder.h"

InstanceLock::InstanceLock() = default;
InstanceLock::~InstanceLock() = default;

QString InstanceLock::LockPath(const QString& programFolder)
{
    const QString canonical = QFileInfo(programFolder).absoluteFilePath();
    const QByteArray hash = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir::tempPath() + QLatin1Char('/') + ProgramFolder::ProductName() + QLatin1Char('-')
        + QString::fromLatin1(hash) + QLatin1String(".lock");
}

bool InstanceLock::TryAcquire(const QString& programFolder)
{
    if (IsHeld()) {
        return true;
    }
    auto lock = std::make_unique<QLockFile>(LockPath(programFolder));
    // Zero stale time: only the recorded process's death frees the lock, never its age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(200)) {
        return false;
    }
    m_lock = std::move(lock);
    return true;
}

bool InstanceLock::IsHeld() const
{
    return m_lock && m_lock->isLocked();
}
