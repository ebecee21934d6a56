// The settings file: the loader's line grammar and per-key rules, the writer's exact bytes, and failures.
#include <QtTest>

#include "../TestSupport.h"
#include "app/basParam.h"
#include "app/basSettings.h"
#include "platform/core/Clock.h"
#include "platform/core/Cp932.h"
#include "platform/core/SafeFile.h"

using namespace basParam;

namespace {

// Settings text as the user's editor would save it: CP932 with CR LF.
QByteArray File(const QStringList& lines)
{
    return Cp932::EncodeLines(lines);
}

QStringList WrittenLines()
{
    const QByteArray bytes = basSettings::SettingsFileBytes();
    QString text = Cp932::Decode(bytes);
    Q_ASSERT(text.endsWith(QLatin1String("\r\n")));
    text.chop(2);
    return text.split(QStringLiteral("\r\n"));
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { ResetAllState(); }
    void noFileGivesDefaults();
    void headerOnlyFile();
    void perKeyRules_data();
    void perKeyRules();
    void laterLineWins();
    void birthDayLines_data();
    void birthDayLines();
    void eraLines();
    void calendarAgainstEraCount_data();
    void calendarAgainstEraCount();
    void exampleFileByteForByte();
    void defaultsOnlyFile();
    void everyWrittenFileLoadsBack_data();
    void everyWrittenFileLoadsBack();
    void lineBreakInNameCannotSplitTheFile();
    void damagedBytesNeverStopTheLoader();
    void utf8FileKeepsItsNames();
    void saveWritesBesideTheProgram();
    void failedSaveKeepsThePreviousFile();
};

void TestSettingsFile::init()
{
    ResetAllState();
    Clock::SetTodayForTests(Date::FromYmd(2026, 12, 7));
}

void TestSettingsFile::noFileGivesDefaults()
{
    TempProgramFolder dir;
    QVERIFY(!basSettings::LoadSettings(dir.Path()));
    QCOMPARE(GetParam(SettingKey::DispPeriod).AsInt(), 15);
    QCOMPARE(GetParam(SettingKey::GraphWidth).AsInt(), 4500);
    QCOMPARE(GetParam(SettingKey::GraphHeight).AsInt(), 3500);
    QCOMPARE(GetParam(SettingKey::TaskTray).AsBool(), true);
    QCOMPARE(GetParam(SettingKey::DispDay).AsDate(), *Date::FromYmd(2026, 12, 7));
    QCOMPARE(GetParam(SettingKey::GraphPhysColor).AsText(), QStringLiteral("064064200"));
    QCOMPARE(GetParam(SettingKey::DelimChar).AsText(), QStringLiteral(","));
    QCOMPARE(GetParam(SettingKey::ReadBirthDay).AsBool(), false);
    QCOMPARE(EraCount(), qint16(6));
    QCOMPARE(EraName(5), QStringLiteral("令和"));
    // Loading writes nothing.
    QVERIFY(!QFile::exists(basSettings::SettingsPath(dir.Path())));
}

void TestSettingsFile::headerOnlyFile()
{
    TempProgramFolder dir;
    dir.Write("kirvo.ini", "[kirvo]\r\n\r\n");
    QVERIFY(basSettings::LoadSettings(dir.Path()));
    QCOMPARE(GetParam(SettingKey::DispPeriod).AsInt(), 15);
    QCOMPARE(EraCount(), qint16(6));
    QCOMPARE(GetParam(SettingKey::ReadBirthDay).AsBool(), false);
}

void TestSettingsFile::perKeyRules_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value"); // as text
    QTest::newRow("plain") << "DispPeriod=30" << SettingKey::DispPeriod << "30";
    QTest::newRow("key in small letters") << "dispperiod=30" << SettingKey::DispPeriod << "30";
    QTest::newRow("spaces around key") << "   DispPeriod  =30" << SettingKey::DispPeriod << "30";
    QTest::newRow("space after =") << "DispPeriod= 30" << SettingKey::DispPeriod << "30";
    QTest::newRow("halves to even") << "DispPeriod=30.5" << SettingKey::DispPeriod << "30";
    QTest::newRow("period 0") << "DispPeriod=0" << SettingKey::DispPeriod << "15";
    QTest::newRow("period 1000") << "DispPeriod=1000" << SettingKey::DispPeriod << "15";
    QTest::newRow("period 999") << "DispPeriod=999" << SettingKey::DispPeriod << "999";
    QTest::newRow("period text") << "DispPeriod=abc" << SettingKey::DispPeriod << "15";
    QTest::newRow("period overflow") << "DispPeriod=99999" << SettingKey::DispPeriod << "15";
    QTest::newRow("point 0") << "GraphPoint=0" << SettingKey::GraphPoint << "3";
    QTest::newRow("point 5") << "GraphPoint=5" << SettingKey::GraphPoint << "5";
    QTest::newRow("multinum 0 kept") << "MultiNum=0" << SettingKey::MultiNum << "0";
    QTest::newRow("multinum 100") << "MultiNum=100" << SettingKey::MultiNum << "5";
    QTest::newRow("rate 9") << "PrintRate=9" << SettingKey::PrintRate << "100";
    QTest::newRow("rate 10") << "PrintRate=10" << SettingKey::PrintRate << "10";
    QTest::newRow("line width 6") << "LineWidth=6" << SettingKey::LineWidth << "2";
    QTest::newRow("draw mode 13") << "DrawMode=13" << SettingKey::DrawMode << "13";
    QTest::newRow("draw mode 10") << "DrawMode=10" << SettingKey::DrawMode << "9";
    QTest::newRow("graph disp 16") << "GraphDisp=16" << SettingKey::GraphDisp << "15";
    QTest::newRow("graph disp 5") << "GraphDisp=5" << SettingKey::GraphDisp << "5";
    QTest::newRow("position 1") << "Position=1" << SettingKey::Position << "1";
    QTest::newRow("position 2") << "Position=2" << SettingKey::Position << "0";
    QTest::newRow("reminder off") << "reminder=false" << SettingKey::Reminder << "False";
    QTest::newRow("reminder damaged keeps default") << "Reminder=maybe" << SettingKey::Reminder << "True";
    QTest::newRow("names in the bands") << "ShowNames=True" << SettingKey::ShowNames << "True";
    QTest::newRow("calendar marks") << "calendarmarks=1" << SettingKey::CalendarMarks << "True";
    QTest::newRow("geometry negative") << "GraphPosX=-120" << SettingKey::GraphPosX << "-120";
    QTest::newRow("geometry beyond 16 bits") << "GraphWidth=70000" << SettingKey::GraphWidth << "70000";
    QTest::newRow("geometry text keeps default") << "GraphWidth=wide" << SettingKey::GraphWidth << "4500";
    QTest::newRow("Boolean False") << "TaskTray=False" << SettingKey::TaskTray << "False";
    QTest::newRow("Boolean any case") << "AlwayTop=tRUE" << SettingKey::AlwayTop << "True";
    QTest::newRow("Boolean number") << "DayLine=0" << SettingKey::DayLine << "False";
    QTest::newRow("Boolean nonsense kept") << "BirthYear=maybe" << SettingKey::BirthYear << "True";
    QTest::newRow("colour nine digits") << "GraphBackColor=010020030" << SettingKey::GraphBackColor << "010020030";
    QTest::newRow("colour nine letters") << "GraphBackColor=abcdefghi" << SettingKey::GraphBackColor << "abcdefghi";
    QTest::newRow("colour five ignored") << "GraphBackColor=12345" << SettingKey::GraphBackColor << "255255255";
    QTest::newRow("colour trimmed") << "GraphForeColor= 001002003 " << SettingKey::GraphForeColor << "001002003";
    QTest::newRow("delimiter tab") << "DelimChar=\tx" << SettingKey::DelimChar << "\t";
    QTest::newRow("delimiter space") << "DelimChar= ;" << SettingKey::DelimChar << " ";
    QTest::newRow("delimiter empty") << "DelimChar=" << SettingKey::DelimChar << "";
    QTest::newRow("delimiter full-width")
        << QStringLiteral("DelimChar=、") << SettingKey::DelimChar << QStringLiteral("、");
    QTest::newRow("DispDay is never read") << "DispDay=2001/1/1" << SettingKey::DispDay << "2026/12/7";
    QTest::newRow("ReadBirthDay is never read") << "ReadBirthDay=True" << SettingKey::ReadBirthDay << "False";
    QTest::newRow("= first is skipped") << "=DispPeriod=30" << SettingKey::DispPeriod << "15";
    QTest::newRow("no =") << "DispPeriod 30" << SettingKey::DispPeriod << "15";
}

