#pragma once

#include <QString>

/// Where the program keeps its companion files. The help file kirvo.hlp is always read beside the executable.
/// The settings and people files, and the lock that guards them, live in the folder chosen once at start-up:
/// beside the executable while they can be written there (a portable copy), otherwise in the user's own data
/// folder (a system install).
namespace ProgramFolder {

/// The folder of the settings and people files in use: the one start-up chose (UseDataFolder), otherwise the
/// folder of the executable.
QString Get();

/// The folder of the running executable, where kirvo.hlp and an administrator's default files lie.
QString Executable();

/// Test seam: the folder Executable returns instead of the executable's; an empty text restores it. Either
/// way the data folder chosen before is forgotten, so Get returns the same folder until one is chosen again.
void SetForTests(const QString& folder);

/// The user's own data folder for the program (for example ~/.local/share/kirvo); empty when there is none.
QString UserDataFolder();

/// Where the settings and people files of a program folder live: the program folder when it can be written,
/// or when its kirvo.ini is there and can be written in place (rewritten at every close, it decides);
/// otherwise userFolder, made on first use, with the program folder's kirvo.ini and kirvo.dat copied in where
/// it has none of its own (an administrator's defaults; the copies beside the program are never written).
/// When userFolder cannot be made or is empty, the program folder stays in use and *note says why.
QString ChooseDataFolder(const QString& programFolder, const QString& userFolder, QString* note);

/// Makes a folder the one Get returns for the rest of the process.
void UseDataFolder(const QString& folder);

/// folder + separator (only when the folder does not already end with one) + product name + extension,
/// for example CompanionFile("/opt/kirvo", ".ini") is "/opt/kirvo/kirvo.ini".
QString CompanionFile(const QString& folder, const QString& extension);

/// A path as the user reads it in messages (native separators).
QString DisplayPath(const QString& path);

/// The product name, the stem of every companion file.
QString ProductName();

} // namespace ProgramFolder
