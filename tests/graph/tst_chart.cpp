// The chart on screen: bands drawn into picGraph's image and checked pixel by pixel at the places the layout
// rules put them, the tooltip, Esc between bands, and the error rule of the screen drawing.
#include <QtTest>

#include "ChartTestSupport.h"
#include "TestSupport.h"
#include "app/basCalendar.h"

using namespace ChartTest;
using basGraph::CycleValue;
using basParam::SetParam;

namespace {

constexpr double M = 300;
const quint32 Fore = 0x000000;
const quint32 Back = 0xFFFFFF;
const quint32 CycleColour[3] = {64 + 256 * 64 + 65536 * 200, 200 + 256 * 64 + 65536 * 64, 64 + 256 * 200 + 65536 * 64};

// One band's layout in twips, as the drawing rules compute it.
struct Band
{
    double top, width, height;
    double y0() const { return std::nearbyint(top + height / 2.0); } // halves to even under the default rounding
    double axisTop() const { return top + 280; }
    double axisBottom() const { return top + height - 280; }
};

Band BandOf(PictureBox* pic, int index, int count)
{
    const double h = *basGraph::BandHeight(pic->HeightTwips(), count);
    return Band {(index - 1) * h, static_cast<double>(pic->WidthTwips()), h};
}

struct Window
{
    qint32 n, start, end;
};

Window WindowFor(Date birthday)
{
    const Date disp = basParam::GetParam(SettingKey::DispDay).AsDate();
    const int period = basParam::GetParam(SettingKey::DispPeriod).AsInt();
    const qint32 n = disp - birthday;
    return Window {n, n - period, n + period};
}

double SampleX(const Band& b, const Window& w, qint32 s)
{
    const double q = (b.width - 2 * M) / (5.0 * (w.end - w.start));
    return std::nearbyint(M + (s - 5 * w.start) * q);
}

double SampleY(const Band& b, int c, qint32 s)
{
    return std::nearbyint((1.0 - CycleValue(c, s)) * ((b.height - 560) / 2.0) + 280 + b.top);
}

} // namespace

class TestChart : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { ResetAllState(); }
    void imageFollowsPixelRatio();
    void frameInForeColour();
    void curvePixelInCycleColour_data();
    void curvePixelInCycleColour();
    void crossingsFollowDrawMode_data();
    void crossingsFollowDrawMode();
    void criticalMarksStack_data();
    void criticalMarksStack();
    void legendFirstBandDatesLastBand();
    void counterFollowsSetting_data();
    void counterFollowsSetting();
    void nameInBandFollowsSetting_data();
    void nameInBandFollowsSetting();
    void calendarMarksColourTheDays_data();
    void calendarMarksColourTheDays();
    void noBreakAtBirthday();
    void lastSampleFallsShort();
    void nothingCheckedLeavesFrameOnly();
    void bandHeights_data();
    void bandHeights();
    void fiveBandsInThreeThousandTwips();
    void tallPictureDrawsEveryBand();
    void tooltip_data();
    void tooltip();
    void escStopsRemainingBands();
    void nestedDrawingStopsTheOuterOne();
    void disabledChangesNothing();
    void badColourClearsWithoutBands_data();
    void badColourClearsWithoutBands();
    void emptyListClears();

private:
    QImage Draw(GraphTestWindow& w);
};

void TestChart::init()
{
    ResetAllState();
    Defaults({{QStringLiteral("山田花子"), D(1970, 4, 10)}});
}

QImage TestChart::Draw(GraphTestWindow& w)
{
    basGraph::DrawGraph(w, true);
    return w.picGraph()->Surface().Image();
}

void TestChart::imageFollowsPixelRatio()
{
    // The chart is drawn at the screen's device pixels, so it stays crisp when the desktop is scaled.
    GraphTestWindow w;
    Prepare(w, 300, 200);
    const QImage image = Draw(w);
    const double dpr = w.picGraph()->devicePixelRatioF();
    QCOMPARE(image.size(), QSize(qCeil(300 * dpr), qCeil(200 * dpr)));
    QCOMPARE(image.format(), QImage::Format_RGB32);
}