void TestSettingsFile::perKeyRules()
{
    QFETCH(QString, line);
    QFETCH(QString, key);
    QFETCH(QString, value);
    basSettings::LoadSettingsFromBytes(File({"[kirvo]", "", line}));
    QCOMPARE(GetParam(key).AsText(), value);
}

void TestSettingsFile::laterLineWins()
{
    basSettings::LoadSettingsFromBytes(File({"DispPeriod=30", "DispPeriod=40", "LineWidth=3", "LineWidth=x"}));
    QCOMPARE(GetParam(SettingKey::DispPeriod).AsInt(), 40);
    // A failed line keeps the earlier line's value.
    QCOMPARE(GetParam(SettingKey::LineWidth).AsInt(), 3);
}

void TestSettingsFile::birthDayLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("birthday");
    QTest::newRow("date and name") << QStringLiteral("BirthDay=1965/4/3,山田花子") << QStringLiteral("山田花子")
                                   << "1965/4/3";
    QTest::newRow("no comma") << "BirthDay= 1965/4/3 " << QStringLiteral("名前なし") << "1965/4/3";
    QTest::newRow("name keeps commas") << QStringLiteral("BirthDay=1965/4/3,山田, 花子") << QStringLiteral("山田, 花子")
                                       << "1965/4/3";
    QTest::newRow("name untrimmed") << "BirthDay=1965/4/3, Taro "
                                    << " Taro "
                                    << "1965/4/3";
    QTest::newRow("bad date") << "BirthDay=abc,X"
                              << "X"
                              << "1899/12/30";
    QTest::newRow("impossible date") << "BirthDay=2001/2/30,X"
                                     << "X"
                                     << "1899/12/30";
    QTest::newRow("empty name") << "BirthDay=1965/4/3,"
                                << ""
                                << "1965/4/3";
    QTest::newRow("key any case") << "birthday=1970/11/23,Ichiro"
                                  << "Ichiro"
                                  << "1970/11/23";
    // A name no people file could hold would only slow every window that shows it: it is cut.
    QTest::newRow("name of ten million characters")
        << QStringLiteral("BirthDay=1965/4/3,") + QString(10000000, QLatin1Char('a'))
        << QString(65535, QLatin1Char('a')) << "1965/4/3";
}

