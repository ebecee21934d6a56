#pragma once

#include <QObject>
#include <QTimer>

#include "platform/core/Date.h"

/// Notices when the local date moves on, so that a program left running for days follows the calendar. It
/// wakes at each local midnight (and at least hourly, which covers a clock that was set) and compares the
/// program's clock with the day it saw last. Its timer stands still while the machine sleeps, so it also looks
/// when the session wakes (logind announces that on the system bus, where there is one) and whenever its
/// owner asks, as the main window does when the user comes back to it.
class DayWatcher : public QObject
{
    Q_OBJECT
public:
    explicit DayWatcher(QObject* parent = nullptr);

    /// The day seen last.
    Date Day() const { return m_day; }

    /// Compares the clock with the day seen last and reports a change. Tests set the clock and call it.
    void Check();

public slots:
    /// logind's announcement around a suspend: true as the machine goes to sleep, false as it wakes, when the
    /// clock is looked at. Tests call it as a resume would.
    void PrepareForSleep(bool sleeping);

signals:
    /// The date moved from one day to another (forwards, or backwards when the clock was set back).
    void DayChanged(Date previous, Date today);

private:
    void Arm();

    Date m_day;
    QTimer m_timer;
};
