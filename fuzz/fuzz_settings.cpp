// The settings file kirvo.ini: any bytes load, and what the writer makes of them loads back to the same file.
#include <QByteArray>

#include "FuzzSupport.h"
#include "app/basParam.h"
#include "app/basSettings.h"
#include "platform/core/Clock.h"

namespace {

QByteArray LoadAndWrite(const QByteArray& bytes)
{
    basParam::ResetForTests();
    basSettings::LoadSettingsFromBytes(bytes);
    return basSettings::SettingsFileBytes();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // DispDay defaults to today: pin it so every run of an input behaves alike.
    Clock::SetTodayForTests(Date::FromYmd(2001, 12, 5));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray written = LoadAndWrite(InputBytes(data, size));
    // A file the program wrote itself must survive the next start unchanged.
    FUZZ_CHECK(LoadAndWrite(written) == written);
    return 0;
}
