#pragma once

#include <QString>

/// What start-up needs from the folders above the application core: the cycle model, the lock against a
/// second copy, the people dialog and the two main windows.
class StartupHost
{
public:
    virtual ~StartupHost() = default;
    /// Builds the sine table of the three cycles.
    virtual void BuildModel() = 0;
    /// Takes the lock of the folder of the settings and people files; false when another copy uses it.
    virtual bool AcquireRunLock(const QString& dataFolder) = 0;
    /// Passes on a note for the user that needs no answer (standard error).
    virtual void Note(const QString& text) = 0;
    /// Shows the people dialog modally; returns its confirmation status.
    virtual bool RunPeopleDialog() = 0;
    /// Shows the notification-area main window (taskTray true) or the plain one, modelessly.
    virtual void ShowMainWindow(bool taskTray) = 0;
};

/// The start routine and the process-wide help file path.
namespace basMain {

/// Runs start-up for a program folder: help path, the folder of the settings and people files (beside the
/// program, or userFolder when they cannot be written there), settings, sine table, second-copy check, people
/// first when no display list was restored, then the main window chosen by TaskTray. True when a main window
/// was shown (the program then lives as long as it does); false when the program should end.
bool Main(StartupHost& host, const QString& programFolder, const QString& userFolder);

/// The help file of the process (program folder + kirvo.hlp), set by Main.
QString HelpFilePath();
void SetHelpFilePath(const QString& path);

} // namespace basMain
