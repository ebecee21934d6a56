// The drawing surface under the chart: raster operations, pen and fill state, text in the Gothic font,
// batched lines against single ones, the picture box that shows the image, and refusals.
#include <QtTest>

#include <QPainter>
#include <QPrinter>

#include "platform/Forms.h"
#include "platform/ImageSurface.h"
#include "platform/PictureBox.h"
#include "platform/PrinterSurface.h"

namespace {

constexpr quint32 Yellow = 0x00FFFF; // red 255, green 255
constexpr quint32 Cyan = 0xFFFF00; // green 255, blue 255

QRgb Rgb(quint32 colour)
{
    return qRgb(static_cast<int>(colour & 0xFF),
                static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

QRgb At(const ImageSurface& s, int x, int y)
{
    return s.Image().pixel(x, y) | 0xFF000000u;
}

int Ink(const QImage& image, QRgb background)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += (image.pixel(x, y) | 0xFF000000u) != background ? 1 : 0;
        }
    }
    return n;
}

// Twips of one pixel, so the tests can address pixels.
double Tx()
{
    return Forms::TwipsPerPixelX();
}
double Ty()
{
    return Forms::TwipsPerPixelY();
}

} // namespace

class TestSurface : public QObject
{
    Q_OBJECT
private slots:
    void rasterOperations_data();
    void rasterOperations();
    void circlesMatchDirectDrawing_data();
    void circlesMatchDirectDrawing();
    void dottedLineHasGaps();
    void polylineMatchesSingleLines_data();
    void polylineMatchesSingleLines();
    void gothicGlyphsAreDistinct();
    void farCoordinatesAreRefused();
    void pictureBoxShowsTheImage();
    void pictureBoxTwips();
    void printerRefusesWithoutDocument();
};

void TestSurface::rasterOperations_data()
{
    QTest::addColumn<int>("drawMode");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("mask pen: pen AND screen") << 9 << (Yellow & Cyan);
    QTest::newRow("copy pen: pen") << 13 << Cyan;
    QTest::newRow("any other value draws as copy pen") << 4 << Cyan;
}

void TestSurface::rasterOperations()
{
    QFETCH(int, drawMode);
    QFETCH(quint32, expected);
    ImageSurface s;
    s.SetPixelSize(QSize(40, 40), 1.0);
    s.Clear(Yellow);
    s.SetDrawMode(drawMode);
    // Line, box outline, box fill and circle fill all follow the raster operation.
    QCOMPARE(s.Line(2 * Tx(), 5 * Ty(), 30 * Tx(), 5 * Ty(), Cyan), AppError::None);
    QCOMPARE(At(s, 10, 5), Rgb(expected));
    s.SetFillStyle(DrawSurface::FillSolid);
    s.SetFillColor(Cyan);
    QCOMPARE(s.Box(2 * Tx(), 10 * Ty(), 12 * Tx(), 20 * Ty(), Cyan), AppError::None);
    QCOMPARE(At(s, 2, 15), Rgb(expected));
    QCOMPARE(At(s, 7, 15), Rgb(expected));
    s.SetForeColor(Cyan);
    QCOMPARE(s.Circle(25 * Tx(), 30 * Ty(), 5 * Tx()), AppError::None);
    QCOMPARE(At(s, 25, 30), Rgb(expected));
    QCOMPARE(At(s, 37, 37), Rgb(Yellow));
    // Text is never combined with the screen: its ink is the pen colour in either mode.
    s.SetForeColor(0x000000);
    s.SetCurrentX(0);
    s.SetCurrentY(22 * Ty());
    QCOMPARE(s.Print(QStringLiteral("■")), AppError::None);
    bool black = false;
    for (int y = 22; y < 36; ++y) {
        for (int x = 0; x < 14; ++x) {
            black = black || At(s, x, y) == qRgb(0, 0, 0);
        }
    }
    QVERIFY(black);
}

