#pragma once

#include <QList>
#include <QString>

#include <optional>

#include "Date.h"

/// The national holidays of Japan under the holiday law of 1948 as amended: the fixed and Monday-bound
/// days, the equinoxes, substitute holidays (振替休日), the days between two holidays (国民の休日), and the
/// one-off days set by their own laws. The equinoxes come from the usual approximation, good for 1900-2099.
namespace Holidays {

/// The years the calendar answers for: from the law's first year to the end of the equinox approximation.
constexpr int FirstYear = 1948;
constexpr int LastYear = 2099;

struct Holiday
{
    Date day;
    QString name;
};

/// Every holiday of the year in date order; nothing for a year outside FirstYear..LastYear, where the
/// calendar cannot know (and says so rather than guess).
std::optional<QList<Holiday>> OfYear(int year);

/// The holiday's name on that day, an empty text on an ordinary day, nothing outside the known years.
std::optional<QString> NameOf(Date day);

/// How a Japanese calendar marks a day: Saturdays blue, Sundays and holidays red, other days plain.
enum class Mark { Plain, Saturday, SundayOrHoliday };
Mark MarkOf(Date day);

/// The weekday in brackets and the holiday's name if the day is one: "（月）", "（月）勤労感謝の日".
QString WeekdayAndHoliday(Date day);

/// The day of the March or September equinox (春分日, 秋分日) by the approximation; 1900-2099 only.
std::optional<int> VernalEquinoxDay(int year);
std::optional<int> AutumnalEquinoxDay(int year);

} // namespace Holidays
