#include "PeopleTestSupport.h"

#include <QBuffer>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "FormTestSupport.h"
#include "TestSupport.h"
#include "groups/core/basGroup.h"
#include "people/core/basUserInfo.h"

namespace {

Date BornOn(int position)
{
    return *Date::FromYmd(1970, 1, position);
}

} // namespace

void WritePeople(const TempProgramFolder& dir, const QList<TestPerson>& people)
{
    PeopleList list;
    for (const TestPerson& p : people) {
        cUserName& u = list.Add();
        u.kiParamValue(QStringLiteral("UserName"), ParamValue::FromText(p.name));
        u.kiParamValue(QStringLiteral("BirthDay"),
                       ParamValue::FromDate(p.birthday ? *p.birthday : BornOn(list.Count())));
        u.kiParamValue(QStringLiteral("Selected"), ParamValue::FromBool(p.selected));
        u.kiParamValue(QStringLiteral("MyGroupId"), ParamValue::FromInt32(p.groups));
    }
    dir.Write(QStringLiteral("kirvo.dat"), basUserInfo::PeopleFileBytes(list));
}

QList<TestPerson> SavedPeople(const TempProgramFolder& dir)
{
    QBuffer buffer;
    buffer.setData(dir.Read(QStringLiteral("kirvo.dat")));
    buffer.open(QIODevice::ReadOnly);
    PeopleList list;
    basUserInfo::ReadPeople(buffer, list);
    QList<TestPerson> people;
    for (int i = 1; i <= list.Count(); ++i) {
        const cUserName* u = list.Item(i);
        people.append({u->kiParamValue(QStringLiteral("UserName")).AsText(),
                       u->kiParamValue(QStringLiteral("BirthDay")).AsDate(),
                       u->kiParamValue(QStringLiteral("Selected")).AsBool(),
                       u->kiParamValue(QStringLiteral("MyGroupId")).AsInt()});
    }
    return people;
}

QList<TestPerson> Named(const QStringList& names, bool selected)
{
    QList<TestPerson> people;
    for (int i = 0; i < names.size(); ++i) {
        people.append({names[i], BornOn(1 + i), selected, 0});
    }
    return people;
}

void TestPeople::Add(const QString& name, qint32 groups, std::optional<Date> birthday)
{
    cUserName& u = m_list.Add();
    u.kiParamValue(QStringLiteral("UserName"), ParamValue::FromText(name));
    u.kiParamValue(QStringLiteral("BirthDay"), ParamValue::FromDate(birthday ? *birthday : BornOn(m_list.Count())));
    u.kiParamValue(QStringLiteral("MyGroupId"), ParamValue::FromInt32(groups));
}

QList<qint32> TestPeople::Masks() const
{
    QList<qint32> masks;
    for (qint32 i = 1; i <= m_list.Count(); ++i) {
        masks << m_list.Item(i)->kiParamValue(QStringLiteral("MyGroupId")).AsInt();
    }
    return masks;
}

void TestPeople::SetMasks(const QList<qint32>& masks)
{
    for (qint32 i = 1; i <= m_list.Count() && i <= masks.size(); ++i) {
        m_list.Item(i)->kiParamValue(QStringLiteral("MyGroupId"), ParamValue::FromInt32(masks[i - 1]));
    }
}

void RegisterGroup(const QString& name, const QList<bool>& checks)
{
    WhenModal(QStringLiteral("frmGroupEdit"), [name, checks](QDialog* edit) {
        Commit(Find<QLineEdit>(edit, QStringLiteral("txtGroupName")), name);
        SetRowChecks(Find<QListWidget>(edit, QStringLiteral("lstGroupList")), checks);
        Click(edit, "cmdEntry");
    });
}

GroupRecordView GroupAt(int position)
{
    GroupRecordView r;
    basGroup::GetGroup(r.count, r.bit, r.name, position);
    return r;
}

char* toString(const GroupRecordView& r)
{
    return QTest::toString(QStringLiteral("{%1, %2, \"%3\"}").arg(r.count).arg(r.bit).arg(r.name));
}
