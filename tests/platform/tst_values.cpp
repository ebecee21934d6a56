// Numbers, dates and tagged values: the conversions every setting and every file goes through.
#include <QtTest>

#include <cmath>

#include "platform/core/Date.h"
#include "platform/core/JapaneseCalendar.h"
#include "platform/core/Numeric.h"
#include "platform/core/ParamValue.h"

Q_DECLARE_METATYPE(ParamValue)

class TestValues : public QObject
{
    Q_OBJECT
private slots:
    void roundHalfEven_data();
    void roundHalfEven();
    void parseDecimal_data();
    void parseDecimal();
    void dateSerials_data();
    void dateSerials();
    void storedDoubles();
    void parseDate_data();
    void parseDate();
    void formatYmdRoundTripsEveryDay();
    void paramValueToInteger_data();
    void paramValueToInteger();
    void paramValueToBool_data();
    void paramValueToBool();
    void paramValueToTextAndDate();
    void eraLabels_data();
    void eraLabels();
};

void TestValues::roundHalfEven_data()
{
    QTest::addColumn<double>("in");
    QTest::addColumn<double>("out");
    QTest::newRow("2.5 down") << 2.5 << 2.0;
    QTest::newRow("3.5 up") << 3.5 << 4.0;
    QTest::newRow("-2.5 to -2") << -2.5 << -2.0;
    QTest::newRow("-3.5 to -4") << -3.5 << -4.0;
    QTest::newRow("0.5 to 0") << 0.5 << 0.0;
    QTest::newRow("2.4999") << 2.4999 << 2.0;
    QTest::newRow("2.5001") << 2.5001 << 3.0;
    QTest::newRow("-0.4") << -0.4 << 0.0;
    QTest::newRow("1e9+0.5") << 1000000000.5 << 1000000000.0;
}

void TestValues::roundHalfEven()
{
    QFETCH(double, in);
    QFETCH(double, out);
    QCOMPARE(Numeric::RoundHalfEven(in), out);
}

void TestValues::parseDecimal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "20" << true << 20.0;
    QTest::newRow("spaces") << "  -3 " << true << -3.0;
    QTest::newRow("plus") << "+7" << true << 7.0;
    QTest::newRow("fraction") << "2.5" << true << 2.5;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("trailing point") << "4." << true << 4.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blank") << "   " << false << 0.0;
    QTest::newRow("sign only") << "-" << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("trailing junk") << "12x" << false << 0.0;
    QTest::newRow("inner space") << "1 2" << false << 0.0;
    QTest::newRow("comma decimal") << "2,5" << false << 0.0;
    QTest::newRow("exponent") << "1e3" << false << 0.0;
    QTest::newRow("full-width digits") << QStringLiteral("１２") << false << 0.0;
}

void TestValues::parseDecimal()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    const auto r = Numeric::ParseDecimal(text);
    QCOMPARE(r.has_value(), ok);
    if (ok) {
        QCOMPARE(*r, value);
    }
}

void TestValues::dateSerials_data()
{
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("serial");
    QTest::newRow("zero date") << 1899 << 12 << 30 << 0;
    QTest::newRow("day one") << 1899 << 12 << 31 << 1;
    QTest::newRow("1900-03-01") << 1900 << 3 << 1 << 61;
    QTest::newRow("unix epoch") << 1970 << 1 << 1 << 25569;
    QTest::newRow("2001-12-05") << 2001 << 12 << 5 << 37230;
    QTest::newRow("before zero") << 1899 << 12 << 29 << -1;
    QTest::newRow("first day") << 100 << 1 << 1 << Date::MinSerial;
    QTest::newRow("last day") << 9999 << 12 << 31 << Date::MaxSerial;
}

void TestValues::dateSerials()
{
    QFETCH(int, y);
    QFETCH(int, m);
    QFETCH(int, d);
    QFETCH(int, serial);
    const auto date = Date::FromYmd(y, m, d);
    QVERIFY(date);
    QCOMPARE(date->Serial(), serial);
    QCOMPARE(date->Year(), y);
    QCOMPARE(date->Month(), m);
    QCOMPARE(date->Day(), d);
}

void TestValues::storedDoubles()
{
    QCOMPARE(Date::FromStoredDouble(37230.0)->Serial(), 37230);
    QCOMPARE(Date::FromStoredDouble(37230.75)->Serial(), 37230);
    // A fraction before the zero date still belongs to the whole day it follows.
    QCOMPARE(Date::FromStoredDouble(-1.5)->Serial(), -1);
    QVERIFY(!Date::FromStoredDouble(std::nan("")));
    QVERIFY(!Date::FromStoredDouble(INFINITY));
    QVERIFY(!Date::FromStoredDouble(1e300));
    QVERIFY(!Date::FromStoredDouble(Date::MaxSerial + 1.0));
    QVERIFY(!Date::FromSerial(Date::MinSerial - 1));
    QVERIFY(!Date::FromYmd(99, 12, 31));
    QVERIFY(!Date::FromYmd(10000, 1, 1));
    QVERIFY(!Date().AddDays(Date::MaxSerial + 1));
}

