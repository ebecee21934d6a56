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
    const InstanceLock::Result result = m_lock.TryAcquire(dataFolder);
    if (result != InstanceLock::Result::Unchecked && !m_lock.Reason().isEmpty()) {
        std::fprintf(stderr, "kirvo: %s\n", qUtf8Printable(m_lock.Reason()));
    }
    // Named from the lock actually in use, so a later start that also had to keep it elsewhere finds this copy.
    const QString name = RunningCopy::ServerName(m_lock.Path());
    QString reason;
    switch (result) {
        case InstanceLock::Result::Acquired:
            // A later start on the same files brings this copy forward instead of leaving the user nothing.
            if (m_listener.Listen(name, &reason)) {
                QObject::connect(&m_listener, &RunningCopy::ComeForwardAsked, [] { MainWindows::ComeForward(); });
            } else {
                std::fprintf(stderr, "kirvo: a later start cannot reach this copy (%s)\n", qUtf8Printable(reason));
            }
            return true;
        case InstanceLock::Result::HeldByAnotherCopy:
            // This copy ends as it always has; it only asks the running one to show itself first.
            if (!RunningCopy::AskToComeForward(name, &reason)) {
                std::fprintf(stderr,
                             "kirvo: another copy is running on the same files but could not be brought forward (%s)\n",
                             qUtf8Printable(reason));
            }
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
