#include "Date.h"

#include <QStringList>

#include <cmath>

namespace {

// QDate's Julian day of 1899-12-30, the zero date.
constexpr qint64 ZeroDateJulianDay = 2415019;

// Reads one field of digits with optional spaces around it; nothing when it holds anything else.
std::optional<int> ReadField(QStringView field, int* digitCount)
{
    const QStringView t = field.trimmed();
    if (t.isEmpty() || t.size() > 9) {
        return std::nullopt;
    }
    int value = 0;
    for (QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return std::nullopt;
        }
        value = value * 10 + (c.unicode() - '0');
    }
    *digitCount = static_cast<int>(t.size());
    return value;
}

} // namespace

std::optional<Date> Date::FromSerial(qint64 serial)
{
    if (serial < MinSerial || serial > MaxSerial) {
        return std::nullopt;
    }
    return Date(static_cast<qint32>(serial));
}

std::optional<Date> Date::FromStoredDouble(double value)
{
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double whole = std::trunc(value);
    if (whole < MinSerial || whole > MaxSerial) {
        return std::nullopt;
    }
    return Date(static_cast<qint32>(whole));
}

std::optional<Date> Date::FromYmd(int year, int month, int day)
{
    if (year < 100 || year > 9999) {
        return std::nullopt;
    }
    return FromQDate(QDate(year, month, day));
}

std::optional<Date> Date::FromQDate(const QDate& date)
{
    if (!date.isValid()) {
        return std::nullopt;
    }
    return FromSerial(date.toJulianDay() - ZeroDateJulianDay);
}

QDate Date::ToQDate() const
{
    return QDate::fromJulianDay(ZeroDateJulianDay + m_serial);
}

std::optional<Date> ParseDate(QStringView text)
{
    // Three fields split by "/" (or else by "-"), read where they stand: imports read one date per line.
    QChar separator = QLatin1Char('/');
    if (text.count(separator) != 2) {
        separator = QLatin1Char('-');
        if (text.count(separator) != 2) {
            return std::nullopt;
        }
    }
    const qsizetype first = text.indexOf(separator);
    const qsizetype second = text.indexOf(separator, first + 1);
    int yearDigits = 0;
    int unused = 0;
    const auto year = ReadField(text.left(first), &yearDigits);
    const auto month = ReadField(text.mid(first + 1, second - first - 1), &unused);
    const auto day = ReadField(text.mid(second + 1), &unused);
    if (!year || !month || !day) {
        return std::nullopt;
    }
    int y = *year;
    if (yearDigits <= 2) {
        y += y < 30 ? 2000 : 1900;
    }
    return Date::FromYmd(y, *month, *day);
}

QString FormatYmd(Date date)
{
    const QDate d = date.ToQDate();
    return QStringLiteral("%1/%2/%3").arg(d.year(), 4, 10, QLatin1Char('0')).arg(d.month()).arg(d.day());
}
