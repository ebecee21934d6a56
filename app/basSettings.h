#pragma once

#include <QByteArray>
#include <QString>

#include "platform/core/SafeFile.h"

/// The settings file kirvo.ini beside the program: key=value lines in code page 932, rewritten in full
/// whenever a main window closes.
namespace basSettings {

/// No settings file comes near this size (32767 people with long names and as many eras stay far below):
/// a larger one is damage and is not read.
constexpr qint64 MaxSettingsBytes = qint64(64) << 20;

/// The settings file of a program folder.
QString SettingsPath(const QString& folder);

/// Loads the settings of the program's folder: defaults first, then every line of the file. True when the
/// file was opened and read; false (with defaults and the five built-in eras) when it could not be opened, is
/// not a regular file, or is larger than any settings file.
bool LoadSettings();
bool LoadSettings(const QString& folder);

/// Applies the bytes of a settings file to the store, exactly as LoadSettings does after opening the file
/// (defaults, then line by line, then the built-in eras when no era line was read).
void LoadSettingsFromBytes(const QByteArray& bytes);

/// The bytes the settings writer produces for the current store.
QByteArray SettingsFileBytes();

/// Rewrites the settings file of the program's folder, whole or not at all: a failure leaves the previous file
/// as it was and says which step failed and why.
SafeFile::Result SaveSettings();
SafeFile::Result SaveSettings(const QString& folder);

/// What the user is told when the settings file could not be written (before the file's path).
QString WriteFailureText();

} // namespace basSettings