void TestSettingsFile::birthDayLines()
{
    QFETCH(QString, line);
    QFETCH(QString, name);
    QFETCH(QString, birthday);
    basSettings::LoadSettingsFromBytes(File({"[kirvo]", "", line}));
    QCOMPARE(DisplayCount(), qint16(1));
    QCOMPARE(DisplayName(1), name);
    QCOMPARE(FormatYmd(DisplayBirthDay(1)), birthday);
    QCOMPARE(GetParam(SettingKey::ReadBirthDay).AsBool(), true);
}

void TestSettingsFile::eraLines()
{
    basSettings::LoadSettingsFromBytes(File({"Era=0,西暦",
                                             "Era=1867,明治",
                                             "Era=1911,大正",
                                             "Era=1925,昭和",
                                             "Era=1988,平成",
                                             "Era=2018,令和",
                                             "Era= 5 ",
                                             "Era=x,壊れ"}));
    QCOMPARE(EraCount(), qint16(8));
    QCOMPARE(EraName(5), QStringLiteral("令和"));
    QCOMPARE(EraOffset(5), 2018);
    QCOMPARE(EraName(6), QStringLiteral("不明"));
    QCOMPARE(EraOffset(6), 5);
    QCOMPARE(EraName(7), QStringLiteral("壊れ"));
    QCOMPARE(EraOffset(7), 0);

    // Era lines replace the built-in table entirely.
    ResetForTests();
    basSettings::LoadSettingsFromBytes(File({"Era=0,西暦"}));
    QCOMPARE(EraCount(), qint16(1));
}

