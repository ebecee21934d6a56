#include "Cp932.h"

#include <unicode/ucnv.h>

#include <memory>

namespace {

struct ConverterCloser
{
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// One converter per thread: opening one costs more than converting a settings file.
UConverter* Converter()
{
    thread_local ConverterPtr converter = [] {
        UErrorCode err = U_ZERO_ERROR;
        ConverterPtr c(ucnv_open("windows-31j", &err));
        if (U_FAILURE(err)) {
            qFatal("code page 932 converter unavailable: %s", u_errorName(err));
        }
        err = U_ZERO_ERROR;
        ucnv_setSubstChars(c.get(), "?", 1, &err);
        return c;
    }();
    ucnv_reset(converter.get());
    return converter.get();
}

} // namespace

namespace Cp932 {

QByteArray Encode(const QString& text)
{
    if (text.isEmpty()) {
        return QByteArray();
    }
    UConverter* cnv = Converter();
    // A UTF-16 unit never takes more than 2 bytes in code page 932 ("?" for a surrogate pair is 1).
    QByteArray out(static_cast<int>(text.size()) * 2 + 16, Qt::Uninitialized);
    UErrorCode err = U_ZERO_ERROR;
    const int32_t n = ucnv_fromUChars(cnv,
                                      out.data(),
                                      static_cast<int32_t>(out.size()),
                                      reinterpret_cast<const UChar*>(text.utf16()),
                                      static_cast<int32_t>(text.size()),
                                      &err);
    if (U_FAILURE(err)) {
        return QByteArray(static_cast<int>(text.size()), '?');
    }
    out.truncate(n);
    return out;
}

QString Decode(const QByteArray& bytes)
{
    if (bytes.isEmpty()) {
        return QString();
    }
    UConverter* cnv = Converter();
    // One byte never yields more than 2 UTF-16 units; decoded straight into the text, nothing zero-filled.
    QString out(bytes.size() * 2 + 16, Qt::Uninitialized);
    UErrorCode err = U_ZERO_ERROR;
    const int32_t n = ucnv_toUChars(cnv,
                                    reinterpret_cast<UChar*>(out.data()),
                                    static_cast<int32_t>(out.size()),
                                    bytes.constData(),
                                    static_cast<int32_t>(bytes.size()),
                                    &err);
    if (U_FAILURE(err)) {
        return QString();
    }
    out.truncate(n);
    return out;
}

int ByteLength(const QString& text)
{
    return static_cast<int>(Encode(text).size());
}

QStringList SplitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < n) {
        lines.append(text.mid(start));
    }
    return lines;
}

QByteArray EncodeLines(const QStringList& lines)
{
    QString all;
    for (const QString& line : lines) {
        all += line;
        all += QLatin1String("\r\n");
    }
    return Encode(all);
}

} // namespace Cp932