void TestChart::frameInForeColour()
{
    GraphTestWindow w;
    Prepare(w, 600, 300);
    const QImage image = Draw(w);
    const Mapper px(w.picGraph());
    const Band b = BandOf(w.picGraph(), 1, 1);
    const QRgb fore = Rgb(Fore);
    // Zero line across the plot, at several places along it.
    for (double x : {M + 30, b.width / 3, b.width - M - 30}) {
        QCOMPARE(Pixel(image, px.X(x), px.Y(b.y0())), fore);
    }
    // Both axes and the display-date line, top to bottom of the plot area.
    for (double y : {b.axisTop() + 15, (b.axisTop() + b.y0()) / 2, b.axisBottom() - 15}) {
        QCOMPARE(Pixel(image, px.X(M), px.Y(y)), fore);
        QCOMPARE(Pixel(image, px.X(b.width - M), px.Y(y)), fore);
        QCOMPARE(Pixel(image, px.X(b.width / 2), px.Y(y)), fore);
    }
    // Outside the axes there is only the back colour above the labels' rows.
    QCOMPARE(Pixel(image, px.X(M) - 3, px.Y(b.y0() - 400)), Rgb(Back));
}

void TestChart::curvePixelInCycleColour_data()
{
    QTest::addColumn<int>("drawMode");
    QTest::addColumn<int>("lineWidth");
    QTest::newRow("mask pen, width 2") << 9 << 2;
    QTest::newRow("copy pen, width 2") << 13 << 2;
    QTest::newRow("mask pen, width 1") << 9 << 1;
    QTest::newRow("copy pen, width 5") << 13 << 5;
}

void TestChart::curvePixelInCycleColour()
{
    QFETCH(int, drawMode);
    QFETCH(int, lineWidth);
    SetParam(SettingKey::DrawMode, drawMode);
    SetParam(SettingKey::LineWidth, lineWidth);
    GraphTestWindow w;
    Prepare(w, 600, 300);
    w.mnuViewSelectGraph[3]->setChecked(false);
    const QImage image = Draw(w);
    const Mapper px(w.picGraph());
    const Band b = BandOf(w.picGraph(), 1, 1);
    const Window win = WindowFor(D(1970, 4, 10));
    const int g = basParam::GetParam(SettingKey::GraphPoint).AsInt();
    // For each cycle find a sample whose pixel lies clear of the other curves, the zero line and the vertical
    // lines, then expect exactly the cycle's colour there.
    const int clear = 4 + 2 * lineWidth;
    for (int c = 0; c < 3; ++c) {
        bool found = false;
        for (qint32 s = 5 * win.start + g; s < 5 * win.end && !found; s += g) {
            const double x = SampleX(b, win, s);
            const int dx = px.X(x);
            const int dy = px.Y(SampleY(b, c, s));
            bool ok = std::abs(dy - px.Y(b.y0())) >= clear && std::abs(dx - px.X(b.width / 2)) >= clear;
            for (int o = 0; o < 3 && ok; ++o) {
                if (o != c) {
                    // The other curve near this column, not only at this sample.
                    for (qint32 t = s - 2 * g; t <= s + 2 * g; t += g) {
                        ok = ok && std::abs(px.Y(SampleY(b, o, t)) - dy) >= clear;
                    }
                }
            }
            for (qint32 day = win.start; day <= win.end && ok; ++day) {
                ok = std::abs(px.X(SampleX(b, win, 5 * day)) - dx) >= 3;
            }
            if (ok) {
                found = true;
                QVERIFY2(Pixel(image, dx, dy) == Rgb(CycleColour[c]),
                         qPrintable(QStringLiteral("cycle %1 at s=%2 (%3,%4): %5")
                                        .arg(c)
                                        .arg(s)
                                        .arg(dx)
                                        .arg(dy)
                                        .arg(Pixel(image, dx, dy), 0, 16)));
            }
        }
        QVERIFY2(found, "no clear sample");
    }
}

void TestChart::crossingsFollowDrawMode_data()
{
    QTest::addColumn<int>("drawMode");
    QTest::addColumn<QString>("fore");
    QTest::addColumn<quint32>("expected");
    // All three curves cross the zero line at the birthday. Mask pen keeps what every layer lets through;
    // copy pen shows the last curve drawn.
    QTest::newRow("mask pen, black line") << 9 << QStringLiteral("000000000") << 0x000000u;
    QTest::newRow("mask pen, white line") << 9 << QStringLiteral("255255255") << (64u + 256u * 64 + 65536u * 64);
    QTest::newRow("copy pen") << 13 << QStringLiteral("000000000") << CycleColour[2];
}

