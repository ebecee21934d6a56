// The person record and the people file: conversions by key, the exact version-2 bytes, version 1, damaged
// and foreign files, and failed saves.
#include <QtTest>

#include "../TestSupport.h"
#include "app/basParam.h"
#include "groups/core/basGroup.h"
#include "people/core/basUserInfo.h"
#include "people/core/cUserName.h"
#include "platform/core/Cp932.h"
#include "platform/core/SafeFile.h"

Q_DECLARE_METATYPE(ParamValue)

namespace {

// File pieces built by hand, independently of the writer.
QByteArray I16(qint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray I32(qint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray F64(double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, 8);
    QByteArray b(8, '\0');
    qToLittleEndian(bits, b.data());
    return b;
}

QByteArray Str(const QString& s)
{
    const QByteArray bytes = Cp932::Encode(s);
    return I16(8) + I16(static_cast<qint16>(bytes.size())) + bytes;
}

QByteArray DateField(Date d)
{
    return I16(7) + F64(d.Serial());
}

QByteArray BoolField(bool v)
{
    return I16(11) + I16(v ? -1 : 0);
}

QByteArray IntField(qint32 v)
{
    return I16(3) + I32(v);
}

QByteArray EmptyGroupTable()
{
    return QByteArray(314, '\0');
}

struct Person
{
    QString name;
    Date birthday;
    bool selected;
    qint32 groups;
};

QByteArray V2Record(const Person& p)
{
    return Str(p.name) + DateField(p.birthday) + BoolField(p.selected) + IntField(p.groups);
}

QByteArray V1Record(const Person& p)
{
    return Str(p.name) + DateField(p.birthday) + BoolField(p.selected);
}

const QList<Person> Sample = {
    {QStringLiteral("abc"), Ymd(1970, 1, 1), true, 1},
    {QStringLiteral("山田花子"), Ymd(1965, 4, 3), false, 0},
    {QStringLiteral("Taro"), Ymd(1980, 12, 31), true, 3},
};

void Fill(PeopleList& list, const QList<Person>& people)
{
    list.Clear();
    for (const Person& p : people) {
        cUserName& u = list.Add();
        u.kiParamValue("UserName", ParamValue::FromText(p.name));
        u.kiParamValue("BirthDay", ParamValue::FromDate(p.birthday));
        u.kiParamValue("Selected", ParamValue::FromBool(p.selected));
        u.kiParamValue("MyGroupId", ParamValue::FromInt32(p.groups));
    }
}

Person Read(const PeopleList& list, int i)
{
    const cUserName* u = list.Item(i);
    return {u->kiParamValue("UserName").AsText(),
            u->kiParamValue("BirthDay").AsDate(),
            u->kiParamValue("Selected").AsBool(),
            u->kiParamValue("MyGroupId").AsInt()};
}

bool Same(const Person& a, const Person& b)
{
    return a.name == b.name && a.birthday == b.birthday && a.selected == b.selected && a.groups == b.groups;
}

basUserInfo::ReadResult ReadBytes(const QByteArray& bytes, PeopleList& list)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return basUserInfo::ReadPeople(buffer, list);
}

// Two groups as the sample file holds them.
void SampleGroups()
{
    basGroup::SetGroup(QStringLiteral("家族"), -1, 0, 0);
    basGroup::SetGroup(QStringLiteral("friends"), -1, 0, 0);
    basGroup::SetGroup(QStringLiteral("家族"), 0, 2, 1);
    basGroup::SetGroup(QStringLiteral("friends"), 1, 1, 2);
}

} // namespace

class TestPeopleFile : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void paramValueConversions_data();
    void paramValueConversions();
    void emptyFileIs326Bytes();
    void abcRecordIs27Bytes();
    void doubleByteNameLength();
    void writtenFileReadsBack();
    void overlongNameStaysReadable();
    void version1LoadsAndSavesAsVersion2();
    void missingFileIsSilent();
    void wrongVersionMark_data();
    void wrongVersionMark();
    void truncatedAtEveryOffset();
    void countIsNeverTrusted_data();
    void countIsNeverTrusted();
    void fieldsOfAnotherTypeConvert();
    void failedSaveKeepsThePreviousFile();
    void checkedPeopleFillTheDisplayList();
};

void TestPeopleFile::init()
{
    ResetAllState();
    basGroup::ResetForTests();
}

void TestPeopleFile::cleanup()
{
    basGroup::ResetForTests();
    ResetAllState();
}

