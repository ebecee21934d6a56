#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <functional>

#include "platform/Date.h"
#include "platform/DelimitedText.h"

class PeopleList;
class QIODevice;
class QWidget;

/// The people file kirvo.dat beside the program: the people list and the group table, binary, little-endian.
/// Version 2 ("00002.00") is written; version 1 ("00001.00", no groups) is read too.
/// Also the people text files: one person a line, name and birthday separated by a delimiter, CP932, CR LF.
namespace basUserInfo {

/// Tags of the tagged values that hold a person's fields.
enum Tag : qint16 { TagInt32 = 3, TagDate = 7, TagString = 8, TagBool = 11 };

/// How reading the people file ended.
enum class ReadResult {
    Complete, // every counted person was read
    Damaged, // the file ended early or held a field this program does not know; the people before stay
    BadVersion, // neither version mark: nothing was read
};

/// The people file of a program folder, and the name the next backup of an unreadable or damaged one
/// takes: kirvo.dat.bak, or kirvo.dat.bak.2, .3 and so on when older backups exist (never overwritten).
QString PeopleFilePath(const QString& programFolder);
QString BackupFilePath(const QString& programFolder);

/// Reads a people file from the device's position into the list (emptied first). Version 1 resets the group
/// table and leaves every group mask 0; version 2 reads the group table. The person count is never trusted:
/// reading stops where the file ends.
ReadResult ReadPeople(QIODevice& file, PeopleList& list);

/// What OK in the people dialog does with its list: every person keeps its check mark ("Selected", entries
/// beyond the list's end counting as unchecked), and the checked people, in list order, become the display
/// list (as many as it holds).
void ShowCheckedPeople(PeopleList& list, const QList<bool>& checked);

/// The exact version-2 bytes of the list with the current group table.
QByteArray PeopleFileBytes(const PeopleList& list);

/// Loads the people file of the program's folder into the list. A missing file gives an empty list without a
/// word; an unreadable version mark gives an empty list and the "エラー" box with the file's full path (saying
/// under which backup name the next save keeps the file); a damaged file keeps the people before the damage
/// and says so once, in the same way. Something other than a regular file is not read: an empty list and the
/// "エラー" box.
void LoadPeopleFile(PeopleList& list, QWidget* parent = nullptr);
void LoadPeopleFile(PeopleList& list, const QString& programFolder, QWidget* parent = nullptr);

/// Writes the list and the group table as a version-2 people file. The previous file is replaced only when
/// the new one is complete; a failure asks Retry or Cancel, and Cancel leaves the previous file as it was.
/// A previous file that cannot be read whole is first kept under the next backup name. True when written.
bool SavePeopleFile(const PeopleList& list, QWidget* parent = nullptr);
bool SavePeopleFile(const PeopleList& list, const QString& programFolder, QWidget* parent = nullptr);

/// A name as a people text file writes it, and the name a field read from one stands for (the curve-values
/// file quotes its names the same way).
using DelimitedText::QuoteField;
using DelimitedText::UnquoteField;

/// The layout of a people text file: the delimiter and the order of the two fields.
struct TextFormat
{
    QString delimiter = QStringLiteral(",");
    bool nameFirst = false;
};

/// The layout chosen in the settings: DelimChar (an empty one counts as ",") and Position (1 = name first,
/// any other value birthday first).
TextFormat CurrentTextFormat();

/// The bytes of a people text file for the list: per person the birthday as "yyyy/m/d" and the quoted name,
/// in the order of the format, each line ended by CR LF.
QByteArray PeopleTextBytes(const PeopleList& list, const TextFormat& format);

/// How one line of a people text file reads.
enum class LineResult {
    Person, // a name and a birthday
    Skipped, // no delimiter, or an empty name: passed over without a word
    Bad, // a birthday that is not a date, or a name longer than the people file can hold
};

/// Reads one line (without its line end): leading spaces are dropped, the line is split at the delimiter
/// after the name's closing quote (or at its first delimiter), the name is unquoted and its control characters
/// become spaces, the birthday part is read as a date with spaces around it allowed.
LineResult ReadPeopleLine(const QString& line, const TextFormat& format, QString& name, Date& birthday);

/// Appends the people of a people text file's bytes to the list, unchecked and in no group. A line ends at
/// CR LF, CR or LF. For each bad line, askContinue gets its number (every line counts, from 1) and answers
/// whether to go on. False when it answered no; the people appended before stay.
bool ReadPeopleText(const QByteArray& bytes,
                    const TextFormat& format,
                    PeopleList& list,
                    const std::function<bool(qint64 lineNumber)>& askContinue);

/// Writes the list as a people text file in the layout of the settings. The previous file is replaced only
/// when the new one is complete; a failure asks Retry or Cancel, and Cancel leaves the previous file as it
/// was. True when written.
bool ExportPeople(const PeopleList& list, const QString& path, QWidget* parent = nullptr);

/// Appends the people of a people text file in the layout of the settings to the list. A file that cannot
/// be read asks Retry or Cancel; a bad line asks, naming its number, whether to go on. True when the file was
/// read to its end, false when the user stopped.
bool ImportPeople(PeopleList& list, const QString& path, QWidget* parent = nullptr);

} // namespace basUserInfo
