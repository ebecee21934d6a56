#include "Clock.h"

#include <QDate>

namespace {
std::optional<Date> g_fixedToday;
}

namespace Clock {

Date Today()
{
    if (g_fixedToday) {
        return *g_fixedToday;
    }
    return Date::FromQDate(QDate::currentDate()).value_or(Date());
}

void SetTodayForTests(std::optional<Date> today)
{
    g_fixedToday = today;
}

} // namespace Clock