void TestValues::parseDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // empty: refused
    QTest::newRow("written form") << "1965/4/3"
                                  << "1965/4/3";
    QTest::newRow("leading zeros") << "2001/02/05"
                                   << "2001/2/5";
    QTest::newRow("surrounding spaces") << "  1970/11/23 "
                                        << "1970/11/23";
    QTest::newRow("spaces inside") << "1970 / 11 / 23"
                                   << "1970/11/23";
    QTest::newRow("dashes") << "1970-11-23"
                            << "1970/11/23";
    QTest::newRow("leap day") << "2000/2/29"
                              << "2000/2/29";
    QTest::newRow("two-digit 29") << "29/1/1"
                                  << "2029/1/1";
    QTest::newRow("two-digit 30") << "30/1/1"
                                  << "1930/1/1";
    QTest::newRow("two-digit 45") << "45/6/7"
                                  << "1945/6/7";
    QTest::newRow("one-digit") << "5/6/7"
                               << "2005/6/7";
    QTest::newRow("zero date") << "1899/12/30"
                               << "1899/12/30";
    QTest::newRow("year 100") << "100/1/1"
                              << "0100/1/1";
    QTest::newRow("Feb 30") << "2001/2/30"
                            << "";
    QTest::newRow("not leap") << "1900/2/29"
                              << "";
    QTest::newRow("month 13") << "2001/13/1"
                              << "";
    QTest::newRow("month 0") << "2001/0/1"
                             << "";
    QTest::newRow("day 0") << "2001/1/0"
                           << "";
    QTest::newRow("three-digit below 100") << "099/1/1"
                                           << "";
    QTest::newRow("year 10000") << "10000/1/1"
                                << "";
    QTest::newRow("negative year") << "-5/1/1"
                                   << "";
    QTest::newRow("two fields") << "2001/12"
                                << "";
    QTest::newRow("four fields") << "2001/12/5/1"
                                 << "";
    QTest::newRow("empty field") << "2001//5"
                                 << "";
    QTest::newRow("letters") << "abc"
                             << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("huge number") << "2001/12/99999999999999999999"
                                 << "";
}

void TestValues::parseDate()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const auto d = ParseDate(text);
    QCOMPARE(d.has_value(), !expected.isEmpty());
    if (d) {
        QCOMPARE(FormatYmd(*d), expected);
    }
}

void TestValues::formatYmdRoundTripsEveryDay()
{
    // Every day the files can hold reads back as itself.
    for (qint64 s = Date::MinSerial; s <= Date::MaxSerial; s += 37) {
        const Date d = *Date::FromSerial(s);
        const auto back = ParseDate(FormatYmd(d));
        QVERIFY2(back && *back == d, qPrintable(FormatYmd(d)));
    }
}

void TestValues::paramValueToInteger_data()
{
    QTest::addColumn<ParamValue>("value");
    QTest::addColumn<bool>("fits16");
    QTest::addColumn<int>("as16");
    QTest::addColumn<bool>("fits32");
    QTest::addColumn<int>("as32");
    QTest::newRow("text 20") << ParamValue::FromText("20") << true << 20 << true << 20;
    QTest::newRow("text 2.5 even") << ParamValue::FromText("2.5") << true << 2 << true << 2;
    QTest::newRow("text 3.5 even") << ParamValue::FromText("3.5") << true << 4 << true << 4;
    QTest::newRow("text 40000") << ParamValue::FromText("40000") << false << 0 << true << 40000;
    QTest::newRow("text -32768") << ParamValue::FromText("-32768") << true << -32768 << true << -32768;
    QTest::newRow("text 32767.5") << ParamValue::FromText("32767.5") << false << 0 << true << 32768;
    QTest::newRow("text 3e9") << ParamValue::FromText("3000000000") << false << 0 << false << 0;
    QTest::newRow("text abc") << ParamValue::FromText("abc") << false << 0 << false << 0;
    QTest::newRow("text empty") << ParamValue::FromText("") << false << 0 << false << 0;
    QTest::newRow("bool true") << ParamValue::FromBool(true) << true << -1 << true << -1;
    QTest::newRow("int32 70000") << ParamValue::FromInt32(70000) << false << 0 << true << 70000;
    QTest::newRow("empty") << ParamValue() << true << 0 << true << 0;
}

