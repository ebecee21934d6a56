#include "basMain.h"

#include "app/basParam.h"
#include "app/basSettings.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/SafeFile.h"

namespace {
QString g_helpFilePath;
}

namespace basMain {

bool Main(StartupHost& host, const QString& programFolder, const QString& userFolder)
{
    SetHelpFilePath(ProgramFolder::CompanionFile(programFolder, QStringLiteral(".hlp")));
    QString note;
    const QString dataFolder = ProgramFolder::ChooseDataFolder(programFolder, userFolder, &note);
    if (!note.isEmpty()) {
        host.Note(note);
    }
    ProgramFolder::UseDataFolder(dataFolder);
    // A file rewritten in place when the program was killed is put back whole before anything reads it.
    for (const QString& path : SafeFile::RecoverInterruptedSaves()) {
        host.Note(QStringLiteral("%1 was put back as it was before a save that was cut short").arg(path));
    }
    // Whether the file could be read does not matter: a missing one leaves every default in place.
    basSettings::LoadSettings(dataFolder);
    host.BuildModel();
    if (!host.AcquireRunLock(dataFolder)) {
        return false;
    }
    // Holding the lock, no other copy is saving these files: a temporary file beside them is a killed save's.
    const QString product = ProgramFolder::ProductName();
    SafeFile::RemoveLeftoverTemporaries(dataFolder,
                                        {product + QStringLiteral(".ini"), product + QStringLiteral(".dat")});
    if (!basParam::GetParam(SettingKey::ReadBirthDay).AsBool()) {
        if (!host.RunPeopleDialog()) {
            return false;
        }
    }
    host.ShowMainWindow(basParam::GetParam(SettingKey::TaskTray).AsBool());
    return true;
}

QString HelpFilePath()
{
    return g_helpFilePath;
}

void SetHelpFilePath(const QString& path)
{
    g_helpFilePath = path;
}

} // namespace basMain
