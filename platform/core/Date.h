#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>

/// A calendar day, held as the count of days since 30 December 1899 (day 0, the "zero date").
/// Days run from 1 January 100 to 31 December 9999, the span the people file and the settings file can hold.
class Date
{
public:
    static constexpr qint32 MinSerial = -657434; // 100-01-01
    static constexpr qint32 MaxSerial = 2958465; // 9999-12-31

    Date() = default;

    /// The day with this count; nothing outside the supported span.
    static std::optional<Date> FromSerial(qint64 serial);
    /// The day of a stored 8-byte day count; a fraction of a day is dropped toward zero. Nothing for
    /// not-a-number, infinities and counts outside the supported span.
    static std::optional<Date> FromStoredDouble(double value);
    /// The day of a Gregorian year, month and day; nothing for an impossible day.
    static std::optional<Date> FromYmd(int year, int month, int day);
    static std::optional<Date> FromQDate(const QDate& date);

    qint32 Serial() const { return m_serial; }
    double ToStoredDouble() const { return static_cast<double>(m_serial); }
    QDate ToQDate() const;
    int Year() const { return ToQDate().year(); }
    int Month() const { return ToQDate().month(); }
    int Day() const { return ToQDate().day(); }

    /// The day n days later (earlier for negative n); nothing when it leaves the supported span.
    std::optional<Date> AddDays(qint64 n) const { return FromSerial(static_cast<qint64>(m_serial) + n); }

    friend qint32 operator-(Date a, Date b) { return a.m_serial - b.m_serial; }
    friend bool operator==(Date a, Date b) { return a.m_serial == b.m_serial; }
    friend bool operator!=(Date a, Date b) { return a.m_serial != b.m_serial; }
    friend bool operator<(Date a, Date b) { return a.m_serial < b.m_serial; }

private:
    explicit Date(qint32 serial)
        : m_serial(serial)
    {
    }
    qint32 m_serial = 0;
};

/// The general date reader: year, month and day in that order, separated by "/" (or "-"), spaces allowed
/// around the whole text and around each number. Leading zeros are allowed. A year of one or two digits is
/// taken as 2000 to 2029 (00 to 29) or 1930 to 1999 (30 to 99); a year of three or four digits is taken as
/// written and must be 100 or later. Impossible days (2001/2/30, month 13) are refused.
std::optional<Date> ParseDate(QStringView text);

/// "yyyy/m/d": the year with four digits, month and day without leading zeros.
QString FormatYmd(Date date);