void TestSettingsFile::calendarAgainstEraCount_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("calendar");
    const QStringList eras {"Era=0,西暦", "Era=1867,明治", "Era=1911,大正", "Era=1925,昭和", "Era=1988,平成"};
    QTest::newRow("4 kept") << (eras + QStringList {"Calendar=4"}) << 4;
    QTest::newRow("5 falls back") << (eras + QStringList {"Calendar=5"}) << 0;
    QTest::newRow("negative") << (eras + QStringList {"Calendar=-1"}) << 0;
    QTest::newRow("before the era lines") << (QStringList {"Calendar=2"} + eras) << 0;
    QTest::newRow("one-era table") << QStringList {"Era=0,西暦", "Calendar=1"} << 0;
    QTest::newRow("no era lines") << QStringList {"Calendar=3"} << 0;
}

void TestSettingsFile::calendarAgainstEraCount()
{
    QFETCH(QStringList, lines);
    QFETCH(int, calendar);
    basSettings::LoadSettingsFromBytes(File(lines));
    QCOMPARE(GetParam(SettingKey::Calendar).AsInt(), calendar);
}

void TestSettingsFile::exampleFileByteForByte()
{
    // A file with the five eras of older versions keeps exactly those five: nothing is added behind the
    // user's back.
    basSettings::LoadSettingsFromBytes(
        File({"Era=0,西暦", "Era=1867,明治", "Era=1911,大正", "Era=1925,昭和", "Era=1988,平成"}));
    AddDisplayPerson(QStringLiteral("山田花子"), *Date::FromYmd(1965, 4, 3));
    AddDisplayPerson(QStringLiteral("鈴木一郎"), *Date::FromYmd(1970, 11, 23));
    SetParam(SettingKey::DispPeriod, 30);
    SetParam(SettingKey::TaskTray, false);
    SetParam(SettingKey::GraphPosX, 1200);
    SetParam(SettingKey::GraphPosY, 900);
    const QByteArray expected = QByteArray("[kirvo]\r\n\r\n") + "BirthDay=1965/4/3,\x8e\x52\x93\x63\x89\xd4\x8e\x71\r\n"
        + "BirthDay=1970/11/23,\x97\xe9\x96\xd8\x88\xea\x98\x59\r\n" + "DispPeriod=30\r\n"
        + "Era=0,\x90\xbc\x97\xef\r\n" + "Era=1867,\x96\xbe\x8e\xa1\r\n" + "Era=1911,\x91\xe5\x90\xb3\r\n"
        + "Era=1925,\x8f\xba\x98\x61\r\n" + "Era=1988,\x95\xbd\x90\xac\r\n" + "TaskTray=False\r\n"
        + "GraphPosX=1200\r\n" + "GraphPosY=900\r\n" + "GraphWidth=4500\r\n" + "GraphHeight=3500\r\n";
    QCOMPARE(basSettings::SettingsFileBytes(), expected);
}

void TestSettingsFile::defaultsOnlyFile()
{
    basSettings::LoadSettingsFromBytes(QByteArray());
    QCOMPARE(WrittenLines(),
             (QStringList {"[kirvo]",
                           "",
                           "Era=0,西暦",
                           "Era=1867,明治",
                           "Era=1911,大正",
                           "Era=1925,昭和",
                           "Era=1988,平成",
                           "Era=2018,令和",
                           "GraphPosX=0",
                           "GraphPosY=0",
                           "GraphWidth=4500",
                           "GraphHeight=3500"}));
}