void TestPeopleFile::paramValueConversions_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<ParamValue>("written");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("birthday");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<int>("groups");
    // Before each row the record holds "before", 1960/1/1, not selected, groups 2.
    const QString n = QStringLiteral("before");
    const QString b = QStringLiteral("1960/1/1");
    auto text = [](const char* t) { return ParamValue::FromText(QString::fromUtf8(t)); };
    QTest::newRow("name from text") << "UserName" << text("山田") << "山田" << b << false << 2;
    QTest::newRow("name from number") << "UserName" << ParamValue::FromInt32(12) << "12" << b << false << 2;
    QTest::newRow("name from date") << "UserName" << ParamValue::FromDate(Ymd(2001, 12, 3)) << "2001/12/3" << b << false
                                    << 2;
    QTest::newRow("birthday from date") << "BirthDay" << ParamValue::FromDate(Ymd(1970, 1, 1)) << n << "1970/1/1"
                                        << false << 2;
    QTest::newRow("birthday from text") << "BirthDay" << text("2001/12/3") << n << "2001/12/3" << false << 2;
    QTest::newRow("birthday from day count")
        << "BirthDay" << ParamValue::FromInt32(25569) << n << "1970/1/1" << false << 2;
    QTest::newRow("birthday from non-date text") << "BirthDay" << text("abc") << n << b << false << 2;
    QTest::newRow("birthday from Boolean") << "BirthDay" << ParamValue::FromBool(true) << n << b << false << 2;
    QTest::newRow("selected from Boolean") << "Selected" << ParamValue::FromBool(true) << n << b << true << 2;
    QTest::newRow("selected from True") << "Selected" << text("True") << n << b << true << 2;
    QTest::newRow("selected from text") << "Selected" << text("yes") << n << b << false << 2;
    QTest::newRow("groups from number") << "MyGroupId" << ParamValue::FromInt32(5) << n << b << false << 5;
    QTest::newRow("groups from text") << "MyGroupId" << text("7") << n << b << false << 7;
    QTest::newRow("groups from Boolean") << "MyGroupId" << ParamValue::FromBool(true) << n << b << false << -1;
    QTest::newRow("groups from letters") << "MyGroupId" << text("x") << n << b << false << 2;
    QTest::newRow("groups beyond 32 bits") << "MyGroupId" << text("3000000000") << n << b << false << 2;
    QTest::newRow("unknown key") << "Name" << text("x") << n << b << false << 2;
    QTest::newRow("key in other case") << "username" << text("x") << n << b << false << 2;
}

void TestPeopleFile::paramValueConversions()
{
    QFETCH(QString, key);
    QFETCH(ParamValue, written);
    QFETCH(QString, name);
    QFETCH(QString, birthday);
    QFETCH(bool, selected);
    QFETCH(int, groups);
    cUserName u;
    u.kiParamValue("UserName", ParamValue::FromText("before"));
    u.kiParamValue("BirthDay", ParamValue::FromDate(Ymd(1960, 1, 1)));
    u.kiParamValue("MyGroupId", ParamValue::FromInt32(2));
    u.kiParamValue(key, written);
    QCOMPARE(u.kiParamValue("UserName"), ParamValue::FromText(name));
    QCOMPARE(u.kiParamValue("BirthDay"), ParamValue::FromDate(*ParseDate(birthday)));
    QCOMPARE(u.kiParamValue("Selected"), ParamValue::FromBool(selected));
    QCOMPARE(u.kiParamValue("MyGroupId"), ParamValue::FromInt32(groups));
    QVERIFY(u.kiParamValue(key == "UserName" ? "UserNames" : key.toLower()).IsEmpty());
}

void TestPeopleFile::emptyFileIs326Bytes()
{
    PeopleList list;
    const QByteArray bytes = basUserInfo::PeopleFileBytes(list);
    QCOMPARE(bytes, QByteArray("00002.00") + QByteArray(318, '\0'));
    QCOMPARE(bytes.size(), 326);
}

void TestPeopleFile::abcRecordIs27Bytes()
{
    PeopleList list;
    Fill(list, {{QStringLiteral("abc"), Ymd(1970, 1, 1), true, 1}});
    const QByteArray bytes = basUserInfo::PeopleFileBytes(list);
    QCOMPARE(bytes.size(), 326 + 27);
    QCOMPARE(bytes.mid(322, 4), QByteArray::fromHex("01000000"));
    QCOMPARE(bytes.mid(326),
             QByteArray::fromHex("08000300616263"
                                 "07000000000040f8d840"
                                 "0b00ffff"
                                 "030001000000"));
}

