#pragma once

#include <QString>
#include <QtGlobal>

class QIODevice;

/// The group table: up to 30 named groups. A group keeps only its bit, its name and a member count; a person
/// belongs to every group whose bit is set in the person's "MyGroupId" mask. The table lives for the whole
/// run and travels inside the people file.
namespace basGroup {

/// Positions 0 to 30; the group with bit 2^k always sits at position k, position 30 never holds a group.
constexpr int GroupSlots = 31;
/// Bits 2^0 to 2^29.
constexpr int MaxGroups = 30;

/// Copies the record at a position (-1 for the current group) and returns the position used. A position
/// outside the table reads as a free record and returns -1.
int GetGroup(qint32& plCount, qint32& plGroupBit, QString& psName, int plPosition = -1);

/// Position -1 creates a group named psName with the lowest free bit, at that bit's position, and makes it
/// current (the count and bit arguments are not used then); nothing happens while all 30 bits are in use.
/// Any other position overwrites that record with the three values and makes it current.
void SetGroup(const QString& psName, int plPosition, qint32 plCount, qint32 plGroupBit);

/// The lowest group bit not in use, or 0 when all 30 are.
qint32 FreeGroupBit();

/// Adds an amount to the in-use mask; minus a group's bit removes it.
void AddGroupMask(qint32 plAmount);

/// Makes a position (0 to 30) the current group.
void SetCurrentGroup(int plPosition);

/// The in-use mask: the union of the bits of all groups.
qint32 GroupMask();

/// The position of the current group.
int CurrentGroup();

/// Mask 0 and every record free (count 0, bit 0, no name); the current group stays as it was.
void ResetGroupTable();

/// Reads the in-use mask and the 31 records at the file's position. False when the file ends early; the
/// records read by then stay, the rest are free.
bool ReadGroupTable(QIODevice& file);

/// Writes the in-use mask and the 31 records at the file's position. False when a write fails.
bool WriteGroupTable(QIODevice& file);

/// Test seam: the table as at start-up, current group 0.
void ResetForTests();

} // namespace basGroup
