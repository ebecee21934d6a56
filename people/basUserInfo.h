#pragma once

#include <QByteArray>
#include <QString>

class PeopleList;
class QIODevice;
class QWidget;

/// The people file kirvo.dat beside the program: the people list and the group table, binary, little-endian.
/// Version 2 ("00002.00") is written; version 1 ("00001.00", no groups) is read too.
namespace basUserInfo {

/// Tags of the tagged values that hold a person's fields.
enum Tag : qint16 { TagInt32 = 3, TagDate = 7, TagString = 8, TagBool = 11 };

/// How reading the people file ended.
enum class ReadResult {
    Complete, // every counted person was read
    Damaged, // the file ended early or held a field this program does not know; the people before stay
    BadVersion, // neither version mark: nothing was read
};

/// The people file of a program folder, and the backup kept of an unreadable one.
QString PeopleFilePath(const QString& programFolder);
QString BackupFilePath(const QString& programFolder);

/// Reads a people file from the device's position into the list (emptied first). Version 1 resets the group
/// table and leaves every group mask 0; version 2 reads the group table. The person count is never trusted:
/// reading stops where the file ends.
ReadResult ReadPeople(QIODevice& file, PeopleList& list);

/// The exact version-2 bytes of the list with the current group table.
QByteArray PeopleFileBytes(const PeopleList& list);

/// Loads the people file of the program's folder into the list. A missing file gives an empty list without a
/// word; an unreadable version mark gives an empty list and the "エラー" box with the file's full path (saying
/// that the next save keeps the file as kirvo.dat.bak); a damaged file keeps the people before the damage.
void LoadPeopleFile(PeopleList& list, QWidget* parent = nullptr);
void LoadPeopleFile(PeopleList& list, const QString& programFolder, QWidget* parent = nullptr);

/// Writes the list and the group table as a version-2 people file. The previous file is replaced only when
/// the new one is complete; a failure asks Retry or Cancel, and Cancel leaves the previous file as it was.
/// A previous file whose version mark cannot be read is first kept as kirvo.dat.bak. True when written.
bool SavePeopleFile(const PeopleList& list, QWidget* parent = nullptr);
bool SavePeopleFile(const PeopleList& list, const QString& programFolder, QWidget* parent = nullptr);

} // namespace basUserInfo
