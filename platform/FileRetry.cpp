#include "FileRetry.h"

#include <cstdio>

#include "MsgBox.h"
#include "core/ProgramFolder.h"
#include "core/SessionEnd.h"

namespace FileRetry {

bool UntilDone(QWidget* parent,
               const QString& path,
               const QString& failureSentence,
               const std::function<SafeFile::Result()>& attempt)
{
    for (;;) {
        const SafeFile::Result result = attempt();
        if (result.ok) {
            return true;
        }
        if (SessionEnd::IsEnding()) {
            // Nobody to ask: the previous file stays whole, and the reason goes where a session log finds it.
            std::fprintf(stderr,
                         "kirvo: %s %s: %s\n",
                         qUtf8Printable(failureSentence),
                         qUtf8Printable(ProgramFolder::DisplayPath(path)),
                         qUtf8Printable(result.error));
            return false;
        }
        const MsgBox::Answer answer
            = MsgBox::Show(parent,
                           failureSentence + QLatin1String("\r\n") + ProgramFolder::DisplayPath(path),
                           QStringLiteral("エラー"),
                           MsgBox::Icon::Critical,
                           MsgBox::Buttons::RetryCancel);
        if (answer != MsgBox::Answer::Retry) {
            return false;
        }
    }
}

bool Write(QWidget* parent, const QString& path, const QByteArray& bytes, const QString& failureSentence)
{
    // A failed write leaves nothing behind, so Retry starts over from a fresh temporary file.
    return UntilDone(parent, path, failureSentence, [&] { return SafeFile::Write(path, bytes); });
}

} // namespace FileRetry
