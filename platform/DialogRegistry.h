#pragma once

class QWidget;

/// The dialogs open at this moment, so that the notification icon can bring an open dialog forward
/// instead of the main window. A dialog registers itself when it loads and unregisters when it unloads.
namespace DialogRegistry {

/// Adds an open dialog; registering it twice keeps one entry.
void Register(QWidget* dialog);

/// Removes a dialog; unknown dialogs are ignored.
void Unregister(QWidget* dialog);

/// The dialog opened last among those still open, or nullptr when none is open. A dialog destroyed
/// without unregistering is skipped.
QWidget* ActiveDialog();

} // namespace DialogRegistry
