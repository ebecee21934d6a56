#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

#include <memory>

class QSystemTrayIcon;
class QTimer;
class QMenu;
class QDBusServiceWatcher;
class QWidget;

/// The program's icon in the notification area, with its tip. It reports a left double-click and a
/// right button press (with the mouse position); everything else it ignores. While shown it watches the
/// desktop's notification area: a panel may crash or be replaced, and the icon goes into the new one.
///
/// Panels come in two kinds. An XEmbed panel holds a window of the program's, which sees every click. A
/// panel that hosts icons over D-Bus (StatusNotifierItem) turns a left click into one activation and draws
/// the icon's menu itself: there a left click counts as the double-click, and the menu is handed over.
class TrayIcon : public QObject
{
    Q_OBJECT
public:
    /// The icon id the program has always used.
    static constexpr int IconId = 1;

    explicit TrayIcon(QObject* parent = nullptr);
    ~TrayIcon() override;

    /// Whether the desktop has a notification area at all.
    static bool IsAvailable();
    /// Whether the icon is hosted over D-Bus rather than in a window of an XEmbed panel. The toolkit decides
    /// once per run, when it first looks for a notification area; so does this.
    static bool HostedOverDBus();

    /// The icon's menu. An XEmbed icon reports the right button and its owner pops the menu up; a panel
    /// hosting the icon over D-Bus is handed the menu and shows it itself.
    void SetMenu(QMenu* menu);

    /// Adds the icon with its tip; removes it.
    void Add(const QString& tip);
    void Remove();
    bool IsShown() const { return m_shown; }
    /// The notification area went away and has not come back: nobody can reach the icon now.
    bool AreaGone();
    QString Tip() const { return m_tip; }

    /// A balloon message from the icon, with the program's icon beside it; nothing while the icon is not
    /// shown. Every message shown is recorded, so tests read what the user would have seen.
    void ShowMessage(const QString& title, const QString& text);
    struct Message
    {
        QString title;
        QString text;
    };
    const QList<Message>& Messages() const { return m_messages; }

    /// Test seam: report an event as if the user had caused it.
    void SimulateDoubleClick() { emit DoubleClicked(); }
    void SimulateRightButton(const QPoint& globalPos) { emit RightButtonPressed(globalPos); }
    void SimulateMessageClick() { emit MessageClicked(); }
    void SimulateMenuOpening() { emit MenuOpening(); }
    /// Test seam: the notification area goes away or comes back; the real desktop is no longer watched.
    void SimulateArea(bool present);

signals:
    void DoubleClicked();
    void RightButtonPressed(const QPoint& globalPos);
    /// The user clicked the balloon message.
    void MessageClicked();
    /// A panel hosting the icon over D-Bus is about to show the icon's menu.
    void MenuOpening();
    /// The notification area went away, or came back (the toolkit puts the icon into it again).
    void AreaLost();
    void AreaBack();

private slots:
    // The notification daemon's answer for the reminder sent over D-Bus.
    void NotificationActionInvoked(uint id, const QString& action);

private:
    /// Sends a balloon to the desktop's notification daemon with a default action, so that a click on it
    /// comes back (the toolkit's own D-Bus balloon offers none). False when no daemon takes it.
    bool NotifyOverDBus(const QString& title, const QString& text);
    static bool AreaPresentNow();
    void WatchArea();
    void AreaSeen(bool present);

    std::unique_ptr<QSystemTrayIcon> m_icon;
    QString m_tip;
    bool m_shown = false;
    bool m_areaPresent = false;
    bool m_areaGone = false;
    QTimer* m_areaWatch = nullptr;
    QDBusServiceWatcher* m_watcherWatch = nullptr;
    QList<Message> m_messages;
    QMenu* m_menu = nullptr;
    uint m_notificationId = 0;
    bool m_listening = false;
};
