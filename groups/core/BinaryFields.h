#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

class QIODevice;

/// The fields of the people file: little-endian numbers written one after another with no padding, and
/// code page 932 text behind a 2-byte byte count. Every reader returns nothing when the file ends early.
namespace BinaryFields {

/// The most bytes a 2-byte count can announce.
constexpr int MaxCountedBytes = 65535;

bool WriteInt16(QIODevice& file, qint16 value);
bool WriteUInt16(QIODevice& file, quint16 value);
bool WriteInt32(QIODevice& file, qint32 value);
bool WriteDouble(QIODevice& file, double value);
bool WriteBytes(QIODevice& file, const QByteArray& bytes);

std::optional<qint16> ReadInt16(QIODevice& file);
std::optional<quint16> ReadUInt16(QIODevice& file);
std::optional<qint32> ReadInt32(QIODevice& file);
std::optional<double> ReadDouble(QIODevice& file);
/// Exactly n bytes, or nothing when fewer are left.
std::optional<QByteArray> ReadBytes(QIODevice& file, int n);

/// The code page 932 bytes of the text, cut after the last whole character that fits in maxBytes.
QByteArray FitCp932(const QString& text, int maxBytes);

/// Writes the 2-byte byte count and the code page 932 bytes; text longer than a count can hold is cut at
/// a character boundary, so the count always tells the truth.
bool WriteCountedText(QIODevice& file, const QString& text);

/// Reads a 2-byte byte count and that many code page 932 bytes.
std::optional<QString> ReadCountedText(QIODevice& file);

} // namespace BinaryFields
