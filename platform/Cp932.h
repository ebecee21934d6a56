#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

/// Text in the Japanese code page 932 (Shift_JIS with the usual vendor extensions), the encoding of every
/// file the program reads or writes.
namespace Cp932 {

/// The code page 932 bytes of the text; every character the code page cannot hold becomes one "?".
QByteArray Encode(const QString& text);

/// The text of code page 932 bytes; bytes that form no character become U+FFFD.
QString Decode(const QByteArray& bytes);

/// How many bytes the text takes in code page 932 (after substitution).
int ByteLength(const QString& text);

/// Splits decoded file text into lines at CR LF, CR alone or LF alone. A line end at the very end of the
/// text does not start another (empty) line.
QStringList SplitLines(const QString& text);

/// Joins lines, each ended by CR LF, and encodes them.
QByteArray EncodeLines(const QStringList& lines);

} // namespace Cp932
