#pragma once

#include <QString>

/// Fields of delimited text files (the people lists and the curve-values file).
namespace DelimitedText {

/// The text as it is written in a field: unchanged, unless it holds a double quote or the delimiter;
/// then it is enclosed in double quotes with each inner double quote doubled.
QString QuoteField(const QString& text, const QString& delimiter);

/// The name a field read from a file stands for: a field enclosed in double quotes loses them and its
/// doubled quotes become single; any other field is returned as it is, spaces included.
QString UnquoteField(const QString& text);

} // namespace DelimitedText
