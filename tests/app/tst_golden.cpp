// Golden files, made by hand from the byte layouts of each file kind: the program reads each one and writes
// it back byte for byte.
#include <QtTest>

#include "../TestSupport.h"
#include "app/basParam.h"
#include "app/basSettings.h"
#include "graph/core/CurveValues.h"
#include "graph/core/CycleModel.h"
#include "people/core/basUserInfo.h"
#include "people/core/cUserName.h"

namespace {

QByteArray Golden(const QString& name)
{
    QFile file(QStringLiteral(KIRVO_SOURCE_DIR "/tests/data/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("golden file missing: %s", qPrintable(file.fileName()));
    return file.readAll();
}

} // namespace

class TestGolden : public QObject
{
    Q_OBJECT
private slots:
    void init() { ResetAllState(); }
    void cleanup() { ResetAllState(); }
    void settingsFile();
    void peopleFile_data();
    void peopleFile();
    void peopleText_data();
    void peopleText();
    void curveValues();
};

void TestGolden::settingsFile()
{
    const QByteArray bytes = Golden(QStringLiteral("kirvo.ini"));
    basParam::ResetForTests();
    basSettings::LoadSettingsFromBytes(bytes);
    QCOMPARE(basSettings::SettingsFileBytes(), bytes);
}

void TestGolden::peopleFile_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("written");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("row"); // a person to look at, from 1
    QTest::addColumn<QString>("name");
    QTest::addColumn<Date>("birthday");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<int>("mask");

    QTest::newRow("version 2 with groups") << "people-v2.dat"
                                           << "people-v2.dat" << 3 << 2 << "佐藤太郎" << Ymd(1980, 1, 15) << false << 3;
    QTest::newRow("version 2, checked person")
        << "people-v2.dat"
        << "people-v2.dat" << 3 << 1 << "山田花子" << Ymd(1965, 4, 3) << true << 1;
    // A version-1 file knows no groups: it comes back as version 2 with an empty group table.
    QTest::newRow("version 1") << "people-v1.dat"
                               << "people-v1-as-v2.dat" << 2 << 2 << "田中陽子" << Ymd(1958, 2, 28) << true << 0;
}

void TestGolden::peopleFile()
{
    QFETCH(QString, input);
    QFETCH(QString, written);
    QFETCH(int, count);
    QFETCH(int, row);

    QByteArray bytes = Golden(input);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    PeopleList list;
    QCOMPARE(basUserInfo::ReadPeople(buffer, list), basUserInfo::ReadResult::Complete);
    QCOMPARE(list.Count(), count);

    const cUserName* person = list.Item(row);
    QVERIFY(person);
    QTEST(person->kiParamValue(QStringLiteral("UserName")).AsText(), "name");
    QTEST(person->kiParamValue(QStringLiteral("BirthDay")).AsDate(), "birthday");
    QTEST(person->kiParamValue(QStringLiteral("Selected")).AsBool(), "selected");
    QTEST(person->kiParamValue(QStringLiteral("MyGroupId")).AsInt(), "mask");

    QCOMPARE(basUserInfo::PeopleFileBytes(list), Golden(written));
}

void TestGolden::peopleText_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("nameFirst");
    QTest::newRow("birthday first") << "people-birthday-first.txt" << false;
    QTest::newRow("name first") << "people-name-first.txt" << true;
}

void TestGolden::peopleText()
{
    QFETCH(QString, file);
    QFETCH(bool, nameFirst);

    const QByteArray bytes = Golden(file);
    const basUserInfo::TextFormat format {QStringLiteral(","), nameFirst};
    PeopleList list;
    QVERIFY(basUserInfo::ReadPeopleText(bytes, format, list, [](const basUserInfo::BadLine& bad) {
        const qint64 line = bad.number;
        qWarning("bad line %lld", static_cast<long long>(line));
        return false;
    }));
    QCOMPARE(list.Count(), 3);
    // The quoted names stand for the delimiter and the quote themselves.
    QCOMPARE(list.Item(2)->kiParamValue(QStringLiteral("UserName")).AsText(), QStringLiteral("鈴木,一郎"));
    QCOMPARE(list.Item(3)->kiParamValue(QStringLiteral("UserName")).AsText(), QStringLiteral("佐藤\"太郎\""));
    QCOMPARE(list.Item(3)->kiParamValue(QStringLiteral("BirthDay")).AsDate(), Ymd(2001, 12, 31));
    QCOMPARE(basUserInfo::PeopleTextBytes(list, format), bytes);
}

void TestGolden::curveValues()
{
    // One sample a day over a window of one day either side: the values are plain sines of whole days.
    basGraph::BuildSineTable();
    basSettings::LoadSettingsFromBytes(QByteArray());
    QCOMPARE(basParam::SetParam(SettingKey::DispPeriod, 1), AppError::None);
    QCOMPARE(basParam::SetParam(SettingKey::GraphPoint, 5), AppError::None);
    QCOMPARE(basParam::SetParam(SettingKey::DispDay, Ymd(2024, 6, 15)), AppError::None);
    basParam::ClearDisplayList();
    QCOMPARE(basParam::AddDisplayPerson(QStringLiteral("山田花子"), Ymd(2024, 6, 15)), AppError::None);
    QCOMPARE(basParam::AddDisplayPerson(QStringLiteral("佐藤,\"太郎\""), Ymd(2024, 6, 5)), AppError::None);
    QCOMPARE(basGraph::CurveValuesBytes(), Golden(QStringLiteral("values.csv")));
}

QTEST_MAIN(TestGolden)
#include "tst_golden.moc"
