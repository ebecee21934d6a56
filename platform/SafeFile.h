#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

/// Writes whole files so that a failure never leaves a half-written one behind: the bytes go to a temporary
/// file beside the target, which replaces the target only when everything was written and flushed. Only a
/// regular file (or a link to one, which stays a link) is ever replaced. A failure is reported, never shown:
/// the form that asked for the write decides what to tell the user (see FileRetry).
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
/// file; anything else (a device, a pipe, a socket, a folder, or a link to one) is refused at the open step.
/// Where the folder refuses a temporary file but the target itself is writable, the target is rewritten in
/// place, and put back as it was when the new bytes do not fit.
Result Write(const QString& path, const QByteArray& bytes);

/// True when path names something other than a regular file (following links): such a file is neither
/// read nor written by the program. A missing file is not refused.
bool IsRefused(const QString& path);

/// Test seam: while set, a step for which the injector returns true fails as a full disk would.
void SetFaultForTests(std::function<bool(Step)> injector);

} // namespace SafeFile
