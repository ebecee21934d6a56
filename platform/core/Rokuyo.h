#pragma once

#include <QString>

#include <optional>

#include "Date.h"

/// 六曜, the six-day cycle of the old lunisolar calendar, as Japanese calendars print it.
namespace Rokuyo {

/// The lunar month (1-12; a leap month keeps the number of the month it follows), whether it is the leap
/// month, and the lunar day of a date, reckoned at UTC+9.
struct LunarDate
{
    int month = 0;
    bool leap = false;
    int day = 0;
};
std::optional<LunarDate> Lunar(Date date);

/// 大安, 赤口, 先勝, 友引, 先負 or 仏滅: (lunar month + lunar day) mod 6. Nothing when the platform has no
/// lunisolar calendar.
std::optional<QString> Of(Date date);

} // namespace Rokuyo
