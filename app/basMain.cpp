#include "basMain.h"

#include "app/basParam.h"
#include "app/basSettings.h"
#include "platform/ProgramFolder.h"

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
    // Whether the file could be read does not matter: a missing one leaves every default in place.
    basSettings::LoadSettings(dataFolder);
    host.BuildModel();
    if (!host.AcquireRunLock(dataFolder)) {
        return false;
    }
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
