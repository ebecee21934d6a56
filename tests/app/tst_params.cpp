// The settings store: keys, tags, conversions, and the two shared lists.
#include <QtTest>

#include "../TestSupport.h"
#include "app/basParam.h"
#include "app/basSettings.h"

using namespace basParam;

class TestParams : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { ResetAllState(); }
    void keysAreExactAndCaseSensitive_data();
    void keysAreExactAndCaseSensitive();
    void beforeLoadingEverythingIsZero();
    void setParamConverts_data();
    void setParamConverts();
    void setParamFailureKeepsValue_data();
    void setParamFailureKeepsValue();
    void unknownKeyIsIgnored();
    void returnedTextIsACopy();
    void displayList();
    void displayListLimit();
    void eraTable();
};

void TestParams::keysAreExactAndCaseSensitive_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("known");
    QTest::newRow("DispPeriod") << "DispPeriod" << true;
    QTest::newRow("lower case") << "dispperiod" << false;
    QTest::newRow("upper case") << "DISPPERIOD" << false;
    QTest::newRow("trailing space") << "DispPeriod " << false;
    QTest::newRow("AlwayTop as spelled") << "AlwayTop" << true;
    QTest::newRow("AlwaysTop misspelled") << "AlwaysTop" << false;
    QTest::newRow("empty") << "" << false;
}

void TestParams::keysAreExactAndCaseSensitive()
{
    QFETCH(QString, key);
    QFETCH(bool, known);
    basSettings::LoadSettingsFromBytes(QByteArray());
    QCOMPARE(!GetParam(key).IsEmpty(), known);
    if (key == QLatin1String("DispPeriod")) {
        QCOMPARE(GetParam(key), ParamValue::FromInt16(15));
    }
}

void TestParams::beforeLoadingEverythingIsZero()
{
    QCOMPARE(ParamKeys().size(), 30);
    for (const QString& key : ParamKeys()) {
        const ParamValue v = GetParam(key);
        QCOMPARE(v.GetKind(), ParamKind(key));
        QCOMPARE(v.AsInt(), 0);
        QVERIFY(!v.AsBool());
    }
    QCOMPARE(GetParam("GraphForeColor").AsText(), QString());
    QCOMPARE(DisplayCount(), qint16(0));
    QCOMPARE(EraCount(), qint16(0));
}

void TestParams::setParamConverts_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<ParamValue>("given");
    QTest::addColumn<ParamValue>("stored");
    QTest::newRow("text to 16-bit") << "DispPeriod" << ParamValue::FromText("20") << ParamValue::FromInt16(20);
    QTest::newRow("halves to even") << "DispPeriod" << ParamValue::FromText("20.5") << ParamValue::FromInt16(20);
    QTest::newRow("32-bit to 16-bit") << "LineWidth" << ParamValue::FromInt32(3) << ParamValue::FromInt16(3);
    QTest::newRow("no range check") << "PrintRate" << ParamValue::FromInt32(500) << ParamValue::FromInt32(500);
    QTest::newRow("geometry is 32-bit") << "GraphWidth" << ParamValue::FromText("70000")
                                        << ParamValue::FromInt32(70000);
    QTest::newRow("True text") << "AlwayTop" << ParamValue::FromText("True") << ParamValue::FromBool(true);
    QTest::newRow("number to Boolean") << "DayLine" << ParamValue::FromInt16(0) << ParamValue::FromBool(false);
    QTest::newRow("Boolean to text") << "DelimChar" << ParamValue::FromBool(true) << ParamValue::FromText("True");
    QTest::newRow("number to colour text") << "GraphForeColor" << ParamValue::FromInt32(5) << ParamValue::FromText("5");
    QTest::newRow("date from text") << "DispDay" << ParamValue::FromText("2001/12/5")
                                    << ParamValue::FromDate(*Date::FromYmd(2001, 12, 5));
    QTest::newRow("date from date") << "DispDay" << ParamValue::FromDate(*Date::FromYmd(1989, 1, 8))
                                    << ParamValue::FromDate(*Date::FromYmd(1989, 1, 8));
}

void TestParams::setParamConverts()
{
    QFETCH(QString, key);
    QFETCH(ParamValue, given);
    QFETCH(ParamValue, stored);
    QCOMPARE(SetParam(key, given), AppError::None);
    QCOMPARE(GetParam(key), stored);
}

