// One person's band of the chart. Every value comes from the sine table through the phase rule; no
// trigonometry runs while drawing.
#include "GraphRender.h"

#include <QCoreApplication>
#include <QLineF>
#include <QPointF>
#include <QVector>

#include <cmath>
#include <limits>
#include <optional>

#include "app/basCalendar.h"
#include "app/basParam.h"
#include "graph/core/CycleModel.h"
#include "platform/DrawSurface.h"
#include "platform/core/Holidays.h"
#include "platform/core/Numeric.h"
#include "platform/core/Rokuyo.h"

namespace {

using basGraph::CycleCount;
using basGraph::GraphColorSet;
using basParam::GetParam;

constexpr qint16 SideMargin = 300; // left axis at M, right axis at width - M
constexpr qint32 AxisInset = 280; // plot area from top + 280 to top + height - 280
constexpr qint32 GridInset = 380; // dotted day lines start here
constexpr qint32 LegendTop = 10;
constexpr qint32 SwatchWidth = 100;
constexpr qint32 SwatchTextGap = 50;
constexpr qint32 SwatchLeft[CycleCount] = {1500, 1100, 700}; // back from the right axis
constexpr qint32 LegendCircleBack = 250;
constexpr qint32 CircleTextGap = 100;
constexpr qint16 MarkRadius = 55;
constexpr qint32 MarkSpacing = 2 * MarkRadius;
constexpr qint32 CounterTop = 25;
constexpr double Top = 1.0; // the value scale: +1 at the top of the plot area, -1 at the bottom
constexpr double Bottom = -1.0;

const QString LegendLabels[CycleCount] = {QStringLiteral("体"), QStringLiteral("感"), QStringLiteral("知")};

// Halves to the even neighbour: the processor's default rounding, which nothing in the program changes. It runs
// for every sample of every curve, so it avoids the general routine's extra steps.
double Round(double v)
{
    return std::nearbyint(v);
}

// Stops at the first failing step, as the caller's error rule expects.
#define KIRVO_TRY(step)             \
    do {                            \
        const AppError e_ = (step); \
        if (Failed(e_)) {           \
            return e_;              \
        }                           \
    } while (false)

AppError PrintAt(DrawSurface& s, double x, double y, const QString& text)
{
    s.SetCurrentX(x);
    s.SetCurrentY(y);
    return s.Print(text);
}

// The colours of a Japanese calendar, red in the low byte like every colour of the chart.
constexpr quint32 SaturdayBlue = 0xC00000;
constexpr quint32 HolidayRed = 0x0000D0;

// With the calendar marks on, a day's label is blue on a Saturday and red on a Sunday or a holiday.
quint32 DayLabelColour(Date day, bool marks, quint32 fore)
{
    switch (marks ? Holidays::MarkOf(day) : Holidays::Mark::Plain) {
        case Holidays::Mark::SundayOrHoliday:
            return HolidayRed;
        case Holidays::Mark::Saturday:
            return SaturdayBlue;
        case Holidays::Mark::Plain:
            break;
    }
    return fore;
}

// A date label in its day's colour; the pen goes back to the fore colour.
AppError PrintDayAt(DrawSurface& s, double x, double y, const QString& text, Date day, bool marks, quint32 fore)
{
    s.SetForeColor(DayLabelColour(day, marks, fore));
    const AppError e = PrintAt(s, x, y, text);
    s.SetForeColor(fore);
    return e;
}

// Where one band lies on the surface and how its days and values map onto it, in the surface's units. Worked
// out once, before anything of the band is drawn.
struct BandGeometry
{
    qint32 top = 0; // the band runs down from top for height units
    qint32 height = 0;
    qint32 left = SideMargin; // the left axis, where the window's first day stands
    qint32 right = 0; // the right axis, where its last day stands
    double middle = 0.0; // the display-date line
    qint32 zeroY = 0; // the zero line
    double axisTop = 0.0; // +1 on the value scale
    double axisBottom = 0.0; // -1 on the value scale
    double valueScale = 0.0; // units per 1 of value