void TestChart::crossingsFollowDrawMode()
{
    QFETCH(int, drawMode);
    QFETCH(QString, fore);
    QFETCH(quint32, expected);
    SetParam(SettingKey::DrawMode, drawMode);
    SetParam(SettingKey::GraphForeColor, fore);
    SetParam(SettingKey::GraphPoint, 1);
    SetParam(SettingKey::DayLine, false);
    const Date birthday = D(2001, 11, 30); // five days before the display date
    basParam::ClearDisplayList();
    basParam::AddDisplayPerson(QStringLiteral("山田"), birthday);
    GraphTestWindow w;
    Prepare(w, 600, 300);
    w.mnuViewSelectGraph[3]->setChecked(false);
    const QImage image = Draw(w);
    const Mapper px(w.picGraph());
    const Band b = BandOf(w.picGraph(), 1, 1);
    const Window win = WindowFor(birthday);
    QCOMPARE(SampleY(b, 0, 0), b.y0());
    QCOMPARE(Pixel(image, px.X(SampleX(b, win, 0)), px.Y(b.y0())), Rgb(expected));
}

void TestChart::criticalMarksStack_data()
{
    QTest::addColumn<int>("day");
    QTest::addColumn<QList<int>>("cycles");
    // Find days by the critical rule itself: physical and intellect but not sensitivity.
    int physIntel = -1;
    for (int d = 1; d < 2000 && physIntel < 0; ++d) {
        if (basGraph::IsCriticalDay(0, 5 * d) && basGraph::IsCriticalDay(2, 5 * d)
            && !basGraph::IsCriticalDay(1, 5 * d)) {
            physIntel = d;
        }
    }
    QTest::newRow("physical and intellect") << physIntel << QList<int> {0, 2};
    QTest::newRow("sensitivity alone takes the top place") << 14 << QList<int> {1};
    QTest::newRow("birthday, all three") << 0 << QList<int> {0, 1, 2};
    QTest::newRow("day 10, none") << 10 << QList<int> {};
}

void TestChart::criticalMarksStack()
{
    QFETCH(int, day);
    QFETCH(QList<int>, cycles);
    QVERIFY(day >= 0);
    SetParam(SettingKey::DayLine, false);
    // The display date three days after the marked day keeps the display-date line away from the marks.
    const Date birthday = D(1990, 1, 1);
    SetParam(SettingKey::DispDay, *birthday.AddDays(day + 3));
    basParam::ClearDisplayList();
    basParam::AddDisplayPerson(QStringLiteral("山田"), birthday);
    GraphTestWindow w;
    Prepare(w, 600, 300);
    for (int c = 0; c < 3; ++c) {
        w.mnuViewSelectGraph[c]->setChecked(false);
    }
    const QImage image = Draw(w);
    const Mapper px(w.picGraph());
    const Band b = BandOf(w.picGraph(), 1, 1);
    const Window win = WindowFor(birthday);
    const int x = px.X(SampleX(b, win, 5 * day));
    for (int place = 0; place < 3; ++place) {
        const int y = px.Y(b.top + 280 + 110 * place);
        const QRgb expected = place < cycles.size() ? Rgb(CycleColour[cycles[place]]) : Rgb(Back);
        QCOMPARE(Pixel(image, x, y), expected);
    }
}

