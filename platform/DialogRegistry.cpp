#include "DialogRegistry.h"

#include <QList>
#include <QPointer>
#include <QWidget>

namespace {

// Opening order; the user sees the newest dialog on top, so that is the one to bring forward.
QList<QPointer<QWidget>>& OpenDialogs()
{
    static QList<QPointer<QWidget>> dialogs;
    return dialogs;
}

} // namespace

namespace DialogRegistry {

void Register(QWidget* dialog)
{
    if (!dialog) {
        return;
    }
    Unregister(dialog);
    OpenDialogs().append(dialog);
}

void Unregister(QWidget* dialog)
{
    OpenDialogs().removeIf([dialog](const QPointer<QWidget>& p) { return p.isNull() || p.data() == dialog; });
}

QWidget* ActiveDialog()
{
    auto& dialogs = OpenDialogs();
    dialogs.removeIf([](const QPointer<QWidget>& p) { return p.isNull(); });
    return dialogs.isEmpty() ? nullptr : dialogs.last().data();
}

} // namespace DialogRegistry