    Date dispDay;
    qint32 period = 0; // days shown either side of the display day
    qint32 graphPoint = 0; // fifths of a day between two points of a curve
    qint32 dispDayNumber = 0; // days since birth on the display day; negative before birth
    qint64 firstDayNumber = 0; // the same for the window's first and last days
    qint64 lastDayNumber = 0;
    qint32 firstStep = 0; // the window's first and last days in fifths of a day since birth
    qint32 lastStep = 0;
    double dayWidth = 0.0; // units from one day to the next
    double stepWidth = 0.0; // units from one fifth of a day to the next
    // The dates of the window's first and last days; nothing when the window runs off the calendar, which the
    // date lines report once frame and legend stand.
    std::optional<Date> firstDate;
    std::optional<Date> lastDate;
};

// The geometry of the band from (0, top) to (width, top + height) for a person born on birthday, under the
// current display day, period and point step.
AppError MeasureBand(qint32 top, qint32 width, qint32 height, Date birthday, BandGeometry& band)
{
    band.dispDay = GetParam(SettingKey::DispDay).AsDate();
    band.period = GetParam(SettingKey::DispPeriod).AsInt();
    band.graphPoint = GetParam(SettingKey::GraphPoint).AsInt();
    // The steps divide by the period and step by the point step; neither can be used below 1.
    if (band.period < 1 || band.graphPoint < 1) {
        return AppError::Drawing;
    }
    // Every coordinate lies within a few thousand units of the band; a band near the 32-bit edge overflows
    // before anything of it is drawn.
    constexpr qint64 Slack = 100000;
    const qint64 bottomEdge = static_cast<qint64>(top) + height;
    if (static_cast<qint64>(top) - Slack < std::numeric_limits<qint32>::min()
        || bottomEdge + Slack > std::numeric_limits<qint32>::max()
        || static_cast<qint64>(width) + Slack > std::numeric_limits<qint32>::max()
        || static_cast<qint64>(width) - Slack < std::numeric_limits<qint32>::min()) {
        return AppError::Overflow;
    }
    band.dispDayNumber = band.dispDay - birthday;
    band.firstDayNumber = static_cast<qint64>(band.dispDayNumber) - band.period;
    band.lastDayNumber = static_cast<qint64>(band.dispDayNumber) + band.period;
    if (5 * band.firstDayNumber < std::numeric_limits<qint32>::min()
        || 5 * band.lastDayNumber > std::numeric_limits<qint32>::max()) {
        return AppError::Overflow;
    }
    // The zero line is 32-bit: a 16-bit one stopped every band whose middle lay 32768 twips or more down a
    // tall or high-resolution picture.
    const auto zeroY = Numeric::ToInt32(top + height / 2.0);
    if (!zeroY) {
        return AppError::Overflow;
    }

    band.top = top;
    band.height = height;
    band.right = width - band.left;
    band.middle = width / 2.0;
    band.zeroY = *zeroY;
    band.axisTop = static_cast<double>(top) + AxisInset;
    band.axisBottom = static_cast<double>(top) + height - AxisInset;
    const double plotWidth = static_cast<double>(width) - 2.0 * band.left;
    const double plotHeight = static_cast<double>(height) - 2.0 * AxisInset;
    band.valueScale = plotHeight / (Top - Bottom);

    band.firstStep = static_cast<qint32>(5 * band.firstDayNumber);
    band.lastStep = static_cast<qint32>(5 * band.lastDayNumber);
    band.dayWidth = plotWidth / static_cast<double>(band.lastDayNumber - band.firstDayNumber);
    band.stepWidth = plotWidth / static_cast<double>(band.lastStep - band.firstStep);
    band.firstDate = band.dispDay.AddDays(-band.period);
    band.lastDate = band.dispDay.AddDays(band.period);
    return AppError::None;
}

// The zero line and the left axis.
AppError DrawFrame(DrawSurface& surface, const BandGeometry& band, const GraphColorSet& colors)
{
    KIRVO_TRY(surface.Line(band.left, band.zeroY, band.right, band.zeroY, colors.fore));
    KIRVO_TRY(surface.Line(band.left, band.axisTop, band.left, band.axisBottom, colors.fore));
    return AppError::None;
}

// The legend at the top right: a solid swatch of each cycle's colour with its initial beside it in that
// colour, then the critical-day mark.
AppError DrawLegend(DrawSurface& surface, const BandGeometry& band, const GraphColorSet& colors)
{
    const double h = surface.TextHeight(QStringLiteral("0"));
    for (int c = 0; c < CycleCount; ++c) {
        const quint32 colour = colors.cycle[static_cast<size_t>(c)];
        const double x = static_cast<double>(band.right) - SwatchLeft[c];
        surface.SetForeColor(colour);
        surface.SetFillStyle(DrawSurface::FillSolid);
        surface.SetFillColor(colour);
        KIRVO_TRY(surface.Box(x, band.top + LegendTop + h, x + SwatchWidth, band.top + LegendTop, colour));
        KIRVO_TRY(PrintAt(surface, x + SwatchWidth + SwatchTextGap, band.top + LegendTop, LegendLabels[c]));
    }
    surface.SetForeColor(colors.fore);
    surface.SetFillStyle(DrawSurface::FillTransparent);
    const double cx = static_cast<double>(band.right) - LegendCircleBack;
    KIRVO_TRY(surface.Circle(cx, band.top + h / 2.0, MarkRadius));
    KIRVO_TRY(PrintAt(surface, cx + CircleTextGap, band.top + LegendTop, QStringLiteral("注")));
    return AppError::None;
}

// The right axis and the display-date line. Under the last band the window's first day, last day and display
// day are written beneath the left axis, the right axis and the display-date line.
AppError DrawDateLines(DrawSurface& surface, const BandGeometry& band, const GraphColorSet& colors, bool lastBand)
{
    const basCalendar::DatePattern datePattern = basCalendar::GraphDatePattern();
    if (!band.firstDate || !band.lastDate) {
        return AppError::Overflow;
    }
    const bool marks = GetParam(SettingKey::CalendarMarks).AsBool();
    if (lastBand) {
        KIRVO_TRY(PrintDayAt(surface,
                             band.left,
                             band.axisBottom,
                             basCalendar::FormatDate(*band.firstDate, datePattern),
                             *band.firstDate,
                             marks,
                             colors.fore));
    }
    KIRVO_TRY(surface.Line(band.right, band.axisTop, band.right, band.axisBottom, colors.fore));
    if (lastBand) {
        const QString text = basCalendar::FormatDate(*band.lastDate, datePattern);
        KIRVO_TRY(PrintDayAt(
            surface, band.right - surface.TextWidth(text), band.axisBottom, text, *band.lastDate, marks, colors.fore));
    }
    KIRVO_TRY(surface.Line(band.middle, band.axisTop, band.middle, band.axisBottom, colors.fore));
    if (lastBand) {
        const QString text = basCalendar::FormatDate(band.dispDay, datePattern);
        const double x = band.middle - surface.TextWidth(text) / 2.0;
        KIRVO_TRY(PrintDayAt(surface, x, band.axisBottom, text, band.dispDay, marks, colors.fore));
        // 六曜 at the display date's foot, after the date: the band has no room for another line below it.
        if (const auto rokuyo = marks ? Rokuyo::Of(band.dispDay) : std::nullopt) {
            KIRVO_TRY(PrintAt(surface, x + surface.TextWidth(text + QStringLiteral(" ")), band.axisBottom, *rokuyo));
        }
    }
    return AppError::None;
}

// 高, 注 and 低 right-aligned to the left axis at the top of the value scale, the zero line and the bottom.
AppError DrawAmplitudeLabels(DrawSurface& surface, const BandGeometry& band, const GraphColorSet& colors)
{
    surface.SetForeColor(colors.fore);
    const QString high = QStringLiteral("高");
    const QString caution = QStringLiteral("注");
    const QString low = QStringLiteral("低");
    const qint32 m = band.left;
    KIRVO_TRY(PrintAt(surface, m - surface.TextWidth(high), band.axisTop, high));
    KIRVO_TRY(
        PrintAt(surface, m - surface.TextWidth(caution), band.zeroY - surface.TextHeight(caution) / 2.0, caution));
    KIRVO_TRY(PrintAt(surface, m - surface.TextWidth(low), band.axisBottom - surface.TextHeight(low), low));
    return AppError::None;
}

// The caller's label followed, when DispTotalDay is on, by the days since birth, starting one character left
// of the left axis near the band's top.
AppError DrawDayCounter(DrawSurface& surface, const BandGeometry& band, const QString& labelText)
{
    QString counter = labelText;
    if (GetParam(SettingKey::DispTotalDay).AsBool()) {
        counter += basGraph::DayCounterText(band.dispDayNumber);
    }
    if (!counter.isEmpty()) {
        KIRVO_TRY(PrintAt(surface,
                          band.left - surface.TextWidth(QStringLiteral("生")),
                          static_cast<double>(band.top) + CounterTop,
                          counter));
    }
    return AppError::None;
}

// Dotted day grid, with the day of the month at the foot of each line when FullDay is on. No line on the
// window's first and last days and on the display day, where the axes and the display-date line stand.
AppError DrawDayGrid(DrawSurface& surface, const BandGeometry& band, const GraphColorSet& colors)
{
    surface.SetForeColor(colors.fore);
    surface.SetDrawStyle(DrawSurface::StyleDot);
    surface.SetDrawWidth(1);
    const bool fullDay = GetParam(SettingKey::FullDay).AsBool();
    const bool marks = GetParam(SettingKey::CalendarMarks).AsBool();
    const double lineHeight = surface.TextHeight(QStringLiteral("0"));
    const double gridTop = static_cast<double>(band.top) + GridInset;
    const double gridBottom = static_cast<double>(band.top) + band.height - GridInset;
    const QDate firstDate = band.firstDate->ToQDate();
    const qint64 first = band.firstDayNumber;
    const qint64 last = band.lastDayNumber;
    QVector<QLineF> lines;
    lines.reserve(static_cast<int>(last - first));
    for (qint64 i = first + 1; i < last; ++i) {
        if (i == band.dispDayNumber) {
            continue;
        }
        const double x = Round(band.left + static_cast<double>(i - first) * band.dayWidth);
        if (fullDay) {
            const QString label = QString::number(firstDate.addDays(i - first).day());
            // Odd days after birth sit one row higher; before birth the remainder is -1 and they sit one
            // row lower than even days.
            const double y = Round(band.axisBottom - lineHeight * static_cast<double>(1 + i % 2));
            const Date day = *band.firstDate->AddDays(i - first);
            KIRVO_TRY(PrintDayAt(surface, x - surface.TextWidth(label) / 2.0, y, label, day, marks, colors.fore));
            lines.append(QLineF(x, gridTop, x, y));
        } else {
            lines.append(QLineF(x, gridTop, x, gridBottom));
        }
    }
    KIRVO_TRY(surface.Lines(lines, colors.fore));
    surface.SetDrawStyle(DrawSurface::StyleSolid);
    return AppError::None;
}

// Critical-day marks, one test per whole day, stacked downwards from the top of the value scale in cycle
// order.
AppError DrawCriticalDays(DrawSurface& surface, const BandGeometry& band, const GraphColorSet& colors)
{
    surface.SetForeColor(colors.fore);
    surface.SetFillStyle(DrawSurface::FillSolid);
    surface.SetDrawWidth(1);
    for (qint32 s = band.firstStep; s <= band.lastStep; s += 5) {
        double y = band.axisTop;
        for (int c = 0; c < CycleCount; ++c) {
            if (basGraph::IsCriticalDay(c, s)) {
                surface.SetFillColor(colors.cycle[static_cast<size_t>(c)]);
                const double x = Round(band.left + static_cast<double>(s - band.firstStep) * band.stepWidth);
                KIRVO_TRY(surface.Circle(x, y, MarkRadius));
                y += MarkSpacing;
            }
        }
    }
    return AppError::None;
}

// The curves of the cycles whose show flag is set, later cycles over earlier ones, a point every GraphPoint
// fifths of a day.
AppError DrawCurves(DrawSurface& surface, const BandGeometry& band, const GraphColorSet& colors, const bool (&show)[4])
{
    // A scratch buffer kept across bands: a fresh one for each band of a long window costs more than drawing.
    static QVector<QPointF> points;
    const qint32 first = band.firstStep;
    const qint32 last = band.lastStep;
    const double left = band.left;
    points.reserve(static_cast<int>((last - first) / band.graphPoint + 1));
    for (int c = 0; c < CycleCount; ++c) {
        if (!show[c]) {
            continue;
        }
        const quint32 colour = colors.cycle[static_cast<size_t>(c)];
        surface.SetForeColor(colour);
        surface.SetDrawWidth(GetParam(SettingKey::LineWidth).AsInt());
        points.clear();
        for (qint64 s = first; s <= last; s += band.graphPoint) {
            const double v = basGraph::CycleValue(c, static_cast<qint32>(s));
            points.append(QPointF(Round(left + static_cast<double>(s - first) * band.stepWidth),
                                  Round((1.0 - v) * band.valueScale + band.axisTop)));
        }
        KIRVO_TRY(surface.Polyline(points, colour));
    }
    return AppError::None;
}

} // namespace

