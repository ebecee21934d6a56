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
    void changesAreAnnounced();
};

void TestParams::keysAreExactAndCaseSensitive_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("known");
    QTest::newRow("DispPeriod") << SettingKey::DispPeriod << true;
    QTest::newRow("lower case") << "dispperiod" << false;
    QTest::newRow("upper case") << "DISPPERIOD" << false;
    QTest::newRow("trailing space") << "DispPeriod " << false;
    QTest::newRow("AlwayTop as spelled") << SettingKey::AlwayTop << true;
    QTest::newRow("AlwaysTop misspelled") << "AlwaysTop" << false;
    QTest::newRow("empty") << "" << false;
}

void TestParams::keysAreExactAndCaseSensitive()
{
    QFETCH(QString, key);
    QFETCH(bool, known);
    basSettings::LoadSettingsFromBytes(QByteArray());
    QCOMPARE(!GetParam(key).IsEmpty(), known);
    if (key == SettingKey::DispPeriod) {
        QCOMPARE(GetParam(key), ParamValue::FromInt16(15));
    }
}

void TestParams::beforeLoadingEverythingIsZero()
{
    QCOMPARE(ParamKeys().size(), 31);
    for (const QString& key : ParamKeys()) {
        const ParamValue v = GetParam(key);
        QCOMPARE(v.GetKind(), ParamKind(key));
        QCOMPARE(v.AsInt(), 0);
        QVERIFY(!v.AsBool());
    }
    QCOMPARE(GetParam(SettingKey::GraphForeColor).AsText(), QString());
    QCOMPARE(DisplayCount(), qint16(0));
    QCOMPARE(EraCount(), qint16(0));
}

void TestParams::setParamConverts_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<ParamValue>("given");
    QTest::addColumn<ParamValue>("stored");
    QTest::newRow("text to 16-bit") << SettingKey::DispPeriod << ParamValue::FromText("20")
                                    << ParamValue::FromInt16(20);
    QTest::newRow("halves to even") << SettingKey::DispPeriod << ParamValue::FromText("20.5")
                                    << ParamValue::FromInt16(20);
    QTest::newRow("32-bit to 16-bit") << SettingKey::LineWidth << ParamValue::FromInt32(3) << ParamValue::FromInt16(3);
    QTest::newRow("no range check") << SettingKey::PrintRate << ParamValue::FromInt32(500)
                                    << ParamValue::FromInt32(500);
    QTest::newRow("geometry is 32-bit") << SettingKey::GraphWidth << ParamValue::FromText("70000")
                                        << ParamValue::FromInt32(70000);
    QTest::newRow("True text") << SettingKey::AlwayTop << ParamValue::FromText("True") << ParamValue::FromBool(true);
    QTest::newRow("number to Boolean") << SettingKey::DayLine << ParamValue::FromInt16(0)
                                       << ParamValue::FromBool(false);
    QTest::newRow("Boolean to text") << SettingKey::DelimChar << ParamValue::FromBool(true)
                                     << ParamValue::FromText("True");
    QTest::newRow("number to colour text")
        << SettingKey::GraphForeColor << ParamValue::FromInt32(5) << ParamValue::FromText("5");
    QTest::newRow("date from text") << SettingKey::DispDay << ParamValue::FromText("2001/12/5")
                                    << ParamValue::FromDate(*Date::FromYmd(2001, 12, 5));
    QTest::newRow("date from date") << SettingKey::DispDay << ParamValue::FromDate(*Date::FromYmd(1989, 1, 8))
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
    QTest::newRow("not a number") << SettingKey::DispPeriod << ParamValue::FromText("abc") << int(AppError::Conversion);
    QTest::newRow("16-bit overflow") << SettingKey::DispPeriod << ParamValue::FromInt32(40000)
                                     << int(AppError::Overflow);
    QTest::newRow("16-bit overflow as text")
        << SettingKey::MultiNum << ParamValue::FromText("40000") << int(AppError::Overflow);
    QTest::newRow("32-bit overflow") << SettingKey::PrintRate << ParamValue::FromText("9999999999")
                                     << int(AppError::Overflow);
    QTest::newRow("February 30") << SettingKey::DispDay << ParamValue::FromText("2001/2/30")
                                 << int(AppError::Conversion);
    QTest::newRow("empty day") << SettingKey::DispDay << ParamValue::FromText("2001/2/") << int(AppError::Conversion);
    QTest::newRow("not a Boolean") << SettingKey::TaskTray << ParamValue::FromText("maybe")
                                   << int(AppError::Conversion);
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
    SetParam(SettingKey::DelimChar, QStringLiteral(","));
    QString t = GetParam(SettingKey::DelimChar).AsText();
    t += QLatin1String("x");
    QCOMPARE(GetParam(SettingKey::DelimChar).AsText(), QStringLiteral(","));
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

void TestParams::changesAreAnnounced()
{
    basSettings::LoadSettingsFromBytes(QByteArray());
    QStringList heard;
    int settled = 0;
    SettingsNotifier& n = SettingsNotifier::Instance();
    const auto c1 = connect(&n, &SettingsNotifier::Changed, this, [&](const QString& key) { heard << key; });
    const auto c2 = connect(&n, &SettingsNotifier::Settled, this, [&] { ++settled; });
    auto take = [&] { return std::pair(std::exchange(heard, {}), std::exchange(settled, 0)); };
    using Heard = std::pair<QStringList, int>;

    // One key, once, and only when its value changes; a failed or unknown key says nothing.
    QCOMPARE(SetParam(SettingKey::DispPeriod, 20), AppError::None);
    QCOMPARE(take(), Heard({SettingKey::DispPeriod}, 1));
    SetParam(SettingKey::DispPeriod, QStringLiteral("20"));
    SetParam(SettingKey::DispPeriod, QStringLiteral("abc"));
    SetParam(QStringLiteral("NoSuchKey"), 1);
    QCOMPARE(take(), Heard({}, 0));

    // A batch announces each changed key once, in order, when the outermost batch ends.
    {
        const SettingsBatch outer;
        SetParam(SettingKey::GraphDisp, 3);
        {
            const SettingsBatch inner;
            SetParam(SettingKey::DayLine, false);
            SetParam(SettingKey::GraphDisp, 5);
        }
        ClearDisplayList();
        AddDisplayPerson(QStringLiteral("A"), Ymd(1970, 1, 1));
        AddDisplayPerson(QStringLiteral("B"), Ymd(1971, 1, 1));
        QCOMPARE(take(), Heard({}, 0));
    }
    QCOMPARE(take(), Heard({SettingKey::GraphDisp, SettingKey::DayLine, SettingKey::BirthDay}, 1));

    // Outside a batch every change is a round of its own; clearing an empty list changes nothing.
    ClearEraTable();
    AddEra(QStringLiteral("X"), 1);
    QCOMPARE(take(), Heard({SettingKey::Era, SettingKey::Era}, 2));
    ClearDisplayList();
    ClearDisplayList();
    QCOMPARE(take(), Heard({SettingKey::BirthDay}, 1));

    // Reading a settings file is one round.
    basSettings::LoadSettingsFromBytes("[kirvo]\r\nDispPeriod=9\r\nBirthDay=1965/4/3,A\r\n");
    QVERIFY(heard.contains(SettingKey::DispPeriod) && heard.contains(SettingKey::BirthDay));
    QCOMPARE(heard.count(SettingKey::BirthDay), 1);
    QCOMPARE(settled, 1);
    disconnect(c1);
    disconnect(c2);
}

QTEST_GUILESS_MAIN(TestParams)
#include "tst_params.moc"
