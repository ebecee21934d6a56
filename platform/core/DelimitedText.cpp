#include "DelimitedText.h"

namespace DelimitedText {

QString QuoteField(const QString& text, const QString& delimiter)
{
    QString result;
    result.reserve(text.size() + 2);
    bool quote = false;
    for (QChar c : text) {
        if (c == QLatin1Char('"')) {
            result += QLatin1String("\"\"");
            quote = true;
        } else {
            result += c;
            if (!delimiter.isEmpty() && c == delimiter[0]) {
                quote = true;
            }
        }
    }
    return quote ? QLatin1Char('"') + result + QLatin1Char('"') : text;
}

QString UnquoteField(const QString& text)
{
    if (text.isEmpty() || !text.startsWith(QLatin1Char('"')) || !text.endsWith(QLatin1Char('"'))) {
        return text;
    }
    QString result;
    bool pending = false;
    for (qsizetype i = 1; i + 1 < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('"')) {
            if (pending) {
                result += c;
                pending = false;
            } else {
                pending = true;
            }
        } else {
            if (pending) {
                result += QLatin1Char('"');
            }
            result += c;
            pending = false;
        }
    }
    return result;
}

} // namespace DelimitedText
