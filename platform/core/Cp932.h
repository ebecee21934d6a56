#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

/// Text in the Japanese code page 932 (Shift_JIS with the usual vendor extensions), the encoding of every
/// file the program reads or writes.
namespace Cp932 {

/// The code page 932 bytes of the text. Characters the code page holds only by Windows' best fit (〜 − ‖ —
/// ¥ ‾ ¢ £ ¬, as input methods type them) get the bytes Windows writes for them; every other character the
/// code page cannot hold becomes one "?".
QByteArray Encode(const QString& text);

/// The characters of the text that code page 932 cannot hold even by best fit, each once, in order of
/// appearance; empty when the whole text can be written.
QString Unmappable(const QString& text);

/// The text of code page 932 bytes; bytes that form no character become U+FFFD.
QString Decode(const QByteArray& bytes);

/// The message that refuses a name holding characters the files cannot keep, naming them.
QString UnwritableNameText(const QString& characters);

/// The message that refuses a delimiter the files cannot keep, naming it.
QString UnwritableDelimiterText(const QString& characters);

/// How many bytes the text takes in code page 932 (after substitution).
int ByteLength(const QString& text);

/// Splits decoded file text into lines at CR LF, CR alone or LF alone. A line end at the very end of the
/// text does not start another (empty) line.
QStringList SplitLines(const QString& text);

/// Joins lines, each ended by CR LF, and encodes them.
QByteArray EncodeLines(const QStringList& lines);

} // namespace Cp932