void TestSurface::circlesMatchDirectDrawing_data()
{
    QTest::addColumn<int>("drawMode");
    QTest::addColumn<int>("fillStyle");
    QTest::addColumn<int>("width");
    QTest::addColumn<double>("radiusPixels");
    QTest::newRow("mark: mask pen, solid") << 9 << 0 << 1 << 55 / 15.0;
    QTest::newRow("mark: copy pen, solid") << 13 << 0 << 1 << 55 / 15.0;
    QTest::newRow("legend: mask pen, transparent") << 9 << 1 << 1 << 55 / 15.0;
    QTest::newRow("copy pen, transparent, wide pen") << 13 << 1 << 3 << 7.5;
    QTest::newRow("mask pen, solid, wide pen") << 9 << 0 << 2 << 11.2;
    QTest::newRow("hatched fill") << 9 << 6 << 1 << 9.0;
}

void TestSurface::circlesMatchDirectDrawing()
{
    // Overlapping circles on a coloured background, so that mask pen shows, come out as QPainter draws them
    // one by one; a circle cut by the picture's edge is the same circle, cut.
    QFETCH(int, drawMode);
    QFETCH(int, fillStyle);
    QFETCH(int, width);
    QFETCH(double, radiusPixels);
    ImageSurface s;
    s.SetPixelSize(QSize(60, 40), 1.0);
    s.Clear(0xAACCF0);
    s.SetDrawMode(drawMode);
    s.SetDrawWidth(width);
    s.SetFillStyle(fillStyle);
    s.SetForeColor(0x203040);
    QImage reference(60, 40, QImage::Format_RGB32);
    reference.fill(qRgb(0xF0, 0xCC, 0xAA));
    QPainter p(&reference);
    p.setCompositionMode(drawMode == 9 ? QPainter::RasterOp_SourceAndDestination
                                       : QPainter::CompositionMode_SourceOver);
    QPen pen(QColor(0x40, 0x30, 0x20), width <= 1 ? 0 : width);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    const quint32 fills[] = {0x4040C8, 0x40C840, 0xC84040};
    const QPoint centres[] = {QPoint(10, 10), QPoint(13, 11), QPoint(30, 20), QPoint(31, 28)};
    int i = 0;
    for (const QPoint& c : centres) {
        const quint32 fill = fills[i++ % 3];
        s.SetFillColor(fill);
        QCOMPARE(s.Circle(c.x() * Tx(), c.y() * Ty(), radiusPixels * Tx()), AppError::None);
        const Qt::BrushStyle brush = fillStyle == 0 ? Qt::SolidPattern
            : fillStyle == 6                        ? Qt::CrossPattern
                                                    : Qt::NoBrush;
        p.setBrush(QBrush(QColor(fill & 0xFF, (fill >> 8) & 0xFF, fill >> 16), brush));
        p.drawEllipse(QPointF(c), radiusPixels, radiusPixels);
    }
    p.end();
    QCOMPARE(s.Image(), reference);
    if (fillStyle > DrawSurface::FillTransparent) {
        return; // a hatch is tied to the device origin: such circles are drawn as they fall
    }

    ImageSurface whole;
    ImageSurface cut;
    for (ImageSurface* t : {&whole, &cut}) {
        t->SetPixelSize(QSize(40, 40), 1.0);
        t->Clear(0xFFFFFF);
        t->SetDrawMode(drawMode);
        t->SetDrawWidth(width);
        t->SetFillStyle(fillStyle);
        t->SetFillColor(0x4040C8);
    }
    QCOMPARE(whole.Circle(20 * Tx(), 20 * Ty(), radiusPixels * Tx()), AppError::None);
    QCOMPARE(cut.Circle(0, 39 * Ty(), radiusPixels * Tx()), AppError::None);
    QCOMPARE(cut.Image().copy(0, 19, 20, 21), whole.Image().copy(20, 0, 20, 21));
}

void TestSurface::dottedLineHasGaps()
{
    ImageSurface s;
    s.SetPixelSize(QSize(10, 100), 1.0);
    s.Clear(0xFFFFFF);
    s.SetDrawStyle(DrawSurface::StyleDot);
    QCOMPARE(s.Line(5 * Tx(), 0, 5 * Tx(), 99 * Ty(), 0), AppError::None);
    const int ink = Ink(s.Image(), qRgb(255, 255, 255));
    QVERIFY2(ink > 20 && ink < 70, qPrintable(QString::number(ink)));
    s.SetDrawStyle(DrawSurface::StyleSolid);
    QCOMPARE(s.Line(7 * Tx(), 0, 7 * Tx(), 99 * Ty(), 0), AppError::None);
    QCOMPARE(Ink(s.Image(), qRgb(255, 255, 255)), ink + 100);
}

