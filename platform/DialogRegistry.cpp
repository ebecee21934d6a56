#include "DialogRegistry.h"

#include <QApplication>
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

QList<QPointer<QWidget>>& OtherWindows()
{
    static QList<QPointer<QWidget>> windows;
    return windows;
}

void Forget(QList<QPointer<QWidget>>& list, const QWidget* window)
{
    list.removeIf([window](const QPointer<QWidget>& p) { return p.isNull() || p.data() == window; });
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
    Forget(OpenDialogs(), dialog);
}

QWidget* ActiveDialog()
{
    auto& dialogs = OpenDialogs();
    dialogs.removeIf([](const QPointer<QWidget>& p) { return p.isNull(); });
    return dialogs.isEmpty() ? nullptr : dialogs.last().data();
}

void RegisterWindow(QWidget* window)
{
    if (!window) {
        return;
    }
    Forget(OtherWindows(), window);
    OtherWindows().append(window);
}

QWidget* WindowToAnswer()
{
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return ActiveDialog();
}

void CloseOtherWindows(const QWidget* keep)
{
    // Dialogs first, newest first, so that each closes before the window it was opened over.
    QList<QPointer<QWidget>> windows = OtherWindows();
    windows += OpenDialogs();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        QWidget* window = it->data();
        // A window closed by an earlier one (its owner) is gone or hidden by now.
        if (window && window != keep && window->isVisible()) {
            window->close();
        }
    }
}

} // namespace DialogRegistry
