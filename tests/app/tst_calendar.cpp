// Years in eras and the date patterns of labels, lists and files.
#include <QtTest>

#include "../TestSupport.h"
#include "app/basCalendar.h"
#include "app/basParam.h"

using namespace basCalendar;

class TestCalendar : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        ResetAllState();
        basParam::SetDefaultEras();
    }
    void patterns_data();
    void patterns();
    void graphPatternFollowsCalendar();
    void yearBoxText_data();
    void yearBoxText();
    void switchEra_data();
    void switchEra();
    void readEraDate_data();
    void readEraDate();
    void addedEraWorksEverywhere();
};

void TestCalendar::patterns_data()
{
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("pattern");
    QTest::addColumn<QString>("text");
    const int full = int(DatePattern::YyyyMD);
    const int shortYear = int(DatePattern::YyMD);
    const int era = int(DatePattern::GeMD);
    QTest::newRow("yyyy/m/d") << 2001 << 12 << 5 << full << "2001/12/5";
    QTest::newRow("yyyy/m/d old") << 1899 << 12 << 30 << full << "1899/12/30";
    QTest::newRow("yy/m/d pads year") << 2001 << 2 << 5 << shortYear << "01/2/5";
    QTest::newRow("yy/m/d 1965") << 1965 << 4 << 3 << shortYear << "65/4/3";
    QTest::newRow("ge/m/d Heisei") << 2001 << 12 << 5 << era << "H13/12/5";
    QTest::newRow("ge/m/d Showa end") << 1989 << 1 << 7 << era << "S64/1/7";
    QTest::newRow("ge/m/d Heisei start") << 1989 << 1 << 8 << era << "H1/1/8";
    QTest::newRow("ge/m/d Reiwa start") << 2019 << 5 << 1 << era << "R1/5/1";
    QTest::newRow("ge/m/d Heisei end") << 2019 << 4 << 30 << era << "H31/4/30";
    QTest::newRow("ge/m/d Taisho") << 1912 << 7 << 30 << era << "T1/7/30";
    QTest::newRow("ge/m/d before Meiji falls back") << 1800 << 3 << 4 << era << "00/3/4";
    QTest::newRow("m/d") << 2001 << 12 << 5 << int(DatePattern::MD) << "12/5";
    QTest::newRow("yyyy") << 2001 << 12 << 5 << int(DatePattern::Yyyy) << "2001";
    QTest::newRow("m") << 2001 << 2 << 5 << int(DatePattern::M) << "2";
    QTest::newRow("d") << 2001 << 2 << 5 << int(DatePattern::D) << "5";
}

void TestCalendar::patterns()
{
    QFETCH(int, y);
    QFETCH(int, m);
    QFETCH(int, d);
    QFETCH(int, pattern);
    QFETCH(QString, text);
    QCOMPARE(FormatDate(*Date::FromYmd(y, m, d), DatePattern(pattern)), text);
}

void TestCalendar::graphPatternFollowsCalendar()
{
    basParam::SetParam(SettingKey::Calendar, 0);
    QCOMPARE(GraphDatePattern(), DatePattern::YyMD);
    // Any era index gives the platform's era labels, whatever the table says.
    basParam::SetParam(SettingKey::Calendar, 2);
    QCOMPARE(GraphDatePattern(), DatePattern::GeMD);
}

void TestCalendar::yearBoxText_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("era");
    QTest::addColumn<QString>("text");
    QTest::newRow("Gregorian") << 2001 << 0 << "2001";
    QTest::newRow("Heisei 13") << 2001 << 4 << "13";
    QTest::newRow("Heisei 0") << 1988 << 4 << "0";
    QTest::newRow("before Heisei is negative") << 1970 << 4 << "-18";
    QTest::newRow("Showa 45") << 1970 << 3 << "45";
}

void TestCalendar::yearBoxText()
{
    QFETCH(int, year);
    QFETCH(int, era);
    QFETCH(QString, text);
    QCOMPARE(YearBoxText(*Date::FromYmd(year, 6, 1), era), text);
}

void TestCalendar::switchEra_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("result"); // empty: left as it is
    QTest::newRow("Showa 45 to Heisei") << "45" << 3 << 4 << "-18";
    QTest::newRow("Showa 45 to Gregorian") << "45" << 3 << 0 << "1970";
    QTest::newRow("1980 to Heisei") << "1980" << 0 << 4 << "-8";
    QTest::newRow("and back") << "-8" << 4 << 0 << "1980";
    QTest::newRow("same era") << "13" << 4 << 4 << "13";
    QTest::newRow("not a number") << "abc" << 0 << 4 << "";
    QTest::newRow("beyond 16 bits") << "31000" << 4 << 0 << "";
    QTest::newRow("huge") << "99999999999999999999" << 0 << 4 << "";
}

void TestCalendar::switchEra()
{
    QFETCH(QString, year);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, result);
    const auto got = SwitchEraYear(year, from, to);
    QCOMPARE(got.has_value(), !result.isEmpty());
    if (got) {
        QCOMPARE(*got, result);
    }
}

void TestCalendar::readEraDate_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::addColumn<int>("era");
    QTest::addColumn<QString>("date"); // empty: refused
    QTest::newRow("Heisei 13/12/5") << "13"
                                    << "12"
                                    << "5" << 4 << "2001/12/5";
    QTest::newRow("Showa 64 and Heisei 1 are one year") << "64"
                                                        << "1"
                                                        << "8" << 3 << "1989/1/8";
    QTest::newRow("Heisei 1") << "1"
                              << "1"
                              << "7" << 4 << "1989/1/7";
    QTest::newRow("Heisei 0") << "0"
                              << "5"
                              << "5" << 4 << "1988/5/5";
    QTest::newRow("Gregorian") << "2001"
                               << "12"
                               << "5" << 0 << "2001/12/5";
    QTest::newRow("empty day") << "2001"
                               << "12"
                               << "" << 0 << "";
    QTest::newRow("empty year") << ""
                                << "12"
                                << "5" << 0 << "";
    QTest::newRow("February 30") << "2001"
                                 << "2"
                                 << "30" << 0 << "";
    QTest::newRow("Heisei 12 February 29") << "12"
                                           << "2"
                                           << "29" << 4 << "2000/2/29";
}

void TestCalendar::readEraDate()
{
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(QString, day);
    QFETCH(int, era);
    QFETCH(QString, date);
    const auto got = ReadEraDate(year, month, day, era);
    QCOMPARE(got.has_value(), !date.isEmpty());
    if (got) {
        QCOMPARE(FormatYmd(*got), date);
    }
}

void TestCalendar::addedEraWorksEverywhere()
{
    basParam::AddEra(QStringLiteral("令和"), 2018);
    QCOMPARE(YearBoxText(*Date::FromYmd(2020, 1, 1), 5), QStringLiteral("2"));
    QCOMPARE(*SwitchEraYear("31", 4, 5), QStringLiteral("1"));
    QCOMPARE(FormatYmd(*ReadEraDate("1", "5", "1", 5)), QStringLiteral("2019/5/1"));
}

QTEST_GUILESS_MAIN(TestCalendar)
#include "tst_calendar.moc"