void TestChart::legendFirstBandDatesLastBand()
{
    basParam::ClearDisplayList();
    basParam::AddDisplayPerson(QStringLiteral("山田"), D(1970, 4, 10));
    basParam::AddDisplayPerson(QStringLiteral("佐藤"), D(1980, 5, 20));
    basParam::AddDisplayPerson(QStringLiteral("鈴木"), D(1990, 6, 30));
    GraphTestWindow w;
    Prepare(w, 600, 450);
    const QImage image = Draw(w);
    const Mapper px(w.picGraph());
    ImageSurface& surface = w.picGraph()->Surface();
    const double h = surface.TextHeight(QStringLiteral("0"));
    const Date disp = basParam::GetParam(SettingKey::DispDay).AsDate();
    const QString first = basCalendar::FormatDate(*disp.AddDays(-15), basCalendar::DatePattern::YyMD);
    QCOMPARE(first, QStringLiteral("01/11/20"));
    const double firstWidth = surface.TextWidth(first);
    for (int i = 1; i <= 3; ++i) {
        const Band b = BandOf(w.picGraph(), i, 3);
        // The physical swatch is a solid block of its colour.
        const QRgb swatch = Pixel(image, px.X(b.width - M - 1500 + 50), px.Y(b.top + 10 + h / 2));
        QCOMPARE(swatch, i == 1 ? Rgb(CycleColour[0]) : Rgb(Back));
        // Below the plot area: the window's first date, and the display date centred.
        const QRect left(px.X(M) + 2, px.Y(b.axisBottom()) + 3, px.X(firstWidth) - 2, px.Y(h) - 4);
        const QRect centre(px.X(b.width / 2 - firstWidth / 2), px.Y(b.axisBottom()) + 3, px.X(firstWidth), px.Y(h) - 4);
        const QRect right(px.X(b.width - M - firstWidth), px.Y(b.axisBottom()) + 3, px.X(firstWidth) - 2, px.Y(h) - 4);
        for (const QRect& r : {left, centre, right}) {
            const int ink = CountOther(image, r, Rgb(Back));
            QVERIFY2(i == 3 ? ink > 10 : ink == 0, qPrintable(QStringLiteral("band %1: %2").arg(i).arg(ink)));
        }
    }
}

void TestChart::counterFollowsSetting_data()
{
    QTest::addColumn<bool>("dispTotalDay");
    QTest::newRow("on") << true;
    QTest::newRow("off") << false;
}

void TestChart::counterFollowsSetting()
{
    QFETCH(bool, dispTotalDay);
    SetParam(SettingKey::DispTotalDay, dispTotalDay);
    GraphTestWindow w;
    Prepare(w, 600, 300);
    const QImage image = Draw(w);
    const Mapper px(w.picGraph());
    ImageSurface& surface = w.picGraph()->Surface();
    const QString text = basGraph::DayCounterText(WindowFor(D(1970, 4, 10)).n);
    const double x = M - surface.TextWidth(QStringLiteral("生"));
    // The text's line, short of its last rows, where the top critical marks may reach.
    const QRect area(px.X(x), px.Y(25), px.X(surface.TextWidth(text)), px.Y(surface.TextHeight(text) * 0.8));
    const int ink = CountOther(image, area, Rgb(Back));
    QVERIFY2(dispTotalDay ? ink > 20 : ink == 0, qPrintable(QString::number(ink)));
}

void TestChart::nameInBandFollowsSetting_data()
{
    QTest::addColumn<bool>("names");
    QTest::newRow("names shown") << true;
    QTest::newRow("as designed") << false;
}

void TestChart::nameInBandFollowsSetting()
{
    // Without the day counter, the counter's line shows the person's name only when the user asked for it.
    QFETCH(bool, names);
    SetParam(SettingKey::DispTotalDay, false);
    SetParam(SettingKey::ShowNames, names);
    GraphTestWindow w;
    Prepare(w, 600, 300);
    const QImage image = Draw(w);
    const Mapper px(w.picGraph());
    ImageSurface& surface = w.picGraph()->Surface();
    const QString caption = basGraph::PersonCaption(1);
    QCOMPARE(caption, QStringLiteral("(1)山田花子[70/4/10]"));
    const double x = M - surface.TextWidth(QStringLiteral("生"));
    const QRect area(px.X(x), px.Y(25), px.X(surface.TextWidth(caption)), px.Y(surface.TextHeight(caption) * 0.8));
    const int ink = CountOther(image, area, Rgb(Back));
    QVERIFY2(names ? ink > 20 : ink == 0, qPrintable(QString::number(ink)));
}

void TestChart::calendarMarksColourTheDays_data()
{
    QTest::addColumn<bool>("marks");
    QTest::newRow("marks on") << true;
    QTest::newRow("as designed") << false;
}

