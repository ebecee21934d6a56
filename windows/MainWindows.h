#pragma once

#include <functional>

class frmMainBase;

/// Which main window the program shows, and what happens when the last one unloads.
namespace MainWindows {

/// Creates and shows the main window: frmMain when taskTray is true and the desktop has a notification
/// area, frmMainTask otherwise (a window hidden in a missing notification area could never come back).
frmMainBase* ShowMainWindow(bool taskTray);

/// What ends the program when a main window unloads without another taking its place. The program sets
/// it to quit the event loop; tests leave it empty.
void SetEndProgram(std::function<void()> endProgram);
void EndProgram();

} // namespace MainWindows
