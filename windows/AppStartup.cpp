#include "AppStartup.h"

#include "graph/basGraph.h"
#include "people/frmBirth.h"
#include "windows/MainWindows.h"

AppStartup::AppStartup() = default;
AppStartup::~AppStartup() = default;

void AppStartup::BuildModel()
{
    basGraph::BuildSineTable();
}

bool AppStartup::AcquireRunLock(const QString& programFolder)
{
    return m_lock.TryAcquire(programFolder);
}

bool AppStartup::RunPeopleDialog()
{
    return ::RunPeopleDialog(nullptr);
}

void AppStartup::ShowMainWindow(bool taskTray)
{
    MainWindows::ShowMainWindow(taskTray);
}
