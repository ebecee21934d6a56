#include "basUserInfo.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QStringView>

#include <algorithm>

#include "app/basParam.h"
#include "cUserName.h"
#include "groups/core/BinaryFields.h"
#include "groups/core/basGroup.h"
#include "platform/core/Cp932.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/SafeFile.h"

namespace {

const QByteArray Version1 = QByteArrayLiteral("00001.00");
const QByteArray Version2 = QByteArrayLiteral("00002.00");

const QString KeyUserName = QStringLiteral("UserName");
const QString KeyBirthDay = QStringLiteral("BirthDay");
const QString KeySelected = QStringLiteral("Selected");
const QString KeyMyGroupId = QStringLiteral("MyGroupId");

// A field as read from the file: its value, or nothing for a date this program cannot hold (the field then
// keeps its default, as a value that does not convert does).
struct Field
{
    bool ok = false;
    std::optional<ParamValue> value;
};

Field ReadTagged(QIODevice& file)
{
    const auto tag = BinaryFields::ReadInt16(file);
    if (!tag) {
        return {};
    }
    switch (*tag) {
        case basUserInfo::TagString:
            if (const auto text = BinaryFields::ReadCountedText(file)) {
                return {true, ParamValue::FromText(*text)};
            }
            break;
        case basUserInfo::TagDate:
            if (const auto days = BinaryFields::ReadDouble(file)) {
                const auto date = Date::FromStoredDouble(*days);
                return {true, date ? std::optional<ParamValue>(ParamValue::FromDate(*date)) : std::nullopt};
            }
            break;
        case basUserInfo::TagBool:
            if (const auto flag = BinaryFields::ReadInt16(file)) {
                return {true, ParamValue::FromBool(*flag != 0)};
            }
            break;
        case basUserInfo::TagInt32:
            if (const auto n = BinaryFields::ReadInt32(file)) {
                return {true, ParamValue::FromInt32(*n)};
            }
            break;
        default:
            // A tag this program never writes: the bytes after it cannot be trusted.
            break;
    }
    return {};
}

bool WriteTagged(QIODevice& file, const ParamValue& value)
{
    switch (value.GetKind()) {
        case ParamValue::Kind::Text:
            return BinaryFields::WriteInt16(file, basUserInfo::TagString)
                && BinaryFields::WriteCountedText(file, value.ToText());
        case ParamValue::Kind::Date:
            return BinaryFields::WriteInt16(file, basUserInfo::TagDate)
                && BinaryFields::WriteDouble(file, value.AsDate().ToStoredDouble());
        case ParamValue::Kind::Bool:
            return BinaryFields::WriteInt16(file, basUserInfo::TagBool)
                && BinaryFields::WriteInt16(file, value.AsBool() ? qint16(-1) : qint16(0));
        case ParamValue::Kind::Int16:
        case ParamValue::Kind::Int32:
            return BinaryFields::WriteInt16(file, basUserInfo::TagInt32)
                && BinaryFields::WriteInt32(file, value.AsInt());
        case ParamValue::Kind::Empty:
            break;
    }
    return false;
}

// What the people file at a path would lose by being saved over.
enum class Existing {
    None, // missing, empty or whole: nothing to keep
    Unopenable, // a regular file that cannot be opened (it loaded as an empty list)
    BadVersion, // neither version mark
    Damaged, // the version mark is right but the records break off
    Refused, // not a regular file: never read, never replaced
};

// The group table is process-wide, and ReadPeople fills it: a look at a file that is not being loaded must
// leave the table as it was.
class GroupTableKeeper
{
public:
    GroupTableKeeper()
    {
        QBuffer buffer(&m_bytes);
        buffer.open(QIODevice::WriteOnly);
        basGroup::WriteGroupTable(buffer);
    }
    ~GroupTableKeeper()
    {
        QBuffer buffer(&m_bytes);
        buffer.open(QIODevice::ReadOnly);
        basGroup::ReadGroupTable(buffer);
    }
    GroupTableKeeper(const GroupTableKeeper&) = delete;
    GroupTableKeeper& operator=(const GroupTableKeeper&) = delete;

private:
    QByteArray m_bytes;
};

Existing ExaminePeopleFile(const QString& path)
{
    if (SafeFile::IsRefused(path)) {
        return Existing::Refused;
    }
    // A link to a file not there (a drive not mounted) holds nothing to keep: QFile would call it existing.
    if (!QFileInfo::exists(path)) {
        return Existing::None;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Existing::Unopenable;
    }
    if (file.size() == 0) {
        return Existing::None;
    }
    if (file.size() > basUserInfo::MaxPeopleFileBytes) {
        return Existing::BadVersion;
    }
    GroupTableKeeper keeper;
    PeopleList scratch;
    switch (basUserInfo::ReadPeople(file, scratch)) {
        case basUserInfo::ReadResult::Complete:
            return Existing::None;
        case basUserInfo::ReadResult::Damaged:
            return Existing::Damaged;
        case basUserInfo::ReadResult::BadVersion:
            break;
    }
    return Existing::BadVersion;
}

bool NeedsBackup(Existing existing)
{
    return existing == Existing::Unopenable || existing == Existing::BadVersion || existing == Existing::Damaged;
}

// No line a people text file needs comes near this: a name the people file can hold, its quotes doubled, a
// delimiter and a date. Longer lines are refused before they are decoded.
constexpr qsizetype MaxLineBytes = qsizetype(1) << 20;

QString LongLineReason()
{
    return QStringLiteral("行が長すぎます。");
}

const QByteArray Utf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");

// Where a line splits into its two fields, or -1 without a delimiter. A quoted name ends at its closing
// quote: a quote that is not one of a doubled pair and is followed by the delimiter.
qsizetype SplitPosition(QStringView text, const QString& delimiter)
{
    const QChar quote = QLatin1Char('"');
    if (text.startsWith(quote)) {
        if (delimiter != QString(quote)) {
            for (qsizetype i = 1; i < text.size(); ++i) {
                if (text[i] != quote) {
                    continue;
                }
                if (text.mid(i + 1).startsWith(delimiter)) {
                    return i + 1;
                }
                if (i + 1 < text.size() && text[i + 1] == quote) {
                    ++i;
                }
            }
        }
        // A name whose quotes do not pair up: the first quote followed by the delimiter ends it.
        const qsizetype pair = text.indexOf(QString(quote) + delimiter);
        if (pair >= 0) {
            return pair + 1;
        }
    }
    return text.indexOf(delimiter);
}

// A line break or other control character in a name would break the settings file and the lists.
QString WithoutControls(QString name)
{
    for (QChar& c : name) {
        if (c.category() == QChar::Other_Control) {
            c = QLatin1Char(' ');
        }
    }
    return name;
}

} // namespace

