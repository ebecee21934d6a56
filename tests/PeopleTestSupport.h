#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

#include "groups/core/PeopleSource.h"
#include "people/core/cUserName.h"
#include "platform/core/Date.h"

class TempProgramFolder;

/// One person of a people file, as a test writes and compares it.
struct TestPerson
{
    QString name;
    std::optional<Date> birthday; // none: born on 1970-01-(position in the file)
    bool selected = false;
    qint32 groups = 0;
};

/// Writes a people file through the writer with the current group table, so a dialog finds these people.
void WritePeople(const TempProgramFolder& dir, const QList<TestPerson>& people);

/// The people of the people file in the folder.
QList<TestPerson> SavedPeople(const TempProgramFolder& dir);

/// People of these names, born on 1970-01-01, -02 and so on, in no group.
QList<TestPerson> Named(const QStringList& names, bool selected = false);

/// The people the group dialogs work on, held the way the people dialog holds them.
class TestPeople : public PeopleSource
{
public:
    qint32 kibGetNumUserInfo() const override { return m_list.Count(); }
    void kibGetUserInfo(PersonRecord*& pcUserInfo, qint32 plIndex) const override { pcUserInfo = m_list.Item(plIndex); }

    /// Appends a person with a group mask, born on 1970-01-(position) unless a birthday is given.
    void Add(const QString& name, qint32 groups, std::optional<Date> birthday = std::nullopt);
    /// Every person's "MyGroupId", in list order.
    QList<qint32> Masks() const;
    void SetMasks(const QList<qint32>& masks);

private:
    PeopleList m_list;
};

/// Once the group edit dialog is up: types the name, checks the members and registers the group.
void RegisterGroup(const QString& name, const QList<bool>& checks);

/// A group record of the group table, as a test compares it.
struct GroupRecordView
{
    qint32 count = 0;
    qint32 bit = 0;
    QString name;
    bool operator==(const GroupRecordView& o) const { return count == o.count && bit == o.bit && name == o.name; }
};
GroupRecordView GroupAt(int position);
char* toString(const GroupRecordView& r);
