#include "basParam.h"

#include <QVector>

#include "SettingsNotifier.h"
#include "SettingsTable.h"
#include "platform/core/Numeric.h"

#include <vector>

namespace {

using Kind = ParamValue::Kind;

// The store holds the settings of the table's rows; the two list rows are the lists below.
const std::vector<const SettingsTable::Row*>& Keys()
{
    static const std::vector<const SettingsTable::Row*> keys = [] {
        std::vector<const SettingsTable::Row*> list;
        for (int i = 0; i < SettingsTable::RowCount(); ++i) {
            if (SettingsTable::Rows()[i].load != SettingsTable::Load::List) {
                list.push_back(&SettingsTable::Rows()[i]);
            }
        }
        return list;
    }();
    return keys;
}

struct DisplayEntry
{
    QString name;
    Date birthday;
};

struct EraEntry
{
    QString name;
    qint32 offset = 0;
};

// One value per key of the settings table, in its order.
std::vector<ParamValue> g_values;
QVector<DisplayEntry> g_display;
QVector<EraEntry> g_eras;

int KeyIndex(const QString& key)
{
    // The names with their lengths measured once: every GetParam and SetParam looks a key up.
    static const std::vector<QLatin1String> names = [] {
        std::vector<QLatin1String> list;
        for (const SettingsTable::Row* row : Keys()) {
            list.emplace_back(row->name);
        }
        return list;
    }();
    for (size_t i = 0; i < names.size(); ++i) {
        if (key.size() == names[i].size() && key == names[i]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

ParamValue ZeroOf(Kind kind)
{
    switch (kind) {
        case Kind::Int16:
            return ParamValue::FromInt16(0);
        case Kind::Int32:
            return ParamValue::FromInt32(0);
        case Kind::Bool:
            return ParamValue::FromBool(false);
        case Kind::Text:
            return ParamValue::FromText(QString());
        case Kind::Date:
            return ParamValue::FromDate(Date());
        case Kind::Empty:
            break;
    }
    return ParamValue();
}

bool g_initialised = false;

void EnsureInitialised()
{
    if (!g_initialised) {
        g_initialised = true;
        g_values.clear();
        for (const SettingsTable::Row* key : Keys()) {
            g_values.push_back(ZeroOf(key->kind));
        }
    }
}

} // namespace

namespace basParam {

ParamValue GetParam(const QString& psParamKey)
{
    EnsureInitialised();
    const int i = KeyIndex(psParamKey);
    return i < 0 ? ParamValue() : g_values[static_cast<size_t>(i)];
}

AppError SetParam(const QString& psParamKey, const ParamValue& pvParamValue)
{
    EnsureInitialised();
    const int i = KeyIndex(psParamKey);
    if (i < 0) {
        return AppError::None;
    }
    const Kind kind = Keys()[static_cast<size_t>(i)]->kind;
    const auto converted = pvParamValue.ConvertTo(kind);
    if (!converted) {
        // Text that is no number cannot convert; a number beyond the key's width overflows.
        const bool numeric
            = pvParamValue.GetKind() != Kind::Text || Numeric::ParseDecimal(pvParamValue.AsText()).has_value();
        const bool integerKey = kind == Kind::Int16 || kind == Kind::Int32;
        return integerKey && numeric ? AppError::Overflow : AppError::Conversion;
    }
    ParamValue& stored = g_values[static_cast<size_t>(i)];
    if (!(stored == *converted)) {
        stored = *converted;
        SettingsNotifier::Announce(psParamKey);
    }
    return AppError::None;
}

AppError SetParam(const QString& psParamKey, int value)
{
    return SetParam(psParamKey, ParamValue::FromInt32(value));
}

AppError SetParam(const QString& psParamKey, bool value)
{
    return SetParam(psParamKey, ParamValue::FromBool(value));
}

AppError SetParam(const QString& psParamKey, const QString& value)
{
    return SetParam(psParamKey, ParamValue::FromText(value));
}

AppError SetParam(const QString& psParamKey, Date value)
{
    return SetParam(psParamKey, ParamValue::FromDate(value));
}

const QStringList& ParamKeys()
{
    static const QStringList keys = [] {
        QStringList list;
        for (const SettingsTable::Row* k : Keys()) {
            list.append(QLatin1String(k->name));
        }
        return list;
    }();
    return keys;
}

ParamValue::Kind ParamKind(const QString& psParamKey)
{
    const int i = KeyIndex(psParamKey);
    return i < 0 ? Kind::Empty : Keys()[static_cast<size_t>(i)]->kind;
}

void ClearDisplayList()
{
    if (!g_display.isEmpty()) {
        g_display.clear();
        SettingsNotifier::Announce(SettingKey::BirthDay);
    }
}

AppError AddDisplayPerson(const QString& name, Date birthday)
{
    if (g_display.size() >= MaxDisplayCount) {
        return AppError::Overflow;
    }
    g_display.append(DisplayEntry {name, birthday});
    SettingsNotifier::Announce(SettingKey::BirthDay);
    return AppError::None;
}

qint16 DisplayCount()
{
    return static_cast<qint16>(g_display.size());
}

QString DisplayName(int plIndex)
{
    return plIndex >= 1 && plIndex <= g_display.size() ? g_display[plIndex - 1].name : QString();
}

Date DisplayBirthDay(int plIndex)
{
    return plIndex >= 1 && plIndex <= g_display.size() ? g_display[plIndex - 1].birthday : Date();
}

qint16 EraCount()
{
    return static_cast<qint16>(g_eras.size());
}

QString EraName(int plIndex)
{
    return plIndex >= 0 && plIndex < g_eras.size() ? g_eras[plIndex].name : QString();
}

qint32 EraOffset(int plIndex)
{
    return plIndex >= 0 && plIndex < g_eras.size() ? g_eras[plIndex].offset : 0;
}

void ClearEraTable()
{
    if (!g_eras.isEmpty()) {
        g_eras.clear();
        SettingsNotifier::Announce(SettingKey::Era);
    }
}

AppError AddEra(const QString& name, qint32 offset)
{
    if (g_eras.size() >= MaxEraCount) {
        return AppError::Overflow;
    }
    g_eras.append(EraEntry {name, offset});
    SettingsNotifier::Announce(SettingKey::Era);
    return AppError::None;
}

void SetDefaultEras()
{
    g_eras = {
        {QStringLiteral("西暦"), 0},
        {QStringLiteral("明治"), 1867},
        {QStringLiteral("大正"), 1911},
        {QStringLiteral("昭和"), 1925},
        {QStringLiteral("平成"), 1988},
        {QStringLiteral("令和"), 2018},
    };
    SettingsNotifier::Announce(SettingKey::Era);
}

void ResetForTests()
{
    SettingsNotifier::ForgetPending();
    g_initialised = false;
    EnsureInitialised();
    g_display.clear();
    g_eras.clear();
}

} // namespace basParam
