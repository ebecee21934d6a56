// How long a full screen drawing of the chart takes, against the time plain QPainter needs to draw the same
// line segments on the same image one call at a time.
#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <utility>

#include "app/basParam.h"
#include "app/basSettings.h"
#include "graph/basGraph.h"
#include "graph/core/CalendarFile.h"
#include "platform/Forms.h"
#include "platform/PictureBox.h"
#include "platform/core/Clock.h"
#include "platform/core/Numeric.h"

namespace {

// A main window reduced to what the chart reads: the picture box and four checked graph items.
class BenchForm : public GraphForm
{
public:
    explicit BenchForm(QSize inside)
    {
        const int frame = m_pic.frameWidth();
        m_pic.resize(inside.width() + 2 * frame, inside.height() + 2 * frame);
    }
    QWidget* FormWindow() override { return &m_pic; }
    QSize ClientSizePixels() const override { return m_pic.size(); }
    PictureBox* picGraph() override { return &m_pic; }
    bool SelectGraphChecked(int) const override { return true; }
    void SetSelectGraphChecked(int, bool) override { }
    void SetDateButtonChecked(bool) override { }
    void SetDateChangeCaption(int, const QString&) override { }
    void SetDateButtonVisible(int, bool) override { }
    void SetLineEndX(qint32) override { }

private:
    PictureBox m_pic;
};

struct Case
{
    QSize inside;
    int people;
    int graphPoint;
    int period;
    int lineWidth;
};

void Setup(const Case& c)
{
    Clock::SetTodayForTests(*Date::FromYmd(2024, 6, 1));
    basParam::ResetForTests();
    basSettings::LoadSettingsFromBytes(QByteArray());
    basGraph::BuildSineTable();
    basParam::SetParam(SettingKey::GraphPoint, c.graphPoint);
    basParam::SetParam(SettingKey::DispPeriod, c.period);
    basParam::SetParam(SettingKey::LineWidth, c.lineWidth);
    basParam::ClearDisplayList();
    for (int i = 0; i < c.people; ++i) {
        basParam::AddDisplayPerson(QStringLiteral("人%1").arg(i), *Date::FromYmd(1950 + i, 1 + i % 12, 1 + i % 28));
    }
}

// The curve segments of every band in device pixels, computed as the chart computes them.
QVector<QLine> CurveSegments(PictureBox& pic, const Case& c)
{
    QVector<QLine> lines;
    const double sx = pic.devicePixelRatioF() / Forms::TwipsPerPixelX();
    const double sy = pic.devicePixelRatioF() / Forms::TwipsPerPixelY();
    const double width = pic.WidthTwips();
    const double band = *basGraph::BandHeight(pic.HeightTwips(), c.people);
    const Date disp = basParam::GetParam(SettingKey::DispDay).AsDate();
    for (int i = 1; i <= c.people; ++i) {
        const double top = (i - 1) * band;
        const qint32 n = disp - basParam::DisplayBirthDay(i);
        const qint32 start5 = 5 * (n - c.period);
        const qint32 end5 = 5 * (n + c.period);
        const double q = (width - 600) / (end5 - start5);
        for (int cycle = 0; cycle < 3; ++cycle) {
            QPoint previous;
            for (qint32 s = start5; s <= end5; s += c.graphPoint) {
                const double x = Numeric::RoundHalfEven(300 + (s - start5) * q);
                const double y
                    = Numeric::RoundHalfEven((1 - basGraph::CycleValue(cycle, s)) * ((band - 560) / 2) + 280 + top);
                const QPoint p(static_cast<int>(std::floor(x * sx + 0.5)), static_cast<int>(std::floor(y * sy + 0.5)));
                if (s != start5) {
                    lines.append(QLine(previous, p));
                }
                previous = p;
            }
        }
    }
    return lines;
}

const Case Cases[] = {
    {QSize(296, 180), 1, 3, 15, 2}, // (a) one person, the default window
    {QSize(1920, 1080), 50, 1, 999, 1}, // (b) fifty people, five samples a day over 999 days each side
    {QSize(1920, 1080), 50, 1, 999, 2}, //     ... at the default pen width
};
const char* const CaseNames[] = {"a/1 person defaults", "b/50 people width 1", "b/50 people width 2"};

void BM_DrawGraph(benchmark::State& state)
{
    const Case& c = Cases[state.range(0)];
    Setup(c);
    BenchForm form(c.inside);
    basGraph::DrawGraph(form, true); // warm the font and the image
    for (auto _ : state) {
        basGraph::DrawGraph(form, true);
    }
    state.SetLabel(CaseNames[state.range(0)]);
    state.counters["segments"] = CurveSegments(*form.picGraph(), c).size();
}

void BM_RawSegments(benchmark::State& state)
{
    const Case& c = Cases[state.range(0)];
    Setup(c);
    BenchForm form(c.inside);
    basGraph::DrawGraph(form, true);
    const QVector<QLine> lines = CurveSegments(*form.picGraph(), c);
    QImage image = form.picGraph()->Surface().Image().copy();
    const double penWidth = c.lineWidth * form.picGraph()->devicePixelRatioF();
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter p(&image);
        p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        p.setPen(QPen(QColor(64, 64, 200), penWidth <= 1.0 ? 0.0 : penWidth));
        for (const QLine& l : lines) {
            p.drawLine(l);
        }
    }
    state.SetLabel(CaseNames[state.range(0)]);
    state.counters["segments"] = lines.size();
}

