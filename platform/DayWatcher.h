#pragma once

#include <QObject>
#include <QTimer>

#include "platform/Date.h"

/// Notices when the local date moves on, so that a program left running for days follows the calendar. It
/// wakes at each local midnight (and at least hourly, which covers a machine that slept through midnight
/// or a clock that was set) and compares the program's clock with the day it saw last.
class DayWatcher : public QObject
{
    Q_OBJECT
public:
    explicit DayWatcher(QObject* parent = nullptr);

    /// The day seen last.
    Date Day() const { return m_day; }

    /// Compares the clock with the day seen last and reports a change. Tests set the clock and call it.
    void Check();

signals:
    /// The date moved from one day to another (forwards, or backwards when the clock was set back).
    void DayChanged(Date previous, Date today);

private:
    void Arm();

    Date m_day;
    QTimer m_timer;
};
