#include "Holidays.h"

#include <QDate>
#include <QHash>
#include <QMutex>

#include <algorithm>
#include <map>

namespace {

// Days of the week as QDate counts them.
constexpr int Monday = 1;
constexpr int Saturday = 6;
constexpr int Sunday = 7;

Date Ymd(int year, int month, int day)
{
    return *Date::FromYmd(year, month, day);
}

// The n-th Monday of a month (Happy Monday days).
Date NthMonday(int year, int month, int n)
{
    const QDate first(year, month, 1);
    const int offset = (Monday - first.dayOfWeek() + 7) % 7;
    return Ymd(year, month, 1 + offset + 7 * (n - 1));
}

// The approximation counts from the 1980 equinox and steps back a day each leap year; integer division
// truncates toward zero, as the formula has always been computed.
int EquinoxDay(int year, double base1900, double base1980)
{
    const double drift = 0.242194 * (year - 1980);
    if (year <= 1979) {
        return static_cast<int>(base1900 + drift - (year - 1983) / 4);
    }
    return static_cast<int>(base1980 + drift - (year - 1980) / 4);
}

// The days the law names, before substitute holidays and the days between holidays are added.
std::map<qint32, QString> NamedDays(int year)
{
    std::map<qint32, QString> days;
    const Date lawInForce = Ymd(1948, 7, 20);
    auto add = [&](Date day, const char* name) {
        if (!(day < lawInForce)) {
            days[day.Serial()] = QString::fromUtf8(name);
        }
    };
    add(Ymd(year, 1, 1), "元日");
    add(year <= 1999 ? Ymd(year, 1, 15) : NthMonday(year, 1, 2), "成人の日");
    if (year >= 1967) {
        add(Ymd(year, 2, 11), "建国記念の日");
    }
    if (year >= 2020) {
        add(Ymd(year, 2, 23), "天皇誕生日");
    }
    add(Ymd(year, 3, *Holidays::VernalEquinoxDay(year)), "春分の日");
    if (year <= 1988) {
        add(Ymd(year, 4, 29), "天皇誕生日");
    } else if (year <= 2006) {
        add(Ymd(year, 4, 29), "みどりの日");
    } else {
        add(Ymd(year, 4, 29), "昭和の日");
    }
    add(Ymd(year, 5, 3), "憲法記念日");
    if (year >= 2007) {
        add(Ymd(year, 5, 4), "みどりの日");
    }
    add(Ymd(year, 5, 5), "こどもの日");
    if (year == 2020) {
        add(Ymd(year, 7, 23), "海の日");
    } else if (year == 2021) {
        add(Ymd(year, 7, 22), "海の日");
    } else if (year >= 2003) {
        add(NthMonday(year, 7, 3), "海の日");
    } else if (year >= 1996) {
        add(Ymd(year, 7, 20), "海の日");
    }
    if (year == 2020) {
        add(Ymd(year, 8, 10), "山の日");
    } else if (year == 2021) {
        add(Ymd(year, 8, 8), "山の日");
    } else if (year >= 2016) {
        add(Ymd(year, 8, 11), "山の日");
    }
    if (year >= 2003) {
        add(NthMonday(year, 9, 3), "敬老の日");
    } else if (year >= 1966) {
        add(Ymd(year, 9, 15), "敬老の日");
    }
    add(Ymd(year, 9, *Holidays::AutumnalEquinoxDay(year)), "秋分の日");
    if (year == 2020) {
        add(Ymd(year, 7, 24), "スポーツの日");
    } else if (year == 2021) {
        add(Ymd(year, 7, 23), "スポーツの日");
    } else if (year >= 2022) {
        add(NthMonday(year, 10, 2), "スポーツの日");
    } else if (year >= 2000) {
        add(NthMonday(year, 10, 2), "体育の日");
    } else if (year >= 1966) {
        add(Ymd(year, 10, 10), "体育の日");
    }
    add(Ymd(year, 11, 3), "文化の日");
    add(Ymd(year, 11, 23), "勤労感謝の日");
    if (year >= 1989 && year <= 2018) {
        add(Ymd(year, 12, 23), "天皇誕生日");
    }
    // Days set by laws of their own.
    static const struct
    {
        int year, month, day;
        const char* name;
    } OneOff[] = {
        {1959, 4, 10, "皇太子明仁親王の結婚の儀"},
        {1989, 2, 24, "昭和天皇の大喪の礼"},
        {1990, 11, 12, "即位礼正殿の儀"},
        {1993, 6, 9, "皇太子徳仁親王の結婚の儀"},
        {2019, 5, 1, "天皇の即位の日"},
        {2019, 10, 22, "即位礼正殿の儀"},
    };
    for (const auto& d : OneOff) {
        if (d.year == year) {
            add(Ymd(d.year, d.month, d.day), d.name);
        }
    }
    return days;
}

QList<Holidays::Holiday> Compute(int year)
{
    const std::map<qint32, QString> named = NamedDays(year);
    // The named days and the days off they give within the year: no named day falls on 12/31, so none gives
    // a day off in the next year.
    std::map<qint32, QString> all = named;
    auto isNamed = [&](qint32 serial) { return named.count(serial) > 0; };
    auto weekday = [](qint32 serial) { return Date::FromSerial(serial)->ToQDate().dayOfWeek(); };

    // A named holiday on a Sunday gives the next day off: from 1973-04-12 that very Monday; from 2007 the
    // first following day that is no named holiday.
    const qint32 substituteFrom = Ymd(1973, 4, 12).Serial();
    const qint32 laterRule = Ymd(2007, 1, 1).Serial();
    for (const auto& [serial, name] : named) {
        if (serial < substituteFrom || weekday(serial) != Sunday) {
            continue;
        }
        qint32 next = serial + 1;
        if (serial >= laterRule) {
            while (isNamed(next)) {
                ++next;
            }
        } else if (isNamed(next)) {
            continue;
        }
        if (Date::FromSerial(next)->Year() == year) {
            all[next] = QStringLiteral("振替休日");
        }
    }
    // A day between two named holidays is a day off too (from 1985-12-27); until 2006 not when it is a
    // Sunday or already a substitute holiday.
    const qint32 restFrom = Ymd(1985, 12, 27).Serial();
    for (const auto& [serial, name] : named) {
        const qint32 between = serial + 1;
        if (between < restFrom || isNamed(between) || !isNamed(between + 1)) {
            continue;
        }
        if (between < laterRule && (weekday(between) == Sunday || all.count(between) > 0)) {
            continue;
        }
        if (all.count(between) == 0) {
            all[between] = QStringLiteral("国民の休日");
        }
    }
    QList<Holidays::Holiday> list;
    for (const auto& [serial, name] : all) {
        list.append({*Date::FromSerial(serial), name});
    }
    return list;
}

} // namespace