void TestChart::calendarMarksColourTheDays()
{
    // A Sunday display date: its window runs from a Saturday to a Monday. With the marks on the Saturday is
    // blue, the Sunday red, the Monday in the fore colour, and 六曜 follows the display date.
    QFETCH(bool, marks);
    SetParam(SettingKey::CalendarMarks, marks);
    SetParam(SettingKey::DispDay, D(2001, 12, 2));
    GraphTestWindow w;
    Prepare(w, 600, 300);
    const QImage image = Draw(w);
    const Mapper px(w.picGraph());
    ImageSurface& surface = w.picGraph()->Surface();
    const Band b = BandOf(w.picGraph(), 1, 1);
    const double h = surface.TextHeight(QStringLiteral("0"));
    const QString first = QStringLiteral("01/11/17");
    const QString centre = QStringLiteral("01/12/2");
    const double width = surface.TextWidth(first);
    const double centreLeft = b.width / 2 - surface.TextWidth(centre) / 2;
    auto area
        = [&](double left, double w) { return QRect(px.X(left), px.Y(b.axisBottom()) + 3, px.X(w), px.Y(h) - 4); };
    auto count = [&](const QRect& r, auto test) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                n += test(image.pixel(x, y)) ? 1 : 0;
            }
        }
        return n;
    };
    auto blue = [](QRgb c) { return qBlue(c) > 150 && qRed(c) < 40 && qGreen(c) < 40; };
    auto red = [](QRgb c) { return qRed(c) > 150 && qBlue(c) < 40 && qGreen(c) < 40; };
    const QRect saturday = area(M, width);
    const QRect sunday = area(centreLeft, surface.TextWidth(centre));
    const QRect monday = area(b.width - M - width, width);
    const QRect rokuyo
        = area(centreLeft + surface.TextWidth(centre + QStringLiteral(" ")), surface.TextWidth(QStringLiteral("大安")));
    QCOMPARE(count(saturday, blue) > 5, marks);
    QCOMPARE(count(sunday, red) > 5, marks);
    QCOMPARE(count(monday, red) + count(monday, blue), 0);
    QVERIFY(CountOther(image, monday, Rgb(Back)) > 5);
    QCOMPARE(CountOther(image, rokuyo, Rgb(Back)) > 10, marks);
    if (!marks) {
        QCOMPARE(count(image.rect(), red), 0);
    }
}

void TestChart::noBreakAtBirthday()
{
    // A window from 13 days before to 17 days after birth: the curve runs through s = 0 without a gap or jump.
    const Date birthday = D(2001, 12, 3);
    basParam::ClearDisplayList();
    basParam::AddDisplayPerson(QStringLiteral("山田"), birthday);
    SetParam(SettingKey::DrawMode, 13);
    SetParam(SettingKey::DayLine, false);
    SetParam(SettingKey::LineWidth, 1);
    SetParam(SettingKey::GraphPoint, 1);
    GraphTestWindow w;
    Prepare(w, 600, 300);
    for (int k = 1; k < 4; ++k) {
        w.mnuViewSelectGraph[k]->setChecked(false);
    }
    const QImage image = Draw(w);
    const Mapper px(w.picGraph());
    const Band b = BandOf(w.picGraph(), 1, 1);
    const Window win = WindowFor(birthday);
    const QRgb colour = Rgb(CycleColour[0]);
    int previousLow = -1, previousHigh = -1;
    for (int x = px.X(SampleX(b, win, -20)); x <= px.X(SampleX(b, win, 20)); ++x) {
        int low = -1, high = -1;
        for (int y = 0; y < image.height(); ++y) {
            if (Pixel(image, x, y) == colour) {
                low = low < 0 ? y : low;
                high = y;
            }
        }
        QVERIFY2(low >= 0, qPrintable(QStringLiteral("gap at column %1").arg(x)));
        if (previousLow >= 0) {
            QVERIFY2(low <= previousHigh + 1 && high >= previousLow - 1,
                     qPrintable(QStringLiteral("jump at column %1").arg(x)));
        }
        previousLow = low;
        previousHigh = high;
    }
    // The birthday itself reads row 0 of the table: the curve meets the zero line there.
    QCOMPARE(Pixel(image, px.X(SampleX(b, win, 0)), px.Y(b.y0())), colour);
}