void TestPeopleFile::doubleByteNameLength()
{
    PeopleList list;
    Fill(list, {{QStringLiteral("山田"), Ymd(1970, 1, 1), false, 0}});
    const QByteArray bytes = basUserInfo::PeopleFileBytes(list);
    QCOMPARE(bytes.mid(326, 8), QByteArray::fromHex("080004008e529363"));
    QCOMPARE(bytes.size(), 326 + 24 + 4);
}

void TestPeopleFile::writtenFileReadsBack()
{
    SampleGroups();
    PeopleList list;
    Fill(list, Sample);
    const QByteArray expected = QByteArray("00002.00") + I32(3) + I32(2) + I32(1) + I16(4) + Cp932::Encode("家族")
        + I32(1) + I32(2) + I16(7) + QByteArray("friends") + QByteArray(29 * 10, '\0') + I32(3) + V2Record(Sample[0])
        + V2Record(Sample[1]) + V2Record(Sample[2]);
    const QByteArray bytes = basUserInfo::PeopleFileBytes(list);
    QCOMPARE(bytes, expected);

    basGroup::ResetForTests();
    PeopleList back;
    QCOMPARE(ReadBytes(bytes, back), basUserInfo::ReadResult::Complete);
    QCOMPARE(back.Count(), 3);
    for (int i = 1; i <= 3; ++i) {
        QVERIFY(Same(Read(back, i), Sample[i - 1]));
    }
    QCOMPARE(basGroup::GroupMask(), 3);
    QCOMPARE(basUserInfo::PeopleFileBytes(back), bytes);
}

void TestPeopleFile::overlongNameStaysReadable()
{
    PeopleList list;
    Fill(list, {{QString(40000, QChar(0x5C71)), Ymd(1970, 1, 1), true, 0}, Sample[0]});
    const QByteArray bytes = basUserInfo::PeopleFileBytes(list);
    // The length field says 65534: the 32767 whole characters that fit, never a wrapped-around count.
    QCOMPARE(bytes.mid(326, 4), QByteArray::fromHex("0800feff"));
    PeopleList back;
    QCOMPARE(ReadBytes(bytes, back), basUserInfo::ReadResult::Complete);
    QCOMPARE(back.Count(), 2);
    QCOMPARE(Read(back, 1).name, QString(32767, QChar(0x5C71)));
    QVERIFY(Same(Read(back, 2), Sample[0]));
}

void TestPeopleFile::version1LoadsAndSavesAsVersion2()
{
    TempProgramFolder dir;
    dir.Write("kirvo.dat",
              QByteArray("00001.00") + I32(3) + V1Record(Sample[0]) + V1Record(Sample[1]) + V1Record(Sample[2]));
    SampleGroups();
    basGroup::SetCurrentGroup(1);
    PeopleList list;
    Fill(list, {Sample[1]});
    QCOMPARE(basUserInfo::LoadPeopleFile(list, dir.Path()).kind, basUserInfo::LoadFinding::Kind::None);
    QCOMPARE(list.Count(), 3);
    for (int i = 1; i <= 3; ++i) {
        Person expected = Sample[i - 1];
        expected.groups = 0;
        QVERIFY(Same(Read(list, i), expected));
    }
    QCOMPARE(basGroup::GroupMask(), 0);
    QCOMPARE(basGroup::CurrentGroup(), 1);

    QVERIFY(basUserInfo::SavePeopleFile(list, dir.Path()).ok);
    const QByteArray saved = dir.Read("kirvo.dat");
    QCOMPARE(saved,
             QByteArray("00002.00") + EmptyGroupTable() + I32(3)
                 + V2Record({Sample[0].name, Sample[0].birthday, true, 0})
                 + V2Record({Sample[1].name, Sample[1].birthday, false, 0})
                 + V2Record({Sample[2].name, Sample[2].birthday, true, 0}));
    QVERIFY(!QFile::exists(dir.File("kirvo.dat.bak")));
}

void TestPeopleFile::missingFileIsSilent()
{
    TempProgramFolder dir;
    SampleGroups();
    const QByteArray groups = basUserInfo::PeopleFileBytes(PeopleList());
    PeopleList list;
    Fill(list, Sample);
    QCOMPARE(basUserInfo::LoadPeopleFile(list, dir.Path()).kind, basUserInfo::LoadFinding::Kind::None);
    QCOMPARE(list.Count(), 0);
    QCOMPARE(basUserInfo::PeopleFileBytes(PeopleList()), groups);
}

