#pragma once

#include <QObject>
#include <QString>

/// Says which settings changed, so that a window reacts to a setting in one place rather than after each
/// place that sets it. BirthDay stands for the display list and Era for the era table.
class SettingsNotifier : public QObject
{
    Q_OBJECT

public:
    static SettingsNotifier& Instance();

    /// Called by the store when a key's value changed: announced at once, or at the end of the outermost
    /// SettingsBatch.
    static void Announce(const QString& key);
    /// Drops what a batch still holds (a fresh process holds nothing).
    static void ForgetPending();

signals:
    /// Once per key whose value changed.
    void Changed(const QString& key);
    /// After the Changed signals of one change, or of one batch.
    void Settled();

private:
    friend class SettingsBatch;
    void Flush();
    int m_batchDepth = 0;
    QStringList m_pending;
};

/// While one lives, changes are held; when the outermost ends each changed key is announced once, then
/// Settled: a dialog that stores twenty settings causes one redraw, not twenty.
class SettingsBatch
{
public:
    SettingsBatch();
    ~SettingsBatch();
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;
};
