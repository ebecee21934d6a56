#pragma once

#include "Date.h"

#include <QString>

#include <optional>

/// The Japanese era calendar of the platform (ICU), which changes era on the exact first day of each era.
namespace JapaneseCalendar {

/// The date as era letter, era year, month and day: "H13/12/5", "S64/1/7", "H1/1/8", "R1/5/1".
/// Nothing before the calendar's first day of Meiji (1868-09-08 in ICU 72), where no era letter exists.
std::optional<QString> EraLabel(Date date);

} // namespace JapaneseCalendar
