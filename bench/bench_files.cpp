// Writing the curve-values file and importing a people text file, each against the least the same work can
// cost: the curve values against writing the same bytes with a plain buffered write, the import against
// reading and decoding the same file into lines without understanding them.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "app/basParam.h"
#include "app/basSettings.h"
#include "graph/basGraph.h"
#include "graph/core/CurveValues.h"
#include "people/core/basUserInfo.h"
#include "people/core/cUserName.h"
#include "platform/core/Cp932.h"

namespace {

constexpr int CurvePeople = 100;
constexpr int ImportLines = 10000;

// A hundred people drawn five times a day over 999 days on each side.
void SetupCurveValues()
{
    basParam::ResetForTests();
    basSettings::LoadSettingsFromBytes(QByteArray());
    basGraph::BuildSineTable();
    basParam::SetParam(SettingKey::GraphPoint, 1);
    basParam::SetParam(SettingKey::DispPeriod, 999);
    basParam::SetParam(SettingKey::DispDay, *Date::FromYmd(2024, 6, 1));
    basParam::ClearDisplayList();
    for (int i = 0; i < CurvePeople; ++i) {
        basParam::AddDisplayPerson(QStringLiteral("山田花子%1").arg(i),
                                   *Date::FromYmd(1930 + i % 90, 1 + i % 12, 1 + i % 28));
    }
}

void BM_SaveCurveValues(benchmark::State& state)
{
    SetupCurveValues();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("values.csv"));
    for (auto _ : state) {
        basGraph::SaveCurveValues(path);
    }
    state.counters["bytes"] = static_cast<double>(QFile(path).size());
}

void BM_PlainWriteSameBytes(benchmark::State& state)
{
    SetupCurveValues();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("values.csv"));
    const QByteArray bytes = basGraph::CurveValuesBytes();
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.close();
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
}

// Ten thousand people in the default layout, one in ten with a quoted name.
QString WriteImportFile(const QTemporaryDir& dir)
{
    basParam::ResetForTests();
    basSettings::LoadSettingsFromBytes(QByteArray());
    PeopleList list;
    const Date first = *Date::FromYmd(1930, 1, 1);
    for (int i = 0; i < ImportLines; ++i) {
        cUserName& person = list.Add();
        const QString name = i % 10 == 0 ? QStringLiteral("山田, 花子%1").arg(i) : QStringLiteral("山田花子%1").arg(i);
        person.kiParamValue(QStringLiteral("UserName"), ParamValue::FromText(name));
        person.kiParamValue(QStringLiteral("BirthDay"), ParamValue::FromDate(*first.AddDays(i * 3)));
    }
    const QString path = dir.filePath(QStringLiteral("people.txt"));
    basUserInfo::ExportPeople(list, path);
    return path;
}

void BM_ImportPeople(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = WriteImportFile(dir);
    qint32 count = 0;
    for (auto _ : state) {
        PeopleList list;
        basUserInfo::ImportPeople(list, path, [](const basUserInfo::BadLine&) { return true; });
        count = list.Count();
    }
    state.counters["people"] = count;
}

void BM_PlainReadSameLines(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = WriteImportFile(dir);
    qsizetype count = 0;
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QStringList lines = Cp932::SplitLines(Cp932::Decode(file.readAll()));
        count = lines.size();
        benchmark::DoNotOptimize(lines.constData());
    }
    state.counters["lines"] = static_cast<double>(count);
}

BENCHMARK(BM_SaveCurveValues)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWriteSameBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportPeople)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainReadSameLines)->Unit(benchmark::kMillisecond);

// Prints the usual table, then each operation's time over its plain counterpart's.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_type == Run::RT_Iteration && r.iterations > 0) {
                m_times[r.benchmark_name()] = {r.GetAdjustedRealTime(), r.GetAdjustedCPUTime()};
            }
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        Ratio("SaveCurveValues", "BM_SaveCurveValues", "BM_PlainWriteSameBytes");
        Ratio("ImportPeople", "BM_ImportPeople", "BM_PlainReadSameLines");
    }

private:
    void Ratio(const char* label, const std::string& measured, const std::string& plain)
    {
        const auto m = m_times.find(measured);
        const auto p = m_times.find(plain);
        if (m == m_times.end() || p == m_times.end() || p->second.first <= 0 || p->second.second <= 0) {
            return;
        }
        std::printf("%-16s %8.3f ms (cpu %8.3f)   plain %8.3f ms (cpu %8.3f)   ratio %.2f (cpu %.2f)\n",
                    label,
                    m->second.first,
                    m->second.second,
                    p->second.first,
                    p->second.second,
                    m->second.first / p->second.first,
                    m->second.second / p->second.second);
    }

    std::map<std::string, std::pair<double, double>> m_times; // real and CPU time of one iteration
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
