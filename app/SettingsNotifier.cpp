#include "SettingsNotifier.h"

SettingsNotifier& SettingsNotifier::Instance()
{
    static SettingsNotifier notifier;
    return notifier;
}

void SettingsNotifier::Announce(const QString& key)
{
    SettingsNotifier& n = Instance();
    if (!n.m_pending.contains(key)) {
        n.m_pending.append(key);
    }
    if (n.m_batchDepth == 0) {
        n.Flush();
    }
}

void SettingsNotifier::ForgetPending()
{
    Instance().m_pending.clear();
}

void SettingsNotifier::Flush()
{
    if (m_pending.isEmpty()) {
        return;
    }
    // A listener may change settings in turn: those come as a round of their own.
    const QStringList keys = std::exchange(m_pending, {});
    for (const QString& key : keys) {
        emit Changed(key);
    }
    emit Settled();
}

SettingsBatch::SettingsBatch()
{
    ++SettingsNotifier::Instance().m_batchDepth;
}

SettingsBatch::~SettingsBatch()
{
    SettingsNotifier& n = SettingsNotifier::Instance();
    if (--n.m_batchDepth == 0) {
        n.Flush();
    }
}
