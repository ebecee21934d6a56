#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

/// Reads and writes whole files so that a failure never leaves a half-written one behind: the bytes go to a
/// temporary file beside the target, which replaces the target only when everything was written and flushed.
/// Only a regular file (or a link to one, which stays a link) is ever read or replaced. A failure is
/// reported, never shown: the form that asked for the write decides what to tell the user (see FileRetry).
namespace SafeFile {

enum class Step { Open, Write, Commit };

/// What became of one attempt at writing a file.
struct Result
{
    bool ok = false;
    Step failedStep = Step::Open; // meaningful only when not ok
    QString error; // the system's reason, when not ok

    /// The result of a step that has no reason to give (a read that failed, a step with nothing to do).
    static Result Of(bool ok) { return {ok, Step::Open, QString()}; }
};

/// One attempt at writing the bytes to path, whole or not at all. The target must be missing or a regular
/// file; anything else (a device, a pipe, a socket, a folder, a link to one, a loop of links, or a link to a
/// missing folder) is refused at the open step. A link is never replaced: the file it names is written, and
/// a link to a missing file in an existing folder creates that file. Where the folder refuses a temporary file
/// but the target itself is writable, the target is rewritten in place; its previous bytes are kept in the
/// user's own folder until the new ones are on the disk, so that a save cut short is undone at the next start.
Result Write(const QString& path, const QByteArray& bytes);

/// Why path is neither read nor written (a device, a pipe, a folder, a loop of links, a link into a missing
/// folder ...); empty when it is a regular file, a link to one, or nothing yet that could be created.
QString RefusalReason(const QString& path);

/// True when RefusalReason has a reason.
bool IsRefused(const QString& path);

/// What a read of a whole file found.
struct ReadResult
{
    enum class Status {
        Read, // bytes hold the whole file
        Missing, // nothing there (a link to nothing included)
        Refused, // not a regular file: see RefusalReason
        TooLarge, // larger than any such file can really be: not read
        Failed, // the system refused to read it
    };
    Status status = Status::Missing;
    QByteArray bytes;
    QString error;
    bool Ok() const { return status == Status::Read; }
};

/// Reads a whole regular file of at most maxBytes. A larger one (a damaged disk, a sparse file of gigabytes)
/// is refused without being read; memory grows only with what has been read.
ReadResult Read(const QString& path, qint64 maxBytes);

/// Puts back every file whose rewriting in place was cut short (the program was killed, the machine lost
/// power) as it was before, unless that save is still going on in another copy. Returns the files put back.
QStringList RecoverInterruptedSaves();

/// Removes the temporary files that saves of the named files in folder left behind when they were cut short.
/// Only for a folder whose files no other copy of the program is saving now (the caller holds its lock).
void RemoveLeftoverTemporaries(const QString& folder, const QStringList& names);

/// A write past the process's file-size limit fails like a full disk instead of ending the program.
void ReportSizeLimitAsFailure();

/// Test seams: while set, a step for which the injector returns true fails as a full disk would; the folder
/// where the previous bytes of in-place saves are kept.
void SetFaultForTests(std::function<bool(Step)> injector);
void SetKeptBytesFolderForTests(const QString& folder);

} // namespace SafeFile
