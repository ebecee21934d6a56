#include "basUserInfo.h"

#include <QBuffer>
#include <QFile>

#include "cUserName.h"
#include "groups/BinaryFields.h"
#include "groups/basGroup.h"
#include "platform/MsgBox.h"
#include "platform/ProgramFolder.h"
#include "platform/SafeFile.h"

namespace {

const QByteArray Version1 = QByteArrayLiteral("00001.00");
const QByteArray Version2 = QByteArrayLiteral("00002.00");

const QString KeyUserName = QStringLiteral("UserName");
const QString KeyBirthDay = QStringLiteral("BirthDay");
const QString KeySelected = QStringLiteral("Selected");
const QString KeyMyGroupId = QStringLiteral("MyGroupId");

QString ReadFailureText()
{
    return QStringLiteral("データファイルの読み込みに失敗しました。");
}

QString WriteFailureText()
{
    return QStringLiteral("ユーザー情報ファイルの書き込みに失敗しました。");
}

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

// True when an existing people file would be lost by saving over it: it carries neither version mark, or it
// exists but cannot be opened at all (it then loaded as an empty list). It is kept as the backup first.
bool IsUnreadablePeopleFile(const QString& path)
{
    QFile file(path);
    if (!file.exists()) {
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return true;
    }
    if (file.size() == 0) {
        return false;
    }
    const QByteArray mark = file.read(Version2.size());
    return mark != Version1 && mark != Version2;
}

QString BackupFileName()
{
    return ProgramFolder::ProductName() + QStringLiteral(".dat.bak");
}

} // namespace

namespace basUserInfo {

QString PeopleFilePath(const QString& programFolder)
{
    return ProgramFolder::CompanionFile(programFolder, QStringLiteral(".dat"));
}

QString BackupFilePath(const QString& programFolder)
{
    return ProgramFolder::CompanionFile(programFolder, QStringLiteral(".dat.bak"));
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
    if (!count) {
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
    return ReadResult::Complete;
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

void LoadPeopleFile(PeopleList& list, QWidget* parent)
{
    LoadPeopleFile(list, ProgramFolder::Get(), parent);
}

void LoadPeopleFile(PeopleList& list, const QString& programFolder, QWidget* parent)
{
    list.Clear();
    const QString path = PeopleFilePath(programFolder);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    if (ReadPeople(file, list) != ReadResult::BadVersion) {
        return;
    }
    file.close();
    QString text = ReadFailureText() + QStringLiteral("\r\n") + ProgramFolder::DisplayPath(path);
    if (IsUnreadablePeopleFile(path)) {
        text += QStringLiteral("\r\nこのファイルは、次に保存する前に ") + BackupFileName()
            + QStringLiteral(" として残します。");
    }
    MsgBox::ShowError(parent, text);
}

bool SavePeopleFile(const PeopleList& list, QWidget* parent)
{
    return SavePeopleFile(list, ProgramFolder::Get(), parent);
}

bool SavePeopleFile(const PeopleList& list, const QString& programFolder, QWidget* parent)
{
    const QString path = PeopleFilePath(programFolder);
    if (IsUnreadablePeopleFile(path)) {
        QFile previous(path);
        if (previous.open(QIODevice::ReadOnly)) {
            const QByteArray kept = previous.readAll();
            previous.close();
            if (!SafeFile::WriteWithRetry(parent, BackupFilePath(programFolder), kept, WriteFailureText())) {
                return false;
            }
        } else {
            // What cannot be read can still be moved aside whole.
            QFile::remove(BackupFilePath(programFolder));
            if (!QFile::rename(path, BackupFilePath(programFolder))) {
                MsgBox::ShowError(parent,
                                  WriteFailureText() + QStringLiteral("\r\n") + ProgramFolder::DisplayPath(path));
                return false;
            }
        }
    }
    return SafeFile::WriteWithRetry(parent, path, PeopleFileBytes(list), WriteFailureText());
}

} // namespace basUserInfo
