#include "basSettings.h"

#include <QFile>

#include "app/SettingsTable.h"
#include "app/basParam.h"
#include "platform/core/Clock.h"
#include "platform/core/Cp932.h"
#include "platform/core/Numeric.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/SafeFile.h"

using basParam::GetParam;
using basParam::SetParam;

namespace {

using SettingsTable::Load;
using SettingsTable::Row;
using SettingsTable::Write;

void SetDefaults()
{
    for (int i = 0; i < SettingsTable::RowCount(); ++i) {
        const Row& row = SettingsTable::Rows()[i];
        if (row.load != Load::List && row.loaderSetsDefault) {
            SetParam(QLatin1String(row.name), SettingsTable::DefaultValue(row));
        }
    }
}

// Spaces only: tabs and other blanks belong to the value.
QStringView TrimSpaces(QStringView s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s[b] == QLatin1Char(' ')) {
        ++b;
    }
    while (e > b && s[e - 1] == QLatin1Char(' ')) {
        --e;
    }
    return s.mid(b, e - b);
}

// An integer line: a failed conversion keeps the value the key had, then the range rule applies to
// whatever the key holds.
void LoadInteger(const QString& key, const QString& value, qint32 low, qint32 high, qint32 fallback)
{
    (void)SetParam(key, ParamValue::FromText(value));
    const qint32 v = GetParam(key).AsInt();
    if (v < low || v > high) {
        SetParam(key, fallback);
    }
}

void LoadChoice(const QString& key, const QString& value, qint32 a, qint32 b, qint32 fallback)
{
    (void)SetParam(key, ParamValue::FromText(value));
    const qint32 v = GetParam(key).AsInt();
    if (v != a && v != b) {
        SetParam(key, fallback);
    }
}

// The longest name the people file can hold in any case; a longer one in the settings file is cut, so
// that no hand-made file slows every window that shows the name.
constexpr qsizetype MaxNameLength = 65535;

void LoadBirthDay(const QString& value)
{
    const qsizetype comma = value.indexOf(QLatin1Char(','));
    QString dateText;
    QString name;
    if (comma >= 0) {
        dateText = value.left(comma);
        name = value.mid(comma + 1);
    } else {
        dateText = TrimSpaces(value).toString();
        name = QStringLiteral("名前なし");
    }
    if (name.size() > MaxNameLength) {
        const bool splitsPair = name[MaxNameLength - 1].isHighSurrogate();
        name.truncate(splitsPair ? MaxNameLength - 1 : MaxNameLength);
    }
    // An unreadable date still yields an entry, born on the zero date.
    const Date birthday = ParseDate(dateText).value_or(Date());
    if (!Failed(basParam::AddDisplayPerson(name, birthday))) {
        SetParam(SettingKey::ReadBirthDay, true);
    }
}

void LoadEra(const QString& value)
{
    const qsizetype comma = value.indexOf(QLatin1Char(','));
    QString offsetText;
    QString name;
    if (comma >= 0) {
        offsetText = value.left(comma);
        name = value.mid(comma + 1);
    } else {
        offsetText = TrimSpaces(value).toString();
        name = QStringLiteral("不明");
    }
    const auto offset = ParamValue::FromText(offsetText).ToInt32();
    (void)basParam::AddEra(name, offset.value_or(0));
}

void LoadColor(const QString& key, const QString& value)
{
    const QStringView t = TrimSpaces(value);
    if (t.size() == 9) {
        SetParam(key, t.toString());
    }
}

void LoadBool(const QString& key, const QString& value)
{
    (void)SetParam(key, ParamValue::FromText(value));
}

// Works on a view of the line: the file may be huge, and only a line with a known key is copied.
void LoadLine(QStringView rawLine, bool* eraRead)
{
    qsizetype start = 0;
    while (start < rawLine.size() && rawLine[start] == QLatin1Char(' ')) {
        ++start;
    }
    const QStringView line = rawLine.mid(start);
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq <= 0) {
        return;
    }
    const QStringView key = TrimSpaces(line.left(eq));
    // No key is longer than this: a longer one is ignored without comparing.
    if (key.size() > 16) {
        return;
    }
    const Row* row = SettingsTable::FindIgnoringCase(key);
    if (!row) {
        return;
    }
    const QString value = line.mid(eq + 1).toString();
    const QString name = QLatin1String(row->name);
    switch (row->load) {
        case Load::List:
            if (name == QLatin1String("Era")) {
                LoadEra(value);
                *eraRead = true;
            } else {
                LoadBirthDay(value);
            }
            break;
        case Load::Range:
            LoadInteger(name, value, row->low, row->high, SettingsTable::DefaultValue(*row).AsInt());
            break;
        case Load::Calendar:
            LoadInteger(name, value, 0, basParam::EraCount() - 1, 0);
            break;
        case Load::Choice:
            LoadChoice(name, value, row->low, row->high, SettingsTable::DefaultValue(*row).AsInt());
            break;
        case Load::Boolean:
            LoadBool(name, value);
            break;
        case Load::AsIs:
            (void)SetParam(name, ParamValue::FromText(value));
            break;
        case Load::Color:
            LoadColor(name, value);
            break;
        case Load::FirstCharacter: {
            // The first character as it stands: a space or a tab is a valid separator.
            QString first;
            if (!value.isEmpty()) {
                first = value.left(value[0].isHighSurrogate() && value.size() > 1 ? 2 : 1);
            }
            SetParam(name, first);
            break;
        }
        case Load::Ignored:
            break;
    }
}

