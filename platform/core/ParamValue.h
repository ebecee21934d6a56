#pragma once

#include "AppError.h"
#include "Date.h"

#include <QString>
#include <QtGlobal>

#include <optional>

/// A tagged value of the settings store: 16-bit integer, 32-bit integer, Boolean, text, date or empty.
/// The To* conversions are the store's own: integers from numbers or decimal text (halves to even),
/// Booleans from numbers or "True"/"False", text from anything, dates from dates or year/month/day text.
class ParamValue
{
public:
    enum class Kind { Empty, Int16, Int32, Bool, Text, Date };

    ParamValue() = default;
    static ParamValue FromInt16(qint16 v);
    static ParamValue FromInt32(qint32 v);
    static ParamValue FromBool(bool v);
    static ParamValue FromText(const QString& v);
    static ParamValue FromDate(Date v);

    Kind GetKind() const { return m_kind; }
    bool IsEmpty() const { return m_kind == Kind::Empty; }

    std::optional<qint16> ToInt16() const;
    std::optional<qint32> ToInt32() const;
    std::optional<bool> ToBool() const;
    QString ToText() const;
    std::optional<Date> ToDate() const;

    /// Converts to the given kind; nothing when the conversion fails.
    std::optional<ParamValue> ConvertTo(Kind kind) const;

    // Unchecked readers for values whose kind is known (a setting read with GetParam): a value that does
    // not convert reads as 0, false or the zero date.
    int AsInt() const;
    bool AsBool() const;
    QString AsText() const { return ToText(); }
    Date AsDate() const;

    friend bool operator==(const ParamValue& a, const ParamValue& b);
    friend bool operator!=(const ParamValue& a, const ParamValue& b) { return !(a == b); }

private:
    std::optional<double> ToNumber() const;

    Kind m_kind = Kind::Empty;
    qint32 m_int = 0;
    bool m_bool = false;
    QString m_text;
    Date m_date;
};
