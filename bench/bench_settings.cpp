#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

#include "app/basParam.h"
#include "app/basSettings.h"

namespace {

// A settings file as large as the display list can get: 32767 BirthDay lines.
QByteArray LargestSettingsFile()
{
    basParam::ResetForTests();
    basSettings::LoadSettingsFromBytes(QByteArray());
    const Date first = *Date::FromYmd(1950, 1, 1);
    for (int i = 0; i < basParam::MaxDisplayCount; ++i) {
        basParam::AddDisplayPerson(QStringLiteral("山田花子%1").arg(i), *first.AddDays(i % 20000));
    }
    return basSettings::SettingsFileBytes();
}

void BM_LoadSettings(benchmark::State& state)
{
    const QByteArray bytes = LargestSettingsFile();
    for (auto _ : state) {
        basParam::ResetForTests();
        basSettings::LoadSettingsFromBytes(bytes);
        benchmark::DoNotOptimize(basParam::DisplayCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes.size());
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMillisecond);

void BM_LoadSettingsFromDisk(benchmark::State& state)
{
    QTemporaryDir dir;
    const QByteArray bytes = LargestSettingsFile();
    QFile f(basSettings::SettingsPath(dir.path()));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    f.close();
    for (auto _ : state) {
        basParam::ResetForTests();
        benchmark::DoNotOptimize(basSettings::LoadSettings(dir.path()));
    }
}
BENCHMARK(BM_LoadSettingsFromDisk)->Unit(benchmark::kMillisecond);

void BM_SaveSettings(benchmark::State& state)
{
    QTemporaryDir dir;
    LargestSettingsFile();
    for (auto _ : state) {
        benchmark::DoNotOptimize(basSettings::SaveSettings(dir.path()).ok);
    }
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMillisecond);

// Hostile settings files of the size a damaged disk or a prank leaves: the loader must stay linear.
QByteArray HostileSettingsFile(int kind)
{
    constexpr int Size = 50 * 1024 * 1024;
    QByteArray bytes;
    bytes.reserve(Size + 1024);
    if (kind == 0) {
        // Random bytes.
        std::mt19937 random(1);
        bytes.resize(Size);
        for (char& c : bytes) {
            c = static_cast<char>(random() & 0xff);
        }
    } else if (kind == 1) {
        // Valid lines of every kind, over and over.
        const QByteArray lines = "BirthDay=1965/4/3,\x8e\x52\x93\x63\x89\xd4\x8e\x71\r\nDispPeriod=30\r\n"
                                 "Era=2018,\x97\xdf\x98\x61\r\nCalendar=1\r\nGraphPosX=1200\r\nBirthYear=False\r\n"
                                 "GraphForeColor=000000000\r\nDelimChar=;\r\n";
        while (bytes.size() < Size) {
            bytes += lines;
        }
    } else {
        // One display-list line whose name is 10 MB long.
        bytes = "[kirvo]\r\n\r\nBirthDay=1965/4/3,";
        bytes += QByteArray(10 * 1024 * 1024, 'a');
        bytes += "\r\n";
    }
    return bytes;
}

void BM_LoadHostileSettings(benchmark::State& state)
{
    const QByteArray bytes = HostileSettingsFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        basParam::ResetForTests();
        basSettings::LoadSettingsFromBytes(bytes);
        benchmark::DoNotOptimize(basParam::DisplayCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes.size());
}
BENCHMARK(BM_LoadHostileSettings)
    ->ArgName("random0_lines1_longname2")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
