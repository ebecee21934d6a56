#include "Numeric.h"

#include <cmath>
#include <limits>

namespace Numeric {

double RoundHalfEven(double value)
{
    if (!std::isfinite(value)) {
        return value;
    }
    const double floorValue = std::floor(value);
    const double diff = value - floorValue;
    if (diff < 0.5) {
        return floorValue;
    }
    if (diff > 0.5) {
        return floorValue + 1.0;
    }
    return std::fmod(floorValue, 2.0) == 0.0 ? floorValue : floorValue + 1.0;
}

std::optional<qint16> ToInt16(double value)
{
    const double r = RoundHalfEven(value);
    if (!std::isfinite(r) || r < std::numeric_limits<qint16>::min() || r > std::numeric_limits<qint16>::max()) {
        return std::nullopt;
    }
    return static_cast<qint16>(r);
}

std::optional<qint32> ToInt32(double value)
{
    const double r = RoundHalfEven(value);
    if (!std::isfinite(r) || r < std::numeric_limits<qint32>::min() || r > std::numeric_limits<qint32>::max()) {
        return std::nullopt;
    }
    return static_cast<qint32>(r);
}

std::optional<double> ParseDecimal(const QString& text)
{
    const QString t = text.trimmed();
    int i = 0;
    const int n = t.size();
    bool negative = false;
    if (i < n && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    // Digits are accumulated as text and handed to strtod in the C locale, so the result is exact to the
    // last bit and independent of the machine's locale.
    QByteArray digits;
    int intDigits = 0;
    while (i < n && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9')) {
        digits.append(static_cast<char>(t[i].unicode()));
        ++intDigits;
        ++i;
    }
    int fracDigits = 0;
    if (i < n && t[i] == QLatin1Char('.')) {
        digits.append('.');
        ++i;
        while (i < n && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9')) {
            digits.append(static_cast<char>(t[i].unicode()));
            ++fracDigits;
            ++i;
        }
    }
    if (i != n || intDigits + fracDigits == 0) {
        return std::nullopt;
    }
    // Anything longer cannot fit any integer of the store; keep the parse bounded.
    if (intDigits > 40) {
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    double value = 0.0;
    bool ok = false;
    value = QByteArray(digits.startsWith('.') ? "0" + digits : digits).toDouble(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

QString IntText(qint64 value)
{
    return QString::number(value);
}

} // namespace Numeric
