#pragma once

#include <QList>
#include <QtGlobal>

class PeopleSource;

/// Who belongs to a group, over the people dialog's open list.
namespace GroupMembers {

/// Gives the group bit to the people whose entry is true and takes it from the others (entries beyond the
/// list's end count as false); every other group's bit stays. Returns how many people now have the bit.
qint32 Apply(PeopleSource& people, qint32 groupBit, const QList<bool>& members);

} // namespace GroupMembers
