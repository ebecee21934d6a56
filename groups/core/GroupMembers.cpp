#include "GroupMembers.h"

#include "PeopleSource.h"

namespace GroupMembers {

qint32 Apply(PeopleSource& people, qint32 groupBit, const QList<bool>& members)
{
    const QString key = QStringLiteral("MyGroupId");
    qint32 count = 0;
    const qint32 n = people.kibGetNumUserInfo();
    for (qint32 i = 1; i <= n; ++i) {
        PersonRecord* person = nullptr;
        people.kibGetUserInfo(person, i);
        if (!person) {
            continue;
        }
        const bool member = i - 1 < members.size() && members[i - 1];
        const qint32 mask = person->kiParamValue(key).AsInt();
        // The bit is added only where absent and taken away only where present, so the other groups' bits
        // stay as they are.
        if (member) {
            ++count;
            if ((mask & groupBit) == 0) {
                person->kiParamValue(key, ParamValue::FromInt32(mask | groupBit));
            }
        } else if ((mask & groupBit) != 0) {
            person->kiParamValue(key, ParamValue::FromInt32(mask & ~groupBit));
        }
    }
    return count;
}

} // namespace GroupMembers