void TestSurface::polylineMatchesSingleLines_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("drawMode");
    QTest::newRow("width 1, mask pen") << 1 << 9;
    QTest::newRow("width 1, copy pen") << 1 << 13;
    QTest::newRow("width 2, mask pen") << 2 << 9;
    QTest::newRow("width 5, copy pen") << 5 << 13;
    QTest::newRow("width 2, copy pen") << 2 << 13;
    QTest::newRow("width 3, mask pen") << 3 << 9;
    QTest::newRow("width 4, mask pen") << 4 << 9;
}

void TestSurface::polylineMatchesSingleLines()
{
    QFETCH(int, width);
    QFETCH(int, drawMode);
    // A dense zig-zag with many samples per pixel, as a curve with five samples a day over a long window.
    QVector<QPointF> points;
    for (int i = 0; i < 3000; ++i) {
        points.append(QPointF(i * 3.7, 1500 + 1400 * std::sin(i / 40.0) + (i % 7) * 20));
    }
    ImageSurface a;
    ImageSurface b;
    for (ImageSurface* s : {&a, &b}) {
        s->SetPixelSize(QSize(760, 210), 1.0);
        s->Clear(0xFFFFFF);
        s->SetDrawWidth(width);
        s->SetDrawMode(drawMode);
    }
    QCOMPARE(a.Polyline(points, 0xC84040), AppError::None);
    for (int i = 1; i < points.size(); ++i) {
        QCOMPARE(b.Line(points[i - 1].x(), points[i - 1].y(), points[i].x(), points[i].y(), 0xC84040), AppError::None);
    }
    QCOMPARE(a.Image(), b.Image());
    // Fewer than two points draw nothing; points on one pixel leave a dot.
    ImageSurface c;
    c.SetPixelSize(QSize(10, 10), 1.0);
    c.Clear(0xFFFFFF);
    QCOMPARE(c.Polyline({QPointF(60, 60)}, 0), AppError::None);
    QCOMPARE(Ink(c.Image(), qRgb(255, 255, 255)), 0);
    QCOMPARE(c.Polyline({QPointF(60, 60), QPointF(61, 62), QPointF(62, 61)}, 0), AppError::None);
    QCOMPARE(Ink(c.Image(), qRgb(255, 255, 255)), 1);
}

void TestSurface::gothicGlyphsAreDistinct()
{
    // Japanese labels must come out as glyphs, never as the same empty box: each label renders differently,
    // and the Gothic cells are twice as wide for a full-width character as for a digit.
    ImageSurface s;
    s.SetFontName(QStringLiteral("ＭＳ ゴシック"));
    s.SetFontSize(9);
    QList<QImage> images;
    for (const QString& text : {QStringLiteral("体"),
                                QStringLiteral("感"),
                                QStringLiteral("知"),
                                QStringLiteral("注"),
                                QStringLiteral("高"),
                                QStringLiteral("低")}) {
        s.SetPixelSize(QSize(20, 20), 1.0);
        s.Clear(0xFFFFFF);
        s.SetCurrentX(0);
        s.SetCurrentY(0);
        QCOMPARE(s.Print(text), AppError::None);
        QVERIFY(Ink(s.Image(), qRgb(255, 255, 255)) > 10);
        for (const QImage& other : images) {
            QVERIFY(other != s.Image());
        }
        images << s.Image().copy();
    }
    QVERIFY(std::abs(s.TextWidth(QStringLiteral("生")) - 2 * s.TextWidth(QStringLiteral("0"))) <= Tx());
    // Nine points are 180 twips; a line of text is a little more.
    QVERIFY(s.TextHeight(QStringLiteral("0")) >= 170 && s.TextHeight(QStringLiteral("0")) <= 230);
    QCOMPARE(s.TextHeight(QStringLiteral("a\r\nb")), 2 * s.TextHeight(QStringLiteral("a")));
}