void TestParams::setParamFailureKeepsValue_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<ParamValue>("given");
    QTest::addColumn<int>("error");
    QTest::newRow("not a number") << "DispPeriod" << ParamValue::FromText("abc") << int(AppError::Conversion);
    QTest::newRow("16-bit overflow") << "DispPeriod" << ParamValue::FromInt32(40000) << int(AppError::Overflow);
    QTest::newRow("16-bit overflow as text") << "MultiNum" << ParamValue::FromText("40000") << int(AppError::Overflow);
    QTest::newRow("32-bit overflow") << "PrintRate" << ParamValue::FromText("9999999999") << int(AppError::Overflow);
    QTest::newRow("February 30") << "DispDay" << ParamValue::FromText("2001/2/30") << int(AppError::Conversion);
    QTest::newRow("empty day") << "DispDay" << ParamValue::FromText("2001/2/") << int(AppError::Conversion);
    QTest::newRow("not a Boolean") << "TaskTray" << ParamValue::FromText("maybe") << int(AppError::Conversion);
}

void TestParams::setParamFailureKeepsValue()
{
    QFETCH(QString, key);
    QFETCH(ParamValue, given);
    QFETCH(int, error);
    basSettings::LoadSettingsFromBytes(QByteArray());
    const ParamValue before = GetParam(key);
    QCOMPARE(int(SetParam(key, given)), error);
    QCOMPARE(GetParam(key), before);
}

void TestParams::unknownKeyIsIgnored()
{
    basSettings::LoadSettingsFromBytes(QByteArray());
    const QByteArray before = basSettings::SettingsFileBytes();
    QCOMPARE(SetParam("NoSuchKey", 5), AppError::None);
    QCOMPARE(SetParam("dispperiod", 20), AppError::None);
    QCOMPARE(basSettings::SettingsFileBytes(), before);
    QVERIFY(GetParam("NoSuchKey").IsEmpty());
}

void TestParams::returnedTextIsACopy()
{
    SetParam("DelimChar", QStringLiteral(","));
    QString t = GetParam("DelimChar").AsText();
    t += QLatin1String("x");
    QCOMPARE(GetParam("DelimChar").AsText(), QStringLiteral(","));
}

void TestParams::displayList()
{
    const Date a = *Date::FromYmd(1965, 4, 3);
    const Date b = *Date::FromYmd(1970, 11, 23);
    QCOMPARE(AddDisplayPerson(QStringLiteral("山田花子"), a), AppError::None);
    QCOMPARE(AddDisplayPerson(QStringLiteral("鈴木一郎"), b), AppError::None);
    QCOMPARE(DisplayCount(), qint16(2));
    QCOMPARE(DisplayName(1), QStringLiteral("山田花子"));
    QCOMPARE(DisplayBirthDay(2), b);
    // Outside the list: nothing, never a crash.
    QCOMPARE(DisplayName(0), QString());
    QCOMPARE(DisplayName(3), QString());
    ClearDisplayList();
    QCOMPARE(DisplayCount(), qint16(0));
}

void TestParams::displayListLimit()
{
    for (int i = 0; i < MaxDisplayCount; ++i) {
        AddDisplayPerson(QStringLiteral("p"), Date());
    }
    QCOMPARE(DisplayCount(), qint16(32767));
    QCOMPARE(AddDisplayPerson(QStringLiteral("one too many"), Date()), AppError::Overflow);
    QCOMPARE(DisplayCount(), qint16(32767));
    QCOMPARE(DisplayName(32767), QStringLiteral("p"));
}

void TestParams::eraTable()
{
    SetDefaultEras();
    QCOMPARE(EraCount(), qint16(6));
    QCOMPARE(EraName(0), QStringLiteral("西暦"));
    QCOMPARE(EraOffset(0), 0);
    QCOMPARE(EraName(4), QStringLiteral("平成"));
    QCOMPARE(EraOffset(4), 1988);
    QCOMPARE(EraName(5), QStringLiteral("令和"));
    QCOMPARE(EraOffset(5), 2018);
    QCOMPARE(AddEra(QStringLiteral("次"), 2100), AppError::None);
    QCOMPARE(EraCount(), qint16(7));
    QCOMPARE(EraName(7), QString());
    QCOMPARE(EraOffset(-1), 0);
}

QTEST_GUILESS_MAIN(TestParams)
#include "tst_params.moc"
