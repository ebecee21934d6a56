#pragma once

#include "app/basMain.h"
#include "platform/core/InstanceLock.h"
#include "platform/core/RunningCopy.h"

#include <memory>

class QWidget;

/// Start-up as the real program runs it: the real lock, dialogs and main windows.
class AppStartup : public StartupHost
{
public:
    AppStartup();
    ~AppStartup() override;

    void BuildModel() override;
    bool AcquireRunLock(const QString& dataFolder) override;
    void Note(const QString& text) override;
    bool RunPeopleDialog() override;
    void ShowMainWindow(bool taskTray) override;

private:
    InstanceLock m_lock;
    // Listens for later starts while this copy holds the lock.
    RunningCopy m_listener;
};
