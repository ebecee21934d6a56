#include "SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

std::function<bool(SafeFile::Step)> g_fault;

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

// The folder will not take a temporary file, but the file itself may be written: rewrite it where it
// stands. Its old bytes are kept in memory and put back over the same blocks when the new ones do not fit,
// so a full disk leaves the previous file as it was.
SafeFile::Result WriteInPlace(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        return Failed(SafeFile::Step::Open, file.errorString());
    }
    const QByteArray previous = file.readAll();
    if (file.error() != QFileDevice::NoError || previous.size() != file.size()) {
        return Failed(SafeFile::Step::Open, file.errorString());
    }
    auto putBack = [&](SafeFile::Step step, const QString& error) {
        file.seek(0);
        file.write(previous);
        file.resize(previous.size());
        return Failed(step, error);
    };
    if (!file.seek(0)) {
        return Failed(SafeFile::Step::Write, file.errorString());
    }
    if (Injected(SafeFile::Step::Write)) {
        return putBack(SafeFile::Step::Write, InjectedError());
    }
    if (file.write(bytes) != bytes.size()) {
        return putBack(SafeFile::Step::Write, file.errorString());
    }
    if (Injected(SafeFile::Step::Commit)) {
        return putBack(SafeFile::Step::Commit, InjectedError());
    }
    if (!file.resize(bytes.size())) {
        return putBack(SafeFile::Step::Commit, file.errorString());
    }
    file.close();
    return {true, SafeFile::Step::Commit, QString()};
}

} // namespace

namespace SafeFile {

bool IsRefused(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile();
}

Result Write(const QString& path, const QByteArray& bytes)
{
    if (IsRefused(path)) {
        return Failed(Step::Open, QStringLiteral("Not a regular file"));
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
    if (file.write(bytes) != bytes.size() || !file.flush()) {
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

void SetFaultForTests(std::function<bool(Step)> injector)
{
    g_fault = std::move(injector);
}

} // namespace SafeFile
