#include "basMain.h"

#include "app/basParam.h"
#include "app/basSettings.h"
#include "platform/ProgramFolder.h"

namespace {
QString g_helpFilePath;
}

namespace basMain {

bool Main(StartupHost& host, const QString& programFolder)
{
    SetHelpFilePath(ProgramFolder::CompanionFile(programFolder, QStringLiteral(".hlp")));
    // Whether the file could be read does not matter: a missing one leaves every default in place.
    basSettings::LoadSettings(programFolder);
    host.BuildModel();
    if (!host.AcquireRunLock(programFolder)) {
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