namespace basUserInfo {

QString PeopleFilePath(const QString& programFolder)
{
    return ProgramFolder::CompanionFile(programFolder, QStringLiteral(".dat"));
}

QString BackupFilePath(const QString& programFolder)
{
    // An older backup is never overwritten: each one takes the next free name.
    const QString first = ProgramFolder::CompanionFile(programFolder, QStringLiteral(".dat.bak"));
    QString candidate = first;
    for (int n = 2; QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink(); ++n) {
        candidate = first + QLatin1Char('.') + QString::number(n);
    }
    return candidate;
}

ReadResult ReadPeople(QIODevice& file, PeopleList& list)
{
    list.Clear();
    const QByteArray mark = file.read(Version2.size());
    const bool v1 = mark == Version1;
    if (!v1 && mark != Version2) {
        return ReadResult::BadVersion;
    }
    if (v1) {
        basGroup::ResetGroupTable();
    } else {
        // A damaged group table is not reported; the people after it are read as far as they go.
        basGroup::ReadGroupTable(file);
    }
    const auto count = BinaryFields::ReadInt32(file);
    if (!count || *count < 0) {
        return ReadResult::Damaged;
    }
    static const QString v1Keys[] = {KeyUserName, KeyBirthDay, KeySelected};
    static const QString v2Keys[] = {KeyUserName, KeyBirthDay, KeySelected, KeyMyGroupId};
    const QString* keys = v1 ? v1Keys : v2Keys;
    const int fields = v1 ? 3 : 4;
    // The count only says when to stop; the records themselves are read one by one until the file ends.
    for (qint32 i = 0; i < *count; ++i) {
        cUserName person;
        for (int f = 0; f < fields; ++f) {
            const Field field = ReadTagged(file);
            if (!field.ok) {
                return ReadResult::Damaged;
            }
            if (field.value) {
                person.kiParamValue(keys[f], *field.value);
            }
        }
        list.Add() = person;
    }
    // Bytes after the last counted person are damage too: a save would drop them.
    return file.atEnd() ? ReadResult::Complete : ReadResult::Damaged;
}

void ShowCheckedPeople(PeopleList& list, const QList<bool>& checked)
{
    const SettingsBatch batch;
    basParam::ClearDisplayList();
    for (qint32 i = 1; i <= list.Count(); ++i) {
        cUserName& person = *list.Item(i);
        const bool shown = i - 1 < checked.size() && checked[i - 1];
        if (shown) {
            basParam::AddDisplayPerson(person.kiParamValue(KeyUserName).AsText(),
                                       person.kiParamValue(KeyBirthDay).AsDate());
        }
        person.kiParamValue(KeySelected, ParamValue::FromBool(shown));
    }
}

QByteArray PeopleFileBytes(const PeopleList& list)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    BinaryFields::WriteBytes(buffer, Version2);
    basGroup::WriteGroupTable(buffer);
    BinaryFields::WriteInt32(buffer, list.Count());
    for (qint32 i = 1; i <= list.Count(); ++i) {
        const cUserName* person = list.Item(i);
        for (const QString& key : {KeyUserName, KeyBirthDay, KeySelected, KeyMyGroupId}) {
            WriteTagged(buffer, person->kiParamValue(key));
        }
    }
    return bytes;
}

