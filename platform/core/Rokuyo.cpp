#include "Rokuyo.h"

#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <memory>

namespace {

constexpr double UnixEpochSerial = 25569.0;
constexpr double MillisPerDay = 86400000.0;

// ICU's Korean lunisolar calendar reckons its new moons and solar terms at UTC+9, the meridian of the
// Japanese calendar too; the two agree on every month of the modern era but for the months around 2033,
// where the old Japanese rules themselves give no answer.
icu::Calendar* LunisolarCalendar()
{
    thread_local std::unique_ptr<icu::Calendar> calendar = [] {
        UErrorCode err = U_ZERO_ERROR;
        std::unique_ptr<icu::Calendar> c(icu::Calendar::createInstance(
            icu::TimeZone::createTimeZone("GMT+09:00"), icu::Locale("ko@calendar=dangi"), err));
        return U_FAILURE(err) ? nullptr : std::move(c);
    }();
    return calendar.get();
}

} // namespace

namespace Rokuyo {

std::optional<LunarDate> Lunar(Date date)
{
    icu::Calendar* c = LunisolarCalendar();
    if (!c) {
        return std::nullopt;
    }
    UErrorCode err = U_ZERO_ERROR;
    // Noon of the day at UTC+9 (03:00 UTC): well inside the day wherever the day's boundary is counted.
    const double millis = (date.Serial() - UnixEpochSerial) * MillisPerDay + 3 * 3600000.0;
    c->setTime(millis, err);
    LunarDate lunar;
    lunar.month = c->get(UCAL_MONTH, err) + 1;
    lunar.leap = c->get(UCAL_IS_LEAP_MONTH, err) != 0;
    lunar.day = c->get(UCAL_DATE, err);
    if (U_FAILURE(err)) {
        return std::nullopt;
    }
    return lunar;
}

std::optional<QString> Of(Date date)
{
    static const char16_t* const Names[] = {u"大安", u"赤口", u"先勝", u"友引", u"先負", u"仏滅"};
    const auto lunar = Lunar(date);
    if (!lunar) {
        return std::nullopt;
    }
    return QString::fromUtf16(Names[(lunar->month + lunar->day) % 6]);
}

} // namespace Rokuyo
