#include "Cp932.h"

#include <unicode/ucnv.h>
#include <unicode/uset.h>

#include <memory>

namespace {

struct ConverterCloser
{
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// Windows writes these for characters that input methods on other systems type, although the code page has
// no exact place for them: the wave dash, the minus sign, the double bar, the dash, the yen sign and the
// overline map by the converter's own best fit; the cent, pound and not signs to their full-width forms.
QChar FullWidthFor(QChar c)
{
    switch (c.unicode()) {
        case 0x00A2:
            return QChar(0xFFE0);
        case 0x00A3:
            return QChar(0xFFE1);
        case 0x00AC:
            return QChar(0xFFE2);
        default:
            return c;
    }
}

QString WithFullWidthSigns(const QString& text)
{
    for (QChar c : text) {
        if (FullWidthFor(c) != c) {
            QString mapped = text;
            for (QChar& m : mapped) {
                m = FullWidthFor(m);
            }
            return mapped;
        }
    }
    return text;
}

ConverterPtr OpenConverter()
{
    UErrorCode err = U_ZERO_ERROR;
    ConverterPtr c(ucnv_open("windows-31j", &err));
    if (U_FAILURE(err)) {
        qFatal("code page 932 converter unavailable: %s", u_errorName(err));
    }
    ucnv_setFallback(c.get(), true);
    err = U_ZERO_ERROR;
    ucnv_setSubstChars(c.get(), "?", 1, &err);
    return c;
}

// One converter per thread: opening one costs more than converting a settings file.
UConverter* Converter()
{
    thread_local ConverterPtr converter = OpenConverter();
    ucnv_reset(converter.get());
    return converter.get();
}

// Every character the code page holds, exactly or by best fit; built once, then only looked up.
const USet* WritableSet()
{
    static const USet* set = [] {
        UErrorCode err = U_ZERO_ERROR;
        ConverterPtr converter = OpenConverter();
        USet* all = uset_openEmpty();
        ucnv_getUnicodeSet(converter.get(), all, UCNV_ROUNDTRIP_AND_FALLBACK_SET, &err);
        uset_freeze(all);
        return all;
    }();
    return set;
}

} // namespace

namespace Cp932 {

QByteArray Encode(const QString& original)
{
    if (original.isEmpty()) {
        return QByteArray();
    }
    const QString text = WithFullWidthSigns(original);
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

QString Unmappable(const QString& text)
{
    QString found;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80) {
            continue;
        }
        const bool pair = c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate();
        const char32_t point = pair ? QChar::surrogateToUcs4(c, text[i + 1]) : FullWidthFor(c).unicode();
        if (!uset_contains(WritableSet(), static_cast<UChar32>(point))) {
            const QString one = text.mid(i, pair ? 2 : 1);
            if (!found.contains(one)) {
                found += one;
            }
        }
        i += pair ? 1 : 0;
    }
    return found;
}

QString UnwritableNameText(const QString& characters)
{
    return QStringLiteral("名前に使えない文字が含まれています：「") + characters
        + QStringLiteral("」\r\nこの文字はファイルに保存できません。");
}

QString UnwritableDelimiterText(const QString& characters)
{
    return QStringLiteral("区切り文字に使えない文字です：「") + characters
        + QStringLiteral("」\r\nこの文字はファイルに保存できません。");
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
