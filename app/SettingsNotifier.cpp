#include "SettingsNotifier.h"

#include <algorithm>

SettingsNotifier& SettingsNotifier::Instance()
{
    static SettingsNotifier notifier;
    return notifier;
}

void SettingsNotifier::Announce(const QString& key)
{
    SettingsNotifier& n = Instance();
    // A list read line by line announces the same few keys thousands of times: look from the newest, where a
    // key is mostly the very same text.
    const auto same = [&key](const QString& pending) { return pending.isSharedWith(key) || pending == key; };
    if (std::find_if(n.m_pending.crbegin(), n.m_pending.crend(), same) == n.m_pending.crend()) {
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
