#pragma once

#include <QString>

#include <functional>

#include "core/SafeFile.h"

class QWidget;

/// The forms' side of a file that could not be written or read: the "エラー" box with Retry and Cancel, the
/// failure sentence, a line break and the file's full path. The file layers only report what happened.
namespace FileRetry {

/// Runs the attempt until it succeeds or the user cancels. Each failure asks Retry or Cancel; Retry runs the
/// attempt again, so it must leave nothing behind when it fails. When the session is ending there is nobody
/// to ask: the failure and the system's reason go to standard error and the attempt is abandoned. True when an
/// attempt succeeded.
bool UntilDone(QWidget* parent,
               const QString& path,
               const QString& failureSentence,
               const std::function<SafeFile::Result()>& attempt);

/// Writes the bytes whole to path (SafeFile::Write), asking Retry or Cancel after each failure.
bool Write(QWidget* parent, const QString& path, const QByteArray& bytes, const QString& failureSentence);

} // namespace FileRetry
