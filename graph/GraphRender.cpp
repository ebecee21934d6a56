// One person's band of the chart. Every value comes from the sine table through the phase rule; no
// trigonometry runs while drawing.
#include "basGraph.h"

#include <QCoreApplication>
#include <QLineF>
#include <QPointF>
#include <QVector>

#include <cmath>
#include <limits>

#include "app/basCalendar.h"
#include "app/basParam.h"
#include "platform/DrawSurface.h"
#include "platform/Numeric.h"

namespace {

using basParam::GetParam;

constexpr qint16 SideMargin = 300; // left axis at M, right axis at width - M
constexpr qint32 AxisInset = 280; // plot area from top + 280 to top + height - 280
constexpr qint32 GridInset = 380; // dotted day lines start here
constexpr qint32 LegendTop = 10;
constexpr qint32 SwatchWidth = 100;
constexpr qint32 SwatchTextGap = 50;
constexpr qint32 SwatchLeft[basGraph::CycleCount] = {1500, 1100, 700}; // back from the right axis
constexpr qint32 LegendCircleBack = 250;
constexpr qint32 CircleTextGap = 100;
constexpr qint16 MarkRadius = 55;
constexpr qint32 MarkSpacing = 2 * MarkRadius;
constexpr qint32 CounterTop = 25;
constexpr double Top = 1.0; // the value scale: +1 at the top of the plot area, -1 at the bottom
constexpr double Bottom = -1.0;

const QString LegendLabels[basGraph::CycleCount] = {QStringLiteral("体"), QStringLiteral("感"), QStringLiteral("知")};

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

} // namespace

namespace basGraph {

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
    const Date dispDay = GetParam(QStringLiteral("DispDay")).AsDate();
    const qint32 period = GetParam(QStringLiteral("DispPeriod")).AsInt();
    const qint32 graphPoint = GetParam(QStringLiteral("GraphPoint")).AsInt();
    // The loops below divide by the period and step by the point step; neither can be used below 1.
    if (period < 1 || graphPoint < 1) {
        return AppError::Drawing;
    }
    // Every coordinate below lies within a few thousand units of the band; a band near the 32-bit edge
    // overflows before anything of it is drawn.
    constexpr qint64 Slack = 100000;
    const qint64 bottomEdge = static_cast<qint64>(top) + height;
    if (static_cast<qint64>(top) - Slack < std::numeric_limits<qint32>::min()
        || bottomEdge + Slack > std::numeric_limits<qint32>::max()
        || static_cast<qint64>(width) + Slack > std::numeric_limits<qint32>::max()
        || static_cast<qint64>(width) - Slack < std::numeric_limits<qint32>::min()) {
        return AppError::Overflow;
    }

    // Preparation.
    const qint32 n = dispDay - birthday;
    const qint64 start = static_cast<qint64>(n) - period;
    const qint64 end = static_cast<qint64>(n) + period;
    if (5 * start < std::numeric_limits<qint32>::min() || 5 * end > std::numeric_limits<qint32>::max()) {
        return AppError::Overflow;
    }
    const GraphColorSet& colors = GraphColors();
    bool show[4];
    for (int k = 0; k < 4; ++k) {
        show[k] = form.SelectGraphChecked(k);
    }
    surface.SetDrawMode(GetParam(QStringLiteral("DrawMode")).AsInt());
    surface.SetFontName(QStringLiteral("ＭＳ ゴシック"));
    surface.SetFontSize(9);
    surface.SetDrawWidth(1);
    surface.SetForeColor(colors.fore);
    // The zero line is 32-bit: a 16-bit one stopped every band whose middle lay 32768 twips or more down a
    // tall or high-resolution picture.
    const auto y0Rounded = Numeric::ToInt32(top + height / 2.0);
    if (!y0Rounded) {
        return AppError::Overflow;
    }
    const qint32 y0 = *y0Rounded;
    const qint32 m = SideMargin;
    const double plotWidth = static_cast<double>(width) - 2.0 * m;
    const double plotHeight = static_cast<double>(height) - 2.0 * AxisInset;
    const double axisTop = static_cast<double>(top) + AxisInset;
    const double axisBottom = static_cast<double>(top) + height - AxisInset;

