#pragma once

#include <functional>

class frmMainBase;

/// Which main window the program shows, and what happens when the last one unloads.
namespace MainWindows {

/// Creates and shows the main window: frmMain when taskTray is true and the desktop has a notification
/// area, frmMainTask otherwise (a window hidden in a missing notification area could never come back).
frmMainBase* ShowMainWindow(bool taskTray);

/// A later start asked for the program: the window waiting for the user's answer comes forward, else the
/// main window, out of the notification area if it was put away there.
void ComeForward();

/// What ends the program when a main window unloads without another taking its place. The program sets
/// it to quit the event loop; tests leave it empty.
void SetEndProgram(std::function<void()> endProgram);
void EndProgram();

/// The session ends (a signal): with nobody to answer, every dialog and menu is closed without saving,
/// then the main window unloads as when the user closes it (place, size and settings saved, a failure
/// reported on standard error) and the program ends. Runs again later while dialogs are still closing.
void EndSession();

/// The session manager asks for the data before a logout: the settings are saved without asking.
void CommitSession();

/// The event loop is quitting for a reason of its own: the main window, if still loaded, unloads now.
void UnloadAtQuit();

} // namespace MainWindows
