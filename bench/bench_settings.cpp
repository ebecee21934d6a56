#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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
        benchmark::DoNotOptimize(basSettings::SaveSettings(dir.path()));
    }
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