void TestChart::lastSampleFallsShort()
{
    // GraphPoint 3 and DispPeriod 7: samples from the first day every three fifths; the last one lies one fifth
    // before the right axis, and nothing of the curve lies beyond it.
    SetParam(SettingKey::GraphPoint, 3);
    SetParam(SettingKey::DispPeriod, 7);
    SetParam(SettingKey::DrawMode, 13);
    SetParam(SettingKey::DayLine, false);
    SetParam(SettingKey::LineWidth, 1);
    GraphTestWindow w;
    Prepare(w, 600, 300);
    for (int k = 1; k < 4; ++k) {
        w.mnuViewSelectGraph[k]->setChecked(false);
    }
    const QImage image = Draw(w);
    const Mapper px(w.picGraph());
    const Band b = BandOf(w.picGraph(), 1, 1);
    const Window win = WindowFor(D(1970, 4, 10));
    const qint32 last = 5 * win.start + 69;
    const QRgb colour = Rgb(CycleColour[0]);
    QCOMPARE(Pixel(image, px.X(SampleX(b, win, last)), px.Y(SampleY(b, 0, last))), colour);
    const QRect beyond(
        px.X(SampleX(b, win, last)) + 2, 0, px.X(b.width - M) - px.X(SampleX(b, win, last)) - 3, image.height());
    QVERIFY(beyond.width() > 3);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = beyond.left(); x <= beyond.right(); ++x) {
            QVERIFY(Pixel(image, x, y) != colour);
        }
    }
}

void TestChart::nothingCheckedLeavesFrameOnly()
{
    GraphTestWindow w;
    Prepare(w, 600, 300);
    for (QAction* a : w.mnuViewSelectGraph) {
        a->setChecked(false);
    }
    const QImage image = Draw(w);
    // No curve and no mark: none of the cycle colours anywhere but in the legend swatches and texts.
    const Mapper px(w.picGraph());
    const Band b = BandOf(w.picGraph(), 1, 1);
    const QRect plot(0, px.Y(b.axisTop()) - 2, image.width(), px.Y(b.axisBottom()) - px.Y(b.axisTop()) + 4);
    for (int y = plot.top(); y <= plot.bottom(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = Pixel(image, x, y);
            QVERIFY(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p)); // only greys: black lines, grey text edges
        }
    }
    QCOMPARE(Pixel(image, px.X(M), px.Y(b.y0() + 100)), Rgb(Fore));
}

void TestChart::bandHeights_data()
{
    QTest::addColumn<double>("total");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<int>("expected");
    QTest::newRow("five in 3000") << 3000.0 << qint64(5) << 600;
    QTest::newRow("1001/2 halves down to even") << 1001.0 << qint64(2) << 500;
    QTest::newRow("1003/2 halves up to even") << 1003.0 << qint64(2) << 502;
    QTest::newRow("print 50% portrait, three") << 15360 * 0.5 << qint64(3) << 2560;
    QTest::newRow("one person, whole height") << 4560.0 << qint64(1) << 4560;
    QTest::newRow("nobody") << 3000.0 << qint64(0) << -1;
    QTest::newRow("beyond 32 bits") << 1e12 << qint64(1) << -1;
}

void TestChart::bandHeights()
{
    QFETCH(double, total);
    QFETCH(qint64, count);
    QFETCH(int, expected);
    QCOMPARE(basGraph::BandHeight(total, count).value_or(-1), expected);
}

void TestChart::fiveBandsInThreeThousandTwips()
{
    basParam::ClearDisplayList();
    for (int i = 0; i < 5; ++i) {
        basParam::AddDisplayPerson(QStringLiteral("人%1").arg(i), D(1960 + i, 1, 1));
    }
    GraphTestWindow w;
    PictureBox* pic = w.picGraph();
    Prepare(w, 400, 0);
    pic->resize(pic->width(), qRound(3000 / Forms::TwipsPerPixelY()));
    if (pic->HeightTwips() != 3000) {
        QSKIP("3000 twips is not a whole number of pixels on this screen");
    }
    const QImage image = Draw(w);
    const Mapper px(pic);
    for (int i = 1; i <= 5; ++i) {
        const Band b = BandOf(pic, i, 5);
        QCOMPARE(b.top, 600.0 * (i - 1));
        QCOMPARE(Pixel(image, px.X(M + 45), px.Y(b.top + 300)), Rgb(Fore));
    }
}