BENCHMARK(BM_DrawGraph)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawSegments)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The critical-day list at its limits: the largest display list a settings file holds, a year ahead.
QVector<basGraph::Person> ManyPeople(int count)
{
    QVector<basGraph::Person> people;
    const Date first = *Date::FromYmd(1950, 1, 1);
    for (int i = 0; i < count; ++i) {
        people.push_back({QStringLiteral("人物%1").arg(i), *first.AddDays(i * 7)});
    }
    return people;
}

void BM_CriticalDays(benchmark::State& state)
{
    basGraph::BuildSineTable();
    const QVector<basGraph::Person> people = ManyPeople(static_cast<int>(state.range(0)));
    qsizetype found = 0;
    for (auto _ : state) {
        found = basGraph::FindCriticalDays(people, *Date::FromYmd(2026, 12, 7), basGraph::MaxListDays).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["days"] = static_cast<double>(found);
}

// The calendar file of those days, built by libical.
void BM_CalendarFile(benchmark::State& state)
{
    basGraph::BuildSineTable();
    const QVector<basGraph::Person> people = ManyPeople(static_cast<int>(state.range(0)));
    const auto days = basGraph::FindCriticalDays(people, *Date::FromYmd(2026, 12, 7), basGraph::MaxListDays);
    for (auto _ : state) {
        benchmark::DoNotOptimize(CalendarFile::Bytes(people, days, QDateTime::currentDateTimeUtc()).size());
    }
    state.counters["events"] = static_cast<double>(days.size());
}

BENCHMARK(BM_CriticalDays)->Arg(50)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalendarFile)->Arg(50)->Arg(1000)->Unit(benchmark::kMillisecond);

// Prints the usual table, then the chart's time over the raw drawing's time for each case.
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
        for (int i = 0; i < 3; ++i) {
            const std::string suffix = "/" + std::to_string(i);
            const auto draw = m_times.find("BM_DrawGraph" + suffix);
            const auto raw = m_times.find("BM_RawSegments" + suffix);
            if (draw != m_times.end() && raw != m_times.end() && raw->second.first > 0 && raw->second.second > 0) {
                std::printf("%-22s DrawGraph %8.3f ms (cpu %8.3f)   raw segments %8.3f ms (cpu %8.3f)   ratio %.2f "
                            "(cpu %.2f)\n",
                            CaseNames[i],
                            draw->second.first,
                            draw->second.second,
                            raw->second.first,
                            raw->second.second,
                            draw->second.first / raw->second.first,
                            draw->second.second / raw->second.second);
            }
        }
    }

private:
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
