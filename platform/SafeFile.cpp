#include "SafeFile.h"

#include <QSaveFile>

#include "MsgBox.h"
#include "ProgramFolder.h"

namespace {

std::function<bool(SafeFile::Step)> g_fault;

bool Injected(SafeFile::Step step)
{
    return g_fault && g_fault(step);
}

} // namespace

namespace SafeFile {

bool WriteWithRetry(QWidget* parent, const QString& path, const QByteArray& bytes, const QString& failureSentence)
{
    Step step = Step::Open;
    QSaveFile file(path);
    for (;;) {
        bool ok = false;
        switch (step) {
            case Step::Open:
                ok = !Injected(step) && file.open(QIODevice::WriteOnly);
                if (ok) {
                    step = Step::Write;
                }
                break;
            case Step::Write:
                ok = !Injected(step) && file.write(bytes) == bytes.size();
                if (ok) {
                    step = Step::Commit;
                }
                break;
            case Step::Commit:
                ok = !Injected(step) && file.commit();
                if (ok) {
                    return true;
                }
                break;
        }
        if (ok) {
            continue;
        }
        const MsgBox::Answer answer
            = MsgBox::Show(parent,
                           failureSentence + QLatin1String("\r\n") + ProgramFolder::DisplayPath(path),
                           QStringLiteral("エラー"),
                           MsgBox::Icon::Critical,
                           MsgBox::Buttons::RetryCancel);
        if (answer != MsgBox::Answer::Retry) {
            if (file.isOpen()) {
                file.cancelWriting();
                file.commit();
            }
            return false;
        }
        // A write that failed half-way cannot be resumed inside the temporary file, and a failed
        // replacement has discarded it: both start over from a fresh temporary file.
        if (step != Step::Open) {
            if (file.isOpen()) {
                file.cancelWriting();
                file.commit();
            }
            step = Step::Open;
        }
    }
}

void SetFaultForTests(std::function<bool(Step)> injector)
{
    g_fault = std::move(injector);
}

} // namespace SafeFile