LoadFinding LoadPeopleFile(PeopleList& list)
{
    return LoadPeopleFile(list, ProgramFolder::Get());
}

LoadFinding LoadPeopleFile(PeopleList& list, const QString& programFolder)
{
    list.Clear();
    LoadFinding finding;
    finding.path = PeopleFilePath(programFolder);
    // A device or a pipe could block or never end: only a regular file is read.
    if (SafeFile::IsRefused(finding.path)) {
        finding.kind = LoadFinding::Kind::Unreadable;
        return finding;
    }
    QFile file(finding.path);
    if (!file.open(QIODevice::ReadOnly)) {
        return finding;
    }
    // Far beyond any real list: not read at all.
    if (file.size() > MaxPeopleFileBytes) {
        finding.kind = LoadFinding::Kind::Unreadable;
        finding.backupPath = BackupFilePath(programFolder);
        return finding;
    }
    switch (ReadPeople(file, list)) {
        case ReadResult::Complete:
            return finding;
        case ReadResult::Damaged:
            // What precedes the damage is loaded; the whole file is kept before the next save over it.
            finding.kind = LoadFinding::Kind::Damaged;
            finding.backupPath = BackupFilePath(programFolder);
            return finding;
        case ReadResult::BadVersion:
            break;
    }
    file.close();
    finding.kind = LoadFinding::Kind::Unreadable;
    if (NeedsBackup(ExaminePeopleFile(finding.path))) {
        finding.backupPath = BackupFilePath(programFolder);
    }
    return finding;
}

QString LoadFindingText(const LoadFinding& finding)
{
    QString text;
    switch (finding.kind) {
        case LoadFinding::Kind::None:
            return text;
        case LoadFinding::Kind::Damaged:
            text = QStringLiteral("データファイルの一部を読み込めませんでした。");
            break;
        case LoadFinding::Kind::Unreadable:
            text = ReadFailureText();
            break;
    }
    text += QStringLiteral("\r\n") + ProgramFolder::DisplayPath(finding.path);
    if (!finding.backupPath.isEmpty()) {
        text += QStringLiteral("\r\nこのファイルは、次に保存する前に ") + QFileInfo(finding.backupPath).fileName()
            + QStringLiteral(" として残します。");
    }
    return text;
}

QString ReadFailureText()
{
    return QStringLiteral("データファイルの読み込みに失敗しました。");
}

QString WriteFailureText()
{
    return QStringLiteral("ユーザー情報ファイルの書き込みに失敗しました。");
}

Keeping KeepUnreadablePeopleFile(const QString& programFolder)
{
    Keeping keeping;
    const QString path = PeopleFilePath(programFolder);
    if (!NeedsBackup(ExaminePeopleFile(path))) {
        return keeping;
    }
    keeping.backupPath = BackupFilePath(programFolder);
    const SafeFile::ReadResult previous = SafeFile::Read(path, MaxPeopleFileBytes);
    if (previous.Ok()) {
        keeping.copy = SafeFile::Write(keeping.backupPath, previous.bytes);
        keeping.how = keeping.copy.ok ? Keeping::How::Copied : Keeping::How::CopyFailed;
    } else {
        // What cannot be read, or is too large to be worth a copy, can still be moved aside whole.
        keeping.how = QFile::rename(path, keeping.backupPath) ? Keeping::How::MovedAside : Keeping::How::MoveFailed;
    }
    return keeping;
}

