#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What every target shares: the input as Qt types, and a check whose failure is a finding like a crash.

/// The fuzzer's bytes, copied (Qt may keep a raw byte array longer than the call).
inline QByteArray InputBytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

/// The fuzzer's bytes as text: UTF-8, malformed sequences becoming U+FFFD as in any text box.
inline QString InputText(const uint8_t* data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

/// Ends the run with a report when a property of the reader does not hold.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)