void TestChart::tallPictureDrawsEveryBand()
{
    // The second band's zero line lies below 32767 twips; every band is still drawn.
    basParam::ClearDisplayList();
    basParam::AddDisplayPerson(QStringLiteral("山田"), D(1970, 4, 10));
    basParam::AddDisplayPerson(QStringLiteral("佐藤"), D(1980, 5, 20));
    GraphTestWindow w;
    Prepare(w, 300, qCeil(46000 / Forms::TwipsPerPixelY()));
    const QImage image = Draw(w);
    const Mapper px(w.picGraph());
    const Band b = BandOf(w.picGraph(), 2, 2);
    QVERIFY(b.y0() > 32767);
    QCOMPARE(Pixel(image, px.X(M + 45), px.Y(b.y0())), Rgb(Fore));
    QCOMPARE(Pixel(image, px.X(M), px.Y(b.axisBottom() - 30)), Rgb(Fore));
}

void TestChart::tooltip_data()
{
    QTest::addColumn<bool>("birthYear");
    QTest::addColumn<int>("calendar");
    QTest::addColumn<int>("people");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one, yy/m/d") << true << 0 << 1 << QStringLiteral(" (1)山田花子[01/12/5] ");
    QTest::newRow("one, ge/m/d") << true << 1 << 1 << QStringLiteral(" (1)山田花子[H13/12/5] ");
    QTest::newRow("one, m/d") << false << 0 << 1 << QStringLiteral(" (1)山田花子[12/5] ");
    QTest::newRow("two, yy/m/d") << true << 0 << 2 << QStringLiteral(" (1)山田花子[01/12/5] (2)佐藤[89/1/7] ");
    QTest::newRow("two, ge/m/d") << true << 3 << 2 << QStringLiteral(" (1)山田花子[H13/12/5] (2)佐藤[S64/1/7] ");
    QTest::newRow("two, m/d") << false << 1 << 2 << QStringLiteral(" (1)山田花子[12/5] (2)佐藤[1/7] ");
}

void TestChart::tooltip()
{
    QFETCH(bool, birthYear);
    QFETCH(int, calendar);
    QFETCH(int, people);
    QFETCH(QString, expected);
    SetParam(SettingKey::BirthYear, birthYear);
    SetParam(SettingKey::Calendar, calendar);
    basParam::ClearDisplayList();
    basParam::AddDisplayPerson(QStringLiteral("山田花子"), D(2001, 12, 5));
    if (people == 2) {
        basParam::AddDisplayPerson(QStringLiteral("佐藤"), D(1989, 1, 7));
    }
    GraphTestWindow w;
    Prepare(w, 300, 200);
    Draw(w);
    QCOMPARE(w.picGraph()->toolTip(), expected);
    QVERIFY(!basGraph::DrawingActive());
}