SafeFile::Result WritePeopleFile(const PeopleList& list, const QString& programFolder)
{
    return SafeFile::Write(PeopleFilePath(programFolder), PeopleFileBytes(list));
}

SafeFile::Result SavePeopleFile(const PeopleList& list, const QString& programFolder)
{
    const Keeping keeping = KeepUnreadablePeopleFile(programFolder);
    switch (keeping.how) {
        case Keeping::How::CopyFailed:
            return keeping.copy;
        case Keeping::How::MoveFailed:
            return {false, SafeFile::Step::Open, QStringLiteral("cannot be moved to ") + keeping.backupPath};
        default:
            break;
    }
    return WritePeopleFile(list, programFolder);
}

TextFormat CurrentTextFormat()
{
    TextFormat format;
    const QString delimiter = basParam::GetParam(SettingKey::DelimChar).AsText();
    if (!delimiter.isEmpty()) {
        format.delimiter = delimiter;
    }
    format.nameFirst = basParam::GetParam(SettingKey::Position).AsInt() == 1;
    return format;
}

QByteArray PeopleTextBytes(const PeopleList& list, const TextFormat& format)
{
    const QString delimiter = format.delimiter.isEmpty() ? QStringLiteral(",") : format.delimiter;
    QStringList lines;
    lines.reserve(list.Count());
    for (qint32 i = 1; i <= list.Count(); ++i) {
        const cUserName* person = list.Item(i);
        // A line break inside a name would end its line early.
        QString name = person->kiParamValue(KeyUserName).AsText();
        name.replace(QLatin1Char('\r'), QLatin1Char(' '));
        name.replace(QLatin1Char('\n'), QLatin1Char(' '));
        const QString quoted = QuoteField(name, delimiter);
        const QString birthday = FormatYmd(person->kiParamValue(KeyBirthDay).AsDate());
        lines << (format.nameFirst ? quoted + delimiter + birthday : birthday + delimiter + quoted);
    }
    return Cp932::EncodeLines(lines);
}

namespace {

// Text the date reader and the unquoting can read in place: the line's own characters, not copied.
QString InPlace(QStringView text)
{
    return QString::fromRawData(text.data(), text.size());
}

// The control characters are the fixed set U+0000 to U+001F and U+007F to U+009F; most names hold none.
bool HasControls(QStringView name)
{
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7f && u <= 0x9f)) {
            return true;
        }
    }
    return false;
}

// Only a name beyond plain ASCII can hold a character the code page lacks.
bool AllAscii(QStringView name)
{
    for (const QChar c : name) {
        if (c.unicode() >= 0x80) {
            return false;
        }
    }
    return true;
}

// A line decoded from a file whose every byte formed a character holds only what the code page can write
// back; any other text is checked character by character.
// A bad line, and what is wrong with it for the question the user is asked.
LineResult Bad(QString* why, const QString& reason)
{
    if (why) {
        *why = reason;
    }
    return LineResult::Bad;
}

QString BadDateReason(QStringView field)
{
    const QString text = field.trimmed().toString();
    return text.isEmpty() ? QStringLiteral("誕生日がありません。")
                          : QStringLiteral("誕生日「%1」は日付として読めません。").arg(text.left(40));
}

QString UnwritableReason(const QString& name, const QString& unmappable)
{
    if (unmappable.contains(QChar(QChar::ReplacementCharacter))) {
        return QStringLiteral("名前「%1」に文字にならないバイトがあります。").arg(name.left(40));
    }
    return QStringLiteral("名前「%1」の「%2」は保存できない文字です。").arg(name.left(40), unmappable.left(10));
}

