#include "DayWatcher.h"

#include <QDBusConnection>
#include <QDateTime>

#include <algorithm>

#include "platform/core/Clock.h"

namespace {

// The longest sleep between two looks at the clock.
constexpr qint64 MaxSleepMs = 60 * 60 * 1000;
// Wake a little after midnight, never a hair before it.
constexpr qint64 MarginMs = 1000;

} // namespace

DayWatcher::DayWatcher(QObject* parent)
    : QObject(parent)
    , m_day(Clock::Today())
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::VeryCoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, &DayWatcher::Check);
    Arm();
    // Without a system bus (or logind) the next look comes from the timer, the window or the icon.
    QDBusConnection::systemBus().connect(QStringLiteral("org.freedesktop.login1"),
                                         QStringLiteral("/org/freedesktop/login1"),
                                         QStringLiteral("org.freedesktop.login1.Manager"),
                                         QStringLiteral("PrepareForSleep"),
                                         this,
                                         SLOT(PrepareForSleep(bool)));
}

void DayWatcher::PrepareForSleep(bool sleeping)
{
    if (!sleeping) {
        Check();
    }
}

void DayWatcher::Check()
{
    const Date today = Clock::Today();
    if (today != m_day) {
        const Date previous = m_day;
        m_day = today;
        emit DayChanged(previous, today);
    }
    Arm();
}

void DayWatcher::Arm()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime midnight(now.date().addDays(1), QTime(0, 0));
    const qint64 untilMidnight = now.msecsTo(midnight) + MarginMs;
    m_timer.start(static_cast<int>(std::clamp<qint64>(untilMidnight, MarginMs, MaxSleepMs)));
}
