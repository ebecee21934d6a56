#include "MainWindows.h"

#include "platform/TrayIcon.h"
#include "windows/frmMain.h"
#include "windows/frmMainTask.h"

namespace {
std::function<void()> g_endProgram;
}

namespace MainWindows {

frmMainBase* ShowMainWindow(bool taskTray)
{
    frmMainBase* window = nullptr;
    if (taskTray && TrayIcon::IsAvailable()) {
        window = new frmMain();
    } else {
        window = new frmMainTask();
    }
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

void SetEndProgram(std::function<void()> endProgram)
{
    g_endProgram = std::move(endProgram);
}

void EndProgram()
{
    if (g_endProgram) {
        g_endProgram();
    }
}

} // namespace MainWindows
