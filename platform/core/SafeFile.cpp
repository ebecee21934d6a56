#include "SafeFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

std::function<bool(SafeFile::Step)> g_fault;
QString g_keptBytesFolder;

// Links deeper than this are taken for a loop, as the system itself does.
constexpr int MaxLinkDepth = 40;
// Reads go in pieces of this size, so that memory follows what was really read.
constexpr qint64 ReadPiece = 64 * 1024;

bool Injected(SafeFile::Step step)
{
    return g_fault && g_fault(step);
}

SafeFile::Result Failed(SafeFile::Step step, const QString& error)
{
    return {false, step, error};
}

QString InjectedError()
{
    return QStringLiteral("No space left on device");
}

// What stands at a path once its links are followed.
struct Place
{
    enum class Kind { Nothing, File, Refused };
    Kind kind = Kind::Nothing;
    QString reason; // why it is refused
    bool linked = false; // reached through a link
    bool missingFolder = false; // a link to a file in a folder that is not there (a drive not mounted)
};

Place Inspect(const QString& path)
{
    QFileInfo info(path);
    Place place;
    for (int depth = 0; info.isSymLink(); ++depth) {
        if (depth == MaxLinkDepth) {
            return {Place::Kind::Refused, QStringLiteral("Too many levels of symbolic links"), true};
        }
        place.linked = true;
        info.setFile(info.symLinkTarget());
    }
    if (!info.exists()) {
        // A link to a file not made yet can be written through, where the file's folder exists.
        if (place.linked && !QFileInfo(info.absolutePath()).isDir()) {
            return {
                Place::Kind::Refused, QStringLiteral("No such file or directory: ") + info.absolutePath(), true, true};
        }
        return place;
    }
    if (!info.isFile()) {
        return {Place::Kind::Refused, QStringLiteral("Not a regular file"), place.linked};
    }
    place.kind = Place::Kind::File;
    return place;
}

bool SyncToDisk(QFileDevice& file)
{
#ifdef Q_OS_UNIX
    return ::fsync(file.handle()) == 0;
#else
    return file.flush();
#endif
}

void SyncFolder(const QString& folder)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

QString KeptBytesFolder()
{
    if (!g_keptBytesFolder.isEmpty()) {
        return g_keptBytesFolder;
    }
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/unfinished-saves");
}

// Reads what is left of an open file, piece by piece; false when more than maxBytes are there.
bool ReadRest(QFile& file, qint64 maxBytes, QByteArray& bytes)
{
    while (true) {
        const QByteArray piece = file.read(std::min(ReadPiece, maxBytes + 1 - bytes.size()));
        if (piece.isEmpty()) {
            return file.error() == QFileDevice::NoError;
        }
        bytes += piece;
        if (bytes.size() > maxBytes) {
            return false;
        }
    }
}

// Writes all the bytes. A write cut short (a size limit, a disk filling up) is followed by another, which
// fails outright and so carries the system's reason.
bool WriteAll(QFileDevice& file, const QByteArray& bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) {
            return false;
        }
        written += n;
    }
    return true;
}

// Writes bytes over an open file from its start, cuts it to their length and puts them on the disk.
bool Overwrite(QFile& file, const QByteArray& bytes)
{
    return file.seek(0) && WriteAll(file, bytes) && file.resize(bytes.size()) && SyncToDisk(file);
}

// The previous bytes of a file being rewritten in place, kept in the user's own folder (with the file's
// path) until the new bytes are on the disk. Its lock says that the save is still going on.
class KeptBytes
{
public:
    KeptBytes(const QString& target, const QByteArray& previous)
    {
        const QString folder = KeptBytesFolder();
        if (folder.isEmpty() || !QDir().mkpath(folder)) {
            return;
        }
        const QString absolute = QFileInfo(target).absoluteFilePath();
        m_path = folder + QLatin1Char('/')
            + QString::fromLatin1(
                     QCryptographicHash::hash(absolute.toUtf8(), QCryptographicHash::Sha1).toHex().left(16))
            + QStringLiteral(".keep");
        m_lock = std::make_unique<QLockFile>(m_path + QStringLiteral(".lock"));
        m_lock->setStaleLockTime(0);
        if (!m_lock->tryLock(0)) {
            m_path.clear();
            return;
        }
        QFile file(m_path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || !WriteAll(file, absolute.toUtf8() + '\n')
            || !WriteAll(file, previous) || !SyncToDisk(file)) {
            file.remove();
            m_path.clear();
            return;
        }
        file.close();
        SyncFolder(folder);
    }