void TestSurface::farCoordinatesAreRefused()
{
    ImageSurface s;
    s.SetPixelSize(QSize(20, 20), 1.0);
    s.Clear(0xFFFFFF);
    QCOMPARE(s.Line(0, 0, 1e12, 0, 0), AppError::Drawing);
    QCOMPARE(s.Line(0, 0, std::nan(""), 0, 0), AppError::Drawing);
    QCOMPARE(s.Polyline({QPointF(0, 0), QPointF(-1e15, 5)}, 0), AppError::Drawing);
    QCOMPARE(s.Circle(0, 0, 1e300), AppError::Drawing);
    s.SetCurrentX(1e13);
    QCOMPARE(s.Print(QStringLiteral("x")), AppError::Drawing);
    QCOMPARE(Ink(s.Image(), qRgb(255, 255, 255)), 0);
    // Coordinates outside the picture but within reach are simply clipped.
    QCOMPARE(s.Line(-30000, 5 * Ty(), 30000, 5 * Ty(), 0), AppError::None);
    QCOMPARE(Ink(s.Image(), qRgb(255, 255, 255)), 20);
}

void TestSurface::pictureBoxShowsTheImage()
{
    PictureBox pic;
    pic.resize(64, 48);
    QSignalSpy resized(&pic, &PictureBox::SurfaceResized);
    pic.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pic));
    pic.SetBackColor(0x00FF00);
    ImageSurface& s = pic.Surface();
    QCOMPARE(s.PixelSize(), pic.contentsRect().size());
    s.SetDrawMode(13);
    s.SetFillStyle(DrawSurface::FillSolid);
    s.SetFillColor(0x0000FF);
    QCOMPARE(s.Box(0, 7 * Ty(), 30 * Tx(), 14 * Ty(), 0x0000FF), AppError::None);
    const QImage shown = pic.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint origin = pic.contentsRect().topLeft();
    const double dpr = shown.devicePixelRatio();
    QCOMPARE(shown.pixel(qRound((origin.x() + 20) * dpr), qRound((origin.y() + 20) * dpr)) | 0xFF000000u,
             qRgb(0, 255, 0));
    QCOMPARE(shown.pixel(qRound((origin.x() + 5) * dpr), qRound((origin.y() + 10) * dpr)) | 0xFF000000u,
             qRgb(255, 0, 0));
    // A new size asks for a new drawing; the image starts from the back colour.
    const int before = resized.count();
    pic.resize(80, 60);
    QCoreApplication::processEvents();
    QVERIFY(resized.count() > before);
    QCOMPARE(pic.Surface().PixelSize(), pic.contentsRect().size());
    QCOMPARE(At(pic.Surface(), pic.Surface().Image().width() - 1, pic.Surface().Image().height() - 1), qRgb(0, 255, 0));
}

void TestSurface::pictureBoxTwips()
{
    QWidget parent;
    parent.resize(400, 300);
    PictureBox pic(&parent);
    pic.SetGeometryTwips(0, 480, 4500, 3000);
    QCOMPARE(pic.TopTwips(), qRound(qRound(480 / Ty()) * Ty()));
    QVERIFY(std::abs(pic.WidthTwips() - 4500) <= Tx() / 2);
    QVERIFY(std::abs(pic.HeightTwips() - 3000) <= Ty() / 2);
    // The surface covers the inside of the frame; the twips sizes are the outer ones.
    QCOMPARE(pic.Surface().PixelSize(), pic.contentsRect().size());
    QVERIFY(pic.Surface().SizeUnits().width() < pic.WidthTwips());
    pic.SetGeometryTwips(0, 0, -500, -20);
    QCOMPARE(pic.size(), QSize(0, 0));
}

void TestSurface::printerRefusesWithoutDocument()
{
    PrinterSurface paper;
    QCOMPARE(paper.Line(0, 0, 100, 100, 0), AppError::Drawing);
    QCOMPARE(paper.Begin(nullptr, QSize(11520, 15360)), AppError::Drawing);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    QTemporaryDir dir;
    printer.setOutputFileName(dir.filePath(QStringLiteral("x.pdf")));
    QCOMPARE(paper.Begin(&printer, QSize(0, 15360)), AppError::Drawing);
    QCOMPARE(paper.Begin(&printer, QSize(11520, 15360)), AppError::None);
    QCOMPARE(paper.Begin(&printer, QSize(11520, 15360)), AppError::Drawing); // already open
    QCOMPARE(paper.Line(0, 0, 11520, 15360, 0), AppError::None);
    QCOMPARE(paper.End(), AppError::None);
    QCOMPARE(paper.Line(0, 0, 100, 100, 0), AppError::Drawing);
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("x.pdf"))).size() > 0);
}

QTEST_MAIN(TestSurface)
#include "tst_surface.moc"
