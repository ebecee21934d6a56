#include "AppStartup.h"

#include <cstdio>

#include "graph/basGraph.h"
#include "people/frmBirth.h"
#include "windows/MainWindows.h"

AppStartup::AppStartup() = default;
AppStartup::~AppStartup() = default;

void AppStartup::BuildModel()
{
    basGraph::BuildSineTable();
}

bool AppStartup::AcquireRunLock(const QString& dataFolder)
{
    switch (m_lock.TryAcquire(dataFolder)) {
        case InstanceLock::Result::Acquired:
            return true;
        case InstanceLock::Result::HeldByAnotherCopy:
            return false;
        case InstanceLock::Result::Unchecked:
            break;
    }
    // Ending for a reason that has nothing to do with another copy would look like a crash.
    std::fprintf(stderr,
                 "kirvo: the single-copy rule could not be checked (%s); starting anyway\n",
                 qUtf8Printable(m_lock.Reason()));
    return true;
}

void AppStartup::Note(const QString& text)
{
    std::fprintf(stderr, "kirvo: %s\n", qUtf8Printable(text));
}

bool AppStartup::RunPeopleDialog()
{
    return ::RunPeopleDialog(nullptr);
}

void AppStartup::ShowMainWindow(bool taskTray)
{
    MainWindows::ShowMainWindow(taskTray);
}
