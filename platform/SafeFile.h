#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QWidget;

/// Writes whole files so that a failure never leaves a half-written one behind: the bytes go to a temporary
/// file beside the target, which replaces the target only when everything was written.
namespace SafeFile {

enum class Step { Open, Write, Commit };

/// Writes the bytes to path. A failing step shows the failure sentence, a line break and the full path in
/// an "エラー" box with Retry and Cancel. Retry repeats the failed step (a failed replacement starts over
/// from opening); Cancel abandons the write and leaves the previous file as it was. True when written.
bool WriteWithRetry(QWidget* parent, const QString& path, const QByteArray& bytes, const QString& failureSentence);

/// Test seam: while set, a step for which the injector returns true fails as a full disk would.
void SetFaultForTests(std::function<bool(Step)> injector);

} // namespace SafeFile