namespace basGraph {

namespace {
int g_eventsHeld = 0;
}

void LetEventsThrough()
{
    if (g_eventsHeld == 0) {
        QCoreApplication::processEvents();
    }
}

HoldEvents::HoldEvents()
{
    ++g_eventsHeld;
}

HoldEvents::~HoldEvents()
{
    --g_eventsHeld;
}

GraphColorSet& ChartColors()
{
    static GraphColorSet colors;
    return colors;
}

const GraphColorSet& GraphColors()
{
    return ChartColors();
}

AppError RenderGraph(const GraphForm& form,
                     DrawSurface& surface,
                     const QString& labelText,
                     qint32 top,
                     qint32 width,
                     qint32 height,
                     Date birthday,
                     qint32 index,
                     qint32 count)
{
    BandGeometry band;
    KIRVO_TRY(MeasureBand(top, width, height, birthday, band));
    const GraphColorSet& colors = GraphColors();
    bool show[4];
    for (int k = 0; k < 4; ++k) {
        show[k] = form.SelectGraphChecked(k);
    }
    surface.SetDrawMode(GetParam(SettingKey::DrawMode).AsInt());
    surface.SetFontName(QStringLiteral("ＭＳ ゴシック"));
    surface.SetFontSize(9);
    surface.SetDrawWidth(1);
    surface.SetForeColor(colors.fore);

    KIRVO_TRY(DrawFrame(surface, band, colors));
    if (index == 1) {
        KIRVO_TRY(DrawLegend(surface, band, colors));
    }
    KIRVO_TRY(DrawDateLines(surface, band, colors, index == count));
    KIRVO_TRY(DrawAmplitudeLabels(surface, band, colors));
    KIRVO_TRY(DrawDayCounter(surface, band, labelText));
    if (GetParam(SettingKey::DayLine).AsBool()) {
        KIRVO_TRY(DrawDayGrid(surface, band, colors));
    }
    if (show[3]) {
        KIRVO_TRY(DrawCriticalDays(surface, band, colors));
    }
    KIRVO_TRY(DrawCurves(surface, band, colors, show));

    // Let a repaint or an Esc key through before the next band.
    LetEventsThrough();
    return AppError::None;
}

} // namespace basGraph