// A line break inside a value would split its line and corrupt the file on the next load.
QString OneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// A value as the file writes it: numbers without blanks, Booleans as "True"/"False", text on one line.
QString ValueText(const ParamValue& value)
{
    switch (value.GetKind()) {
        case ParamValue::Kind::Int16:
        case ParamValue::Kind::Int32:
            return Numeric::IntText(value.AsInt());
        case ParamValue::Kind::Bool:
            return value.AsBool() ? QStringLiteral("True") : QStringLiteral("False");
        default:
            return OneLine(value.ToText());
    }
}

} // namespace

namespace basSettings {

QString SettingsPath(const QString& folder)
{
    return ProgramFolder::CompanionFile(folder, QStringLiteral(".ini"));
}

bool LoadSettings()
{
    return LoadSettings(ProgramFolder::Get());
}

bool LoadSettings(const QString& folder)
{
    const SettingsBatch batch;
    // Only a regular file of a size a settings file can have is read: a pipe would block start-up, a device
    // might never end, and a file of gigabytes is damage, not settings.
    const SafeFile::ReadResult file = SafeFile::Read(SettingsPath(folder), MaxSettingsBytes);
    if (!file.Ok()) {
        SetDefaults();
        if (basParam::EraCount() == 0) {
            basParam::SetDefaultEras();
        }
        return false;
    }
    LoadSettingsFromBytes(file.bytes);
    return true;
}

void LoadSettingsFromBytes(const QByteArray& bytes)
{
    const SettingsBatch batch;
    SetDefaults();
    bool eraRead = false;
    // A file saved as UTF-8 by a modern editor says so with its byte-order mark; it is written back in
    // code page 932 like any other.
    static const QByteArray Utf8Mark("\xEF\xBB\xBF");
    const QString text
        = bytes.startsWith(Utf8Mark) ? QString::fromUtf8(bytes.mid(Utf8Mark.size())) : Cp932::Decode(bytes);
    // Lines end at CR LF, CR alone or LF alone.
    const QStringView all(text);
    qsizetype begin = 0;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QChar c = all[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            LoadLine(all.mid(begin, i - begin), &eraRead);
            if (c == QLatin1Char('\r') && i + 1 < all.size() && all[i + 1] == QLatin1Char('\n')) {
                ++i;
            }
            begin = i + 1;
        }
    }
    if (begin < all.size()) {
        LoadLine(all.mid(begin), &eraRead);
    }
    if (!eraRead) {
        basParam::SetDefaultEras();
    }
}

QByteArray SettingsFileBytes()
{
    QStringList lines;
    lines << QLatin1Char('[') + ProgramFolder::ProductName() + QLatin1Char(']') << QString();
    for (int r = 0; r < SettingsTable::RowCount(); ++r) {
        const Row& row = SettingsTable::Rows()[r];
        const QString name = QLatin1String(row.name);
        if (row.write == Write::List) {
            if (name == QLatin1String("Era")) {
                for (int i = 0; i < basParam::EraCount(); ++i) {
                    lines << QLatin1String("Era=") + Numeric::IntText(basParam::EraOffset(i)) + QLatin1Char(',')
                            + OneLine(basParam::EraName(i));
                }
            } else {
                for (int i = 1; i <= basParam::DisplayCount(); ++i) {
                    lines << QLatin1String("BirthDay=") + FormatYmd(basParam::DisplayBirthDay(i)) + QLatin1Char(',')
                            + OneLine(basParam::DisplayName(i));
                }
            }
            continue;
        }
        const ParamValue value = GetParam(name);
        if (row.write == Write::Never
            || (row.write == Write::WhenChanged && value.ToText() == SettingsTable::DefaultValue(row).ToText())) {
            continue;
        }
        lines << name + QLatin1Char('=') + ValueText(value);
    }
    return Cp932::EncodeLines(lines);
}

QString WriteFailureText()
{
    return QStringLiteral("設定ファイルの書き込みに失敗しました。");
}

SafeFile::Result SaveSettings()
{
    return SaveSettings(ProgramFolder::Get());
}

SafeFile::Result SaveSettings(const QString& folder)
{
    return SafeFile::Write(SettingsPath(folder), SettingsFileBytes());
}

} // namespace basSettings
