#pragma once

#include <QString>
#include <QtGlobal>

#include "platform/core/ParamValue.h"

/// One person of the people dialog's open list, as the group dialogs reach it: by key, through kiParamValue
/// ("UserName", "BirthDay", "Selected", "MyGroupId").
class PersonRecord
{
public:
    virtual ~PersonRecord() = default;
    /// The field of a key, tagged with the field's type; empty for any other key.
    virtual ParamValue kiParamValue(const QString& psParamKey) const = 0;
    /// Converts the value to the field's type and stores it; a value that does not convert, or any other key,
    /// changes nothing.
    virtual void kiParamValue(const QString& psParamKey, const ParamValue& pvParamValue) = 0;
};

/// The people dialog's open list, which the group dialogs read and whose group masks they change.
class PeopleSource
{
public:
    virtual ~PeopleSource() = default;
    /// How many people the list holds.
    virtual qint32 kibGetNumUserInfo() const = 0;
    /// Sets pcUserInfo to the person at a 1-based position (nullptr outside the list). The record is shared,
    /// not copied: a changed "MyGroupId" lands in the list.
    virtual void kibGetUserInfo(PersonRecord*& pcUserInfo, qint32 plIndex) const = 0;
};
