#include "BinaryFields.h"

#include <QIODevice>
#include <QtEndian>

#include <cstring>

#include "platform/core/Cp932.h"

namespace {

template<typename T>
bool WriteLittleEndian(QIODevice& file, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    return file.write(bytes, sizeof(T)) == static_cast<qint64>(sizeof(T));
}

template<typename T>
std::optional<T> ReadLittleEndian(QIODevice& file)
{
    char bytes[sizeof(T)];
    if (file.read(bytes, sizeof(T)) != static_cast<qint64>(sizeof(T))) {
        return std::nullopt;
    }
    return qFromLittleEndian<T>(bytes);
}

// Lead bytes of the double-byte characters of code page 932; every other byte stands alone.
bool IsLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

} // namespace

namespace BinaryFields {

bool WriteInt16(QIODevice& file, qint16 value)
{
    return WriteLittleEndian(file, value);
}

bool WriteUInt16(QIODevice& file, quint16 value)
{
    return WriteLittleEndian(file, value);
}

bool WriteInt32(QIODevice& file, qint32 value)
{
    return WriteLittleEndian(file, value);
}

bool WriteDouble(QIODevice& file, double value)
{
    quint64 bits = 0;
    static_assert(sizeof(bits) == sizeof(value), "an 8-byte double");
    std::memcpy(&bits, &value, sizeof(bits));
    return WriteLittleEndian(file, bits);
}

bool WriteBytes(QIODevice& file, const QByteArray& bytes)
{
    return file.write(bytes) == bytes.size();
}

std::optional<qint16> ReadInt16(QIODevice& file)
{
    return ReadLittleEndian<qint16>(file);
}

std::optional<quint16> ReadUInt16(QIODevice& file)
{
    return ReadLittleEndian<quint16>(file);
}

std::optional<qint32> ReadInt32(QIODevice& file)
{
    return ReadLittleEndian<qint32>(file);
}

std::optional<double> ReadDouble(QIODevice& file)
{
    const auto bits = ReadLittleEndian<quint64>(file);
    if (!bits) {
        return std::nullopt;
    }
    double value = 0;
    std::memcpy(&value, &*bits, sizeof(value));
    return value;
}

std::optional<QByteArray> ReadBytes(QIODevice& file, int n)
{
    if (n < 0) {
        return std::nullopt;
    }
    QByteArray bytes = file.read(n);
    if (bytes.size() != n) {
        return std::nullopt;
    }
    return bytes;
}

QByteArray FitCp932(const QString& text, int maxBytes)
{
    QByteArray bytes = Cp932::Encode(text);
    if (bytes.size() <= maxBytes) {
        return bytes;
    }
    qsizetype end = 0;
    while (end < bytes.size()) {
        const qsizetype next = end + (IsLeadByte(static_cast<unsigned char>(bytes[end])) ? 2 : 1);
        if (next > maxBytes) {
            break;
        }
        end = next;
    }
    bytes.truncate(end);
    return bytes;
}

bool WriteCountedText(QIODevice& file, const QString& text)
{
    const QByteArray bytes = FitCp932(text, MaxCountedBytes);
    return WriteUInt16(file, static_cast<quint16>(bytes.size())) && WriteBytes(file, bytes);
}

std::optional<QString> ReadCountedText(QIODevice& file)
{
    const auto length = ReadUInt16(file);
    if (!length) {
        return std::nullopt;
    }
    const auto bytes = ReadBytes(file, *length);
    if (!bytes) {
        return std::nullopt;
    }
    return Cp932::Decode(*bytes);
}

} // namespace BinaryFields
