// The people text import: any bytes read without harm and with line numbers that only grow; every person read
// has a name the lists and the people file can hold; and where the layout allows it, what the export writes
// of the people read reads back to the same people without a question. The first byte picks the delimiter and
// the order of the fields, the rest is the file.
#include <QByteArray>
#include <QString>

#include "FuzzSupport.h"
#include "groups/core/BinaryFields.h"
#include "people/core/basUserInfo.h"
#include "people/core/cUserName.h"
#include "platform/core/Cp932.h"

namespace {

const char16_t* const Delimiters[] = {u",", u"\t", u" ", u";", u"|", u"\"", u"/", u"1", u"・", u"a"};
constexpr int DelimiterCount = static_cast<int>(sizeof Delimiters / sizeof Delimiters[0]);

QString NameAt(const PeopleList& list, qint32 i)
{
    return list.Item(i)->kiParamValue(QStringLiteral("UserName")).AsText();
}

Date BirthdayAt(const PeopleList& list, qint32 i)
{
    return list.Item(i)->kiParamValue(QStringLiteral("BirthDay")).AsDate();
}

// A date is written with digits and "/", and a name that was no code page 932 text cannot be written back: with
// such a delimiter or name the export is not meant to read back the same.
bool RoundTripExpected(const PeopleList& list, const basUserInfo::TextFormat& format)
{
    for (const QChar c : format.delimiter) {
        if (c.isDigit() || c == QLatin1Char('/') || c == QLatin1Char('"')) {
            return false;
        }
    }
    for (qint32 i = 1; i <= list.Count(); ++i) {
        const QString name = NameAt(list, i);
        // The import drops the spaces at the start of a line, and so those of a name written first unquoted.
        if (name.contains(QChar::ReplacementCharacter) || (format.nameFirst && name.startsWith(QLatin1Char(' ')))) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    basUserInfo::TextFormat format;
    format.delimiter = QString::fromUtf16(Delimiters[data[0] % DelimiterCount]);
    format.nameFirst = (data[0] / DelimiterCount) % 2 == 1;
    const QByteArray bytes = InputBytes(data + 1, size - 1);

    PeopleList list;
    qint64 lastAsked = 0;
    basUserInfo::ReadPeopleText(bytes, format, list, [&](const basUserInfo::BadLine& bad) {
        const qint64 line = bad.number;
        FUZZ_CHECK(line > lastAsked);
        lastAsked = line;
        return true;
    });
    FUZZ_CHECK(lastAsked <= bytes.count('\r') + bytes.count('\n') + 1);
    for (qint32 i = 1; i <= list.Count(); ++i) {
        const QString name = NameAt(list, i);
        FUZZ_CHECK(!name.isEmpty());
        for (const QChar c : name) {
            FUZZ_CHECK(c.category() != QChar::Other_Control);
        }
        FUZZ_CHECK(Cp932::ByteLength(name) <= BinaryFields::MaxCountedBytes);
    }

    if (!RoundTripExpected(list, format)) {
        return 0;
    }
    const QByteArray written = basUserInfo::PeopleTextBytes(list, format);
    // Code page 932 bytes that are also UTF-8 of characters a people file can keep cannot be told from a
    // UTF-8 file: the import reads them as UTF-8. Names of that kind are rare (a kanji with a half-width
    // katakana after it), and what the other reading gives is still asked about line by line.
    if (basUserInfo::IsUtf8Text(written)) {
        return 0;
    }
    PeopleList again;
    const bool complete
        = basUserInfo::ReadPeopleText(written, format, again, [](const basUserInfo::BadLine&) { return false; });
    FUZZ_CHECK(complete);
    FUZZ_CHECK(again.Count() == list.Count());
    for (qint32 i = 1; i <= list.Count(); ++i) {
        FUZZ_CHECK(NameAt(again, i) == NameAt(list, i));
        FUZZ_CHECK(BirthdayAt(again, i) == BirthdayAt(list, i));
    }
    FUZZ_CHECK(basUserInfo::PeopleTextBytes(again, format) == written);
    return 0;
}
