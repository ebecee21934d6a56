// Writes the seed people files of fuzz/corpus/peoplefile with the program's own writer:
// make_seeds <folder>. Run it again when the people file format changes.
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

#include "groups/core/BinaryFields.h"
#include "groups/core/basGroup.h"
#include "people/core/basUserInfo.h"
#include "people/core/cUserName.h"

namespace {

void AddPerson(PeopleList& list, const QString& name, int y, int m, int d, bool selected, qint32 groups)
{
    cUserName& person = list.Add();
    person.kiParamValue(QStringLiteral("UserName"), ParamValue::FromText(name));
    person.kiParamValue(QStringLiteral("BirthDay"), ParamValue::FromDate(*Date::FromYmd(y, m, d)));
    person.kiParamValue(QStringLiteral("Selected"), ParamValue::FromBool(selected));
    person.kiParamValue(QStringLiteral("MyGroupId"), ParamValue::FromInt32(groups));
}

// Version 1 has no group table and three fields a person; the writer only makes version 2, so the older
// layout is put together from the same field writers.
QByteArray Version1Bytes()
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    BinaryFields::WriteBytes(out, QByteArrayLiteral("00001.00"));
    BinaryFields::WriteInt32(out, 2);
    const struct
    {
        const char* name;
        int y, m, d;
        bool selected;
    } people[] = {{"山田花子", 1965, 4, 3, true}, {"鈴木一郎", 1970, 11, 23, false}};
    for (const auto& p : people) {
        BinaryFields::WriteInt16(out, basUserInfo::TagString);
        BinaryFields::WriteCountedText(out, QString::fromUtf8(p.name));
        BinaryFields::WriteInt16(out, basUserInfo::TagDate);
        BinaryFields::WriteDouble(out, Date::FromYmd(p.y, p.m, p.d)->ToStoredDouble());
        BinaryFields::WriteInt16(out, basUserInfo::TagBool);
        BinaryFields::WriteInt16(out, p.selected ? qint16(-1) : qint16(0));
    }
    return bytes;
}

bool Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    bool ok = true;

    basGroup::ResetForTests();
    PeopleList empty;
    ok &= Write(folder.filePath(QStringLiteral("empty.dat")), basUserInfo::PeopleFileBytes(empty));

    PeopleList two;
    AddPerson(two, QStringLiteral("山田花子"), 1965, 4, 3, true, 0);
    AddPerson(two, QStringLiteral("鈴木一郎"), 1970, 11, 23, false, 0);
    ok &= Write(folder.filePath(QStringLiteral("two-people.dat")), basUserInfo::PeopleFileBytes(two));

    basGroup::SetGroup(QStringLiteral("家族"), -1, 0, 0);
    basGroup::SetGroup(QStringLiteral("会社"), -1, 0, 0);
    basGroup::SetGroup(QStringLiteral("家族"), 0, 2, 1);
    basGroup::SetGroup(QStringLiteral("会社"), 1, 2, 2);
    PeopleList grouped;
    AddPerson(grouped, QStringLiteral("山田花子"), 1965, 4, 3, true, 1);
    AddPerson(grouped, QStringLiteral("山田太郎"), 1999, 12, 31, true, 3);
    AddPerson(grouped, QStringLiteral("Taro \"T\", Jr."), 100, 1, 1, false, 2);
    AddPerson(grouped, QStringLiteral("未来"), 9999, 12, 31, false, 0);
    ok &= Write(folder.filePath(QStringLiteral("groups.dat")), basUserInfo::PeopleFileBytes(grouped));

    ok &= Write(folder.filePath(QStringLiteral("version1.dat")), Version1Bytes());
    return ok ? 0 : 1;
}
