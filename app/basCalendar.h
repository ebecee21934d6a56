#pragma once

#include "platform/core/Date.h"

#include <QString>
#include <QtGlobal>

#include <optional>

/// Years in eras, and every date pattern the program shows or writes.
namespace basCalendar {

enum class DatePattern {
    YyyyMD, // "yyyy/m/d": 2001/12/5
    YyMD, // "yy/m/d": 01/12/5
    GeMD, // "ge/m/d": H13/12/5, from the platform's Japanese calendar
    MD, // "m/d": 12/5
    Yyyy, // "yyyy": 2001
    M, // "m": 12
    D, // "d": 5
};

/// The date in a pattern. "ge/m/d" falls back to "yy/m/d" before the first day of Meiji, where the
/// Japanese calendar has no era letter.
QString FormatDate(Date date, DatePattern pattern);

/// The pattern of the graph's date labels: "yy/m/d" when the Calendar setting is 0, "ge/m/d" otherwise.
DatePattern GraphDatePattern();

/// Era year box, showing a date: the Gregorian year minus the offset of the year-box era, as plain decimal
/// text (it may be 0 or negative).
QString YearBoxText(Date date, int eraIndex);

/// Era year box, changing the era: the year-box number re-expressed in another era. Nothing when the text is
/// not a number or the Gregorian year it stands for does not fit 16 bits (the box is then left as it is).
std::optional<QString> SwitchEraYear(const QString& yearText, int fromEra, int toEra);

/// Era year box, reading the date: (year + offset of the year-box era) "/" month "/" day, read by the
/// general date reader. Nothing when a box is empty, not a number, or the day does not exist.
std::optional<Date>
ReadEraDate(const QString& yearText, const QString& monthText, const QString& dayText, int eraIndex);

} // namespace basCalendar
