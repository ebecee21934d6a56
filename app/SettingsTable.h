#pragma once

#include <QString>

#include "platform/core/ParamValue.h"

// clang-format off
/// Every setting once, in the writer's order: its name, the type it is stored as, its default as the file
/// would write it (DispDay's default is the current date instead), whether the loader sets that default
/// (false: it stays zero), how the file's line is read, the range low..high, and when the writer writes it.
/// The two list rows (display list, era table) mark where their lines go.
#define KIRVO_SETTINGS(X) \
    X(BirthDay,         Empty, "",          false, List,           0,  0,   List) \
    X(DispPeriod,       Int16, "15",        true,  Range,          1,  999, WhenChanged) \
    X(BirthYear,        Bool,  "True",      true,  Boolean,        0,  0,   WhenChanged) \
    X(DispTotalDay,     Bool,  "True",      true,  Boolean,        0,  0,   WhenChanged) \
    X(DateChangeButton, Bool,  "True",      true,  Boolean,        0,  0,   WhenChanged) \
    X(Era,              Empty, "",          false, List,           0,  0,   List) \
    X(Calendar,         Int16, "0",         false, Calendar,       0,  0,   WhenChanged) \
    X(AlwayTop,         Bool,  "False",     true,  Boolean,        0,  0,   WhenChanged) \
    X(TaskTray,         Bool,  "True",      true,  Boolean,        0,  0,   WhenChanged) \
    X(MultiNum,         Int16, "5",         true,  Range,          0,  99,  WhenChanged) \
    X(PrintRate,        Int32, "100",       true,  Range,          10, 100, WhenChanged) \
    X(GraphPoint,       Int16, "3",         true,  Range,          1,  5,   WhenChanged) \
    X(GraphPosX,        Int32, "0",         false, AsIs,           0,  0,   Always) \
    X(GraphPosY,        Int32, "0",         false, AsIs,           0,  0,   Always) \
    X(GraphWidth,       Int32, "4500",      true,  AsIs,           0,  0,   Always) \
    X(GraphHeight,      Int32, "3500",      true,  AsIs,           0,  0,   Always) \
    X(LineWidth,        Int16, "2",         true,  Range,          1,  5,   WhenChanged) \
    X(DrawMode,         Int16, "9",         true,  Choice,         9,  13,  WhenChanged) \
    X(DayLine,          Bool,  "True",      true,  Boolean,        0,  0,   WhenChanged) \
    X(FullDay,          Bool,  "False",     true,  Boolean,        0,  0,   WhenChanged) \
    X(GraphDisp,        Int16, "15",        true,  Range,          0,  15,  WhenChanged) \
    X(GraphForeColor,   Text,  "000000000", true,  Color,          0,  0,   WhenChanged) \
    X(GraphBackColor,   Text,  "255255255", true,  Color,          0,  0,   WhenChanged) \
    X(GraphPhysColor,   Text,  "064064200", true,  Color,          0,  0,   WhenChanged) \
    X(GraphSensColor,   Text,  "200064064", true,  Color,          0,  0,   WhenChanged) \
    X(GraphIntelColor,  Text,  "064200064", true,  Color,          0,  0,   WhenChanged) \
    X(DelimChar,        Text,  ",",         true,  FirstCharacter, 0,  0,   WhenChanged) \
    X(Position,         Int16, "0",         true,  Choice,         0,  1,   WhenChanged) \
    X(DispDay,          Date,  "",          true,  Ignored,        0,  0,   Never) \
    X(ReadBirthDay,     Bool,  "False",     true,  Ignored,        0,  0,   Never) \
    /* Added later, so written last: older versions still read every line they know. Reminder: the icon */ \
    /* names the day's critical days at start and midnight; ShowNames: bands on screen carry their names. */ \
    X(Reminder,         Bool,  "True",      true,  Boolean,        0,  0,   WhenChanged) \
    X(ShowNames,        Bool,  "False",     true,  Boolean,        0,  0,   WhenChanged) \
    /* Saturdays, Sundays and holidays coloured in the chart's day labels, 六曜 under the display date. */ \
    X(CalendarMarks,    Bool,  "False",     true,  Boolean,        0,  0,   WhenChanged)
// clang-format on

/// The name of every setting, so that a misspelt key does not compile.
namespace SettingKey {
#define KIRVO_SETTING_KEY(name, ...) inline const QString name = QStringLiteral(#name);
KIRVO_SETTINGS(KIRVO_SETTING_KEY)
#undef KIRVO_SETTING_KEY
} // namespace SettingKey

/// The rows of KIRVO_SETTINGS, for the store, the loader and the writer.
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
