#include "basCalendar.h"

#include "app/basParam.h"
#include "platform/core/JapaneseCalendar.h"
#include "platform/core/Numeric.h"

namespace {

// A box number as a whole number; boxes take digits only, but a hand-edited value may hold anything.
std::optional<qint64> BoxNumber(const QString& text)
{
    const auto n = Numeric::ParseDecimal(text);
    if (!n || *n < -1e15 || *n > 1e15) {
        return std::nullopt;
    }
    return static_cast<qint64>(Numeric::RoundHalfEven(*n));
}

} // namespace

namespace basCalendar {

QString FormatDate(Date date, DatePattern pattern)
{
    const QDate d = date.ToQDate();
    switch (pattern) {
        case DatePattern::YyyyMD:
            return FormatYmd(date);
        case DatePattern::YyMD:
            return QStringLiteral("%1/%2/%3").arg(d.year() % 100, 2, 10, QLatin1Char('0')).arg(d.month()).arg(d.day());
        case DatePattern::GeMD:
            if (const auto label = JapaneseCalendar::EraLabel(date)) {
                return *label;
            }
            return FormatDate(date, DatePattern::YyMD);
        case DatePattern::MD:
            return QStringLiteral("%1/%2").arg(d.month()).arg(d.day());
        case DatePattern::Yyyy:
            return QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'));
        case DatePattern::M:
            return QString::number(d.month());
        case DatePattern::D:
            return QString::number(d.day());
    }
    return QString();
}

DatePattern GraphDatePattern()
{
    return basParam::GetParam(SettingKey::Calendar).AsInt() == 0 ? DatePattern::YyMD : DatePattern::GeMD;
}

QString YearBoxText(Date date, int eraIndex)
{
    return Numeric::IntText(static_cast<qint64>(date.Year()) - basParam::EraOffset(eraIndex));
}

std::optional<QString> SwitchEraYear(const QString& yearText, int fromEra, int toEra)
{
    const auto number = BoxNumber(yearText);
    if (!number) {
        return std::nullopt;
    }
    const qint64 gregorian = *number + basParam::EraOffset(fromEra);
    // The Gregorian year is held in 16 bits, as the year box always has been.
    if (gregorian < -32768 || gregorian > 32767) {
        return std::nullopt;
    }
    return Numeric::IntText(gregorian - basParam::EraOffset(toEra));
}

std::optional<Date> ReadEraDate(const QString& yearText, const QString& monthText, const QString& dayText, int eraIndex)
{
    const auto number = BoxNumber(yearText);
    if (!number || monthText.trimmed().isEmpty() || dayText.trimmed().isEmpty()) {
        return std::nullopt;
    }
    const qint64 year = *number + basParam::EraOffset(eraIndex);
    return ParseDate(Numeric::IntText(year) + QLatin1Char('/') + monthText + QLatin1Char('/') + dayText);
}

} // namespace basCalendar
