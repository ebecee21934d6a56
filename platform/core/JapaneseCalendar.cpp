#include "JapaneseCalendar.h"

#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <memory>

namespace {

// Serial day count of 1970-01-01, the epoch ICU counts from.
constexpr double UnixEpochSerial = 25569.0;
constexpr double MillisPerDay = 86400000.0;

icu::SimpleDateFormat* Formatter()
{
    thread_local std::unique_ptr<icu::SimpleDateFormat> formatter = [] {
        UErrorCode err = U_ZERO_ERROR;
        auto f = std::make_unique<icu::SimpleDateFormat>(
            icu::UnicodeString(u"GGGGGy/M/d"), icu::Locale("en@calendar=japanese"), err);
        if (U_FAILURE(err)) {
            return std::unique_ptr<icu::SimpleDateFormat>();
        }
        // The day is fixed in GMT so the machine's time zone never moves it.
        f->adoptTimeZone(icu::TimeZone::getGMT()->clone());
        return f;
    }();
    return formatter.get();
}

} // namespace

namespace JapaneseCalendar {

std::optional<QString> EraLabel(Date date)
{
    icu::SimpleDateFormat* f = Formatter();
    if (!f) {
        return std::nullopt;
    }
    // Noon of the day, far from any boundary.
    const UDate instant = (static_cast<double>(date.Serial()) - UnixEpochSerial) * MillisPerDay + MillisPerDay / 2;
    icu::UnicodeString out;
    f->format(instant, out);
    const QString text = QString(reinterpret_cast<const QChar*>(out.getBuffer()), out.length());
    // Before Meiji ICU names the era in full ("Keiō"): no single era letter, no label.
    if (text.size() < 2 || text[0] < QLatin1Char('A') || text[0] > QLatin1Char('Z') || !text[1].isDigit()) {
        return std::nullopt;
    }
    return text;
}

} // namespace JapaneseCalendar