LineResult ReadLine(QStringView line,
                    const QString& delimiter,
                    bool nameFirst,
                    bool checkWritable,
                    QString& name,
                    Date& birthday,
                    QString* why)
{
    qsizetype start = 0;
    while (start < line.size() && line[start] == QLatin1Char(' ')) {
        ++start;
    }
    const QStringView text = line.mid(start);
    const qsizetype split = SplitPosition(text, delimiter);
    if (split < 0) {
        return LineResult::Skipped;
    }
    const QStringView before = text.left(split);
    const QStringView after = text.mid(split + delimiter.size());
    const QStringView dateField = nameFirst ? after : before;
    const auto date = ParseDate(InPlace(dateField));
    if (!date) {
        return Bad(why, BadDateReason(dateField));
    }
    const QStringView field = nameFirst ? before : after;
    if (field.isEmpty()) {
        return LineResult::Skipped;
    }
    // Only a field in quotes changes when unquoted; any other is taken as it stands.
    QString read = field.startsWith(QLatin1Char('"')) && field.endsWith(QLatin1Char('"')) ? UnquoteField(InPlace(field))
                                                                                          : field.toString();
    if (read.isEmpty()) {
        return LineResult::Skipped;
    }
    if (HasControls(read)) {
        read = WithoutControls(std::move(read));
    }
    // A name the files cannot keep (bytes that formed no character among them) is not taken.
    if (checkWritable && !AllAscii(read)) {
        const QString unmappable = Cp932::Unmappable(read);
        if (!unmappable.isEmpty()) {
            return Bad(why, UnwritableReason(read, unmappable));
        }
    }
    // A character takes at most two bytes, so only a long name needs measuring.
    if (read.size() > BinaryFields::MaxCountedBytes / 2 && Cp932::ByteLength(read) > BinaryFields::MaxCountedBytes) {
        return Bad(why, QStringLiteral("名前が長すぎます（%1 バイトまでです）。").arg(BinaryFields::MaxCountedBytes));
    }
    name = std::move(read);
    birthday = *date;
    return LineResult::Person;
}

// Where the line starting at pos ends: at the next CR or LF, or at the end.
template<typename Char>
qsizetype LineEnd(const Char* data, qsizetype pos, qsizetype size)
{
    while (pos < size && data[pos] != Char('\r') && data[pos] != Char('\n')) {
        ++pos;
    }
    return pos;
}

// Where the next line starts after the line end at pos: CR LF is one line end, CR or LF alone another.
template<typename Char>
qsizetype NextLine(const Char* data, qsizetype pos, qsizetype size)
{
    if (pos < size) {
        pos += data[pos] == Char('\r') && pos + 1 < size && data[pos + 1] == Char('\n') ? 2 : 1;
    }
    return pos;
}

// Whether the whole file decoded at once splits into the same lines as decoding each line by itself. It does
// when every byte formed a character: CR and LF are never part of a double-byte character. A byte that formed
// none may have taken the line end after it along, so such a file is decoded line by line.
bool DecodesLineByLine(const QByteArray& bytes, const QString& text)
{
    if (text.isEmpty() != bytes.isEmpty()) {
        return false;
    }
    // The decoder puts a substitute in the place of every byte that formed no character.
    return !text.contains(QChar(QChar::ReplacementCharacter)) && !text.contains(QChar(0x1a));
}

} // namespace

LineResult ReadPeopleLine(const QString& line, const TextFormat& format, QString& name, Date& birthday, QString* why)
{
    const QString delimiter = format.delimiter.isEmpty() ? QStringLiteral(",") : format.delimiter;
    return ReadLine(line, delimiter, format.nameFirst, true, name, birthday, why);
}

bool IsUtf8Text(const QByteArray& bytes)
{
    if (bytes.startsWith(Utf8Mark)) {
        return true;
    }
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return false; // the same text in either
    }
    if (!QByteArrayView(bytes).isValidUtf8()) {
        return false;
    }
    // Both readings are possible (a half-width katakana before a kanji forms a UTF-8 pair): code page 932 is
    // taken when its reading is whole and the UTF-8 one holds characters no people file can keep, as the
    // program's own exports always are.
    if (!Cp932::Unmappable(QString::fromUtf8(bytes)).isEmpty()
        && !Cp932::Decode(bytes).contains(QChar(QChar::ReplacementCharacter))) {
        return false;
    }
    return true;
}