void TestSettingsFile::everyWrittenFileLoadsBack_data()
{
    QTest::addColumn<QStringList>("changes"); // key=value pairs given to SetParam
    QTest::newRow("defaults") << QStringList {};
    QTest::newRow("every setting off its default") << QStringList {"DispPeriod=999",
                                                                   "BirthYear=False",
                                                                   "DispTotalDay=False",
                                                                   "DateChangeButton=False",
                                                                   "Calendar=3",
                                                                   "AlwayTop=True",
                                                                   "TaskTray=False",
                                                                   "MultiNum=0",
                                                                   "PrintRate=10",
                                                                   "GraphPoint=1",
                                                                   "GraphPosX=-300",
                                                                   "GraphPosY=123456",
                                                                   "GraphWidth=99999",
                                                                   "GraphHeight=-5",
                                                                   "LineWidth=5",
                                                                   "DrawMode=13",
                                                                   "DayLine=False",
                                                                   "FullDay=True",
                                                                   "GraphDisp=0",
                                                                   "GraphForeColor=001002003",
                                                                   "GraphBackColor=004005006",
                                                                   "GraphPhysColor=007008009",
                                                                   "GraphSensColor=010011012",
                                                                   "GraphIntelColor=013014015",
                                                                   "DelimChar=\t",
                                                                   "Position=1",
                                                                   "Reminder=False",
                                                                   "ShowNames=True",
                                                                   "CalendarMarks=True"};
    QTest::newRow("space delimiter") << QStringList {"DelimChar= "};
    QTest::newRow("empty delimiter") << QStringList {"DelimChar="};
}

void TestSettingsFile::everyWrittenFileLoadsBack()
{
    QFETCH(QStringList, changes);
    basSettings::LoadSettingsFromBytes(QByteArray());
    for (const QString& c : changes) {
        const qsizetype eq = c.indexOf(QLatin1Char('='));
        QCOMPARE(SetParam(c.left(eq), ParamValue::FromText(c.mid(eq + 1))), AppError::None);
    }
    AddDisplayPerson(QStringLiteral("山田, 花子"), *Date::FromYmd(1965, 4, 3));
    AddDisplayPerson(QStringLiteral(" 空白 "), *Date::FromYmd(100, 1, 1));
    AddDisplayPerson(QString(), *Date::FromYmd(9999, 12, 31));
    const QByteArray first = basSettings::SettingsFileBytes();

    QList<ParamValue> before;
    for (const QString& key : ParamKeys()) {
        before << GetParam(key);
    }
    ResetForTests();
    basSettings::LoadSettingsFromBytes(first);
    for (int i = 0; i < ParamKeys().size(); ++i) {
        const QString key = ParamKeys()[i];
        if (key != SettingKey::ReadBirthDay) {
            QCOMPARE(GetParam(key), before[i]);
        }
    }
    QCOMPARE(DisplayCount(), qint16(3));
    QCOMPARE(DisplayName(1), QStringLiteral("山田, 花子"));
    QCOMPARE(DisplayName(2), QStringLiteral(" 空白 "));
    QCOMPARE(FormatYmd(DisplayBirthDay(2)), QStringLiteral("0100/1/1"));
    QCOMPARE(DisplayName(3), QString());
    QCOMPARE(basSettings::SettingsFileBytes(), first);
    // The keys that came later than the others stand last, where older versions skip them unread, and only
    // when they differ from their defaults.
    if (!GetParam(SettingKey::Reminder).AsBool()) {
        QVERIFY(first.endsWith("Position=1\r\nReminder=False\r\nShowNames=True\r\nCalendarMarks=True\r\n"));
    } else {
        QVERIFY(!first.contains("Reminder=") && !first.contains("ShowNames=") && !first.contains("CalendarMarks="));
    }
}

