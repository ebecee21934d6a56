#include <QApplication>
#include <QListWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "app/basParam.h"
#include "groups/core/basGroup.h"
#include "people/core/basUserInfo.h"
#include "people/core/cUserName.h"
#include "people/frmBirth.h"

namespace {

constexpr int People = 10000;

// Ten thousand people with Japanese names, every third one checked, in two groups.
void FillPeople(PeopleList& list)
{
    list.Clear();
    const Date first = *Date::FromYmd(1930, 1, 1);
    for (int i = 0; i < People; ++i) {
        cUserName& u = list.Add();
        u.kiParamValue(QStringLiteral("UserName"), ParamValue::FromText(QStringLiteral("山田花子%1").arg(i)));
        u.kiParamValue(QStringLiteral("BirthDay"), ParamValue::FromDate(*first.AddDays(i * 3)));
        u.kiParamValue(QStringLiteral("Selected"), ParamValue::FromBool(i % 3 == 0));
        u.kiParamValue(QStringLiteral("MyGroupId"), ParamValue::FromInt32(i % 4));
    }
}

void PreparePeopleFile(const QString& folder)
{
    basGroup::ResetForTests();
    basGroup::SetGroup(QStringLiteral("家族"), -1, 0, 0);
    basGroup::SetGroup(QStringLiteral("友人"), -1, 0, 0);
    PeopleList list;
    FillPeople(list);
    basUserInfo::SavePeopleFile(list, folder);
}

void BM_LoadPeopleFile(benchmark::State& state)
{
    QTemporaryDir dir;
    PreparePeopleFile(dir.path());
    PeopleList list;
    for (auto _ : state) {
        basUserInfo::LoadPeopleFile(list, dir.path());
        benchmark::DoNotOptimize(list.Count());
    }
    state.counters["people"] = list.Count();
}
BENCHMARK(BM_LoadPeopleFile)->Unit(benchmark::kMillisecond);

void BM_SavePeopleFile(benchmark::State& state)
{
    QTemporaryDir dir;
    PreparePeopleFile(dir.path());
    PeopleList list;
    FillPeople(list);
    for (auto _ : state) {
        benchmark::DoNotOptimize(basUserInfo::SavePeopleFile(list, dir.path()).ok);
    }
}
BENCHMARK(BM_SavePeopleFile)->Unit(benchmark::kMillisecond);

// Filling the dialog's list from the people list, as on opening and after every move.
void BM_FillPeopleDialogList(benchmark::State& state)
{
    QTemporaryDir dir;
    PreparePeopleFile(dir.path());
    frmBirth form(nullptr, dir.path());
    form.show();
    QApplication::processEvents();
    for (auto _ : state) {
        form.FillUserList();
        QApplication::processEvents();
    }
    state.counters["entries"] = form.findChild<QListWidget*>(QStringLiteral("lstUserInfo"))->count();
}
BENCHMARK(BM_FillPeopleDialogList)->Unit(benchmark::kMillisecond);

// Opening the dialog on the file: load, fill and first paint.
void BM_OpenPeopleDialog(benchmark::State& state)
{
    QTemporaryDir dir;
    PreparePeopleFile(dir.path());
    for (auto _ : state) {
        frmBirth form(nullptr, dir.path());
        form.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(form.kibGetNumUserInfo());
    }
}
BENCHMARK(BM_OpenPeopleDialog)->Unit(benchmark::kMillisecond);

// The offscreen platform warns about window size hints on every show; that is noise here.
void QuietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("propagateSizeHints"))) {
        return;
    }
    qt_message_output(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
    // The dialog is measured without a display unless one is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(QuietOffscreen);
    QApplication app(argc, argv);
    basParam::SetDefaultEras();
    basParam::SetParam(SettingKey::BirthYear, true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
