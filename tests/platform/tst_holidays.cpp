// The holiday calendar's own rules on the years that show them, and 六曜 where the lunar calendar is hard.
#include <QtTest>

#include "platform/core/Holidays.h"
#include "platform/core/Rokuyo.h"

namespace {

Date D(int y, int m, int d)
{
    return *Date::FromYmd(y, m, d);
}

} // namespace

class TestHolidays : public QObject
{
    Q_OBJECT
private slots:
    void days_data();
    void days();
    void yearsItCannotKnow();
    void equinoxes();
    void rokuyo_data();
    void rokuyo();
};

void TestHolidays::days_data()
{
    QTest::addColumn<Date>("day");
    QTest::addColumn<QString>("name"); // empty: an ordinary day
    auto row
        = [](const char* why, Date day, const char* name) { QTest::newRow(why) << day << QString::fromUtf8(name); };
    // Substitute holidays: from 1973-04-12 the Monday after; from 2007 the first day that is no holiday.
    row("Sunday holiday before substitutes existed", D(1973, 2, 12), "");
    row("first substitute holiday", D(1973, 4, 30), "振替休日");
    row("substitute where a rest day would be", D(1987, 5, 4), "振替休日");
    row("substitute after two holidays (2007 rule)", D(2008, 5, 6), "振替休日");
    row("substitute after the moved mountain day", D(2021, 8, 9), "振替休日");
    row("substitute after the new emperor's birthday", D(2025, 2, 24), "振替休日");
    // Days between two holidays: from 1985-12-27, until 2006 never a Sunday.
    row("between two holidays, a Sunday, 1986", D(1986, 5, 4), "");
    row("between two holidays, 1988", D(1988, 5, 4), "国民の休日");
    row("silver week 2009", D(2009, 9, 22), "国民の休日");
    row("silver week 2026", D(2026, 9, 22), "国民の休日");
    row("before the enthronement", D(2019, 4, 30), "国民の休日");
    row("after the enthronement", D(2019, 5, 2), "国民の休日");
    // One-off days.
    row("crown prince's wedding 1959", D(1959, 4, 10), "皇太子明仁親王の結婚の儀");
    row("state funeral 1989", D(1989, 2, 24), "昭和天皇の大喪の礼");
    row("enthronement ceremony 1990", D(1990, 11, 12), "即位礼正殿の儀");
    row("crown prince's wedding 1993", D(1993, 6, 9), "皇太子徳仁親王の結婚の儀");
    row("enthronement 2019", D(2019, 5, 1), "天皇の即位の日");
    row("enthronement ceremony 2019", D(2019, 10, 22), "即位礼正殿の儀");
    // Names and moves of the law's days.
    row("no emperor's birthday in 2019", D(2019, 12, 23), "");
    row("emperor's birthday from 2020", D(2020, 2, 23), "天皇誕生日");
    row("greenery day on 4/29 until 2006", D(2006, 4, 29), "みどりの日");
    row("showa day from 2007", D(2007, 4, 29), "昭和の日");
    row("sports day moved for 2020", D(2020, 7, 24), "スポーツの日");
    row("sports day moved for 2021", D(2021, 7, 23), "スポーツの日");
    row("marine day moved for 2021", D(2021, 7, 22), "海の日");
    row("sports day, second Monday", D(2026, 10, 12), "スポーツの日");
    row("health-sports day before 2000", D(1999, 10, 10), "体育の日");
    row("coming-of-age day, second Monday", D(2026, 1, 12), "成人の日");
    row("national foundation day's first year", D(1967, 2, 11), "建国記念の日");
    row("no national foundation day in 1966", D(1966, 2, 11), "");
    row("the law's first holiday", D(1948, 9, 23), "秋分の日");
    row("new year before the law was in force", D(1948, 1, 1), "");
    row("an ordinary day", D(2026, 12, 7), "");
}

void TestHolidays::days()
{
    QFETCH(Date, day);
    QFETCH(QString, name);
    QCOMPARE(Holidays::NameOf(day), std::optional<QString>(name));
}

void TestHolidays::yearsItCannotKnow()
{
    for (const int year : {1, 1900, 1947, 2100, 9999}) {
        QVERIFY2(!Holidays::OfYear(year), qPrintable(QString::number(year)));
        QVERIFY(!Holidays::NameOf(D(year, 1, 1)));
    }
    QVERIFY(Holidays::OfYear(Holidays::FirstYear));
    QVERIFY(Holidays::OfYear(Holidays::LastYear));
    QCOMPARE(Holidays::OfYear(2026)->size(), 18);
}

void TestHolidays::equinoxes()
{
    const struct
    {
        int year, vernal, autumnal;
    } known[] = {{1900, 21, 23}, {1978, 21, 23}, {1979, 21, 24}, {2012, 20, 22}, {2024, 20, 22}, {2099, 20, 23}};
    for (const auto& k : known) {
        QCOMPARE(Holidays::VernalEquinoxDay(k.year), k.vernal);
        QCOMPARE(Holidays::AutumnalEquinoxDay(k.year), k.autumnal);
    }
    QVERIFY(!Holidays::VernalEquinoxDay(1899));
    QVERIFY(!Holidays::AutumnalEquinoxDay(2100));
}

void TestHolidays::rokuyo_data()
{
    QTest::addColumn<Date>("day");
    QTest::addColumn<int>("month");
    QTest::addColumn<bool>("leap");
    QTest::addColumn<int>("lunarDay");
    QTest::addColumn<QString>("rokuyo");
    auto row = [](const char* why, Date day, int month, bool leap, int lunarDay, const char* rokuyo) {
        QTest::newRow(why) << day << month << leap << lunarDay << QString::fromUtf8(rokuyo);
    };
    row("lunar new year 2024", D(2024, 2, 10), 1, false, 1, "先勝");
    row("lunar new year 2025", D(2025, 1, 29), 1, false, 1, "先勝");
    row("lunar new year 2026", D(2026, 2, 17), 1, false, 1, "先勝");
    // The new moon falls after midnight at UTC+9 but before it in China: Japan's new year is a day later.
    row("lunar new year 2027", D(2027, 2, 7), 1, false, 1, "先勝");
    row("leap fourth month 2020", D(2020, 5, 23), 4, true, 1, "仏滅");
    row("after the leap month 2020", D(2020, 6, 21), 5, false, 1, "大安");
    row("leap second month 2023", D(2023, 3, 22), 2, true, 1, "友引");
    row("eleventh month 2033", D(2033, 11, 22), 11, false, 1, "大安");
    row("leap eleventh month 2033", D(2033, 12, 22), 11, true, 1, "大安");
    row("twelfth month 2034", D(2034, 1, 20), 12, false, 1, "赤口");
}

void TestHolidays::rokuyo()
{
    QFETCH(Date, day);
    QFETCH(int, month);
    QFETCH(bool, leap);
    QFETCH(int, lunarDay);
    QFETCH(QString, rokuyo);
    const auto lunar = Rokuyo::Lunar(day);
    QVERIFY(lunar);
    QCOMPARE(lunar->month, month);
    QCOMPARE(lunar->leap, leap);
    QCOMPARE(lunar->day, lunarDay);
    QCOMPARE(Rokuyo::Of(day), std::optional<QString>(rokuyo));
}

QTEST_GUILESS_MAIN(TestHolidays)
#include "tst_holidays.moc"
