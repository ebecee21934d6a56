// The era year box over any era table: years switched between eras, dates read from the three boxes and the
// year shown for a day. The input is text, one item a line:
//   era offsets separated by commas (an empty line keeps the five built-in eras)
//   the era of the year box and the era switched to, separated by a space
//   year box, month box, day box
//   a day as "yyyy/m/d" whose year box text is shown
#include <QStringList>

#include "FuzzSupport.h"
#include "app/basCalendar.h"
#include "app/basParam.h"
#include "platform/core/Numeric.h"

namespace {

// An era index or offset as the input gives it; out-of-range numbers are kept, they are part of the test.
qint32 Number(const QString& text)
{
    const auto n = Numeric::ParseDecimal(text);
    return n ? Numeric::ToInt32(*n).value_or(0) : 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QStringList lines = InputText(data, size).split(QLatin1Char('\n'));
    while (lines.size() < 4) {
        lines << QString();
    }
    basParam::ResetForTests();
    if (lines[0].trimmed().isEmpty()) {
        basParam::SetDefaultEras();
    } else {
        for (const QString& offset : lines[0].split(QLatin1Char(','))) {
            (void)basParam::AddEra(QStringLiteral("元号"), Number(offset));
        }
    }
    const QStringList eras = lines[1].split(QLatin1Char(' '));
    const int from = Number(eras.value(0));
    const int to = Number(eras.value(1));
    const QStringList boxes = lines[2].split(QLatin1Char(','));
    const QString year = boxes.value(0);

    if (const auto switched = basCalendar::SwitchEraYear(year, from, to)) {
        // Switching back gives the number the box held (rounded as the box reads it).
        const auto same = basCalendar::SwitchEraYear(year, from, from);
        FUZZ_CHECK(same);
        FUZZ_CHECK(basCalendar::SwitchEraYear(*switched, to, from) == same);
    }
    if (const auto date = basCalendar::ReadEraDate(year, boxes.value(1), boxes.value(2), from)) {
        FUZZ_CHECK(date->Serial() >= Date::MinSerial && date->Serial() <= Date::MaxSerial);
        (void)basCalendar::YearBoxText(*date, from);
    }
    if (const auto shown = ParseDate(lines[3])) {
        const QString text = basCalendar::YearBoxText(*shown, to);
        FUZZ_CHECK(!text.isEmpty());
    }
    return 0;
}