bool ReadPeopleText(const QByteArray& bytes,
                    const TextFormat& format,
                    PeopleList& list,
                    const std::function<bool(const BadLine&)>& askContinue)
{
    const QString delimiter = format.delimiter.isEmpty() ? QStringLiteral(",") : format.delimiter;
    const char* data = bytes.constData();
    const qsizetype size = bytes.size();
    const bool utf8 = IsUtf8Text(bytes);
    // Decoded once for the whole file when that gives each line the text it has decoded by itself: always for
    // UTF-8, for code page 932 when every byte formed a character.
    QString whole;
    bool wholeFile = true;
    if (utf8) {
        const qsizetype mark = bytes.startsWith(Utf8Mark) ? Utf8Mark.size() : 0;
        whole = QString::fromUtf8(QByteArrayView(bytes).sliced(mark));
    } else {
        whole = Cp932::Decode(bytes);
        wholeFile = DecodesLineByLine(bytes, whole);
        if (!wholeFile) {
            whole.clear();
        }
    }
    const char16_t* text = reinterpret_cast<const char16_t*>(whole.utf16());
    const qsizetype textSize = whole.size();
    BadLine bad;
    // Appends a person read, or asks about a bad line; false when the answer is to stop.
    const auto take = [&](LineResult result, QString& name, Date birthday) {
        if (result == LineResult::Person) {
            cUserName& person = list.Add();
            person.kiParamValue(KeyUserName, ParamValue::FromText(name));
            person.kiParamValue(KeyBirthDay, ParamValue::FromDate(birthday));
        } else if (result == LineResult::Bad && !askContinue(bad)) {
            return false;
        }
        return true;
    };
    if (utf8 || (wholeFile && size <= MaxLineBytes)) {
        // Lines read from the text alone: a UTF-8 file, or one no longer than the line limit, which holds no
        // line over it. Only code page 932 text decoded whole needs no check that the files can keep it.
        for (qsizetype textPos = 0; textPos < textSize;) {
            const qsizetype textEnd = LineEnd(text, textPos, textSize);
            ++bad.number;
            QString name;
            Date birthday;
            const QStringView line(text + textPos, textEnd - textPos);
            const LineResult result = line.size() <= MaxLineBytes
                ? ReadLine(line, delimiter, format.nameFirst, utf8, name, birthday, &bad.why)
                : Bad(&bad.why, LongLineReason());
            if (!take(result, name, birthday)) {
                return false;
            }
            textPos = NextLine(text, textEnd, textSize);
        }
        return true;
    }
    qsizetype pos = 0;
    qsizetype textPos = 0;
    while (pos < size) {
        const qsizetype end = LineEnd(data, pos, size);
        const qsizetype textEnd = wholeFile ? LineEnd(text, textPos, textSize) : 0;
        ++bad.number;
        // Neither CR nor LF nor a space is ever the second byte of a double-byte character, so lines are cut
        // and their leading spaces dropped before decoding.
        qsizetype first = pos;
        while (first < end && data[first] == ' ') {
            ++first;
        }
        LineResult result = Bad(&bad.why, LongLineReason());
        QString name;
        Date birthday;
        if (end - first <= MaxLineBytes) {
            if (wholeFile) {
                const QStringView line(text + textPos, textEnd - textPos);
                result = ReadLine(line, delimiter, format.nameFirst, false, name, birthday, &bad.why);
            } else {
                const QString line = Cp932::Decode(QByteArray::fromRawData(data + first, end - first));
                result = ReadLine(line, delimiter, format.nameFirst, true, name, birthday, &bad.why);
            }
        }
        if (!take(result, name, birthday)) {
            return false;
        }
        pos = NextLine(data, end, size);
        if (wholeFile) {
            textPos = NextLine(text, textEnd, textSize);
        }
    }
    return true;
}

SafeFile::Result ExportPeople(const PeopleList& list, const QString& path)
{
    return SafeFile::Write(path, PeopleTextBytes(list, CurrentTextFormat()));
}

ImportResult ImportPeople(PeopleList& list, const QString& path, const std::function<bool(const BadLine&)>& askContinue)
{
    const SafeFile::ReadResult file = SafeFile::Read(path, MaxPeopleTextBytes);
    if (!file.Ok()) {
        return ImportResult::Unreadable;
    }
    return ReadPeopleText(file.bytes, CurrentTextFormat(), list, askContinue) ? ImportResult::Complete
                                                                              : ImportResult::Stopped;
}

QString TextWriteFailureText()
{
    return QStringLiteral("ファイルの書き込みに失敗しました。");
}

QString TextReadFailureText()
{
    return QStringLiteral("ファイルの読み込みに失敗しました。");
}

QString BadLineQuestion(const BadLine& line, const QString& path)
{
    // What is wrong with the line stands on its own line, before the question.
    return QStringLiteral("ファイルの読み込みに失敗しました。（") + QString::number(line.number)
        + QStringLiteral("行目）\r\n") + ProgramFolder::DisplayPath(path) + QStringLiteral("\r\n")
        + (line.why.isEmpty() ? QString() : line.why + QStringLiteral("\r\n"))
        + QStringLiteral("読み込みを継続しますか？");
}

} // namespace basUserInfo
