#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <functional>

#include "platform/core/Date.h"
#include "platform/core/DelimitedText.h"
#include "platform/core/SafeFile.h"

class PeopleList;
class QIODevice;

/// The people file kirvo.dat beside the program: the people list and the group table, binary, little-endian.
/// Version 2 ("00002.00") is written; version 1 ("00001.00", no groups) is read too.
/// Also the people text files: one person a line, name and birthday separated by a delimiter, CP932, CR LF.
namespace basUserInfo {

/// Tags of the tagged values that hold a person's fields.
enum Tag : qint16 { TagInt32 = 3, TagDate = 7, TagString = 8, TagBool = 11 };

/// How reading the people file ended.
enum class ReadResult {
    Complete, // every counted person was read, and nothing follows them
    Damaged, // the file ended early, held a field this program does not know, or went on after the last
             // counted person; the people before stay
    BadVersion, // neither version mark: nothing was read
};

/// No people file comes near this size: a larger one (a damaged disk, a bad copy) is not read, and it is
/// moved aside rather than copied before the next save.
constexpr qint64 MaxPeopleFileBytes = qint64(256) << 20;
/// Nor does a people text file: a larger one is not imported.
constexpr qint64 MaxPeopleTextBytes = qint64(256) << 20;

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

/// What loading the people file found, for the form to tell the user.
struct LoadFinding
{
    enum class Kind {
        None, // read whole, or no file yet
        Damaged, // the people before the damage were loaded
        Unreadable, // no version mark this program knows, or not a regular file: the list stays empty
    };
    Kind kind = Kind::None;
    QString path; // the people file
    QString backupPath; // where the file is kept before the next save over it; empty when it is not kept
};

/// Loads the people file of the program's folder into the list. A missing file gives an empty list and no
/// finding; a damaged file keeps the people before the damage; an unreadable version mark, or something other
/// than a regular file (never read), gives an empty list.
LoadFinding LoadPeopleFile(PeopleList& list);
LoadFinding LoadPeopleFile(PeopleList& list, const QString& programFolder);

/// The "エラー" message for a finding: what went wrong, the file's full path and, when the file is kept, under
/// which backup name. Empty when there is nothing to say.
QString LoadFindingText(const LoadFinding& finding);

/// What the user is told when the people file could not be read or written (before the file's path).
QString ReadFailureText();
QString WriteFailureText();

/// How a people file that cannot be read whole was kept before the first save over it.
struct Keeping
{
    enum class How {
        NotNeeded, // the file reads whole, or there is none
        Copied, // its bytes were written to the backup name
        CopyFailed, // the copy could not be written: copy says why, and nothing was left behind
        MovedAside, // unreadable, so it was renamed to the backup name
        MoveFailed, // unreadable and could not be renamed
    };
    How how = How::NotNeeded;
    QString backupPath;
    SafeFile::Result copy;
};

/// Keeps a people file that cannot be read whole under the next backup name (never overwriting an older
/// backup). Run before every save; it does nothing for a sound file.
Keeping KeepUnreadablePeopleFile(const QString& programFolder);

/// Writes the list and the group table as a version-2 people file, whole or not at all.
SafeFile::Result WritePeopleFile(const PeopleList& list, const QString& programFolder);

/// One save with nobody to ask: keeps an unreadable file, then writes the list. A form that offers Retry runs
/// the two steps itself, so that a retried write does not keep the old file twice.
SafeFile::Result SavePeopleFile(const PeopleList& list, const QString& programFolder);

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
/// become spaces, the birthday part is read as a date with spaces around it allowed. For a bad line, why
/// (when given) says what is wrong with it, in the user's words.
LineResult
ReadPeopleLine(const QString& line, const TextFormat& format, QString& name, Date& birthday, QString* why = nullptr);

/// A line of a people text file that could not be read: its number (every line counts, from 1) and what is
/// wrong with it.
struct BadLine
{
    qint64 number = 0;
    QString why;
};

/// How a people text file's bytes are read: UTF-8 when they start with its byte-order mark, or when they are
/// all valid UTF-8 and hold at least one byte beyond ASCII (what editors on Linux save); code page 932
/// otherwise (Japanese text in code page 932 practically never forms valid UTF-8). Where it does (a
/// half-width katakana before a kanji can), bytes that read whole as code page 932 while their UTF-8 reading
/// holds characters the files cannot keep are code page 932.
bool IsUtf8Text(const QByteArray& bytes);

/// Appends the people of a people text file's bytes to the list, unchecked and in no group. A line ends at
/// CR LF, CR or LF. For each bad line, askContinue is told which and why, and answers whether to go on. False
/// when it answered no; the people appended before stay.
bool ReadPeopleText(const QByteArray& bytes,
                    const TextFormat& format,
                    PeopleList& list,
                    const std::function<bool(const BadLine&)>& askContinue);

/// Writes the list as a people text file in the layout of the settings, whole or not at all.
SafeFile::Result ExportPeople(const PeopleList& list, const QString& path);

/// How an import ended.
enum class ImportResult {
    Complete, // read to its end
    Stopped, // askContinue answered no at a bad line; the people before it were appended
    Unreadable, // not a regular file, or it could not be read: nothing appended
};

/// Appends the people of a people text file in the layout of the settings to the list. For each bad line,
/// askContinue is told which and why, and answers whether to go on.
ImportResult
ImportPeople(PeopleList& list, const QString& path, const std::function<bool(const BadLine&)>& askContinue);

/// What the user is told when a people text file could not be written or read (before the file's path), and
/// the question asked at a bad line.
QString TextWriteFailureText();
QString TextReadFailureText();
QString BadLineQuestion(const BadLine& line, const QString& path);

} // namespace basUserInfo
