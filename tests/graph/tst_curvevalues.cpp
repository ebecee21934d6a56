// The curve-values file: layout, samples, value form and date patterns, byte for byte.
#include <QtTest>

#include "../TestSupport.h"
#include "app/basParam.h"
#include "app/basSettings.h"
#include "graph/basGraph.h"
#include "graph/core/CurveValues.h"
#include "platform/core/Cp932.h"
#include "platform/core/SafeFile.h"

using namespace basParam;

namespace {

QStringList Lines(const QByteArray& bytes)
{
    QString text = Cp932::Decode(bytes);
    if (text.endsWith(QLatin1String("\r\n"))) {
        text.chop(2);
    }
    return text.split(QStringLiteral("\r\n"));
}

} // namespace

class TestCurveValues : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { basGraph::BuildSineTable(); }
    void init()
    {
        ResetAllState();
        basSettings::LoadSettingsFromBytes(QByteArray());
    }
    void valueForm_data();
    void valueForm();
    void workedFile();
    void emptyListGivesFirstLineOnly();
    void sampleCounts_data();
    void sampleCounts();
    void namesAreQuoted();
    void datePatterns_data();
    void datePatterns();
    void birthdayAfterDisplayDate();
    void readOnlyTargetKeepsOldFile();
};

void TestCurveValues::valueForm_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << "0.";
    QTest::newRow("one") << 1.0 << "1.";
    QTest::newRow("minus one") << -1.0 << "-1.";
    QTest::newRow("rounds up and drops a zero") << -0.26979677 << "-0.2698";
    QTest::newRow("five decimals") << 0.22252093 << "0.22252";
    QTest::newRow("tiny positive") << 3.2e-15 << "0.";
    QTest::newRow("tiny negative has no sign") << -3.2e-15 << "0.";
    QTest::newRow("rounds to one") << 0.999996 << "1.";
    QTest::newRow("half") << 0.5 << "0.5";
}

void TestCurveValues::valueForm()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(basGraph::FormatCurveValue(value), text);
}

void TestCurveValues::workedFile()
{
    const Date day = *Date::FromYmd(2001, 12, 6);
    SetParam(SettingKey::DispDay, day);
    SetParam(SettingKey::DispPeriod, 1);
    SetParam(SettingKey::GraphPoint, 5);
    AddDisplayPerson(QStringLiteral("山田花子"), day);
    const QByteArray expected = Cp932::EncodeLines({QStringLiteral("出力日,2001/12/5,2001/12/7"),
                                                    QStringLiteral("名前,山田花子"),
                                                    QStringLiteral("誕生日,2001/12/6"),
                                                    "-0.2698,0.,0.2698",
                                                    "-0.22252,0.,0.22252",
                                                    "-0.18925,0.,0.18925"});
    QCOMPARE(basGraph::CurveValuesBytes(), expected);
    QVERIFY(basGraph::CurveValuesBytes().endsWith("\r\n"));
}

void TestCurveValues::emptyListGivesFirstLineOnly()
{
    SetParam(SettingKey::DispDay, *Date::FromYmd(2001, 12, 6));
    QCOMPARE(basGraph::CurveValuesBytes(), Cp932::EncodeLines({QStringLiteral("出力日,2001/11/21,2001/12/21")}));
}

void TestCurveValues::sampleCounts_data()
{
    QTest::addColumn<int>("point");
    QTest::addColumn<int>("period");
    QTest::addColumn<int>("count");
    QTest::newRow("five a day, one day") << 1 << 1 << 11;
    QTest::newRow("step 3, seven days") << 3 << 7 << 24;
    QTest::newRow("one a day, default period") << 5 << 15 << 31;
    QTest::newRow("largest window") << 1 << 999 << 9991;
}

void TestCurveValues::sampleCounts()
{
    QFETCH(int, point);
    QFETCH(int, period);
    QFETCH(int, count);
    SetParam(SettingKey::GraphPoint, point);
    SetParam(SettingKey::DispPeriod, period);
    SetParam(SettingKey::DispDay, *Date::FromYmd(2001, 12, 6));
    AddDisplayPerson("a", *Date::FromYmd(1970, 1, 5));
    AddDisplayPerson("b", *Date::FromYmd(1999, 3, 1));
    const QStringList lines = Lines(basGraph::CurveValuesBytes());
    QCOMPARE(lines.size(), 11);
    for (int row : {3, 4, 5, 8, 9, 10}) {
        QCOMPARE(lines[row].split(QLatin1Char(',')).size(), count);
    }
}