void TestPeopleFile::wrongVersionMark_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("people");
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<bool>("keptAsBackup");
    const QByteArray v2 = QByteArray("00002.00") + EmptyGroupTable();
    const QByteArray body = EmptyGroupTable() + I32(1) + V2Record(Sample[0]);
    const QString unreadable = QStringLiteral("データファイルの読み込みに失敗しました。");
    const QString damaged = QStringLiteral("データファイルの一部を読み込めませんでした。");
    QTest::newRow("newer version") << QByteArray("00003.00") + body << 0 << unreadable << true;
    QTest::newRow("letter for a digit") << QByteArray("00002.0O") + body << 0 << unreadable << true;
    QTest::newRow("text file") << QByteArray("BirthDay=1970/1/1,abc\r\n") << 0 << unreadable << true;
    QTest::newRow("shorter than the mark") << QByteArray("00002") << 0 << unreadable << true;
    QTest::newRow("empty file") << QByteArray() << 0 << unreadable << false;
    QTest::newRow("bad type code") << v2 + I32(2) + V2Record(Sample[0]) + I16(5) + I16(0) << 1 << damaged << true;
    QTest::newRow("record cut short") << v2 + I32(2) + V2Record(Sample[0]) + V2Record(Sample[1]).left(9) << 1 << damaged
                                      << true;
    QTest::newRow("count of -1") << v2 + I32(-1) + V2Record(Sample[0]) << 0 << damaged << true;
    // A save would drop what follows the last counted person: that is damage too.
    QTest::newRow("bytes after the last person")
        << v2 + I32(1) + V2Record(Sample[0]) + QByteArray("trailing junk \xff\xff") << 1 << damaged << true;
}

void TestPeopleFile::wrongVersionMark()
{
    // A file that cannot be read whole is reported once, and kept under the next free backup name before
    // the first save over it; an older backup is never overwritten.
    QFETCH(QByteArray, file);
    QFETCH(int, people);
    QFETCH(QString, sentence);
    QFETCH(bool, keptAsBackup);
    TempProgramFolder dir;
    dir.Write("kirvo.dat", file);
    dir.Write("kirvo.dat.bak", "an older backup");
    SampleGroups();
    const QByteArray groups = basUserInfo::PeopleFileBytes(PeopleList());

    PeopleList list;
    Fill(list, Sample);
    const basUserInfo::LoadFinding finding = basUserInfo::LoadPeopleFile(list, dir.Path());
    QCOMPARE(list.Count(), people);
    if (sentence.endsWith(QStringLiteral("失敗しました。"))) {
        // Nothing was read: the group table stays as it was.
        QCOMPARE(basUserInfo::PeopleFileBytes(PeopleList()), groups);
    }
    QString expected = sentence + QStringLiteral("\r\n") + dir.File("kirvo.dat");
    if (keptAsBackup) {
        expected += QStringLiteral("\r\nこのファイルは、次に保存する前に kirvo.dat.bak.2 として残します。");
    }
    QCOMPARE(basUserInfo::LoadFindingText(finding), expected);

    Fill(list, {Sample[2]});
    QVERIFY(basUserInfo::SavePeopleFile(list, dir.Path()).ok);
    QCOMPARE(dir.Read("kirvo.dat.bak"), QByteArray("an older backup"));
    QCOMPARE(QFile::exists(dir.File("kirvo.dat.bak.2")), keptAsBackup);
    if (keptAsBackup) {
        QCOMPARE(dir.Read("kirvo.dat.bak.2"), file);
    }
    QCOMPARE(dir.Read("kirvo.dat"), basUserInfo::PeopleFileBytes(list));
    // Once the file is whole again nothing more is backed up.
    Fill(list, {Sample[1]});
    QVERIFY(basUserInfo::SavePeopleFile(list, dir.Path()).ok);
    QVERIFY(!QFile::exists(dir.File("kirvo.dat.bak.3")));
}

void TestPeopleFile::truncatedAtEveryOffset()
{
    SampleGroups();
    PeopleList sample;
    Fill(sample, Sample);
    const QByteArray bytes = basUserInfo::PeopleFileBytes(sample);
    QList<int> recordEnds;
    int end = bytes.size();
    for (int i = Sample.size() - 1; i >= 0; --i) {
        recordEnds.prepend(end);
        end -= V2Record(Sample[i]).size();
    }

    for (int cut = 0; cut <= bytes.size(); ++cut) {
        PeopleList list;
        const basUserInfo::ReadResult result = ReadBytes(bytes.left(cut), list);
        const QByteArray where = QByteArray("cut at ") + QByteArray::number(cut);
        if (cut < 8) {
            QVERIFY2(result == basUserInfo::ReadResult::BadVersion, where);
            QVERIFY2(list.Count() == 0, where);
            continue;
        }
        int complete = 0;
        while (complete < recordEnds.size() && recordEnds[complete] <= cut) {
            ++complete;
        }
        QVERIFY2(list.Count() == complete, where);
        QVERIFY2((result == basUserInfo::ReadResult::Complete) == (cut == bytes.size()), where);
        for (int i = 1; i <= complete; ++i) {
            QVERIFY2(Same(Read(list, i), Sample[i - 1]), where);
        }
    }
}

