#pragma once

class QWidget;

/// The program's own windows. On a desktop the toolkit has top-level windows of its own (the notification
/// icon, its balloon, tooltips, menus): only the windows named here are the program's to close or to bring
/// forward.
///
/// Dialogs register while they are open, so that the notification icon can bring an open dialog forward
/// instead of the main window. Windows that live without blocking others (the main windows, the version box,
/// the help window) register once and stay known until they are destroyed.
namespace DialogRegistry {

/// Adds an open dialog; registering it twice keeps one entry.
void Register(QWidget* dialog);

/// Removes a dialog; unknown dialogs are ignored.
void Unregister(QWidget* dialog);

/// The dialog opened last among those still open, or nullptr when none is open. A dialog destroyed
/// without unregistering is skipped.
QWidget* ActiveDialog();

/// Adds a window of the program that does not block others; it is forgotten when destroyed.
void RegisterWindow(QWidget* window);

/// The window the user has to answer before any other: the innermost modal window (a message box or a
/// file dialog over a dialog included), else the dialog opened last; nullptr when nothing waits.
QWidget* WindowToAnswer();

/// Closes every visible window of the program but keep, newest first:
/// open dialogs, then the version box, the help window and the other main window. The toolkit's own
/// windows stay as they are.
void CloseOtherWindows(const QWidget* keep);

} // namespace DialogRegistry
