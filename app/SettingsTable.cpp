#include "SettingsTable.h"

#include <array>

#include "platform/core/Clock.h"

namespace {

using K = ParamValue::Kind;
using L = SettingsTable::Load;
using W = SettingsTable::Write;

// clang-format off
constexpr std::array<SettingsTable::Row, 32> Table {{
    {"BirthDay",         K::Empty, "",          false, L::List,           0,   0,     W::List},
    {"DispPeriod",       K::Int16, "15",        true,  L::Range,          1,   999,   W::WhenChanged},
    {"BirthYear",        K::Bool,  "True",      true,  L::Boolean,        0,   0,     W::WhenChanged},
    {"DispTotalDay",     K::Bool,  "True",      true,  L::Boolean,        0,   0,     W::WhenChanged},
    {"DateChangeButton", K::Bool,  "True",      true,  L::Boolean,        0,   0,     W::WhenChanged},
    {"Era",              K::Empty, "",          false, L::List,           0,   0,     W::List},
    {"Calendar",         K::Int16, "0",         false, L::Calendar,       0,   0,     W::WhenChanged},
    {"AlwayTop",         K::Bool,  "False",     true,  L::Boolean,        0,   0,     W::WhenChanged},
    {"TaskTray",         K::Bool,  "True",      true,  L::Boolean,        0,   0,     W::WhenChanged},
    {"MultiNum",         K::Int16, "5",         true,  L::Range,          0,   99,    W::WhenChanged},
    {"PrintRate",        K::Int32, "100",       true,  L::Range,          10,  100,   W::WhenChanged},
    {"GraphPoint",       K::Int16, "3",         true,  L::Range,          1,   5,     W::WhenChanged},
    {"GraphPosX",        K::Int32, "0",         false, L::AsIs,           0,   0,     W::Always},
    {"GraphPosY",        K::Int32, "0",         false, L::AsIs,           0,   0,     W::Always},
    {"GraphWidth",       K::Int32, "4500",      true,  L::AsIs,           0,   0,     W::Always},
    {"GraphHeight",      K::Int32, "3500",      true,  L::AsIs,           0,   0,     W::Always},
    {"LineWidth",        K::Int16, "2",         true,  L::Range,          1,   5,     W::WhenChanged},
    {"DrawMode",         K::Int16, "9",         true,  L::Choice,         9,   13,    W::WhenChanged},
    {"DayLine",          K::Bool,  "True",      true,  L::Boolean,        0,   0,     W::WhenChanged},
    {"FullDay",          K::Bool,  "False",     true,  L::Boolean,        0,   0,     W::WhenChanged},
    {"GraphDisp",        K::Int16, "15",        true,  L::Range,          0,   15,    W::WhenChanged},
    {"GraphForeColor",   K::Text,  "000000000", true,  L::Color,          0,   0,     W::WhenChanged},
    {"GraphBackColor",   K::Text,  "255255255", true,  L::Color,          0,   0,     W::WhenChanged},
    {"GraphPhysColor",   K::Text,  "064064200", true,  L::Color,          0,   0,     W::WhenChanged},
    {"GraphSensColor",   K::Text,  "200064064", true,  L::Color,          0,   0,     W::WhenChanged},
    {"GraphIntelColor",  K::Text,  "064200064", true,  L::Color,          0,   0,     W::WhenChanged},
    {"DelimChar",        K::Text,  ",",         true,  L::FirstCharacter, 0,   0,     W::WhenChanged},
    {"Position",         K::Int16, "0",         true,  L::Choice,         0,   1,     W::WhenChanged},
    {"DispDay",          K::Date,  "",          true,  L::Ignored,        0,   0,     W::Never},
    {"ReadBirthDay",     K::Bool,  "False",     true,  L::Ignored,        0,   0,     W::Never},
    // Added later than the rest: written last, so older versions still read every line they know.
    {"Reminder",         K::Bool,  "True",      true,  L::Boolean,        0,   0,     W::WhenChanged},
    {"ShowNames",        K::Bool,  "False",     true,  L::Boolean,        0,   0,     W::WhenChanged},
}};
// clang-format on

} // namespace

namespace SettingsTable {

const Row* Rows()
{
    return Table.data();
}

int RowCount()
{
    return static_cast<int>(Table.size());
}

const Row* Find(const QString& key)
{
    for (const Row& row : Table) {
        if (key == QLatin1String(row.name)) {
            return &row;
        }
    }
    return nullptr;
}

const Row* FindIgnoringCase(QStringView key)
{
    for (const Row& row : Table) {
        if (key.compare(QLatin1String(row.name), Qt::CaseInsensitive) == 0) {
            return &row;
        }
    }
    return nullptr;
}

ParamValue DefaultValue(const Row& row)
{
    if (row.kind == K::Date) {
        return ParamValue::FromDate(Clock::Today());
    }
    return ParamValue::FromText(QLatin1String(row.defaultText)).ConvertTo(row.kind).value_or(ParamValue());
}

} // namespace SettingsTable