void TestValues::paramValueToInteger()
{
    QFETCH(ParamValue, value);
    QFETCH(bool, fits16);
    QFETCH(int, as16);
    QFETCH(bool, fits32);
    QFETCH(int, as32);
    QCOMPARE(value.ToInt16().has_value(), fits16);
    if (fits16) {
        QCOMPARE(int(*value.ToInt16()), as16);
    }
    QCOMPARE(value.ToInt32().has_value(), fits32);
    if (fits32) {
        QCOMPARE(*value.ToInt32(), as32);
    }
}

void TestValues::paramValueToBool_data()
{
    QTest::addColumn<ParamValue>("value");
    QTest::addColumn<int>("expected"); // -1 refused, 0 false, 1 true
    QTest::newRow("True") << ParamValue::FromText("True") << 1;
    QTest::newRow("false any case") << ParamValue::FromText("fALSE") << 0;
    QTest::newRow("TRUE spaced") << ParamValue::FromText(" TRUE ") << 1;
    QTest::newRow("text 0") << ParamValue::FromText("0") << 0;
    QTest::newRow("text -1") << ParamValue::FromText("-1") << 1;
    QTest::newRow("text 7") << ParamValue::FromText("7") << 1;
    QTest::newRow("yes") << ParamValue::FromText("yes") << -1;
    QTest::newRow("empty text") << ParamValue::FromText("") << -1;
    QTest::newRow("int 0") << ParamValue::FromInt16(0) << 0;
    QTest::newRow("int 3") << ParamValue::FromInt32(3) << 1;
}

void TestValues::paramValueToBool()
{
    QFETCH(ParamValue, value);
    QFETCH(int, expected);
    const auto b = value.ToBool();
    QCOMPARE(b.has_value(), expected >= 0);
    if (b) {
        QCOMPARE(int(*b), expected);
    }
}

void TestValues::paramValueToTextAndDate()
{
    QCOMPARE(ParamValue::FromBool(true).ToText(), QStringLiteral("True"));
    QCOMPARE(ParamValue::FromBool(false).ToText(), QStringLiteral("False"));
    QCOMPARE(ParamValue::FromInt16(-120).ToText(), QStringLiteral("-120"));
    QCOMPARE(ParamValue().ToText(), QString());
    QCOMPARE(ParamValue::FromDate(*Date::FromYmd(1965, 4, 3)).ToText(), QStringLiteral("1965/4/3"));
    QCOMPARE(ParamValue::FromText("2001/12/5").ToDate()->Serial(), 37230);
    QVERIFY(!ParamValue::FromText("2001/2/30").ToDate());
    QVERIFY(!ParamValue::FromBool(true).ToDate());
    // The unchecked readers never fail.
    QCOMPARE(ParamValue::FromText("x").AsInt(), 0);
    QCOMPARE(ParamValue::FromText("x").AsDate(), Date());
    QVERIFY(ParamValue::FromText("a") == ParamValue::FromText("a"));
    QVERIFY(ParamValue::FromInt16(1) != ParamValue::FromInt32(1));
}

void TestValues::eraLabels_data()
{
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("d");
    QTest::addColumn<QString>("label"); // empty: none
    QTest::newRow("H13") << 2001 << 12 << 5 << "H13/12/5";
    QTest::newRow("last Showa day") << 1989 << 1 << 7 << "S64/1/7";
    QTest::newRow("first Heisei day") << 1989 << 1 << 8 << "H1/1/8";
    QTest::newRow("last Heisei day") << 2019 << 4 << 30 << "H31/4/30";
    QTest::newRow("first Reiwa day") << 2019 << 5 << 1 << "R1/5/1";
    QTest::newRow("Taisho starts") << 1912 << 7 << 30 << "T1/7/30";
    QTest::newRow("Meiji's last day") << 1912 << 7 << 29 << "M45/7/29";
    // The platform calendar's first Meiji day; before it the era has no letter.
    QTest::newRow("first Meiji day") << 1868 << 9 << 8 << "M1/9/8";
    QTest::newRow("before Meiji") << 1868 << 9 << 7 << "";
    QTest::newRow("zero date") << 1899 << 12 << 30 << "M32/12/30";
    QTest::newRow("far past") << 100 << 1 << 1 << "";
}

void TestValues::eraLabels()
{
    QFETCH(int, y);
    QFETCH(int, m);
    QFETCH(int, d);
    QFETCH(QString, label);
    const auto got = JapaneseCalendar::EraLabel(*Date::FromYmd(y, m, d));
    QCOMPARE(got.has_value(), !label.isEmpty());
    if (got) {
        QCOMPARE(*got, label);
    }
}

QTEST_GUILESS_MAIN(TestValues)
#include "tst_values.moc"