    // Frame.
    KIRVO_TRY(surface.Line(m, y0, width - m, y0, colors.fore));
    KIRVO_TRY(surface.Line(m, axisTop, m, axisBottom, colors.fore));

    // Legend, first band only. The swatches are solid blocks of the cycle's colour.
    if (index == 1) {
        const double h = surface.TextHeight(QStringLiteral("0"));
        for (int c = 0; c < CycleCount; ++c) {
            const double x = static_cast<double>(width) - m - SwatchLeft[c];
            surface.SetForeColor(colors.cycle[static_cast<size_t>(c)]);
            surface.SetFillStyle(DrawSurface::FillSolid);
            surface.SetFillColor(colors.cycle[static_cast<size_t>(c)]);
            KIRVO_TRY(surface.Box(
                x, top + LegendTop + h, x + SwatchWidth, top + LegendTop, colors.cycle[static_cast<size_t>(c)]));
            KIRVO_TRY(PrintAt(surface, x + SwatchWidth + SwatchTextGap, top + LegendTop, LegendLabels[c]));
        }
        surface.SetForeColor(colors.fore);
        surface.SetFillStyle(DrawSurface::FillTransparent);
        const double cx = static_cast<double>(width) - m - LegendCircleBack;
        KIRVO_TRY(surface.Circle(cx, top + h / 2.0, MarkRadius));
        KIRVO_TRY(PrintAt(surface, cx + CircleTextGap, top + LegendTop, QStringLiteral("注")));
    }

    // Right edge and display-date line; the date labels under the last band only.
    const bool lastBand = index == count;
    const basCalendar::DatePattern datePattern = basCalendar::GraphDatePattern();
    const auto firstDay = dispDay.AddDays(-period);
    const auto lastDay = dispDay.AddDays(period);
    if (!firstDay || !lastDay) {
        return AppError::Overflow;
    }
    if (lastBand) {
        KIRVO_TRY(PrintAt(surface, m, axisBottom, basCalendar::FormatDate(*firstDay, datePattern)));
    }
    KIRVO_TRY(surface.Line(width - m, axisTop, width - m, axisBottom, colors.fore));
    if (lastBand) {
        const QString text = basCalendar::FormatDate(*lastDay, datePattern);
        KIRVO_TRY(PrintAt(surface, width - m - surface.TextWidth(text), axisBottom, text));
    }
    const double middle = width / 2.0;
    KIRVO_TRY(surface.Line(middle, axisTop, middle, axisBottom, colors.fore));
    if (lastBand) {
        const QString text = basCalendar::FormatDate(dispDay, datePattern);
        KIRVO_TRY(PrintAt(surface, middle - surface.TextWidth(text) / 2.0, axisBottom, text));
    }

    // Amplitude labels and the day counter, right-aligned to the left axis.
    surface.SetForeColor(colors.fore);
    const QString high = QStringLiteral("高");
    const QString caution = QStringLiteral("注");
    const QString low = QStringLiteral("低");
    KIRVO_TRY(PrintAt(surface, m - surface.TextWidth(high), axisTop, high));
    KIRVO_TRY(PrintAt(surface, m - surface.TextWidth(caution), y0 - surface.TextHeight(caution) / 2.0, caution));
    KIRVO_TRY(PrintAt(surface, m - surface.TextWidth(low), axisBottom - surface.TextHeight(low), low));
    QString counter = labelText;
    if (GetParam(QStringLiteral("DispTotalDay")).AsBool()) {
        counter += DayCounterText(n);
    }
    if (!counter.isEmpty()) {
        KIRVO_TRY(PrintAt(
            surface, m - surface.TextWidth(QStringLiteral("生")), static_cast<double>(top) + CounterTop, counter));
    }

