#pragma once

#include <QString>

#include "platform/core/ParamValue.h"

/// The name of every setting, so that a misspelt key does not compile.
namespace SettingKey {
inline const QString DispPeriod = QStringLiteral("DispPeriod");
inline const QString BirthYear = QStringLiteral("BirthYear");
inline const QString DispTotalDay = QStringLiteral("DispTotalDay");
inline const QString DateChangeButton = QStringLiteral("DateChangeButton");
inline const QString Calendar = QStringLiteral("Calendar");
inline const QString AlwayTop = QStringLiteral("AlwayTop");
inline const QString TaskTray = QStringLiteral("TaskTray");
inline const QString MultiNum = QStringLiteral("MultiNum");
inline const QString PrintRate = QStringLiteral("PrintRate");
inline const QString GraphPoint = QStringLiteral("GraphPoint");
inline const QString GraphPosX = QStringLiteral("GraphPosX");
inline const QString GraphPosY = QStringLiteral("GraphPosY");
inline const QString GraphWidth = QStringLiteral("GraphWidth");
inline const QString GraphHeight = QStringLiteral("GraphHeight");
inline const QString LineWidth = QStringLiteral("LineWidth");
inline const QString DrawMode = QStringLiteral("DrawMode");
inline const QString DayLine = QStringLiteral("DayLine");
inline const QString FullDay = QStringLiteral("FullDay");
inline const QString GraphDisp = QStringLiteral("GraphDisp");
inline const QString GraphForeColor = QStringLiteral("GraphForeColor");
inline const QString GraphBackColor = QStringLiteral("GraphBackColor");
inline const QString GraphPhysColor = QStringLiteral("GraphPhysColor");
inline const QString GraphSensColor = QStringLiteral("GraphSensColor");
inline const QString GraphIntelColor = QStringLiteral("GraphIntelColor");
inline const QString DispDay = QStringLiteral("DispDay");
inline const QString ReadBirthDay = QStringLiteral("ReadBirthDay");
inline const QString DelimChar = QStringLiteral("DelimChar");
inline const QString Position = QStringLiteral("Position");
/// The notification icon names the day's critical days at start and at each midnight.
inline const QString Reminder = QStringLiteral("Reminder");
/// Each band of the chart on screen is labelled with its person's name, as on paper.
inline const QString ShowNames = QStringLiteral("ShowNames");
} // namespace SettingKey

/// One row per setting: its name, the type it is stored as, its default, how the settings file's line for it
/// is read, and when the writer writes it. Rows stand in the order the writer writes them; the two list rows
/// (display list, era table) mark where their lines go.
namespace SettingsTable {

enum class Load {
    List, // BirthDay and Era lines: read by the list's own rule
    Range, // an integer; outside low..high the default
    Choice, // an integer; anything but low or high the default
    Boolean, // "True"/"False" in any case, or a number
    AsIs, // an integer taken as it is (window geometry)
    Calendar, // an integer; below 0 or not below the number of eras read so far, 0
    Color, // nine characters after trimming spaces, else the line is ignored
    FirstCharacter, // the first character of the value as it stands
    Ignored, // never read from the file
};

enum class Write { List, Always, WhenChanged, Never };

struct Row
{
    const char* name;
    ParamValue::Kind kind;
    /// The default as the file would write it; DispDay's default is the current date instead.
    const char* defaultText;
    /// False for the keys the loader leaves at their start value (zero).
    bool loaderSetsDefault;
    Load load;
    int low;
    int high;
    Write write;
};

/// Every row, in the writer's order.
const Row* Rows();
int RowCount();

/// The row of a key matched exactly (letter case included), or of a file key matched ignoring letter case;
/// nullptr when there is none.
const Row* Find(const QString& key);
const Row* FindIgnoringCase(QStringView key);

/// A row's default value, of the row's type.
ParamValue DefaultValue(const Row& row);

} // namespace SettingsTable
