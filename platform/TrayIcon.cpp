#include "TrayIcon.h"

#include <QCursor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

#include "AppIcon.h"
#include "core/ProgramFolder.h"

namespace {
// How often the notification area is looked for: a user whose panel went away waits at most this long for
// the hidden window to come back.
constexpr int AreaWatchMs = 2000;

const QString WatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString NotificationsService = QStringLiteral("org.freedesktop.Notifications");
const QString NotificationsPath = QStringLiteral("/org/freedesktop/Notifications");
// How long a balloon stays, as the toolkit's own balloon does.
constexpr int BalloonMs = 10000;
} // namespace

TrayIcon::TrayIcon(QObject* parent)
    : QObject(parent)
    , m_areaWatch(new QTimer(this))
{
    m_areaWatch->setInterval(AreaWatchMs);
    connect(m_areaWatch, &QTimer::timeout, this, &TrayIcon::WatchArea);
}

TrayIcon::~TrayIcon()
{
    Remove();
}

bool TrayIcon::IsAvailable()
{
    HostedOverDBus();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool TrayIcon::HostedOverDBus()
{
    // The toolkit's own test: a StatusNotifierWatcher on the session bus when the first icon is looked for.
    static const bool hosted = [] {
        const QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
        return bus && bus->isServiceRegistered(WatcherService).value();
    }();
    return hosted;
}

void TrayIcon::SetMenu(QMenu* menu)
{
    m_menu = menu;
    if (!HostedOverDBus()) {
        return;
    }
    connect(menu, &QMenu::aboutToShow, this, &TrayIcon::MenuOpening);
    if (m_icon) {
        m_icon->setContextMenu(menu);
    }
}

void TrayIcon::Add(const QString& tip)
{
    m_tip = tip;
    m_shown = true;
    if (!m_icon) {
        m_icon = std::make_unique<QSystemTrayIcon>(AppIcon::Icon());
        connect(m_icon.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::DoubleClick || (reason == QSystemTrayIcon::Trigger && HostedOverDBus())) {
                emit DoubleClicked();
            } else if (reason == QSystemTrayIcon::Context) {
                emit RightButtonPressed(QCursor::pos());
            }
        });
        connect(m_icon.get(), &QSystemTrayIcon::messageClicked, this, &TrayIcon::MessageClicked);
        if (m_menu && HostedOverDBus()) {
            m_icon->setContextMenu(m_menu);
        }
    }
    m_icon->setToolTip(tip);
    m_icon->show();
    m_areaPresent = AreaPresentNow();
    m_areaGone = false;
    m_areaWatch->start();
    if (HostedOverDBus() && !m_watcherWatch) {
        // Over D-Bus the panel's coming and going is announced: no need to wait for the next look.
        m_watcherWatch = new QDBusServiceWatcher(
            WatcherService, QDBusConnection::sessionBus(), QDBusServiceWatcher::WatchForOwnerChange, this);
        connect(m_watcherWatch, &QDBusServiceWatcher::serviceRegistered, this, [this] { AreaSeen(true); });
        connect(m_watcherWatch, &QDBusServiceWatcher::serviceUnregistered, this, [this] { AreaSeen(false); });
    }
}

void TrayIcon::Remove()
{
    m_shown = false;
    m_areaWatch->stop();
    if (m_icon) {
        m_icon->hide();
    }
}

void TrayIcon::ShowMessage(const QString& title, const QString& text)
{
    if (!m_shown) {
        return;
    }
    m_messages.push_back({title, text});
    if (m_icon && !(HostedOverDBus() && NotifyOverDBus(title, text))) {
        m_icon->showMessage(title, text, AppIcon::Icon());
    }
}

bool TrayIcon::NotifyOverDBus(const QString& title, const QString& text)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QDBusConnectionInterface* names = bus.interface();
    if (!names || !names->isServiceRegistered(NotificationsService).value()) {
        return false;
    }
    if (!m_listening) {
        m_listening = bus.connect(NotificationsService,
                                  NotificationsPath,
                                  NotificationsService,
                                  QStringLiteral("ActionInvoked"),
                                  this,
                                  SLOT(NotificationActionInvoked(uint, QString)));
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        NotificationsService, NotificationsPath, NotificationsService, QStringLiteral("Notify"));
    // The "default" action is what a click on the balloon's body invokes.
    call << ProgramFolder::ProductName() << m_notificationId << ProgramFolder::ProductName() << title << text
         << QStringList {QStringLiteral("default"), title}
         << QVariantMap {{QStringLiteral("desktop-entry"), ProgramFolder::ProductName()}} << BalloonMs;
    auto* pending = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* done) {
        const QDBusPendingReply<uint> reply = *done;
        if (reply.isValid()) {
            m_notificationId = reply.value();
        }
        done->deleteLater();
    });
    return true;
}

void TrayIcon::NotificationActionInvoked(uint id, const QString& action)
{
    if (id == m_notificationId && action == QLatin1String("default")) {
        emit MessageClicked();
    }
}

bool TrayIcon::AreaPresentNow()
{
    if (HostedOverDBus()) {
        // The toolkit's own test opens a bus connection each time; the watcher's name is what it looks for.
        const QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
        return bus && bus->isServiceRegistered(WatcherService).value();
    }
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::WatchArea()
{
    AreaSeen(AreaPresentNow());
}

bool TrayIcon::AreaGone()
{
    // Looked at afresh: a panel that has just come back must not leave the window minimised.
    if (m_areaWatch->isActive()) {
        WatchArea();
    }
    return m_areaGone;
}

void TrayIcon::AreaSeen(bool present)
{
    if (present == m_areaPresent || !m_shown) {
        return;
    }
    m_areaPresent = present;
    if (!present) {
        m_areaGone = true;
        emit AreaLost();
        return;
    }
    // The toolkit puts the icon into the new notification area by itself.
    m_areaGone = false;
    emit AreaBack();
}

void TrayIcon::SimulateArea(bool present)
{
    m_areaWatch->stop();
    m_areaPresent = !present;
    AreaSeen(present);
}
