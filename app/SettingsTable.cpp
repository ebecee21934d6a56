#include "SettingsTable.h"

#include <array>

#include "platform/core/Clock.h"

namespace {

using K = ParamValue::Kind;
using L = SettingsTable::Load;
using W = SettingsTable::Write;

#define KIRVO_SETTING_ROW(name, kind, defaultText, setsDefault, load, low, high, write) \
    SettingsTable::Row {#name, K::kind, defaultText, setsDefault, L::load, low, high, W::write},
constexpr SettingsTable::Row Table[] = {KIRVO_SETTINGS(KIRVO_SETTING_ROW)};
#undef KIRVO_SETTING_ROW

} // namespace

namespace SettingsTable {

const Row* Rows()
{
    return std::data(Table);
}

int RowCount()
{
    return static_cast<int>(std::size(Table));
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
