#include "MainWindows.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include "platform/DialogRegistry.h"
#include "platform/Forms.h"
#include "platform/TrayIcon.h"
#include "platform/core/SessionEnd.h"
#include "windows/frmMain.h"
#include "windows/frmMainTask.h"

namespace {
std::function<void()> g_endProgram;
QPointer<frmMainBase> g_mainWindow;

void TakeOverUnloads()
{
    frmMainBase::SetUnloadHandlers([](bool taskTray) { MainWindows::ShowMainWindow(taskTray); },
                                   [] { MainWindows::EndProgram(); });
}

// Closes the innermost popup menu or modal dialog; true when one was open.
bool CloseInnermost()
{
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
        return true;
    }
    if (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
        return true;
    }
    return false;
}
} // namespace

namespace MainWindows {

frmMainBase* ShowMainWindow(bool taskTray)
{
    TakeOverUnloads();
    frmMainBase* window = nullptr;
    if (taskTray && TrayIcon::IsAvailable()) {
        window = new frmMain();
    } else {
        window = new frmMainTask();
    }
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    g_mainWindow = window;
    return window;
}

void ComeForward()
{
    if (g_mainWindow) {
        g_mainWindow->ComeForward();
    } else {
        // Before the main window: the people dialog of a first start.
        Forms::BringForward(DialogRegistry::WindowToAnswer());
    }
}

void SetEndProgram(std::function<void()> endProgram)
{
    g_endProgram = std::move(endProgram);
    TakeOverUnloads();
}

void EndProgram()
{
    if (g_endProgram) {
        g_endProgram();
    }
}

void EndSession()
{
    SessionEnd::SetEnding(true);
    // A dialog or menu runs its own event loop inside its opener's handler: close it and come back once
    // that handler has returned, so the main window never unloads beneath a running handler.
    if (CloseInnermost() || QThread::currentThread()->loopLevel() > 1) {
        QTimer::singleShot(20, [] { EndSession(); });
        return;
    }
    UnloadAtQuit();
}

void CommitSession()
{
    const bool wasEnding = SessionEnd::IsEnding();
    SessionEnd::SetEnding(true);
    if (g_mainWindow) {
        g_mainWindow->SaveForSession();
    }
    SessionEnd::SetEnding(wasEnding);
}

void UnloadAtQuit()
{
    SessionEnd::SetEnding(true);
    if (g_mainWindow) {
        g_mainWindow->close();
    } else {
        EndProgram();
    }
}

} // namespace MainWindows
