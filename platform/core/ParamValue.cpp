#include "ParamValue.h"

#include "Numeric.h"

ParamValue ParamValue::FromInt16(qint16 v)
{
    ParamValue p;
    p.m_kind = Kind::Int16;
    p.m_int = v;
    return p;
}

ParamValue ParamValue::FromInt32(qint32 v)
{
    ParamValue p;
    p.m_kind = Kind::Int32;
    p.m_int = v;
    return p;
}

ParamValue ParamValue::FromBool(bool v)
{
    ParamValue p;
    p.m_kind = Kind::Bool;
    p.m_bool = v;
    return p;
}

ParamValue ParamValue::FromText(const QString& v)
{
    ParamValue p;
    p.m_kind = Kind::Text;
    p.m_text = v;
    return p;
}

ParamValue ParamValue::FromDate(Date v)
{
    ParamValue p;
    p.m_kind = Kind::Date;
    p.m_date = v;
    return p;
}

std::optional<double> ParamValue::ToNumber() const
{
    switch (m_kind) {
        case Kind::Empty:
            return 0.0;
        case Kind::Int16:
        case Kind::Int32:
            return static_cast<double>(m_int);
        case Kind::Bool:
            // A true Boolean is the number -1, as the settings file's numeric Booleans expect.
            return m_bool ? -1.0 : 0.0;
        case Kind::Text:
            return Numeric::ParseDecimal(m_text);
        case Kind::Date:
            return static_cast<double>(m_date.Serial());
    }
    return std::nullopt;
}

std::optional<qint16> ParamValue::ToInt16() const
{
    const auto n = ToNumber();
    return n ? Numeric::ToInt16(*n) : std::nullopt;
}

std::optional<qint32> ParamValue::ToInt32() const
{
    const auto n = ToNumber();
    return n ? Numeric::ToInt32(*n) : std::nullopt;
}

std::optional<bool> ParamValue::ToBool() const
{
    if (m_kind == Kind::Bool) {
        return m_bool;
    }
    if (m_kind == Kind::Text) {
        const QString t = m_text.trimmed();
        if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
            return true;
        }
        if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
            return false;
        }
    }
    const auto n = ToNumber();
    if (!n) {
        return std::nullopt;
    }
    return *n != 0.0;
}

QString ParamValue::ToText() const
{
    switch (m_kind) {
        case Kind::Empty:
            return QString();
        case Kind::Int16:
        case Kind::Int32:
            return Numeric::IntText(m_int);
        case Kind::Bool:
            return m_bool ? QStringLiteral("True") : QStringLiteral("False");
        case Kind::Text:
            return m_text;
        case Kind::Date:
            return FormatYmd(m_date);
    }
    return QString();
}

std::optional<Date> ParamValue::ToDate() const
{
    switch (m_kind) {
        case Kind::Date:
            return m_date;
        case Kind::Text:
            return ParseDate(m_text);
        case Kind::Empty:
            return Date();
        case Kind::Int16:
        case Kind::Int32:
            return Date::FromSerial(m_int);
        case Kind::Bool:
            return std::nullopt;
    }
    return std::nullopt;
}

std::optional<ParamValue> ParamValue::ConvertTo(Kind kind) const
{
    switch (kind) {
        case Kind::Empty:
            return ParamValue();
        case Kind::Int16:
            if (const auto v = ToInt16()) {
                return FromInt16(*v);
            }
            return std::nullopt;
        case Kind::Int32:
            if (const auto v = ToInt32()) {
                return FromInt32(*v);
            }
            return std::nullopt;
        case Kind::Bool:
            if (const auto v = ToBool()) {
                return FromBool(*v);
            }
            return std::nullopt;
        case Kind::Text:
            return FromText(ToText());
        case Kind::Date:
            if (const auto v = ToDate()) {
                return FromDate(*v);
            }
            return std::nullopt;
    }
    return std::nullopt;
}

int ParamValue::AsInt() const
{
    return ToInt32().value_or(0);
}

bool ParamValue::AsBool() const
{
    return ToBool().value_or(false);
}

Date ParamValue::AsDate() const
{
    return ToDate().value_or(Date());
}

bool operator==(const ParamValue& a, const ParamValue& b)
{
    if (a.m_kind != b.m_kind) {
        return false;
    }
    switch (a.m_kind) {
        case ParamValue::Kind::Empty:
            return true;
        case ParamValue::Kind::Int16:
        case ParamValue::Kind::Int32:
            return a.m_int == b.m_int;
        case ParamValue::Kind::Bool:
            return a.m_bool == b.m_bool;
        case ParamValue::Kind::Text:
            return a.m_text == b.m_text;
        case ParamValue::Kind::Date:
            return a.m_date == b.m_date;
    }
    return false;
}