void TestPeopleFile::countIsNeverTrusted_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("people");
    QTest::addColumn<bool>("complete");
    const QByteArray v2 = QByteArray("00002.00") + EmptyGroupTable();
    QTest::newRow("two billion, one there") << v2 + I32(2000000000) + V2Record(Sample[0]) << 1 << false;
    QTest::newRow("largest count, none there") << v2 + I32(0x7fffffff) << 0 << false;
    QTest::newRow("negative count") << v2 + I32(-5) + V2Record(Sample[0]) << 0 << false;
    QTest::newRow("version 1, two billion")
        << QByteArray("00001.00") + I32(2000000000) + V1Record(Sample[1]) + V1Record(Sample[2]) << 2 << false;
    QTest::newRow("unknown tag ends the read")
        << v2 + I32(3) + V2Record(Sample[0]) + I16(5) + I16(0) + V2Record(Sample[2]) << 1 << false;
    QTest::newRow("name longer than the file") << v2 + I32(1) + I16(8) + I16(-1) + QByteArray("abc") << 0 << false;
    QTest::newRow("no count") << v2 << 0 << false;
}

void TestPeopleFile::countIsNeverTrusted()
{
    QFETCH(QByteArray, file);
    QFETCH(int, people);
    QFETCH(bool, complete);
    PeopleList list;
    const basUserInfo::ReadResult result = ReadBytes(file, list);
    QCOMPARE(list.Count(), people);
    QCOMPARE(result == basUserInfo::ReadResult::Complete, complete);
}

void TestPeopleFile::fieldsOfAnotherTypeConvert()
{
    const QByteArray v2 = QByteArray("00002.00") + EmptyGroupTable();
    const QByteArray file = v2
        + I32(2)
        // a number as the name, a date as text, a Boolean stored as 1, a group mask as text
        + IntField(12) + Str("2001/12/3") + I16(11) + I16(1)
        + Str("6")
        // a date that is not a number keeps the zero date; reading goes on
        + Str("nan") + I16(7) + F64(std::numeric_limits<double>::quiet_NaN()) + BoolField(false) + Str("x");
    PeopleList list;
    QCOMPARE(ReadBytes(file, list), basUserInfo::ReadResult::Complete);
    QCOMPARE(list.Count(), 2);
    QVERIFY(Same(Read(list, 1), {QStringLiteral("12"), Ymd(2001, 12, 3), true, 6}));
    QVERIFY(Same(Read(list, 2), {QStringLiteral("nan"), Date(), false, 0}));
}

void TestPeopleFile::failedSaveKeepsThePreviousFile()
{
    TempProgramFolder dir;
    PeopleList list;
    Fill(list, Sample);
    QVERIFY(basUserInfo::SavePeopleFile(PeopleList(), dir.Path()).ok);
    const QByteArray empty = dir.Read("kirvo.dat");
    for (SafeFile::Step step : {SafeFile::Step::Open, SafeFile::Step::Write, SafeFile::Step::Commit}) {
        SafeFile::SetFaultForTests([step](SafeFile::Step s) { return s == step; });
        const SafeFile::Result result = basUserInfo::SavePeopleFile(list, dir.Path());
        QVERIFY(!result.ok);
        QCOMPARE(result.failedStep, step);
        QCOMPARE(dir.Read("kirvo.dat"), empty);
    }
    QCOMPARE(QDir(dir.Path()).entryList(QDir::Files), QStringList {"kirvo.dat"});
}

void TestPeopleFile::checkedPeopleFillTheDisplayList()
{
    PeopleList list;
    Fill(list, Sample);
    basParam::AddDisplayPerson(QStringLiteral("before"), Date());
    // The third person has no entry: unchecked.
    basUserInfo::ShowCheckedPeople(list, {false, true});
    QCOMPARE(basParam::DisplayCount(), qint16(1));
    QCOMPARE(basParam::DisplayName(1), Sample[1].name);
    QCOMPARE(basParam::DisplayBirthDay(1), Sample[1].birthday);
    QCOMPARE(Read(list, 1).selected, false);
    QCOMPARE(Read(list, 2).selected, true);
    QCOMPARE(Read(list, 3).selected, false);
}

QTEST_GUILESS_MAIN(TestPeopleFile)
#include "tst_peoplefile.moc"