void TestChart::escStopsRemainingBands()
{
    basParam::ClearDisplayList();
    for (int i = 1; i <= 4; ++i) {
        basParam::AddDisplayPerson(QStringLiteral("人%1").arg(i), D(1970 + i, 1, 1));
    }
    GraphTestWindow w;
    Prepare(w, 400, 400);
    // Each band reads the four graph items as it starts: the fifth read is the second band. Esc pressed then
    // is handled when the band lets pending events run.
    int reads = 0;
    w.onSelectRead = [&] {
        if (++reads == 5) {
            QCoreApplication::postEvent(&w, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        }
    };
    const QImage image = Draw(w);
    QCOMPARE(reads, 8);
    const Mapper px(w.picGraph());
    for (int i = 1; i <= 4; ++i) {
        const Band b = BandOf(w.picGraph(), i, 4);
        const QRect band(0, px.Y(b.top) + 1, image.width(), px.Y(b.height) - 2);
        if (i <= 2) {
            QCOMPARE(Pixel(image, px.X(M + 45), px.Y(b.y0())), Rgb(Fore));
        } else {
            QCOMPARE(CountOther(image, band, Rgb(Back)), 0);
        }
    }
    QCOMPARE(w.picGraph()->toolTip(), QStringLiteral(" (1)人1[71/1/1] (2)人2[72/1/1] (3)人3[73/1/1] (4)人4[74/1/1] "));
    QVERIFY(!basGraph::DrawingActive());

    // The next drawing draws everybody again.
    w.onSelectRead = nullptr;
    const QImage again = Draw(w);
    const Band b4 = BandOf(w.picGraph(), 4, 4);
    QCOMPARE(Pixel(again, px.X(M + 45), px.Y(b4.y0())), Rgb(Fore));
}

void TestChart::nestedDrawingStopsTheOuterOne()
{
    // A repaint handled between two bands may start a whole drawing of its own; when it ends, the outer drawing
    // stops as if Esc had been pressed, and the picture holds the inner drawing, complete.
    basParam::ClearDisplayList();
    for (int i = 1; i <= 4; ++i) {
        basParam::AddDisplayPerson(QStringLiteral("人%1").arg(i), D(1970 + i, 1, 1));
    }
    GraphTestWindow w;
    Prepare(w, 400, 400);
    int reads = 0;
    w.onSelectRead = [&] {
        if (++reads == 5) {
            QMetaObject::invokeMethod(
                &w, [&w] { basGraph::DrawGraph(w, true); }, Qt::QueuedConnection);
        }
    };
    const QImage image = Draw(w);
    QCOMPARE(reads, 4 * 2 + 4 * 4);
    const Mapper px(w.picGraph());
    for (int i = 1; i <= 4; ++i) {
        QCOMPARE(Pixel(image, px.X(M + 45), px.Y(BandOf(w.picGraph(), i, 4).y0())), Rgb(Fore));
    }
    QVERIFY(!basGraph::DrawingActive());
    QCOMPARE(w.picGraph()->toolTip().count(QLatin1Char('(')), 4);
}

void TestChart::disabledChangesNothing()
{
    GraphTestWindow w;
    Prepare(w, 300, 200);
    const QImage before = Draw(w).copy();
    const QString tip = w.picGraph()->toolTip();
    SetParam(SettingKey::GraphBackColor, QStringLiteral("000000000"));
    basParam::AddDisplayPerson(QStringLiteral("佐藤"), D(1980, 1, 1));
    basGraph::DrawGraph(w, false);
    QCOMPARE(w.picGraph()->Surface().Image(), before);
    QCOMPARE(w.picGraph()->toolTip(), tip);
    QCOMPARE(basGraph::GraphColors().back, Back);
}

void TestChart::badColourClearsWithoutBands_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::newRow("physical, minus sign") << SettingKey::GraphPhysColor << QStringLiteral("-01000000");
    QTest::newRow("fore, minus in green") << SettingKey::GraphForeColor << QStringLiteral("000-01000");
    QTest::newRow("back keeps the last back colour") << SettingKey::GraphBackColor << QStringLiteral("000000-01");
    QTest::newRow("intellect, minus and blank") << SettingKey::GraphIntelColor << QStringLiteral("- 1000000");
}

void TestChart::badColourClearsWithoutBands()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    GraphTestWindow w;
    Prepare(w, 300, 200);
    Draw(w);
    const basGraph::GraphColorSet good = basGraph::GraphColors();
    SetParam(key, text);
    const QImage image = Draw(w);
    QCOMPARE(CountOther(image, image.rect(), Rgb(Back)), 0);
    QCOMPARE(w.picGraph()->toolTip(), QStringLiteral(" (1)山田花子[70/4/10] "));
    QVERIFY(!basGraph::DrawingActive());
    // The colour that failed keeps its previous value.
    const basGraph::GraphColorSet now = basGraph::GraphColors();
    QCOMPARE(now.fore, good.fore);
    QCOMPARE(now.back, good.back);
    QCOMPARE(now.cycle, good.cycle);
}

void TestChart::emptyListClears()
{
    GraphTestWindow w;
    Prepare(w, 300, 200);
    Draw(w);
    basParam::ClearDisplayList();
    SetParam(SettingKey::GraphBackColor, QStringLiteral("010020030"));
    const QImage image = Draw(w);
    QCOMPARE(CountOther(image, image.rect(), qRgb(10, 20, 30)), 0);
    QCOMPARE(w.picGraph()->toolTip(), QStringLiteral(" "));
}

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
