#include "basGroup.h"

#include <QIODevice>
#include <QtAlgorithms>

#include <array>

#include "BinaryFields.h"

namespace {

struct GroupRecord
{
    qint32 memberCount = 0;
    qint32 groupBit = 0;
    QString name;
};

struct GroupTable
{
    qint32 inUseMask = 0;
    std::array<GroupRecord, basGroup::GroupSlots> records;
    int current = 0;
};

GroupTable g_table;

bool ValidPosition(int position)
{
    return position >= 0 && position < basGroup::GroupSlots;
}

// The mask is added to and subtracted from as plain numbers; wrap around rather than overflow.
qint32 WrappingAdd(qint32 a, qint32 b)
{
    return static_cast<qint32>(static_cast<quint32>(a) + static_cast<quint32>(b));
}

} // namespace

namespace basGroup {

int GetGroup(qint32& plCount, qint32& plGroupBit, QString& psName, int plPosition)
{
    const int position = plPosition == -1 ? g_table.current : plPosition;
    if (!ValidPosition(position)) {
        plCount = 0;
        plGroupBit = 0;
        psName.clear();
        return -1;
    }
    const GroupRecord& record = g_table.records[position];
    plCount = record.memberCount;
    plGroupBit = record.groupBit;
    psName = record.name;
    return position;
}

void SetGroup(const QString& psName, int plPosition, qint32 plCount, qint32 plGroupBit)
{
    if (plPosition == -1) {
        const qint32 bit = FreeGroupBit();
        if (bit == 0) {
            return;
        }
        const int k = qCountTrailingZeroBits(static_cast<quint32>(bit));
        g_table.records[k] = GroupRecord {0, bit, psName};
        g_table.inUseMask = WrappingAdd(g_table.inUseMask, bit);
        g_table.current = k;
        return;
    }
    if (!ValidPosition(plPosition)) {
        return;
    }
    g_table.records[plPosition] = GroupRecord {plCount, plGroupBit, psName};
    g_table.current = plPosition;
}

qint32 FreeGroupBit()
{
    for (int k = 0; k < MaxGroups; ++k) {
        const qint32 bit = qint32(1) << k;
        if ((g_table.inUseMask & bit) == 0) {
            return bit;
        }
    }
    return 0;
}

void AddGroupMask(qint32 plAmount)
{
    g_table.inUseMask = WrappingAdd(g_table.inUseMask, plAmount);
}

void SetCurrentGroup(int plPosition)
{
    if (ValidPosition(plPosition)) {
        g_table.current = plPosition;
    }
}

qint32 GroupMask()
{
    return g_table.inUseMask;
}

int CurrentGroup()
{
    return g_table.current;
}

void ResetGroupTable()
{
    g_table.inUseMask = 0;
    g_table.records.fill(GroupRecord());
}

bool ReadGroupTable(QIODevice& file)
{
    const auto mask = BinaryFields::ReadInt32(file);
    if (!mask) {
        return false;
    }
    g_table.inUseMask = *mask;
    g_table.records.fill(GroupRecord());
    for (GroupRecord& record : g_table.records) {
        const auto count = BinaryFields::ReadInt32(file);
        const auto bit = count ? BinaryFields::ReadInt32(file) : std::nullopt;
        const auto name = bit ? BinaryFields::ReadCountedText(file) : std::nullopt;
        if (!name) {
            return false;
        }
        record = GroupRecord {*count, *bit, *name};
    }
    return true;
}

bool WriteGroupTable(QIODevice& file)
{
    if (!BinaryFields::WriteInt32(file, g_table.inUseMask)) {
        return false;
    }
    for (const GroupRecord& record : g_table.records) {
        if (!BinaryFields::WriteInt32(file, record.memberCount) || !BinaryFields::WriteInt32(file, record.groupBit)
            || !BinaryFields::WriteCountedText(file, record.name)) {
            return false;
        }
    }
    return true;
}

void ResetForTests()
{
    g_table = GroupTable();
}

} // namespace basGroup