    // Dotted day grid: no line on the window's first and last days and on the display day, where the axes and
    // the display-date line stand.
    if (GetParam(QStringLiteral("DayLine")).AsBool()) {
        surface.SetForeColor(colors.fore);
        surface.SetDrawStyle(DrawSurface::StyleDot);
        surface.SetDrawWidth(1);
        const double p = plotWidth / static_cast<double>(end - start);
        const bool fullDay = GetParam(QStringLiteral("FullDay")).AsBool();
        const double lineHeight = surface.TextHeight(QStringLiteral("0"));
        const double gridTop = static_cast<double>(top) + GridInset;
        const double gridBottom = static_cast<double>(top) + height - GridInset;
        const QDate firstDate = firstDay->ToQDate();
        QVector<QLineF> lines;
        lines.reserve(static_cast<int>(end - start));
        for (qint64 i = start + 1; i < end; ++i) {
            if (i == n) {
                continue;
            }
            const double x = Round(m + static_cast<double>(i - start) * p);
            if (fullDay) {
                const QString label = QString::number(firstDate.addDays(i - start).day());
                // Odd days after birth sit one row higher; before birth the remainder is -1 and they sit one
                // row lower than even days.
                const double y = Round(axisBottom - lineHeight * static_cast<double>(1 + i % 2));
                KIRVO_TRY(PrintAt(surface, x - surface.TextWidth(label) / 2.0, y, label));
                lines.append(QLineF(x, gridTop, x, y));
            } else {
                lines.append(QLineF(x, gridTop, x, gridBottom));
            }
        }
        KIRVO_TRY(surface.Lines(lines, colors.fore));
        surface.SetDrawStyle(DrawSurface::StyleSolid);
    }

    const qint32 start5 = static_cast<qint32>(5 * start);
    const qint32 end5 = static_cast<qint32>(5 * end);
    const double q = plotWidth / static_cast<double>(end5 - start5);

    // Critical-day marks, one test per whole day, stacked downwards in cycle order.
    if (show[3]) {
        surface.SetForeColor(colors.fore);
        surface.SetFillStyle(DrawSurface::FillSolid);
        surface.SetDrawWidth(1);
        for (qint32 s = start5; s <= end5; s += 5) {
            double y = axisTop;
            for (int c = 0; c < CycleCount; ++c) {
                if (IsCriticalDay(c, s)) {
                    surface.SetFillColor(colors.cycle[static_cast<size_t>(c)]);
                    KIRVO_TRY(surface.Circle(Round(m + static_cast<double>(s - start5) * q), y, MarkRadius));
                    y += MarkSpacing;
                }
            }
        }
    }

    // The curves, later cycles over earlier ones.
    const double yScale = plotHeight / (Top - Bottom);
    // A scratch buffer kept across bands: a fresh one for each band of a long window costs more than drawing.
    static QVector<QPointF> points;
    points.reserve(static_cast<int>((end5 - start5) / graphPoint + 1));
    for (int c = 0; c < CycleCount; ++c) {
        if (!show[c]) {
            continue;
        }
        surface.SetForeColor(colors.cycle[static_cast<size_t>(c)]);
        surface.SetDrawWidth(GetParam(QStringLiteral("LineWidth")).AsInt());
        points.clear();
        for (qint64 s = start5; s <= end5; s += graphPoint) {
            const double v = CycleValue(c, static_cast<qint32>(s));
            points.append(QPointF(Round(m + static_cast<double>(s - start5) * q), Round((1.0 - v) * yScale + axisTop)));
        }
        KIRVO_TRY(surface.Polyline(points, colors.cycle[static_cast<size_t>(c)]));
    }

    // Let a repaint or an Esc key through before the next band.
    QCoreApplication::processEvents();
    return AppError::None;
}

} // namespace basGraph
