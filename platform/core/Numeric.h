#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace Numeric {

/// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double RoundHalfEven(double value);

/// The rounded value as a 16-bit integer, or nothing when it does not fit.
std::optional<qint16> ToInt16(double value);

/// The rounded value as a 32-bit integer, or nothing when it does not fit.
std::optional<qint32> ToInt32(double value);

/// Reads decimal text such as "20", " -3 ", "+2.5" or ".5" (spaces around it allowed, no grouping, no exponent).
/// Nothing when the text is not such a number. Never reads through the system locale.
std::optional<double> ParseDecimal(const QString& text);

/// Decimal digits of an integer, "-" before negatives, no grouping.
QString IntText(qint64 value);

} // namespace Numeric