void TestCurveValues::namesAreQuoted()
{
    SetParam(SettingKey::DispDay, *Date::FromYmd(2001, 12, 6));
    AddDisplayPerson(QStringLiteral("山田, 花子"), *Date::FromYmd(1970, 1, 5));
    AddDisplayPerson(QStringLiteral("A\"BC"), *Date::FromYmd(1970, 1, 5));
    AddDisplayPerson(QStringLiteral("Taro"), *Date::FromYmd(1970, 1, 5));
    const QStringList lines = Lines(basGraph::CurveValuesBytes());
    QCOMPARE(lines[1], QStringLiteral("名前,\"山田, 花子\""));
    QCOMPARE(lines[6], QStringLiteral("名前,\"A\"\"BC\""));
    QCOMPARE(lines[11], QStringLiteral("名前,Taro"));
}

void TestCurveValues::datePatterns_data()
{
    QTest::addColumn<bool>("birthYear");
    QTest::addColumn<int>("calendar");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("birthday");
    QTest::newRow("Gregorian") << true << 0 << QStringLiteral("出力日,2001/11/21,2001/12/21") << "誕生日,1989/1/7";
    QTest::newRow("era") << true << 4 << QStringLiteral("出力日,H13/11/21,H13/12/21") << "誕生日,S64/1/7";
    QTest::newRow("no year") << false << 0 << QStringLiteral("出力日,11/21,12/21") << "誕生日,1/7";
    QTest::newRow("no year in an era") << false << 3 << QStringLiteral("出力日,11/21,12/21") << "誕生日,1/7";
}

void TestCurveValues::datePatterns()
{
    QFETCH(bool, birthYear);
    QFETCH(int, calendar);
    QFETCH(QString, first);
    QFETCH(QString, birthday);
    SetParam(SettingKey::BirthYear, birthYear);
    SetParam(SettingKey::Calendar, calendar);
    SetParam(SettingKey::DispDay, *Date::FromYmd(2001, 12, 6));
    AddDisplayPerson("a", *Date::FromYmd(1989, 1, 7));
    const QStringList lines = Lines(basGraph::CurveValuesBytes());
    QCOMPARE(lines[0], first);
    QCOMPARE(lines[2], birthday);
}

void TestCurveValues::birthdayAfterDisplayDate()
{
    // The day before birth with three days each side: the values run through the birthday without a break.
    SetParam(SettingKey::DispDay, *Date::FromYmd(2001, 12, 5));
    SetParam(SettingKey::DispPeriod, 3);
    SetParam(SettingKey::GraphPoint, 5);
    AddDisplayPerson("a", *Date::FromYmd(2001, 12, 6));
    const QStringList physical = Lines(basGraph::CurveValuesBytes())[3].split(QLatin1Char(','));
    QCOMPARE(physical.size(), 7);
    QCOMPARE(physical[4], QStringLiteral("0."));
    QCOMPARE(physical[3], QStringLiteral("-0.2698"));
    QCOMPARE(physical[5], QStringLiteral("0.2698"));
    QCOMPARE(physical[0], basGraph::FormatCurveValue(basGraph::CycleValue(0, -20)));
}

void TestCurveValues::readOnlyTargetKeepsOldFile()
{
    TempProgramFolder dir;
    dir.Write("out.csv", "old");
    AddDisplayPerson("a", *Date::FromYmd(1970, 1, 5));
    SafeFile::SetFaultForTests([](SafeFile::Step s) { return s == SafeFile::Step::Open; });
    QVERIFY(!basGraph::SaveCurveValues(dir.File("out.csv")).ok);
    QCOMPARE(dir.Read("out.csv"), QByteArray("old"));
    SafeFile::SetFaultForTests(nullptr);
    QVERIFY(basGraph::SaveCurveValues(dir.File("out.csv")).ok);
    QCOMPARE(dir.Read("out.csv"), basGraph::CurveValuesBytes());
}

QTEST_MAIN(TestCurveValues)
#include "tst_curvevalues.moc"
