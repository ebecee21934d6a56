#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>

#include <array>

#include "platform/core/Date.h"

/// The critical days ahead and the state of each cycle on one day, for the critical-day list, its calendar
/// file and the notification icon's reminder. Every answer comes from the cycle model's own critical-day rule,
/// so the list and the chart's marks always agree.
namespace basGraph {

/// A person as the display list holds one.
struct Person
{
    QString name;
    Date birthday;
};

/// The people of the display list, in list order.
QVector<Person> DisplayPeople();

/// The cycle marks of a critical day: bit 0 physical, bit 1 sensitivity, bit 2 intellect.
using CycleMask = quint8;

/// The cycles of a person's day that are critical (0 when none is).
CycleMask CriticalCycles(Date birthday, Date day);

/// How many cycles a mask names (1 to 3 for a critical day).
int CycleMarkCount(CycleMask cycles);

/// The legend labels of the marked cycles in cycle order, joined by "・": "体・知".
QString CycleLabels(CycleMask cycles);

/// One critical day of one person. The person is an index into the list the days were found for.
struct CriticalDay
{
    qint32 person = 0;
    Date day;
    CycleMask cycles = 0;
};

/// The number of days the critical-day list can look ahead.
constexpr int MinListDays = 1;
constexpr int MaxListDays = 366;
constexpr int DefaultListDays = 31;

/// Every critical day of the people from the first day on, for the given number of days (clamped to 1 to
/// 366 and to the calendar's end), ordered by day and then by the people's order.
QVector<CriticalDay> FindCriticalDays(const QVector<Person>& people, Date first, int days);

/// One cycle of one person on one day: its value in percent (value × 100, rounded half away from zero), and
/// whether it rises towards the next day.
struct CycleState
{
    int percent = 0;
    bool rising = false;
};

/// The three cycles of a person on a day, in cycle order.
std::array<CycleState, 3> CycleStates(Date birthday, Date day);

/// The text of a cycle's state for the list: "45％ ↑" rising, "-12％ ↓" falling.
QString CycleStateText(const CycleState& state);

/// The summary of a critical day as a calendar shows it: "要注意日：山田花子（体・知）".
QString CriticalDaySummary(const QString& name, CycleMask cycles);

/// The reminder of a day for the notification area: one line per person whose day is critical, name and
/// cycles ("山田花子（体・知）"), at most maxLines of them and then how many more; empty when the day is
/// critical for nobody.
QString ReminderText(const QVector<Person>& people, Date day, int maxLines = 8);

} // namespace basGraph