    ~KeptBytes()
    {
        if (!m_path.isEmpty()) {
            QFile::remove(m_path);
        }
    }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

// The folder will not take a temporary file, but the file itself may be written: rewrite it where it
// stands. Its old bytes are kept in memory and put back over the same blocks when the new ones do not fit,
// so a full disk leaves the previous file as it was; and on the disk until the new ones are there, so a kill
// half-way is undone at the next start.
SafeFile::Result WriteInPlace(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        return Failed(SafeFile::Step::Open, file.errorString());
    }
    QByteArray previous;
    if (!ReadRest(file, file.size() + ReadPiece, previous)) {
        return Failed(SafeFile::Step::Open, file.errorString());
    }
    const KeptBytes kept(path, previous);
    auto putBack = [&](SafeFile::Step step, const QString& error) {
        Overwrite(file, previous);
        return Failed(step, error);
    };
    if (!file.seek(0)) {
        return Failed(SafeFile::Step::Write, file.errorString());
    }
    if (Injected(SafeFile::Step::Write)) {
        return putBack(SafeFile::Step::Write, InjectedError());
    }
    if (!WriteAll(file, bytes)) {
        return putBack(SafeFile::Step::Write, file.errorString());
    }
    if (Injected(SafeFile::Step::Commit)) {
        return putBack(SafeFile::Step::Commit, InjectedError());
    }
    if (!file.resize(bytes.size()) || !SyncToDisk(file)) {
        return putBack(SafeFile::Step::Commit, file.errorString());
    }
    file.close();
    return {true, SafeFile::Step::Commit, QString()};
}

} // namespace

namespace SafeFile {

QString RefusalReason(const QString& path)
{
    return Inspect(path).reason;
}

bool IsRefused(const QString& path)
{
    return Inspect(path).kind == Place::Kind::Refused;
}

Result Write(const QString& path, const QByteArray& bytes)
{
    const Place place = Inspect(path);
    if (place.kind == Place::Kind::Refused) {
        return Failed(Step::Open, place.reason);
    }
    if (Injected(Step::Open)) {
        return Failed(Step::Open, InjectedError());
    }
    // A link is followed, so the file it names is replaced and the link stays a link.
    QSaveFile file(path);
    // Unbuffered, so a full disk fails the write itself rather than a flush hidden inside commit(), which
    // would still put the short file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const QFileInfo target(path);
        if (target.exists() && target.isWritable()) {
            return WriteInPlace(path, bytes);
        }
        return Failed(Step::Open, file.errorString());
    }
    if (Injected(Step::Write)) {
        file.cancelWriting();
        return Failed(Step::Write, InjectedError());
    }
    if (!WriteAll(file, bytes) || !file.flush()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return Failed(Step::Write, error);
    }
    if (Injected(Step::Commit)) {
        file.cancelWriting();
        file.commit();
        return Failed(Step::Commit, InjectedError());
    }
    if (!file.commit()) {
        return Failed(Step::Commit, file.errorString());
    }
    return {true, Step::Commit, QString()};
}

ReadResult Read(const QString& path, qint64 maxBytes)
{
    ReadResult result;
    const Place place = Inspect(path);
    if (place.kind == Place::Kind::Nothing || place.missingFolder) {
        return result;
    }
    if (place.kind == Place::Kind::Refused) {
        result.status = ReadResult::Status::Refused;
        result.error = place.reason;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = ReadResult::Status::Failed;
        result.error = file.errorString();
        return result;
    }
    if (file.size() > maxBytes) {
        result.status = ReadResult::Status::TooLarge;
        return result;
    }
    if (!ReadRest(file, maxBytes, result.bytes)) {
        result.status
            = file.error() == QFileDevice::NoError ? ReadResult::Status::TooLarge : ReadResult::Status::Failed;
        result.error = file.errorString();
        result.bytes.clear();
        return result;
    }
    result.status = ReadResult::Status::Read;
    return result;
}

QStringList RecoverInterruptedSaves()
{
    QStringList restored;
    const QString folder = KeptBytesFolder();
    if (folder.isEmpty()) {
        return restored;
    }
    const QFileInfoList kept = QDir(folder).entryInfoList({QStringLiteral("*.keep")}, QDir::Files);
    for (const QFileInfo& info : kept) {
        QLockFile lock(info.filePath() + QStringLiteral(".lock"));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0)) {
            continue; // that save is still going on
        }
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QByteArray line = file.readLine();
        QByteArray previous;
        const bool whole = line.endsWith('\n') && ReadRest(file, file.size(), previous);
        file.close();
        const QString target = QString::fromUtf8(line.chopped(whole ? 1 : 0));
        QFile damaged(target);
        if (whole && Inspect(target).kind == Place::Kind::File && damaged.open(QIODevice::ReadWrite)
            && Overwrite(damaged, previous)) {
            restored << target;
        }
        // Kept bytes cut short themselves, or a file gone or no longer the program's, leave nothing to do.
        QFile::remove(info.filePath());
    }
    return restored;
}

void RemoveLeftoverTemporaries(const QString& folder, const QStringList& names)
{
    // A save writes NAME.XXXXXX beside NAME and renames it; a kill between the two leaves it.
    static const QRegularExpression Suffix(QStringLiteral("^\\.[A-Za-z0-9]{6}$"));
    const QDir dir(folder);
    for (const QString& name : names) {
        const QFileInfoList candidates
            = dir.entryInfoList({name + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
        for (const QFileInfo& info : candidates) {
#ifdef Q_OS_UNIX
            if (info.ownerId() != ::getuid()) {
                continue; // only the user's own
            }
#endif
            if (Suffix.match(info.fileName().mid(name.size())).hasMatch()) {
                QFile::remove(info.filePath());
            }
        }
    }
}

void ReportSizeLimitAsFailure()
{
#ifdef Q_OS_UNIX
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

void SetFaultForTests(std::function<bool(Step)> injector)
{
    g_fault = std::move(injector);
}

void SetKeptBytesFolderForTests(const QString& folder)
{
    g_keptBytesFolder = folder;
}

} // namespace SafeFile
