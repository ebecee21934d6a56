#include "TrayIcon.h"

#include <QCursor>
#include <QSystemTrayIcon>
#include <QTimer>

#include "AppIcon.h"

namespace {
// How often the notification area is looked for: a user whose panel went away waits at most this long for
// the hidden window to come back.
constexpr int AreaWatchMs = 2000;
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
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::Add(const QString& tip)
{
    m_tip = tip;
    m_shown = true;
    if (!m_icon) {
        m_icon = std::make_unique<QSystemTrayIcon>(AppIcon::Icon());
        connect(m_icon.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::DoubleClick) {
                emit DoubleClicked();
            } else if (reason == QSystemTrayIcon::Context) {
                emit RightButtonPressed(QCursor::pos());
            }
        });
        connect(m_icon.get(), &QSystemTrayIcon::messageClicked, this, &TrayIcon::MessageClicked);
    }
    m_icon->setToolTip(tip);
    m_icon->show();
    m_areaPresent = IsAvailable();
    m_areaGone = false;
    m_areaWatch->start();
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
    if (m_icon) {
        m_icon->showMessage(title, text, AppIcon::Icon());
    }
}

void TrayIcon::WatchArea()
{
    AreaSeen(IsAvailable());
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
    m_areaGone = false;
    // A new notification area knows nothing of the icon the old one held: show it there afresh.
    if (m_icon) {
        m_icon->hide();
        m_icon->show();
    }
    emit AreaBack();
}

void TrayIcon::SimulateArea(bool present)
{
    m_areaWatch->stop();
    m_areaPresent = !present;
    AreaSeen(present);
}
