// The general date reader behind every typed and stored date: any text reads as a day of the supported span
// or as nothing, and a day's own "yyyy/m/d" reads back to that day.
#include "FuzzSupport.h"
#include "platform/core/Date.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto date = ParseDate(InputText(data, size));
    if (!date) {
        return 0;
    }
    FUZZ_CHECK(date->Serial() >= Date::MinSerial && date->Serial() <= Date::MaxSerial);
    const auto again = ParseDate(FormatYmd(*date));
    FUZZ_CHECK(again && *again == *date);
    return 0;
}
