#pragma once

#include "app/SettingsNotifier.h"
#include "app/SettingsTable.h"
#include "platform/core/AppError.h"
#include "platform/core/Date.h"
#include "platform/core/ParamValue.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

/// The settings store and the two process-wide lists every window shares: the display list (the people
/// whose curves are drawn) and the era table. Windows read and write settings only through GetParam and
/// SetParam, by key name, and keep no copy of a setting between events.
namespace basParam {

/// The setting of that key (matched exactly, letter case included), tagged with the key's own type;
/// empty for a key the store does not hold.
ParamValue GetParam(const QString& psParamKey);

/// Stores a value under the key after converting it to the key's type. Returns Conversion or Overflow when
/// the value cannot become that type (the stored value is then unchanged). An unknown key is ignored.
/// No range check is made here: ranges belong to the settings loader and to the dialogs.
AppError SetParam(const QString& psParamKey, const ParamValue& pvParamValue);

// Convenience forms for literal values.
AppError SetParam(const QString& psParamKey, int value);
AppError SetParam(const QString& psParamKey, bool value);
AppError SetParam(const QString& psParamKey, const QString& value);
AppError SetParam(const QString& psParamKey, const char* value) = delete;
AppError SetParam(const QString& psParamKey, Date value);

/// The keys of the store in table order, and the kind each is stored as.
const QStringList& ParamKeys();
ParamValue::Kind ParamKind(const QString& psParamKey);

/// The display list holds at most this many people.
constexpr int MaxDisplayCount = 32767;

void ClearDisplayList();
/// Appends at position DisplayCount() + 1; Overflow when the list already holds MaxDisplayCount people.
AppError AddDisplayPerson(const QString& name, Date birthday);
qint16 DisplayCount();
/// Name and birthday at a 1-based position; outside the list they read as empty and the zero date.
QString DisplayName(int plIndex);
Date DisplayBirthDay(int plIndex);

/// The era table: entries 0 to EraCount() - 1, each a name and a year offset (Gregorian = era year + offset).
constexpr int MaxEraCount = 32767;
qint16 EraCount();
QString EraName(int plIndex);
qint32 EraOffset(int plIndex);
void ClearEraTable();
/// Appends an era; Overflow when the table is full.
AppError AddEra(const QString& name, qint32 offset);
/// Fills the six built-in eras: 西暦 0, 明治 1867, 大正 1911, 昭和 1925, 平成 1988, 令和 2018.
void SetDefaultEras();

/// Test seam: everything back to the state before the settings loader runs (zero, false, empty).
void ResetForTests();

} // namespace basParam
