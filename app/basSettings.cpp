#include "basSettings.h"

#include <QFile>

#include "app/basParam.h"
#include "platform/Clock.h"
#include "platform/Cp932.h"
#include "platform/Numeric.h"
#include "platform/ProgramFolder.h"
#include "platform/SafeFile.h"

using basParam::GetParam;
using basParam::SetParam;

namespace {

const QString DefaultFore = QStringLiteral("000000000");
const QString DefaultBack = QStringLiteral("255255255");
const QString DefaultPhys = QStringLiteral("064064200");
const QString DefaultSens = QStringLiteral("200064064");
const QString DefaultIntel = QStringLiteral("064200064");

void SetDefaults()
{
    // Calendar, GraphPosX and GraphPosY keep their start value 0.
    SetParam(QStringLiteral("GraphWidth"), 4500);
    SetParam(QStringLiteral("GraphHeight"), 3500);
    SetParam(QStringLiteral("DispDay"), Clock::Today());
    SetParam(QStringLiteral("ReadBirthDay"), false);
    SetParam(QStringLiteral("DispPeriod"), 15);
    SetParam(QStringLiteral("BirthYear"), true);
    SetParam(QStringLiteral("DispTotalDay"), true);
    SetParam(QStringLiteral("DateChangeButton"), true);
    SetParam(QStringLiteral("AlwayTop"), false);
    SetParam(QStringLiteral("TaskTray"), true);
    SetParam(QStringLiteral("MultiNum"), 5);
    SetParam(QStringLiteral("PrintRate"), 100);
    SetParam(QStringLiteral("GraphPoint"), 3);
    SetParam(QStringLiteral("LineWidth"), 2);
    SetParam(QStringLiteral("DrawMode"), 9);
    SetParam(QStringLiteral("DayLine"), true);
    SetParam(QStringLiteral("FullDay"), false);
    SetParam(QStringLiteral("GraphDisp"), 15);
    SetParam(QStringLiteral("GraphForeColor"), DefaultFore);
    SetParam(QStringLiteral("GraphBackColor"), DefaultBack);
    SetParam(QStringLiteral("GraphPhysColor"), DefaultPhys);
    SetParam(QStringLiteral("GraphSensColor"), DefaultSens);
    SetParam(QStringLiteral("GraphIntelColor"), DefaultIntel);
    SetParam(QStringLiteral("DelimChar"), QStringLiteral(","));
    SetParam(QStringLiteral("Position"), 0);
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
        SetParam(QStringLiteral("ReadBirthDay"), true);
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
    const QString value = line.mid(eq + 1).toString();
    auto is = [&key](const char* name) { return key.compare(QLatin1String(name), Qt::CaseInsensitive) == 0; };

    if (is("BirthDay")) {
        LoadBirthDay(value);
    } else if (is("DispPeriod")) {
        LoadInteger(QStringLiteral("DispPeriod"), value, 1, 999, 15);
    } else if (is("BirthYear")) {
        LoadBool(QStringLiteral("BirthYear"), value);
    } else if (is("DispTotalDay")) {
        LoadBool(QStringLiteral("DispTotalDay"), value);
    } else if (is("DateChangeButton")) {
        LoadBool(QStringLiteral("DateChangeButton"), value);
    } else if (is("Calendar")) {
        LoadInteger(QStringLiteral("Calendar"), value, 0, basParam::EraCount() - 1, 0);
    } else if (is("Era")) {
        LoadEra(value);
        *eraRead = true;
    } else if (is("AlwayTop")) {
        LoadBool(QStringLiteral("AlwayTop"), value);
    } else if (is("TaskTray")) {
        LoadBool(QStringLiteral("TaskTray"), value);
    } else if (is("MultiNum")) {
        LoadInteger(QStringLiteral("MultiNum"), value, 0, 99, 5);
    } else if (is("PrintRate")) {
        LoadInteger(QStringLiteral("PrintRate"), value, 10, 100, 100);
    } else if (is("GraphPoint")) {
        LoadInteger(QStringLiteral("GraphPoint"), value, 1, 5, 3);
    } else if (is("GraphPosX")) {
        (void)SetParam(QStringLiteral("GraphPosX"), ParamValue::FromText(value));
    } else if (is("GraphPosY")) {
        (void)SetParam(QStringLiteral("GraphPosY"), ParamValue::FromText(value));
    } else if (is("GraphWidth")) {
        (void)SetParam(QStringLiteral("GraphWidth"), ParamValue::FromText(value));
    } else if (is("GraphHeight")) {
        (void)SetParam(QStringLiteral("GraphHeight"), ParamValue::FromText(value));
    } else if (is("LineWidth")) {
        LoadInteger(QStringLiteral("LineWidth"), value, 1, 5, 2);
    } else if (is("DrawMode")) {
        LoadChoice(QStringLiteral("DrawMode"), value, 9, 13, 9);
    } else if (is("DayLine")) {
        LoadBool(QStringLiteral("DayLine"), value);
    } else if (is("FullDay")) {
        LoadBool(QStringLiteral("FullDay"), value);
    } else if (is("GraphDisp")) {
        LoadInteger(QStringLiteral("GraphDisp"), value, 0, 15, 15);
    } else if (is("GraphForeColor")) {
        LoadColor(QStringLiteral("GraphForeColor"), value);
    } else if (is("GraphBackColor")) {
        LoadColor(QStringLiteral("GraphBackColor"), value);
    } else if (is("GraphPhysColor")) {
        LoadColor(QStringLiteral("GraphPhysColor"), value);
    } else if (is("GraphSensColor")) {
        LoadColor(QStringLiteral("GraphSensColor"), value);
    } else if (is("GraphIntelColor")) {
        LoadColor(QStringLiteral("GraphIntelColor"), value);
    } else if (is("DelimChar")) {
        // The first character as it stands: a space or a tab is a valid separator.
        QString first;
        if (!value.isEmpty()) {
            first = value.left(value[0].isHighSurrogate() && value.size() > 1 ? 2 : 1);
        }
        SetParam(QStringLiteral("DelimChar"), first);
    } else if (is("Position")) {
        LoadChoice(QStringLiteral("Position"), value, 0, 1, 0);
    }
}

// A line break inside a value would split its line and corrupt the file on the next load.
QString OneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString IntLine(const char* key)
{
    return QLatin1String(key) + QLatin1Char('=') + Numeric::IntText(GetParam(QLatin1String(key)).AsInt());
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
    const QString path = SettingsPath(folder);
    QFile file(path);
    // Only a regular file is read: a pipe would block start-up and a device might never end.
    if (SafeFile::IsRefused(path) || !file.open(QIODevice::ReadOnly)) {
        SetDefaults();
        if (basParam::EraCount() == 0) {
            basParam::SetDefaultEras();
        }
        return false;
    }
    LoadSettingsFromBytes(file.readAll());
    return true;
}

void LoadSettingsFromBytes(const QByteArray& bytes)
{
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
    auto text = [](const char* key) { return GetParam(QLatin1String(key)).AsText(); };
    auto flag = [](const char* key) { return GetParam(QLatin1String(key)).AsBool(); };
    auto number = [](const char* key) { return GetParam(QLatin1String(key)).AsInt(); };

    QStringList lines;
    lines << QLatin1Char('[') + ProgramFolder::ProductName() + QLatin1Char(']') << QString();
    const int count = basParam::DisplayCount();
    for (int i = 1; i <= count; ++i) {
        lines << QLatin1String("BirthDay=") + FormatYmd(basParam::DisplayBirthDay(i)) + QLatin1Char(',')
                + OneLine(basParam::DisplayName(i));
    }
    if (number("DispPeriod") != 15) {
        lines << IntLine("DispPeriod");
    }
    if (!flag("BirthYear")) {
        lines << QStringLiteral("BirthYear=False");
    }
    if (!flag("DispTotalDay")) {
        lines << QStringLiteral("DispTotalDay=False");
    }
    if (!flag("DateChangeButton")) {
        lines << QStringLiteral("DateChangeButton=False");
    }
    const int eras = basParam::EraCount();
    for (int i = 0; i < eras; ++i) {
        lines << QLatin1String("Era=") + Numeric::IntText(basParam::EraOffset(i)) + QLatin1Char(',')
                + OneLine(basParam::EraName(i));
    }
    if (number("Calendar") != 0) {
        lines << IntLine("Calendar");
    }
    if (flag("AlwayTop")) {
        lines << QStringLiteral("AlwayTop=True");
    }
    if (!flag("TaskTray")) {
        lines << QStringLiteral("TaskTray=False");
    }
    if (number("MultiNum") != 5) {
        lines << IntLine("MultiNum");
    }
    if (number("PrintRate") != 100) {
        lines << IntLine("PrintRate");
    }
    if (number("GraphPoint") != 3) {
        lines << IntLine("GraphPoint");
    }
    lines << IntLine("GraphPosX") << IntLine("GraphPosY") << IntLine("GraphWidth") << IntLine("GraphHeight");
    if (number("LineWidth") != 2) {
        lines << IntLine("LineWidth");
    }
    if (number("DrawMode") != 9) {
        lines << IntLine("DrawMode");
    }
    if (!flag("DayLine")) {
        lines << QStringLiteral("DayLine=False");
    }
    if (flag("FullDay")) {
        lines << QStringLiteral("FullDay=True");
    }
    if (number("GraphDisp") != 15) {
        lines << IntLine("GraphDisp");
    }
    const struct
    {
        const char* key;
        const QString& fallback;
    } colors[] = {{"GraphForeColor", DefaultFore},
                  {"GraphBackColor", DefaultBack},
                  {"GraphPhysColor", DefaultPhys},
                  {"GraphSensColor", DefaultSens},
                  {"GraphIntelColor", DefaultIntel}};
    for (const auto& c : colors) {
        if (text(c.key) != c.fallback) {
            lines << QLatin1String(c.key) + QLatin1Char('=') + OneLine(text(c.key));
        }
    }
    if (text("DelimChar") != QLatin1String(",")) {
        lines << QLatin1String("DelimChar=") + OneLine(text("DelimChar"));
    }
    if (number("Position") != 0) {
        lines << IntLine("Position");
    }
    return Cp932::EncodeLines(lines);
}

bool SaveSettings(QWidget* parent)
{
    return SaveSettings(ProgramFolder::Get(), parent);
}

bool SaveSettings(const QString& folder, QWidget* parent)
{
    return SafeFile::WriteWithRetry(
        parent, SettingsPath(folder), SettingsFileBytes(), QStringLiteral("設定ファイルの書き込みに失敗しました。"));
}

} // namespace basSettings
