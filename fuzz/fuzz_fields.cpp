// Fields of delimited text (the people lists): any field text unquotes without harm, and a name quoted for
// any delimiter reads back as that name.
#include "FuzzSupport.h"
#include "platform/core/DelimitedText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = InputText(data, size);
    (void)DelimitedText::UnquoteField(text);
    // The first character is the delimiter, as the settings' DelimChar holds one character.
    if (text.isEmpty()) {
        return 0;
    }
    const QString delimiter = text.left(1);
    const QString name = text.mid(1);
    FUZZ_CHECK(DelimitedText::UnquoteField(DelimitedText::QuoteField(name, delimiter)) == name);
    return 0;
}