namespace Holidays {

std::optional<int> VernalEquinoxDay(int year)
{
    if (year < 1900 || year > 2099) {
        return std::nullopt;
    }
    return EquinoxDay(year, 20.8357, 20.8431);
}

std::optional<int> AutumnalEquinoxDay(int year)
{
    if (year < 1900 || year > 2099) {
        return std::nullopt;
    }
    return EquinoxDay(year, 23.2588, 23.2488);
}

std::optional<QList<Holiday>> OfYear(int year)
{
    if (year < FirstYear || year > LastYear) {
        return std::nullopt;
    }
    // A chart asks for the same few years again and again while it is drawn.
    static QMutex mutex;
    static QHash<int, QList<Holiday>> known;
    const QMutexLocker lock(&mutex);
    auto it = known.find(year);
    if (it == known.end()) {
        it = known.insert(year, Compute(year));
    }
    return *it;
}

Mark MarkOf(Date day)
{
    const int weekday = day.ToQDate().dayOfWeek();
    if (weekday == Sunday || !NameOf(day).value_or(QString()).isEmpty()) {
        return Mark::SundayOrHoliday;
    }
    return weekday == Saturday ? Mark::Saturday : Mark::Plain;
}

QString WeekdayAndHoliday(Date day)
{
    static const QString Weekdays = QStringLiteral("月火水木金土日");
    return QStringLiteral("（") + Weekdays.mid(day.ToQDate().dayOfWeek() - 1, 1) + QStringLiteral("）")
        + NameOf(day).value_or(QString());
}

std::optional<QString> NameOf(Date day)
{
    const auto year = OfYear(day.Year());
    if (!year) {
        return std::nullopt;
    }
    for (const Holiday& h : *year) {
        if (h.day == day) {
            return h.name;
        }
    }
    return QString();
}

} // namespace Holidays
