#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>
#include <vector>

#include "groups/core/PeopleSource.h"
#include "platform/core/Date.h"
#include "platform/core/ParamValue.h"

/// One person of the people list: name, birthday, check mark and group mask, reached only by key.
class cUserName final : public PersonRecord
{
public:
    /// "UserName" text, "BirthDay" date, "Selected" Boolean, "MyGroupId" 32-bit integer; empty for any
    /// other key.
    ParamValue kiParamValue(const QString& psParamKey) const override;
    /// Stores the value converted to the key's field type. A value that does not convert leaves the field as
    /// it was; any other key is ignored.
    void kiParamValue(const QString& psParamKey, const ParamValue& pvParamValue) override;

private:
    QString m_userName;
    Date m_birthDay;
    bool m_selected = false;
    qint32 m_myGroupId = 0;
};

/// The people list of the people dialog, in the order of the dialog's list and of the people file,
/// addressed from 1. Records keep their address for as long as they are in the list.
class PeopleList
{
public:
    qint32 Count() const { return static_cast<qint32>(m_items.size()); }
    /// The record at a 1-based position; nullptr outside the list.
    cUserName* Item(qint32 plIndex) const;
    /// Appends a new, empty record and returns it.
    cUserName& Add();
    /// Removes the record at a 1-based position; outside the list nothing happens.
    void Remove(qint32 plIndex);
    /// Exchanges the records at two 1-based positions; nothing when either is outside the list.
    void Swap(qint32 a, qint32 b);
    void Clear() { m_items.clear(); }

private:
    bool Valid(qint32 plIndex) const { return plIndex >= 1 && plIndex <= Count(); }
    std::vector<std::unique_ptr<cUserName>> m_items;
};
