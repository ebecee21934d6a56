#pragma once

#include <QString>

/// Where the program keeps its companion files: the folder of the executable.
namespace ProgramFolder {

/// The folder of the running executable.
QString Get();

/// Test seam: the folder Get returns instead of the executable's; an empty text restores it.
void SetForTests(const QString& folder);

/// folder + separator (only when the folder does not already end with one) + product name + extension,
/// for example CompanionFile("/opt/kirvo", ".ini") is "/opt/kirvo/kirvo.ini".
QString CompanionFile(const QString& folder, const QString& extension);

/// A path as the user reads it in messages (native separators).
QString DisplayPath(const QString& path);

/// The product name, the stem of every companion file.
QString ProductName();

} // namespace ProgramFolder