void TestSettingsFile::lineBreakInNameCannotSplitTheFile()
{
    basSettings::LoadSettingsFromBytes(QByteArray());
    AddDisplayPerson(QStringLiteral("a\r\nDispPeriod=7\nb"), *Date::FromYmd(1970, 1, 5));
    const QByteArray bytes = basSettings::SettingsFileBytes();
    ResetForTests();
    basSettings::LoadSettingsFromBytes(bytes);
    QCOMPARE(DisplayCount(), qint16(1));
    QCOMPARE(DisplayName(1), QStringLiteral("a  DispPeriod=7 b"));
    QCOMPARE(GetParam(SettingKey::DispPeriod).AsInt(), 15);
}

void TestSettingsFile::damagedBytesNeverStopTheLoader()
{
    // Binary garbage between good lines: the good lines still count.
    QByteArray bytes = "DispPeriod=30\r\n";
    for (int i = 0; i < 512; ++i) {
        bytes.append(static_cast<char>((i * 37) & 0xff));
    }
    bytes += "\r\nLineWidth=4\r\nBirthDay=\x81\r\n";
    basSettings::LoadSettingsFromBytes(bytes);
    QCOMPARE(GetParam(SettingKey::DispPeriod).AsInt(), 30);
    QCOMPARE(GetParam(SettingKey::LineWidth).AsInt(), 4);
    QVERIFY(DisplayCount() >= 1);
}

void TestSettingsFile::utf8FileKeepsItsNames()
{
    // Saved by a modern editor: UTF-8 behind its byte-order mark. The first line counts, the names read
    // right, and the file is written back in code page 932.
    basSettings::LoadSettingsFromBytes("\xEF\xBB\xBF"
                                       "DispPeriod=30\r\n"
                                       "BirthDay=1965/4/3,\xE5\xB1\xB1\xE7\x94\xB0\xE8\x8A\xB1\xE5\xAD\x90\r\n"
                                       "Era=2018,\xE4\xBB\xA4\xE5\x92\x8C\r\n");
    QCOMPARE(GetParam(SettingKey::DispPeriod).AsInt(), 30);
    QCOMPARE(DisplayName(1), QStringLiteral("山田花子"));
    QCOMPARE(EraName(0), QStringLiteral("令和"));
    const QByteArray written = basSettings::SettingsFileBytes();
    QVERIFY(written.contains("BirthDay=1965/4/3,\x8e\x52\x93\x63\x89\xd4\x8e\x71\r\n"));
    QVERIFY(written.startsWith("[kirvo]"));
}

void TestSettingsFile::saveWritesBesideTheProgram()
{
    TempProgramFolder dir;
    basSettings::LoadSettings(dir.Path());
    SetParam(SettingKey::DispPeriod, 30);
    QVERIFY(basSettings::SaveSettings(dir.Path()).ok);
    QCOMPARE(dir.Read("kirvo.ini"), basSettings::SettingsFileBytes());
    ResetForTests();
    QVERIFY(basSettings::LoadSettings(dir.Path()));
    QCOMPARE(GetParam(SettingKey::DispPeriod).AsInt(), 30);
}

void TestSettingsFile::failedSaveKeepsThePreviousFile()
{
    TempProgramFolder dir;
    dir.Write("kirvo.ini", "[kirvo]\r\n\r\nDispPeriod=44\r\n");
    basSettings::LoadSettings(dir.Path());
    SetParam(SettingKey::DispPeriod, 30);
    for (SafeFile::Step step : {SafeFile::Step::Open, SafeFile::Step::Write, SafeFile::Step::Commit}) {
        SafeFile::SetFaultForTests([step](SafeFile::Step s) { return s == step; });
        const SafeFile::Result result = basSettings::SaveSettings(dir.Path());
        QVERIFY(!result.ok);
        QCOMPARE(result.failedStep, step);
        QCOMPARE(dir.Read("kirvo.ini"), QByteArray("[kirvo]\r\n\r\nDispPeriod=44\r\n"));
    }
}

QTEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
